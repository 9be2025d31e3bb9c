#include "platform/ui/CollectionView.h"

#include <QEvent>
#include <QMouseEvent>

CollectionView::CollectionView(QWidget* parent)
    : QScrollArea(parent)
    , content_(new QWidget()) {
    setWidget(content_);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CollectionView::setHeaderReferenceSize(const QSize& size) {
    headerSize_ = size;
}

void CollectionView::registerCell(const QString& identifier, std::function<QWidget*()> factory) {
    prototypes_.insert(QStringLiteral("cell/") + identifier, std::move(factory));
}

void CollectionView::registerSupplementaryView(const QString& kind, const QString& identifier,
                                               std::function<QWidget*()> factory) {
    prototypes_.insert(kind + u'/' + identifier, std::move(factory));
}

QWidget* CollectionView::dequeueReusableCellWithReuseIdentifier(const QString& identifier) {
    const auto it = prototypes_.constFind(QStringLiteral("cell/") + identifier);
    QWidget* cell = it != prototypes_.constEnd() && *it ? (*it)() : nullptr;
    if (cell)
        cell->setProperty("reuseIdentifier", identifier);
    return cell;
}

QWidget* CollectionView::dequeueReusableSupplementaryViewOfKind(const QString& kind,
                                                                const QString& identifier) {
    const auto it = prototypes_.constFind(kind + u'/' + identifier);
    QWidget* view = it != prototypes_.constEnd() && *it ? (*it)() : nullptr;
    if (view)
        view->setProperty("reuseIdentifier", identifier);
    return view;
}

void CollectionView::reloadData() {
    for (const auto& header : headers_)
        if (header) {
            header->hide();
            header->deleteLater();
        }
    for (const auto& section : cells_)
        for (const auto& cell : section)
            if (cell) {
                cell->hide();
                cell->deleteLater();
            }
    headers_.clear();
    cells_.clear();
    if (dataSource_) {
        const int sections = std::max(0, dataSource_->numberOfSectionsInCollectionView(this));
        for (int section = 0; section < sections; ++section) {
            QWidget* header = nullptr;
            if (headerSize_.height() > 0)
                header = dataSource_->collectionViewViewForSupplementaryElementOfKind(
                    this, sectionHeaderKind, {section, 0});
            if (header) {
                header->setParent(content_);
                header->show();
            }
            headers_.append(header);
            QList<QPointer<QWidget>> items;
            const int count =
                std::max(0, dataSource_->collectionViewNumberOfItemsInSection(this, section));
            for (int item = 0; item < count; ++item) {
                QWidget* cell =
                    dataSource_->collectionViewCellForItemAtIndexPath(this, {section, item});
                if (!cell)
                    cell = new QWidget();
                cell->setParent(content_);
                cell->installEventFilter(this);
                cell->show();
                items.append(cell);
            }
            cells_.append(items);
        }
    }
    layoutItems();
}

void CollectionView::layoutItems() {
    const int width = viewport()->width();
    int y = 0;
    for (int section = 0; section < cells_.size(); ++section) {
        if (QWidget* header = headers_.value(section)) {
            header->setGeometry(0, y, width, headerSize_.height());
            y += headerSize_.height();
        }
        y += inset_.top();
        int x = inset_.left();
        int rowHeight = 0;
        const auto& items = cells_.at(section);
        for (int item = 0; item < items.size(); ++item) {
            QSize size = itemSize_;
            if (delegate_) {
                const QSize asked =
                    delegate_->collectionViewSizeForItemAtIndexPath(this, {section, item});
                if (!asked.isEmpty())
                    size = asked;
            }
            if (x > inset_.left() && x + size.width() > width - inset_.right()) {
                x = inset_.left();
                y += rowHeight + line_;
                rowHeight = 0;
            }
            if (QWidget* cell = items.at(item))
                cell->setGeometry(x, y, size.width(), size.height());
            x += size.width() + interitem_;
            rowHeight = std::max(rowHeight, size.height());
        }
        y += rowHeight + inset_.bottom();
    }
    content_->resize(width, y);
}

int CollectionView::numberOfItemsInSection(int section) const {
    return section >= 0 && section < cells_.size() ? int(cells_.at(section).size()) : 0;
}

QWidget* CollectionView::cellForItemAtIndexPath(IndexPath indexPath) const {
    if (indexPath.section < 0 || indexPath.section >= cells_.size())
        return nullptr;
    const auto& items = cells_.at(indexPath.section);
    return indexPath.row >= 0 && indexPath.row < items.size() ? items.at(indexPath.row).data()
                                                              : nullptr;
}

QWidget* CollectionView::supplementaryViewForSection(int section) const {
    return section >= 0 && section < headers_.size() ? headers_.at(section).data() : nullptr;
}

void CollectionView::tapItemAtIndexPath(IndexPath indexPath) {
    if (cellForItemAtIndexPath(indexPath) && delegate_)
        delegate_->collectionViewDidSelectItemAtIndexPath(this, indexPath);
}

std::optional<IndexPath> CollectionView::indexPathForCell(const QObject* cell) const {
    for (int section = 0; section < cells_.size(); ++section)
        for (int item = 0; item < cells_.at(section).size(); ++item)
            if (cells_.at(section).at(item) == cell)
                return IndexPath{section, item};
    return std::nullopt;
}

bool CollectionView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* cell = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && cell &&
            cell->rect().contains(mouse->position().toPoint()))
            if (const auto path = indexPathForCell(cell)) {
                tapItemAtIndexPath(*path);
                return true;
            }
    }
    return QScrollArea::eventFilter(watched, event);
}

void CollectionView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    layoutItems();
}
