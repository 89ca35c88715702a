#pragma once

#include <QGuiApplication>
#include <QObject>

namespace tvs {

// The application's delegate: the orientations the window allows and the hook
// for entering the background.
class AppDelegate : public QObject
{
    Q_OBJECT
public:
    explicit AppDelegate(QObject *parent = nullptr);

    bool shouldSupportAllOrientation = true;

    // All four orientations while shouldSupportAllOrientation is set, else portrait.
    Qt::ScreenOrientations supportedOrientations() const;

    // The app keeps no local store (every list lives on the service; the one saved
    // value, the dealer's ID, goes to Settings when it is entered), so there is
    // nothing to save when the application goes to the background.
    void saveContext();

private:
    void applicationStateChanged(Qt::ApplicationState state);
};

} // namespace tvs
