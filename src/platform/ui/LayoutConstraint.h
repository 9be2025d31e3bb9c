#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// One layout rule, first.attribute = multiplier x second.attribute + constant, that screens
// find by identifier, read and change. A constraint belongs to the widget it was added to (its
// QObject parent); constraintsOf() lists them. Active constraints are kept true for the kinds
// the screens rely on: a constant width or height of one item, and the centre of the first item
// on the centre of the second (following the second when it moves or resizes). Other kinds are
// kept as values for their owners to read.
class LayoutConstraint : public QObject {
    Q_OBJECT
public:
    // Values as the layout files number them.
    enum class Attribute {
        NotAnAttribute = 0,
        Left = 1,
        Right = 2,
        Top = 3,
        Bottom = 4,
        Width = 7,
        Height = 8,
        CenterX = 9,
        CenterY = 10,
    };
    static constexpr float kPriorityRequired = 1000;

    LayoutConstraint(QWidget* firstItem, Attribute firstAttribute, QWidget* secondItem,
                     Attribute secondAttribute, double multiplier, double constant);
    ~LayoutConstraint() override;

    // Adds the constraint to a widget, which owns it from then on.
    static LayoutConstraint* addTo(QWidget* owner, LayoutConstraint* constraint);
    // The constraints added to the widget, in the order they were added.
    static QList<LayoutConstraint*> constraintsOf(const QWidget* owner);

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& identifier) { identifier_ = identifier; }
    double constant() const { return constant_; }
    void setConstant(double constant);
    float priority() const { return priority_; }
    void setPriority(float priority) { priority_ = priority; }
    double multiplier() const { return multiplier_; }
    QWidget* firstItem() const { return first_; }
    QWidget* secondItem() const { return second_; }
    Attribute firstAttribute() const { return firstAttribute_; }
    Attribute secondAttribute() const { return secondAttribute_; }

    bool isActive() const { return active_; }
    void setActive(bool active);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    QPointer<QWidget> first_;
    QPointer<QWidget> second_;
    Attribute firstAttribute_;
    Attribute secondAttribute_;
    double multiplier_;
    double constant_;
    float priority_ = kPriorityRequired;
    QString identifier_;
    bool active_ = false;
    bool applying_ = false;
};
