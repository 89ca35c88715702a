#include "Certificates.h"

#include <QDir>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace tvs {

namespace {

struct Free
{
    void operator()(EVP_PKEY *p) const { EVP_PKEY_free(p); }
    void operator()(X509 *p) const { X509_free(p); }
    void operator()(BIO *p) const { BIO_free(p); }
};
template<typename T>
using Owned = std::unique_ptr<T, Free>;

constexpr long kTenYears = 10L * 366 * 24 * 3600;

bool addExtension(X509 *cert, X509 *issuer, int nid, const char *value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION *ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (!ext)
        return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

Owned<X509> makeCertificate(EVP_PKEY *key, const char *commonName, X509 *issuer, EVP_PKEY *issuerKey,
                            bool isCa)
{
    Owned<X509> cert(X509_new());
    if (!cert)
        return {};
    X509_set_version(cert.get(), 2);
    unsigned char serial[16];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f;
    BIGNUM *bn = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(cert.get()));
    BN_free(bn);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -24 * 3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kTenYears);
    X509_set_pubkey(cert.get(), key);
    X509_NAME *name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char *>("tvs-service stand-in"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char *>(commonName), -1, -1, 0);
    X509 *signer = issuer ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    bool ok = true;
    if (isCa) {
        ok = ok && addExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE,pathlen:0");
        ok = ok && addExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        ok = ok && addExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
        ok = ok && addExtension(cert.get(), signer, NID_key_usage, "critical,digitalSignature,keyEncipherment");
        ok = ok && addExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
        ok = ok && addExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    }
    ok = ok && addExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (!isCa)
        ok = ok && addExtension(cert.get(), signer, NID_authority_key_identifier, "keyid:always");
    if (!ok || X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()) <= 0)
        return {};
    return cert;
}

QByteArray pem(X509 *cert)
{
    Owned<BIO> bio(BIO_new(BIO_s_mem()));
    PEM_write_bio_X509(bio.get(), cert);
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, int(size));
}

QByteArray pem(EVP_PKEY *key)
{
    Owned<BIO> bio(BIO_new(BIO_s_mem()));
    PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr);
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, int(size));
}

bool writeFile(const QString &path, const QByteArray &bytes, bool secret)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (secret)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file.write(bytes) == bytes.size() && file.flush();
}

bool stillUsable(const TlsFiles &files)
{
    QFile certFile(files.certificateFile), keyFile(files.keyFile), caFile(files.caFile);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)
        || !caFile.open(QIODevice::ReadOnly))
        return false;
    const QSslCertificate cert(certFile.readAll(), QSsl::Pem);
    const QSslCertificate ca(caFile.readAll(), QSsl::Pem);
    const QSslKey key(keyFile.readAll(), QSsl::Ec, QSsl::Pem);
    const QDateTime soon = QDateTime::currentDateTimeUtc().addDays(31);
    return !cert.isNull() && !ca.isNull() && !key.isNull() && cert.expiryDate() > soon
        && ca.expiryDate() > soon && cert.issuerDisplayName() == ca.subjectDisplayName();
}

} // namespace

bool ensureCertificates(const QString &dataDir, TlsFiles *files, QString *error)
{
    const QDir dir(dataDir);
    files->caFile = dir.absoluteFilePath(QStringLiteral("ca.pem"));
    files->certificateFile = dir.absoluteFilePath(QStringLiteral("server.pem"));
    files->keyFile = dir.absoluteFilePath(QStringLiteral("server-key.pem"));
    if (stillUsable(*files))
        return true;

    Owned<EVP_PKEY> caKey(EVP_EC_gen("P-256"));
    Owned<EVP_PKEY> serverKey(EVP_EC_gen("P-256"));
    if (!caKey || !serverKey) {
        *error = QStringLiteral("could not make the TLS keys (OpenSSL)");
        return false;
    }
    Owned<X509> ca = makeCertificate(caKey.get(), "tvs-service local CA", nullptr, nullptr, true);
    Owned<X509> server = ca ? makeCertificate(serverKey.get(), "127.0.0.1", ca.get(), caKey.get(), false)
                            : Owned<X509>();
    if (!ca || !server) {
        *error = QStringLiteral("could not sign the TLS certificates (OpenSSL)");
        return false;
    }
    // The CA's private key is not kept: nothing else can ever be signed with it.
    if (!writeFile(files->keyFile, pem(serverKey.get()), true)
        || !writeFile(files->certificateFile, pem(server.get()), false)
        || !writeFile(files->caFile, pem(ca.get()), false)) {
        *error = QStringLiteral("could not write the TLS files into %1").arg(dataDir);
        return false;
    }
    return true;
}

} // namespace tvs
