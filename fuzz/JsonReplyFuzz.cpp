// The JSON result readers of the car-number lookup and the registration hand-off over
// any bytes. The first byte picks the operation; the rest is the reply body.
#include "JsonServiceClient.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString &operation = (data[0] & 1) ? tvs::kHandOffOperation : tvs::kCarLookupOperation;
    const QByteArray body(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const tvs::JsonServiceReply reply = tvs::readJsonServiceReply(body, operation);
    if (reply.ok() != reply.error.isEmpty())
        std::abort();
    return 0;
}
