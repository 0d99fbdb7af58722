#pragma once
// What the statistics read of the register, kept in memory: every cat's name, parents, sex, colour,
// dates and features, and the feature list. A cat is read on first use, or the whole register in one
// pass (the register statistics touch most of it). What was read is forgotten as soon as one of the
// tables changes. It also serves the inbreeding calculation as its source of cats.

#include "genealogy/inzuchtberechnung.h"
#include "store/database.h"
#include "store/table.h"

#include <QDate>
#include <QHash>
#include <memory>
#include <optional>

namespace velmora::genealogy {

struct AbbildKatze {
    qint32 nr = 0;
    qint32 vater = 0, mutter = 0;
    QString name, fellfarbe, geschlecht;
    QDate geburt, tod;
    QVector<qint32> merkmale; // in the order of index "Katze"
};

struct AbbildMerkmal {
    QString bezeichnung;
    qint32 farbe = 0;
};

class Registerabbild : public KatzenQuelle {
public:
    explicit Registerabbild(store::Database& db);
    ~Registerabbild() override;
    Registerabbild(const Registerabbild&) = delete;
    Registerabbild& operator=(const Registerabbild&) = delete;

    // nullptr when nr is 0 or names no record.
    const AbbildKatze* katze(qint32 nr);
    // Reads every cat and feature row at once; later look-ups cost no table access.
    void allesLaden();
    void vergessen();

    const QHash<qint32, AbbildMerkmal>& merkmalListe();
    QString merkmalName(qint32 merkmal);
    // The feature's number by name (exact, else without regard to case); 0 when there is none.
    qint32 merkmalNummer(const QString& name);

    // The colour that marks the cat in lists and ancestor tables: its top-cat colour and the colour of its
    // first feature, the feature's winning when merkmalVorTop, the top cat's otherwise; none without either.
    std::optional<qint32> markierungsFarbe(qint32 nr, bool merkmalVorTop);

    // KatzenQuelle
    bool lesen(qint32 nr, KatzenDaten& daten) override;
    std::optional<qint32> merkmalFarbe(qint32 merkmal) override;
    QVector<TopKatzeZeile> topKatzen() override;

private:
    bool einzeln(qint32 nr, AbbildKatze& k);
    void tabellenOeffnen();

    store::Database& m_db;
    std::unique_ptr<store::Table> m_katzen;
    std::unique_ptr<store::Table> m_katzeMerkmal;
    QHash<qint32, std::optional<AbbildKatze>> m_katzenCache;
    std::optional<QHash<qint32, AbbildMerkmal>> m_merkmale;
    std::optional<QVector<TopKatzeZeile>> m_top;
    bool m_alles = false;
    int m_listener = -1;
};

} // namespace velmora::genealogy
