#pragma once

#include "SDK/session/AccountSettings.h"
#include "model/Catalog.h"
#include "model/LocationProvider.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Window.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace catalogtest {

// No position source: sales start without a fix.
class NoLocation : public LocationProvider {
public:
    void requestWhenInUseAuthorization() override {}
    void startUpdatingLocation() override {}
    void stopUpdatingLocation() override {}
    std::optional<LocationCoordinate> lastKnownLocation() const override { return std::nullopt; }
};
class NoLocationFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override { return std::make_shared<NoLocation>(); }
};

// A catalog source answering at once with the products and categories the test sets.
class ImmediateSource : public CatalogSource {
public:
    void fetchCategories(const QString&, const QString&, Completion completion) override {
        completion(QJsonDocument::fromVariant(QVariantMap{{"success", "OK"}, {"data", categories}})
                       .toJson());
    }
    void fetchProducts(const QString&, const QString&, Completion completion) override {
        completion(QJsonDocument::fromVariant(QVariantMap{{"success", "OK"}, {"data", products}})
                       .toJson());
    }
    QVariantList products;
    QVariantList categories;
};

// A sale line of a catalog product (a typed-in line when the id is empty).
inline ItemPtr line(const QString& name, const QString& id, double price, int quantity = 1) {
    auto item = Item::init();
    item->product()->setName(name);
    item->product()->setProductId(id);
    item->product()->setPrice(Amount::initWithDouble(price));
    item->setQuantity(quantity);
    return item;
}

// Where the area's screenshots go: build/screenshots/catalog/.
inline QString screenshotPath(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/catalog"));
    return dir.filePath(QStringLiteral("screenshots/catalog/") + name);
}

// The shared sale empty, default currency and settings (tutorial done), manual clock, phone.
class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Services::set<LocationProviderFactory>(std::make_shared<NoLocationFactory>());
        Services::set<CatalogSource>(source);
        Currency::instance()->reset();
        AccountSettings::instance().reset();
        AccountSettings::instance().setTutorialAmount(true);
        Catalog::instance().resetProducts();
        Catalog::instance().resetCategories();
        Device::current().setIdiom(Device::Idiom::Phone);
        Sale::sharedSale().cleanSale();
    }
    void TearDown() override {
        Sale::sharedSale().cleanSale();
        Catalog::instance().resetProducts();
        Catalog::instance().resetCategories();
        Services::set<CatalogSource>(nullptr);
        Services::set<LocationProviderFactory>(nullptr);
        AccountSettings::instance().reset();
        Device::current().setIdiom(Device::Idiom::Phone);
    }
    Sale& sale() { return Sale::sharedSale(); }
    // The alert or sheet the screen presents now, if any.
    static SystemAlert* shownAlert(ViewController* screen) {
        ViewController* top = screen;
        while (top->presentedViewController())
            top = top->presentedViewController();
        return qobject_cast<SystemAlert*>(top);
    }

    TemporaryDefaults defaults;
    ScopedManualClock clock;
    std::shared_ptr<ImmediateSource> source = std::make_shared<ImmediateSource>();
};

} // namespace catalogtest
