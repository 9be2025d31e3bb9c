#pragma once

#include "platform/ui/PickerView.h"
#include "platform/ui/TextField.h"
#include "shop/ShopScreen.h"

#include <QPointer>
#include <optional>

#include "platform/ui/Dialogs.h"
#include "ui_kit/PhoneTextField.h"
#include <QPushButton>
#include <QScrollArea>

// The buyer's name, document, phone and billing address. Continue shows only while every field
// but the floor is filled (the city only outside the default province); the phone is checked on
// continue. What was typed is kept for the session and comes back on the next visit.
class BuyReaderEnterDataController : public ShopScreen,
                                     public TextFieldDelegate,
                                     public PickerViewDataSource,
                                     public PickerViewDelegate {
    Q_OBJECT
public:
    explicit BuyReaderEnterDataController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    void selectState();
    void goToNext();
    QString titleForStateIndex(int index) const;
    int selectedState() const { return selectedState_; }

    // The phone rule: its digits as a number have 10 digits, or 12 beginning with "54".
    static bool isValidPhone(const QString& digits);
    // The typed data kept between visits; a logout clears it.
    static std::optional<QVariantMap>& lastData();

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    bool textFieldShouldReturn(TextField* field) override;
    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

protected:
    QWidget* loadView() override;

private:
    TextField* field(const QString& name) const;
    void checkRequirements(TextField* changing, const QString& newText);
    void chooseState(int row);

    int selectedState_ = 0;
    QList<QPointer<TextField>> requiredFields_;
    QPointer<PhoneTextField> phone_;
    QPointer<PickerView> statePicker_;
    QPointer<QPushButton> stateButton_;
    QPointer<QPushButton> continueButton_;
    QPointer<QWidget> cityView_;
    QPointer<QScrollArea> scrollView_;
    QPointer<PopoverTip> tooltip_;
};
