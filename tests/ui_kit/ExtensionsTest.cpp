#include "platform/ui/Services.h"
#include "ui_kit/Extensions/Deprecations.h"
#include "ui_kit/Extensions/Formatter.h"
#include "ui_kit/Extensions/IsoInstances.h"
#include "ui_kit/Extensions/Map.h"
#include "ui_kit/Extensions/Taxes.h"
#include "ui_kit/Extensions/Traits.h"

#include <QFontMetricsF>
#include <QTimeZone>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool isWhole(qreal v) {
    return std::floor(v) == v;
}

struct FakeTax {
    int id;
    mutable int asked = 0;
    bool equalsToTax(const FakeTax& other) const {
        ++asked;
        return other.id == id;
    }
};

} // namespace

TEST(ExtensionsMeasuring, RoundsUpInSinglePrecision) {
    EXPECT_EQ(Deprecations::roundedUp(QSizeF(100.01, 20.2)), QSizeF(101, 21));
    EXPECT_EQ(Deprecations::roundedUp(QSizeF(20, 0)), QSizeF(20, 0));
    // Below float resolution the value is already whole.
    EXPECT_EQ(Deprecations::roundedUp(QSizeF(20.000000001, 7.5)), QSizeF(20, 8));
}

TEST(ExtensionsMeasuring, BoundedSizeWrapsWithinTheWidth) {
    QFont font;
    font.setPointSizeF(14);
    const QFontMetricsF metrics(font);
    const QString text = "Por favor, enciende el lector y aguarda unos instantes...";
    const QSizeF wide =
        Deprecations::deprecatedSizeWithFontConstrainedToSize(text, font, QSizeF(10000, 10000));
    EXPECT_TRUE(isWhole(wide.width()) && isWhole(wide.height()));
    EXPECT_GE(wide.width(), metrics.horizontalAdvance(text));
    EXPECT_LT(wide.width(), metrics.horizontalAdvance(text) + 1);

    const qreal narrowWidth = std::ceil(wide.width() / 3);
    const QSizeF narrow = Deprecations::deprecatedSizeWithFontConstrainedToSize(
        text, font, QSizeF(narrowWidth, 10000));
    EXPECT_LE(narrow.width(), narrowWidth);
    EXPECT_GE(narrow.height(), 3 * metrics.lineSpacing() - 1);

    const QSizeF clipped = Deprecations::deprecatedSizeWithFontConstrainedToSizeLineBreakMode(
        text, font, QSizeF(narrowWidth, 10000), LineBreakMode::ByTruncatingTail);
    EXPECT_EQ(clipped.height(), wide.height());
    EXPECT_LE(clipped.width(), narrowWidth);

    const QSizeF capped = Deprecations::deprecatedSizeWithFontConstrainedToSize(
        text, font, QSizeF(narrowWidth, metrics.height()));
    EXPECT_LE(capped.height(), std::ceil(metrics.height()));
    EXPECT_EQ(
        Deprecations::deprecatedSizeWithFontConstrainedToSize("", font, QSizeF(100, 100)).width(),
        0);
}

TEST(ExtensionsMeasuring, OneLineSizeShrinksTheFontDownToTheMinimum) {
    QFont font;
    font.setPointSizeF(20);
    const QString text = "Total a cobrar con impuestos incluidos";
    qreal used = 0;
    const QSizeF roomy = Deprecations::deprecatedSizeWithFontMinFontSize(
        text, font, 10, &used, 5000, LineBreakMode::ByTruncatingTail);
    EXPECT_EQ(used, 20);
    EXPECT_EQ(roomy.width(), std::ceil(QFontMetricsF(font).horizontalAdvance(text)));

    const qreal width = roomy.width() * 0.7;
    const QSizeF shrunk = Deprecations::deprecatedSizeWithFontMinFontSize(
        text, font, 10, &used, width, LineBreakMode::ByTruncatingTail);
    EXPECT_LT(used, 20);
    EXPECT_GE(used, 10);
    EXPECT_LE(shrunk.width(), std::ceil(width));
    EXPECT_LT(shrunk.height(), roomy.height() + 1);

    const QSizeF floor = Deprecations::deprecatedSizeWithFontMinFontSize(
        text, font, 12, &used, 20, LineBreakMode::ByTruncatingTail);
    EXPECT_EQ(used, 12);
    EXPECT_EQ(floor.width(), 20);
}

TEST(ExtensionsTraits, IdiomComesFromTheDeviceSetting) {
    const Device::Idiom before = Device::current().idiom();
    Device::current().setIdiom(Device::Idiom::Phone);
    EXPECT_FALSE(Traits::isIpad());
    EXPECT_FALSE(Traits::hasRegularWidth());
    Device::current().setIdiom(Device::Idiom::Pad);
    EXPECT_TRUE(Traits::isIpad());
    EXPECT_TRUE(Traits::hasRegularWidth());
    Device::current().setIdiom(before);
}

TEST(ExtensionsCollections, ContainsTaxAsksTheTaxInOrderUntilTheFirstMatch) {
    const FakeTax tax{2};
    EXPECT_FALSE(Taxes::containsTax(QList<FakeTax>{}, tax));
    EXPECT_EQ(tax.asked, 0);
    EXPECT_TRUE(Taxes::containsTax(QList<FakeTax>{{1}, {2}, {2}}, tax));
    EXPECT_EQ(tax.asked, 2);
    EXPECT_FALSE(Taxes::containsTax(QList<FakeTax>{{5}}, FakeTax{6}));

    const auto shared = std::make_shared<FakeTax>(FakeTax{3});
    const QList<std::shared_ptr<FakeTax>> list{nullptr, std::make_shared<FakeTax>(FakeTax{3})};
    EXPECT_TRUE(Taxes::containsTax(list, shared));
    EXPECT_FALSE(Taxes::containsTax(list, std::shared_ptr<FakeTax>()));
}

TEST(ExtensionsCollections, MapKeepsOrderAndPassesIndexOrKey) {
    const QList<QString> names{"IVA", "INC"};
    EXPECT_EQ(
        Map::mapObjectsUsingBlock(
            names, [](const QString& name, qsizetype i) { return name + QString::number(i); }),
        (QList<QString>{"IVA0", "INC1"}));
    const QMap<QString, int> rates{{"a", 1}, {"b", 2}};
    const auto mapped = Map::mapDictionaryObjectsUsingBlock(
        rates, [](int value, const QString& key) { return key + "=" + QString::number(value); });
    EXPECT_EQ(mapped, (QMap<QString, QString>{{"a", "a=1"}, {"b", "b=2"}}));
}

TEST(ExtensionsFormatter, ReadsTheDigitsAsCents) {
    const auto echo = [](double amount) { return QString::number(amount, 'f', 2); };
    EXPECT_EQ(Formatter::formatWithFormatter("abc", echo), "0.00");
    EXPECT_EQ(Formatter::formatWithFormatter("", echo), "0.00");
    EXPECT_EQ(Formatter::formatWithFormatter("12", echo), "0.12");
    EXPECT_EQ(Formatter::formatWithFormatter("$ 1.234,56", echo), "1234.56");
    EXPECT_EQ(Formatter::formatWithFormatter("-٣5x0", echo), "0.50");
}

TEST(ExtensionsDates, IsoFormattersAreSharedAndFixed) {
    EXPECT_EQ(&IsoInstances::isoDateFormatter(), &IsoInstances::isoDateFormatter());
    const QDateTime when(QDate(2024, 3, 7), QTime(9, 5, 4), Qt::LocalTime);
    EXPECT_EQ(IsoInstances::isoDateFormatter().stringFromDate(when), "2024-03-07");
    EXPECT_EQ(IsoInstances::isoDateTimeFormatter().stringFromDate(when), "2024-03-07 09:05:04");
    EXPECT_EQ(IsoInstances::isoDateTimeFormatter().dateFromString("2024-03-07 09:05:04"), when);
    EXPECT_EQ(IsoInstances::isoDateFormatter().dateFromString("2024-03-07").date(),
              QDate(2024, 3, 7));
    EXPECT_FALSE(IsoInstances::isoDateFormatter().dateFromString("07/03/2024").isValid());
    EXPECT_FALSE(IsoInstances::isoDateTimeFormatter().dateFromString("2024-03-07").isValid());
    EXPECT_EQ(IsoInstances::isoDateFormatter().stringFromDate(QDateTime()), "");
    // Another time zone is shown in the device's local time.
    const QDateTime utc = when.toUTC();
    EXPECT_EQ(IsoInstances::isoDateTimeFormatter().stringFromDate(utc), "2024-03-07 09:05:04");
}
