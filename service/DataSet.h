#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

namespace tvs {

// One row of a procedure's answer, fields in reply order. A null value is left out of
// the reply (as the real service leaves out database NULLs); an empty text is written
// as an empty element.
using DataRow = QList<std::pair<QString, QVariant>>;

struct DataSet
{
    QList<DataRow> rows; // one `Table` element each
    DataRow loose;       // single elements outside any row: the `rtn` answer, a message

    static DataSet answer(const QString &rtn, const QString &message = {});
};

// Escapes "&", "<" and ">" (character data; quotes need no escape there).
QString xmlEscape(const QString &text);

// "<NewDataSet>" with one `Table` per row, indented by two blanks per level.
QString dataSetXml(const DataSet &set);
// One row of it, as dataSetXml writes it, appended to `out`.
void appendRowXml(QString &out, const DataRow &row);

// The SOAP 1.1 answer of `operation`: `<operation>Response` holding `<operation>Result`
// whose character data is `resultText` (escaped here, once).
QByteArray soapResponse(const QString &operation, const QString &resultText);
// The same answer in parts, for a result text that is written while it is made: what comes
// before the text, the text escaped piece by piece, and what follows it.
QByteArray soapResponseHead(const QString &operation);
void appendEscapedUtf8(QByteArray &out, const QString &text);
QByteArray soapResponseTail(const QString &operation);

// A SOAP 1.1 fault ("soap:Client" for a bad request, "soap:Server" for our own failure).
QByteArray soapFault(const QString &faultCode, const QString &faultString);

} // namespace tvs
