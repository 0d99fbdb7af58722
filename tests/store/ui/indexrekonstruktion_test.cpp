// The index rebuild window inside the main window: ticked groups rebuilt and the program ended for a
// restart, nothing ticked leaves it running, a table another program holds gives the "not possible" text.

#include "store/ui/indexrekonstruktion.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <sqlite3.h>

#include <QCheckBox>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace velmora;
using store::ui::FormIndexrekonstruktion;

namespace {

bool hatIndex(const QString& datei, const char* name) {
    sqlite3* h = nullptr;
    sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, name, -1, SQLITE_STATIC);
    const bool da = sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    sqlite3_close_v2(h);
    return da;
}

} // namespace

TEST(Indexrekonstruktion, TickedGroupsAreRebuiltAndTheProgramEndsForARestart) {
    struct Fall {
        const char* was;
        QList<int> gruppen;
        bool sperren; // another program holds the cat table
        QList<int> nummern;
        bool ende;
    };
    const QList<Fall> faelle = {
        {"colours", {4}, false, {3711}, true},
        {"nothing ticked", {}, false, {3711}, false},
        {"cat table held elsewhere", {1, 4}, true, {3712}, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        test::Hauptfenster h;
        test::Antworten m;
        const QString farbe = QDir(h.daten.path()).filePath(QStringLiteral("farbe.db"));
        {
            sqlite3* d = nullptr;
            sqlite3_open_v2(QFile::encodeName(farbe).constData(), &d, SQLITE_OPEN_READWRITE, nullptr);
            sqlite3_exec(d, "DROP INDEX ix_FarbnameIndex", nullptr, nullptr, nullptr);
            sqlite3_close_v2(d);
        }
        bool ende = false;
        h.fehler->beendenVerlangt = [&ende] { ende = true; };
        auto* f = dynamic_cast<FormIndexrekonstruktion*>(h.ueberMenue(QStringLiteral("FormIndexrekonstruktion")));
        ASSERT_NE(f, nullptr);
        for (int g : fall.gruppen)
            test::ankreuzen(f->gruppenBox(g));
        sqlite3* fremd = nullptr;
        if (fall.sperren) {
            sqlite3_open_v2(QFile::encodeName(QDir(h.daten.path()).filePath(QStringLiteral("catstamm.db"))).constData(),
                            &fremd, SQLITE_OPEN_READWRITE, nullptr);
            ASSERT_EQ(sqlite3_exec(fremd, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        test::klicken(f->startKnopf());
        test::ereignisse();
        if (fremd) {
            sqlite3_exec(fremd, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(fremd);
        }
        EXPECT_EQ(m.nummern(), fall.nummern);
        EXPECT_EQ(ende, fall.ende);
        EXPECT_FALSE(f->animation()->isVisible());
        EXPECT_TRUE(f->startKnopf()->isEnabled());
        EXPECT_EQ(hatIndex(farbe, "ix_FarbnameIndex"), fall.gruppen.contains(4));
    }
}
