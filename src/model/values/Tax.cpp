#include "model/values/Tax.h"

#include "model/values/ModelTexts.h"
#include "platform/core/Logging.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <cmath>

namespace {
// A value's text; missing and JSON null read as the empty text.
QString textOf(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value))
        return QString();
    return Values::describe(value);
}

std::optional<QVariantMap> mapOf(const QVariant& value) {
    if (!value.isValid() || Values::isJsonNull(value) || value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return value.toMap();
}
} // namespace

Tax::Tax()
    : identifier_(QStringLiteral("0"))
    , limits_(Limits::init())
    , amount_(Amount::init()) {
    rate_ = limits_->minRate();
}

void Tax::setAmount(AmountPtr value) {
    amount_ = value ? std::move(value) : Amount::init();
    if (limits_)
        limits_->recalculateAmountLimitsFromAmount(amount_);
}

double Tax::maxRateOrZero() const {
    return limits_ ? limits_->maxRate() : 0;
}

double Tax::minRateOrZero() const {
    return limits_ ? limits_->minRate() : 0;
}

std::shared_ptr<Tax> Tax::initWithAmount(double amount, LimitsPtr limits,
                                         std::optional<QString> identifier,
                                         std::optional<QString> name) {
    auto tax = init();
    tax->setAmount(Amount::initWithDouble(amount));
    tax->limits_ = std::move(limits);
    tax->name_ = name ? *name
                      : ModelTexts::textForFile(QStringLiteral("PickPaymentMethod"),
                                                QStringLiteral("taxes"));
    tax->identifier_ = identifier ? *identifier : tax->name_;
    return tax;
}

std::shared_ptr<Tax> Tax::copy() const {
    auto tax = init();
    tax->identifier_ = identifier_;
    tax->name_ = name_;
    tax->limits_ = limits_ ? limits_->copy() : nullptr;
    tax->rate_ = rate_;
    tax->setAmount(Amount::initWithDouble(amount_->doubleValue()));
    tax->fixed_ = fixed_;
    tax->includedInPrice_ = includedInPrice_;
    tax->mode_ = mode_;
    tax->type_ = type_;
    tax->placeholder_ = placeholder_;
    tax->constraintIdentifier_ = constraintIdentifier_;
    return tax;
}

std::shared_ptr<Tax> Tax::fromDictionary(const QVariant& value) {
    const auto entry = mapOf(value);
    if (!entry)
        return nullptr;
    const QVariantMap& d = *entry;
    auto tax = init();
    tax->name_ = textOf(d.value(QStringLiteral("name"))).toUpper();
    tax->identifier_ = textOf(d.value(QStringLiteral("id")));
    if (SafeDictionary::hasKey(d, QStringLiteral("dynamicMinRate")) &&
        SafeDictionary::hasKey(d, QStringLiteral("dynamicMaxRate")))
        tax->limits_ = Limits::fromDictionary(d);
    if (SafeDictionary::hasKey(d, QStringLiteral("value"))) {
        tax->limits_ = Limits::init();
        tax->limits_->setMaxRate(Values::doubleValue(d.value(QStringLiteral("value"))));
    }
    if (SafeDictionary::hasKey(d, QStringLiteral("fixedRate"))) {
        const double rate = Values::doubleValue(d.value(QStringLiteral("fixedRate")));
        tax->limits_ = Limits::init();
        tax->limits_->setMinRate(rate);
        tax->limits_->setMaxRate(rate);
    }
    tax->placeholder_ = SafeDictionary::safeObjectForKey(d, QStringLiteral("description"));
    tax->constraintIdentifier_ = SafeDictionary::safeObjectForKey(d, QStringLiteral("constraint"));
    tax->includedInPrice_ = SafeDictionary::safeObjectForKey(d, QStringLiteral("pricingMode")) ==
                            QLatin1String("INCLUDED");
    tax->fixed_ =
        SafeDictionary::safeObjectForKey(d, QStringLiteral("mode")) == QLatin1String("FIXED");
    if (tax->fixed_)
        tax->rate_ = tax->maxRateOrZero();
    tax->mode_ = textOf(d.value(QStringLiteral("type"))) == QLatin1String("RATE") ? 0 : 1;
    tax->type_ = 0;
    return tax;
}

std::shared_ptr<Tax> Tax::fromSaleDictionary(const QVariant& value) {
    const auto entry = mapOf(value);
    if (!entry)
        return nullptr;
    auto tax = init();
    tax->name_ = SafeDictionary::safeObjectForKey(*entry, QStringLiteral("name"));
    tax->setAmount(Amount::initWithDouble(
        DecimalNumber::roundCents(Values::doubleValue(entry->value(QStringLiteral("amount"))))));
    return tax;
}

std::shared_ptr<Tax> Tax::forProductWithPrice(const AmountPtr&, const QVariant& value) {
    const auto entry = mapOf(value);
    if (!entry)
        return nullptr;
    auto tax = init();
    tax->name_ = textOf(entry->value(QStringLiteral("name")));
    tax->rate_ = Values::doubleValue(entry->value(QStringLiteral("amount")));
    return tax;
}

std::shared_ptr<Tax> Tax::forDepositWithAmount(double deposit, const QVariantMap& d) {
    auto tax = init();
    tax->setAmount(Amount::initWithDouble(Values::doubleValue(d.value(QStringLiteral("value")))));
    tax->name_ = textOf(d.value(QStringLiteral("name"))).toUpper();
    const double rate = tax->amount_->doubleValue() / deposit;
    if (std::isfinite(rate)) {
        tax->rate_ = rate;
    } else {
        Logging::warning(
            tarvelloSale,
            QStringLiteral("Tax: deposit of %1 gives no rate; rate left at 0").arg(deposit));
        tax->rate_ = 0;
    }
    return tax;
}

std::shared_ptr<Tax> Tax::forAmount(double amount, const QString& name) {
    auto tax = init();
    tax->setAmount(Amount::initWithDouble(amount));
    tax->name_ = name;
    return tax;
}

void Tax::recalculateTaxForAmount(double base) {
    const double rate = fixed_ ? maxRateOrZero() : rate_;
    setAmount(Amount::initWithDouble(DecimalNumber::roundCents(rate * base)));
}

bool Tax::equalsToTax(const Tax& other) const {
    return Values::lenientInteger(identifier_) == Values::lenientInteger(other.identifier_);
}

bool Tax::constraintOfTax(const Tax& other) const {
    return Values::lenientInteger(constraintIdentifier_) ==
           Values::lenientInteger(other.identifier_);
}

QString Tax::getFormatForProportion(double proportion, bool rounded) {
    // C's printf: an exact half rounds to even (10.5 gives "10%").
    return Values::printfDouble(rounded ? "%.0f%%" : "%.02f%%", proportion * 100);
}

QString Tax::formattedPercentage() const {
    return getFormatForProportion(rate_, false);
}

QString Tax::roundedFormattedPercentage() const {
    return getFormatForProportion(rate_, true);
}

QString Tax::formattedMaxLimit() const {
    return getFormatForProportion(maxRateOrZero(), false);
}

QString Tax::roundedFormattedMaxLimit() const {
    return getFormatForProportion(maxRateOrZero(), true);
}

QString Tax::formattedMinLimit() const {
    return getFormatForProportion(minRateOrZero(), false);
}

QString Tax::roundedFormattedMinLimit() const {
    return getFormatForProportion(minRateOrZero(), true);
}

QString Tax::formattedTitle() const {
    if (!fixed_)
        return name_;
    return name_ + QLatin1Char(' ') + roundedFormattedMaxLimit();
}

QString Tax::detailedName() const {
    return name_ + QLatin1Char(' ') +
           (includedInPrice_ ? QStringLiteral("incluido") : QStringLiteral("no incluido"));
}

QString Tax::description() const {
    QString text = QStringLiteral("%1 - %2 [%3]").arg(identifier_, name_, formattedMaxLimit());
    if (amount_->doubleValue() > 0)
        text += QStringLiteral(": %1 ~ %2").arg(amount_->getAmount(), formattedPercentage());
    text += includedInPrice_ ? QStringLiteral(" - Included in price")
                             : QStringLiteral(" - Not included in price");
    text += fixed_ ? QStringLiteral(" - FIXED.") : QStringLiteral(" - DYNAMIC.");
    return text;
}

void Tax::addOrRemoveInList(std::vector<std::shared_ptr<Tax>>& taxes,
                            const std::shared_ptr<Tax>& tax) {
    if (!tax)
        return;
    for (auto it = taxes.begin(); it != taxes.end(); ++it) {
        if ((*it)->name() == tax->name()) {
            if (tax->amount()->doubleValue() > 0)
                (*it)->setAmount(tax->amount());
            else
                taxes.erase(it);
            return;
        }
    }
    taxes.push_back(tax);
}
