#include "ShopCommands.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "shop/BuyReader.h"
#include "shop/BuyReaderDoneController.h"
#include "shop/BuyReaderEnterDataController.h"
#include "shop/BuyReaderStartController.h"
#include "shop/ShopScreens.h"
#include "shop/payment/BuyReaderEnterCVVController.h"
#include "shop/payment/BuyReaderPaymentController.h"
#include "shop/payment/BuyReaderPaymentsController.h"
#include "shop/payment/BuyReaderWithCardController.h"
#include "shop/payment/BuyReaderWithWalletController.h"
#include "shop/shipping/BuyReaderSelectShippingController.h"

#include <QDir>
#include <QJsonDocument>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <functional>

namespace {

constexpr int kStepMs = 50;
constexpr int kGiveUpMs = 60000;
// The stage after Done on the done screen: the shop may be gone.
constexpr int kLastStage = 10;

// A test card and code the sandbox accepts; never printed.
const char* const kTestCard = "5105105105105100";
const char* const kTestCode = "739";

// Plays the shop one screen at a time: each stage waits until its screen is ready, acts on it
// as a person would and moves on.
class ShopRun : public QObject {
public:
    ShopRun(QWidget* host, bool fromSaleButton, bool wallet, QString folder,
            TarvelloSDK::Completion completion)
        : host_(host)
        , wallet_(wallet)
        , folder_(std::move(folder))
        , completion_(std::move(completion)) {
        QDir().mkpath(folder_);
        // The shop opens inside the merchant's session.
        User::instance().setIsLoggedIn(true);
        User::instance().setToken(TarvelloSDK::sharedSDK().userToken());
        auto* offer = qobject_cast<BuyReader*>(Storyboard::instantiate(ShopScreens::buyReader));
        if (offer)
            offer->setFromSaleButton(fromSaleButton);
        if (Window* window = Window::forWidget(host); window && offer) {
            root_ = window->rootViewController();
            shop_ = new NavigationController(offer);
            root_->presentViewController(shop_, true);
        }
        connect(&ticker_, &QTimer::timeout, this, [this] { step(); });
        ticker_.start(kStepMs);
    }

private:
    template <class T> T* top() const {
        return shop_ ? qobject_cast<T*>(shop_->topViewController()) : nullptr;
    }
    // A screen shown and not waiting on the back end.
    static bool ready(ViewController* screen) {
        return screen && screen->isVisible() && !screen->isDisplayingActivityIndicator();
    }
    template <class T = QPushButton> T* find(ViewController* screen, const char* name) const {
        return screen->view()->findChild<T*>(QLatin1String(name));
    }
    static void type(TextField* field, const QString& text) {
        if (!field)
            return;
        field->becomeFirstResponder();
        for (const QChar c : text)
            field->insertText(QString(c));
    }
    // The window with every presented screen drawn over it.
    void shoot(const QString& name) {
        QWidget* base = host_ ? host_->window() : nullptr;
        if (!base)
            return;
        QPixmap shot = base->grab();
        {
            QPainter painter(&shot);
            for (ViewController* level = root_ ? root_->presentedViewController() : nullptr; level;
                 level = level->presentedViewController()) {
                QWidget* container = level->view()->window();
                if (container == base || !container->isVisible())
                    continue;
                painter.drawPixmap(container->mapToGlobal(QPoint(0, 0)) -
                                       base->mapToGlobal(QPoint(0, 0)),
                                   container->grab());
            }
        }
        const QString file = QDir(folder_).filePath(name + QStringLiteral(".png"));
        if (shot.save(file))
            screenshots_ << file;
    }
    ViewController* topmost() const {
        ViewController* level = root_;
        while (level && level->presentedViewController())
            level = level->presentedViewController();
        return level;
    }

    void step() {
        elapsed_ += kStepMs;
        if (elapsed_ > kGiveUpMs || (!shop_ && stage_ < kLastStage)) {
            finish();
            return;
        }
        switch (stage_) {
        case 0:
            if (auto* offer = top<BuyReader>(); ready(offer)) {
                shoot(QStringLiteral("01-offer"));
                find(offer, "buyNow")->click();
                ++stage_;
            }
            return;
        case 1:
            if (auto* catalogue = top<BuyReaderStartController>();
                ready(catalogue) && catalogue->readers() && !catalogue->readers()->isEmpty()) {
                find<TableView>(catalogue, "tableView")->tapRowAtIndexPath({0, 0});
                const QVariantMap reader = catalogue->readers()->first().toMap();
                items_ << QVariantMap{{"id", reader.value("id")},
                                      {"name", reader.value("name")},
                                      {"count", catalogue->amounts().value(0)}};
                shoot(QStringLiteral("02-catalogue"));
                find(catalogue, "buyButton")->click();
                ++stage_;
            }
            return;
        case 2:
            if (auto* form = top<BuyReaderEnterDataController>(); ready(form)) {
                type(find<TextField>(form, "firstName"), QStringLiteral("Ana"));
                type(find<TextField>(form, "lastName"), QStringLiteral("Pérez"));
                type(find<TextField>(form, "personalId"), QStringLiteral("12345678"));
                type(find<TextField>(form, "phone"), QStringLiteral("01144445555"));
                type(find<TextField>(form, "streetName"), QStringLiteral("Mitre"));
                type(find<TextField>(form, "streetNumber"), QStringLiteral("350"));
                type(find<TextField>(form, "zipCode"), QStringLiteral("5000"));
                find<PickerView>(form, "statePicker")->pickRow(6, 0); // Córdoba
                type(find<TextField>(form, "city"), QStringLiteral("Río Cuarto"));
                shoot(QStringLiteral("03-buyer-data"));
                find(form, "continueButton")->click();
                ++stage_;
            }
            return;
        case 3:
            if (auto* shipping = top<BuyReaderSelectShippingController>(); ready(shipping)) {
                find<QTabBar>(shipping, "tabs")->setCurrentIndex(1); // pick-up at a branch
                ++stage_;
            }
            return;
        case 4:
            if (auto* shipping = top<BuyReaderSelectShippingController>();
                ready(shipping) && shipping->pickUpLocationsInState() &&
                find(shipping, "continueButton")->isEnabled()) {
                shoot(QStringLiteral("04-shipping"));
                find(shipping, "continueButton")->click();
                ++stage_;
            }
            return;
        case 5:
            if (auto* summary = top<BuyReaderPaymentController>(); ready(summary)) {
                shoot(QStringLiteral("05-summary"));
                shipping_ = summary->purchase()->map(QStringLiteral("shipping"));
                find(summary, wallet_ ? "walletButton" : "cardButton")->click();
                ++stage_;
            }
            return;
        case 6:
            if (wallet_) {
                auto* cards = top<BuyReaderWithWalletController>();
                if (ready(cards) && cards->cards() && !cards->cards()->isEmpty()) {
                    shoot(QStringLiteral("06-wallet"));
                    find(cards, "continueButton")->click(); // the favourite, selected first
                    ++stage_;
                }
            } else if (auto* card = top<BuyReaderWithCardController>(); ready(card)) {
                type(find<TextField>(card, "cardNumber"), QLatin1String(kTestCard));
                type(find<TextField>(card, "expirationDate"), QStringLiteral("1230"));
                type(find<TextField>(card, "securityCode"), QLatin1String(kTestCode));
                type(find<TextField>(card, "nameOnCard"), QStringLiteral("ANA PEREZ"));
                shoot(QStringLiteral("06-card"));
                find(card, "continueButton")->click();
                stage_ = 8;
            }
            return;
        case 7:
            if (auto* code = qobject_cast<BuyReaderEnterCVVController*>(topmost()); ready(code)) {
                type(find<TextField>(code, "cvv"), QLatin1String(kTestCode));
                shoot(QStringLiteral("07-security-code"));
                find(code, "continueButton")->click();
                ++stage_;
            }
            return;
        case 8:
            if (top<BuyReaderDoneController>()) { // a single plan orders without a tap
                ++stage_;
            } else if (auto* plans = top<BuyReaderPaymentsController>();
                       ready(plans) && !plans->installments().isEmpty()) {
                shoot(QStringLiteral("08-installments"));
                find(plans, "continueButton")->click();
                ++stage_;
            }
            return;
        case 9:
            if (auto* done = top<BuyReaderDoneController>(); ready(done)) {
                installments_ = done->purchase()->value(QStringLiteral("payments"));
                shoot(QStringLiteral("09-done"));
                find(done, "continueButton")->click();
                ++stage_;
                waited_ = 0;
            }
            return;
        default:
            // The shop closed, or the card-reading screen took its place.
            waited_ += kStepMs;
            if (waited_ >= 1000) {
                ViewController* shown = topmost();
                if (auto* nav = qobject_cast<NavigationController*>(shown))
                    shown = nav->topViewController();
                screen_ = shown == root_ ? QStringLiteral("host")
                                         : QString::fromLatin1(shown->metaObject()->className());
                finish();
            }
            return;
        }
    }

    // The placed order's id, as the back end answered it.
    static QVariant orderId() {
        const QVariantList log = APIController::getRequestLog();
        for (qsizetype i = log.size() - 1; i >= 0; --i) {
            const QVariantMap entry = log.at(i).toMap();
            if (!entry.value("host").toString().contains(QLatin1String("setOrderData")))
                continue;
            const QVariantMap answer =
                QJsonDocument::fromJson(entry.value("response").toString().toUtf8())
                    .toVariant()
                    .toMap();
            return answer.value("data").toMap().value("orderId");
        }
        return {};
    }

    void finish() {
        ticker_.stop();
        const QVariant id = orderId();
        const QVariantMap result{{"orderId", id},         {"items", items_},
                                 {"shipping", shipping_}, {"installments", installments_},
                                 {"screen", screen_},     {"screenshots", screenshots_}};
        const auto completion = completion_;
        deleteLater();
        completion(result, id.isValid() && !screen_.isEmpty());
    }

    QPointer<QWidget> host_;
    bool wallet_ = false;
    QString folder_;
    TarvelloSDK::Completion completion_;
    QPointer<ViewController> root_;
    QPointer<NavigationController> shop_;
    QTimer ticker_;
    int elapsed_ = 0;
    int waited_ = 0;
    int stage_ = 0;
    QVariantList items_;
    QVariantMap shipping_;
    QVariant installments_;
    QString screen_;
    QStringList screenshots_;
};

} // namespace

bool runShopCommand(const QString& command, const QStringList& arguments, QWidget* host,
                    const QString& screenshots, const TarvelloSDK::Completion& completion,
                    QString* error) {
    if (command != QLatin1String("shop"))
        return false;
    bool fromSaleButton = false;
    bool wallet = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--from-sale-button")) {
            fromSaleButton = true;
        } else if (argument == QLatin1String("--wallet")) {
            wallet = true;
        } else {
            *error = "shop takes only --from-sale-button and --wallet";
            return false;
        }
    }
    QString folder = screenshots;
    if (folder.isEmpty())
        folder = qEnvironmentVariable("TARVELLO_DEMO_SCREENSHOTS");
    if (folder.isEmpty())
        folder = QDir(QDir::tempPath()).filePath(QStringLiteral("tarvello-shop"));
    new ShopRun(host, fromSaleButton, wallet, folder, completion);
    return true;
}

QString shopCommandsUsage() {
    return "                     shop [--from-sale-button] [--wallet] [--screenshots DIR]\n";
}
