#include "sandbox/SandboxCertificates.h"

#include <memory>
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace {

struct PkeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct X509Free {
    void operator()(X509* cert) const { X509_free(cert); }
};
struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using PkeyPtr = std::unique_ptr<EVP_PKEY, PkeyFree>;
using X509Ptr = std::unique_ptr<X509, X509Free>;
using BioPtr = std::unique_ptr<BIO, BioFree>;

QString openSslError(const char* step) {
    const unsigned long code = ERR_get_error();
    char text[256] = {};
    if (code != 0)
        ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    return QStringLiteral("%1 failed: %2").arg(QLatin1String(step), QLatin1String(text));
}

bool addExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_nconf_nid(nullptr, &ctx, nid, value);
    if (!ext)
        return false;
    const bool added = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return added;
}

bool setRandomSerial(X509* cert) {
    unsigned char bytes[16];
    if (RAND_bytes(bytes, sizeof bytes) != 1)
        return false;
    bytes[0] &= 0x7f; // keep it positive
    BIGNUM* bn = BN_bin2bn(bytes, sizeof bytes, nullptr);
    if (!bn)
        return false;
    const bool ok = BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(cert)) != nullptr;
    BN_free(bn);
    return ok;
}

// A certificate for `key` named `commonName`; self-signed when `issuer` is null.
X509Ptr makeCertificate(EVP_PKEY* key, const QByteArray& commonName, X509* issuer,
                        EVP_PKEY* issuerKey, bool authority) {
    X509Ptr cert(X509_new());
    if (!cert || X509_set_version(cert.get(), 2) != 1 || !setRandomSerial(cert.get()))
        return nullptr;
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 60L * 60 * 24 * 30);
    if (X509_set_pubkey(cert.get(), key) != 1)
        return nullptr;
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>("Tarvello Sandbox"), -1, -1,
                               0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(commonName.constData()), -1,
                               -1, 0);
    X509* signer = issuer ? issuer : cert.get();
    if (X509_set_issuer_name(cert.get(), X509_get_subject_name(signer)) != 1)
        return nullptr;

    bool ok = addExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (authority) {
        ok = ok && addExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE") &&
             addExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        ok = ok && addExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE") &&
             addExtension(cert.get(), signer, NID_key_usage,
                          "critical,digitalSignature,keyEncipherment") &&
             addExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth") &&
             addExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost") &&
             addExtension(cert.get(), signer, NID_authority_key_identifier, "keyid:always");
    }
    if (!ok)
        return nullptr;
    if (X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()) <= 0)
        return nullptr;
    return cert;
}

QByteArray bioText(BIO* bio) {
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    return QByteArray(data, int(length));
}

bool toPem(X509* cert, EVP_PKEY* key, SandboxKeyPair& out) {
    BioPtr certBio(BIO_new(BIO_s_mem()));
    BioPtr keyBio(BIO_new(BIO_s_mem()));
    if (!certBio || !keyBio || PEM_write_bio_X509(certBio.get(), cert) != 1 ||
        PEM_write_bio_PrivateKey(keyBio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return false;
    out.certificatePem = bioText(certBio.get());
    out.privateKeyPem = bioText(keyBio.get());
    return true;
}

} // namespace

bool SandboxCertificates::generate(const QString& authorityName, SandboxCertificates& out,
                                   QString* error) {
    auto fail = [error](const char* step) {
        if (error)
            *error = openSslError(step);
        return false;
    };
    PkeyPtr caKey(EVP_EC_gen("prime256v1"));
    PkeyPtr serverKey(EVP_EC_gen("prime256v1"));
    if (!caKey || !serverKey)
        return fail("key generation");
    X509Ptr ca = makeCertificate(caKey.get(), authorityName.toUtf8(), nullptr, nullptr, true);
    if (!ca)
        return fail("authority certificate");
    X509Ptr server = makeCertificate(serverKey.get(), QByteArrayLiteral("127.0.0.1"), ca.get(),
                                     caKey.get(), false);
    if (!server)
        return fail("server certificate");
    if (!toPem(ca.get(), caKey.get(), out.authority) ||
        !toPem(server.get(), serverKey.get(), out.server))
        return fail("PEM encoding");
    return true;
}
