#include "DeviceFixture.h"

#include "payment/card_reading/DeviceHelpPage.h"
#include "payment/card_reading/DeviceHelpViewController.h"

#include <QPushButton>

namespace {

class DialRecorder : public URLOpener {
public:
    bool canOpenURL(const QUrl&) override { return true; }
    bool openURL(const QUrl& url) override {
        opened << url.toString();
        return true;
    }
    QStringList opened;
};

// The help screen in a window of 375 x 667, its pages shown.
class HelpFixture : public ::testing::Test {
protected:
    void SetUp() override {
        help = new DeviceHelpViewController();
        window.setRootViewController(help);
        window.makeKeyAndVisible();
        help->view()->resize(375, 667);
        help->layoutIfNeeded();
        clock->advance(1000);
        QCoreApplication::processEvents();
    }
    void TearDown() override { window.setRootViewController(nullptr); }
    ScopedManualClock clock;
    Window window;
    QPointer<DeviceHelpViewController> help;
};

} // namespace

TEST_F(HelpFixture, PicturesFollowTheSwipe) {
    const auto pages = help->pages();
    ASSERT_EQ(pages.size(), 3);
    DeviceHelpPage* first = pages.at(0);
    DeviceHelpPage* second = pages.at(1);
    const double w = 375;

    help->scrollViewDidScroll(0, w);
    EXPECT_EQ(first->image1()->pos(), first->image1InFrame().topLeft());
    EXPECT_DOUBLE_EQ(View::alpha(first->image1()), 1);
    EXPECT_DOUBLE_EQ(View::alpha(second->image1()), 0);
    EXPECT_EQ(second->image1()->pos(), second->image1OutFrame().topLeft());

    help->scrollViewDidScroll(0.25 * w, w);
    const QPoint half = (first->image1InFrame().topLeft() + first->image1OutFrame().topLeft()) / 2;
    EXPECT_NEAR(first->image1()->x(), half.x() + 0.25 * w, 1);
    EXPECT_NEAR(first->image1()->y(), half.y(), 1);
    EXPECT_NEAR(View::alpha(first->image1()), 0.5, 1e-6);

    help->scrollViewDidScroll(0.5 * w, w);
    EXPECT_NEAR(first->image1()->x(), first->image1OutFrame().x() + w / 2, 1);
    EXPECT_NEAR(second->image1()->x(), second->image1OutFrame().x() - w / 2, 1);
    EXPECT_DOUBLE_EQ(View::alpha(first->image1()), 0);
    EXPECT_DOUBLE_EQ(View::alpha(second->image1()), 0);

    // A scroller of width 0 moves nothing.
    const QPoint before = first->image1()->pos();
    help->scrollViewDidScroll(100, 0);
    EXPECT_EQ(first->image1()->pos(), before);
}

TEST_F(HelpFixture, PagesShowTheirPictures) {
    const auto pages = help->pages();
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        DeviceHelpPage* page = pages.at(i);
        EXPECT_FALSE(page->image1()->image().isNull());
        if (i < 2) {
            EXPECT_FALSE(page->image2()->image().isNull());
        }
        page->transition(0, 0);
        QPixmap shot(page->view()->size());
        shot.fill(QColor(40, 40, 40));
        page->view()->render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        shot.save(areaScreenshotPath(QStringLiteral("card_reading"),
                                     QStringLiteral("help_pictures_page%1.png").arg(i + 1)));
    }
}

TEST_F(HelpFixture, IndicatorChangesHalfWayBetweenPages) {
    const double w = 375;
    struct Case {
        double offset;
        int page;
    } cases[] = {{0, 0}, {0.49 * w, 0}, {0.5 * w, 1}, {1.49 * w, 1}, {1.5 * w, 2}, {2 * w, 2}};
    for (const Case& c : cases) {
        help->scrollViewDidScroll(c.offset, w);
        EXPECT_EQ(help->currentPage(), c.page) << c.offset;
    }
}

TEST_F(HelpFixture, PagesAroundTheEnds) {
    EXPECT_EQ(DeviceHelpViewController::viewControllerAtIndex(3), nullptr);
    EXPECT_EQ(DeviceHelpViewController::viewControllerBefore(help->pages().at(0)), nullptr);
    EXPECT_EQ(DeviceHelpViewController::viewControllerAfter(help->pages().at(2)), nullptr);
    std::unique_ptr<DeviceHelpPage> next(
        DeviceHelpViewController::viewControllerAfter(help->pages().at(0)));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->pageIndex(), 1);
}

TEST_F(HelpFixture, LastPageDialsTheSupportDigits) {
    auto dialer = std::make_shared<DialRecorder>();
    Services::set<URLOpener>(dialer);
    DeviceHelpPage* last = help->pages().at(2);
    auto* label = last->outlet<QLabel>("label");
    EXPECT_TRUE(label->text().contains(DeviceHelpPage::supportPhoneNumber().toHtmlEscaped()));
    ASSERT_NE(last->callButton(), nullptr);
    last->callButton()->click();
    QString digits = DeviceHelpPage::supportPhoneNumber();
    digits.remove(' ');
    digits.remove('-');
    EXPECT_EQ(dialer->opened, QStringList{"tel:" + digits});
    help->scrollViewDidScroll(2 * 375, 375);
    help->view()->grab().save(
        areaScreenshotPath(QStringLiteral("card_reading"), QStringLiteral("help_page3.png")));
    Services::set<URLOpener>(nullptr);
}

TEST(DeviceHelpPad, NoCallButtonOnAPad) {
    ScopedManualClock clock;
    Device::current().setIdiom(Device::Idiom::Pad);
    {
        Window window;
        auto* help = new DeviceHelpViewController();
        window.setRootViewController(help);
        window.makeKeyAndVisible();
        help->view()->resize(768, 1024);
        help->layoutIfNeeded();
        clock->advance(1000);
        help->scrollViewDidScroll(2 * 768, 768);
        EXPECT_EQ(help->pages().at(2)->callButton(), nullptr);
        help->view()->grab().save(areaScreenshotPath(QStringLiteral("card_reading"),
                                                     QStringLiteral("help_page3_pad.png")));
        window.setRootViewController(nullptr);
    }
    Device::current().setIdiom(Device::Idiom::Phone);
}
