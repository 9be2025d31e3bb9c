#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/ViewController.h"

// Shows the loading overlay and logs out a second after its view has loaded.
class LogoutController : public ViewController {
    Q_OBJECT
public:
    static constexpr int kLogoutDelayMs = 1000;

    explicit LogoutController(QObject* parent = nullptr);
    ~LogoutController() override;

    void viewDidLoad() override;
    void logout();

private:
    Clock::Handle timer_ = 0;
};
