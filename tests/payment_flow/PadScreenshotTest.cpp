#include "PaymentFlowFixture.h"

#include "payment/flow/InstallmentsPickerController.h"
#include "platform/ui/TableView.h"

// The payment-method screen and the plan picker on a pad.
class PadFlowTest : public PaymentFlowTest {
protected:
    PadFlowTest() { standIns_ = {{"Payment", "Device"}}; }
    void SetUp() override {
        PaymentFlowTest::SetUp();
        Device::current().setIdiom(Device::Idiom::Pad);
        host.resize(768, 1024);
    }
    void TearDown() override {
        PaymentFlowTest::TearDown();
        Device::current().setIdiom(Device::Idiom::Phone);
    }
};

TEST_F(PadFlowTest, PaymentMethodsAndPlanPickerScreenshots) {
    PickPaymentMethodController* screen = charge(1000);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(rowTitles(screen).contains("Banco Sur"));
    ASSERT_TRUE(
        sheet()->view()->window()->grab().save(flowScreenshotPath("pick_payment_method_pad.png")));

    ASSERT_TRUE(tapRow(screen, "Banco Sur"));
    settle();
    auto* picker = qobject_cast<InstallmentsPickerController*>(sheet()->topViewController());
    ASSERT_NE(picker, nullptr);
    EXPECT_GT(picker->outlet<TableView>("tableView")->numberOfSections(), 1);
    ASSERT_TRUE(
        sheet()->view()->window()->grab().save(flowScreenshotPath("installments_picker_pad.png")));
}
