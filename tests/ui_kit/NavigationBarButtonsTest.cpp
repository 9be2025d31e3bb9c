#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"

#include <QApplication>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A bar button replaced while the bar is on screen leaves no copy behind, even before the
// event loop deletes the old one.
TEST(NavigationBarButtons, AReplacedButtonIsGoneAtOnce) {
    auto* root = new ViewController();
    NavigationController navigation(root);
    navigation.view()->resize(320, 480);
    navigation.view()->show();
    BarButtonItem skip;
    skip.title = QStringLiteral("Skip");
    skip.objectName = QStringLiteral("skip");
    root->navigationItem()->setRightBarButtonItem(skip);
    root->navigationItem()->setRightBarButtonItem(skip);
    QApplication::processEvents();
    int shown = 0;
    for (QToolButton* button : navigation.view()->findChildren<QToolButton*>("skip"))
        if (button->isVisible())
            ++shown;
    EXPECT_EQ(shown, 1);
}

} // namespace
