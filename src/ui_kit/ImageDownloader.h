#pragma once

#include "platform/ui/ImageView.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"
#include "ui_kit/ImageConnection.h"

#include <TarvelloSDK/TarvelloError.h>

#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class ImageDownloader;

// Told how a downloader's picture loading ended; both are optional. Success is sent once the
// picture is shown and, for a download, once its file is in the Documents folder.
class ImageDownloaderDelegate {
public:
    virtual ~ImageDownloaderDelegate() = default;
    virtual void downloadDidFinishDownloading(ImageDownloader* downloader) { (void)downloader; }
    // The error is none when the body did not decode as a picture.
    virtual void download(ImageDownloader* downloader, const std::optional<TarvelloError>& error) {
        (void)downloader;
        (void)error;
    }
};

// Loads one remote picture for one image view: a spinner in the view while it loads, the picture
// kept as a PNG file in the Documents folder (named by DocumentsFolder::pictureFileNameForURL)
// and taken from there on later loads, the delegate told of the outcome. Main thread only;
// decoding, encoding and the file work run on a worker. Destroying the downloader cancels its
// download and nothing more is reported. The views are not owned and may go at any time.
class ImageDownloader : public QObject, public ImageConnectionDelegate {
    Q_OBJECT
public:
    static inline const QString kErrorDomain = QStringLiteral("Image donwloader error domain");
    static constexpr qint64 kConnectionErrorCode = 1000;
    static inline const QString kStatusErrorDomain = QStringLiteral("myDomain");
    static constexpr qint64 kStatusErrorCode = 1001;
    static constexpr int kPlaceholderSide = 68;
    static constexpr int kSpinnerFrames = 100;
    static constexpr int kSpinnerCycleMs = 3000;

    explicit ImageDownloader(QObject* parent = nullptr);
    ~ImageDownloader() override;

    QString urlString() const { return urlString_; }
    void setUrlString(const QString& url) { urlString_ = url; }
    // The last path component of urlString, percent-decoded.
    QString filename() const;

    // The loaded picture. When none is loaded and nothing is loading, starts loading first; the
    // picture then arrives through the delegate and the image view, also from the cache file.
    QImage image();
    void setImage(const QImage& image) { image_ = image; }

    ImageView* imageView() const { return imageView_; }
    void setImageView(ImageView* view);
    CustomActivitySpinnerView* activityView() const { return activityView_; }
    void setActivityView(CustomActivitySpinnerView* view) { activityView_ = view; }
    QLabel* borderView() const { return borderView_; }
    void setBorderView(QLabel* view) { borderView_ = view; }
    QString imageIndex() const { return imageIndex_; }
    void setImageIndex(const QString& index) { imageIndex_ = index; }
    ImageDownloaderDelegate* delegate() const { return delegate_; }
    void setDelegate(ImageDownloaderDelegate* delegate) { delegate_ = delegate; }

    // The body received so far; none before a download and after a successful one.
    const std::optional<QByteArray>& receivedData() const { return receivedData_; }
    QDateTime startLoadingAt() const { return startLoadingAt_; }
    void setStartLoadingAt(const QDateTime& at) { startLoadingAt_ = at; }
    bool downloading() const { return downloading_; }
    void setDownloading(bool downloading) { downloading_ = downloading; }
    bool storeImageOnDocumentsFolder() const { return storeImageOnDocumentsFolder_; }
    void setStoreImageOnDocumentsFolder(bool store) { storeImageOnDocumentsFolder_ = store; }
    bool autoLoading() const { return autoLoading_; }
    void setAutoLoading(bool on) { autoLoading_ = on; }
    QRect originalFrame() const { return originalFrame_; }
    void setOriginalFrame(const QRect& frame) { originalFrame_ = frame; }
    QImage originalImage() const { return originalImage_; }
    void setOriginalImage(const QImage& image) { originalImage_ = image; }

    // Stops the caller's spinner, then loads urlString: from its cache file when there is one
    // that decodes (a file that does not decode is deleted and the picture downloaded), else
    // from the network. Does not look at downloading.
    void downloadTheImage();
    // Orders by filename.
    int compare(const ImageDownloader& other) const;

    // The connection's events.
    void connectionDidReceiveResponse(int statusCode) override;
    void connectionDidReceiveData(const QByteArray& bytes) override;
    void connectionDidFailWithError(const TarvelloError& error) override;
    void connectionDidFinishLoading() override;

    // The spinner frames, recoloured grey 0.7 once per process; frames missing from the bundle
    // are left out.
    static const QList<QImage>& placeholderFrames();

private:
    void startNetworkDownload(const std::optional<QString>& cachePath);
    void putUpPlaceholder();
    // Stops the placeholder's frames on the frame they show.
    void stopPlaceholder();
    // The failure steps: the view back as it was, then the delegate (unless not reporting).
    void fail(const std::optional<TarvelloError>& error, bool report = true);
    void succeed(const QImage& image);
    void showImage(const QImage& image);
    void showBorder(bool shown);

    QString urlString_;
    QImage image_;
    QPointer<ImageView> imageView_;
    QPointer<CustomActivitySpinnerView> activityView_;
    QPointer<QLabel> borderView_;
    QString imageIndex_;
    ImageDownloaderDelegate* delegate_ = nullptr;
    std::optional<QByteArray> receivedData_;
    QDateTime startLoadingAt_;
    bool downloading_ = false;
    bool storeImageOnDocumentsFolder_ = true;
    bool autoLoading_ = true;
    QRect originalFrame_;
    QImage originalImage_;

    // The view that got the placeholder, while it shows it.
    QPointer<ImageView> placeholderView_;
    bool placeholderPut_ = false;
    std::unique_ptr<ImageConnection> connection_;
    std::optional<QString> cachePath_;
    // A cache lookup or a decode is running on the worker.
    bool working_ = false;
    // Tells the worker results of an earlier load apart from the current one.
    quint64 generation_ = 0;
};
