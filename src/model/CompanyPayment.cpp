#include "model/CompanyPayment.h"

#include "model/AlternatePaymentBlock.h"
#include "model/values/Amount.h"

QString CompanyPayment::itemAmount() const {
    return Amount::initWithDouble(price_)->getAmount();
}

void CompanyPayment::readCompanyAndAmounts(const AlternatePaymentBlock& block) {
    block.text("companyName", companyName_);
    block.number("commission", commission_);
    block.number("initialBalance", initialBalance_);
    block.number("currentBalance", currentBalance_);
    price_ = block.price(initialBalance_, currentBalance_);
}
