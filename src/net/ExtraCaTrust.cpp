#include "ExtraCaTrust.h"

#include <QHostAddress>

#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

#include <memory>

namespace tvs {

namespace {

struct X509Free
{
    void operator()(X509 *x) const { X509_free(x); }
};
struct StoreFree
{
    void operator()(X509_STORE *s) const { X509_STORE_free(s); }
};
struct CtxFree
{
    void operator()(X509_STORE_CTX *c) const { X509_STORE_CTX_free(c); }
};
struct StackFree
{
    void operator()(STACK_OF(X509) * s) const { sk_X509_pop_free(s, X509_free); }
};

std::unique_ptr<X509, X509Free> toX509(const QSslCertificate &certificate)
{
    const QByteArray der = certificate.toDer();
    const auto *data = reinterpret_cast<const unsigned char *>(der.constData());
    return std::unique_ptr<X509, X509Free>(d2i_X509(nullptr, &data, der.size()));
}

} // namespace

bool chainVerifiesAgainst(const QList<QSslCertificate> &chain, const QList<QSslCertificate> &trustedCas,
                          const QString &hostName, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (chain.isEmpty() || trustedCas.isEmpty() || hostName.isEmpty())
        return fail(QStringLiteral("nothing to verify"));

    std::unique_ptr<X509_STORE, StoreFree> store(X509_STORE_new());
    for (const QSslCertificate &ca : trustedCas) {
        auto x = toX509(ca);
        if (!x || X509_STORE_add_cert(store.get(), x.get()) != 1)
            return fail(QStringLiteral("a configured CA certificate cannot be used"));
    }
    auto leaf = toX509(chain.first());
    if (!leaf)
        return fail(QStringLiteral("the server certificate cannot be read"));
    std::unique_ptr<STACK_OF(X509), StackFree> untrusted(sk_X509_new_null());
    for (qsizetype i = 1; i < chain.size(); ++i) {
        if (auto x = toX509(chain.at(i)))
            sk_X509_push(untrusted.get(), x.release());
    }

    std::unique_ptr<X509_STORE_CTX, CtxFree> ctx(X509_STORE_CTX_new());
    if (!ctx || X509_STORE_CTX_init(ctx.get(), store.get(), leaf.get(), untrusted.get()) != 1)
        return fail(QStringLiteral("no verification context"));
    X509_STORE_CTX_set_purpose(ctx.get(), X509_PURPOSE_SSL_SERVER);
    X509_VERIFY_PARAM *param = X509_STORE_CTX_get0_param(ctx.get());
    const QByteArray host = hostName.toUtf8();
    if (QHostAddress(hostName).isNull())
        X509_VERIFY_PARAM_set1_host(param, host.constData(), size_t(host.size()));
    else
        X509_VERIFY_PARAM_set1_ip_asc(param, host.constData());

    if (X509_verify_cert(ctx.get()) != 1)
        return fail(QString::fromUtf8(X509_verify_cert_error_string(X509_STORE_CTX_get_error(ctx.get()))));
    return true;
}

} // namespace tvs
