#include "SDK/presenters/SDKRefundPresenter.h"

#include "SDK/login/LoginHelper.h"
#include "payment/PaymentScreens.h"
#include "SDK/presenters/SDKNavigationController.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"

#include <cmath>

namespace {

// Numbers of the back end as whole cents, so 100 - 30.1 - 20.2 leaves exactly 49.70.
qint64 cents(double amount) {
    return qint64(std::llround(amount * 100.0));
}

bool truth(const QVariantMap& map, const char* key) {
    return Values::boolValue(map.value(QString::fromLatin1(key)));
}

bool isText(const QVariant& value, const QString& text) {
    return value.typeId() == QMetaType::QString && value.toString() == text;
}

QString paymentMethod(const QVariantMap& answer) {
    const QVariant payment = answer.value(QStringLiteral("payment"));
    if (payment.typeId() != QMetaType::QVariantMap)
        return QString();
    const QVariant method = payment.toMap().value(QStringLiteral("method"));
    return method.typeId() == QMetaType::QString ? method.toString() : QString();
}

// An id or code of the answer, as a number or numeric text, in decimal (64 bits).
QString decimal(const QVariant& value) {
    return QString::number(Values::integerValue(value));
}

TarvelloError invalidOperation() {
    return TarvelloError::sdk(TarvelloErrorCode::InvalidOperationId,
                              QStringLiteral("Invalid operation id"));
}

TarvelloError alreadyRefunded() {
    return TarvelloError::sdk(TarvelloErrorCode::AlreadyRefunded,
                              QStringLiteral("Transaction is already refunded"));
}

// The back end's own refusal {"code", "message"}, when both are there.
std::optional<TarvelloError> refusal(const QVariantMap& answer) {
    const QVariant response = answer.value(QStringLiteral("response"));
    if (response.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap r = response.toMap();
    if (!SafeDictionary::hasKey(r, QStringLiteral("code")) ||
        !SafeDictionary::hasKey(r, QStringLiteral("message")))
        return std::nullopt;
    return TarvelloError::sdk(Values::integerValue(r.value(QStringLiteral("code"))),
                              SafeDictionary::safeObjectForKey(r, QStringLiteral("message")));
}

void sendOperationLookup(APIController* api, qint64 saleId) {
    api->getSaleInfo(saleId, User::instance().userId(), User::instance().token());
}

// The void of a cash operation.
void sendCashVoid(APIController* api, const QString& operationId) {
    api->cancelOperationWithId(operationId, User::instance().userId(), User::instance().token(),
                               QString(), QStringLiteral("cash"));
}

// "success" reads "OK", in any case.
bool answerIsOK(const std::optional<QVariantMap>& answer) {
    return answer &&
           SafeDictionary::safeObjectForKey(*answer, QStringLiteral("success")).toUpper() ==
               QLatin1String("OK");
}

// The sale that reads the card for a void (1) or a refund (2) of the operation described.
std::shared_ptr<Sale> saleForOperation(const QVariantMap& a, double amount, int trxType) {
    auto sale = Sale::init();
    sale->setSaleId(decimal(a.value(QStringLiteral("saleId"))));
    sale->setEmail(SafeDictionary::safeObjectForKey(a, QStringLiteral("email")));
    sale->setSubtotal(Amount::initWithDouble(amount));
    sale->setTrxType(trxType);
    return sale;
}

} // namespace

std::shared_ptr<SDKRefundPresenter>
SDKRefundPresenter::initWithSaleIdAskForAmount(qint64 saleId, bool askForAmount,
                                               TarvelloSDK::Completion completion) {
    auto presenter = initWithSaleIdAmount(saleId, 0.0, std::move(completion));
    presenter->askForAmount_ = askForAmount;
    return presenter;
}

std::shared_ptr<SDKRefundPresenter>
SDKRefundPresenter::initWithSaleIdAmount(qint64 saleId, double amount,
                                         TarvelloSDK::Completion completion) {
    auto presenter = std::make_shared<SDKRefundPresenter>();
    presenter->saleId_ = saleId;
    presenter->askForAmount_ = false;
    presenter->amount_ = amount;
    presenter->setCompletion(std::move(completion));
    return presenter;
}

SDKRefundPresenter::SDKRefundPresenter() = default;

SDKRefundPresenter::~SDKRefundPresenter() {
    if (request_)
        request_->setDelegate(nullptr);
}

APIController* SDKRefundPresenter::newRequest() {
    // One request at a time; a new one replaces (and drops) the last.
    if (request_) {
        request_->setDelegate(nullptr);
        request_.release()->deleteLater();
    }
    request_ = std::make_unique<APIController>();
    request_->setDelegate(this);
    return request_.get();
}

ViewController* SDKRefundPresenter::viewController() {
    auto* screen = new ViewController();
    View::setBackgroundColor(screen->view(), Qt::white);
    controller_ = screen;
    screen->displayLoadingIndicator();
    sendOperationLookup(newRequest(), saleId_);
    return screen;
}

SDKNavigationController* SDKRefundPresenter::currentNavigation() const {
    if (navigation_)
        return navigation_.data();
    return controller_ ? qobject_cast<SDKNavigationController*>(controller_->navigationController())
                       : nullptr;
}

void SDKRefundPresenter::showOnly(ViewController* screen) {
    SDKNavigationController* navigation = currentNavigation();
    if (!navigation) {
        delete screen;
        return;
    }
    navigation_ = navigation;
    navigation->setViewControllers({screen}, false);
}

void SDKRefundPresenter::closeWithError(std::optional<TarvelloError> error) {
    SDKNavigationController* navigation = currentNavigation();
    if (navigation)
        navigation->canceled(error);
    else
        canceled(error); // no sheet to close
}

void SDKRefundPresenter::apiDidFailWithError(const TarvelloError& error, int) {
    closeWithError(error);
}

bool SDKRefundPresenter::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    switch (functionName) {
    case FunctionCode::OperationInfo:
        decide(dictionary);
        break;
    case FunctionCode::Annulation:
        cashVoidAnswer(dictionary);
        break;
    case FunctionCode::CheckPin:
        pinAnswer(dictionary);
        break;
    default:
        break;
    }
    return true;
}

bool SDKRefundPresenter::sessionExpiredWithMessage(const QString&) {
    return sessionExpired();
}

bool SDKRefundPresenter::sessionExpired() {
    LoginHelper().expireSession();
    closeWithError(TarvelloError::sdk(TarvelloErrorCode::InvalidUserToken,
                                      QStringLiteral("Invalid User Token")));
    return true;
}

void SDKRefundPresenter::decide(const std::optional<QVariantMap>& dictionary) {
    const QVariant content = dictionary ? dictionary->value(QStringLiteral("content")) : QVariant();
    if (content.typeId() != QMetaType::QVariantMap) {
        closeWithError(std::nullopt);
        return;
    }
    const QVariantMap a = content.toMap();
    if (!isText(a.value(QStringLiteral("success")), QStringLiteral("OK"))) {
        failWithResponse(a);
        return;
    }
    const bool isClose = truth(a, "isClose");
    const bool canceledBefore = truth(a, "canceled");
    const bool hasSaleId = SafeDictionary::hasKey(a, QStringLiteral("saleId"));
    if (!isClose) {
        if (!canceledBefore && truth(a, "canAnnulate"))
            tryAnnulate(a);
        else
            closeWithError(invalidOperation());
        return;
    }
    if (!hasSaleId) {
        closeWithError(invalidOperation());
        return;
    }
    if (canceledBefore) {
        closeWithError(alreadyRefunded());
        return;
    }
    if (paymentMethod(a) == QLatin1String("cash"))
        tryAnnulate(a);
    else if (truth(a, "canRefund"))
        tryRefund(a);
    else
        closeWithError(alreadyRefunded());
}

void SDKRefundPresenter::failWithResponse(const QVariantMap& answer) {
    std::optional<TarvelloError> error = refusal(answer);
    if (error && error->code == 402)
        error = invalidOperation();
    closeWithError(error);
}

void SDKRefundPresenter::annulate(const QVariantMap& a) {
    if (paymentMethod(a) == QLatin1String("cash")) {
        sendCashVoid(newRequest(), decimal(a.value(QStringLiteral("operationId"))));
        return;
    }
    openCardReading(
        saleForOperation(a, Values::doubleValue(a.value(QStringLiteral("totalAmount"))), 1));
}

void SDKRefundPresenter::refund(const QVariantMap& a) {
    qint64 remaining = cents(Values::doubleValue(a.value(QStringLiteral("totalAmount"))));
    if (truth(a, "hasRefund"))
        for (const QVariant& earlier : a.value(QStringLiteral("refunds")).toList())
            remaining -=
                cents(Values::doubleValue(earlier.toMap().value(QStringLiteral("totalAmount"))));
    const double remainingAmount = double(remaining) / 100.0;
    if (askForAmount_) {
        ViewController* screen = Storyboard::instantiate(PaymentScreens::refund);
        if (!screen) {
            closeWithError(std::nullopt);
            return;
        }
        const QString code = decimal(a.value(QStringLiteral("currency")));
        screen->setProperty("saleDic", a);
        screen->setProperty("maxRefund", remainingAmount);
        screen->setProperty("currencyCode", code);
        screen->setProperty("currencyFormat", currencyFormatForCode(code));
        showOnly(screen);
        return;
    }
    const qint64 wanted = amount_ == 0.0 ? remaining : cents(amount_);
    if (wanted > remaining) {
        closeWithError(TarvelloError::sdk(TarvelloErrorCode::InvalidRefundAmount,
                                          QStringLiteral("Invalid refund amount")));
        return;
    }
    openCardReading(saleForOperation(a, double(wanted) / 100.0, 2));
}

void SDKRefundPresenter::openCardReading(std::shared_ptr<Sale> sale) {
    ViewController* screen = Storyboard::instantiate(PaymentScreens::device);
    if (!screen) {
        closeWithError(std::nullopt);
        return;
    }
    if (auto* receiver = dynamic_cast<SaleReceiver*>(screen))
        receiver->setSale(std::move(sale));
    showOnly(screen);
}

QString SDKRefundPresenter::currencyFormatForCode(const QString& code) {
    for (const QVariant& value : AccountSettings::instance().currencies()) {
        const QVariantMap entry = value.toMap();
        if (SafeDictionary::safeObjectForKey(entry, QStringLiteral("code")) == code)
            return SafeDictionary::safeObjectForKey(entry, QStringLiteral("symbol"));
    }
    return QStringLiteral("$");
}

void SDKRefundPresenter::cashVoidAnswer(const std::optional<QVariantMap>& answer) {
    if (answerIsOK(answer)) {
        SDKNavigationController* navigation = currentNavigation();
        if (navigation)
            navigation->operationDone(nullptr);
        else
            refundDone(nullptr);
        return;
    }
    closeWithError(answer ? refusal(*answer) : std::nullopt);
}

void SDKRefundPresenter::pinAnswer(const std::optional<QVariantMap>& answer) {
    if (answerIsOK(answer)) {
        refund(saleDic_);
        return;
    }
    closeWithError(answer ? refusal(*answer) : std::nullopt);
}

void SDKRefundPresenter::operationDone(std::shared_ptr<Sale> sale) {
    refundDone(std::move(sale));
}

void SDKRefundPresenter::refundDone(std::shared_ptr<Sale> sale) {
    QVariantMap result;
    if (sale) {
        result = sale->customResponse().value_or(QVariantMap());
        sale->cleanSale();
    }
    finish(result, true);
}

void SDKRefundPresenter::textFieldDidBeginEditing(TextField* field) {
    if (field && numericKeyboard_ && field->inputView() == numericKeyboard_)
        numericKeyboard_->setProperty("textField", QVariant::fromValue<QObject*>(field));
}

void SDKRefundPresenter::checkPasscode() {
    if (passcode_ && passcode_->text().size() > 4)
        passcode_->setText(passcode_->text().left(4));
}
