#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class APIController;
class QBoxLayout;
class ImageDownloader;
class Sale;

// The first screen of a charge: a header with the sale's discount, tip and tax and its total,
// above the payment methods the merchant accepts in the sale's currency (asked of the back end
// on every load). Cash is registered at once; a card method goes on to the installments screens
// or to card reading.
class PickPaymentMethodController : public ViewController,
                                    public APIControllerDelegate,
                                    public TableViewDataSource,
                                    public TableViewDelegate,
                                    public PickerViewDataSource,
                                    public PickerViewDelegate,
                                    public TextFieldDelegate {
    Q_OBJECT
public:
    explicit PickPaymentMethodController(QObject* parent = nullptr);
    ~PickPaymentMethodController() override;

    // The issuer-image folder of the back end: an institution showing this address (or none)
    // has no logo of its own.
    static QString issuerImageFolderAddress();

    const QVariantList& paymentMethods() const { return paymentMethods_; }
    const QVariantMap& selectedInstitution() const { return selectedInstitution_; }
    // The discount choices: "0%", the settings' fractions (at most three), the customize text.
    const QVariantList& discountsArray() const { return discountsArray_; }
    double maxTip() const { return maxTip_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    int supportedInterfaceOrientations() const override { return 2; }

    void loadPaymentMethods();
    void payInCash();
    void showPaymentButtonView();
    void pickedPaymentMethod();
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;
    void dismiss();

    // ---- header
    void makeDiscount();
    void addTip();
    void addTaxes();
    // Segment 0 percentage, 1 amount: converts the field being edited.
    void changeNumberType(int segment);
    int selectedSegment() const { return segment_; }
    void setDiscountFormat();
    void setTipFormat();
    void setTaxFormat();
    void doneWithNumericTextField();
    void checkNumericTextFields();
    void doneWithDiscountPicker();
    void fixedTipButtonTapped(QPushButton* button);
    void tipDoneBarButtonTapped();
    void configureFixedTipButtons();
    void updateFinalAmount(const QString& amount);
    // The digits of the text with two implied decimals; with isCurrency a text without the
    // currency symbol loses its last digit ("1234" reads 1.23, "$ 1,234.56" 1234.56).
    double stringAmountToFloat(const QString& text, bool isCurrency) const;

    // ---- table
    int tableViewNumberOfRowsInSection(TableView* table, int section) override;
    QWidget* tableViewCellForRowAtIndexPath(TableView* table, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(TableView* table, IndexPath indexPath) override;

    // ---- discount wheel
    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;

    void textFieldDidBeginEditing(TextField* field) override;

    // ---- back end
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    void apiDidFailWithMessage(const std::optional<QString>& message);

protected:
    QWidget* loadView() override;

private:
    // An "OK" button closing one of the header's bars.
    void addDoneButton(QWidget* bar, QBoxLayout* layout, const char* name,
                       void (PickPaymentMethodController::*action)(), Qt::Alignment alignment = {});
    void setLocalization();
    void setViewStyle();
    void stackHeaderRows();
    bool isEditingHeader() const;
    // A charge of nothing is refused before any registration or card reading.
    bool refuseEmptyTotal();
    void showMessage(const QString& message, const QString& button,
                     std::function<void()> action = {});
    void reopenTaxRow();
    double subtotal() const;
    int zeroDiscountRow() const;
    QString symbol() const;
    QString percentText(double fraction) const;
    QString taxText(double fraction) const;
    static double percentValue(const QString& text);

    std::shared_ptr<Sale> sale_;
    QVariantList paymentMethods_;
    QVariantMap selectedInstitution_;
    QVariantList discountsArray_;
    QString oldTax_;
    double maxTip_ = 0;
    int segment_ = 0;
    bool cashPending_ = false;

    QPointer<TableView> table_;
    QPointer<QWidget> header_;
    QPointer<QWidget> discountView_, taxView_, tipView_, totalView_, totalNoTaxView_;
    QPointer<QLabel> discountLabel_, taxLabel_, tipLabel_, totalLabel_, totalNoTaxLabel_;
    QPointer<QLabel> total_, oldTotal_, totalNoTax_;
    QPointer<TextField> discount_, tax_, tip_;
    QPointer<QPushButton> discountButton_, taxButton_, tipButton_;
    QPointer<QWidget> discountPickerView_;
    QPointer<PickerView> discountPicker_;
    QPointer<QWidget> numberToolbar_;
    QPointer<QPushButton> percentageSegment_, amountSegment_;
    QPointer<QWidget> tipToolBar_;
    QList<QPointer<QPushButton>> fixedTipButtons_;
    QPointer<QWidget> crossView_;
    QList<QPointer<ImageDownloader>> downloaders_;
};
