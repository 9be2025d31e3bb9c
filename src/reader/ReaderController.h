#pragma once

#include "platform/ui/CollectionView.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QVariantList>

class AccountSettings;
class QLabel;
class User;

// The screen on which the merchant says which card-reader model they own: a grid of pictures
// with names, the chosen one marked. Saving records the choice in the settings, with the back
// end and in the user defaults ("selectedReader"), then leaves: back to the settings screen,
// back to the screen that presented it, or on to the card-reading screen.
//
// Outlets by objectName: "readersCollectionView", "footerView", "footerText",
// "settingsImageView". Bar buttons: "backButton" (back) and "saveButton" (saveReader).
class ReaderController : public ViewController,
                         public CollectionViewDataSource,
                         public CollectionViewDelegate {
    Q_OBJECT
public:
    explicit ReaderController(QObject* parent = nullptr);

    // The models on offer, each {"readerId", "name", "description", "picture"}, in display
    // order: every model AccountSettings::selectReader knows.
    static QVariantList defaultReaders();

    QVariantList availableReaders() const { return availableReaders_; }
    void setAvailableReaders(const QVariantList& readers) { availableReaders_ = readers; }
    QString selectedReader() const { return selectedReader_; }
    bool loadedFromSettings() const { return loadedFromSettings_; }
    bool fromSaleButton() const { return fromSaleButton_; }
    void setFromSaleButton(bool value) { fromSaleButton_ = value; }
    // The footer's height (the layout's constraint).
    int footerHeightConstraint() const { return footerHeight_; }
    // A reader of the list is chosen: only then can the choice be saved.
    bool hasChoice() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidLayoutSubviews() override;

    void saveReader();
    void back();
    void cancel();

    int collectionViewNumberOfItemsInSection(CollectionView* collection, int section) override;
    QWidget* collectionViewCellForItemAtIndexPath(CollectionView* collection,
                                                  IndexPath indexPath) override;
    QWidget* collectionViewViewForSupplementaryElementOfKind(CollectionView* collection,
                                                             const QString& kind,
                                                             IndexPath indexPath) override;
    QSize collectionViewSizeForItemAtIndexPath(CollectionView* collection,
                                               IndexPath indexPath) override;
    void collectionViewDidSelectItemAtIndexPath(CollectionView* collection,
                                                IndexPath indexPath) override;

    CollectionView* readersCollectionView() const { return readersCollectionView_; }
    QWidget* footerView() const { return footerView_; }
    QLabel* footerText() const { return footerText_; }
    ImageView* settingsImageView() const { return settingsImageView_; }

protected:
    QWidget* loadView() override;

private:
    void placeInFlow();
    void updateSaveButton();
    void leaveAfterSave();
    QWidget* makeCell();
    QWidget* makeHeader();

    User* user_ = nullptr;
    AccountSettings* settings_ = nullptr;
    QString selectedReader_;
    QVariantList availableReaders_;
    bool loadedFromSettings_ = false;
    bool fromSaleButton_ = false;
    bool smallScreenChecked_ = false;
    int footerHeight_ = 150;
    QPointer<QWidget> footerView_;
    QPointer<CollectionView> readersCollectionView_;
    QPointer<QLabel> footerText_;
    QPointer<ImageView> settingsImageView_;
};
