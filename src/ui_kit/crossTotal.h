#pragma once

#include <QWidget>

// A transparent view that strikes out what lies under it with a thin grey X, corner to corner.
class crossTotal : public QWidget {
    Q_OBJECT
public:
    explicit crossTotal(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
