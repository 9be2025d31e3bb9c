#pragma once

#include "shop/ShopAddressForm.h"

#include <QPointer>
#include <optional>

#include "platform/ui/Dialogs.h"
#include "ui_kit/PhoneTextField.h"
#include <QPushButton>
#include <QScrollArea>

// The buyer's name, document, phone and billing address. Continue shows only while every field
// but the floor is filled (the city only outside the default province); the phone is checked on
// continue. What was typed is kept for the session and comes back on the next visit.
class BuyReaderEnterDataController : public ShopAddressForm {
    Q_OBJECT
public:
    explicit BuyReaderEnterDataController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    void goToNext();

    // The phone rule: its digits as a number have 10 digits, or 12 beginning with "54".
    static bool isValidPhone(const QString& digits);
    // The typed data kept between visits; a logout clears it.
    static std::optional<QVariantMap>& lastData();

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    bool textFieldShouldReturn(TextField* field) override;

protected:
    QWidget* loadView() override;

private:
    void checkRequirements(TextField* changing, const QString& newText) override;

    QPointer<PhoneTextField> phone_;
    QPointer<QPushButton> continueButton_;
    QPointer<QScrollArea> scrollView_;
    QPointer<PopoverTip> tooltip_;
};
