#include "shop/ShopScreens.h"

void ShopScreens::registerScreens() {}
