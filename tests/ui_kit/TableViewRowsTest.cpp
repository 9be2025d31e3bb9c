#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A row cell: one label showing "section:row".
class TextRowCell : public TableViewCell {
public:
    TextRowCell() {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(text);
        setMinimumHeight(50);
    }
    QLabel* text = new QLabel(this);
};

class ManyRows : public TableViewDataSource, public TableViewDelegate {
public:
    explicit ManyRows(TableView* table, QList<int> rows, QStringList titles = {})
        : rows_(std::move(rows))
        , titles_(std::move(titles)) {
        table->registerCell(QStringLiteral("row"), [this] {
            ++made;
            return new TextRowCell();
        });
    }
    int numberOfSectionsInTableView(TableView*) override { return int(rows_.size()); }
    int tableViewNumberOfRowsInSection(TableView*, int section) override {
        return rows_.at(section);
    }
    QString tableViewTitleForHeaderInSection(TableView*, int section) override {
        return titles_.value(section);
    }
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath path) override {
        ++asked;
        auto* cell = static_cast<TextRowCell*>(table->dequeueReusableCellWithIdentifier("row"));
        cell->text->setText(QStringLiteral("%1:%2").arg(path.section).arg(path.row));
        return cell;
    }
    int tableViewHeightForRowAtIndexPath(TableView*, IndexPath path) override {
        return fixedEvenRows && path.row % 2 == 0 ? 30 : -1;
    }
    void tableViewDidSelectRowAtIndexPath(TableView*, IndexPath path) override {
        tapped << path.row;
    }
    int made = 0;
    int asked = 0;
    bool fixedEvenRows = false;
    QList<int> tapped;

private:
    QList<int> rows_;
    QStringList titles_;
};

QString rowText(TableView& table, IndexPath path) {
    auto* cell = static_cast<TextRowCell*>(table.cellForRowAtIndexPath(path));
    return cell ? cell->text->text() : QString();
}

// Scrolls as a finger would drag the list, letting the layout settle first.
void scrollTo(TableView& table, int value) {
    QApplication::processEvents();
    table.verticalScrollBar()->setValue(value);
    QApplication::processEvents();
}

void scrollToEnd(TableView& table) {
    QApplication::processEvents();
    scrollTo(table, table.verticalScrollBar()->maximum());
}

struct ShownTable {
    explicit ShownTable(QList<int> rows, QStringList titles = {})
        : source(&table, std::move(rows), std::move(titles)) {
        table.setDataSource(&source);
        table.setDelegate(&source);
        table.resize(320, 480);
        table.show();
        table.reloadData();
    }
    TableView table;
    ManyRows source;
};

TEST(TableViewRows, ALongListBuildsOnlyTheRowsNearTheViewport) {
    ShownTable shown({5000});
    EXPECT_EQ(shown.table.numberOfRowsInSection(0), 5000);
    EXPECT_GT(shown.source.asked, 0);
    EXPECT_LT(shown.source.asked, 100);
    EXPECT_EQ(rowText(shown.table, {0, 0}), "0:0");
    EXPECT_EQ(shown.table.cellForRowAtIndexPath({0, 4999}), nullptr);
    // The whole list still scrolls: its height counts the rows not built.
    EXPECT_GE(shown.table.contentHeight(), 5000 * 50);

    scrollToEnd(shown.table);
    EXPECT_EQ(rowText(shown.table, {0, 4999}), "0:4999");
    EXPECT_EQ(shown.table.cellForRowAtIndexPath({0, 0}), nullptr);
    // The cells scrolled away came back for the new rows.
    EXPECT_LT(shown.source.made, 200);

    scrollTo(shown.table, 0);
    EXPECT_EQ(rowText(shown.table, {0, 0}), "0:0");
    EXPECT_EQ(rowText(shown.table, {0, 1}), "0:1");
}

TEST(TableViewRows, ScrollingThroughEveryRowReusesABoundedSetOfCells) {
    ShownTable shown({3000});
    for (int value = 0; value < 3000 * 50; value += 400)
        scrollTo(shown.table, value);
    scrollToEnd(shown.table);
    EXPECT_EQ(rowText(shown.table, {0, 2999}), "0:2999");
    EXPECT_LT(shown.source.made, 200);
    EXPECT_GE(shown.source.asked, 3000);
}

TEST(TableViewRows, SelectionFollowsTheRowNotTheReusedCell) {
    ShownTable shown({2000});
    shown.table.selectRowAtIndexPath(IndexPath{0, 2});
    auto* selected = qobject_cast<TableViewCell*>(shown.table.cellForRowAtIndexPath({0, 2}));
    ASSERT_TRUE(selected);
    EXPECT_TRUE(selected->isSelected());

    scrollToEnd(shown.table);
    int shownRows = 0;
    for (int row = 0; row < 2000; ++row) {
        auto* cell = qobject_cast<TableViewCell*>(shown.table.cellForRowAtIndexPath({0, row}));
        if (cell) {
            EXPECT_FALSE(cell->isSelected()) << row;
            ++shownRows;
        }
    }
    EXPECT_GT(shownRows, 10);

    scrollTo(shown.table, 0);
    selected = qobject_cast<TableViewCell*>(shown.table.cellForRowAtIndexPath({0, 2}));
    ASSERT_TRUE(selected);
    EXPECT_TRUE(selected->isSelected());
    EXPECT_EQ(shown.table.indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, 2}));

    // A tap on a row far away still selects it and reaches the delegate.
    shown.table.tapRowAtIndexPath({0, 1500});
    EXPECT_EQ(shown.source.tapped, QList<int>({1500}));
    EXPECT_EQ(shown.table.indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, 1500}));
    shown.table.tapRowAtIndexPath({0, 2000});
    EXPECT_EQ(shown.source.tapped, QList<int>({1500}));
}

TEST(TableViewRows, SectionsAndHeadersMapToTheirRows) {
    ShownTable shown({2, 1500, 3}, {"First", QString(), "Last"});
    EXPECT_EQ(shown.table.numberOfSections(), 3);
    EXPECT_EQ(rowText(shown.table, {0, 1}), "0:1");
    EXPECT_EQ(rowText(shown.table, {1, 0}), "1:0");
    EXPECT_TRUE(shown.table.findChild<QLabel*>("sectionHeader0"));
    QWidget* cell = shown.table.cellForRowAtIndexPath({1, 3});
    ASSERT_TRUE(cell);
    EXPECT_EQ(shown.table.indexPathForCell(cell), std::optional<IndexPath>(IndexPath{1, 3}));

    scrollToEnd(shown.table);
    EXPECT_EQ(rowText(shown.table, {2, 2}), "2:2");
    EXPECT_EQ(rowText(shown.table, {1, 1499}), "1:1499");
    auto* header = shown.table.findChild<QLabel*>("sectionHeader2");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->text(), "Last");
    EXPECT_EQ(shown.table.indexPathForCell(header), std::nullopt);
}

TEST(TableViewRows, AReusedCellTakesTheHeightOfItsNewRow) {
    TableView table;
    ManyRows source(&table, {1000});
    source.fixedEvenRows = true;
    table.setDataSource(&source);
    table.setDelegate(&source);
    table.resize(320, 480);
    table.show();
    table.reloadData();
    for (int value = 0; value < 20000; value += 500)
        scrollTo(table, value);
    int checked = 0;
    for (int row = 0; row < 1000; ++row)
        if (QWidget* cell = table.cellForRowAtIndexPath({0, row})) {
            EXPECT_EQ(cell->minimumHeight(), row % 2 == 0 ? 30 : 50) << row;
            EXPECT_EQ(cell->maximumHeight(), row % 2 == 0 ? 30 : QWIDGETSIZE_MAX) << row;
            ++checked;
        }
    EXPECT_GT(checked, 10);
    EXPECT_LT(source.made, 200);
}

// A data source whose rows change while the table asks for one of them.
class ShrinkingRows : public TableViewDataSource {
public:
    int tableViewNumberOfRowsInSection(TableView*, int) override { return rows; }
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath path) override {
        if (path.row == 3 && rows > 2) {
            rows = 2;
            table->reloadData();
        }
        return new QLabel(QString::number(path.row));
    }
    int rows = 40;
};

TEST(TableViewRows, AReloadAskedWhileRowsAreBuiltRunsAfterThem) {
    TableView table;
    ShrinkingRows source;
    table.setDataSource(&source);
    table.resize(320, 480);
    table.reloadData();
    EXPECT_EQ(table.numberOfRowsInSection(0), 2);
    ASSERT_TRUE(qobject_cast<QLabel*>(table.cellForRowAtIndexPath({0, 1})));
    EXPECT_EQ(qobject_cast<QLabel*>(table.cellForRowAtIndexPath({0, 1}))->text(), "1");
    EXPECT_EQ(table.cellForRowAtIndexPath({0, 3}), nullptr);
    int shownRows = 0;
    for (QLabel* label : table.widget()->findChildren<QLabel*>())
        shownRows += label->isHidden() ? 0 : 1;
    EXPECT_EQ(shownRows, 2);
}

} // namespace
