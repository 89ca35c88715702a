#include "WizardQueries.h"

#include "CallText.h"
#include "CarFields.h"
#include "CarQueries.h"
#include "DealerFields.h"
#include "JsonServiceClient.h"
#include "WizardLogging.h"
#include "WizardState.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

namespace tvs {

Q_LOGGING_CATEGORY(lcWizard, "tvs.wizard", QtInfoMsg)

namespace {

const QString kSuccess = QStringLiteral("성공");
const QString kRegistration = QStringLiteral("ps_SetEnterCar3");

// The fields a choice-list row may carry; the screens read some of them.
const QSet<QString> kListFields = {
    CarField::sCarCode,    CarField::sCarCode4,    CarField::sCarCode5,    CarField::sCarUpCode,
    CarField::sCarName,    CarField::sCarGroup,    CarField::sCarNameSub,  CarField::sCarStartYear,
    CarField::sCarEndYear, CarField::sCarFormName, CarField::sCarFormCode,
};

// The registration's arguments after the product code, in call order: keys of
// the accumulator, or the values the call fills in itself.
enum class Arg { Key, UserCode, One, Options };
struct RegistrationArg
{
    Arg kind;
    const QString *key = nullptr;
};

const QList<RegistrationArg> &registrationArgs()
{
    using namespace WizardKey;
    static const QList<RegistrationArg> args = {
        {Arg::Key, &ProductCode},
        {Arg::Key, &Code1},
        {Arg::Key, &Code2},
        {Arg::Key, &Code3},
        {Arg::Key, &Code4},
        {Arg::Key, &Code5},
        {Arg::Key, &Code6},
        {Arg::Key, &FormCode1},
        {Arg::Key, &FormCode2},
        {Arg::Key, &FormCode3},
        {Arg::Key, &ColorCode},
        {Arg::Key, &FuelCode},
        {Arg::Key, &TransmissionCode},
        {Arg::UserCode},
        {Arg::Key, &ProductNum},
        {Arg::Key, &YearMonth},
        {Arg::Key, &Money},
        {Arg::Key, &Content},
        {Arg::One},
        {Arg::Key, &Mileage},
        {Arg::Key, &Status},
        {Arg::Key, &Group},
        {Arg::One},
        {Arg::Key, &IdNum},
        {Arg::Options},
        {Arg::Key, &CC},
        {Arg::Key, &CheckStart},
        {Arg::Key, &CheckEnd},
        {Arg::Key, &SaleType},
        {Arg::Key, &FirstRegDate},
        {Arg::Key, &DealerPrice},
    };
    return args;
}

// Texts the wizard keeps as they are: a blank in the dealer's description or in
// a number plate ("12가 3456") is part of what was written, and an edit must send
// a stored plate as it is stored.
bool keepsBlanks(const QString *key)
{
    return key == &WizardKey::Content || key == &WizardKey::ProductNum;
}

// The whole call is written without blanks, but the texts of keepsBlanks() and
// the option names keep theirs: removing them would change what was written.
QString registrationText(const QMap<QString, QString> &car, const QString &userCode,
                         const QString &optionsJson)
{
    QStringList values;
    for (const RegistrationArg &arg : registrationArgs()) {
        QString value;
        switch (arg.kind) {
        case Arg::Key:
            value = car.value(*arg.key); // a missing key goes as an empty text
            break;
        case Arg::UserCode:
            value = userCode;
            break;
        case Arg::One:
            value = QStringLiteral("1");
            break;
        case Arg::Options:
            values.append(optionsJson);
            continue;
        }
        if (!keepsBlanks(arg.key))
            value.remove(QLatin1Char(' '));
        values.append(value);
    }
    QString text = callText(kRegistration, values, QStringLiteral("','"));
    text.remove(kRegistration.size(), 1); // nor after the procedure's name
    return text;
}

LookupAnswer readLookup(const JsonServiceReply &reply)
{
    LookupAnswer answer;
    if (!reply.ok()) { // the client logged why
        const bool unreached = reply.status == JsonServiceReply::TransportError;
        answer.failure = RequestFailure::of(unreached ? QueryStatus::TransportError : QueryStatus::BadReply,
                                            true, reply.error);
        return answer;
    }
    const QJsonValue message = reply.object.value(QStringLiteral("message"));
    if (!message.isString()) {
        qCWarning(lcWizard) << "lookup: the answer has no message";
        return answer;
    }
    if (message.toString() != kSuccess) {
        answer.outcome = LookupAnswer::Refused;
        answer.message = message.toString();
        return answer;
    }
    QJsonParseError error;
    const QJsonDocument body =
        QJsonDocument::fromJson(reply.object.value(QStringLiteral("body")).toString().toUtf8(), &error);
    if (!body.isObject()) {
        qCWarning(lcWizard).noquote()
            << "error occured: the lookup's body is no JSON object:" << error.errorString();
        return answer;
    }
    const QJsonObject car = body.object();
    for (auto it = car.constBegin(); it != car.constEnd(); ++it) {
        if (it.value().isString())
            answer.car.insert(it.key(), it.value().toString());
        else
            qCWarning(lcWizard) << "lookup: the field" << it.key() << "is not a text; left out";
    }
    answer.outcome = LookupAnswer::Found;
    return answer;
}

} // namespace

QString failureText(QueryStatus::Status status)
{
    switch (status) {
    case QueryStatus::TransportError:
        return QStringLiteral("서버와 통신하지 못했습니다.");
    case QueryStatus::BadReply:
        return QStringLiteral("서버의 응답을 읽을 수 없습니다.");
    default:
        return QStringLiteral("요청을 보내지 못했습니다.");
    }
}

void WizardQueries::list(const QString &name, const QString &text, Done<Records> done)
{
    ProcedureQuery query;
    query.name = name;
    query.callText = text;
    query.shape.rowFields = kListFields;
    query.shape.cleaning = Cleaning::Stripping;
    sendQuery<Records>(
        m_procedures, lcWizard(), std::move(query), m_receiver, [](const QueryAnswer &a) { return a.rows; },
        std::move(done));
}

void WizardQueries::makers(const QString &importType, Done<Records> done)
{
    list(QStringLiteral("maker list"), callText(QStringLiteral("ps_CarLevel1Info"), {importType}),
         std::move(done));
}

void WizardQueries::models(const QString &upCode, int level, Done<Records> done)
{
    list(QStringLiteral("model list %1").arg(level),
         callText(QStringLiteral("ps_CarLevel2Info"), {upCode, QString::number(level)}), std::move(done));
}

void WizardQueries::trims(const QString &upCode, Done<Records> done)
{
    list(QStringLiteral("model list 5"), callText(QStringLiteral("ps_CarLevel5Info"), {upCode}),
         std::move(done));
}

void WizardQueries::truckForms(int level, const QString &upCode, Done<Records> done)
{
    const QString text = level == 1 ? callText(QStringLiteral("ps_TruckType1"), {})
                                    : callText(QStringLiteral("ps_TruckType2"),
                                               {QString::number(level), upCode}, QStringLiteral("','"));
    list(QStringLiteral("truck form list %1").arg(level), text, std::move(done));
}

void WizardQueries::storedCar(const QString &userCode, const QString &productCode, Done<Record> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("stored car");
    query.callText = callText(QStringLiteral("ps_GetUserProductCar_Info2"), {userCode, QStringLiteral("0")});
    query.shape.rowFields = QSet<QString>(carRecordFields().cbegin(), carRecordFields().cend());
    query.shape.rowFields += {WizardKey::DealerPrice, WizardKey::CheckStart, WizardKey::CheckEnd};
    query.shape.cleaning = Cleaning::Trimming;
    query.refusal = userCode.isEmpty() ? QStringLiteral("no user code in the session") : QString();
    sendQuery<Record>(
        m_procedures, lcWizard(), std::move(query), m_receiver,
        [productCode](const QueryAnswer &answer) {
            for (const Record &row : answer.rows) {
                if (row.value(WizardKey::ProductCode) == productCode)
                    return row;
            }
            return Record();
        },
        std::move(done));
}

void WizardQueries::registerCar(const QMap<QString, QString> &car, const QString &userCode,
                                const QString &optionsJson, Done<Registration> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("registration");
    query.callText = registrationText(car, userCode, optionsJson);
    query.shape.namedElements = {WizardKey::ProductCode, QStringLiteral("sMessage")};
    query.shape.cleaning = Cleaning::Trimming;
    query.refusal = userCode.isEmpty() ? QStringLiteral("no user code in the session") : QString();
    qCDebug(lcWizard).noquote() << query.callText;
    sendQuery<Registration>(
        m_procedures, lcWizard(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) {
            return Registration{answer.named.value(WizardKey::ProductCode),
                                answer.named.value(QStringLiteral("sMessage"))};
        },
        std::move(done));
}

void WizardQueries::lookup(const QString &importType, const QString &plate, const QString &userCode,
                           std::function<void(const LookupAnswer &)> done)
{
    if (!m_json) {
        qCWarning(lcWizard) << "lookup not sent: no JSON service client";
        deliverLater(m_receiver, std::move(done), LookupAnswer{});
        return;
    }
    const QList<std::pair<QString, QString>> params = {
        {QStringLiteral("sSearchType"), QStringLiteral("Search")},
        {CarField::sCarImportType, importType},
        {CarField::sCarProductNum, plate},
        {DealerField::sUserCode, userCode},
        {QStringLiteral("sRequest"), kRequesterId},
    };
    m_json->call(kCarLookupPath, kCarLookupOperation, params, m_receiver,
                 [done = std::move(done)](const JsonServiceReply &reply) {
                     if (done)
                         done(readLookup(reply));
                 });
}

void WizardQueries::handOff(const QString &productCode, bool changed, const QString &userCode,
                            QObject *receiver, std::function<void(const QString &)> done)
{
    if (!m_json) {
        qCWarning(lcWizard) << "hand-off of" << productCode << "not sent: no JSON service client";
        return;
    }
    const QList<std::pair<QString, QString>> params = {
        {CarField::sCarProductCode, productCode},
        {QStringLiteral("sInputType"), changed ? QStringLiteral("PUT") : QStringLiteral("POST")},
        {DealerField::sUserCode, userCode},
        {QStringLiteral("sRequest"), kRequesterId},
    };
    m_json->call(kHandOffPath, kHandOffOperation, params, receiver,
                 [productCode, done = std::move(done)](const JsonServiceReply &reply) {
                     if (!reply.ok())
                         return; // the client logged why
                     const QJsonValue message = reply.object.value(QStringLiteral("message"));
                     if (!message.isString() || message.toString() == kSuccess)
                         return;
                     qCWarning(lcWizard).noquote()
                         << "hand-off of" << productCode << "refused:" << message.toString();
                     if (done)
                         done(message.toString());
                 });
}

} // namespace tvs
