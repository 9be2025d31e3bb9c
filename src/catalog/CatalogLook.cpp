#include "catalog/CatalogLook.h"

#include "platform/core/VersionDispatch.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QLabel>
#include <QLocale>
#include <cmath>
#include <limits>

namespace CatalogLook {

QString text(const QString& section, const QString& key) {
    return UIKitSupport::text(section, key);
}

QString text(const QString& section, const QString& key, const QVariantList& arguments) {
    return TextFormatter::format(text(section, key), arguments);
}

QColor mainColor() {
    return UIKitSupport::mainColor();
}

QFont font(const QString& name, qreal pointSize) {
    QFont f(name);
    f.setPointSizeF(pointSize);
    if (name.endsWith(QLatin1String("-Bold")))
        f.setWeight(QFont::Bold);
    else if (name.endsWith(QLatin1String("-Medium")))
        f.setWeight(QFont::Medium);
    else if (name.endsWith(QLatin1String("-Light")))
        f.setWeight(QFont::Light);
    return f;
}

QImage image(const QString& name, const QColor& tint) {
    const QImage loaded = UIKitSupport::bundleImage(name);
    if (!tint.isValid() || loaded.isNull())
        return loaded;
    return UIKitSupport::tinted(loaded, tint);
}

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

int integerValue(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
         ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            value = qint64(std::numeric_limits<int>::max()) + 1;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return int(value);
}

QString percentText(double fraction) {
    if (!std::isfinite(fraction))
        fraction = 0;
    const double percent = fraction * 100.0;
    // Halves to even, on the value as written to a few decimals so 0.145 * 100 reads 14.5.
    const double cleaned = std::round(percent * 1e6) / 1e6;
    double whole = std::floor(cleaned);
    const double rest = cleaned - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1;
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale.toString(qint64(whole)) + QLatin1Char('%');
}

QString firstCharacter(const QString& text) {
    return text.isEmpty() ? QString() : QString(text.at(0));
}

qint64 centsOfKeypadText(const QString& text) {
    qint64 cents = 0;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (cents > std::numeric_limits<qint64>::max() / 10 - 9)
                break;
            cents = cents * 10 + (c.unicode() - '0');
        }
    }
    return cents;
}

} // namespace CatalogLook

#include "model/values/Amount.h"
#include "model/values/Currency.h"

#include "platform/ui/NavigationItem.h"

#include <QPainter>
#include <QPainterPath>

namespace CatalogLook {

BarButtonItem barButton(const QString& title, const QString& name, std::function<void()> action,
                        bool enabled) {
    BarButtonItem item;
    item.title = title;
    item.objectName = name;
    item.action = std::move(action);
    item.enabled = enabled;
    return item;
}

QImage rounded(const QImage& image, const QSize& size, qreal radius) {
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (image.isNull() || size.isEmpty())
        return out;
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    painter.setClipPath(clip);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), image);
    return out;
}

QString money(double value) {
    return Amount::initWithDouble(value)->getAmount();
}

QString currencySymbol(const Amount* amount) {
    if (amount && amount->currency())
        return amount->currency()->format();
    return Currency::instance()->format();
}

} // namespace CatalogLook
