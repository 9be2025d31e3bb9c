#include "ChargeAutopilot.h"
#include "SigningAutopilot.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"
#include "reader/simulated/CardProfile.h"
#include "reader/simulated/SimulatedReader.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

#include "platform/ui/TextField.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdio>

namespace {

constexpr int kStepMs = 100;
constexpr int kPatienceSteps = 150; // 15 s on one screen without progress
constexpr int kMaxSteps = 1800;     // 3 min for the whole run
constexpr int kMaxVisits = 4;       // a screen (other than an alert) coming up more often loops

QString titleOfRow(TableView* table, int row) {
    QWidget* cell = table->cellForRowAtIndexPath({0, row});
    auto* label = cell ? cell->findChild<QLabel*>(QStringLiteral("creditCardTitle")) : nullptr;
    return label ? label->text() : QString();
}

void say(const QString& line) {
    std::fprintf(stderr, "autopilot: %s\n", qPrintable(line));
}

} // namespace

ChargeAutopilot::ChargeAutopilot(QWidget* host, Script script, QObject* parent)
    : QObject(parent)
    , host_(host)
    , script_(std::move(script)) {
    timer_.setInterval(kStepMs);
    connect(&timer_, &QTimer::timeout, this, &ChargeAutopilot::step);
}

bool ChargeAutopilot::prepareReader(QString* error) {
    if (script_.card.isEmpty())
        return true;
    auto reader = std::dynamic_pointer_cast<SimulatedReader>(Services::get<ReaderFactory>());
    if (!reader) {
        *error = QStringLiteral("--card needs --reader simulated");
        return false;
    }
    const std::optional<CardProfile> card = CardProfile::named(script_.card);
    if (!card) {
        *error = QStringLiteral("unknown card profile: ") + script_.card;
        return false;
    }
    reader->setDefaultCard(card);
    return true;
}

void ChargeAutopilot::start() {
    if (!script_.screenshots.isEmpty())
        QDir().mkpath(script_.screenshots);
    timer_.start();
}

void ChargeAutopilot::step() {
    Window* window = host_ ? Window::forWidget(host_) : nullptr;
    if (!window)
        return;
    ViewController* top = window->topViewController();
    if (auto* nav = qobject_cast<NavigationController*>(top))
        top = nav->topViewController();
    if (!top)
        return;
    if (++steps_ > kMaxSteps) {
        fail(QStringLiteral("the run did not end after %1 steps; on %2")
                 .arg(kMaxSteps)
                 .arg(nameOf(top)));
        return;
    }
    if (top != lastScreen_) {
        lastScreen_ = top;
        idleSteps_ = 0;
        tapped_ = false;
        saveScreen(top);
        const QString name = nameOf(top);
        if (!qobject_cast<SystemAlert*>(top) && ++visits_[name] > kMaxVisits) {
            fail(QStringLiteral("%1 came up %2 times; the run goes round in circles")
                     .arg(name)
                     .arg(visits_[name]));
            return;
        }
        // Back from an answered alert: the same step would fail again.
        if (sawAlert_ && !qobject_cast<SystemAlert*>(top)) {
            sawAlert_ = false;
            giveUp(top);
            return;
        }
    }
    act(top);
}

void ChargeAutopilot::saveScreen(ViewController* screen) {
    if (script_.screenshots.isEmpty())
        return;
    // The topmost presented screen's own window when there is one, else the host's.
    QWidget* shown = host_->window();
    if (Window* window = Window::forWidget(host_)) {
        const auto presented = window->presentedViewControllers();
        for (auto it = presented.crbegin(); it != presented.crend(); ++it)
            if (QWidget* container = window->presentationContainer(*it)) {
                shown = container;
                break;
            }
    }
    const QString file =
        QDir(script_.screenshots)
            .filePath(
                QStringLiteral("%1-%2.png").arg(++shots_, 2, 10, QChar('0')).arg(nameOf(screen)));
    shown->grab().save(file);
}

QString ChargeAutopilot::nameOf(ViewController* screen) {
    return screen->storyboardIdentifier().isEmpty()
               ? QString::fromLatin1(screen->metaObject()->className())
               : screen->storyboardIdentifier();
}

void ChargeAutopilot::fail(const QString& reason) {
    timer_.stop();
    say(QStringLiteral("gives up: ") + reason);
    emit failed(reason);
}

void ChargeAutopilot::giveUp(ViewController* screen) {
    // Closing once did not end the run: closing again will not either.
    if (++giveUps_ > 1) {
        fail(QStringLiteral("nothing more to do on %1 and closing did not end the run")
                 .arg(nameOf(screen)));
        return;
    }
    NavigationController* nav = screen->navigationController();
    ViewController* root =
        nav && !nav->viewControllers().isEmpty() ? nav->viewControllers().first() : screen;
    for (const BarButtonItem& item : root->navigationItem()->leftBarButtonItems())
        if (item.action) {
            say(QStringLiteral("nothing more to do on this screen: \"%1\"").arg(item.title));
            item.action();
            return;
        }
    say(QStringLiteral("nothing more to do and no way out; closing the sheet"));
    screen->dismissViewControllerAnimated(true);
}

void ChargeAutopilot::act(ViewController* screen) {
    if (auto* alert = qobject_cast<SystemAlert*>(screen)) {
        // A person reads the message and answers with its last (cancel-style) button.
        if (alert->message() != lastAlert_) {
            lastAlert_ = alert->message();
            say(QStringLiteral("alert: ") + alert->message());
        }
        sawAlert_ = true;
        const auto actions = alert->actions();
        if (!actions.isEmpty())
            alert->tapButtonWithTitle(actions.last()->title());
        return;
    }
    if (++idleSteps_ > kPatienceSteps) {
        idleSteps_ = 0;
        giveUp(screen);
        return;
    }
    if (tapped_ || ActivityIndicator::isDisplayingActivityIndicator(screen->mainView()))
        return;
    if (signOrSendReceipt(screen, script_.receipt.isEmpty()
                                      ? QStringLiteral("comprador@ejemplo.com")
                                      : script_.receipt)) {
        tapped_ = true;
        return;
    }
    if (pickPaymentMethod(screen) || pickInstallments(screen) || typeCount(screen) ||
        typeRefundAmount(screen))
        tapped_ = true;
}

bool ChargeAutopilot::pickPaymentMethod(ViewController* screen) {
    auto* table = screen->view()->findChild<TableView*>(QStringLiteral("paymentMethodsTable"));
    if (!table || table->numberOfRowsInSection(0) == 0)
        return false;
    int pick = -1;
    for (int row = 0; row < table->numberOfRowsInSection(0) && pick < 0; ++row) {
        const QString title = titleOfRow(table, row);
        if (script_.pay == QLatin1String("cash")) {
            if (title == QLatin1String("Efectivo") || title == QLatin1String("Cash"))
                pick = row;
        } else if (script_.institution.isEmpty() ? title != QLatin1String("Efectivo") &&
                                                       title != QLatin1String("Link de pago")
                                                 : title == script_.institution) {
            pick = row;
        }
    }
    if (pick < 0) {
        say(QStringLiteral("no row for the payment asked"));
        idleSteps_ = kPatienceSteps;
        return false;
    }
    say(QStringLiteral("taps \"%1\"").arg(titleOfRow(table, pick)));
    table->tapRowAtIndexPath({0, pick});
    return true;
}

// The plan picker, the plain list and the choice after the read: the row naming the count
// asked for ("1 pago", "3 pagos", "6 cuotas"), else a free-count row ("Manual", "Ingresar
// manualmente"), else the first row.
bool ChargeAutopilot::pickInstallments(ViewController* screen) {
    auto* table = screen->view()->findChild<TableView*>(QStringLiteral("tableView"));
    if (!table)
        return false;
    const QString count = QString::number(std::max(1, script_.plan));
    const QRegularExpression asked(QStringLiteral("^%1 (pago|pagos|cuota|cuotas)\\b").arg(count));
    std::optional<IndexPath> pick, manual, first;
    for (int section = 0; section < table->numberOfSections(); ++section) {
        for (int row = 0; row < table->numberOfRowsInSection(section); ++row) {
            QWidget* cell = table->cellForRowAtIndexPath({section, row});
            if (!cell)
                continue;
            QString text;
            for (const char* name : {"installmentsDetail", "titleLabel", "nameLabel"})
                if (auto* label = cell->findChild<QLabel*>(QString::fromLatin1(name)))
                    text = label->text();
            if (text.isEmpty())
                continue;
            if (!first)
                first = IndexPath{section, row};
            if (!pick && asked.match(text).hasMatch())
                pick = IndexPath{section, row};
            if (!manual &&
                (text == QLatin1String("Manual") || text == QLatin1String("Ingresar manualmente")))
                manual = IndexPath{section, row};
        }
    }
    const std::optional<IndexPath> chosen =
        pick ? pick : (script_.plan > 0 && manual ? manual : first);
    if (!chosen)
        return false;
    QWidget* cell = table->cellForRowAtIndexPath(*chosen);
    QString shown;
    for (QLabel* label : cell->findChildren<QLabel*>())
        if (label->isVisibleTo(cell) && !label->text().isEmpty())
            shown += (shown.isEmpty() ? QString() : QStringLiteral(" ")) + label->text();
    say(QStringLiteral("taps \"%1\"").arg(shown));
    table->tapRowAtIndexPath(*chosen);
    return true;
}

bool ChargeAutopilot::typeCount(ViewController* screen) {
    auto* field = screen->view()->findChild<TextField*>(QStringLiteral("textField"));
    auto* next = screen->view()->findChild<QPushButton*>(QStringLiteral("continueButton"));
    if (!field || !next)
        return false;
    const QString count = QString::number(std::max(1, script_.plan));
    say(QStringLiteral("types %1 and taps \"%2\"").arg(count, next->text()));
    field->insertText(count);
    next->click();
    return true;
}

bool ChargeAutopilot::typeRefundAmount(ViewController* screen) {
    auto* field = screen->view()->findChild<TextField*>(QStringLiteral("refundAmount"));
    if (!field)
        return false;
    BarButtonItem next;
    for (const BarButtonItem& item : screen->navigationItem()->rightBarButtonItems())
        if (item.objectName == QLatin1String("continueButton"))
            next = item;
    if (!next.action)
        return false;
    if (!script_.amount.isEmpty()) {
        // The digits as a person types them on the keypad: two implied decimals.
        const double amount = script_.amount.toDouble();
        const QString digits = QString::number(qRound64(amount * 100));
        field->becomeFirstResponder();
        for (int i = 0; i < 16 && !field->text().isEmpty(); ++i) {
            field->end(false);
            field->deleteBackward();
        }
        for (QChar key : digits) {
            field->end(false);
            field->insertText(QString(key));
        }
        say(QStringLiteral("types %1 (%2)").arg(script_.amount, field->text()));
    }
    say(QStringLiteral("taps \"%1\"").arg(next.title));
    next.action();
    return true;
}
