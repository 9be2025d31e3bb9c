#pragma once

#include <QString>
#include <memory>

// The currency in force: symbol, numeric and alphabetic ISO 4217 codes and display name. One
// shared current currency; amounts refer to it, so a change shows in every amount at its next
// display.
class Currency {
public:
    Currency();
    Currency(const Currency&) = delete;
    Currency& operator=(const Currency&) = delete;

    // The shared current currency, created on first use.
    static std::shared_ptr<Currency> instance();

    // Back to the built-in default: "$", "484", "Pesos mexicanos (MXN)", "MXN".
    void reset();
    // Sets symbol, numeric code and name; the alphabetic code stays as it is.
    void setCurrencyFormat(const QString& format, const QString& code, const QString& name);

    QString alphaCode() const { return alphaCode_; }
    void setAlphaCode(const QString& value) { alphaCode_ = value; }
    QString format() const { return format_; }
    void setFormat(const QString& value) { format_ = value; }
    QString code() const { return code_; }
    void setCode(const QString& value) { code_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }

private:
    QString alphaCode_;
    QString format_;
    QString code_;
    QString name_;
};
