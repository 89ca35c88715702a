#include "JobLineStore.h"

namespace tvs {

std::optional<QList<JobLine>> JobLineStore::lines(const JobOrderKey &key) const
{
    const auto it = m_lines.constFind(key);
    if (it == m_lines.constEnd())
        return std::nullopt;
    return *it;
}

void JobLineStore::keep(const JobOrderKey &key, const QList<JobLine> &lines)
{
    m_lines.insert(key, lines);
}

} // namespace tvs
