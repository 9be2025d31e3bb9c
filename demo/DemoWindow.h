#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// The demo host's window: starts the SDK with an API key and a token, then runs charges,
// refunds, settings and the operations without screens, showing each completion.
class DemoWindow : public QWidget {
    Q_OBJECT
public:
    explicit DemoWindow(QWidget* parent = nullptr);

    void setApiKey(const QString& apiKey);
    void setToken(const QString& token);

private:
    void start();
    void charge();
    void refund();
    void settings();
    void showCompletion(const QString& operation, const QVariantMap& result, bool success);
    // Runs an SDK call; a misuse assertion is shown instead of ending the demo.
    void guarded(const QString& operation, const std::function<void()>& call);

    QLineEdit* apiKey_;
    QLineEdit* token_;
    QLineEdit* amount_;
    QLineEdit* currency_;
    QLineEdit* bins_;
    QLineEdit* reference_;
    QLineEdit* operationId_;
    QLineEdit* email_;
    QPlainTextEdit* log_;
};
