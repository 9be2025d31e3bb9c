#pragma once

#include "platform/ui/PickerView.h"
#include "platform/ui/TextField.h"
#include "shop/ShopForm.h"
#include "shop/ShopScreen.h"

#include <QList>
#include <QPointer>
#include <QPushButton>

// What the shop's two address forms share: the street, number, postal code, floor, province and
// city rows; the province picker over the shop's province list, row 0 standing for no province
// ("Seleccionar provincia"); the city shown and required only outside the default province.
class ShopAddressForm : public ShopScreen,
                        public TextFieldDelegate,
                        public PickerViewDataSource,
                        public PickerViewDelegate {
    Q_OBJECT
public:
    explicit ShopAddressForm(QObject* parent = nullptr);

    // Shows the province picker, the keyboard gone, or hides it.
    void selectState();
    QString titleForStateIndex(int index) const;
    int selectedState() const { return selectedState_; }

    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

protected:
    // The address rows, from the street to the city; `numberKeyboard` for the street number.
    void addAddressRows(ShopForm::Builder& form, TextField::KeyboardType numberKeyboard);
    // The picker's row of the default province (it needs no city).
    // Picks the Argentine provinces and fills the picker with them.
    void loadProvinces();
    static int defaultStateRow();
    static QStringList provinces();
    TextField* field(const QString& name) const;
    // Takes a picker row: the button's title, the city row (emptied where it is not asked), then
    // the completeness check.
    void chooseState(int row);
    // Every required field filled (`changing` read as `newText`), the city skipped in the default
    // province, and a province chosen.
    bool requiredFilled(TextField* changing, const QString& newText) const;
    virtual void checkRequirements(TextField* changing, const QString& newText) = 0;

    int selectedState_ = 0;
    QList<QPointer<TextField>> requiredFields_;
    QPointer<QPushButton> stateButton_;
    QPointer<PickerView> statePicker_;
    QPointer<QWidget> cityView_;
};
