#pragma once
// The calculation's reader and ancestor table over the data directory's tables. A cat is read with one
// key lookup on catstamm plus one position on katzemerkmal's "Katze" index. What was read is kept until
// one of the tables changes through this connection: a read from the engine costs tens of microseconds
// (each statement locks and checks its file), and the same ancestors come back run after run.

#include "genealogy/inzuchtberechnung.h"
#include "store/database.h"
#include "store/table.h"

#include <QHash>
#include <memory>

namespace velmora::genealogy {

class TabellenKatzenQuelle : public KatzenQuelle {
public:
    explicit TabellenKatzenQuelle(store::Database& db);
    ~TabellenKatzenQuelle() override;
    TabellenKatzenQuelle(const TabellenKatzenQuelle&) = delete;
    TabellenKatzenQuelle& operator=(const TabellenKatzenQuelle&) = delete;

    bool lesen(qint32 nr, KatzenDaten& daten) override;
    std::optional<qint32> merkmalFarbe(qint32 merkmal) override;
    QVector<TopKatzeZeile> topKatzen() override;
    // Two statements for the whole ancestry instead of two per cat.
    void vorfahrenVorlesen(qint32 vater, qint32 mutter) override;

    // Forgets what was read.
    void cacheLeeren();
    // Forgets it and re-reads the tables' order: another connection or process changed them.
    void aktualisieren();

private:
    bool ausTabelle(qint32 nr, KatzenDaten& daten);

    store::Database& m_db;
    std::unique_ptr<store::Table> m_katzen;
    std::unique_ptr<store::Table> m_merkmale; // katzemerkmal on index "Katze"
    std::unique_ptr<store::Table> m_farben;   // merkmale
    int m_feldVater = -1, m_feldMutter = -1, m_feldName = -1, m_feldKatze = -1, m_feldMerkmal = -1;
    QHash<qint32, std::optional<qint32>> m_farbCache;
    std::optional<QVector<TopKatzeZeile>> m_top;
    QHash<qint32, std::optional<KatzenDaten>> m_katzenCache;
    int m_listener = -1;
};

// Vorfahrenliste: re-created empty with its indexes for every detail run, written in one transaction,
// then left open on "IndexName" for whoever shows it.
class TabellenVorfahrenZiel : public VorfahrenZiel {
public:
    explicit TabellenVorfahrenZiel(store::Database& db);
    ~TabellenVorfahrenZiel() override;

    bool neuAnlegen() override;
    void schreiben(const QVector<VorfahrZeile>& zeilen) override;

    store::Table* tabelle() { return m_tabelle && m_tabelle->isOpen() ? m_tabelle.get() : nullptr; }
    QString letzterFehler;

private:
    store::Database& m_db;
    std::unique_ptr<store::Table> m_tabelle;
};

// The table's definition: the catalogue's when it has one, else the layout this calculation writes.
store::TableDef vorfahrenlisteDefinition();

} // namespace velmora::genealogy
