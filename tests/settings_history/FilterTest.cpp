#include "HistoryFixture.h"

#include "platform/ui/NavigationItem.h"
#include "settings/history/SaleHistoryDateCell.h"
#include "settings/history/SaleHistoryFilterController.h"
#include "ui_kit/GenericListTableViewCell.h"
#include "ui_kit/texts/Language.h"

#include <QCalendarWidget>
#include <QLabel>

using namespace historytest;

namespace {

class ChosenFilters : public SaleHistoryFilterDelegate {
public:
    void changeFilter(const QVariantMap& filter) override { received << filter; }
    QList<QVariantMap> received;
};

class FilterTest : public HistoryTest {
protected:
    // The filter screen presented in a navigation controller, as the history list shows it.
    SaleHistoryFilterController* open(const QVariantMap& selected) {
        auto* screen = qobject_cast<SaleHistoryFilterController*>(Storyboard::instantiate(
            QStringLiteral("History"), QStringLiteral("SaleHistoryFilter")));
        EXPECT_NE(screen, nullptr);
        if (!screen)
            return nullptr;
        if (!selected.isEmpty())
            screen->setSelectedFilter(selected);
        screen->setDelegate(&chosen);
        window->rootViewController()->presentViewController(new NavigationController(screen),
                                                            false);
        settle();
        return screen;
    }
    static void tap(SaleHistoryFilterController* screen, int row) {
        screen->tableView()->tapRowAtIndexPath({0, row});
    }
    static QString rowText(SaleHistoryFilterController* screen, int row) {
        auto* cell = qobject_cast<GenericListTableViewCell*>(
            screen->tableView()->cellForRowAtIndexPath({0, row}));
        return cell ? cell->label()->text() : QString();
    }
    static void confirm(SaleHistoryFilterController* screen) {
        screen->navigationItem()->rightBarButtonItems().first().action();
    }
    // Picks a day on an open date cell as the merchant does.
    static void pick(SaleHistoryDateCell* cell, const QDate& day) {
        cell->datePicker()->setSelectedDate(day);
    }
    QDateTime at(int year, int month, int day) const {
        return QDate(year, month, day).startOfDay(zone);
    }

    ChosenFilters chosen;
};

TEST_F(FilterTest, OpensOnThePeriodInForce) {
    const QDateTime today = at(2023, 3, 10);
    const struct Case {
        const char* name;
        QVariantMap selected;
        int row;
        int rows;
        QDateTime from, to;
    } cases[] = {
        {"none given", {}, 0, 4, today, today},
        {"last 30 days", {{"index", 2}}, 2, 4, at(2023, 2, 8), today},
        {"custom with dates",
         {{"index", 3}, {"from", at(2022, 12, 1)}, {"to", at(2023, 1, 15)}},
         3,
         6,
         at(2022, 12, 1),
         at(2023, 1, 15)},
        // Entries the screen cannot show count as today.
        {"custom without dates", {{"index", 3}}, 0, 4, today, today},
        {"index out of range", {{"index", 7}}, 0, 4, today, today},
        {"negative index", {{"index", -1}}, 0, 4, today, today},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaleHistoryFilterController* screen = open(c.selected);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->selectedRow(), c.row);
        EXPECT_EQ(screen->tableView()->numberOfRowsInSection(0), c.rows);
        EXPECT_EQ(screen->from(), c.from);
        EXPECT_EQ(screen->to(), c.to);
        if (c.rows == 6) {
            EXPECT_EQ(screen->fromCell()->dateLabel()->text(), "01 diciembre, 2022");
            EXPECT_EQ(screen->toCell()->dateLabel()->text(), "15 enero, 2023");
            EXPECT_FALSE(screen->fromCell()->opened());
            EXPECT_TRUE(screen->fromCell()->datePicker()->isHidden());
        }
        screen->back();
        settle();
        EXPECT_TRUE(chosen.received.isEmpty());
    }
}

TEST_F(FilterTest, ListsTheFourPeriodsWithTheirTexts) {
    SaleHistoryFilterController* screen = open({});
    EXPECT_EQ(screen->navigationItem()->title(), "Período");
    EXPECT_EQ(screen->navigationItem()->leftBarButtonItems().first().title, "Cancelar");
    EXPECT_EQ(screen->navigationItem()->rightBarButtonItems().first().title, "Filtrar");
    EXPECT_EQ(rowText(screen, 0), "Hoy");
    EXPECT_EQ(rowText(screen, 1), "Últimos 7 días");
    EXPECT_EQ(rowText(screen, 2), "Últimos 30 días");
    EXPECT_EQ(rowText(screen, 3), "Personalizado");
}

TEST_F(FilterTest, APresetGoesOutAsTheScreenMadeIt) {
    SaleHistoryFilterController* screen = open({});
    const QVariantMap lastWeek = screen->options().at(1).toMap();
    clock->advance(3600 * 1000); // an hour on: the entry is still the one made at appearance
    tap(screen, 1);
    confirm(screen);
    settle();
    ASSERT_EQ(chosen.received.size(), 1);
    EXPECT_EQ(chosen.received.first(), lastWeek);
    EXPECT_EQ(lastWeek.value("from").toDateTime(), at(2023, 3, 3));
    EXPECT_EQ(lastWeek.value("to").toDateTime(), at(2023, 3, 10));
    EXPECT_EQ(lastWeek.value("name").toString(), "Últimos 7 días");
}

TEST_F(FilterTest, CustomAfterSevenDaysStartsFromThatRange) {
    SaleHistoryFilterController* screen = open({{"index", 1}});
    tap(screen, 3);
    ASSERT_EQ(screen->tableView()->numberOfRowsInSection(0), 6);
    EXPECT_EQ(screen->selectedRow(), 3);
    EXPECT_EQ(screen->fromCell()->dateLabel()->text(), "03 marzo, 2023");
    EXPECT_EQ(screen->toCell()->dateLabel()->text(), "10 marzo, 2023");
    confirm(screen);
    settle();
    ASSERT_EQ(chosen.received.size(), 1);
    const QVariantMap entry = chosen.received.first();
    EXPECT_EQ(entry.value("index").toInt(), 3);
    EXPECT_EQ(entry.value("name").toString(), "3 de marzo - 10 de marzo");
    EXPECT_EQ(entry.value("from").toDateTime(), at(2023, 3, 3));
    EXPECT_EQ(entry.value("to").toDateTime(), at(2023, 3, 10));
}

TEST_F(FilterTest, TappingRowsSelectsAndOpensAsExpected) {
    SaleHistoryFilterController* screen = open({{"index", 2}});
    tap(screen, 2); // the selected period again: nothing changes
    EXPECT_EQ(screen->selectedRow(), 2);
    EXPECT_EQ(screen->tableView()->numberOfRowsInSection(0), 4);

    tap(screen, 3);
    tap(screen, 5); // "Hasta" opens; the custom row stays selected
    EXPECT_TRUE(screen->toCell()->opened());
    EXPECT_EQ(screen->toCell()->height(), SaleHistoryDateCell::kOpenedHeight);
    EXPECT_EQ(screen->selectedRow(), 3);
    tap(screen, 4); // "Desde" opens and "Hasta" closes
    EXPECT_TRUE(screen->fromCell()->opened());
    EXPECT_FALSE(screen->toCell()->opened());
    EXPECT_EQ(screen->toCell()->height(), SaleHistoryDateCell::kClosedHeight);
    EXPECT_FALSE(screen->fromCell()->datePicker()->isHidden());
    tap(screen, 4); // an open row closes
    EXPECT_FALSE(screen->fromCell()->opened());
    EXPECT_EQ(screen->selectedRow(), 3);

    tap(screen, 0); // leaving custom takes the date rows away
    EXPECT_EQ(screen->tableView()->numberOfRowsInSection(0), 4);
    EXPECT_EQ(screen->selectedRow(), 0);
}

TEST_F(FilterTest, TheStartNeverPassesTheEnd) {
    SaleHistoryFilterController* screen =
        open({{"index", 3}, {"from", at(2023, 1, 10)}, {"to", at(2023, 1, 20)}});
    tap(screen, 4);
    pick(screen->fromCell(), QDate(2023, 2, 1)); // a start after the end moves the end
    EXPECT_EQ(screen->from(), at(2023, 2, 1));
    EXPECT_EQ(screen->to(), at(2023, 2, 1));
    EXPECT_EQ(screen->toCell()->dateLabel()->text(), "01 febrero, 2023");

    tap(screen, 5);
    pick(screen->toCell(), QDate(2023, 1, 5)); // an end before the start moves the start
    EXPECT_EQ(screen->to(), at(2023, 1, 5));
    EXPECT_EQ(screen->from(), at(2023, 1, 5));
    EXPECT_EQ(screen->fromCell()->dateLabel()->text(), "05 enero, 2023");

    pick(screen->toCell(), QDate(2023, 1, 9)); // equal or later ends leave the start alone
    EXPECT_EQ(screen->from(), at(2023, 1, 5));
    EXPECT_EQ(screen->to(), at(2023, 1, 9));
}

TEST_F(FilterTest, APickerGoesNoLaterThanThePresent) {
    // The end holds 23:00; picked on today it would lie in the future.
    const QDateTime lateEvening(QDate(2023, 3, 2), QTime(23, 0), zone);
    SaleHistoryFilterController* screen =
        open({{"index", 3}, {"from", at(2023, 3, 1)}, {"to", lateEvening}});
    tap(screen, 5);
    // The cell was made when the screen appeared: no later than that moment.
    const QDateTime made = screen->toCell()->maximumDate();
    EXPECT_LE(made, WallClock::currentMoment());
    EXPECT_EQ(made.date(), QDate(2023, 3, 10));
    EXPECT_EQ(screen->toCell()->datePicker()->maximumDate(), QDate(2023, 3, 10));
    pick(screen->toCell(), QDate(2023, 3, 10));
    EXPECT_EQ(screen->to(), made);
    pick(screen->toCell(), QDate(2023, 3, 11)); // beyond the maximum: the picker refuses it
    EXPECT_EQ(screen->to(), made);
}

TEST_F(FilterTest, ARangeShowsYearsWhenItStartsInAnotherYear) {
    const struct Case {
        QDateTime from, to;
        const char* name;
    } cases[] = {
        {at(2023, 1, 2), at(2023, 2, 3), "2 de enero - 3 de febrero"},
        {at(2022, 12, 30), at(2023, 1, 4), "30 de diciembre, 2022 - 4 de enero, 2023"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chosen.received.clear();
        SaleHistoryFilterController* screen = open({{"index", 3}, {"from", c.from}, {"to", c.to}});
        confirm(screen);
        settle();
        ASSERT_EQ(chosen.received.size(), 1);
        EXPECT_EQ(chosen.received.first().value("name").toString(), c.name);
    }
}

TEST_F(FilterTest, WritesDatesWithTheMonthName) {
    const struct Case {
        QDate day;
        const char* text;
    } cases[] = {{QDate(2023, 2, 1), "01 febrero, 2023"},
                 {QDate(2020, 3, 5), "05 marzo, 2020"},
                 {QDate(1999, 12, 31), "31 diciembre, 1999"}};
    for (const Case& c : cases)
        EXPECT_EQ(SaleHistoryDateCell::prettyDate(c.day.startOfDay(zone)), c.text);
    EXPECT_EQ(SaleHistoryDateCell::prettyDate(QDateTime()), "");
}

TEST_F(FilterTest, TodayStartsAtTheCalendarsStartOfDayOnAClockChangeDay) {
    // In São Paulo the clocks went from 00:00 to 01:00 on 4 November 2018: that day has no
    // midnight and begins at 01:00.
    const QTimeZone saoPaulo(QByteArrayLiteral("America/Sao_Paulo"));
    ASSERT_TRUE(saoPaulo.isValid());
    standAt(QDateTime(QDate(2018, 11, 4), QTime(10, 0), saoPaulo));
    const QVariantList entries = SaleHistoryFilterController::filters();
    const QDateTime today = entries.at(0).toMap().value("from").toDateTime();
    EXPECT_EQ(today.date(), QDate(2018, 11, 4));
    EXPECT_EQ(today.time(), QTime(1, 0));
    EXPECT_EQ(entries.at(1).toMap().value("from").toDateTime(),
              QDateTime(QDate(2018, 10, 28), QTime(0, 0), saoPaulo));
    EXPECT_EQ(entries.at(2).toMap().value("from").toDateTime(),
              QDateTime(QDate(2018, 10, 5), QTime(0, 0), saoPaulo));

    // The day after: an ordinary midnight again.
    standAt(QDateTime(QDate(2018, 11, 5), QTime(0, 30), saoPaulo));
    const QDateTime next =
        SaleHistoryFilterController::filters().at(0).toMap().value("from").toDateTime();
    EXPECT_EQ(next, QDateTime(QDate(2018, 11, 5), QTime(0, 0), saoPaulo));
}

} // namespace
