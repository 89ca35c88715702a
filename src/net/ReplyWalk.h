#pragma once

#include "Record.h"

#include <QByteArray>
#include <QSet>
#include <QString>

namespace tvs {

// How a field's collected character data is cleaned.
enum class Cleaning {
    Trimming,  // white space and line breaks trimmed at both ends of the whole text
    Stripping, // every line feed and every pair of consecutive blanks removed
};

// What one screen reads from a reply.
struct WalkSpec
{
    // Element that encloses one row; a row opens at its start tag.
    QString rowElement = QStringLiteral("Table");
    // Child elements of a row that are kept. Empty: every child element is kept.
    QSet<QString> rowFields;
    // Elements read wherever they stand (inside a row or not), e.g. "rtn",
    // the login's user fields or the dashboard's counts. The later occurrence wins.
    QSet<QString> namedElements;
    Cleaning cleaning = Cleaning::Stripping;
};

struct WalkResult
{
    Records rows;   // in reply order
    Record named;   // namedElements that occurred, in order of first occurrence
    bool complete = true; // false when the XML broke off; rows read before the break are kept
    QString error;  // why the walk did not complete (empty when complete)
};

// The whole reply walk: decode UTF-8, unescape the five entities once, parse with
// libxml2's SAX2 parser and collect rows and named elements. Pure and thread-safe:
// every call has its own state. A body that is not UTF-8 gives complete == false
// and no rows.
WalkResult walkReply(const QByteArray &body, const WalkSpec &spec);

} // namespace tvs
