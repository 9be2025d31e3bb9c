#pragma once

#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"
#include "reader/ContactlessPrompt.h"
#include "reader/service/WeakRef.h"

#include <QPointer>
#include <QRect>

#include <QLabel>
#include <QPushButton>

// The modal prompt over the card-reading screen while the reader waits for a contactless
// card: a card moves onto the reader, fades out and comes back, every 3.3 s, until the prompt
// goes away. Its only control is the cancel button. The initial screen of the storyboard
// "DSpread_Pinpad_Contactless"; outlets by objectName: "navBar", "cancelButton", "titleLabel",
// "subTitleLabel", "readerView", "readerViewFront", "cardViewContainer", "cardView".
class DSpreadPinpadContactless : public ViewController, public ContactlessPrompt {
    Q_OBJECT
public:
    static constexpr int kSlideMs = 1000;
    static constexpr int kHoldMs = 1000;
    static constexpr int kFadeMs = 300;
    static constexpr int kAwayMs = 700;
    // One cycle when nothing interrupts it.
    static constexpr int kCycleMs = kSlideMs + kHoldMs + kFadeMs + kAwayMs + kFadeMs;

    explicit DSpreadPinpadContactless(QObject* parent = nullptr);

    // The reader controller, not owned: its disableNFC() leaves contactless mode and dismisses
    // the prompt. A cancel after it is gone does nothing.
    void setDelegate(ContactlessPromptDelegate* delegate) override { delegate_ = delegate; }
    ContactlessPromptDelegate* delegate() const { return delegate_.get(); }

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    // One cycle of the card; it schedules the next itself while the prompt is active.
    void animateNow();
    // The cancel button's action.
    void cancel();

    bool active() const { return active_; }
    QRect inFrame() const { return inFrame_; }
    QRect outFrame() const { return outFrame_; }
    // Cycles started since the prompt appeared.
    int cyclesStarted() const { return cycles_; }

    QWidget* navBar() const { return navBar_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* subTitleLabel() const { return subTitleLabel_; }
    ImageView* readerView() const { return readerView_; }
    ImageView* readerViewFront() const { return readerViewFront_; }
    QWidget* cardViewContainer() const { return cardViewContainer_; }
    ImageView* cardView() const { return cardView_; }

protected:
    QWidget* loadView() override;
    void viewDidLayoutSubviews() override;

private:
    WeakRef<ContactlessPromptDelegate> delegate_;
    QPointer<QWidget> navBar_;
    QPointer<QPushButton> cancelButton_;
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> subTitleLabel_;
    QPointer<QWidget> stage_;
    QPointer<ImageView> readerView_;
    QPointer<ImageView> readerViewFront_;
    QPointer<QWidget> cardViewContainer_;
    QPointer<ImageView> cardView_;
    bool active_ = false;
    QRect inFrame_;
    QRect outFrame_;
    int cycles_ = 0;
};
