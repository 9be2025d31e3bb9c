#pragma once

#include <QWidget>

// A collection cell laid out entirely by its layout; it carries no logic of its own.
class BatchCollectionViewCell : public QWidget {
    Q_OBJECT
public:
    explicit BatchCollectionViewCell(QWidget* parent = nullptr);

private:
    void awakeFromNib();
};
