#pragma once

#include "model/Sale.h"
#include "payment/SaleEntryScreens.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// The amount keypad a sale returns to, with its outlets filled as a sale leaves them, counting
// what a reset does to it.
struct AmountKeypadStandIn : ViewController, AmountKeypadScreen {
    std::shared_ptr<Sale> keypadSale = Sale::init();
    ItemPtr currentItem;
    int totalUpdates = 0;
    QLabel* amountLabel = nullptr;
    QLineEdit* description = nullptr;
    QWidget* border = nullptr;
    ImageView* picture = nullptr;

    QWidget* loadView() override {
        auto* root = new QWidget();
        amountLabel = new QLabel(QStringLiteral("$ 300.00"), root);
        description = new QLineEdit(QStringLiteral("Torta"), root);
        border = new QWidget(root);
        picture = new ImageView(QImage(20, 20, QImage::Format_ARGB32), root);
        return root;
    }
    std::shared_ptr<Sale> sale() const override { return keypadSale; }
    void setCurrentItem(const ItemPtr& item) override { currentItem = item; }
    QLabel* amount() const override { return amountLabel; }
    QLineEdit* itemDescription() const override { return description; }
    QWidget* itemPictureBorder() const override { return border; }
    ImageView* itemPicture() const override { return picture; }
    void updateTotalAmount() override { ++totalUpdates; }
};
