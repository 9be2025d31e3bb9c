#include "payment/signature_receipts/SendReceiptDataController.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "model/Buyers.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "model/States.h"
#include "payment/signature_receipts/FlowSteps.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/PhoneTextField.h"
#include "ui_kit/ScreenRoot.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/ViewAnimation.h"
#include "ui_kit/texts/Language.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
QString formText(const char* section, const char* key) {
    return Language::textForFile(QLatin1String(section), QLatin1String(key));
}

QString recordText(const std::optional<QVariantMap>& record, const char* key) {
    if (!record)
        return {};
    const QVariant value = record->value(QLatin1String(key));
    return value.isNull() ? QString() : value.toString();
}

// Each word's first letter upper case, the rest lower case.
QString capitalised(const QString& text) {
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return result;
}

constexpr int kVirtualRowsPerEntry = 100;
} // namespace

SendReceiptDataController::SendReceiptDataController(QObject* parent)
    : ViewController(parent) {}

SendReceiptDataController::~SendReceiptDataController() {
    if (tutorialNavBar_)
        tutorialNavBar_->setDelegate(nullptr);
}

QWidget* SendReceiptDataController::loadView() {
    auto* root = new QWidget();
    QVBoxLayout* rootColumn = ScreenRoot::whiteColumn(root);
    scrollView_ = new QScrollArea(root);
    scrollView_->setObjectName(QStringLiteral("scrollView"));
    scrollView_->setWidgetResizable(true);
    scrollView_->setFrameShape(QFrame::NoFrame);
    rootColumn->addWidget(scrollView_, 1);
    auto* itemsView = new QWidget();
    itemsView->setObjectName(QStringLiteral("itemsView"));
    itemsView_ = itemsView;
    scrollView_->setWidget(itemsView);
    auto* column = new QVBoxLayout(itemsView);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(8);

    headerLabel_ = new QLabel(itemsView);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setAlignment(Qt::AlignCenter);
    headerLabel_->setWordWrap(true);
    headerLabel_->setStyleSheet(QStringLiteral("font-size: 15px; color: #444;"));
    column->addWidget(headerLabel_);

    auto makeField = [](QWidget* parent, const char* name) {
        auto* field = new TextField(parent);
        field->setObjectName(QLatin1String(name));
        field->setMinimumHeight(36);
        field->setStyleSheet(QStringLiteral(
            "QLineEdit { border: none; border-bottom: 1px solid #d8d8d8; font-size: 16px; }"));
        return field;
    };

    fieldsView_ = new QWidget(itemsView);
    fieldsView_->setObjectName(QStringLiteral("fieldsView"));
    auto* fieldsRow = new QHBoxLayout(fieldsView_);
    fieldsRow->setContentsMargins(0, 0, 0, 0);
    auto* pictureBox = new QWidget(fieldsView_);
    pictureBox->setFixedSize(78, 78);
    userPicture_ = new ImageView(pictureBox);
    userPicture_->setObjectName(QStringLiteral("userPicture"));
    userPicture_->setGeometry(0, 0, 78, 78);
    userPicture_->setContentMode(ImageView::ContentMode::ScaleAspectFill);
    userPictureButton_ = new QPushButton(pictureBox);
    userPictureButton_->setObjectName(QStringLiteral("userPictureButton"));
    userPictureButton_->setGeometry(0, 0, 78, 78);
    userPictureButton_->setIconSize(QSize(78, 78));
    userPictureButton_->setFlat(true);
    fieldsRow->addWidget(pictureBox, 0, Qt::AlignTop);
    auto* nameColumn = new QVBoxLayout();
    auto iconRow = [&](ImageView*& icon, const char* iconName, TextField* field) {
        auto* row = new QHBoxLayout();
        icon = new ImageView(fieldsView_);
        icon->setObjectName(QLatin1String(iconName));
        icon->setFixedSize(20, 20);
        row->addWidget(icon);
        row->addWidget(field, 1);
        nameColumn->addLayout(row);
    };
    firstName_ = makeField(fieldsView_, "firstName");
    emailAddress_ = makeField(fieldsView_, "emailAddress");
    ImageView* icon = nullptr;
    iconRow(icon, "userIcon", firstName_);
    userIcon_ = icon;
    iconRow(icon, "emailIconImageView", emailAddress_);
    emailIcon_ = icon;
    fieldsRow->addLayout(nameColumn, 1);
    column->addWidget(fieldsView_);

    hideMoreInfoView_ = new QWidget(itemsView);
    hideMoreInfoView_->setObjectName(QStringLiteral("hideMoreInfoView"));
    auto* moreRow = new QHBoxLayout(hideMoreInfoView_);
    hideMoreInfoButton_ = new QPushButton(hideMoreInfoView_);
    hideMoreInfoButton_->setObjectName(QStringLiteral("hideMoreInfoButton"));
    hideMoreInfoButton_->setFlat(true);
    moreRow->addWidget(hideMoreInfoButton_);
    column->addWidget(hideMoreInfoView_);

    moreFieldsView_ = new QWidget(itemsView);
    moreFieldsView_->setObjectName(QStringLiteral("moreFieldsView"));
    auto* moreColumn = new QVBoxLayout(moreFieldsView_);
    moreColumn->setContentsMargins(0, 0, 0, 0);
    lastName_ = makeField(moreFieldsView_, "lastName");
    lastName_->setVisible(false);
    personalId_ = makeField(moreFieldsView_, "personalId");
    birthdate_ = makeField(moreFieldsView_, "birthdate");
    address_ = makeField(moreFieldsView_, "address");
    city_ = makeField(moreFieldsView_, "city");
    state_ = makeField(moreFieldsView_, "state");
    zipCode_ = makeField(moreFieldsView_, "zipCode");
    country_ = makeField(moreFieldsView_, "country");
    phone_ = new PhoneTextField(moreFieldsView_);
    phone_->setObjectName(QStringLiteral("phone"));
    phone_->setMinimumHeight(36);
    phone_->setStyleSheet(firstName_->styleSheet());
    for (QWidget* w : {static_cast<QWidget*>(lastName_), static_cast<QWidget*>(personalId_),
                       static_cast<QWidget*>(birthdate_), static_cast<QWidget*>(address_),
                       static_cast<QWidget*>(city_), static_cast<QWidget*>(state_),
                       static_cast<QWidget*>(zipCode_), static_cast<QWidget*>(country_),
                       static_cast<QWidget*>(phone_)})
        moreColumn->addWidget(w);
    moreFieldsView_->setVisible(false);
    column->addWidget(moreFieldsView_);
    column->addStretch(1);

    // Input views of the picker fields, shown under the form while their field is edited.
    inputArea_ = new QWidget(root);
    inputArea_->setObjectName(QStringLiteral("inputArea"));
    auto* inputColumn = new QVBoxLayout(inputArea_);
    inputColumn->setContentsMargins(0, 0, 0, 0);
    countryPicker_ = new PickerView(inputArea_);
    countryPicker_->setObjectName(QStringLiteral("countryPicker"));
    statePicker_ = new PickerView(inputArea_);
    statePicker_->setObjectName(QStringLiteral("statePicker"));
    datePicker_ = new QDateEdit(inputArea_);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    datePicker_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    datePicker_->setCalendarPopup(true);
    for (QWidget* w : {static_cast<QWidget*>(countryPicker_), static_cast<QWidget*>(statePicker_),
                       static_cast<QWidget*>(datePicker_)}) {
        w->setVisible(false);
        inputColumn->addWidget(w);
    }
    rootColumn->addWidget(inputArea_);

    connect(hideMoreInfoButton_, &QPushButton::clicked, this, [this] { showMoreInfo(); });
    connect(userPictureButton_, &QPushButton::clicked, this, [this] { addPicture(); });
    connect(datePicker_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        birthdate_->setText(date.toString(QStringLiteral("dd/MM/yyyy")));
    });
    for (TextField* f : {emailAddress_.data(), firstName_.data()})
        connect(f, &TextField::editingChanged, this, [this] { updateIcons(); });
    connect(scrollView_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { formScrolled(); });
    return root;
}

TextField* SendReceiptDataController::field(const QString& name) const {
    return const_cast<SendReceiptDataController*>(this)->view()->findChild<TextField*>(name);
}

void SendReceiptDataController::viewDidLoad() {
    if (!sale_)
        sale_ = std::shared_ptr<Sale>(&Sale::sharedSale(), [](Sale*) {});
    for (TextField* f :
         {emailAddress_.data(), firstName_.data(), lastName_.data(), personalId_.data(),
          birthdate_.data(), address_.data(), city_.data(), state_.data(), zipCode_.data(),
          country_.data(), static_cast<TextField*>(phone_.data())})
        f->setDelegate(this);
    countryPicker_->setDataSource(this);
    countryPicker_->setDelegate(this);
    statePicker_->setDataSource(this);
    statePicker_->setDelegate(this);
    birthdate_->setInputView(datePicker_);
    state_->setInputView(statePicker_);
    country_->setInputView(countryPicker_);
    setViewLocalization();
    prefill();
    if (receiptType_ == 1) {
        firstName_->setVisible(false);
        userIcon_->setVisible(false);
        moreFieldsView_->setVisible(false);
        hideMoreInfoView_->setVisible(false);
        userPicture_->parentWidget()->setVisible(false);
    }
    if (!AccountSettings::instance().tutorialAmount() && receiptType_ != 1)
        tutorialStart();
    else
        tutorialStep_ = 0;
}

void SendReceiptDataController::setViewLocalization() {
    setTitle(formText("SendReceiptList", "sendReceipt"));
    navigationItem()->setTitle(title());
    navigationItem()->setRightBarButtonItem(BarButtonItem{formText("GlobalTexts", "send"),
                                                          QStringLiteral("sendButton"),
                                                          [this] { sendReceipt(); },
                                                          {},
                                                          true});
    navigationItem()->setLeftBarButtonItem(BarButtonItem{formText("SendReceiptList", "ommit"),
                                                         QStringLiteral("ommitButton"),
                                                         [this] { ommit(); },
                                                         {},
                                                         true});
    navigationItem()->setHidesBackButton(true);
    hideMoreInfoButton_->setText(formText("SendReceiptList", "moreData") + QStringLiteral("  ⌄"));
    const QColor theme = UIKitSupport::mainColor();
    hideMoreInfoButton_->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; font-size: 15px; border: none; }")
            .arg(theme.name()));
    emailAddress_->setPlaceholderText(formText("SendReceiptData", "email"));
    firstName_->setPlaceholderText(formText("SendReceiptData", "fullName"));
    personalId_->setPlaceholderText(formText("BuyerDetails", "documentLabel"));
    birthdate_->setPlaceholderText(formText("SignupStep2", "birthdate"));
    address_->setPlaceholderText(formText("SignupStep2", "address"));
    city_->setPlaceholderText(formText("SignupStep2", "city"));
    state_->setPlaceholderText(formText("SignupStep2", "state"));
    zipCode_->setPlaceholderText(formText("SignupStep2", "zipCode"));
    country_->setPlaceholderText(formText("BuyerDetails", "country"));
    phone_->setPlaceholderText(formText("SignupStep2", "phone"));
    for (ImageView* icon : {userIcon_.data(), emailIcon_.data()})
        icon->setTintColor(theme);
    userIcon_->setImageNamed(QStringLiteral("user_icon.png"));
    emailIcon_->setImageNamed(QStringLiteral("email_icon.png"));
    if (std::shared_ptr<ImageProvider> images = Services::images())
        userPictureButton_->setIcon(QIcon(QPixmap::fromImage(
            images->imageNamed(QStringLiteral("avatar_add_midsize.png"), false))));
    tooltip_ = new PopoverTip(view());
    tooltip_->setObjectName(QStringLiteral("invalidEmailTip"));
}

void SendReceiptDataController::prefill() {
    std::shared_ptr<CreditCard> card = sale_ ? sale_->creditCard() : nullptr;
    const bool byCard = sale_ && sale_->paidWithCreditCard() && card;
    if (buyerDic_) {
        headerLabel_->setText(formText("SendReceiptData", "headerConfirmData"));
        firstName_->setText(recordText(buyerDic_, "fullName")
                                .trimmed()
                                .replace(QLatin1Char('/'), QLatin1Char(' ')));
        emailAddress_->setText(recordText(buyerDic_, "email"));
        phone_->setFormattedText(recordText(buyerDic_, "phone"));
        address_->setText(recordText(buyerDic_, "address"));
        city_->setText(recordText(buyerDic_, "city"));
        zipCode_->setText(recordText(buyerDic_, "zipCode"));
        const QString document = recordText(buyerDic_, "document");
        personalId_->setText(!document.isEmpty() ? document
                                                 : (byCard ? card->IdNumber() : QString()));
        state_->setText(recordText(buyerDic_, "province"));
        const QString imageUrl = recordText(buyerDic_, "buyerImageUrl");
        userPicture_->setVisible(!imageUrl.isEmpty());
        if (!imageUrl.isEmpty()) {
            userPictureButton_->setIcon(QIcon());
            auto* downloader = new ImageDownloader(this);
            downloader->setUrlString(imageUrl);
            downloader->setImageIndex(recordText(buyerDic_, "buyerId"));
            downloader->setImageView(userPicture_);
            downloader->downloadTheImage();
        }
        const QDate born =
            QDate::fromString(recordText(buyerDic_, "birthdate"), QStringLiteral("yyyy-MM-dd"));
        if (born.isValid()) {
            datePicker_->setDate(born);
            birthdate_->setText(born.toString(QStringLiteral("dd/MM/yyyy")));
        } else {
            birthdate_->setText(QString());
        }
    } else {
        headerLabel_->setText(formText("SendReceiptData", "header"));
        buyerDic_ = QVariantMap{{"buyerId", "0"}, {"buyerImageUrl", ""}};
        userPicture_->setVisible(false);
        if (byCard) {
            QString name = capitalised(card->name().replace(QLatin1Char('/'), QLatin1Char(' ')));
            static const QRegularExpression runs(QStringLiteral("\\s\\s+"),
                                                 QRegularExpression::CaseInsensitiveOption);
            name.replace(runs, QStringLiteral(" "));
            firstName_->setText(name.trimmed());
            personalId_->setText(card->IdNumber());
        } else if (sale_ && sale_->paidWithPhoneNumber()) {
            phone_->setFormattedText(*sale_->paidWithPhoneNumber());
        }
    }
}

void SendReceiptDataController::viewDidAppear(bool) {
    if (!movedOn_)
        emailAddress_->becomeFirstResponder();
    updateIcons();
    if (!Buyers::instance().countriesList().isEmpty())
        selectDefaultCountry();
    else
        requestCountries();
}

void SendReceiptDataController::viewWillDisappear(bool) {
    if (QWidget* focus = FirstResponder::current())
        focus->clearFocus();
}

void SendReceiptDataController::requestCountries() {
    if (countriesRequested_)
        return;
    countriesRequested_ = true;
    displayLoadingIndicator();
    auto* client = new APIController(this);
    client->setDelegate(this);
    client->getCountriesWithUserId(User::instance().userId(), User::instance().token());
}

void SendReceiptDataController::updateIcons() {
    emailIcon_->setTemplate(validEmail().has_value());
    userIcon_->setTemplate(!firstName_->text().isEmpty());
}

std::optional<QString> SendReceiptDataController::validEmail() const {
    QString text = emailAddress_->text();
    while (text.contains(QStringLiteral("  ")))
        text.replace(QStringLiteral("  "), QStringLiteral(" "));
    if (!AutoLayoutUtilities::IsValidEmailSilent(text, true))
        return std::nullopt;
    return text;
}

bool SendReceiptDataController::isInvalidEmailTipShown() const {
    return tooltip_ && tooltip_->isVisible();
}

void SendReceiptDataController::showInvalidEmailTip() {
    if (!tooltip_)
        return;
    const QRect row(emailAddress_->mapTo(view(), QPoint(0, 0)), emailAddress_->size());
    tooltip_->showText(formText("SendReceiptData", "invalidEmail"), row, view(), 200, false);
}

void SendReceiptDataController::textFieldDidBeginEditing(TextField* field) {
    if (tutorialStep_ == 2 && tutorialHint_)
        tutorialHint_->hideHint();
    if (field == emailAddress_ && tooltip_)
        tooltip_->hideTip();
    showInputView(field->inputView());
}

void SendReceiptDataController::textFieldDidEndEditing(TextField* field) {
    if (field == emailAddress_ && !validEmail())
        showInvalidEmailTip();
    // Leaving the e-mail of the compact form ends the name-and-e-mail step of the tour.
    if (field == emailAddress_ && tutorialStep_ == 2 && !showMoreInfo_)
        tutorialNextStep();
}

bool SendReceiptDataController::textFieldShouldReturn(TextField* field) {
    if (field == firstName_ && !showMoreInfo_) {
        field->resignFirstResponder();
        if (tutorialStep_ == 2)
            tutorialNextStep();
        else
            sendReceipt();
        return false;
    }
    // The next visible field, in form order.
    const QList<TextField*> order{emailAddress_, firstName_,   personalId_, birthdate_,
                                  address_,      city_,        state_,      zipCode_,
                                  country_,      phone_.data()};
    const qsizetype at = order.indexOf(field);
    for (qsizetype i = at + 1; at >= 0 && i < order.size(); ++i)
        if (order[i]->isVisibleTo(view())) {
            order[i]->becomeFirstResponder();
            return false;
        }
    field->resignFirstResponder();
    return false;
}

void SendReceiptDataController::showInputView(QWidget* input) {
    for (QWidget* w : {static_cast<QWidget*>(countryPicker_), static_cast<QWidget*>(statePicker_),
                       static_cast<QWidget*>(datePicker_)})
        w->setVisible(w == input);
}

void SendReceiptDataController::showMoreInfo() {
    if (QWidget* focus = FirstResponder::current())
        focus->clearFocus();
    if (tutorialStep_ == 3 && tutorialHint_)
        tutorialHint_->hideHint();
    if (showMoreInfo_)
        return;
    showMoreInfo_ = true;
    View::setAlpha(moreFieldsView_, 0);
    moreFieldsView_->setVisible(true);
    hideMoreInfoView_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QPointer<SendReceiptDataController> self(this);
    ViewAnimation()
        .alpha(moreFieldsView_, 1)
        .alpha(hideMoreInfoButton_, 0)
        .start(this, kRevealMs, [self](bool) {
            if (!self)
                return;
            self->hideMoreInfoView_->setVisible(false);
            if (self->tutorialStep_ == 3)
                Clock::current().callAfter(kScrollAfterRevealMs, self,
                                           [self] { self->scrollToBottom(); });
        });
}

void SendReceiptDataController::scrollToBottom() {
    QScrollBar* bar = scrollView_->verticalScrollBar();
    bar->setValue(bar->maximum());
    // A form that fits shows its end already.
    formScrolled();
}

void SendReceiptDataController::formScrolled() {
    QScrollBar* bar = scrollView_->verticalScrollBar();
    if (tutorialStep_ == 3 && bar->value() >= bar->maximum() && showMoreInfo_)
        tutorialNextStep();
}

// ---------------------------------------------------------------- tutorial

void SendReceiptDataController::tutorialStart() {
    tutorialStep_ = 0;
    tutorialNextStep();
    // Over the navigation bar, leaving the form in sight.
    QWidget* barHost = navigationController() ? navigationController()->view() : view();
    tutorialNavBar_ =
        TutorialNavBar::initWithStep(4, formText("Tutorial", "sendReceipt"), barHost, 0, false);
    tutorialNavBar_->setDelegate(this);
}

void SendReceiptDataController::tutorialNextStep() {
    if (tutorialHint_)
        tutorialHint_->hideHint();
    ++tutorialStep_;
    QWidget* items = itemsView_;
    QWidget* pictureBox = userPicture_->parentWidget();
    switch (tutorialStep_) {
    case 1:
        tutorialHint_ =
            TutorialHint::initHint(TutorialHint::ArrowLeftUp, formText("Tutorial", "takePicture"),
                                   QPoint(30, fieldsView_->y() + pictureBox->height() + 10), items,
                                   {fieldsView_.data(), headerLabel_.data()});
        tutorialHint_->reduceAlphasInView(fieldsView_, {pictureBox});
        break;
    case 2:
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowUp, formText("Tutorial", "completeData"),
            QPoint(30, fieldsView_->y() + emailAddress_->mapTo(fieldsView_, QPoint()).y() +
                           emailAddress_->height() + 10),
            items, {fieldsView_.data(), headerLabel_.data()});
        userPictureButton_->setEnabled(false);
        break;
    case 3:
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowDown, formText("Tutorial", "moreData"),
            QPoint(30, hideMoreInfoView_->y() - 10), items, {hideMoreInfoView_.data()});
        break;
    case 4:
        // The send button stands in the navigation bar, so the bubble points up at it.
        tutorialHint_ = TutorialHint::initHint(TutorialHint::ArrowRightUp,
                                               formText("Tutorial", "sendTheReceipt"),
                                               QPoint(30, 10), items, {fieldsView_.data()});
        break;
    default:
        break;
    }
}

void SendReceiptDataController::pictureStepDone() {
    if (tutorialStep_ == 1)
        tutorialNextStep();
}

void SendReceiptDataController::removeTutorialViews() {
    if (tutorialHint_)
        tutorialHint_->hideHint();
    if (tutorialNavBar_) {
        tutorialNavBar_->setDelegate(nullptr);
        tutorialNavBar_->close(true);
    }
    userPictureButton_->setEnabled(true);
    tutorialStep_ = 0;
}

void SendReceiptDataController::cancelTutorial() {
    FlowSteps::askToSkipTutorial(this, [this] { removeTutorialViews(); });
}

// ---------------------------------------------------------------- countries and provinces

int SendReceiptDataController::pickerViewNumberOfRowsInComponent(PickerView* picker, int) {
    if (picker == countryPicker_)
        return int(Buyers::instance().countriesList().size()) * kVirtualRowsPerEntry;
    const auto& states = States::instance().statesList();
    return states ? int(states->size()) * kVirtualRowsPerEntry : 0;
}

QString SendReceiptDataController::pickerViewTitleForRow(PickerView* picker, int row, int) {
    if (picker == countryPicker_) {
        const QVariantList countries = Buyers::instance().countriesList();
        return countries.isEmpty()
                   ? QString()
                   : countries[row % countries.size()].toMap().value("countryName").toString();
    }
    const auto& states = States::instance().statesList();
    return states && !states->isEmpty() ? states->at(row % states->size()) : QString();
}

void SendReceiptDataController::pickerViewDidSelectRow(PickerView* picker, int row, int) {
    if (picker == countryPicker_) {
        const qsizetype n = Buyers::instance().countriesList().size();
        if (n > 0)
            selectCountryEntry(int(row % n), true);
        return;
    }
    const auto& states = States::instance().statesList();
    if (states && !states->isEmpty())
        state_->setText(states->at(row % states->size()));
}

int SendReceiptDataController::selectedCountryIndex() const {
    const qsizetype n = Buyers::instance().countriesList().size();
    return n > 0 ? int(countryPicker_->selectedRowInComponent(0) % n) : -1;
}

void SendReceiptDataController::selectDefaultCountry() {
    const QVariantList countries = Buyers::instance().countriesList();
    if (countries.isEmpty())
        return;
    // A country picked by hand on this screen stays picked.
    if (countryPickedHere_)
        return;
    countryPicker_->reloadAllComponents();
    int index = -1;
    const QString recordCountry = recordText(buyerDic_, "countryId");
    for (qsizetype i = 0; i < countries.size() && index < 0; ++i) {
        const QVariantMap entry = countries[i].toMap();
        if (!recordCountry.isEmpty()
                ? entry.value("countryId").toInt() == recordCountry.toInt()
                : entry.value("countryCode").toString() == User::instance().countryCode())
            index = int(i);
    }
    selectCountryEntry(index < 0 ? 0 : index, false);
}

void SendReceiptDataController::selectCountryEntry(int index, bool byHand) {
    const QVariantList countries = Buyers::instance().countriesList();
    const QVariantMap entry = countries.value(index).toMap();
    if (byHand)
        countryPickedHere_ = true;
    else
        countryPicker_->selectRow(int(countries.size()) * 50 + index, 0, false);
    country_->setText(entry.value("countryName").toString());
    const QString code = entry.value("countryCode").toString();
    phone_->setRegionCode(code.isEmpty() ? QStringLiteral("MX") : code);
    States::instance().pickCountry(code);
    if (!States::instance().statesList()) {
        state_->setInputView(nullptr);
        state_->setText(byHand ? QString() : recordText(buyerDic_, "province"));
    } else {
        state_->setInputView(statePicker_);
        selectDefaultProvince();
    }
}

void SendReceiptDataController::selectDefaultProvince() {
    const auto& states = States::instance().statesList();
    if (!states || states->isEmpty())
        return;
    const QString province = recordText(buyerDic_, "province");
    int index = States::instance().defaultSelected();
    if (!province.isEmpty())
        index = std::max(0, int(states->indexOf(province)));
    statePicker_->reloadAllComponents();
    statePicker_->selectRow(int(states->size()) * 50 + index, 0, false);
    state_->setText(states->value(index));
}

// ---------------------------------------------------------------- picture

void SendReceiptDataController::addPicture() {
    if (QWidget* focus = FirstResponder::current())
        focus->clearFocus();
    std::shared_ptr<ImageSource> source = Services::imageSource();
    if (!source)
        return;
    QPointer<SendReceiptDataController> self(this);
    auto chosen = [self](const QImage& image) {
        if (!self)
            return;
        if (!image.isNull())
            self->pictureChosen(image);
        self->pictureStepDone(); // picked or cancelled
    };
    if (!source->isCameraAvailable()) {
        source->pickImage(view(), chosen);
        return;
    }
    auto* sheet = SystemAlert::alertControllerWithTitle(QString(), QString(),
                                                        SystemAlert::Style::ActionSheet);
    sheet->addAction(formText("GlobalTexts", "selectFromAlbum"), SystemAlertAction::Default,
                     [self, source, chosen](SystemAlertAction*) {
                         if (self)
                             source->pickImage(self->view(), chosen);
                     });
    sheet->addAction(formText("GlobalTexts", "takePicture"), SystemAlertAction::Default,
                     [self, source, chosen](SystemAlertAction*) {
                         if (self)
                             source->takePicture(self->view(), chosen);
                     });
    if (!userPicture_->image().isNull())
        sheet->addAction(formText("GlobalTexts", "deletePicture"), SystemAlertAction::Default,
                         [self](SystemAlertAction*) {
                             if (!self)
                                 return;
                             self->userPicture_->setImage(QImage());
                             self->userPicture_->setVisible(false);
                         });
    sheet->addAction(formText("GlobalTexts", "cancel"), SystemAlertAction::Cancel,
                     [self](SystemAlertAction*) {
                         if (self)
                             self->pictureStepDone();
                     });
    presentViewController(sheet, true);
}

void SendReceiptDataController::pictureChosen(const QImage& image) {
    userPicture_->setImage(image.scaled(400, 400, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    userPicture_->setVisible(true);
    userPictureButton_->setIcon(QIcon());
    buyerImageChanged_ = true;
    if (isVisible())
        viewDidAppear(false);
}

// ---------------------------------------------------------------- sending

QString SendReceiptDataController::birthdateForSending() const {
    const QDate date = QDate::fromString(birthdate_->text(), QStringLiteral("dd/MM/yyyy"));
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

void SendReceiptDataController::sendReceipt() {
    if (movedOn_)
        return;
    if (tooltip_)
        tooltip_->hideTip();
    if (QWidget* focus = FirstResponder::current())
        focus->clearFocus();
    const std::optional<QString> email = validEmail();
    const bool missing = (firstName_->text().isEmpty() && firstName_->isVisibleTo(view())) ||
                         emailAddress_->text().isEmpty();
    if (missing) {
        if (!emailAddress_->text().isEmpty() && email) {
            auto* alert = SystemAlert::alertControllerWithTitle(
                QString(), formText("SendReceiptData", "infoMissing"));
            alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
            presentViewController(alert, true);
        } else {
            showInvalidEmailTip();
        }
        return;
    }
    if (!email) {
        showInvalidEmailTip();
        return;
    }
    const QString birthdate = birthdateForSending();
    const QImage picture = buyerImageChanged_ ? userPicture_->image() : QImage();
    const QString deleteImage =
        buyerImageChanged_ ? QStringLiteral("false") : QStringLiteral("true");
    std::shared_ptr<CreditCard> card = sale_ ? sale_->creditCard() : nullptr;
    QString document, documentType;
    if (sale_ && sale_->paidWithCreditCard() && card) {
        document = card->IdNumber();
        documentType = card->IdType();
    }
    const QString saleId = sale_ ? sale_->saleId() : QString();
    if (!personalId_->text().isEmpty())
        document = personalId_->text().remove(QRegularExpression(QStringLiteral("[^0-9]")));
    const int countryIndex = selectedCountryIndex();
    const QString countryId = countryIndex < 0 ? QString()
                                               : QString::number(Buyers::instance()
                                                                     .countriesList()[countryIndex]
                                                                     .toMap()
                                                                     .value("countryId")
                                                                     .toInt());
    const QString address = email->trimmed();

    auto* client = new APIController(this);
    client->setDelegate(this);
    User& user = User::instance();
    if (receiptType_ == 1) {
        client->sendRechargeReceiptToEmail(address, rechargeId_, user.token());
    } else {
        client->saveBuyerWithId(recordText(buyerDic_, "buyerId"), address, firstName_->text(),
                                picture, address_->text(), state_->text(), city_->text(),
                                zipCode_->text(), countryId, birthdate, phone_->phoneNumber(),
                                document, documentType, saleId, user.userId(), user.token(),
                                deleteImage);
    }
    if (tutorialStep_ == 4)
        tutorialNextStep();
    if (tutorialStep_ != 0)
        removeTutorialViews();
}

void SendReceiptDataController::ommit() {
    if (QWidget* focus = FirstResponder::current())
        focus->clearFocus();
    if (tooltip_) {
        tooltip_->hideTip();
        tooltip_->deleteLater();
        tooltip_ = nullptr;
    }
    goToNextView();
}

bool SendReceiptDataController::sessionExpired() {
    ommit();
    return true;
}

bool SendReceiptDataController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& answer) {
    if (!answer || answer->value(QStringLiteral("success")).toString() != QLatin1String("OK")) {
        apiDidFailWithError(TarvelloError{}, functionName);
        return true;
    }
    if (functionName == FunctionCode::GetCountries) {
        hideLoadingIndicatorAnimated(false);
        Buyers::instance().setCountriesList(answer->value(QStringLiteral("data")).toList());
        countryPicker_->reloadAllComponents();
        selectDefaultCountry();
        return true;
    }
    if (sale_)
        sale_->setReceiptSent(true);
    if (functionName == FunctionCode::SaveBuyer) {
        const int countryIndex = selectedCountryIndex();
        QVariantMap record{
            {"buyerId", answer->value(QStringLiteral("buyerId"), recordText(buyerDic_, "buyerId"))},
            {"fullName", firstName_->text()},
            {"email", emailAddress_->text()},
            {"phone", phone_->phoneNumber()},
            {"address", address_->text()},
            {"city", city_->text()},
            {"province", state_->text()},
            {"zipCode", zipCode_->text()},
            {"countryId", countryIndex < 0 ? QString()
                                           : QString::number(Buyers::instance()
                                                                 .countriesList()[countryIndex]
                                                                 .toMap()
                                                                 .value("countryId")
                                                                 .toInt())},
            {"birthdate", birthdateForSending()},
        };
        QString imageUrl = answer->value(QStringLiteral("buyerImageUrl")).toString();
        if (imageUrl.isEmpty())
            imageUrl = recordText(buyerDic_, "buyerImageUrl");
        record.insert("buyerImageUrl", imageUrl);
        buyerDic_ = record;
    }
    goToNextView();
    return true;
}

void SendReceiptDataController::apiDidFailWithError(const TarvelloError&, int functionName) {
    if (functionName == FunctionCode::GetCountries) {
        // The overlay goes whatever happened; a later appearance asks again.
        hideLoadingIndicatorAnimated(false);
        countriesRequested_ = false;
        return;
    }
    if (functionName == FunctionCode::SaveBuyer || receiptType_ == 1)
        goToNextView();
}

void SendReceiptDataController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (auto* receiver = dynamic_cast<SaleReceiver*>(segue.destinationViewController()))
        receiver->setSale(sale_);
}

void SendReceiptDataController::goToNextView() {
    if (movedOn_)
        return;
    movedOn_ = true;
    if (receiptType_ == 1) {
        if (ViewController* success = Storyboard::instantiate(QStringLiteral("Prepaid"),
                                                              QStringLiteral("PrepaidSuccess"))) {
            if (rechargeAmount_)
                success->setProperty("amount", rechargeAmount_->doubleValue());
            presentViewController(success, true);
            return;
        }
    }
    Storyboard::SegueTarget target;
    if (Storyboard::findSegue(this, SignatureReceiptScreens::continueSegue, &target) &&
        Storyboard::hasViewController(target.storyboard, target.identifier)) {
        performSegueWithIdentifier(SignatureReceiptScreens::continueSegue, this);
        return;
    }
    // No result screen to show: the flow ends here with the sale.
    FlowSteps::endWithSale(flowEndDelegate(), sale_);
}
