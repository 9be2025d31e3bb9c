#include "platform/ui/Dialogs.h"

#include "platform/ui/TextField.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

SystemAlert::SystemAlert(const QString& title, const QString& message, Style style, QObject* parent)
    : ViewController(parent)
    , message_(message)
    , style_(style) {
    setTitle(title);
    setModalPresentationStyle(ModalPresentationStyle::OverFullScreen);
}

void SystemAlert::setMessage(const QString& message) {
    message_ = message;
    if (auto* label = isViewLoaded() ? outlet<QLabel>(QStringLiteral("messageLabel")) : nullptr) {
        label->setText(message);
        label->setVisible(!message.isEmpty());
    }
}

void SystemAlert::addAction(const QString& title, SystemAlertAction::Style style,
                            std::function<void(SystemAlertAction*)> handler) {
    actions_.push_back(std::make_unique<SystemAlertAction>(title, style, std::move(handler)));
    if (isViewLoaded())
        rebuildButtons();
}

QList<SystemAlertAction*> SystemAlert::actions() const {
    QList<SystemAlertAction*> list;
    for (const auto& action : actions_)
        list.append(action.get());
    return list;
}

void SystemAlert::addTextFieldWithConfigurationHandler(std::function<void(TextField*)> configure) {
    fieldConfigs_.append(std::move(configure));
    if (isViewLoaded() && panel_) {
        auto* field = new TextField(panel_);
        if (fieldConfigs_.last())
            fieldConfigs_.last()(field);
        static_cast<QVBoxLayout*>(panel_->layout())->insertWidget(2 + int(fields_.size()), field);
        fields_.append(field);
    }
}

QList<TextField*> SystemAlert::textFields() const {
    QList<TextField*> list;
    for (const auto& field : fields_)
        if (field)
            list.append(field);
    return list;
}

QWidget* SystemAlert::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("alertBackdrop"));
    View::setBackgroundColor(root, QColor(0, 0, 0, 100));
    auto* outer = new QVBoxLayout(root);
    outer->setContentsMargins(24, 24, 24, 24);
    auto* panel = new QWidget(root);
    panel->setObjectName(QStringLiteral("alertPanel"));
    panel->setMaximumWidth(300);
    View::setBackgroundColor(panel, Qt::white);
    auto* column = new QVBoxLayout(panel);
    auto* titleLabel = new QLabel(title(), panel);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setWordWrap(true);
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->setVisible(!title().isEmpty());
    auto* messageLabel = new QLabel(message_, panel);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setAlignment(Qt::AlignCenter);
    messageLabel->setWordWrap(true);
    messageLabel->setVisible(!message_.isEmpty());
    column->addWidget(titleLabel);
    column->addWidget(messageLabel);
    for (const auto& configure : fieldConfigs_) {
        auto* field = new TextField(panel);
        if (configure)
            configure(field);
        column->addWidget(field);
        fields_.append(field);
    }
    auto* buttons = new QVBoxLayout();
    column->addLayout(buttons);
    buttonColumn_ = buttons;
    panel_ = panel;
    outer->addWidget(panel, 0,
                     style_ == Style::Alert ? Qt::AlignCenter : Qt::AlignBottom | Qt::AlignHCenter);
    adoptView(root, true);
    rebuildButtons();
    return root;
}

void SystemAlert::rebuildButtons() {
    if (!buttonColumn_)
        return;
    for (auto& button : buttons_)
        if (button)
            button->deleteLater();
    buttons_.clear();
    QList<int> order;
    for (int i = 0; i < int(actions_.size()); ++i)
        if (style_ == Style::Alert || actions_[i]->style() != SystemAlertAction::Cancel)
            order.append(i);
    for (int i = 0; i < int(actions_.size()); ++i)
        if (style_ == Style::ActionSheet && actions_[i]->style() == SystemAlertAction::Cancel)
            order.append(i);
    for (int i = 0; i < int(actions_.size()); ++i)
        buttons_.append(nullptr);
    for (int i : order) {
        auto* button = new QPushButton(actions_[i]->title(), panel_);
        button->setObjectName(QStringLiteral("alertAction%1").arg(i));
        button->setEnabled(actions_[i]->isEnabled());
        if (actions_[i]->style() == SystemAlertAction::Destructive)
            button->setStyleSheet(QStringLiteral("color: rgb(227, 74, 87);"));
        connect(button, &QPushButton::clicked, this, [this, i] { tapped(i); });
        buttonColumn_->addWidget(button);
        buttons_[i] = button;
    }
}

QPushButton* SystemAlert::buttonForAction(int index) {
    view();
    return index >= 0 && index < buttons_.size() ? buttons_.at(index).data() : nullptr;
}

bool SystemAlert::tapButtonWithTitle(const QString& title) {
    for (int i = 0; i < int(actions_.size()); ++i)
        if (actions_[i]->title() == title) {
            if (QPushButton* button = buttonForAction(i)) {
                button->click();
                return true;
            }
        }
    return false;
}

void SystemAlert::tapped(int index) {
    if (tappedOnce_)
        return;
    tappedOnce_ = true;
    // The presentation deletes the alert only after the completion, so the handler can run.
    QPointer<SystemAlert> self(this);
    dismissViewControllerAnimated(true, [self, index] {
        if (self)
            self->actions_[size_t(index)]->run();
    });
}

// ---------------------------------------------------------------- popover tip

PopoverTip::PopoverTip(QWidget* parent)
    : QLabel(parent) {
    setObjectName(QStringLiteral("popoverTip"));
    setWordWrap(true);
    setMargin(8);
    setAutoFillBackground(true);
    setColors(QColor(0x33, 0x33, 0x33), Qt::white);
    hide();
}

void PopoverTip::setColors(const QColor& bubble, const QColor& text) {
    setStyleSheet(QStringLiteral("background: %1; color: %2; border-radius: 4px;")
                      .arg(bubble.name(), text.name()));
}

void PopoverTip::showText(const QString& text, const QRect& frame, QWidget* inView, int maxWidth,
                          bool above, int offset) {
    if (!inView)
        return;
    setParent(inView);
    setText(text);
    setMaximumWidth(maxWidth);
    adjustSize();
    const int x =
        std::clamp(frame.center().x() - width() / 2, 0, std::max(0, inView->width() - width()));
    const int y = above ? frame.top() - height() - offset : frame.bottom() + offset;
    move(x, y);
    raise();
    show();
    // A press anywhere in the application closes the tip, on the host's children too.
    qApp->installEventFilter(this);
}

void PopoverTip::hideTip() {
    qApp->removeEventFilter(this);
    if (isVisible()) {
        hide();
        emit dismissed();
    }
}

void PopoverTip::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hideTip();
}

bool PopoverTip::eventFilter(QObject* watched, QEvent* event) {
    if (watched != this && event->type() == QEvent::MouseButtonPress)
        hideTip();
    return QLabel::eventFilter(watched, event);
}
