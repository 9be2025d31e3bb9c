#include "platform/ui/TableView.h"

#include "platform/ui/TableViewCell.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidgetItem>
#include <algorithm>

namespace {
const char* const kSelectedProperty = "selected";
const char* const kReuseIdentifierProperty = "reuseIdentifier";
// The cell's own minimum and maximum height, kept while the table holds it at a fixed one.
const char* const kOwnHeightsProperty = "tableOwnHeights";
// Rows are built from one extent above the viewport to two below it; the extent is at least
// this, so a table not yet laid out still builds its first screens of rows.
constexpr int kMinimumExtent = 1000;
constexpr int kEstimatedRowHeight = 44;

void markSelected(QWidget* cell, bool selected) {
    if (auto* tableCell = qobject_cast<TableViewCell*>(cell))
        tableCell->setSelected(selected, false);
    else
        cell->setProperty(kSelectedProperty, selected);
}

void markHighlighted(QWidget* cell, bool highlighted) {
    if (auto* tableCell = qobject_cast<TableViewCell*>(cell))
        tableCell->setHighlighted(highlighted, false);
}
} // namespace

TableView::TableView(QWidget* parent)
    : QScrollArea(parent)
    , content_(new QWidget())
    , column_(new QVBoxLayout(content_)) {
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(0);
    column_->addStretch(1);
    setWidget(content_);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TableView::registerCell(const QString& identifier, std::function<QWidget*()> factory) {
    prototypes_.insert(identifier, std::move(factory));
}

QWidget* TableView::dequeueReusableCellWithIdentifier(const QString& identifier) {
    const auto it = prototypes_.constFind(identifier);
    if (it == prototypes_.constEnd() || !*it)
        return nullptr;
    auto& queue = reusable_[identifier];
    while (!queue.isEmpty()) {
        QWidget* cell = queue.takeLast();
        if (!cell)
            continue;
        const QVariant own = cell->property(kOwnHeightsProperty);
        if (own.isValid()) {
            cell->setMinimumHeight(own.toSize().width());
            cell->setMaximumHeight(own.toSize().height());
            cell->setProperty(kOwnHeightsProperty, QVariant());
        }
        return cell;
    }
    QWidget* cell = (*it)();
    if (cell)
        cell->setProperty(kReuseIdentifierProperty, identifier);
    return cell;
}

void TableView::reloadData() {
    if (laying_) {
        // Asked from a data source or delegate call while rows are built: once they are.
        reloadPending_ = true;
        return;
    }
    for (const QPointer<QWidget>& widget : std::as_const(built_))
        if (widget) {
            widget->hide();
            widget->deleteLater();
        }
    built_.clear();
    firstBuilt_ = 0;
    sections_.clear();
    heights_.clear();
    selected_.reset();
    if (dataSource_) {
        const int count = std::max(0, dataSource_->numberOfSectionsInTableView(this));
        int item = 0;
        for (int section = 0; section < count; ++section) {
            Section entry;
            entry.firstItem = item;
            entry.title = dataSource_->tableViewTitleForHeaderInSection(this, section);
            entry.rows = std::max(0, dataSource_->tableViewNumberOfRowsInSection(this, section));
            item += (entry.title.isEmpty() ? 0 : 1) + entry.rows;
            sections_.push_back(entry);
        }
        heights_.assign(size_t(item), -1);
        if (delegate_)
            for (int section = 0; section < count; ++section)
                for (int row = 0; row < sections_[size_t(section)].rows; ++row) {
                    const int height =
                        delegate_->tableViewHeightForRowAtIndexPath(this, {section, row});
                    if (height >= 0)
                        heights_[size_t(itemOfPath({section, row}))] = height;
                }
    }
    layoutVisibleItems();
}

int TableView::numberOfRowsInSection(int section) const {
    return section >= 0 && section < int(sections_.size()) ? sections_[size_t(section)].rows : 0;
}

int TableView::itemCount() const {
    if (sections_.empty())
        return 0;
    const Section& last = sections_.back();
    return last.firstItem + (last.title.isEmpty() ? 0 : 1) + last.rows;
}

IndexPath TableView::pathOfItem(int item) const {
    const auto after =
        std::upper_bound(sections_.begin(), sections_.end(), item,
                         [](int value, const Section& s) { return value < s.firstItem; });
    const auto section = int(after - sections_.begin()) - 1;
    const Section& entry = sections_[size_t(section)];
    const int offset = item - entry.firstItem;
    return {section, entry.title.isEmpty() ? offset : offset - 1};
}

int TableView::itemOfPath(IndexPath indexPath) const {
    const Section& entry = sections_[size_t(indexPath.section)];
    return entry.firstItem + (entry.title.isEmpty() ? 0 : 1) + indexPath.row;
}

QWidget* TableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    if (indexPath.section < 0 || indexPath.section >= int(sections_.size()) || indexPath.row < 0 ||
        indexPath.row >= sections_[size_t(indexPath.section)].rows)
        return nullptr;
    const int index = itemOfPath(indexPath) - firstBuilt_;
    return index >= 0 && index < built_.size() ? built_.at(index).data() : nullptr;
}

std::optional<IndexPath> TableView::indexPathForCell(const QWidget* cell) const {
    for (int index = 0; index < built_.size(); ++index) {
        const QWidget* candidate = built_.at(index);
        if (candidate && (candidate == cell || candidate->isAncestorOf(cell))) {
            const IndexPath path = pathOfItem(firstBuilt_ + index);
            if (path.row >= 0)
                return path;
        }
    }
    return std::nullopt;
}

QWidget* TableView::buildItem(int item) {
    const IndexPath path = pathOfItem(item);
    if (path.row < 0) {
        auto* label = new QLabel(sections_[size_t(path.section)].title, content_);
        label->setObjectName(QStringLiteral("sectionHeader%1").arg(path.section));
        label->setContentsMargins(16, 8, 16, 4);
        label->show();
        return label;
    }
    QWidget* cell = dataSource_ ? dataSource_->tableViewCellForRowAtIndexPath(this, path) : nullptr;
    if (!cell)
        cell = new QWidget();
    cell->setParent(content_);
    if (delegate_) {
        const int height = delegate_->tableViewHeightForRowAtIndexPath(this, path);
        if (height >= 0) {
            if (!cell->property(kOwnHeightsProperty).isValid())
                cell->setProperty(kOwnHeightsProperty,
                                  QSize(cell->minimumHeight(), cell->maximumHeight()));
            cell->setFixedHeight(height);
        }
    }
    cell->installEventFilter(this);
    cell->show();
    if (selected_ && *selected_ == path)
        markSelected(cell, true);
    if (delegate_)
        delegate_->tableViewWillDisplayCell(this, cell, path);
    return cell;
}

void TableView::releaseItem(QWidget* widget) {
    if (!widget)
        return;
    widget->hide();
    markHighlighted(widget, false);
    const QString identifier = widget->property(kReuseIdentifierProperty).toString();
    if (!identifier.isEmpty() && prototypes_.contains(identifier)) {
        markSelected(widget, false);
        reusable_[identifier].append(widget);
    } else {
        widget->deleteLater();
    }
}

int TableView::measuredHeight(const QWidget* widget) const {
    QWidgetItem item(const_cast<QWidget*>(widget));
    if (item.isEmpty())
        return 0;
    return item.hasHeightForWidth() ? item.heightForWidth(viewport()->width())
                                    : item.sizeHint().height();
}

int TableView::estimatedHeight() const {
    // Items never built count at the mean height of those that were.
    qint64 known = 0;
    int knownCount = 0;
    for (const int height : heights_)
        if (height >= 0) {
            known += height;
            ++knownCount;
        }
    return knownCount > 0 ? int(known / knownCount) : kEstimatedRowHeight;
}

void TableView::layoutVisibleItems() {
    if (laying_)
        return;
    laying_ = true;
    const int count = itemCount();
    for (int index = 0; index < built_.size(); ++index)
        if (built_.at(index))
            heights_[size_t(firstBuilt_ + index)] = measuredHeight(built_.at(index));

    const int estimate = estimatedHeight();
    std::vector<qint64> offsets(size_t(count) + 1, 0);
    for (int item = 0; item < count; ++item) {
        const int height = heights_[size_t(item)];
        offsets[size_t(item) + 1] = offsets[size_t(item)] + (height >= 0 ? height : estimate);
    }

    const int extent = std::max(viewport()->height(), kMinimumExtent);
    const qint64 lastTop = std::max<qint64>(0, offsets.back() - viewport()->height());
    const qint64 scrolled = std::clamp<qint64>(verticalScrollBar()->value(), 0, lastTop);
    const qint64 top = scrolled - extent;
    const qint64 bottom = scrolled + 2 * qint64(extent);
    // First item ending below the top edge, first item starting at or below the bottom edge.
    const int first =
        int(std::upper_bound(offsets.begin() + 1, offsets.end(), top) - (offsets.begin() + 1));
    const int last = std::max(
        first, int(std::lower_bound(offsets.begin(), offsets.end() - 1, bottom) - offsets.begin()));

    QList<QPointer<QWidget>> next(last - first);
    for (int index = 0; index < built_.size(); ++index) {
        const int item = firstBuilt_ + index;
        if (item >= first && item < last)
            next[item - first] = built_.at(index);
        else
            releaseItem(built_.at(index));
    }
    for (int item = first; item < last; ++item)
        if (!next.at(item - first)) {
            next[item - first] = buildItem(item);
            heights_[size_t(item)] = measuredHeight(next.at(item - first));
        }
    built_ = next;
    firstBuilt_ = first;
    placeItems(first, last);
    laying_ = false;
    if (reloadPending_) {
        reloadPending_ = false;
        reloadData();
    }
}

void TableView::placeItems(int first, int last) {
    const int estimate = estimatedHeight();
    auto heightOf = [this, estimate](int item) {
        const int height = heights_[size_t(item)];
        return qint64(height >= 0 ? height : estimate);
    };
    qint64 above = 0;
    for (int item = 0; item < first; ++item)
        above += heightOf(item);
    qint64 below = 0;
    for (int item = last; item < int(heights_.size()); ++item)
        below += heightOf(item);

    while (QLayoutItem* item = column_->takeAt(0))
        delete item;
    if (above > 0)
        column_->addSpacing(int(std::min<qint64>(above, QWIDGETSIZE_MAX)));
    for (const QPointer<QWidget>& widget : std::as_const(built_))
        if (widget)
            column_->addWidget(widget);
    if (below > 0)
        column_->addSpacing(int(std::min<qint64>(below, QWIDGETSIZE_MAX)));
    column_->addStretch(1);
}

void TableView::scrollContentsBy(int dx, int dy) {
    QScrollArea::scrollContentsBy(dx, dy);
    if (dy != 0)
        layoutVisibleItems();
}

void TableView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    layoutVisibleItems();
}

void TableView::selectRowAtIndexPath(std::optional<IndexPath> indexPath) {
    if (selected_)
        if (QWidget* old = cellForRowAtIndexPath(*selected_))
            markSelected(old, false);
    selected_ = indexPath;
    if (selected_)
        if (QWidget* cell = cellForRowAtIndexPath(*selected_))
            markSelected(cell, true);
}

void TableView::tapRowAtIndexPath(IndexPath indexPath) {
    if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(indexPath.section))
        return;
    selectRowAtIndexPath(indexPath);
    if (delegate_)
        delegate_->tableViewDidSelectRowAtIndexPath(this, indexPath);
}

int TableView::contentHeight() const {
    content_->adjustSize();
    return column_->sizeHint().height();
}

bool TableView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            if (auto* cell = qobject_cast<QWidget*>(watched))
                markHighlighted(cell, true);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* cell = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && cell)
            markHighlighted(cell, false);
        if (mouse->button() == Qt::LeftButton && cell &&
            cell->rect().contains(mouse->position().toPoint()))
            if (const auto path = indexPathForCell(cell))
                tapRowAtIndexPath(*path);
    }
    return QScrollArea::eventFilter(watched, event);
}
