#include "shop/payment/BuyReaderEnterCVVController.h"

#include "model/CreditCard.h"
#include "platform/ui/NavigationController.h"
#include "shop/payment/BuyReaderWalletCell.h"
#include "shop/payment/BuyReaderWithWalletController.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BuyReaderEnterCVVController::BuyReaderEnterCVVController(QObject* parent)
    : ShopScreen(parent) {
    // Over the wallet screen, which shows through the backdrop.
    setModalPresentationStyle(ModalPresentationStyle::OverFullScreen);
}

QWidget* BuyReaderEnterCVVController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("backView"));
    root->setStyleSheet(QStringLiteral("#backView { background: rgba(0, 0, 0, 102); }"));
    auto* column = new QVBoxLayout(root);
    column->addStretch(1);
    auto* panel = new QWidget(root);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setStyleSheet(QStringLiteral("#panel { background: white; }"));
    auto* inner = new QVBoxLayout(panel);
    auto* backButton = new QPushButton(QStringLiteral("‹ Volver"), panel);
    backButton->setObjectName(QStringLiteral("backButton"));
    backButton->setFlat(true);
    inner->addWidget(backButton, 0, Qt::AlignLeft);
    subtitleLabel_ =
        ShopLook::label(panel, QStringLiteral("subtitleLabel"), QStringLiteral("font-size: 16px;"));
    inner->addWidget(subtitleLabel_);
    cvv_ = new TextField(panel);
    cvv_->setObjectName(QStringLiteral("cvv"));
    cvv_->setPlaceholderText(QStringLiteral("Código de seguridad"));
    cvv_->setEchoMode(QLineEdit::Password);
    cvv_->setKeyboardType(TextField::KeyboardType::NumberPad);
    cvv_->setMinimumHeight(36);
    cvv_->setDelegate(this);
    inner->addWidget(cvv_);
    continueButton_ = ShopLook::goButton(panel, QStringLiteral("continueButton"));
    inner->addWidget(continueButton_);
    column->addWidget(panel);
    connect(backButton, &QPushButton::clicked, this, [this] { back(); });
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

void BuyReaderEnterCVVController::viewDidLoad() {
    continueButton_->setText(
        ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("continue")).toUpper());
    continueButton_->setVisible(false);
}

void BuyReaderEnterCVVController::viewWillAppear(bool) {
    const QString number = card_.value(QStringLiteral("cc")).toString();
    const QString last = BuyReaderWalletCell::lastNumbers(number);
    const QString brand = CreditCard::getIssuer(number);
    if (brand == CARD_AMERICAN_EXPRESS) {
        subtitleLabel_->setText(
            QStringLiteral("Ingresá el código ubicado en el frente de tu tarjeta Amex *%1")
                .arg(last));
        cvv_->setPlaceholderText(QStringLiteral("Código de seguridad (####)"));
        minLength_ = maxLength_ = 4;
    } else if (brand.isEmpty()) {
        subtitleLabel_->setText(
            QStringLiteral("Ingresá el código ubicado en el dorso de tu tarjeta *%1").arg(last));
        minLength_ = 3;
        maxLength_ = 4;
    } else {
        subtitleLabel_->setText(
            QStringLiteral("Ingresá el código ubicado en el dorso de tu tarjeta %1 *%2")
                .arg(brand, last));
        minLength_ = maxLength_ = 3;
    }
    cvv_->becomeFirstResponder();
}

bool BuyReaderEnterCVVController::textFieldShouldChangeCharactersInRange(
    TextField* field, int start, int length, const QString& replacement) {
    for (const QChar c : replacement)
        if (c < u'0' || c > u'9')
            return false;
    const QString newText = QString(field->text()).replace(start, length, replacement);
    if (newText.size() > maxLength_)
        return false;
    continueButton_->setVisible(newText.size() >= minLength_);
    return true;
}

bool BuyReaderEnterCVVController::textFieldShouldReturn(TextField*) {
    if (!continueButton_->isHidden())
        goToNext();
    return true;
}

void BuyReaderEnterCVVController::goToNext() {
    if (continueButton_->isHidden() || !purchase_)
        return;
    purchase_->insertInto(QStringLiteral("payment"), QStringLiteral("securityCode"), cvv_->text());
    cvv_->clear();
    ViewController* presenting = presentingViewController();
    if (auto* nav = qobject_cast<NavigationController*>(presenting))
        presenting = nav->topViewController();
    QPointer<BuyReaderWithWalletController> wallet(
        qobject_cast<BuyReaderWithWalletController*>(presenting));
    dismissViewControllerAnimated(true, [wallet] {
        if (wallet)
            wallet->performSegueWithIdentifier(QStringLiteral("continue"), wallet);
    });
}

void BuyReaderEnterCVVController::back() {
    dismissViewControllerAnimated(true);
}
