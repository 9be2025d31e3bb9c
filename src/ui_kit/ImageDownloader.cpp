#include "ui_kit/ImageDownloader.h"

#include "platform/core/DocumentsFolder.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/Worker.h"
#include "platform/ui/View.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"
#include "ui_kit/UIKitSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// What the worker found in the cache file.
struct CachedPicture {
    QImage image;
    bool readable = true; // false when the path is taken by something that is not a file
};

CachedPicture readCachedPicture(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile() || info.isSymLink())
        return {QImage(), false};
    QFile file(path);
    QImage image;
    if (file.open(QIODevice::ReadOnly))
        image = QImage::fromData(file.readAll());
    if (image.isNull())
        QFile::remove(path); // undecodable: fetched again
    return {image, true};
}

// Decodes the body and, when asked, keeps it as PNG at the path; the write is not reported.
QImage decodeAndStore(const QByteArray& body, const std::optional<QString>& path) {
    QImage image = QImage::fromData(body);
    if (image.isNull() || !path)
        return image;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return image;
    QDir().mkpath(QFileInfo(*path).absolutePath());
    QSaveFile file(*path);
    if (file.open(QIODevice::WriteOnly) && file.write(png) == png.size())
        file.commit();
    return image;
}

} // namespace

ImageDownloader::ImageDownloader(QObject* parent)
    : QObject(parent) {}

ImageDownloader::~ImageDownloader() {
    stopPlaceholder();
}

QString ImageDownloader::filename() const {
    return DocumentsFolder::lastPathComponentOfURL(urlString_);
}

QImage ImageDownloader::image() {
    if (image_.isNull() && !downloading_ && !working_)
        downloadTheImage();
    return image_;
}

void ImageDownloader::setImageView(ImageView* view) {
    if (view == imageView_)
        return;
    // A view taken away keeps what it shows; its spinner stops where it is.
    stopPlaceholder();
    imageView_ = view;
}

int ImageDownloader::compare(const ImageDownloader& other) const {
    const int order = filename().compare(other.filename());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

const QList<QImage>& ImageDownloader::placeholderFrames() {
    static const QList<QImage> frames = [] {
        QList<QImage> recoloured;
        const QColor grey = QColor::fromRgbF(0.7f, 0.7f, 0.7f, 1.0f);
        for (int i = 0; i < kSpinnerFrames; ++i) {
            const QImage frame = UIKitSupport::bundleImage(
                QStringLiteral("Spinner_fino_%1.png").arg(i, 2, 10, QLatin1Char('0')));
            if (!frame.isNull())
                recoloured << UIKitSupport::tinted(frame, grey);
        }
        return recoloured;
    }();
    return frames;
}

void ImageDownloader::downloadTheImage() {
    if (activityView_)
        activityView_->stopAnimating();
    if (urlString_.isEmpty())
        return;
    // A load already running gives way to this one.
    ++generation_;
    working_ = false;
    connection_.reset();
    if (placeholderPut_)
        fail(std::nullopt, false);

    std::optional<QString> path;
    if (const auto name = DocumentsFolder::pictureFileNameForURL(urlString_))
        path = DocumentsFolder::pathForFileName(*name);
    if (!path) {
        startNetworkDownload(std::nullopt);
        return;
    }
    working_ = true;
    const quint64 generation = generation_;
    Worker::run([path = *path] { return readCachedPicture(path); },
                [this, generation, path](CachedPicture cached) {
                    if (generation != generation_)
                        return;
                    working_ = false;
                    if (cached.image.isNull()) {
                        startNetworkDownload(cached.readable ? path : std::optional<QString>());
                        return;
                    }
                    showBorder(true);
                    image_ = cached.image;
                    if (imageView_)
                        showImage(image_);
                    if (delegate_)
                        delegate_->downloadDidFinishDownloading(this);
                },
                this);
}

void ImageDownloader::startNetworkDownload(const std::optional<QString>& cachePath) {
    showBorder(false);
    if (autoLoading_)
        putUpPlaceholder();
    const auto factory = Services::get<ImageConnectionFactory>();
    const QUrl url(urlString_);
    connection_ = factory ? factory->connectionWithURL(url, this) : nullptr;
    startLoadingAt_ = QDateTime::currentDateTimeUtc();
    downloading_ = true;
    cachePath_ = cachePath;
    if (connection_) {
        receivedData_ = QByteArray();
        return;
    }
    // No connection for this address: the view goes back as it was.
    fail(TarvelloError{kErrorDomain, kConnectionErrorCode, QString(), nullptr});
}

void ImageDownloader::putUpPlaceholder() {
    ImageView* view = imageView_;
    if (!view)
        return;
    originalFrame_ = View::frame(view);
    originalImage_ = view->image();
    placeholderView_ = view;
    placeholderPut_ = true;
    if (originalFrame_.width() > kPlaceholderSide)
        View::setFrame(view,
                       QRect(originalFrame_.x() + (originalFrame_.width() - kPlaceholderSide) / 2,
                             originalFrame_.y() + (originalFrame_.height() - kPlaceholderSide) / 2,
                             kPlaceholderSide, kPlaceholderSide));
    view->setAnimatedImage(placeholderFrames(), kSpinnerCycleMs);
}

void ImageDownloader::stopPlaceholder() {
    if (placeholderPut_ && placeholderView_ && placeholderView_->isAnimating())
        placeholderView_->setImage(placeholderView_->image());
}

void ImageDownloader::fail(const std::optional<TarvelloError>& error, bool report) {
    const bool placeholderShown = placeholderPut_;
    placeholderPut_ = false;
    // Only the view that got the placeholder, or the view of a load that put none up.
    if (imageView_ && (!placeholderShown || placeholderView_ == imageView_)) {
        if (autoLoading_ && placeholderShown)
            View::setFrame(imageView_, originalFrame_);
        showImage(originalImage_);
    }
    placeholderView_.clear();
    if (report && delegate_)
        delegate_->download(this, error);
}

void ImageDownloader::succeed(const QImage& image) {
    image_ = image;
    showBorder(true);
    if (imageView_ && (!placeholderPut_ || placeholderView_ == imageView_)) {
        if (autoLoading_ && placeholderPut_)
            View::setFrame(imageView_, originalFrame_);
        showImage(image_);
    } else if (imageView_) {
        showImage(image_);
    }
    placeholderPut_ = false;
    placeholderView_.clear();
    receivedData_.reset();
    if (delegate_)
        delegate_->downloadDidFinishDownloading(this);
}

void ImageDownloader::showImage(const QImage& image) {
    imageView_->setImage(image); // a null image empties the view
}

void ImageDownloader::showBorder(bool shown) {
    if (borderView_)
        View::setHidden(borderView_, !shown);
}

void ImageDownloader::connectionDidReceiveResponse(int statusCode) {
    if (statusCode < 400) {
        receivedData_ = QByteArray(); // only the last response's body counts
        return;
    }
    downloading_ = false;
    connection_.reset(); // the body of an error is not read
    fail(TarvelloError{kStatusErrorDomain, kStatusErrorCode,
                       QStringLiteral("Remote URL returned error %1").arg(statusCode), nullptr});
}

void ImageDownloader::connectionDidReceiveData(const QByteArray& bytes) {
    if (receivedData_)
        receivedData_->append(bytes);
}

void ImageDownloader::connectionDidFailWithError(const TarvelloError& error) {
    connection_.reset();
    fail(error);
}

void ImageDownloader::connectionDidFinishLoading() {
    connection_.reset();
    if (!downloading_)
        return;
    working_ = true;
    const quint64 generation = generation_;
    const QByteArray body = receivedData_.value_or(QByteArray());
    const std::optional<QString> path =
        storeImageOnDocumentsFolder_ ? cachePath_ : std::optional<QString>();
    Worker::run([body, path] { return decodeAndStore(body, path); },
                [this, generation](QImage image) {
                    if (generation != generation_)
                        return;
                    working_ = false;
                    if (image.isNull())
                        fail(std::nullopt); // the body stays, and no retry on a read
                    else
                        succeed(image);
                },
                this);
}
