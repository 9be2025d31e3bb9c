#pragma once

#include <QVariant>

// The analytics facade: every call is accepted and does nothing.
class GAIMultiTracker {
public:
    GAIMultiTracker() = delete;

    static void trackDimension(const QVariant& dimension, const QVariant& value) {
        (void)dimension;
        (void)value;
    }
    static void trackScreen(const QVariant& screen) { (void)screen; }
    static void trackEventWithCategory(const QVariant& category, const QVariant& action,
                                       const QVariant& label, const QVariant& value) {
        (void)category;
        (void)action;
        (void)label;
        (void)value;
    }
    static void trackTimeWithCategory(const QVariant& category, const QVariant& name,
                                      const QVariant& label, const QVariant& time) {
        (void)category;
        (void)name;
        (void)label;
        (void)time;
    }
};
