#pragma once

#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QPushButton>
#include <QRect>

class QLabel;

// One page of the reader help ("DeviceHelp", "Page1".."Page3"): a text, up to two pictures
// that slide and fade with the swipe, and on the last page a button that dials support.
// Outlets by objectName: "label", "image1", "image2", "callButton".
class DeviceHelpPage : public ViewController {
    Q_OBJECT
public:
    static constexpr int kTransitionMs = 300;

    explicit DeviceHelpPage(QObject* parent = nullptr);
    ~DeviceHelpPage() override;
    static DeviceHelpPage* pageAtIndex(int index);
    // The support number dialled by the last page (a build setting: TARVELLO_SUPPORT_PHONE).
    static QString supportPhoneNumber();

    int pageIndex() const { return pageIndex_; }
    void setPageIndex(int index) { pageIndex_ = index; }
    QRect image1InFrame() const { return image1In_; }
    QRect image1OutFrame() const { return image1Out_; }
    QRect image2InFrame() const { return image2In_; }
    QRect image2OutFrame() const { return image2Out_; }
    ImageView* image1() const { return image1_; }
    ImageView* image2() const { return image2_; }
    QPushButton* callButton() const { return callButton_; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    // Places and fades the pictures for a swipe position: progress 0 at rest, 1 out.
    void transition(float progress, float offset);
    void transitionIn();
    void transitionOut();
    void callButtonTapped();

protected:
    QWidget* loadView() override;

private:
    void animateTo(bool in);

    int pageIndex_ = 0;
    bool started_ = false;
    QLabel* label_ = nullptr;
    QPointer<ImageView> image1_;
    QPointer<ImageView> image2_;
    QPointer<QPushButton> callButton_;
    QRect image1In_, image2In_, image1Out_, image2Out_;
    quint64 animation_ = 0;
};
