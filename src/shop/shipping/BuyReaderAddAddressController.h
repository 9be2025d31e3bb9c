#pragma once

#include "shop/ShopAddressForm.h"

#include <QPointer>

#include <QPushButton>

// One delivery address other than the billing one; "Agregar" stores it in the record and tells
// the shipping step. Stored only with a province chosen and the required fields filled.
class BuyReaderAddAddressController : public ShopAddressForm {
    Q_OBJECT
public:
    explicit BuyReaderAddAddressController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void done();
    void cancel();
    bool canAdd() const { return canAdd_; }

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    bool textFieldShouldReturn(TextField* field) override;

protected:
    QWidget* loadView() override;

private:
    void checkRequirements(TextField* changing, const QString& newText) override;
    void setCanAdd(bool enabled);

    bool canAdd_ = false;
};
