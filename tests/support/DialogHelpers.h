#pragma once

#include "Screen.h"

#include <QStringList>

namespace tvs::test {

// Titles of the pending dialogs of `screen`, oldest first.
inline QStringList dialogTitles(const Screen &screen)
{
    QStringList titles;
    for (const DialogRequest &d : screen.pendingDialogs())
        titles << d.title;
    return titles;
}

// Action titles of the dialog the page would show (the oldest pending one).
inline QStringList shownDialogActions(const Screen &screen)
{
    QStringList titles;
    for (const DialogAction &a : screen.pendingDialogs().value(0).actions)
        titles << a.title;
    return titles;
}

// Presses the action titled `action` of the dialog the page would show, as the
// dealer would. False when no dialog shows or it has no such action.
inline bool pressDialogAction(Screen &screen, const QString &action)
{
    const qsizetype i = shownDialogActions(screen).indexOf(action);
    if (i >= 0)
        screen.answerDialog(screen.pendingDialogs().first().id, int(i));
    return i >= 0;
}

} // namespace tvs::test
