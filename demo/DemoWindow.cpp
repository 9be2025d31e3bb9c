#include "DemoWindow.h"

#include "AppCommand.h"
#include "ResultJson.h"
#include "ShopCommands.h"
#include "SimulatedCardPanel.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include "platform/core/Assert.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

struct Misuse : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::optional<QString> optionalText(const QLineEdit* field) {
    const QString text = field->text().trimmed();
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

} // namespace

DemoWindow::DemoWindow(QWidget* parent)
    : QWidget(parent)
    , apiKey_(new QLineEdit)
    , token_(new QLineEdit)
    , amount_(new QLineEdit("10.00"))
    , currency_(new QLineEdit)
    , bins_(new QLineEdit)
    , reference_(new QLineEdit)
    , operationId_(new QLineEdit)
    , email_(new QLineEdit)
    , log_(new QPlainTextEdit) {
    setWindowTitle("Tarvello demo host");
    currency_->setPlaceholderText("numeric code, e.g. 032");
    bins_->setPlaceholderText("123456,654321");

    auto* form = new QFormLayout;
    form->addRow("API key", apiKey_);
    form->addRow("User token", token_);
    form->addRow("Amount", amount_);
    form->addRow("Currency", currency_);
    form->addRow("Accepted BINs", bins_);
    form->addRow("Reference", reference_);
    form->addRow("Operation id", operationId_);
    form->addRow("Receipt e-mail", email_);

    auto* buttons = new QGridLayout;
    auto add = [&](const QString& title, int row, int column, auto action) {
        auto* button = new QPushButton(title);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button, row, column);
    };
    TarvelloSDK* sdk = &TarvelloSDK::sharedSDK();
    auto done = [this](const QString& name) {
        return [this, name](const QVariantMap& result, bool success) {
            showCompletion(name, result, success);
        };
    };
    add("Start", 0, 0, [this] { start(); });
    add("Charge", 0, 1, [this] { charge(); });
    add("Refund", 0, 2, [this] { refund(); });
    add("Settings", 0, 3, [this] { settings(); });
    add("Send receipt", 1, 0, [=, this] {
        guarded("sendReceipt", [=, this] {
            sdk->sendReceiptForOperationID(operationId_->text(), email_->text(),
                                           done("sendReceipt"));
        });
    });
    add("Payment info", 1, 1, [=, this] {
        guarded("paymentInfo", [=, this] {
            if (optionalText(reference_))
                sdk->retrievePaymentInfoForReference(reference_->text(), done("paymentInfo"));
            else
                sdk->retrievePaymentInfoForOperationID(operationId_->text(), done("paymentInfo"));
        });
    });
    add("Batches", 1, 2,
        [=, this] { guarded("batches", [=] { sdk->retrieveBatchInformation(done("batches")); }); });
    add("Close all batches", 1, 3, [=, this] {
        guarded("closeAllBatches", [=] { sdk->closeAllBatches(done("closeAllBatches")); });
    });
    add("Agreement numbers", 2, 0, [=, this] {
        guarded("agreements",
                [=] { sdk->retrieveAgreementNumbersWithCompletion(done("agreements")); });
    });
    add("PDF receipt", 2, 1, [=, this] {
        guarded("pdfReceipt", [=, this] {
            sdk->getPDFReceiptForOperationID(operationId_->text(), done("pdfReceipt"));
        });
    });
    add("Logout", 2, 2, [=, this] {
        guarded("logout", [=, this] {
            sdk->logout();
            showCompletion("logout", {}, true);
        });
    });

    add("Reader shop", 2, 3, [=, this] {
        guarded("shop", [=, this] {
            QString error;
            runShopCommand("shop", {}, this, {}, done("shop"), &error);
        });
    });
    add("Merchant app", 3, 0, [this] { openMerchantApplication(apiKey_->text()); });

    log_->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    if (auto reader = SimulatedCardPanel::simulatedReader())
        layout->addWidget(new SimulatedCardPanel(reader));
    layout->addWidget(log_, 1);
    resize(640, 560);
}

void DemoWindow::setApiKey(const QString& apiKey) {
    apiKey_->setText(apiKey);
}

void DemoWindow::setToken(const QString& token) {
    token_->setText(token);
}

void DemoWindow::start() {
    TarvelloSDK::sharedSDK().startWithAPIKey(apiKey_->text());
    TarvelloSDK::sharedSDK().setUserToken(token_->text());
    showCompletion("start", {}, true);
}

void DemoWindow::charge() {
    const double amount = amount_->text().toDouble();
    const std::optional<QString> binsText = optionalText(bins_);
    guarded("charge", [=, this] {
        auto completion = [this](const QVariantMap& r, bool s) { showCompletion("charge", r, s); };
        TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
        if (binsText)
            sdk.chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                amount, optionalText(reference_), std::nullopt,
                binsText->split(',', Qt::SkipEmptyParts), std::nullopt, std::nullopt, this,
                completion);
        else
            sdk.chargeAmountReferenceDescriptionCurrency(amount, optionalText(reference_),
                                                         std::nullopt, optionalText(currency_),
                                                         this, completion);
    });
}

void DemoWindow::refund() {
    guarded("refund", [this] {
        TarvelloSDK::sharedSDK().refundOperationIDEnablePartialAmount(
            operationId_->text(), true, this,
            [this](const QVariantMap& r, bool s) { showCompletion("refund", r, s); });
    });
}

void DemoWindow::settings() {
    guarded("settings", [this] {
        TarvelloSDK::sharedSDK()
            .presentSettingsFromViewControllerAllowPictureChangeAllowReaderChange(this, true, true);
    });
}

void DemoWindow::showCompletion(const QString& operation, const QVariantMap& result, bool success) {
    log_->appendPlainText(operation + ": " + QString::fromUtf8(completionLine(result, success)));
}

void DemoWindow::guarded(const QString& operation, const std::function<void()>& call) {
    HostAssert::setHandler([](const QString& message) { throw Misuse(message.toStdString()); });
    try {
        call();
    } catch (const Misuse& misuse) {
        log_->appendPlainText(operation + ": assertion: " + QString::fromStdString(misuse.what()));
    }
    HostAssert::setHandler({});
}
