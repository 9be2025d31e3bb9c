#pragma once

#include "platform/ui/ViewController.h"
#include "ui_kit/ImageDownloader.h"

#include <QPointer>
#include <QVariantMap>
#include <memory>

#include "platform/ui/ImageView.h"
#include <QLabel>
#include <QPushButton>

// The technical sheet of one reader: name, description, picture and specifications; Buy chooses
// the reader in the catalogue below, Done only closes.
class BuyReaderDetailsController : public ViewController, public ImageDownloaderDelegate {
    Q_OBJECT
public:
    explicit BuyReaderDetailsController(QObject* parent = nullptr);
    ~BuyReaderDetailsController() override;

    QVariantMap device() const { return device_; }
    void setDevice(const QVariantMap& device) { device_ = device; }
    int deviceIndex() const { return deviceIndex_; }
    void setDeviceIndex(int index) { deviceIndex_ = index; }
    bool pictureLoaded() const { return pictureLoaded_; }
    // The catalogue row's small picture, where the opening zoom starts; dropped when the sheet
    // is about to go.
    ImageView* presentingDevicePicture() const { return presentingDevicePicture_; }
    void setPresentingDevicePicture(ImageView* picture) { presentingDevicePicture_ = picture; }
    // The zoom is running.
    bool isZooming() const { return zoom_ != 0; }

    static constexpr int kZoomMs = 300;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void done();
    void buy();
    void downloadDidFinishDownloading(ImageDownloader* downloader) override;

protected:
    QWidget* loadView() override;

private:
    void beginZoom();
    void finishZoom();

    QVariantMap device_;
    int deviceIndex_ = 0;
    bool pictureLoaded_ = false;
    std::unique_ptr<ImageDownloader> downloader_;
    QPointer<ImageView> devicePicture_;
    QPointer<ImageView> presentingDevicePicture_;
    QPointer<ImageView> movingPicture_;
    Clock::Handle zoom_ = 0;
};
