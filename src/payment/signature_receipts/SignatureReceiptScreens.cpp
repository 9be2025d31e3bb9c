#include "payment/signature_receipts/SignatureReceiptScreens.h"

#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "payment/signature_receipts/SignController.h"
#include "payment/signature_receipts/SignatureViewController.h"

void SignatureReceiptScreens::registerScreens() {
    Storyboard::registerViewControllers({
        {signature, [] { return new SignatureViewController(); }},
        {sign, [] { return new SignController(); }},
        {receiptList, [] { return new SendReceiptListController(); }},
        {receiptData, [] { return new SendReceiptDataController(); }},
    });
    Storyboard::registerSegues({
        {receiptList, buyerDataSegue, receiptData},
        {receiptList, continueSegue, paymentDone},
        {receiptData, continueSegue, paymentDone},
        {cardReading, signatureSegue, sign},
        {cardholderCheck, goSignSegue, sign},
        {buyerAddress, goSignSegue, sign},
        {sign, clientIdentifiedSegue, receiptData},
    });
}
