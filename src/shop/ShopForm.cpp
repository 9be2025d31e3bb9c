#include "shop/ShopForm.h"

#include "platform/ui/Clock.h"
#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/PickerView.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <memory>
#include <utility>

namespace ShopForm {

TextField* addField(QWidget* parent, QFormLayout* form, const QString& name, const QString& caption,
                    TextField* field) {
    auto* row = new QWidget(parent);
    row->setObjectName(name + QStringLiteral("Row"));
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(2);
    auto* label = new QLabel(caption, row);
    label->setStyleSheet(QStringLiteral("color: #777; font-size: 12px;"));
    if (!field)
        field = new TextField(row);
    else
        field->setParent(row);
    field->setObjectName(name);
    field->setPlaceholderText(caption);
    field->setMinimumHeight(34);
    column->addWidget(label);
    column->addWidget(field);
    form->addRow(row);
    return field;
}

Builder::Builder(QWidget* root, QVBoxLayout* column, TextFieldDelegate* delegate,
                 QList<QPointer<TextField>>* required, Body body)
    : delegate_(delegate)
    , required_(required) {
    if (body == Body::Scrolling) {
        scroll_ = new QScrollArea(root);
        scroll_->setObjectName(QStringLiteral("scrollView"));
        scroll_->setWidgetResizable(true);
        body_ = new QWidget();
        form_ = new QFormLayout(body_);
        form_->setContentsMargins(16, 8, 16, 8);
        scroll_->setWidget(body_);
        column->addWidget(scroll_, 1);
    } else {
        body_ = root;
        form_ = new QFormLayout();
        column->addLayout(form_);
    }
}

TextField* Builder::add(const char* name, const char* caption, TextField* made) {
    TextField* field =
        addField(body_, form_, QLatin1String(name), QString::fromUtf8(caption), made);
    field->setDelegate(delegate_);
    return field;
}

TextField* Builder::required(const char* name, const char* caption,
                             TextField::KeyboardType keyboard, TextField* made) {
    TextField* field = add(name, caption, made);
    field->setKeyboardType(keyboard);
    if (required_)
        *required_ << field;
    return field;
}

TextField* Builder::optional(const char* name, const char* caption) {
    return add(name, caption, nullptr);
}

void Builder::addProvinceChooser(QPushButton** button, PickerView** picker) {
    auto* stateButton = new QPushButton(body_);
    stateButton->setObjectName(QStringLiteral("stateButton"));
    stateButton->setMinimumHeight(36);
    form_->addRow(stateButton);
    auto* statePicker = new PickerView(body_);
    statePicker->setObjectName(QStringLiteral("statePicker"));
    statePicker->setFixedHeight(200);
    statePicker->setVisible(false);
    form_->addRow(statePicker);
    *button = stateButton;
    *picker = statePicker;
}

QWidget* Builder::row(const char* name) const {
    return body_->findChild<QWidget*>(QLatin1String(name) + QStringLiteral("Row"));
}

QWidget* addKeyboardGap(QWidget* root, QVBoxLayout* column) {
    auto* gap = new QWidget(root);
    gap->setObjectName(QStringLiteral("keyboardGap"));
    gap->setFixedHeight(0);
    column->addWidget(gap);
    // The running slide, owned by the gap's connections.
    auto slide = std::make_shared<Clock::Handle>(0);
    const QPointer<QWidget> target(gap);
    const auto follow = [target, slide](int height, int durationMs) {
        if (!target)
            return;
        if (*slide)
            Clock::current().cancel(std::exchange(*slide, 0));
        const int from = target->height();
        if (durationMs <= 0 || from == height) {
            target->setFixedHeight(height);
            return;
        }
        *slide = Clock::current().animate(
            durationMs, target,
            [target, from, height](double progress) {
                if (target)
                    target->setFixedHeight(from + qRound((height - from) * progress));
            },
            [slide](bool) { *slide = 0; });
    };
    KeyboardNotifications& keyboard = KeyboardNotifications::instance();
    QObject::connect(&keyboard, &KeyboardNotifications::keyboardDidShow, gap,
                     [gap, follow](const QRect&, const QRect& end, int durationMs) {
                         if (!gap->isVisible())
                             return; // another screen's keyboard
                         // The keyboard's frame is in window coordinates: the gap is the part of
                         // the screen's view under the keyboard's top.
                         QWidget* view = gap->parentWidget();
                         const int top = view->mapFrom(view->window(), end.topLeft()).y();
                         follow(qBound(0, view->height() - top, end.height()), durationMs);
                     });
    QObject::connect(
        &keyboard, &KeyboardNotifications::keyboardWillHide, gap,
        [follow](const QRect&, const QRect&, int durationMs) { follow(0, durationMs); });
    return gap;
}

} // namespace ShopForm
