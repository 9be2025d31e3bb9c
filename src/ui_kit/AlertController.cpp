#include "ui_kit/AlertController.h"

#include "platform/core/Assert.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/UIKitScreens.h"
#include "ui_kit/UIKitSupport.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int kActionRowHeight = 44;

QWidget* labelCell() {
    auto* cell = new QWidget();
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(16, 8, 16, 8);
    auto* label = new QLabel(cell);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    View::setTag(label, 1);
    row->addWidget(label);
    return cell;
}

QWidget* fieldCell() {
    auto* cell = new QWidget();
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(16, 4, 16, 4);
    auto* field = new TextField(cell);
    View::setTag(field, 1);
    row->addWidget(field);
    return cell;
}

QWidget* detailCell() {
    auto* cell = new QWidget();
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(16, 4, 16, 4);
    auto* label = new QLabel(cell);
    label->setWordWrap(true);
    View::setTag(label, 1);
    auto* image = new QLabel(cell);
    View::setTag(image, 2);
    row->addWidget(label, 1);
    row->addWidget(image);
    return cell;
}

QWidget* actionCell() {
    auto* cell = new QWidget();
    cell->setFixedHeight(kActionRowHeight);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(8, 0, 8, 0);
    auto* label = new QLabel(cell);
    label->setAlignment(Qt::AlignCenter);
    View::setTag(label, 1);
    row->addWidget(label);
    return cell;
}

} // namespace

AlertController::AlertController(QObject* parent)
    : ViewController(parent) {
    // The message row comes first; it reads the message at the time its cell is made.
    auto messageRow = std::make_shared<AlertContentLabel>();
    QPointer<AlertController> self(this);
    messageRow->configurationHandler = [self](QLabel* label) {
        if (self && label)
            label->setText(self->message_);
    };
    content_.push_back(messageRow);
    ViewController::setModalPresentationStyle(ModalPresentationStyle::OverFullScreen);
}

AlertController* AlertController::alertControllerWithTitle(const QString& title,
                                                           const QString& message) {
    auto* box = qobject_cast<AlertController*>(Storyboard::instantiate(UIKitScreens::alert));
    if (!box)
        box = new AlertController();
    box->setTitle(title);
    box->setMessage(message);
    return box;
}

QWidget* AlertController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("alertBackdrop"));
    View::setBackgroundColor(root, QColor(0, 0, 0, 102));
    auto* outer = new QVBoxLayout(root);
    outer->setContentsMargins(panelMargins_);
    mainView_ = new QWidget(root);
    mainView_->setObjectName(QStringLiteral("mainView"));
    mainView_->setFixedWidth(312);
    View::setBackgroundColor(mainView_, Qt::white);
    auto* column = new QVBoxLayout(mainView_);
    column->setContentsMargins(0, 12, 0, 0);
    column->setSpacing(0);

    headerView_ = new QWidget(mainView_);
    headerView_->setObjectName(QStringLiteral("headerView"));
    auto* header = new QHBoxLayout(headerView_);
    header->setContentsMargins(16, 4, 16, 4);
    titleIcon_ = new QLabel(headerView_);
    titleIcon_->setObjectName(QStringLiteral("titleIcon"));
    titleIcon_->setFixedSize(28, 28);
    titleIcon_->setScaledContents(true);
    titleLabel_ = new QLabel(headerView_);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setWordWrap(true);
    QFont titleFont = titleLabel_->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(17);
    titleLabel_->setFont(titleFont);
    header->addStretch(1);
    header->addWidget(titleIcon_);
    header->addWidget(titleLabel_);
    header->addStretch(1);

    contentTableView_ = new TableView(mainView_);
    contentTableView_->setObjectName(QStringLiteral("contentTableView"));
    contentTableView_->registerCell(QStringLiteral("Description"), labelCell);
    contentTableView_->registerCell(QStringLiteral("TextField"), fieldCell);
    contentTableView_->registerCell(QStringLiteral("Detail"), detailCell);
    contentTableView_->setDataSource(this);
    contentTableView_->setDelegate(this);

    actionsTableView_ = new TableView(mainView_);
    actionsTableView_->setObjectName(QStringLiteral("actionsTableView"));
    actionsTableView_->registerCell(QStringLiteral("Cell"), actionCell);
    actionsTableView_->setDataSource(this);
    actionsTableView_->setDelegate(this);

    column->addWidget(headerView_);
    column->addWidget(contentTableView_);
    column->addWidget(actionsTableView_);
    outer->addWidget(mainView_, 0, Qt::AlignCenter);
    adoptView(root, true);
    return root;
}

void AlertController::setCustomIcon(const QImage& image) {
    HostAssert::check(alertType_ == AlertTypeCustom,
                      QStringLiteral("alert type must be AlertTypeCustom to use custom icon"));
    customIcon_ = image;
    if (titleIcon_)
        titleIcon_->setPixmap(QPixmap::fromImage(image));
}

void AlertController::addAction(std::shared_ptr<AlertAction> action) {
    if (!action)
        return;
    if (!orderedActions_.isEmpty() && orderedActions_.last()->style() == 1) {
        if (action->style() == 1)
            HostAssert::fail(QStringLiteral("AlertController can only have one action with a style "
                                            "of UIAlertActionStyleCancel"));
        actions_.append(action);
        orderedActions_.insert(orderedActions_.size() - 1, action);
    } else {
        actions_.append(action);
        orderedActions_.append(action);
    }
}

void AlertController::addLabelWithConfigurationHandler(std::function<void(QLabel*)> handler) {
    auto row = std::make_shared<AlertContentLabel>();
    row->configurationHandler = std::move(handler);
    content_.push_back(row);
}

void AlertController::addDetailWithConfigurationHandler(
    std::function<void(QLabel*, QLabel*)> handler) {
    auto row = std::make_shared<AlertContentDetail>();
    row->configurationHandler = std::move(handler);
    content_.push_back(row);
}

void AlertController::addTextFieldWithConfigurationHandler(
    std::function<void(TextField*)> handler) {
    auto row = std::make_shared<AlertContentTextField>();
    QPointer<AlertController> self(this);
    row->configurationHandler = [self, handler = std::move(handler)](TextField* field) {
        if (self)
            self->textFields_.append(field);
        if (handler)
            handler(field);
    };
    content_.push_back(row);
}

QList<TextField*> AlertController::textFields() const {
    QList<TextField*> fields;
    for (const auto& field : textFields_)
        fields.append(field.data());
    return fields;
}

void AlertController::setModalPresentationStyle(ModalPresentationStyle style) {
    if (style == ModalPresentationStyle::Popover) {
        // Regular width belongs to the pad.
        const bool regularWidth = Device::current().isIpad();
        if (!regularWidth)
            style = ModalPresentationStyle::OverCurrentContext;
    }
    ViewController::setModalPresentationStyle(style);
}

void AlertController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    if (!title_.isNull()) {
        titleLabel_->setText(title_);
    } else if (titleLabel_) {
        View::removeFromSuperview(titleLabel_);
    }
    switch (alertType_) {
    case AlertTypeNone:
        if (titleIcon_)
            View::removeFromSuperview(titleIcon_);
        break;
    case AlertTypeError:
    case AlertTypeOK: {
        const QImage icon = UIKitSupport::bundleImage(alertType_ == AlertTypeError
                                                          ? QStringLiteral("popupErrorIcon.png")
                                                          : QStringLiteral("popupOKIcon.png"));
        titleIcon_->setPixmap(
            QPixmap::fromImage(UIKitSupport::tinted(icon, UIKitSupport::mainColor())));
        break;
    }
    case AlertTypeCustom:
        titleIcon_->setPixmap(QPixmap::fromImage(customIcon_));
        break;
    default:
        break;
    }
    if (message_.isNull() && !content_.empty() && content_.front() &&
        dynamic_cast<AlertContentLabel*>(content_.front().get()))
        content_.erase(content_.begin());
    if (modalPresentationStyle() == ModalPresentationStyle::Popover) {
        panelMargins_ = QMargins();
        if (view()->layout())
            view()->layout()->setContentsMargins(panelMargins_);
    }
    textFields_.clear();
    contentTableView_->reloadData();
    actionsTableView_->reloadData();
    FirstResponder::resign();
    updateSizes();
}

void AlertController::viewDidLayoutSubviews() {
    ViewController::viewDidLayoutSubviews();
    updateSizes();
}

void AlertController::updateSizes() {
    if (!contentTableView_ || !actionsTableView_)
        return;
    contentHeight_ = contentTableView_->contentHeight();
    actionsHeight_ = actionsTableView_->contentHeight();
    if (actions_.size() <= 2)
        actionsMinimumHeight_ = actionsHeight_;
    const int headerHeight = headerView_ ? headerView_->sizeHint().height() : 0;
    preferredContentSize_ = QSize(312, contentHeight_ + actionsHeight_ + headerHeight);
    contentTableView_->setFixedHeight(contentHeight_);
    actionsTableView_->setFixedHeight(std::max(actionsHeight_, actionsMinimumHeight_));
}

int AlertController::tableViewNumberOfRowsInSection(TableView* table, int) {
    if (table == contentTableView_)
        return int(content_.size());
    if (table == actionsTableView_)
        return int(orderedActions_.size());
    return 0;
}

QWidget* AlertController::tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) {
    if (table == contentTableView_)
        return content_.at(size_t(indexPath.row))->getCellForTableView(table);
    QWidget* cell = actionsTableView_->dequeueReusableCellWithIdentifier(QStringLiteral("Cell"));
    const auto& action = orderedActions_.at(indexPath.row);
    cell->setObjectName(QStringLiteral("action_") + action->title());
    auto* label = qobject_cast<QLabel*>(View::viewWithTag(cell, 1));
    label->setText(action->title());
    QColor color;
    if (action->style() == 1)
        color = QColor::fromRgbF(0.4, 0.4, 0.4, 1.0);
    else if (action->style() == 2)
        color = QColor::fromRgbF(0.89, 0.29, 0.34, 1.0);
    else
        color = UIKitSupport::mainColor();
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    if (action == preferredAction_) {
        QFont bold(QStringLiteral("HelveticaNeue-Bold"));
        bold.setPixelSize(17);
        bold.setBold(true);
        label->setFont(bold);
    }
    return cell;
}

void AlertController::tableViewWillDisplayCell(TableView*, QWidget*, IndexPath) {
    if (contentTableView_ && actionsTableView_)
        updateSizes();
}

void AlertController::tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) {
    if (table != actionsTableView_ || closing_ || indexPath.row >= orderedActions_.size())
        return;
    closing_ = true;
    // The box and the action stay alive until the handler has run after the dismissal.
    std::shared_ptr<AlertAction> action = orderedActions_.at(indexPath.row);
    QPointer<AlertController> self(this);
    dismissViewControllerAnimated(true, [self, action] {
        action->execute();
        (void)self;
    });
}

bool AlertController::tapActionWithTitle(const QString& title) {
    if (!actionsTableView_)
        return false;
    for (int row = 0; row < orderedActions_.size(); ++row)
        if (orderedActions_.at(row)->title() == title) {
            actionsTableView_->tapRowAtIndexPath({0, row});
            return true;
        }
    return false;
}
