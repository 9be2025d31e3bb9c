#pragma once

#include "shop/ShopScreen.h"

// The order is placed: the one way on ends the shop, or goes on to the card-reading screen when
// the shop began at the charge button.
class BuyReaderDoneController : public ShopScreen {
    Q_OBJECT
public:
    explicit BuyReaderDoneController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void done();

protected:
    QWidget* loadView() override;
};
