#include "FacadeSupport.h"

#include "platform/core/VersionDispatch.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(VersionDispatch, FixedColoursHaveTheirComponents) {
    const struct {
        QColor colour;
        double grey;
    } cases[] = {
        {VersionDispatch::secondaryColor(), 180.0 / 255.0},
        {VersionDispatch::blackTextColor(), 0.2},
        {VersionDispatch::veryLightGray(), 0.79},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.colour.redF(), c.grey, 1e-4);
        EXPECT_NEAR(c.colour.greenF(), c.grey, 1e-4);
        EXPECT_NEAR(c.colour.blueF(), c.grey, 1e-4);
        EXPECT_NEAR(c.colour.alphaF(), 1.0, 1e-4);
    }
}

TEST_F(FacadeTest, MainColourFollowsTheFacade) {
    EXPECT_FALSE(VersionDispatch::mainColor());
    TarvelloSDK::sharedSDK().startWithAPIKey(QString("k"));
    EXPECT_EQ(VersionDispatch::mainColor(), TarvelloSDK::sharedSDK().mainColor());
    TarvelloSDK::sharedSDK().setMainColor(QColor(Qt::green));
    EXPECT_EQ(VersionDispatch::mainColor(), QColor(Qt::green));
}

TEST(VersionDispatch, InfoBundleGivesTheLibraryFolderAndVersions) {
    const VersionDispatch::InfoBundle& info = VersionDispatch::infoBundle();
    EXPECT_TRUE(QFile::exists(info.bundlePath + "/Files/TarvelloSDKResources.rcc"))
        << info.bundlePath.toStdString();
    EXPECT_FALSE(info.infoDictionary.value("CFBundleShortVersionString").toString().isEmpty());
    EXPECT_FALSE(info.infoDictionary.value("CFBundleVersion").toString().isEmpty());
}

TEST(VersionDispatch, ImagesComeFromTheResourceBundle) {
    ASSERT_TRUE(VersionDispatch::currentBundle());
    for (const char* name : {"menu.png", "btn_menu_badge_1.png", "btn_menu_badge_2.png"})
        EXPECT_FALSE(Bundle::load(name).isNull()) << name;
    EXPECT_TRUE(Bundle::load("missing.png").isNull());
    EXPECT_TRUE(Bundle::load("").isNull());
}

TEST(VersionDispatch, WithoutTheBundleEveryImageIsNullUntilItAppears) {
    const QString shipped =
        VersionDispatch::infoBundle().bundlePath + "/Files/TarvelloSDKResources.rcc";
    QTemporaryDir folder;
    VersionDispatch::setInfoBundlePath(folder.path());
    for (int call = 0; call < 2; ++call) {
        EXPECT_FALSE(VersionDispatch::currentBundle());
        EXPECT_TRUE(Bundle::load("menu.png").isNull());
    }
    // A bundle put in place later is found by the next call.
    QDir(folder.path()).mkpath("Files");
    ASSERT_TRUE(QFile::copy(shipped, folder.path() + "/Files/TarvelloSDKResources.rcc"));
    EXPECT_TRUE(VersionDispatch::currentBundle());
    EXPECT_FALSE(Bundle::load("menu.png").isNull());

    VersionDispatch::setInfoBundlePath(QString());
    EXPECT_TRUE(VersionDispatch::currentBundle());
}

} // namespace
