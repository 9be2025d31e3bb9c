#include "model/CreditCard.h"

#include "platform/core/Logging.h"

#include <openssl/evp.h>

namespace {

constexpr int kKeyLength = 24;
// Cipher statuses, as the back end's other clients report them.
constexpr qint64 kStatusParamError = -4300;
constexpr qint64 kStatusDecodeError = -4304;
constexpr qint64 kStatusKeySizeError = -4310;

void setError(TarvelloError* error, qint64 status, const QString& description) {
    if (error)
        *error = TarvelloError{CreditCard::cipherErrorDomain, status, description, nullptr};
}

// The key's first 24 characters as UTF-8; none unless that is exactly 24 bytes.
std::optional<QByteArray> keyBytes(const QString& key, TarvelloError* error) {
    const QByteArray bytes = key.left(kKeyLength).toUtf8();
    if (bytes.size() != kKeyLength) {
        Logging::warning(tarvelloSale,
                         QStringLiteral("Card-field encryption refused: the key is not %1 bytes")
                             .arg(kKeyLength));
        setError(error, kStatusKeySizeError, QStringLiteral("the keyData is an invalid size"));
        return std::nullopt;
    }
    return bytes;
}

// One 3DES ECB pass with PKCS#7 padding over the input; none when the cipher fails.
std::optional<QByteArray> runCipher(bool encrypt, const QByteArray& input, const QByteArray& key) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        &EVP_CIPHER_CTX_free);
    if (!ctx)
        return std::nullopt;
    const auto* keyData = reinterpret_cast<const unsigned char*>(key.constData());
    if (EVP_CipherInit_ex(ctx.get(), EVP_des_ede3_ecb(), nullptr, keyData, nullptr,
                          encrypt ? 1 : 0) != 1)
        return std::nullopt;
    EVP_CIPHER_CTX_set_padding(ctx.get(), 1);
    QByteArray output(input.size() + 8, Qt::Uninitialized);
    auto* out = reinterpret_cast<unsigned char*>(output.data());
    int written = 0;
    int finalWritten = 0;
    if (EVP_CipherUpdate(ctx.get(), out, &written,
                         reinterpret_cast<const unsigned char*>(input.constData()),
                         int(input.size())) != 1)
        return std::nullopt;
    if (EVP_CipherFinal_ex(ctx.get(), out + written, &finalWritten) != 1)
        return std::nullopt;
    output.truncate(written + finalWritten);
    return output;
}

// Standard Base64 in lines of at most 64 characters separated by CR LF.
QString wrappedBase64(const QByteArray& bytes) {
    const QByteArray encoded = bytes.toBase64();
    QByteArray wrapped;
    wrapped.reserve(encoded.size() + encoded.size() / 32);
    for (qsizetype i = 0; i < encoded.size(); i += 64) {
        if (i > 0)
            wrapped.append("\r\n");
        wrapped.append(encoded.mid(i, 64));
    }
    return QString::fromLatin1(wrapped);
}

} // namespace

const QString CreditCard::cipherErrorDomain =
    QStringLiteral("com.your_domain.your_project_name.your_class_name.");

std::optional<QByteArray>
CreditCard::tripleDesEncryptString(const QString& text, const QString& key, TarvelloError* error) {
    const std::optional<QByteArray> keyData = keyBytes(key, error);
    if (!keyData)
        return std::nullopt;
    std::optional<QByteArray> result = runCipher(true, text.toUtf8(), *keyData);
    if (!result)
        setError(error, kStatusParamError, QString());
    return result;
}

std::optional<QString> CreditCard::tripleDesDecryptData(const QByteArray& data, const QString& key,
                                                        TarvelloError* error) {
    const std::optional<QByteArray> keyData = keyBytes(key, error);
    if (!keyData)
        return std::nullopt;
    const std::optional<QByteArray> plain = runCipher(false, data, *keyData);
    if (!plain) {
        setError(error, kStatusDecodeError, QString());
        return std::nullopt;
    }
    return QString::fromUtf8(*plain);
}

std::optional<QString> CreditCard::encryptString(const QString& text, const QString& key,
                                                 TarvelloError* error) {
    const std::optional<QByteArray> cipher = tripleDesEncryptString(text, key.left(24), error);
    if (!cipher)
        return std::nullopt;
    return wrappedBase64(*cipher);
}

bool CreditCard::encryptCardDataWithKey(const QString& key, bool encryptNumber, bool encryptCVV2,
                                        bool encryptExpiration, TarvelloError* error) {
    // Every chosen field is encrypted before any is replaced, so a failure leaves the card whole.
    std::optional<QString> number, cvv2, expiration;
    if (encryptNumber && !(number = encryptString(number_, key, error)))
        return false;
    if (encryptCVV2 && !(cvv2 = encryptString(cvv2_, key, error)))
        return false;
    if (encryptExpiration && !(expiration = encryptString(expiration_, key, error)))
        return false;
    if (number)
        number_ = *number;
    if (cvv2)
        cvv2_ = *cvv2;
    if (expiration)
        expiration_ = *expiration;
    return true;
}
