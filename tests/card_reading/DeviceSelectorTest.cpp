#include "DeviceFixture.h"

#include "payment/card_reading/DeviceSelector.h"

#include <QListWidget>

namespace {

class ChoiceRecorder : public DeviceSelectorDelegate {
public:
    void deviceSelected(const QString& name) override { chosen << name; }
    void changeDeviceType(int) override {}
    QStringList chosen;
};

// A sheet shown over a host view of 375 x 667.
class SheetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(375, 667);
        sheet = DeviceSelector::deviceSelectorWithDelegate(&recorder);
        sheet->deviceDiscovered("MPOS-A");
        sheet->showInView(&host);
        clock->advance(DeviceSelector::kShowMs);
    }
    void TearDown() override { delete sheet.data(); }
    ScopedManualClock clock;
    QWidget host;
    ChoiceRecorder recorder;
    QPointer<DeviceSelector> sheet;
};

} // namespace

TEST_F(SheetFixture, ShowingTwiceAnimatesOnce) {
    EXPECT_EQ(sheet->view()->y(), 0);
    sheet->showInView(&host);
    EXPECT_EQ(sheet->showAnimations(), 1);
}

TEST_F(SheetFixture, ADragReturnsOrGoesByDistanceAndSpeed) {
    const double h = sheet->containerHeight();
    struct Case {
        const char* name;
        double translation;
        double velocity;
        bool goes;
    } cases[] = {
        {"40 % slowly returns", 0.4 * h, 0, false},
        {"60 % goes", 0.6 * h, 0, true},
        {"exactly half goes", 0.5 * h, 0, true},
        {"short drag, fast flick down goes", 0.1 * h, 150, true},
        {"long drag, fast flick up returns", 0.8 * h, -150, false},
        {"speed of exactly 100 leaves it to the distance", 0.4 * h, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sheet->setDelegate(&recorder);
        sheet->showInView(&host);
        clock->advance(DeviceSelector::kShowMs);
        sheet->pannedView(DeviceSelector::PanState::Began, 0, 0);
        sheet->pannedView(DeviceSelector::PanState::Changed, -40, 0);
        EXPECT_EQ(sheet->view()->y(), 0); // never above rest
        sheet->pannedView(DeviceSelector::PanState::Changed, c.translation, 0);
        sheet->pannedView(DeviceSelector::PanState::Ended, c.translation, c.velocity);
        clock->advance(DeviceSelector::kReturnMs);
        EXPECT_EQ(sheet->view()->parentWidget() == nullptr, c.goes);
        EXPECT_EQ(sheet->delegate() == nullptr, c.goes);
        if (!c.goes) {
            EXPECT_EQ(sheet->view()->y(), 0);
        }
    }
}

TEST_F(SheetFixture, ListingAndChoosing) {
    sheet->deviceDiscovered("MPOS-A");
    sheet->deviceDiscovered("MPOS-B");
    EXPECT_EQ(sheet->devices(), (QStringList{"MPOS-A", "MPOS-B"}));
    sheet->selectedDevice(QString("MPOS-C"));
    EXPECT_EQ(sheet->devices().last(), "MPOS-C");
    EXPECT_EQ(sheet->selected(), "MPOS-C");
    auto* table = sheet->outlet<QListWidget>("tableView");
    ASSERT_EQ(table->count(), 3);
    sheet->selectRow(1);
    EXPECT_EQ(recorder.chosen, QStringList{"MPOS-B"});
    // The sheet stays until its delegate puts it away.
    EXPECT_EQ(sheet->view()->parentWidget(), &host);
    sheet->selectedDevice(std::nullopt);
    EXPECT_EQ(sheet->devices().size(), 3);
}

TEST_F(DeviceFixture, ReaderButtonShowsTheSheetWithTheScreenAsDelegateEachTime) {
    DeviceController* screen = open(swipedSale(5));
    screen->selectReaderTouched();
    settle();
    DeviceSelector* sheet = screen->selectorSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->delegate(), static_cast<DeviceSelectorDelegate*>(screen));
    shoot("reader_picker");
    // Dragged away: no delegate; the next show gives it back.
    sheet->pannedView(DeviceSelector::PanState::Ended, sheet->containerHeight(), 0);
    settle();
    EXPECT_EQ(sheet->delegate(), nullptr);
    screen->selectReaderTouched();
    EXPECT_EQ(screen->selectorSheet(), sheet);
    EXPECT_EQ(sheet->delegate(), static_cast<DeviceSelectorDelegate*>(screen));
    // Not while a card is processed; a card event puts the sheet away.
    screen->processingCard();
    EXPECT_EQ(screen->selectorSheet(), nullptr);
    screen->selectReaderTouched();
    EXPECT_EQ(screen->selectorSheet(), nullptr);
}
