#pragma once

#include <QString>
#include <functional>
#include <memory>

// One action of a message box: a title, a style (0 default, 1 cancel, 2 destructive) and a
// handler run after the box has closed.
class AlertAction : public std::enable_shared_from_this<AlertAction> {
public:
    using Handler = std::function<void(AlertAction*)>;

    AlertAction(QString title, qint64 style, Handler handler)
        : title_(std::move(title))
        , style_(style)
        , handler_(std::move(handler)) {}

    static std::shared_ptr<AlertAction> actionWithTitle(const QString& title, qint64 style,
                                                        Handler handler = {}) {
        return std::make_shared<AlertAction>(title, style, std::move(handler));
    }

    QString title() const { return title_; }
    qint64 style() const { return style_; }
    const Handler& handler() const { return handler_; }
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    // Stored only; the box treats every action alike.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Runs the handler with this action, when there is one.
    void execute() {
        if (handler_)
            handler_(this);
    }

private:
    QString title_;
    qint64 style_;
    Handler handler_;
    bool enabled_ = false;
};
