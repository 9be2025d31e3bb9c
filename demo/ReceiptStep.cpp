#include "ReceiptStep.h"

#include "model/Sale.h"
#include "model/values/Amount.h"
#include "payment/signature_receipts/SignatureReceiptScreens.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"

#include <QWidget>
#include <utility>

namespace {

// The sheet of the step: takes the end of the form and of the result screen after it, once.
class ReceiptSheet : public NavigationController, public FlowEndDelegate {
public:
    ReceiptSheet(ViewController* root, TarvelloSDK::Completion done)
        : NavigationController(root)
        , done_(std::move(done)) {}

    void paymentDone(std::shared_ptr<Sale> sale) override { finish(sale, true); }
    void operationDone(std::shared_ptr<Sale> sale) override { finish(sale, true); }
    void canceled(std::optional<TarvelloError>) override { finish(nullptr, false); }

private:
    void finish(const std::shared_ptr<Sale>& sale, bool success) {
        if (!done_)
            return;
        const QVariantMap result{{"saleId", sale ? sale->saleId() : QString()},
                                 {"receiptSent", sale && sale->receiptSent()}};
        std::exchange(done_, nullptr)(result, success);
    }

    TarvelloSDK::Completion done_;
};

} // namespace

void openReceiptStep(QWidget* host, const QVariantMap& charge, TarvelloSDK::Completion done) {
    Window* window = host ? Window::forWidget(host) : nullptr;
    ViewController* below = window ? window->rootViewController() : nullptr;
    ViewController* form = Storyboard::instantiate(SignatureReceiptScreens::receiptData);
    auto* receiver = dynamic_cast<SaleReceiver*>(form);
    if (!below || !receiver) {
        delete form;
        done({{"error", QStringLiteral("no receipt form to open")}}, false);
        return;
    }
    auto sale = Sale::init();
    sale->setSaleId(charge.value(QStringLiteral("operationId")).toString());
    sale->setSubtotal(Amount::initWithDouble(charge.value(QStringLiteral("amount")).toDouble()));
    sale->setPaidWithCreditCard(true);
    receiver->setSale(sale);
    auto* sheet = new ReceiptSheet(form, std::move(done));
    sheet->setModalPresentationStyle(ViewController::ModalPresentationStyle::FullScreen);
    while (below->presentedViewController())
        below = below->presentedViewController();
    below->presentViewController(sheet, true);
}
