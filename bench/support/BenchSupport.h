#pragma once

// What several benchmarks share: medians and percentiles of samples, a process's resident
// memory, and running the benchmark itself under a virtual display when there is none.
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace tvs::bench {

// The value below which `fraction` of the samples lie (nearest rank); 0 without samples.
inline double percentile(std::vector<double> v, double fraction)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto rank = std::size_t(std::ceil(fraction * double(v.size())));
    return v[std::clamp<std::size_t>(rank, 1, v.size()) - 1];
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// VmRSS of a process, in MB; -1 when it cannot be read.
inline double residentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// The environment of an app started by a benchmark: on the X display, with `home` as its
// home and its folders for settings, caches and data.
inline QProcessEnvironment appEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    return env;
}

// Without an X display, runs this program again under xvfb-run with the same arguments
// and gives its exit code; with one, nothing (the caller goes on).
inline std::optional<int> rerunUnderXvfb(int argc, char *argv[], const char *name)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        return std::nullopt;
    QStringList args{QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24")};
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QProcess xvfb;
    xvfb.setProcessChannelMode(QProcess::ForwardedChannels);
    xvfb.start(QStringLiteral("xvfb-run"), args);
    if (!xvfb.waitForFinished(-1) || xvfb.exitStatus() != QProcess::NormalExit) {
        std::fprintf(stderr, "%s: no display and xvfb-run failed\n", name);
        return 1;
    }
    return xvfb.exitCode();
}

} // namespace tvs::bench
