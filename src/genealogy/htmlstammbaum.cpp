#include "genealogy/htmlstammbaum.h"

#include "common/datenglobal.h"
#include "genealogy/baum.h"
#include "genealogy/htmlsyntax.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "language/sprache.h"
#include "settings/inidatei.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cmath>

namespace velmora::genealogy {

namespace {

const QString kHtml = QStringLiteral("HTML");
const QString kKopf = QStringLiteral("HTMLKopf");
const QString q = QStringLiteral("\"");

bool zeigtEnglisch(const QString& seitenSprache) {
    return seitenSprache == QLatin1String("englisch") || seitenSprache == QLatin1String("english");
}
bool zeigtDeutsch(const QString& seitenSprache) {
    return seitenSprache == QLatin1String("deutsch") || seitenSprache == QLatin1String("german");
}

quint32 le32(const QByteArray& b, int i) {
    return quint8(b[i]) | quint8(b[i + 1]) << 8 | quint8(b[i + 2]) << 16 | quint32(quint8(b[i + 3])) << 24;
}
quint32 be16(const QByteArray& b, int i) {
    return quint8(b[i]) << 8 | quint8(b[i + 1]);
}

QString dateiName(const QString& pfad) {
    return QFileInfo(pfad).fileName();
}

QString nachschlagen(store::Database& db, const QString& tabelle, qint32 nr, const QString& feld) {
    if (!db.tableExists(tabelle)) return {};
    try {
        store::Table t(db, tabelle);
        t.open(store::Table::OpenMode::ReadOnly);
        return t.findKey({nr}) ? t.asString(feld) : QString();
    } catch (const store::DatabaseError&) {
        return {};
    }
}

HtmlSeitenErgebnis htmlSeite(store::Database& db, const settings::tsysteminfo& programm, const THTMLINI& ini,
                             qint32 katze, const QString& datei, const HtmlKopf* kopfVorgabe);

// The cat's evaluation on one line.
QString bewertungText(store::Database& db, qint32 katze) {
    if (!db.tableExists(QStringLiteral("bewert"))) return {};
    try {
        store::Table b(db, QStringLiteral("bewert"));
        b.open(store::Table::OpenMode::ReadOnly);
        b.setIndexName(QStringLiteral("KatzeIDX"));
        b.setRange({katze}, {katze});
        b.first();
        if (!b.hasRecord()) return {};
        QString t = b.asString(QStringLiteral("Bewertung"));
        t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return t;
    } catch (const store::DatabaseError&) {
        return {};
    }
}

// The short names of the cat's features in the order of its feature list.
QString merkmalKuerzel(store::Database& db, qint32 katze) {
    if (!db.tableExists(QStringLiteral("katzemerkmal")) || !db.tableExists(QStringLiteral("merkmale")))
        return {};
    try {
        store::Table km(db, QStringLiteral("katzemerkmal"));
        km.open(store::Table::OpenMode::ReadOnly);
        km.setIndexName(QStringLiteral("Katze"));
        km.setRange({katze}, {katze});
        store::Table m(db, QStringLiteral("merkmale"));
        m.open(store::Table::OpenMode::ReadOnly);
        QStringList teile;
        for (km.first(); km.hasRecord() && !km.eof(); km.next())
            if (m.findKey({km.asInt(QStringLiteral("Merkmal"))})) {
                const QString k = m.asString(QStringLiteral("Kuerzel"));
                // the pedigree marker is a working note, not a feature of the cat
                if (!k.isEmpty() && k != QLatin1String("Stb")) teile << k;
            }
        return teile.join(QStringLiteral(" / "));
    } catch (const store::DatabaseError&) {
        return {};
    }
}

} // namespace

THTMLINI::THTMLINI() {
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        const int f = i + 1;
        spalte_pos[i].spalte = (f <= 7 || f == 13 || f == 15) ? 1 : 2;
        spalte_pos[i].pos = f;
    }
}

QString htmlEinstellungsPfad(const QString& verzeichnis) {
    return QDir(verzeichnis).filePath(QString::fromLatin1(kHtmlEinstellungsdatei));
}

THTMLINI THTMLINI::Load_INI(const QString& pfad, settings::Sprache programmSprache) {
    THTMLINI s;
    settings::IniDatei ini(pfad);
    ini.lesen();
    const auto t = [&](const char* k, const QString& v) {
        return ini.leseText(kHtml, QString::fromLatin1(k), v);
    };
    const auto z = [&](const char* k, int v) { return ini.leseZahl(kHtml, QString::fromLatin1(k), v); };
    const auto b = [&](const char* k, bool v) {
        return ini.leseZahl(kHtml, QString::fromLatin1(k), v ? 1 : 0) != 0;
    };
    s.SchriftNameFont = t("SchriftNameFont", s.SchriftNameFont);
    s.SchriftNameSize = quint8(z("SchriftNameSize", s.SchriftNameSize));
    s.SchriftNameColor = t("SchriftNameColor", s.SchriftNameColor);
    s.SchriftKatzeFont = t("SchriftKatzeFont", s.SchriftKatzeFont);
    s.SchriftKatzeSize = quint8(z("SchriftKatzeSize", s.SchriftKatzeSize));
    s.SchriftKatzeColor = t("SchriftKatzeColor", s.SchriftKatzeColor);
    s.SchriftStbFont = t("SchriftStbFont", s.SchriftStbFont);
    s.SchriftStbSize = quint8(z("SchriftStbSize", s.SchriftStbSize));
    s.SchriftStbColor = t("SchriftStbColor", s.SchriftStbColor);
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        const QString feld = QStringLiteral("feld") + QString::number(i + 1);
        THTMLKopfFeld& f = s.spalte_pos[i];
        f.spalte = ini.leseZahl(kKopf, feld + QStringLiteral("Spalte"), f.spalte);
        f.pos = ini.leseZahl(kKopf, feld + QStringLiteral("Pos"), f.pos);
        f.mitBez = ini.leseZahl(kKopf, feld + QStringLiteral("mitBez"), f.mitBez);
        if (f.mitBez == -1) f.mitBez = 0;
        f.weglassen = ini.leseZahl(kKopf, feld + QStringLiteral("weglassen"), f.weglassen);
        if (f.weglassen == -1) f.weglassen = 1;
    }
    s.Seitenbreite = z("Seitenbreite", s.Seitenbreite);
    s.autoHoehe = b("Autohoehe", s.autoHoehe);
    s.Seitenhoehe = z("Seitenhoehe", s.Seitenhoehe);
    s.Position = z("Position", s.Position);
    s.Rahmenfarbe = t("Rahmenfarbe", s.Rahmenfarbe);
    s.Hintergrundart = quint8(z("Hintergrundart", s.Hintergrundart));
    s.Hintergrundfarbe = t("Hintergrundfarbe", s.Hintergrundfarbe);
    s.HintergrundBild = t("HintergrundBild", s.HintergrundBild);
    s.StbArt = quint8(z("StbArt", s.StbArt));
    s.StbFarbe = t("Stbfarbe", s.StbFarbe);
    s.StbBild = t("StbBild", s.StbBild);
    s.StbTransparenz = t("StbTransparenz", s.StbTransparenz);
    s.AnzGenerationen = quint8(z("AnzahlGenerationen", s.AnzGenerationen));
    s.Bild = b("Bild", false);
    s.BildWeite = z("BildWeite", s.BildWeite);
    s.BildHoehe = z("BildHoehe", s.BildHoehe);
    s.BildPos = quint8(z("BildPos", 4));
    if (s.BildPos == 4) s.BildPos = s.Bild ? 1 : 3; // the older key
    s.BildGen = b("BildGen", s.BildGen);
    s.BildGenWeite = z("BildGenWeite", s.BildGenWeite);
    s.BildGenHoehe = z("BildGenHoehe", s.BildGenHoehe);
    s.Sprache = t("Sprache", programmSprache == settings::Sprache::Englisch ? QStringLiteral("english")
                                                                            : QStringLiteral("deutsch"));
    s.HTMLPfad = t("HTMLPfad", s.HTMLPfad);
    return s;
}

bool THTMLINI::Save_INI(const QString& pfad) const {
    QList<settings::IniEintrag> e;
    const auto t = [&](const char* k, const QString& v) { e.append({kHtml, QString::fromLatin1(k), v}); };
    const auto z = [&](const char* k, int v) { t(k, QString::number(v)); };
    t("SchriftNameFont", SchriftNameFont);
    z("SchriftNameSize", SchriftNameSize);
    t("SchriftNameColor", SchriftNameColor);
    t("SchriftKatzeFont", SchriftKatzeFont);
    z("SchriftKatzeSize", SchriftKatzeSize);
    t("SchriftKatzeColor", SchriftKatzeColor);
    t("SchriftStbFont", SchriftStbFont);
    z("SchriftStbSize", SchriftStbSize);
    t("SchriftStbColor", SchriftStbColor);
    z("Seitenbreite", Seitenbreite);
    z("Autohoehe", autoHoehe ? 1 : 0);
    z("Seitenhoehe", Seitenhoehe);
    z("Position", Position);
    t("Rahmenfarbe", Rahmenfarbe);
    z("Hintergrundart", Hintergrundart);
    t("Hintergrundfarbe", Hintergrundfarbe);
    t("HintergrundBild", HintergrundBild);
    z("StbArt", StbArt);
    t("Stbfarbe", StbFarbe);
    t("StbBild", StbBild);
    t("StbTransparenz", StbTransparenz);
    z("AnzahlGenerationen", AnzGenerationen);
    z("BildWeite", BildWeite);
    z("BildHoehe", BildHoehe);
    z("BildPos", BildPos);
    z("BildGen", BildGen ? 1 : 0);
    z("BildGenWeite", BildGenWeite);
    z("BildGenHoehe", BildGenHoehe);
    t("Sprache", Sprache);
    t("HTMLPfad", HTMLPfad);
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        const THTMLKopfFeld& f = spalte_pos[i];
        if (f.spalte < 1 || f.spalte > 3) continue;
        const QString feld = QStringLiteral("feld") + QString::number(i + 1);
        e.append({kKopf, feld + QStringLiteral("Spalte"), QString::number(f.spalte)});
        e.append({kKopf, feld + QStringLiteral("Pos"), QString::number(f.pos)});
        e.append({kKopf, feld + QStringLiteral("mitBez"), QString::number(f.mitBez)});
        e.append({kKopf, feld + QStringLiteral("weglassen"), QString::number(f.weglassen)});
    }
    return settings::IniDatei::schreibe(pfad, e);
}

QSize bildEinpassen(QSize bild, int bw, int bh) {
    if (bild.width() <= 0 || bild.height() <= 0) return {bw, bh};
    double f = double(bw) / bild.width();
    if (std::nearbyint(bild.height() * f) > bh) f = double(bh) / bild.height();
    // nearbyint rounds halves to even under the default rounding mode
    return {int(std::nearbyint(bild.width() * f)), int(std::nearbyint(bild.height() * f))};
}

QSize bildGroesse(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray kopf = f.read(32);
    if (kopf.size() >= 24 && kopf.startsWith("\x89PNG"))
        return {int(be16(kopf, 18) | be16(kopf, 16) << 16), int(be16(kopf, 22) | be16(kopf, 20) << 16)};
    if (kopf.size() >= 10 && kopf.startsWith("GIF"))
        return {int(quint8(kopf[6]) | quint8(kopf[7]) << 8), int(quint8(kopf[8]) | quint8(kopf[9]) << 8)};
    if (kopf.size() >= 26 && kopf.startsWith("BM"))
        return {int(le32(kopf, 18)), std::abs(int(le32(kopf, 22)))};
    if (kopf.size() >= 4 && kopf.startsWith("\xFF\xD8")) {
        // walk the segments to the first start-of-frame
        f.seek(2);
        for (;;) {
            QByteArray m = f.read(4);
            if (m.size() < 4 || quint8(m[0]) != 0xFF) return {};
            const int typ = quint8(m[1]);
            const int laenge = int(be16(m, 2));
            if (typ >= 0xC0 && typ <= 0xCF && typ != 0xC4 && typ != 0xC8 && typ != 0xCC) {
                const QByteArray sof = f.read(5);
                if (sof.size() < 5) return {};
                return {int(be16(sof, 3)), int(be16(sof, 1))};
            }
            if (laenge < 2 || !f.seek(f.pos() + laenge - 2)) return {};
        }
    }
    return {};
}

HtmlRegisterWerte htmlRegisterWerte(store::Database& db, const settings::tsysteminfo& einstellungen,
                                    qint32 katze) {
    HtmlRegisterWerte w;
    store::Table k(db, QStringLiteral("catstamm"));
    k.open(store::Table::OpenMode::ReadOnly);
    if (!k.findKey({katze})) return w;
    // The first line of an address box: the name, with the first name after a comma.
    const auto ersteZeile = [](const QString& name, const QString& vorname) {
        return vorname.isEmpty() ? name : name + QStringLiteral(", ") + vorname;
    };
    const auto adresse = [&](qint32 nr) -> QString {
        if (nr <= 0 || !db.tableExists(QStringLiteral("adr_dat"))) return {};
        store::Table a(db, QStringLiteral("adr_dat"));
        a.open(store::Table::OpenMode::ReadOnly);
        if (!a.findKey({nr})) return {};
        return ersteZeile(a.asString(QStringLiteral("Name")), a.asString(QStringLiteral("Vorname")));
    };
    try {
        w.zuechter = adresse(k.asInt(QStringLiteral("Züchter")));
        // An own cat (status 1) shows the user's own address as its owner.
        if (k.asString(QStringLiteral("Status")) == QLatin1String("1") &&
            db.tableExists(QStringLiteral("eigen"))) {
            store::Table e(db, QStringLiteral("eigen"));
            e.open(store::Table::OpenMode::ReadOnly);
            e.first();
            if (e.hasRecord())
                w.besitzer = ersteZeile(e.asString(QStringLiteral("Name")), e.asString(QStringLiteral("Vorname")));
        } else {
            w.besitzer = adresse(k.asInt(QStringLiteral("Besitzer")));
        }
    } catch (const store::DatabaseError&) {
        // an address book that cannot be read leaves the lines empty
    }
    const qint32 vater = k.asInt(QStringLiteral("Vater")), mutter = k.asInt(QStringLiteral("Mutter"));
    if (vater > 0 && mutter > 0 && k.findKey({vater}) && k.findKey({mutter})) {
        TabellenKatzenQuelle quelle(db);
        TFormInzuchtberechnung inzucht(quelle);
        inzucht.MerkmalVorTop = einstellungen.MerkmalvorTop;
        const int g = std::max(3, einstellungen.InzuchtStdgenerationen);
        if (inzucht.Berechne(katze, vater, mutter, quint8(g), false)) {
            w.ik = inzucht.Inzuchtkoeffizientkurz;
            w.avk = inzucht.Ahnenverlustkoeffizient;
        }
    }
    return w;
}

HtmlKopf htmlKopfBauen(store::Database& db, common::TDatenGlobal& daten, language::TSprache& sprache,
                       const THTMLINI& ini, qint32 katze, bool englischeNamen, const HtmlRegisterWerte& werte) {
    HtmlKopf kopf;
    store::Table k(db, QStringLiteral("catstamm"));
    k.open(store::Table::OpenMode::ReadOnly);
    if (!k.findKey({katze})) return kopf;
    const auto text = [&k](const char* f) { return k.asString(QString::fromUtf8(f)); };
    const auto cap = [&sprache](int n) { return sprache.feldName(n); };

    const QString name = text("Name");
    const QString titel = text("Geschlecht").isEmpty() ? QString() : daten.GetTitel(katze);
    kopf.titel = !titel.isEmpty();
    kopf.name = kopf.titel ? titel + QLatin1Char(' ') + name : name;

    // The value of each field and its labels.
    std::array<QString, kHtmlKopfFelder + 1> wert;
    QString zb = text("Zuchtbuchnummer1");
    for (const char* f : {"Zuchtbuchnummer2", "Zuchtbuchnummer3"})
        if (!text(f).isEmpty()) zb += QStringLiteral(" / ") + text(f);
    wert[1] = zb;
    const QDate geb = k.asDate(QStringLiteral("GebDatum"));
    wert[2] = geb.isValid() ? geb.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    wert[3] = text("FellFarbe");
    if (const int rasse = k.asInt(QStringLiteral("Rasse")); rasse > 0) {
        store::Table r(db, QStringLiteral("rasse"));
        try {
            r.open(store::Table::OpenMode::ReadOnly);
            if (r.findKey({rasse})) {
                wert[4] = r.asString(QStringLiteral("RName"));
                const QString eng = r.asString(QStringLiteral("RNameEng"));
                if (englischeNamen && !eng.isEmpty()) wert[4] = eng;
            }
        } catch (const store::DatabaseError&) {
        }
    }
    const QString g = text("Geschlecht");
    if (g == QLatin1String("1"))
        wert[5] = cap(1429);
    else if (g == QLatin1String("2"))
        wert[5] = cap(1430);
    else if (g == QLatin1String("3"))
        wert[5] = cap(1431) + QLatin1Char(' ') + cap(1429);
    else if (g == QLatin1String("4"))
        wert[5] = cap(1431) + QLatin1Char(' ') + cap(1430);
    wert[6] = text("Augenfarbe");
    if (englischeNamen && !wert[6].isEmpty() && db.tableExists(QStringLiteral("augen"))) {
        try {
            store::Table a(db, QStringLiteral("augen"));
            a.open(store::Table::OpenMode::ReadOnly);
            a.setIndexName(QStringLiteral("Augenfarbeidx"));
            if (a.findKey({wert[6]})) {
                const QString eng = a.asString(QStringLiteral("AugenfarbeEng"));
                if (!eng.isEmpty()) wert[6] = eng;
            }
        } catch (const store::DatabaseError&) {
        }
    }
    wert[7] = text("Zwinger");
    wert[8] = werte.besitzer;
    wert[9] = werte.zuechter;
    wert[10] = text("Tests");
    wert[11] = text("ChipNr");
    wert[12] = text("Blutgruppe");
    wert[14] = bewertungText(db, katze);
    wert[15] = merkmalKuerzel(db, katze);
    if (const int fellart = k.asInt(QStringLiteral("Fellart")); fellart > 0)
        wert[16] = nachschlagen(db, QStringLiteral("fellart"), fellart, QStringLiteral("Bezeichnung"));
    wert[17] = text("TaetoNr");
    static constexpr int kLabel[kHtmlKopfFelder + 1] = {0,   758, 1427, 761, 757,  1428, 762, 1433, 766,
                                                        765, 837, 835,  836, 1432, 1435, 944, 1436, 1437};

    // Column order: by vertical place, the lower number first on a tie.
    for (int spalte = 1; spalte <= 2; ++spalte) {
        std::vector<int> felder;
        for (int f = 1; f <= kHtmlKopfFelder; ++f)
            if (ini.spalte_pos[f - 1].spalte == spalte) felder.push_back(f);
        std::stable_sort(felder.begin(), felder.end(),
                         [&](int a, int b) { return ini.spalte_pos[a - 1].pos < ini.spalte_pos[b - 1].pos; });
        QStringList& ziel = spalte == 1 ? kopf.spalte1 : kopf.spalte2;
        for (const int f : felder) {
            const THTMLKopfFeld& o = ini.spalte_pos[f - 1];
            const QString bez = o.mitBez == 0 ? cap(kLabel[f]) + QLatin1Char(' ') : QString();
            if (f == 13) { // two figures with their two labels
                if (werte.ik.isEmpty() && werte.avk.isEmpty() && o.weglassen == 0) continue;
                const QString bez2 = o.mitBez == 0 ? cap(1439) + QLatin1Char(' ') : QString();
                ziel << bez + werte.ik + QStringLiteral(" / ") + bez2 + werte.avk;
                continue;
            }
            const QString& v = wert[f];
            if (v.isEmpty() && o.weglassen == 0) continue;
            ziel << bez + v;
        }
    }
    return kopf;
}

bool htmlSpracheWechselt(settings::Sprache programm, const QString& seitenSprache, settings::Sprache& sprache) {
    sprache = programm;
    if (zeigtDeutsch(seitenSprache) && programm == settings::Sprache::Englisch)
        sprache = settings::Sprache::Deutsch;
    else if (zeigtEnglisch(seitenSprache) && programm == settings::Sprache::Deutsch)
        sprache = settings::Sprache::Englisch;
    return sprache != programm;
}

HtmlKopf htmlKopfFuer(store::Database& db, const settings::tsysteminfo& programm, const THTMLINI& ini,
                      qint32 katze) {
    settings::tsysteminfo einst = programm;
    const bool gewechselt = htmlSpracheWechselt(programm.Sprache, ini.Sprache, einst.Sprache);
    language::TSprache sprache(db, einst.spracheNummer());
    sprache.oeffnen();
    common::TDatenGlobal daten(db, einst);
    daten.sprache = &sprache;
    return htmlKopfBauen(db, daten, sprache, ini, katze, gewechselt, htmlRegisterWerte(db, einst, katze));
}

QString htmlKatzenBild(store::Database& db, const settings::tsysteminfo& einstellungen, qint32 katze) {
    language::TSprache sprache(db, einstellungen.spracheNummer());
    sprache.oeffnen();
    common::TDatenGlobal daten(db, einstellungen);
    daten.sprache = &sprache;
    bool titelVorh = false;
    int titelNr = 0;
    daten.Katzendaten(5, katze, {}, titelVorh, 0, false, titelNr);
    return daten.bild;
}

HtmlSeitenErgebnis htmlStammbaumSchreiben(store::Database& db, const settings::tsysteminfo& programm,
                                          const THTMLINI& ini, qint32 katze, const QString& datei) {
    return htmlSeite(db, programm, ini, katze, datei, nullptr);
}

HtmlSeitenErgebnis htmlStammbaumSchreiben(store::Database& db, const settings::tsysteminfo& programm,
                                          const THTMLINI& ini, qint32 katze, const QString& datei,
                                          const HtmlKopf& kopf) {
    return htmlSeite(db, programm, ini, katze, datei, &kopf);
}

namespace {

HtmlSeitenErgebnis htmlSeite(store::Database& db, const settings::tsysteminfo& programm, const THTMLINI& ini,
                             qint32 katze, const QString& datei, const HtmlKopf* kopfVorgabe) {
    HtmlSeitenErgebnis erg;
    const int G = std::clamp(ini.AnzGenerationen, 3, 12);
    erg.generationen = G;

    // The page language switches the program's language for the page's texts.
    settings::tsysteminfo einst = programm;
    const bool changeSprache = htmlSpracheWechselt(programm.Sprache, ini.Sprache, einst.Sprache);
    language::TSprache sprache(db, einst.spracheNummer());
    sprache.oeffnen();
    common::TDatenGlobal daten(db, einst);
    daten.sprache = &sprache;
    daten.htmlGenerationen = G;
    daten.htmlNamensFarbe = farbeAusName(ini.SchriftStbColor);

    const QString F = farbNameAlsHtml(ini.Rahmenfarbe);
    const QString ordner = QFileInfo(datei).absolutePath();
    const HtmlKopf kopf =
        kopfVorgabe ? *kopfVorgabe
                    : htmlKopfBauen(db, daten, sprache, ini, katze, changeSprache,
                                    htmlRegisterWerte(db, einst, katze));

    // A picture the page uses: copied next to the page, referenced by its file name.
    const auto bildNebenSeite = [&](const QString& pfad) -> QString {
        if (pfad.isEmpty() || !QFileInfo::exists(pfad)) return {};
        const QString ziel = QDir(ordner).filePath(dateiName(pfad));
        if (QFileInfo(ziel).absoluteFilePath() != QFileInfo(pfad).absoluteFilePath()) {
            QFile::remove(ziel);
            if (QFile::copy(pfad, ziel)) erg.kopiert << dateiName(pfad);
        }
        return dateiName(pfad);
    };

    // The ancestors in their slots, through the one slot fill.
    store::Table k(db, QStringLiteral("catstamm"));
    k.open(store::Table::OpenMode::ReadOnly);
    qint32 vater = 0, mutter = 0;
    QString katzenBild;
    if (k.findKey({katze})) {
        vater = k.asInt(QStringLiteral("Vater"));
        mutter = k.asInt(QStringLiteral("Mutter"));
    }
    QHash<qint32, std::pair<qint32, qint32>> eltern; // a cat read once, however often it appears
    const Ahnentafel tafel =
        ahnentafelFuellen(vater, mutter, G, [&](int, int, qint32 nr, qint32& v, qint32& m) {
            if (nr <= 0) return false;
            auto it = eltern.constFind(nr);
            if (it == eltern.cend()) {
                if (!k.findKey({nr})) return false;
                it = eltern.insert(nr, {k.asInt(QStringLiteral("Vater")), k.asInt(QStringLiteral("Mutter"))});
            }
            v = it->first;
            m = it->second;
            return true;
        });
    bool titelVorh = false;
    int titelNr = 0;
    daten.Katzendaten(5, katze, {}, titelVorh, 0, changeSprache, titelNr);
    if (ini.BildPos != 3) {
        if (!kopfVorgabe)
            katzenBild = bildNebenSeite(daten.bild);
        else if (QFileInfo(kopf.bild).isAbsolute())
            katzenBild = bildNebenSeite(kopf.bild);
        else
            katzenBild = kopf.bild;
    }

    QStringList zellen, bilder;
    const QString unbekannt =
        QStringLiteral("<font color=\"") + farbNameAlsHtml(ini.SchriftStbColor) +
        (einst.Sprache == settings::Sprache::Englisch ? QStringLiteral("\">unknown</font>")
                                                      : QStringLiteral("\">unbekannt</font>"));
    QHash<quint64, std::pair<QString, QString>> zellenCache;
    const std::function<void(int, int)> besuchen = [&](int g, int slot) {
        const qint32 nr = tafel.slot(g, slot);
        QString bild;
        if (nr > 0) { // the slot fill empties the slots of cats it does not find
            // A cat met again at the same generation gives the same cell; large pedigrees repeat a lot.
            const quint64 schluessel = quint64(quint32(nr)) << 8 | quint64(g);
            auto it = zellenCache.constFind(schluessel);
            if (it == zellenCache.cend()) {
                daten.Katzendaten(5, nr, {}, titelVorh, g, changeSprache, titelNr);
                // The cat lines open a font they do not close, and the parents' lines end a paragraph
                // never begun; both are balanced here so the cell nests.
                QString t = daten.daten.join(QString());
                t.replace(QStringLiteral("</P>"), QStringLiteral("<BR>"));
                it = zellenCache.insert(schluessel, {t + QStringLiteral("</font>"), daten.bild});
            }
            zellen << it->first;
            if (g <= 2 && ini.BildGen) {
                const QString name = bildNebenSeite(it->second);
                if (!name.isEmpty()) {
                    const QSize s =
                        bildEinpassen(bildGroesse(it->second), ini.BildGenWeite, ini.BildGenHoehe);
                    bild = QString::number(s.height()) + QLatin1Char('|') + QString::number(s.width()) +
                           QLatin1Char('|') + name;
                }
            }
        } else {
            zellen << unbekannt;
        }
        bilder << bild;
        if (g < G) {
            besuchen(g + 1, 2 * slot - 1);
            besuchen(g + 1, 2 * slot);
        }
    };
    besuchen(1, 1);
    besuchen(1, 2);

    THTMLController w(datei, &sprache);
    if (w.fError()) {
        erg.fehler = w.fError();
        return erg;
    }
    w.SetHTMLHeader(QStringLiteral("Stammbaum für ") + kopf.name, ini.Position, ini.Seitenbreite,
                    QStringLiteral("Quillon"));
    if (ini.Hintergrundart == 0)
        w.SetHTMLSyntax(QStringLiteral("<body link=\"#0000FF\" vlink=\"#800080\"  bgcolor=\"") +
                        farbNameAlsHtml(ini.Hintergrundfarbe) + QStringLiteral("\">"));
    else
        w.SetHTMLSyntax(QStringLiteral("<body link=\"#0000FF\" vlink=\"#800080\"  background=\"") +
                        htmlMaskieren(bildNebenSeite(ini.HintergrundBild)) + QStringLiteral("\">"));
    if (ini.Position != 0) {
        w.SetHTMLSyntax(QStringLiteral("<div id=\"container\" >"));
    } else {
        w.SetHTMLSyntax(QStringLiteral("<div id=\"container1\" >"));
        w.SetHTMLSyntax(QStringLiteral("<div id=\"container2\" >"));
    }
    w.SetHTMLSyntax(ini.autoHoehe ? QStringLiteral("<div id=\"d1\" style=\"z-index:2;\">")
                                  : QStringLiteral("<div id=\"d1\" style=\"z-index:2;height:") +
                                        QString::number(ini.Seitenhoehe) + QStringLiteral(";\">"));
    const QString rand = QStringLiteral("style=\"border-color:") + F;
    w.SetHTMLSyntax(QStringLiteral("<table ") + rand +
                    QStringLiteral(";border-width:3px;border-style:solid;\" width=\"100%\" >"));
    w.SetHTMLSyntax(QStringLiteral(" <tr>"));
    w.SetHTMLSyntax(QStringLiteral(" <th width=\"100%\" ") + rand +
                    QStringLiteral(";border-width:1px;border-style:solid;\">"));
    w.SetHTMLSyntax(QStringLiteral(" <table ") + rand +
                    QStringLiteral(";border-width:1px;border-style:solid;\" width=\"100%\">"));
    w.SetHTMLSyntax(QStringLiteral(" <tr><th width=\"100%\" ") + rand +
                    QStringLiteral(";border-width:1px;border-style:solid;\">"));
    const QString namensFarbe =
        kopf.titel && einst.TitelRot ? farbeAlsHtml(255) : farbNameAlsHtml(ini.SchriftNameColor);
    QStringList namenszeile{QStringLiteral("<font color=\"") + namensFarbe + QStringLiteral("\">") +
                            htmlMaskieren(kopf.name) + QStringLiteral("</font>")};
    w.SetHTMLFormattedText(namenszeile, ini.SchriftNameFont, ini.SchriftNameSize);
    w.SetHTMLSyntax(QStringLiteral("</th> </tr> </table> "));
    w.SetHTMLSyntax(QStringLiteral(" <br> "));

    QSize wh(ini.BildWeite, ini.BildHoehe);
    const QString P = htmlMaskieren(katzenBild);
    if (!katzenBild.isEmpty()) {
        const QString neben = QDir(ordner).filePath(katzenBild);
        if (QFileInfo::exists(neben)) wh = bildEinpassen(bildGroesse(neben), ini.BildWeite, ini.BildHoehe);
    }
    const QString W = QString::number(wh.width()), H = QString::number(wh.height());
    if (ini.BildPos == 1 && !katzenBild.isEmpty()) {
        w.SetHTMLSyntax(QStringLiteral("<a style=\"\" href=\"") + P + QStringLiteral("\">  <img src=\"") + P +
                        QStringLiteral("\" alt=\"") + P + QStringLiteral(" not found\" width=\"") + W +
                        QStringLiteral("\" height=\"") + H +
                        QStringLiteral("\" style=\"border:none;\"></a>"));
        w.SetHTMLSyntax(QStringLiteral(" <BR> "));
    }
    w.SetHTMLSyntax(
        QStringLiteral(" <table border=\"0\" cellpadding=\"0\" cellspacing=\"3\" width=\"100%\">"));
    w.SetHTMLSyntax(QStringLiteral(" <COL width=50%><COL width=50%>"));
    const auto datenZelle = [&](const QString& zeile) -> QString {
        return QStringLiteral("<TD><font face=\"") + htmlMaskieren(ini.SchriftKatzeFont) +
               QStringLiteral("\" size=") + THTMLController::SetHTMLFontSize(ini.SchriftKatzeSize) +
               QStringLiteral(" color=\"") + farbNameAlsHtml(ini.SchriftKatzeColor) + QStringLiteral("\">") +
               htmlMaskieren(zeile) + QStringLiteral("</FONT></TD>");
    };
    const bool seitlich = (ini.BildPos == 0 || ini.BildPos == 2) && !katzenBild.isEmpty();
    const int n1 = int(kopf.spalte1.size()), n2 = seitlich ? 0 : int(kopf.spalte2.size());
    const QString bildZelle = QStringLiteral("<TD rowspan=\"") + QString::number(std::max(n1, 1)) +
                              QStringLiteral("\"> <a href=\"") + P + QStringLiteral("\">  <img src=\"") + P +
                              QStringLiteral("\" alt=\"") + P + QStringLiteral(" not found\" width=\"") + W +
                              QStringLiteral("\" height=\"") + H + QStringLiteral("\"  ></a></TD>");
    QStringList kopfZeilen;
    for (int i = 1; i == 1 || i <= std::max(n1, n2); ++i) {
        QString z;
        if (seitlich) {
            if (ini.BildPos == 0 && i == 1) z += bildZelle;
            if (i <= n1) z += datenZelle(kopf.spalte1[i - 1]);
            if (ini.BildPos == 2 && i == 1) z += bildZelle;
        } else {
            z += i <= n1 ? datenZelle(kopf.spalte1[i - 1]) : QStringLiteral("<TD></TD>");
            z += i <= n2 ? datenZelle(kopf.spalte2[i - 1]) : QStringLiteral("<TD></TD>");
        }
        kopfZeilen << z;
    }
    w.SetHTMLKopfDaten(kopfZeilen, ini.SchriftKatzeFont, ini.SchriftKatzeSize);
    w.SetHTMLSyntax(QStringLiteral(" </table> "));
    w.SetHTMLHorizontalLine(F, QStringLiteral("100%"));
    w.SetHTMLTableStart(QStringLiteral("100%"), F, 3, 1, 1);
    THTMLController::SetHTMLStringsExchange(zellen, w.HTMLRows);
    THTMLController::SetHTMLStringsExchange(bilder, w.HTMLBild);
    const QString stbFarbe = farbNameAlsHtml(ini.SchriftStbColor);
    w.SetHTMLTabellenKopf(G, ini.SchriftStbFont, ini.SchriftStbSize, stbFarbe, F);
    w.SetHTMLCatTable(w.HTMLRows, w.HTMLBild, ini.SchriftStbFont, ini.SchriftStbSize, F);
    w.SetHTMLTabellenKopf(G, ini.SchriftStbFont, ini.SchriftStbSize, stbFarbe, F);
    w.SetHTMLTableEnd();
    // the outer frame's cell and row, which the table end alone would leave open
    w.SetHTMLSyntax(QStringLiteral(" </th>"));
    w.SetHTMLSyntax(QStringLiteral(" </tr>"));
    w.SetHTMLSyntax(QStringLiteral("</table>"));
    w.SetHTMLSyntax(QStringLiteral("</div>"));
    w.SetHTMLSyntax(QStringLiteral("<div id=\"d2\" style=\"z-index:1;"));
    if (ini.StbArt == 0)
        w.SetHTMLSyntax(QStringLiteral(" background-color:") + farbNameAlsHtml(ini.StbFarbe) +
                        QLatin1Char(';'));
    else
        w.SetHTMLSyntax(QStringLiteral(" background-image:url(") +
                        htmlMaskieren(bildNebenSeite(ini.StbBild)) + QStringLiteral(");"));
    const int X = 100 - std::clamp(ini.StbTransparenz.trimmed().toInt(), 0, 100);
    if (X > 99) {
        w.SetHTMLSyntax(QStringLiteral("\">"));
    } else {
        const QString XX = QStringLiteral("%1").arg(X, 2, 10, QLatin1Char('0'));
        w.SetHTMLSyntax(QStringLiteral("-moz-opacity:0.") + XX + QStringLiteral("; opacity:0.") + XX +
                        QStringLiteral("; filter:alpha(opacity=") + QString::number(X) +
                        QStringLiteral(");\">"));
    }
    w.SetHTMLSyntax(QStringLiteral("</div>"));
    w.SetHTMLSyntax(QStringLiteral("<div id=\"d3\" >"));
    w.SetHTMLSyntax(QStringLiteral("<table border=\"0\" width=\"100%\">"));
    w.SetHTMLSyntax(QStringLiteral(
        " <tr><th font size=\"2\" > Created by <a href=\"https://velmora.example/\">TESSARO</a></th></tr>"));
    w.SetHTMLSyntax(QStringLiteral("</table>"));
    w.SetHTMLSyntax(QStringLiteral("</div>"));
    w.SetHTMLSyntax(QStringLiteral("</div>"));
    if (ini.Position == 0) w.SetHTMLSyntax(QStringLiteral("</div>"));
    for (const char* z :
         {"<script language=\"JavaScript\">", "<!--",
          "document.getElementById('d2').style.height = document.getElementById('d1').offsetHeight;",
          "document.getElementById('d3').style.top = document.getElementById('d1').offsetHeight+10;", "//-->",
          "</script> ", "</body>"})
        w.SetHTMLSyntax(QString::fromLatin1(z));
    w.Free();
    erg.fehler = w.fError();
    return erg;
}

} // namespace

} // namespace velmora::genealogy
