#pragma once

#include "platform/ui/ImageView.h"

#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/SingleInputConfigurator.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVariantMap>
#include <functional>
#include <optional>

// A screen that asks for one value: a picture and a prompt above one text field, and a continue
// button above the keyboard. A sequence of these screens, one per configurator, follows on one
// navigation stack; each stores its answer under its key, and the last hands every answer to
// the caller's onDismiss with the first screen of the sequence. The screens never close
// themselves: the caller's block dismisses or pops them.
//
// Widgets (by objectName): "imageView", "label", "textField", "tintedView", "continueButton";
// the cancel button is the left bar button "cancelButton".
class SingleInputViewController : public ViewController, public TextFieldDelegate {
    Q_OBJECT
public:
    using CancelHandler = std::function<void(SingleInputViewController* screen)>;
    using DismissHandler =
        std::function<void(SingleInputViewController* first, const QVariantMap& parameters)>;

    // The answer typed to the required length continues by itself after this delay.
    static constexpr int kAutoContinueMs = 100;
    // Room left under the continue button for the keyboard (before the safe area).
    static constexpr int kKeyboardSpace = 247;

    explicit SingleInputViewController(QObject* parent = nullptr);

    // Shows the first step: presented in its own navigation controller (present true) or pushed
    // on onView's navigation controller. parameters start the answers. An empty list or a null
    // entry is a caller's mistake and stops with an assertion.
    static void present(bool present, const SingleInputConfigurators& configurators,
                        const std::optional<QVariantMap>& parameters, ViewController* onView,
                        bool canBeCanceled, CancelHandler cancelationHandler,
                        DismissHandler onDismiss);
    // A new screen of the storyboard "Inputs"; with navigation, a navigation controller whose
    // root is the input screen. Null when the storyboard lacks it.
    static ViewController* viewControllerWithNavigation(bool navigation);

    std::shared_ptr<SingleInputConfigurator> configurator() const { return configurator_; }
    void setConfigurator(std::shared_ptr<SingleInputConfigurator> configurator) {
        configurator_ = std::move(configurator);
    }
    // The steps after this one.
    SingleInputConfigurators configurators() const { return configurators_; }
    void setConfigurators(const SingleInputConfigurators& configurators) {
        configurators_ = configurators;
    }
    // Answers so far (key to text), with the initial parameters.
    QVariantMap parameters() const { return parameters_; }
    void setParameters(const QVariantMap& parameters) { parameters_ = parameters; }
    // This screen is the first of a presented sequence.
    bool presented() const { return presented_; }
    void setPresented(bool presented) { presented_ = presented; }
    bool canBeCanceled() const { return canBeCanceled_; }
    void setCanBeCanceled(bool canBeCanceled) { canBeCanceled_ = canBeCanceled; }
    DismissHandler onDismiss() const { return onDismiss_; }
    void setOnDismiss(DismissHandler handler) { onDismiss_ = std::move(handler); }
    CancelHandler onCancel() const { return onCancel_; }
    // The caller may remove or replace the cancel block while the sequence shows.
    void setOnCancel(CancelHandler handler) { onCancel_ = std::move(handler); }
    // The first screen of this screen's sequence.
    SingleInputViewController* firstScreen() const;

    // Outlets.
    ImageView* imageView() const { return imageView_; }
    QLabel* label() const { return label_; }
    TextField* textField() const { return textField_; }
    QWidget* tintedView() const { return tintedView_; }
    QPushButton* continueButton() const { return continueButton_; }
    // The space between the continue button and the bottom of the screen.
    int continueButtonBottomConstraint() const { return bottomConstant_; }
    PopoverTip* popoverTip() const { return tip_; }

    // Actions.
    void continueButtonTapped();
    void cancel();
    // Hands the answers to onDismiss, once, with the sequence's first screen.
    void dismiss(SingleInputViewController* first);

    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

protected:
    QWidget* loadView() override;

private:
    static SingleInputViewController*
    startSequence(bool present, const SingleInputConfigurators& configurators,
                  const std::optional<QVariantMap>& parameters, ViewController* onView,
                  bool canBeCanceled, CancelHandler cancelationHandler, DismissHandler onDismiss);
    void configurateView();
    void setBottomConstant(int constant);
    bool isOnTop() const;

    std::shared_ptr<SingleInputConfigurator> configurator_;
    SingleInputConfigurators configurators_;
    QVariantMap parameters_;
    bool presented_ = false;
    bool canBeCanceled_ = false;
    DismissHandler onDismiss_;
    CancelHandler onCancel_;
    QPointer<SingleInputViewController> first_;
    Clock::Handle autoContinue_ = 0;

    QPointer<ImageView> imageView_;
    QPointer<QLabel> label_;
    QPointer<TextField> textField_;
    QPointer<QWidget> tintedView_;
    QPointer<QPushButton> continueButton_;
    QPointer<QWidget> bottomSpace_;
    QPointer<PopoverTip> tip_;
    int bottomConstant_ = 0;
};
