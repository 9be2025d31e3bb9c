#include "onboarding/SingupStep2Controller.h"

#include "SDK/session/User.h"
#include "catalog/CatalogLook.h"
#include "model/States.h"
#include "onboarding/OnboardingScreens.h"
#include "ui_kit/AutoLayoutUtilities.h"

#include <QDateEdit>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

SingupStep2Controller::SingupStep2Controller(QObject* parent)
    : SignupFormController(Constants{Form::Scroll, 0, true, Qt::black, false}, parent) {}

QWidget* SingupStep2Controller::loadView() {
    QWidget* root = buildForm(QStringLiteral("continueButton"));
    auto label = [this](const QString& name) {
        auto* l = new QLabel(itemsView_);
        l->setObjectName(name);
        l->setWordWrap(true);
        formLayout()->addWidget(l);
        return l;
    };
    headerText_ = label(QStringLiteral("headerText"));
    personalDataLabel_ = label(QStringLiteral("personalDataLabel"));
    firstName_ = addField(QStringLiteral("firstName"));
    lastName_ = addField(QStringLiteral("lastName"));
    phone_ = addField(QStringLiteral("phone"));
    birthdate_ = addField(QStringLiteral("birthdate"));
    occupation_ = addField(QStringLiteral("occupation"));
    addressLabel_ = label(QStringLiteral("addressLabel"));
    address_ = addField(QStringLiteral("address"));
    city_ = addField(QStringLiteral("city"));
    state_ = addField(QStringLiteral("state"));
    zipCode_ = addField(QStringLiteral("zipCode"));
    acceptTermsLabel_ = label(QStringLiteral("acceptTermsLabel"));
    formLayout()->addStretch();
    datePicker_ = new QDateEdit(QDate(1990, 1, 1), root);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    datePicker_->hide();
    connect(datePicker_, &QDateEdit::dateChanged, this, [this] { datePickerValueChange(); });
    statePicker_ = new PickerView(root);
    statePicker_->setObjectName(QStringLiteral("statePicker"));
    statePicker_->hide();
    return root;
}

void SingupStep2Controller::viewDidLoad() {
    birthdate_->setInputView(datePicker_);
    state_->setInputView(statePicker_);
    // The provinces of the country the bank account is checked against.
    States::instance().pickCountry(QStringLiteral("AR"));
    statePicker_->setDataSource(this);
    statePicker_->setDelegate(this);
    statePicker_->reloadAllComponents();
    for (TextField* field : {phone_, zipCode_})
        AutoLayoutUtilities::useNumericKeyboard(AutoLayoutUtilities::instanceNumericKeyboard(),
                                                field);
}

void SingupStep2Controller::viewWillAppear(bool animated) {
    SignupFormController::viewWillAppear(animated);
    setTexts(CatalogLook::text("SignupStep2", "titleBar"),
             CatalogLook::text("GlobalTexts", "continue"));
    headerText_->setText(CatalogLook::text("SignupStep2", "headerText"));
    addressLabel_->setText(CatalogLook::text("SignupStep2", "addressLabel"));
    personalDataLabel_->setText(CatalogLook::text("SignupStep2", "personalData"));
    acceptTermsLabel_->setText(CatalogLook::text("SignupStep2", "footerTerms"));
    const std::pair<TextField*, const char*> placeholders[] = {{firstName_, "name"},
                                                               {lastName_, "lastName"},
                                                               {phone_, "phone"},
                                                               {birthdate_, "birthdate"},
                                                               {occupation_, "occupationLabel"},
                                                               {address_, "address"},
                                                               {city_, "city"},
                                                               {state_, "state"},
                                                               {zipCode_, "zipCode"}};
    for (const auto& [field, key] : placeholders)
        field->setPlaceholderText(CatalogLook::text("SignupStep2", key));
}

void SingupStep2Controller::viewDidAppear(bool animated) {
    SignupFormController::viewDidAppear(animated);
    firstName_->setText(User::instance().firstName());
    lastName_->setText(User::instance().lastName());
}

int SingupStep2Controller::offsetForField(TextField* field) const {
    const std::pair<TextField*, int> offsets[] = {
        {firstName_, 70}, {lastName_, 115}, {phone_, 160}, {birthdate_, 205}, {occupation_, 250},
        {address_, 351},  {city_, 396},     {state_, 441}, {zipCode_, 540}};
    for (const auto& [f, offset] : offsets)
        if (f == field)
            return offset;
    return 0;
}

bool SingupStep2Controller::submitsOnReturn(TextField* field) const {
    return field == occupation_;
}

void SingupStep2Controller::textFieldDidBeginEditing(TextField* field) {
    if (field == birthdate_)
        datePickerValueChange();
    if (scrollView_)
        scrollView_->setEnabled(false);
    SignupFormController::textFieldDidBeginEditing(field);
}

void SingupStep2Controller::datePickerValueChange() {
    birthdate_->setText(datePicker_->date().toString(QStringLiteral("dd/MM/yyyy")));
}

QStringList SingupStep2Controller::provinces() const {
    return States::instance().statesList().value_or(QStringList());
}

int SingupStep2Controller::numberOfComponentsInPickerView(PickerView* picker) {
    Q_UNUSED(picker);
    return 1;
}

int SingupStep2Controller::pickerViewNumberOfRowsInComponent(PickerView* picker, int component) {
    Q_UNUSED(picker);
    Q_UNUSED(component);
    return int(provinces().size()) * 1000;
}

QString SingupStep2Controller::pickerViewTitleForRow(PickerView* picker, int row, int component) {
    Q_UNUSED(picker);
    Q_UNUSED(component);
    const QStringList list = provinces();
    return list.isEmpty() ? QString() : list.at(row % list.size());
}

void SingupStep2Controller::pickerViewDidSelectRow(PickerView* picker, int row, int component) {
    Q_UNUSED(row);
    if (picker != statePicker_ || component != 0)
        return;
    const QStringList list = provinces();
    if (list.isEmpty())
        return;
    state_->setText(list.at(picker->selectedRowInComponent(0) % list.size()));
}

void SingupStep2Controller::nextStep() {
    backgroundTouched();
    for (TextField* field : {firstName_, lastName_, phone_, address_, city_, state_, zipCode_,
                             birthdate_, occupation_}) {
        if (field->text().isEmpty()) {
            showAlertMessage(CatalogLook::text("SignupStep2", "fieldsEmpty"));
            return;
        }
    }
    performSegueWithIdentifier(OnboardingScreens::signupFinalStepSegue, this);
}
