#pragma once

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/TVProgressButton.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <functional>

class LayoutConstraint;
class QLabel;
class QPushButton;

// The modal screen on which the merchant links a bank account by CBU (22 digits) or alias
// (6 to 20 letters, digits, dots or hyphens). The send button fills while the request runs;
// a linked account closes the screen after the button's finishing animation, a refused one
// keeps the text and shows why it failed.
//
// Outlets by objectName: "navigationBar" (with "navigationTitle" and "closeButton"),
// "titleLabel", "textField", "textFieldBottomView", "progressButtonContainer",
// "progressButton", "blockerView"; the constraint progressButtonBottomConstraint().
class TVLinkCBUViewController : public ViewController, public TVProgressButtonDelegate {
    Q_OBJECT
public:
    explicit TVLinkCBUViewController(QObject* parent = nullptr);
    ~TVLinkCBUViewController() override;

    // Told once, when the screen closes (linked or not).
    void setOnClose(std::function<void()> onClose) { onClose_ = std::move(onClose); }

    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;

    void textFieldDidChange();
    void buttonTapped();
    void close();
    void finishedAnimation() override;

    // The request body: {"bankAccount": {"cbu" | "alias": text}}, pretty-printed.
    static QByteArray dataFromCBUOrAlias(const QString& text);
    // Every character a decimal digit (of any script).
    static bool isCBU(const QString& text);
    static bool isCBUValid(const QString& text);
    static bool isAliasValid(const QString& text);
    // The pattern matches the whole text (a trailing line break does not pass).
    static bool validateWithRegexText(const QString& pattern, const QString& text);
    // Whether the text may be sent.
    static bool isSendable(const QString& text);

    TVProgressButton* progressButton() const { return progressButton_; }
    TextField* textField() const { return textField_; }
    QWidget* blockerView() const { return blockerView_; }
    LayoutConstraint* progressButtonBottomConstraint() const { return bottomConstraint_; }
    AlertController* alertController() const { return alertController_; }

protected:
    QWidget* loadView() override;

private:
    void keyboardShown(const QRect& beginFrame);
    void keyboardHidden();
    void putAliasOrCBU();
    void linkFailed();

    std::function<void()> onClose_;
    bool closed_ = false;
    QPointer<QWidget> navigationBar_;
    QPointer<QLabel> navigationTitle_;
    QPointer<QLabel> titleLabel_;
    QPointer<TextField> textField_;
    QPointer<QWidget> textFieldBottomView_;
    QPointer<QWidget> progressButtonContainer_;
    QPointer<TVProgressButton> progressButton_;
    QPointer<QWidget> blockerView_;
    QPointer<AlertController> alertController_;
    LayoutConstraint* bottomConstraint_ = nullptr;
};
