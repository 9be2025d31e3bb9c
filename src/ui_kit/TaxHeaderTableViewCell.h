#pragma once

#include "platform/ui/TableViewCell.h"

// The tax list's header cell; its content comes entirely from its layout.
class TaxHeaderTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    using TableViewCell::TableViewCell;
};
