#pragma once

#include "platform/ui/PickerView.h"
#include "platform/ui/TextField.h"
#include "shop/ShopScreen.h"

#include <QPointer>

#include <QPushButton>

// One delivery address other than the billing one; "Agregar" stores it in the record and tells
// the shipping step. Stored only with a province chosen and the required fields filled.
class BuyReaderAddAddressController : public ShopScreen,
                                      public TextFieldDelegate,
                                      public PickerViewDataSource,
                                      public PickerViewDelegate {
    Q_OBJECT
public:
    explicit BuyReaderAddAddressController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void selectState();
    void done();
    void cancel();
    bool canAdd() const { return canAdd_; }
    int selectedState() const { return selectedState_; }

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    bool textFieldShouldReturn(TextField* field) override;
    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

protected:
    QWidget* loadView() override;

private:
    TextField* field(const QString& name);
    QString titleForStateIndex(int index) const;
    void checkRequirements(TextField* changing, const QString& newText);
    void setCanAdd(bool enabled);

    int selectedState_ = 0;
    bool canAdd_ = false;
    QList<QPointer<TextField>> requiredFields_;
    QPointer<QPushButton> stateButton_;
    QPointer<PickerView> statePicker_;
    QPointer<QWidget> cityView_;
};
