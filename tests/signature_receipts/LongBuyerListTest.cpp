#include "SignatureReceiptFixture.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "platform/ui/NavigationController.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {

class LongBuyerListTest : public SignatureReceiptTest {
protected:
    // The merchant has many buyers on file, each kept with one of the sales.
    void addBuyers(int count) {
        for (int i = 0; i < count; ++i) {
            SandboxSale record;
            record.amount = 10;
            record.paymentMethod = QStringLiteral("card");
            record.status = QStringLiteral("approved");
            record.data.insert(
                "buyer",
                QVariantMap{
                    {"buyerId", 9000 + i},
                    {"firstName", QStringLiteral("Cliente%1").arg(i, 4, 10, QChar('0'))},
                    {"lastName", QStringLiteral("Zuniga")},
                    {"fullName", QStringLiteral("Zuniga Cliente%1").arg(i, 4, 10, QChar('0'))},
                    {"email", QStringLiteral("c%1@correo.com").arg(i)}});
            sandbox.state().addSale(record);
        }
    }
    SendReceiptListController* openLoaded() {
        auto* list = qobject_cast<SendReceiptListController*>(
            Storyboard::instantiate(SignatureReceiptScreens::receiptList));
        navigation = new NavigationController(list);
        host->presentViewController(navigation, false);
        clock->advance(0);
        EXPECT_TRUE(settle([&] { return list->buyersList().has_value(); }));
        return list;
    }
    static QString nameAt(SendReceiptListController* list, int row) {
        QWidget* cell = list->tableView()->cellForRowAtIndexPath({0, row});
        auto* name = cell ? cell->findChild<QLabel*>("name") : nullptr;
        return name ? name->text() : cell ? cell->objectName() : QString();
    }
    // Drags the list to its end, as a finger would.
    static void scrollToEnd(TableView* table) {
        QCoreApplication::processEvents();
        table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
    }
    NavigationController* navigation = nullptr;
};

TEST_F(LongBuyerListTest, TheLastBuyerIsReachedByScrollingAndASearchFromThereShowsItsRows) {
    addBuyers(1500);
    SendReceiptListController* list = openLoaded();
    TableView* table = list->tableView();
    const int rows = table->numberOfRowsInSection(0);
    ASSERT_GE(rows, 1501);
    EXPECT_EQ(nameAt(list, 0), "NewBuyerCell");
    EXPECT_EQ(table->cellForRowAtIndexPath({0, rows - 1}), nullptr); // far below the screen

    scrollToEnd(table);
    const QVariantMap last = list->buyersList()->last().toMap();
    EXPECT_EQ(nameAt(list, rows - 1),
              QStringLiteral("%1, %2").arg(last.value("lastName").toString(),
                                           last.value("firstName").toString()));

    // Typed while scrolled far down: the few matching rows are shown all the same.
    list->searchBar()->setText("cliente0042");
    ASSERT_EQ(table->numberOfRowsInSection(0), 2);
    EXPECT_EQ(nameAt(list, 0), "NewBuyerCell");
    EXPECT_EQ(nameAt(list, 1), "Zuniga, Cliente0042");
    table->tapRowAtIndexPath({0, 1});
    clock->advance(1000);
    auto* form = qobject_cast<SendReceiptDataController*>(navigation->topViewController());
    ASSERT_TRUE(form);
    ASSERT_TRUE(form->buyerDic());
    EXPECT_EQ(form->buyerDic()->value("email").toString(), "c42@correo.com");
    drain();
}

} // namespace
