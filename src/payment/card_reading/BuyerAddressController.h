#pragma once

#include "payment/card_reading/CardholderStep.h"

#include <QPointer>
#include <QStringList>
#include <QVariantMap>
#include <memory>

class PopoverTip;

// The buyer's address before the sale is registered: street, floor or flat, postal code, city
// and province. Continue checks street, postal code and city (a hint beside the first one
// missing), writes the address into the sale's custom data, registers the sale and, once the
// back end approves, presents the signature screen. A refusal 723 offers to force it.
//
// Outlets by objectName: "streetTextField", "floorTextField", "zipCodeTextField",
// "provinceTextField", "cityTextField", "statePicker", "tooltip".
class BuyerAddressController : public CardholderStep {
    Q_OBJECT
public:
    static constexpr int kTextLimit = 50;
    static constexpr int kZipCodeLength = 4;

    explicit BuyerAddressController(QObject* parent = nullptr);
    ~BuyerAddressController() override;

    // The country whose province list the wheel offers ("MX" unless set before the view loads).
    void setCountryCode(const QString& code) { countryCode_ = code; }
    PopoverTip* tooltip() const { return tooltip_; }
    // The hint on show, empty when none.
    QString shownHint() const;
    // The gap below the fields: the keyboard's height plus 16 while it is up.
    int bottomGap() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void prepareForSegue(StoryboardSegue& segue, QObject* sender) override;

    void continueTapped();
    void selectDefaultRowInPicker(PickerView* picker);

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override;
    int pickerViewNumberOfRowsInComponent(PickerView* picker, int component) override;
    QString pickerViewTitleForRow(PickerView* picker, int row, int component) override;
    void pickerViewDidSelectRow(PickerView* picker, int row, int component) override;

protected:
    QWidget* loadView() override;
    void resendForced() override { continueTapped(); }

private:
    QStringList provinces() const;
    void showProvince(const QString& province, bool clearCaba);
    void hint(TextField* field, const QString& message, int offset, bool above);

    QString countryCode_ = QStringLiteral("MX");
    QPointer<PopoverTip> tooltip_;
    QPointer<TextField> streetTextField_;
    QPointer<TextField> floorTextField_;
    QPointer<TextField> zipCodeTextField_;
    QPointer<TextField> provinceTextField_;
    QPointer<TextField> cityTextField_;
    QPointer<PickerView> statePicker_;
};
