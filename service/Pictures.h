#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

namespace tvs {

// Pictures the service draws itself: a car in its colour, seen from one of a few angles,
// with its plate; and a dealer's portrait. JPEG bytes.
struct CarPicture
{
    QColor colour;
    QString plate;
    QString name;
    int index = 1; // photo number: picks the angle
    bool truck = false;
    bool numbered = true; // the photo number in a corner; off for a picture several photos share
};
QByteArray drawCarPhoto(const CarPicture &car);
QByteArray drawPortrait(const QString &name, const QString &seed);

} // namespace tvs
