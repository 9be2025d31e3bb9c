#include "platform/ui/PickerView.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QListView>

class PickerColumnModel : public QAbstractListModel {
public:
    PickerColumnModel(PickerView* picker, int component)
        : QAbstractListModel(picker)
        , picker_(picker)
        , component_(component) {}

    int rowCount(const QModelIndex& parent) const override {
        if (parent.isValid() || !picker_->dataSource_)
            return 0;
        return std::max(
            0, picker_->dataSource_->pickerViewNumberOfRowsInComponent(picker_, component_));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && picker_->delegate_)
            return picker_->delegate_->pickerViewTitleForRow(picker_, index.row(), component_);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }

    void reset() {
        beginResetModel();
        endResetModel();
    }

private:
    PickerView* picker_;
    int component_;
};

PickerView::PickerView(QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    setMinimumHeight(162);
}

PickerView::~PickerView() = default;

void PickerView::reloadAllComponents() {
    const int count =
        dataSource_ ? std::max(0, dataSource_->numberOfComponentsInPickerView(this)) : 0;
    while (columns_.size() > count) {
        delete columns_.takeLast();
        delete models_.takeLast();
        selected_.removeLast();
    }
    while (columns_.size() < count) {
        const int component = int(columns_.size());
        auto* model = new PickerColumnModel(this, component);
        auto* list = new QListView(this);
        list->setObjectName(QStringLiteral("pickerComponent%1").arg(component));
        list->setUniformItemSizes(true); // keeps huge virtual wheels cheap
        list->setModel(model);
        connect(list, &QListView::clicked, this,
                [this, component](const QModelIndex& index) { pickRow(index.row(), component); });
        layout()->addWidget(list);
        columns_.append(list);
        models_.append(model);
        selected_.append(0);
    }
    for (PickerColumnModel* model : models_)
        model->reset();
    for (int c = 0; c < columns_.size(); ++c)
        selectRow(std::min(selected_.at(c), std::max(0, numberOfRowsInComponent(c) - 1)), c, false);
}

int PickerView::numberOfRowsInComponent(int component) const {
    if (component < 0 || component >= models_.size())
        return 0;
    return models_.at(component)->rowCount(QModelIndex());
}

QString PickerView::titleForRow(int row, int component) const {
    return delegate_
               ? delegate_->pickerViewTitleForRow(const_cast<PickerView*>(this), row, component)
               : QString();
}

void PickerView::selectRow(int row, int component, bool animated) {
    (void)animated;
    if (component < 0 || component >= columns_.size())
        return;
    selected_[component] = row;
    QListView* list = columns_.at(component);
    const QModelIndex index = models_.at(component)->index(row, 0);
    if (index.isValid()) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(index);
        list->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
}

int PickerView::selectedRowInComponent(int component) const {
    return component >= 0 && component < selected_.size() ? selected_.at(component) : -1;
}

void PickerView::pickRow(int row, int component) {
    if (row < 0 || row >= numberOfRowsInComponent(component))
        return;
    selectRow(row, component, true);
    if (delegate_)
        delegate_->pickerViewDidSelectRow(this, row, component);
}
