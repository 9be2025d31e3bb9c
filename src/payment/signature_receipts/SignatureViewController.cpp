#include "payment/signature_receipts/SignatureViewController.h"

#include "SDK/session/User.h"
#include "model/Client.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "payment/signature_receipts/FlowSteps.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "payment/signature_receipts/SignatureView.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/View.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QColor kRefundRed(227, 75, 86);
const QColor kBlackText(51, 51, 51);

QString text(const char* section, const char* key) {
    return Language::textForFile(QLatin1String(section), QLatin1String(key));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& style) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(style);
    label->setWordWrap(true);
    return label;
}
} // namespace

SignatureViewController::SignatureViewController(QObject* parent)
    : ViewController(parent)
    , queue_(&SignatureQueue::sharedQueue()) {}

SignatureViewController::~SignatureViewController() {
    disconnect(queueConnection_);
}

SignatureViewController* SignatureViewController::instanceFromStoryboard() {
    ViewController* screen = Storyboard::instantiate(SignatureReceiptScreens::signature);
    if (auto* signature = qobject_cast<SignatureViewController*>(screen))
        return signature;
    delete screen;
    auto* signature = new SignatureViewController();
    signature->setStoryboardInfo(SignatureReceiptScreens::signature.storyboard,
                                 SignatureReceiptScreens::signature.identifier);
    return signature;
}

SignatureViewController* SignatureViewController::instanceWithSale(std::shared_ptr<Sale> sale,
                                                                   std::shared_ptr<Client> client) {
    SignatureViewController* screen = instanceFromStoryboard();
    screen->setSale(std::move(sale));
    screen->setClient(std::move(client));
    screen->setModalPresentationStyle(ModalPresentationStyle::FullScreen);
    return screen;
}

void SignatureViewController::setSale(std::shared_ptr<Sale> sale) {
    sale_ = std::move(sale);
    if (!client_ && sale_)
        client_ = sale_->client();
}

QWidget* SignatureViewController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 16, 24, 16);
    column->setSpacing(8);

    auto* header = new QHBoxLayout();
    auto* names = new QVBoxLayout();
    clientNameLabel_ =
        makeLabel(root, "clientNameLabel", QStringLiteral("font-size: 17px; font-weight: 600;"));
    paymentMethodLabel_ =
        makeLabel(root, "paymentMethodLabel", QStringLiteral("font-size: 14px; color: #666;"));
    names->addWidget(clientNameLabel_);
    names->addWidget(paymentMethodLabel_);
    header->addLayout(names, 1);
    amountLabel_ = makeLabel(root, "amountLabel", {});
    amountLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    header->addWidget(amountLabel_);
    column->addLayout(header);

    signatureBackgroundView_ = new QWidget(root);
    signatureBackgroundView_->setObjectName(QStringLiteral("signatureBackgroundView"));
    signatureBackgroundView_->setStyleSheet(
        QStringLiteral("#signatureBackgroundView { background: #f4f4f4; border: 1px solid #d0d0d0;"
                       " border-radius: 6px; }"));
    auto* padLayout = new QVBoxLayout(signatureBackgroundView_);
    padLayout->setContentsMargins(1, 1, 1, 1);
    signatureView_ = new SignatureView(signatureBackgroundView_);
    signatureView_->setObjectName(QStringLiteral("signatureContainerView"));
    padLayout->addWidget(signatureView_);
    column->addWidget(signatureBackgroundView_, 1);
    signaturePlaceholderLabel_ = makeLabel(root, "signaturePlaceholderLabel",
                                           QStringLiteral("font-size: 13px; color: #999;"));
    signaturePlaceholderLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(signaturePlaceholderLabel_);

    auto* footer = new QHBoxLayout();
    cardIssuerImageView_ = new ImageView(root);
    cardIssuerImageView_->setObjectName(QStringLiteral("cardIssuerImageView"));
    cardIssuerImageView_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    cardIssuerImageView_->setFixedSize(44, 28);
    footer->addWidget(cardIssuerImageView_);
    cardNumberLabel_ = makeLabel(root, "cardNumberLabel", QStringLiteral("font-size: 15px;"));
    cardNumberLabel_->setWordWrap(false);
    footer->addWidget(cardNumberLabel_);
    disclaimerLabel_ = makeLabel(root, "disclaimerLabel", QStringLiteral("font-size: 12px;"));
    footer->addWidget(disclaimerLabel_, 1);
    eraseButton_ = new QPushButton(root);
    eraseButton_->setObjectName(QStringLiteral("eraseButton"));
    eraseButton_->setText(QStringLiteral("✕"));
    eraseButton_->setFixedSize(44, 44);
    footer->addWidget(eraseButton_);
    continueButton_ = new QPushButton(root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButton_->setMinimumSize(160, 44);
    footer->addWidget(continueButton_);
    column->addLayout(footer);

    connect(continueButton_, &QPushButton::clicked, this, [this] { continueButtonTapped(); });
    connect(eraseButton_, &QPushButton::clicked, this, [this] { eraseButtonTapped(); });
    connect(signatureView_, &SignatureView::touchBegan, this, [this] {
        eraseButton_->setVisible(true);
        emptySign_ = false;
    });
    return root;
}

void SignatureViewController::viewDidLoad() {
    if (isIpad())
        view()->setContentsMargins(130, 75, 130, 75);
    emptySign_ = true;
    setViewInformation();
    setViewStyle();
    autorotate_ = false;
    isDone_ = false;
    if (queue_)
        queueConnection_ = connect(queue_, &SignatureQueue::signatureFinished, this,
                                   &SignatureViewController::signatureFinished);
}

void SignatureViewController::setViewInformation() {
    const std::shared_ptr<Sale> sale = sale_ ? sale_ : std::shared_ptr<Sale>();
    std::shared_ptr<CreditCard> card = sale ? sale->creditCard() : nullptr;
    const QString amount =
        sale ? Amount::initWithDouble(sale->total()->doubleValue())->getAmount() : QString();
    amountLabel_->setText(amount);
    amountLabel_->setStyleSheet(QStringLiteral("font-size: 28px; font-weight: 600;"));
    clientNameLabel_->setText(card ? card->name() : QString());
    signaturePlaceholderLabel_->setText(text("Profile", "signaturePlaceholder"));
    disclaimerLabel_->setStyleSheet(
        QStringLiteral("font-size: 12px; color: %1;").arg(kBlackText.name()));

    QString method;
    if (sale) {
        if (!sale->paymentMethodName().isEmpty())
            method = sale->paymentMethodName();
        const float tax = static_cast<float>(sale->totalTaxAmount());
        if (tax > 0) {
            const QString taxLine = TextFormatter::format(
                text("Sign", "taxAmount"), {Amount::initWithDouble(double(tax))->getAmount()});
            method = method.isEmpty()
                         ? taxLine
                         : TextFormatter::format(QStringLiteral("%@. %@."), {method, taxLine});
        }
    }
    paymentMethodLabel_->setText(method);

    const QString red =
        QStringLiteral("font-size: 28px; font-weight: 600; color: %1;").arg(kRefundRed.name());
    switch (sale ? sale->trxType() : 0) {
    case 0:
        disclaimerLabel_->setText(text("Profile", "signatureDisclaimer"));
        break;
    case 1:
        paymentMethodLabel_->setText(QStringLiteral("Monto a anular"));
        amountLabel_->setStyleSheet(red);
        disclaimerLabel_->setText(QStringLiteral("Autorizo a realizar la siguiente anulación."));
        break;
    case 2:
        paymentMethodLabel_->setText(QStringLiteral("Monto a devolver"));
        amountLabel_->setText(QStringLiteral("- ") + amount);
        amountLabel_->setStyleSheet(red);
        disclaimerLabel_->setText(QStringLiteral("Autorizo a realizar la siguiente devolución."));
        break;
    default:
        break;
    }

    cardNumberLabel_->setText(card ? card->numberLast4() : QString());
    if (!card)
        return;
    if (ImageDownloader* started =
            FlowSteps::showCardPicture(cardIssuerImageView_, *card, this, true))
        downloader_ = started;
}

void SignatureViewController::setViewStyle() {
    const QColor theme = UIKitSupport::mainColor();
    continueButton_->setText(text("GlobalTexts", "continue"));
    continueButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; font-size: 17px;"
                       " border: none; border-radius: 4px; }"
                       "QPushButton:disabled { background: #9aa; }")
            .arg(theme.name()));
    eraseButton_->setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid #ccc; border-radius: 22px; font-size: 18px; }"));
    eraseButton_->setVisible(false);
}

void SignatureViewController::showAlert(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
}

void SignatureViewController::setUploading(bool uploading) {
    uploading_ = uploading;
    continueButton_->setEnabled(!uploading);
    eraseButton_->setEnabled(!uploading);
}

void SignatureViewController::continueButtonTapped() {
    if (uploading_ || isDone_)
        return;
    if (emptySignature()) {
        showAlert(text("Sign", "signatureMandatory"));
        return;
    }
    signatureView_->setBackgroundColor(Qt::white);
    const QImage picture = signatureView_->collectSignature();
    signatureView_->setBackgroundColor(Qt::transparent);
    if (!queue_ || !sale_)
        return;
    setUploading(true);
    User& user = User::instance();
    queue_->registerSignatureForSaleId(sale_->saleId(), picture, user.userId(), user.token());
}

void SignatureViewController::eraseButtonTapped() {
    if (uploading_)
        return;
    eraseButton_->setVisible(false);
    emptySign_ = true;
    signatureView_->cancelDrawing();
}

void SignatureViewController::signatureFinished(const QString& saleId,
                                                SignatureQueue::Outcome outcome,
                                                const QString& message) {
    if (!uploading_ || !sale_ || saleId != sale_->saleId())
        return;
    setUploading(false);
    if (outcome == SignatureQueue::Outcome::Accepted) {
        done();
        return;
    }
    // The back end's message, or the connection error's; the generic text without either.
    showAlert(message.isEmpty() ? text("GlobalTexts", "connError") : message);
}

void SignatureViewController::done() {
    if (isDone_)
        return;
    isDone_ = true;
    FlowSteps::endWithSale(flowEndDelegate(), sale_);
}

void SignatureViewController::viewDidAppear(bool) {}

void SignatureViewController::viewDidDisappear(bool) {
    if (!isDone_)
        return;
    autorotate_ = true;
}
