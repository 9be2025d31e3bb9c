#include "CatalogFixture.h"
#include "api/APIConfiguration.h"
#include "catalog/ItemTableViewCell.h"
#include "model/Discount.h"
#include "platform/core/DocumentsFolder.h"
#include "support/SandboxFixture.h"

#include <QBuffer>
#include <QTemporaryDir>

using namespace catalogtest;

namespace {

QByteArray rowPicturePng(const QColor& color) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The colour in the middle of what the row's picture view shows (invalid when it shows nothing).
QColor rowPictureCentre(const ItemTableViewCell& cell) {
    const QImage image = cell.itemImageView()->image();
    if (image.isNull())
        return {};
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// Catalog rows loading product pictures from the sandbox's /images route.
class CatalogRowPicture : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        auto configuration = std::make_shared<APIConfiguration>();
        configuration->addTrustedCAFile(sandbox.caFile());
        Services::set<APIConfiguration>(configuration);
        Services::set(std::make_shared<DocumentsFolder>(documents.path()));
        sandbox->script("GET", "/images/slow-red.png",
                        SandboxReply::raw(rowPicturePng(Qt::red), "image/png").withDelay(300));
        sandbox->script("GET", "/images/green.png",
                        SandboxReply::raw(rowPicturePng(Qt::green), "image/png"));
    }
    void TearDown() override {
        Services::set<APIConfiguration>(nullptr);
        Services::set<DocumentsFolder>(nullptr);
        CatalogTest::TearDown();
    }
    ProductPtr product(const QString& name, const QString& id, const QString& picturePath) {
        auto made = line(name, id, 10)->product();
        if (!picturePath.isEmpty())
            made->setImageUrl(sandbox.baseUrl() + picturePath);
        return made;
    }

    SandboxFixture sandbox;
    QTemporaryDir documents;
};

} // namespace

TEST_F(CatalogRowPicture, ShowsTheProductPictureOnceDownloaded) {
    ItemTableViewCell cell;
    cell.prepareCellForItem(product("Té", "3", "/images/green.png"), 0, &sale());
    ASSERT_NE(cell.imageDownloader(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return rowPictureCentre(cell) == QColor(Qt::green); }));
    EXPECT_EQ(sandbox->requestsTo("/images/green.png").size(), 1);
}

TEST_F(CatalogRowPicture, APictureEndingAfterReuseDoesNotLandInTheRow) {
    auto discount = std::make_shared<Discount>();
    discount->setName("Socios");
    discount->setPercentage(0.25);
    const struct {
        const char* what;
        CatalogRowObject next;
        bool green; // the next object's own picture shows
    } cases[] = {
        {"product with a picture", product("Pan", "7", "/images/green.png"), true},
        {"product with a letter", product("Pan", "8", ""), false},
        {"typed-in line", line("Libre", "", 4), false},
        {"discount", discount, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sandbox->clearRequests();
        ItemTableViewCell cell;
        cell.prepareCellForItem(product("Vino", "4", "/images/slow-red.png"), 0, &sale());
        ASSERT_TRUE(waitUntil([&] { return cell.imageDownloader()->downloading(); }));
        cell.prepareCellForItem(c.next, 0, &sale());
        ASSERT_TRUE(
            waitUntil([&] { return sandbox->requestsTo("/images/slow-red.png").size() == 1; }));
        waitUntil([] { return false; }, 600); // the slow reply's delay and its decode
        if (c.green) {
            EXPECT_TRUE(waitUntil([&] { return rowPictureCentre(cell) == QColor(Qt::green); }));
        }
        EXPECT_NE(rowPictureCentre(cell), QColor(Qt::red));
    }
}
