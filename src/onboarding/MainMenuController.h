#pragma once

#include "platform/ui/ViewController.h"

class QPushButton;

// The side menu of the main view: closes the session after asking.
class MainMenuController : public ViewController {
    Q_OBJECT
public:
    explicit MainMenuController(QObject* parent = nullptr);

    void viewWillAppear(bool animated) override;
    // Asks ("Menu", "closeSessionAlert"); confirmed, it logs out.
    void closeSession();

protected:
    QWidget* loadView() override;

private:
    QPushButton* closeSessionButton_ = nullptr;
};
