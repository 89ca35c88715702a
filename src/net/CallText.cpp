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
        QString value = args.at(i);
        value.replace(QLatin1Char('\''), QLatin1String("''"));
        text += value;
    }
    text += QLatin1Char('\'');
    return text;
}

QString escapeXmlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
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
