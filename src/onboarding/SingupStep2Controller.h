#pragma once

#include "onboarding/SignupFormController.h"
#include "platform/ui/PickerView.h"

class QDateEdit;
class QLabel;

// Signup, second step: personal data and address; all nine fields must be filled.
class SingupStep2Controller : public SignupFormController,
                              public PickerViewDataSource,
                              public PickerViewDelegate {
    Q_OBJECT
public:
    explicit SingupStep2Controller(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void nextStep() override;
    void datePickerValueChange();
    PickerView* statePicker() const { return statePicker_; }

    void textFieldDidBeginEditing(TextField* field) override;

    int numberOfComponentsInPickerView(PickerView* picker) override;
    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

protected:
    QWidget* loadView() override;
    int offsetForField(TextField* field) const override;
    bool submitsOnReturn(TextField* field) const override;

private:
    QStringList provinces() const;

    TextField* firstName_ = nullptr;
    TextField* lastName_ = nullptr;
    TextField* phone_ = nullptr;
    TextField* birthdate_ = nullptr;
    TextField* occupation_ = nullptr;
    TextField* address_ = nullptr;
    TextField* city_ = nullptr;
    TextField* state_ = nullptr;
    TextField* zipCode_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    PickerView* statePicker_ = nullptr;
    QLabel* headerText_ = nullptr;
    QLabel* personalDataLabel_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QLabel* acceptTermsLabel_ = nullptr;
};
