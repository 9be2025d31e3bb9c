#pragma once

#include "platform/ui/Storyboard.h"

// The signature, receipt and buyer-list screens.
namespace SignatureReceiptScreens {

inline constexpr QLatin1StringView signatureStoryboard{"Signature"};
inline constexpr QLatin1StringView receiptStoryboard{"Receipt"};

// The screen the cardholder signs on.
inline constexpr ScreenName signature{signatureStoryboard,
                                      QLatin1StringView("SignatureViewController")};
// The tip-and-signature screen.
inline constexpr ScreenName sign{signatureStoryboard, QLatin1StringView("SignController")};
// The card-reading, cardholder-check and buyer-address screens, which lead to the signature.
inline constexpr ScreenName cardReading{QLatin1StringView("Payment"), QLatin1StringView("Device")};
inline constexpr ScreenName cardholderCheck{QLatin1StringView("Payment"),
                                            QLatin1StringView("PinController")};
inline constexpr ScreenName buyerAddress{QLatin1StringView("Payment"),
                                         QLatin1StringView("BuyerAddressController")};
// The buyer-data and receipt form.
inline constexpr ScreenName receiptData{receiptStoryboard,
                                        QLatin1StringView("SendReceiptDataController")};
// The list of the merchant's buyers for the receipt.
inline constexpr ScreenName receiptList{receiptStoryboard,
                                        QLatin1StringView("SendReceiptListController")};
// The payment result screen the receipt form moves on to.
inline constexpr ScreenName paymentDone{QLatin1StringView("Payment"),
                                        QLatin1StringView("PaymentDoneController")};

inline constexpr QLatin1StringView buyerDataSegue{"buyerDataSegue"};
inline constexpr QLatin1StringView continueSegue{"continueSegue"};
inline constexpr QLatin1StringView signatureSegue{"signatureSegue"};
inline constexpr QLatin1StringView goSignSegue{"goSignSegue"};
inline constexpr QLatin1StringView clientIdentifiedSegue{"clientIdentifiedSegue"};

// Registers the area's screens with the Storyboard.
void registerScreens();

} // namespace SignatureReceiptScreens
