#pragma once

#include "model/Item.h"
#include "platform/ui/Clock.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/TutorialNavBar.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <vector>

class Sale;

// The cart of the sale in progress: its lines with the subtotal under them, and an edit mode
// with multiple selection to remove lines, clean the sale, change one line's quantity or
// discount. Line editors change the sale's own lines; the cart re-reads the sale each time it
// comes into view and drops the lines left at quantity 0.
class EditIndividualSaleController : public ViewController,
                                     public TableViewDataSource,
                                     public TableViewDelegate,
                                     public TutorialNavBarDelegate {
    Q_OBJECT
public:
    static constexpr int kToolbarHeight = 44;
    // Width of the area the caption and the amount are centred in.
    static constexpr int kTotalAreaWidth = 180; // room for caption and amount at 17 points

    explicit EditIndividualSaleController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    int supportedInterfaceOrientations() const override { return 2; }

    // Actions.
    void deleteItem();
    void modifyAmount();
    void applyDiscount();
    void confirmSale();
    // Edit mode on or off; ignored while a switch is under way.
    void editList();
    // The tutorial step bar's request to end the tutorial: asks whether to skip it.
    void cancelTutorial() override;

    // Table.
    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    // A tap on a row while editing checks it, or unchecks a checked one.
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidDeselectRowAtIndexPath(TableView* table, IndexPath indexPath);

    Sale* sale() const { return sale_; }
    const std::vector<ItemPtr>& checkedItems() const { return checkedItems_; }
    bool isEditing() const { return editing_; }
    bool isModifying() const { return modifying_; }
    int tutorialStep() const { return tutorialStep_; }
    TutorialHint* tutorialHint() const { return tutorialHint_; }
    TutorialNavBar* tutorialNavBar() const { return tutorialNavBar_; }
    // The edit bar's bottom offset: 0 shown, -44 hidden.
    int editToolbarBottom() const { return editToolbarBottom_; }
    TableView* salesTable() const { return salesTable_; }
    QLabel* total() const { return total_; }
    QLabel* totalTitle() const { return totalTitle_; }
    QPushButton* deleteItemButton() const { return deleteItemButton_; }
    QPushButton* modifyItemButton() const { return modifyItemButton_; }
    QPushButton* discountItemButton() const { return discountItemButton_; }

protected:
    QWidget* loadView() override;

private:
    void deleteAllItems();
    void updateFinalAmount(const QString& text);
    void layoutTotal();
    void checkingChanged(bool checkedSecondRow, bool uncheckedFirstRow);
    void editListOn();
    void editListOff();
    void goEdit();
    void setToolbarBottom(int bottom);
    void setRightButtonEdit();
    void tutorialStart();
    void tutorialNextStep();
    void restoreViews();
    void removeTutorialViews();
    void setRowsEditing(bool editing);

    Sale* sale_ = nullptr;
    std::vector<ItemPtr> checkedItems_;
    int tutorialStep_ = 0;
    bool modifying_ = false;
    bool editing_ = false;
    int editToolbarBottom_ = -kToolbarHeight;
    Clock::Handle slide_ = 0;
    QPointer<TutorialHint> tutorialHint_;
    QPointer<TutorialNavBar> tutorialNavBar_;
    QPointer<QWidget> headerView_;
    QPointer<TableView> salesTable_;
    QPointer<QWidget> totalView_;
    QPointer<QLabel> totalTitle_;
    QPointer<QLabel> total_;
    QPointer<QPushButton> confirmButton_;
    QPointer<QWidget> editToolbar_;
    QPointer<QPushButton> deleteItemButton_;
    QPointer<QPushButton> modifyItemButton_;
    QPointer<QPushButton> discountItemButton_;
};
