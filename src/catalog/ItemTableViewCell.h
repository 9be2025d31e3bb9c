#pragma once

#include "platform/ui/ImageView.h"

#include "model/Discount.h"
#include "model/Item.h"
#include "platform/ui/TableViewCell.h"
#include "ui_kit/ImageDownloader.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <variant>

class Sale;

// What a catalog row shows: a sale line (its product), a product or a discount.
using CatalogRowObject = std::variant<std::monostate, ItemPtr, ProductPtr, DiscountPtr>;

// The catalog row of a product or a discount: picture or letter avatar, main and auxiliary
// texts, price or discount text, and a badge with the units the sale holds (or a check when a
// discount is applied). Display modes 0 to 5 choose what shows. A product picture not yet held
// is loaded by the row's own downloader; filling the row again drops it, so a picture arriving
// late never lands in a row that shows another object by then.
class ItemTableViewCell : public TableViewCell, public ImageDownloaderDelegate {
    Q_OBJECT
public:
    static constexpr int kHeight = 64;
    static constexpr int kAvatarSide = 46;
    enum Accessory { AccessoryNone = 0, AccessoryDisclosureIndicator = 1 };

    explicit ItemTableViewCell(QWidget* parent = nullptr);

    // Fills the row for the object in the mode, counting units in the sale (may be null).
    void prepareCellForItem(const CatalogRowObject& object, int mode, Sale* sale);

    int type() const { return type_; }
    int mode() const { return mode_; }
    ProductPtr product() const { return product_; }
    DiscountPtr discount() const { return discount_; }
    ItemPtr item() const { return item_; }
    Accessory accessoryType() const { return accessory_; }
    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;

    ImageView* itemImageView() const { return itemImageView_; }
    CustomActivitySpinnerView* activityIndicator() const { return activityIndicator_; }
    // The picture download of the row's product, while the row shows it; null otherwise.
    ImageDownloader* imageDownloader() const { return imageDownloader_.get(); }
    QWidget* quantityContainerView() const { return quantityContainerView_; }
    QPushButton* quantityButton() const { return quantityButton_; }
    QLabel* mainLabel() const { return mainLabel_; }
    QLabel* mainAuxLabel() const { return mainAuxLabel_; }
    QLabel* secondaryLabel() const { return secondaryLabel_; }
    QLabel* secondaryAuxLabel() const { return secondaryAuxLabel_; }
    // The bundle image behind the badge ("item_quantity_badge.png" or its "_big" form).
    QString badgeBackgroundName() const { return badgeBackground_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setProductInformation();
    void setDiscountInformation();
    void setInformation();
    void prepareCellForProduct();
    void prepareCellForDiscount();
    void setBadgeBackground(const QString& name);
    void layoutRow();
    // The badge holder white and a discount's disc coloured again, over the marked background.
    void restyleWhenMarked();

    int type_ = 0;
    int mode_ = 0;
    ProductPtr product_;
    DiscountPtr discount_;
    ItemPtr item_;
    Sale* totalSale_ = nullptr;
    QString mainString_;
    QString mainAuxString_;
    QString secondaryString_;
    QString secondaryAuxString_;
    QString badgeBackground_;
    Accessory accessory_ = AccessoryNone;
    QPointer<ImageView> itemImageView_;
    QPointer<CustomActivitySpinnerView> activityIndicator_;
    std::unique_ptr<ImageDownloader> imageDownloader_;
    QPointer<QWidget> quantityContainerView_;
    QPointer<QLabel> quantityBackground_;
    QPointer<QPushButton> quantityButton_;
    QPointer<QLabel> mainLabel_;
    QPointer<QLabel> mainAuxLabel_;
    QPointer<QLabel> secondaryLabel_;
    QPointer<QLabel> secondaryAuxLabel_;
    QPointer<QLabel> accessoryView_;
};
