#pragma once

#include <functional>
#include <memory>

class CreditCard;
class FlowEndDelegate;
class ImageDownloader;
class ImageView;
class QObject;
class Sale;
class ViewController;

// What the signature and receipt screens share.
namespace FlowSteps {

// Reports the end of the operation: operationDone for a void or refund (trxType other than 0),
// paymentDone for a sale or when there is none. Nothing without a flow.
void endWithSale(FlowEndDelegate* flow, const std::shared_ptr<Sale>& sale);

// Asks over the screen whether to skip the guide; "yes" runs removeViews (while the screen
// lives) and marks every guide as skipped.
void askToSkipTutorial(ViewController* screen, std::function<void()> removeViews);

// Shows the card's bank picture in the view: the one the card holds, else downloaded from its
// address (with the loading spinner when asked), else the brand's picture. Returns the
// downloader, owned by owner, when one was started.
ImageDownloader* showCardPicture(ImageView* view, const CreditCard& card, QObject* owner,
                                 bool spinner);

} // namespace FlowSteps
