#pragma once
// What the cat prints read from the register: a cat with its titles, breed, parents and addresses, the
// rows of its detail tables, its print picture, the user's own data, and the captions in the language
// the print is made in. Read-only; one instance serves one print.

#include "printing/blatt.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/table.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

namespace velmora::language {
class TSprache;
}
namespace velmora::common {
class TDatenGlobal;
}

namespace velmora::printing {

struct DruckKatze {
    int nummer = 0;
    QString name, geschlecht, fellFarbe, augenfarbe, rasseName, zb1, zb2, zb3, chip, taeto, tests, gencode,
        blutgruppe, gewicht, groesse, zwinger;
    QString titelGer1, titelGer2, titelUsa1, titelUsa2;
    QDate gebDatum, zzlDatum, todDatum;
    int status = 0, vater = 0, mutter = 0, zuechter = 0, besitzer = 0, rasse = 0, feld2 = 0;
    QString titel; // title abbreviations joined by "/"
};

struct EigeneDaten {
    QString name, vorname, zwinger, strasse, plz, ort, telefon, telefax, land;
    QString verein, mitgliedsnummer;
    bool vorhanden = false;
};

class Druckquelle {
public:
    // sprache: 0 German, 1 English, 2 Dutch, for the captions and the words the prints choose.
    Druckquelle(store::Database& db, const settings::tsysteminfo& einstellungen, int sprache,
                common::TDatenGlobal* datenGlobal = nullptr);
    ~Druckquelle();

    store::Database& db() { return m_db; }
    const settings::tsysteminfo& einstellungen() const { return m_einstellungen; }
    int sprache() const { return m_sprache; }
    bool englisch() const { return m_sprache != 0; } // short texts chosen in code: English for 1 and 2

    // Caption n in the print's language; the German text when the table lacks it.
    QString text(int nummer, const char* deutsch);
    // Message n in the print's language.
    QString meldung(int nummer, const char* deutsch);

    // False when the record does not exist (the fields stay empty).
    bool katze(int nummer, DruckKatze& k);
    // Titles + " " + Name when the cat has a sex and titles, else the name.
    static QString nameMitTiteln(const DruckKatze& k);
    // "männlich", "weiblich", ... in German; "male", "female", ... otherwise; empty for other codes.
    QString geschlechtWort(const QString& code) const;
    QString datum(const QDate& d) const;

    // The address block lines (as the register shows them) of an address; empty when not found.
    QStringList adresse(int nummer);
    // The owner block lines: the user's own address for an own cat (status 1), else the owner's.
    QStringList besitzerBlock(const DruckKatze& k);
    QStringList zuechterBlock(const DruckKatze& k) { return adresse(k.zuechter); }
    // A single address's fields; empty map when not found.
    QVariantMap adressFelder(int nummer);
    const EigeneDaten& eigene();
    Briefkopf briefkopf();
    Blattvorgaben vorgaben(Seitenausrichtung a = Seitenausrichtung::Hochformat);
    Textbreite messen;  // real font metrics where a GUI is at hand
    QDate heute = QDate::currentDate();

    // Rows of a table whose index starts with the cat field, in index order, fields as read.
    QList<QVariantMap> zeilen(const QString& tabelle, const QString& index, const QVariantList& von,
                              const QVariantList& bis);
    // Feature names / abbreviations of the cat's feature rows, in table order.
    QStringList merkmale(int katze, bool kuerzel);
    QString bewertung(int katze);
    // Age from birth to the day, as the kitten weighings show it (weeks and days).
    QString alterText(const QDate& von, const QDate& bis);
    // The print picture: the chosen one (Feld2) when its file exists, else the first that exists.
    QString druckbild(const DruckKatze& k);

private:
    store::Database& m_db;
    const settings::tsysteminfo& m_einstellungen;
    int m_sprache;
    std::unique_ptr<language::TSprache> m_eigeneSprache;
    language::TSprache* m_texte = nullptr;
    std::unique_ptr<common::TDatenGlobal> m_eigenesDg;
    common::TDatenGlobal* m_dg = nullptr;
    std::unique_ptr<store::Table> m_katzen, m_rassen, m_adressen;
    std::optional<EigeneDaten> m_eigene;
};

} // namespace velmora::printing
