#include "onboarding/OnboardingLook.h"

#include "catalog/CatalogLook.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

void OnboardingLook::setPatternBackground(QWidget* widget) {
    const QImage pattern = CatalogLook::image(QStringLiteral("fondo_blanco.png"));
    QPalette palette = widget->palette();
    if (pattern.isNull())
        palette.setColor(QPalette::Window, Qt::white);
    else
        palette.setBrush(QPalette::Window, QBrush(pattern));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* OnboardingLook::titleBar(QWidget* parent, QVBoxLayout* column, const QString& objectName) {
    auto* title = new QLabel(parent);
    title->setObjectName(objectName);
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(44);
    title->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 17));
    CatalogLook::setTextColor(title, CatalogLook::mainColor());
    column->addWidget(title);
    return title;
}

void OnboardingLook::styleLargeButton(QPushButton* button) {
    const QColor theme = CatalogLook::mainColor();
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; border: 2px solid %1; border-radius: 6px;"
                       " background: white; }"
                       "QPushButton:pressed { color: rgba(0, 65, 101, 0.4); }")
            .arg(theme.name()));
}
