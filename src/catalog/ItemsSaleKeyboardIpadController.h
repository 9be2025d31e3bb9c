#pragma once

#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QList>
#include <QPointer>
#include <QPushButton>

class IpadSaleView;
class SplitViewController;

// The pad's amount keypad beside the sale view: typed digits with two implied decimals shown
// as "$1.234,56" (or "U$D 1.234,56" off the main currency); done hands the text to the sale
// view. Its segments open the pad catalog or favourites, and a swipe hides or shows the other
// column of the outer split.
class ItemsSaleKeyboardIpadController : public ViewController {
    Q_OBJECT
public:
    enum class Swipe { Left, Right };
    static constexpr int kHideUnhideMs = 250;

    explicit ItemsSaleKeyboardIpadController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    void addNumber(int digit);
    void updatePriceLabel();
    void eraseAction();
    void cleanAction();
    void doneAction();
    void segmentedControlValueChanged(int index);
    void handleGesture(Swipe direction);
    void hideUnhide();
    bool isMainCurrency() const;

    QString price() const { return price_; }
    QLabel* priceLabel() const { return priceLabel_; }
    QPushButton* eraseButton() const { return eraseButton_; }
    QPushButton* doneButton() const { return doneButton_; }
    QPushButton* ceroButton() const { return ceroButton_; }
    QPushButton* doubleCeroButton() const { return doubleCeroButton_; }
    QPushButton* segment(int index) const { return segments_.value(index); }

    // The split holding the keypad's column, the sale view beside it, and the outer split.
    SplitViewController* splitView() const;
    IpadSaleView* saleView() const;
    SplitViewController* outerSplitView() const;

protected:
    QWidget* loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enableKeys(bool enabled);
    QString price_;
    QPointer<QLabel> priceLabel_;
    QPointer<QWidget> buttonsView_;
    QPointer<QPushButton> eraseButton_;
    QPointer<QPushButton> doneButton_;
    QPointer<QPushButton> ceroButton_;
    QPointer<QPushButton> doubleCeroButton_;
    QPointer<QPushButton> cleanButton_;
    QList<QPushButton*> segments_;
    QPoint pressAt_;
};
