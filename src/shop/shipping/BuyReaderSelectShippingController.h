#pragma once

#include "platform/ui/TableView.h"
#include "shop/ShopScreen.h"

#include <QList>
#include <QPointer>
#include <optional>

#include <QLabel>
#include <QPushButton>
#include <QTabBar>

// How the reader reaches the buyer: shipped to the billing or another address, or picked up at
// a courier branch of a chosen province.
class BuyReaderSelectShippingController : public ShopScreen,
                                          public TableViewDataSource,
                                          public TableViewDelegate {
    Q_OBJECT
public:
    enum Segment { Ship = 0, PickUp = 1 };
    explicit BuyReaderSelectShippingController(QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    void changedTab(int segment);
    void goToNext();
    void addAddress();
    void shippingAddressUpdated();
    void loadLocations();
    int selectedPickUpLocation() const { return selectedPickUpLocation_; }
    const std::optional<QVariantList>& pickUpLocationsInState() const { return locations_; }

    // "Mitre 350, 2\nC.P. 5000\nCórdoba. Río Cuarto".
    static QString addressString(const QVariantMap& address);

    int numberOfSectionsInTableView(TableView* table) override;
    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    bool apiDidFinishDownloadingWithDictionary(int functionName,
                                               const std::optional<QVariantMap>& answer) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;

protected:
    QWidget* loadView() override;

private:
    int segment() const;
    void selectSection(int section);
    void updateContinue();
    void searchFailed();

    std::optional<QVariantList> locations_;
    int selectedPickUpLocation_ = 0;
    QList<int> selectedItemByPickUpMethod_{0, 1};
    QPointer<QTabBar> tabs_;
    QPointer<QLabel> chooseLabel_;
    QPointer<TableView> tableView_;
    QPointer<QPushButton> continueButton_;
};
