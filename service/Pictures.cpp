#include "Pictures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tvs {

namespace {

// Text needs the font database, which exists only under a QGuiApplication; in a plain
// QCoreApplication the pictures are drawn without their texts.
bool canDrawText()
{
    return QCoreApplication::instance() && QCoreApplication::instance()->inherits("QGuiApplication");
}

QByteArray jpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    if (!writer.write(image)) {
        bytes.clear();
        buffer.seek(0);
        image.save(&buffer, "PNG");
    }
    return bytes;
}

void drawWheel(QPainter &p, QPointF centre, qreal r)
{
    p.setBrush(QColor(0x22, 0x22, 0x22));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, r, r);
    p.setBrush(QColor(0xb8, 0xbc, 0xc2));
    p.drawEllipse(centre, r * 0.55, r * 0.55);
    p.setBrush(QColor(0x60, 0x64, 0x6a));
    p.drawEllipse(centre, r * 0.15, r * 0.15);
}

void drawPlate(QPainter &p, QRectF rect, const QString &plate)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(rect, 4, 4);
    if (!canDrawText())
        return;
    QFont font(QStringLiteral("Noto Sans CJK KR"));
    font.setPixelSize(int(rect.height() * 0.62));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x10, 0x10, 0x10));
    p.drawText(rect, Qt::AlignCenter, plate);
}

} // namespace

QByteArray drawCarPhoto(const CarPicture &car)
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor(0xe9, 0xf1, 0xf8));
    sky.setColorAt(0.62, QColor(0xd5, 0xdd, 0xe6));
    sky.setColorAt(0.63, QColor(0x9a, 0x9f, 0xa6));
    sky.setColorAt(1, QColor(0x70, 0x74, 0x7a));
    p.fillRect(image.rect(), sky);

    const QColor body = car.colour.isValid() ? car.colour : QColor(0x88, 0x8c, 0x92);
    const QColor outline = body.lightness() > 128 ? body.darker(170) : QColor(0x6a, 0x6e, 0x74);
    const int angle = (car.index - 1) % 3;
    p.setPen(QPen(outline, 3));
    p.setBrush(body);
    if (car.truck && angle != 2) {
        // A lorry from the side: cab in the car's colour, a grey load box behind it.
        p.setBrush(QColor(0xd9, 0xdc, 0xe0));
        p.drawRect(QRectF(250, 120, 340, 200));
        QPainterPath cab;
        cab.moveTo(60, 320);
        cab.lineTo(60, 200);
        cab.quadTo(64, 150, 120, 140);
        cab.lineTo(240, 140);
        cab.lineTo(240, 320);
        cab.closeSubpath();
        p.setBrush(body);
        p.drawPath(cab);
        p.setBrush(QColor(0x9e, 0xc3, 0xe0));
        p.setPen(QPen(outline, 2));
        p.drawPolygon(QPolygonF({QPointF(90, 205), QPointF(105, 160), QPointF(225, 160), QPointF(225, 205)}));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x33, 0x33, 0x33));
        p.drawRect(QRectF(60, 318, 530, 16));
        drawWheel(p, {150, 340}, 40);
        drawWheel(p, {430, 340}, 40);
        drawWheel(p, {520, 340}, 40);
        drawPlate(p, QRectF(250, 400, 140, 36), car.plate);
    } else if (angle == 0) {
        // Side view.
        QPainterPath shape;
        shape.moveTo(60, 330);
        shape.lineTo(60, 270);
        shape.quadTo(70, 245, 130, 238);
        shape.lineTo(200, 232);
        shape.quadTo(250, 170, 330, 165);
        shape.lineTo(420, 165);
        shape.quadTo(470, 170, 510, 232);
        shape.quadTo(580, 240, 585, 280);
        shape.lineTo(585, 330);
        shape.closeSubpath();
        p.drawPath(shape);
        p.setBrush(QColor(0x9e, 0xc3, 0xe0));
        p.setPen(QPen(outline, 2));
        QPolygonF front({QPointF(222, 232), QPointF(262, 185), QPointF(335, 180), QPointF(335, 232)});
        QPolygonF rear({QPointF(350, 232), QPointF(350, 180), QPointF(418, 180), QPointF(488, 232)});
        p.drawPolygon(front);
        p.drawPolygon(rear);
        drawWheel(p, {170, 330}, 46);
        drawWheel(p, {480, 330}, 46);
        drawPlate(p, QRectF(250, 392, 140, 36), car.plate);
    } else {
        // Front (1) or rear (2) view.
        QPainterPath shape;
        shape.addRoundedRect(QRectF(130, 200, 380, 150), 40, 40);
        p.drawPath(shape);
        QPainterPath roof;
        roof.moveTo(190, 205);
        roof.quadTo(220, 125, 320, 120);
        roof.quadTo(420, 125, 450, 205);
        roof.closeSubpath();
        p.drawPath(roof);
        p.setBrush(QColor(0x9e, 0xc3, 0xe0));
        p.setPen(QPen(outline, 2));
        QPainterPath glass;
        glass.moveTo(210, 200);
        glass.quadTo(235, 140, 320, 136);
        glass.quadTo(405, 140, 430, 200);
        glass.closeSubpath();
        p.drawPath(glass);
        const QColor lamp = angle == 1 ? QColor(0xff, 0xf4, 0xc8) : QColor(0xd8, 0x2a, 0x2a);
        p.setBrush(lamp);
        p.drawRoundedRect(QRectF(150, 235, 80, 28), 10, 10);
        p.drawRoundedRect(QRectF(410, 235, 80, 28), 10, 10);
        p.setBrush(QColor(0x22, 0x22, 0x22));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(150, 345, 60, 40), 8, 8);
        p.drawRoundedRect(QRectF(430, 345, 60, 40), 8, 8);
        drawPlate(p, QRectF(250, 300, 140, 36), car.plate);
    }
    if (canDrawText()) {
        QFont font(QStringLiteral("Noto Sans CJK KR"));
        font.setPixelSize(22);
        p.setFont(font);
        p.setPen(QColor(0x33, 0x3a, 0x44));
        p.drawText(QRectF(20, 16, 600, 30), Qt::AlignLeft | Qt::AlignVCenter, car.name);
        if (car.numbered) {
            font.setPixelSize(16);
            p.setFont(font);
            p.drawText(QRectF(20, 440, 600, 24), Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("사진 %1").arg(car.index));
        }
    }
    p.end();
    return jpeg(image);
}

QByteArray drawPortrait(const QString &name, const QString &seed)
{
    const QByteArray hash = QCryptographicHash::hash(seed.toUtf8(), QCryptographicHash::Md5);
    const QColor background = QColor::fromHsv(quint8(hash[0]) * 360 / 256, 60, 235);
    const QColor shirt = QColor::fromHsv(quint8(hash[1]) * 360 / 256, 150, 170);
    const QColor skin = QColor(0xf1, 0xc2, 0x9e).darker(100 + quint8(hash[2]) % 25);
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(shirt);
    p.drawEllipse(QRectF(38, 170, 180, 160));
    p.setBrush(skin);
    p.drawEllipse(QRectF(83, 60, 90, 105));
    p.setBrush(QColor(0x2b, 0x22, 0x1c));
    QPainterPath hair;
    hair.moveTo(80, 105);
    hair.quadTo(85, 48, 128, 50);
    hair.quadTo(172, 48, 176, 105);
    hair.quadTo(150, 72, 80, 105);
    p.drawPath(hair);
    if (canDrawText() && !name.isEmpty()) {
        QFont font(QStringLiteral("Noto Sans CJK KR"));
        font.setPixelSize(30);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(38, 200, 180, 40), Qt::AlignCenter, name);
    }
    p.end();
    return jpeg(image);
}

} // namespace tvs
