#pragma once

#include "platform/ui/Storyboard.h"

// The sale and catalog screens, by storyboard and identifier, and their segues.
namespace CatalogScreens {

inline constexpr QLatin1StringView storyboard{"Sale"};
inline constexpr QLatin1StringView padStoryboard{"SaleIpad"};
inline constexpr QLatin1StringView catalogStoryboard{"Catalog"};

// The sale-input tab bar, initial screen of "Sale", and its catalog tab.
inline constexpr ScreenName inputTabBar{storyboard, QLatin1StringView("InputTabBarViewController")};
inline constexpr ScreenName catalogInput{storyboard,
                                         QLatin1StringView("CatalogInputBigController")};
// The manual amount tab and the editor of a typed-in line: another area registers them; until
// then the tab bar has no manual tab and the segue leads nowhere.
inline constexpr ScreenName manualInput{storyboard, QLatin1StringView("ManualInputViewController")};
inline constexpr ScreenName editFreeItem{storyboard, QLatin1StringView("EditFreeItem")};
// The cart and its line editors.
inline constexpr ScreenName cart{storyboard, QLatin1StringView("EditIndividualSale")};
inline constexpr ScreenName editItem{storyboard, QLatin1StringView("CatalogSaleEditItem")};
inline constexpr ScreenName itemDiscount{storyboard, QLatin1StringView("CatalogSaleItemDiscount")};
// The payment-method screen the cart hands over to (registered by the payment area).
inline constexpr ScreenName pickPaymentMethod{QLatin1StringView("Payment"),
                                              QLatin1StringView("PickPaymentMethod")};

// The catalog-editing tabs.
inline constexpr ScreenName itemsAndCategories{catalogStoryboard,
                                               QLatin1StringView("ItemsAndCategoriesTab")};

// The pad layout: the sale split (keypad column and sale column), the keypad, the sale view,
// the line popover and the two product lists the keypad opens.
inline constexpr ScreenName saleSplit{padStoryboard, QLatin1StringView("SaleSplit")};
inline constexpr ScreenName keyboardIpad{padStoryboard, QLatin1StringView("ItemsSaleKeyboardIpad")};
inline constexpr ScreenName saleIpad{padStoryboard, QLatin1StringView("SaleIpad")};
inline constexpr ScreenName catalogSaleSelected{padStoryboard,
                                                QLatin1StringView("CatalogSaleSelected")};
inline constexpr ScreenName catalogSaleIpad{padStoryboard, QLatin1StringView("CatalogSaleIpad")};
inline constexpr ScreenName favoritesIpad{padStoryboard, QLatin1StringView("FavoritesIpad")};

inline constexpr QLatin1StringView cartSegue{"cartSegue"};
inline constexpr QLatin1StringView editItemSegue{"editItemSegue"};
inline constexpr QLatin1StringView editFreeItemSegue{"editFreeItemSegue"};
inline constexpr QLatin1StringView applyDiscountSegue{"applyDiscountSegue"};
inline constexpr QLatin1StringView confirmSaleSegue{"confirmSaleSegue"};

// Registers the area's screens and segues with the Storyboard.
void registerScreens();

} // namespace CatalogScreens
