#include "SignatureReceiptFixture.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "payment/signature_receipts/SendReceiptListController.h"
#include "platform/ui/NavigationController.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class ReceiptListTest : public SignatureReceiptTest {
protected:
    SendReceiptListController* open() {
        auto* list = qobject_cast<SendReceiptListController*>(
            Storyboard::instantiate(SignatureReceiptScreens::receiptList));
        navigation = new NavigationController(list);
        host->presentViewController(navigation, false);
        clock->advance(0);
        return list;
    }
    // The texts the rows show: the first label of each row's cell.
    static QStringList rows(SendReceiptListController* list) {
        QStringList shown;
        TableView* table = list->tableView();
        for (int row = 0; row < table->numberOfRowsInSection(0); ++row) {
            QWidget* cell = table->cellForRowAtIndexPath({0, row});
            if (auto* name = cell->findChild<QLabel*>("name"))
                shown << name->text();
            else
                shown << cell->objectName();
        }
        return shown;
    }
    NavigationController* navigation = nullptr;
};

TEST_F(ReceiptListTest, BuyersSortedByFullNameUnderTheNewCustomerRow) {
    SendReceiptListController* list = open();
    EXPECT_EQ(list->tableView()->numberOfRowsInSection(0), 0); // while the request runs
    ASSERT_TRUE(settle([&] { return list->buyersList().has_value(); }));
    EXPECT_EQ(rows(list),
              QStringList({"NewBuyerCell", "Zapata, ana", "Diaz, Bruno", "Rios, Juan Pablo"}));
    EXPECT_EQ(list->tableView()
                  ->cellForRowAtIndexPath({0, 0})
                  ->findChild<QLabel*>("newCustomerLabel")
                  ->text(),
              "Nuevo cliente");
    // No e-mail: the name alone, lower; with one: the e-mail below it.
    QWidget* ana = list->tableView()->cellForRowAtIndexPath({0, 1});
    EXPECT_EQ(ana->findChild<QLabel*>("name")->y(), 18);
    EXPECT_EQ(ana->findChild<QLabel*>("lastAccess")->text(), "");
    QWidget* juan = list->tableView()->cellForRowAtIndexPath({0, 3});
    EXPECT_EQ(juan->findChild<QLabel*>("name")->y(), 8);
    EXPECT_EQ(juan->findChild<QLabel*>("lastAccess")->text(), "jp@correo.com");
}

TEST_F(ReceiptListTest, SearchByWords) {
    SendReceiptListController* list = open();
    ASSERT_TRUE(settle([&] { return list->buyersList().has_value(); }));
    struct Case {
        const char* typed;
        QStringList shown;
    };
    const Case cases[] = {
        {"correo", {"NewBuyerCell", "Diaz, Bruno", "Rios, Juan Pablo"}},
        {"jp@", {"NewBuyerCell", "Rios, Juan Pablo"}},
        {"RIOS  pablo", {"NewBuyerCell", "Rios, Juan Pablo"}},
        {"pablo xyz", {"NewBuyerCell", "NoResultsCell"}},
        {"juan pablo rios xyz", {"NewBuyerCell", "Rios, Juan Pablo"}},
        {"   ", {"NewBuyerCell", "Zapata, ana", "Diaz, Bruno", "Rios, Juan Pablo"}},
        {"", {"NewBuyerCell", "Zapata, ana", "Diaz, Bruno", "Rios, Juan Pablo"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        list->searchBar()->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(rows(list), c.shown);
    }
}

TEST_F(ReceiptListTest, ATapOpensTheFormWithTheRecordAndNoResultsDoesNothing) {
    SendReceiptListController* list = open();
    ASSERT_TRUE(settle([&] { return list->buyersList().has_value(); }));
    list->searchBar()->setText("pablo xyz");
    list->tableView()->tapRowAtIndexPath({0, 1}); // the no-results row
    EXPECT_EQ(navigation->topViewController(), list);
    list->searchBar()->setText("correo");
    list->tableView()->tapRowAtIndexPath({0, 2});
    clock->advance(1000);
    auto* form = qobject_cast<SendReceiptDataController*>(navigation->topViewController());
    ASSERT_TRUE(form);
    ASSERT_TRUE(form->buyerDic());
    EXPECT_EQ(form->buyerDic()->value("email").toString(), "jp@correo.com");
    drain();
}

TEST_F(ReceiptListTest, AFailedRequestShowsTheAlertAndNoRow) {
    sandbox->scriptOnce("POST", SandboxServer::apiPath("/buyers/getBuyers.json"),
                        SandboxReply::dropped());
    SendReceiptListController* list = open();
    ASSERT_TRUE(settle([&] { return alertOver(navigation) || alertOver(list); }));
    SystemAlert* alert = alertOver(navigation) ? alertOver(navigation) : alertOver(list);
    EXPECT_TRUE(alert->message().startsWith("Hubo un problema con la conexión"));
    EXPECT_FALSE(list->isDisplayingActivityIndicator());
    EXPECT_EQ(list->tableView()->numberOfRowsInSection(0), 0);
    alert->tapButtonWithTitle("OK");
    drain(3);
    list->searchBar()->setText("ana");
    EXPECT_EQ(rows(list), QStringList({"NewBuyerCell", "NoResultsCell"}));
}

} // namespace
