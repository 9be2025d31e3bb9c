#pragma once

#include "reader/views/DSpreadPinpad.h"

// The older reader illustration: a reader whose chip slot is on its top edge. It answers the
// session as the pinpad illustration does, with its own pictures: the chip card comes down
// from above the view, and the reader dims instead of moving while no reader is connected.
class A19 : public DSpreadPinpad {
    Q_OBJECT
public:
    explicit A19(QWidget* parent = nullptr);

    void connectDevice() override;
    void initialReaderPosition() override;
    void animateCard() override;
    float YPositionForFrame(const QRect& frame, float value) const override;

protected:
    void badgeAppearChanges(ViewAnimation& animation) override;
    QList<QWidget*> restartFadeOutViews() const override;
    QList<QWidget*> restartFadeInViews() const override;
    QString helpActionTitle() const override;
    QString swipeIconName() const override;
    void resizeEvent(QResizeEvent* event) override;
};
