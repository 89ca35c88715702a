#pragma once

#include "Record.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <tuple>

namespace tvs {

// One repair job line of a job order being written: the work to be done and
// the repair shop chosen for it (the shop's row; empty while none is chosen).
struct JobLine
{
    QString content;
    Record shop;

    friend bool operator==(const JobLine &a, const JobLine &b) = default;
};

// Which job order the lines belong to: the dealer, the car and the order's
// number (empty for a new order of that car).
struct JobOrderKey
{
    QString userCode;
    QString productCode;
    QString jobListCode;

    friend bool operator<(const JobOrderKey &a, const JobOrderKey &b)
    {
        return std::tie(a.userCode, a.productCode, a.jobListCode) <
               std::tie(b.userCode, b.productCode, b.jobListCode);
    }
};

// The job lines the dealer wrote during this session, by job order. The service
// has no procedure that saves a job order, so the lines live here, in memory,
// until the dealer signs out: leaving the job entry and coming back to the same
// order finds them again.
class JobLineStore
{
public:
    // The lines kept for `key`; nothing when none were kept yet.
    std::optional<QList<JobLine>> lines(const JobOrderKey &key) const;
    void keep(const JobOrderKey &key, const QList<JobLine> &lines);
    // Forgets every order's lines (at sign-out).
    void clear() { m_lines.clear(); }

private:
    QMap<JobOrderKey, QList<JobLine>> m_lines;
};

} // namespace tvs
