#pragma once

// What every benchmark measures with: the median of its rounds and the
// process's resident memory.

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <vector>

#include <unistd.h>

inline double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

inline double MiBResidenti()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campi = f.readAll().split(' ');
    return campi.size() > 1
               ? double(campi[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
               : 0;
}
