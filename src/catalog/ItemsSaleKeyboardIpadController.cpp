#include "catalog/ItemsSaleKeyboardIpadController.h"

#include "catalog/CatalogLook.h"
#include "catalog/CatalogScreens.h"
#include "catalog/IpadSaleView.h"
#include "platform/ui/Clock.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/SplitViewController.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

ItemsSaleKeyboardIpadController::ItemsSaleKeyboardIpadController(QObject* parent)
    : ViewController(parent) {}

QWidget* ItemsSaleKeyboardIpadController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(40, 20, 40, 20);
    auto* segmentRow = new QHBoxLayout();
    segmentRow->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(root);
        b->setObjectName(QStringLiteral("segment%1").arg(i));
        b->setCheckable(true);
        b->setChecked(i == 0);
        connect(b, &QPushButton::clicked, this, [this, i] { segmentedControlValueChanged(i); });
        segments_.append(b);
        segmentRow->addWidget(b);
    }
    column->addLayout(segmentRow);
    priceLabel_ = new QLabel(root);
    priceLabel_->setObjectName(QStringLiteral("priceLabel"));
    priceLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    priceLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 44));
    priceLabel_->setMinimumHeight(90);
    column->addWidget(priceLabel_);
    buttonsView_ = new QWidget(root);
    buttonsView_->setObjectName(QStringLiteral("buttonsView"));
    auto* grid = new QGridLayout(buttonsView_);
    grid->setSpacing(2);
    auto key = [this, grid](const QString& title, const char* name, int row, int col) {
        auto* b = new QPushButton(title, buttonsView_);
        b->setObjectName(QLatin1String(name));
        b->setMinimumHeight(64);
        b->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 26));
        grid->addWidget(b, row, col);
        return b;
    };
    static const char* names[] = {"oneButton",   "twoButton",   "threeButton",
                                  "fourButton",  "fiveButton",  "sixButton",
                                  "sevenButton", "eightButton", "nineButton"};
    for (int d = 1; d <= 9; ++d) {
        QPushButton* b = key(QString::number(d), names[d - 1], (d - 1) / 3, (d - 1) % 3);
        connect(b, &QPushButton::clicked, this, [this, d] { addNumber(d); });
    }
    doubleCeroButton_ = key(QStringLiteral("00"), "doubleCeroButton", 3, 0);
    ceroButton_ = key(QStringLiteral("0"), "ceroButton", 3, 1);
    eraseButton_ = key(QStringLiteral("\u232B"), "eraseButton", 3, 2);
    cleanButton_ = key(QStringLiteral("C"), "cleanButton", 4, 0);
    doneButton_ = key(CatalogLook::text("GlobalTexts", "done"), "doneButton", 4, 1);
    grid->addWidget(doneButton_, 4, 1, 1, 2);
    connect(doubleCeroButton_, &QPushButton::clicked, this, [this] {
        addNumber(0);
        addNumber(0);
    });
    connect(ceroButton_, &QPushButton::clicked, this, [this] { addNumber(0); });
    connect(eraseButton_, &QPushButton::clicked, this, [this] { eraseAction(); });
    connect(cleanButton_, &QPushButton::clicked, this, [this] { cleanAction(); });
    connect(doneButton_, &QPushButton::clicked, this, [this] { doneAction(); });
    column->addWidget(buttonsView_, 1);
    root->installEventFilter(this);
    return root;
}

void ItemsSaleKeyboardIpadController::viewDidLoad() {
    if (SplitViewController* split = splitView())
        View::setBackgroundColor(split->view(), QColor::fromRgbF(0.8f, 0.8f, 0.8f, 1.0f));
    for (QPushButton* b : buttonsView_->findChildren<QPushButton*>())
        b->setStyleSheet(QStringLiteral("border-radius: 2px; background: rgb(242,242,242);"));
    enableKeys(false);
    doneButton_->setStyleSheet(QStringLiteral("border-radius: 2px; color: white; background: %1;")
                                   .arg(CatalogLook::mainColor().name()));
}

void ItemsSaleKeyboardIpadController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    navigationItem()->setTitle(CatalogLook::text("SaleDetails", "sale"));
    segments_.at(0)->setText(CatalogLook::text("GlobalTexts", "keyboard"));
    segments_.at(1)->setText(CatalogLook::text("GlobalTexts", "catalog"));
    segments_.at(2)->setText(CatalogLook::text("GlobalTexts", "favorites"));
    for (int i = 0; i < segments_.size(); ++i)
        segments_.at(i)->setChecked(i == 0);
}

void ItemsSaleKeyboardIpadController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    cleanAction();
}

void ItemsSaleKeyboardIpadController::enableKeys(bool enabled) {
    for (QPushButton* b :
         {eraseButton_.data(), doneButton_.data(), ceroButton_.data(), doubleCeroButton_.data()})
        b->setEnabled(enabled);
}

void ItemsSaleKeyboardIpadController::addNumber(int digit) {
    enableKeys(true);
    price_ += QString::number(digit);
    updatePriceLabel();
}

bool ItemsSaleKeyboardIpadController::isMainCurrency() const {
    IpadSaleView* view = saleView();
    return view ? view->isMainCurrency() : true;
}

void ItemsSaleKeyboardIpadController::updatePriceLabel() {
    const QString prefix = isMainCurrency() ? QStringLiteral("$") : QStringLiteral("U$D ");
    if (price_.isEmpty()) {
        priceLabel_->setText(prefix + QStringLiteral("0,00"));
        return;
    }
    const QString cents = price_.size() == 1 ? QLatin1Char('0') + price_ : price_.right(2);
    QString whole = price_.size() > 2 ? price_.left(price_.size() - 2) : QStringLiteral("0");
    QString grouped;
    int placed = 0;
    for (qsizetype i = whole.size() - 1; i >= 0; --i) {
        if (placed == 3) {
            grouped.prepend(QLatin1Char('.'));
            placed = 0;
        }
        grouped.prepend(whole.at(i));
        ++placed;
    }
    priceLabel_->setText(prefix + grouped + QLatin1Char(',') + cents);
}

void ItemsSaleKeyboardIpadController::eraseAction() {
    if (!price_.isEmpty())
        price_.chop(1);
    updatePriceLabel();
    if (price_.isEmpty())
        enableKeys(false);
}

void ItemsSaleKeyboardIpadController::cleanAction() {
    price_.clear();
    updatePriceLabel();
    enableKeys(false);
}

void ItemsSaleKeyboardIpadController::doneAction() {
    if (IpadSaleView* view = saleView())
        view->addManualEntryIpad(priceLabel_->text());
    cleanAction();
}

void ItemsSaleKeyboardIpadController::segmentedControlValueChanged(int index) {
    if (index == 0)
        return;
    const QString identifier = index == 1 ? CatalogScreens::catalogSaleIpad.identifier
                                          : CatalogScreens::favoritesIpad.identifier;
    const QString board =
        storyboardName().isEmpty() ? QString(CatalogScreens::padStoryboard) : storyboardName();
    NavigationController* navigation = navigationController();
    ViewController* list = navigation ? Storyboard::instantiate(board, identifier) : nullptr;
    if (list)
        navigation->pushViewController(list, false);
}

SplitViewController* ItemsSaleKeyboardIpadController::splitView() const {
    for (ViewController* up = parentViewController(); up; up = up->parentViewController())
        if (auto* split = qobject_cast<SplitViewController*>(up))
            return split;
    return nullptr;
}

IpadSaleView* ItemsSaleKeyboardIpadController::saleView() const {
    SplitViewController* split = splitView();
    if (!split || split->viewControllers().size() < 2)
        return nullptr;
    auto* navigation = qobject_cast<NavigationController*>(split->viewControllers().at(1));
    if (!navigation || navigation->viewControllers().isEmpty())
        return nullptr;
    return dynamic_cast<IpadSaleView*>(navigation->viewControllers().at(0));
}

SplitViewController* ItemsSaleKeyboardIpadController::outerSplitView() const {
    SplitViewController* inner = splitView();
    for (ViewController* up = inner ? inner->parentViewController() : nullptr; up;
         up = up->parentViewController())
        if (auto* split = qobject_cast<SplitViewController*>(up))
            return split;
    return nullptr;
}

void ItemsSaleKeyboardIpadController::handleGesture(Swipe direction) {
    SplitViewController* outer = outerSplitView();
    if (!outer)
        return;
    const bool hidden = outer->preferredDisplayMode() == SplitViewController::PrimaryHidden;
    if ((direction == Swipe::Right && hidden) || (direction == Swipe::Left && !hidden))
        hideUnhide();
}

void ItemsSaleKeyboardIpadController::hideUnhide() {
    QPointer<SplitViewController> outer = outerSplitView();
    if (!outer)
        return;
    const auto next = outer->preferredDisplayMode() == SplitViewController::PrimaryHidden
                          ? SplitViewController::Automatic
                          : SplitViewController::PrimaryHidden;
    Clock::current().animate(
        kHideUnhideMs, outer, [](double) {},
        [outer, next](bool) {
            if (!outer)
                return;
            outer->setPreferredDisplayMode(next);
            outer->layoutIfNeeded();
        });
}

bool ItemsSaleKeyboardIpadController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        pressAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    else if (event->type() == QEvent::MouseButtonRelease) {
        const int dx = static_cast<QMouseEvent*>(event)->position().toPoint().x() - pressAt_.x();
        if (std::abs(dx) > 60)
            handleGesture(dx > 0 ? Swipe::Right : Swipe::Left);
    }
    return ViewController::eventFilter(watched, event);
}
