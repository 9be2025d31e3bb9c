#pragma once

#include "platform/ui/TableViewCell.h"

// The tax list's footer cell; its content comes entirely from its layout.
class TaxFooterTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    using TableViewCell::TableViewCell;
};
