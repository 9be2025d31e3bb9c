#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <functional>
#include <optional>
#include <vector>

class QVBoxLayout;
class TableView;

struct IndexPath {
    int section = 0;
    int row = 0;
    bool operator==(const IndexPath& o) const { return section == o.section && row == o.row; }
};

// Where a table gets its rows. Cells are widgets the data source builds (or takes from
// dequeueReusableCellWithIdentifier); the table owns them once returned.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(TableView* table) {
        (void)table;
        return 1;
    }
    virtual int tableViewNumberOfRowsInSection(TableView* table, int section) = 0;
    virtual QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) = 0;
    virtual QString tableViewTitleForHeaderInSection(TableView* table, int section) {
        (void)table;
        (void)section;
        return {};
    }
};

// What a table tells about taps and display. All optional.
class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) {
        (void)table;
        (void)indexPath;
    }
    // A fixed row height; a negative value keeps the cell's own.
    virtual int tableViewHeightForRowAtIndexPath(TableView* table, IndexPath indexPath) {
        (void)table;
        (void)indexPath;
        return -1;
    }
    virtual void tableViewWillDisplayCell(TableView* table, QWidget* cell, IndexPath indexPath) {
        (void)table;
        (void)cell;
        (void)indexPath;
    }
};

// A scrolling column of cell widgets in sections, filled by its data source. Only the rows in
// and near the viewport are built; a cell scrolled far away goes back to the reuse queue of its
// identifier (or is deleted when it has none) and the row is asked for again when it comes back.
class TableView : public QScrollArea {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);

    TableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TableViewDataSource* dataSource) { dataSource_ = dataSource; }
    TableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(TableViewDelegate* delegate) { delegate_ = delegate; }

    // Cell prototypes by reuse identifier.
    void registerCell(const QString& identifier, std::function<QWidget*()> factory);
    // A cell of the prototype: one scrolled out of view when there is one, else a new one; null
    // when none is registered. A reused cell keeps what its last row set: configure it fully.
    QWidget* dequeueReusableCellWithIdentifier(const QString& identifier);

    // Asks the data source again for the sections, the row counts and the rows in view.
    void reloadData();
    int numberOfSections() const { return int(sections_.size()); }
    int numberOfRowsInSection(int section) const;
    // The cell built for the row; null for a row out of range or far from the viewport.
    QWidget* cellForRowAtIndexPath(IndexPath indexPath) const;
    std::optional<IndexPath> indexPathForCell(const QWidget* cell) const;

    // Selects as a tap of the user does: the row is selected and the delegate told.
    void tapRowAtIndexPath(IndexPath indexPath);
    void selectRowAtIndexPath(std::optional<IndexPath> indexPath);
    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    // Height of all rows and headers; rows never built count at an estimated height.
    int contentHeight() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Section {
        int firstItem = 0; // index of its header (when it has one) or first row among all items
        int rows = 0;
        QString title;
    };
    // An item is a section header (row -1) or a row, numbered across all sections.
    IndexPath pathOfItem(int item) const;
    int itemOfPath(IndexPath indexPath) const;
    int itemCount() const;
    QWidget* buildItem(int item);
    void releaseItem(QWidget* widget);
    int measuredHeight(const QWidget* widget) const;
    int estimatedHeight() const;
    // Builds the items around the viewport and releases the others.
    void layoutVisibleItems();
    void placeItems(int top, int bottom);

    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    QHash<QString, std::function<QWidget*()>> prototypes_;
    QHash<QString, QList<QPointer<QWidget>>> reusable_;
    std::vector<Section> sections_;
    std::vector<int> heights_; // per item; -1 while unknown
    int firstBuilt_ = 0;
    QList<QPointer<QWidget>> built_; // items firstBuilt_ .. firstBuilt_ + size - 1
    QWidget* content_;
    QVBoxLayout* column_;
    std::optional<IndexPath> selected_;
    bool laying_ = false;
    bool reloadPending_ = false;
};
