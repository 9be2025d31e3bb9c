#pragma once

#include <QDir>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <optional>

class ViewController;
class QWidget;

// Plays the merchant through a charge or refund the demo started: it looks at what the host window
// shows and acts only as a person would, by visible texts and outlet names (taps, alert answers).
// It picks the payment method and the installment plan (or types the count or the refund amount),
// presents the scripted card when the card-reading screen waits, and
// saves a picture of every new screen. With nothing left to do it closes the sheet, as a person
// giving up would ("Salir"). When that does not end the run, a screen keeps coming back, or the
// run goes on too long, it stops and reports failed().
class ChargeAutopilot : public QObject {
    Q_OBJECT
public:
    struct Script {
        QString pay;         // "cash" or "card"
        QString institution; // card: the row to pick (empty: the first card row)
        int plan = 0;        // card: the installment count to pick (0: the first offered)
        QString card;        // card: the simulated card profile to present
        QString screenshots; // folder for a PNG of each new screen (empty: none)
        QString amount;      // refund: the amount to type on the refund-amount screen
        QString receipt;     // the address to type on the receipt form
    };

    ChargeAutopilot(QWidget* host, Script script, QObject* parent = nullptr);

    // Presents the card on the simulated reader; false with *error when it cannot.
    bool prepareReader(QString* error);
    void start();

signals:
    // The autopilot stopped without the run ending; reason says where it was.
    void failed(const QString& reason);

private:
    void step();
    void act(ViewController* screen);
    bool pickPaymentMethod(ViewController* screen);
    bool pickInstallments(ViewController* screen);
    bool typeCount(ViewController* screen);
    bool typeRefundAmount(ViewController* screen);
    void saveScreen(ViewController* screen);
    void giveUp(ViewController* screen);
    void fail(const QString& reason);
    static QString nameOf(ViewController* screen);

    QPointer<QWidget> host_;
    Script script_;
    QTimer timer_;
    QPointer<ViewController> lastScreen_;
    QString lastAlert_;
    int shots_ = 0;
    int idleSteps_ = 0;
    int steps_ = 0;
    int giveUps_ = 0;
    QHash<QString, int> visits_;
    bool tapped_ = false;
    bool sawAlert_ = false;
};
