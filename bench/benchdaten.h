#pragma once
// What the benchmarks share: a synthetic register made once into the build's bench-daten folder and
// kept for later runs, and the peak memory of the run.

#include "genealogy/beispiel.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

namespace velmora::bench {

// The data directory `name` below bench-daten, holding the register of p (made when missing).
inline QString beispielRegister(const QString& name, const genealogy::BeispielParameter& p) {
    const QString dir = QStringLiteral(VELMORA_BENCH_DATEN) + QLatin1Char('/') + name;
    if (!QFileInfo::exists(dir + QStringLiteral("/catstamm.db"))) {
        QDir(dir).removeRecursively();
        QDir().mkpath(QStringLiteral(VELMORA_BENCH_DATEN));
        genealogy::legeBeispielAn(dir, store::standardDatenquelle(), p);
    }
    return dir;
}

// Peak resident memory of the whole run so far (0 where not known).
inline double maxRssMb() {
#if defined(__unix__) || defined(__APPLE__)
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
}

} // namespace velmora::bench
