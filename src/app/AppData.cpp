#include "AppData.h"

#include "Formatting.h"
#include "Screen.h"
#include "XmlEntities.h"

#include <QCoreApplication>
#include <QPointer>

namespace tvs {

AppData *AppData::shared()
{
    // Never released: screens may still reach it while the process winds down.
    static AppData *const instance = new AppData;
    return instance;
}

std::optional<QString> AppData::unescapeXmlEntities(const std::optional<QString> &text)
{
    return tvs::unescapeXmlEntities(text);
}

void AppData::showAlert(const QString &title, const QString &message, Screen *screen)
{
    if (screen)
        screen->presentAlert(title, message);
}

void AppData::showAlertOnMain(Screen *screen, const QString &title, const QString &message)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    // The screen may be gone by the time the main thread gets to the alert.
    QMetaObject::invokeMethod(
        app,
        [target = QPointer<Screen>(screen), title, message] {
            if (target)
                showAlert(title, message, target);
        },
        Qt::QueuedConnection);
}

void AppData::setLoading(Screen *screen, bool show)
{
    if (screen)
        screen->setLoading(show);
}

StatusLabel AppData::carStatusLabel(const QString &code)
{
    return tvs::carStatusLabel(code);
}

void AppData::applyCarStatus(const QString &code, StatusLabel &label)
{
    label = tvs::carStatusLabel(code);
}

QString AppData::formatThousands(const QString &text)
{
    return tvs::formatThousands(text);
}

} // namespace tvs
