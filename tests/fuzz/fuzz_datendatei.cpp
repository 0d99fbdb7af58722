// The tab-separated data files that fill a data directory (anlegen --quelle, the delivered lists) on any
// bytes, as the cat table's file: every row is stored or the load stops with an error naming the line,
// and either way the table is left closed.

#include "store/anlegen.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velmora;

namespace {
QTemporaryDir* quelle;
QTemporaryDir* ziel;
store::Database* db;
} // namespace

// The table is created once, outside the time limit of a single input: creating its file with every
// index is slower than reading the input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    quelle = new QTemporaryDir;
    ziel = new QTemporaryDir;
    db = new store::Database(ziel->path());
    db->createTable(*store::catalogueTable(QStringLiteral("catstamm")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile f(QDir(quelle->path()).filePath(QStringLiteral("catstamm.tsv")));
        if (!f.open(QIODevice::WriteOnly)) __builtin_trap();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    try {
        store::ladeDatendateien(*db, quelle->path());
    } catch (const store::DatabaseError&) {
    }
    // Whatever was stored goes again; the table must be free for that, whether the load failed or not.
    store::Table t(*db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::Exclusive);
    store::Transaction tx(*db, QStringLiteral("catstamm"));
    for (t.first(); !t.eof();)
        t.remove();
    tx.commit();
    return 0;
}
