#include "platform/core/DocumentsFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

TEST(DocumentsFolder, PictureNamesArePlainLastPathComponents) {
    const struct {
        const char* address;
        const char* name; // nullptr: not kept
    } cases[] = {
        {"https://h/images/logo.png", "logo.png"},
        {"https://h/a/b/shared.png", "shared.png"},
        {"https://h/images/x%20y.png?v=2#top", "x y.png"},
        {"https://h/images/photo.jpg", "photo.jpg"},
        {"https://h/images/..", nullptr},
        {"https://h/images/.", nullptr},
        {"https://h/images/%2E%2E", nullptr},
        {"https://h/images/", nullptr},
        {"https://h", nullptr},
        {"", nullptr},
        {"https://h/images/.x", nullptr},
        {"https://h/images/a%2Fb", nullptr},
        {"https://h/images/a%5Cb.png", nullptr},
        {"https://h/images/a%00b.png", nullptr},
        // The signature queue's file names are never taken by a picture.
        {"https://h/images/0F8A2C1E-7B3D-4E5F-9A0B-1C2D3E4F5A6B", nullptr},
        {"https://h/images/0f8a2c1e-7b3d-4e5f-9a0b-1c2d3e4f5a6b", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const auto name = DocumentsFolder::pictureFileNameForURL(QString::fromUtf8(c.address));
        if (c.name)
            EXPECT_EQ(name, QString::fromUtf8(c.name));
        else
            EXPECT_FALSE(name.has_value()) << name->toStdString();
    }
}

TEST(DocumentsFolder, RemovingAPictureDeletesOnlyItsOwnFile) {
    QTemporaryDir documents;
    Services::set(std::make_shared<DocumentsFolder>(documents.path()));
    const QDir dir(documents.path());
    for (const char* name : {"logo.png", "0F8A2C1E-7B3D-4E5F-9A0B-1C2D3E4F5A6B", "b"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(DocumentsFolder::removePictureForURL("https://h/x/logo.png"));
    EXPECT_FALSE(dir.exists("logo.png"));
    // A pending signature's file and a name hidden behind an encoded separator stay.
    EXPECT_FALSE(
        DocumentsFolder::removePictureForURL("https://h/x/0F8A2C1E-7B3D-4E5F-9A0B-1C2D3E4F5A6B"));
    EXPECT_FALSE(DocumentsFolder::removePictureForURL("https://h/x/a%2Fb"));
    EXPECT_TRUE(dir.exists("0F8A2C1E-7B3D-4E5F-9A0B-1C2D3E4F5A6B"));
    EXPECT_TRUE(dir.exists("b"));
    Services::set<DocumentsFolder>(nullptr);
}

} // namespace
