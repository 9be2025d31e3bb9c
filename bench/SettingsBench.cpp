#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/PNGEncoding.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"
#include "settings/SettingsScreens.h"
#include "settings/configuration/ConfigurationController.h"

#include <QCoreApplication>
#include <QImage>
#include <benchmark/benchmark.h>

// The settings screen made, loaded and shown for the first time in a window of its own, with
// the rows of a merchant with branches, feedback and bank data.
static void BM_SettingsLoadAndFirstAppearance(benchmark::State& state) {
    SettingsScreens::registerScreens();
    User::instance().setBranches({QVariantMap{{"id", 1}}, QVariantMap{{"id", 2}}});
    User::instance().setBranchName(QStringLiteral("Centro"));
    AccountSettings::instance().setFeedbackSwitchEnabled(true);
    AccountSettings::instance().setBankInfo({{QStringLiteral("cbu"), QStringLiteral("0170")}});
    for (auto _ : state) {
        Window window;
        auto* screen = Storyboard::instantiate(SettingsScreens::configurationMain);
        window.setRootViewController(new NavigationController(screen));
        window.widget()->resize(375, 667);
        window.makeKeyAndVisible();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(screen->view());
    }
    User::instance().reset();
    AccountSettings::instance().reset();
}
BENCHMARK(BM_SettingsLoadAndFirstAppearance)->Unit(benchmark::kMillisecond);

// The picture step for a 12-megapixel photo: the centred square cut out, redrawn at 480 x 480
// and encoded as PNG (the work done off the main thread before the upload).
static void BM_PictureStep12Megapixel(benchmark::State& state) {
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x + y) % 256);
    }
    for (auto _ : state) {
        const QImage square = photo.copy(500, 0, 3000, 3000);
        const QImage scaled =
            square.scaled(480, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(PNGEncoding::encode(scaled));
    }
}
BENCHMARK(BM_PictureStep12Megapixel)->Unit(benchmark::kMillisecond);
