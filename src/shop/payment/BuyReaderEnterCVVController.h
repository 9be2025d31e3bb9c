#pragma once

#include "platform/ui/TextField.h"
#include "shop/ShopScreen.h"

#include <QPointer>

#include <QLabel>
#include <QPushButton>

// The security code of a wallet card that asks for it, with its length by brand; continue adds
// it to the wallet payment and the wallet screen goes on.
class BuyReaderEnterCVVController : public ShopScreen, public TextFieldDelegate {
    Q_OBJECT
public:
    explicit BuyReaderEnterCVVController(QObject* parent = nullptr);

    QVariantMap card() const { return card_; }
    void setCard(const QVariantMap& card) { card_ = card; }
    int minLength() const { return minLength_; }
    int maxLength() const { return maxLength_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void goToNext();
    void back();

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    bool textFieldShouldReturn(TextField* field) override;

protected:
    QWidget* loadView() override;

private:
    QVariantMap card_;
    int minLength_ = 3;
    int maxLength_ = 4;
    QPointer<QLabel> subtitleLabel_;
    QPointer<TextField> cvv_;
    QPointer<QPushButton> continueButton_;
};
