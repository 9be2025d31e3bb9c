#pragma once

// The card-reader shop.
namespace ShopScreens {

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace ShopScreens
