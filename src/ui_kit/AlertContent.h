#pragma once

#include <QLabel>
#include <functional>

class TableView;
class TextField;

// One content row of a message box. Each kind takes its prototype cell from the content table
// and hands the cell's views (found by tag) to its configuration block, every time the cell is
// made, so a block must be safe to run again.
class AlertContent {
public:
    virtual ~AlertContent() = default;
    // The configured cell; the base row has none.
    virtual QWidget* getCellForTableView(TableView* tableView) {
        (void)tableView;
        return nullptr;
    }
};

// A text row: cell "Description", the label with tag 1.
class AlertContentLabel : public AlertContent {
public:
    std::function<void(QLabel*)> configurationHandler;
    QWidget* getCellForTableView(TableView* tableView) override;
};

// A field row: cell "TextField", the field with tag 1.
class AlertContentTextField : public AlertContent {
public:
    std::function<void(TextField*)> configurationHandler;
    QWidget* getCellForTableView(TableView* tableView) override;
};

// A label with a picture: cell "Detail", the label with tag 1 and the image view with tag 2.
class AlertContentDetail : public AlertContent {
public:
    std::function<void(QLabel*, QLabel*)> configurationHandler;
    QWidget* getCellForTableView(TableView* tableView) override;
};
