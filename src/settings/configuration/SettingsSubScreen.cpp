#include "settings/configuration/SettingsSubScreen.h"

#include "platform/ui/View.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QVBoxLayout>

SettingsSubScreen::SettingsSubScreen(QString section, QString key, QObject* parent)
    : ViewController(parent)
    , section_(std::move(section))
    , key_(std::move(key)) {}

QWidget* SettingsSubScreen::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, QColor(242, 242, 242));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 32, 24, 24);
    titleLabel_ = new QLabel(root);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setAlignment(Qt::AlignCenter);
    titleLabel_->setWordWrap(true);
    titleLabel_->setStyleSheet(QStringLiteral("font-size: 18px; color: #333333;"));
    column->addWidget(titleLabel_);
    column->addStretch(1);
    return root;
}

void SettingsSubScreen::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    QString key = key_;
    if (valuesType_ == QLatin1String("tips"))
        key = QStringLiteral("tipsLabel");
    const QString section =
        valuesType_ == QLatin1String("tips") ? QStringLiteral("Setup") : section_;
    setTitle(Language::textForFile(section, key));
    navigationItem()->setTitle(title());
    titleLabel_->setText(title());
}
