#pragma once

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QList>
#include <QPointer>

class QLabel;
class QPushButton;
class QScrollArea;

// What the three signup screens share: a chain of fields with previous, next and done items,
// the shift that keeps the edited field in sight on small screens, the background touch that
// ends editing, the cancel sheet and the plain message box. Each screen gives its constants.
class SignupFormController : public ViewController, public TextFieldDelegate {
    Q_OBJECT
public:
    static constexpr int kShiftMs = 300;
    static inline const QColor kErrorColor{200, 40, 0};

    // The chain's fields, in order.
    QList<TextField*> chain() const { return chain_; }
    // The field being edited, or null.
    TextField* objectFirstResponder() const;

    void nextField();
    void previousField();
    void doneWithField();
    void backgroundTouched();
    // Frame form (steps 1 and 3) or scroll form (step 2).
    void setViewMovedUp(int offset);
    void cancel();
    void showAlertMessage(const QString& message);
    virtual void nextStep() = 0;

    void textFieldDidBeginEditing(TextField* field) override;
    bool textFieldShouldReturn(TextField* field) override;

    int supportedInterfaceOrientations() const override { return 2; }
    QWidget* itemsView() const { return itemsView_; }
    QScrollArea* scrollView() const { return scrollView_; }

protected:
    enum class Form { Frame, Scroll };
    struct Constants {
        Form form = Form::Frame;
        int restOffset = 64;
        bool doneRunsNextStep = false;
        QColor editingColor = Qt::black;
        bool cancelBySegue = false;
    };
    SignupFormController(Constants constants, QObject* parent);

    // Builds the bar (title, cancel, continue), the toolbar and the container; fields are then
    // added with addField() into formLayout().
    QWidget* buildForm(const QString& continueName);
    TextField* addField(const QString& name, QWidget* parent = nullptr);
    class QVBoxLayout* formLayout() const {
        return formLayout_;
    }
    virtual int offsetForField(TextField* field) const = 0;
    // The screen's own Return handling; false falls back to the next field.
    virtual bool submitsOnReturn(TextField* field) const = 0;
    void setFieldColor(TextField* field, const QColor& color);
    void setTexts(const QString& title, const QString& continueTitle);

    QLabel* titleBar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* continueButton_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* numberToolbarDone_ = nullptr;
    QWidget* itemsView_ = nullptr;
    QScrollArea* scrollView_ = nullptr;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    Constants constants_;
    QList<TextField*> chain_;
    class QVBoxLayout* formLayout_ = nullptr;
    QWidget* root_ = nullptr;
};
