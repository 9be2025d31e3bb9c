#pragma once

#include "model/values/Amount.h"
#include "model/values/Limits.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <vector>

// One tax line: a named tax with its rate (a fraction: 0.16 is 16 %), the money it comes to,
// whether the price already includes it, whether its rate is fixed, and its allowed range.
// Lines are shared by reference between a product and its copies and between sale copies.
class Tax {
public:
    Tax();
    Tax(const Tax&) = delete;
    Tax& operator=(const Tax&) = delete;

    static std::shared_ptr<Tax> init() { return std::make_shared<Tax>(); }
    // A line of the given amount. Without a name it takes the text-table name of taxes
    // ("Impuestos"); without an identifier it takes its name.
    static std::shared_ptr<Tax> initWithAmount(double amount, LimitsPtr limits,
                                               std::optional<QString> identifier,
                                               std::optional<QString> name);
    // A new line with its own copies of the values.
    std::shared_ptr<Tax> copy() const;
    // One entry of the back end's tax settings; none for a missing or non-object value.
    static std::shared_ptr<Tax> fromDictionary(const QVariant& dictionary);
    // One tax line of a sale record ("name", "amount" rounded to cents).
    static std::shared_ptr<Tax> fromSaleDictionary(const QVariant& dictionary);
    // One tax entry of a catalog product: its "amount" is the rate. The price is not used.
    static std::shared_ptr<Tax> forProductWithPrice(const AmountPtr& price,
                                                    const QVariant& dictionary);
    // A deposit's tax: "value" is the amount, the rate its share of the deposit (0 for a
    // deposit of 0).
    static std::shared_ptr<Tax> forDepositWithAmount(double deposit, const QVariantMap& dictionary);
    static std::shared_ptr<Tax> forAmount(double amount, const QString& name);
    // Adds the tax to the list; when one of its name is there already, that one takes the new
    // amount, or leaves the list for an amount of zero.
    static void addOrRemoveInList(std::vector<std::shared_ptr<Tax>>& taxes,
                                  const std::shared_ptr<Tax>& tax);

    // The amount becomes the rate (the upper limit for a fixed tax) times the base, to cents.
    void recalculateTaxForAmount(double base);
    // Identifiers compared by their integer value.
    bool equalsToTax(const Tax& other) const;
    bool constraintOfTax(const Tax& other) const;

    // "16.00%" for 0.16, or "16%" when rounded; an exact half rounds to even ("10%" for 0.105).
    static QString getFormatForProportion(double proportion, bool rounded);
    QString formattedPercentage() const;
    QString roundedFormattedPercentage() const;
    QString formattedMaxLimit() const;
    QString roundedFormattedMaxLimit() const;
    QString formattedMinLimit() const;
    QString roundedFormattedMinLimit() const;
    QString formattedTitle() const;
    QString detailedName() const;
    QString description() const;

    QString identifier() const { return identifier_; }
    void setIdentifier(const QString& value) { identifier_ = value; }
    QString name() const { return name_; }
    void setName(const QString& value) { name_ = value; }
    LimitsPtr limits() const { return limits_; }
    void setLimits(LimitsPtr value) { limits_ = std::move(value); }
    double rate() const { return rate_; }
    void setRate(double value) { rate_ = value; }
    AmountPtr amount() const { return amount_; }
    void setAmount(AmountPtr value);
    bool fixed() const { return fixed_; }
    void setFixed(bool value) { fixed_ = value; }
    bool includedInPrice() const { return includedInPrice_; }
    void setIncludedInPrice(bool value) { includedInPrice_ = value; }
    int mode() const { return mode_; }
    void setMode(int value) { mode_ = value; }
    int type() const { return type_; }
    void setType(int value) { type_ = value; }
    QString placeholder() const { return placeholder_; }
    void setPlaceholder(const QString& value) { placeholder_ = value; }
    QString constraintIdentifier() const { return constraintIdentifier_; }
    void setConstraintIdentifier(const QString& value) { constraintIdentifier_ = value; }

private:
    double maxRateOrZero() const;
    double minRateOrZero() const;

    QString identifier_;
    QString name_;
    LimitsPtr limits_;
    double rate_ = 0;
    AmountPtr amount_;
    bool fixed_ = false;
    bool includedInPrice_ = false;
    int mode_ = 1;
    int type_ = 1;
    QString placeholder_;
    QString constraintIdentifier_;
};

using TaxPtr = std::shared_ptr<Tax>;
using TaxList = std::vector<TaxPtr>;
