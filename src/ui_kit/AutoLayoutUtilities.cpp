#include "ui_kit/AutoLayoutUtilities.h"

#include "platform/core/Logging.h"
#include "platform/core/Values.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/Services.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/texts/Language.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <functional>

#include "ui_kit/KVRenderer.h"
#include "ui_kit/NumericKeyboard.h"
#include "ui_kit/iPadNumericKeyboard.h"

namespace {

using Component = std::function<float(float)>;

std::optional<QColor> mapComponents(const QColor& color, const Component& change) {
    if (!color.isValid())
        return std::nullopt;
    float r = 0, g = 0, b = 0, a = 0;
    color.toRgb().getRgbF(&r, &g, &b, &a);
    QColor result;
    result.setRgbF(change(r), change(g), change(b), a);
    return result;
}

// The device's system version read as its leading decimal number ("8.0.2" is 8).
bool keypadsSupported() {
    return Values::lenientDouble(Device::current().systemVersion()) > 8.0;
}

QString trimmedOfSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    return text.mid(start, end - start);
}

const QRegularExpression& emailPattern() {
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,4}")));
    return pattern;
}

// A blurred copy of the shape in the colour: three box passes approximate the soft edge.
QImage blurredShape(const QSize& size, const QPainterPath& shape, const QColor& color, int radius) {
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(shape, color);
    }
    const int box = std::max(1, radius / 2);
    const int w = layer.width();
    const int h = layer.height();
    std::vector<quint32> line;
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 0; horizontal < 2; ++horizontal) {
            const int lines = horizontal ? h : w;
            const int length = horizontal ? w : h;
            line.resize(size_t(length));
            for (int l = 0; l < lines; ++l) {
                auto at = [&](int i) -> QRgb& {
                    return horizontal ? reinterpret_cast<QRgb*>(layer.scanLine(l))[i]
                                      : reinterpret_cast<QRgb*>(layer.scanLine(i))[l];
                };
                for (int i = 0; i < length; ++i)
                    line[size_t(i)] = at(i);
                for (int i = 0; i < length; ++i) {
                    int sum[4] = {0, 0, 0, 0};
                    int count = 0;
                    for (int k = std::max(0, i - box); k <= std::min(length - 1, i + box); ++k) {
                        const QRgb p = line[size_t(k)];
                        sum[0] += qRed(p);
                        sum[1] += qGreen(p);
                        sum[2] += qBlue(p);
                        sum[3] += qAlpha(p);
                        ++count;
                    }
                    at(i) = qRgba(sum[0] / count, sum[1] / count, sum[2] / count, sum[3] / count);
                }
            }
        }
    }
    return layer;
}

} // namespace

LayoutConstraint*
AutoLayoutUtilities::constraintForIdentifier(const QString& identifier,
                                             const QList<LayoutConstraint*>& constraints) {
    for (LayoutConstraint* constraint : constraints)
        if (constraint && constraint->identifier() == identifier)
            return constraint;
    return nullptr;
}

QColor AutoLayoutUtilities::translucentColorFromColor(const QColor& color) {
    const auto result =
        mapComponents(color, [](float c) { return std::max((c * 255 - 23) / 232, 0.0f); });
    return result ? *result : color;
}

std::optional<QColor> AutoLayoutUtilities::lighterColorForColor(const QColor& color) {
    return mapComponents(color, [](float c) { return std::min(c + 0.2f, 1.0f); });
}

std::optional<QColor> AutoLayoutUtilities::darkerColorForColor(const QColor& color) {
    return mapComponents(color, [](float c) { return std::max(c - 0.2f, 0.0f); });
}

QImage AutoLayoutUtilities::imageWithColor(const QColor& color) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QImage AutoLayoutUtilities::imageWithImage(const QImage& image, const QSizeF& size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal scale = screen ? screen->devicePixelRatio() : 1.0;
    QImage result((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    result.setDevicePixelRatio(scale);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(), size), image);
    return result;
}

ViewController* AutoLayoutUtilities::getTopMostViewController() {
    Window* window = Window::keyWindow();
    if (!window || !window->rootViewController())
        return nullptr;
    return topViewController(window->rootViewController());
}

ViewController* AutoLayoutUtilities::topViewController(ViewController* controller) {
    ViewController* top = controller;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

QWidget* AutoLayoutUtilities::instanceNumericKeyboard() {
    if (!keypadsSupported())
        return nullptr;
    if (Device::current().isIpad())
        return iPadNumericKeyboard::instance();
    return NumericKeyboard::init();
}

QWidget* AutoLayoutUtilities::instanceNumericKeyboardWithDoubleZero() {
    if (!keypadsSupported())
        return nullptr;
    if (Device::current().isIpad())
        return iPadNumericKeyboard::instance();
    return NumericKeyboard::initWithDobuleZero();
}

QWidget* AutoLayoutUtilities::instanceNumericKeyboardWithHeight(double height) {
    if (!keypadsSupported())
        return nullptr;
    return NumericKeyboard::initWithHeight(height);
}

void AutoLayoutUtilities::useNumericKeyboard(QWidget* keypad, TextField* field) {
    if (!field) {
        delete keypad;
        return;
    }
    // The phone keypad (and its kinds) gives way to the system number pad.
    if (keypad && keypad->inherits("NumericKeyboard")) {
        delete keypad;
        keypad = nullptr;
    }
    if (keypad) {
        if (!keypad->parent()) {
            keypad->setParent(field, Qt::Widget);
            keypad->hide();
        }
        field->setInputView(keypad);
    } else {
        field->setKeyboardType(TextField::KeyboardType::NumberPad);
    }
}

void AutoLayoutUtilities::showEmailAlert(const QString& key) {
    ViewController* top = getTopMostViewController();
    if (!top) {
        Logging::warning(tarvelloUi, QStringLiteral("No screen to show the e-mail alert on"));
        return;
    }
    auto* alert =
        SystemAlert::alertControllerWithTitle(QString(), Language::textForFile("GlobalTexts", key));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    top->presentViewController(alert, true);
}

bool AutoLayoutUtilities::IsValidEmailSilent(const QString& text, bool silent) {
    const bool valid = emailPattern().match(trimmedOfSpaces(text)).hasMatch();
    if (!valid && !silent)
        showEmailAlert(QStringLiteral("wrongEmailFormat"));
    return valid;
}

bool AutoLayoutUtilities::IsValidEmail(const QString& text) {
    return IsValidEmailSilent(text, false);
}

bool AutoLayoutUtilities::IsValidLoginEmail(const QString& text) {
    const bool valid = IsValidEmailSilent(text, true);
    if (!valid)
        showEmailAlert(QStringLiteral("wrongEmailLoginFormat"));
    return valid;
}

bool AutoLayoutUtilities::validMultipleEmailsFromStringSilent(const QString& text, bool silent) {
    const QStringList pieces = text.split(u' ');
    for (const QString& piece : pieces)
        if (!IsValidEmailSilent(piece, true)) {
            if (!silent)
                showEmailAlert(QStringLiteral("wrongEmailFormat"));
            return false;
        }
    return true;
}

bool AutoLayoutUtilities::validMultipleEmailsFromString(const QString& text) {
    return validMultipleEmailsFromStringSilent(text, false);
}

QString AutoLayoutUtilities::JSONStringFromJSONObject(const QVariant& object) {
    const QJsonDocument document = QJsonDocument::fromVariant(object);
    if (document.isNull())
        return QString();
    return QString::fromUtf8(document.toJson(QJsonDocument::Indented));
}

void AutoLayoutUtilities::printedJSONFromJSONObject(const QVariant& object) {
    const QString text = JSONStringFromJSONObject(object);
    Logging::info(tarvelloUi,
                  text.isEmpty() ? QStringLiteral("The object cannot be written as JSON") : text);
}

void AutoLayoutUtilities::addBackgroundShadowToView(QWidget* view, QWidget* onView) {
    if (!view || !onView)
        return;
    const QRect frame = view->geometry();
    const QSizeF imageSize(frame.width() + 20, frame.height() + 20);
    const double radius = View::cornerRadius(view);
    const QImage shadow = KVRenderer::renderImageWithSize(imageSize, true, [&](QPainter& painter) {
        // The view's shape, centred in the picture, over its red blur.
        QPainterPath shape;
        shape.addRoundedRect(QRectF(QPointF(10, 10), frame.size()), radius, radius);
        painter.drawImage(QPointF(0, 0),
                          blurredShape(imageSize.toSize(), shape, QColor(Qt::red), 6));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(shape, Qt::white);
    });
    auto* imageView = new ImageView(shadow, onView);
    imageView->setContentMode(ImageView::ContentMode::Center);
    imageView->setGeometry(frame.adjusted(-10, -10, 10, 10));
    imageView->stackUnder(view);
    imageView->show();
    using Attribute = LayoutConstraint::Attribute;
    for (Attribute axis : {Attribute::CenterY, Attribute::CenterX}) {
        auto* centre = LayoutConstraint::addTo(
            onView, new LayoutConstraint(view, axis, imageView, axis, 1.0, 0.0));
        centre->setActive(true);
    }
}
