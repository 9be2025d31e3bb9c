#include "catalog/EditIndividualSaleController.h"

#include "SDK/session/AccountSettings.h"
#include "catalog/CatalogLook.h"
#include "catalog/CatalogScreens.h"
#include "catalog/IndividualSaleCell.h"
#include "catalog/InputTabBarProtocol.h"
#include "catalog/SaleLineReceivers.h"
#include "model/Sale.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "ui_kit/Extensions/Deprecations.h"
#include "ui_kit/ScreenRoot.h"
#include "ui_kit/TutorialHint.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr qint64 kSnapshotTag = 555;
} // namespace

EditIndividualSaleController::EditIndividualSaleController(QObject* parent)
    : ViewController(parent) {}

QWidget* EditIndividualSaleController::loadView() {
    auto* root = new QWidget();
    auto* column = ScreenRoot::whiteColumn(root);

    headerView_ = new QWidget(root);
    headerView_->setObjectName(QStringLiteral("headerView"));
    headerView_->setAutoFillBackground(true);
    headerView_->setFixedHeight(64);
    auto* header = new QHBoxLayout(headerView_);
    header->setContentsMargins(15, 8, 15, 8);
    totalView_ = new QWidget(headerView_);
    totalView_->setObjectName(QStringLiteral("totalView"));
    totalView_->setFixedSize(kTotalAreaWidth, 40);
    totalTitle_ = new QLabel(CatalogLook::text("SaleDetails", "subtotalTitle"), totalView_);
    totalTitle_->setObjectName(QStringLiteral("totalTitle"));
    totalTitle_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 17));
    totalTitle_->setGeometry(0, 0, 90, 40);
    total_ = new QLabel(totalView_);
    total_->setObjectName(QStringLiteral("total"));
    total_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 17));
    total_->setGeometry(95, 0, 85, 40);
    confirmButton_ = new QPushButton(CatalogLook::text("EditIndividualSale", "collect"), root);
    confirmButton_->setObjectName(QStringLiteral("confirmButton"));
    confirmButton_->setMinimumHeight(40);
    connect(confirmButton_, &QPushButton::clicked, this, [this] { confirmSale(); });
    header->addWidget(totalView_);
    header->addStretch(1);
    header->addWidget(confirmButton_);

    salesTable_ = new TableView(root);
    salesTable_->setObjectName(QStringLiteral("salesTable"));
    salesTable_->registerCell(QStringLiteral("IndividualSaleCell"),
                              [] { return new IndividualSaleCell(); });
    salesTable_->setDataSource(this);
    salesTable_->setDelegate(this);

    editToolbar_ = new QWidget(root);
    editToolbar_->setObjectName(QStringLiteral("editToolbar"));
    editToolbar_->setAutoFillBackground(true);
    View::setBackgroundColor(editToolbar_, QColor(247, 247, 247));
    auto* bar = new QHBoxLayout(editToolbar_);
    bar->setContentsMargins(10, 0, 10, 0);
    auto button = [this](const char* name, void (EditIndividualSaleController::*action)()) {
        auto* b = new QPushButton(editToolbar_);
        b->setObjectName(QLatin1String(name));
        b->setFlat(true);
        connect(b, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
        return b;
    };
    deleteItemButton_ = button("deleteItemButton", &EditIndividualSaleController::deleteItem);
    modifyItemButton_ = button("modifyItemButton", &EditIndividualSaleController::modifyAmount);
    discountItemButton_ =
        button("discountItemButton", &EditIndividualSaleController::applyDiscount);
    bar->addWidget(deleteItemButton_);
    bar->addStretch(1);
    bar->addWidget(modifyItemButton_);
    bar->addWidget(discountItemButton_);

    column->addWidget(headerView_);
    column->addWidget(salesTable_, 1);
    column->addWidget(editToolbar_);
    setToolbarBottom(editToolbarBottom_);
    return root;
}

void EditIndividualSaleController::viewDidLoad() {
    const QImage pattern = CatalogLook::image(QStringLiteral("fondo_blanco.png"));
    if (!pattern.isNull()) {
        QPalette palette = headerView_->palette();
        palette.setBrush(QPalette::Window, QBrush(pattern));
        headerView_->setPalette(palette);
    }
    navigationItem()->setTitle(CatalogLook::text("SaleDetails", "sale"));
    setRightButtonEdit();
    const QString tint = CatalogLook::mainColor().name();
    for (QPushButton* b : {modifyItemButton_.data(), discountItemButton_.data()})
        b->setStyleSheet(QStringLiteral("QPushButton { color: %1; } QPushButton:disabled { color: "
                                        "#999999; }")
                             .arg(tint));
    deleteItemButton_->setStyleSheet(QStringLiteral("color: %1;").arg(tint));
    if (AccountSettings::instance().tutorialAmount())
        tutorialStep_ = 0;
    else
        tutorialStart();
}

void EditIndividualSaleController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    sale_ = &Sale::sharedSale();
    std::vector<ItemPtr> emptied;
    for (const ItemPtr& item : sale_->items())
        if (item->quantity() == 0)
            emptied.push_back(item);
    if (!emptied.empty())
        sale_->removeItems(emptied);
    checkedItems_.clear();
    modifyItemButton_->setEnabled(false);
    discountItemButton_->setEnabled(false);
    deleteItemButton_->setEnabled(true);
    if (!sale_->items().empty()) {
        salesTable_->reloadData();
    } else {
        // Cleaned now; the pop waits until this appearance has finished.
        sale_->cleanSale();
        Clock::current().callAfter(0, this, [this] { deleteAllItems(); });
        return;
    }
    setToolbarBottom(-kToolbarHeight);
    // The editors change lines in place without recomputing: the total is recomputed here.
    sale_->recalculateTotalAmount();
    total_->setText(sale_->subtotal()->getAmount());
    layoutTotal();
    modifyItemButton_->setText(CatalogLook::text("GlobalTexts", "edit"));
    discountItemButton_->setText(CatalogLook::text("GlobalTexts", "discount"));
    deleteItemButton_->setText(CatalogLook::text("GlobalTexts", "cleanSale"));
}

void EditIndividualSaleController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    if (tutorialHint_ || tutorialNavBar_)
        removeTutorialViews();
}

void EditIndividualSaleController::layoutTotal() {
    qreal s = 17;
    const QSizeF amount = Deprecations::deprecatedSizeWithFontMinFontSize(
        total_->text(), CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 17), 14, &s,
        total_->width(), LineBreakMode::ByTruncatingTail);
    if (s < 17)
        totalTitle_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), s));
    else
        s = 17;
    // The amount shrinks to the fitted size rather than losing its last digits.
    total_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), s));
    const QSizeF caption = Deprecations::deprecatedSizeWithFontConstrainedToSize(
        totalTitle_->text(), CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), s),
        QSizeF(totalTitle_->size()));
    const int x = int((kTotalAreaWidth - (amount.width() + caption.width() + 5)) / 2);
    const QRect title = totalTitle_->geometry();
    totalTitle_->setGeometry(x, title.y(), title.width(), title.height());
    const QRect amountFrame = total_->geometry();
    total_->setGeometry(x + title.width() + 5, amountFrame.y(), amountFrame.width(),
                        amountFrame.height());
}

int EditIndividualSaleController::tableViewNumberOfRowsInSection(TableView*, int) {
    return sale_ ? int(sale_->items().size()) : 0;
}

QWidget* EditIndividualSaleController::tableViewCellForRowAtIndexPath(TableView* table,
                                                                      IndexPath indexPath) {
    auto* cell = static_cast<IndividualSaleCell*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("IndividualSaleCell")));
    const ItemPtr& item = sale_->items().at(size_t(indexPath.row));
    cell->fillForItem(*item);
    cell->setEditing(editing_);
    cell->setChecked(std::any_of(checkedItems_.begin(), checkedItems_.end(),
                                 [&item](const ItemPtr& c) { return c->isEqual(*item); }));
    return cell;
}

void EditIndividualSaleController::tableViewDidSelectRowAtIndexPath(TableView* table,
                                                                    IndexPath indexPath) {
    if (!editing_ || !sale_ || indexPath.row >= int(sale_->items().size())) {
        table->selectRowAtIndexPath(std::nullopt);
        return;
    }
    const ItemPtr item = sale_->items().at(size_t(indexPath.row));
    auto* cell = qobject_cast<IndividualSaleCell*>(table->cellForRowAtIndexPath(indexPath));
    if (cell && cell->isChecked()) {
        tableViewDidDeselectRowAtIndexPath(table, indexPath);
        return;
    }
    checkedItems_.push_back(item);
    if (cell)
        cell->setChecked(true);
    checkingChanged(indexPath.row == 1, false);
}

void EditIndividualSaleController::tableViewDidDeselectRowAtIndexPath(TableView* table,
                                                                      IndexPath indexPath) {
    if (!sale_ || indexPath.row >= int(sale_->items().size()))
        return;
    const ItemPtr item = sale_->items().at(size_t(indexPath.row));
    std::erase_if(checkedItems_, [&item](const ItemPtr& c) { return c->isEqual(*item); });
    if (auto* cell = qobject_cast<IndividualSaleCell*>(table->cellForRowAtIndexPath(indexPath)))
        cell->setChecked(false);
    table->selectRowAtIndexPath(std::nullopt);
    checkingChanged(false, indexPath.row == 0);
}

void EditIndividualSaleController::checkingChanged(bool checkedSecondRow, bool uncheckedFirstRow) {
    const bool one = checkedItems_.size() == 1 && tutorialStep_ == 0;
    modifyItemButton_->setEnabled(one);
    discountItemButton_->setEnabled(one);
    if (!checkedItems_.empty())
        deleteItemButton_->setText(
            CatalogLook::text("EditIndividualSale", "deleteItems", {int(checkedItems_.size())}));
    else
        deleteItemButton_->setText(CatalogLook::text("GlobalTexts", "cleanSale"));
    if (tutorialStep_ == 2 && checkedItems_.size() == 1 && (checkedSecondRow || uncheckedFirstRow))
        tutorialNextStep();
}

void EditIndividualSaleController::deleteItem() {
    if (!sale_)
        return;
    if (!checkedItems_.empty() && checkedItems_.size() < sale_->items().size()) {
        sale_->removeItems(checkedItems_);
        checkedItems_.clear();
        salesTable_->reloadData();
        modifyItemButton_->setEnabled(false);
        discountItemButton_->setEnabled(false);
        deleteItemButton_->setText(CatalogLook::text("GlobalTexts", "cleanSale"));
        if (sale_->items().empty()) {
            deleteAllItems();
            return;
        }
        sale_->recalculateTotalAmount();
        updateFinalAmount(sale_->subtotal()->getAmount());
        if (tutorialStep_ == 3) {
            restoreViews();
            if (tutorialHint_)
                tutorialHint_->hideHint();
        }
        editList();
        return;
    }
    auto* sheet = SystemAlert::alertControllerWithTitle(QString(), QString(),
                                                        SystemAlert::Style::ActionSheet);
    sheet->setObjectName(QStringLiteral("cleanSaleSheet"));
    QPointer<EditIndividualSaleController> self(this);
    sheet->addAction(CatalogLook::text("GlobalTexts", "cleanSale"), SystemAlertAction::Destructive,
                     [self](SystemAlertAction*) {
                         if (self)
                             self->deleteAllItems();
                     });
    sheet->addAction(CatalogLook::text("GlobalTexts", "cancel"), SystemAlertAction::Cancel);
    presentViewController(sheet, true);
}

void EditIndividualSaleController::deleteAllItems() {
    if (sale_)
        sale_->cleanSale();
    NavigationController* navigation = navigationController();
    if (!navigation)
        return;
    const QList<ViewController*> stack = navigation->viewControllers();
    const qsizetype self = stack.indexOf(this);
    const qsizetype n = self >= 0 ? self + 1 : stack.size();
    // The tab bar two below, else the nearest one below that answers cleanSale.
    ViewController* target = nullptr;
    if (n >= 3 && dynamic_cast<InputTabBarProtocol*>(stack.at(n - 3)))
        target = stack.at(n - 3);
    for (qsizetype i = n - 2; !target && i >= 0; --i)
        if (dynamic_cast<InputTabBarProtocol*>(stack.at(i)))
            target = stack.at(i);
    if (target) {
        dynamic_cast<InputTabBarProtocol*>(target)->cleanSale();
        navigation->popToViewController(target, true);
    } else {
        navigation->popToRootViewControllerAnimated(true);
    }
}

void EditIndividualSaleController::updateFinalAmount(const QString& text) {
    QPointer<QLabel> label = total_;
    View::animateAlpha(total_, 0, 300, [label, text](bool) {
        if (!label)
            return;
        label->setText(text);
        View::animateAlpha(label, 1, 300);
    });
}

void EditIndividualSaleController::setToolbarBottom(int bottom) {
    editToolbarBottom_ = bottom;
    if (editToolbar_)
        editToolbar_->setFixedHeight(std::clamp(kToolbarHeight + bottom, 0, kToolbarHeight));
}

void EditIndividualSaleController::setRightButtonEdit() {
    navigationItem()->setRightBarButtonItem(CatalogLook::barButton(
        CatalogLook::text("GlobalTexts", "edit"), QStringLiteral("editButton"),
        [this] { editList(); }, tutorialStep_ != 4));
}

void EditIndividualSaleController::setRowsEditing(bool editing) {
    editing_ = editing;
    if (!salesTable_)
        return;
    for (int row = 0; row < salesTable_->numberOfRowsInSection(0); ++row)
        if (auto* cell =
                qobject_cast<IndividualSaleCell*>(salesTable_->cellForRowAtIndexPath({0, row})))
            cell->setEditing(editing);
}

void EditIndividualSaleController::editList() {
    if (modifying_)
        return;
    modifying_ = true;
    Clock& clock = Clock::current();
    clock.cancel(slide_);
    const int from = editToolbarBottom_;
    if (!editing_) {
        navigationItem()->setRightBarButtonItem(
            CatalogLook::barButton(CatalogLook::text("GlobalTexts", "done"),
                                   QStringLiteral("doneButton"), [this] { editList(); }));
        // The completion always leads on, so a slide cut short does not leave the switch stuck.
        slide_ = clock.animate(
            250, this,
            [this, from](double t) { setToolbarBottom(int(std::lround(from * (1 - t)))); },
            [this](bool) {
                setToolbarBottom(0);
                Clock::current().callAfter(100, this, [this] { editListOn(); });
            });
        navigationItem()->setHidesBackButton(true);
        if (tutorialStep_ == 1)
            tutorialNextStep();
    } else {
        slide_ = clock.animate(
            250, this,
            [this, from](double t) {
                setToolbarBottom(int(std::lround(from + (-kToolbarHeight - from) * t)));
            },
            [this](bool) {
                setToolbarBottom(-kToolbarHeight);
                Clock::current().callAfter(100, this, [this] { editListOff(); });
            });
        setRightButtonEdit();
        navigationItem()->setHidesBackButton(tutorialStep_ != 0);
    }
}

void EditIndividualSaleController::editListOn() {
    setRowsEditing(true);
    modifying_ = false;
}

void EditIndividualSaleController::editListOff() {
    setRowsEditing(false);
    if (tutorialStep_ == 3)
        Clock::current().callAfter(500, this, [this] { tutorialNextStep(); });
    modifying_ = false;
}

void EditIndividualSaleController::goEdit() {
    Clock::current().cancel(slide_);
    setRightButtonEdit();
    navigationItem()->setHidesBackButton(false);
    setToolbarBottom(-kToolbarHeight);
    setRowsEditing(false);
    modifying_ = false;
}

void EditIndividualSaleController::modifyAmount() {
    if (checkedItems_.empty())
        return;
    if (checkedItems_.back()->product()->productId().isEmpty())
        performSegueWithIdentifier(CatalogScreens::editFreeItemSegue, this);
    else
        performSegueWithIdentifier(CatalogScreens::editItemSegue, this);
}

void EditIndividualSaleController::applyDiscount() {
    if (!checkedItems_.empty())
        performSegueWithIdentifier(CatalogScreens::applyDiscountSegue, this);
}

void EditIndividualSaleController::confirmSale() {
    if (tutorialStep_ == 4)
        removeTutorialViews();
    performSegueWithIdentifier(CatalogScreens::confirmSaleSegue, this);
}

void EditIndividualSaleController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (!checkedItems_.empty()) {
        const ItemPtr last = checkedItems_.back();
        ViewController* destination = segue.destinationViewController();
        if (segue.identifier() == CatalogScreens::editFreeItemSegue) {
            if (auto* editor = dynamic_cast<FreeItemEditor*>(destination))
                editor->setItemToModify(last);
        } else if (segue.identifier() == CatalogScreens::editItemSegue ||
                   segue.identifier() == CatalogScreens::applyDiscountSegue) {
            if (auto* editor = dynamic_cast<SaleLineEditor*>(destination))
                editor->setItem(last);
        }
    }
    Clock::current().callAfter(1000, this, [this] { goEdit(); });
}

void EditIndividualSaleController::tutorialStart() {
    tutorialStep_ = 1;
    tutorialHint_ = TutorialHint::initHint(TutorialHint::ArrowRightUp,
                                           CatalogLook::text("Tutorial", "modifySale"),
                                           QPoint(35, 69), view(), {});
    navigationItem()->setHidesBackButton(true);
}

void EditIndividualSaleController::tutorialNextStep() {
    if (tutorialHint_)
        tutorialHint_->hideHint();
    ++tutorialStep_;
    if (tutorialStep_ == 2) {
        tutorialHint_ = TutorialHint::initHint(TutorialHint::ArrowUp,
                                               CatalogLook::text("Tutorial", "pickSecondItem"),
                                               QPoint(30, 200), view(), {salesTable_.data()});
        QWidget* barHost = navigationController() ? navigationController()->view() : view();
        tutorialNavBar_ = TutorialNavBar::initWithStep(
            2, CatalogLook::text("Tutorial", "saleConfirmation"), barHost, 0, false);
        tutorialNavBar_->setDelegate(this);
    } else if (tutorialStep_ == 3) {
        // The table is shown as a picture while the tutorial points at the edit bar.
        auto* snapshot = new QLabel(salesTable_->parentWidget());
        View::setTag(snapshot, kSnapshotTag);
        snapshot->setPixmap(salesTable_->grab());
        snapshot->setGeometry(0, salesTable_->y(), salesTable_->width(), salesTable_->height());
        snapshot->show();
        salesTable_->hide();
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowLeftDown, CatalogLook::text("Tutorial", "deleteItem"),
            QPoint(30, editToolbar_->y() - 5), view(), {editToolbar_.data()});
    } else if (tutorialStep_ == 4) {
        if (tutorialNavBar_)
            tutorialNavBar_->close(true);
        setRightButtonEdit();
        navigationItem()->setHidesBackButton(true);
    }
}

void EditIndividualSaleController::restoreViews() {
    salesTable_->show();
    if (QWidget* snapshot = View::viewWithTag(view(), kSnapshotTag))
        View::removeFromSuperview(snapshot);
}

void EditIndividualSaleController::removeTutorialViews() {
    if (tutorialHint_)
        tutorialHint_->hideHint();
    if (tutorialNavBar_) {
        tutorialNavBar_->setDelegate(nullptr);
        tutorialNavBar_->close(true);
    }
    restoreViews();
    navigationItem()->setHidesBackButton(false);
    tutorialStep_ = 0;
    if (!editing_)
        setRightButtonEdit();
}

void EditIndividualSaleController::cancelTutorial() {
    auto* alert = SystemAlert::alertControllerWithTitle(
        QString(""), CatalogLook::text("Tutorial", "cancelAlert"));
    QPointer<EditIndividualSaleController> self(this);
    alert->addAction(CatalogLook::text("Tutorial", "noContinue"), SystemAlertAction::Cancel);
    alert->addAction(CatalogLook::text("Tutorial", "yesOmmit"), SystemAlertAction::Default,
                     [self](SystemAlertAction*) {
                         if (!self)
                             return;
                         self->removeTutorialViews();
                         AccountSettings::instance().tutorialCancelled();
                     });
    presentViewController(alert, true);
}
