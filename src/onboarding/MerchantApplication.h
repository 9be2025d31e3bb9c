#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

// The full merchant application: starts the SDK with the API key, hands it the stored
// session's token when there is one, and opens a window on the splash.
class MerchantApplication : public QObject {
    Q_OBJECT
public:
    explicit MerchantApplication(QObject* parent = nullptr);
    ~MerchantApplication() override;

    // Starts once; the window shows the splash.
    void startWithAPIKey(const QString& apiKey);
    Window* window() const { return window_; }

    // The session token kept with the last login, or the empty text.
    static QString storedSessionToken();

private:
    QPointer<Window> window_;
};
