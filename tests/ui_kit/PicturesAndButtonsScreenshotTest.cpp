#include "api/APIConfiguration.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/BorderedButton.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/KVRenderer.h"
#include "ui_kit/TVProgressButton.h"
#include "ui_kit/UIKitSupport.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainterPath>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// build/screenshots/ui_kit/<name>, for a person to look at.
QString uiKitScreenshot(const QString& name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cdUp();
    dir.mkpath(QStringLiteral("screenshots/ui_kit"));
    return dir.filePath(QStringLiteral("screenshots/ui_kit/") + name);
}

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString file = uiKitScreenshot(name);
    ASSERT_TRUE(widget.grab().save(file)) << file.toStdString();
    EXPECT_FALSE(QImage(file).isNull());
}

class CountingDownloads : public ImageDownloaderDelegate {
public:
    void downloadDidFinishDownloading(ImageDownloader*) override { ++ended; }
    void download(ImageDownloader*, const std::optional<TarvelloError>&) override { ++ended; }
    int ended = 0;
};

TEST(PicturesScreenshots, AListOfRemotePicturesLoadingAndLoaded) {
    ScopedManualClock clock;
    SandboxFixture sandbox;
    QTemporaryDir documents;
    auto configuration = std::make_shared<APIConfiguration>();
    configuration->addTrustedCAFile(sandbox.caFile());
    Services::set<APIConfiguration>(configuration);
    Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    sandbox->script("GET", "/images/waiting*", SandboxReply::raw("", "image/png").withDelay(5000));

    QWidget screen;
    screen.resize(375, 400);
    View::setBackgroundColor(&screen, Qt::white);
    CountingDownloads delegate;
    std::vector<std::unique_ptr<ImageDownloader>> loaders;
    const QStringList names{"cafe.png", "waiting1.png", "medialunas.jpg", "waiting2.png"};
    for (int row = 0; row < names.size(); ++row) {
        auto* picture = new ImageView(&screen);
        picture->setGeometry(16, 16 + row * 92, 80, 80);
        auto* caption = new QLabel(names[row], &screen);
        caption->setGeometry(112, 16 + row * 92, 240, 80);
        auto loader = std::make_unique<ImageDownloader>();
        loader->setUrlString(sandbox.baseUrl() + "/images/" + names[row]);
        loader->setImageView(picture);
        loader->setDelegate(&delegate);
        loader->downloadTheImage();
        loaders.push_back(std::move(loader));
    }
    ASSERT_TRUE(waitUntil([&] { return delegate.ended == 2 && loaders[3]->downloading(); }));
    clock->advance(900);
    saveScreenshot(screen, "remote_pictures_phone.png");
    Services::set<APIConfiguration>(nullptr);
    Services::set<DocumentsFolder>(nullptr);
}

TEST(PicturesScreenshots, ACardDrawnOffScreen) {
    QWidget screen;
    screen.resize(240, 160);
    View::setBackgroundColor(&screen, QColor(240, 240, 240));
    const QImage card = KVRenderer::renderImageWithSize(QSizeF(200, 120), true, [](QPainter& p) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(10, 10, 180, 100), 8, 8);
        p.setPen(QPen(QColor(255, 0, 0, 90), 4));
        p.drawPath(shape);
        p.fillPath(shape, Qt::white);
    });
    auto* label = new QLabel(&screen);
    label->setGeometry(20, 20, 200, 120);
    label->setPixmap(QPixmap::fromImage(card));
    saveScreenshot(screen, "offscreen_renderer.png");
}

class Finished : public TVProgressButtonDelegate {
public:
    void finishedAnimation() override { done = true; }
    bool done = false;
};

TEST(ButtonsScreenshots, ProgressButtonFromIdleToFinishedOnPhoneAndPad) {
    for (const auto& [device, width] : {std::pair{"phone", 375}, std::pair{"pad", 768}}) {
        ScopedManualClock clock;
        QWidget screen;
        screen.resize(width, 140);
        View::setBackgroundColor(&screen, Qt::white);
        auto* button = new TVProgressButton(QRect(20, 45, width - 40, 50), &screen);
        button->setText("Vincular cuenta");
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, Qt::white);
        button->setPalette(palette);
        button->setBackgroundColor(UIKitSupport::mainColor());
        button->setFillColor(QColor(0, 0, 0, 38));
        Finished finished;
        button->setDelegate(&finished);

        button->setEnabled(false);
        saveScreenshot(screen, QStringLiteral("progress_button_disabled_%1.png").arg(device));
        button->setEnabled(true);
        saveScreenshot(screen, QStringLiteral("progress_button_idle_%1.png").arg(device));
        button->setFillPercentage(0.9, true);
        clock->advance(1000);
        saveScreenshot(screen, QStringLiteral("progress_button_filling_%1.png").arg(device));
        button->setFillPercentage(1.0, false);
        clock->advance(750);
        saveScreenshot(screen, QStringLiteral("progress_button_finishing_%1.png").arg(device));
        clock->advance(1250);
        EXPECT_TRUE(finished.done);
        saveScreenshot(screen, QStringLiteral("progress_button_finished_%1.png").arg(device));
    }
}

TEST(ButtonsScreenshots, BorderedButtonStates) {
    QWidget screen;
    screen.resize(375, 200);
    View::setBackgroundColor(&screen, Qt::white);
    const QStringList titles{"Normal", "Presionado", "Seleccionado", "Invertido"};
    for (int i = 0; i < titles.size(); ++i) {
        auto* button =
            new BorderedButton(QRect(20 + (i % 2) * 175, 30 + (i / 2) * 80, 160, 44), &screen);
        button->setText(titles[i]);
        if (i == 1)
            button->setHighlighted(true);
        if (i == 2)
            button->setSelected(true);
        if (i == 3)
            button->invertedBorder();
    }
    saveScreenshot(screen, "bordered_button_states.png");
}

} // namespace
