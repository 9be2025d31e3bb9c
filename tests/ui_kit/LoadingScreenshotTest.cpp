#include "platform/ui/Clock.h"
#include "platform/ui/Window.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
// Screenshots go into the build folder, beside bin/, for a person to look at.
QString screenshotPath(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots"));
    return dir.filePath(QStringLiteral("screenshots/") + name);
}
} // namespace

TEST(LoadingScreenshots, OverlayAndMessageBoxAreWrittenToPNG) {
    ScopedManualClock clock;
    Window window;
    auto* screen = new ViewController();
    auto* column = new QVBoxLayout(screen->view());
    column->addWidget(new QLabel("Total $ 1,250.00"));
    window.setRootViewController(screen);
    window.widget()->resize(375, 667);
    window.makeKeyAndVisible();

    screen->displayLoadingIndicatorWithText("Cargando...");
    clock->advance(ActivityIndicator::kFadeMs + 850); // overlay in place, spinner mid-turn
    const QString overlayFile = screenshotPath("loading_overlay.png");
    ASSERT_TRUE(window.widget()->grab().save(overlayFile));
    screen->hideLoadingIndicatorAnimated(false);

    auto* box =
        AlertController::alertControllerWithTitle("Error", "No pudimos conectar con el servidor.");
    box->setAlertType(AlertController::AlertTypeError);
    box->addAction(AlertAction::actionWithTitle("Cancelar", 1));
    box->addAction(AlertAction::actionWithTitle("Reintentar", 0));
    screen->presentViewController(box, false);
    box->view()->resize(375, 667);
    box->layoutIfNeeded();
    const QString boxFile = screenshotPath("message_box.png");
    ASSERT_TRUE(box->view()->grab().save(boxFile));

    for (const QString& file : {overlayFile, boxFile}) {
        QImage image(file);
        ASSERT_FALSE(image.isNull()) << file.toStdString();
        EXPECT_GT(image.width(), 300);
    }
}
