#include "shop/ShopForm.h"

#include "platform/ui/TextField.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ShopForm {

TextField* addField(QWidget* parent, QFormLayout* form, const QString& name, const QString& caption,
                    TextField* field) {
    auto* row = new QWidget(parent);
    row->setObjectName(name + QStringLiteral("Row"));
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(2);
    auto* label = new QLabel(caption, row);
    label->setStyleSheet(QStringLiteral("color: #777; font-size: 12px;"));
    if (!field)
        field = new TextField(row);
    else
        field->setParent(row);
    field->setObjectName(name);
    field->setPlaceholderText(caption);
    field->setMinimumHeight(34);
    column->addWidget(label);
    column->addWidget(field);
    form->addRow(row);
    return field;
}

} // namespace ShopForm
