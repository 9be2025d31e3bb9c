#pragma once

#include <optional>

// What a screen may tell the navigation chrome about its bar. Every operation is optional: the
// defaults answer "not implemented".
class ViewControllerNavigationSpecifier {
public:
    virtual ~ViewControllerNavigationSpecifier() = default;
    // 0 standard, 1 (the card-reading screen), 2 clear; none when the screen does not say.
    virtual std::optional<int> preferredNavigationType() const { return std::nullopt; }
    // The screen styles itself; returns false when it does not implement this.
    virtual bool setNavigationColors() { return false; }
    virtual std::optional<bool> shouldHideNavigationShadow() const { return std::nullopt; }
};
