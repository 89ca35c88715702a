#pragma once

#include "Record.h"

#include <QByteArray>
#include <QString>

namespace tvs::test {

// Reply bodies shaped like the service's: a SOAP envelope whose
// <operation>Result holds the NewDataSet XML escaped once, one Table element per
// row, each level indented by two blanks. Values are XML-escaped inside the
// data set first, so "A & B" travels as "A &amp;amp; B" and walks back to "A & B".

// Rows of a read (Procedure_List01 by default).
QByteArray replyBody(const Records &rows, const QString &operation = QStringLiteral("Procedure_List01"));
// Single named elements (the counts, "rtn"): one Table holding just these.
QByteArray singleElementsBody(const Record &elements,
                              const QString &operation = QStringLiteral("Procedure_List01"));
// The "nothing found" answer: one Table with rtn "NO".
QByteArray noRowsBody(const QString &operation = QStringLiteral("Procedure_List01"));
// An envelope around any result text (escaped once here), e.g. the bid's answer.
QByteArray resultBody(const QString &resultText,
                      const QString &operation = QStringLiteral("Procedure_List01"));

} // namespace tvs::test
