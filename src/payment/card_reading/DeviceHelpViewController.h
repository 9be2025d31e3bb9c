#pragma once

#include "platform/ui/ViewController.h"

#include <QList>
#include <QPointer>

class DeviceHelpPage;
class QLabel;
class QScrollArea;

// The reader help ("DeviceHelp", "DeviceHelpViewController"): three pages side by side in a
// horizontal scroller with a page indicator; the pages' pictures follow the swipe.
// Outlets by objectName: "scrollView", "pageControl".
class DeviceHelpViewController : public ViewController {
    Q_OBJECT
public:
    explicit DeviceHelpViewController(QObject* parent = nullptr);

    QList<DeviceHelpPage*> pages() const;
    int currentPage() const { return currentPage_; }
    // The pages and the indicator for a horizontal offset of a scroller of that width. A width
    // of 0 moves nothing.
    void scrollViewDidScroll(double offsetX, double width);
    // nullptr above 2.
    static DeviceHelpPage* viewControllerAtIndex(int index);
    static DeviceHelpPage* viewControllerBefore(const DeviceHelpPage* page);
    static DeviceHelpPage* viewControllerAfter(const DeviceHelpPage* page);

    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;

protected:
    QWidget* loadView() override;

private:
    void showPageControl();

    QList<QPointer<DeviceHelpPage>> pages_;
    QScrollArea* scroll_ = nullptr;
    QWidget* strip_ = nullptr;
    QLabel* pageControl_ = nullptr;
    int currentPage_ = 0;
};
