#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QPointer>

class QLabel;
class QPushButton;

// Asks the back end to e-mail password reset instructions to the typed address.
class ForgotPasswordController : public ViewController,
                                 public APIControllerDelegate,
                                 public TextFieldDelegate {
    Q_OBJECT
public:
    explicit ForgotPasswordController(QObject* parent = nullptr);

    QString tmpEmail() const { return tmpEmail_; }
    void setTmpEmail(const QString& email) { tmpEmail_ = email; }
    SystemAlert* passwordResetSuccess() const { return passwordResetSuccess_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    void resetPassword();
    void cancelForgotPassword();
    void checkCredentials();
    void showAlertMessage(const QString& message);

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    bool textFieldShouldReturn(TextField* field) override;

protected:
    QWidget* loadView() override;

private:
    QString tmpEmail_;
    QPointer<SystemAlert> passwordResetSuccess_;
    bool sending_ = false;
    TextField* emailAddress_ = nullptr;
    QLabel* headerLabel_ = nullptr;
    QLabel* passTitle_ = nullptr;
    QLabel* background_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
};
