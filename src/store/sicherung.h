#pragma once
// Backup and restore of a whole data directory by file copies, without widgets.
//
// A backup directory is a plain copy of the data directory. Table files are copied as consistent
// snapshots through SQLite's online backup while the program keeps them open, and each copy is checked
// (integrity check, row counts equal to the snapshot) before the backup counts as done.
//
// A restore never leaves the data directory without a complete register: the backup is checked before
// anything is touched, the current files go into the safety directory first (any failure there stops the
// restore before a deletion), and a failure while copying the backup in puts the current files back. A
// marker in the data directory, written before the first deletion and removed after the last copy, lets
// the next start find a restore that was cut off and put the safety copy back before a table opens.
//
// The callbacks run on the thread that runs the routine (windows run it on a worker thread).

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace velmora::store {

// The entries a backup handles: a name with a "." in it, except the program's lock file and the
// engine's journal files (a journal copied beside a snapshot would be played back into it).
bool sicherungsEintrag(const QString& name);
// The entries a restore handles: the same without "*.zip" (letter case ignored), journals included (a
// journal left beside a table file must not be played into the restored one).
bool ruecksicherungsEintrag(const QString& name);
// The entries of a directory by the rule, in the order the file system lists them.
QStringList eintraege(const QString& verzeichnis, bool ruecksicherung);

// The installation's safety directory.
QString sicherheitsVerzeichnis(const QString& installationsVerzeichnis);

// Empty when the file is a sound table file (SQLite's full integrity check), else what was found.
QString tabellenDateiPruefen(const QString& pfad);
// True when the file starts with SQLite's header.
bool istTabellenDatei(const QString& pfad);

struct Fortschritt {
    enum class Aktion { Kopiere, Loesche };
    Aktion aktion = Aktion::Kopiere;
    int nummer = 0; // 1-based running number of the entry looked at
    int gesamt = 0;
    QString datei;
};

struct DateiFehler {
    enum class Art { Kopieren, Loeschen, Pruefung };
    Art art = Art::Kopieren;
    QString datei; // the entry's name
    QString text;  // what went wrong, for logs and the tool
};

struct Steuerung {
    std::function<void(const Fortschritt&)> fortschritt;
    std::function<void(const DateiFehler&)> fehler; // every failure as it happens
    const std::atomic<bool>* abbruch = nullptr;     // checked before each entry
    bool abgebrochen() const { return abbruch && abbruch->load(); }
};

// ---- backup

struct SicherungsErgebnis {
    int dateien = 0;  // entries copied (table files included)
    int tabellen = 0; // table files copied as snapshots and checked
    bool abgebrochen = false;
    QList<DateiFehler> fehler;
    bool ok() const { return fehler.isEmpty() && !abgebrochen; }
};

// Copies every entry of `quelle` into the existing directory `ziel`, never over an existing file. A
// failed copy or check is reported and the run goes on with the next entry. A snapshot that fails its
// check is not left in the target under the table's name.
SicherungsErgebnis datenSichern(const QString& quelle, const QString& ziel, const Steuerung& s = {});

// ---- restore

struct SicherungsBefund {
    enum class Art { Ok, KeinSicherungsverzeichnis, Beschaedigt };
    Art art = Art::Ok;
    QString datei; // the failing table file
    QString text;
};
// The backup's checks before a restore: the cat table present and every table file sound.
SicherungsBefund sicherungPruefen(const QString& sicherung);
// True when both hold the cat table and the backup's was last modified before the current one.
bool sicherungAelter(const QString& sicherung, const QString& daten);

struct RuecksicherungsErgebnis {
    enum class Art {
        Ok,
        Ungeprueft,       // the backup failed its checks: nothing touched (befund says why)
        SicherungFehlt,   // the safety copy failed: nothing deleted in the data directory
        Zurueckgeholt,    // copying in failed or was cancelled: the current files are back
        Unvollstaendig,   // copying in failed and so did putting the current files back (marker kept)
        Abgebrochen,      // cancelled before the first deletion: nothing touched
    };
    Art art = Art::Ok;
    SicherungsBefund befund;
    QList<DateiFehler> fehler;
    int dateien = 0; // entries copied in
};

// Replaces the data directory's entries by the backup's, keeping the current ones in `sicherheit`
// first. Every table of the data directory must be closed. Cancelling after the first deletion puts the
// current files back. An exception from a callback leaves things as they stand, like a killed process:
// the marker then tells the next start.
RuecksicherungsErgebnis datenZuruecksichern(const QString& sicherung, const QString& daten,
                                            const QString& sicherheit, const Steuerung& s = {});

// The marker of a restore under way (a name without "." so no backup or restore handles it).
QString ruecksicherungsMarke(const QString& daten);

struct Wiederherstellung {
    enum class Art { Keine, Zurueckgeholt, Fehlgeschlagen };
    Art art = Art::Keine;
    QString sicherheit; // the safety directory the files came from
    QList<DateiFehler> fehler;
};
// Run at start-up before any table opens: when a restore was cut off, the data directory's entries are
// replaced by the safety copy and the marker removed. On failure the marker stays and nothing may open.
Wiederherstellung unterbrocheneRuecksicherungBeheben(const QString& daten);

} // namespace velmora::store
