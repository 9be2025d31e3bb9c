#include "PresenterFixture.h"

#include "SDK/login/SessionCheck.h"

namespace {

class SessionCheckTest : public PresenterFixture {};

struct SilentFlow : LoginHelperDelegate {
    void loginHelperDidFinishLogin(LoginHelper*) override {}
    void loginHelperShouldDisplayLoginUI(LoginHelper*) override {}
};

} // namespace

// Charges, presenters and operations without screens all check the session through one owner;
// each turns a refused token into its own error.
TEST_F(SessionCheckTest, EveryFlowChecksTheSessionThroughTheSameOwner) {
    TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
    const struct {
        const char* name;
        std::function<void(TarvelloSDK::Completion)> start;
        qint64 code;
    } flows[] = {
        {"charge", [&](auto done) { sdk.chargeAmount(12, &host, done); }, 1003},
        {"refund", [&](auto done) { sdk.refundOperationID("5", &host, done); }, 1003},
        {"batches", [&](auto done) { sdk.retrieveBatchInformation(done); }, 1002},
    };
    for (const auto& flow : flows) {
        SCOPED_TRACE(flow.name);
        completions.calls.clear();
        LoginHelper** check = holdSessionChecks();
        *check = nullptr;
        flow.start(completions.completion());
        ASSERT_NE(*check, nullptr);
        ASSERT_NE((*check)->delegate(), nullptr);
        (*check)->delegate()->loginHelperShouldDisplayLoginUI(*check);
        settle();
        ASSERT_EQ(completions.count(), 1);
        EXPECT_EQ(completions.errorCode(), flow.code);
        EXPECT_EQ(sheet(), nullptr);
    }
    EXPECT_TRUE(sandbox->requests().isEmpty()); // no check reached the back end
}

TEST(SessionCheck, ADroppedCheckTellsNobodyAndGoesOnceItHasReturned) {
    SessionCheck::setStarter([](LoginHelper*) {});
    SilentFlow flow;
    auto check = std::make_unique<SessionCheck>(&flow);
    check->start();
    QPointer<LoginHelper> first = check->helper();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->delegate(), &flow);

    // A new check replaces the running one.
    check->start();
    QPointer<LoginHelper> second = check->helper();
    EXPECT_NE(second, first);
    EXPECT_EQ(first->delegate(), nullptr);

    // Dropped or gone with its owner, a helper lives on until its caller has returned.
    check->drop();
    EXPECT_EQ(check->helper(), nullptr);
    EXPECT_EQ(second->delegate(), nullptr);
    check->start();
    QPointer<LoginHelper> third = check->helper();
    check.reset();
    EXPECT_TRUE(first && second && third);
    EXPECT_EQ(third->delegate(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first || second || third);
    SessionCheck::setStarter(nullptr);
}
