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
    if (!screen.pendingDialogs().isEmpty()) {
        for (const DialogAction &a : screen.pendingDialogs().first().actions)
            titles << a.title;
    }
    return titles;
}

// Presses the action titled `action` of the dialog the page would show, as the
// dealer would. False when no dialog shows or it has no such action.
inline bool pressDialogAction(Screen &screen, const QString &action)
{
    if (screen.pendingDialogs().isEmpty())
        return false;
    const DialogRequest &shown = screen.pendingDialogs().first();
    for (qsizetype i = 0; i < shown.actions.size(); ++i) {
        if (shown.actions.at(i).title == action) {
            screen.answerDialog(shown.id, int(i));
            return true;
        }
    }
    return false;
}

} // namespace tvs::test
