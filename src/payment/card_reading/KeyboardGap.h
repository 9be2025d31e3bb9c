#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QBoxLayout;

// Keeps the bottom of a screen's layout clear of the on-screen keyboard while the screen is
// shown: the bottom margin is the keyboard's height plus the base gap while the keyboard is up,
// the base gap once it goes down.
//
//   gap_ = new KeyboardGap(column, 30, this);   // loadView
//   gap_->start();                              // viewWillAppear
//   gap_->stop();                               // viewWillDisappear
class KeyboardGap : public QObject {
    Q_OBJECT
public:
    KeyboardGap(QBoxLayout* layout, int base, QObject* parent);

    // Follows the keyboard from now on; a field of the layout's widget already editing counts
    // as the keyboard being up.
    void start();
    void stop();
    // The bottom margin now.
    int gap() const;

private:
    void apply(int keyboardHeight);

    QBoxLayout* layout_ = nullptr;
    int base_ = 0;
    QMetaObject::Connection shown_;
    QMetaObject::Connection hidden_;
};
