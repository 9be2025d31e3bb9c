#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <optional>

// Told when the card's button is tapped.
class SectionTutorialViewDelegate {
public:
    virtual ~SectionTutorialViewDelegate() = default;
    virtual void buttonTouched() {}
};

// A card that introduces a section: an icon, a text and an optional button.
//
// Widgets (by objectName): "icon", "text", "button".
class SectionTutorialView : public QWidget {
    Q_OBJECT
public:
    explicit SectionTutorialView(QWidget* parent = nullptr);

    // The card with the bundle image of that name and the text. A button title of "" hides the
    // button; any other shows it with that title, none shows it with no title.
    static SectionTutorialView* initWithImage(const QString& imageName, const QString& text,
                                              const std::optional<QString>& buttonTitle);

    // The button's action: tells the delegate.
    void buttonTouched();

    QLabel* icon() const { return icon_; }
    QLabel* text() const { return text_; }
    QPushButton* button() const { return button_; }
    // Not owned; cleared by its owner before it goes.
    SectionTutorialViewDelegate* delegate() const { return delegate_; }
    void setDelegate(SectionTutorialViewDelegate* delegate) { delegate_ = delegate; }

private:
    QPointer<QLabel> icon_;
    QPointer<QLabel> text_;
    QPointer<QPushButton> button_;
    SectionTutorialViewDelegate* delegate_ = nullptr;
};
