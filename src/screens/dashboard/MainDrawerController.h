#pragma once

#include "DashboardTransitions.h"
#include "Screen.h"

#include <QUrl>

namespace tvs {

// The side drawer's content: who is signed in and since when, and the entries
// that open the car list in its two state-change modes, the work-order search and
// a new registration.
class MainDrawerController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString sUserName READ userName NOTIFY labelsChanged)
    Q_PROPERTY(QString sLastDay READ lastDay NOTIFY labelsChanged)
    Q_PROPERTY(QUrl sUserImage READ userImage NOTIFY labelsChanged)

public:
    explicit MainDrawerController(ScreenContext *context, QObject *parent = nullptr);

    // The last sign-in as yyyy-MM-dd HH:mm from a text that begins with the
    // twelve digits yyyyMMddHHmm; any other text is shown as it stands.
    static QString lastSignInText(const QString &sUserLastDate);

    void viewDidLoad() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // The menu: the car list in its two state-change modes, the work-order search,
    // the registration wizard for a new car.
    Q_INVOKABLE void openCancelMode() { open(DashboardTransition::main_to_carCancel); }
    Q_INVOKABLE void openReleaseMode() { open(DashboardTransition::main_to_carExport); }
    Q_INVOKABLE void openWorkOrders() { open(DashboardTransition::main_to_workOrder); }
    Q_INVOKABLE void openNewRegistration() { open(DashboardTransition::main_to_enterCar); }
    // Off while the dealer signs out: the entries then open nothing.
    void setMenuEnabled(bool enabled) { m_menuEnabled = enabled; }

    QString userName() const { return m_userName; }
    QString lastDay() const { return m_lastDay; }
    QUrl userImage() const { return m_userImage; }

signals:
    void labelsChanged();

private:
    void open(const QString &transition);

    QString m_userName;
    QString m_lastDay;
    QUrl m_userImage;
    bool m_menuEnabled = true;
};

} // namespace tvs
