#pragma once

#include "api/APIControllerDelegate.h"
#include "platform/ui/FlowEnd.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QVariantMap>
#include <memory>

class KeyboardGap;
class QBoxLayout;
class Sale;
class SystemAlert;

// What the screens after the card read that register the operation share: the sale and the
// buyer record they carry, the forced-operation question, the approved reply copied into the
// sale, and a bottom gap that follows the keyboard.
class CardholderStep : public ViewController,
                       public SaleReceiver,
                       public APIControllerDelegate,
                       public TextFieldDelegate,
                       public PickerViewDataSource,
                       public PickerViewDelegate {
    Q_OBJECT
    Q_PROPERTY(QVariantMap buyerDic READ buyerDic WRITE setBuyerDic)
public:
    explicit CardholderStep(QObject* parent = nullptr);
    ~CardholderStep() override;

    void setSale(std::shared_ptr<Sale> sale) override { sale_ = std::move(sale); }
    std::shared_ptr<Sale> sale() const { return sale_; }
    QVariantMap buyerDic() const { return buyerDic_; }
    void setBuyerDic(const QVariantMap& buyer) { buyerDic_ = buyer; }
    SystemAlert* forceTransaction() const { return forceTransaction_; }
    int supportedInterfaceOrientations() const override { return 2; }

    // A key present with a value that is not JSON null; a value's text, empty for JSON null.
    static bool hasUsableKey(const QVariantMap& map, const QString& key);
    static QString textOf(const QVariant& value);

protected:
    // Follows the keyboard from now on with the layout's bottom margin (made in loadView).
    void makeKeyboardGap(QBoxLayout* layout, int base);
    KeyboardGap* keyboardGap() const { return keyboardGap_; }
    void setRightButtonEnabled(bool enabled);
    // "success" "OK" in any case, not JSON null.
    static bool isApproved(const QVariantMap& reply);
    // The approved reply's ids, codes, payment name, buyer and host dictionary, each when usable.
    void applyApprovedReply(const QVariantMap& reply);
    // The back end's question after a 723: cancel ends the card flow as the user's, force sends
    // the operation again with the sale forced.
    void offerForcedTransaction(const QString& message);
    virtual void resendForced() = 0;

    std::shared_ptr<Sale> sale_;
    QVariantMap buyerDic_;
    QPointer<SystemAlert> forceTransaction_;

private:
    KeyboardGap* keyboardGap_ = nullptr;
};
