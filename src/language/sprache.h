#pragma once
// Caption and message lookup over the language tables `sprache` and `sprmel`.
//
// Keys: text number n in language L (0 German, 1 English, 2 Dutch) has the key n + 0/10000/20000.
// Messages: `sprmel` (Nummer, Meldung Text 80). Captions: `sprache` (Nummer, FeldName Text 40 = caption
// with "&" accelerator, FeldHilfe Text 40 = hint; for a window FeldHilfe is its title). Controls with
// entries read them from the records that follow their own record in key order.

#include "store/database.h"
#include "store/table.h"

#include <QHash>
#include <QLocale>
#include <QString>
#include <memory>

namespace velmora::language {

// 0 -> 0, 1 -> 10000, 2 -> 20000; anything else counts as German.
int spracheOffset(int sprache);
// "englisch" -> 10000, "hollaendisch" -> 20000 (case ignored), anything else 0.
int spracheOffset(const QString& sprachname);

// The locale dates are written and read in, in every language and whatever the system's locale: day,
// month and four-digit year with dots (01.03.2024), as the register writes them.
QLocale datumsLocale();

// Removes the first "&" of the text, if any.
void AmpersandEntfernen(QString& text);

class TSprache {
public:
    explicit TSprache(store::Database& db, int sprache = 0);
    ~TSprache();
    TSprache(const TSprache&) = delete;
    TSprache& operator=(const TSprache&) = delete;

    // Opens `sprmel` first, then `sprache`, read-only. A table that fails to open stays closed and the
    // system goes on with the callers' fallbacks. Returns true when both are open.
    bool oeffnen();
    void schliessen();
    bool meldungenOffen() const;
    bool beschriftungenOffen() const;

    void setSprache(int sprache); // 0, 1, 2
    int sprache() const { return m_sprache; }
    int offset() const { return spracheOffset(m_sprache); }

    // Message n: closed table -> text unchanged; found -> its Meldung; missing -> text unchanged.
    void MeldungLaden(int n, QString& text);
    QString meldung(int n, const QString& fallback = {}) {
        QString t = fallback;
        MeldungLaden(n, t);
        return t;
    }

    // Caption n in the current language: closed table -> text unchanged; found -> FeldName;
    // missing -> empty. Leaves the caption cursor on the record found.
    void FeldNameLaden(int n, QString& text);
    QString feldName(int n) {
        QString t;
        FeldNameLaden(n, t);
        return t;
    }
    // Caption n in a named language ("deutsch", "englisch", "hollaendisch"), otherwise as FeldNameLaden.
    void FeldNameSprache(int n, const QString& sprachname, QString& text);

    // --- caption cursor, for window translation
    // Moves the caption cursor to the record with this key (offset already added); false when missing
    // (the cursor stays put) or the table is closed.
    bool beschriftungSuchen(int key);
    // Steps to the next record in key order; at the end of the table it stays on the last record.
    void naechsteBeschriftung();
    QString feldNameAktuell() const;
    QString feldHilfeAktuell() const;

    store::Table& meldungsTabelle() { return *m_sprmel; }
    store::Table& beschriftungsTabelle() { return *m_spracheTab; }

private:
    void cacheLeeren() { m_meldungen.clear(); }

    store::Database& m_db;
    int m_sprache = 0;
    std::unique_ptr<store::Table> m_sprmel;
    std::unique_ptr<store::Table> m_spracheTab;
    struct Eintrag {
        bool gefunden = false;
        QString text;
    };
    QHash<int, Eintrag> m_meldungen; // looked-up message keys, found or not
    int m_listener = -1;
};

// The run's instance (set by the main window after it opened the tables); nullptr before.
TSprache* aktuelleSprache();
void setAktuelleSprache(TSprache* sprache);

// Free-function forms over the run's instance: without one, texts stay as the caller set them.
void MeldungLaden(int n, QString& text);
QString meldung(int n, const QString& fallback = {});
void FeldNameLaden(int n, QString& text);
QString feldName(int n);
void FeldNameSprache(int n, const QString& sprachname, QString& text);

} // namespace velmora::language
