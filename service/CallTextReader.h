#pragma once

#include <QString>
#include <QStringList>

namespace tvs {

// A procedure call text as the client writes it: the name, then each argument between
// single quotes, separated by commas (with or without blanks around them); a doubled
// quote inside an argument stands for one quote. The blank between name and first
// argument may be missing (the registration call has every blank removed).
struct CallText
{
    QString procedure;
    QStringList args;
    bool ok = false;
    QString error; // why the text could not be read, when !ok
};

CallText readCallText(const QString &text);

} // namespace tvs
