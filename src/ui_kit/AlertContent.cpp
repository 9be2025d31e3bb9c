#include "ui_kit/AlertContent.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"

QWidget* AlertContentLabel::getCellForTableView(TableView* tableView) {
    QWidget* cell = tableView->dequeueReusableCellWithIdentifier(QStringLiteral("Description"));
    if (!cell)
        return nullptr;
    if (auto* label = qobject_cast<QLabel*>(View::viewWithTag(cell, 1)))
        if (configurationHandler)
            configurationHandler(label);
    return cell;
}

QWidget* AlertContentTextField::getCellForTableView(TableView* tableView) {
    QWidget* cell = tableView->dequeueReusableCellWithIdentifier(QStringLiteral("TextField"));
    if (!cell)
        return nullptr;
    if (auto* field = qobject_cast<TextField*>(View::viewWithTag(cell, 1)))
        if (configurationHandler)
            configurationHandler(field);
    return cell;
}

QWidget* AlertContentDetail::getCellForTableView(TableView* tableView) {
    QWidget* cell = tableView->dequeueReusableCellWithIdentifier(QStringLiteral("Detail"));
    if (!cell)
        return nullptr;
    auto* label = qobject_cast<QLabel*>(View::viewWithTag(cell, 1));
    auto* image = qobject_cast<QLabel*>(View::viewWithTag(cell, 2));
    if (configurationHandler)
        configurationHandler(label, image);
    return cell;
}
