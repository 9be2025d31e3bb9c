#include "payment/signature_receipts/FlowSteps.h"

#include "SDK/session/AccountSettings.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/texts/Language.h"

#include <QPointer>

namespace {
QString tutorialText(const char* key) {
    return Language::textForFile(QStringLiteral("Tutorial"), QLatin1String(key));
}
} // namespace

void FlowSteps::endWithSale(FlowEndDelegate* flow, const std::shared_ptr<Sale>& sale) {
    if (!flow)
        return;
    if (sale && sale->trxType() != 0)
        flow->operationDone(sale);
    else
        flow->paymentDone(sale);
}

void FlowSteps::askToSkipTutorial(ViewController* screen, std::function<void()> removeViews) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), tutorialText("cancelAlert"));
    QPointer<ViewController> alive(screen);
    alert->addAction(tutorialText("noContinue"), SystemAlertAction::Cancel);
    alert->addAction(tutorialText("yesOmmit"), SystemAlertAction::Default,
                     [alive, removeViews = std::move(removeViews)](SystemAlertAction*) {
                         if (!alive)
                             return;
                         removeViews();
                         AccountSettings::instance().tutorialCancelled();
                     });
    screen->presentViewController(alert, true);
}

ImageDownloader* FlowSteps::showCardPicture(ImageView* view, const CreditCard& card, QObject* owner,
                                            bool spinner) {
    if (!card.bankImage().isNull()) {
        view->setImage(card.bankImage());
        return nullptr;
    }
    if (!card.bankImageURL().isEmpty()) {
        auto* downloader = new ImageDownloader(owner);
        downloader->setUrlString(card.bankImageURL());
        downloader->setImageView(view);
        downloader->setAutoLoading(spinner);
        downloader->downloadTheImage();
        return downloader;
    }
    QString brand = card.storedCardIssuer();
    if (brand.isEmpty())
        brand = CreditCard::getIssuer(card.number());
    view->setImageNamed(CreditCard::issuerPictureName(brand));
    return nullptr;
}
