#include "payment/card_reading/CardReadingScreens.h"

void CardReadingScreens::registerScreens() {}
