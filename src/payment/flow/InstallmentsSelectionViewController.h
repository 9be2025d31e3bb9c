#pragma once

#include "payment/card_reading/DeviceController.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <memory>

class CreditCard;
class ImageDownloader;
class Installment;
class InstallmentOptionTableViewCell;

// After the card read: which installment option of the card's institution (mode 0) or which
// account type of a debit card (mode 1) pays the sale, and on request a typed count. It leaves
// by dismissal and then calls the completion once, with the option or none when cancelled.
//
// Outlets by objectName: "tableView", "paymentOptionImageView", "paymentOptionLabel".
class InstallmentsSelectionViewController : public ViewController,
                                            public InstallmentsSelectionReceiver,
                                            public TableViewDataSource,
                                            public TableViewDelegate {
    Q_OBJECT
public:
    explicit InstallmentsSelectionViewController(QObject* parent = nullptr);
    ~InstallmentsSelectionViewController() override;

    // Presents the selection in a navigation controller of its own over the given screen.
    static void presentOnViewController(ViewController* on, const QVariant& dataSource,
                                        std::shared_ptr<CreditCard> card, int mode,
                                        bool allowCustomInstallment, Completion completion);

    void setSelection(const QVariant& dataSource, std::shared_ptr<CreditCard> card, int mode,
                      bool allowCustomInstallment, Completion completion) override;

    int mode() const { return mode_; }
    // The prepared rows once the view has loaded.
    const QList<QPointer<InstallmentOptionTableViewCell>>& rows() const { return rows_; }

    void viewDidLoad() override;
    void dismissViewController();

    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    int tableViewHeightForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

protected:
    QWidget* loadView() override;

private:
    void buildRows();
    void setViewStyle();
    void finish(std::shared_ptr<Installment> installment);

    QVariant dataSource_;
    std::shared_ptr<CreditCard> card_;
    int mode_ = 0;
    bool allowCustomInstallment_ = false;
    Completion completionBlock_;
    QList<QPointer<InstallmentOptionTableViewCell>> rows_;
    QPointer<TableView> tableView_;
    QPointer<ImageView> paymentOptionImageView_;
    QPointer<QLabel> paymentOptionLabel_;
    QPointer<ImageDownloader> imageDownloader_;
};
