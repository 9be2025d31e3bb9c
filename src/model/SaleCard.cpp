#include "model/Sale.h"

// The sale's card and reader data. The card and terminal classes arrive with the card model;
// until then a sale carries none and the reader fields read empty.

std::shared_ptr<CreditCard> Sale::newBlankCard() {
    return nullptr;
}

std::shared_ptr<Terminal> Sale::newTerminal() {
    return nullptr;
}

std::shared_ptr<Terminal> Sale::copyOfTerminal(const std::shared_ptr<Terminal>&) {
    return nullptr;
}

std::shared_ptr<CreditCard> Sale::copyOfCard(const std::shared_ptr<CreditCard>&) {
    return nullptr;
}

QString Sale::cardLastDigits() const {
    return QString("");
}

void Sale::payWithCreditCard(const CreditCard&) {}

QString Sale::selectedReader() const {
    return QString("");
}

void Sale::setSelectedReader(const QString&) {}

QString Sale::deviceSerialNumber() const {
    return QString("");
}

void Sale::setDeviceSerialNumber(const QString&) {}

QString Sale::fullSerialNumber() const {
    return QString("");
}

void Sale::setFullSerialNumber(const QString&) {}
