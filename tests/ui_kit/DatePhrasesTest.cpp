#include "Printers.h"
#include "ui_kit/texts/Language.h"

#include <gtest/gtest.h>

TEST(DatePhrases, ShowTheYearOnlyForEarlierYears) {
    const int year = QDate::currentDate().year();
    struct Case {
        QDate date;
        QString phrase;
    } cases[] = {
        {QDate(year, 3, 5), "5 de marzo"},
        {QDate(year - 1, 3, 5), QStringLiteral("5 de marzo, %1").arg(year - 1)},
        {QDate(year + 1, 3, 5), "5 de marzo"},
        {QDate(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Language::verboseDate(c.date), c.phrase) << c.date.toString().toStdString();

    EXPECT_EQ(Language::verboseDateShowYear(QDate(2023, 12, 31), true), "31 de diciembre, 2023");
    EXPECT_EQ(Language::verboseDateShowYear(QDate(2023, 12, 31), false), "31 de diciembre");
    EXPECT_EQ(Language::verboseDateShowYear(QDate(), true), "");
    EXPECT_EQ(Language::verboseShortDate(QDate(2024, 1, 1)), "1 ene");
    EXPECT_EQ(Language::verboseShortDate(QDate()), "");
}
