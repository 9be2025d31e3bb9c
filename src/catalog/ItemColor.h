#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

// The item palette and the round letter avatar of products and free-amount lines without a
// picture: a disc ("circle") with centred text ("letter") laid out at its design size, drawn
// and then stretched into a side x side image.
class ItemColor : public QWidget {
    Q_OBJECT
public:
    // The view's own size, at which it is drawn before stretching.
    static constexpr int kDesignSide = 70;
    // The letter's font at the design size; sides above 70 take HelveticaNeue-Medium 32.
    static constexpr qreal kDesignFontSize = 26;

    explicit ItemColor(QWidget* parent = nullptr);
    // A new avatar view laid out as designed.
    static std::unique_ptr<ItemColor> init();

    // Palette entry 0 to 8 (0 is the 0.4 grey, 3 is 210, 140, 10); none outside.
    static std::optional<QColor> colorWithName(int index);
    // The nine palette colours in index order.
    static QList<QColor> availableColors();
    // The avatar view for the text, colour and side, before it is drawn.
    static std::unique_ptr<ItemColor> avatarView(const QString& text, const QColor& color,
                                                 int width);
    // The avatar as a width x width image (text as given, an empty text a bare disc).
    static QImage itemWithLetter(const QString& text, const QColor& color, int width);

    QWidget* circle() const { return circle_; }
    QLabel* letter() const { return letter_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> circle_;
    QPointer<QLabel> letter_;
};
