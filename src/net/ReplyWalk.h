#pragma once

#include "Record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

#include <memory>

namespace tvs {

// How a field's collected character data is cleaned.
enum class Cleaning {
    Trimming,  // white space and line breaks trimmed at both ends of the whole text
    Stripping, // every line feed and every pair of consecutive blanks removed
};

// What one screen reads from a reply.
struct ReplyShape
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
    Records rows;             // in reply order
    Record named;             // namedElements that occurred, in order of first occurrence
    bool complete = true;     // false when the XML broke off; rows read before the break are kept
    bool invalidUtf8 = false; // the body was not UTF-8: nothing was parsed
    QString error;            // why the walk did not complete (empty when complete)
};

// The whole reply walk: decode UTF-8, unescape the five entities once, parse with
// libxml2's SAX2 parser and collect rows and named elements. Pure and thread-safe:
// every call has its own state. A body that is not UTF-8 gives complete == false
// and no rows.
//
// A row opens at the start tag of the row element and closes at its end tag (or
// when another row element starts inside it), so rows stay in reply order and a
// reply without layout white space keeps its rows. A field's value is the whole
// character data of its element, cleaned once. An element that is present without
// character data (`<a />`, `<a></a>`) stores "", like one whose text cleans to
// nothing; only an element that does not occur stores no key, so "empty" and
// "missing" stay apart. Element names are local names: prefixes are ignored.
//
// A reply that breaks off (any XML error) stops the walk at the error: the rows
// whose end tag was read are kept, the row that was open is dropped (its fields
// may be cut short), named elements read before the error are kept, and
// complete == false with the parser's message in `error`.
WalkResult walkReply(const QByteArray &body, const ReplyShape &shape);

// The same walk over a body that arrives piece by piece: feed() each piece as it
// comes and finish() at the end, which gives exactly what walkReply() gives for
// the whole body. Rows are finished as their end tags are read, so rows() can be
// handed on while the rest of the reply is still on its way; a body that turns out
// not to be UTF-8 further on still ends with no rows from finish(). One thread at
// a time; pieces may split a character or an entity reference anywhere.
class ReplyWalker
{
public:
    explicit ReplyWalker(const ReplyShape &shape);
    ~ReplyWalker();
    ReplyWalker(const ReplyWalker &) = delete;
    ReplyWalker &operator=(const ReplyWalker &) = delete;

    void feed(QByteArrayView piece);
    // The rows finished so far, in reply order.
    const Records &rows() const;
    WalkResult finish();

private:
    struct Parse;
    std::unique_ptr<Parse> d;
};

// Cleans one field's whole text by the given form.
QString cleanFieldText(QByteArrayView utf8, Cleaning cleaning);

} // namespace tvs
