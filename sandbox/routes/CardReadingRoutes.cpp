// The card-reading screen's confirmation of an approved card sale, and the cardholder's
// personal-id upload.

#include "sandbox/routes/EndpointRoutes.h"

using namespace EndpointRoutes;

namespace {

const bool registered = [] {
    add("POST", "/payments/operationCompletion.json", Caller::Session, {"operationId", "status"},
        okWith({}));
    add("POST", "/payments/savePersonalId.json", Caller::Session, {"saleId"}, okWith({}));
    return true;
}();

} // namespace
