#pragma once

#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>

class QLabel;
#include <QPushButton>

// Told when the merchant leaves the page that closes the reader demo (the card-reading screen).
class ReaderDemoCompletedDelegate {
public:
    virtual ~ReaderDemoCompletedDelegate() = default;
    virtual void readerDemoDismissed() = 0;
};

// The page that says the reader test succeeded; its continue button hands control back to the
// delegate. Outlets by objectName: "checkmarkImageView", "titleLabel", "subtitleLabel",
// "continueButton".
class ReaderDemoCompletedViewController : public ViewController {
    Q_OBJECT
public:
    explicit ReaderDemoCompletedViewController(QObject* parent = nullptr);

    // A QObject implementing ReaderDemoCompletedDelegate; not owned.
    QObject* delegate() const { return delegate_; }
    void setDelegate(QObject* delegate) { delegate_ = delegate; }

    void viewDidLoad() override;
    void continueButtonTapped();

    ImageView* checkmarkImageView() const { return checkmarkImageView_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* subtitleLabel() const { return subtitleLabel_; }
    QPushButton* continueButton() const { return continueButton_; }

protected:
    QWidget* loadView() override;

private:
    QPointer<QObject> delegate_;
    QPointer<ImageView> checkmarkImageView_;
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> subtitleLabel_;
    QPointer<QPushButton> continueButton_;
};
