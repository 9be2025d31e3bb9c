#include "catalog/LineEditorScene.h"

#include "catalog/CatalogLook.h"
#include "catalog/ItemColor.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace LineEditorScene {

Picture makePicture(QWidget* parent, int side) {
    Picture p;
    p.itemPictureBorder = new QLabel(parent);
    p.itemPictureBorder->setObjectName(QStringLiteral("itemPictureBorder"));
    p.itemPictureBorder->setFixedSize(side + 4, side + 4);
    p.itemPicture = new QLabel(parent);
    p.itemPicture->setObjectName(QStringLiteral("itemPicture"));
    p.itemPicture->setFixedSize(side, side);
    p.itemNoPicture = new QLabel(parent);
    p.itemNoPicture->setObjectName(QStringLiteral("itemNoPicture"));
    p.itemNoPicture->setFixedSize(side, side);
    return p;
}

Picture addCentredPicture(QVBoxLayout* column, QWidget* parent, int side) {
    const Picture picture = makePicture(parent, side);
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(picture.itemPicture);
    row->addWidget(picture.itemNoPicture);
    row->addWidget(picture.itemPictureBorder);
    row->addStretch(1);
    column->addLayout(row);
    return picture;
}

bool showPicture(const Product& product, const Picture& views, qreal radius,
                 bool borderWithPicture) {
    if (!product.image().isNull()) {
        views.itemPicture->setPixmap(QPixmap::fromImage(
            CatalogLook::rounded(product.image(), views.itemPicture->size(), radius)));
        views.itemNoPicture->hide();
        views.itemPictureBorder->setVisible(borderWithPicture);
        views.itemPicture->show();
        return true;
    }
    views.itemNoPicture->show();
    views.itemPictureBorder->hide();
    views.itemPicture->hide();
    views.itemNoPicture->setPixmap(QPixmap::fromImage(
        ItemColor::itemWithLetter(CatalogLook::firstCharacter(product.name()),
                                  product.backgroundColor(), views.itemNoPicture->width())));
    return false;
}

QWidget* makeDigitButtons(QWidget* parent, std::function<void(QPushButton*)> digit,
                          std::function<void()> erase, std::function<void()> reset) {
    auto* pad = new QWidget(parent);
    pad->setObjectName(QStringLiteral("digitButtons"));
    auto* grid = new QGridLayout(pad);
    grid->setSpacing(1);
    grid->setContentsMargins(0, 0, 0, 0);
    auto add = [pad, grid](const QString& title, const QString& name, int row, int col) {
        auto* b = new QPushButton(title, pad);
        b->setObjectName(name);
        b->setMinimumHeight(44);
        b->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 22));
        grid->addWidget(b, row, col);
        return b;
    };
    for (int d = 1; d <= 9; ++d) {
        QPushButton* b =
            add(QString::number(d), QStringLiteral("digit%1").arg(d), (d - 1) / 3, (d - 1) % 3);
        QObject::connect(b, &QPushButton::clicked, pad, [digit, b] { digit(b); });
    }
    QPushButton* zero = add(QStringLiteral("0"), QStringLiteral("digit0"), 3, 1);
    QObject::connect(zero, &QPushButton::clicked, pad, [digit, zero] { digit(zero); });
    QObject::connect(add(QStringLiteral("C"), QStringLiteral("resetButton"), 3, 0),
                     &QPushButton::clicked, pad, [reset] { reset(); });
    QObject::connect(add(QStringLiteral("\u232B"), QStringLiteral("eraseButton"), 3, 2),
                     &QPushButton::clicked, pad, [erase] { erase(); });
    return pad;
}

} // namespace LineEditorScene
