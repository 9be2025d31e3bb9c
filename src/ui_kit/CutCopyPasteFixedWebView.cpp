#include "ui_kit/CutCopyPasteFixedWebView.h"

#include <QAction>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

CutCopyPasteFixedWebView::CutCopyPasteFixedWebView(QWidget* parent)
    : QTextBrowser(parent) {
    prepareForNoCrashes();
}

QStringList CutCopyPasteFixedWebView::editActionNames() {
    return {QStringLiteral("cut:"),
            QStringLiteral("copy:"),
            QStringLiteral("paste:"),
            QStringLiteral("select:"),
            QStringLiteral("selectAll:"),
            QStringLiteral("delete:"),
            QStringLiteral("makeTextWritingDirectionLeftToRight:"),
            QStringLiteral("makeTextWritingDirectionRightToLeft:"),
            QStringLiteral("toggleBoldface:"),
            QStringLiteral("toggleItalics:"),
            QStringLiteral("toggleUnderline:"),
            QStringLiteral("increaseSize:"),
            QStringLiteral("decreaseSize:")};
}

void CutCopyPasteFixedWebView::prepareForNoCrashes() {
    const QStringList names = editActionNames();
    for (int i = 0; i < names.size(); ++i) {
        auto* action = new QAction(names.at(i), this);
        action->setObjectName(names.at(i));
        action->setShortcutContext(Qt::WidgetShortcut);
        const auto kind = EditAction(i);
        connect(action, &QAction::triggered, this,
                [this, kind, action] { performEditAction(kind, action); });
        addAction(action);
        actions_.append(action);
    }
}

QAction* CutCopyPasteFixedWebView::editAction(EditAction action) const {
    const int index = int(action);
    return index >= 0 && index < actions_.size() ? actions_.at(index) : nullptr;
}

QWidget* CutCopyPasteFixedWebView::internalView() {
    if (internalView_)
        return internalView_;
    // The page is drawn on the scroll area's viewport.
    if (QWidget* page = viewport(); page && page->parentWidget() == this)
        internalView_ = page;
    return internalView_;
}

void CutCopyPasteFixedWebView::performEditAction(EditAction action, QObject* sender) {
    (void)sender;
    if (!internalView())
        return;
    QTextCursor cursor = textCursor();
    auto mergeFormat = [&](const std::function<void(QTextCharFormat&)>& change) {
        QTextCharFormat format;
        change(format);
        cursor.mergeCharFormat(format);
        mergeCurrentCharFormat(format);
    };
    const QTextCharFormat current = cursor.charFormat();
    switch (action) {
    case EditAction::Cut:
        cut();
        break;
    case EditAction::Copy:
        copy();
        break;
    case EditAction::Paste:
        paste();
        break;
    case EditAction::Select:
        cursor.select(QTextCursor::WordUnderCursor);
        setTextCursor(cursor);
        break;
    case EditAction::SelectAll:
        selectAll();
        break;
    case EditAction::Delete:
        if (!isReadOnly())
            cursor.removeSelectedText();
        break;
    case EditAction::MakeTextWritingDirectionLeftToRight:
    case EditAction::MakeTextWritingDirectionRightToLeft: {
        if (isReadOnly())
            break;
        QTextBlockFormat block;
        block.setLayoutDirection(action == EditAction::MakeTextWritingDirectionLeftToRight
                                     ? Qt::LeftToRight
                                     : Qt::RightToLeft);
        cursor.mergeBlockFormat(block);
        break;
    }
    case EditAction::ToggleBoldface:
    case EditAction::ToggleItalics:
    case EditAction::ToggleUnderline:
    case EditAction::IncreaseSize:
    case EditAction::DecreaseSize:
        if (isReadOnly())
            break;
        mergeFormat([&](QTextCharFormat& format) {
            if (action == EditAction::ToggleBoldface)
                format.setFontWeight(current.fontWeight() > QFont::Normal ? QFont::Normal
                                                                          : QFont::Bold);
            else if (action == EditAction::ToggleItalics)
                format.setFontItalic(!current.fontItalic());
            else if (action == EditAction::ToggleUnderline)
                format.setFontUnderline(!current.fontUnderline());
            else {
                const qreal size =
                    current.fontPointSize() > 0 ? current.fontPointSize() : font().pointSizeF();
                format.setFontPointSize(
                    std::max<qreal>(1, size + (action == EditAction::IncreaseSize ? 1 : -1)));
            }
        });
        break;
    }
}
