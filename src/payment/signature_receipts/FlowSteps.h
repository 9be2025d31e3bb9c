#pragma once

#include <functional>
#include <memory>

class FlowEndDelegate;
class Sale;
class ViewController;

// What the signature and receipt screens share at the end of their steps.
namespace FlowSteps {

// Reports the end of the operation: operationDone for a void or refund (trxType other than 0),
// paymentDone for a sale or when there is none. Nothing without a flow.
void endWithSale(FlowEndDelegate* flow, const std::shared_ptr<Sale>& sale);

// Asks over the screen whether to skip the guide; "yes" runs removeViews (while the screen
// lives) and marks every guide as skipped.
void askToSkipTutorial(ViewController* screen, std::function<void()> removeViews);

} // namespace FlowSteps
