#pragma once

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/AlertAction.h"
#include "ui_kit/AlertContent.h"

#include <QImage>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <memory>
#include <vector>

class TextField;

// The system's modal message box: a title with an optional icon, content rows (the message,
// text fields, labels with pictures) and tappable actions. A tap closes the box and then runs
// the action's handler. The box looks no texts up itself; callers pass them.
//
// A null title or message is absent (no title line, no message row).
class AlertController : public ViewController,
                        public TableViewDataSource,
                        public TableViewDelegate {
    Q_OBJECT
public:
    enum AlertType { AlertTypeNone = 0, AlertTypeError = 1, AlertTypeOK = 2, AlertTypeCustom = 3 };

    explicit AlertController(QObject* parent = nullptr);

    // A box from the storyboard "Alert" with the title and message.
    static AlertController* alertControllerWithTitle(const QString& title, const QString& message);

    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QString message() const { return message_; }
    void setMessage(const QString& message) { message_ = message; }
    int alertType() const { return alertType_; }
    void setAlertType(int type) { alertType_ = type; }
    std::shared_ptr<AlertAction> preferredAction() const { return preferredAction_; }
    void setPreferredAction(std::shared_ptr<AlertAction> action) {
        preferredAction_ = std::move(action);
    }
    // Requires the custom type (3) first.
    void setCustomIcon(const QImage& image);

    void addAction(std::shared_ptr<AlertAction> action);
    // In the order added.
    QList<std::shared_ptr<AlertAction>> actions() const { return actions_; }
    // In the order shown: the one cancel action stands last.
    QList<std::shared_ptr<AlertAction>> orderedActions() const { return orderedActions_; }
    void addLabelWithConfigurationHandler(std::function<void(QLabel*)> handler);
    void addDetailWithConfigurationHandler(std::function<void(QLabel*, QLabel*)> handler);
    void addTextFieldWithConfigurationHandler(std::function<void(TextField*)> handler);
    QList<TextField*> textFields() const;

    // A popover on a root without regular width becomes over-current-context.
    void setModalPresentationStyle(ModalPresentationStyle style) override;

    // Outlets.
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* titleIcon() const { return titleIcon_; }
    QWidget* mainView() const { return mainView_; }
    QWidget* headerView() const { return headerView_; }
    TableView* contentTableView() const { return contentTableView_; }
    TableView* actionsTableView() const { return actionsTableView_; }
    int contentHeightConstraint() const { return contentHeight_; }
    int actionsHeightConstraint() const { return actionsHeight_; }
    int actionsMinimunHeightConstraint() const { return actionsMinimumHeight_; }
    QSize preferredContentSize() const { return preferredContentSize_; }

    // Taps the action row with the title, as a person would.
    bool tapActionWithTitle(const QString& title);

    void viewWillAppear(bool animated) override;
    void viewDidLayoutSubviews() override;

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewWillDisplayCell(TableView* table, QWidget* cell, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    void updateSizes();
    QString title_;
    QString message_;
    int alertType_ = AlertTypeNone;
    std::shared_ptr<AlertAction> preferredAction_;
    QList<std::shared_ptr<AlertAction>> actions_;
    QList<std::shared_ptr<AlertAction>> orderedActions_;
    std::vector<std::shared_ptr<AlertContent>> content_;
    QList<QPointer<TextField>> textFields_;
    QImage customIcon_;
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> titleIcon_;
    QPointer<QWidget> mainView_;
    QPointer<QWidget> headerView_;
    QPointer<TableView> contentTableView_;
    QPointer<TableView> actionsTableView_;
    int contentHeight_ = 0;
    int actionsHeight_ = 0;
    int actionsMinimumHeight_ = 132;
    QMargins panelMargins_{24, 24, 24, 24};
    QSize preferredContentSize_;
    bool closing_ = false;
};
