#include "payment/flow/PaymentDoneController.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "model/Sale.h"
#include "payment/SaleEntryScreens.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "platform/core/Logging.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "ui_kit/Markup.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/UIKitSupport.h"

#include <QVBoxLayout>

namespace {

QString doneText(const QString& section, const QString& key) {
    return UIKitSupport::text(section, key);
}

bool isReceiptList(const ViewController* screen) {
    return qobject_cast<const SendReceiptListController*>(screen) != nullptr;
}

// The older signature screen, told by its class name.
bool isLegacySignature(const ViewController* screen) {
    return screen && QString::fromLatin1(screen->metaObject()->className())
                             .section(QStringLiteral("::"), -1) == QLatin1String("SignController");
}

} // namespace

PaymentDoneController::PaymentDoneController(QObject* parent)
    : ViewController(parent) {}

PaymentDoneController::~PaymentDoneController() {
    SessionTimer::instance().removeDelegate(this);
}

void PaymentDoneController::setSale(std::shared_ptr<Sale> sale) {
    sale_ = std::move(sale);
    uncleanedSale_ = sale_ ? Sale::initWithSale(*sale_) : nullptr;
}

QWidget* PaymentDoneController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("PaymentDoneController"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(32, 76, 32, 52);
    column->setSpacing(14);

    column->addStretch(1);
    auto* pictureRow = new QHBoxLayout();
    pictureBorder_ = new QWidget(root);
    pictureBorder_->setObjectName(QStringLiteral("pictureBorder"));
    pictureBorder_->setFixedSize(96, 96);
    userPicture_ = new ImageView(pictureBorder_);
    userPicture_->setObjectName(QStringLiteral("userPicture"));
    userPicture_->setGeometry(8, 8, 80, 80);
    userPicture_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    loading_ = new QWidget(pictureBorder_);
    loading_->setObjectName(QStringLiteral("loading"));
    pictureRow->addStretch(1);
    pictureRow->addWidget(pictureBorder_);
    pictureRow->addStretch(1);
    column->addLayout(pictureRow);

    paymentAmount_ = new QLabel(root);
    paymentAmount_->setObjectName(QStringLiteral("paymentAmount"));
    paymentAmount_->setAlignment(Qt::AlignCenter);
    paymentAmount_->setWordWrap(true);
    paymentAmount_->setTextFormat(Qt::RichText);
    column->addWidget(paymentAmount_);

    thanksLabel_ = new QLabel(root);
    thanksLabel_->setObjectName(QStringLiteral("thanksLabel"));
    thanksLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(thanksLabel_);

    receiptSent_ = new QLabel(root);
    receiptSent_->setObjectName(QStringLiteral("receiptSent"));
    receiptSent_->setAlignment(Qt::AlignCenter);
    receiptSent_->setFont(QFont(QStringLiteral("Helvetica Neue"), 13, QFont::Medium));
    column->addWidget(receiptSent_);
    sendReceiptUnderline_ = new QWidget(root);
    sendReceiptUnderline_->setObjectName(QStringLiteral("sendReceiptUnderline"));
    sendReceiptUnderline_->setFixedHeight(2);
    column->addWidget(sendReceiptUnderline_);

    // No print button between the receipt note and the new-sale button (printing is on the
    // bar): the screen's contents stay together, centred, rather than around an empty band.
    column->addSpacing(24);
    // The account strip has no text of its own: its underline alone would frame an empty band.
    accountUnderline_ = new QWidget(root);
    accountUnderline_->setObjectName(QStringLiteral("accountUnderline"));
    accountUnderline_->setFixedHeight(1);
    accountUnderline_->hide();
    column->addWidget(accountUnderline_);

    continueButton_ = new QPushButton(root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButton_->setFixedHeight(52);
    column->addWidget(continueButton_);
    column->addStretch(1);
    connect(continueButton_, &QPushButton::clicked, this, [this] { newPayment(); });
    return root;
}

void PaymentDoneController::viewDidLoad() {
    ViewController::viewDidLoad();
    sendReceiptUnderline_->hide();
    thanksLabel_->hide();
    pictureBorder_->setStyleSheet(QStringLiteral("#pictureBorder { border: 0; }"));

    QPointer<PaymentDoneController> self(this);
    BarButtonItem print;
    print.objectName = QStringLiteral("printItem");
    print.icon =
        QIcon(QPixmap::fromImage(UIKitSupport::bundleImage(QStringLiteral("btn_print.png"))));
    print.action = [self] {
        if (self)
            self->printReceipt();
    };
    navigationItem()->setRightBarButtonItem(print);
    // The screen's own bar: the finished sale has no way back.
    navigationItem()->setHidesBackButton(true);

    if (!sale_)
        setSale(std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale()));
    opType_ = QStringLiteral("Sale");

    AmountPtr shown = sale_->total();
    if (!sale_->realAmount().isEmpty())
        shown = Amount::initWithDouble(sale_->realAmount().toDouble());
    const QColor theme = UIKitSupport::mainColor();
    QFont amountFont(QStringLiteral("Helvetica Neue"));
    amountFont.setPixelSize(28);
    paymentAmount_->setFont(amountFont);
    QString text = doneText(QStringLiteral("PaymentDone"), QStringLiteral("amount") + opType_);
    text.replace(QStringLiteral("%@"), shown->getAmount());
    paymentAmount_->setText(QStringLiteral("<div align=\"center\">%1</div>")
                                .arg(Markup::styledRichText(text, amountFont, theme)));

    const bool sent = sale_->receiptSent();
    sendReceiptUnderline_->setVisible(sent);
    View::setBackgroundColor(sendReceiptUnderline_, theme);
    receiptSent_->setVisible(sent);

    userPicture_->setImage(
        UIKitSupport::tinted(UIKitSupport::bundleImage(QStringLiteral("page1.png")), theme));
    loading_->hide();

    view()->layout()->activate();
    if (AccountSettings::instance().tutorialAmount()) {
        tutorialStep_ = 0;
    } else {
        tutorialStart();
        AccountSettings::instance().tutorialSettingsUpdateAmount(true, false, false, false, false,
                                                                 false, false);
    }

    View::setBackgroundColor(view(), QColor(250, 250, 250));
    continueButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: rgba(247,247,247,255); border: 0; "
                       "font-family: 'Helvetica Neue'; font-weight: 500; font-size: 17px; }")
            .arg(theme.name()));
    View::setBackgroundColor(accountUnderline_, theme);
}

void PaymentDoneController::tutorialStart() {
    tutorialHint_ = TutorialHint::initHint(
        TutorialHint::ArrowDown,
        doneText(QStringLiteral("Tutorial"), QStringLiteral("tutorialDoneText")),
        QPoint(30, continueButton_->y() - 10), view(), {continueButton_.data()});
    tutorialStep_ = 1;
}

void PaymentDoneController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    navigationItem()->setTitle(
        doneText(QStringLiteral("PaymentDone"), QStringLiteral("title") + opType_));
    setTitle(navigationItem()->title());
    thanksLabel_->setText(doneText(QStringLiteral("PaymentDone"), QStringLiteral("thanks")));
    continueButton_->setText(doneText(QStringLiteral("PaymentDone"), QStringLiteral("newPayment")));
    receiptSent_->setText(doneText(QStringLiteral("PaymentDone"), QStringLiteral("receiptSent")));
    SessionTimer::instance().setDelegate(this);
    NavigationController* navigation = navigationController();
    if (navigation && navigation->topViewController() == this)
        navigation->setViewControllers(navigation->viewControllers(), false);
}

// ---------------------------------------------------------------- new sale

void PaymentDoneController::newPayment() {
    // The sale is handed back once, however often this runs.
    if (handedBack_)
        return;
    handedBack_ = true;
    if (sale_)
        sale_->cleanSale();
    if (tutorialStep_ == 1 && tutorialHint_)
        tutorialHint_->hideHint();
    inputTabBar();
    Sale::sharedSale().cleanSale();
    // The keypad or the manual tab the sale was typed on starts the next one empty.
    resetSaleEntryScreen(saleEntryScreenFor(this));
    dismissAllParentViews();
}

void PaymentDoneController::dismissAllParentViews() {
    ViewController* presenter = presentingViewController();
    ViewController* base = presenter;
    if (presenter && !isReceiptList(presenter) &&
        isReceiptList(presenter->presentingViewController()))
        base = presenter->presentingViewController();
    ViewController* root = base ? base->presentingViewController() : nullptr;
    if (isLegacySignature(root))
        root = root->presentingViewController();
    FlowEndDelegate* end = root ? root->flowEndDelegate() : nullptr;
    if (!end)
        end = flowEndDelegate();
    if (end)
        end->paymentDone(uncleanedSale_);
}

// ---------------------------------------------------------------- printing

void PaymentDoneController::printReceipt() {
    displayLoadingIndicator();
    auto* client = new APIController(this);
    client->setDelegate(this);
    const QString saleId = uncleanedSale_ ? uncleanedSale_->saleId() : QString();
    client->printInvoiceForSaleId(saleId, User::instance().userId(), User::instance().token());
}

bool PaymentDoneController::apiDidFinishDownloadingWithData(int, const QByteArray& data) {
    std::shared_ptr<PrintService> printing = Services::printing();
    // Only a PDF document goes to the printer; an error page or an empty answer does not.
    if (!data.startsWith("%PDF-") || !printing || !printing->isPrintingAvailable()) {
        showPrintError();
        return true;
    }
    hideLoadingIndicator();
    printing->printPDF(data, view(), [](bool printed) {
        if (!printed)
            qCWarning(tarvelloUi) << "FAILED! the receipt print job did not complete";
    });
    return true;
}

void PaymentDoneController::apiDidFailWithError(const TarvelloError&, int) {
    showPrintError();
}

void PaymentDoneController::showPrintError() {
    hideLoadingIndicator();
    auto* alert = SystemAlert::alertControllerWithTitle(
        QString(), doneText(QStringLiteral("PaymentDone"), QStringLiteral("printError")));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentViewController(alert, true);
}

bool PaymentDoneController::sessionExpired() {
    newPayment();
    return true;
}

// ---------------------------------------------------------------- merchant picture

void PaymentDoneController::downloadDidFinishDownloading(ImageDownloader* downloader) {
    if (downloader)
        User::instance().setImage(downloader->image());
    loading_->hide();
}

void PaymentDoneController::download(ImageDownloader*, const std::optional<TarvelloError>&) {
    userPicture_->setImageNamed(QStringLiteral("signup_nopicture.png"));
    loading_->hide();
}
