#pragma once

#include "model/Item.h"

// A line editor: takes the sale line it edits before its view loads.
class SaleLineEditor {
public:
    virtual ~SaleLineEditor() = default;
    virtual void setItem(const ItemPtr& item) = 0;
};

// The editor of a typed-in line: takes the line to modify.
class FreeItemEditor {
public:
    virtual ~FreeItemEditor() = default;
    virtual void setItemToModify(const ItemPtr& item) = 0;
};
