#pragma once

#include "platform/ui/ViewController.h"

class QLabel;
class QPushButton;

// Tells a merchant the account must be activated before taking cards: now or later.
class ActivationScreenController : public ViewController {
    Q_OBJECT
public:
    explicit ActivationScreenController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    int supportedInterfaceOrientations() const override { return 2; }

    // Start now: on to the signup's personal data.
    void continueSignup();
    // Later: the main view.
    void testApp();
    bool shouldPerformSegueWithIdentifier(const QString& identifier, QObject* sender) override;

protected:
    QWidget* loadView() override;

private:
    QLabel* titleBar_ = nullptr;
    QLabel* headerLabel_ = nullptr;
    QPushButton* continueWithActivation_ = nullptr;
    QPushButton* continueLater_ = nullptr;
};
