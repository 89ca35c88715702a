#include "XmlEntities.h"

#include <cstring>

namespace tvs {

std::optional<QString> unescapeXmlEntities(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    QString out = *text;
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&apos;"), QLatin1String("'"));
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

namespace {

// At an "&": the byte it stands for and the length of the reference, or 0.
inline int matchReference(const char *p, const char *end, char *replacement)
{
    const qsizetype left = end - p;
    if (left >= 4 && p[2] == 't' && p[3] == ';') {
        if (p[1] == 'l') {
            *replacement = '<';
            return 4;
        }
        if (p[1] == 'g') {
            *replacement = '>';
            return 4;
        }
    }
    if (left >= 5 && std::memcmp(p + 1, "amp;", 4) == 0) {
        *replacement = '&';
        return 5;
    }
    if (left >= 6) {
        if (std::memcmp(p + 1, "quot;", 5) == 0) {
            *replacement = '"';
            return 6;
        }
        if (std::memcmp(p + 1, "apos;", 5) == 0) {
            *replacement = '\'';
            return 6;
        }
    }
    return 0;
}

} // namespace

qsizetype EntityUnescapeStream::read(char *out, qsizetype capacity)
{
    char *const start = out;
    char *const outEnd = out + capacity;
    while (m_pos < m_end && out < outEnd) {
        const qsizetype room = outEnd - out;
        const qsizetype avail = m_end - m_pos;
        const qsizetype span = room < avail ? room : avail;
        const char *amp = static_cast<const char *>(std::memchr(m_pos, '&', size_t(span)));
        if (!amp) {
            std::memcpy(out, m_pos, size_t(span));
            out += span;
            m_pos += span;
            continue;
        }
        const qsizetype plain = amp - m_pos;
        std::memcpy(out, m_pos, size_t(plain));
        out += plain;
        m_pos = amp;
        if (out == outEnd)
            break;
        char replacement = 0;
        const int length = matchReference(m_pos, m_end, &replacement);
        if (length) {
            *out++ = replacement;
            m_pos += length;
        } else {
            *out++ = '&';
            ++m_pos;
        }
    }
    return out - start;
}

QByteArray unescapeXmlEntitiesUtf8(QByteArrayView bytes)
{
    QByteArray out(bytes.size(), Qt::Uninitialized);
    EntityUnescapeStream stream(bytes);
    const qsizetype n = stream.read(out.data(), out.size());
    out.truncate(n);
    return out;
}

bool isValidUtf8(QByteArrayView bytes, qsizetype *errorOffset)
{
    const auto *const begin = reinterpret_cast<const unsigned char *>(bytes.data());
    const unsigned char *p = begin;
    const unsigned char *const end = begin + bytes.size();
    auto fail = [&](const unsigned char *at) {
        if (errorOffset)
            *errorOffset = at - begin;
        return false;
    };
    while (p < end) {
        // Eight ASCII bytes at a time: most of a reply is markup.
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0; // no overlong forms
            else if (c == 0xED)
                hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F; // nothing above U+10FFFF
        } else {
            return fail(p);
        }
        if (end - p <= extra)
            return fail(p);
        if (p[1] < lo || p[1] > hi)
            return fail(p);
        for (int i = 2; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return fail(p);
        }
        p += extra + 1;
    }
    return true;
}

} // namespace tvs
