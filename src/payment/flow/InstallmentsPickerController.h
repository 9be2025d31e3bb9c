#pragma once

#include "platform/ui/ImageView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"
#include "ui_kit/ImageDownloader.h"

#include <QLabel>
#include <QPointer>
#include <QVariantMap>
#include <memory>

class Sale;
class SystemAlert;

// The installment plans of one card institution ("Payment", "InstallmentsPicker"), grouped as
// discounted, without interest and with interest; a debit institution lists its account types.
// A choice records the plan on the sale's card and goes on to card reading ("deviceSegue"); a
// plan given as a text asks for a typed count; a plan discount over a manual one asks first.
//
// Outlets by objectName: "tableView", "institutionLogo", "loading", "genericBank", "bankLabel",
// "cardLabel"; the navigation item's title view "titleView" holds "navTitle" and "navSubTitle".
class InstallmentsPickerController : public ViewController,
                                     public TableViewDataSource,
                                     public TableViewDelegate,
                                     public ImageDownloaderDelegate {
    Q_OBJECT
    Q_PROPERTY(
        QVariantMap selectedInstitution READ selectedInstitution WRITE setSelectedInstitution)
public:
    static constexpr int kCustomInstallmentLimit = 36;

    explicit InstallmentsPickerController(QObject* parent = nullptr);
    ~InstallmentsPickerController() override;

    QVariantMap selectedInstitution() const { return selectedInstitution_; }
    void setSelectedInstitution(const QVariantMap& institution) {
        selectedInstitution_ = institution;
    }
    // Sections as {"name": header, "installments": plan keys in display order}.
    const QVariantList& sections() const { return sections_; }
    bool isDebitCard() const { return isDebitCard_; }
    SystemAlert* additionalDiscountAlert() const { return additionalDiscountAlert_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void installmentSelected();
    void dismissView();
    bool isModal() const;

    int numberOfSectionsInTableView(TableView* table) override;
    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    QString tableViewTitleForHeaderInSection(TableView* table, int section) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

    void downloadDidFinishDownloading(ImageDownloader* downloader) override;
    void download(ImageDownloader* downloader, const std::optional<TarvelloError>& error) override;

protected:
    QWidget* loadView() override;

private:
    void buildSections();
    void styleSectionHeaders();
    QString keyAt(IndexPath indexPath) const;
    void askAboutPromotion(const QString& key);
    void promotionAnswered(int index);
    void recordPlan(const QString& key);
    void customCountChosen(int count);

    QVariantMap selectedInstitution_;
    std::shared_ptr<Sale> sale_;
    QVariantList sections_;
    QString selectedInstallmentsKey_;
    bool isDebitCard_ = false;
    QPointer<SystemAlert> additionalDiscountAlert_;
    QPointer<ImageDownloader> downloader_;
    QPointer<TableView> table_;
    QPointer<ImageView> institutionLogo_, genericBank_;
    QPointer<CustomActivitySpinnerView> loading_;
    QPointer<QLabel> bankLabel_, cardLabel_, navTitle_, navSubTitle_;
    QPointer<QWidget> titleView_;
};
