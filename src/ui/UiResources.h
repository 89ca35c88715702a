#pragma once

#include <QString>
#include <QUrl>

namespace tvs::ui {

// The window of the app.
inline QUrl mainWindowUrl()
{
    return QUrl(QStringLiteral("qrc:/tvs/ui/Main.qml"));
}
// Where the shared pieces and styled views live (import "qrc:/tvs/ui").
inline QUrl importUrl()
{
    return QUrl(QStringLiteral("qrc:/tvs/ui"));
}
// The folder of the app's own QML modules (TvsDealer.Web), found from the executable's
// folder: <prefix>/bin/tvsdealer finds <prefix>/lib/tvsdealer/qml, and the build
// folder's src/tvsdealer finds lib/tvsdealer/qml of the build folder.
QString qmlModulesDir();
// An application image by name ("empty_car", "the_thumbnail", "ico_setting",
// "ico_logout", "colorcheck.png").
QUrl imageUrl(const QString &name);

} // namespace tvs::ui
