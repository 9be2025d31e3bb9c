#pragma once

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIConfiguration.h"
#include "api/APIController.h"
#include "api/APIControllerDelegate.h"
#include "model/CreditCard.h"
#include "model/LocationProvider.h"
#include "model/Sale.h"
#include "platform/core/ServiceRegistry.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include <QJsonDocument>
#include <QLoggingCategory>
#include <gtest/gtest.h>
#include <optional>

// Records what a delegate-style request delivered.
class RecordingDelegate : public APIControllerDelegate {
public:
    void apiDidFailWithError(const TarvelloError& error, int functionName) override {
        failure = error;
        code = functionName;
        done = true;
    }
    bool apiDidFinishDownloadingWithDictionary(int functionName,
                                               const std::optional<QVariantMap>& answer) override {
        code = functionName;
        dictionary = answer;
        done = true;
        return true;
    }
    bool sessionExpiredWithMessage(const QString& message) override {
        expiredMessage = message;
        done = true;
        return true;
    }

    bool done = false;
    int code = -1;
    std::optional<QVariantMap> dictionary;
    std::optional<TarvelloError> failure;
    std::optional<QString> expiredMessage;
};

// Offers no location source: the sales of these tests carry no fix.
class NoLocationFactory : public LocationProviderFactory {
public:
    std::shared_ptr<LocationProvider> create() override { return nullptr; }
};

// The sandbox with the API client pointed at it and the fixture's merchant logged in.
class EndpointTest : public ::testing::Test {
protected:
    void SetUp() override {
        Services::set<LocationProviderFactory>(std::make_shared<NoLocationFactory>());
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->setBaseURL(sandbox.baseUrl());
        ASSERT_TRUE(configuration->addTrustedCAFile(sandbox.caFile()));
        Services::set<APIConfiguration>(configuration);
        QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=false"));
        token = sandbox.merchantToken();
        TarvelloSDK::sharedSDK().startWithAPIKey(sandbox.apiKey());
        TarvelloSDK::sharedSDK().setUserToken(token);
        userId = QString::number(sandbox.state().userForToken(token)->userId);
        User::instance().setUserId(userId);
        User::instance().setToken(token);
        User::instance().setBranchId(12);
        AccountSettings::instance().setAppLanguage(QStringLiteral("es"));
    }
    void TearDown() override {
        Services::set<APIConfiguration>(nullptr);
        User::instance().reset();
        AccountSettings::instance().reset();
        Services::set<LocationProviderFactory>(nullptr);
    }

    // A sale the sandbox has recorded, ready to be voided or refunded.
    QString recordedSaleId() {
        SandboxSale sale;
        sale.merchantId = sandbox.state().userForToken(token)->merchantId;
        sale.amount = 110;
        sale.currencyCode = QStringLiteral("032");
        sale.paymentMethod = QStringLiteral("card");
        sale.status = QStringLiteral("approved");
        return QString::number(sandbox.state().addSale(sale).id);
    }

    TemporaryDefaults defaults;
    SandboxFixture sandbox;
    QString token;
    QString userId;
};

// One line of 2 x 50.00 (a product tax without name or amount), a listed discount, a sale tax,
// subtotal 100.00 and a 10 % tip: 110.00 to charge.
inline SalePtr sampleSale() {
    auto sale = Sale::init();
    auto item = Item::init();
    item->product()->setProductId(QStringLiteral("7"));
    item->product()->setName(QStringLiteral("Cafe"));
    item->product()->setPrice(Amount::initWithDouble(50));
    item->product()->setBackgroundColor(QColor(255, 0, 0));
    auto productTaxes = std::make_shared<TaxList>();
    auto blankTax = Tax::init();
    blankTax->setAmount(Amount::initWithDouble(0));
    productTaxes->push_back(blankTax);
    item->product()->setTaxes(productTaxes);
    item->setQuantity(2);
    sale->setItems(std::make_shared<ItemList>(ItemList{item}));
    auto discount = Discount::init();
    discount->setDiscountId(3);
    discount->setName(QStringLiteral("Promo"));
    discount->setPercentage(0.10);
    sale->setDiscounts(std::make_shared<DiscountList>(DiscountList{discount}));
    auto saleTax = Tax::init();
    saleTax->setName(QStringLiteral("IVA"));
    saleTax->setAmount(Amount::initWithDouble(0));
    sale->setTaxes(std::make_shared<TaxList>(TaxList{saleTax}));
    sale->setSubtotal(Amount::initWithDouble(100));
    sale->setTipPercentage(0.10);
    sale->setCurrencyCode(QStringLiteral("032"));
    sale->setInstallmentId(QStringLiteral("plan-3"));
    sale->setInvoiceNumber(QStringLiteral("F-1"));
    sale->setExternalReference(QStringLiteral("REF-9"));
    sale->setCustomDataValue(QStringLiteral("channel"), QStringLiteral("pos"));
    sale->setDeviceSerialNumber(QStringLiteral("SN1"));
    sale->setFullSerialNumber(QStringLiteral("FULLSN1"));
    sale->setSelectedReader(QStringLiteral("dspread_pinpad"));
    return sale;
}

// The sample sale paid with a chip-read card of the given transaction type.
inline SalePtr cardSale(const QString& transactionType, const QString& saleId = {}) {
    auto sale = sampleSale();
    sale->setPaidWithCreditCard(true);
    sale->setSaleId(saleId);
    auto card = std::make_shared<CreditCard>();
    card->setNumber(QStringLiteral("4111111111111111"));
    card->setName(QStringLiteral("ANA GOMEZ"));
    card->setExpiration(QStringLiteral("2512"));
    card->setCvv2(QStringLiteral("123"));
    card->setIdType(QStringLiteral("DNI"));
    card->setIdNumber(QStringLiteral("30111222"));
    card->setTrack2KSN(QStringLiteral("FFFF9876543210E00001"));
    card->setTrack2Encrypted(QStringLiteral("T2ENC"));
    card->setServiceCode(QStringLiteral("201"));
    card->setInstallments(3);
    card->setPinBlock(QStringLiteral("PB01"));
    card->setPinKSN(QStringLiteral("PK01"));
    card->setEmvTags(QByteArray(R"({"9F02":"000000011000"})"));
    card->setEmvApp(QByteArray(R"({"label":"VISA"})"));
    card->setApplicationLabel(QStringLiteral("VISA CREDITO"));
    card->setTransactionType(transactionType);
    sale->setCreditCard(card);
    return sale;
}
