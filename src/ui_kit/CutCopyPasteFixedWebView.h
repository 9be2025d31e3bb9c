#pragma once

#include <QPointer>
#include <QStringList>
#include <QTextBrowser>

class QAction;

// A page view that answers the standard edit actions by handing each to the view inside it
// that holds the page. The actions are the widget's QActions, named by their action names.
class CutCopyPasteFixedWebView : public QTextBrowser {
    Q_OBJECT
public:
    enum class EditAction {
        Cut,
        Copy,
        Paste,
        Select,
        SelectAll,
        Delete,
        MakeTextWritingDirectionLeftToRight,
        MakeTextWritingDirectionRightToLeft,
        ToggleBoldface,
        ToggleItalics,
        ToggleUnderline,
        IncreaseSize,
        DecreaseSize,
    };

    explicit CutCopyPasteFixedWebView(QWidget* parent = nullptr);

    // The 13 action names in order: "cut:", "copy:", ... "decreaseSize:".
    static QStringList editActionNames();
    QAction* editAction(EditAction action) const;

    // Hands the action to the page's view; does nothing when there is none.
    void performEditAction(EditAction action, QObject* sender);

    // The view that holds the page, found once and remembered (not owned); null when the
    // view has no such child yet.
    QWidget* internalView();

private:
    void prepareForNoCrashes();
    QPointer<QWidget> internalView_;
    QList<QAction*> actions_;
};
