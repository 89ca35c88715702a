#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tvs {

// Replies carry their data set escaped once inside the SOAP result; this undoes
// that escaping for the whole text: "&quot;", "&apos;", "&lt;", "&gt;" and last
// "&amp;", each step replacing every occurrence left to right without looking at
// what it inserted (so "&amp;lt;" becomes "&lt;", not "<"). Absent stays absent.
std::optional<QString> unescapeXmlEntities(const std::optional<QString> &text);

// The same result in one pass over UTF-8 bytes. The five steps above can never
// interact (every reference starts with the only "&" it holds, and only the last
// step inserts an "&"), so replacing each reference where it stands, left to right,
// gives exactly the five-step text.
QByteArray unescapeXmlEntitiesUtf8(QByteArrayView bytes);

// Pull form of the one-pass unescape, for feeding a parser without an unescaped
// copy of the whole body. The source must stay alive while this is used.
class EntityUnescapeStream
{
public:
    explicit EntityUnescapeStream(QByteArrayView source)
        : m_pos(source.data()), m_end(source.data() + source.size())
    {
    }
    // Writes up to `capacity` unescaped bytes to `out`; returns how many (0 at the end).
    qsizetype read(char *out, qsizetype capacity);
    bool atEnd() const { return m_pos == m_end; }

private:
    const char *m_pos;
    const char *m_end;
};

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code
// points above U+10FFFF). `errorOffset` receives the offset of the first bad byte.
bool isValidUtf8(QByteArrayView bytes, qsizetype *errorOffset = nullptr);

} // namespace tvs
