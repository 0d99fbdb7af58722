#pragma once
// A hand-built register in a fresh data directory, written through the table engine.

#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QString>
#include <QVector>

namespace velmora::test {

struct RegisterKatze {
    qint32 nr = 0;
    QString name;
    qint32 vater = 0;
    qint32 mutter = 0;
    QVector<qint32> merkmale;
};

inline void schreibeKatzen(const QString& dir, const QVector<RegisterKatze>& katzen) {
    store::Database db(dir);
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    store::Table m(db, QStringLiteral("katzemerkmal"));
    m.open();
    for (const RegisterKatze& k : katzen) {
        t.append();
        t.setValue(QStringLiteral("LaufendeNummer"), k.nr);
        t.setValue(QStringLiteral("Geschlecht"), k.nr % 2 ? QStringLiteral("1") : QStringLiteral("2"));
        t.setValue(QStringLiteral("Name"), k.name);
        if (k.vater) t.setValue(QStringLiteral("Vater"), k.vater);
        if (k.mutter) t.setValue(QStringLiteral("Mutter"), k.mutter);
        t.post();
        for (qint32 mk : k.merkmale) {
            m.append();
            m.setValue(QStringLiteral("Katze"), k.nr);
            m.setValue(QStringLiteral("Merkmal"), mk);
            m.post();
        }
    }
}

} // namespace velmora::test
