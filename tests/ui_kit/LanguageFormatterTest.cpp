#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <gtest/gtest.h>

TEST(LanguageFormatter, FillsPlaceholdersInOrder) {
    const struct {
        QString text;
        QVariantList arguments;
        QString expected;
    } cases[] = {
        {"Has cobrado %@", {"$ 12,50"}, "Has cobrado $ 12,50"},
        {"%i%% de descuento y %i cuotas", {10, 6}, "10% de descuento y 6 cuotas"},
        {"%d subcategorías", {3}, "3 subcategorías"},
        {"%d subcategorías", {QString("7")}, "7 subcategorías"},
        {"%d cuotas", {2.9}, "2 cuotas"},
        {"%@ x %i un. =", {QString("$ 2,00"), 3}, "$ 2,00 x 3 un. ="},
        {"Total %.0f", {12.6}, "Total 13"},
        {"Total %.2f", {1234.5}, "Total 1234.50"},
        {"%@ pagos", {12}, "12 pagos"},
        {"100%% seguro", {}, "100% seguro"},
        {"sin nada", {1, 2}, "sin nada"},
        // A placeholder without an argument is left out; printf would read past the end.
        {"Ingresa la contraseña actual de %@", {}, "Ingresa la contraseña actual de "},
        {"%i cuotas de %@", {3}, "3 cuotas de "},
        // Values never act as placeholders themselves.
        {"Hola %@ y %@", {QString("%d%@"), QString("Ana")}, "Hola %d%@ y Ana"},
        {"50% off %s %", {}, "50% off %s %"},
        {"%.f y %.", {1}, "%.f y %."},
        {"{DAY} de {MONTH}", {1}, "{DAY} de {MONTH}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextFormatter::format(c.text, c.arguments), c.expected) << c.text.toStdString();
}

TEST(LanguageFormatter, FillsTableTexts) {
    EXPECT_EQ(
        TextFormatter::format(Language::textForFile("InstallmentsPicker", "ofPercentage"), {15}),
        " del 15%");
    EXPECT_EQ(
        TextFormatter::format(
            Language::textForFile("AvailableCreditCards", "descriptionWithDiscount"), {20, 3}),
        "20% de descuento y 3 cuotas");
    const QString promotion = TextFormatter::format(
        Language::textForFile("InstallmentsPicker", "addPromotion"),
        {TextFormatter::format(Language::textForFile("InstallmentsPicker", "ofAmount"),
                               {"$ 5,00"})});
    EXPECT_TRUE(promotion.startsWith("La venta ya posee un descuento manual de $ 5,00\r\n"));
}
