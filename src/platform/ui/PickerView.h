#pragma once

#include <QList>
#include <QWidget>

class PickerView;
class QListView;
class PickerColumnModel;

class PickerViewDataSource {
public:
    virtual ~PickerViewDataSource() = default;
    virtual int numberOfComponentsInPickerView(PickerView* picker) {
        (void)picker;
        return 1;
    }
    virtual int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) = 0;
};

class PickerViewDelegate {
public:
    virtual ~PickerViewDelegate() = default;
    virtual QString pickerViewTitleForRow(PickerView* picker, int row, int component) = 0;
    virtual void pickerViewDidSelectRow(PickerView* picker, int row, int component) {
        (void)picker;
        (void)row;
        (void)component;
    }
};

// Wheels of rows side by side. Rows are virtual: a wheel of a hundred thousand rows asks for
// the titles of the rows it shows only.
class PickerView : public QWidget {
    Q_OBJECT
public:
    explicit PickerView(QWidget* parent = nullptr);
    ~PickerView() override;

    void setDataSource(PickerViewDataSource* dataSource) { dataSource_ = dataSource; }
    void setDelegate(PickerViewDelegate* delegate) { delegate_ = delegate; }
    PickerViewDataSource* dataSource() const { return dataSource_; }
    PickerViewDelegate* delegate() const { return delegate_; }

    void reloadAllComponents();
    int numberOfComponents() const { return int(columns_.size()); }
    int numberOfRowsInComponent(int component) const;
    QString titleForRow(int row, int component) const;
    // Moves the wheel without telling the delegate.
    void selectRow(int row, int component, bool animated);
    int selectedRowInComponent(int component) const;
    // Turns the wheel as the user does: selects and tells the delegate.
    void pickRow(int row, int component);

private:
    friend class PickerColumnModel;
    PickerViewDataSource* dataSource_ = nullptr;
    PickerViewDelegate* delegate_ = nullptr;
    QList<QListView*> columns_;
    QList<PickerColumnModel*> models_;
    QList<int> selected_;
};
