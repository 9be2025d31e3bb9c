#include "api/APIController.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray body(const QVariantMap& fields) {
    const auto built = APIController::bodyFromDictionary(fields);
    EXPECT_TRUE(built.has_value());
    return built.value_or(QByteArray());
}

QByteArray textPart(const QByteArray& name, const QByteArray& value) {
    return "--0xKhTmLbOuNdArY\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" +
           value + "\r\n";
}

const QByteArray closing = "--0xKhTmLbOuNdArY--\r\n";

} // namespace

TEST(RequestBodies, MultipartWritesEachValueKindByItsRule) {
    struct Case {
        const char* what;
        QVariant value;
        QByteArray expected;
    };
    const Case cases[] = {
        {"text", QStringLiteral("17 ñ"), textPart("f", "17 \xc3\xb1")},
        {"bytes", QByteArray("raw"), textPart("f", "raw")},
        {"decimal 3", 3.0, textPart("f", "3.0000")},
        {"decimal 12.5", 12.5, textPart("f", "12.5000")},
        {"float", 0.25f, textPart("f", "0.2500")},
        {"integer", 42, textPart("f", "42")},
        {"64-bit integer", qint64(7), textPart("f", "7")},
        {"boolean true", true, textPart("f", "1")},
        {"boolean false", false, textPart("f", "0")},
        {"list", QVariantList{1, 2},
         "--0xKhTmLbOuNdArY\r\nContent-Disposition: form-data; name=\"f\"\r\n\r\n"},
        {"dictionary", QVariantMap{{"a", 1}},
         "--0xKhTmLbOuNdArY\r\nContent-Disposition: form-data; name=\"f\"\r\n\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(body({{"f", c.value}}), c.expected + closing) << c.what;
}

TEST(RequestBodies, MultipartOfTwoFieldsAndOfNone) {
    EXPECT_EQ(body({}), closing);
    EXPECT_EQ(body({{"userId", "17"}, {"isAvailable", "1"}}),
              textPart("isAvailable", "1") + textPart("userId", "17") + closing);
    // A part without content is followed directly by the next delimiter.
    EXPECT_EQ(body({{"a", QVariantList{}}, {"b", "x"}}),
              "--0xKhTmLbOuNdArY\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n" +
                  textPart("b", "x") + closing);
}

TEST(RequestBodies, ImagePartIsPngAnnouncedAsImageJpg) {
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const QByteArray bytes = body({{"profileImage", image}});
    const QByteArray head = "--0xKhTmLbOuNdArY\r\nContent-Disposition: form-data; "
                            "name=\"profileImage\"; filename=\"image.jpg\"\r\n"
                            "Content-Type: image/png\r\n\r\n";
    ASSERT_TRUE(bytes.startsWith(head));
    ASSERT_TRUE(bytes.endsWith("\r\n" + closing));
    const QByteArray png = bytes.mid(head.size(), bytes.size() - head.size() - 2 - closing.size());
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(png, "PNG"));
    EXPECT_EQ(decoded.size(), QSize(4, 3));
    EXPECT_EQ(decoded.pixelColor(0, 0), QColor(Qt::red));
}

TEST(RequestBodies, ValueHoldingTheBoundaryIsRefusedWithAClearError) {
    const QVariantMap refused[] = {
        {{"ok", "1"}, {"note", "x\r\n--0xKhTmLbOuNdArY--\r\ninjected"}},
        {{"note", QByteArray("0xKhTmLbOuNdArY")}},
        {{"na\"me", "1"}},
        {{"line\r\nbreak", "1"}},
    };
    for (const QVariantMap& fields : refused) {
        QString error;
        EXPECT_FALSE(APIController::bodyFromDictionary(fields, &error).has_value());
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    APIController::bodyFromDictionary({{"note", "--0xKhTmLbOuNdArY"}}, &error);
    EXPECT_TRUE(error.contains("\"note\"")) << error.toStdString();
    EXPECT_TRUE(error.contains("boundary")) << error.toStdString();
}

TEST(RequestBodies, FormDataBodies) {
    const QByteArray b = "----WebKitFormBoundary7MA4YWxkTrZu0gW";
    const auto twoParts = APIController::formDataBodyForParameter(
        {QVariantMap{{"name", "a"}, {"value", "1"}}, QVariantMap{{"name", "b"}, {"value", 2}}});
    ASSERT_TRUE(twoParts);
    EXPECT_EQ(*twoParts, "--" + b + "\r\nContent-Disposition:form-data; name=\"a\"\r\n\r\n1" +
                             "\r\n--" + b +
                             "\r\nContent-Disposition:form-data; name=\"b\"\r\n\r\n2" + "\r\n--" +
                             b + "--\r\n");

    QTemporaryDir dir;
    const QString path = dir.filePath("part.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("file text");
    file.close();
    const auto filePart = APIController::formDataBodyForParameter(
        {QVariantMap{{"name", "doc"}, {"fileName", path}, {"contentType", "text/plain"}}});
    ASSERT_TRUE(filePart);
    EXPECT_EQ(*filePart, "--" + b + "\r\nContent-Disposition:form-data; name=\"doc\"; filename=\"" +
                             path.toUtf8() +
                             "\"\r\nContent-Type: text/plain\r\n\r\nfile text\r\n--" + b +
                             "--\r\n");

    const auto json = APIController::HTTPBodyFromDictionary({{"k", "v"}, {"n", 2}});
    ASSERT_TRUE(json);
    EXPECT_EQ(*json, "--" + b + "\r\nContent-Disposition:form-data; name=\"data\"\r\n\r\n" +
                         "{\"k\":\"v\",\"n\":2}\r\n--" + b + "--\r\n");
    EXPECT_EQ(APIController::HTTPBodyURLEncodeFromDictionary({{"k", "a b&c"}}),
              QByteArray("data={\"k\":\"a b&c\"}"));

    EXPECT_FALSE(APIController::formDataBodyForParameter(
        {QVariantMap{{"name", "a"}, {"value", "x--" + QString::fromLatin1(b)}}}));
}
