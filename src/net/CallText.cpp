#include "CallText.h"

namespace tvs {

QString callText(const QString &procedure, const QStringList &args, const QString &separator)
{
    if (args.isEmpty())
        return procedure;
    QString text = procedure;
    text += QLatin1String(" '");
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (i > 0)
            text += separator;
        QString value = xmlCharactersOnly(args.at(i));
        value.replace(QLatin1Char('\''), QLatin1String("''"));
        text += value;
    }
    text += QLatin1Char('\'');
    return text;
}

QString xmlCharactersOnly(const QString &text)
{
    const auto allowed = [](char16_t c) {
        return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == '\t' || c == '\n' || c == '\r';
    };
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (!c.isSurrogate() && allowed(c.unicode())) {
            out += c;
        }
    }
    return out;
}

QString escapeXmlText(const QString &text)
{
    const QString clean = xmlCharactersOnly(text);
    QString out;
    out.reserve(clean.size());
    for (const QChar c : clean) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace tvs
