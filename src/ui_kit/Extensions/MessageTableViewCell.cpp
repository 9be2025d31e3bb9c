#include "ui_kit/Extensions/MessageTableViewCell.h"

#include "platform/ui/View.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QVBoxLayout>

MessageTableViewCell::MessageTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->setWordWrap(true);
    column->addWidget(messageLabel_);
    setMinimumHeight(44);
}

void MessageTableViewCell::prepareCellForMode(int mode, const QString& message) {
    if (mode == 0 || mode == 1)
        messageLabel_->setText(
            Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("noResults")));
    else if (mode == 2)
        messageLabel_->setText(message);
    auto* background = new QWidget();
    View::setFrame(background, rect());
    View::setBackgroundColor(background, QColor(250, 250, 250));
    setSelectedBackgroundView(background);
    setSelectionStyle(SelectionStyle::Gray);
}
