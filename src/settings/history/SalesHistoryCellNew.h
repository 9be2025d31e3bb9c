#pragma once

#include "platform/ui/TableViewCell.h"

#include <QPointer>
#include <memory>

class ImageDownloader;
class ImageView;
class LayoutConstraint;
class QLabel;
class Sale;

// One record of the sales history (a sale, refund, cancelled sale or account adjustment): the
// issuer's or cash picture, the amount in the record's currency, what was sold, the time, and a
// badge and colour for refunded, cancelled and refund records. Every record sets every part,
// so a reused cell shows nothing of the one before, not even its late picture.
class SalesHistoryCellNew : public TableViewCell {
    Q_OBJECT
public:
    static inline const QColor kDarkGrey = QColor::fromRgbF(0.2f, 0.2f, 0.2f, 1.0f);
    static inline const QColor kRed = QColor::fromRgbF(0.89f, 0.29f, 0.34f, 1.0f);
    static constexpr float kDescriptionShownPriority = 999;
    static constexpr float kDescriptionHiddenPriority = 1;

    explicit SalesHistoryCellNew(QWidget* parent = nullptr);
    ~SalesHistoryCellNew() override;

    std::shared_ptr<Sale> sale() const { return sale_; }
    void setSale(std::shared_ptr<Sale> sale);
    void setSelected(bool selected, bool animated) override;

    // The symbol of the merchant's currency with this numeric code ("032" and "32" are the
    // same currency); "$" when the merchant has none such.
    static QString currencyFormatForCode(const QString& code);

    ImageView* paymentMethodImage() const { return paymentMethodImage_; }
    QLabel* amountLabel() const { return amountLabel_; }
    QLabel* descriptionLabel() const { return descriptionLabel_; }
    QLabel* dateLabel() const { return dateLabel_; }
    ImageView* transactionStatusImage() const { return transactionStatusImage_; }
    ImageView* refundImage() const { return refundImage_; }
    ImageView* refundCancelledImage() const { return refundCancelledImage_; }
    LayoutConstraint* descriptionConstraint() const { return descriptionConstraint_; }
    // The running picture download, if any.
    ImageDownloader* downloader() const { return downloader_; }

private:
    QString descriptionText() const;
    void loadPicture();
    void showAmount(const QString& text, const QColor& colour);
    void showBadge(const QString& picture);

    std::shared_ptr<Sale> sale_;
    ImageView* paymentMethodImage_ = nullptr;
    QLabel* amountLabel_ = nullptr;
    QLabel* descriptionLabel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    ImageView* transactionStatusImage_ = nullptr;
    ImageView* refundImage_ = nullptr;
    ImageView* refundCancelledImage_ = nullptr;
    LayoutConstraint* descriptionConstraint_ = nullptr;
    QPointer<ImageDownloader> downloader_;
};
