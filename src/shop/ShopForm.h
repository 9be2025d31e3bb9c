#pragma once

#include <QString>

#include <QFormLayout>
#include <QWidget>
class TextField;

// Rows of the shop's forms: a caption above a text field, the field named for its outlet.
namespace ShopForm {

// A field row; the row's container is named `name` + "Row".
TextField* addField(QWidget* parent, QFormLayout* form, const QString& name, const QString& caption,
                    TextField* field = nullptr);

} // namespace ShopForm
