#include "platform/core/VersionDispatch.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/DivLine.h"
#include "ui_kit/DivLineBlack.h"
#include "ui_kit/Extensions/MessageTableViewCell.h"
#include "ui_kit/GenericListTableViewCell.h"
#include "ui_kit/RoundCorners.h"
#include "ui_kit/TaxAdvisoryView.h"
#include "ui_kit/crossTotal.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace kitshots {

QString shotPath(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/ui_kit"));
    return dir.filePath(QStringLiteral("screenshots/ui_kit/") + name);
}

// A small check mark, drawn for the list icons.
QImage checkMark() {
    QImage mark(40, 40, QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(6, 22), QPointF(16, 32), QPointF(34, 10)}));
    return mark;
}

class FilterRows : public TableViewDataSource {
public:
    int tableViewNumberOfRowsInSection(TableView*, int) override { return 4; }
    QWidget* tableViewCellForRowAtIndexPath(TableView*, IndexPath path) override {
        if (path.row == 3) {
            auto* empty = new MessageTableViewCell();
            empty->prepareCellForMode(0, QString());
            return empty;
        }
        auto* cell = new GenericListTableViewCell();
        cell->label()->setText(QStringList{"Hoy", "Últimos 7 días", "Este mes"}.at(path.row));
        cell->icon()->setImage(checkMark());
        return cell;
    }
};

// The kit's small views on one screen of the device's size.
void writeKitScreen(Device::Idiom idiom, const QString& file) {
    Device::current().setIdiom(idiom);
    const QSize size = Device::current().screenSize();
    QWidget screen;
    screen.resize(size);
    View::setBackgroundColor(&screen, QColor(242, 242, 247));
    auto* column = new QVBoxLayout(&screen);
    column->setContentsMargins(0, 20, 0, 20);

    FilterRows rows;
    auto* table = new TableView();
    table->setDataSource(&rows);
    table->reloadData();
    table->selectRowAtIndexPath(IndexPath{0, 1});
    if (auto* pressed = qobject_cast<TableViewCell*>(table->cellForRowAtIndexPath({0, 2})))
        pressed->setHighlighted(true, false);
    table->setFixedHeight(4 * 46);
    column->addWidget(table);
    column->addWidget(new DivLine());
    column->addSpacing(12);
    column->addWidget(new DivLineBlack());

    auto* panel = new TaxAdvisoryView();
    View::setBackgroundColor(panel, QColor(255, 248, 225));
    panel->advisoryImage()->setImage(AutoLayoutUtilities::imageWithColor(QColor(240, 160, 0)));
    panel->setAdvisoryText("Los precios incluyen IVA. El comprobante discrimina el impuesto "
                           "según la condición fiscal del comprador.");
    column->addWidget(panel);
    panel->resize(size.width(), 10);
    panel->setFixedHeight(panel->requiredHeight());

    // The old total struck out, 2 points larger than its text each way.
    auto* totalArea = new QWidget();
    totalArea->setFixedHeight(60);
    auto* oldTotal = new QLabel("$ 1,250.00", totalArea);
    QFont big = oldTotal->font();
    big.setPointSize(20);
    oldTotal->setFont(big);
    oldTotal->adjustSize();
    oldTotal->move(24, 14);
    auto* cross = new crossTotal(totalArea);
    cross->setGeometry(oldTotal->geometry().adjusted(-2, -2, 2, 2));
    column->addWidget(totalArea);

    // A card with rounded top corners over its shadow.
    auto* cardArea = new QWidget();
    cardArea->setFixedHeight(120);
    column->addWidget(cardArea);
    column->addStretch(1);
    screen.show();
    screen.layout()->activate();
    auto* card = new QLabel("  Tarjeta guardada", cardArea);
    View::setBackgroundColor(card, Qt::white);
    card->setGeometry(30, 20, std::min(320, size.width() - 60), 70);
    RoundCorners::roundCorners(card, RoundCorners::AllCorners, 12);
    card->show();
    AutoLayoutUtilities::addBackgroundShadowToView(card, cardArea);

    ASSERT_TRUE(screen.grab().save(file));
}

} // namespace kitshots

TEST(KitWidgetsScreenshots, SmallViewsOnPhoneAndPad) {
    ScopedManualClock clock;
    const auto savedIdiom = Device::current().idiom();
    const auto savedTheme = VersionDispatch::mainColor();
    VersionDispatch::setMainColor(QColor(0, 120, 200));
    const QString phone = kitshots::shotPath("small_views_phone.png");
    const QString pad = kitshots::shotPath("small_views_pad.png");
    kitshots::writeKitScreen(Device::Idiom::Phone, phone);
    kitshots::writeKitScreen(Device::Idiom::Pad, pad);
    Device::current().setIdiom(savedIdiom);
    VersionDispatch::setMainColor(savedTheme);
    EXPECT_EQ(QImage(phone).size(), QSize(375, 667));
    EXPECT_EQ(QImage(pad).size(), QSize(1024, 768));
}

TEST(KitWidgetsScreenshots, SlidingMenuRevealed) {
    ScopedManualClock clock;
    const auto savedIdiom = Device::current().idiom();
    for (auto idiom : {Device::Idiom::Phone, Device::Idiom::Pad}) {
        Device::current().setIdiom(idiom);
        Window window;
        auto* sliding = new SlidingViewController();
        auto* menu = new ViewController();
        View::setBackgroundColor(menu->view(), QColor(40, 44, 52));
        auto* menuColumn = new QVBoxLayout(menu->view());
        for (const char* entry : {"Cobrar", "Ventas", "Catálogo", "Configuración"}) {
            auto* item = new QLabel(entry);
            item->setStyleSheet("color: white; font-size: 16px; padding: 8px 16px;");
            menuColumn->addWidget(item);
        }
        menuColumn->addStretch(1);
        auto* amount = new ViewController();
        amount->setTitle("Cobrar");
        auto* amountColumn = new QVBoxLayout(amount->view());
        auto* total = new QLabel("$ 0.00");
        total->setAlignment(Qt::AlignCenter);
        total->setStyleSheet("font-size: 40px;");
        amountColumn->addWidget(total);
        sliding->setTopViewController(new NavigationController(amount));
        sliding->setUnderLeftViewController(menu);
        window.setRootViewController(sliding);
        window.widget()->resize(Device::current().screenSize());
        window.makeKeyAndVisible();
        amount->showSlidingMenu();
        clock->advance(SlidingViewController::kSlideMs);
        const QString file = kitshots::shotPath(
            idiom == Device::Idiom::Pad ? "sliding_menu_pad.png" : "sliding_menu_phone.png");
        ASSERT_TRUE(window.widget()->grab().save(file));
        EXPECT_EQ(sliding->currentTopViewPosition(),
                  SlidingViewController::Position::AnchoredRight);
    }
    Device::current().setIdiom(savedIdiom);
}
