#pragma once

#include "platform/ui/TableViewCell.h"

class QLabel;

// A table row that shows one message, such as the empty-list text.
class MessageTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    explicit MessageTableViewCell(QWidget* parent = nullptr);

    QLabel* messageLabel() const { return messageLabel_; }

    // Modes 0 and 1 show GlobalTexts "noResults", mode 2 the message, others leave the label
    // as it is. Every mode gives the row a light grey (250) selected background and grey
    // selection.
    void prepareCellForMode(int mode, const QString& message);

private:
    QLabel* messageLabel_ = nullptr;
};
