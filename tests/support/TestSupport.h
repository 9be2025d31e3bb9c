#pragma once

#include "platform/core/Assert.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/core/UserDefaults.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

// A host-misuse assertion raised while a ThrowingAsserts is alive.
struct HostAssertionFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Makes host-misuse assertions throw HostAssertionFailure for the scope's lifetime.
class ThrowingAsserts {
public:
    ThrowingAsserts() {
        HostAssert::setHandler(
            [](const QString& message) { throw HostAssertionFailure(message.toStdString()); });
    }
    ~ThrowingAsserts() { HostAssert::setHandler({}); }
};

// The message of the assertion the call raises, or the empty text when it raises none.
inline std::string assertionMessage(const std::function<void()>& call) {
    ThrowingAsserts guard;
    try {
        call();
    } catch (const HostAssertionFailure& failure) {
        return failure.what();
    }
    return {};
}

// Installs a user-defaults store in a fresh folder for the scope's lifetime.
class TemporaryDefaults {
public:
    TemporaryDefaults() { Services::set(std::make_shared<UserDefaults>(dir_.path())); }
    ~TemporaryDefaults() { Services::set<UserDefaults>(nullptr); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Runs the event loop until the condition holds or the time runs out; returns the condition.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Every console line of the SDK while it lives, all its categories on (off again after).
class ConsoleLines {
public:
    ConsoleLines() {
        lines().clear();
        QLoggingCategory::setFilterRules(QStringLiteral("tarvello.*=true"));
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& line) { lines() << line; });
    }
    ~ConsoleLines() {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QStringLiteral("tarvello.*=false"));
    }
    static QStringList& lines() {
        static QStringList captured;
        return captured;
    }
    static bool contains(const QString& text) {
        return std::any_of(lines().cbegin(), lines().cend(),
                           [&](const QString& line) { return line.contains(text); });
    }

private:
    QtMessageHandler previous_ = nullptr;
};
