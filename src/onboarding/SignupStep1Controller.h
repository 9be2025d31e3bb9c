#pragma once

#include "onboarding/SignupFormController.h"

class QLabel;
class QPushButton;

// Signup, first step: names, e-mail, password and its confirmation, an optional picture.
class SignupStep1Controller : public SignupFormController {
    Q_OBJECT
public:
    explicit SignupStep1Controller(QObject* parent = nullptr);

    void viewWillAppear(bool animated) override;
    void nextStep() override;
    // Picks a picture through the image source; it is only shown here.
    void addPicture();

protected:
    QWidget* loadView() override;
    int offsetForField(TextField* field) const override;
    bool submitsOnReturn(TextField* field) const override;

private:
    TextField* firstName_ = nullptr;
    TextField* lastName_ = nullptr;
    TextField* emailAddress_ = nullptr;
    TextField* password_ = nullptr;
    TextField* confirmPassword_ = nullptr;
    QLabel* headerLabel_ = nullptr;
    QPushButton* userPictureButton_ = nullptr;
    QLabel* userPictureImageView_ = nullptr;
};
