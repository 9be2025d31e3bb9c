#include "shop/payment/BuyReaderWithCardController.h"

#include "model/CreditCard.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Services.h"
#include "shop/ShopForm.h"
#include "ui_kit/UIKitSupport.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kMask = QStringLiteral("MM / AA");
const char* const kMaskElements[] = {"[01]", "\\d", " ", "/", " ", "[1-9]", "\\d"};

bool allDigits(const QString& text) {
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}
} // namespace

BuyReaderWithCardController::BuyReaderWithCardController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderWithCardController::loadView() {
    const auto [root, column] = ShopLook::screenLayout(QStringLiteral("white"), false);
    ShopForm::Builder form(root, column, this, &requiredFields_, ShopForm::Builder::Body::Plain);
    using Keyboard = TextField::KeyboardType;
    form.required("cardNumber", "Número de tarjeta", Keyboard::NumberPad);
    form.required("expirationDate", "Vencimiento", Keyboard::NumberPad)->setPlaceholderText(kMask);
    form.required("securityCode", "Código de seguridad", Keyboard::NumberPad)
        ->setEchoMode(QLineEdit::Password);
    form.required("nameOnCard", "Nombre como figura en la tarjeta");
    form.required("personalId", "DNI del titular", Keyboard::NumberPad);
    for (const auto& made : requiredFields_)
        connect(made, &TextField::editingChanged, this,
                [this, field = made.data()] { checkLength(field); });
    termsTextView_ = addTermsText(root, column);
    column->addStretch(1);
    continueButton_ = ShopLook::goButton(root, QStringLiteral("continueButton"));
    column->addWidget(continueButton_);
    ShopForm::addKeyboardGap(root, column);
    connect(continueButton_, &QPushButton::clicked, this, [this] { goToNext(); });
    return root;
}

TextField* BuyReaderWithCardController::field(const QString& name) {
    return outlet<TextField>(name);
}

void BuyReaderWithCardController::viewDidLoad() {
    setTitle(QStringLiteral("Pagar con tarjeta"));
    navigationItem()->setTitle(title());
    continueButton_->setVisible(false);
    continueButton_->setText(
        ShopLook::payTitle(purchase_ ? purchase_->value(QStringLiteral("total")).toDouble() : 0));
    termsTextView_->setText(ShopLook::termsSentence());
    cvvLength_ = 3;
}

void BuyReaderWithCardController::viewWillAppear(bool) {
    TextField* document = field(QStringLiteral("personalId"));
    const QVariantMap billing =
        purchase_ ? purchase_->map(QStringLiteral("billingAddress")) : QVariantMap();
    if (document->text().isEmpty() && billing.contains(QStringLiteral("document")))
        document->setText(billing.value(QStringLiteral("document")).toString());
}

QString BuyReaderWithCardController::groupedCardNumber(const QString& number, int* cvvLength,
                                                       bool* complete) {
    const QString digits = QString(number).remove(u' ');
    const QString brand = CreditCard::getIssuer(digits);
    QList<int> sizes{4, 4, 4, 4};
    int code = 3;
    if (brand == CARD_AMERICAN_EXPRESS) {
        sizes = {4, 6, 5};
        code = 4;
    } else if (brand.isEmpty()) {
        code = 4;
    }
    QStringList groups;
    int used = 0;
    int capacity = 0;
    for (int size : sizes) {
        capacity += size;
        if (used >= digits.size())
            break;
        groups << digits.mid(used, size);
        used += int(groups.last().size());
    }
    if (cvvLength)
        *cvvLength = code;
    if (complete)
        *complete = used == capacity;
    return groups.join(u' ');
}

BuyReaderWithCardController::ExpiryEdit
BuyReaderWithCardController::expiryEdit(const QString& current, int start, int length,
                                        const QString& replacement, const QDate& today) {
    const QString newText = QString(current).replace(start, length, replacement);
    const qsizetype n = newText.size();
    if (n == 0)
        return {true, std::nullopt};
    if (n > 7)
        return {false, std::nullopt};
    QString pattern = QStringLiteral("^");
    for (qsizetype i = 0; i < n; ++i)
        pattern += QLatin1String(kMaskElements[i]);
    const QRegularExpression mask(pattern + QStringLiteral("$"),
                                  QRegularExpression::CaseInsensitiveOption);
    if (!mask.match(newText).hasMatch()) {
        if (replacement.size() == 1 && start == 0 && length == 0 && current.isEmpty() &&
            replacement.at(0) >= u'2' && replacement.at(0) <= u'9')
            return {false, QStringLiteral("0%1 / ").arg(replacement)};
        return {false, std::nullopt};
    }
    if (n >= 2) {
        const int month = newText.left(2).toInt();
        if (month < 1 || month > 12)
            return {false, std::nullopt};
        if (n == 7) {
            const int typed = (newText.mid(5, 2) + newText.left(2)).toInt();
            if (typed < today.toString(QStringLiteral("yyMM")).toInt())
                return {false, std::nullopt};
        }
        if (n <= 4) {
            if (length > replacement.size())
                return {false, newText.left(1)};
            return {false, newText.left(2) + QStringLiteral(" / ")};
        }
    }
    return {true, std::nullopt};
}

bool BuyReaderWithCardController::textFieldShouldChangeCharactersInRange(
    TextField* changed, int start, int length, const QString& replacement) {
    const QString name = changed->objectName();
    if (name == QLatin1String("expirationDate")) {
        const ExpiryEdit edit =
            expiryEdit(changed->text(), start, length, replacement, QDate::currentDate());
        if (edit.text) {
            changed->setText(*edit.text);
            expirationChanged(*edit.text);
        } else if (edit.accept) {
            expirationChanged(QString(changed->text()).replace(start, length, replacement));
        }
        return edit.accept;
    }
    // A desktop keyboard can type letters: the number and the code take digits only.
    if (name == QLatin1String("cardNumber") || name == QLatin1String("securityCode"))
        return allDigits(replacement);
    return true;
}

void BuyReaderWithCardController::expirationChanged(const QString& text) {
    field(QStringLiteral("expirationDate"))->setPlaceholderText(text + kMask.mid(text.size()));
}

bool BuyReaderWithCardController::verifyTextField(TextField* checked) {
    const QString name = checked->objectName();
    const QString text = checked->text();
    if (name == QLatin1String("cardNumber")) {
        bool complete = false;
        const QString grouped = groupedCardNumber(text, &cvvLength_, &complete);
        if (grouped != text)
            checked->setText(grouped);
        return complete;
    }
    if (name == QLatin1String("securityCode")) {
        if (text.size() > cvvLength_)
            checked->setText(text.left(cvvLength_));
        return checked->text().size() == cvvLength_;
    }
    if (name == QLatin1String("expirationDate"))
        return text.size() == 7; // only a complete month and year
    if (name == QLatin1String("personalId")) {
        const QString grouped = ShopLook::groupedDocument(text.left(10));
        if (grouped != text)
            checked->setText(grouped);
        return !grouped.isEmpty();
    }
    return !text.isEmpty();
}

void BuyReaderWithCardController::checkLength(TextField* changed) {
    bool passes = verifyTextField(changed);
    for (const auto& other : requiredFields_)
        if (other && other != changed && !verifyTextField(other))
            passes = false;
    continueButton_->setVisible(passes);
}

bool BuyReaderWithCardController::textFieldShouldReturn(TextField* current) {
    const QStringList order{"cardNumber", "expirationDate", "securityCode", "nameOnCard",
                            "personalId"};
    const qsizetype at = order.indexOf(current->objectName());
    if (at >= 0 && at + 1 < order.size())
        field(order.at(at + 1))->becomeFirstResponder();
    else
        current->resignFirstResponder();
    return true;
}

void BuyReaderWithCardController::goToNext() {
    if (continueButton_->isHidden() || !purchase_)
        return;
    purchase_->insert(
        QStringLiteral("payment"),
        QVariantMap{{"method", "card"},
                    {"name", field("nameOnCard")->text()},
                    {"document", QString(field("personalId")->text()).remove(u'.')},
                    {"cardNumber", QString(field("cardNumber")->text()).remove(u' ')},
                    {"securityCode", field("securityCode")->text()},
                    {"expireDate",
                     QString(field("expirationDate")->text()).remove(QStringLiteral(" / "))}});
    performSegueWithIdentifier(QStringLiteral("continue"), this);
}

void BuyReaderWithCardController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (segue.identifier() != QLatin1String("continue"))
        return;
    if (auto* next = dynamic_cast<ShopScreen*>(segue.destinationViewController()))
        next->setPurchase(purchase_);
}
