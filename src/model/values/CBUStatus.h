#pragma once

#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

// The state of the link between the merchant's account and a bank account.
class CBUStatus {
public:
    static std::shared_ptr<CBUStatus> fromDictionary(const QVariantMap& dictionary);
    void initWithDictionary(const QVariantMap& dictionary);

    bool blocked() const { return blocked_; }
    void setBlocked(bool value) { blocked_ = value; }
    // A missing or false "cbuStatus" means a bank account still has to be linked.
    bool cbuNeeded() const { return cbuNeeded_; }
    void setCbuNeeded(bool value) { cbuNeeded_ = value; }
    std::optional<QString> url() const { return url_; }
    void setUrl(const std::optional<QString>& value) { url_ = value; }

private:
    bool blocked_ = false;
    bool cbuNeeded_ = false;
    std::optional<QString> url_;
};
