// Schema and deterministic demo data of the stand-in's database.
#include "Database.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QStringList>

#include <array>
#include <functional>

namespace tvs {

namespace {

const char *const kSchema[] = {
    "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE shops (sStoreCode TEXT PRIMARY KEY, sStoreName TEXT NOT NULL, sStoreAddress TEXT,"
    " sStoreBusinessNum TEXT, sStoreUseName TEXT, sStoreTelnum TEXT)",
    "CREATE TABLE users (sUserCode TEXT PRIMARY KEY, sUserId TEXT NOT NULL UNIQUE,"
    " sUserPw TEXT NOT NULL, sStoreCode TEXT NOT NULL REFERENCES shops, sUserName TEXT,"
    " sUserTelnum TEXT, sUserEmail TEXT, iUserLevel INTEGER, sUserRegDate TEXT, sUserUpDate TEXT,"
    " sUserLastDate TEXT, sUserStatus TEXT, sUserMemo TEXT, sUserPicturePath TEXT,"
    " sQrToken TEXT UNIQUE)",
    // Model tree: level 1 makers, 2 models, 3..5 detail models.
    "CREATE TABLE models (sCarCode TEXT PRIMARY KEY, sCarUpCode TEXT, iLevel INTEGER NOT NULL,"
    " sCarName TEXT NOT NULL, sCarNameSub TEXT, sCarGroup TEXT, sCarImportType TEXT,"
    " sCarStartYear TEXT, sCarEndYear TEXT, iSort INTEGER)",
    "CREATE INDEX models_up ON models (sCarUpCode, iLevel)",
    "CREATE TABLE truck_forms (sCarFormCode TEXT PRIMARY KEY, sCarFormUpCode TEXT,"
    " iLevel INTEGER NOT NULL, sCarFormName TEXT NOT NULL, iSort INTEGER)",
    "CREATE TABLE colors (sCarColorCode TEXT PRIMARY KEY, sCarColorName TEXT, sRgb TEXT)",
    "CREATE TABLE fuels (sCarFuelCode TEXT PRIMARY KEY, sCarFuelName TEXT)",
    "CREATE TABLE transmissions (sCarTransmissionCode TEXT PRIMARY KEY, sCarTransmissionName TEXT)",
    "CREATE TABLE option_groups (sCarOptionCode TEXT PRIMARY KEY, sCarOptionName TEXT, iSort INTEGER)",
    "CREATE TABLE options (sCarOptionDetailCode TEXT PRIMARY KEY,"
    " sCarOptionCode TEXT NOT NULL REFERENCES option_groups, sCarOptionDetailName TEXT, iSort INTEGER)",
    "CREATE TABLE cars (sCarProductCode TEXT PRIMARY KEY, sStoreCode TEXT NOT NULL REFERENCES shops,"
    " sUserCode TEXT REFERENCES users, sCarCode1 TEXT, sCarCode2 TEXT, sCarCode3 TEXT, sCarCode4 TEXT,"
    " sCarCode5 TEXT, sCarCode6 TEXT, sCarFormCode1 TEXT, sCarFormCode2 TEXT, sCarFormCode3 TEXT,"
    " sCarColorCode TEXT, sCarFuelCode TEXT, sCarTransmissionCode TEXT, sCarProductNum TEXT,"
    " sCarProductYearMonth TEXT, iCarProductMoney INTEGER, sCarProductContent TEXT,"
    " sCarProductStatus TEXT, sCarProductMileage TEXT, sCarStatus TEXT NOT NULL, sCarImportType TEXT,"
    " sCarIdNum TEXT, sCarCC TEXT, sCarGroup TEXT, iFavoirteCount INTEGER DEFAULT 0,"
    " iCarProductReadCount INTEGER DEFAULT 0, sCarProductCheckDate TEXT, sCheckEndDate TEXT,"
    " sCarProductCheckStartDate TEXT, sCarProductCheckEndDate TEXT, sCarProductFirstRegDate TEXT,"
    " sCarProductSaleType TEXT, sCarDealerPrice TEXT, sCarProductRegDate TEXT, sCarProductUpDate TEXT,"
    " sCarParkingImageFile TEXT, sCarProductCheckStatus TEXT, sCarProductCheckRegDate TEXT,"
    " sCarProductDisplay TEXT, sMapCode TEXT, sMapPointCode TEXT, sMapName TEXT, sMapPointName TEXT,"
    " iPurchaseMoney INTEGER, iSaleMoney INTEGER, sSaleDate TEXT)",
    "CREATE INDEX cars_store ON cars (sStoreCode, sCarStatus)",
    "CREATE TABLE car_photos (sCarPhotoID TEXT PRIMARY KEY,"
    " sCarProductCode TEXT NOT NULL REFERENCES cars, sCarPhotoPath TEXT NOT NULL, iSort INTEGER)",
    "CREATE INDEX car_photos_car ON car_photos (sCarProductCode, iSort)",
    "CREATE TABLE car_options (sCarProductCode TEXT NOT NULL REFERENCES cars,"
    " sCarOptionDetailCode TEXT NOT NULL REFERENCES options, iSort INTEGER,"
    " PRIMARY KEY (sCarProductCode, sCarOptionDetailCode))",
    "CREATE TABLE status_history (id INTEGER PRIMARY KEY AUTOINCREMENT, sCarProductCode TEXT,"
    " sFrom TEXT, sTo TEXT, sUserCode TEXT, sClient TEXT, sRegDate TEXT)",
    "CREATE TABLE auctions (sAuctionCode TEXT PRIMARY KEY, sCarProductCode TEXT NOT NULL REFERENCES cars,"
    " sUserCode TEXT NOT NULL REFERENCES users, sAuctionStartDate TEXT, sAuctionEndDate TEXT,"
    " sAuctionStatus TEXT NOT NULL, sAuctionType TEXT, iStartPrice INTEGER)",
    "CREATE TABLE bids (id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " sAuctionCode TEXT NOT NULL REFERENCES auctions, sUserCode TEXT NOT NULL REFERENCES users,"
    " iBidPrice INTEGER NOT NULL, sRegDate TEXT)",
    "CREATE TABLE registry (sCarProductNum TEXT PRIMARY KEY, sCarCode1 TEXT, sCarCode2 TEXT,"
    " sCarProductYearMonth TEXT, sCarFuelCode TEXT, sCarProductFirstRegDate TEXT,"
    " sCarProductCheckStartDate TEXT, sCarProductCheckEndDate TEXT, sCarCC TEXT, sCarIdNum TEXT)",
    "CREATE TABLE handoffs (id INTEGER PRIMARY KEY AUTOINCREMENT, sCarProductCode TEXT,"
    " sInputType TEXT, sUserCode TEXT, sRequest TEXT, sRegDate TEXT)",
    "CREATE TABLE repair_shops (sStoreCode TEXT PRIMARY KEY, sStoreName TEXT, sStoreTelnum TEXT,"
    " sStoreAddress TEXT)",
    "CREATE TABLE job_orders (sJobListCode TEXT PRIMARY KEY, sCarProductCode TEXT NOT NULL REFERENCES cars,"
    " sUserCode TEXT NOT NULL REFERENCES users, sRepairStoreCode TEXT REFERENCES repair_shops,"
    " iJobPrice INTEGER, sJobListRegdate TEXT, sJobOrderListStatus TEXT NOT NULL, sJobContent TEXT)",
    "CREATE TABLE check_items (sCarProductCode TEXT NOT NULL REFERENCES cars,"
    " sCarProductCheckItemCode TEXT NOT NULL, sCarProductCheckItemUpCode TEXT,"
    " sCarProductCheckItemName TEXT, sCarProductCheckItemSubCode TEXT,"
    " sCarProductCheckItemContent TEXT, sCarProductCheckDate TEXT,"
    " PRIMARY KEY (sCarProductCode, sCarProductCheckItemCode))",
    // Every column a car row of the replies can carry, names resolved from the code tables.
    "CREATE VIEW car_view AS SELECT c.*,"
    " m1.sCarName AS sCarName1, m2.sCarName AS sCarName2, m3.sCarName AS sCarName3,"
    " m4.sCarName AS sCarName4,"
    " CASE WHEN m5.sCarNameSub IS NULL THEN m5.sCarName ELSE m5.sCarName || ' ' || m5.sCarNameSub END"
    "   AS sCarName5,"
    " m6.sCarName AS sCarName6,"
    " f1.sCarFormName AS sCarFormName1, f2.sCarFormName AS sCarFormName2,"
    " f3.sCarFormName AS sCarFormName3,"
    " col.sCarColorName AS sCarColorName, fu.sCarFuelName AS sCarFuelName,"
    " tr.sCarTransmissionName AS sCarTransmissionName,"
    " m2.sCarStartYear AS sCarStartYear, m2.sCarEndYear AS sCarEndYear,"
    " (SELECT p.sCarPhotoID FROM car_photos p WHERE p.sCarProductCode = c.sCarProductCode"
    "   ORDER BY p.iSort LIMIT 1) AS sCarPhotoID,"
    " (SELECT p.sCarPhotoPath FROM car_photos p WHERE p.sCarProductCode = c.sCarProductCode"
    "   ORDER BY p.iSort LIMIT 1) AS sCarPhotoPath"
    " FROM cars c"
    " LEFT JOIN models m1 ON m1.sCarCode = c.sCarCode1 LEFT JOIN models m2 ON m2.sCarCode = c.sCarCode2"
    " LEFT JOIN models m3 ON m3.sCarCode = c.sCarCode3 LEFT JOIN models m4 ON m4.sCarCode = c.sCarCode4"
    " LEFT JOIN models m5 ON m5.sCarCode = c.sCarCode5 LEFT JOIN models m6 ON m6.sCarCode = c.sCarCode6"
    " LEFT JOIN truck_forms f1 ON f1.sCarFormCode = c.sCarFormCode1"
    " LEFT JOIN truck_forms f2 ON f2.sCarFormCode = c.sCarFormCode2"
    " LEFT JOIN truck_forms f3 ON f3.sCarFormCode = c.sCarFormCode3"
    " LEFT JOIN colors col ON col.sCarColorCode = c.sCarColorCode"
    " LEFT JOIN fuels fu ON fu.sCarFuelCode = c.sCarFuelCode"
    " LEFT JOIN transmissions tr ON tr.sCarTransmissionCode = c.sCarTransmissionCode",
};

QString code(char prefix, int n, int width = 6)
{
    return QString(QLatin1Char(prefix)) + QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

QString md5Hex(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString ymd(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }
QString stamp(const QDate &d, int hour, int minute)
{
    return ymd(d) + QStringLiteral("%1%2%3").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10, QLatin1Char('0')).arg(0, 2, 10, QLatin1Char('0'));
}

struct Ctx
{
    Database &db;
    QString *error;
    bool ok = true;
    // Off: nothing is written (the model tree of a kept database, computed again).
    bool write = true;
    void run(const char *sql, const QVariantList &binds)
    {
        if (ok && write)
            ok = db.exec(QString::fromUtf8(sql), binds, error);
    }
};

// ---- code tables -------------------------------------------------------------------

struct ColorDef { const char *name; const char *rgb; };
const ColorDef kColors[] = {
    {"검정색", "#000000"}, {"흰색", "#FFFFFF"}, {"갈대색", "#83857B"}, {"청색", "#39668F"},
    {"빨간색", "#CB4333"}, {"자주색", "#AC1378"}, {"검정투톤", "#767676"}, {"진주색", "#F1F0EA"},
    {"연금색", "#948B74"}, {"하늘색", "#B7CEDF"}, {"주황색", "#FC6D1E"}, {"보라색", "#401384"},
    {"쥐색", "#464646"}, {"흰색투톤", "#DCDFE2"}, {"갈색", "#88563F"}, {"명은색", "#E9EDF2"},
    {"담녹색", "#1F4D43"}, {"분홍색", "#ECA6D6"}, {"은색", "#DCE0E4"}, {"진주투톤", "#D4D2C8"},
    {"갈색투톤", "#88563F"}, {"금색", "#AFA568"}, {"녹색", "#318A37"}, {"노란색", "#FFBE35"},
    {"은회색", "#767676"}, {"은색투톤", "#767676"}, {"은하색", "#D2DEDE"}, {"금색투톤", "#AFA568"},
    {"청옥색", "#2E7F84"}, {"연두색", "#93B039"},
};
const char *const kFuels[] = {"가솔린", "디젤", "LPG", "가솔린+전기", "전기", "수소", "LPG+전기"};
const char *const kTransmissions[] = {"수동", "오토", "세미오토", "CVT", "기타"};

// Option catalogue: ten groups; option codes are numbered across the groups. The eight
// options that light the car detail's icons are A000039 (내비게이션), A000034 (후방카메라),
// A000001 (선루프), A000006 (LED 헤드램프), A000070 (통풍시트), A000026 (차선이탈 경보),
// A000069 (열선시트) and A000013 (스마트키).
struct OptionDef { int code; int group; const char *name; };
const char *const kOptionGroups[] = {
    "외관/내장", "안전", "편의/멀티미디어", "시트", "적재함", "적재함 부가장치",
    "안전(상용)", "편의(상용)", "편의 부가장치(상용)", "특장 장비",
};
const OptionDef kOptions[] = {
    {1, 1, "선루프"}, {2, 1, "파노라마 선루프"}, {3, 1, "알루미늄 휠"}, {4, 1, "전동 사이드미러"},
    {5, 1, "루프랙"}, {6, 1, "LED 헤드램프"}, {7, 1, "주간주행등(DRL)"}, {8, 1, "가죽 스티어링 휠"},
    {9, 1, "우드그레인 내장"}, {10, 1, "전동 트렁크"}, {11, 1, "고스트 도어 클로징"},
    {12, 1, "앰비언트 라이트"},
    {13, 3, "스마트키"}, {14, 2, "운전석 에어백"}, {15, 2, "동승석 에어백"}, {16, 2, "사이드 에어백"},
    {17, 2, "커튼 에어백"}, {18, 2, "무릎 에어백"}, {19, 2, "ABS(미끄럼방지 제동)"},
    {20, 2, "TCS(구동력 제어)"}, {21, 2, "ESC(차체자세 제어)"}, {22, 2, "타이어 공기압 감지(TPMS)"},
    {23, 2, "전방 충돌 방지 보조"}, {24, 2, "후측방 충돌 경고"}, {25, 2, "후방 감지센서"},
    {26, 2, "차선이탈 경보"}, {27, 2, "전방 감지센서"}, {28, 2, "360도 어라운드 뷰"},
    {29, 3, "하이패스"}, {30, 3, "전동 접이 사이드미러"}, {31, 3, "크루즈 컨트롤"},
    {32, 3, "스마트 크루즈 컨트롤"}, {33, 3, "헤드업 디스플레이(HUD)"}, {34, 2, "후방카메라"},
    {35, 3, "블루투스"}, {36, 3, "USB 단자"}, {37, 3, "무선 충전"}, {38, 3, "오토 에어컨"},
    {39, 3, "내비게이션"}, {40, 3, "CD 플레이어"}, {41, 3, "프리미엄 사운드"},
    {42, 3, "전자식 주차브레이크(EPB)"}, {43, 3, "스티어링 휠 리모컨"}, {44, 3, "레인 센서"},
    {45, 3, "오토 라이트"}, {46, 3, "애플 카플레이/안드로이드 오토"},
    {47, 4, "가죽 시트"}, {48, 4, "전동 시트(운전석)"}, {49, 4, "전동 시트(동승석)"},
    {50, 4, "메모리 시트(운전석)"}, {51, 4, "뒷좌석 열선시트"}, {52, 4, "뒷좌석 통풍시트"},
    {53, 4, "마사지 시트"}, {54, 4, "3열 시트"},
    {55, 5, "적재함 라이닝"}, {56, 5, "적재함 보조 롤바"}, {57, 5, "적재함 커버"},
    {58, 6, "파워게이트"}, {59, 6, "윙바디 리모컨"}, {60, 7, "차로이탈 경고(상용)"},
    {61, 7, "비상 자동제동(AEBS)"}, {62, 7, "후방 경보음"}, {63, 8, "무시동 히터"},
    {64, 8, "무시동 에어컨"}, {65, 8, "운전석 공기 시트"}, {66, 9, "하이루프"},
    {67, 9, "침대 캡"}, {68, 10, "냉동기"}, {69, 4, "열선시트(앞좌석)"}, {70, 4, "통풍시트(앞좌석)"},
    {71, 10, "크레인(카고)"}, {72, 10, "덤프 장치"}, {73, 10, "탑 내부 조명"},
};

// ---- model tree ----------------------------------------------------------------------

struct ModelDef
{
    const char *name;
    int startYear, endYear;
    std::array<const char *, 2> generations; // level 3 (second may be null)
    std::array<const char *, 2> engines;     // level 4
    const char *cc;                          // displacement of the first engine
};
struct MakerDef
{
    const char *name;
    const char *group;       // "국산차", "수입차", "화물특장버스"
    const char *importType;  // "1", "2", "3"
    std::array<ModelDef, 4> models; // name == nullptr ends
};

const MakerDef kMakers[] = {
    {"현대", "국산차", "1",
     {{{"그랜저", 2016, 2025, {"그랜저 (IG)", "디 올 뉴 그랜저 (GN7)"}, {"2.5 가솔린", "3.0 LPG"}, "2497"},
       {"쏘나타", 2019, 2025, {"쏘나타 (DN8)", "쏘나타 디 엣지 (DN8)"}, {"2.0 가솔린", "2.0 LPi"}, "1999"},
       {"아반떼", 2020, 2025, {"아반떼 (CN7)", nullptr}, {"1.6 가솔린", "1.6 하이브리드"}, "1598"},
       {"싼타페", 2018, 2025, {"싼타페 (TM)", "디 올 뉴 싼타페 (MX5)"}, {"2.2 디젤", "2.5 터보 가솔린"}, "2199"}}}},
    {"기아", "국산차", "1",
     {{{"K5", 2019, 2025, {"K5 (DL3)", nullptr}, {"2.0 가솔린", "1.6 터보 가솔린"}, "1999"},
       {"쏘렌토", 2020, 2025, {"쏘렌토 (MQ4)", nullptr}, {"2.2 디젤", "1.6 하이브리드"}, "2151"},
       {"카니발", 2020, 2025, {"카니발 (KA4)", nullptr}, {"2.2 디젤", "3.5 가솔린"}, "2151"},
       {"모닝", 2017, 2025, {"모닝 (JA)", nullptr}, {"1.0 가솔린", "1.0 LPi"}, "998"}}}},
    {"제네시스", "국산차", "1",
     {{{"G80", 2020, 2025, {"G80 (RG3)", nullptr}, {"2.5 터보 가솔린", "3.5 터보 가솔린"}, "2497"},
       {"GV70", 2020, 2025, {"GV70 (JK1)", nullptr}, {"2.5 터보 가솔린", "2.2 디젤"}, "2497"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
    {"BMW", "수입차", "2",
     {{{"5시리즈", 2017, 2025, {"5시리즈 (G30)", nullptr}, {"520i", "530e"}, "1998"},
       {"X5", 2018, 2025, {"X5 (G05)", nullptr}, {"xDrive30d", "xDrive45e"}, "2993"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
    {"벤츠", "수입차", "2",
     {{{"E-클래스", 2016, 2025, {"E-클래스 (W213)", nullptr}, {"E250", "E300 4MATIC"}, "1991"},
       {"GLC", 2016, 2025, {"GLC (X253)", nullptr}, {"GLC 220d 4MATIC", "GLC 300 4MATIC"}, "2143"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
    {"아우디", "수입차", "2",
     {{{"A6", 2019, 2025, {"A6 (C8)", nullptr}, {"45 TFSI 콰트로", "40 TDI"}, "1984"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
    {"현대 상용", "화물특장버스", "3",
     {{{"포터2", 2004, 2025, {"포터2 (HR) 1톤", "포터2 일렉트릭 1톤"}, {nullptr, nullptr}, "2497"},
       {"마이티", 2015, 2025, {"마이티 (QT) 2.5톤", "마이티 (QT) 3.5톤"}, {nullptr, nullptr}, "3933"},
       {"쏠라티", 2016, 2025, {"쏠라티 15인승", nullptr}, {nullptr, nullptr}, "2497"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
    {"기아 상용", "화물특장버스", "3",
     {{{"봉고3", 2004, 2025, {"봉고3 (PU) 1톤", "봉고3 (PU) 1.2톤"}, {nullptr, nullptr}, "2497"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
    {"타타대우", "화물특장버스", "3",
     {{{"노부스", 2011, 2025, {"노부스 (ST) 5톤", "노부스 (ST) 8톤"}, {nullptr, nullptr}, "5890"},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr},
       {nullptr, 0, 0, {nullptr, nullptr}, {nullptr, nullptr}, nullptr}}}},
};
const char *const kTrims[][2] = {
    {"프리미엄", "2WD"}, {"익스클루시브", "2WD"}, {"캘리그래피", "AWD"},
};

// Truck forms: three levels.
struct FormDef { const char *name; std::array<const char *, 3> children; };
const char *const kForm1[] = {"카고", "특장", "버스"};
const FormDef kForm2[][3] = {
    {{"일반카고", {"표준캡", "슈퍼캡", "더블캡"}}, {"윙바디", {"표준캡", "슈퍼캡", nullptr}},
     {"탑차", {"내장탑", "파워게이트 탑", nullptr}}},
    {{"냉동탑차", {"-18도 냉동", "냉장", nullptr}}, {"덤프", {"2.5톤 덤프", "5톤 덤프", nullptr}},
     {"크레인", {"3단 크레인", "5단 크레인", nullptr}}},
    {{"중형버스", {"자가용", "영업용", nullptr}}, {"소형버스", {"어린이 통학", "자가용", nullptr}},
     {nullptr, {nullptr, nullptr, nullptr}}},
};

struct Tree
{
    struct Car
    {
        QString c1, c2, c3, c4, c5;
        int group = 0; // index into kMakers
        const ModelDef *model = nullptr;
        int fuelIndex = 0;
    };
    QList<Car> cars;   // one entry per level-5 (cars) or level-3 (trucks) leaf
    QList<std::array<QString, 3>> forms; // leaf form paths
};

Tree makeTree(Ctx &ctx)
{
    Tree tree;
    int seq[6] = {0, 0, 0, 0, 0, 0};
    auto next = [&](int level) {
        return QStringLiteral("%1%2").arg(level).arg(++seq[level], 4, 10, QLatin1Char('0'));
    };
    int makerIndex = 0;
    for (const MakerDef &maker : kMakers) {
        const QString c1 = next(1);
        ctx.run("INSERT INTO models VALUES (?,?,1,?,NULL,?,?,NULL,NULL,?)",
                {c1, QVariant(), QString::fromUtf8(maker.name), QString::fromUtf8(maker.group),
                 QString::fromUtf8(maker.importType), makerIndex});
        int modelSort = 0;
        for (const ModelDef &model : maker.models) {
            if (!model.name)
                break;
            const QString c2 = next(2);
            ctx.run("INSERT INTO models VALUES (?,?,2,?,NULL,?,?,?,?,?)",
                    {c2, c1, QString::fromUtf8(model.name), QString::fromUtf8(maker.group),
                     QString::fromUtf8(maker.importType), QString::number(model.startYear),
                     QString::number(model.endYear), modelSort++});
            int genSort = 0;
            for (const char *gen : model.generations) {
                if (!gen)
                    break;
                const QString c3 = next(3);
                ctx.run("INSERT INTO models VALUES (?,?,3,?,NULL,?,?,NULL,NULL,?)",
                        {c3, c2, QString::fromUtf8(gen), QString::fromUtf8(maker.group),
                         QString::fromUtf8(maker.importType), genSort++});
                if (!model.engines[0]) {
                    tree.cars.append({c1, c2, c3, {}, {}, makerIndex, &model, 1});
                    continue;
                }
                int engineSort = 0;
                for (const char *engine : model.engines) {
                    const QString c4 = next(4);
                    ctx.run("INSERT INTO models VALUES (?,?,4,?,NULL,?,?,NULL,NULL,?)",
                            {c4, c3, QString::fromUtf8(engine), QString::fromUtf8(maker.group),
                             QString::fromUtf8(maker.importType), engineSort++});
                    int trimSort = 0;
                    for (const auto &trim : kTrims) {
                        const QString c5 = next(5);
                        ctx.run("INSERT INTO models VALUES (?,?,5,?,?,?,?,NULL,NULL,?)",
                                {c5, c4, QString::fromUtf8(trim[0]), QString::fromUtf8(trim[1]),
                                 QString::fromUtf8(maker.group), QString::fromUtf8(maker.importType),
                                 trimSort++});
                        const QString engineName = QString::fromUtf8(engine);
                        int fuel = 0; // 가솔린
                        if (engineName.contains(QStringLiteral("디젤")) || engineName.endsWith(u'd')
                            || engineName.contains(QStringLiteral("TDI")) || engineName.contains(QStringLiteral("220d")))
                            fuel = 1;
                        else if (engineName.contains(QStringLiteral("LP")))
                            fuel = 2;
                        else if (engineName.contains(QStringLiteral("하이브리드"))
                                 || engineName.endsWith(u'e'))
                            fuel = 3;
                        tree.cars.append({c1, c2, c3, c4, c5, makerIndex, &model, fuel});
                    }
                }
            }
        }
        ++makerIndex;
    }
    int formSeq[4] = {0, 0, 0, 0};
    auto formCode = [&](int level) {
        return QStringLiteral("F%1%2").arg(level).arg(++formSeq[level], 3, 10, QLatin1Char('0'));
    };
    for (int a = 0; a < 3; ++a) {
        const QString f1 = formCode(1);
        ctx.run("INSERT INTO truck_forms VALUES (?,NULL,1,?,?)", {f1, QString::fromUtf8(kForm1[a]), a});
        for (int b = 0; b < 3; ++b) {
            const FormDef &def = kForm2[a][b];
            if (!def.name)
                break;
            const QString f2 = formCode(2);
            ctx.run("INSERT INTO truck_forms VALUES (?,?,2,?,?)", {f2, f1, QString::fromUtf8(def.name), b});
            for (int c = 0; c < 3; ++c) {
                if (!def.children[c])
                    break;
                const QString f3 = formCode(3);
                ctx.run("INSERT INTO truck_forms VALUES (?,?,3,?,?)",
                        {f3, f2, QString::fromUtf8(def.children[c]), c});
                tree.forms.append({f1, f2, f3});
            }
        }
    }
    return tree;
}

// ---- people and shops -------------------------------------------------------------------

void makePeople(Ctx &ctx, const QDate &today)
{
    ctx.run("INSERT INTO shops VALUES (?,?,?,?,?,?)",
            {QStringLiteral("S0001"), QStringLiteral("한빛모터스 강남점"),
             QStringLiteral("서울특별시 강남구 영동대로 123 한빛빌딩 1층"), QStringLiteral("214-86-12345"),
             QStringLiteral("한빛모터스"), QStringLiteral("02-555-0101")});
    ctx.run("INSERT INTO shops VALUES (?,?,?,?,?,?)",
            {QStringLiteral("S0002"), QStringLiteral("새길오토 수원점"),
             QStringLiteral("경기도 수원시 권선구 산업로 45"), QStringLiteral("124-81-67890"),
             QStringLiteral("새길오토"), QStringLiteral("031-222-0202")});
    struct UserDef { const char *code, *id, *pw, *store, *name, *tel, *email, *token; int level; };
    const UserDef users[] = {
        {"D0001", "demo01", "demo1234", "S0001", "김민준", "010-2345-6789", "minjun.kim@example.com", "7301928465", 4},
        {"D0002", "demo02", "demo2345", "S0001", "이서연", "010-3456-7890", "seoyeon.lee@example.com", "5820194736", 4},
        {"D0003", "demo03", "demo3456", "S0002", "박지훈", "010-4567-8901", "jihoon.park@example.com", "9146027358", 4},
    };
    int i = 0;
    for (const UserDef &u : users) {
        const QDate reg = today.addDays(-400 + 30 * i);
        ctx.run("INSERT INTO users VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                {QString::fromUtf8(u.code), QString::fromUtf8(u.id), md5Hex(QString::fromUtf8(u.pw)),
                 QString::fromUtf8(u.store), QString::fromUtf8(u.name), QString::fromUtf8(u.tel),
                 QString::fromUtf8(u.email), u.level, stamp(reg, 10, 0), stamp(reg.addDays(20), 9, 30),
                 stamp(today.addDays(-1 - i), 18, 5 + i), QStringLiteral("1"),
                 QStringLiteral("데모 딜러 계정"), QStringLiteral("%1.jpg").arg(QString::fromUtf8(u.code)),
                 QString::fromUtf8(u.token)});
        ++i;
    }
}

// ---- cars ---------------------------------------------------------------------------------

const char *const kStatuses[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                 "12", "13", "14", "15", "16", "17", "18", "19", "61"};
const char *const kPlateLetters[] = {"가", "나", "다", "라", "마", "거", "너", "더", "러", "머",
                                     "버", "서", "어", "저", "고", "노", "도", "로", "모", "보"};
const char *const kMaps[][4] = {
    {"M01", "M0101", "서울", "강남구 대치동 주차장"},
    {"M01", "M0102", "서울", "송파구 문정동 매매단지"},
    {"M02", "M0201", "경기", "수원시 권선구 오토플렉스"},
};
const char *const kContents[] = {
    "1인 신조 차량, 무사고, 정기 점검 이력 완비. 실내 금연 차량입니다.",
    "타이어 4짝 교체(2024년), 엔진오일 최근 교환. 단순 교환 1건(앞 범퍼).",
    "법인 리스 반납 차량. 전 구간 정식 서비스센터 정비. 스마트키 2개.",
    "주행거리 짧은 관리 우수 차량입니다. 보증 기간 남아 있습니다.",
    "적재함 상태 양호, 하체 방청 완료. 영업용 번호판 별도 문의.",
};

constexpr int kDemoShopCars = 44; // the demo shop's own cars: C000001..C000044
constexpr int kDemoCars = 54;     // and the other shop's: ..C000054

// The demo shop's cars belong to its two dealers: every third to demo02.
QString shopUser(int i)
{
    return i % 3 == 2 ? QStringLiteral("D0002") : QStringLiteral("D0001");
}

QString plateFor(int i, bool truck)
{
    const int front = truck ? 80 + i % 18 : 12 + (i * 7) % 87;
    return QStringLiteral("%1%2 %3").arg(front).arg(QString::fromUtf8(kPlateLetters[i % 20]))
        .arg(1000 + (i * 3719) % 9000);
}

QString vinFor(int i, bool imported)
{
    const char *prefix = imported ? "WBA" : "KMH";
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(i * 7919 + 104729, 14, 10, QLatin1Char('0')).right(14);
}

// A plate of the big shop's car number n (from 0): the newer form with a three-digit front
// ("231가 5678"), none equal to another or, blanks ignored, to a plate of the demo's own cars
// and registrations (their fronts have two digits, or are below 160). n * 37,203,571 runs
// through every index below kPlates once (it shares no factor with it), so the plates
// look scattered and never repeat.
QString bigShopPlate(int n)
{
    constexpr qint64 kFronts = 540, kLetters = 20, kNumbers = 9000;
    constexpr qint64 kPlates = kFronts * kLetters * kNumbers;
    const qint64 index = (qint64(n) * 37'203'571) % kPlates;
    return QStringLiteral("%1%2 %3")
        .arg(160 + index % kFronts)
        .arg(QString::fromUtf8(kPlateLetters[(index / kFronts) % kLetters]))
        .arg(1000 + index / (kFronts * kLetters));
}

struct CarSeed
{
    QString code, store, user;
    const Tree::Car *model;
    QString form1, form2, form3;
    QString status;
    int index;
    QString plate;
    int photos;
    int colour; // 0 to 29
};

bool isTruck(const Tree::Car *car)
{
    return QString::fromUtf8(kMakers[car->group].importType) == QLatin1String("3");
}

// The models of the demo's cars by their number: every sixth a truck, every fifth
// imported, the others domestic; a truck's form by the number too.
class ModelPicker
{
public:
    explicit ModelPicker(const Tree &tree) : m_tree(tree)
    {
        for (const Tree::Car &c : tree.cars) {
            const QString type = QString::fromUtf8(kMakers[c.group].importType);
            (type == QLatin1String("1") ? m_cars : type == QLatin1String("2") ? m_imports : m_trucks) << &c;
        }
    }
    const Tree::Car *model(int i) const
    {
        if (i % 6 == 5)
            return m_trucks[(i * 5) % m_trucks.size()];
        if (i % 5 == 4)
            return m_imports[(i * 7) % m_imports.size()];
        return m_cars[(i * 11) % m_cars.size()];
    }
    const std::array<QString, 3> &forms(int i) const { return m_tree.forms[(i * 3) % m_tree.forms.size()]; }
    const QList<const Tree::Car *> &cars() const { return m_cars; }
    const QList<const Tree::Car *> &trucks() const { return m_trucks; }

    // Car number i of a shop, in the demo's pattern.
    CarSeed seed(const QString &code, const QString &store, const QString &user, const QString &status, int i,
                 QString plate, int photos, int colour) const
    {
        const auto &f = forms(i);
        return {code, store, user, model(i), f[0], f[1], f[2], status, i, std::move(plate), photos, colour};
    }

private:
    const Tree &m_tree;
    QList<const Tree::Car *> m_cars, m_imports, m_trucks;
};

void insertCar(Ctx &ctx, const CarSeed &s, const QDate &today)
{
    const int i = s.index;
    const MakerDef &maker = kMakers[s.model->group];
    const bool truck = isTruck(s.model);
    const bool imported = QString::fromUtf8(maker.importType) == QLatin1String("2");
    const int year = std::clamp(s.model->model->endYear - 1 - (i % 7), s.model->model->startYear, 2025);
    const int mileage = 4000 + (i * 13577) % 160000;
    const qint64 price = (qint64(truck ? 1500 : imported ? 3900 : 1200) + (i * 373) % 3500) * 10000;
    // Check dates make every tint of the dashboard appear: the check older than four
    // months and/or the check end date older than seven days, by the car's index.
    const int tint = i % 4;
    const QDate check = (tint == 0 || tint == 2) ? today.addMonths(-5).addDays(-(i % 20))
                                                 : today.addDays(-10 - (i % 40));
    const QDate checkEnd = (tint == 0 || tint == 1) ? today.addDays(-8 - (i % 30))
                                                    : today.addDays(3 + (i % 60));
    const QVariant checkEndText = (i == 5) ? QVariant(QString()) : QVariant(ymd(checkEnd));
    const QDate firstReg = QDate(year, 1 + i % 12, 1 + i % 27);
    const QDate regDay = today.addDays(-(i * 3) % 90 - 1);
    const auto &map = kMaps[s.store == QLatin1String("S0001") ? i % 2 : 2];
    ctx.run(
        "INSERT INTO cars (sCarProductCode, sStoreCode, sUserCode, sCarCode1, sCarCode2, sCarCode3,"
        " sCarCode4, sCarCode5, sCarCode6, sCarFormCode1, sCarFormCode2, sCarFormCode3, sCarColorCode,"
        " sCarFuelCode, sCarTransmissionCode, sCarProductNum, sCarProductYearMonth, iCarProductMoney,"
        " sCarProductContent, sCarProductStatus, sCarProductMileage, sCarStatus, sCarImportType,"
        " sCarIdNum, sCarCC, sCarGroup, iFavoirteCount, iCarProductReadCount, sCarProductCheckDate,"
        " sCheckEndDate, sCarProductCheckStartDate, sCarProductCheckEndDate, sCarProductFirstRegDate,"
        " sCarProductSaleType, sCarDealerPrice, sCarProductRegDate, sCarProductUpDate,"
        " sCarParkingImageFile, sCarProductCheckStatus, sCarProductCheckRegDate, sCarProductDisplay,"
        " sMapCode, sMapPointCode, sMapName, sMapPointName, iPurchaseMoney, iSaleMoney, sSaleDate)"
        " VALUES "
        "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        {s.code,
         s.store,
         s.user,
         s.model->c1,
         s.model->c2,
         s.model->c3,
         truck ? QVariant(s.model->c3) : QVariant(s.model->c4),
         truck ? QVariant() : QVariant(s.model->c5),
         QVariant(),
         truck ? QVariant(s.form1) : QVariant(),
         truck ? QVariant(s.form2) : QVariant(),
         truck ? QVariant(s.form3) : QVariant(),
         code('A', 1 + s.colour),
         code('A', 1 + (truck ? 1 : s.model->fuelIndex)),
         code('A', truck && i % 3 == 0 ? 1 : 2),
         s.plate,
         QString::number(year),
         price,
         QString::fromUtf8(kContents[truck ? 4 : i % 4]),
         QStringLiteral("1"),
         QString::number(mileage),
         s.status,
         QString::fromUtf8(maker.importType),
         vinFor(i, imported),
         QString::fromUtf8(s.model->model->cc),
         QString::fromUtf8(maker.group),
         (i * 5) % 17,
         20 + (i * 37) % 400,
         ymd(check),
         checkEndText,
         ymd(check),
         ymd(check.addYears(truck ? 1 : 2)),
         ymd(firstReg),
         QString::number(1 + i % 4),
         QString::number(price - 500000),
         stamp(regDay, 9 + i % 8, i % 60),
         stamp(regDay.addDays(1), 10, i % 60),
         QStringLiteral("P%1.jpg").arg(s.code),
         s.status == QLatin1String("61") ? QString::number(1 + ((i / 20) % 3) * 2) : QStringLiteral("2"),
         stamp(check, 14, 0),
         QStringLiteral("1"),
         QString::fromUtf8(map[0]),
         QString::fromUtf8(map[1]),
         QString::fromUtf8(map[2]),
         QString::fromUtf8(map[3]),
         price - 1800000 - (i % 5) * 100000,
         (s.status == QLatin1String("9") || s.status == QLatin1String("11")) ? QVariant(price - 300000)
                                                                             : QVariant(),
         (s.status == QLatin1String("9") || s.status == QLatin1String("11"))
             ? QVariant(ymd(today.addDays(-(i % 30))))
             : QVariant()});
    for (int p = 1; p <= s.photos; ++p)
        ctx.run("INSERT INTO car_photos VALUES (?,?,?,?)",
                {QStringLiteral("%1-%2").arg(s.code).arg(p), s.code,
                 QStringLiteral("%1_%2.jpg").arg(s.code).arg(p, 2, 10, QLatin1Char('0')), p});
    // Options: a spread of the car's kind's groups, always including some icon options.
    QList<int> picked;
    for (const OptionDef &o : kOptions) {
        const bool truckGroup = o.group >= 5;
        if (truckGroup != truck)
            continue;
        if ((o.code * 7 + i * 3) % 5 < 3)
            picked << o.code;
    }
    int sort = 0;
    for (int optionCode : picked)
        ctx.run("INSERT INTO car_options VALUES (?,?,?)", {s.code, code('A', optionCode), sort++});
    ctx.run("INSERT INTO registry VALUES (?,?,?,?,?,?,?,?,?,?)",
            {s.plate, s.model->c1, s.model->c2, QString::number(year),
             code('A', 1 + (truck ? 1 : s.model->fuelIndex)), ymd(firstReg), ymd(check),
             ymd(check.addYears(truck ? 1 : 2)), QString::fromUtf8(s.model->model->cc), vinFor(i, imported)});
}

const char *const kRepairShops[][4] = {
    {"R0001", "강남 스피드 정비", "02-561-3300", "서울특별시 강남구 논현로 88"},
    {"R0002", "송파 종합 카센터", "02-403-7712", "서울특별시 송파구 법원로 21"},
    {"R0003", "우리 판금 도장", "02-2225-9090", "서울특별시 성동구 자동차시장길 7"},
    {"R0004", "수원 오토 케어", "031-293-4545", "경기도 수원시 권선구 세권로 150"},
};
const char *const kCheckItems[][3] = {
    {"E01", "엔진", "엔진오일 누유(미세)"},      {"B02", "제동장치", "브레이크 패드 마모"},
    {"S03", "현가장치", "쇼크업소버 누유"},      {"X04", "외판", "앞 범퍼 긁힘"},
    {"T05", "타이어", "타이어 편마모(앞 좌측)"}, {"A06", "에어컨", "냉매 부족"},
};

// Inspection items and job orders of the shop's car number i, by its state: cars in "13",
// "15" and "61" have two job orders (the second still open to changes) and items; cars
// in "2" have items but no order yet (a new order opens at once); the others neither.
void insertMaintenance(Ctx &ctx, const QString &car, int i, const QDate &today,
                       const std::function<QString(int k)> &jobCode)
{
    const QString status = QString::fromUtf8(kStatuses[i % 20]);
    if (status != QLatin1String("61") && status != QLatin1String("2") && status != QLatin1String("15") &&
        status != QLatin1String("13"))
        return;
    const int count = 2 + i % 3;
    for (int k = 0; k < count; ++k) {
        const auto &item = kCheckItems[(i + k) % 6];
        ctx.run("INSERT INTO check_items VALUES (?,?,?,?,?,?,?)",
                {car, QStringLiteral("CK%1").arg(k + 1, 2, 10, QLatin1Char('0')), QString::fromUtf8(item[0]),
                 QString::fromUtf8(item[1]),
                 QStringLiteral("%1-%2").arg(QString::fromUtf8(item[0])).arg(k + 1),
                 QString::fromUtf8(item[2]), ymd(today.addDays(-12 - i % 9))});
    }
    if (status == QLatin1String("2"))
        return;
    for (int k = 0; k < 2; ++k)
        ctx.run("INSERT INTO job_orders VALUES (?,?,?,?,?,?,?,?)",
                {jobCode(k), car, QStringLiteral("D0001"), QString::fromUtf8(kRepairShops[(i + k) % 3][0]),
                 150000 + (i * 47000 + k * 380000) % 1500000,
                 stamp(today.addDays(-9 + k * 4), 9 + k * 5, 12 + k), QString::fromLatin1(k == 0 ? "2" : "1"),
                 QString::fromUtf8(kCheckItems[(i + k) % 6][2]) + QStringLiteral(" 수리")});
}

} // namespace

bool createSchema(Database &db, QString *error)
{
    for (const char *sql : kSchema)
        if (!db.exec(QString::fromUtf8(sql), {}, error))
            return false;
    return db.exec(QStringLiteral("INSERT INTO meta VALUES ('schema', '1')"), {}, error);
}

bool createDemoData(Database &db, const QDate &today, QString *error)
{
    Ctx ctx{db, error};
    ctx.run("INSERT INTO meta VALUES ('created', ?)", {ymd(today)});
    ctx.run("INSERT INTO meta VALUES ('today', ?)", {ymd(today)});
    int n = 0;
    for (const ColorDef &c : kColors)
        ctx.run("INSERT INTO colors VALUES (?,?,?)", {code('A', ++n), QString::fromUtf8(c.name), QString::fromLatin1(c.rgb)});
    n = 0;
    for (const char *f : kFuels)
        ctx.run("INSERT INTO fuels VALUES (?,?)", {code('A', ++n), QString::fromUtf8(f)});
    n = 0;
    for (const char *t : kTransmissions)
        ctx.run("INSERT INTO transmissions VALUES (?,?)", {code('A', ++n), QString::fromUtf8(t)});
    n = 0;
    for (const char *g : kOptionGroups) {
        ctx.run("INSERT INTO option_groups VALUES (?,?,?)", {code('A', n + 1), QString::fromUtf8(g), n});
        ++n;
    }
    for (const OptionDef &o : kOptions)
        ctx.run("INSERT INTO options VALUES (?,?,?,?)",
                {code('A', o.code), code('A', o.group), QString::fromUtf8(o.name), o.code});
    makePeople(ctx, today);
    const Tree tree = makeTree(ctx);
    if (!ctx.ok)
        return false;

    const ModelPicker picker(tree);
    const auto &cars = picker.cars();
    const auto &trucks = picker.trucks();
    // The demo shop: 44 cars, every status at least twice, three to five photos each.
    int carNo = 0;
    for (int i = 0; i < kDemoShopCars; ++i)
        insertCar(ctx,
                  picker.seed(code('C', ++carNo), QStringLiteral("S0001"), shopUser(i),
                              QString::fromUtf8(kStatuses[i % 20]), i, plateFor(i, isTruck(picker.model(i))),
                              3 + i % 3, (i * 7) % 30),
                  today);
    // The other shop: cars of its own, most of them in the auctions.
    for (int i = kDemoShopCars; i < kDemoCars; ++i)
        insertCar(ctx,
                  picker.seed(code('C', ++carNo), QStringLiteral("S0002"), QStringLiteral("D0003"),
                              QString::fromLatin1(i < 51 ? "6" : "1"), i,
                              plateFor(i, isTruck(picker.model(i))), 3 + i % 3, (i * 7) % 30),
                  today);
    // Plates known to the registry but not in any shop: new registrations for the wizard.
    const struct { const char *plate; int model; int year; } fresh[] = {
        {"12가3456", 0, 2021}, {"34나5678", 9, 2020}, {"157더2468", 30, 2022}, {"80바1234", -1, 2019},
    };
    for (const auto &f : fresh) {
        const Tree::Car *c = f.model >= 0 ? cars[f.model % cars.size()] : trucks[0];
        ctx.run("INSERT INTO registry VALUES (?,?,?,?,?,?,?,?,?,?)",
                {QString::fromUtf8(f.plate), c->c1, c->c2, QString::number(f.year),
                 code('A', 1 + c->fuelIndex), ymd(QDate(f.year, 3, 15)),
                 ymd(today.addMonths(-2)), ymd(today.addMonths(22)), QString::fromUtf8(c->model->cc),
                 vinFor(900 + f.year, false)});
    }

    // Auctions. Status "1" in progress, "2" closed with a winner, "3" closed without one.
    struct AuctionDef { const char *code; int car; const char *seller; const char *status; int startDay, endDay; qint64 start; QList<std::pair<const char *, qint64>> bids; };
    const QList<AuctionDef> auctions = {
        {"AU0001", 45, "D0003", "1", -2, 3, 15000000, {{"D0002", 15500000}, {"D0002", 16000000}}},
        {"AU0002", 46, "D0003", "1", -1, 5, 22000000, {}},
        {"AU0003", 47, "D0003", "1", -3, 2, 9800000, {{"D0002", 10000000}, {"D0001", 10500000}}},
        {"AU0004", 48, "D0003", "2", -20, -13, 12000000, {{"D0002", 12500000}, {"D0001", 13100000}}},
        {"AU0005", 49, "D0003", "2", -15, -8, 30000000, {{"D0001", 30500000}, {"D0002", 31800000}}},
        {"AU0006", 50, "D0003", "3", -30, -23, 45000000, {}},
        {"AU0007", 6, "D0001", "1", -1, 4, 18000000, {{"D0003", 18200000}}},
        {"AU0008", 51, "D0003", "2", -10, -3, 8000000, {{"D0001", 8800000}}},
    };
    for (const AuctionDef &a : auctions) {
        const QString car = code('C', a.car);
        ctx.run("INSERT INTO auctions VALUES (?,?,?,?,?,?,?,?)",
                {QString::fromLatin1(a.code), car, QString::fromLatin1(a.seller),
                 stamp(today.addDays(a.startDay), 10, 0), stamp(today.addDays(a.endDay), 18, 0),
                 QString::fromLatin1(a.status), QStringLiteral("1"), a.start});
        int k = 0;
        for (const auto &[bidder, amount] : a.bids)
            ctx.run("INSERT INTO bids (sAuctionCode, sUserCode, iBidPrice, sRegDate) VALUES (?,?,?,?)",
                    {QString::fromLatin1(a.code), QString::fromLatin1(bidder), amount,
                     stamp(today.addDays(a.startDay), 11 + k++, 15)});
    }

    // Repair shops, inspection items and job orders.
    for (const auto &r : kRepairShops)
        ctx.run("INSERT INTO repair_shops VALUES (?,?,?,?)",
                {QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2]),
                 QString::fromUtf8(r[3])});
    int job = 0;
    for (int i = 0; i < kDemoShopCars; ++i)
        insertMaintenance(ctx, code('C', i + 1), i, today,
                          [&job](int) { return QStringLiteral("J%1").arg(++job, 5, 10, QLatin1Char('0')); });
    return ctx.ok;
}

int bigShopCars(Database &db)
{
    return db.value(QStringLiteral("SELECT value FROM meta WHERE key = 'bigShopCars'")).toInt();
}

bool addBigShopCars(Database &db, int count, const QDate &today, QString *error)
{
    const int held = bigShopCars(db);
    if (count <= held)
        return true;
    QSqlDatabase conn = db.db();
    if (!conn.transaction()) {
        *error = conn.lastError().text();
        return false;
    }
    Ctx ctx{db, error};
    ctx.write = false; // the model tree is there already: only its codes are wanted
    const Tree tree = makeTree(ctx);
    ctx.write = true;
    const ModelPicker picker(tree);
    // Big-shop car number n goes on with the demo's pattern from car number kDemoCars, so
    // that models, states, prices and dates vary as they do among the demo's cars; its
    // colour by a pattern of its own, since the demo's repeats with the day of entry, which
    // orders the lists (thousands of cars would show in blocks of one colour).
    for (int n = held; n < count && ctx.ok; ++n) {
        const int i = kDemoCars + n;
        const QString car = code(kBigShopPrefix, n + 1);
        insertCar(ctx,
                  picker.seed(car, QStringLiteral("S0001"), shopUser(i), QString::fromUtf8(kStatuses[n % 20]),
                              i, bigShopPlate(n), 2 + n % 4, (n * 11 + n / 30) % 30),
                  today);
        insertMaintenance(ctx, car, n, today,
                          [&car](int k) { return QStringLiteral("J%1-%2").arg(car).arg(k + 1); });
    }
    ctx.run("INSERT OR REPLACE INTO meta VALUES ('bigShopCars', ?)", {QString::number(count)});
    if (!ctx.ok || !conn.commit()) {
        if (ctx.ok)
            *error = conn.lastError().text();
        conn.rollback();
        return false;
    }
    return true;
}

} // namespace tvs
