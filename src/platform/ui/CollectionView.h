#pragma once

#include "platform/ui/TableView.h"

#include <QHash>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QScrollArea>
#include <QSize>
#include <functional>

class CollectionView;

// Where a collection gets its items and section headers. Cells are widgets the data source
// builds (or takes from the dequeue operations); the collection owns them once returned.
class CollectionViewDataSource {
public:
    virtual ~CollectionViewDataSource() = default;
    virtual int numberOfSectionsInCollectionView(CollectionView* collection) {
        (void)collection;
        return 1;
    }
    virtual int collectionViewNumberOfItemsInSection(CollectionView* collection, int section) = 0;
    virtual QWidget* collectionViewCellForItemAtIndexPath(CollectionView* collection,
                                                          IndexPath indexPath) = 0;
    // The section's header (kind CollectionView::sectionHeaderKind); null shows none.
    virtual QWidget* collectionViewViewForSupplementaryElementOfKind(CollectionView* collection,
                                                                     const QString& kind,
                                                                     IndexPath indexPath) {
        (void)collection;
        (void)kind;
        (void)indexPath;
        return nullptr;
    }
};

// Taps and item sizes. All optional.
class CollectionViewDelegate {
public:
    virtual ~CollectionViewDelegate() = default;
    virtual void collectionViewDidSelectItemAtIndexPath(CollectionView* collection,
                                                        IndexPath indexPath) {
        (void)collection;
        (void)indexPath;
    }
    // The item's size; an empty size keeps the collection's item size.
    virtual QSize collectionViewSizeForItemAtIndexPath(CollectionView* collection,
                                                       IndexPath indexPath) {
        (void)collection;
        (void)indexPath;
        return {};
    }
};

// A scrolling grid: per section an optional header across the whole width, then the items
// left to right in rows that wrap at the right edge (a flow layout).
class CollectionView : public QScrollArea {
    Q_OBJECT
public:
    static inline const QString sectionHeaderKind = QStringLiteral("header");

    explicit CollectionView(QWidget* parent = nullptr);

    CollectionViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(CollectionViewDataSource* dataSource) { dataSource_ = dataSource; }
    CollectionViewDelegate* delegate() const { return delegate_; }
    void setDelegate(CollectionViewDelegate* delegate) { delegate_ = delegate; }

    // Layout: header height (0 asks for no header), item size, insets and spacings.
    QSize headerReferenceSize() const { return headerSize_; }
    void setHeaderReferenceSize(const QSize& size);
    QSize itemSize() const { return itemSize_; }
    void setItemSize(const QSize& size) { itemSize_ = size; }
    QMargins sectionInset() const { return inset_; }
    void setSectionInset(const QMargins& inset) { inset_ = inset; }
    void setMinimumInteritemSpacing(int spacing) { interitem_ = spacing; }
    void setMinimumLineSpacing(int spacing) { line_ = spacing; }

    void registerCell(const QString& identifier, std::function<QWidget*()> factory);
    void registerSupplementaryView(const QString& kind, const QString& identifier,
                                   std::function<QWidget*()> factory);
    QWidget* dequeueReusableCellWithReuseIdentifier(const QString& identifier);
    QWidget* dequeueReusableSupplementaryViewOfKind(const QString& kind, const QString& identifier);

    // Asks the data source again for everything, then lays it out.
    void reloadData();
    // Places the items again, asking the delegate for their sizes (after a change of width).
    void layoutItems();
    int numberOfSections() const { return int(cells_.size()); }
    int numberOfItemsInSection(int section) const;
    QWidget* cellForItemAtIndexPath(IndexPath indexPath) const;
    QWidget* supplementaryViewForSection(int section) const;
    // Selects as a tap of the user does: the delegate is told.
    void tapItemAtIndexPath(IndexPath indexPath);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::optional<IndexPath> indexPathForCell(const QObject* cell) const;
    CollectionViewDataSource* dataSource_ = nullptr;
    CollectionViewDelegate* delegate_ = nullptr;
    QHash<QString, std::function<QWidget*()>> prototypes_;
    QWidget* content_;
    QList<QPointer<QWidget>> headers_;
    QList<QList<QPointer<QWidget>>> cells_;
    QSize headerSize_{0, 0};
    QSize itemSize_{50, 50};
    QMargins inset_;
    int interitem_ = 10;
    int line_ = 10;
};
