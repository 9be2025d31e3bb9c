// The cardholder's personal-id upload from the card-reading screen.

#include "sandbox/routes/EndpointRoutes.h"

using namespace EndpointRoutes;

namespace {

const bool registered = [] {
    add("POST", "/payments/savePersonalId.json", Caller::Session, {"saleId"}, okWith({}));
    return true;
}();

} // namespace
