#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "model/values/Currency.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QJsonDocument>
#include <memory>

namespace {

QVariantMap json(const char* text) {
    return QJsonDocument::fromJson(text).toVariant().toMap();
}

QVariantList doubles(std::initializer_list<double> values) {
    QVariantList out;
    for (double v : values)
        out.append(v);
    return out;
}

class AccountSettingsTest : public ::testing::Test {
protected:
    TemporaryDefaults defaults;
    std::unique_ptr<AccountSettings> settings = std::make_unique<AccountSettings>();
};

TEST_F(AccountSettingsTest, EmptyAnswerOnNewInstanceGivesDefaults) {
    const AccountSettings& s = *settings;
    EXPECT_TRUE(s.currencies().isEmpty());
    settings->loadWithDictionary({});

    EXPECT_FALSE(s.catalogDefault());
    EXPECT_TRUE(s.shoppingCartAvailable());
    EXPECT_EQ(s.taxPercentage(), 0.0);
    EXPECT_EQ(s.defaultTaxPercentage(), 0.0);
    EXPECT_TRUE(s.buyersEnabled());
    EXPECT_FALSE(s.catalogEnabled());
    EXPECT_FALSE(s.customCvmLimit().isValid());
    EXPECT_FALSE(s.contactlessTransactionLimit().isValid());
    EXPECT_FALSE(s.manualEntry());
    EXPECT_EQ(s.transactionalQR(), nullptr);
    EXPECT_EQ(s.settingsQR(), nullptr);
    EXPECT_EQ(s.currencies(), AccountSettings::builtInCurrencies());
    EXPECT_EQ(s.currencies().first().toMap().value("code"), "484");
    EXPECT_TRUE(s.tipsEnabled());
    EXPECT_EQ(s.midSouth(), "");
    EXPECT_FALSE(s.hasSubusers());
    EXPECT_FALSE(s.subusersEnabled());
    EXPECT_FALSE(s.feedbackEnabled());
    EXPECT_FALSE(s.feedbackSwitchEnabled());
    EXPECT_EQ(s.selectedCardReader(), 6);
    EXPECT_EQ(s.signatureLimitAmount(), 0.0);
    EXPECT_EQ(s.signatureLimitCurrencyCode(), "484");
    EXPECT_EQ(s.defaultTipIndex(), 1);
    EXPECT_EQ(s.mandatoryTipPercentage(), 0.0);
    EXPECT_TRUE(s.tipsList().isEmpty());
    EXPECT_TRUE(s.bankInfo().isEmpty());
    EXPECT_FALSE(s.discountsEnabled());
    EXPECT_EQ(s.defaultDiscountIndex(), -1);
    EXPECT_EQ(s.discountsList(), doubles({0.05, 0.10, 0.20}));
    EXPECT_EQ(s.taxMode(), "");
    EXPECT_FALSE(s.taxEnabled());
    EXPECT_TRUE(s.signEnabled());
    EXPECT_FALSE(s.isSubUser() || s.canAccessUserHistory() || s.canAccessFullHistory() ||
                 s.canMakeRefunds() || s.canMakeCancellations() || s.canEditCatalog() ||
                 s.canHaveSubusers() || s.canAccessBuyers());
    EXPECT_TRUE(s.canEditGeneralSettings());
    EXPECT_FALSE(s.installmentsEnabled());
    EXPECT_TRUE(s.cardOperationsEnabled());
    EXPECT_EQ(s.digitalAccountId(), "");
    EXPECT_FALSE(s.hasVirtualAccount());
    EXPECT_EQ(s.accountType(), nullptr);
}

TEST_F(AccountSettingsTest, CurrencyListIsKeptUntilANonEmptyOneArrives) {
    settings->loadWithDictionary(json(R"({"currencies": []})"));
    EXPECT_EQ(settings->currencies(), AccountSettings::builtInCurrencies());

    settings->loadWithDictionary(
        json(R"({"currencies": [{"code":"032"},{"code":"840"},{"code":"986"}]})"));
    ASSERT_EQ(settings->currencies().size(), 3);
    // An empty list, another JSON type or JSON null never replaces or empties the list.
    for (const char* answer : {R"({"currencies": []})", R"({"currencies": "484"})",
                               R"({"currencies": {"code": "484"}})", R"({"currencies": null})"}) {
        settings->loadWithDictionary(json(answer));
        EXPECT_EQ(settings->currencies().size(), 3) << answer;
    }
    settings->reset();
    EXPECT_EQ(settings->currencies().size(), 3);
}

TEST_F(AccountSettingsTest, CurrencyInForce) {
    const char* answer = R"({"currencies": [{"code": "032", "symbol": "AR$", "es": "Pesos",
        "en": "Argentine pesos", "exchangeRate": "0.02"}, {"code": "840", "symbol": "USD"}]})";
    settings->loadWithDictionary(json(answer));
    auto currency = Currency::instance();
    EXPECT_EQ(currency->format(), "AR$");
    EXPECT_EQ(currency->code(), "032");
    EXPECT_EQ(currency->name(), "Pesos");

    settings->setAppLanguage("en");
    settings->loadWithDictionary(json(answer));
    EXPECT_EQ(currency->name(), "Argentine pesos");

    // The currency last chosen on the amount screen wins over the first of the list.
    UserDefaults::standardUserDefaults().setObject(
        QVariantMap{{"format", "USD"}, {"code", "840"}, {"name", "Dolares"}}, "defaultCurrency");
    settings->loadWithDictionary(json(answer));
    EXPECT_EQ(currency->code(), "840");
    EXPECT_EQ(currency->name(), "Dolares");
    // A saved value of another shape counts as none.
    UserDefaults::standardUserDefaults().setObject(QString("840"), "defaultCurrency");
    settings->loadWithDictionary(json(answer));
    EXPECT_EQ(currency->code(), "032");
    currency->reset();
}

TEST_F(AccountSettingsTest, KeysReadAsDesigned) {
    struct Case {
        const char* answer;
        std::function<bool(const AccountSettings&)> holds;
    };
    const Case cases[] = {
        {R"({"signatureLimitCurrencyCode": ""})",
         [](auto& s) { return s.signatureLimitCurrencyCode() == "484"; }},
        {R"({"signatureLimitCurrencyCode": 32})",
         [](auto& s) { return s.signatureLimitCurrencyCode() == "32"; }},
        {R"({"signatureLimitCurrencyCode": "0840"})",
         [](auto& s) { return s.signatureLimitCurrencyCode() == "840"; }},
        {R"({"signatureLimitCurrencyCode": null})",
         [](auto& s) { return s.signatureLimitCurrencyCode() == "484"; }},
        {R"({"hasSubusers": true})",
         [](auto& s) { return s.hasSubusers() && s.subusersEnabled(); }},
        {R"({"tutorialCatalog": false})", [](auto& s) { return s.tutorialCatalog(); }},
        {R"({"mode": "LIST"})", [](auto& s) { return !s.catalogDefault(); }},
        {R"({"mode": "list"})", [](auto& s) { return s.catalogDefault(); }},
        {R"({"mode": 1})", [](auto& s) { return !s.catalogDefault(); }},
        {R"({"digitalAccountId": 12345})",
         [](auto& s) { return s.digitalAccountId() == "12345" && s.hasVirtualAccount(); }},
        {R"({"digitalAccountId": null})",
         [](auto& s) { return s.digitalAccountId() == "" && !s.hasVirtualAccount(); }},
        {R"({"discountsToShow": []})", [](auto& s) { return s.discountsList().isEmpty(); }},
        {R"({"discountsToShow": [0.15, "0.3"]})",
         [](auto& s) {
             return s.discountsList() == doubles({0.15, 0.3});
         }},
        {R"({"tipsToShow": [0.1, 0.15], "predefinedTipIndex": "0"})",
         [](auto& s) {
             return s.tipsList() == doubles({0.1, 0.15}) && s.defaultTipIndex() == 0;
         }},
        {R"({"manualEntry": "true", "maxSwipeErrors": 3})",
         [](auto& s) { return s.manualEntry() && s.maxSwipeErrors() == 3; }},
        {R"({"cvmLimit": 400.5, "contactlessTransactionLimit": "1000"})",
         [](auto& s) {
             return s.customCvmLimit() == QVariant(400.5) &&
                    s.contactlessTransactionLimit() == QVariant("1000");
         }},
        {R"({"midSouth": null, "taxMode": "FIXED"})",
         [](auto& s) { return s.midSouth() == "" && s.taxMode() == "FIXED"; }},
        {R"({"retirementFunds": {"bank": "X"}})",
         [](auto& s) { return s.bankInfo().value("bank") == "X"; }},
        // A value of the wrong JSON type reads as an absent key.
        {R"({"tipAvailable": {"a": 1}, "signAvailable": [], "buyersAvailable": null})",
         [](auto& s) { return s.tipsEnabled() && s.signEnabled() && s.buyersEnabled(); }},
        {R"({"refunds": "1", "annulments": 0, "fullHistory": true, "editClients": "yes"})",
         [](auto& s) {
             return s.canMakeRefunds() && !s.canMakeCancellations() && s.canAccessFullHistory() &&
                    s.canAccessBuyers();
         }},
        {R"({"accountType": {"type": 2}})", [](auto& s) { return s.accountType() != nullptr; }},
        {R"({"cbuData": {"blocked": true}})", [](auto& s) { return s.cbuStatus() != nullptr; }},
        {R"({"cbuData": "blocked"})", [](auto& s) { return s.cbuStatus() == nullptr; }},
        {R"({"qrConfig": [{"mode": "settings"}]})",
         [](auto& s) { return s.settingsQR() != nullptr && s.transactionalQR() == nullptr; }},
    };
    for (const Case& c : cases) {
        AccountSettings s;
        s.loadWithDictionary(json(c.answer));
        EXPECT_TRUE(c.holds(s)) << c.answer;
    }
}

TEST_F(AccountSettingsTest, LoadsAccumulateWhereAKeyIsLeftOut) {
    settings->loadWithDictionary(json(R"({"tipsToShow": [0.1, 0.2], "feedbackAvailable": true,
        "feedbackUnreadMessages": 4, "accountType": {}, "canRecharge": true,
        "globalMaxTipPercentage": 0.3, "manualEntry": true, "maxSwipeErrors": 2})"));
    EXPECT_EQ(settings->feedbackUnreadMessages(), 4);

    settings->loadWithDictionary(json(R"({"tipsToShow": [], "feedbackAvailable": false})"));
    EXPECT_EQ(settings->tipsList(), doubles({0.1, 0.2}));
    EXPECT_EQ(settings->feedbackUnreadMessages(), 4);
    EXPECT_NE(settings->accountType(), nullptr);
    EXPECT_TRUE(settings->canRecharge());
    EXPECT_DOUBLE_EQ(settings->globalMaxTipPercentage(), 0.3);
    EXPECT_FALSE(settings->manualEntry());
    EXPECT_EQ(settings->maxSwipeErrors(), 2);

    settings->loadWithDictionary(json(R"({"feedbackAvailable": true})"));
    EXPECT_EQ(settings->feedbackUnreadMessages(), 0);

    settings->reset();
    EXPECT_EQ(settings->accountType(), nullptr);
    EXPECT_EQ(settings->tipsList(), doubles({0.1, 0.2}));
}

TEST_F(AccountSettingsTest, PercentTextsAndUncheckedIndexes) {
    settings->setTipsList(doubles({0.1, 0.15, 0.125, 0.135, 0.005}));
    EXPECT_EQ(settings->getStringTip(0), "10%");
    EXPECT_EQ(settings->getStringTip(1), "15%");
    EXPECT_EQ(settings->getStringTip(2), "12%");
    EXPECT_EQ(settings->getStringTip(3), "14%");
    EXPECT_EQ(settings->getStringTip(4), "0%");
    EXPECT_DOUBLE_EQ(settings->getFloatTip(1), 0.15);

    settings->setDiscountsList(doubles({0.05, 0.1, 0.2, 0.12345, 0.123451, 0.99999, -0.05}));
    EXPECT_EQ(settings->getStringDiscount(0), "5.00%");
    EXPECT_EQ(settings->getStringDiscount(1), "10.00%");
    EXPECT_EQ(settings->getStringDiscount(2), "20.00%");
    EXPECT_EQ(settings->getStringDiscount(3), "12.34%");
    EXPECT_EQ(settings->getStringDiscount(4), "12.35%");
    EXPECT_EQ(settings->getStringDiscount(5), "100.00%");
    EXPECT_EQ(settings->getStringDiscount(6), "-5.00%");

    // The default tip index 1 with no tips received, and other indexes outside the lists.
    AccountSettings fresh;
    fresh.loadWithDictionary({});
    EXPECT_EQ(fresh.getFloatTip(fresh.defaultTipIndex()), 0.0);
    EXPECT_EQ(fresh.getStringTip(fresh.defaultTipIndex()), "");
    EXPECT_EQ(fresh.getFloatDiscount(fresh.defaultDiscountIndex()), 0.0);
    EXPECT_EQ(fresh.getStringDiscount(-1), "");
    EXPECT_EQ(fresh.getStringDiscount(3), "");
}

// The tip and discount texts round an exact half to even, as C's printf does.
TEST_F(AccountSettingsTest, PercentTextsRoundAnExactHalfToEven) {
    struct Case {
        double share;
        const char* tip;
        const char* discount;
    };
    const Case cases[] = {
        {0.105, "10%", "10.50%"}, {0.165, "16%", "16.50%"}, {0.015, "2%", "1.50%"},
        {0.025, "2%", "2.50%"},   {0.00125, "0%", "0.12%"}, {0.00375, "0%", "0.38%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.share);
        settings->setTipsList(doubles({c.share}));
        settings->setDiscountsList(doubles({c.share}));
        EXPECT_EQ(settings->getStringTip(0).toStdString(), c.tip);
        EXPECT_EQ(settings->getStringDiscount(0).toStdString(), c.discount);
    }
}

TEST_F(AccountSettingsTest, TutorialFlagsAreMirroredInTheStore) {
    UserDefaults& store = UserDefaults::standardUserDefaults();
    settings->resetTutorialSettings();
    settings->tutorialSettingsUpdateAmount(false, true, false, false, false, false, false);
    EXPECT_TRUE(settings->tutorialCatalog());
    EXPECT_EQ(store.stringForKey("tutorialCatalog"), "1");
    EXPECT_FALSE(settings->tutorialAmount() || settings->tutorialSalesHistory() ||
                 settings->tutorialBuyers() || settings->tutorialEditCatalog() ||
                 settings->tutorialSubusers() || settings->tutorialConfiguration());
    EXPECT_FALSE(store.hasKey("tutorialAmount") || store.hasKey("tutorialConfiguration"));

    // A new instance finds the stored flag; reset always marks the sale tutorial done.
    AccountSettings next;
    EXPECT_TRUE(next.tutorialCatalog());
    EXPECT_TRUE(next.tutorialAmount());
    EXPECT_FALSE(next.tutorialBuyers());

    settings->resetTutorialSettings();
    EXPECT_FALSE(store.hasKey("tutorialCatalog"));
    settings->reset();
    EXPECT_TRUE(settings->tutorialAmount());
    EXPECT_FALSE(settings->tutorialCatalog() || settings->tutorialSalesHistory() ||
                 settings->tutorialBuyers() || settings->tutorialEditCatalog() ||
                 settings->tutorialSubusers() || settings->tutorialConfiguration());

    settings->tutorialCancelled();
    for (const char* key :
         {"tutorialAmount", "tutorialCatalog", "tutorialSalesHistory", "tutorialBuyers",
          "tutorialEditCatalog", "tutorialSubusers", "tutorialConfiguration"})
        EXPECT_EQ(store.stringForKey(key), "1") << key;
}

TEST_F(AccountSettingsTest, ReaderNamesAndCodes) {
    const std::pair<const char*, int> names[] = {
        {"Dspread_PinPad", 6}, {"DSPREAD", 5},  {"bluepad", 1}, {"e265", 4}, {"d180", 2},
        {"vi218", 3},          {"magicpos", 7}, {"drd50", 0},   {"", 0},     {"dspread ", 0}};
    for (auto [name, code] : names)
        EXPECT_EQ(settings->selectReader(name), code) << name;

    const std::pair<int, const char*> codes[] = {{0, "drd50"},   {8, "drd50"},
                                                 {-1, "drd50"},  {6, "dspread_pinpad"},
                                                 {1, "bluepad"}, {7, "magicpos"}};
    for (auto [code, name] : codes) {
        settings->setSelectedCardReader(code);
        EXPECT_EQ(settings->selectedReaderString(), name) << code;
    }
}

TEST_F(AccountSettingsTest, MenuButtonBadge) {
    struct Case {
        int unread;
        const char* image;
        int width;
    };
    const Case cases[] = {{1, "btn_menu_badge_1.png", 17},
                          {9, "btn_menu_badge_1.png", 16},
                          {10, "btn_menu_badge_2.png", 22},
                          {99, "btn_menu_badge_2.png", 22},
                          {100, "btn_menu_badge_1.png", 16}};
    for (const Case& c : cases) {
        EXPECT_EQ(AccountSettings::menuBadgeImageName(c.unread), c.image) << c.unread;
        EXPECT_EQ(AccountSettings::menuBadgeCountBox(c.unread), QRect(16, 0, c.width, 16));
    }

    auto whiteInBox = [](const QImage& picture) {
        const QImage img = picture.convertToFormat(QImage::Format_ARGB32);
        const qreal scale = img.devicePixelRatio();
        for (int y = 0; y < int(16 * scale); ++y)
            for (int x = int(16 * scale); x < int(38 * scale); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.alpha() > 128 && c.red() > 200 && c.green() > 200 && c.blue() > 200)
                    return true;
            }
        return false;
    };
    settings->setFeedbackEnabled(false);
    settings->setFeedbackUnreadMessages(5);
    EXPECT_FALSE(whiteInBox(settings->menuButtonPicture()));
    settings->setFeedbackEnabled(true);
    const QImage badge = settings->menuButtonPicture();
    EXPECT_EQ(badge.size() / badge.devicePixelRatio(), QSize(38, 26));
    EXPECT_TRUE(whiteInBox(badge));

    std::unique_ptr<QAbstractButton> button(settings->menuButtonImage());
    EXPECT_EQ(button->size(), QSize(38, 26));
    EXPECT_FALSE(button->icon().isNull());
}

} // namespace
