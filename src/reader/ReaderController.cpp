#include "reader/ReaderController.h"

#include <QCoreApplication>

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/APIControllerDelegate.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/View.h"
#include "reader/DSpreadViewControllerDelegate.h"
#include "reader/ReaderScreens.h"
#include "reader/SettingsScreen.h"
#include "reader/views/ImageOutlet.h"
#include "ui_kit/ScreenRoot.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kReaderCell = QStringLiteral("readerCell");
const QString kHeaderCell = QStringLiteral("headerCell");
const QColor kBarGrey = QColor::fromRgbF(250 / 255.0, 250 / 255.0, 250 / 255.0, 1);

// The save's request to the back end: its answer is not read; the client goes once it ends.
class DroppedAnswer : public QObject, public APIControllerDelegate {
public:
    static void selectReader(const QString& reader, const QString& userId, const QString& token) {
        // Owned by the application until the answer comes, so one still out at exit is freed.
        auto* holder = new DroppedAnswer();
        holder->setParent(QCoreApplication::instance());
        auto* client = new APIController(holder);
        client->setDelegate(holder);
        client->selectReader(reader, userId, token);
    }
    void apiDidFailWithError(const TarvelloError&, int) override { deleteLater(); }
    bool apiDidFinishDownloadingWithDictionary(int, const std::optional<QVariantMap>&) override {
        deleteLater();
        return true;
    }
    bool sessionExpiredWithMessage(const QString&) override {
        deleteLater();
        return false;
    }
};

// The card-reading screen on top of the side-menu container (directly or at the top of its
// navigation stack) sends the sale.
void processSaleOnTopScreen(SlidingViewController* container) {
    ViewController* top = container->topViewController();
    if (auto* navigation = qobject_cast<NavigationController*>(top))
        top = navigation->topViewController();
    if (auto* cardReading = dynamic_cast<DSpreadViewControllerDelegate*>(top))
        cardReading->processSale();
}

QLabel* label(QWidget* parent, qint64 tag, const QString& style) {
    auto* view = new QLabel(parent);
    View::setTag(view, tag);
    view->setStyleSheet(style);
    view->setAlignment(Qt::AlignCenter);
    view->setWordWrap(true);
    return view;
}

} // namespace

ReaderController::ReaderController(QObject* parent)
    : ViewController(parent)
    , availableReaders_(defaultReaders()) {}

QVariantList ReaderController::defaultReaders() {
    struct Model {
        const char* id;
        const char* name;
        const char* description;
    };
    static const Model models[] = {
        {"bluepad", "Lector Pad", "Lector Bluetooth con teclado"},
        {"d180", "Lector Clip", "Se conecta al audio del teléfono"},
        {"vi218", "Lector Compacto", "Chip y banda, sin teclado"},
        {"e265", "Lector Terminal", "Terminal con pantalla y teclado"},
        {"dspread", "Lector Mini", "Chip, banda y sin contacto"},
        {"dspread_pinpad", "Lector Pin", "Chip, banda, sin contacto y PIN"},
        {"magicpos", "Lector Plus", "Lector con impresora"},
    };
    QVariantList readers;
    for (const Model& model : models)
        readers.append(
            QVariantMap{{QStringLiteral("readerId"), QString::fromUtf8(model.id)},
                        {QStringLiteral("name"), QString::fromUtf8(model.name)},
                        {QStringLiteral("description"), QString::fromUtf8(model.description)},
                        {QStringLiteral("picture"),
                         QStringLiteral("reader_model_%1.png").arg(QString::fromUtf8(model.id))}});
    return readers;
}

QWidget* ReaderController::loadView() {
    auto* root = new QWidget();
    auto* column = ScreenRoot::whiteColumn(root);

    readersCollectionView_ = new CollectionView(root);
    readersCollectionView_->setObjectName(QStringLiteral("readersCollectionView"));
    readersCollectionView_->setFrameShape(QFrame::NoFrame);
    readersCollectionView_->setSectionInset(QMargins(8, 8, 8, 8));
    readersCollectionView_->setMinimumInteritemSpacing(8);
    readersCollectionView_->setMinimumLineSpacing(8);
    readersCollectionView_->setHeaderReferenceSize(QSize(0, 84));
    readersCollectionView_->registerCell(kReaderCell, [this] { return makeCell(); });
    readersCollectionView_->registerSupplementaryView(CollectionView::sectionHeaderKind,
                                                      kHeaderCell, [this] { return makeHeader(); });
    readersCollectionView_->setDataSource(this);
    readersCollectionView_->setDelegate(this);
    column->addWidget(readersCollectionView_, 1);

    footerView_ = new QWidget(root);
    footerView_->setObjectName(QStringLiteral("footerView"));
    footerView_->setFixedHeight(footerHeight_);
    View::setBackgroundColor(footerView_, QColor(245, 245, 245));
    auto* footer = new QVBoxLayout(footerView_);
    footer->setContentsMargins(16, 8, 16, 8);
    settingsImageView_ =
        ReaderViews::imageOutlet(footerView_, QStringLiteral("settingsImageView"),
                                 QRect(0, 0, 220, 90), QStringLiteral("readers_settings_hint.png"));
    settingsImageView_->setFixedSize(220, 90);
    footer->addWidget(settingsImageView_, 0, Qt::AlignHCenter);
    footerText_ = new QLabel(footerView_);
    footerText_->setObjectName(QStringLiteral("footerText"));
    footerText_->setAlignment(Qt::AlignCenter);
    footerText_->setWordWrap(true);
    footerText_->setStyleSheet(QStringLiteral("font-size: 13px; color: #666666;"));
    footer->addWidget(footerText_);
    column->addWidget(footerView_);
    return root;
}

QWidget* ReaderController::makeHeader() {
    auto* header = new QWidget();
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(8, 12, 8, 4);
    column->addWidget(
        label(header, 1005, QStringLiteral("font-size: 20px; font-weight: 600; color: #333333;")));
    column->addWidget(label(header, 1006, QStringLiteral("font-size: 14px; color: #666666;")));
    return header;
}

QWidget* ReaderController::makeCell() {
    auto* cell = new QWidget();
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* picture = new ImageView(cell);
    View::setTag(picture, 1000);
    picture->setContentMode(ImageView::ContentMode::Center);
    picture->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    column->addWidget(picture, 1);
    auto* mark = ReaderViews::imageOutlet(picture, QString(), QRect(6, 6, 28, 28),
                                          QStringLiteral("reader_selected_mark.png"));
    View::setTag(mark, 1001);
    column->addWidget(label(cell, 1002, {}));
    auto* description = label(cell, 1003, {});
    column->addWidget(description);
    return cell;
}

void ReaderController::viewDidLoad() {
    placeInFlow();
    user_ = &User::instance();
    settings_ = &AccountSettings::instance();
    if (settings_->cardReaderSelected())
        selectedReader_ = settings_->selectedReaderString();
    else if (!availableReaders_.isEmpty())
        selectedReader_ =
            availableReaders_.first().toMap().value(QStringLiteral("readerId")).toString();
    else
        selectedReader_.clear();
    updateSaveButton();
    readersCollectionView_->reloadData();
}

void ReaderController::placeInFlow() {
    navigationItem()->setHidesBackButton(true);
    NavigationController* navigation = navigationController();
    if (navigation)
        navigation->setNavigationBarHidden(false, false);
    loadedFromSettings_ = false;
    if (navigation) {
        const QList<ViewController*> stack = navigation->viewControllers();
        if (stack.size() > 1 && dynamic_cast<SettingsScreen*>(stack.at(stack.size() - 2)))
            loadedFromSettings_ = true;
    }
    if (loadedFromSettings_) {
        readersCollectionView_->setHeaderReferenceSize(QSize(0, 0));
        View::removeFromSuperview(footerView_);
        footerView_ = nullptr;
        footerText_ = nullptr;
        settingsImageView_ = nullptr;
        navigationItem()->setTitle(
            Language::textForFile(QStringLiteral("Readers"), QStringLiteral("title")));
        navigationItem()->setLeftBarButtonItem(BarButtonItem{
            QStringLiteral("‹"), QStringLiteral("backButton"), [this] { back(); }, QIcon(), true});
        navigationItem()->setRightBarButtonItems({});
    } else {
        footerText_->setText(
            Language::textForFile(QStringLiteral("Readers"), QStringLiteral("footerText")));
        navigationItem()->setLeftBarButtonItems({});
    }
}

void ReaderController::viewDidLayoutSubviews() {
    // A screen under 500 points high has no room for the settings illustration.
    if (smallScreenChecked_ || !view()->isVisible())
        return;
    smallScreenChecked_ = true;
    if (view()->height() < 500) {
        View::removeFromSuperview(settingsImageView_);
        settingsImageView_ = nullptr;
        footerHeight_ = 58;
        if (footerView_)
            footerView_->setFixedHeight(footerHeight_);
    }
}

void ReaderController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    if (NavigationController* navigation = navigationController())
        navigation->navigationBar()->setBarTintColor(kBarGrey);
}

void ReaderController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    if (NavigationController* navigation = navigationController()) {
        navigation->navigationBar()->setTintColor(kBarGrey);
        navigation->navigationBar()->setBarTintColor(QColor());
    }
}

bool ReaderController::hasChoice() const {
    if (selectedReader_.isEmpty())
        return false;
    for (const QVariant& entry : availableReaders_)
        if (entry.toMap().value(QStringLiteral("readerId")).toString() == selectedReader_)
            return true;
    return false;
}

void ReaderController::updateSaveButton() {
    if (loadedFromSettings_)
        return;
    navigationItem()->setRightBarButtonItem(BarButtonItem{
        Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("continue")),
        QStringLiteral("saveButton"), [this] { saveReader(); }, QIcon(), hasChoice()});
}

// ---------------------------------------------------------------- the grid

int ReaderController::collectionViewNumberOfItemsInSection(CollectionView*, int) {
    return int(availableReaders_.size());
}

QWidget*
ReaderController::collectionViewViewForSupplementaryElementOfKind(CollectionView* collection,
                                                                  const QString& kind, IndexPath) {
    QWidget* header = collection->dequeueReusableSupplementaryViewOfKind(kind, kHeaderCell);
    if (!header)
        return nullptr;
    if (auto* title = qobject_cast<QLabel*>(View::viewWithTag(header, 1005)))
        title->setText(
            Language::textForFile(QStringLiteral("Readers"), QStringLiteral("headerTitle")));
    if (auto* description = qobject_cast<QLabel*>(View::viewWithTag(header, 1006)))
        description->setText(
            Language::textForFile(QStringLiteral("Readers"), QStringLiteral("headerDescription")));
    return header;
}

QWidget* ReaderController::collectionViewCellForItemAtIndexPath(CollectionView* collection,
                                                                IndexPath indexPath) {
    QWidget* cell = collection->dequeueReusableCellWithReuseIdentifier(kReaderCell);
    const QVariantMap entry = availableReaders_.value(indexPath.row).toMap();
    const bool chosen = entry.value(QStringLiteral("readerId")).toString() == selectedReader_ &&
                        !selectedReader_.isEmpty();
    const QColor theme = UIKitSupport::mainColor();
    if (auto* picture = qobject_cast<ImageView*>(View::viewWithTag(cell, 1000))) {
        picture->setImageNamed(entry.value(QStringLiteral("picture")).toString());
        View::setBackgroundColor(picture, chosen ? theme : QColor(239, 239, 239));
    }
    View::setHidden(View::viewWithTag(cell, 1001), !chosen);
    if (auto* name = qobject_cast<QLabel*>(View::viewWithTag(cell, 1002))) {
        name->setText(entry.value(QStringLiteral("name")).toString());
        name->setStyleSheet(
            QStringLiteral("font-size: 15px; color: %1;")
                .arg(chosen ? theme.name() : QColor::fromRgbF(0.2f, 0.2f, 0.2f).name()));
    }
    if (auto* description = qobject_cast<QLabel*>(View::viewWithTag(cell, 1003))) {
        description->setText(entry.value(QStringLiteral("description")).toString());
        description->hide();
    }
    return cell;
}

QSize ReaderController::collectionViewSizeForItemAtIndexPath(CollectionView*, IndexPath) {
    const int width = int((view()->width() - 24) / 2.0);
    return QSize(width, width + 60);
}

void ReaderController::collectionViewDidSelectItemAtIndexPath(CollectionView* collection,
                                                              IndexPath indexPath) {
    selectedReader_ =
        availableReaders_.value(indexPath.row).toMap().value(QStringLiteral("readerId")).toString();
    updateSaveButton();
    collection->reloadData();
}

// ---------------------------------------------------------------- saving and leaving

void ReaderController::back() {
    if (loadedFromSettings_ && hasChoice())
        saveReader();
    else
        cancel();
}

void ReaderController::cancel() {
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

void ReaderController::saveReader() {
    if (!hasChoice() || !settings_)
        return; // nothing to record until a reader of the list is chosen
    const int previous = settings_->selectedCardReader();
    const int code = settings_->selectReader(selectedReader_);
    settings_->setSelectedCardReader(code);
    settings_->setCardReaderSelected(true);
    if (loadedFromSettings_ && code == previous) {
        cancel();
        return;
    }
    DroppedAnswer::selectReader(selectedReader_, user_->userId(), user_->token());
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(selectedReader_, QStringLiteral("selectedReader"));
    defaults.synchronize();
    leaveAfterSave();
}

void ReaderController::leaveAfterSave() {
    if (loadedFromSettings_) {
        cancel();
        return;
    }
    NavigationController* navigation = navigationController();
    if (!navigation || navigation->viewControllers().size() <= 1) {
        // Presented on its own.
        ViewController* presented = navigation ? static_cast<ViewController*>(navigation) : this;
        ViewController* presenting = presented->presentingViewController();
        auto* container = qobject_cast<SlidingViewController*>(presenting);
        if (isIpad() && container && fromSaleButton_) {
            QPointer<SlidingViewController> guard(container);
            presented->dismissViewControllerAnimated(true, [guard] {
                if (guard)
                    processSaleOnTopScreen(guard);
            });
            return;
        }
        if (presenting)
            presenting->dismissViewControllerAnimated(true);
        return;
    }
    // Inside a longer flow: on to card reading, and going back from there skips this screen.
    ViewController* cardReading = Storyboard::instantiate(ReaderScreens::cardReading);
    if (!cardReading)
        return;
    navigation->setNavigationBarHidden(false, false);
    QList<BarButtonItem> right = cardReading->navigationItem()->rightBarButtonItems();
    if (!right.isEmpty()) {
        right.first().title = QString();
        cardReading->navigationItem()->setRightBarButtonItems(right);
    }
    navigation->pushViewController(cardReading, true);
    QList<ViewController*> stack = navigation->viewControllers();
    stack.removeAll(this);
    navigation->setViewControllers(stack, false);
}
