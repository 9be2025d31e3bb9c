#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <functional>
#include <optional>

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

// A scrolling column of cell widgets in sections, filled by its data source.
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
    // A new cell of the prototype, or null when none is registered.
    QWidget* dequeueReusableCellWithIdentifier(const QString& identifier);

    // Asks the data source again for every section and row.
    void reloadData();
    int numberOfSections() const { return int(rows_.size()); }
    int numberOfRowsInSection(int section) const;
    QWidget* cellForRowAtIndexPath(IndexPath indexPath) const;
    std::optional<IndexPath> indexPathForCell(const QWidget* cell) const;

    // Selects as a tap of the user does: the row is selected and the delegate told.
    void tapRowAtIndexPath(IndexPath indexPath);
    void selectRowAtIndexPath(std::optional<IndexPath> indexPath);
    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    // Height of all rows and headers.
    int contentHeight() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    QHash<QString, std::function<QWidget*()>> prototypes_;
    QList<QList<QPointer<QWidget>>> rows_;
    QWidget* content_;
    QVBoxLayout* column_;
    std::optional<IndexPath> selected_;
};
