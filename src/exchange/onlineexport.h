#pragma once
// The register as semicolon text files: the CSV export of the cat file and the files of the online
// upload (cats, addresses, breeds, colours, features, the cats' features, the breeding book, the picture
// list), and the columns the online database window computes per cat. Widget-free.

#include "exchange/textdatei.h"
#include "store/database.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace velmora::store {
class Table;
}

namespace velmora::exchange {

// The window's "Export mit" choices, the language of the sex letters and the file's text form.
struct ExportOptionen {
    bool bilder = true;
    bool merkmale = true;
    bool bemerkungen = true;
    bool zuechterBesitzer = true;
    bool zuchtbuch = true;
    Kodierung kodierung = Kodierung::Westlich;
    int sprache = 0; // 0 German, 1 English, 2 Dutch
    QLocale locale = QLocale::system();
};

// The grid's order when the user has not clicked a title.
inline constexpr char kGridIndex[] = "Nameidx";

enum class Layout { Csv, Upload };

struct DateiErgebnis {
    bool ok = false; // false: the file could not be created or written (message 168)
    int zeilen = 0;
    Zeichenverluste verluste;
};

// A picture already sent: file name without folder, size and modification time (to the second).
struct GesendetesBild {
    QString name;
    qint64 groesse = 0;
    qint64 zeit = 0; // seconds since the epoch, UTC
    bool operator==(const GesendetesBild&) const = default;
};
size_t qHash(const GesendetesBild& b, size_t seed = 0);

// Pictures over this size are never sent.
inline constexpr qint64 kGroessteBilddatei = 1000000;

class TOnlineExport {
public:
    // Reads the lookups (breeds, cat names, addresses, the user's own name, titles, features,
    // evaluations, pictures, pictures already sent) once; the files and grid columns use them.
    TOnlineExport(store::Database& db, ExportOptionen optionen);

    const ExportOptionen& optionen() const { return m_opt; }
    void setOptionen(const ExportOptionen& o) { m_opt = o; }

    // --- computed columns of one cat
    QString geschlecht(const QString& code) const;
    QString titel(int katze) const { return m_titel.value(katze); }
    QString rasse(int rcode) const { return m_rassen.value(rcode); }
    QString katzenName(int katze) const { return m_katzenNamen.value(katze); }
    QString adresse(int nummer) const { return m_adressen.value(nummer); }
    QString besitzer(int status, int nummer) const { return status == 1 ? m_eigenerName : adresse(nummer); }
    QString merkmale(int katze) const { return m_merkmale.value(katze).join(QStringLiteral(" / ")); }
    QString bewertung(int katze) const { return m_bewertungen.value(katze); }
    struct Hauptbild {
        QString pfad; // what would be sent; empty when nothing qualifies
        QString name; // the picture name column
    };
    Hauptbild hauptbild(int katze, int feld2, Layout layout) const;

    // --- files (each replaces its target only when completely written)
    using Fortschritt = std::function<void(int erledigt, int gesamt)>;
    // Every cat in the order of the cursor's current index (the grid's order); the cursor is walked from
    // the first record and left on the last. In upload layout with "Bildern" the paths of the pictures
    // to send are collected (bildpfade).
    DateiErgebnis katzenDatei(store::Table& katzen, const QString& pfad, Layout layout, Fortschritt f = {});
    const QStringList& bildpfade() const { return m_bildpfade; }
    DateiErgebnis adressDatei(const QString& pfad);
    DateiErgebnis rassenDatei(const QString& pfad);
    DateiErgebnis farbDatei(const QString& pfad);
    DateiErgebnis merkmalDatei(const QString& pfad);
    DateiErgebnis katzeMerkmalDatei(const QString& pfad);
    // The litter-book lines, and with mitDeckbuch the mating-book lines after them.
    DateiErgebnis zuchtbuchDatei(const QString& pfad, bool mitDeckbuch);
    DateiErgebnis bilderDatei(const QString& pfad);

    // The values of one cat line as written (the cursor stands on the cat).
    QStringList katzenZeile(const store::Table& katze, Layout layout);

private:
    template <typename Zeile>
    DateiErgebnis tabellenDatei(const QString& pfad, const QString& tabelle, const QString& index,
                                const Zeile& zeile, TextDatei* weiter = nullptr);
    bool qualifiziert(const QString& pfad, Layout layout) const;
    // The value of a field by its name, the position looked up once per cursor.
    QVariant wert(const store::Table& t, const char* feld);
    bool bildNameGilt(const QString& pfad, Layout layout) const;

    store::Database& m_db;
    ExportOptionen m_opt;
    QHash<int, QString> m_rassen;
    QHash<int, QString> m_katzenNamen;
    QHash<int, QString> m_adressen;
    QString m_eigenerName;
    QHash<int, QString> m_titel;
    QHash<int, QStringList> m_merkmale;
    QHash<int, QString> m_bewertungen;
    QHash<int, QStringList> m_bilder; // per cat in LaufendeNr order
    QSet<GesendetesBild> m_gesendet;
    QStringList m_bildpfade;
    const store::Table* m_feldTabelle = nullptr;
    QHash<const char*, int> m_feldNummern;
};

// Reads BilderUpload.db (empty when the table does not exist).
QSet<GesendetesBild> gesendeteBilder(store::Database& db);
// The record a file gets there: its name without folder, size and modification time.
GesendetesBild bildEintrag(const QString& pfad);

// --- the online upload's files, named from the account code
struct UploadAuswahl {
    bool tierdaten = false;
    bool adressdaten = false;
    bool rassen = false;
    bool farben = false;
    bool merkmale = false; // "Merkmale-DB"
};
struct UploadSchritt {
    int nummer = 0; // 1 to 9
    QString datei;  // file name without folder
};
// The steps whose condition holds, in order (step 8 appends the mating book to the file of step 7).
QList<UploadSchritt> uploadSchritte(const UploadAuswahl& auswahl, const ExportOptionen& mit,
                                    const QString& kennung);
// The picture folder on the server: "id" + account + "/bilder", empty without an account code.
QString bilderOrdner(const QString& kennung);

// Writes the file of one step into ordner (the window then sends it); katzen is the grid's cursor.
DateiErgebnis uploadDateiSchreiben(TOnlineExport& exp, store::Table& katzen, const UploadSchritt& schritt,
                                   const QString& ordner, TOnlineExport::Fortschritt f = {});

} // namespace velmora::exchange
