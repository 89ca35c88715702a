#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QString>

#include <functional>
#include <utility>

class QNetworkAccessManager;
class QNetworkReply;

namespace tvs {

// The side services that answer with JSON text inside their result element.
inline const QString kCarLookupPath = QStringLiteral("/sub_asmx/asmx_json.asmx");
inline const QString kCarLookupOperation = QStringLiteral("CarInfo_Search");
inline const QString kHandOffPath = QStringLiteral("/sub_asmx/asmx_json_tvs_to_zest.asmx");
inline const QString kHandOffOperation = QStringLiteral("CarProductInfo_Send");
// Sent as sRequest with both side services.
inline const QString kRequesterId = QStringLiteral("kr.qorbel.TVSDealer");

struct JsonServiceReply
{
    enum Status {
        Ok,             // the result element held a JSON object
        TransportError, // no reply: connection, TLS, HTTP status, timeout
        BadReply,       // empty, not UTF-8, no result element, or not a JSON object
    };
    Status status = Ok;
    QString error;
    QString resultText; // the result element's text, unescaped
    QJsonObject object;
    QByteArray body;
    bool ok() const { return status == Ok; }
};

// Reads the text after the first "<OperationResult>" and before the next
// "</OperationResult>", unescapes it once and parses it as a JSON object.
JsonServiceReply readJsonServiceReply(const QByteArray &body, const QString &operation);

class JsonServiceCaller
{
public:
    using Callback = std::function<void(const JsonServiceReply &)>;
    virtual ~JsonServiceCaller() = default;
    // Posts `operation` with its parameters (in order) to `path` on the API host.
    // The callback runs on the receiver's thread and never once it is destroyed.
    virtual void call(const QString &path, const QString &operation,
                      const QList<std::pair<QString, QString>> &params, QObject *receiver, Callback done) = 0;
};

// The real side-service client, on the same manager and TLS rule as the procedures.
class JsonServiceClient : public QObject, public JsonServiceCaller
{
    Q_OBJECT
public:
    JsonServiceClient(QNetworkAccessManager *nam, QString apiHost, QList<QSslCertificate> extraCas,
                      QObject *parent = nullptr);
    // Cancels the requests still in flight, as ProcedureClient does.
    ~JsonServiceClient() override;

    void call(const QString &path, const QString &operation, const QList<std::pair<QString, QString>> &params,
              QObject *receiver, Callback done) override;

    void setTimeout(int ms) { m_timeoutMs = ms; }

private:
    QNetworkAccessManager *m_nam;
    QString m_apiHost;
    QList<QSslCertificate> m_extraCas;
    int m_timeoutMs;
    QList<QPointer<QNetworkReply>> m_inFlight;
};

} // namespace tvs
