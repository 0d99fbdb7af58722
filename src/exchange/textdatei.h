#pragma once
// The semicolon text files of the export and the online upload: one line per record ended by CR LF,
// every field followed by ";", no header and no quoting, so a value must never carry a ";" or a line
// break of its own. Written to a temporary name beside the target and renamed only when complete, so an
// interrupted run leaves the previous file (or none), never half a file that is then sent.

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace velmora::exchange {

// Western code page (1252, what the online database reads) or UTF-8.
enum class Kodierung { Westlich, Utf8 };

// ";" becomes "-", a double quote a blank. Line breaks become blanks too: a value broken over two lines
// would split its record.
QString sauber(const QString& wert);
// sauber, and the character 255 (ÿ) a blank as well.
QString flach(const QString& wert);
// The locale's short date with a four-digit year (two digits would read back a century off); empty for
// no date.
QString datumText(const QDate& datum, const QLocale& locale);
// "1", "0" or empty when not set.
QString logischText(const QVariant& wert);
// Decimal; an empty value gives "0" (the fields marked "number").
QString zahlText(const QVariant& wert);
// Decimal; an empty value stays empty.
QString zahlAlsText(const QVariant& wert);

// Values that the Western code page cannot hold: how many, and the first records they occur in.
struct Zeichenverluste {
    int werte = 0;
    QStringList ersteDatensaetze; // at most kErste, each once
    static constexpr int kErste = 5;
    void merken(const QString& datensatz);
};

class TextDatei {
public:
    explicit TextDatei(Kodierung kodierung) : m_kodierung(kodierung) {}
    ~TextDatei(); // an uncommitted file is discarded, the target stays as it was

    // Opens the temporary file beside pfad; false when it cannot be created.
    bool oeffnen(const QString& pfad);
    // Names the record the following values belong to (for the report of lost characters).
    void datensatz(const QString& bezeichnung) { m_datensatz = bezeichnung; }
    void feld(const QString& wert);
    void zeileEnde();
    // Writes what is pending and renames the file to its target; false when that fails.
    bool abschliessen();

    int zeilen() const { return m_zeilen; }
    const Zeichenverluste& verluste() const { return m_verluste; }

private:
    void schreibePuffer();

    Kodierung m_kodierung;
    std::unique_ptr<QSaveFile> m_datei;
    QByteArray m_puffer;
    QString m_datensatz;
    Zeichenverluste m_verluste;
    int m_zeilen = 0;
    bool m_fehler = false;
};

// The bytes of a text in the Western code page; *verlust is set when a character could not be held.
QByteArray westlich(const QString& text, bool* verlust);

} // namespace velmora::exchange
