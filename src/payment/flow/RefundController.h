#pragma once

#include "payment/card_reading/RefundSaleSource.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QVariantMap>
#include <memory>
#include <optional>

class Sale;

// The amount of an earlier card sale to give back: at most maxRefund, typed with two implied
// decimals; an accepted amount builds the refund sale and opens card reading for it. The opener
// sets the four properties by name before the view loads.
class RefundController : public ViewController, public TextFieldDelegate, public RefundSaleSource {
    Q_OBJECT
    Q_PROPERTY(QVariantMap saleDic READ saleDic WRITE setSaleDic)
    Q_PROPERTY(double maxRefund READ maxRefund WRITE setMaxRefund)
    Q_PROPERTY(QString currencyCode READ currencyCode WRITE setCurrencyCode)
    Q_PROPERTY(QString currencyFormat READ currencyFormat WRITE setCurrencyFormat)
public:
    explicit RefundController(QObject* parent = nullptr);
    ~RefundController() override;

    QVariantMap saleDic() const { return saleDic_; }
    void setSaleDic(const QVariantMap& value) { saleDic_ = value; }
    double maxRefund() const { return maxRefund_; }
    void setMaxRefund(double value) { maxRefund_ = value; }
    QString currencyCode() const { return currencyCode_; }
    void setCurrencyCode(const QString& value) { currencyCode_ = value; }
    QString currencyFormat() const { return currencyFormat_; }
    void setCurrencyFormat(const QString& value) { currencyFormat_ = value; }
    // The refund sale of the last accepted amount; none before.
    std::shared_ptr<Sale> refundSale() const override { return refundSale_; }
    std::optional<QString> oldRefund() const { return oldRefund_; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    int supportedInterfaceOrientations() const override { return 2; }

    // The amount a field text stands for: its digits with two implied decimals; a text that lost
    // the currency symbol loses its last digit too.
    double amountStringToDouble(const QString& text) const;
    void checkRefundAmount();
    void makeRefund();
    void readCard();
    void cancel();
    bool textFieldShouldReturn(TextField* field) override;

protected:
    QWidget* loadView() override;

private:
    QString refundText(double amount) const;
    QString amountText(double amount) const;

    QVariantMap saleDic_;
    double maxRefund_ = 0;
    QString currencyCode_;
    QString currencyFormat_;
    std::shared_ptr<Sale> refundSale_;
    std::optional<QString> oldRefund_;
    QPointer<QLabel> refundAmountLabel_, totalAmountLabel_, totalAmount_;
    QPointer<TextField> refundAmount_;
};
