#include "SDK/login/LoginHelper.h"
#include "SDK/session/CacheHelper.h"
#include "SDK/session/SessionTimer.h"
#include "SDK/session/User.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Values.h"
#include "platform/ui/Clock.h"
#include "support/TestSupport.h"

namespace {

struct RecordingDelegate : SessionTimerDelegate {
    bool answersFromTimer = true;
    bool answersExpired = true;
    int fromTimer = 0;
    int expired = 0;
    bool sessionExpiredFromTimer() override {
        if (answersFromTimer)
            ++fromTimer;
        return answersFromTimer;
    }
    bool sessionExpired() override {
        if (answersExpired)
            ++expired;
        return answersExpired;
    }
};

struct ObjectDelegate : QObject, RecordingDelegate {};

class SessionTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Services::set<Clock>(clock);
        User::instance().reset();
        SessionTimer::instance().resetTimer();
        SessionTimer::instance().setDelegate(nullptr);
    }
    void TearDown() override {
        SessionTimer::instance().removeDelegate(&delegate);
        User::instance().reset();
        SessionTimer::instance().resetTimer();
        Services::set<Clock>(nullptr);
    }
    void logIn(int timeout) {
        User::instance().setIsLoggedIn(true);
        User::instance().setSessionTimeout(timeout);
    }
    TemporaryDefaults defaults;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    RecordingDelegate delegate;
};

TEST_F(SessionTimerTest, ZeroTimeOutNeverExpires) {
    logIn(0);
    SessionTimer::instance().resetTimer();
    EXPECT_FALSE(SessionTimer::instance().isRunning());
    SessionTimer::instance().setDelegate(&delegate);
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.fromTimer + delegate.expired, 0);
    EXPECT_TRUE(User::instance().isLoggedIn());
}

TEST_F(SessionTimerTest, RegisteringWhileNoTimerRunsDeliversAtOnce) {
    logIn(30);
    ASSERT_FALSE(SessionTimer::instance().isRunning());
    SessionTimer::instance().setDelegate(&delegate);
    // Only the timer form is called when the delegate answers both.
    EXPECT_EQ(delegate.fromTimer, 1);
    EXPECT_EQ(delegate.expired, 0);

    delegate.answersFromTimer = false;
    SessionTimer::instance().setDelegate(&delegate);
    EXPECT_EQ(delegate.expired, 1);
    EXPECT_EQ(SessionTimer::instance().delegate(), &delegate);
}

TEST_F(SessionTimerTest, ArmedTimerExpiresAfterTheTimeOut) {
    logIn(90);
    SessionTimer::instance().resetTimer();
    EXPECT_TRUE(SessionTimer::instance().isRunning());
    EXPECT_EQ(SessionTimer::instance().intervalMs(), 90000);
    SessionTimer::instance().setDelegate(&delegate);
    clock->advance(89999);
    EXPECT_EQ(delegate.fromTimer, 0);
    clock->advance(1);
    EXPECT_EQ(delegate.fromTimer, 1);
    EXPECT_FALSE(SessionTimer::instance().isRunning());
    // The delegate stays registered; the next registration is told at once.
    SessionTimer::instance().setDelegate(&delegate);
    EXPECT_EQ(delegate.fromTimer, 2);

    // Re-arming with a time-out that is now 0 stops the timer and arms nothing.
    SessionTimer::instance().resetTimer();
    EXPECT_TRUE(SessionTimer::instance().isRunning());
    User::instance().setSessionTimeout(0);
    SessionTimer::instance().resetTimer();
    EXPECT_FALSE(SessionTimer::instance().isRunning());
    clock->advance(100000);
    EXPECT_EQ(delegate.fromTimer, 2);
}

TEST_F(SessionTimerTest, UnansweredExpiryExpiresTheSession) {
    UserDefaults::standardUserDefaults().setObject(QByteArray("x"), "lastUser");
    logIn(30);
    delegate.answersFromTimer = delegate.answersExpired = false;
    SessionTimer::instance().setDelegate(&delegate);

    EXPECT_TRUE(CacheHelper().isSessionExpired());
    EXPECT_FALSE(User::instance().isLoggedIn());
    EXPECT_EQ(User::instance().sessionTimeout(), 0);
    EXPECT_FALSE(UserDefaults::standardUserDefaults().hasKey("lastUser"));

    // Once logged out, registering delivers nothing.
    delegate.answersFromTimer = true;
    SessionTimer::instance().setDelegate(&delegate);
    EXPECT_EQ(delegate.fromTimer, 0);
}

TEST_F(SessionTimerTest, DestroyedDelegateCountsAsNone) {
    auto* gone = new ObjectDelegate;
    SessionTimer::instance().setDelegate(gone);
    delete gone;
    EXPECT_EQ(SessionTimer::instance().delegate(), nullptr);
    logIn(30);
    SessionTimer::instance().sessionExpired();
    EXPECT_FALSE(User::instance().isLoggedIn());
}

TEST(CacheHelperTest, FlagsInTheStore) {
    TemporaryDefaults defaults;
    CacheHelper cache;
    EXPECT_TRUE(cache.isVirtualAccountVisible());
    EXPECT_TRUE(UserDefaults::standardUserDefaults().hasKey("isVirtualAccountVisible"));
    cache.setVirtualAccountVisible(false);
    EXPECT_FALSE(CacheHelper().isVirtualAccountVisible());

    EXPECT_FALSE(cache.isSessionExpired());
    cache.setSessionExpired();
    EXPECT_TRUE(CacheHelper().isSessionExpired());
    cache.removeSessionExpire();
    EXPECT_FALSE(cache.isSessionExpired());
}

TEST(LoginHelperTest, VersionComparisonIsNumeric) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    };
    const Case cases[] = {{"1.10", "1.9", 1},
                          {"2", "10.1", -1},
                          {"1.9", "1.9", 0},
                          {"1.0.1", "1.0", 1},
                          {"01.2", "1.2", 0},
                          {"1.2a", "1.2b", -1},
                          {"99999999999999999999", "1", 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(LoginHelper::compareVersions(c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(LoginHelper::compareVersions(c.b, c.a), -c.order) << c.b << " vs " << c.a;
    }
}

TEST(LoginHelperTest, OnlyWebAddressesOpenFromTheUpdateAlert) {
    for (const char* url : {"https://example.com/app", "http://store.example/x?id=1"})
        EXPECT_TRUE(LoginHelper::isOpenableUpdateURL(url)) << url;
    for (const char* url : {"file:///etc/passwd", "javascript:alert(1)", "tel:123", "", "<null>",
                            "https://", "ftp://example.com/a"})
        EXPECT_FALSE(LoginHelper::isOpenableUpdateURL(url)) << url;
}

TEST(LoginHelperTest, StoredAnswerEncodingRoundTrips) {
    const QVariantMap answer{{"success", "OK"},
                             {"userId", 42},
                             {"rate", 1.5},
                             {"none", Values::jsonNull()},
                             {"list", QVariantList{1, "a", QVariantMap{{"k", true}}}}};
    const QByteArray data = CacheHelper::encodeAnswer(answer);
    EXPECT_EQ(data, CacheHelper::encodeAnswer(answer));
    const QVariantMap back = CacheHelper::decodeAnswer(data);
    EXPECT_EQ(back.value("userId").toLongLong(), 42);
    EXPECT_EQ(back.value("rate").toDouble(), 1.5);
    EXPECT_TRUE(Values::isJsonNull(back.value("none")));
    EXPECT_EQ(back.value("list").toList().at(2).toMap().value("k"), true);
    EXPECT_TRUE(CacheHelper::decodeAnswer(QByteArray("garbage")).isEmpty());
}

} // namespace
