#include "CallTextReader.h"

namespace tvs {

namespace {
bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
        || c == u'_';
}
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

CallText failed(const QString &why)
{
    CallText result;
    result.error = why;
    return result;
}
} // namespace

CallText readCallText(const QString &text)
{
    CallText result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype nameStart = i;
    while (i < n && isNameChar(text[i]))
        ++i;
    result.procedure = text.mid(nameStart, i - nameStart);
    if (result.procedure.isEmpty())
        return failed(QStringLiteral("the call text does not begin with a procedure name"));
    while (i < n && isBlank(text[i]))
        ++i;
    if (i == n) {
        result.ok = true;
        return result;
    }
    for (;;) {
        if (text[i] != u'\'')
            return failed(QStringLiteral("expected a quoted argument at character %1").arg(i + 1));
        ++i;
        QString value;
        bool closed = false;
        while (i < n) {
            if (text[i] == u'\'') {
                if (i + 1 < n && text[i + 1] == u'\'') {
                    value += u'\'';
                    i += 2;
                    continue;
                }
                ++i;
                closed = true;
                break;
            }
            value += text[i++];
        }
        if (!closed)
            return failed(QStringLiteral("argument %1 is not closed by a quote").arg(result.args.size() + 1));
        result.args << value;
        while (i < n && isBlank(text[i]))
            ++i;
        if (i == n)
            break;
        if (text[i] != u',')
            return failed(QStringLiteral("expected a comma after argument %1, found \"%2\"")
                              .arg(result.args.size())
                              .arg(text[i]));
        ++i;
        while (i < n && isBlank(text[i]))
            ++i;
        if (i == n)
            return failed(QStringLiteral("the call text ends after a comma"));
    }
    result.ok = true;
    return result;
}

} // namespace tvs
