#pragma once

#include "platform/ui/TextField.h"
#include "shop/ShopScreen.h"

#include <QDate>
#include <QPointer>
#include <optional>

#include <QLabel>
#include <QPushButton>

// The typed card: number, expiry, security code, name and the holder's document. Continue shows
// only while every field passes, and writes the card as the record's payment.
class BuyReaderWithCardController : public ShopScreen, public TextFieldDelegate {
    Q_OBJECT
public:
    explicit BuyReaderWithCardController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    void goToNext();
    int cvvLength() const { return cvvLength_; }

    // The number cut into groups (4-4-4-4, or 4-6-5 for American Express) and the code length
    // its brand asks; `complete` when the groups are full.
    static QString groupedCardNumber(const QString& number, int* cvvLength, bool* complete);
    // What an edit of the expiry field does: accept it as typed, or refuse it and maybe put a
    // text of its own ("0" + digit + " / ", the month and " / ", the first digit).
    struct ExpiryEdit {
        bool accept = false;
        std::optional<QString> text;
    };
    static ExpiryEdit expiryEdit(const QString& current, int start, int length,
                                 const QString& replacement, const QDate& today);

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    bool textFieldShouldReturn(TextField* field) override;

protected:
    QWidget* loadView() override;

private:
    TextField* field(const QString& name);
    bool verifyTextField(TextField* field);
    void checkLength(TextField* changed);
    void expirationChanged(const QString& text);

    int cvvLength_ = 3;
    QList<QPointer<TextField>> requiredFields_;
    QPointer<QPushButton> continueButton_;
    QPointer<QLabel> termsTextView_;
};
