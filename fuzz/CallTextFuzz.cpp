// The stand-in service's reader of procedure call texts over any text. What it reads,
// written again the way the client writes call texts, must read back the same (less the
// characters XML cannot carry, which the client leaves out of values).
#include "CallText.h"
#include "CallTextReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const tvs::CallText call = tvs::readCallText(text);
    if (call.ok == !call.error.isEmpty())
        std::abort();
    if (!call.ok)
        return 0;
    QStringList written;
    for (const QString &arg : call.args)
        written << tvs::xmlCharactersOnly(arg);
    const tvs::CallText again = tvs::readCallText(tvs::callText(call.procedure, call.args));
    if (!again.ok || again.procedure != call.procedure || again.args != written)
        std::abort();
    return 0;
}
