#include "ui_kit/SectionTutorialView.h"

#include "platform/core/Logging.h"
#include "platform/ui/View.h"
#include "ui_kit/UIKitSupport.h"

#include <QVBoxLayout>

SectionTutorialView::SectionTutorialView(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("sectionTutorialView"));
    View::setBackgroundColor(this, Qt::white);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("icon"));
    icon_->setAlignment(Qt::AlignCenter);
    column->addWidget(icon_);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("text"));
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignCenter);
    text_->setStyleSheet(QStringLiteral("color: #333333;"));
    column->addWidget(text_);
    button_ = new QPushButton(this);
    button_->setObjectName(QStringLiteral("button"));
    button_->setMinimumHeight(44);
    button_->setStyleSheet(QStringLiteral("QPushButton { color: white; background: %1;"
                                          " border: none; border-radius: 4px; }")
                               .arg(UIKitSupport::mainColor().name()));
    column->addWidget(button_);
    column->addStretch(1);
    connect(button_, &QPushButton::clicked, this, [this] { buttonTouched(); });
}

SectionTutorialView* SectionTutorialView::initWithImage(const QString& imageName,
                                                        const QString& text,
                                                        const std::optional<QString>& buttonTitle) {
    auto* card = new SectionTutorialView();
    card->icon_->setPixmap(QPixmap::fromImage(UIKitSupport::bundleImage(imageName)));
    card->text_->setText(text);
    Logging::debug(tarvelloUi,
                   QStringLiteral("FONT FONT FONT FONT %1").arg(card->text_->font().toString()));
    if (buttonTitle && buttonTitle->isEmpty()) {
        card->button_->hide();
    } else {
        card->button_->setText(buttonTitle.value_or(QString()));
        card->button_->show();
    }
    return card;
}

void SectionTutorialView::buttonTouched() {
    if (delegate_)
        delegate_->buttonTouched();
}
