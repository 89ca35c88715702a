#include "UiResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace tvs::ui {

QString qmlModulesDir()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../" TVS_QML_MODULES_DIR));
}

QUrl imageUrl(const QString &name)
{
    const QString base = QStringLiteral(":/tvs/ui/images/") + name;
    for (const QString &candidate : {base, base + QStringLiteral(".svg"), base + QStringLiteral(".png")}) {
        if (QFile::exists(candidate))
            return QUrl(QStringLiteral("qrc") + candidate);
    }
    return {};
}

} // namespace tvs::ui
