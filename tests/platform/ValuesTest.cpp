#include "platform/core/Values.h"
#include "platform/core/SafeDictionary.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonDocument>
#include <limits>

namespace {

QVariantMap json(const char* text) {
    return QJsonDocument::fromJson(text).toVariant().toMap();
}

TEST(Values, DescribeGivesTheRuntimeText) {
    const struct {
        QVariant value;
        const char* text;
    } cases[] = {
        {Values::jsonNull(), "<null>"},
        {true, "1"},
        {false, "0"},
        {42, "42"},
        {42.0, "42"},
        {2.5, "2.5"},
        {0.1, "0.1"},
        {qint64(-7), "-7"},
        {QString("abc"), "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Values::describe(c.value), QString(c.text)) << c.text;
}

TEST(Values, LenientReadingsTakeTheLeadingNumber) {
    EXPECT_EQ(Values::lenientInteger("12abc"), 12);
    EXPECT_EQ(Values::lenientInteger("  -34"), -34);
    EXPECT_EQ(Values::lenientInteger("abc"), 0);
    EXPECT_EQ(Values::lenientInteger("99999999999999999999"), std::numeric_limits<qint64>::max());
    EXPECT_DOUBLE_EQ(Values::lenientDouble(" 3.25xyz"), 3.25);
    EXPECT_DOUBLE_EQ(Values::lenientDouble("-1e3"), -1000.0);
    EXPECT_DOUBLE_EQ(Values::lenientDouble("."), 0.0);
    EXPECT_TRUE(Values::lenientBool(" 007"));
    EXPECT_TRUE(Values::lenientBool("yes"));
    EXPECT_TRUE(Values::lenientBool("true"));
    EXPECT_FALSE(Values::lenientBool("000"));
    EXPECT_FALSE(Values::lenientBool("no"));
}

TEST(SafeDictionary, MissingNullAndWrongKinds) {
    const QVariantMap d =
        json(R"({"nul":null,"s":"42","n":42,"f":2.9,"e":"","a":{"b":5},"l":[1]})");
    EXPECT_EQ(SafeDictionary::safeObjectForKey(d, "x"), QString(""));
    EXPECT_FALSE(SafeDictionary::hasKey(d, "x"));
    EXPECT_EQ(SafeDictionary::integerForKeyPath(d, "x"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(SafeDictionary::doubleForKeyPath(d, "x"), 9.223372036854776e18);
    EXPECT_TRUE(SafeDictionary::arrayForKeyPath(d, "x").isEmpty());

    EXPECT_FALSE(SafeDictionary::hasKey(d, "nul"));
    EXPECT_EQ(SafeDictionary::safeObjectForKey(d, "nul"), QString("<null>"));
    EXPECT_EQ(SafeDictionary::stringForKeyPath(d, "nul", "d"), QString("d"));

    EXPECT_EQ(SafeDictionary::integerForKeyPath(d, "s", 7), 7);
    EXPECT_EQ(SafeDictionary::stringForKeyPath(d, "s"), QString("42"));
    EXPECT_EQ(SafeDictionary::stringForKeyPath(d, "n"), QString("42"));
    EXPECT_EQ(SafeDictionary::safeObjectForKey(d, "n"), QString("42"));
    EXPECT_EQ(SafeDictionary::doubleForKeyPath(d, "n"), 42.0);
    EXPECT_EQ(SafeDictionary::integerForKeyPath(d, "f"), 2);
    EXPECT_EQ(SafeDictionary::integerForKeyPath(d, "a.b"), 5);
    EXPECT_EQ(SafeDictionary::integerForKeyPath(d, "a.c", 3), 3);
    EXPECT_EQ(SafeDictionary::integerForKeyPath(d, "s.deeper", 3), 3);
    EXPECT_EQ(SafeDictionary::arrayForKeyPath(d, "a", {QVariant(1), QVariant(2)}).size(), 2);
    EXPECT_EQ(SafeDictionary::arrayForKeyPath(d, "l").size(), 1);
    EXPECT_TRUE(SafeDictionary::hasKey(d, "e"));
}

TEST(UserDefaults, StoresOwnerOnlyAndSurvivesReopen) {
    TemporaryDefaults defaults;
    UserDefaults::standardUserDefaults().setObject(QVariantMap{{"a", 1}}, "lastMode");
    const QString path = UserDefaults::standardUserDefaults().filePath();
    EXPECT_EQ(QFile::permissions(path).toInt() & 0x0077, 0) << "group and others must not read it";
    Services::set(std::make_shared<UserDefaults>(defaults.path()));
    EXPECT_EQ(UserDefaults::standardUserDefaults().objectForKey("lastMode").toMap().value("a"), 1);
}

TEST(HostAssert, ThrowingHandlerReportsTheMessage) {
    EXPECT_EQ(assertionMessage([] { HostAssert::fail("boom"); }), "boom");
    EXPECT_EQ(assertionMessage([] { HostAssert::check(true, "no"); }), "");
}

} // namespace
