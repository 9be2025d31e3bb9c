#pragma once

#include <QVariantList>
#include <optional>

// The merchant's buyers list (memory only) and the countries list of the country pickers, which
// is kept in the user-defaults store under "countriesList" and survives restarts and logouts.
class Buyers {
public:
    // A holder reading the stored countries list; no buyers list.
    Buyers();
    Buyers(const Buyers&) = delete;
    Buyers& operator=(const Buyers&) = delete;

    // The shared holder, created on first use.
    static Buyers& instance();

    // The countries in memory (an empty list when none was ever stored).
    QVariantList countriesList() const { return countriesListCache_; }
    // Keeps the list and writes it to the store at once.
    void setCountriesList(const QVariantList& list);
    const std::optional<QVariantList>& buyersList() const { return buyersList_; }
    void setBuyersList(const std::optional<QVariantList>& value) { buyersList_ = value; }
    QVariantList countriesListCache() const { return countriesListCache_; }
    void setCountriesListCache(const QVariantList& value) { countriesListCache_ = value; }

private:
    std::optional<QVariantList> buyersList_;
    QVariantList countriesListCache_;
};
