// tvs-call: the procedure service from the command line, on the app's transport
// and reply walk. Support staff and scripts use it; its output is one JSON object
// per line.
#include "Config.h"
#include "JsonServiceClient.h"
#include "ProcedureClient.h"
#include "SoapRequest.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QTextStream>

#include <cstdio>
#include <optional>

using namespace tvs;

namespace {

enum ExitCode { ExitOk = 0, ExitUsage = 2, ExitTransport = 3, ExitUnreadable = 4 };

const char kUsage[] =
    "usage: tvs-call [options] call <operation> <call text>\n"
    "       tvs-call [options] json <path> <operation> [name=value ...]\n"
    "\n"
    "  call   sends a procedure call text as it stands, e.g.\n"
    "         tvs-call call Procedure_List01 \"ps_UserCarCount 'D0001'\"\n"
    "         and prints each row as one JSON object per line (fields in reply order);\n"
    "         a reply without rows prints its named elements (see --named) if any.\n"
    "  json   calls a side service, e.g. json /sub_asmx/asmx_json.asmx CarInfo_Search sSearchType=Search "
    "...\n"
    "         and prints the result object on one line.\n"
    "\n"
    "options:\n"
    "  --trim              trim blanks and line breaks at both ends of each value (default)\n"
    "  --strip             remove line feeds and pairs of blanks from each value\n"
    "  --row NAME          row element (default Table)\n"
    "  --named NAME        also read element NAME wherever it stands (repeatable; rtn always)\n"
    "  --timeout SECONDS   give up after this long without data (default 60)\n"
    "  --api-host HOST[:PORT], --ca-file FILE, --config FILE, and the variables\n"
    "  TVS_API_HOST and TVS_CA_FILE, as for the app (below)\n"
    "\n"
    "exit status: 0 ok, 2 bad usage, 3 transport failure or refusal (a SOAP fault), 4 unreadable reply\n";

const QStringList kConfigOptions{"--api-host",  "--image-host", "--zest-host",
                                 "--mweb-host", "--ca-file",    "--config"};

int usageError(const QString &message)
{
    std::fprintf(stderr, "tvs-call: %s\n\n%s", qPrintable(message), kUsage);
    return ExitUsage;
}

QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// Keys in reply order (a QJsonObject would sort them).
QString jsonLine(const Record &record)
{
    QString line = QStringLiteral("{");
    bool first = true;
    for (const auto &[key, value] : record.fields()) {
        if (!first)
            line += QLatin1Char(',');
        first = false;
        line += jsonString(key) + QLatin1Char(':') + jsonString(value);
    }
    return line + QLatin1Char('}');
}

struct Options
{
    ReplyShape shape;
    int timeoutMs = kRequestTimeoutMs;
    QStringList positional;
};

std::optional<QString> parse(const QStringList &args, Options &options)
{
    options.shape.cleaning = Cleaning::Trimming;
    options.shape.namedElements.insert(QStringLiteral("rtn"));
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args.at(++i);
        };
        if (arg == QLatin1String("--trim")) {
            options.shape.cleaning = Cleaning::Trimming;
        } else if (arg == QLatin1String("--strip")) {
            options.shape.cleaning = Cleaning::Stripping;
        } else if (arg == QLatin1String("--row") || arg == QLatin1String("--named") ||
                   arg == QLatin1String("--timeout")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return QStringLiteral("option %1 needs a value").arg(arg);
            if (arg == QLatin1String("--row")) {
                options.shape.rowElement = *v;
            } else if (arg == QLatin1String("--named")) {
                options.shape.namedElements.insert(*v);
            } else {
                bool ok = false;
                const double seconds = v->toDouble(&ok);
                if (!ok || seconds <= 0 || seconds > 3600)
                    return QStringLiteral("--timeout wants seconds between 0 and 3600, not \"%1\"").arg(*v);
                options.timeoutMs = int(seconds * 1000);
            }
        } else if (kConfigOptions.contains(arg)) {
            ++i; // read by Config::load
        } else if (arg.startsWith(QLatin1String("--")) &&
                   kConfigOptions.contains(arg.section(QLatin1Char('='), 0, 0))) {
            continue;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else {
            options.positional << arg;
        }
    }
    return std::nullopt;
}

// Reports a reply that did not arrive or cannot be read; ExitOk when it is neither.
int failureExit(bool transport, bool unreadable, const QString &error, const QByteArray &body)
{
    if (transport) {
        if (const std::optional<QString> fault = soapFaultString(body))
            std::fprintf(stderr, "tvs-call: the service refused the call: %s\n", qPrintable(*fault));
        else
            std::fprintf(stderr, "tvs-call: transport failure: %s\n", qPrintable(error));
        return ExitTransport;
    }
    if (unreadable) {
        std::fprintf(stderr, "tvs-call: unreadable reply: %s\n", qPrintable(error));
        return ExitUnreadable;
    }
    return ExitOk;
}

int runCall(QNetworkAccessManager &nam, const Config &config, const Options &options)
{
    if (options.positional.size() != 3)
        return usageError(QStringLiteral("call wants an operation and one call text"));
    const QString operation = options.positional.at(1);
    if (operation != kProcedureList && operation != kProcedureExecute)
        return usageError(
            QStringLiteral("operation must be %1 or %2").arg(kProcedureList, kProcedureExecute));

    ProcedureClient client(&nam, config.apiHost, config.caCertificates());
    client.setTimeout(options.timeoutMs);
    int exitCode = ExitOk;
    client.call(operation, options.positional.at(2), options.shape, &client, [&](const ProcedureReply &reply) {
        QTextStream out(stdout);
        exitCode = failureExit(reply.status == ProcedureReply::TransportError ||
                                   reply.status == ProcedureReply::Refused,
                               reply.status == ProcedureReply::BadReply, reply.error, reply.body);
        if (exitCode == ExitOk) {
            for (const Record &row : reply.walk.rows)
                out << jsonLine(row) << '\n';
            if (reply.walk.rows.isEmpty() && !reply.walk.named.isEmpty())
                out << jsonLine(reply.walk.named) << '\n';
            if (!reply.walk.complete) {
                out.flush();
                std::fprintf(stderr, "tvs-call: reply broke off (%lld complete rows printed): %s\n",
                             static_cast<long long>(reply.walk.rows.size()), qPrintable(reply.walk.error));
                exitCode = ExitUnreadable;
            }
        }
        QCoreApplication::exit(exitCode);
    });
    QCoreApplication::exec();
    return exitCode;
}

int runJson(QNetworkAccessManager &nam, const Config &config, const Options &options)
{
    if (options.positional.size() < 3)
        return usageError(QStringLiteral("json wants a path, an operation and name=value parameters"));
    const QString path = options.positional.at(1);
    if (!path.startsWith(QLatin1Char('/')))
        return usageError(QStringLiteral("the path must start with \"/\""));
    QList<std::pair<QString, QString>> params;
    for (qsizetype i = 3; i < options.positional.size(); ++i) {
        const QString &param = options.positional.at(i);
        const qsizetype eq = param.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return usageError(QStringLiteral("parameter \"%1\" is not name=value").arg(param));
        params.append({param.left(eq), param.mid(eq + 1)});
    }
    JsonServiceClient client(&nam, config.apiHost, config.caCertificates());
    client.setTimeout(options.timeoutMs);
    int exitCode = ExitOk;
    client.call(path, options.positional.at(2), params, &client, [&](const JsonServiceReply &reply) {
        exitCode = failureExit(reply.status == JsonServiceReply::TransportError,
                               reply.status == JsonServiceReply::BadReply, reply.error, reply.body);
        if (exitCode == ExitOk) {
            QTextStream(stdout) << QJsonDocument(reply.object).toJson(QJsonDocument::Compact) << '\n';
        }
        QCoreApplication::exit(exitCode);
    });
    QCoreApplication::exec();
    return exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        std::printf("%s\n%s", kUsage, qPrintable(Config::sourcesHelp()));
        return ExitOk;
    }

    Options options;
    if (const auto error = parse(args, options))
        return usageError(*error);
    Config config;
    QString configError;
    if (!Config::load(config, args, &configError))
        return usageError(configError);
    if (options.positional.isEmpty())
        return usageError(QStringLiteral("no command given"));
    if (config.apiHost.isEmpty())
        return usageError(QStringLiteral("no API host: give --api-host, TVS_API_HOST or a config file"));

    // Only tvs-call's own messages go to stderr unless asked for more.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("tvs.net.debug=false\ntvs.net.warning=false"));

    QNetworkAccessManager nam;
    const QString command = options.positional.first();
    if (command == QLatin1String("call"))
        return runCall(nam, config, options);
    if (command == QLatin1String("json"))
        return runJson(nam, config, options);
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}
