#pragma once
// A small INI reader/writer that keeps the file as the user left it: comments, unknown keys and blank
// lines survive when a single key is written. Section and key names compare without regard to case;
// the file is code page 1252 with CRLF line ends. A file a user has saved as UTF-8 (with or without a
// byte-order mark) is read as such and written back in UTF-8, so its other lines do not turn into "?".

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace velmora::settings {

struct IniEintrag {
    QString sektion;
    QString schluessel;
    QString wert;
};

class IniDatei {
public:
    IniDatei() = default;
    explicit IniDatei(QString pfad) : m_pfad(std::move(pfad)) {}

    // Reads the file; a missing file reads as empty. False when it exists but cannot be read.
    bool lesen();
    // Parses text already in memory (for tests and for files read elsewhere).
    void setzeText(const QString& text);
    // The bytes of a file, decoded as lesen() decodes them.
    void setzeDaten(QByteArray bytes);

    bool enthaelt(const QString& sektion, const QString& schluessel) const;
    QString leseText(const QString& sektion, const QString& schluessel, const QString& vorgabe = {}) const;
    // Non-numbers give the default, as the classic profile functions do; "0x1F" and "$1F" are hex.
    int leseZahl(const QString& sektion, const QString& schluessel, int vorgabe) const;
    bool leseBool(const QString& sektion, const QString& schluessel, bool vorgabe) const;
    double leseReal(const QString& sektion, const QString& schluessel, double vorgabe,
                    const QLocale& locale) const;
    QDate leseDatum(const QString& sektion, const QString& schluessel, const QLocale& locale) const;

    // Changes the text in memory only.
    void setzeWert(const QString& sektion, const QString& schluessel, const QString& wert);
    // Writes the whole text to disk beside-and-rename; false when it could not be written.
    bool speichern() const;
    QByteArray inhalt() const; // the bytes as they go to disk

    // Re-reads the file, changes the entries and writes it back at once, keeping every other line.
    static bool schreibe(const QString& pfad, const QList<IniEintrag>& eintraege);

    const QString& pfad() const { return m_pfad; }
    bool istUtf8() const { return m_utf8; }

private:
    int findeSektion(const QString& sektion) const;
    int findeSchluessel(const QString& sektion, const QString& schluessel, QString* wert = nullptr) const;

    QString m_pfad;
    QStringList m_zeilen;
    bool m_utf8 = false;
    bool m_bom = false;
};

// Value encodings of the settings file.
QString boolText(bool b);
QString realText(double v, const QLocale& locale);
QString datumText(const QDate& d, const QLocale& locale);
// Numbers in the locale's format, then with a dot, then with a comma; ok false when none fits.
double parseReal(const QString& text, const QLocale& locale, bool* ok);
// Locale's short format, then ISO and dd.MM.yyyy; a two-digit year falls into the hundred years from 50
// years back. "0" or empty is no date.
QDate parseDatum(const QString& text, const QLocale& locale, const QDate& heute = QDate::currentDate());
// The integer a profile entry holds: decimal, or hex after "0x" or "$"; ok false otherwise.
int parseZahl(const QString& text, bool* ok);

} // namespace velmora::settings
