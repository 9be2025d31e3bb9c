#include "HistoryFixture.h"

#include "SDK/session/AccountSettings.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/ui/TableView.h"
#include "settings/history/SaleHistoryFilterController.h"
#include "settings/history/SalesHistoryCellNew.h"

#include <QPainter>
#include <QVBoxLayout>

using namespace historytest;

namespace {

class HistoryScreenshots : public HistoryTest {
protected:
    SaleHistoryFilterController* openFilter(const QVariantMap& selected) {
        auto* screen = qobject_cast<SaleHistoryFilterController*>(Storyboard::instantiate(
            QStringLiteral("History"), QStringLiteral("SaleHistoryFilter")));
        screen->setSelectedFilter(selected);
        window->rootViewController()->presentViewController(new NavigationController(screen),
                                                            false);
        settle();
        return screen;
    }
    // The host with the screen presented over it, as shown.
    void shoot(ViewController* shown, const QString& file) {
        QCoreApplication::processEvents();
        QWidget* container = window->presentationContainer(shown->navigationController());
        ASSERT_NE(container, nullptr);
        const QImage image = container->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(historyShotPath(file))) << file.toStdString();
    }
};

TEST_F(HistoryScreenshots, FilterWithAPresetAndWithThePickerOpen) {
    SaleHistoryFilterController* preset = openFilter({{"index", 1}});
    shoot(preset, "history_filter_preset.png");
    preset->back();
    settle();

    const QTimeZone& tz = zone;
    SaleHistoryFilterController* custom = openFilter({{"index", 3},
                                                      {"from", QDate(2023, 2, 1).startOfDay(tz)},
                                                      {"to", QDate(2023, 2, 14).startOfDay(tz)}});
    custom->tableView()->tapRowAtIndexPath({0, 4});
    shoot(custom, "history_filter_picker_open.png");
}

TEST_F(HistoryScreenshots, EachKindOfRow) {
    AccountSettings::instance().setCurrencies(
        {QVariantMap{{"code", "032"}, {"symbol", "ARS"}, {"exchangeRate", "1.00"}}});
    const QVariantMap lines[] = {
        {{"productName", "Café"}, {"productPrice", 50}, {"quantity", 1}},
        {{"productName", "Medialuna"}, {"productPrice", 50}, {"quantity", 3}},
    };
    const QVariantMap kinds[] = {
        {{"items", QVariantList{lines[0]}}, {"payment", QVariantMap{{"method", "cash"}}}},
        {{"items", QVariantList{lines[1]}}},
        {{"items", QVariantList{lines[0], lines[1]}}, {"hasRefund", true}},
        {{"canceled", true}, {"items", QVariantList{lines[0]}}},
        {{"canceled", true}, {"refundId", "9001"}},
        {{"refundId", "9002"}, {"items", QVariantList{lines[1]}}},
        {{"type", "ADJUSTMENT_DEBIT"}},
        {{"type", "ADJUSTMENT_CREDIT"}},
        {{"currency", "978"}},
    };
    QWidget list;
    list.resize(375, 64 * int(std::size(kinds)));
    auto* column = new QVBoxLayout(&list);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    int minute = 0;
    for (QVariantMap kind : kinds) {
        kind.insert("saleId", QString::number(7000 + minute));
        kind.insert("totalAmount", 150 + 25 * minute);
        kind.insert("currency", kind.value("currency", "032"));
        kind.insert("created",
                    QStringLiteral("2023-03-10 14:%1:00").arg(minute * 5, 2, 10, QLatin1Char('0')));
        auto* cell = new SalesHistoryCellNew(&list);
        cell->setSale(Sale::fromDictionary(kind));
        column->addWidget(cell);
        ++minute;
    }
    list.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(list.grab().toImage().save(historyShotPath("history_rows.png")));
    AccountSettings::instance().reset();
}

} // namespace
