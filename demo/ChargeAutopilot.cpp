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

#include <QLabel>
#include <QPushButton>
#include <cstdio>

namespace {

constexpr int kStepMs = 100;
constexpr int kPatienceSteps = 150; // 15 s on one screen without progress

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
    if (top != lastScreen_) {
        lastScreen_ = top;
        idleSteps_ = 0;
        tapped_ = false;
        saveScreen(top);
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
    QWidget* shown = host_->window();
    const QString name = screen->storyboardIdentifier().isEmpty()
                             ? QString::fromLatin1(screen->metaObject()->className())
                             : screen->storyboardIdentifier();
    const QString file =
        QDir(script_.screenshots)
            .filePath(QStringLiteral("%1-%2.png").arg(++shots_, 2, 10, QChar('0')).arg(name));
    shown->grab().save(file);
}

void ChargeAutopilot::giveUp(ViewController* screen) {
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
    if (signOrSendReceipt(screen, QStringLiteral("comprador@ejemplo.com"))) {
        tapped_ = true;
        return;
    }
    auto* table = screen->view()->findChild<TableView*>(QStringLiteral("paymentMethodsTable"));
    if (!table || table->numberOfRowsInSection(0) == 0)
        return;
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
        return;
    }
    say(QStringLiteral("taps \"%1\"").arg(titleOfRow(table, pick)));
    tapped_ = true;
    table->tapRowAtIndexPath({0, pick});
}
