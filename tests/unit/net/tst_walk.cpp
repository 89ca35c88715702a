#include "ReplyWalk.h"

#include <QTest>
#include <QtConcurrent/QtConcurrentRun>

using namespace tvs;

namespace {

// The service escapes the data set once inside its result element.
QByteArray soapReply(const QString &dataSet)
{
    QString escaped = dataSet;
    escaped.replace(QLatin1String("&"), QLatin1String("&amp;"));
    escaped.replace(QLatin1String("<"), QLatin1String("&lt;"));
    escaped.replace(QLatin1String(">"), QLatin1String("&gt;"));
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                             "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
                             "<soap:Body><Procedure_List01Response xmlns=\"http://tempuri.org/\">"
                             "<Procedure_List01Result>") +
           escaped.toUtf8() +
           QByteArrayLiteral(
               "</Procedure_List01Result></Procedure_List01Response></soap:Body></soap:Envelope>");
}

QString show(const Record &record)
{
    QStringList parts;
    for (const auto &[key, value] : record.fields())
        parts << key + QLatin1Char('=') + value;
    return QLatin1Char('{') + parts.join(QLatin1Char('|')) + QLatin1Char('}');
}

QStringList show(const Records &records)
{
    QStringList out;
    for (const Record &r : records)
        out << show(r);
    return out;
}

const QString indented = QStringLiteral("<NewDataSet>\n"
                                        "  <Table>\n"
                                        "    <sCarProductCode>P001</sCarProductCode>\n"
                                        "    <sCarName>쏘나타 2.0</sCarName>\n"
                                        "    <sMemo>\n      첫 줄\n      둘째   줄  \n    </sMemo>\n"
                                        "  </Table>\n"
                                        "  <Table>\n"
                                        "    <sCarProductCode>P002</sCarProductCode>\n"
                                        "    <sCarName>아반떼</sCarName>\n"
                                        "  </Table>\n"
                                        "  <Table>\n"
                                        "    <sCarProductCode>P003</sCarProductCode>\n"
                                        "  </Table>\n"
                                        "</NewDataSet>");

} // namespace

class WalkTest : public QObject
{
    Q_OBJECT
private slots:
    void walk_data();
    void walk();
    void notUtf8();
    void emptyBody();
    void repliesInParallelKeepTheirOwnState();
};

void WalkTest::walk_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("named");
    QTest::addColumn<bool>("strip");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("namedValues");
    QTest::addColumn<bool>("complete");

    const QStringList none;
    const QStringList car{"sCarProductCode", "sCarName", "sMemo"};
    QTest::newRow("indented, trimming")
        << soapReply(indented) << car << none << false
        << QStringList{"{sCarProductCode=P001|sCarName=쏘나타 2.0|sMemo=첫 줄\n      둘째   줄}",
                       "{sCarProductCode=P002|sCarName=아반떼}", "{sCarProductCode=P003}"}
        << "{}" << true;
    QTest::newRow("indented, stripping")
        << soapReply(indented) << car << none << true
        << QStringList{"{sCarProductCode=P001|sCarName=쏘나타 2.0|sMemo=첫 줄둘째 줄}",
                       "{sCarProductCode=P002|sCarName=아반떼}", "{sCarProductCode=P003}"}
        << "{}" << true;
    QTest::newRow("only known fields")
        << soapReply(indented) << QStringList{"sCarName"} << none << false
        << QStringList{"{sCarName=쏘나타 2.0}", "{sCarName=아반떼}", "{}"} << "{}" << true;
    for (const bool strip : {false, true}) {
        const QByteArray form = strip ? " (stripping)" : " (trimming)";
        QTest::newRow("compact, no layout blanks" + form)
            << soapReply("<NewDataSet><Table><a>1</a><b>x</b></Table><Table><a>2</a></Table></NewDataSet>")
            << none << none << strip << QStringList{"{a=1|b=x}", "{a=2}"} << "{}" << true;
        QTest::newRow("entity inside a value keeps its blanks" + form)
            << soapReply(
                   "<NewDataSet><Table><a>A &amp; B</a><b>&lt;b&gt; &quot;q&quot;</b></Table></NewDataSet>")
            << none << none << strip << QStringList{"{a=A & B|b=<b> \"q\"}"} << "{}" << true;
        QTest::newRow("duplicate field keeps the later value in its place" + form)
            << soapReply("<NewDataSet><Table><a>1</a><b>2</b><a>3</a></Table></NewDataSet>") << none << none
            << strip << QStringList{"{a=3|b=2}"} << "{}" << true;
        QTest::newRow("empty element stores no key" + form)
            << soapReply("<NewDataSet><Table><a/><b></b><c> </c><d>x</d></Table></NewDataSet>") << none
            << none << strip << QStringList{strip ? "{c= |d=x}" : "{c=|d=x}"} << "{}" << true;
        QTest::newRow("nothing found" + form)
            << soapReply("<NewDataSet>\n  <Table>\n    <rtn>NO</rtn>\n  </Table>\n</NewDataSet>")
            << QStringList{"sCar"} << QStringList{"rtn"} << strip << QStringList{"{}"} << "{rtn=NO}" << true;
        QTest::newRow("broken off keeps finished rows" + form)
            << soapReply("<NewDataSet><Table><a>1</a></Table><Table><a>2</a><b>half</b></Table></NewDataSet>")
                   .first(362)
            << none << none << strip << QStringList{"{a=1}"} << "{}" << false;
        QTest::newRow("mismatched tag" + form)
            << soapReply("<NewDataSet><Table><a>1</a></Table><Table><a>2</b></Table></NewDataSet>") << none
            << none << strip << QStringList{"{a=1}"} << "{}" << false;
        QTest::newRow("korean, cdata and prefixes" + form)
            << soapReply("<d:NewDataSet xmlns:d=\"urn:x\"><d:Table><d:sName>김 철수</d:sName>"
                         "<sNote><![CDATA[<그대로>]]></sNote></d:Table></d:NewDataSet>")
            << none << none << strip << QStringList{"{sName=김 철수|sNote=<그대로>}"} << "{}" << true;
    }
    QTest::newRow("three blanks leave one; whole text cleaned")
        << soapReply("<NewDataSet><Table><a>x &amp;   y</a><b>\n  p  \n</b></Table></NewDataSet>") << none
        << none << true << QStringList{"{a=x & y|b=p}"} << "{}" << true;
    QTest::newRow("counts read wherever they stand")
        << soapReply("<NewDataSet><Table><sSellWait>3</sSellWait><sSell>4</sSell></Table>"
                     "<Table1><sSellWait>5</sSellWait></Table1></NewDataSet>")
        << QStringList{"sSell"} << QStringList{"sSellWait", "sSell"} << false << QStringList{"{sSell=4}"}
        << "{sSellWait=5|sSell=4}" << true;
    QTest::newRow("fields outside rows and grandchildren ignored")
        << soapReply(
               "<NewDataSet><a>out</a><Table><a>in</a><g><h>deep</h></g></Table><a>after</a></NewDataSet>")
        << none << none << false << QStringList{"{a=in}"} << "{}" << true;
    QTest::newRow("no rows") << soapReply("<NewDataSet />") << none << QStringList{"rtn"} << false
                             << QStringList{} << "{}" << true;
    QTest::newRow("other row element") << soapReply("<R><Row><a>1</a></Row><Table><a>no</a></Table></R>")
                                       << none << none << false << QStringList{"{a=1}"} << "{}" << true;
}

void WalkTest::walk()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, named);
    QFETCH(bool, strip);
    QFETCH(QStringList, rows);
    QFETCH(QString, namedValues);
    QFETCH(bool, complete);

    ReplyShape shape;
    shape.rowFields = QSet<QString>(fields.begin(), fields.end());
    shape.namedElements = QSet<QString>(named.begin(), named.end());
    shape.cleaning = strip ? Cleaning::Stripping : Cleaning::Trimming;
    if (QByteArray(QTest::currentDataTag()).startsWith("other row element"))
        shape.rowElement = QStringLiteral("Row");

    const WalkResult result = walkReply(body, shape);
    QCOMPARE(show(result.rows), rows);
    QCOMPARE(show(result.named), namedValues);
    QCOMPARE(result.complete, complete);
    QCOMPARE(result.error.isEmpty(), complete);
    QVERIFY(!result.invalidUtf8);
}

void WalkTest::notUtf8()
{
    QByteArray body =
        soapReply(QStringLiteral("<NewDataSet><Table><a>1</a></Table><Table><a>2</a></Table></NewDataSet>"));
    body.replace("&gt;2&lt;", "&gt;\xB1\xE8&lt;"); // EUC-KR bytes
    QVERIFY(body.contains("\xB1\xE8"));
    const WalkResult result = walkReply(body, ReplyShape{});
    QVERIFY(result.invalidUtf8);
    QVERIFY(!result.complete);
    QVERIFY(result.rows.isEmpty());
    QVERIFY2(result.error.contains(QLatin1String("UTF-8")), qPrintable(result.error));

    // A declaration of another encoding does not change how the body is read.
    const WalkResult declared = walkReply(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><D><Table><a>한</a></Table></D>")
            .toUtf8(),
        ReplyShape{});
    QVERIFY2(declared.complete, qPrintable(declared.error));
    QCOMPARE(declared.rows.value(0).value("a"), QStringLiteral("한"));
}

void WalkTest::emptyBody()
{
    const WalkResult result = walkReply(QByteArray(), ReplyShape{});
    QVERIFY(!result.complete);
    QVERIFY(result.rows.isEmpty());
    QVERIFY(!walkReply("   ", ReplyShape{}).complete);
}

void WalkTest::repliesInParallelKeepTheirOwnState()
{
    QList<QFuture<WalkResult>> futures;
    for (int i = 0; i < 32; ++i) {
        QString dataSet = QStringLiteral("<NewDataSet>");
        for (int row = 0; row <= i; ++row)
            dataSet += QStringLiteral("<Table><n>%1</n><reply>%2</reply></Table>").arg(row).arg(i);
        dataSet += QStringLiteral("</NewDataSet>");
        futures << QtConcurrent::run(walkReply, soapReply(dataSet), ReplyShape{});
    }
    for (int i = 0; i < futures.size(); ++i) {
        const WalkResult result = futures[i].result();
        QCOMPARE(result.rows.size(), i + 1);
        for (int row = 0; row <= i; ++row) {
            QCOMPARE(result.rows.at(row).value("n"), QString::number(row));
            QCOMPARE(result.rows.at(row).value("reply"), QString::number(i));
        }
    }
}

QTEST_GUILESS_MAIN(WalkTest)
#include "tst_walk.moc"
