#pragma once
// The HTML pedigree page of one cat without widgets: its settings file HTMLTessaro.ini (THTMLINI), the
// header data lines, the ancestor cells of 3 to 12 generations and the page itself, written through the
// HTML writer. The window and the tool command both use it.
//
// Pictures on the page are referenced by file name alone; the ones the page uses are copied into the
// page's folder, so the page and its pictures can be uploaded together.

#include "settings/systeminfo.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

namespace velmora::store {
class Database;
}
namespace velmora::language {
class TSprache;
}
namespace velmora::common {
class TDatenGlobal;
}

namespace velmora::genealogy {

inline constexpr char kHtmlEinstellungsdatei[] = "HTMLTessaro.ini";
inline constexpr int kHtmlKopfFelder = 17;

struct THTMLKopfFeld {
    int spalte = 1;    // 1, 2, 3 = not shown
    int pos = 0;       // vertical place in the layout editor
    int mitBez = 0;    // 0 with label, 1 without
    int weglassen = 1; // 0 leave out when empty, 1 write anyway
};

class THTMLINI {
public:
    THTMLINI(); // the defaults

    QString SchriftNameFont = QStringLiteral("Arial");
    int SchriftNameSize = 20;
    QString SchriftNameColor = QStringLiteral("black");
    QString SchriftKatzeFont = QStringLiteral("Arial");
    int SchriftKatzeSize = 10;
    QString SchriftKatzeColor = QStringLiteral("black");
    QString SchriftStbFont = QStringLiteral("Arial");
    int SchriftStbSize = 10;
    QString SchriftStbColor = QStringLiteral("black");
    std::array<THTMLKopfFeld, kHtmlKopfFelder> spalte_pos;
    int Seitenbreite = 1024;
    bool autoHoehe = true;
    int Seitenhoehe = 600;
    int Position = 0;
    QString Rahmenfarbe = QStringLiteral("black");
    int Hintergrundart = 0;
    QString Hintergrundfarbe = QStringLiteral("white");
    QString HintergrundBild;
    int StbArt = 0;
    QString StbFarbe = QStringLiteral("white");
    QString StbBild;
    QString StbTransparenz = QStringLiteral("0");
    int AnzGenerationen = 4;
    bool Bild = false;
    int BildWeite = 400;
    int BildHoehe = 400;
    int BildPos = 3;
    bool BildGen = false;
    int BildGenWeite = 100;
    int BildGenHoehe = 100;
    QString Sprache = QStringLiteral("deutsch");
    QString HTMLPfad = QStringLiteral("LEER");

    // Fills from the file (defaults for missing keys; a missing file gives the defaults). The page
    // language defaults to English when the program's language is.
    static THTMLINI Load_INI(const QString& pfad, settings::Sprache programmSprache);
    bool Save_INI(const QString& pfad) const;
};

// The path of HTMLTessaro.ini in a settings folder.
QString htmlEinstellungsPfad(const QString& verzeichnis);

// A picture of size `bild` fitted into the box: scaled by width, by height when that is too high.
QSize bildEinpassen(QSize bild, int boxBreite, int boxHoehe);
// Width and height of a JPEG, PNG, GIF or BMP file read from its header; invalid when unknown.
QSize bildGroesse(const QString& pfad);

struct HtmlSeitenErgebnis {
    int fehler = 0; // the writer's code, 0 when written
    int generationen = 0;
    QStringList kopiert; // pictures copied next to the page
};

// Writes the page for cat `katze` of the register in `db` with the settings `ini` to `datei`.
// `einstellungen` are the program settings (language, title colour, pedigree lines).
HtmlSeitenErgebnis htmlStammbaumSchreiben(store::Database& db, const settings::tsysteminfo& einstellungen,
                                          const THTMLINI& ini, qint32 katze, const QString& datei);

// The header lines of column 1 and column 2 of a cat (for the page and the window's previews).
struct HtmlKopf {
    QString name;
    bool titel = false;
    QStringList spalte1, spalte2;
    // Only from the window: the cat's picture, a full path (copied next to the page) or a file name
    // in the page's folder; empty for none.
    QString bild;
};
struct HtmlRegisterWerte;
HtmlKopf htmlKopfBauen(store::Database& db, common::TDatenGlobal& daten, language::TSprache& sprache,
                       const THTMLINI& ini, qint32 katze, bool englischeNamen, const HtmlRegisterWerte& werte);

// The header's values that the register shows rather than stores: the first lines of its owner and
// breeder boxes and the short inbreeding and loss-of-ancestors figures of its pedigree page.
struct HtmlRegisterWerte {
    QString besitzer, zuechter, ik, avk;
};
HtmlRegisterWerte htmlRegisterWerte(store::Database& db, const settings::tsysteminfo& einstellungen,
                                    qint32 katze);

// The page language switches the program's language for the page (German page on an English program
// and the other way round; a Dutch program stays). True when it switches; `sprache` gets the result.
bool htmlSpracheWechselt(settings::Sprache programm, const QString& seitenSprache, settings::Sprache& sprache);
// The header of the page in the page's language, as the page would be written with these settings.
HtmlKopf htmlKopfFuer(store::Database& db, const settings::tsysteminfo& einstellungen, const THTMLINI& ini,
                      qint32 katze);

// The picture the register chose for printing the cat (else its first existing picture); empty without.
QString htmlKatzenBild(store::Database& db, const settings::tsysteminfo& einstellungen, qint32 katze);

// The page as the window writes it: `kopf` replaces the header built from the settings (the window's
// previews, which the user may have edited), `englischeNamen` is the window's language-changed flag.
HtmlSeitenErgebnis htmlStammbaumSchreiben(store::Database& db, const settings::tsysteminfo& einstellungen,
                                          const THTMLINI& ini, qint32 katze, const QString& datei,
                                          const HtmlKopf& kopf);

} // namespace velmora::genealogy
