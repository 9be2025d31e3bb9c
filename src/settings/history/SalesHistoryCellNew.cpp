#include "settings/history/SalesHistoryCellNew.h"

#include "SDK/session/AccountSettings.h"
#include "model/CreditCard.h"
#include "model/Item.h"
#include "model/Product.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/View.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

ImageView* makeImage(QWidget* parent, const char* name, QSize size) {
    auto* view = new ImageView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setFixedSize(size);
    view->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    return view;
}

QLabel* makeLabel(QWidget* parent, const char* name, int pointSize) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

SalesHistoryCellNew::SalesHistoryCellNew(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("SalesHistoryCellNew"));
    View::setBackgroundColor(this, Qt::white);
    setMinimumHeight(64);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(10);
    paymentMethodImage_ = makeImage(this, "paymentMethodImage", QSize(40, 40));
    row->addWidget(paymentMethodImage_);

    auto* middle = new QVBoxLayout();
    middle->setSpacing(2);
    middle->addStretch(1);
    amountLabel_ = makeLabel(this, "amountLabel", 15);
    descriptionLabel_ = makeLabel(this, "descriptionLabel", 12);
    setTextColour(descriptionLabel_, QColor(128, 128, 128));
    middle->addWidget(amountLabel_);
    middle->addWidget(descriptionLabel_);
    middle->addStretch(1);
    row->addLayout(middle, 1);

    auto* side = new QVBoxLayout();
    side->setSpacing(4);
    dateLabel_ = makeLabel(this, "dateLabel", 12);
    dateLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(dateLabel_, QColor(128, 128, 128));
    side->addWidget(dateLabel_);
    auto* badges = new QHBoxLayout();
    badges->setSpacing(4);
    badges->addStretch(1);
    transactionStatusImage_ = makeImage(this, "transactionStatusImage", QSize(12, 12));
    refundCancelledImage_ = makeImage(this, "refundCancelledImage", QSize(20, 20));
    refundCancelledImage_->setImage(UIKitSupport::bundleImage(QStringLiteral("badge_refund.png")));
    refundImage_ = makeImage(this, "refundImage", QSize(20, 20));
    badges->addWidget(transactionStatusImage_);
    badges->addWidget(refundCancelledImage_);
    badges->addWidget(refundImage_);
    side->addLayout(badges);
    row->addLayout(side);

    // The description's place: kept by its priority (999 with a description, 1 without).
    descriptionConstraint_ = LayoutConstraint::addTo(
        this, new LayoutConstraint(descriptionLabel_, LayoutConstraint::Attribute::Top,
                                   amountLabel_, LayoutConstraint::Attribute::Bottom, 1, 2));
    descriptionConstraint_->setIdentifier(QStringLiteral("descriptionConstraint"));
    transactionStatusImage_->setHidden(true);
    refundImage_->setHidden(true);
    refundCancelledImage_->setHidden(true);
}

SalesHistoryCellNew::~SalesHistoryCellNew() {
    delete downloader_.data();
}

QString SalesHistoryCellNew::currencyFormatForCode(const QString& code) {
    bool numeric = false;
    const int number = code.toInt(&numeric);
    for (const QVariant& entry : AccountSettings::instance().currencies()) {
        const QVariantMap currency = entry.toMap();
        const QString candidate = currency.value(QStringLiteral("code")).toString();
        bool candidateNumeric = false;
        const int candidateNumber = candidate.toInt(&candidateNumeric);
        const bool same =
            numeric && candidateNumeric ? number == candidateNumber : candidate == code;
        if (same)
            return currency.value(QStringLiteral("symbol")).toString();
    }
    return QStringLiteral("$");
}

QString SalesHistoryCellNew::descriptionText() const {
    const auto& items = sale_->items();
    if (items.size() == 1) {
        const auto& item = items.front();
        const QString name = item->product() ? item->product()->name() : QString();
        return item->quantity() <= 1
                   ? name
                   : TextFormatter::format(QStringLiteral("%i x %@"), {item->quantity(), name});
    }
    if (items.size() >= 2)
        return TextFormatter::format(QStringLiteral("%d items"), {int(items.size())});
    return QString();
}

void SalesHistoryCellNew::loadPicture() {
    // A download still running for the record shown before must not land on this one.
    delete downloader_.data();
    paymentMethodImage_->setImage(QImage());
    const std::shared_ptr<CreditCard> card = sale_->creditCard();
    const QString address = card ? card->bankImageURL() : QString();
    if (!address.isEmpty()) {
        auto* downloader = new ImageDownloader(this);
        downloader->setUrlString(address);
        downloader->setImageIndex(sale_->saleId());
        downloader->setImageView(paymentMethodImage_);
        downloader_ = downloader;
        downloader->downloadTheImage();
    } else if (sale_->paymentMethodName() == QLatin1String("cash")) {
        paymentMethodImage_->setImage(UIKitSupport::bundleImage(QStringLiteral("t_cash.png")));
    }
}

void SalesHistoryCellNew::showAmount(const QString& text, const QColor& colour) {
    amountLabel_->setText(text);
    setTextColour(amountLabel_, colour);
}

void SalesHistoryCellNew::showBadge(const QString& picture) {
    refundImage_->setImage(UIKitSupport::bundleImage(picture));
    refundImage_->setHidden(false);
}

void SalesHistoryCellNew::setSale(std::shared_ptr<Sale> sale) {
    if (!sale)
        return;
    sale_ = std::move(sale);
    QString description = descriptionText();
    loadPicture();
    transactionStatusImage_->setHidden(true);

    // Numeric codes match whatever their leading zeros.
    const QString symbol = currencyFormatForCode(sale_->currencyCode());
    const std::shared_ptr<Amount> total = sale_->total();
    const QString amount = total ? total->getAmountwithCurrencyFormat(symbol) : QString();
    const QString negative = QStringLiteral("-") + amount;

    const QDateTime when = sale_->date();
    dateLabel_->setText(when.isValid()
                            ? QLocale::c().toString(when.toLocalTime(), QStringLiteral("HH:mm"))
                            : QString());
    refundCancelledImage_->setHidden(true);

    if (sale_->hasRefund()) {
        showAmount(amount, kDarkGrey);
        showBadge(QStringLiteral("badge_salerefunded.png"));
    } else if (sale_->isCanceled()) {
        showAmount(amount, kRed);
        showBadge(QStringLiteral("badge_cancelled.png"));
        refundCancelledImage_->setHidden(!sale_->isRefund());
    } else if (sale_->isRefund()) {
        showAmount(negative, kRed);
        showBadge(QStringLiteral("badge_refund.png"));
    } else if (sale_->type().value_or(QString()) == QLatin1String("ADJUSTMENT_DEBIT")) {
        showAmount(negative, kRed);
        refundImage_->setHidden(true);
        description = QStringLiteral("Ajuste débito");
    } else if (sale_->type().value_or(QString()) == QLatin1String("ADJUSTMENT_CREDIT")) {
        showAmount(amount, kDarkGrey);
        refundImage_->setHidden(true);
        description = QStringLiteral("Ajuste crédito");
    } else {
        showAmount(amount, kDarkGrey);
        refundImage_->setHidden(true);
    }

    descriptionLabel_->setText(description);
    descriptionLabel_->setHidden(description.isEmpty());
    descriptionConstraint_->setPriority(description.isEmpty() ? kDescriptionHiddenPriority
                                                              : kDescriptionShownPriority);
}

void SalesHistoryCellNew::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    const bool closed = sale_ && sale_->isClose();
    QString picture = closed ? QStringLiteral("dot_close") : QStringLiteral("dot_open");
    if (selected)
        picture += QStringLiteral("_inverted");
    transactionStatusImage_->setImage(UIKitSupport::bundleImage(picture + QStringLiteral(".png")));
}
