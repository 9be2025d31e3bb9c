// The receipt step and the signature upload: countries, the merchant's buyers, saving a buyer
// with a sale (which e-mails its receipt), the recharge voucher by e-mail and the signature
// picture of a sale. What they receive is kept on the sale they name ("buyer", "receiptEmail",
// "signature") so tests and the demo can read it back.

#include "sandbox/routes/EndpointRoutes.h"
#include "sandbox/routes/ImageRoutes.h"

#include <QImage>
#include <cstdio>

using namespace EndpointRoutes;

namespace {

QVariantMap fixtureBuyer(int id, const char* first, const char* last, const char* email) {
    const QString firstName = QString::fromUtf8(first);
    const QString lastName = QString::fromUtf8(last);
    return {{"buyerId", id},
            {"firstName", firstName},
            {"lastName", lastName},
            {"fullName", firstName + QLatin1Char(' ') + lastName},
            {"email", QString::fromUtf8(email)},
            {"buyerImageUrl", ""}};
}

QVariantList fixtureBuyers() {
    return {fixtureBuyer(501, "Juan Pablo", "Rios", "jp@correo.com"),
            fixtureBuyer(502, "ana", "Zapata", ""),
            fixtureBuyer(503, "Bruno", "Diaz", "bd@correo.com")};
}

// One line on the sandbox's error output for each record a demo run reads back.
void record(const QString& line) {
    std::fprintf(stderr, "sandbox record: %s\n", qPrintable(line));
}

SandboxSale* saleOf(const SandboxRequest& request, SandboxState& state) {
    bool ok = false;
    const qint64 id = request.field(QStringLiteral("saleId")).toLongLong(&ok);
    return ok ? state.sale(id) : nullptr;
}

// Where a saved buyer's picture is served.
QString pictureUrl(const SandboxRequest& request, qint64 buyerId) {
    return ImageRoutes::pictureAddress(request, QStringLiteral("buyers/%1.png").arg(buyerId));
}

const bool registered = [] {
    add("POST", "/buyers/getCountries.json", Caller::Session, {},
        okWith(
            {{"data",
              QVariantList{
                  QVariantMap{
                      {"countryId", 1}, {"countryCode", "AR"}, {"countryName", "Argentina"}},
                  QVariantMap{{"countryId", 2}, {"countryCode", "MX"}, {"countryName", "México"}},
                  QVariantMap{
                      {"countryId", 3}, {"countryCode", "CL"}, {"countryName", "Chile"}}}}}));

    add("POST", "/buyers/getBuyers.json", Caller::Session, {},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            QVariantList buyers = fixtureBuyers();
            for (const SandboxSale& sale : state.sales())
                if (sale.data.contains("buyer"))
                    buyers.append(sale.data.value("buyer"));
            const QString only = request.field(QStringLiteral("buyerId"));
            if (!only.isEmpty()) {
                QVariantList one;
                for (const QVariant& buyer : buyers)
                    if (buyer.toMap().value("buyerId").toString() == only)
                        one.append(buyer);
                buyers = one;
            }
            return SandboxReply::ok({{"data", buyers}});
        });

    add("POST", "/buyers/saveBuyer.json", Caller::Session,
        {"buyerId", "email", "fullName", "saleId"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            const QString sentId = request.field(QStringLiteral("buyerId"));
            const qint64 buyerId = sentId.isEmpty() || sentId == QLatin1String("0")
                                       ? state.nextId()
                                       : sentId.toLongLong();
            QVariantMap buyer;
            for (const QString& name : request.fieldNames())
                if (name != QLatin1String("token") && name != QLatin1String("userId"))
                    buyer.insert(name, request.field(name));
            buyer.insert("buyerId", buyerId);
            QString imageUrl;
            if (const SandboxFile* picture = request.file(QStringLiteral("buyerImage"));
                picture && !picture->content.isEmpty()) {
                imageUrl = pictureUrl(request, buyerId);
                buyer.insert("picture", picture->content);
            }
            buyer.insert("buyerImageUrl", imageUrl);
            if (SandboxSale* sale = saleOf(request, state)) {
                sale->data.insert("buyer", buyer);
                sale->data.insert("receiptEmail", request.field(QStringLiteral("email")));
                record(QStringLiteral("receipt e-mail %1 for sale %2")
                           .arg(request.field(QStringLiteral("email")))
                           .arg(sale->id));
            }
            return SandboxReply::ok({{"buyerId", buyerId}, {"buyerImageUrl", imageUrl}});
        });

    SandboxRoutes::add(
        QStringLiteral("GET"), QStringLiteral("/images/buyers/*"),
        [](const SandboxRequest& request, SandboxState& state) {
            const QString name = request.path.section(QLatin1Char('/'), -1);
            const QString id = name.section(QLatin1Char('.'), 0, 0);
            for (const SandboxSale& sale : state.sales()) {
                const QVariantMap buyer = sale.data.value("buyer").toMap();
                if (buyer.value("buyerId").toString() == id && buyer.contains("picture"))
                    return SandboxReply::raw(buyer.value("picture").toByteArray(), "image/png");
            }
            return SandboxReply::failure(404, QStringLiteral("Imagen no encontrada"),
                                         QStringLiteral("NOT_FOUND"), 404);
        });

    add("POST", "/vouchers", Caller::Session, {"email", "refillId"},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            for (SandboxSale& sale : state.sales())
                if (sale.data.value("refillId").toString() == request.field("refillId")) {
                    sale.data.insert("receiptEmail", request.field(QStringLiteral("email")));
                    record(QStringLiteral("voucher e-mail %1 for sale %2")
                               .arg(request.field(QStringLiteral("email")))
                               .arg(sale.id));
                }
            return SandboxReply::ok();
        });

    add("POST", "/payments/saveSignatureImage.json", Caller::Session, {},
        [](const SandboxRequest& request, SandboxState& state, SandboxUser*) {
            const SandboxFile* picture = request.file(QStringLiteral("signatureImage"));
            if (request.field(QStringLiteral("saleId")).trimmed().isEmpty() || !picture ||
                picture->content.isEmpty() || QImage::fromData(picture->content, "PNG").isNull())
                return SandboxReply::failure(400, QStringLiteral("Firma inválida"),
                                             QStringLiteral("INVALID_SIGNATURE"));
            const QImage image = QImage::fromData(picture->content, "PNG");
            if (SandboxSale* sale = saleOf(request, state)) {
                sale->data.insert("signature", QVariantMap{{"width", image.width()},
                                                           {"height", image.height()},
                                                           {"bytes", picture->content.size()}});
                record(QStringLiteral("signature for sale %1, PNG %2 bytes (%3 x %4)")
                           .arg(sale->id)
                           .arg(picture->content.size())
                           .arg(image.width())
                           .arg(image.height()));
            }
            return SandboxReply::ok();
        });
    return true;
}();

} // namespace
