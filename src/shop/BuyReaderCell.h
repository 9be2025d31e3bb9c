#pragma once

#include "platform/ui/TableViewCell.h"
#include "ui_kit/ImageDownloader.h"

#include <QPointer>
#include <QVariantMap>
#include <memory>

class BuyReaderStartController;
#include "platform/ui/ImageView.h"
#include <QLabel>
#include <QPushButton>

// One reader on sale: picture, name, short description, price, the check button and, while
// chosen, the quantity button.
class BuyReaderCell : public TableViewCell, public ImageDownloaderDelegate {
    Q_OBJECT
public:
    explicit BuyReaderCell(QWidget* parent = nullptr);
    ~BuyReaderCell() override;

    BuyReaderStartController* delegate() const { return delegate_; }
    void setDelegate(BuyReaderStartController* delegate) { delegate_ = delegate; }
    QVariantMap device() const { return device_; }
    void setDevice(const QVariantMap& device);
    int deviceIndex() const { return deviceIndex_; }
    void setDeviceIndex(int index) { deviceIndex_ = index; }
    // The quantity shown on the quantity button.
    void setAmount(int amount);
    ImageView* devicePicture() const { return devicePicture_; }

    void setSelected(bool selected, bool animated) override;
    void downloadDidFinishDownloading(ImageDownloader* downloader) override;

    // The price as shown: no decimals for a whole number, else two; "," between thousands.
    static QString priceText(double price);

private:
    QPointer<BuyReaderStartController> delegate_;
    QVariantMap device_;
    int deviceIndex_ = 0;
    int amount_ = 0;
    std::unique_ptr<ImageDownloader> downloader_;
    QPointer<ImageView> devicePicture_;
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> descriptionLabel_;
    QPointer<QLabel> currencyLabel_;
    QPointer<QLabel> priceLabel_;
    QPointer<QPushButton> checkmarkButton_;
    QPointer<QPushButton> detailsButton_;
    QPointer<QWidget> amountView_;
    QPointer<QLabel> amountLabel_;
    QPointer<QPushButton> amountButton_;
    QPointer<QLabel> amountButtonLabel_;
};
