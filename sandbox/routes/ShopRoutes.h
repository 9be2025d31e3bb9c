#pragma once

// The reader shop's answers, shared with the installments route: the plans a card has for a
// reader order.

#include "sandbox/SandboxReply.h"
#include "sandbox/SandboxRequest.h"

#include <optional>

namespace ShopRoutes {

// The plans answer for a request sent from the shop ("from" "buyreader"); nothing for any other.
std::optional<SandboxReply> buyReaderPlans(const SandboxRequest& request);

// A card number the sandbox refuses in an order, with a "response" "message".
inline constexpr const char* kDeclinedCard = "4000000000000002";
// A province whose courier has no branch.
inline constexpr const char* kProvinceWithoutBranches = "TIERRA DEL FUEGO";
// The user id of the fixture's user without wallet cards.
inline constexpr qint64 kUserWithoutWalletCards = 18;

} // namespace ShopRoutes
