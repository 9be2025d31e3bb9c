#pragma once

#include "api/APIControllerDelegate.h"
#include "onboarding/SignupFormController.h"

#include <QPointer>

class APIController;
class QLabel;

// Signup, last step: the bank account (CBU, holder, CUIT) with the bank looked up from the
// account key's first three digits.
class SingupStep3Controller : public SignupFormController, public APIControllerDelegate {
    Q_OBJECT
public:
    static constexpr int kRowMs = 1000;

    explicit SingupStep3Controller(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void nextStep() override;
    // Cancelling leaves the signup: the main view with a session, else the login screen.
    bool shouldPerformSegueWithIdentifier(const QString& identifier, QObject* sender) override;

    QString tempBankNumber() const { return tempBankNumber_; }
    void checkPersonalIdLength();
    void getBankName();

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;

protected:
    QWidget* loadView() override;
    int offsetForField(TextField* field) const override;
    bool submitsOnReturn(TextField* field) const override;

private:
    void moveHolder(int y, double alpha);
    void dropLookup();

    TextField* accountUniqueNumber_ = nullptr;
    TextField* accountName_ = nullptr;
    TextField* accountPersonalID_ = nullptr;
    QLabel* bankName_ = nullptr;
    QWidget* bankNameHolder_ = nullptr;
    QWidget* personalDataHolder_ = nullptr;
    QLabel* headerText_ = nullptr;
    QString tempBankNumber_;
    QPointer<APIController> lookup_;
};
