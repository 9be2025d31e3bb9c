#include "SigningAutopilot.h"

#include "payment/flow/PaymentDoneController.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SignatureView.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>
#include <cstdio>

namespace {

void mouse(QWidget* pad, QEvent::Type type, const QPointF& at, ulong ms) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, pad->mapToGlobal(at), button, buttons, Qt::NoModifier);
    event.setTimestamp(ms);
    QCoreApplication::sendEvent(pad, &event);
}

// A wavy stroke across the pad, one sample every 12 ms.
void drawSignature(SignatureView* pad) {
    const double w = pad->width(), h = pad->height();
    ulong ms = 1000;
    for (int i = 0; i <= 40; ++i) {
        const double t = i / 40.0;
        const QPointF at(w * (0.1 + 0.7 * t), h * (0.5 - 0.25 * std::sin(t * 9.0)));
        mouse(pad, i == 0 ? QEvent::MouseButtonPress : QEvent::MouseMove, at, ms += 12);
    }
    mouse(pad, QEvent::MouseButtonRelease, QPointF(w * 0.8, h * 0.5), ms);
}

void say(const QString& line) {
    std::fprintf(stderr, "autopilot: %s\n", qPrintable(line));
}

} // namespace

bool signOrSendReceipt(ViewController* screen, const QString& receiptEmail) {
    if (auto* form = qobject_cast<SendReceiptDataController*>(screen)) {
        TextField* email = form->field(QStringLiteral("emailAddress"));
        if (!email)
            return false;
        // A sale without the holder's name on record: the merchant types the buyer's.
        TextField* first = form->field(QStringLiteral("firstName"));
        TextField* last = form->field(QStringLiteral("lastName"));
        if (first && last && first->text().isEmpty()) {
            say(QStringLiteral("types the buyer's name Ana Compradora"));
            first->setText(QStringLiteral("Ana"));
            last->setText(QStringLiteral("Compradora"));
        }
        say(QStringLiteral("types the receipt address %1 and taps send").arg(receiptEmail));
        email->setText(receiptEmail);
        for (const BarButtonItem& item : form->navigationItem()->rightBarButtonItems())
            if (item.action)
                item.action();
        return true;
    }
    if (qobject_cast<PaymentDoneController*>(screen)) {
        auto* next = screen->view()->findChild<QPushButton*>(QStringLiteral("continueButton"));
        if (!next || !next->isEnabled())
            return false;
        say(QStringLiteral("taps \"%1\" on the result screen").arg(next->text()));
        next->click();
        return true;
    }
    auto* pad = screen->view()->findChild<SignatureView*>();
    auto* next = screen->view()->findChild<QPushButton*>(QStringLiteral("continueButton"));
    if (!pad || !next || !pad->isVisible())
        return false;
    say(QStringLiteral("signs on the pad and taps continue"));
    drawSignature(pad);
    next->click();
    return true;
}
