#include "settings/configuration/ConfigurationController.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/PNGEncoding.h"
#include "model/values/Amount.h"
#include "platform/core/Logging.h"
#include "platform/core/VersionDispatch.h"
#include "platform/core/Worker.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "settings/configuration/PhotoCropController.h"
#include "settings/configuration/SettingsSwitch.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"
#include "ui_kit/Extensions/Traits.h"
#include "ui_kit/HelpCard.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kHeaderHeight = 170;
constexpr int kPictureSize = 84;
constexpr int kUploadSide = 480;
// Help card: tags and geometry.
constexpr qint64 kHelpCardTag = 1000;
constexpr qint64 kHelpPageTag = 10;
constexpr qint64 kHelpDotTag = 101;
constexpr int kHelpCardWidth = 300;
constexpr int kHelpPageWidth = 280;
constexpr int kHelpFadeInMs = 300;
constexpr int kHelpSlideMs = 500;
constexpr int kHelpFadeOutMs = 200;
// A drag counts as a swipe when it runs this far, more across than up or down.
constexpr double kSwipeDistance = 30;
const QColor kPressedGrey = QColor::fromRgbF(0.8, 0.8, 0.8, 1.0);
const QString kBrand = QStringLiteral("Tarvello");

QString text(const char* section, const char* key) {
    return Language::textForFile(QString::fromLatin1(section), QString::fromLatin1(key));
}

bool isSuccess(const std::optional<QVariantMap>& reply) {
    return reply && reply->value(QStringLiteral("success")).toString() == QLatin1String("OK");
}

// The back end's own message of a refused reply, when it gave one.
QString refusalMessage(const std::optional<QVariantMap>& reply) {
    if (!reply)
        return {};
    return reply->value(QStringLiteral("response"))
        .toMap()
        .value(QStringLiteral("message"))
        .toString()
        .trimmed();
}

bool isSwitchCode(int code) {
    return code == FunctionCode::SetAvailableTip || code == FunctionCode::SetNotAvailableTip ||
           (code >= 35 && code <= 40) || code == FunctionCode::FeedbackAvailability;
}

} // namespace

// One settings row: its outlets by name and the widgets made for them.
struct ConfigurationController::Row {
    QString name;
    QString viewName, backgroundName, iconName, titleName, descName, buttonName, constraintName;
    QString valueName;  // value label
    QString switchName; // on/off switch
    bool templateIcon = false;
    bool moreInfoButton = false; // the button is a small "more information" button
    int height = 60;
    QPointer<QWidget> view;
    QPointer<QWidget> background;
    QPointer<ImageView> icon;
    QPointer<QLabel> title;
    QPointer<QLabel> desc;
    QPointer<QLabel> value;
    QPointer<SettingsSwitch> toggle;
    QPointer<QPushButton> button;
    QPointer<QWidget> separator; // hairline at the row's foot
    LayoutConstraint* offset = nullptr;
};

namespace {

struct RowSpec {
    const char* name;
    const char* view;
    const char* background;
    const char* icon;
    bool templateIcon;
    const char* title;
    const char* desc;
    const char* value;
    const char* toggle;
    const char* button;
    const char* constraint;
    bool moreInfo;
    int height;
};

// The rows in packing order.
const RowSpec kRows[] = {
    {"branch", "branchView", "branchBackground", "branchIcon", true, "branchLabel", "branchDesc",
     "branchUsed", nullptr, "branchButton", "branchViewConstraint", false, 76},
    {"language", "languageView", "languageBackground", "languageIcon", true, "languageTitle",
     "languageDesc", "languageUsed", nullptr, "languageButton", "languageViewConstraint", false,
     76},
    {"tips", "tipsView", "tipsBackground", "tipsIcon", true, "tipsTitle", "tipsDescription",
     "tipsEnabled", "tipsSwitch", "tipsButton", "tipsViewConstraint", false, 104},
    {"feedback", "feedbackView", "feedbackBackground", "feedbackIcon", true, "feedbackTitle",
     "feedbackDescription", nullptr, "feedbackSwitch", "feedbackButton", "feedbackViewConstraint",
     false, 64},
    {"discounts", "discountsView", "discountsBackground", "discountsIcon", true, "discountsTitle",
     "discountsDesc", "discountsEnabled", nullptr, "discountButton", "discountViewConstraint",
     false, 76},
    {"clients", "clientsView", nullptr, "clientsIcon", true, "clientsTitle", "clientsDesc", nullptr,
     "clientsSwitch", "clientsButton", "clientViewConstraint", true, 104},
    {"exchange", "exchangeView", "exchangeBackground", "exchangeIcon", true, "exchangeLabel",
     "exchangeDesc", "exchangeUsed", nullptr, "exchangeButton", "exchangeViewConstraint", false,
     76},
    {"catalog", "catalogView", nullptr, "catalogIcon", true, "catalogTitle", "catalogDesc", nullptr,
     "catalogSwitch", "catalogButton", "catalogViewConstraint", true, 104},
    {"subusers", "subusersView", nullptr, "subusersIcon", true, "subusersTitle", "subusersDesc",
     nullptr, "subusersSwitch", "subusersButton", "subusersViewConstraint", true, 104},
    {"readers", "readersView", "readersBackground", "readersIcon", false, "readersLabel",
     "readersDesc", "rederUsed", nullptr, "readersButton", "readersViewConstraint", false, 76},
    {"pin", "pinView", "pinBackground", "pinIcon", true, "pinLabel", "pinDescription", nullptr,
     nullptr, "pinButton", "pinViewConstraint", false, 76},
    {"bank", "bankView", "bankBackground", "bankIcon", true, "bankLabel", nullptr, nullptr, nullptr,
     "bankButton", "bankViewConstraint", false, 56},
    {"bill", "billView", "billBackground", "billIcon", false, "billLabel", "billDescription",
     nullptr, nullptr, "billButton", "billTopConstraint", false, 76},
    {"accountType", "accountTypeView", "accountTypeBackground", "accountTypeIcon", false,
     "accountTypeLabel", "accountTypeDescription", "accountTypeCurrent", nullptr,
     "accountTypeButton", "accountTypeTopConstraint", false, 76},
    {"agreements", "agreementsView", "agreementsBackground", "agreementsIcon", false,
     "agreementsLabel", "agreementsDesc", nullptr, nullptr, "agreementsButton",
     "agreementsTopConstraint", false, 76},
    {"myQr", "myQrView", "myQrBackground", "myQrIcon", false, "myQrLabel", "myQrDesc", nullptr,
     nullptr, "myQrButton", "myQrTopConstraint", false, 76},
    {"cft", "cftView", "cftBackground", "cftIcon", false, "cftLabel", "cftDesc", nullptr, nullptr,
     "cftButton", "cftTopConstraint", false, 76},
    {"changePassword", "changePasswordView", "changePasswordBackground", nullptr, false,
     "changePasswordLabel", nullptr, nullptr, nullptr, "changePasswordButton",
     "changePasswordViewConstraint", false, 56},
    {"logout", "logoutView", "logoutBackground", "logoutIcon", true, "logoutLabel", nullptr,
     nullptr, nullptr, "logoutButton", "logoutViewConstraint", false, 56},
};

QString latin(const char* name) {
    return name ? QString::fromLatin1(name) : QString();
}

// Rows whose press turns them grey, in the order the handlers look for the sender. The CFT row
// is left out of the highlight, the bill, my-QR and CFT rows have no action.
const char* const kHighlightOrder[] = {
    "discounts", "tips",    "language", "changePassword", "pin",         "exchange",   "branch",
    "bank",      "readers", "logout",   "bill",           "accountType", "agreements", "myQr"};
const char* const kActionOrder[] = {"discounts", "tips",     "language",    "changePassword",
                                    "pin",       "exchange", "branch",      "bank",
                                    "readers",   "logout",   "accountType", "agreements"};

} // namespace

ConfigurationController::ConfigurationController(QObject* parent)
    : ViewController(parent) {
    for (const RowSpec& spec : kRows) {
        auto row = std::make_unique<Row>();
        row->name = latin(spec.name);
        row->viewName = latin(spec.view);
        row->backgroundName = latin(spec.background);
        row->iconName = latin(spec.icon);
        row->templateIcon = spec.templateIcon;
        row->titleName = latin(spec.title);
        row->descName = latin(spec.desc);
        row->valueName = latin(spec.value);
        row->switchName = latin(spec.toggle);
        row->buttonName = latin(spec.button);
        row->constraintName = latin(spec.constraint);
        row->moreInfoButton = spec.moreInfo;
        row->height = spec.height;
        rows_.push_back(std::move(row));
    }
}

ConfigurationController::~ConfigurationController() {
    SessionTimer::instance().removeDelegate(this);
    removeHelpCard();
}

QStringList ConfigurationController::rowNames() {
    QStringList names;
    for (const RowSpec& spec : kRows)
        names.append(latin(spec.name));
    return names;
}

ConfigurationController::Row* ConfigurationController::row(const QString& name) {
    for (auto& entry : rows_)
        if (entry->name == name)
            return entry.get();
    return nullptr;
}

QWidget* ConfigurationController::rowView(const QString& name) {
    view();
    Row* entry = row(name);
    return entry ? entry->view.data() : nullptr;
}

LayoutConstraint* ConfigurationController::constraint(const QString& identifier) {
    view();
    for (QWidget* owner : {contentView_.data(), rowsColumn_.data(), headerView_.data()}) {
        if (!owner)
            continue;
        for (LayoutConstraint* rule : LayoutConstraint::constraintsOf(owner))
            if (rule->identifier() == identifier)
                return rule;
    }
    return nullptr;
}

QStringList ConfigurationController::visibleRows() {
    view();
    QStringList names;
    for (auto& entry : rows_)
        if (entry->view && !View::isHidden(entry->view))
            names.append(entry->name);
    return names;
}

// ---------------------------------------------------------------- views

QWidget* ConfigurationController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, QColor(242, 242, 242));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    scrollView_ = new QScrollArea(root);
    scrollView_->setObjectName(QStringLiteral("scrollView"));
    scrollView_->setFrameShape(QFrame::NoFrame);
    scrollView_->setWidgetResizable(false);
    scrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(scrollView_);

    contentView_ = new QWidget();
    contentView_->setObjectName(QStringLiteral("contentView"));
    View::setBackgroundColor(contentView_, QColor(242, 242, 242));
    scrollView_->setWidget(contentView_);
    viewHeightConstraint_ = LayoutConstraint::addTo(
        contentView_,
        new LayoutConstraint(contentView_, LayoutConstraint::Attribute::Height, nullptr,
                             LayoutConstraint::Attribute::NotAnAttribute, 1, 0));
    viewHeightConstraint_->setIdentifier(QStringLiteral("viewHeightConstraint"));

    // Header: picture, branch name, e-mail.
    headerView_ = new QWidget(contentView_);
    headerView_->setObjectName(QStringLiteral("headerView"));
    View::setBackgroundColor(headerView_, Qt::white);
    userPictureContainerView_ = new QWidget(headerView_);
    userPictureContainerView_->setObjectName(QStringLiteral("userPictureContainerView"));
    userPicture_ = new ImageView(userPictureContainerView_);
    userPicture_->setObjectName(QStringLiteral("userPicture"));
    userPicture_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    userPicture_->setGeometry(0, 0, kPictureSize, kPictureSize);
    View::setCornerRadius(userPicture_, kPictureSize / 2.0);
    userPictureButton_ = new QPushButton(userPictureContainerView_);
    userPictureButton_->setObjectName(QStringLiteral("userPictureButton"));
    userPictureButton_->setFlat(true);
    userPictureButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: transparent; border: none; }"));
    userPictureButton_->setGeometry(0, 0, kPictureSize, kPictureSize);
    connect(userPictureButton_, &QPushButton::clicked, this,
            [this] { changePicture(userPictureButton_); });
    userPictureContainerView_->setGeometry(20, 20, kPictureSize, kPictureSize);
    pictureDescription_ = new QLabel(headerView_);
    pictureDescription_->setObjectName(QStringLiteral("pictureDescription"));
    pictureDescription_->setWordWrap(true);
    pictureDescription_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    pictureDescription_->setStyleSheet(QStringLiteral("font-size: 11px; color: #8a8a8a;"));
    userName_ = new QLabel(headerView_);
    userName_->setObjectName(QStringLiteral("userName"));
    userName_->setStyleSheet(QStringLiteral("font-size: 18px; font-weight: 600; color: #333;"));
    userEmail_ = new QLabel(headerView_);
    userEmail_->setObjectName(QStringLiteral("userEmail"));
    userEmail_->setStyleSheet(QStringLiteral("font-size: 13px; color: #666;"));
    userEmail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto addHeaderRule = [this](const char* identifier, double constant) {
        auto* rule = LayoutConstraint::addTo(
            headerView_,
            new LayoutConstraint(headerView_, LayoutConstraint::Attribute::Left, nullptr,
                                 LayoutConstraint::Attribute::NotAnAttribute, 1, constant));
        rule->setIdentifier(QString::fromLatin1(identifier));
        return rule;
    };
    userNameLeadingConstraint_ = addHeaderRule("userNameLeadingConstraint", 124);
    userEmailLeadingConstraint_ = addHeaderRule("userEmailLeadingConstraint", 124);
    userEmailBottomConstraint_ = addHeaderRule("userEmailBottomConstraint", 66);

    // Rows.
    rowsColumn_ = new QWidget(contentView_);
    rowsColumn_->setObjectName(QStringLiteral("rowsColumn"));
    for (auto& entry : rows_)
        buildRow(*entry, rowsColumn_);

    // Footer.
    versionNumberTopConstraint_ = LayoutConstraint::addTo(
        rowsColumn_, new LayoutConstraint(nullptr, LayoutConstraint::Attribute::Top, rowsColumn_,
                                          LayoutConstraint::Attribute::Top, 1, 0));
    versionNumberTopConstraint_->setIdentifier(QStringLiteral("versionNumberTopConstraint"));
    auto* bottomRule = LayoutConstraint::addTo(
        rowsColumn_, new LayoutConstraint(nullptr, LayoutConstraint::Attribute::Bottom,
                                          contentView_, LayoutConstraint::Attribute::Bottom, 1, 0));
    bottomRule->setIdentifier(QStringLiteral("versionNumberBottomConstraint"));
    versionNumberBorder_ = new QWidget(contentView_);
    versionNumberBorder_->setObjectName(QStringLiteral("versionNumberBorder"));
    versionNumberBorder_->setStyleSheet(
        QStringLiteral("#versionNumberBorder { border: 1px solid #cccccc; border-radius: 4px; "
                       "background: #f2f2f2; }"));
    auto* footer = new QHBoxLayout(versionNumberBorder_);
    footer->setContentsMargins(10, 4, 10, 4);
    versionNumber_ = new QLabel(versionNumberBorder_);
    versionNumber_->setObjectName(QStringLiteral("versionNumber"));
    versionNumber_->setStyleSheet(QStringLiteral("font-size: 12px; color: #8a8a8a;"));
    footer->addWidget(versionNumber_);
    return root;
}

void ConfigurationController::buildRow(Row& entry, QWidget* column) {
    auto* rowView = new QWidget(column);
    rowView->setObjectName(entry.viewName);
    rowView->setProperty("rowHeight", double(entry.height));
    rowView->resize(375, entry.height);
    entry.view = rowView;
    auto* grid = new QGridLayout(rowView);
    grid->setContentsMargins(0, 0, 0, 0);
    if (!entry.backgroundName.isEmpty()) {
        entry.background = new QWidget(rowView);
        entry.background->setObjectName(entry.backgroundName);
        View::setBackgroundColor(entry.background, Qt::white);
        grid->addWidget(entry.background, 0, 0);
    } else {
        View::setBackgroundColor(rowView, Qt::white);
    }
    auto* content = new QWidget(rowView);
    content->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* line = new QHBoxLayout(content);
    line->setContentsMargins(16, 8, entry.switchName.isEmpty() ? 16 : 80, 8);
    line->setSpacing(12);
    if (!entry.iconName.isEmpty()) {
        entry.icon = new ImageView(content);
        entry.icon->setObjectName(entry.iconName);
        entry.icon->setFixedSize(28, 28);
        entry.icon->setContentMode(ImageView::ContentMode::ScaleAspectFit);
        entry.icon->setImage(
            UIKitSupport::bundleImage(QStringLiteral("conf_%1.png").arg(entry.name)));
        line->addWidget(entry.icon, 0, entry.moreInfoButton ? Qt::AlignTop : Qt::AlignVCenter);
    }
    auto* texts = new QVBoxLayout();
    texts->setSpacing(2);
    entry.title = new QLabel(content);
    entry.title->setObjectName(entry.titleName);
    entry.title->setStyleSheet(QStringLiteral("font-size: 15px; color: #333333;"));
    texts->addWidget(entry.title);
    if (!entry.descName.isEmpty()) {
        entry.desc = new QLabel(content);
        entry.desc->setObjectName(entry.descName);
        entry.desc->setWordWrap(true);
        entry.desc->setStyleSheet(QStringLiteral("font-size: 12px; color: #8a8a8a;"));
        texts->addWidget(entry.desc);
    }
    if (entry.moreInfoButton)
        texts->addStretch(1);
    line->addLayout(texts, 1);
    if (!entry.valueName.isEmpty()) {
        entry.value = new QLabel(content);
        entry.value->setObjectName(entry.valueName);
        entry.value->setStyleSheet(QStringLiteral("font-size: 14px; color: #8a8a8a;"));
        entry.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        line->addWidget(entry.value);
    }
    grid->addWidget(content, 0, 0);
    entry.button = new QPushButton(rowView);
    entry.button->setObjectName(entry.buttonName);
    entry.button->setFlat(true);
    if (entry.moreInfoButton) {
        entry.button->setStyleSheet(
            QStringLiteral(
                "QPushButton { background: transparent; border: none; font-size: 13px; color: %1; "
                "text-align: left; }")
                .arg(UIKitSupport::mainColor().name()));
        connect(entry.button, &QPushButton::clicked, this,
                [this, button = entry.button.data()] { moreInfo(button); });
    } else {
        entry.button->setStyleSheet(
            QStringLiteral("QPushButton { background: transparent; border: none; }"));
        // A push button is of fixed height: let it fill the row, so the row's cell (and the
        // background sharing it) takes the whole row.
        entry.button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        grid->addWidget(entry.button, 0, 0);
        connect(entry.button, &QPushButton::pressed, this,
                [this, button = entry.button.data()] { buttonSelected(button); });
        connect(entry.button, &QPushButton::released, this,
                [this, button = entry.button.data()] { buttonDeselected(button); });
        connect(entry.button, &QPushButton::clicked, this,
                [this, button = entry.button.data()] { buttonTouched(button); });
    }
    if (entry.name == QLatin1String("tips")) {
        auto* more = new QPushButton(rowView);
        more->setObjectName(QStringLiteral("tipsMoreInfoButton"));
        more->setFlat(true);
        more->hide();
        connect(more, &QPushButton::clicked, this, [this, more] { moreInfo(more); });
    }
    if (!entry.switchName.isEmpty()) {
        auto* holder = new QWidget(rowView);
        auto* holderLine = new QHBoxLayout(holder);
        holderLine->setContentsMargins(0, 0, 16, 0);
        entry.toggle = new SettingsSwitch(holder);
        entry.toggle->setObjectName(entry.switchName);
        holderLine->addWidget(entry.toggle);
        grid->addWidget(holder, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
        connect(entry.toggle, &QAbstractButton::clicked, this,
                [this, toggle = entry.toggle.data()] { changeSwitchStatus(toggle); });
    }
    entry.separator = new QWidget(rowView);
    View::setBackgroundColor(entry.separator, QColor(229, 229, 229));
    entry.separator->setAttribute(Qt::WA_TransparentForMouseEvents);
    entry.offset = LayoutConstraint::addTo(
        column, new LayoutConstraint(rowView, LayoutConstraint::Attribute::Top, column,
                                     LayoutConstraint::Attribute::Top, 1, 0));
    entry.offset->setIdentifier(entry.constraintName);
}

void ConfigurationController::hideRow(const QString& name) {
    if (Row* entry = row(name))
        View::setHidden(entry->view, true);
}

void ConfigurationController::setRowBackground(Row* entry, const QColor& color) {
    if (entry && entry->background)
        View::setBackgroundColor(entry->background, color);
}

// ---------------------------------------------------------------- lifecycle

void ConfigurationController::viewDidLoad() {
    userPicture_->setImage(UIKitSupport::bundleImage(QStringLiteral("ic_subsidiary.png")));
    Application::setStatusBarHidden(false, false);
    navigationItem()->setLeftBarButtonItem(BarButtonItem{
        QString(), QStringLiteral("menuButton"), [this] { revealMenu(); },
        QIcon(QPixmap::fromImage(UIKitSupport::tinted(
            UIKitSupport::bundleImage(QStringLiteral("menu.png")), UIKitSupport::mainColor())))});
    for (auto& entry : rows_)
        if (entry->icon && entry->templateIcon) {
            entry->icon->setTemplate(true);
            entry->icon->setTintColor(UIKitSupport::mainColor());
        }
    if (Row* password = row(QStringLiteral("changePassword")))
        password->title->setStyleSheet(
            QStringLiteral("font-size: 15px; color: %1;").arg(UIKitSupport::mainColor().name()));

    AccountSettings& settings = AccountSettings::instance();
    for (const char* name : {"language", "discounts", "subusers", "clients", "catalog", "pin",
                             "bill", "cft", "agreements", "tips", "exchange", "readers"})
        hideRow(QString::fromLatin1(name));
    if (!settings.accountType())
        hideRow(QStringLiteral("accountType"));
    if (!settings.settingsQR())
        hideRow(QStringLiteral("myQr"));
    View::setHidden(row(QStringLiteral("feedback"))->view, !settings.feedbackSwitchEnabled());
    moreInfoDisplayed_ = false;

    if (!allowPictureChange_) {
        View::removeFromSuperview(userPictureContainerView_);
        View::removeFromSuperview(pictureDescription_);
        userPictureContainerView_ = nullptr;
        userPicture_ = nullptr;
        userPictureButton_ = nullptr;
        pictureDescription_ = nullptr;
        userNameLeadingConstraint_->setConstant(19.0);
        userEmailLeadingConstraint_->setConstant(19.0);
        userEmailBottomConstraint_->setConstant(36.0);
        userName_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        userEmail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // The reader row stays hidden either way.
    SessionTimer::instance().setDelegate(this);
}

void ConfigurationController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    if (userPictureButton_ && Traits::hasRegularWidth() && pictureDescription_)
        pictureDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QString version = VersionDispatch::infoBundle()
                                .infoDictionary.value(QStringLiteral("CFBundleVersion"))
                                .toString();
    versionNumber_->setText(QStringLiteral("%1 SDK V%2").arg(kBrand, version));
    setTitle(TextFormatter::format(text("Setup", "titleBarSDK"), {kBrand}));
    navigationItem()->setTitle(title());
    applyTexts();

    AccountSettings& settings = AccountSettings::instance();
    Row* accountType = row(QStringLiteral("accountType"));
    if (settings.accountType()) {
        if (accountType->desc)
            accountType->desc->setText(QString());
        accountType->value->setText(settings.accountType()->description().value_or(QString()));
    } else {
        if (accountType->desc) {
            View::removeFromSuperview(accountType->desc);
            accountType->desc = nullptr;
        }
        accountType->value->setText(QString());
    }

    user_ = &User::instance();
    settings_ = &settings;
    if (settings.hasVirtualAccount())
        navigationItem()->setRightBarButtonItems({});
    else
        navigationItem()->setRightBarButtonItem(BarButtonItem{
            text("GlobalTexts", "done"), QStringLiteral("doneButton"), [this] { done(); }, {}});
    if (userPictureButton_) {
        userPictureButton_->setEnabled(settings.canUploadPicture());
        userPictureButton_->setVisible(settings.canUploadPicture());
    }
    if (settings.isSubUser())
        for (const char* name : {"clients", "catalog", "subusers", "feedback"})
            hideRow(QString::fromLatin1(name));
    Row* branch = row(QStringLiteral("branch"));
    if (user_->branches().size() > 1)
        branch->value->setText(user_->branchName());
    else
        View::setHidden(branch->view, true);
    View::setHidden(row(QStringLiteral("bank"))->view, settings.bankInfo().isEmpty());
    packRows();

    layoutIfNeeded();
    userEmail_->setText(user_->emailAddress());
    userEmail_->setWordWrap(false);
    if (!settings.midSouth().isEmpty())
        userEmail_->setText(user_->emailAddress() +
                            QStringLiteral("\nMID %1").arg(settings.midSouth()));
    userName_->setText(user_->branchName());
    resetSettings();
    for (auto& entry : rows_)
        setRowBackground(entry.get(), Qt::white);
    placeViews();
}

void ConfigurationController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    SessionTimer::instance().setDelegate(this);
    if (expiryPending_) {
        expiryPending_ = false;
        closeScreen();
    }
}

void ConfigurationController::viewDidLayoutSubviews() {
    placeViews();
    if (pictureDealtWith_ || !userPicture_)
        return;
    User& user = User::instance();
    if (user.imageURL().isEmpty() && user.image().isNull())
        return;
    pictureDealtWith_ = true;
    userPicture_->setContentMode(ImageView::ContentMode::ScaleAspectFill);
    if (!user.image().isNull()) {
        userPicture_->setImage(user.image());
        return;
    }
    auto* downloader = new ImageDownloader(this);
    downloader->setDelegate(this);
    downloader->setUrlString(user.imageURL());
    downloader->setImageView(userPicture_);
    downloader->setImageIndex(user.userId());
    downloader->downloadTheImage();
}

void ConfigurationController::downloadDidFinishDownloading(ImageDownloader* downloader) {
    User::instance().setImage(downloader->image());
}

void ConfigurationController::download(ImageDownloader*, const std::optional<TarvelloError>&) {}

void ConfigurationController::applyTexts() {
    struct Texts {
        const char* row;
        const char* section;
        const char* title;
        const char* descSection;
        const char* desc;
    };
    static const Texts texts[] = {
        {"branch", "Configuration", "branchLabel", "Configuration", "branchDesc"},
        {"language", "Configuration", "languageLabel", "Configuration", "languageDesc"},
        {"tips", "Setup", "tipsLabel", "Setup", "tipsDesc"},
        {"feedback", "Setup", "feedbackLabel", nullptr, nullptr},
        {"discounts", "Configuration", "discountsLabel", "Configuration", "discountsDesc"},
        {"clients", "Setup", "clientsLabel", "Setup", "clientsDesc"},
        {"exchange", "Configuration", "exchangeLabel", "Configuration", "exchangeDesc"},
        {"catalog", "Setup", "catalogLabel", "Setup", "catalogDesc"},
        {"subusers", "Setup", "subusersLabel", "Setup", "subusersDesc"},
        {"readers", "Configuration", "readersLabel", "Configuration", "readersDesc"},
        {"pin", "Configuration", "pinLabel", "Configuration", "pinDesc"},
        {"bank", "Configuration", "bankLabel", nullptr, nullptr},
        {"bill", "Facturista", "electronicBillTitle", "Facturista", "billingDescription"},
        {"agreements", "Agreements", "paymentAgreements", "Agreements",
         "agreementsConfigDescription"},
        {"myQr", "SettingsQR", "myQrSettingsLabel", "SettingsQR", "myQrSettingsDescription"},
        {"cft", "CFT", "cftSettingsLabel", "CFT", "cftSettingsDescription"},
        {"changePassword", "Configuration", "changePassword", nullptr, nullptr},
    };
    for (const Texts& entry : texts) {
        Row* target = row(QString::fromLatin1(entry.row));
        target->title->setText(text(entry.section, entry.title));
        if (entry.desc && target->desc)
            target->desc->setText(text(entry.descSection, entry.desc));
    }
    if (Row* logout = row(QStringLiteral("logout")); logout->title->text().isEmpty())
        logout->title->setText(text("GlobalTexts", "exit"));
    if (Row* accountType = row(QStringLiteral("accountType")); accountType->title->text().isEmpty())
        accountType->title->setText(text("AccountType", "accountType"));
    if (pictureDescription_)
        pictureDescription_->setText(text("Configuration", "pictureDescription"));
    if (auto* tipsMore = view()->findChild<QPushButton*>(QStringLiteral("tipsMoreInfoButton")))
        tipsMore->hide();
    const struct {
        const char* row;
        const char* key;
    } moreInfo[] = {{"clients", "clientsMoreInfo"},
                    {"catalog", "catalogMoreInfo"},
                    {"tips", "tipsMoreInfo"},
                    {"subusers", "subusersMoreInfo"}};
    for (const auto& entry : moreInfo) {
        Row* target = row(QString::fromLatin1(entry.row));
        QPushButton* button =
            target->moreInfoButton
                ? target->button.data()
                : view()->findChild<QPushButton*>(QStringLiteral("tipsMoreInfoButton"));
        if (!button)
            continue;
        button->setText(text("Setup", "moreInfo"));
        if (auto rect = Language::rectForFile(QStringLiteral("Configuration"),
                                              QString::fromLatin1(entry.key)))
            button->setGeometry(*rect);
        button->raise();
    }
}

void ConfigurationController::resetSettings() {
    AccountSettings& settings = AccountSettings::instance();
    auto yesNo = [](bool on) {
        return on ? text("GlobalTexts", "YES") : text("GlobalTexts", "NO");
    };
    Row* tips = row(QStringLiteral("tips"));
    tips->value->setText(yesNo(settings.tipsEnabled()));
    tips->toggle->setOn(settings.tipsEnabled());
    row(QStringLiteral("feedback"))->toggle->setOn(settings.feedbackEnabled());
    row(QStringLiteral("discounts"))->value->setText(yesNo(settings.discountsEnabled()));
    row(QStringLiteral("catalog"))->toggle->setOn(settings.catalogEnabled());
    row(QStringLiteral("clients"))->toggle->setOn(settings.buyersEnabled());
    row(QStringLiteral("subusers"))->toggle->setOn(settings.subusersEnabled());
    row(QStringLiteral("language"))
        ->value->setText(
            Language::textForFile(QStringLiteral("Configuration"), settings.appLanguage()));
    QString exchange;
    const QVariantList currencies = settings.currencies();
    if (!currencies.isEmpty()) {
        const QVariantMap first = currencies.first().toMap();
        const float rate = first.value(QStringLiteral("exchangeRate")).toFloat();
        exchange =
            Amount::initWithDouble(double(rate))
                ->getAmountwithCurrencyFormat(first.value(QStringLiteral("symbol")).toString());
    }
    row(QStringLiteral("exchange"))->value->setText(exchange);
}

void ConfigurationController::packRows() {
    float offset = 0;
    for (auto& entry : rows_) {
        if (!entry->view || View::isHidden(entry->view))
            continue;
        entry->offset->setConstant(offset);
        const QVariant height = entry->view->property("rowHeight");
        const double rowHeight = height.isValid() ? height.toDouble() : entry->view->height();
        offset = float(double(offset) + rowHeight);
    }
    versionNumberTopConstraint_->setConstant(double(offset) + 9);
    int contentHeight = int(double(offset) + 430);
    const int frameHeight = view()->height();
    if (contentHeight < frameHeight - 64)
        contentHeight = frameHeight - 64;
    viewHeightConstraint_->setConstant(contentHeight);
    placeViews();
}

// Puts every view where its rules say: header, rows at their offsets, footer, content size.
void ConfigurationController::placeViews() {
    if (!contentView_ || !scrollView_)
        return;
    const int width = qMax(scrollView_->viewport()->width(), 200);
    const int height = int(viewHeightConstraint_->constant());
    contentView_->resize(width, qMax(height, kHeaderHeight));
    headerView_->setGeometry(0, 0, width, kHeaderHeight);
    layOutHeader();
    int rowsHeight = 0;
    for (auto& entry : rows_) {
        if (!entry->view)
            continue;
        const QVariant value = entry->view->property("rowHeight");
        const int rowHeight = int(std::lround(value.isValid() ? value.toDouble() : entry->height));
        const int top = int(std::floor(entry->offset->constant()));
        entry->view->setGeometry(0, top, width, rowHeight);
        entry->separator->setGeometry(16, rowHeight - 1, width - 16, 1);
        entry->separator->raise();
        if (!View::isHidden(entry->view))
            rowsHeight = qMax(rowsHeight, top + rowHeight);
    }
    rowsColumn_->setGeometry(0, kHeaderHeight, width, rowsHeight);
    const QSize footer = versionNumberBorder_->sizeHint();
    versionNumberBorder_->setGeometry((width - footer.width()) / 2,
                                      kHeaderHeight + int(versionNumberTopConstraint_->constant()),
                                      footer.width(), footer.height());
}

void ConfigurationController::layOutHeader() {
    const int width = headerView_->width();
    const int nameX = int(userNameLeadingConstraint_->constant());
    const int emailX = int(userEmailLeadingConstraint_->constant());
    const int emailBottom = int(userEmailBottomConstraint_->constant());
    const int emailHeight = userEmail_->text().contains(QLatin1Char('\n')) ? 36 : 18;
    const int emailTop = kHeaderHeight - emailBottom - emailHeight;
    userEmail_->setGeometry(emailX, emailTop, qMax(0, width - emailX - 16), emailHeight);
    userName_->setGeometry(nameX, emailTop - 28, qMax(0, width - nameX - 16), 26);
    if (pictureDescription_)
        pictureDescription_->setGeometry(16, 20 + kPictureSize + 8, width - 32, 40);
}

// ---------------------------------------------------------------- row actions

ConfigurationController::Row* ConfigurationController::rowForButton(QObject* sender) {
    if (!sender)
        return nullptr;
    for (auto& entry : rows_)
        if (entry->button == sender)
            return entry.get();
    return nullptr;
}

void ConfigurationController::buttonSelected(QObject* sender) {
    Row* entry = rowForButton(sender);
    if (!entry)
        return;
    for (const char* name : kHighlightOrder)
        if (entry->name == QLatin1String(name))
            setRowBackground(entry, kPressedGrey);
}

void ConfigurationController::buttonDeselected(QObject* sender) {
    Row* entry = rowForButton(sender);
    if (!entry)
        return;
    for (const char* name : kHighlightOrder)
        if (entry->name == QLatin1String(name))
            setRowBackground(entry, Qt::white);
}

void ConfigurationController::buttonTouched(QObject* sender) {
    Row* entry = rowForButton(sender);
    if (!entry)
        return;
    bool acts = false;
    for (const char* name : kActionOrder)
        acts = acts || entry->name == QLatin1String(name);
    if (!acts)
        return;
    setRowBackground(entry, kPressedGrey);
    QString segue;
    const QString& name = entry->name;
    if (name == QLatin1String("discounts") || name == QLatin1String("tips")) {
        valuesType_ = name;
        segue = QStringLiteral("valuesSegue");
    } else if (name == QLatin1String("changePassword")) {
        sendPasswordReset();
    } else if (name == QLatin1String("pin")) {
        askPinPassword();
    } else if (name == QLatin1String("logout")) {
        LoginHelper().logout();
        closeScreen();
        return;
    } else {
        segue = name + QStringLiteral("Segue");
    }
    if (!segue.isEmpty())
        performSegueWithIdentifier(segue, this);
}

void ConfigurationController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (segue.identifier() == QLatin1String("valuesSegue") && segue.destinationViewController())
        segue.destinationViewController()->setProperty("valuesType", valuesType_);
}

// The reset goes out at once with the e-mail alone: the back end mails the instructions and
// the current password stays as it is.
void ConfigurationController::sendPasswordReset() {
    ActivityIndicator::displayLoadingIndicator(view());
    newClient()->recoverPasswordWithEmail(User::instance().emailAddress(), QString());
    setRowBackground(row(QStringLiteral("changePassword")), Qt::white);
    setRowBackground(row(QStringLiteral("pin")), Qt::white);
}

void ConfigurationController::askPinPassword() {
    auto* alert = SystemAlert::alertControllerWithTitle(
        text("Configuration", "changePinTitle"),
        TextFormatter::format(text("Configuration", "changePasswordAlert"),
                              {User::instance().emailAddress()}));
    alert->addTextFieldWithConfigurationHandler(
        [](TextField* field) { field->setEchoMode(QLineEdit::Password); });
    QPointer<ConfigurationController> self(this);
    QPointer<SystemAlert> weakAlert(alert);
    auto answer = [self, weakAlert](int index) {
        if (!self)
            return;
        QString password;
        if (weakAlert && !weakAlert->textFields().isEmpty() && weakAlert->textFields().first())
            password = weakAlert->textFields().first()->text();
        self->alertViewClickedButtonAtIndex(weakAlert, index, password);
    };
    alert->addAction(text("GlobalTexts", "cancel"), SystemAlertAction::Cancel,
                     [answer](SystemAlertAction*) { answer(0); });
    alert->addAction(text("GlobalTexts", "continue"), SystemAlertAction::Default,
                     [answer](SystemAlertAction*) { answer(1); });
    changePinAlert_ = alert;
    presentViewController(alert, true);
}

void ConfigurationController::alertViewClickedButtonAtIndex(SystemAlert*, int index,
                                                            const QString& password) {
    if (index == 1) {
        ActivityIndicator::displayLoadingIndicator(view());
        User& user = User::instance();
        newClient()->checkPassword(password, user.userId(), user.token());
    }
    setRowBackground(row(QStringLiteral("changePassword")), Qt::white);
    setRowBackground(row(QStringLiteral("pin")), Qt::white);
}

void ConfigurationController::changeSwitchStatus(QObject* sender) {
    auto* toggle = qobject_cast<SettingsSwitch*>(sender);
    if (!toggle)
        return;
    const bool on = toggle->isOn();
    User& user = User::instance();
    AccountSettings& settings = AccountSettings::instance();
    const QString name = toggle->objectName();
    if (name != QLatin1String("clientsSwitch") && name != QLatin1String("subusersSwitch") &&
        name != QLatin1String("catalogSwitch") && name != QLatin1String("tipsSwitch") &&
        name != QLatin1String("feedbackSwitch"))
        return;
    APIController* client = newClient();
    ActivityIndicator::displayLoadingIndicator(view());
    if (name == QLatin1String("clientsSwitch")) {
        client->updateBuyersEnabled(on, user.userId(), user.token());
    } else if (name == QLatin1String("subusersSwitch")) {
        client->updateSubusersEnabled(on, user.userId(), user.token());
    } else if (name == QLatin1String("catalogSwitch")) {
        client->updateCatalogEnabled(on, user.userId(), user.token());
    } else if (name == QLatin1String("tipsSwitch")) {
        client->updateTipSettingsAllowTips(on, user.userId(), user.token());
    } else {
        feedbackBeforeRequest_ = settings.feedbackEnabled();
        settings.setFeedbackEnabled(on);
        client->updateFeedbackSettings(on, user.userId(), user.token());
    }
}

APIController* ConfigurationController::newClient() {
    auto* client = new APIController(this);
    client->setDelegate(this);
    return client;
}

// ---------------------------------------------------------------- replies

bool ConfigurationController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    ActivityIndicator::hideLoadingIndicator(view());
    switch (functionName) {
    case FunctionCode::CheckPassword:
        if (isSuccess(dictionary))
            performSegueWithIdentifier(QStringLiteral("pinSegue"), this);
        else
            showMessage(text("Configuration", "passwordIncorrect"));
        return true;
    case FunctionCode::UploadImage:
        pictureReply(dictionary);
        return true;
    case FunctionCode::ResetPassword:
        if (isSuccess(dictionary)) {
            showMessage(text("ForgotPassword", "passwordResetSent"));
        } else {
            const QString message = refusalMessage(dictionary);
            showMessage(message.isEmpty() ? text("Configuration", "passwordIncorrect") : message);
        }
        return true;
    default:
        break;
    }
    if (!isSwitchCode(functionName))
        return true;
    if (!isSuccess(dictionary)) {
        switchFailed(functionName, dictionary);
        return true;
    }
    if (functionName != FunctionCode::FeedbackAvailability) {
        AccountSettings::instance().loadWithDictionary(*dictionary);
        resetSettings();
    }
    return true;
}

// A switch the back end did not take goes back, with the feedback flag stored before the
// request, and the merchant is told why.
void ConfigurationController::switchFailed(int functionName,
                                           const std::optional<QVariantMap>& reply) {
    if (functionName == FunctionCode::FeedbackAvailability)
        AccountSettings::instance().setFeedbackEnabled(feedbackBeforeRequest_);
    resetSettings();
    const QString message = refusalMessage(reply);
    showMessage(message.isEmpty() ? text("GlobalTexts", "connError") : message);
}

void ConfigurationController::apiDidFailWithError(const TarvelloError&, int functionName) {
    ActivityIndicator::hideLoadingIndicator(view());
    if (isSwitchCode(functionName)) {
        switchFailed(functionName, std::nullopt);
        return;
    }
    showMessage(text("GlobalTexts", "connError"));
}

void ConfigurationController::showMessage(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
}

// ---------------------------------------------------------------- closing

bool ConfigurationController::sessionExpired() {
    if (closing_)
        return true;
    if (!isVisible()) {
        // Registering at load may report an expiry before the screen shows: close once it
        // does.
        expiryPending_ = true;
        return true;
    }
    closeScreen();
    return true;
}

void ConfigurationController::done() {
    closeScreen();
}

void ConfigurationController::revealMenu() {
    showSlidingMenu();
}

void ConfigurationController::closeScreen() {
    if (closing_)
        return;
    closing_ = true;
    removeHelpCard();
    ViewController* shown =
        navigationController() ? static_cast<ViewController*>(navigationController()) : this;
    if (ViewController* presenter = shown->presentingViewController())
        presenter->dismissViewControllerAnimated(true);
    else
        shown->dismissViewControllerAnimated(true);
}

// ---------------------------------------------------------------- profile picture

void ConfigurationController::changePicture(QObject*) {
    if (!AccountSettings::instance().canUploadPicture())
        return;
    QPointer<ConfigurationController> self(this);
    auto* sheet = SystemAlert::alertControllerWithTitle(QString(), QString(),
                                                        SystemAlert::Style::ActionSheet);
    sheet->setObjectName(QStringLiteral("pictureSheet"));
    sheet->addAction(
        text("GlobalTexts", "cancel"), SystemAlertAction::Cancel,
        [](SystemAlertAction*) { Logging::info(tarvelloUi, QStringLiteral("Canceled")); });
    sheet->addAction(text("GlobalTexts", "selectFromAlbum"), SystemAlertAction::Default,
                     [self](SystemAlertAction*) {
                         if (self)
                             self->pickPhoto(false);
                     });
    if (Services::imageSource()->isCameraAvailable())
        sheet->addAction(text("GlobalTexts", "takePicture"), SystemAlertAction::Default,
                         [self](SystemAlertAction*) {
                             if (self)
                                 self->pickPhoto(true);
                         });
    if (!User::instance().image().isNull()) {
        sheet->setTitle(text("Configuration", "editPictureTitle"));
        sheet->addAction(text("GlobalTexts", "delete"), SystemAlertAction::Default,
                         [self](SystemAlertAction*) {
                             if (self)
                                 self->removePicture();
                         });
    }
    presentViewController(sheet, true);
}

// The photo comes from the image source in force; a cancelled pick ends here.
void ConfigurationController::pickPhoto(bool camera) {
    QPointer<ConfigurationController> self(this);
    auto picked = [self](const QImage& photo) {
        if (self && !photo.isNull())
            self->showCropEditor(photo);
    };
    std::shared_ptr<ImageSource> source = Services::imageSource();
    if (camera)
        source->takePicture(view(), picked);
    else
        source->pickImage(view(), picked);
}

void ConfigurationController::showCropEditor(const QImage& photo) {
    QPointer<ConfigurationController> self(this);
    auto* editor = new PhotoCropController(photo, [self](const QImage& cropped) {
        if (!self)
            return;
        if (cropped.isNull())
            self->imagePickerControllerDidCancel();
        else
            self->imagePickerControllerDidFinishPickingMedia(cropped);
    });
    editor->setModalPresentationStyle(ModalPresentationStyle::FullScreen);
    picker_ = editor;
    presentViewController(editor, true);
}

// The square crop is redrawn at 480 x 480 and encoded as PNG off the main thread while the
// overlay shows, then sent; the editor closes at once.
void ConfigurationController::imagePickerControllerDidFinishPickingMedia(const QImage& edited) {
    ActivityIndicator::displayLoadingIndicator(view());
    if (picker_)
        picker_->dismissViewControllerAnimated(true);
    QPointer<ConfigurationController> self(this);
    Worker::run(
        [edited] {
            QImage scaled = edited.scaled(kUploadSide, kUploadSide, Qt::IgnoreAspectRatio,
                                          Qt::SmoothTransformation);
            QByteArray png = PNGEncoding::encode(scaled);
            return std::make_pair(std::move(scaled), std::move(png));
        },
        [self](std::pair<QImage, QByteArray> picture) {
            if (!self || self->closing_)
                return;
            const QImage& scaled = picture.first;
            PNGEncoding::keep(scaled, picture.second);
            self->tempUserPicture_ = scaled;
            User& user = User::instance();
            self->newClient()->updateUserPicture(scaled, user.userId(), user.token());
        },
        this);
}

void ConfigurationController::imagePickerControllerDidCancel() {
    if (picker_)
        picker_->dismissViewControllerAnimated(true);
}

void ConfigurationController::removePicture() {
    tempUserPicture_ = QImage();
    ActivityIndicator::displayLoadingIndicator(view());
    User& user = User::instance();
    newClient()->updateUserPicture(QImage(), user.userId(), user.token());
}

void ConfigurationController::pictureReply(const std::optional<QVariantMap>& reply) {
    if (!isSuccess(reply)) {
        const QString message = refusalMessage(reply);
        showMessage(message.isEmpty() ? text("Profile", "imageError") : message);
        return;
    }
    if (userPicture_) {
        if (!tempUserPicture_.isNull()) {
            userPicture_->setContentMode(ImageView::ContentMode::ScaleAspectFill);
            userPicture_->setImage(tempUserPicture_);
        } else {
            userPicture_->setContentMode(ImageView::ContentMode::Center);
            userPicture_->setImage(UIKitSupport::bundleImage(QStringLiteral("confNoPicture.png")));
        }
    }
    const QString url = reply->contains(QStringLiteral("profileImageUrl"))
                            ? reply->value(QStringLiteral("profileImageUrl")).toString()
                            : QString();
    User::instance().changePicture(tempUserPicture_, url);
}

// ---------------------------------------------------------------- help card

void ConfigurationController::moreInfo(QObject* sender) {
    if (moreInfoDisplayed_ || helpContainer_)
        return;
    helpDicPage_ = 0;
    const struct {
        const char* button;
        const char* title;
        const char* help;
    } entries[] = {{"clientsButton", "clientsLabel", "clientsHelp"},
                   {"catalogButton", "catalogLabel", "catalogHelp"},
                   {"tipsMoreInfoButton", "tipsLabel", "tipsHelp"},
                   {"subusersButton", "subusersLabel", "subusersHelp"}};
    const char* titleKey = nullptr;
    for (const auto& entry : entries)
        if (sender && sender->objectName() == QLatin1String(entry.button)) {
            titleKey = entry.title;
            const auto help =
                Language::helpForFile(QStringLiteral("Setup"), QString::fromLatin1(entry.help));
            helpDic_ = help ? QVariantMap{{QStringLiteral("texts"), help->texts},
                                          {QStringLiteral("images"), help->images}}
                            : QVariantMap();
            break;
        }
    if (!titleKey || helpDic_.value(QStringLiteral("texts")).toList().isEmpty())
        return;

    // The top-level widget holding the screen: the window, or the presentation over it.
    QWidget* host = view()->window();
    const int screenHeight = host->height();
    const int cardHeight = screenHeight - 20;
    auto* container = new QWidget(host);
    container->setObjectName(QStringLiteral("helpOverlay"));
    container->setGeometry(host->rect());
    auto* dimmer = new QWidget(container);
    dimmer->setGeometry(container->rect());
    View::setBackgroundColor(dimmer, QColor::fromRgbF(0, 0, 0, 0.8));

    auto* card = new QWidget(container);
    card->setObjectName(QStringLiteral("helpCard"));
    View::setTag(card, kHelpCardTag);
    card->setGeometry(10, 10 - screenHeight, kHelpCardWidth, cardHeight);
    View::setBackgroundColor(card, Qt::white);
    View::setCornerRadius(card, 5);
    QPainterPath corners;
    corners.addRoundedRect(QRectF(0, 0, kHelpCardWidth, cardHeight), 5, 5);
    card->setMask(QRegion(corners.toFillPolygon().toPolygon()));
    auto* paper = new QLabel(card);
    paper->setGeometry(0, 0, kHelpCardWidth, cardHeight);
    const QImage pattern = UIKitSupport::bundleImage(QStringLiteral("fondo_blanco.png"));
    if (!pattern.isNull()) {
        QPalette palette = paper->palette();
        palette.setBrush(QPalette::Window, QBrush(pattern));
        paper->setPalette(palette);
        paper->setAutoFillBackground(true);
    }
    auto* closeImage = new ImageView(card);
    closeImage->setGeometry(268, 10, 22, 22);
    closeImage->setImage(UIKitSupport::bundleImage(QStringLiteral("close.png")));
    auto* closeButton = new QPushButton(card);
    closeButton->setObjectName(QStringLiteral("helpCloseButton"));
    closeButton->setFlat(true);
    closeButton->setStyleSheet(
        QStringLiteral("QPushButton { background: transparent; border: none; }"));
    closeButton->setGeometry(263, 5, 32, 32);
    connect(closeButton, &QPushButton::clicked, this,
            [this, closeButton] { closeMoreInfo(closeButton); });
    auto* title = new QLabel(text("Setup", titleKey), card);
    title->setObjectName(QStringLiteral("helpTitle"));
    title->setGeometry(0, 30, kHelpCardWidth, 35);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-family: 'HelveticaNeue-Light'; font-size: 22px; "
                                        "font-weight: 300; color: %1;")
                             .arg(UIKitSupport::mainColor().name()));
    auto* rule = new ImageView(card);
    rule->setGeometry(10, 75, 280, 1);
    rule->setContentMode(ImageView::ContentMode::ScaleToFill);
    rule->setImage(UIKitSupport::bundleImage(QStringLiteral("line_pixel.png")));
    View::setTag(buildHelpPage(card, 10), kHelpPageTag);
    const int pages = int(helpDic_.value(QStringLiteral("texts")).toList().size());
    for (int i = 0; i < pages; ++i) {
        auto* dot = new ImageView(card);
        dot->setObjectName(QStringLiteral("helpDot%1").arg(i + 1));
        dot->setContentMode(ImageView::ContentMode::ScaleToFill);
        // Centred on the card, 20 apart.
        dot->setGeometry(kHelpCardWidth / 2 - 4 - 10 * (pages - 1) + 20 * i, cardHeight - 18, 8, 8);
        View::setTag(dot, kHelpDotTag + i);
    }
    helpContainer_ = container;
    setHelpDots();

    View::setAlpha(container, 0);
    container->show();
    container->raise();
    QPointer<ConfigurationController> self(this);
    QPointer<QWidget> weakCard(card);
    Clock::current().animate(
        kHelpFadeInMs, container, [container](double t) { View::setAlpha(container, t); },
        [self, weakCard, screenHeight](bool) {
            if (!self || !weakCard)
                return;
            Application::setStatusBarHidden(true, false);
            self->helpHidStatusBar_ = true;
            Clock::current().animate(
                kHelpSlideMs, weakCard,
                [weakCard, screenHeight](double t) {
                    if (weakCard)
                        weakCard->move(10, int(std::lround(10 - screenHeight * (1 - t))));
                },
                [self, weakCard](bool finished) {
                    if (!self || !weakCard || !finished)
                        return;
                    weakCard->move(10, 10);
                    self->moreInfoDisplayed_ = true;
                    self->swipesOn_ = true;
                });
        });
    watchSwipes(container);
}

// One page of the card: its picture stretched to the width and its text under it.
QWidget* ConfigurationController::buildHelpPage(QWidget* card, int x) {
    const int cardHeight = card->height();
    auto* scroller = new QScrollArea(card);
    scroller->setObjectName(QStringLiteral("helpPage"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setStyleSheet(QStringLiteral("background: transparent;"));
    scroller->setGeometry(x, 84, kHelpPageWidth, cardHeight - 122);
    const QStringList texts = helpDic_.value(QStringLiteral("texts")).toStringList();
    const QStringList images = helpDic_.value(QStringLiteral("images")).toStringList();
    const QImage picture = UIKitSupport::bundleImage(images.value(helpDicPage_));
    const int imageHeight =
        picture.isNull() ? 0 : int(std::lround(260.0 * picture.height() / picture.width()));
    auto* content = new QWidget();
    auto* image = new ImageView(content);
    image->setObjectName(QStringLiteral("helpImage"));
    image->setContentMode(ImageView::ContentMode::ScaleToFill);
    image->setImage(picture);
    image->setGeometry(10, 15, 260, imageHeight);
    auto* label = new QLabel(texts.value(helpDicPage_), content);
    label->setObjectName(QStringLiteral("helpText"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setStyleSheet(QStringLiteral("font-family: 'HelveticaNeue-Light'; font-size: 16px; "
                                        "font-weight: 300; color: #666666;"));
    label->ensurePolished();
    const int textHeight = label->heightForWidth(260);
    label->setGeometry(10, imageHeight + 35, 260, textHeight > 0 ? textHeight : 100);
    content->resize(kHelpPageWidth, imageHeight + 60 + label->height());
    scroller->setWidget(content);
    scroller->show();
    watchSwipes(scroller);
    return scroller;
}

void ConfigurationController::setHelpDots() {
    if (!helpContainer_)
        return;
    for (int i = 0; i < 3; ++i) {
        auto* dot = qobject_cast<ImageView*>(View::viewWithTag(helpContainer_, kHelpDotTag + i));
        if (!dot)
            continue;
        const bool selected = i == helpDicPage_;
        dot->setImageNamed(selected ? QStringLiteral("slide_help_selected.png")
                                    : QStringLiteral("slide_help.png"));
        dot->setProperty("selected", selected);
    }
}

void ConfigurationController::nextPageHelp() {
    turnHelpPage(true);
}

void ConfigurationController::previousPageHelp() {
    turnHelpPage(false);
}

void ConfigurationController::turnHelpPage(bool forward) {
    const int pages = int(helpDic_.value(QStringLiteral("texts")).toList().size());
    if (moreInfoDisplayed_ && HelpCard::turn(helpDicPage_, pages, forward))
        redrawMoreInfo(forward);
}

void ConfigurationController::redrawMoreInfo(bool forward) {
    if (!helpContainer_)
        return;
    QWidget* card = View::viewWithTag(helpContainer_, kHelpCardTag);
    if (!card)
        return;
    QWidget* oldPage = View::viewWithTag(card, kHelpPageTag);
    QWidget* newPage = buildHelpPage(card, HelpCard::enterX(forward));
    if (oldPage)
        View::setTag(oldPage, 0);
    View::setTag(newPage, kHelpPageTag);
    HelpCard::slide(card, oldPage, newPage, forward, kHelpSlideMs, helpPageAnimation_);
    setHelpDots();
}

void ConfigurationController::closeMoreInfo(QObject*) {
    if (!helpContainer_)
        return;
    Application::setStatusBarHidden(false, false);
    helpHidStatusBar_ = false;
    swipesOn_ = false;
    QPointer<ConfigurationController> self(this);
    QPointer<QWidget> container = helpContainer_;
    HelpCard::fadeOut(container, kHelpFadeOutMs, [self, container] {
        if (self) {
            self->moreInfoDisplayed_ = false;
            if (self->helpContainer_ == container)
                self->helpContainer_ = nullptr;
        }
    });
}

// The card leaves with the screen, and gives back the status bar it hid.
void ConfigurationController::removeHelpCard() {
    if (helpHidStatusBar_)
        Application::setStatusBarHidden(false, false);
    helpHidStatusBar_ = false;
    swipesOn_ = false;
    moreInfoDisplayed_ = false;
    if (helpContainer_)
        delete helpContainer_.data();
}

void ConfigurationController::watchSwipes(QWidget* root) {
    root->installEventFilter(this);
    for (QWidget* child : root->findChildren<QWidget*>())
        child->installEventFilter(this);
}

// A horizontal drag over the open card: right to left shows the next page, left to right the
// previous one.
bool ConfigurationController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return ViewController::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress) {
        swipeStart_ = mouse->globalPosition();
        return false;
    }
    if (!swipeStart_)
        return false;
    const QPointF delta = mouse->globalPosition() - *swipeStart_;
    swipeStart_.reset();
    if (!swipesOn_ || std::abs(delta.x()) < kSwipeDistance ||
        std::abs(delta.x()) <= std::abs(delta.y()))
        return false;
    if (delta.x() < 0)
        nextPageHelp();
    else
        previousPageHelp();
    return true;
}
