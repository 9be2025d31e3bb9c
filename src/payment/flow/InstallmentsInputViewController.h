#pragma once

#include "platform/ui/ImageView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <functional>

// Typing a free installment count: one numeric field capped at a limit, and a continue button
// that hands the count over. Pushed on its caller's stack or presented in a navigation
// controller of its own ("Installments", "InstallmentsInputViewController[Navigation]").
//
// Outlets by objectName: "iconImageView", "descriptiveLabel", "textField", "highlightView",
// "disclaimerLabel", "continueButton".
class InstallmentsInputViewController : public ViewController {
    Q_OBJECT
public:
    using Completion = std::function<void(int count)>;

    explicit InstallmentsInputViewController(QObject* parent = nullptr);

    // Shows the screen over the given one: presented (present) or pushed on its navigation
    // controller. The completion gets the count when the merchant continues.
    static void willPresent(bool present, ViewController* on, int limit, Completion completion);
    // The screen, or with navigation a navigation controller whose last screen it is.
    static ViewController* instanceWithNavigation(bool navigation);

    int limit() const { return limit_; }
    void setLimit(int limit) { limit_ = limit; }
    void setCompletionBlock(Completion completion) { completionBlock_ = std::move(completion); }
    bool presented() const { return presented_; }
    void setPresented(bool presented) { presented_ = presented; }
    // The count typed so far; never below 1.
    int installment() const { return installment_; }

    void viewDidLoad() override;
    void textFieldDidChange();
    void continueButtonTapped();
    void discardView();

protected:
    QWidget* loadView() override;

private:
    void setViewStyle();

    Completion completionBlock_;
    int limit_ = 36;
    bool presented_ = false;
    int installment_ = 1;
    QPointer<ImageView> iconImageView_;
    QPointer<QLabel> descriptiveLabel_, disclaimerLabel_;
    QPointer<TextField> textField_;
    QPointer<QWidget> highlightView_;
    QPointer<QPushButton> continueButton_;
};
