#pragma once

#include "platform/ui/ViewController.h"

#include <QColor>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <functional>

class TextField;
class QVBoxLayout;

// One button of a plain alert or action sheet.
class SystemAlertAction {
public:
    enum Style { Default = 0, Cancel = 1, Destructive = 2 };
    SystemAlertAction(QString title, Style style, std::function<void(SystemAlertAction*)> handler)
        : title_(std::move(title))
        , style_(style)
        , handler_(std::move(handler)) {}
    QString title() const { return title_; }
    Style style() const { return style_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    void run() {
        if (handler_)
            handler_(this);
    }

private:
    QString title_;
    Style style_;
    std::function<void(SystemAlertAction*)> handler_;
    bool enabled_ = true;
};

// The platform's plain alert and action sheet: title, message, text fields and buttons in the
// order added (the cancel button last in an action sheet). A tap dismisses the alert and then
// runs the button's handler. Widgets: "titleLabel", "messageLabel", buttons with their titles.
class SystemAlert : public ViewController {
    Q_OBJECT
public:
    enum class Style { Alert, ActionSheet };

    SystemAlert(const QString& title, const QString& message, Style style = Style::Alert,
                QObject* parent = nullptr);
    static SystemAlert* alertControllerWithTitle(const QString& title, const QString& message,
                                                 Style style = Style::Alert) {
        return new SystemAlert(title, message, style);
    }

    QString message() const { return message_; }
    void setMessage(const QString& message);
    Style preferredStyle() const { return style_; }
    void addAction(const QString& title, SystemAlertAction::Style style,
                   std::function<void(SystemAlertAction*)> handler = {});
    QList<SystemAlertAction*> actions() const;
    void addTextFieldWithConfigurationHandler(std::function<void(TextField*)> configure);
    QList<TextField*> textFields() const;
    // The button of an action, for tests and screens that look at it.
    QPushButton* buttonForAction(int index);
    // Taps the button with the title as a person would.
    bool tapButtonWithTitle(const QString& title);

protected:
    QWidget* loadView() override;

private:
    void rebuildButtons();
    void tapped(int index);
    QString message_;
    Style style_;
    std::vector<std::unique_ptr<SystemAlertAction>> actions_;
    QList<std::function<void(TextField*)>> fieldConfigs_;
    QList<QPointer<TextField>> fields_;
    QList<QPointer<QPushButton>> buttons_;
    QPointer<QWidget> panel_;
    QPointer<QVBoxLayout> buttonColumn_;
    bool tappedOnce_ = false;
};

// A small tip shown next to a rectangle of a view; it closes on a tap on it or outside it.
class PopoverTip : public QLabel {
    Q_OBJECT
public:
    explicit PopoverTip(QWidget* parent = nullptr);
    // The bubble's and the text's colours (dark grey and white unless set).
    void setColors(const QColor& bubble, const QColor& text);
    // Shows the text above or below the frame (in the view's coordinates), at most maxWidth wide.
    void showText(const QString& text, const QRect& frame, QWidget* inView, int maxWidth,
                  bool above, int offset = 4);
    void hideTip();

signals:
    void dismissed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
