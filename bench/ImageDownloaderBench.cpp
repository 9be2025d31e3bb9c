#include "api/APIConfiguration.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/ImageView.h"
#include "ui_kit/ImageDownloader.h"

#include "sandbox/SandboxServer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

namespace {

// Counts the endings and lets the waiting event loop go on each one.
class EndCounter : public ImageDownloaderDelegate {
public:
    void downloadDidFinishDownloading(ImageDownloader*) override { end(); }
    void download(ImageDownloader*, const std::optional<TarvelloError>&) override {
        ++failed;
        end();
    }
    // Starts the loader and waits, without spinning, until it has ended.
    void runUntilEnded(ImageDownloader& loader) {
        const int target = ended + 1;
        QEventLoop loop;
        loop_ = &loop;
        loader.downloadTheImage();
        if (ended < target)
            loop.exec();
        loop_ = nullptr;
    }
    int ended = 0;
    int failed = 0;

private:
    void end() {
        ++ended;
        if (loop_)
            loop_->quit();
    }
    QEventLoop* loop_ = nullptr;
};

// CPU time of the calling thread, in seconds.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QByteArray photoPng(int side) {
    QImage photo(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            photo.setPixel(x, y, qRgb(x * 255 / side, y * 255 / side, (x ^ y) & 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    return bytes;
}

// A sandbox serving from its own thread, so the main thread's time is the client's alone.
struct PictureServer {
    PictureServer() {
        thread.start();
        server->moveToThread(&thread);
        SandboxServer::Options options;
        options.certificateDirectory = certificates.path();
        QMetaObject::invokeMethod(
            server, [&] { server->start(options); }, Qt::BlockingQueuedConnection);
        configuration->addTrustedCAFile(server->caFile());
        Services::set<APIConfiguration>(configuration);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    }
    ~PictureServer() {
        Services::set<APIConfiguration>(nullptr);
        Services::set<DocumentsFolder>(nullptr);
        QMetaObject::invokeMethod(
            server,
            [this] {
                server->stop();
                delete server;
            },
            Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    QTemporaryDir certificates;
    QTemporaryDir documents;
    QThread thread;
    SandboxServer* server = new SandboxServer(); // lives and dies on `thread`
    std::shared_ptr<APIConfiguration> configuration = std::make_shared<APIConfiguration>();
};

} // namespace

// A picture already in the Documents folder: from the read to the delegate's success.
static void BM_ImageDownloaderCacheHit(benchmark::State& state) {
    QTemporaryDir documents;
    Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    QImage picture(120, 120, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(QDir(documents.path()).filePath("logo.png"), "PNG");
    EndCounter delegate;
    ImageView view;
    for (auto _ : state) {
        ImageDownloader loader;
        loader.setUrlString("https://127.0.0.1:1/images/logo.png");
        loader.setImageView(&view);
        loader.setDelegate(&delegate);
        delegate.runUntilEnded(loader);
    }
    if (delegate.failed)
        state.SkipWithError("a cache hit failed");
    Services::set<DocumentsFolder>(nullptr);
}
BENCHMARK(BM_ImageDownloaderCacheHit)->Unit(benchmark::kMicrosecond);

// The main thread's CPU time for one download of a picture of the given side from the sandbox
// over TLS, decoded and written to the cache (the figure); the wall time is a counter.
static void BM_ImageDownloaderMainThreadShareOfADownload(benchmark::State& state) {
    PictureServer sandbox;
    const QByteArray png = photoPng(int(state.range(0)));
    QMetaObject::invokeMethod(
        sandbox.server,
        [&] { sandbox.server->script("GET", "/images/*", SandboxReply::raw(png, "image/png")); },
        Qt::BlockingQueuedConnection);
    EndCounter delegate;
    ImageView view;
    view.setGeometry(0, 0, 100, 100);
    int round = 0;
    double wall = 0;
    for (auto _ : state) {
        ImageDownloader loader;
        loader.setUrlString(sandbox.server->baseUrl() +
                            QStringLiteral("/images/photo%1.png").arg(++round));
        loader.setImageView(&view);
        loader.setDelegate(&delegate);
        const auto started = std::chrono::steady_clock::now();
        const double cpu = threadSeconds();
        delegate.runUntilEnded(loader);
        state.SetIterationTime(threadSeconds() - cpu);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    if (delegate.failed)
        state.SkipWithError("a download failed");
    state.counters["wall_ms"] =
        benchmark::Counter(wall * 1000 / double(state.iterations()), benchmark::Counter::kDefaults);
    state.counters["body_kB"] = benchmark::Counter(png.size() / 1024.0);
}
BENCHMARK(BM_ImageDownloaderMainThreadShareOfADownload)
    ->Arg(120)
    ->Arg(1024)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
