#include "common/datenglobal.h"

#include "language/sprache.h"
#include "store/startup.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <limits>

namespace velmora::common {

using store::FieldType;
using store::Table;

namespace {
const QString kLaufendeNummer = QStringLiteral("LaufendeNummer");

// Days of month m in year y, as the age rule counts them.
int monatsLaenge(int m, int y) {
    switch (m) {
    case 2:
        return QDate::isLeapYear(y) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}
} // namespace

TDatenGlobal::TDatenGlobal(store::Database& db, const settings::tsysteminfo& einstellungen,
                           Fehlermeldung fehler)
    : dbKatze(db, QStringLiteral("catstamm")), dbKatzeTitel(db, QStringLiteral("catstamm")),
      dbTitelHund(db, QStringLiteral("titelhund")), dbTitelName(db, QStringLiteral("titelbez")),
      dbFarbe(db, QStringLiteral("farbe")), dbRasse(db, QStringLiteral("rasse")),
      dbAugen(db, QStringLiteral("augen")), DBBild(db, QStringLiteral("bilder")),
      dbBewertung(db, QStringLiteral("bewert")), dbGekVerk(db, QStringLiteral("verkauft")),
      dbKatzeMerkmal(db, QStringLiteral("katzemerkmal")), dbMerkmale(db, QStringLiteral("merkmale")),
      dbAdrDat(db, QStringLiteral("adr_dat")), TableFellart(db, QStringLiteral("fellart")),
      dbTMP(db, QStringLiteral("rasseergaenzen")), dbEigen(db, QStringLiteral("eigen")), m_db(db),
      m_einstellungen(einstellungen), m_fehler(std::move(fehler)) {
    dbKatze.addLookupField(QStringLiteral("FellartAnzeige"), FieldType::Text, QStringLiteral("Fellart"),
                           &TableFellart, kLaufendeNummer, QStringLiteral("Bezeichnung"));
    dbKatze.addLookupField(QStringLiteral("gekauft"), FieldType::Date, kLaufendeNummer, &dbGekVerk,
                           QStringLiteral("Katze"), QStringLiteral("Gekauftam"));
    dbKatze.addLookupField(QStringLiteral("verkauft"), FieldType::Date, kLaufendeNummer, &dbGekVerk,
                           QStringLiteral("Katze"), QStringLiteral("Verkauftam"));
    dbTitelHund.addLookupField(QStringLiteral("Kuerzel"), FieldType::Text, QStringLiteral("Titel"),
                               &dbTitelName, kLaufendeNummer, QStringLiteral("Kuerzel"));
    dbKatzeMerkmal.addLookupField(QStringLiteral("Farbe"), FieldType::Int, QStringLiteral("Merkmal"),
                                  &dbMerkmale, kLaufendeNummer, QStringLiteral("farbe"));
    dbKatzeMerkmal.addLookupField(QStringLiteral("MerkmalLookup"), FieldType::Text, QStringLiteral("Merkmal"),
                                  &dbMerkmale, kLaufendeNummer, QStringLiteral("Bezeichnung"));
    dbKatzeMerkmal.addLookupField(QStringLiteral("Kuerzel"), FieldType::Text, QStringLiteral("Merkmal"),
                                  &dbMerkmale, kLaufendeNummer, QStringLiteral("Kuerzel"));
    dbAdrDat.addCalculatedField({QStringLiteral("Anzeige"), FieldType::Text, 81, false});
    dbAdrDat.onCalcFields = [](Table& t) {
        t.setValue(QStringLiteral("Anzeige"),
                   anzeigeName(t.asString(QStringLiteral("Name")), t.asString(QStringLiteral("Vorname"))));
    };
    Dateienoeffnen();
}

TDatenGlobal::~TDatenGlobal() {
    try {
        schliessen();
    } catch (...) {
        // nothing is pending on read-only cursors; a failure here cannot be reported any more
    }
}

void TDatenGlobal::fehlerMelden(const store::DatabaseError& e, const QString& tabelle) const {
    if (m_fehler) m_fehler(e, store::Database::normalName(tabelle) + QStringLiteral(".db"));
}

void TDatenGlobal::schliessen() {
    // details first, so no master move reaches a closing cursor
    for (Table* t : {&dbTitelHund, &DBBild, &dbKatzeMerkmal}) {
        t->clearMaster();
        t->close();
    }
    for (Table* t : {&dbKatze, &dbKatzeTitel, &dbTitelName, &dbFarbe, &dbRasse, &dbAugen, &dbBewertung,
                     &dbGekVerk, &dbMerkmale, &dbAdrDat, &TableFellart, &dbTMP, &dbEigen})
        t->close();
    m_bilderVerknuepft = m_merkmaleVerknuepft = m_titelVerknuepft = false;
}

void TDatenGlobal::Dateienoeffnen() {
    schliessen();
    // Each table is prepared once (creation, index steps, upgrade) before its first cursor opens, and a
    // table that fails is reported once, however many cursors it has; a failed preparation still lets
    // the table open as it is.
    QSet<QString> vorbereitet, gemeldet;
    store::StartBericht bericht;
    bericht.fehler = [this](const store::DatabaseError& e, const QString& datei) { fehlerMelden(e, datei); };
    auto melden = [&](const store::DatabaseError& e, const QString& tabelle) {
        if (gemeldet.contains(tabelle)) return;
        gemeldet.insert(tabelle);
        fehlerMelden(e, tabelle);
    };
    auto oeffnen = [&](Table& t, const std::function<void()>& nachher) -> bool {
        const QString n = t.normalName();
        if (!vorbereitet.contains(n)) {
            vorbereitet.insert(n);
            if (const store::Schritt* s = store::datenmodulSchritt(n)) {
                try {
                    store::tabelleVorbereiten(m_db, *s, bericht);
                } catch (const store::DatabaseError& e) {
                    melden(e, n);
                }
            }
        }
        try {
            t.open(Table::OpenMode::ReadOnly);
            if (nachher) nachher();
            return true;
        } catch (const store::DatabaseError& e) {
            t.clearMaster();
            t.close();
            melden(e, n);
            return false;
        }
    };

    oeffnen(dbKatze, [this] { dbKatze.setIndexName(QString()); });
    oeffnen(dbKatzeTitel, [this] { dbKatzeTitel.setIndexName(QString()); });
    oeffnen(dbFarbe, [this] { dbFarbe.setIndexName(QStringLiteral("FarbnameIndex")); });
    oeffnen(dbRasse, [this] { dbRasse.setIndexName(QString()); });
    oeffnen(dbAugen, [this] { dbAugen.setIndexName(QStringLiteral("Augenfarbeidx")); });
    oeffnen(DBBild, [this] {
        if (!dbKatze.isOpen()) return;
        DBBild.setMaster(&dbKatze, kLaufendeNummer, QStringLiteral("KatzeNr"));
        m_bilderVerknuepft = true;
    });
    oeffnen(dbBewertung, [this] { dbBewertung.setIndexFields(QStringLiteral("Katze")); });
    oeffnen(dbGekVerk, {});
    oeffnen(dbKatzeMerkmal, [this] {
        if (!dbKatze.isOpen()) return;
        dbKatzeMerkmal.setMaster(&dbKatze, kLaufendeNummer, QStringLiteral("Katze"));
        m_merkmaleVerknuepft = true;
    });
    oeffnen(dbMerkmale, [this] { dbMerkmale.setIndexName(QStringLiteral("Bezeichnung")); });
    oeffnen(dbAdrDat, [this] { dbAdrDat.setIndexName(QString()); });
    oeffnen(TableFellart, {});
    oeffnen(dbTitelName, {});
    oeffnen(dbTitelHund, [this] {
        if (!dbKatzeTitel.isOpen()) return;
        dbTitelHund.setMaster(&dbKatzeTitel, kLaufendeNummer, QStringLiteral("Hund"));
        m_titelVerknuepft = true;
    });
    oeffnen(dbEigen, {});
}

// ---------------------------------------------------------------------------------------------- age

QString TDatenGlobal::beschriftung(int n) const {
    return sprache ? sprache->feldName(n) : language::feldName(n);
}

QString TDatenGlobal::alterBerechnen(const QDate& von, const QDate& bis, const QDate& tod, int art) const {
    return alterBerechnen(von, bis, tod, art, beschriftung(1485), beschriftung(1486), beschriftung(1487),
                          beschriftung(1488));
}

QString TDatenGlobal::alterBerechnen(const QDate& von, const QDate& bis0, const QDate& tod, int art,
                                     const QString& jahre, const QString& monate, const QString& tage,
                                     const QString& wochen) {
    QDate bis = bis0;
    if (tod.isValid() && bis.isValid() && tod < bis) bis = tod;
    if (!von.isValid() || !bis.isValid()) return QString();
    int y1 = von.year(), m1 = von.month(), d1 = von.day();
    const int y2 = bis.year(), m2 = bis.month(), d2 = bis.day();
    int nJahre = 0, nMonate = 0, nWochen = 0, nTage = 0;
    if (von < bis) {
        const qint64 e = von.daysTo(bis);
        if (art == 4 && e >= 7 && e <= 150) {
            nWochen = int(e / 7);
            nTage = int(e % 7);
        } else {
            if (d2 < d1) {
                nTage = monatsLaenge(m1, y1) - d1 + d2;
                if (++m1 > 12) {
                    m1 = 1;
                    ++y1;
                }
            } else {
                nTage = d2 - d1;
            }
            if (m2 < m1) {
                ++y1;
                nMonate = m2 - m1 + 12;
            } else {
                nMonate = m2 - m1;
            }
            nJahre = y2 - y1;
            if (nMonate == 0 || art == 0) {
                nWochen = nTage / 7;
                nTage %= 7;
            }
        }
    }
    const QChar b = QLatin1Char(' ');
    if (nJahre != 0) return QString::number(nJahre) + b + jahre + b + QString::number(nMonate) + b + monate;
    if (nMonate == 0) return QString::number(nWochen) + b + wochen + b + QString::number(nTage) + b + tage;
    if (art != 0) return QString::number(nMonate) + b + monate + b + QString::number(nTage) + b + tage;
    return QString::number(nMonate) + b + monate + b + QString::number(nWochen) + b + wochen;
}

// ---------------------------------------------------------------------------------------------- titles

QString TDatenGlobal::GetTitel(int tier, const QString& wennUnbekannt) {
    if (!dbKatzeTitel.isOpen() || tier == 0 || !dbKatzeTitel.findKey({tier})) return wennUnbekannt;
    // The titles in the order they were entered: the link's index runs by title number, so its rows
    // are put in record order here.
    QList<std::pair<int, QString>> links;
    if (m_titelVerknuepft && dbTitelHund.isOpen()) {
        for (dbTitelHund.first(); dbTitelHund.hasRecord() && !dbTitelHund.eof(); dbTitelHund.next()) {
            const QString k = dbTitelHund.asString(QStringLiteral("Kuerzel"));
            if (!k.isEmpty()) links.append({dbTitelHund.asInt(kLaufendeNummer), k});
        }
    }
    std::stable_sort(links.begin(), links.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList kuerzel;
    for (const auto& l : links)
        kuerzel << l.second;
    return kuerzel.join(QLatin1Char('/'));
}

// ---------------------------------------------------------------------------------------------- cat lines

QString TDatenGlobal::anzeigeName(const QString& name, const QString& vorname) {
    return vorname.isEmpty() ? name : vorname + QLatin1Char(' ') + name;
}

bool TDatenGlobal::englisch() const {
    return m_einstellungen.Sprache == settings::Sprache::Englisch;
}

QString TDatenGlobal::datum(const QDate& d) const {
    return kurzDatumsFormat.isEmpty() ? gebietsschema.toString(d, QLocale::ShortFormat)
                                      : gebietsschema.toString(d, kurzDatumsFormat);
}

QString TDatenGlobal::htmlFarbe(int farbe) {
    const auto hex = [](int v) {
        return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QLatin1Char('#') + hex(farbe) + hex(farbe >> 8) + hex(farbe >> 16);
}

bool TDatenGlobal::katzeSuchen(int KatzeNr) {
    return dbKatze.isOpen() && KatzeNr != 0 && dbKatze.findKey({KatzeNr});
}

void TDatenGlobal::rasseSuchen() {
    const int rasse = dbKatze.asInt(QStringLiteral("Rasse"));
    rasseOK = rasse != 0 && dbRasse.isOpen() && dbRasse.findKey({rasse});
}

QString TDatenGlobal::titelPraefix(bool titelGewaehlt) {
    if (!titelGewaehlt || dbKatze.asString(QStringLiteral("Geschlecht")).isEmpty()) return QString();
    const QString t = GetTitel(dbKatze.asInt(kLaufendeNummer));
    return t.isEmpty() ? t : t + QLatin1Char(' ');
}

std::optional<QString> TDatenGlobal::adresse(int nummer) {
    if (nummer == 0 || !dbAdrDat.isOpen() || !dbAdrDat.findKey({nummer})) return std::nullopt;
    return dbAdrDat.asString(QStringLiteral("Anzeige"));
}

std::optional<QString> TDatenGlobal::merkmalText() {
    if (!m_merkmaleVerknuepft || !dbKatzeMerkmal.isOpen() || dbKatzeMerkmal.isEmpty()) return std::nullopt;
    QStringList teile;
    for (dbKatzeMerkmal.first(); dbKatzeMerkmal.hasRecord() && !dbKatzeMerkmal.eof(); dbKatzeMerkmal.next()) {
        const QString k = dbKatzeMerkmal.asString(QStringLiteral("Kuerzel"));
        // the pedigree marker is a working note, not a feature of the cat
        if (k != QLatin1String("Stb")) teile << k;
    }
    return teile.join(QStringLiteral(" / "));
}

std::optional<QString> TDatenGlobal::rfCode() {
    const QString ff = dbKatze.asString(QStringLiteral("FellFarbe"));
    const QString kurz = rasseOK ? dbRasse.asString(QStringLiteral("RKurzname")) : QString();
    if (!dbFarbe.isOpen()) return std::nullopt;
    const int zu = ff.indexOf(QLatin1Char(')'));
    if (ff.startsWith(QLatin1Char('(')) && zu > 0) {
        // "(info) name": a colour that carries the breed it belongs to
        const QString info = ff.mid(1, zu - 1);
        QString name = ff.mid(zu + 1);
        if (name.startsWith(QLatin1Char(' '))) name.remove(0, 1);
        // The rows of one name stand together in the name order, so the scan starts at the first of them.
        if (!name.isEmpty() && dbFarbe.findKey({name})) {
            for (; dbFarbe.hasRecord() && !dbFarbe.eof(); dbFarbe.next()) {
                const QString farbname = dbFarbe.asString(QStringLiteral("Farbname"));
                if (store::compareNoCase(farbname, name) != 0) break;
                if (farbname != name || dbFarbe.asString(QStringLiteral("Rasseinfo")) != info) continue;
                const QString nummer = dbFarbe.asString(QStringLiteral("Farbnummer"));
                if (!nummer.isEmpty() && rasseOK) return kurz + QLatin1Char(' ') + nummer;
                break;
            }
        }
    }
    if (rasseOK && !ff.isEmpty() && dbFarbe.findKey({ff})) {
        const QString nummer = dbFarbe.asString(QStringLiteral("Farbnummer"));
        if (!nummer.isEmpty()) return kurz + QLatin1Char(' ') + nummer;
    }
    return std::nullopt;
}

std::optional<QString> TDatenGlobal::zeile(Form form, int item, int generation, bool changeSprache,
                                           bool rassecodeGewaehlt) {
    const bool en = englisch();
    const auto L = [en](const char* de, const char* eng) { return QString::fromUtf8(en ? eng : de); };
    const QString br = QStringLiteral("<BR>");
    const QString komma = QStringLiteral(",  ");
    // The usual three forms: list label, HTML label with a line break, mating label.
    const auto drei = [&](const QString& v, const QString& liste, const QString& html,
                          const QString& verp) -> QString {
        switch (form) {
        case Form::Liste:
            return liste + v;
        case Form::Html: // register text in markup
            return html + v.toHtmlEscaped() + br;
        case Form::Verpaarung:
            break;
        }
        return verp + v;
    };
    const auto text = [this](const char* feld) { return dbKatze.asString(QString::fromUtf8(feld)); };

    switch (item) {
    case 2: {
        const QString v = text("FellFarbe");
        if (v.isEmpty()) return std::nullopt;
        if (form != Form::Html) return drei(v, {}, {}, komma);
        if (generation == 1) return v.toHtmlEscaped() + QStringLiteral("</P>");
        const QString kurz = rasseOK ? dbRasse.asString(QStringLiteral("RKurzname")) : QString();
        if (generation > 2 && rassecodeGewaehlt && !kurz.isEmpty())
            return QString(v + QStringLiteral(" / ") + kurz).toHtmlEscaped() + br;
        return v.toHtmlEscaped() + br;
    }
    case 3: {
        QString v = text("Augenfarbe");
        if (v.isEmpty()) return std::nullopt;
        if (form == Form::Html && changeSprache && dbAugen.isOpen() && dbAugen.findKey({v})) {
            const QString eng = dbAugen.asString(QStringLiteral("AugenfarbeEng"));
            if (!eng.isEmpty()) v = eng;
        }
        return drei(v, L("Augen:", "Eye-Colour:"), L("Augen: ", "Eye-Colour: "), L(",  A.:", ",  Eye:"));
    }
    case 4: {
        const QString v = text("Zuchtbuchnummer1");
        if (v.isEmpty()) return std::nullopt;
        if (form == Form::Html && generation == 1) return v.toHtmlEscaped() + QStringLiteral("</P>");
        return drei(v, {}, {}, komma);
    }
    case 5:
    case 6: {
        const QString v = text(item == 5 ? "Zuchtbuchnummer2" : "Zuchtbuchnummer3");
        if (v.isEmpty()) return std::nullopt;
        return drei(v, {}, {}, komma);
    }
    case 7: {
        const QDate d = dbKatze.asDate(QStringLiteral("GebDatum"));
        if (!d.isValid()) return std::nullopt;
        return drei(datum(d), L("geb.: ", "Born:"), L("geb.: ", "Born: "), L(",  geb.: ", ",  Born: "));
    }
    case 8: {
        const auto v = adresse(dbKatze.asInt(QStringLiteral("Züchter")));
        if (!v) return std::nullopt;
        return drei(*v, L("Züchter:", "Breeder:"), L("Züchter: ", "Breeder: "), L(",  Z.: ", ",  B.: "));
    }
    case 9: {
        std::optional<QString> v;
        if (dbKatze.asInt(QStringLiteral("Status")) == 1) {
            // the user's own cats belong to the user, whatever the owner field says
            if (dbEigen.isOpen()) {
                dbEigen.first();
                if (dbEigen.hasRecord())
                    v = dbEigen.asString(QStringLiteral("Name")) + QStringLiteral(", ") +
                        dbEigen.asString(QStringLiteral("Vorname"));
            }
        } else {
            v = adresse(dbKatze.asInt(QStringLiteral("Besitzer")));
        }
        if (!v) return std::nullopt;
        return drei(*v, L("Besitzer:", "Owner:"), L("Besitzer: ", "Owner: "), L(",  B.: ", ",  O.: "));
    }
    case 10: {
        const QString ff = text("FellFarbe");
        if (ff.isEmpty() || !dbFarbe.isOpen() || !dbFarbe.findKey({ff})) return std::nullopt;
        const QString v = dbFarbe.asString(QStringLiteral("Farbnummer"));
        if (v.isEmpty()) return std::nullopt;
        return drei(v, L("Farb-Code:", "Colour-Code:"), L("Farb-Code: ", "Colour-Code: "),
                    L(",  Farb-Code: ", ",  Colour-Code: "));
    }
    case 11: {
        if (!rasseOK) return std::nullopt;
        const QString v = dbRasse.asString(QStringLiteral("RName"));
        if (form == Form::Html && generation > 2) return std::nullopt;
        return drei(v, {}, L("Rasse: ", "Breed: "), komma);
    }
    case 12: {
        if (!rasseOK || form == Form::Html) return std::nullopt;
        const QString v = dbRasse.asString(QStringLiteral("RKurzname"));
        if (v.isEmpty()) return std::nullopt;
        return drei(v, {}, {}, komma);
    }
    case 13: {
        if (!dbBewertung.isOpen() || !dbBewertung.findKey({dbKatze.asInt(kLaufendeNummer)}))
            return std::nullopt;
        QString v = dbBewertung.asString(QStringLiteral("Bewertung"));
        if (v.isEmpty()) return std::nullopt;
        if (form == Form::Html) {
            v.replace(QLatin1Char('\r'), QLatin1Char(' '));
            v.replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        return drei(v, {}, {}, komma);
    }
    case 14: {
        const auto v = rfCode();
        if (!v) return std::nullopt;
        return drei(*v, {}, {}, komma);
    }
    case 15: {
        const QString v = text("Blutgruppe");
        if (v.isEmpty()) return std::nullopt;
        return drei(v, L("Blutgruppe:", "Blood group:"), L("Blutgruppe: ", "Blood group: "),
                    L(",  Blutgruppe: ", ",  Blood group: "));
    }
    case 16: {
        const QString v = text("Tests");
        if (v.isEmpty()) return std::nullopt;
        return drei(v, {}, {}, komma);
    }
    case 17: {
        const QString v = text("ChipNr");
        if (v.isEmpty()) return std::nullopt;
        return drei(v, L("Chip-Nr.:", "Chip-No.:"), L("Chip-Nr.: ", "Chip-No.: "),
                    L(",  Chip-Nr.: ", ",  Chip-No.: "));
    }
    case 18: {
        const QDate d = dbKatze.asDate(QStringLiteral("Toddatum"));
        if (!d.isValid()) return std::nullopt;
        return drei(datum(d), L("gest.: ", "died: "), L("gest.: ", "died: "), L(",  gest.: ", ",  died: "));
    }
    case 20: {
        const auto v = merkmalText();
        if (!v) return std::nullopt;
        return drei(*v, {}, {}, komma);
    }
    case 21: {
        const QString v = text("TaetoNr");
        if (v.isEmpty()) return std::nullopt;
        return drei(v, L("Täto-Nr.: ", "Tattoo-No.: "), L("Täto-Nr.: ", "Tattoo-No.: "),
                    L(",  Täto-Nr.: ", ",  Tattoo-No.: "));
    }
    case 22: {
        if (dbKatze.asInt(QStringLiteral("Fellart")) <= 0) return std::nullopt;
        const QString v = dbKatze.asString(QStringLiteral("FellartAnzeige"));
        return drei(v, L("Haarart: ", "Type of coat: "), L("Haarart: ", "Type of coat: "),
                    L(",  Haarart: ", ",  Type of coat: "));
    }
    case kGekauft:
    case kVerkauft: {
        const QDate d =
            dbKatze.asDate(item == kGekauft ? QStringLiteral("gekauft") : QStringLiteral("verkauft"));
        if (!d.isValid()) return std::nullopt;
        return komma + datum(d);
    }
    default: // 1 is the title prefix, 19 belongs to the pedigree lists
        return std::nullopt;
    }
}

void TDatenGlobal::Katzendaten(int typ, int KatzeNr, const QString& Zusatz, bool& TitelVorh, int Generation,
                               bool ChangeSprache, int& TitelNr) {
    daten.clear();
    bild.clear();
    if (!katzeSuchen(KatzeNr)) return;
    rasseSuchen();

    const settings::Reihenfolge22& ordnung =
        typ == 5 ? m_einstellungen.StammbaumDruckenArray : m_einstellungen.stammbaumAnzeigeArray;
    const auto gewaehlt = [&ordnung](int item) {
        return std::find(ordnung.begin(), ordnung.end(), item) != ordnung.end();
    };
    const QString praefix = titelPraefix(gewaehlt(1));
    TitelVorh = !praefix.isEmpty();

    TitelNr = 0;
    for (const char* feld : {"TitelGer1", "TitelUSA1", "TitelUSA3"}) {
        const QString t = dbKatze.asString(QString::fromUtf8(feld));
        if (t.isEmpty()) continue;
        TitelNr = t.toInt();
        break;
    }

    const QString name = dbKatze.asString(QStringLiteral("Name"));
    const bool html = typ == 5;
    if (!html) {
        daten << praefix + name + QStringLiteral(" {") + QString::number(dbKatze.asInt(kLaufendeNummer)) +
                     QLatin1Char('}');
    } else {
        const QString q = QStringLiteral("\"");
        const QString schluss = Generation == 1 ? QStringLiteral("</P>") : QStringLiteral("<BR>");
        if (TitelVorh) {
            const QString farbe = m_einstellungen.TitelRot ? htmlFarbe(255) : htmlFarbe(htmlNamensFarbe);
            daten << QStringLiteral("<font color=") + q + farbe + q + QStringLiteral("> <strong>") +
                         QString(praefix + name).toHtmlEscaped() + QStringLiteral("</strong>") + schluss;
        } else {
            daten << QStringLiteral("<font color=") + q + htmlFarbe(htmlNamensFarbe) + q +
                         QStringLiteral("><strong>") + name.toHtmlEscaped() + QStringLiteral("</strong>") +
                         schluss;
        }
    }

    // In the HTML pedigree the outer generations get fewer lines, so the table cells stay small.
    int grenze = 0;
    if (Generation <= 3)
        grenze = std::numeric_limits<int>::max();
    else if (Generation == 4)
        grenze = htmlGenerationen == 4 ? 1 : htmlGenerationen == 5 ? 2 : htmlGenerationen == 6 ? 3 : 0;
    int zaehler = 1;
    const bool rassecode = gewaehlt(12);
    for (const quint8 item : ordnung) {
        if (item == 0) break;
        if (html && zaehler > grenze) break;
        const auto z = zeile(html ? Form::Html : Form::Liste, item, Generation, ChangeSprache, rassecode);
        if (!z) continue;
        daten << *z;
        ++zaehler;
    }

    if (typ == 2)
        for (int i = 0; i < daten.size() && i < 8; ++i)
            daten[i].prepend(Zusatz);

    // Feld2 names the picture the user chose; without a choice the first existing file is taken.
    if (m_bilderVerknuepft && DBBild.isOpen()) {
        const int wahl = dbKatze.asInt(QStringLiteral("Feld2"));
        int position = 0;
        for (DBBild.first(); DBBild.hasRecord() && !DBBild.eof(); DBBild.next()) {
            ++position;
            const QString pfad = DBBild.asString(QStringLiteral("Bildpfad"));
            if (bild.isEmpty() && !pfad.isEmpty() && QFileInfo::exists(pfad)) bild = pfad;
            if (position == wahl) bild = pfad;
        }
    }
}

void TDatenGlobal::KatzendatenVerp(int KatzeNr, const QString& Zusatz, bool& TitelVorh) {
    daten.clear();
    if (!katzeSuchen(KatzeNr)) return;
    rasseSuchen();

    const settings::Reihenfolge23& ordnung = m_einstellungen.verpaarungAnzeigeArray;
    const auto gewaehlt = [&ordnung](int item) {
        return std::find(ordnung.begin(), ordnung.end(), item) != ordnung.end();
    };
    const QString praefix = titelPraefix(gewaehlt(1));
    TitelVorh = !praefix.isEmpty();
    daten << praefix + dbKatze.asString(QStringLiteral("Name"));

    for (const quint8 item : ordnung) {
        if (item == 0) break;
        // the mating list has purchase and sale where the pedigree lists have 19 and 20
        int nr = item;
        if (item == 19)
            nr = kGekauft;
        else if (item == 20)
            nr = kVerkauft;
        else if (item > 20)
            nr = item - 1;
        const auto z = zeile(Form::Verpaarung, nr, 0, false, gewaehlt(12));
        if (z) daten << *z;
    }
}

// ---------------------------------------------------------------------------------------------- breeds

void TDatenGlobal::HaarartErgaenzen() {
    if (!dbRasse.isOpen()) return;
    // The cursor is read-only for everybody else; it becomes writable for the completion only.
    const bool warNurLesen = dbRasse.openMode() == Table::OpenMode::ReadOnly;
    const qint64 start = dbRasse.hasRecord() ? dbRasse.recordId() : 0;
    const bool amEnde = dbRasse.eof();
    if (warNurLesen) {
        dbRasse.close();
        try {
            dbRasse.open(Table::OpenMode::Shared);
        } catch (const store::DatabaseError& e) {
            fehlerMelden(e, dbRasse.tableName());
            dbRasse.open(Table::OpenMode::ReadOnly);
            return;
        }
        dbRasse.setIndexName(QString());
        if (start) dbRasse.gotoRecordId(start);
    }

    if (m_db.tableExists(QStringLiteral("rasseergaenzen"))) {
        try {
            dbTMP.open(Table::OpenMode::ReadOnly);
            dbTMP.setIndexName(QStringLiteral("RasseName"));
        } catch (const store::DatabaseError& e) {
            dbTMP.close();
            fehlerMelden(e, dbTMP.tableName());
        }
    }
    if (!amEnde)
        store::haarartErgaenzen(dbRasse, &dbTMP, [this](const store::DatabaseError& e, const QString& datei) {
            fehlerMelden(e, datei);
        });
    dbTMP.close();

    if (warNurLesen) {
        dbRasse.close();
        dbRasse.open(Table::OpenMode::ReadOnly);
        dbRasse.setIndexName(QString());
    }
}

} // namespace velmora::common
