#include "platform/ui/TableView.h"

#include "platform/ui/TableViewCell.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
const char* const kSelectedProperty = "selected";

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
    QWidget* cell = (*it)();
    if (cell)
        cell->setProperty("reuseIdentifier", identifier);
    return cell;
}

void TableView::reloadData() {
    while (QLayoutItem* item = column_->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    rows_.clear();
    selected_.reset();
    if (dataSource_) {
        const int sections = std::max(0, dataSource_->numberOfSectionsInTableView(this));
        for (int section = 0; section < sections; ++section) {
            const QString header = dataSource_->tableViewTitleForHeaderInSection(this, section);
            if (!header.isEmpty()) {
                auto* label = new QLabel(header, content_);
                label->setObjectName(QStringLiteral("sectionHeader%1").arg(section));
                label->setContentsMargins(16, 8, 16, 4);
                column_->addWidget(label);
            }
            QList<QPointer<QWidget>> cells;
            const int count =
                std::max(0, dataSource_->tableViewNumberOfRowsInSection(this, section));
            for (int row = 0; row < count; ++row) {
                const IndexPath path{section, row};
                QWidget* cell = dataSource_->tableViewCellForRowAtIndexPath(this, path);
                if (!cell)
                    cell = new QWidget();
                cell->setParent(content_);
                if (delegate_) {
                    const int height = delegate_->tableViewHeightForRowAtIndexPath(this, path);
                    if (height >= 0)
                        cell->setFixedHeight(height);
                }
                cell->installEventFilter(this);
                column_->addWidget(cell);
                cell->show();
                cells.append(cell);
                if (delegate_)
                    delegate_->tableViewWillDisplayCell(this, cell, path);
            }
            rows_.append(cells);
        }
    }
    column_->addStretch(1);
}

int TableView::numberOfRowsInSection(int section) const {
    return section >= 0 && section < rows_.size() ? int(rows_.at(section).size()) : 0;
}

QWidget* TableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    if (indexPath.section < 0 || indexPath.section >= rows_.size())
        return nullptr;
    const auto& cells = rows_.at(indexPath.section);
    return indexPath.row >= 0 && indexPath.row < cells.size() ? cells.at(indexPath.row).data()
                                                              : nullptr;
}

std::optional<IndexPath> TableView::indexPathForCell(const QWidget* cell) const {
    for (int section = 0; section < rows_.size(); ++section)
        for (int row = 0; row < rows_.at(section).size(); ++row) {
            const QWidget* candidate = rows_.at(section).at(row);
            if (candidate && (candidate == cell || candidate->isAncestorOf(cell)))
                return IndexPath{section, row};
        }
    return std::nullopt;
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
    if (!cellForRowAtIndexPath(indexPath))
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
