#pragma once
// Damaged table files and filled cat tables for the store's tests.

#include "store/catalogue.h"
#include "store/table.h"

#include <sqlite3.h>

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace velmora::store {

// Writes 2000 random bytes over the first page of a table's or index's tree ("catstamm", "ix_Nameidx"),
// or, with `blatt`, over the last leaf below a table's root.
inline void seiteBeschaedigen(const QString& datei, const QString& objekt, bool blatt = false) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT rootpage FROM sqlite_master WHERE name = ?", -1, &st, nullptr);
    const QByteArray o = objekt.toUtf8();
    sqlite3_bind_text(st, 1, o.constData(), -1, SQLITE_TRANSIENT);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW) << objekt.toStdString();
    qint64 seite = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_prepare_v2(h, "PRAGMA page_size", -1, &st, nullptr);
    sqlite3_step(st);
    const qint64 groesse = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close_v2(h);
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    if (blatt) {
        f.seek((seite - 1) * groesse);
        const QByteArray kopf = f.read(12);
        ASSERT_EQ(quint8(kopf[0]), 0x05) << "the table's root must be an interior page";
        // the right-most child of the root: the leaf with the highest numbers
        seite = (qint64(quint8(kopf[8])) << 24) | (quint8(kopf[9]) << 16) | (quint8(kopf[10]) << 8) |
                quint8(kopf[11]);
    }
    QByteArray muell(2000, 0);
    for (char& c : muell)
        c = char(QRandomGenerator::global()->bounded(256));
    f.seek((seite - 1) * groesse);
    f.write(muell);
}

// A cat table with `anzahl` cats, each name different, in one transaction.
inline void katzenAnlegen(Database& db, int anzahl) {
    db.createTable(*catalogueTable(QStringLiteral("catstamm")));
    Table t(db, QStringLiteral("catstamm"));
    t.open();
    Transaction tx(db, QStringLiteral("catstamm"));
    for (int i = 0; i < anzahl; ++i) {
        t.append();
        t.setValue(QStringLiteral("Name"), QStringLiteral("Katze %1 mit einem etwas längeren Namen")
                                               .arg((i * 7919) % anzahl, 5, 10, QLatin1Char('0')));
        t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
        t.post();
    }
    tx.commit();
}

} // namespace velmora::store
