// The reply walk over any bytes, in every shape the screens give it. The first byte
// picks the shape; the rest is the reply body. Besides not crashing, the one-pass
// unescape (plain and streamed) must give exactly the five-step text.
#include "ReplyWalk.h"
#include "XmlEntities.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

tvs::ReplyShape shapeFor(uint8_t selector)
{
    tvs::ReplyShape shape;
    shape.cleaning = (selector & 1) ? tvs::Cleaning::Trimming : tvs::Cleaning::Stripping;
    switch ((selector >> 1) % 3) {
    case 0: // a list screen: chosen fields of each row, and "rtn" when nothing is found
        shape.rowFields = {QStringLiteral("sCarProductCode"), QStringLiteral("sCarName1"),
                           QStringLiteral("sCarStatus"), QStringLiteral("sCarPhotoPath")};
        shape.namedElements = {QStringLiteral("rtn")};
        break;
    case 1: // every field of each row
        break;
    default: // single named elements and no rows (the sign-in, the counts)
        shape.rowElement = QStringLiteral("NoSuchRow");
        shape.namedElements = {QStringLiteral("rtn"), QStringLiteral("sUserCode"),
                               QStringLiteral("sSellWait"), QStringLiteral("sMessage")};
        break;
    }
    return shape;
}

void checkUnescape(const QByteArray &body, uint8_t selector)
{
    if (!tvs::isValidUtf8(body))
        return;
    const QByteArray fiveSteps = tvs::unescapeXmlEntities(QString::fromUtf8(body))->toUtf8();
    if (tvs::unescapeXmlEntitiesUtf8(body) != fiveSteps)
        std::abort();
    tvs::EntityUnescapeStream stream(body);
    const qsizetype chunk = 1 + selector % 61;
    QByteArray streamed;
    char buffer[64];
    while (const qsizetype n = stream.read(buffer, chunk))
        streamed.append(buffer, n);
    if (streamed != fiveSteps || !stream.atEnd())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    const QByteArray body(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const tvs::WalkResult walk = tvs::walkReply(body, shapeFor(selector));
    if (walk.complete && !walk.error.isEmpty())
        std::abort();
    checkUnescape(body, selector);
    return 0;
}
