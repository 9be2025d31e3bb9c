#pragma once

#include <QColor>
#include <QWidget>

// A hairline divider, light grey (178/255): its background is the line. It keeps its position
// and width and is half a point high, which a widget rounds up to one point.
class DivLine : public QWidget {
    Q_OBJECT
public:
    explicit DivLine(QWidget* parent = nullptr);

protected:
    DivLine(const QColor& color, QWidget* parent);

private:
    void awakeFromNib(const QColor& color);
};
