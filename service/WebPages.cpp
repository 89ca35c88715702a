#include "WebPages.h"

#include "Database.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tvs {

namespace {

QString esc(const QVariant &v) { return v.toString().toHtmlEscaped(); }

QString won(const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("-");
    return QLocale(QLocale::Korean).toString(v.toLongLong()) + QStringLiteral(" 원");
}

QString date(const QVariant &v)
{
    const QString t = v.toString();
    if (t.size() < 8)
        return t.isEmpty() ? QStringLiteral("-") : t.toHtmlEscaped();
    return t.left(4) + u'.' + t.mid(4, 2) + u'.' + t.mid(6, 2);
}

QString statusLabel(const QString &code)
{
    static const QStringList labels = {
        QString(), QStringLiteral("판매중"), QStringLiteral("검사중"), QStringLiteral("입고중"),
        QStringLiteral("출고중"), QStringLiteral("출고중"), QStringLiteral("경매차량"), QStringLiteral("구입취소"),
        QStringLiteral("임시저장"), QStringLiteral("판매완료"), QStringLiteral("계약취소"), QStringLiteral("계약완료"),
        QStringLiteral("출고대기"), QStringLiteral("수리중"), QStringLiteral("판매요청"), QStringLiteral("정비중"),
        QStringLiteral("검사완료"), QStringLiteral("수리완료"), QStringLiteral("입고 후 정비"),
        QStringLiteral("입고 후 수리완료")};
    bool ok = false;
    const int n = code.toInt(&ok);
    if (ok && n >= 1 && n < labels.size() && QString::number(n) == code)
        return labels[n];
    if (code == QLatin1String("61"))
        return QStringLiteral("정비 대기");
    return code;
}

QString page(const QString &title, const QString &body)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"utf-8\">"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
               "<title>%1</title><style>"
               "body{font-family:'Noto Sans CJK KR',sans-serif;margin:0;background:#f4f5f7;color:#25303f}"
               "header{background:#25303f;color:#fff;padding:14px 16px;font-size:18px;font-weight:bold}"
               "section{background:#fff;margin:10px;padding:12px 14px;border-radius:8px;box-shadow:0 1px 2px #0002}"
               "h2{font-size:15px;margin:0 0 8px;color:#eb5b1c}"
               "table{width:100%;border-collapse:collapse;font-size:14px}"
               "td,th{padding:6px 4px;border-bottom:1px solid #eee;text-align:left}"
               "td.n,th.n{text-align:right}.big{font-size:22px;font-weight:bold;color:#eb5b1c}"
               ".photos{display:flex;overflow-x:auto;gap:6px}.photos img{height:180px;border-radius:6px}"
               ".tag{display:inline-block;background:#eef2f7;border-radius:4px;padding:3px 7px;margin:2px;font-size:13px}"
               ".muted{color:#888;font-size:13px}</style></head><body><header>%1</header>\n%2\n</body></html>\n")
        .arg(title.toHtmlEscaped(), body);
}

WebPage notFound(const QString &message)
{
    return {404, page(QStringLiteral("페이지를 찾을 수 없습니다"),
                      QStringLiteral("<section><p>%1</p></section>").arg(message.toHtmlEscaped()))
                     .toUtf8()};
}

QList<QSqlRecord> rows(Database &db, const QString &sql, const QVariantList &binds)
{
    QList<QSqlRecord> out;
    QSqlQuery q(db.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return out;
    for (const QVariant &b : binds)
        q.addBindValue(bindable(b));
    if (!q.exec())
        return out;
    while (q.next())
        out << q.record();
    return out;
}

struct Dealer
{
    QString code, name, store, storeName;
};

// The "inoutgate" address carries the car code glued to the user code ("D0001C000123");
// the other pages carry it as its own parameter.
bool resolve(Database &db, const QUrlQuery &query, Dealer *dealer, QString *car)
{
    QString user = query.queryItemValue(QStringLiteral("sUserCode"), QUrl::FullyDecoded).trimmed();
    *car = query.queryItemValue(QStringLiteral("sCarProductCode"), QUrl::FullyDecoded).trimmed();
    QList<QSqlRecord> found = rows(db, QStringLiteral("SELECT u.sUserCode, u.sUserName, u.sStoreCode, s.sStoreName FROM users u"
                                                      " JOIN shops s ON s.sStoreCode = u.sStoreCode WHERE u.sUserCode = ?"),
                                   {user});
    if (found.isEmpty() && car->isEmpty()) {
        found = rows(db, QStringLiteral("SELECT u.sUserCode, u.sUserName, u.sStoreCode, s.sStoreName FROM users u"
                                        " JOIN shops s ON s.sStoreCode = u.sStoreCode"
                                        " WHERE length(?) > length(u.sUserCode) AND substr(?, 1, length(u.sUserCode)) = u.sUserCode"),
                     {user, user});
        if (!found.isEmpty())
            *car = user.mid(found.first().value(0).toString().size());
    }
    if (found.isEmpty())
        return false;
    const QSqlRecord &r = found.first();
    *dealer = {r.value(0).toString(), r.value(1).toString(), r.value(2).toString(), r.value(3).toString()};
    return true;
}

QString carName(const QSqlRecord &r)
{
    QStringList parts;
    for (const char *f : {"sCarName1", "sCarName3", "sCarName4"})
        if (!r.value(QLatin1String(f)).toString().isEmpty())
            parts << r.value(QLatin1String(f)).toString();
    if (r.value(QStringLiteral("sCarGroup")).toString().contains(QStringLiteral("화물")))
        parts << r.value(QStringLiteral("sCarFormName1")).toString() << r.value(QStringLiteral("sCarFormName2")).toString();
    return parts.join(u' ');
}

WebPage bizRequest(Database &db, const Dealer &d)
{
    QString body = QStringLiteral("<section><h2>%1 · %2</h2><p class=\"muted\">처리 중인 업무 요청과 작업 지시 현황입니다.</p></section>")
                       .arg(d.storeName.toHtmlEscaped(), d.name.toHtmlEscaped());
    const auto cars = rows(db, QStringLiteral("SELECT * FROM car_view WHERE sStoreCode = ? AND sCarStatus IN ('4','5','7','12','14')"
                                              " ORDER BY sCarProductUpDate DESC"),
                           {d.store});
    body += QStringLiteral("<section><h2>출고·판매 요청 (%1건)</h2><table><tr><th>차량번호</th><th>차량</th><th>상태</th><th>변경일</th></tr>")
                .arg(cars.size());
    for (const QSqlRecord &r : cars)
        body += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(esc(r.value(QStringLiteral("sCarProductNum"))), carName(r).toHtmlEscaped(),
                         statusLabel(r.value(QStringLiteral("sCarStatus")).toString()).toHtmlEscaped(),
                         date(r.value(QStringLiteral("sCarProductUpDate"))));
    body += QStringLiteral("</table></section>");
    const auto jobs = rows(db, QStringLiteral("SELECT j.sJobListCode, c.sCarProductNum, r.sStoreName, j.iJobPrice, j.sJobListRegdate,"
                                              " j.sJobContent FROM job_orders j JOIN cars c ON c.sCarProductCode = j.sCarProductCode"
                                              " LEFT JOIN repair_shops r ON r.sStoreCode = j.sRepairStoreCode"
                                              " WHERE c.sStoreCode = ? AND j.sJobOrderListStatus = '1' ORDER BY j.sJobListRegdate DESC"),
                           {d.store});
    body += QStringLiteral("<section><h2>진행 중인 작업 지시 (%1건)</h2><table><tr><th>지시번호</th><th>차량번호</th><th>정비업체</th><th class=\"n\">금액</th></tr>")
                .arg(jobs.size());
    for (const QSqlRecord &r : jobs)
        body += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3<br><span class=\"muted\">%4</span></td><td class=\"n\">%5</td></tr>")
                    .arg(esc(r.value(0)), esc(r.value(1)), esc(r.value(2)), esc(r.value(5)), won(r.value(3)));
    body += QStringLiteral("</table></section>");
    return {200, page(QStringLiteral("업무 요청"), body).toUtf8()};
}

WebPage summary(Database &db, const Dealer &d, const QString &car, bool amountsOnly)
{
    const auto found = rows(db, QStringLiteral("SELECT * FROM car_view WHERE sCarProductCode = ? AND sStoreCode = ?"), {car, d.store});
    if (found.isEmpty())
        return notFound(QStringLiteral("이 매장의 차량이 아닙니다: ") + car);
    const QSqlRecord &c = found.first();
    const auto jobs = rows(db, QStringLiteral("SELECT j.sJobListCode, r.sStoreName, j.iJobPrice, j.sJobListRegdate, j.sJobContent,"
                                              " j.sJobOrderListStatus FROM job_orders j"
                                              " LEFT JOIN repair_shops r ON r.sStoreCode = j.sRepairStoreCode"
                                              " WHERE j.sCarProductCode = ? ORDER BY j.sJobListRegdate"),
                           {car});
    qint64 costs = 0;
    for (const QSqlRecord &j : jobs)
        costs += j.value(2).toLongLong();
    const QVariant purchase = c.value(QStringLiteral("iPurchaseMoney"));
    const QVariant sale = c.value(QStringLiteral("iSaleMoney"));
    QString body = QStringLiteral("<section><h2>%1</h2><p>%2 · %3 · %4</p></section>")
                       .arg(esc(c.value(QStringLiteral("sCarProductNum"))), carName(c).toHtmlEscaped(),
                            esc(c.value(QStringLiteral("sCarProductYearMonth"))) + QStringLiteral("년식"),
                            statusLabel(c.value(QStringLiteral("sCarStatus")).toString()).toHtmlEscaped());
    body += QStringLiteral("<section><h2>매입·매출 금액</h2><table>"
                           "<tr><td>매입금액</td><td class=\"n\">%1</td></tr><tr><td>매입일</td><td class=\"n\">%2</td></tr>"
                           "<tr><td>판매 희망가</td><td class=\"n\">%3</td></tr><tr><td>딜러가</td><td class=\"n\">%4</td></tr>"
                           "<tr><td>매출금액</td><td class=\"n\">%5</td></tr><tr><td>매출일</td><td class=\"n\">%6</td></tr>"
                           "</table></section>")
                .arg(won(purchase), date(c.value(QStringLiteral("sCarProductRegDate"))),
                     won(c.value(QStringLiteral("iCarProductMoney"))), won(c.value(QStringLiteral("sCarDealerPrice"))),
                     won(sale), date(c.value(QStringLiteral("sSaleDate"))));
    if (!amountsOnly) {
        body += QStringLiteral("<section><h2>정비 비용 (%1건)</h2><table><tr><th>지시번호</th><th>내용</th><th class=\"n\">금액</th></tr>")
                    .arg(jobs.size());
        for (const QSqlRecord &j : jobs)
            body += QStringLiteral("<tr><td>%1</td><td>%2<br><span class=\"muted\">%3 · %4</span></td><td class=\"n\">%5</td></tr>")
                        .arg(esc(j.value(0)), esc(j.value(4)), esc(j.value(1)), date(j.value(3)), won(j.value(2)));
        body += QStringLiteral("<tr><th>합계</th><th></th><th class=\"n\">%1</th></tr></table></section>").arg(won(costs));
        const qint64 revenue = sale.isNull() ? c.value(QStringLiteral("iCarProductMoney")).toLongLong() : sale.toLongLong();
        body += QStringLiteral("<section><h2>정산 %1</h2><p class=\"big\">%2</p><p class=\"muted\">%3 − 매입금액 − 정비 비용</p></section>")
                    .arg(sale.isNull() ? QStringLiteral("예상") : QStringLiteral("결과"),
                         won(revenue - purchase.toLongLong() - costs),
                         sale.isNull() ? QStringLiteral("판매 희망가") : QStringLiteral("매출금액"));
    }
    return {200, page(amountsOnly ? QStringLiteral("매입매출금액") : QStringLiteral("정산내역"), body).toUtf8()};
}

WebPage publicCar(Database &db, const QString &car, const QString &pictureBase)
{
    const auto found = rows(db, QStringLiteral("SELECT c.*, s.sStoreName, s.sStoreTelnum, s.sStoreAddress FROM car_view c"
                                               " JOIN shops s ON s.sStoreCode = c.sStoreCode WHERE c.sCarProductCode = ?"),
                            {car});
    if (found.isEmpty())
        return notFound(QStringLiteral("차량 정보를 찾을 수 없습니다: ") + car);
    db.exec(QStringLiteral("UPDATE cars SET iCarProductReadCount = COALESCE(iCarProductReadCount, 0) + 1 WHERE sCarProductCode = ?"), {car});
    const QSqlRecord &c = found.first();
    QString body = QStringLiteral("<section><div class=\"photos\">");
    for (const QSqlRecord &p : rows(db, QStringLiteral("SELECT sCarPhotoPath FROM car_photos WHERE sCarProductCode = ? ORDER BY iSort"), {car}))
        body += QStringLiteral("<img src=\"%1/image_product/%2/%3\" alt=\"차량 사진\">")
                    .arg(pictureBase, QString::fromUtf8(QUrl::toPercentEncoding(car)),
                         QString::fromUtf8(QUrl::toPercentEncoding(p.value(0).toString())));
    body += QStringLiteral("</div></section>");
    body += QStringLiteral("<section><h2>%1</h2><p class=\"big\">%2</p><table>"
                           "<tr><td>차량번호</td><td>%3</td></tr><tr><td>연식</td><td>%4년식</td></tr>"
                           "<tr><td>주행거리</td><td>%5 km</td></tr><tr><td>연료</td><td>%6</td></tr>"
                           "<tr><td>변속기</td><td>%7</td></tr><tr><td>색상</td><td>%8</td></tr>"
                           "<tr><td>배기량</td><td>%9 cc</td></tr><tr><td>최초등록일</td><td>%10</td></tr></table></section>")
                .arg(carName(c).toHtmlEscaped(), won(c.value(QStringLiteral("iCarProductMoney"))),
                     esc(c.value(QStringLiteral("sCarProductNum"))), esc(c.value(QStringLiteral("sCarProductYearMonth"))),
                     QLocale(QLocale::Korean).toString(c.value(QStringLiteral("sCarProductMileage")).toLongLong()),
                     esc(c.value(QStringLiteral("sCarFuelName"))), esc(c.value(QStringLiteral("sCarTransmissionName"))),
                     esc(c.value(QStringLiteral("sCarColorName"))), esc(c.value(QStringLiteral("sCarCC"))),
                     date(c.value(QStringLiteral("sCarProductFirstRegDate"))));
    QString options;
    QString group;
    for (const QSqlRecord &o : rows(db, QStringLiteral("SELECT g.sCarOptionName, o.sCarOptionDetailName FROM car_options co"
                                                       " JOIN options o ON o.sCarOptionDetailCode = co.sCarOptionDetailCode"
                                                       " JOIN option_groups g ON g.sCarOptionCode = o.sCarOptionCode"
                                                       " WHERE co.sCarProductCode = ? ORDER BY g.iSort, o.iSort"),
                                    {car})) {
        if (o.value(0).toString() != group) {
            group = o.value(0).toString();
            options += QStringLiteral("<p class=\"muted\">%1</p>").arg(group.toHtmlEscaped());
        }
        options += QStringLiteral("<span class=\"tag\">%1</span>").arg(esc(o.value(1)));
    }
    body += QStringLiteral("<section><h2>옵션</h2>%1</section>").arg(options.isEmpty() ? QStringLiteral("<p class=\"muted\">등록된 옵션이 없습니다.</p>") : options);
    body += QStringLiteral("<section><h2>차량 설명</h2><p>%1</p></section>").arg(esc(c.value(QStringLiteral("sCarProductContent"))).replace(u'\n', QLatin1String("<br>")));
    body += QStringLiteral("<section><h2>판매점</h2><p>%1<br>%2<br>%3</p></section>")
                .arg(esc(c.value(QStringLiteral("sStoreName"))), esc(c.value(QStringLiteral("sStoreAddress"))),
                     esc(c.value(QStringLiteral("sStoreTelnum"))));
    return {200, page(QStringLiteral("차량 상세 정보"), body).toUtf8()};
}

// What the service offers, for a person who opens the address in a browser.
WebPage index()
{
    QString body = QStringLiteral("<section><h2>SOAP 1.1</h2><table>");
    const char *const services[][2] = {
        {"/sub_asmx/asmx_soap.asmx", "Procedure_List01, Procedure_Execute01"},
        {"/sub_asmx/asmx_json.asmx", "CarInfo_Search"},
        {"/sub_asmx/asmx_json_tvs_to_zest.asmx", "CarProductInfo_Send"},
    };
    for (const auto &service : services)
        body += QStringLiteral("<tr><td><a href=\"%1?WSDL\">%1</a></td><td>%2</td></tr>")
                    .arg(QLatin1String(service[0]), QLatin1String(service[1]));
    body += QStringLiteral("</table></section><section><h2>웹 페이지 (demo01)</h2><p>"
                           "<a href=\"/service/bizRequest?sUserCode=D0001\">업무 요청</a><br>"
                           "<a href=\"/service/summery?sUserCode=D0001&amp;sCarProductCode=C000001\">정산내역</a><br>"
                           "<a href=\"/service/inoutgate?sUserCode=D0001C000001\">매입매출금액입력</a><br>"
                           "<a href=\"/sub_buycar/buycar_view_func.aspx?sCarProductCode=C000001\">차량 상세 정보</a></p></section>"
                           "<section><h2>데모 계정</h2><p>demo01 / demo1234 (D0001), demo02 / demo2345 (D0002),"
                           " demo03 / demo3456 (D0003)</p></section>");
    return {200, page(QStringLiteral("tvs-service"), body).toUtf8()};
}

} // namespace

WebPage webPage(Database &db, const QString &path, const QUrlQuery &query, const QString &pictureBase)
{
    if (path == QLatin1String("/"))
        return index();
    if (path.compare(QLatin1String("/sub_buycar/buycar_view_func.aspx"), Qt::CaseInsensitive) == 0)
        return publicCar(db, query.queryItemValue(QStringLiteral("sCarProductCode"), QUrl::FullyDecoded).trimmed(), pictureBase);
    static const QRegularExpression service(QStringLiteral("^/service/([A-Za-z]+)$"));
    const auto m = service.match(path);
    if (!m.hasMatch())
        return notFound(QStringLiteral("없는 페이지입니다: ") + path);
    Dealer dealer;
    QString car;
    if (!resolve(db, query, &dealer, &car))
        return notFound(QStringLiteral("사용자 정보를 확인할 수 없습니다."));
    const QString name = m.captured(1);
    if (name == QLatin1String("bizRequest"))
        return bizRequest(db, dealer);
    if (name == QLatin1String("summery"))
        return summary(db, dealer, car, false);
    if (name == QLatin1String("inoutgate"))
        return summary(db, dealer, car, true);
    return notFound(QStringLiteral("없는 페이지입니다: ") + path);
}

} // namespace tvs
