// Installment plans, banks, issuers and promotions.

#include "sandbox/routes/EndpointRoutes.h"
#include "sandbox/routes/ShopRoutes.h"

using namespace EndpointRoutes;

namespace {

QVariantList plans() {
    QVariantList list;
    for (int count : {1, 3, 6, 12})
        list << QVariantMap{{"installments", count},
                            {"installmentId", QStringLiteral("plan-%1").arg(count)},
                            {"interest", count == 1 ? 0.0 : 0.1},
                            {"discount", 0.0},
                            {"bankName", QStringLiteral("Banco Sandbox")}};
    return list;
}

const bool registered = [] {
    add("POST", "/installments/getInstallments.json", Caller::Session, {"total"},
        [](const SandboxRequest& request, SandboxState&, SandboxUser*) {
            if (auto shop = ShopRoutes::buyReaderPlans(request))
                return *shop;
            return SandboxReply::ok({{"data", plans()}});
        });
    add("POST", "/banks/getBanks.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", 1}, {"name", "Banco Sandbox"}}}}}));
    add("POST", "/installments/getInformationByCard.json", Caller::Session, {"issuerName"},
        okWith({{"data", plans()}}));
    add("POST", "/installments/getInformationByBank.json", Caller::Session, {"bankName"},
        okWith({{"data", plans()}}));
    add("POST", "/getpromotion", Caller::Session, {"bin", "amount"},
        okWith({{"data", QVariantMap{{"promotionId", QString()}, {"hasPromotion", false}}}}));
    add("POST", "/issuers/getIssuers.json", Caller::Session, {},
        okWith({{"data", QVariantList{QVariantMap{{"id", 1}, {"name", "Visa"}},
                                      QVariantMap{{"id", 2}, {"name", "MasterCard"}}}}}));
    return true;
}();

} // namespace
