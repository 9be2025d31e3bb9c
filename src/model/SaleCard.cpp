#include "model/Sale.h"

#include "model/CreditCard.h"
#include "model/Terminal.h"

// The sale's card and the reader fields it keeps on its terminal.

std::shared_ptr<CreditCard> Sale::newBlankCard() {
    return std::make_shared<CreditCard>();
}

std::shared_ptr<Terminal> Sale::newTerminal() {
    return std::make_shared<Terminal>();
}

std::shared_ptr<Terminal> Sale::copyOfTerminal(const std::shared_ptr<Terminal>& terminal) {
    return terminal ? terminal->copy() : newTerminal();
}

std::shared_ptr<CreditCard> Sale::copyOfCard(const std::shared_ptr<CreditCard>& card) {
    return card ? card->copy() : nullptr;
}

QString Sale::cardLastDigits() const {
    return creditCard_ ? creditCard_->numberLast4() : QString("");
}

void Sale::payWithCreditCard(const CreditCard& card) {
    if (!creditCard_)
        creditCard_ = newBlankCard();
    const qint32 status = creditCard_->setCardNumber(card.number(), card.name(), card.expiration(),
                                                     card.IdNumber(), card.IdType());
    if (status != CARD_OK)
        return;
    creditCard_->setCvv2(card.cvv2());
    creditCard_->setTrack2Encrypted(card.track2Encrypted());
    creditCard_->setTrack2KSN(card.track2KSN());
    creditCard_->setServiceCode(card.serviceCode());
    if (!card.storedCardIssuer().isEmpty())
        creditCard_->setCardIssuer(card.storedCardIssuer());
    if (creditCard_->name().isNull())
        creditCard_->setName(QString(""));
    paidWithCreditCard_ = true;
}

QString Sale::selectedReader() const {
    return terminal_ ? terminal_->type() : QString();
}

void Sale::setSelectedReader(const QString& value) {
    if (!terminal_)
        terminal_ = newTerminal();
    terminal_->setType(value);
}

QString Sale::deviceSerialNumber() const {
    return terminal_ ? terminal_->partialSerialNumber() : QString();
}

void Sale::setDeviceSerialNumber(const QString& value) {
    if (!terminal_)
        terminal_ = newTerminal();
    terminal_->setPartialSerialNumber(value);
}

QString Sale::fullSerialNumber() const {
    return terminal_ ? terminal_->fullSerialNumber() : QString();
}

void Sale::setFullSerialNumber(const QString& value) {
    if (!terminal_)
        terminal_ = newTerminal();
    terminal_->setFullSerialNumber(value);
}
