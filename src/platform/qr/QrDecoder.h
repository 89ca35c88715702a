#pragma once

#include "QrSource.h"

#include <QImage>
#include <QString>

#include <optional>

namespace tvs {

// Reads the first QR code in `image` with ZXing. Empty when there is none (or the
// image is null). Thread-safe; callers run it on a worker thread.
std::optional<QrDetection> decodeQrImage(const QImage &image);

// Makes the picture of a QR code for `text` (UTF-8, byte mode): black modules on
// white with a quiet zone, `moduleSize` pixels per module. Null on failure (text
// too long for a QR code).
QImage encodeQrImage(const QString &text, int moduleSize = 8);

} // namespace tvs
