#pragma once

// The signature, receipt and buyer-list screens.
namespace SignatureReceiptScreens {

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace SignatureReceiptScreens
