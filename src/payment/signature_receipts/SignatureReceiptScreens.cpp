#include "payment/signature_receipts/SignatureReceiptScreens.h"

#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "payment/signature_receipts/SignController.h"
#include "payment/signature_receipts/SignatureViewController.h"

void SignatureReceiptScreens::registerScreens() {
    auto screen = [](const ScreenName& name, Storyboard::Factory factory) {
        Storyboard::registerViewController(name.storyboard, name.identifier, std::move(factory));
    };
    screen(signature, [] { return new SignatureViewController(); });
    screen(sign, [] { return new SignController(); });
    screen(receiptList, [] { return new SendReceiptListController(); });
    screen(receiptData, [] { return new SendReceiptDataController(); });

    auto segue = [](const ScreenName& from, QLatin1StringView identifier, const ScreenName& to) {
        Storyboard::registerSegue(from.storyboard, from.identifier, identifier,
                                  {to.storyboard, to.identifier, SegueKind::Push, {}});
    };
    segue(receiptList, buyerDataSegue, receiptData);
    segue(receiptList, continueSegue, paymentDone);
    segue(receiptData, continueSegue, paymentDone);
    segue(cardReading, signatureSegue, sign);
    segue(cardholderCheck, goSignSegue, sign);
    segue(buyerAddress, goSignSegue, sign);
    segue(sign, clientIdentifiedSegue, receiptData);
}
