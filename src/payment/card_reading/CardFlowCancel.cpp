#include "payment/card_reading/CardFlowCancel.h"

#include "model/Sale.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ViewController.h"

void cancelCardFlowByUser(ViewController* screen) {
    Sale::sharedSale().cleanSale();
    if (FlowEndDelegate* end = screen->flowEndDelegate()) {
        end->canceled(
            TarvelloError::sdk(TarvelloErrorCode::UserCanceled, QStringLiteral("User canceled")));
        return;
    }
    if (NavigationController* navigation = screen->navigationController())
        navigation->popToRootViewControllerAnimated(true);
}
