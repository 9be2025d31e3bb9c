#include "SDK/session/CacheHelper.h"
#include "SettingsFixture.h"
#include "api/APIController.h"
#include "api/PNGEncoding.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/View.h"
#include "settings/configuration/PhotoCropController.h"
#include "ui_kit/UIKitSupport.h"

#include <QTest>

using namespace settingstest;

namespace {

// The photos the merchant "picks" or "takes".
struct StubPhotos : ImageSource {
    QImage photo;
    bool camera = false;
    int picks = 0;
    int shots = 0;
    void pickImage(QWidget*, std::function<void(const QImage&)> done) override {
        ++picks;
        done(photo);
    }
    bool isCameraAvailable() override { return camera; }
    void takePicture(QWidget*, std::function<void(const QImage&)> done) override {
        ++shots;
        done(photo);
    }
};

// 640 x 360 in three bands: red left of 140, green up to 500, blue from 500. A centred square
// crop is the green band exactly.
QImage bandedPhoto() {
    QImage photo(640, 360, QImage::Format_RGB32);
    for (int x = 0; x < photo.width(); ++x) {
        const QRgb colour = x < 140 ? qRgb(255, 0, 0) : x < 500 ? qRgb(0, 255, 0) : qRgb(0, 0, 255);
        for (int y = 0; y < photo.height(); ++y)
            photo.setPixel(x, y, colour);
    }
    return photo;
}

class PictureChange : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        photos = std::make_shared<StubPhotos>();
        photos->photo = bandedPhoto();
        Services::set<ImageSource>(photos);
        settings = openSettings();
        ASSERT_NE(settings, nullptr);
    }
    void TearDown() override {
        SettingsTest::TearDown();
        Services::set<ImageSource>(nullptr);
    }
    SystemAlert* openSheet() {
        tap("userPictureButton");
        settle();
        SystemAlert* shown = alert();
        return shown && shown->preferredStyle() == SystemAlert::Style::ActionSheet ? shown
                                                                                   : nullptr;
    }
    static QStringList titles(SystemAlert* sheet) {
        QStringList names;
        for (SystemAlertAction* action : sheet->actions())
            names << action->title();
        return names;
    }
    PhotoCropController* editor() const {
        const auto stack = window->presentedViewControllers();
        return stack.isEmpty() ? nullptr : qobject_cast<PhotoCropController*>(stack.last());
    }
    // Opens the crop editor on the album's photo.
    PhotoCropController* pickFromAlbum() {
        SystemAlert* sheet = openSheet();
        if (!sheet || !sheet->tapButtonWithTitle("Seleccionar de mis albums"))
            return nullptr;
        settle();
        return editor();
    }
    QImage uploaded() {
        const auto requests = sent("/subsidiaries/uploadImage.json");
        if (requests.isEmpty() || !requests.last().file("profileImage"))
            return {};
        return QImage::fromData(requests.last().file("profileImage")->content, "PNG");
    }
    bool waitForReply() {
        return waitFor([this] {
            return !sent("/subsidiaries/uploadImage.json").isEmpty() &&
                   !ActivityIndicator::isDisplayingActivityIndicator(settings->view());
        });
    }
    ImageView* picture() { return settings->outlet<ImageView>("userPicture"); }

    std::shared_ptr<StubPhotos> photos;
    QPointer<ConfigurationController> settings;
};

} // namespace

TEST_F(PictureChange, SheetFollowsTheCameraAndThePicture) {
    struct Case {
        bool camera;
        bool hasPicture;
        QString title;
        QStringList actions;
    };
    const Case cases[] = {
        {false, false, "", {"Cancelar", "Seleccionar de mis albums"}},
        {true, false, "", {"Cancelar", "Seleccionar de mis albums", "Tomar fotografía"}},
        {false,
         true,
         "Edita la imagen para identificarte",
         {"Cancelar", "Seleccionar de mis albums", "Eliminar"}},
        {true,
         true,
         "Edita la imagen para identificarte",
         {"Cancelar", "Seleccionar de mis albums", "Tomar fotografía", "Eliminar"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actions.join(", ").toStdString());
        photos->camera = c.camera;
        User::instance().setImage(c.hasPicture ? QImage(8, 8, QImage::Format_RGB32) : QImage());
        SystemAlert* sheet = openSheet();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->title(), c.title);
        EXPECT_EQ(titles(sheet), c.actions);
        sheet->tapButtonWithTitle("Cancelar");
        settle();
        EXPECT_EQ(alert(), nullptr);
    }
    EXPECT_EQ(photos->picks + photos->shots, 0);
    EXPECT_TRUE(sent("/subsidiaries/uploadImage.json").isEmpty());

    // Without the right to upload, the button does nothing.
    AccountSettings::instance().setCanUploadPicture(false);
    settings->changePicture(nullptr);
    settle();
    EXPECT_EQ(alert(), nullptr);
}

TEST_F(PictureChange, PhotoIsCroppedScaledAndSent) {
    UserDefaults& store = UserDefaults::standardUserDefaults();
    ASSERT_TRUE(store.hasKey("lastUser"));
    PhotoCropController* crop = pickFromAlbum();
    ASSERT_NE(crop, nullptr);
    EXPECT_EQ(photos->picks, 1);
    EXPECT_EQ(crop->cropRect(), QRectF(140, 0, 360, 360));
    crop->outlet<QAbstractButton>("chooseButton")->click();
    EXPECT_TRUE(ActivityIndicator::isDisplayingActivityIndicator(settings->view()));
    ASSERT_TRUE(waitForReply());
    settle();
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(alert(), nullptr) << alertMessage().toStdString();

    const SandboxRequest request = sent("/subsidiaries/uploadImage.json").last();
    EXPECT_EQ(request.field("userId"), "17");
    EXPECT_FALSE(request.field("token").isEmpty());
    EXPECT_EQ(request.file("profileImage")->contentType, "image/png");
    const QImage sentImage = uploaded();
    ASSERT_EQ(sentImage.size(), QSize(480, 480));
    for (QPoint at : {QPoint(0, 0), QPoint(479, 0), QPoint(240, 240), QPoint(0, 479)})
        EXPECT_EQ(QColor(sentImage.pixel(at)), QColor(0, 255, 0)) << at.x() << "," << at.y();

    const QString url = User::instance().imageURL();
    EXPECT_TRUE(url.endsWith(".png")) << url.toStdString();
    EXPECT_EQ(User::instance().image().size(), QSize(480, 480));
    EXPECT_EQ(picture()->image().size(), QSize(480, 480));
    EXPECT_EQ(picture()->contentMode(), ImageView::ContentMode::ScaleAspectFill);
    EXPECT_EQ(CacheHelper::decodeAnswer(store.objectForKey("lastUser").toByteArray())
                  .value("profileImageUrl")
                  .toString(),
              url);

    // Dragged to the right as far as it goes: the square starts at the photo's left edge.
    crop = pickFromAlbum();
    ASSERT_NE(crop, nullptr);
    QWidget* area = crop->outlet<QWidget>("cropView");
    const QPoint middle = area->rect().center();
    QTest::mousePress(area, Qt::LeftButton, {}, middle);
    QTest::mouseRelease(area, Qt::LeftButton, {}, middle + QPoint(600, 40));
    EXPECT_EQ(crop->cropRect(), QRectF(0, 0, 360, 360));
    crop->outlet<QAbstractButton>("chooseButton")->click();
    ASSERT_TRUE(waitFor([this] { return sent("/subsidiaries/uploadImage.json").size() == 2; }));
    EXPECT_EQ(QColor(uploaded().pixel(0, 240)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(uploaded().pixel(479, 240)), QColor(0, 255, 0));
}

TEST_F(PictureChange, CancellingSendsNothing) {
    PhotoCropController* crop = pickFromAlbum();
    ASSERT_NE(crop, nullptr);
    crop->outlet<QAbstractButton>("cancelButton")->click();
    settle();
    EXPECT_EQ(editor(), nullptr);

    // A pick given up in the source's own dialog.
    photos->photo = QImage();
    EXPECT_EQ(pickFromAlbum(), nullptr);
    settle();
    EXPECT_TRUE(sent("/subsidiaries/uploadImage.json").isEmpty());
    EXPECT_FALSE(ActivityIndicator::isDisplayingActivityIndicator(settings->view()));
    EXPECT_TRUE(settings->tempUserPicture().isNull());
}

TEST_F(PictureChange, RemovalShowsTheNoPictureImage) {
    struct Case {
        const char* name;
        std::optional<SandboxReply> reply;
        QString url;
    };
    const Case cases[] = {
        {"sandbox", std::nullopt, ""},
        {"address given",
         SandboxReply::json(
             QVariantMap{{"success", "OK"}, {"profileImageUrl", "https://img.example/d.png"}}),
         "https://img.example/d.png"},
        {"no address in the reply", SandboxReply::json(QVariantMap{{"success", "OK"}}), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sandbox->clearRequests();
        if (c.reply)
            sandbox->scriptOnce("POST", SandboxServer::apiPath("/subsidiaries/uploadImage.json"),
                                *c.reply);
        User::instance().setImage(QImage(8, 8, QImage::Format_RGB32));
        User::instance().setImageURL("https://img.example/old.png");
        SystemAlert* sheet = openSheet();
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(sheet->tapButtonWithTitle("Eliminar"));
        ASSERT_TRUE(waitForReply());
        settle();
        const SandboxRequest request = sent("/subsidiaries/uploadImage.json").last();
        EXPECT_EQ(request.field("deleteProfileImage"), "1");
        EXPECT_EQ(request.file("profileImage"), nullptr);
        EXPECT_TRUE(User::instance().image().isNull());
        EXPECT_EQ(User::instance().imageURL(), c.url);
        EXPECT_EQ(picture()->contentMode(), ImageView::ContentMode::Center);
        EXPECT_EQ(picture()->image(), UIKitSupport::bundleImage("confNoPicture.png"));
    }
}

TEST_F(PictureChange, RefusedUploadKeepsThePicture) {
    struct Case {
        const char* name;
        SandboxReply reply;
        QString message;
    };
    const Case cases[] = {
        {"with a message", SandboxReply::failure(400, "Formato no admitido", "INVALID_IMAGE"),
         "Formato no admitido"},
        {"without one", SandboxReply::json(QVariantMap{{"success", "ERROR"}}),
         "Hubo un problema con la imagen ingresada. Por favor intentelo nuevamente."},
    };
    const QImage shown = picture()->image();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sandbox->scriptOnce("POST", SandboxServer::apiPath("/subsidiaries/uploadImage.json"),
                            c.reply);
        PhotoCropController* crop = pickFromAlbum();
        ASSERT_NE(crop, nullptr);
        crop->outlet<QAbstractButton>("chooseButton")->click();
        ASSERT_TRUE(waitForAlert());
        EXPECT_EQ(alertMessage(), c.message);
        alert()->tapButtonWithTitle("OK");
        settle();
        EXPECT_EQ(picture()->image(), shown);
        EXPECT_TRUE(User::instance().image().isNull());
        EXPECT_EQ(User::instance().imageURL(), "");
    }
}

namespace {

class HelpCard : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        settings = openSettings();
        ASSERT_NE(settings, nullptr);
    }
    void open(const QString& button) {
        settings->moreInfo(settings->outlet<QAbstractButton>(button));
    }
    QWidget* card() const {
        return settings->helpOverlay() ? View::viewWithTag(settings->helpOverlay(), 1000) : nullptr;
    }
    QList<QWidget*> pages() const {
        QList<QWidget*> shown;
        for (QWidget* page : card()->findChildren<QWidget*>("helpPage"))
            shown << page;
        return shown;
    }
    // A horizontal drag over the page's text, as a finger would do it.
    void swipe(int dx) {
        QWidget* page = View::viewWithTag(card(), 10);
        QWidget* target = page ? page->findChild<QWidget*>("helpText") : card();
        const QPoint from(130, 10);
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QTest::mouseRelease(target, Qt::LeftButton, {}, from + QPoint(dx, 6));
    }
    int selectedDot() const {
        for (int tag = 101; tag <= 103; ++tag)
            if (QWidget* dot = View::viewWithTag(card(), tag);
                dot && dot->property("selected").toBool())
                return tag;
        return 0;
    }
    QPointer<ConfigurationController> settings;
};

} // namespace

TEST_F(HelpCard, OpensPagesAndCloses) {
    struct Case {
        const char* button;
        QString title;
        QList<int> dots;
        QString firstImage;
    };
    const Case cases[] = {
        {"clientsButton", "Base de clientes", {126, 146, 166}, "setupHelp_buyers1.png"},
        {"catalogButton", "Catálogo de productos", {136, 156}, "setupHelp_catalog1.png"},
        {"tipsMoreInfoButton", "Aceptar propinas", {136, 156}, "setupHelp_tips1.png"},
        {"subusersButton", "Staff de ventas", {126, 146, 166}, "setupHelp_subusers1.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        open(c.button);
        ASSERT_NE(card(), nullptr);
        EXPECT_EQ(card()->geometry(), QRect(10, 10 - 667, 300, 647));
        EXPECT_EQ(card()->findChild<QLabel*>("helpTitle")->text(), c.title);
        EXPECT_EQ(settings->helpDic().value("images").toStringList().value(0), c.firstImage);
        for (int i = 0; i < c.dots.size(); ++i)
            EXPECT_EQ(View::viewWithTag(card(), 101 + i)->geometry(),
                      QRect(c.dots[i], 647 - 18, 8, 8));
        EXPECT_EQ(View::viewWithTag(card(), 101 + int(c.dots.size())), nullptr);

        // Swipes during the fade-in and the slide-in do nothing.
        swipe(-150);
        clock->advance(300);
        EXPECT_TRUE(Application::isStatusBarHidden());
        swipe(-150);
        clock->advance(500);
        EXPECT_EQ(settings->helpDicPage(), 0);
        EXPECT_TRUE(settings->moreInfoDisplayed());
        EXPECT_EQ(card()->geometry(), QRect(10, 10, 300, 647));
        EXPECT_EQ(selectedDot(), 101);

        // Forward to the last page and past it, then back past the first.
        const int last = int(c.dots.size()) - 1;
        for (int page = 1; page <= last; ++page) {
            swipe(-150);
            EXPECT_EQ(selectedDot(), 101 + page);
            clock->advance(500);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_EQ(pages().size(), 1);
            EXPECT_EQ(pages().first()->x(), 10);
        }
        swipe(-150);
        EXPECT_EQ(settings->helpDicPage(), last);
        EXPECT_EQ(pages().size(), 1);
        swipe(20); // too short to count
        EXPECT_EQ(settings->helpDicPage(), last);
        for (int page = last - 1; page >= 0; --page) {
            swipe(150);
            clock->advance(500);
        }
        swipe(150);
        EXPECT_EQ(settings->helpDicPage(), 0);
        EXPECT_EQ(selectedDot(), 101);

        // A second card does not open over the first.
        QPointer<QWidget> overlay = settings->helpOverlay();
        open("catalogButton");
        EXPECT_EQ(settings->helpOverlay(), overlay);

        card()->findChild<QAbstractButton*>("helpCloseButton")->click();
        EXPECT_FALSE(Application::isStatusBarHidden());
        clock->advance(200);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(overlay.isNull());
        EXPECT_FALSE(settings->moreInfoDisplayed());
    }

    // Reopened after paging: page 0, first dot.
    open("clientsButton");
    clock->advance(800);
    swipe(-150);
    clock->advance(500);
    settings->closeMoreInfo(nullptr);
    clock->advance(200);
    open("clientsButton");
    EXPECT_EQ(settings->helpDicPage(), 0);
    EXPECT_EQ(selectedDot(), 101);
}

TEST_F(HelpCard, GoesWithTheScreen) {
    open("clientsButton");
    clock->advance(800);
    ASSERT_TRUE(Application::isStatusBarHidden());
    QPointer<QWidget> overlay = settings->helpOverlay();
    settings->sessionExpired();
    EXPECT_TRUE(overlay.isNull());
    EXPECT_FALSE(Application::isStatusBarHidden());
    settle();
    EXPECT_TRUE(settings.isNull());
}

TEST(PictureEncoding, BytesEncodedAheadGoOutOnce) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QImage other(4, 4, QImage::Format_RGB32);
    other.fill(Qt::red);
    PNGEncoding::keep(picture, "ahead");
    const QImage sameImage = picture; // a copy shares the pixels
    EXPECT_EQ(PNGEncoding::take(other), std::nullopt);
    const auto first = APIController::bodyFromDictionary({{"profileImage", sameImage}});
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(first->contains("\r\n\r\nahead\r\n"));
    // Taken once: the next body encodes the image itself.
    const auto second = APIController::bodyFromDictionary({{"profileImage", picture}});
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(second->contains("ahead"));
    EXPECT_TRUE(second->contains("\x89PNG"));
}
