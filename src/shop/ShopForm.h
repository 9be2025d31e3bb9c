#pragma once

#include "platform/ui/TextField.h"

#include <QList>
#include <QPointer>
#include <QString>

class PickerView;
class QFormLayout;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class QWidget;

// Rows of the shop's forms: a caption above a text field, the field named for its outlet.
namespace ShopForm {

// A field row; the row's container is named `name` + "Row".
TextField* addField(QWidget* parent, QFormLayout* form, const QString& name, const QString& caption,
                    TextField* field = nullptr);

// Builds one form into a screen's column: rows of fields told to the screen as their delegate,
// the required ones listed for the screen's completeness check.
class Builder {
public:
    // A scrolling form (a scroll area named "scrollView") or rows straight in the column.
    enum class Body { Scrolling, Plain };

    Builder(QWidget* root, QVBoxLayout* column, TextFieldDelegate* delegate,
            QList<QPointer<TextField>>* required, Body body = Body::Scrolling);

    // A row whose field must be filled; `made` stands in for the plain field (a phone field).
    TextField* required(const char* name, const char* caption,
                        TextField::KeyboardType keyboard = TextField::KeyboardType::Default,
                        TextField* made = nullptr);
    TextField* optional(const char* name, const char* caption);
    // The province button ("stateButton") with its picker ("statePicker") under it, hidden.
    void addProvinceChooser(QPushButton** button, PickerView** picker);

    QScrollArea* scrollArea() const { return scroll_; }
    // The row named `name` + "Row".
    QWidget* row(const char* name) const;

private:
    TextField* add(const char* name, const char* caption, TextField* made);

    QWidget* body_ = nullptr;
    QFormLayout* form_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TextFieldDelegate* delegate_ = nullptr;
    QList<QPointer<TextField>>* required_ = nullptr;
};

// A gap at the foot of the column as high as the part of the root the keyboard covers; it follows
// the keyboard's notifications, animated on the Clock with the keyboard's own duration. Named
// "keyboardGap".
QWidget* addKeyboardGap(QWidget* root, QVBoxLayout* column);

} // namespace ShopForm
