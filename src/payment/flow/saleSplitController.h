#pragma once

#include "ui_kit/SplitViewController.h"

// The pad's sale split: the first column is always 704 points wide and the second fills the
// rest, whenever both columns are side by side.
class saleSplitController : public SplitViewController {
    Q_OBJECT
public:
    static constexpr int kFirstColumnWidth = 704;

    explicit saleSplitController(QObject* parent = nullptr);

    void viewDidLayoutSubviews() override;
};
