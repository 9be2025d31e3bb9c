#pragma once

#include <QWidget>

// A collection cell laid out entirely by its layout; it carries no logic of its own.
class HistoryCollectionViewCell : public QWidget {
    Q_OBJECT
public:
    explicit HistoryCollectionViewCell(QWidget* parent = nullptr);

private:
    void awakeFromNib();
};
