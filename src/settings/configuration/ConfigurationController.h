#pragma once

#include "SDK/session/SessionTimer.h"
#include "api/APIControllerDelegate.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ViewController.h"
#include "reader/SettingsScreen.h"
#include "ui_kit/ImageDownloader.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariantMap>

class APIController;
class AccountSettings;
class PhotoCropController;
class ImageView;
class LayoutConstraint;
class QAbstractButton;
class QLabel;
class QPushButton;
class QScrollArea;
class SettingsSwitch;
class User;

// The merchant's settings screen: a header with the profile picture, branch name and e-mail
// (and MID), a column of settings rows of which only those the account allows show, packed one
// under the other, and a footer with the SDK version. Rows open sub-screens by segue, flip
// account features on the back end, reset the password, check the password before a PIN
// change and log out.
//
// Outlets by objectName: every view, label, button and switch of a row is named as in the row
// table ("branchView", "branchBackground", "branchIcon", "branchLabel", "branchDesc",
// "branchUsed", "branchButton", ... "logoutButton"); the header's "userPictureContainerView",
// "userPicture", "userPictureButton", "pictureDescription", "userName", "userEmail"; the
// footer's "versionNumber"; "scrollView". Each row's offset and the header and footer rules
// are LayoutConstraint values found with constraint() by identifier ("branchViewConstraint",
// "billTopConstraint", "versionNumberTopConstraint", "viewHeightConstraint",
// "userNameLeadingConstraint", ...). A row's height is its "rowHeight" property (points, may
// hold a fraction), else its widget height. Bar buttons: "menuButton", "doneButton".
//
// The picture button offers a sheet (album, camera where there is one, removal of a picture
// there is); a chosen photo goes through the square crop editor, is scaled to 480 x 480 off the
// main thread and uploaded. The more-information buttons open a paged help card over the
// screen's window ("helpOverlay", card tag 1000, page scroller tag 10, dots tags 101 to 103,
// "helpCloseButton"); a horizontal drag on it turns the page. The card goes with the screen.
class ConfigurationController : public ViewController,
                                public SettingsScreen,
                                public APIControllerDelegate,
                                public SessionTimerDelegate,
                                public ImageDownloaderDelegate {
    Q_OBJECT
    Q_PROPERTY(bool allowPictureChange READ allowPictureChange WRITE setAllowPictureChange)
    Q_PROPERTY(bool allowReaderChange READ allowReaderChange WRITE setAllowReaderChange)
public:
    explicit ConfigurationController(QObject* parent = nullptr);
    ~ConfigurationController() override;

    // Read once, when the view loads.
    bool allowPictureChange() const { return allowPictureChange_; }
    void setAllowPictureChange(bool allow) { allowPictureChange_ = allow; }
    bool allowReaderChange() const { return allowReaderChange_; }
    void setAllowReaderChange(bool allow) { allowReaderChange_ = allow; }

    QString valuesType() const { return valuesType_; }
    bool moreInfoDisplayed() const { return moreInfoDisplayed_; }

    // The rows, in packing order, by the prefix of their outlet names.
    static QStringList rowNames();
    // The row's view ("branch" gives "branchView"); null for an unknown name.
    QWidget* rowView(const QString& row);
    // A layout rule of the screen by identifier; null when none has it.
    LayoutConstraint* constraint(const QString& identifier);
    // The names of the rows shown, in packing order.
    QStringList visibleRows();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewDidLayoutSubviews() override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    // Value labels and switches from the shared settings.
    void resetSettings();
    // Places the shown rows one under the other and sizes the scrolled content.
    void packRows();

    // Row handlers: pressed (grey), press given up (white), released (grey, then the action).
    void buttonSelected(QObject* sender);
    void buttonDeselected(QObject* sender);
    void buttonTouched(QObject* sender);
    // Answer of the PIN alert: index 1 sends the check; every answer whitens the password and
    // PIN rows.
    void alertViewClickedButtonAtIndex(SystemAlert* alert, int index, const QString& password);
    // A switch was flipped by the merchant: sends its request.
    void changeSwitchStatus(QObject* sender);
    void done();
    void revealMenu();

    // Profile picture: the choice sheet, the crop editor's answer, its cancel.
    void changePicture(QObject* sender);
    void imagePickerControllerDidFinishPickingMedia(const QImage& edited);
    void imagePickerControllerDidCancel();
    QImage tempUserPicture() const { return tempUserPicture_; }

    // Help card.
    void moreInfo(QObject* sender);
    void nextPageHelp();
    void previousPageHelp();
    void redrawMoreInfo(bool forward);
    void closeMoreInfo(QObject* sender);
    int helpDicPage() const { return helpDicPage_; }
    QVariantMap helpDic() const { return helpDic_; }
    // The card's container over the window while the card is open or closing.
    QWidget* helpOverlay() const { return helpContainer_; }

    // APIControllerDelegate
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    // APIControllerDelegate and SessionTimerDelegate: the screen closes, once.
    bool sessionExpired() override;
    bool sessionExpiredFromTimer() override { return sessionExpired(); }

    // ImageDownloaderDelegate
    void downloadDidFinishDownloading(ImageDownloader* downloader) override;
    void download(ImageDownloader* downloader, const std::optional<TarvelloError>& error) override;

    SystemAlert* changePinAlert() const { return changePinAlert_; }

protected:
    QWidget* loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row;
    Row* rowForButton(QObject* sender);
    Row* row(const QString& name);
    void buildRow(Row& row, QWidget* column);
    void setRowBackground(Row* row, const QColor& color);
    void hideRow(const QString& name);
    void applyTexts();
    void placeViews();
    void layOutHeader();
    void sendPasswordReset();
    void askPinPassword();
    void showMessage(const QString& message);
    void closeScreen();
    void switchFailed(int functionName, const std::optional<QVariantMap>& reply);
    APIController* newClient();
    void pickPhoto(bool camera);
    void showCropEditor(const QImage& photo);
    void removePicture();
    void pictureReply(const std::optional<QVariantMap>& reply);
    QWidget* buildHelpPage(QWidget* card, int x);
    void setHelpDots();
    void turnHelpPage(bool forward);
    void watchSwipes(QWidget* view);
    void removeHelpCard();

    std::vector<std::unique_ptr<Row>> rows_;
    bool allowPictureChange_ = true;
    bool allowReaderChange_ = true;
    User* user_ = nullptr;
    AccountSettings* settings_ = nullptr;
    QString valuesType_;
    bool moreInfoDisplayed_ = false;
    bool feedbackBeforeRequest_ = false;
    bool pictureDealtWith_ = false;
    bool expiryPending_ = false;
    bool closing_ = false;
    QPointer<SystemAlert> changePinAlert_;
    QImage tempUserPicture_;
    QPointer<PhotoCropController> picker_;
    QVariantMap helpDic_;
    int helpDicPage_ = 0;
    QPointer<QWidget> helpContainer_;
    bool helpHidStatusBar_ = false;
    bool swipesOn_ = false;
    quint64 helpPageAnimation_ = 0;
    std::optional<QPointF> swipeStart_;

    QPointer<QScrollArea> scrollView_;
    QPointer<QWidget> contentView_;
    QPointer<QWidget> headerView_;
    QPointer<QWidget> rowsColumn_;
    QPointer<QWidget> userPictureContainerView_;
    QPointer<ImageView> userPicture_;
    QPointer<QPushButton> userPictureButton_;
    QPointer<QLabel> pictureDescription_;
    QPointer<QLabel> userName_;
    QPointer<QLabel> userEmail_;
    QPointer<QWidget> versionNumberBorder_;
    QPointer<QLabel> versionNumber_;
    LayoutConstraint* viewHeightConstraint_ = nullptr;
    LayoutConstraint* versionNumberTopConstraint_ = nullptr;
    LayoutConstraint* userNameLeadingConstraint_ = nullptr;
    LayoutConstraint* userEmailLeadingConstraint_ = nullptr;
    LayoutConstraint* userEmailBottomConstraint_ = nullptr;
};
