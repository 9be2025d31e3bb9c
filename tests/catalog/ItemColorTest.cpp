#include "catalog/ItemColor.h"
#include "catalog/CatalogLook.h"

#include <gtest/gtest.h>

TEST(ItemColor, PaletteByIndexAndNoneOutside) {
    const struct {
        int index;
        int r, g, b;
    } cases[] = {{0, 102, 102, 102},
                 {1, 175, 20, 60},
                 {3, 210, 140, 10},
                 {5, 0, 135, 135},
                 {8, 110, 50, 170}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const auto color = ItemColor::colorWithName(c.index);
        ASSERT_TRUE(color);
        EXPECT_EQ(color->red(), c.r);
        EXPECT_EQ(color->green(), c.g);
        EXPECT_EQ(color->blue(), c.b);
        EXPECT_EQ(color->alphaF(), 1.0);
    }
    EXPECT_FLOAT_EQ(float(ItemColor::colorWithName(0)->redF()), 0.4f);
    EXPECT_FALSE(ItemColor::colorWithName(9));
    EXPECT_FALSE(ItemColor::colorWithName(-1));
    const QList<QColor> all = ItemColor::availableColors();
    ASSERT_EQ(all.size(), 9);
    EXPECT_EQ(all.first(), *ItemColor::colorWithName(0));
    EXPECT_EQ(all.last(), *ItemColor::colorWithName(8));
}

TEST(ItemColor, FontFollowsTheSideAndTheImageIsSquare) {
    const QColor green = *ItemColor::colorWithName(4);
    auto small = ItemColor::avatarView("a", green, 70);
    EXPECT_EQ(small->letter()->font().family(), QStringLiteral("HelveticaNeue"));
    EXPECT_EQ(small->letter()->font().pointSizeF(), ItemColor::kDesignFontSize);
    EXPECT_EQ(small->letter()->text(), QStringLiteral("a")); // case kept
    auto big = ItemColor::avatarView("a", green, 71);
    EXPECT_EQ(big->letter()->font().family(), QStringLiteral("HelveticaNeue-Medium"));
    EXPECT_EQ(big->letter()->font().pointSizeF(), 32.0);

    for (int side : {46, 120}) {
        const QImage image = ItemColor::itemWithLetter("C", green, side);
        EXPECT_EQ(image.size(), QSize(side, side));
        // The disc fills the middle with the colour; the corners stay clear.
        const QColor middleLeft = image.pixelColor(side / 8, side / 2);
        EXPECT_NEAR(middleLeft.green(), green.green(), 3);
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    }
    // An empty text still gives a disc.
    const QImage bare = ItemColor::itemWithLetter(QString(), green, 46);
    EXPECT_NEAR(bare.pixelColor(23, 23).green(), green.green(), 3);
}

TEST(CatalogLook, IntegerReadingPercentAndKeypadCents) {
    const struct {
        const char* text;
        int value;
    } integers[] = {{"12", 12}, {"  42x", 42}, {"-3", -3},  {"+7", 7},
                    {"x1", 0},  {"", 0},       {"0005", 5}, {"99999999999", 2147483647}};
    for (const auto& c : integers)
        EXPECT_EQ(CatalogLook::integerValue(c.text), c.value) << c.text;

    const struct {
        double fraction;
        const char* text;
    } percents[] = {{0, "0%"},      {0.35, "35%"},  {0.15, "15%"},  {1, "100%"},
                    {0.125, "12%"}, {0.135, "14%"}, {0.2929, "29%"}};
    for (const auto& c : percents)
        EXPECT_EQ(CatalogLook::percentText(c.fraction), QString(c.text)) << c.fraction;

    EXPECT_EQ(CatalogLook::centsOfKeypadText("$1.234,56"), 123456);
    EXPECT_EQ(CatalogLook::centsOfKeypadText("U$D 3,50"), 350);
    EXPECT_EQ(CatalogLook::centsOfKeypadText("$0,00"), 0);
    EXPECT_EQ(CatalogLook::firstCharacter(QString()), QString());
    EXPECT_EQ(CatalogLook::firstCharacter("Café"), QString("C"));
}
