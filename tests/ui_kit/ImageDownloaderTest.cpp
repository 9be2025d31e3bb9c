#include "ui_kit/ImageDownloader.h"
#include "api/APIConfiguration.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/View.h"
#include "support/SandboxFixture.h"
#include "support/TestSupport.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"
#include "ui_kit/KVRenderer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLoggingCategory>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>

namespace {

// What a downloader told its delegate, in order.
class DownloadRecorder : public ImageDownloaderDelegate {
public:
    void downloadDidFinishDownloading(ImageDownloader*) override { events << "done"; }
    void download(ImageDownloader*, const std::optional<TarvelloError>& error) override {
        events << "fail";
        failure = error;
    }
    bool wait() {
        return waitUntil([this] { return !events.isEmpty(); });
    }
    QStringList events;
    std::optional<TarvelloError> failure;
};

QByteArray pngBytes(const QColor& color) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class ImageDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->addTrustedCAFile(sandbox.caFile());
        Services::set<APIConfiguration>(configuration);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    }
    void TearDown() override {
        Services::set<APIConfiguration>(nullptr);
        Services::set<DocumentsFolder>(nullptr);
    }

    QString picture(const QString& path) const { return sandbox.baseUrl() + path; }
    int pictureRequests() {
        const QList<SandboxRequest> all = sandbox->requests();
        return int(std::count_if(all.begin(), all.end(), [](const SandboxRequest& r) {
            return r.method == "GET" && r.path.startsWith("/images/");
        }));
    }
    QStringList keptFiles() const { return QDir(documents.path()).entryList(QDir::Files); }

    // A downloader of the address for a view, told to record into `recorder`.
    std::unique_ptr<ImageDownloader> downloader(const QString& address, ImageView* view = nullptr) {
        auto made = std::make_unique<ImageDownloader>();
        made->setUrlString(address);
        made->setImageView(view);
        made->setDelegate(&recorder);
        return made;
    }

    SandboxFixture sandbox;
    QTemporaryDir documents;
    DownloadRecorder recorder;
};

TEST_F(ImageDownloaderTest, DownloadsOnceThenServesTheFileWithoutARequest) {
    ImageView view;
    auto first = downloader(picture("/images/logo.png"), &view);
    EXPECT_TRUE(first->image().isNull()); // starts loading
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"done"});
    EXPECT_EQ(first->image().size(), QSize(120, 120));
    EXPECT_EQ(view.image().size(), QSize(120, 120));
    EXPECT_FALSE(first->receivedData().has_value());
    EXPECT_TRUE(first->downloading());
    EXPECT_EQ(keptFiles(), QStringList{"logo.png"});
    EXPECT_EQ(pictureRequests(), 1);

    // Another address with the same last component shares the file; no request, and a file
    // there is used even when this downloader would not write one.
    recorder.events.clear();
    ImageView other;
    auto second = downloader(picture("/images/elsewhere/logo.png"), &other);
    second->setStoreImageOnDocumentsFolder(false);
    second->downloadTheImage();
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"done"});
    EXPECT_EQ(second->image().pixel(60, 60), first->image().pixel(60, 60));
    EXPECT_EQ(other.image().size(), QSize(120, 120));
    EXPECT_FALSE(second->downloading());
    EXPECT_EQ(pictureRequests(), 1);
}

TEST_F(ImageDownloaderTest, AJpegIsKeptAsPngUnderTheServersName) {
    auto loader = downloader(picture("/images/photo.jpg"));
    loader->downloadTheImage();
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"done"}); // no image view: success only
    QFile kept(QDir(documents.path()).filePath("photo.jpg"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().startsWith("\x89PNG\r\n\x1a\n"));
}

TEST_F(ImageDownloaderTest, AnErrorStatusFailsRestoresTheViewAndALaterReadRetries) {
    ImageView view;
    view.setGeometry(10, 20, 100, 100);
    const QImage before = QImage::fromData(pngBytes(Qt::red));
    view.setImage(before);
    auto loader = downloader(picture("/images/missing.gif"), &view);
    loader->downloadTheImage();
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"fail"});
    ASSERT_TRUE(recorder.failure.has_value());
    EXPECT_EQ(recorder.failure->domain, "myDomain");
    EXPECT_EQ(recorder.failure->code, 1001);
    EXPECT_EQ(recorder.failure->description, "Remote URL returned error 404");
    EXPECT_FALSE(loader->downloading());
    EXPECT_EQ(view.geometry(), QRect(10, 20, 100, 100));
    EXPECT_EQ(view.image().pixel(0, 0), before.pixel(0, 0));
    EXPECT_TRUE(keptFiles().isEmpty());

    recorder.events.clear();
    EXPECT_TRUE(loader->image().isNull());
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(pictureRequests(), 2);
}

TEST_F(ImageDownloaderTest, ThePlaceholderSpinsCentredWhileLoadingAndTheBorderWaits) {
    ScopedManualClock clock;
    sandbox->script("GET", "/images/slow.png",
                    SandboxReply::raw(pngBytes(Qt::blue), "image/png").withDelay(400));
    QWidget screen;
    auto* wide = new ImageView(&screen);
    wide->setGeometry(10, 20, 100, 100);
    auto* exact = new ImageView(&screen);
    exact->setGeometry(200, 20, 68, 90);
    auto* border = new QLabel(&screen);
    auto* spinner = new CustomActivitySpinnerView(Qt::black, 20, &screen);
    spinner->startAnimating();

    auto loader = downloader(picture("/images/slow.png"), wide);
    loader->setBorderView(border);
    loader->setActivityView(spinner);
    DownloadRecorder exactRecorder;
    ImageDownloader exactLoader;
    exactLoader.setUrlString(picture("/images/slow.png?exact"));
    exactLoader.setStoreImageOnDocumentsFolder(false);
    exactLoader.setImageView(exact);
    exactLoader.setDelegate(&exactRecorder);

    loader->downloadTheImage();
    exactLoader.downloadTheImage();
    EXPECT_FALSE(spinner->animating()); // the caller's spinner stops at once
    ASSERT_TRUE(waitUntil([&] { return loader->downloading() && exactLoader.downloading(); }));
    EXPECT_EQ(wide->geometry(), QRect(26, 36, 68, 68));
    EXPECT_EQ(loader->originalFrame(), QRect(10, 20, 100, 100));
    EXPECT_EQ(exact->geometry(), QRect(200, 20, 68, 90));
    EXPECT_TRUE(View::isHidden(border));
    ASSERT_EQ(ImageDownloader::placeholderFrames().size(), ImageDownloader::kSpinnerFrames);
    const QImage firstFrame = wide->image();
    EXPECT_EQ(firstFrame.size(), QSize(68, 68));
    clock->advance(1500); // half way round: another frame, recoloured grey 0.7
    const QImage laterFrame = wide->image();
    EXPECT_NE(laterFrame, firstFrame);
    bool grey = false;
    for (int x = 0; x < laterFrame.width() && !grey; ++x)
        for (int y = 0; y < laterFrame.height() && !grey; ++y)
            grey = qAlpha(laterFrame.pixel(x, y)) == 255 &&
                   std::abs(qRed(laterFrame.pixel(x, y)) - 179) <= 1;
    EXPECT_TRUE(grey);

    ASSERT_TRUE(recorder.wait());
    ASSERT_TRUE(exactRecorder.wait());
    EXPECT_EQ(wide->geometry(), QRect(10, 20, 100, 100));
    EXPECT_EQ(wide->image().size(), QSize(30, 20));
    EXPECT_FALSE(View::isHidden(border));
    clock->advance(3000);
    EXPECT_EQ(wide->image().size(), QSize(30, 20)); // the spinner is over
    EXPECT_EQ(clock->pendingCount(), 0);
}

TEST_F(ImageDownloaderTest, WithoutAutoLoadingNoPlaceholderAndAFailureEmptiesTheView) {
    ImageView view;
    view.setGeometry(10, 20, 100, 100);
    view.setImage(QImage::fromData(pngBytes(Qt::red)));
    auto loader = downloader(picture("/images/missing"), &view);
    loader->setAutoLoading(false);
    loader->downloadTheImage();
    ASSERT_TRUE(waitUntil([&] { return loader->downloading() || !recorder.events.isEmpty(); }));
    EXPECT_EQ(view.geometry(), QRect(10, 20, 100, 100));
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(view.geometry(), QRect(10, 20, 100, 100));
    EXPECT_TRUE(view.image().isNull());
}

TEST_F(ImageDownloaderTest, AnUntrustedServerFailsAndNothingIsKept) {
    SandboxServer::Options impostor;
    impostor.foreignCertificate = true;
    SandboxFixture foreign(impostor);
    auto configuration = std::make_shared<APIConfiguration>();
    configuration->addTrustedCAFile(foreign.caFile());
    Services::set<APIConfiguration>(configuration);

    ImageView view;
    view.setGeometry(0, 0, 120, 120);
    auto loader = downloader(foreign.baseUrl() + "/images/logo.png", &view);
    loader->downloadTheImage();
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"fail"});
    ASSERT_TRUE(recorder.failure.has_value());
    EXPECT_EQ(recorder.failure->domain, "Network");
    EXPECT_EQ(recorder.failure->code, int(QNetworkReply::SslHandshakeFailedError));
    EXPECT_EQ(view.geometry(), QRect(0, 0, 120, 120));
    EXPECT_TRUE(loader->image().isNull());
    EXPECT_TRUE(keptFiles().isEmpty());
    EXPECT_TRUE(foreign->requests().isEmpty());
}

TEST_F(ImageDownloaderTest, ServerChosenNamesThatAreNotPlainLoadUncached) {
    sandbox->script("GET", "/*", SandboxReply::raw(pngBytes(Qt::green), "image/png"));
    const QString base = sandbox.baseUrl();
    for (const QString& address :
         {base + "/images/..", base + "/images/", base + "/images/.x", base + "/images/a%2Fb",
          base + "/images/.", base + "/images/0F8A2C1E-7B3D-4E5F-9A0B-1C2D3E4F5A6B"}) {
        SCOPED_TRACE(address.toStdString());
        for (int round = 1; round <= 2; ++round) {
            recorder.events.clear();
            auto loader = downloader(address);
            loader->downloadTheImage();
            ASSERT_TRUE(recorder.wait());
            EXPECT_EQ(recorder.events, QStringList{"done"});
            EXPECT_EQ(loader->image().size(), QSize(30, 20));
        }
        EXPECT_TRUE(QDir(documents.path())
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                        .isEmpty());
    }
    EXPECT_EQ(sandbox->requests().size(), 12); // each loaded twice: nothing came from a file
}

TEST_F(ImageDownloaderTest, AnUndecodableCacheFileIsDeletedAndTheImageDownloadedAgain) {
    QFile broken(QDir(documents.path()).filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    ImageView view;
    auto loader = downloader(picture("/images/broken.png"), &view);
    loader->downloadTheImage();
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"done"});
    EXPECT_EQ(loader->image().size(), QSize(120, 120));
    EXPECT_EQ(pictureRequests(), 1);
    EXPECT_FALSE(QImage(QDir(documents.path()).filePath("broken.png")).isNull());
}

TEST_F(ImageDownloaderTest, ABodyThatIsNoPictureOrARedirectFailsWithoutAnError) {
    sandbox->script("GET", "/images/text.png", SandboxReply::raw("hello", "text/plain"));
    sandbox->script("GET", "/images/moved.png",
                    SandboxReply::raw("", "text/plain", 302)
                        .withHeader("Location", picture("/images/logo.png").toLatin1()));
    for (const char* path : {"/images/text.png", "/images/moved.png"}) {
        SCOPED_TRACE(path);
        recorder.events.clear();
        ImageView view;
        auto loader = downloader(picture(path), &view);
        loader->downloadTheImage();
        ASSERT_TRUE(recorder.wait());
        EXPECT_EQ(recorder.events, QStringList{"fail"});
        EXPECT_FALSE(recorder.failure.has_value());
        EXPECT_TRUE(loader->downloading()); // no retry on a read
        loader->image();
        QCoreApplication::processEvents();
        EXPECT_EQ(recorder.events.size(), 1);
    }
    EXPECT_TRUE(sandbox->requestsTo("/images/logo.png").isEmpty()); // the redirect not followed
    EXPECT_TRUE(keptFiles().isEmpty());
}

TEST_F(ImageDownloaderTest, AConnectionThatCannotBeMadeRestoresTheViewAndStays) {
    ImageView view;
    view.setGeometry(10, 20, 100, 100);
    auto loader = downloader("http://127.0.0.1:9/images/plain.png", &view);
    loader->downloadTheImage();
    ASSERT_TRUE(recorder.wait());
    EXPECT_EQ(recorder.events, QStringList{"fail"});
    ASSERT_TRUE(recorder.failure.has_value());
    EXPECT_EQ(recorder.failure->domain, "Image donwloader error domain");
    EXPECT_EQ(recorder.failure->code, 1000);
    EXPECT_EQ(view.geometry(), QRect(10, 20, 100, 100));
    EXPECT_TRUE(loader->downloading());
    loader->image();
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.events.size(), 1);
}

TEST_F(ImageDownloaderTest, AnEmptyAddressOnlyStopsTheCallersSpinner) {
    CustomActivitySpinnerView spinner(Qt::black);
    spinner.startAnimating();
    auto loader = downloader(QString());
    loader->setActivityView(&spinner);
    EXPECT_TRUE(loader->image().isNull());
    EXPECT_FALSE(spinner.animating());
    EXPECT_FALSE(loader->downloading());
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.events.isEmpty());
    EXPECT_TRUE(sandbox->requests().isEmpty());
}

TEST_F(ImageDownloaderTest, AViewGoneMidDownloadIsNotTouchedAndAGoneDownloaderTellsNothing) {
    sandbox->script("GET", "/images/slow*",
                    SandboxReply::raw(pngBytes(Qt::blue), "image/png").withDelay(300));
    auto* deleted = new ImageView;
    deleted->setGeometry(0, 0, 100, 100);
    ImageView unset;
    unset.setGeometry(0, 0, 100, 100);
    auto first = downloader(picture("/images/slow1.png"), deleted);
    auto second = downloader(picture("/images/slow2.png"), &unset);
    first->downloadTheImage();
    second->downloadTheImage();
    ASSERT_TRUE(waitUntil([&] { return first->downloading() && second->downloading(); }));
    delete deleted;
    second->setImageView(nullptr);
    const QRect placeholder = unset.geometry();
    ASSERT_TRUE(waitUntil([&] { return recorder.events.size() == 2; }));
    EXPECT_EQ(recorder.events, (QStringList{"done", "done"}));
    EXPECT_EQ(unset.geometry(), placeholder);

    recorder.events.clear();
    {
        auto dropped = downloader(picture("/images/slow3.png"));
        dropped->downloadTheImage();
        ASSERT_TRUE(waitUntil([&] { return dropped->downloading(); }));
    }
    ASSERT_TRUE(waitUntil([&] { return sandbox->requestsTo("/images/slow3.png").size() == 1; }));
    waitUntil([] { return false; }, 600);
    EXPECT_TRUE(recorder.events.isEmpty());
}

TEST(KVRenderer, DrawsOnTheMainThreadAlsoForAWorkerThatWaits) {
    std::atomic<bool> done{false};
    std::atomic<bool> onMain{false};
    QImage fromWorker;
    QThreadPool::globalInstance()->start([&] {
        fromWorker = KVRenderer::renderImageWithSize(QSizeF(10, 8), true, [&](QPainter& painter) {
            onMain = QThread::currentThread() == QCoreApplication::instance()->thread();
            painter.fillRect(QRectF(0, 0, 5, 8), Qt::red);
        });
        done = true;
    });
    ASSERT_TRUE(waitUntil([&] { return done.load(); }));
    EXPECT_TRUE(onMain);
    EXPECT_EQ(fromWorker.deviceIndependentSize(), QSizeF(10, 8));
    EXPECT_EQ(fromWorker.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(fromWorker.pixelColor(fromWorker.width() - 1, 0).alpha(), 0);

    const QImage opaque = KVRenderer::renderImageWithSize(QSizeF(4, 4), false, {});
    EXPECT_FALSE(opaque.hasAlphaChannel());
    EXPECT_TRUE(KVRenderer::renderImageWithSize(QSizeF(0, 4), true, {}).isNull());
}

} // namespace
