#include "payment/card_reading/PinController.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "model/AvailableCreditCards.h"
#include "model/Client.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "payment/SaleEntryScreens.h"
#include "payment/card_reading/KeyboardGap.h"
#include "payment/card_reading/ScreenRequest.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SignatureViewController.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "reader/DSpreadViewController.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/texts/Language.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

namespace {

bool pinBool(const QVariant& value) {
    if (value.typeId() == QMetaType::Nullptr || !value.isValid())
        return false;
    if (value.typeId() == QMetaType::QString)
        return value.toString() == QLatin1String("true") || value.toString().toInt() != 0;
    return value.toBool();
}

QString capitalised(const QString& word) {
    return word.isEmpty() ? word : word.left(1).toUpper() + word.mid(1).toLower();
}

// Integer value of a currency code, as text or number.
int codeValue(const QVariant& code) {
    return code.toString().trimmed().toInt();
}

} // namespace

PinController::PinController(QObject* parent)
    : CardholderStep(parent) {
    setStoryboardInfo(QStringLiteral("Payment"), QStringLiteral("PinController"));
}

PinController::~PinController() = default;

QString PinController::text(const char* section, const char* key) const {
    return Language::textForFile(QString::fromLatin1(section), QString::fromLatin1(key));
}

QWidget* PinController::loadView() {
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("PinControllerView"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 16, 20, 0);
    column->setSpacing(10);
    makeKeyboardGap(column, 30);

    header_ = new QLabel(root);
    header_->setObjectName(QStringLiteral("header"));
    header_->setWordWrap(true);
    header_->setAlignment(Qt::AlignCenter);
    column->addWidget(header_);

    pinBoxes_ = new QWidget(root);
    pinBoxes_->setObjectName(QStringLiteral("pinBoxes"));
    pinBoxes_->setFixedSize(320, 52);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QWidget(pinBoxes_);
        box->setObjectName(QStringLiteral("pinView%1").arg(i + 1));
        box->setStyleSheet(QStringLiteral("border: 1px solid #b4b4b4; border-radius: 4px;"));
        box->setAttribute(Qt::WA_StyledBackground);
        pinViews_ << box;
    }
    column->addWidget(pinBoxes_, 0, Qt::AlignHCenter);
    instructions_ = new QLabel(root);
    instructions_->setObjectName(QStringLiteral("instructions"));
    instructions_->setWordWrap(true);
    instructions_->setAlignment(Qt::AlignCenter);
    column->addWidget(instructions_);

    auto row = [&](QWidget*& holder) {
        holder = new QWidget(root);
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        column->addWidget(holder);
        return layout;
    };
    QWidget* cvvRow = nullptr;
    QHBoxLayout* cvvLayout = row(cvvRow);
    cvvIcon_ = cvvRow;
    cvvIcon_->setObjectName(QStringLiteral("cvvIcon"));
    cvv_ = new TextField(cvvRow);
    cvv_->setObjectName(QStringLiteral("cvv"));
    cvv_->setEchoMode(QLineEdit::Password);
    cvvLayout->addWidget(cvv_);
    connect(cvv_, &QLineEdit::textChanged, this, [this] { checkCVV2(); });
    line1_ = new QWidget(root);
    line1_->setObjectName(QStringLiteral("line1"));
    line1_->setFixedHeight(1);
    View::setBackgroundColor(line1_, QColor(220, 220, 220));
    column->addWidget(line1_);

    QWidget* idRow = nullptr;
    QHBoxLayout* idLayout = row(idRow);
    documentTypeButton_ = new QPushButton(idRow);
    documentTypeButton_->setObjectName(QStringLiteral("documentTypeButton"));
    connect(documentTypeButton_, &QPushButton::clicked, this, [this] { changeDocumentType(); });
    idNumber_ = new TextField(idRow);
    idNumber_->setObjectName(QStringLiteral("idNumber"));
    idLayout->addWidget(documentTypeButton_);
    idLayout->addWidget(idNumber_, 1);
    connect(idNumber_, &QLineEdit::textChanged, this, [this] { checkLength(); });

    column->addStretch(1);
    numberToolbar2_ = new QWidget(root);
    numberToolbar2_->setObjectName(QStringLiteral("numberToolbar2"));
    numberToolbar2_->setFixedHeight(45);
    numberToolbar2_->hide();
    column->addWidget(numberToolbar2_);
    documentTypePicker_ = new PickerView(root);
    documentTypePicker_->setObjectName(QStringLiteral("documentTypePicker"));
    documentTypePicker_->hide();
    column->addWidget(documentTypePicker_);

    continueButtonBig_ = new QPushButton(root);
    continueButtonBig_->setObjectName(QStringLiteral("continueButtonBig"));
    continueButtonBig_->setMinimumHeight(48);
    connect(continueButtonBig_, &QPushButton::clicked, this, [this] { done(); });
    column->addWidget(continueButtonBig_);
    textFields_ = {cvv_, idNumber_};
    return root;
}

// ---------------------------------------------------------------- set-up

bool PinController::signatureRuleFor(const Sale& sale, const AccountSettings& settings) {
    if (sale.creditCard() && sale.creditCard()->pinBlock())
        return false;
    if (sale.trxType() == 2)
        return false;
    const double total = sale.total() ? sale.total()->doubleValue() : 0.0;
    const float limit = float(settings.signatureLimitAmount());
    const int limitCode = codeValue(settings.signatureLimitCurrencyCode());
    if (codeValue(sale.currencyCode()) == limitCode)
        return !(total < double(limit));
    // Without a usable rate the amounts cannot be compared: the cardholder signs.
    const QVariantList currencies = settings.currencies();
    if (currencies.isEmpty())
        return true;
    const QVariantMap first = currencies.first().toMap();
    bool ok = false;
    const float exchangeRate = textOf(first.value(QStringLiteral("exchangeRate"))).toFloat(&ok);
    if (!ok || exchangeRate == 0.0f || !std::isfinite(exchangeRate))
        return true;
    const float rate = codeValue(first.value(QStringLiteral("code"))) == limitCode
                           ? 1.0f / exchangeRate
                           : exchangeRate;
    return !(total < double(limit * rate));
}

void PinController::viewDidLoad() {
    ViewController::viewDidLoad();
    const std::optional<QVariantList>& cards = AvailableCreditCards::instance().list();
    const QVariantMap first = cards && !cards->isEmpty() ? cards->first().toMap() : QVariantMap();
    requireSecurityCodeOnPei_ = pinBool(first.value(QStringLiteral("requireSecurityCodeOnPei")));
    if (first.contains(QStringLiteral("requireSecurityCode")))
        requireSecurityCode_ = pinBool(first.value(QStringLiteral("requireSecurityCode")));
    else
        requireSecurityCode_ = sale_ && sale_->securityCodeLength() > 0;

    setTitle(sale_ && sale_->trxType() == 0 ? text("Pin", "completeSale")
                                            : text("Pin", "completeTransaction"));
    navigationItem()->setLeftBarButtonItems({});
    navigationItem()->setHidesBackButton(true);
    continueButtonBig_->setText(text("GlobalTexts", "continue"));

    header_->setText(text("Pin", "requestId"));
    idNumber_->setPlaceholderText(text("Pin", "number"));
    cvv_->setPlaceholderText(text("Pin", "cvv"));
    const QColor tint = VersionDispatch::mainColor().value_or(QColor(0, 65, 101));
    for (TextField* field : textFields_)
        field->setStyleSheet(QStringLiteral("selection-background-color: %1").arg(tint.name()));
    cvv_->hide();
    cvvIcon_->hide();
    line1_->hide();
    settings_ = &AccountSettings::instance();

    for (TextField* field : textFields_) {
        field->setKeyboardType(TextField::KeyboardType::NumberPad);
        field->setDelegate(this);
    }
    documentTypes_ = Language::listForFile(QStringLiteral("Pin"), QStringLiteral("docTypes"))
                         .value_or(QStringList());
    documentTypeButton_->setText(documentTypes_.value(0));
    documentTypePicker_->setDataSource(this);
    documentTypePicker_->setDelegate(this);
    documentTypePicker_->reloadAllComponents();
    if (!documentTypes_.isEmpty())
        documentTypePicker_->selectRow(int(documentTypes_.size()) * 500, 0, true);

    signatureRequired_ = sale_ && settings_ && signatureRuleFor(*sale_, *settings_);

    idNumber_->setFont(QFont(QStringLiteral("Helvetica Neue"), 17));
    header_->setFont(QFont(QStringLiteral("Helvetica Neue"), 15));
    continueButtonBig_->setStyleSheet(
        QStringLiteral("background-color: rgb(0,65,101); color: white; border: none;"));
    navigationItem()->setRightBarButtonItems({});
    idNumber_->becomeFirstResponder();
}

void PinController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    setRightButtonEnabled(true);
    const bool amex =
        sale_ && sale_->creditCard() && sale_->creditCard()->cardIssuer() == CARD_AMERICAN_EXPRESS;
    pinLength_ = amex ? 4 : 3;
    layoutPinBoxes();
    keyboardGap()->start();
    applySecurityCodeVisibility();
    if (cvv_->isHidden())
        idNumber_->becomeFirstResponder();
}

void PinController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    idNumber_->resignFirstResponder();
    cvv_->resignFirstResponder();
    keyboardGap()->stop();
}

int PinController::buttonBottomGap() const {
    return keyboardGap()->gap();
}

void PinController::layoutPinBoxes() {
    if (pinLength_ == 4) {
        instructions_->setText(text("Pin", "search4Digits"));
        const int xs[] = {41, 104, 167, 230};
        for (int i = 0; i < 4; ++i) {
            View::setFrame(pinViews_[i], QRect(xs[i], 2, 49, 48));
            pinViews_[i]->show();
        }
        return;
    }
    instructions_->setText(text("Pin", "search3Digits"));
    const double xs[] = {72.5, 135.5, 198.5};
    for (int i = 0; i < 3; ++i) {
        View::setFrame(pinViews_[i], QRect(int(xs[i]), 2, 49, 48));
        pinViews_[i]->show();
    }
    pinViews_[3]->hide();
}

void PinController::applySecurityCodeVisibility() {
    // The PEI switch is not offered, so it reads as off.
    const bool show = requireSecurityCodeOnPei_ ? false : requireSecurityCode_;
    cvv_->setVisible(show);
    cvvIcon_->setVisible(show);
    line1_->setVisible(show);
}

// ---------------------------------------------------------------- fields

void PinController::checkLength() {
    if (idNumber_->text().size() > kIdNumberLimit)
        idNumber_->setText(idNumber_->text().left(kIdNumberLimit));
}

void PinController::checkCVV2() {
    const QString number = sale_ && sale_->creditCard() ? sale_->creditCard()->number() : QString();
    const int length = CreditCard::getIssuer(number) == CARD_AMERICAN_EXPRESS ? 4 : 3;
    if (cvv_->text().size() > length)
        cvv_->setText(cvv_->text().left(length));
}

void PinController::changeDocumentType() {
    if (idNumber_->isFirstResponder())
        idNumber_->resignFirstResponder();
    documentTypePicker_->show();
    numberToolbar2_->show();
}

int PinController::pickerViewNumberOfRowsInComponent(PickerView* picker, int component) {
    (void)picker;
    (void)component;
    return int(documentTypes_.size()) * 1000;
}

QString PinController::pickerViewTitleForRow(PickerView* picker, int row, int component) {
    (void)picker;
    (void)component;
    return documentTypes_.isEmpty() ? QString() : documentTypes_.at(row % documentTypes_.size());
}

void PinController::pickerViewDidSelectRow(PickerView* picker, int row, int component) {
    (void)picker;
    (void)component;
    if (!documentTypes_.isEmpty())
        documentTypeButton_->setText(documentTypes_.at(row % documentTypes_.size()));
}

bool PinController::textFieldShouldReturn(TextField* field) {
    for (int i = 0; i < textFields_.size(); ++i) {
        if (i == textFields_.size() - 1) {
            done();
            break;
        }
        if (textFields_[i] == field && !textFields_[i + 1]->isHidden()) {
            textFields_[i + 1]->becomeFirstResponder();
            break;
        }
    }
    return true;
}

// ---------------------------------------------------------------- continue and cancel

void PinController::done() {
    if (!sale_)
        return;
    const QString number = idNumber_->text();
    if (number.isEmpty() && sale_->trxType() == 0) {
        auto* alert = new SystemAlert(QString(), text("Pin", "completeIdNumber"));
        alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
        presentViewController(alert, true);
        return;
    }
    if (!sale_->creditCard())
        sale_->setCreditCard(std::make_shared<CreditCard>());
    sale_->creditCard()->setIdNumber(number);
    if (signatureRequired_) {
        presentViewController(SignatureViewController::instanceWithSale(
                                  sale_, Client::instanceWithDictionary(buyerDic_)),
                              true);
        return;
    }
    uploadPersonalIdAndGoOn();
}

void PinController::uploadPersonalIdAndGoOn() {
    // The upload's answer is not awaited.
    auto* upload = new ScreenRequest(this, nullptr);
    const User& user = User::instance();
    upload->client().registerPersonalIdForSaleId(
        sale_->saleId(), sale_->creditCard() ? sale_->creditCard()->IdType() : QString(),
        sale_->creditCard() ? sale_->creditCard()->IdNumber() : QString(), user.userId(),
        user.token());
    performSegueWithIdentifier(QStringLiteral("clientIdentifiedSegue"), this);
}

void PinController::cancel() {
    const bool refund = sale_ && sale_->trxType() == 2;
    auto* alert = new SystemAlert(refund ? text("SaleDetails", "cancelRefundAlertTitle")
                                         : text("SaleDetails", "cancelSaleAlertTitle"),
                                  refund ? text("SaleDetails", "cancelRefundAlertMessage")
                                         : text("SaleDetails", "cancelSaleAlertMessage"));
    QPointer<PinController> self(this);
    alert->addAction(
        capitalised(text("GlobalTexts", "YES")), SystemAlertAction::Default, [self](auto*) {
            if (!self)
                return;
            FlowEndDelegate* end = self->flowEndDelegate();
            const std::shared_ptr<Sale> sale = self->sale_;
            if (end && sale && !sale->saleId().isEmpty() && sale->saleId() != QLatin1String("0")) {
                // The operation went through: it ends as such.
                const std::shared_ptr<Sale> done = Sale::initWithSale(*sale);
                Sale::sharedSale().cleanSale();
                if (done->trxType() == 0)
                    end->paymentDone(done);
                else
                    end->operationDone(done);
                return;
            }
            Sale::sharedSale().cleanSale();
            if (end) {
                end->canceled(TarvelloError::sdk(TarvelloErrorCode::UserCanceled,
                                                 QStringLiteral("User canceled")));
                return;
            }
            self->dismissView();
        });
    alert->addAction(capitalised(text("GlobalTexts", "NO")), SystemAlertAction::Default);
    presentViewController(alert, true);
}

void PinController::dismissView() {
    NavigationController* navigation = navigationController();
    ViewController* presented = navigation ? static_cast<ViewController*>(navigation) : this;
    if (ViewController* presenter = presented->presentingViewController())
        presenter->dismissViewControllerAnimated(true);
}

void PinController::showActionSheet() {
    const bool refund = sale_ && sale_->trxType() == 2;
    auto* sheet = new SystemAlert(QString(), QString(), SystemAlert::Style::ActionSheet);
    QPointer<PinController> self(this);
    const auto choice = [self](int index) {
        return [self, index](auto*) {
            if (self)
                self->actionSheetClickedButtonAtIndex(index);
        };
    };
    sheet->addAction(refund ? text("Pin", "cancelRefund") : text("GlobalTexts", "cancelSale"),
                     SystemAlertAction::Destructive, choice(0));
    sheet->addAction(text("Pin", "changeCard"), SystemAlertAction::Default, choice(1));
    sheet->addAction(text("GlobalTexts", "cancel"), SystemAlertAction::Cancel);
    presentViewController(sheet, true);
}

void PinController::actionSheetClickedButtonAtIndex(int index) {
    NavigationController* navigation = navigationController();
    if (!navigation || index < 0 || index > 1)
        return;
    if (index == 1) {
        navigation->popViewControllerAnimated(true);
        return;
    }
    if (sale_ && sale_->trxType() == 2) {
        const QList<ViewController*> stack = navigation->viewControllers();
        if (stack.size() > 1)
            navigation->popToViewController(stack.at(1), true);
        return;
    }
    if (sale_)
        sale_->cleanSale();
    resetSaleEntryScreen(saleEntryScreenFor(this));
    navigation->popToRootViewControllerAnimated(true);
}

// ---------------------------------------------------------------- answers

void PinController::showBackButton() {
    navigationItem()->setHidesBackButton(false);
}

bool PinController::apiDidFinishDownloadingWithDictionary(
    int code, const std::optional<QVariantMap>& dictionary) {
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    if (code == FunctionCode::SavePayment || code == FunctionCode::MakeRefund ||
        code == FunctionCode::MakeAnnulation) {
        handleRegistration(code, reply);
        return true;
    }
    const bool exactOK = reply.value(QStringLiteral("success")).typeId() != QMetaType::Nullptr &&
                         reply.value(QStringLiteral("success")).toString() == QLatin1String("OK");
    if (code == FunctionCode::FindBuyer) {
        setRightButtonEnabled(true);
        hideLoadingIndicator();
        if (exactOK)
            buyerDic_ = reply;
        performSegueWithIdentifier(QStringLiteral("getAddressSegue"), this);
        return true;
    }
    if (code == FunctionCode::OperationCompletion) {
        setRightButtonEnabled(true);
        hideLoadingIndicator();
        if (exactOK) {
            finishSale();
            return true;
        }
        showBackButton();
        showResponseError(textOf(
            reply.value(QStringLiteral("response")).toMap().value(QStringLiteral("message"))));
    }
    return true;
}

void PinController::handleRegistration(int code, const QVariantMap& reply) {
    if (!sale_)
        return;
    if (isApproved(reply)) {
        Sale& sale = *sale_;
        applyApprovedReply(reply);
        // A refund's id replaces the sale id.
        if (hasUsableKey(reply, QStringLiteral("refundId")))
            sale.setSaleId(QString::number(reply.value(QStringLiteral("refundId")).toInt()));
        if (hasUsableKey(reply, QStringLiteral("potentialBuyers")))
            potentialBuyers_ = reply.value(QStringLiteral("potentialBuyers")).toList();
        sale.setJson(reply);
        if (code == FunctionCode::SavePayment) {
            const User& user = User::instance();
            auto* request = new ScreenRequest(this, this);
            request->client().operationStatus(true, sale.saleId(), user.userId(), user.token());
        } else {
            finishSale();
        }
        return;
    }
    if (!reply.contains(QStringLiteral("response"))) {
        apiDidFailWithError(TarvelloError::sdk(0, text("GlobalTexts", "connError")), code);
        return;
    }
    setRightButtonEnabled(true);
    hideLoadingIndicator();
    const QVariantMap response = reply.value(QStringLiteral("response")).toMap();
    const int reason = response.value(QStringLiteral("code")).toInt();
    const QString message = textOf(response.value(QStringLiteral("message")));
    if (reason == 723) {
        offerForcedTransaction(message);
        return;
    }
    if (!DSpreadViewController::retryOnDenied()) {
        if (FlowEndDelegate* end = flowEndDelegate()) {
            TarvelloError error = TarvelloError::sdk(kDenied, message);
            error.underlying = std::make_shared<const TarvelloError>(
                TarvelloError{QStringLiteral("NSURLErrorDomain"), reason, message, nullptr});
            end->canceled(error);
            return;
        }
    }
    showBackButton();
    showResponseError(message);
}

void PinController::showResponseError(const QString& message) {
    auto* alert = new SystemAlert(QString(), message);
    QPointer<PinController> self(this);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default, [self](auto*) {
        if (!self || !self->sale_)
            return;
        if (self->sale_->creditCard() &&
            self->sale_->creditCard()->transactionType() == QLatin1String("pei"))
            self->sale_->setSecurityToken(std::nullopt);
    });
    responseError_ = alert;
    presentViewController(alert, true);
}

void PinController::resendForced() {
    // The refused operation goes again, forced.
    setRightButtonEnabled(false);
    displayLoadingIndicator();
    const User& user = User::instance();
    ScreenRequest::sendOperation(this, this, ScreenRequest::Operation::ForTrxType, sale_,
                                 user.userId(), user.token());
}

void PinController::finishSale() {
    setRightButtonEnabled(true);
    hideLoadingIndicator();
    if (!sale_)
        return;
    if (settings_ && settings_->signEnabled() && signatureRequired_) {
        auto* signature = SignatureViewController::instanceWithSale(
            sale_, Client::instanceWithDictionary(buyerDic_));
        signature->setModalPresentationStyle(ViewController::ModalPresentationStyle::FullScreen);
        presentViewController(signature, true);
        return;
    }
    if (sale_->trxType() == 1 || sale_->trxType() == 2) {
        if (FlowEndDelegate* end = flowEndDelegate())
            end->operationDone(sale_);
        return;
    }
    // An approved sale without signature goes on to the receipt step, as continue does.
    uploadPersonalIdAndGoOn();
}

void PinController::apiDidFailWithError(const TarvelloError& error, int code) {
    (void)error;
    (void)code;
    setRightButtonEnabled(true);
    hideLoadingIndicator();
    showBackButton();
    auto* alert = new SystemAlert(QString(), text("GlobalTexts", "connError"));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
}

// ---------------------------------------------------------------- segues

void PinController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    (void)sender;
    const QString number =
        sale_ && sale_->creditCard() ? sale_->creditCard()->IdNumber() : QString();
    for (const QVariant& entry : std::as_const(potentialBuyers_)) {
        const QVariantMap buyer = entry.toMap();
        if (textOf(buyer.value(QStringLiteral("identificationNumber"))) == number) {
            buyerDic_ = buyer;
            break;
        }
    }
    ViewController* destination = segue.destinationViewController();
    if (!destination)
        return;
    auto* receiver = dynamic_cast<SaleReceiver*>(destination);
    const QString id = segue.identifier();
    if (id == QLatin1String("clientIdentifiedSegue")) {
        if (auto* receipt = qobject_cast<SendReceiptDataController*>(destination))
            receipt->setBuyerDic(buyerDic_);
        else
            destination->setProperty("buyerDic", buyerDic_);
        if (receiver && sale_)
            receiver->setSale(sale_);
    } else if (id == QLatin1String("goSignSegue")) {
        destination->setProperty("buyerDic", buyerDic_);
        if (receiver && sale_)
            receiver->setSale(Sale::initWithSale(*sale_));
    } else if (id == QLatin1String("refundReceiptSegue") && sale_) {
        destination->setProperty("refundId", sale_->saleId());
        destination->setProperty("emailAddress", sale_->email().value_or(QString()));
        destination->setProperty("referenceNumber", sale_->referenceNumber());
        destination->setProperty("refund",
                                 sale_->subtotal() ? sale_->subtotal()->doubleValue() : 0.0);
        destination->setProperty("transactionType", sale_->trxType());
        if (receiver)
            receiver->setSale(sale_);
    } else if (id == QLatin1String("getAddressSegue")) {
        destination->setProperty("buyerDic", buyerDic_);
        if (receiver && sale_)
            receiver->setSale(sale_);
    }
}
