// The reply walk against libxml2's SAX parser alone, on replies shaped like the
// service's car list (48 fields a row, Korean text, the data set escaped once
// inside the SOAP result). Not a test: run it by hand.
//
//   tvs-bench-walk                       all sizes, both modes, table on stdout
//   tvs-bench-walk --rows N --mode M     one case (walk | raw | rawdata | unescape),
//                                        for valgrind --tool=callgrind
//                                        --toggle-collect=bench_run_once
//   tvs-bench-walk --rows N --mode walk --write FILE   writes the generated reply
#include "ReplyWalk.h"
#include "XmlEntities.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>

using namespace tvs;

namespace {

const char *const kFieldNames[48] = {"sCarProductCode",
                                     "sUserCode",
                                     "sCarName1",
                                     "sCarName2",
                                     "sCarName3",
                                     "sCarName4",
                                     "sCarName5",
                                     "sCarCode1",
                                     "sCarCode2",
                                     "sCarCode3",
                                     "sCarCode4",
                                     "sCarCode5",
                                     "sCarProductNum",
                                     "sCarIdNum",
                                     "sCarProductYearMonth",
                                     "sCarProductFirstRegDate",
                                     "sCarProductMileage",
                                     "iCarProductMoney",
                                     "sCarDealerPrice",
                                     "sCarStatus",
                                     "sCarGroup",
                                     "sCarFuelName",
                                     "sCarFuelCode",
                                     "sCarTransmissionName",
                                     "sCarTransmissionCode",
                                     "sCarColorName",
                                     "sCarColorCode",
                                     "sCarCC",
                                     "sCarSaleType",
                                     "sCarPhotoPath",
                                     "sCarProductCheckStartDate",
                                     "sCarProductCheckEndDate",
                                     "sCarImportType",
                                     "sCarFormCode1",
                                     "sCarFormCode2",
                                     "sCarFormCode3",
                                     "sCarOptionJson",
                                     "sCarContent",
                                     "sShopName",
                                     "sShopTel",
                                     "sShopAddress",
                                     "sUserName",
                                     "sUserTel",
                                     "dRegDate",
                                     "dModDate",
                                     "iViewCount",
                                     "sAucState",
                                     "sMemo"};

QString fieldValue(int field, int row)
{
    switch (field % 8) {
    case 0:
        return QStringLiteral("P%1").arg(row * 48 + field, 9, 10, QLatin1Char('0'));
    case 1:
        return QStringLiteral("쏘나타 %1").arg(row % 97);
    case 2:
        return QString::number(1000000 + row * 37 + field);
    case 3:
        return QStringLiteral("강남구 테헤란로 %1길 & 삼성동").arg(field);
    case 4:
        return QStringLiteral("A%1").arg(row % 1000, 6, 10, QLatin1Char('0'));
    case 5:
        return QStringLiteral("2024-03-%1 오후 3:15:00").arg(1 + row % 28, 2, 10, QLatin1Char('0'));
    case 6:
        return QStringLiteral("무사고 \"정비 완료\" <특가> %1").arg(row);
    default:
        return QStringLiteral("흰색");
    }
}

QByteArray escaped(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size() * 5 / 4);
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The data set as the service writes it (indented, one Table per row).
QByteArray dataSet(int rows)
{
    QByteArray out = "<NewDataSet>\n";
    for (int row = 0; row < rows; ++row) {
        out += "  <Table>\n";
        for (int field = 0; field < 48; ++field) {
            const QByteArray value = escaped(fieldValue(field, row).toUtf8());
            out += "    <";
            out += kFieldNames[field];
            out += '>';
            out += value;
            out += "</";
            out += kFieldNames[field];
            out += ">\n";
        }
        out += "  </Table>\n";
    }
    out += "</NewDataSet>";
    return out;
}

QByteArray soapReply(int rows)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>"
           "<Procedure_List01Response xmlns=\"http://tempuri.org/\"><Procedure_List01Result>" +
           escaped(dataSet(rows)) +
           "</Procedure_List01Result></Procedure_List01Response></soap:Body></soap:Envelope>";
}

ReplyShape carShape()
{
    ReplyShape shape;
    for (const char *name : kFieldNames)
        shape.rowFields.insert(QString::fromLatin1(name));
    shape.cleaning = Cleaning::Trimming;
    return shape;
}

void emptyStart(void *, const xmlChar *, const xmlChar *, const xmlChar *, int, const xmlChar **, int, int,
                const xmlChar **)
{
}
void emptyEnd(void *, const xmlChar *, const xmlChar *, const xmlChar *) {}
void emptyCharacters(void *, const xmlChar *, int) {}
void quietError(void *, xmlErrorPtr) {}

// libxml2's SAX2 parser with handlers that do nothing, over bytes in memory.
bool rawParse(const QByteArray &bytes)
{
    xmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = emptyStart;
    handler.endElementNs = emptyEnd;
    handler.characters = emptyCharacters;
    handler.serror = quietError;
    xmlParserCtxtPtr ctxt = xmlCreateMemoryParserCtxt(bytes.constData(), int(bytes.size()));
    std::memcpy(ctxt->sax, &handler, sizeof handler);
    ctxt->userData = nullptr;
    // The reply's result is one text node of the whole data set: beyond the default limit.
    xmlCtxtUseOptions(ctxt, XML_PARSE_NONET | XML_PARSE_HUGE);
    xmlParseDocument(ctxt);
    const bool ok = ctxt->wellFormed;
    xmlFreeParserCtxt(ctxt);
    return ok;
}

enum class Mode { Walk, Raw, RawData, Unescape };

struct Input
{
    QByteArray reply;
    QByteArray unescaped; // only for RawData
    ReplyShape shape;
    int rows;
};

volatile qsizetype g_sink;

} // namespace

// One measured run; named plainly so that callgrind can collect just this.
extern "C" __attribute__((noinline)) void bench_run_once(const Input *input, Mode mode)
{
    switch (mode) {
    case Mode::Walk: {
        const WalkResult result = walkReply(input->reply, input->shape);
        if (result.rows.size() != input->rows || !result.complete)
            qFatal("walk lost rows: %lld of %d", static_cast<long long>(result.rows.size()), input->rows);
        g_sink = result.rows.size();
        break;
    }
    case Mode::Raw:
        if (!rawParse(input->reply))
            qFatal("raw parse failed");
        break;
    case Mode::RawData:
        if (!rawParse(input->unescaped))
            qFatal("raw parse of the data set failed");
        break;
    case Mode::Unescape:
        g_sink = unescapeXmlEntitiesUtf8(input->reply).size();
        break;
    }
}

namespace {

long kilobytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Peak resident memory of one run above what was resident before it (the peak
// mark is reset first, so earlier runs do not count).
long peakDeltaKb(const Input &input, Mode mode)
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return -1;
    clear.close();
    const long before = kilobytes("VmRSS:");
    bench_run_once(&input, mode);
    return kilobytes("VmHWM:") - before;
}

double bestSeconds(const Input &input, Mode mode)
{
    double best = 1e30;
    QElapsedTimer total;
    total.start();
    int runs = 0;
    while (runs < 3 || (total.elapsed() < 1500 && runs < 2000)) {
        QElapsedTimer timer;
        timer.start();
        bench_run_once(&input, mode);
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
        ++runs;
    }
    return best;
}

Input makeInput(int rows, bool withData)
{
    Input input;
    input.rows = rows;
    input.reply = soapReply(rows);
    if (withData)
        input.unescaped = unescapeXmlEntitiesUtf8(input.reply);
    input.shape = carShape();
    return input;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    xmlInitParser();
    const QStringList args = app.arguments();
    const qsizetype rowsAt = args.indexOf(QStringLiteral("--rows"));
    const qsizetype modeAt = args.indexOf(QStringLiteral("--mode"));
    if (rowsAt > 0 && modeAt > 0) {
        const int rows = args.value(rowsAt + 1).toInt();
        const QString name = args.value(modeAt + 1);
        const Mode mode = name == QLatin1String("raw")        ? Mode::Raw
                          : name == QLatin1String("rawdata")  ? Mode::RawData
                          : name == QLatin1String("unescape") ? Mode::Unescape
                                                              : Mode::Walk;
        const Input input = makeInput(rows, mode == Mode::RawData);
        if (const qsizetype writeAt = args.indexOf(QStringLiteral("--write")); writeAt > 0) {
            QFile file(args.value(writeAt + 1));
            if (!file.open(QIODevice::WriteOnly) || file.write(input.reply) != input.reply.size())
                return 1;
            return 0;
        }
        if (args.contains(QStringLiteral("--peak"))) {
            malloc_trim(0); // hand the generator's freed memory back first
            std::printf("%ld\n", peakDeltaKb(input, mode));
            return 0;
        }
        bench_run_once(&input, mode);
        std::printf("%s rows=%d bytes=%lld\n", qPrintable(name), rows,
                    static_cast<long long>(input.reply.size()));
        return 0;
    }

    std::printf("%7s %10s %6s | %9s %9s %9s | %9s %9s | %6s | %10s %10s\n", "rows", "bytes", "B/row",
                "walk MB/s", "us/row", "raw MB/s", "data MB/s", "unesc MB/s", "ratio", "peak KB", "x reply");
    for (const int rows : {10, 1000, 10000}) {
        const Input input = makeInput(rows, true);
        const double mb = double(input.reply.size()) / 1e6;
        const double walk = bestSeconds(input, Mode::Walk);
        const double raw = bestSeconds(input, Mode::Raw);
        const double data = bestSeconds(input, Mode::RawData);
        const double unesc = bestSeconds(input, Mode::Unescape);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {"--rows", QString::number(rows), "--mode", "walk", "--peak"});
        child.waitForFinished(-1);
        const long peak = child.readAllStandardOutput().trimmed().toLong();
        std::printf("%7d %10lld %6lld | %9.1f %9.2f %9.1f | %9.1f %9.1f | %6.2f | %10ld %10.2f\n", rows,
                    static_cast<long long>(input.reply.size()),
                    static_cast<long long>(input.reply.size() / rows), mb / walk, walk * 1e6 / rows, mb / raw,
                    mb / data, mb / unesc, raw / walk, peak,
                    double(peak) * 1024 / double(input.reply.size()));
    }
    return 0;
}
