#include "payment/flow/InstallmentsInputViewController.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/UIKitSupport.h"

#include <QVBoxLayout>

namespace {

const QString kStoryboard = QStringLiteral("Installments");
const QString kIdentifier = QStringLiteral("InstallmentsInputViewController");

} // namespace

InstallmentsInputViewController::InstallmentsInputViewController(QObject* parent)
    : ViewController(parent) {}

ViewController* InstallmentsInputViewController::instanceWithNavigation(bool navigation) {
    return Storyboard::instantiate(
        kStoryboard, navigation ? kIdentifier + QStringLiteral("Navigation") : kIdentifier);
}

void InstallmentsInputViewController::willPresent(bool present, ViewController* on, int limit,
                                                  Completion completion) {
    ViewController* shown = instanceWithNavigation(present);
    InstallmentsInputViewController* input = qobject_cast<InstallmentsInputViewController*>(shown);
    if (auto* nav = qobject_cast<NavigationController*>(shown))
        input = qobject_cast<InstallmentsInputViewController*>(nav->topViewController());
    if (!input || !on) {
        delete shown;
        return;
    }
    input->setLimit(std::max(1, limit));
    input->setCompletionBlock(std::move(completion));
    input->setPresented(present);
    if (present) {
        on->presentViewController(shown, true);
    } else if (NavigationController* nav = on->navigationController()) {
        nav->pushViewController(shown, true);
    } else {
        delete shown;
    }
}

QWidget* InstallmentsInputViewController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("InstallmentsInput"));
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(12);

    iconImageView_ = new ImageView(root);
    iconImageView_->setObjectName(QStringLiteral("iconImageView"));
    iconImageView_->setImage(Bundle::load(QStringLiteral("card_confirm_icon.png")));
    iconImageView_->setFixedSize(64, 64);
    column->addWidget(iconImageView_, 0, Qt::AlignHCenter);

    descriptiveLabel_ = new QLabel(QStringLiteral("¿En cuántas cuotas?"), root);
    descriptiveLabel_->setObjectName(QStringLiteral("descriptiveLabel"));
    descriptiveLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(descriptiveLabel_);

    textField_ = new TextField(root);
    textField_->setObjectName(QStringLiteral("textField"));
    textField_->setKeyboardType(TextField::KeyboardType::NumberPad);
    textField_->setAlignment(Qt::AlignCenter);
    QFont big = textField_->font();
    big.setPointSize(28);
    textField_->setFont(big);
    textField_->setFrame(false);
    column->addWidget(textField_);
    connect(textField_, &TextField::editingChanged, this, [this] { textFieldDidChange(); });

    highlightView_ = new QWidget(root);
    highlightView_->setObjectName(QStringLiteral("highlightView"));
    highlightView_->setFixedHeight(2);
    column->addWidget(highlightView_);

    disclaimerLabel_ = new QLabel(root);
    disclaimerLabel_->setObjectName(QStringLiteral("disclaimerLabel"));
    disclaimerLabel_->setAlignment(Qt::AlignCenter);
    disclaimerLabel_->setWordWrap(true);
    column->addWidget(disclaimerLabel_);
    column->addStretch(1);

    continueButton_ = new QPushButton(QStringLiteral("Continuar"), root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButton_->setFixedHeight(48);
    connect(continueButton_, &QPushButton::clicked, this, [this] { continueButtonTapped(); });
    column->addWidget(continueButton_);
    return root;
}

void InstallmentsInputViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    setViewStyle();
    installment_ = 1;
    setTitle(QStringLiteral("Ingresar cuotas"));
    navigationItem()->setTitle(QStringLiteral("Ingresar cuotas"));
    disclaimerLabel_->setText(QStringLiteral("Hasta %1 cuotas").arg(limit_));
    textField_->becomeFirstResponder();
}

void InstallmentsInputViewController::setViewStyle() {
    const QColor theme = UIKitSupport::mainColor();
    continueButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; }")
            .arg(theme.name()));
    View::setBackgroundColor(highlightView_, theme);
    QPalette palette = textField_->palette();
    palette.setColor(QPalette::Highlight, theme);
    textField_->setPalette(palette);
}

void InstallmentsInputViewController::textFieldDidChange() {
    const QString text = textField_->text().trimmed();
    bool ok = false;
    const qint64 typed = text.toLongLong(&ok);
    // Nothing, or nothing usable, is one payment: a count is never below 1.
    installment_ = ok && typed >= 1 ? int(std::min<qint64>(typed, limit_ + qint64(1))) : 1;
    if (installment_ > limit_) {
        textField_->setText(QString::number(limit_));
        installment_ = limit_;
    }
}

void InstallmentsInputViewController::continueButtonTapped() {
    if (completionBlock_) {
        // Called once: a second tap while leaving hands nothing over again.
        const Completion completion = std::exchange(completionBlock_, {});
        completion(installment_);
    }
    discardView();
}

void InstallmentsInputViewController::discardView() {
    FirstResponder::endEditing(view());
    if (presented_) {
        dismissViewControllerAnimated(true);
    } else if (NavigationController* nav = navigationController()) {
        if (nav->topViewController() == this)
            nav->popViewControllerAnimated(true);
    }
}
