#pragma once

#include "DealerFields.h"
#include "Formatting.h"
#include "JobLineStore.h"
#include "LoginCrypto.h"
#include "Record.h"

#include <QMap>
#include <QString>

#include <optional>

namespace tvs {

class Screen;

// The session store: the one instance all screens share for the life of the
// process. Nothing here is written to storage. Fields are read and written
// directly, on the main thread (replies reach controllers there).
class AppData
{
public:
    static AppData *shared();

    bool editCarInfo = false;
    const QString AESIV = kQrAesIv.toString();
    const QString AESKEY = kQrAesKey.toString();
    QMap<QString, QString> userInfo;
    QMap<QString, QString> enterCarInfo;
    QString jsonString;
    bool aucRefresh = false;
    // The dealer's bids, for the outbid watch: how many are sent and not yet
    // answered (no check runs then, as their answers may change who leads), and the
    // auctions whose bid the service took, as they stand after it, until the watch
    // takes them in.
    int bidsInFlight = 0;
    Records takenBids;
    // The job lines written in this session, by job order; emptied at sign-out.
    JobLineStore jobLines;

    // The signed-in dealer's user code; empty before a sign-in.
    QString userCode() const { return userInfo.value(DealerField::sUserCode); }

    // Shared operations; they read no field of the store.
    static std::optional<QString> unescapeXmlEntities(const std::optional<QString> &text);
    static void showAlert(const QString &title, const QString &message, Screen *screen);
    // Queues showAlert on the main thread; callable from any thread.
    static void showAlertOnMain(Screen *screen, const QString &title, const QString &message);
    static void setLoading(Screen *screen, bool show);
    // Forwarders of the status label table and the number format (Formatting.h).
    static void applyCarStatus(const QString &code, StatusLabel &label);
    static StatusLabel carStatusLabel(const QString &code);
    static QString formatThousands(const QString &text);

    AppData(const AppData &) = delete;
    AppData &operator=(const AppData &) = delete;

private:
    AppData() = default;
};

} // namespace tvs
