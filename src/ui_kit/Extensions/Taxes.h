#pragma once

#include <memory>
#include <type_traits>

// Looking a tax up in a list of taxes.
namespace Taxes {

namespace detail {
template <class T> const auto& deref(const T& value) {
    if constexpr (std::is_pointer_v<T>)
        return *value;
    else if constexpr (requires {
                           value.get();
                           *value;
                       })
        return *value;
    else
        return value;
}
template <class T> bool isNull(const T& value) {
    if constexpr (std::is_pointer_v<T> || requires {
                      value.get();
                      *value;
                  })
        return !value;
    else
        return false;
}
} // namespace detail

// True when the tax, asked equalsToTax with an element, answers yes for some element; the
// elements are tried in order and the first yes ends the search. No tax is asked for an empty
// list, and missing taxes (null pointers) never match.
template <class List, class TaxRef> bool containsTax(const List& array, const TaxRef& tax) {
    if (detail::isNull(tax))
        return false;
    for (const auto& element : array) {
        if (detail::isNull(element))
            continue;
        if (detail::deref(tax).equalsToTax(detail::deref(element)))
            return true;
    }
    return false;
}

} // namespace Taxes
