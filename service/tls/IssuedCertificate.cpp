#include "IssuedCertificate.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <QStringList>

#include <memory>

namespace tvs {

namespace {

struct Free
{
    void operator()(EVP_PKEY *p) const { EVP_PKEY_free(p); }
    void operator()(X509 *p) const { X509_free(p); }
    void operator()(BIO *p) const { BIO_free(p); }
    void operator()(BIGNUM *p) const { BN_free(p); }
};
template<typename T>
using Owned = std::unique_ptr<T, Free>;

constexpr long kDay = 24L * 3600;

bool addExtension(X509 *cert, X509 *issuer, int nid, const QByteArray &value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION *ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.constData());
    if (!ext)
        return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

bool addName(X509_NAME *name, const char *field, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    return X509_NAME_add_entry_by_txt(name, field, MBSTRING_UTF8,
                                      reinterpret_cast<const unsigned char *>(utf8.constData()), -1, -1, 0)
        == 1;
}

bool setRandomSerial(X509 *cert)
{
    unsigned char serial[16];
    if (RAND_bytes(serial, sizeof serial) != 1)
        return false;
    serial[0] &= 0x7f; // a positive number
    Owned<BIGNUM> bn(BN_bin2bn(serial, sizeof serial, nullptr));
    return bn && BN_to_ASN1_INTEGER(bn.get(), X509_get_serialNumber(cert));
}

bool addExtensions(X509 *cert, X509 *signer, const CertificateRequest &request, bool selfSigned)
{
    QStringList usage;
    if (request.server)
        usage << QStringLiteral("digitalSignature") << QStringLiteral("keyEncipherment");
    if (request.authority)
        usage << QStringLiteral("keyCertSign") << QStringLiteral("cRLSign");

    bool ok = addExtension(cert, signer, NID_basic_constraints,
                           request.authority ? "critical,CA:TRUE,pathlen:0" : "critical,CA:FALSE");
    if (!usage.isEmpty())
        ok = ok && addExtension(cert, signer, NID_key_usage, "critical," + usage.join(u',').toLatin1());
    if (request.server) {
        ok = ok && addExtension(cert, signer, NID_ext_key_usage, "serverAuth");
        ok = ok && addExtension(cert, signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    }
    ok = ok && addExtension(cert, signer, NID_subject_key_identifier, "hash");
    if (!selfSigned)
        ok = ok && addExtension(cert, signer, NID_authority_key_identifier, "keyid:always");
    return ok;
}

template<typename Write>
QByteArray toPem(Write write)
{
    Owned<BIO> bio(BIO_new(BIO_s_mem()));
    if (!bio || write(bio.get()) != 1)
        return {};
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, qsizetype(size));
}

Owned<BIO> readBio(const QByteArray &pem)
{
    return Owned<BIO>(BIO_new_mem_buf(pem.constData(), int(pem.size())));
}

IssuedCertificate fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return {};
}

} // namespace

IssuedCertificate issueCertificate(const CertificateRequest &request, const IssuedCertificate *issuer,
                                   QString *error)
{
    Owned<X509> issuerCert;
    Owned<EVP_PKEY> issuerKey;
    if (issuer) {
        Owned<BIO> certBio = readBio(issuer->certificatePem);
        Owned<BIO> keyBio = readBio(issuer->keyPem);
        if (certBio && keyBio) {
            issuerCert.reset(PEM_read_bio_X509(certBio.get(), nullptr, nullptr, nullptr));
            issuerKey.reset(PEM_read_bio_PrivateKey(keyBio.get(), nullptr, nullptr, nullptr));
        }
        if (!issuerCert || !issuerKey)
            return fail(error, QStringLiteral("the issuing certificate or its key is unreadable"));
    }

    Owned<EVP_PKEY> key(EVP_EC_gen("P-256"));
    Owned<X509> cert(X509_new());
    if (!key || !cert)
        return fail(error, QStringLiteral("could not make a TLS key (OpenSSL)"));

    X509 *signer = issuerCert ? issuerCert.get() : cert.get();
    X509_NAME *subject = X509_get_subject_name(cert.get());
    const bool ok = X509_set_version(cert.get(), 2) == 1 && setRandomSerial(cert.get())
        && X509_gmtime_adj(X509_getm_notBefore(cert.get()), -kDay)
        && X509_gmtime_adj(X509_getm_notAfter(cert.get()), request.validDays * kDay)
        && X509_set_pubkey(cert.get(), key.get()) == 1 && addName(subject, "O", request.organisation)
        && addName(subject, "CN", request.commonName)
        && X509_set_issuer_name(cert.get(), X509_get_subject_name(signer)) == 1
        && addExtensions(cert.get(), signer, request, !issuer)
        && X509_sign(cert.get(), issuerKey ? issuerKey.get() : key.get(), EVP_sha256()) > 0;
    if (!ok)
        return fail(error, QStringLiteral("could not sign the TLS certificate for %1 (OpenSSL)")
                               .arg(request.commonName));

    IssuedCertificate out;
    out.certificatePem = toPem([&](BIO *bio) { return PEM_write_bio_X509(bio, cert.get()); });
    out.keyPem = toPem([&](BIO *bio) {
        return PEM_write_bio_PrivateKey(bio, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
    });
    if (out.isNull())
        return fail(error, QStringLiteral("could not write the TLS certificate for %1 (OpenSSL)")
                               .arg(request.commonName));
    return out;
}

} // namespace tvs
