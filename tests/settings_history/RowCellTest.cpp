#include "HistoryFixture.h"

#include "SDK/session/AccountSettings.h"
#include "api/APIConfiguration.h"
#include "model/CreditCard.h"
#include "model/Sale.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"
#include "sandbox/routes/ImageRoutes.h"
#include "settings/history/SalesHistoryCellNew.h"
#include "support/SandboxFixture.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/UIKitSupport.h"

#include <QLabel>
#include <QTemporaryDir>

using namespace historytest;

namespace {

// A record as the history answers it: 150.00 in pesos ("032") at 14:05 Buenos Aires time.
QVariantMap historyRecord(const QVariantMap& changes = {}) {
    QVariantMap record{{"saleId", "7001"},
                       {"totalAmount", 150},
                       {"currency", "032"},
                       {"created", "2023-03-10 14:05:00"},
                       {"items", QVariantList()}};
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it)
        record.insert(it.key(), it.value());
    return record;
}

QVariantMap line(const QString& name, int quantity) {
    return {{"productName", name}, {"productPrice", 50}, {"quantity", quantity}};
}

class RowCellTest : public HistoryTest {
protected:
    void SetUp() override {
        HistoryTest::SetUp();
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->addTrustedCAFile(sandbox.caFile());
        Services::set<APIConfiguration>(configuration);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
        AccountSettings::instance().setCurrencies(
            {QVariantMap{{"code", "032"}, {"symbol", "ARS"}, {"exchangeRate", "1.00"}},
             QVariantMap{{"code", "840"}, {"symbol", "USD"}, {"exchangeRate", "350.00"}}});
        cell.resize(375, 64);
    }
    void TearDown() override {
        AccountSettings::instance().reset();
        Services::set<DocumentsFolder>(nullptr);
        Services::set<APIConfiguration>(nullptr);
        HistoryTest::TearDown();
    }
    std::shared_ptr<Sale> record(const QVariantMap& changes = {}) {
        return Sale::fromDictionary(historyRecord(changes));
    }
    static bool samePicture(const QImage& shown, const char* bundleName) {
        return !shown.isNull() &&
               shown == UIKitSupport::bundleImage(QString::fromLatin1(bundleName));
    }

    SandboxFixture sandbox;
    QTemporaryDir documents;
    SalesHistoryCellNew cell;
};

TEST_F(RowCellTest, KindOfRecordGivesAmountColourBadgeAndDescription) {
    const QColor grey = SalesHistoryCellNew::kDarkGrey;
    const QColor red = SalesHistoryCellNew::kRed;
    const QVariantList threeLines{line("Café", 1), line("Medialuna", 2), line("Jugo", 1)};
    const struct Case {
        const char* name;
        QVariantMap changes;
        QString amount;
        QColor colour;
        const char* badge; // null: hidden
        bool secondBadge;
        QString description; // empty: hidden
    } cases[] = {
        {"no items", {}, "ARS 150.00", grey, nullptr, false, ""},
        {"one item",
         {{"items", QVariantList{line("Café", 1)}}},
         "ARS 150.00",
         grey,
         nullptr,
         false,
         "Café"},
        {"quantity 3",
         {{"items", QVariantList{line("Café", 3)}}},
         "ARS 150.00",
         grey,
         nullptr,
         false,
         "3 x Café"},
        {"three items", {{"items", threeLines}}, "ARS 150.00", grey, nullptr, false, "3 items"},
        {"refunded and cancelled",
         {{"hasRefund", true}, {"canceled", true}},
         "ARS 150.00",
         grey,
         "badge_salerefunded.png",
         false,
         ""},
        {"cancelled", {{"canceled", true}}, "ARS 150.00", red, "badge_cancelled.png", false, ""},
        {"cancelled refund",
         {{"canceled", true}, {"refundId", "9001"}},
         "ARS 150.00",
         red,
         "badge_cancelled.png",
         true,
         ""},
        {"refund", {{"refundId", "9001"}}, "-ARS 150.00", red, "badge_refund.png", false, ""},
        {"debit adjustment with items",
         {{"type", "ADJUSTMENT_DEBIT"}, {"items", threeLines}},
         "-ARS 150.00",
         red,
         nullptr,
         false,
         "Ajuste débito"},
        {"credit adjustment",
         {{"type", "ADJUSTMENT_CREDIT"}},
         "ARS 150.00",
         grey,
         nullptr,
         false,
         "Ajuste crédito"},
        {"dollars", {{"currency", "840"}}, "USD 150.00", grey, nullptr, false, ""},
        {"unknown currency", {{"currency", "978"}}, "$ 150.00", grey, nullptr, false, ""},
        {"currency without its leading zero",
         {{"currency", "32"}},
         "ARS 150.00",
         grey,
         nullptr,
         false,
         ""},
    };
    // One cell for every record, as a list reuses it: nothing of a record stays for the next.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cell.setSale(record(c.changes));
        EXPECT_EQ(cell.amountLabel()->text(), c.amount);
        EXPECT_EQ(cell.amountLabel()->palette().color(QPalette::WindowText), c.colour);
        EXPECT_EQ(cell.refundImage()->isHidden(), c.badge == nullptr);
        if (c.badge) {
            EXPECT_TRUE(samePicture(cell.refundImage()->image(), c.badge));
        }
        EXPECT_EQ(cell.refundCancelledImage()->isHidden(), !c.secondBadge);
        EXPECT_EQ(cell.descriptionLabel()->isHidden(), c.description.isEmpty());
        if (!c.description.isEmpty()) {
            EXPECT_EQ(cell.descriptionLabel()->text(), c.description);
        }
        EXPECT_EQ(cell.descriptionConstraint()->priority(), c.description.isEmpty() ? 1 : 999);
        EXPECT_EQ(cell.dateLabel()->text(),
                  QLocale::c().toString(cell.sale()->date().toLocalTime(), "HH:mm"));
        EXPECT_TRUE(cell.transactionStatusImage()->isHidden());
    }
}

TEST_F(RowCellTest, PicturesComeFromTheIssuerOrTheCashMark) {
    // Cash without an address: the cash mark.
    cell.setSale(record({{"payment", QVariantMap{{"method", "cash"}}}}));
    EXPECT_TRUE(samePicture(cell.paymentMethodImage()->image(), "t_cash.png"));
    EXPECT_EQ(cell.downloader(), nullptr);

    // A card with an empty address: no picture at all.
    auto card = record({{"payment", QVariantMap{{"method", "credit"}}}});
    card->setCreditCard(std::make_shared<CreditCard>());
    cell.setSale(card);
    EXPECT_TRUE(cell.paymentMethodImage()->image().isNull());

    // Cash with an address: the download is used, not the cash mark.
    auto cash = record({{"payment", QVariantMap{{"method", "cash"}}}});
    cash->setCreditCard(std::make_shared<CreditCard>());
    cash->creditCard()->setBankImageURL(sandbox.baseUrl() + "/images/issuer-cash.png");
    cell.setSale(cash);
    ASSERT_NE(cell.downloader(), nullptr);
    EXPECT_EQ(cell.downloader()->imageIndex(), "7001");
    ASSERT_TRUE(
        waitUntil([&] { return cell.paymentMethodImage()->image().size() == QSize(120, 120); }));
    EXPECT_FALSE(samePicture(cell.paymentMethodImage()->image(), "t_cash.png"));
}

TEST_F(RowCellTest, AReusedCellDoesNotTakeThePreviousRecordsLatePicture) {
    const QString path = "/images/slow-issuer.png";
    sandbox->scriptOnce(
        "GET", path,
        SandboxReply::raw(ImageRoutes::drawnPicture("slow-issuer.png", "PNG"), "image/png")
            .withDelay(300));
    auto slow = record();
    slow->setCreditCard(std::make_shared<CreditCard>());
    slow->creditCard()->setBankImageURL(sandbox.baseUrl() + path);
    cell.setSale(slow);
    ASSERT_NE(cell.downloader(), nullptr);

    // Reused for a cash record while the first picture is still on its way.
    cell.setSale(record({{"payment", QVariantMap{{"method", "cash"}}}}));
    EXPECT_EQ(cell.downloader(), nullptr);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 900)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(samePicture(cell.paymentMethodImage()->image(), "t_cash.png"));
}

TEST_F(RowCellTest, TheStatusDotFollowsSelectionAndStaysHidden) {
    const struct Case {
        bool closed;
        bool selected;
        const char* picture;
    } cases[] = {{true, false, "dot_close.png"},
                 {true, true, "dot_close_inverted.png"},
                 {false, false, "dot_open.png"},
                 {false, true, "dot_open_inverted.png"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        cell.setSale(record({{"isClose", c.closed}}));
        cell.setSelected(c.selected, false);
        EXPECT_TRUE(samePicture(cell.transactionStatusImage()->image(), c.picture));
        EXPECT_TRUE(cell.transactionStatusImage()->isHidden());
    }
}

} // namespace
