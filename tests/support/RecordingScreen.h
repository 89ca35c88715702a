#pragma once

#include "Screen.h"

#include <QStringList>

namespace tvs::test {

// A screen that writes each lifecycle step to a shared log as
// "<name>.<step>", e.g. "B.viewWillAppear" or "A.prepareForSegue:a_to_b".
class RecordingScreen : public Screen
{
    Q_OBJECT
public:
    RecordingScreen(ScreenContext *context, QString name, QStringList *log)
        : Screen(context), m_name(std::move(name)), m_log(log)
    {
    }
    ~RecordingScreen() override { record(QStringLiteral("destroyed")); }

    void viewDidLoad() override { record(QStringLiteral("viewDidLoad")); }
    void viewWillAppear() override { record(QStringLiteral("viewWillAppear")); }
    void viewDidAppear() override { record(QStringLiteral("viewDidAppear")); }
    void viewWillDisappear() override { record(QStringLiteral("viewWillDisappear")); }
    void viewDidDisappear() override { record(QStringLiteral("viewDidDisappear")); }
    void prepareForSegue(const QString &identifier, Screen *destination) override
    {
        record(QStringLiteral("prepareForSegue:") + identifier);
        // What a real screen does here: hand a value to the destination.
        if (auto *next = qobject_cast<RecordingScreen *>(destination))
            next->handedValue = m_name;
    }

    QString name() const { return m_name; }
    QString handedValue;

private:
    void record(const QString &step)
    {
        if (m_log)
            m_log->append(m_name + u'.' + step);
    }
    QString m_name;
    QStringList *m_log;
};

} // namespace tvs::test
