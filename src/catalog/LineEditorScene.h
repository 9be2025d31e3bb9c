#pragma once

#include "model/Product.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>

// The parts both line editors' scenes share: the line's picture or letter avatar, and the
// scene's digit buttons ("digit0" to "digit9", "eraseButton", "resetButton").
namespace LineEditorScene {

struct Picture {
    QLabel* itemPicture = nullptr;
    QLabel* itemPictureBorder = nullptr;
    QLabel* itemNoPicture = nullptr;
};

// Makes the three picture views (side points square) in the parent.
Picture makePicture(QWidget* parent, int side);
// The same, added to the column as a horizontally centred row.
Picture addCentredPicture(QVBoxLayout* column, QWidget* parent, int side);

// Shows the product's picture, else the letter avatar of its name's first character (an empty
// name gives a bare disc) with the given corner radius. The border shows with the picture when
// borderWithPicture is set. Returns whether the picture shows.
bool showPicture(const Product& product, const Picture& views, qreal radius,
                 bool borderWithPicture);

// The scene's digit buttons in a grid: 1-9, then reset, 0, erase. A digit button sends its title.
QWidget* makeDigitButtons(QWidget* parent, std::function<void(QPushButton*)> digit,
                          std::function<void()> erase, std::function<void()> reset);

} // namespace LineEditorScene
