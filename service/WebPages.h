#pragma once

#include <QByteArray>
#include <QString>
#include <QUrlQuery>

namespace tvs {

class Database;

struct WebPage
{
    int status = 200;
    QByteArray html;
};

// The web pages the app shows in its web view: the zest host's "/service/bizRequest",
// "/service/summery" and "/service/inoutgate", and the public car page
// "/sub_buycar/buycar_view_func.aspx". `pictureBase` ("https://host:port") prefixes the
// car pictures. Nullopt-like: status 404 for a path that is not a page.
WebPage webPage(Database &db, const QString &path, const QUrlQuery &query, const QString &pictureBase);

} // namespace tvs
