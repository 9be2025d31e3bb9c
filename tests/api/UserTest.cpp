#include "SDK/session/User.h"
#include "SDK/session/CacheHelper.h"
#include "platform/core/UserDefaults.h"
#include "support/TestSupport.h"
#include "ui_kit/texts/Language.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

TEST(User, LoadReadsEachPresentKey) {
    User user;
    user.setFirstName("Kept");
    user.loadWithDictionary({{"userId", 12345},
                             {"token", "T1"},
                             {"email", "m@shop.example"},
                             {"accountActive", "yes"},
                             {"provinceId", "7abc"},
                             {"sessionTimeout", 300},
                             {"birthdate", "1990-02-03"},
                             {"canUseLending", QVariant::fromValue(nullptr)},
                             {"subsidiaries", QVariantList{QVariantMap{{"id", 1}}}},
                             {"defaultSubsidiaryId", 4.9},
                             {"helpURLes", "https://help/es"},
                             {"helpURLen", "https://help/en"},
                             {"termsURLes", "https://terms/es"}});
    EXPECT_TRUE(user.isLoggedIn());
    EXPECT_EQ(user.userId(), "12345");
    EXPECT_EQ(user.token(), "T1");
    EXPECT_EQ(user.emailAddress(), "m@shop.example");
    EXPECT_TRUE(user.isAccountActive());
    EXPECT_EQ(user.provinceId(), 7);
    EXPECT_EQ(user.sessionTimeout(), 300);
    EXPECT_EQ(user.birthdate().date(), QDate(1990, 2, 3));
    EXPECT_FALSE(user.canUseLendings());
    EXPECT_EQ(user.branches().size(), 1);
    EXPECT_EQ(user.branchId(), 4);
    EXPECT_EQ(user.firstName(), "Kept");
    EXPECT_EQ(user.helpURLs(), (QVariantMap{{"es", "https://help/es"}, {"en", "https://help/en"}}));
    EXPECT_EQ(user.termsURLs(), (QVariantMap{{"es", "https://terms/es"}}));
}

TEST(User, UserIdAndEdgeCasesOfTheLoad) {
    const std::pair<QVariant, QString> ids[] = {
        {12345, "12345"}, {"12345", "12345"}, {"abc", "0"}, {" 42x", "42"}, {-3, "-3"}};
    for (const auto& [value, expected] : ids) {
        User user;
        user.loadWithDictionary({{"userId", value}});
        EXPECT_EQ(user.userId(), expected) << value.toString().toStdString();
    }

    User empty;
    empty.setImage(QImage(1, 1, QImage::Format_RGB32));
    empty.setToken("old");
    empty.loadWithDictionary({});
    EXPECT_TRUE(empty.isLoggedIn());
    EXPECT_TRUE(empty.image().isNull());
    EXPECT_TRUE(empty.termsURLs().isEmpty());
    EXPECT_EQ(empty.token(), "old");
    EXPECT_EQ(empty.helpURLs(),
              (QVariantMap{{"es", User::defaultHelpURL}, {"en", User::defaultHelpURL}}));

    User partial;
    partial.loadWithDictionary({{"helpURLes", "x"},
                                {"termsURLLastes", "le"},
                                {"termsURLLasten", "ln"},
                                {"birthdate", "03/02/1990"},
                                {"token", QVariant::fromValue(nullptr)}});
    EXPECT_EQ(partial.helpURLs().value("es").toString(), User::defaultHelpURL);
    EXPECT_EQ(partial.termsURLs(), (QVariantMap{{"lastes", "le"}, {"lasten", "ln"}}));
    EXPECT_FALSE(partial.birthdate().isValid());
    EXPECT_EQ(partial.token(), "");
}

TEST(User, CopyLeavesLendingOff) {
    User user;
    user.loadWithDictionary({{"userId", 9}, {"canUseLending", true}});
    ASSERT_TRUE(user.canUseLendings());
    const auto copy = user.copy();
    EXPECT_FALSE(copy->canUseLendings());
    EXPECT_EQ(copy->userId(), "9");
    EXPECT_TRUE(copy->isLoggedIn());
}

TEST(User, EmailAndPasswordRules) {
    const std::pair<const char*, bool> emails[] = {
        {"a@b.co", true},     {" a@b.co ", true},  {"a.b_c%d+e-f@x-y.example.org", true},
        {"a@b.email", false}, {"a@b.c", false},    {"ab.co", false},
        {"\ta@b.co", false},  {"a@b.co\n", false}, {"a b@c.co", false},
        {"", false}};
    for (const auto& [email, valid] : emails)
        EXPECT_EQ(User::isValidEmail(email), valid) << email;

    const std::pair<QString, bool> passwords[] = {
        {QString(7, u'a'), false},  {QString(8, u'a'), true}, {QString(19, u'7'), true},
        {QString(20, u'a'), false}, {"abcd_efgh", false},     {"abcdéfgh", false},
        {"abcd efgh", false},       {" abcdefgh", false}};
    for (const auto& [password, valid] : passwords)
        EXPECT_EQ(User::isValidPassword(password), valid) << password.toStdString();
}

TEST(UserAccountType, ReadsTheAnswer) {
    const auto occasional = UserAccountType::withDictionary({{"accountType", "occasional"},
                                                             {"maxMonthlyAmount", "1500.5"},
                                                             {"currentMonthlyAmount", 20},
                                                             {"documentNumber", "DN"},
                                                             {"idFiscal", "IF"},
                                                             {"legalName", "Shop SA"},
                                                             {"email", "a@b.co"},
                                                             {"taxCondition", "RI"}});
    EXPECT_EQ(occasional->type(), 0u);
    EXPECT_DOUBLE_EQ(occasional->maxMounthlyAmount(), 1500.5);
    EXPECT_DOUBLE_EQ(occasional->currentMounthlyAmount(), 20.0);
    EXPECT_EQ(occasional->legalNumber(), "DN");
    EXPECT_EQ(occasional->legalName(), "Shop SA");
    EXPECT_EQ(occasional->netIncome(), "RI");

    EXPECT_EQ(UserAccountType::withDictionary({{"accountType", "OCCASIONAL"}})->type(), 0u);
    EXPECT_EQ(UserAccountType::withDictionary({{"accountType", "pro"}})->type(), 1u);
    const auto bare = UserAccountType::withDictionary(
        {{"idFiscal", "IF"}, {"legalName", QVariant::fromValue(nullptr)}});
    EXPECT_EQ(bare->type(), 0u);
    EXPECT_EQ(bare->legalNumber(), "IF");
    EXPECT_TRUE(bare->legalName().isNull());
}

TEST(User, ChangingThePictureDropsTheCachedOneAndRewritesTheStoredAnswer) {
    TemporaryDefaults defaults;
    QStandardPaths::setTestModeEnabled(true);
    const QString documents =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Documents";
    QDir().mkpath(documents);
    QFile cached(documents + "/old.png");
    ASSERT_TRUE(cached.open(QIODevice::WriteOnly));
    cached.close();
    UserDefaults::standardUserDefaults().setObject(
        CacheHelper::encodeAnswer({{"profileImageUrl", "https://img/old.png"}, {"userId", 3}}),
        "lastUser");

    User user;
    user.setImageURL("https://img/old.png");
    QImage picture(2, 2, QImage::Format_RGB32);
    user.changePicture(picture, "https://img/new.png");
    EXPECT_EQ(user.imageURL(), "https://img/new.png");
    EXPECT_FALSE(user.image().isNull());
    EXPECT_FALSE(QFile::exists(documents + "/old.png"));
    const QVariantMap stored = CacheHelper::decodeAnswer(
        UserDefaults::standardUserDefaults().objectForKey("lastUser").toByteArray());
    EXPECT_EQ(stored.value("profileImageUrl").toString(), "https://img/new.png");
    EXPECT_EQ(stored.value("userId").toInt(), 3);

    // With no address before, nothing is deleted.
    QFile keep(documents + "/keep.png");
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    User fresh;
    fresh.changePicture(picture, "https://img/keep.png");
    EXPECT_TRUE(QFile::exists(documents + "/keep.png"));
    QFile::remove(documents + "/keep.png");
    QStandardPaths::setTestModeEnabled(false);
}

TEST(UserAccountType, DescriptionNamesTheType) {
    UserAccountType type;
    EXPECT_EQ(type.description(), Language::textForFile("AccountType", "occasional"));
    type.setType(1);
    EXPECT_EQ(type.description(), Language::textForFile("AccountType", "professional"));
    EXPECT_FALSE(type.description()->isEmpty());
    type.setType(2);
    EXPECT_EQ(type.description(), std::nullopt);
}
