#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tvs::test {

// Collects every log line of the process (any thread, any category) while it
// lives, and still passes them on to the previous handler.
class LogCapture
{
public:
    LogCapture()
    {
        instance() = this;
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        instance() = nullptr;
    }

    QStringList lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }
    bool contains(const QString &piece) const
    {
        const QStringList all = lines();
        for (const QString &line : all) {
            if (line.contains(piece, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }

private:
    static LogCapture *&instance()
    {
        static LogCapture *current = nullptr;
        return current;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        LogCapture *self = instance();
        if (!self)
            return;
        {
            QMutexLocker lock(&self->m_mutex);
            self->m_lines.append(QString::fromLatin1(context.category ? context.category : "") + QLatin1String(": ")
                                 + message);
        }
        if (self->m_previous)
            self->m_previous(type, context, message);
    }

    mutable QMutex m_mutex;
    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};

} // namespace tvs::test
