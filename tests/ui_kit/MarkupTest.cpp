#include "ui_kit/Markup.h"

#include <gtest/gtest.h>

namespace markup_test {

TEST(Markup, BoldRunsBecomeRichTextAndEverythingElseStaysText) {
    const struct {
        const char* markup;
        const char* rich;
    } cases[] = {
        {"Conecta el **cable USB**", "Conecta el <b>cable USB</b>"},
        {"**a** y **b**", "<b>a</b> y <b>b</b>"},
        {"a ** b", "a ** b"},                                    // no pair: as written
        {"**a** ** b", "<b>a</b> ** b"},                         // the last mark alone stays
        {"1 < 2 & **3 > 2**", "1 &lt; 2 &amp; <b>3 &gt; 2</b>"}, // HTML characters escaped
        {"llamá\n**0800**", "llamá<br><b>0800</b>"},             // line breaks kept
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Markup::richText(QString::fromUtf8(c.markup)), QString::fromUtf8(c.rich))
            << c.markup;
}

} // namespace markup_test
