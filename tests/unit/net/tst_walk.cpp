#include "ReplyBuilder.h"
#include "ReplyWalk.h"

#include <QTest>
#include <QtConcurrent/QtConcurrentRun>

using namespace tvs;
using tvs::test::resultBody;

namespace {

QStringList show(const Records &records)
{
    QStringList out;
    for (const Record &record : records) {
        QStringList parts;
        for (const auto &[key, value] : record.fields())
            parts << key + QLatin1Char('=') + value;
        out << QLatin1Char('{') + parts.join(QLatin1Char('|')) + QLatin1Char('}');
    }
    return out;
}

const QString indented = QStringLiteral("<NewDataSet>\n"
                                        "  <Table>\n"
                                        "    <sCarProductCode>P001</sCarProductCode>\n"
                                        "    <sCarName>쏘나타 2.0</sCarName>\n"
                                        "    <sMemo>\n      첫 줄\n      둘째   줄  \n    </sMemo>\n"
                                        "    <sCheckEndDate />\n"
                                        "  </Table>\n"
                                        "  <Table>\n"
                                        "    <sCarProductCode>P002</sCarProductCode>\n"
                                        "    <sCheckEndDate></sCheckEndDate>\n"
                                        "  </Table>\n"
                                        "</NewDataSet>");

} // namespace

class WalkTest : public QObject
{
    Q_OBJECT
private slots:
    void walk_data();
    void walk();
    void repliesInParallelKeepTheirOwnState();
};

void WalkTest::walk_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("named");
    QTest::addColumn<bool>("strip");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("namedValues"); // one "{...}" entry
    QTest::addColumn<bool>("complete");

    const auto row = [](const QByteArray &tag, const QByteArray &body, bool strip, const QStringList &rows,
                        bool complete = true, const QStringList &fields = {}, const QStringList &named = {},
                        const QStringList &namedValues = {"{}"}) {
        QTest::newRow(tag) << body << fields << named << strip << rows << namedValues << complete;
    };
    const QStringList car{"sCarProductCode", "sCarName", "sMemo", "sCheckEndDate", "sAbsent"};
    row("indented, trimming; empty is not absent", resultBody(indented), false,
        {"{sCarProductCode=P001|sCarName=쏘나타 2.0|sMemo=첫 줄\n      둘째   줄|sCheckEndDate=}",
         "{sCarProductCode=P002|sCheckEndDate=}"},
        true, car);
    row("indented, stripping", resultBody(indented), true,
        {"{sCarProductCode=P001|sCarName=쏘나타 2.0|sMemo=첫 줄둘째 줄|sCheckEndDate=}",
         "{sCarProductCode=P002|sCheckEndDate=}"},
        true, car);
    row("only known fields", resultBody(indented), false, {"{sCarName=쏘나타 2.0}", "{}"}, true,
        {"sCarName"});
    for (const bool strip : {false, true}) {
        const QByteArray form = strip ? " (stripping)" : " (trimming)";
        row("compact, no layout blanks" + form,
            resultBody("<NewDataSet><Table><a>1</a><b>x</b></Table><Table><a>2</a></Table></NewDataSet>"),
            strip, {"{a=1|b=x}", "{a=2}"});
        row("empty elements store empty values" + form,
            resultBody("<NewDataSet><Table><a/><b></b><c> </c><d>x</d></Table></NewDataSet>"), strip,
            {strip ? "{a=|b=|c= |d=x}" : "{a=|b=|c=|d=x}"});
        row("entity inside a value keeps its blanks" + form,
            resultBody(
                "<NewDataSet><Table><a>A &amp; B</a><b>&lt;b&gt; &quot;q&quot;</b></Table></NewDataSet>"),
            strip, {"{a=A & B|b=<b> \"q\"}"});
        row("later occurrence wins in the first one's place" + form,
            resultBody("<NewDataSet><Table><a>1</a><b>2</b><a>3</a><b/></Table></NewDataSet>"), strip,
            {"{a=3|b=}"});
        row("nothing found" + form,
            resultBody("<NewDataSet>\n  <Table>\n    <rtn>NO</rtn>\n  </Table>\n</NewDataSet>"), strip,
            {"{}"}, true, {"sCar"}, {"rtn"}, {"{rtn=NO}"});
        const QByteArray whole =
            resultBody("<NewDataSet><Table><a>1</a></Table><Table><a>2</a><b>half</b></Table></NewDataSet>");
        row("broken off keeps finished rows" + form, whole.first(whole.indexOf("half") + 2), strip, {"{a=1}"},
            false);
        row("korean, cdata and prefixes" + form,
            resultBody("<d:NewDataSet xmlns:d=\"urn:x\"><d:Table><d:sName>김 철수</d:sName>"
                       "<sNote><![CDATA[<그대로>]]></sNote></d:Table></d:NewDataSet>"),
            strip, {"{sName=김 철수|sNote=<그대로>}"});
    }
    row("three blanks leave one; whole text cleaned",
        resultBody("<NewDataSet><Table><a>x &amp;   y</a><b>\n  p  \n</b></Table></NewDataSet>"), true,
        {"{a=x & y|b=p}"});
    row("named elements wherever they stand, later wins, empty too",
        resultBody("<NewDataSet><Table><sSellWait>3</sSellWait><sSell>4</sSell><rtn /></Table>"
                   "<Table1><sSellWait>5</sSellWait></Table1></NewDataSet>"),
        false, {"{sSell=4}"}, true, {"sSell"}, {"sSellWait", "sSell", "rtn", "sAbsent"},
        {"{sSellWait=5|sSell=4|rtn=}"});
    row("fields outside rows and grandchildren ignored",
        resultBody(
            "<NewDataSet><a>out</a><Table><a>in</a><g><h>deep</h></g></Table><a>after</a></NewDataSet>"),
        false, {"{a=in|g=}"});
    row("no rows", resultBody("<NewDataSet />"), false, {}, true, {}, {"rtn"});
    row("other row element", resultBody("<R><Row><a>1</a></Row><Table><a>no</a></Table></R>"), false,
        {"{a=1}"});
    row("declared encoding ignored: the body is UTF-8",
        u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><D><Table><a>한</a></Table></D>"_qs.toUtf8(), false,
        {"{a=한}"});
    row("an entity of a document type is not expanded: the reply breaks off there",
        "<!DOCTYPE D [<!ENTITY e \"expanded\">]><D><Table><a>1</a></Table><Table><a>&e;</a></Table></D>",
        false, {"{a=1}"}, false);
    for (const QByteArray &bad :
         {QByteArray("\xB1\xE8"), QByteArray("\xE0\x80\xAF"), QByteArray("\xED\xA0\x80"),
          QByteArray("\xF4\x90\x80\x80"), QByteArray("\xEA\xB0")})
        row("not UTF-8: " + bad.toHex(),
            resultBody("<D><Table><a>1</a></Table><Table><a>X</a></Table></D>").replace('X', bad), false, {},
            false);
    row("empty body", {}, false, {}, false);
}

void WalkTest::walk()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, named);
    QFETCH(bool, strip);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, namedValues);
    QFETCH(bool, complete);

    ReplyShape shape;
    shape.rowFields = QSet<QString>(fields.begin(), fields.end());
    shape.namedElements = QSet<QString>(named.begin(), named.end());
    shape.cleaning = strip ? Cleaning::Stripping : Cleaning::Trimming;
    if (QByteArray(QTest::currentDataTag()).startsWith("other row element"))
        shape.rowElement = QStringLiteral("Row");

    const WalkResult result = walkReply(body, shape);
    QCOMPARE(show(result.rows) + show(Records{result.named}), rows + namedValues);
    QCOMPARE(result.complete, complete);
    QCOMPARE(result.error.isEmpty(), complete);
    QCOMPARE(result.invalidUtf8, QByteArray(QTest::currentDataTag()).startsWith("not UTF-8"));

    // Arriving piece by piece, split anywhere (inside a character, a reference, a tag), the
    // reply walks the same; its rows are finished as they are read.
    for (const qsizetype size : {1, 2, 3, 5, 64}) {
        ReplyWalker walker(shape);
        qsizetype rowsBeforeTheEnd = 0;
        for (qsizetype at = 0; at < body.size(); at += size) {
            walker.feed(QByteArrayView(body).sliced(at, std::min(size, body.size() - at)));
            rowsBeforeTheEnd = walker.rows().size();
        }
        const WalkResult pieces = walker.finish();
        QCOMPARE(show(pieces.rows) + show(Records{pieces.named}), rows + namedValues);
        QCOMPARE(std::pair(pieces.error, pieces.invalidUtf8), std::pair(result.error, result.invalidUtf8));
        if (complete)
            QCOMPARE(rowsBeforeTheEnd, rows.size());
    }
}

void WalkTest::repliesInParallelKeepTheirOwnState()
{
    QList<QFuture<WalkResult>> futures;
    for (int i = 0; i < 32; ++i) {
        QString dataSet = QStringLiteral("<NewDataSet>");
        for (int row = 0; row <= i; ++row)
            dataSet += QStringLiteral("<Table><n>%1</n><reply>%2</reply></Table>").arg(row).arg(i);
        futures << QtConcurrent::run(walkReply, resultBody(dataSet + QStringLiteral("</NewDataSet>")),
                                     ReplyShape{});
    }
    for (int i = 0; i < futures.size(); ++i) {
        const Records rows = futures[i].result().rows;
        QCOMPARE(rows.size(), i + 1);
        for (int row = 0; row <= i; ++row)
            QCOMPARE(rows.at(row), (Record{{"n", QString::number(row)}, {"reply", QString::number(i)}}));
    }
}

QTEST_GUILESS_MAIN(WalkTest)
#include "tst_walk.moc"
