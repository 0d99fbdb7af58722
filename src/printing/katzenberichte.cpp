#include "printing/katzenberichte.h"

#include "register/zuchtbuch.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>

namespace velmora::printing {

// texte: feldname 6800-6836 6839-6894

namespace {

QString wert(const QVariantMap& z, const char* feld) {
    return z.value(QString::fromUtf8(feld)).toString();
}

QString datumWert(Druckquelle& q, const QVariantMap& z, const char* feld) {
    return q.datum(z.value(QString::fromUtf8(feld)).toDate());
}

QString zahlWert(const QVariantMap& z, const char* feld) {
    const QVariant v = z.value(QString::fromUtf8(feld));
    if (!v.isValid() || v.isNull() || v.toString().isEmpty()) return {};
    return QLocale(QLocale::German).toString(v.toDouble(), 'g', 10);
}

QString katzenName(Druckquelle& q, int nummer) {
    DruckKatze k;
    return q.katze(nummer, k) ? k.name : QString();
}

// The parent as the data sheet shows it: name with titles, then ", " and the coat colour when it is set.
QString elternZeile(Druckquelle& q, int nummer) {
    DruckKatze k;
    if (!q.katze(nummer, k)) return {};
    const QString n = Druckquelle::nameMitTiteln(k);
    return k.fellFarbe.isEmpty() ? n : n + QStringLiteral(", ") + k.fellFarbe;
}

Schrift listenSchrift() {
    Schrift s;
    s.groesse = 8.5;
    return s;
}

Bericht ergebnisListe(Druckquelle& q, const Druckauftrag& a, int ueberschrift, const char* titel,
                      const QString& tabelle, const QString& index, const QList<Spalte>& spalten,
                      const std::function<QStringList(const QVariantMap&)>& zeile) {
    DruckKatze k;
    q.katze(a.katze, k);
    Blatt b(q.vorgaben());
    // The caption and "von :" are two table texts: together they exceed a caption's length.
    const QString kopf = q.text(ueberschrift, titel) + QLatin1Char(' ') + q.text(6839, "von :") + QLatin1Char(' ') + k.name;
    b.titel(kopf);
    QList<QStringList> zeilen;
    for (const QVariantMap& z : q.zeilen(tabelle, index, {a.katze}, {a.katze}))
        zeilen << zeile(z);
    b.tabelle(spalten, zeilen, listenSchrift());
    return b.fertig(kopf);
}

// Owner block of the mating certificate: "Vorname Name", the street, ", Plz Ort", "Tel.: ...".
QString besitzerText(Druckquelle& q, const DruckKatze& k) {
    QString name, vorname, strasse, plz, ort, telefon;
    if (k.status == 1) {
        const EigeneDaten& e = q.eigene();
        name = e.name, vorname = e.vorname, strasse = e.strasse, plz = e.plz, ort = e.ort, telefon = e.telefon;
    } else {
        const QVariantMap m = q.adressFelder(k.besitzer);
        if (m.isEmpty()) return {};
        name = wert(m, "Name"), vorname = wert(m, "Vorname"), strasse = wert(m, "Strasse");
        plz = wert(m, "Plz"), ort = wert(m, "Ort"), telefon = wert(m, "Telefon");
    }
    QString t = vorname.isEmpty() ? name : vorname + QLatin1Char(' ') + name;
    if (!strasse.isEmpty()) t += QLatin1Char('\n') + strasse;
    if (!plz.isEmpty() || !ort.isEmpty()) t += QStringLiteral(", ") + plz + QLatin1Char(' ') + ort;
    if (!telefon.isEmpty()) t += QStringLiteral("\nTel.: ") + telefon;
    return t;
}

void deckscheinKatze(Blatt& b, Druckquelle& q, const DruckKatze& k) {
    constexpr double label = 55.0;
    b.feld(q.text(6860, "Name"), k.name, label);
    b.feld(q.text(6806, "Rasse"), k.rasseName, label);
    b.feld(q.text(6807, "Zuchtbuchnummer 1"), k.zb1, label);
    b.feld(q.text(6815, "Chip-Nr."), k.chip, label);
    b.feld(q.text(6861, "Täto-Nr."), k.taeto, label);
    b.feld(q.text(6810, "Geburtsdatum"), q.datum(k.gebDatum), label);
    b.feld(q.text(6809, "Fellfarbe"), k.fellFarbe, label);
    QString titel = k.titel;
    const QString bew = q.bewertung(k.nummer);
    if (!bew.isEmpty()) titel += (titel.isEmpty() ? QString() : QStringLiteral(" / ")) + bew;
    b.feld(q.text(6862, "Titel und Auszeichnungen"), titel, label);
    b.feld(q.text(6805, "Besitzer"), besitzerText(q, k), label);
}

} // namespace

int gewaehlterWurf(Druckquelle& q, int katze, int wurf) {
    const auto alle = q.zeilen(QStringLiteral("wurfbuch"), QStringLiteral("KatzeIdx"), {katze}, {katze});
    for (const QVariantMap& z : alle)
        if (wurf && z.value(QStringLiteral("LaufendeNummer")).toInt() == wurf) return wurf;
    return alle.isEmpty() ? 0 : alle.last().value(QStringLiteral("LaufendeNummer")).toInt();
}

int gewaehlteDeckung(Druckquelle& q, int kater, int deckung) {
    const auto alle = q.zeilen(QStringLiteral("deckbuch"), QStringLiteral("KaterDecktermin"), {kater}, {kater});
    for (const QVariantMap& z : alle)
        if (deckung && z.value(QStringLiteral("LaufendeNummer")).toInt() == deckung) return deckung;
    return alle.isEmpty() ? 0 : alle.last().value(QStringLiteral("LaufendeNummer")).toInt();
}

std::pair<QString, QString> wurfzahlen(const QString& feld) {
    const QString t = feld.trimmed();
    if (t.isEmpty()) return {QStringLiteral("0"), QStringLiteral("0")};
    const qsizetype strich = t.indexOf(QLatin1Char('/'));
    if (strich < 0) return {t, QStringLiteral("0")};
    const QString m = t.left(strich).trimmed(), w = t.mid(strich + 1).trimmed();
    return {m.isEmpty() ? QStringLiteral("0") : m, w.isEmpty() ? QStringLiteral("0") : w};
}

// ------------------------------------------------------------------------------------------ data sheet

Bericht TReportStammdaten::erstellen(Druckquelle& q, const Druckauftrag& a) {
    DruckKatze k;
    q.katze(a.katze, k);
    Blatt b(q.vorgaben());
    b.titel(q.text(6800, "Katzendaten"), 11.0);
    const QString bild = q.einstellungen().StammbaumBild ? q.druckbild(k) : QString();
    Schrift gross = b.grundschrift();
    gross.groesse = 16.0;
    gross.fett = true;
    const double zh = Blatt::zeilenhoehe(gross);
    // The name beside the picture, or over the whole width without one.
    const double bildSeite = 45.0;
    const double breite = bild.isEmpty() ? b.inhalt().width() : b.inhalt().width() - bildSeite - 5.0;
    const QStringList zeilen = zeilenUmbrechen(Druckquelle::nameMitTiteln(k), breite, gross, b.messen());
    const double hoehe = std::max(zeilen.size() * zh, bild.isEmpty() ? 0.0 : bildSeite) + 3.0;
    const QRectF r = b.platz(hoehe);
    for (int i = 0; i < zeilen.size(); ++i)
        b.seite().text(QRectF(r.left(), r.top() + i * zh, breite, zh), zeilen[i], gross, HAusrichtung::Links,
                       VAusrichtung::Mitte);
    if (!bild.isEmpty()) b.seite().bild(QRectF(r.right() - bildSeite, r.top(), bildSeite, bildSeite), bild);

    b.feld(q.text(6801, "Geschlecht"), q.geschlechtWort(k.geschlecht));
    b.feld(q.text(6802, "Vater"), elternZeile(q, k.vater));
    b.feld(q.text(6803, "Mutter"), elternZeile(q, k.mutter));
    b.feld(q.text(6804, "Züchter"), q.zuechterBlock(k).value(0));
    b.feld(q.text(6805, "Besitzer"), q.besitzerBlock(k).value(0));
    b.feld(q.text(6818, "Merkmale"), q.merkmale(k.nummer, false).join(QStringLiteral(" / ")));
    b.abstand(2.0);
    const std::pair<int, std::pair<const char*, QString>> felder[] = {
        {6806, {"Rasse", k.rasseName}},
        {6807, {"Zuchtbuchnummer 1", k.zb1}},
        {6808, {"Zuchtbuchnummer 2", k.zb2}},
        {6809, {"Fellfarbe", k.fellFarbe}},
        {6810, {"Geburtsdatum", q.datum(k.gebDatum)}},
        {6811, {"Augenfarbe", k.augenfarbe}},
        {6812, {"Blutgruppe", k.blutgruppe}},
        {6815, {"Chip-Nr.", k.chip}},
        {6813, {"Tests", k.tests}},
        {6814, {"Gencode", k.gencode}},
        {6816, {"Gewicht", k.gewicht}},
        {6817, {"Größe", k.groesse}},
        {6819, {"Zuchtsperre:", q.datum(k.zzlDatum)}}};
    for (const auto& [nr, f] : felder)
        b.feld(q.text(nr, f.first), f.second);
    return b.fertig(k.name);
}

// ------------------------------------------------------------------------------------------ weight table

Bericht TReportWurfbuch::erstellen(Druckquelle& q, const Druckauftrag& a) {
    DruckKatze k;
    q.katze(a.katze, k);
    Blatt b(q.vorgaben());
    const QString titel = q.text(6820, "Wurfbuch von") + QLatin1Char(' ') + k.name;
    b.titel(titel);
    const int nr = gewaehlterWurf(q, a.katze, a.wurf);
    QVariantMap w;
    for (const QVariantMap& z : q.zeilen(QStringLiteral("wurfbuch"), QStringLiteral("KatzeIdx"), {a.katze}, {a.katze}))
        if (z.value(QStringLiteral("LaufendeNummer")).toInt() == nr) w = z;
    const settings::tsysteminfo& e = q.einstellungen();
    const reg::Zuchttage tage{e.TageNaechsteRolligkeit, e.TageNRplusMinus, e.TageTraechtigkeit, e.TagebisAbgabetermin};
    const QDate wurftag = w.value(QStringLiteral("Wurftag")).toDate();
    b.feld(q.text(6821, "Beginn Rolligkeit"), datumWert(q, w, "BeginnRollig"));
    b.feld(q.text(6822, "Decktermin"), datumWert(q, w, "Decktermin"));
    b.feld(q.text(6823, "Wurftermin"), q.datum(reg::erwarteterWurf(w.value(QStringLiteral("Decktermin")).toDate(), tage)));
    b.feld(q.text(6824, "Wurftag"), q.datum(wurftag));
    b.feld(q.text(6825, "Kater"), katzenName(q, w.value(QStringLiteral("Kater")).toInt()));
    b.feld(q.text(6826, "Bemerkung"), wert(w, "Bemerkung"));
    b.feld(q.text(6827, "Verfassung der Mutter"), wert(w, "Verfassung"));
    b.feld(q.text(6828, "Wurfbezeichnung"), wert(w, "Wurfbez"));
    b.feld(q.text(6829, "Wurfstärke"), wert(w, "Wurfstaerke"));
    b.feld(q.text(6833, "Totgeboren"), wert(w, "Totgeboren"));
    b.feld(q.text(6834, "Verendet"), wert(w, "Verendet"));
    b.abstand(3.0);
    QList<Spalte> spalten{{q.text(6835, "Wiegedatum"), 22.0}};
    for (int i = 1; i <= 10; ++i)
        spalten << Spalte{QString::number(i), 14.0, HAusrichtung::Rechts};
    spalten << Spalte{q.text(6836, "Alter"), 26.0};
    QList<QStringList> zeilen;
    if (wurftag.isValid())
        for (const QVariantMap& z : q.zeilen(QStringLiteral("jungtier"), QStringLiteral("MutterkatzeDatum"),
                                             {a.katze, wurftag}, {a.katze, wurftag})) {
            const QDate tag = z.value(QStringLiteral("Wiegedatum")).toDate();
            QStringList t{q.datum(tag)};
            for (int i = 1; i <= 10; ++i)
                t << z.value(QStringLiteral("Katze%1").arg(i)).toString();
            t << q.alterText(wurftag, tag);
            zeilen << t;
        }
    b.tabelle(spalten, zeilen, listenSchrift());
    return b.fertig(titel);
}

// ------------------------------------------------------------------------------------------ show results

Bericht TReportTradRichtenListe::erstellen(Druckquelle& q, const Druckauftrag& a) {
    return ergebnisListe(q, a, 6840, "Ausstellungsergebnisse Trad. Richten", QStringLiteral("kausstel"),
                         QStringLiteral("KatzeDatum"),
                         {{q.text(6841, "Datum"), 22.0},
                          {q.text(6842, "Ausstellungsort"), 40.0},
                          {q.text(6843, "Verein"), 40.0},
                          {q.text(6844, "Richter"), 35.0},
                          {q.text(6845, "Bewertung"), 53.0}},
                         [&q](const QVariantMap& z) {
                             return QStringList{datumWert(q, z, "Datum"), wert(z, "Ausstellungsort"),
                                                wert(z, "Verein"), wert(z, "Richter"), wert(z, "Bewertung")};
                         });
}

Bericht TReportTICAListe::erstellen(Druckquelle& q, const Druckauftrag& a) {
    return ergebnisListe(q, a, 6846, "Ausstellungsergebnisse TICA-Ringrichten", QStringLiteral("cfatica"),
                         QStringLiteral("Katze"),
                         {{q.text(6847, "Verein"), 36.0},
                          {q.text(6841, "Datum"), 20.0},
                          {q.text(6844, "Richter"), 32.0},
                          {q.text(6848, "AB/SP"), 12.0},
                          {q.text(6849, "Katalognr."), 18.0},
                          {q.text(6850, "BOC"), 14.0, HAusrichtung::Rechts},
                          {q.text(6851, "BOD"), 14.0, HAusrichtung::Rechts},
                          {q.text(6852, "Finale"), 16.0, HAusrichtung::Rechts},
                          {q.text(6853, "Summe"), 16.0, HAusrichtung::Rechts}},
                         [&q](const QVariantMap& z) {
                             // The sum of the three placings, as the judging sheet adds them.
                             int summe = 0;
                             for (const char* f : {"BOC", "BOD", "Finale"})
                                 summe += z.value(QLatin1String(f)).toInt();
                             return QStringList{wert(z, "Vereinsname"), datumWert(q, z, "Datum"), wert(z, "Richter"),
                                                wert(z, "ABorSP"),      wert(z, "CatEntryNr"),   wert(z, "BOC"),
                                                wert(z, "BOD"),         wert(z, "Finale"),       QString::number(summe)};
                         });
}

Bericht TReportCFAListe::erstellen(Druckquelle& q, const Druckauftrag& a) {
    return ergebnisListe(q, a, 6854, "Ausstellungsergebnisse CFA", QStringLiteral("cfa"),
                         QStringLiteral("Katze"),
                         {{q.text(6847, "Verein"), 28.0},
                          {q.text(6841, "Datum"), 18.0},
                          {q.text(6844, "Richter"), 24.0},
                          {q.text(6848, "AB/SP"), 10.0},
                          {q.text(6849, "Katalognr."), 15.0},
                          {q.text(6855, "Ring"), 14.0},
                          {q.text(6856, "Division"), 20.0},
                          {q.text(6857, "Grand-Punkte"), 16.0, HAusrichtung::Rechts},
                          {q.text(6858, "Show-Punkte"), 16.0, HAusrichtung::Rechts},
                          {q.text(6859, "Anmerkung"), 29.0}},
                         [&q](const QVariantMap& z) {
                             return QStringList{wert(z, "Vereinsname"),   datumWert(q, z, "Datum"),
                                                wert(z, "Richter"),       wert(z, "ABorSP"),
                                                wert(z, "CatEntryNr"),    wert(z, "Ringergebnis"),
                                                wert(z, "DivisionErgebnis"), zahlWert(z, "GrandPunkte"),
                                                zahlWert(z, "ShowPunkte"), wert(z, "Anmerkung")};
                         });
}

// ------------------------------------------------------------------------------------------ cat list

Bericht TReportKatzenListe::erstellen(Druckquelle& q, const Druckauftrag& a) {
    Blatt b(q.vorgaben(Seitenausrichtung::Querformat));
    // The title is made afresh each time, so a status suffix is never added twice.
    const QString titel = q.text(6863, "Katzendaten - Liste") + a.listenZusatz;
    b.titel(titel, 12.0);
    const QList<Spalte> spalten{{q.text(6860, "Name"), 34.0},         {q.text(6864, "Zwinger"), 20.0},
                                {q.text(6810, "Geburtsdatum"), 17.0}, {q.text(6801, "Geschlecht"), 14.0},
                                {q.text(6809, "Fellfarbe"), 22.0},    {q.text(6807, "Zuchtbuchnummer 1"), 20.0},
                                {q.text(6802, "Vater"), 24.0},        {q.text(6803, "Mutter"), 24.0},
                                {q.text(6804, "Züchter"), 20.0},      {q.text(6815, "Chip-Nr."), 18.0},
                                {q.text(6805, "Besitzer"), 20.0},     {q.text(6806, "Rasse"), 18.0},
                                {q.text(6812, "Blutgruppe"), 11.0}};
    QList<QStringList> zeilen;
    for (int nr : a.liste) {
        DruckKatze k;
        if (!q.katze(nr, k)) continue;
        zeilen << QStringList{k.name,  k.zwinger, q.datum(k.gebDatum), q.geschlechtWort(k.geschlecht), k.fellFarbe,
                              k.zb1,   katzenName(q, k.vater), katzenName(q, k.mutter), q.zuechterBlock(k).value(0), k.chip,
                              q.besitzerBlock(k).value(0), k.rasseName, k.blutgruppe};
    }
    Schrift s = listenSchrift();
    s.groesse = 7.5;
    b.tabelle(spalten, zeilen, s);
    return b.fertig(titel.trimmed());
}

// ------------------------------------------------------------------------------------------ litter data

Bericht TReportWurfdaten::erstellen(Druckquelle& q, const Druckauftrag& a) {
    DruckKatze k;
    q.katze(a.katze, k);
    Blatt b(q.vorgaben());
    const QString titel = q.text(6865, "Wurfdaten");
    b.titel(titel);
    const int nr = gewaehlterWurf(q, a.katze, a.wurf);
    QVariantMap w;
    for (const QVariantMap& z : q.zeilen(QStringLiteral("wurfbuch"), QStringLiteral("KatzeIdx"), {a.katze}, {a.katze}))
        if (z.value(QStringLiteral("LaufendeNummer")).toInt() == nr) w = z;

    // The breeder: the user for an own cat, else the cat's owner, else unknown.
    QString zwinger, name, strasse, ort;
    if (k.status == 1) {
        const EigeneDaten& e = q.eigene();
        zwinger = e.zwinger;
        name = QString(e.vorname + QLatin1Char(' ') + e.name).trimmed();
        strasse = e.strasse;
        ort = QString(e.plz + QLatin1Char(' ') + e.ort).trimmed();
    } else if (const QVariantMap m = q.adressFelder(k.besitzer); k.besitzer && !m.isEmpty()) {
        zwinger = wert(m, "Zwinger");
        name = wert(m, "Vorname").isEmpty() ? wert(m, "Name") : wert(m, "Vorname") + QLatin1Char(' ') + wert(m, "Name");
        strasse = wert(m, "Strasse");
        ort = QString(wert(m, "Plz") + QLatin1Char(' ') + wert(m, "Ort")).trimmed();
    } else {
        name = q.text(6866, "unbekannt");
    }
    b.zwischentitel(q.text(6804, "Züchter"));
    b.feld(q.text(6864, "Zwinger"), zwinger);
    b.feld(q.text(6860, "Name"), name);
    b.feld(q.text(6867, "Straße"), strasse);
    b.feld(q.text(6868, "PLZ Ort"), ort);

    b.zwischentitel(q.text(6869, "Wurf"));
    const QDate d1 = w.value(QStringLiteral("Decktermin")).toDate(), d2 = w.value(QStringLiteral("Decktermin2")).toDate();
    b.feld(q.text(6822, "Decktermin"), d2.isValid() ? q.datum(d1) + QLatin1Char(' ') + q.datum(d2) : q.datum(d1));
    b.feld(q.text(6824, "Wurftag"), datumWert(q, w, "Wurftag"));
    b.feld(q.text(6828, "Wurfbezeichnung"), wert(w, "Wurfbez"));
    QList<QStringList> zahlen;
    const std::pair<int, std::pair<const char*, const char*>> zaehler[] = {
        {6829, {"Wurfstärke", "Wurfstaerke"}},   {6833, {"Totgeboren", "Totgeboren"}},
        {6870, {"Eingeschläfert", "Eingeschlaefert"}}, {6834, {"Verendet", "Verendet"}},
        {6871, {"Ammenaufzucht", "Ammenaufzucht"}}, {6872, {"Verblieben", "Verblieben"}},
        {6873, {"Endabnahme", "Endabnahme"}}};
    for (const auto& [t, f] : zaehler) {
        const auto [m, wb] = wurfzahlen(wert(w, f.second));
        zahlen << QStringList{q.text(t, f.first), m, wb};
    }
    b.abstand(2.0);
    b.tabelle({{QString(), 50.0}, {q.text(6874, "männlich"), 25.0, HAusrichtung::Rechts},
               {q.text(6875, "weiblich"), 25.0, HAusrichtung::Rechts}},
              zahlen, listenSchrift());

    // Three generations each side; a position without a cat leaves it and its ancestors empty.
    b.zwischentitel(q.text(6876, "Ahnen"));
    struct Position {
        const char* kuerzel;
        int nummer;
    };
    QList<QStringList> ahnen;
    auto seite = [&](int start, const char* namen[7]) {
        int nummern[7] = {start, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            DruckKatze p;
            if (nummern[i] && q.katze(nummern[i], p)) {
                nummern[2 * i + 1] = p.vater;
                nummern[2 * i + 2] = p.mutter;
            }
        }
        for (int i = 0; i < 7; ++i) {
            DruckKatze p;
            const bool da = nummern[i] && q.katze(nummern[i], p);
            ahnen << QStringList{QString::fromUtf8(namen[i]), da ? p.name : QString(), da ? p.zb1 : QString(),
                                 da ? p.fellFarbe : QString(),
                                 da ? q.merkmale(p.nummer, true).join(QStringLiteral(" / ")) : QString()};
        }
    };
    const char* vaterSeite[7] = {"Vater", "VV", "VM", "VVV", "VVM", "VMV", "VMM"};
    const char* mutterSeite[7] = {"Mutter", "MV", "MM", "MVV", "MVM", "MMV", "MMM"};
    seite(w.value(QStringLiteral("Kater")).toInt(), vaterSeite);
    // The mother's side: the positions above her own parents are read from the current cat.
    seite(a.katze, mutterSeite);
    b.tabelle({{QString(), 14.0},
               {q.text(6860, "Name"), 70.0},
               {q.text(6807, "Zuchtbuchnummer 1"), 32.0},
               {q.text(6809, "Fellfarbe"), 42.0},
               {q.text(6818, "Merkmale"), 32.0}},
              ahnen, listenSchrift());
    return b.fertig(titel + QLatin1Char(' ') + k.name);
}

// ------------------------------------------------------------------------------------------ mating book

Bericht TReportDeckbuch::erstellen(Druckquelle& q, const Druckauftrag& a) {
    DruckKatze k;
    q.katze(a.katze, k);
    Blatt b(q.vorgaben());
    const QString titel = q.text(6877, "Deckbuch von :") + QLatin1Char(' ') + k.name;
    b.titel(titel);
    const settings::tsysteminfo& e = q.einstellungen();
    const reg::Zuchttage tage{e.TageNaechsteRolligkeit, e.TageNRplusMinus, e.TageTraechtigkeit, e.TagebisAbgabetermin};
    QList<QStringList> zeilen;
    for (const QVariantMap& z :
         q.zeilen(QStringLiteral("deckbuch"), QStringLiteral("KaterDecktermin"), {a.katze}, {a.katze}))
        zeilen << QStringList{datumWert(q, z, "Decktermin"), katzenName(q, z.value(QStringLiteral("Katze")).toInt()),
                              q.datum(reg::erwarteterWurf(z.value(QStringLiteral("Decktermin")).toDate(), tage)),
                              wert(z, "Erfolge"), wert(z, "Bemerkung"), datumWert(q, z, "Wurftag")};
    b.tabelle({{q.text(6822, "Decktermin"), 22.0},
               {q.text(6878, "Katze"), 50.0},
               {q.text(6823, "Wurftermin"), 22.0},
               {q.text(6879, "Erfolge"), 22.0},
               {q.text(6826, "Bemerkung"), 52.0},
               {q.text(6824, "Wurftag"), 22.0}},
              zeilen, listenSchrift());
    return b.fertig(titel);
}

// ------------------------------------------------------------------------------------------ certificate

std::optional<Bericht> TReportDeckschein::erstellen(Druckquelle& q, const Druckauftrag& a, QString* fehler) {
    // The free text is read first: a file that is there but cannot be read stops the certificate.
    QString freitext;
    const QString datei = QDir(q.db().directory()).filePath(QStringLiteral("deckschein.txt"));
    if (QFileInfo::exists(datei)) {
        QFile f(datei);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            if (fehler) *fehler = datei + QStringLiteral(": ") + f.errorString();
            return std::nullopt;
        }
        freitext = QString::fromUtf8(f.readAll()).trimmed();
    }
    DruckKatze kater, katze;
    q.katze(a.katze, kater);
    const int nr = gewaehlteDeckung(q, a.katze, a.deckung);
    QVariantMap d;
    for (const QVariantMap& z :
         q.zeilen(QStringLiteral("deckbuch"), QStringLiteral("KaterDecktermin"), {a.katze}, {a.katze}))
        if (z.value(QStringLiteral("LaufendeNummer")).toInt() == nr) d = z;
    q.katze(d.value(QStringLiteral("Katze")).toInt(), katze);

    Blatt b(q.vorgaben());
    b.titel(q.text(6880, "DECKSCHEIN"), 18.0);
    b.zwischentitel(q.text(6881, "Deckkater"));
    deckscheinKatze(b, q, kater);
    b.abstand(2.0);
    b.absatz(q.text(6882, "hat am") + QLatin1Char(' ') + datumWert(q, d, "Decktermin"));
    b.zwischentitel(q.text(6883, "Katze"));
    deckscheinKatze(b, q, katze);
    b.abstand(2.0);
    b.absatz(q.text(6884, "gedeckt."));
    if (!freitext.isEmpty()) {
        b.abstand(4.0);
        b.absatz(freitext);
    }
    b.abstand(14.0);
    const QRectF r = b.platz(12.0);
    b.seite().linie(QPointF(r.left(), r.top()), QPointF(r.left() + 90.0, r.top()), 0.2);
    b.seite().text(QRectF(r.left(), r.top() + 1.0, 90.0, 5.0), q.text(6885, "Unterschrift des Deckkaterbesitzers:"),
                   b.grundschrift());
    b.seite().text(QRectF(r.left() + 110.0, r.top() + 1.0, r.width() - 110.0, 5.0),
                   q.text(6841, "Datum") + QLatin1Char(' ') + q.datum(q.heute), b.grundschrift());
    return b.fertig(q.text(6880, "DECKSCHEIN") + QLatin1Char(' ') + kater.name);
}

} // namespace velmora::printing
