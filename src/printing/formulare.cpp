#include "printing/formulare.h"

#include "printing/blatt.h"

#include <QLocale>

namespace velmora::printing {

// texte: feldname 6700-6715 6900-6938 6940-6988 6990-6994

namespace {

using Art = Formularfeld::Art;

Formularfeld text(Druckquelle& q, int nr, const char* name, const char* deutsch, const QString& wert = {}) {
    return {QLatin1String(name), q.text(nr, deutsch), Art::Text, wert, {}};
}
Formularfeld haken(Druckquelle& q, int nr, const char* name, const char* deutsch) {
    return {QLatin1String(name), q.text(nr, deutsch), Art::Haken, {}, {}};
}
Formularfeld janein(Druckquelle& q, int nr, const char* name, const char* deutsch) {
    return {QLatin1String(name), q.text(nr, deutsch), Art::Wahl, {}, {q.text(6990, "ja"), q.text(6991, "nein")}};
}

// Sex word of the show entry forms: German as the data sheet, English words for English, Dutch words
// for Dutch.
QString meldeGeschlecht(Druckquelle& q, const QString& code) {
    static const char* woerter[3][4] = {{"männlich", "weiblich", "Kastrat männlich", "Kastrat weiblich"},
                                        {"male", "female", "neutered male", "spayed female"},
                                        {"kater", "poes", "gecastreerde kater", "gesteriliseerde poes"}};
    const int i = code.toInt();
    if (code.size() != 1 || i < 1 || i > 4) return {};
    return QString::fromUtf8(woerter[std::clamp(q.sprache(), 0, 2)][i - 1]);
}

QString mitTiteln(Druckquelle& q, int nummer) {
    DruckKatze k;
    return q.katze(nummer, k) ? Druckquelle::nameMitTiteln(k) : QString();
}

QString farbeVon(Druckquelle& q, int nummer) {
    DruckKatze k;
    return q.katze(nummer, k) ? k.fellFarbe : QString();
}

QString wertAus(const QVariantMap& m, const char* f) {
    return m.value(QLatin1String(f)).toString();
}

void eigeneFehlen(Druckquelle& q, Formular& f) {
    if (!q.eigene().vorhanden) f.fehlend << q.text(6901, "keine eigenen Daten (Benutzerdaten)");
}

} // namespace

Formularfeld* Formular::feld(const QString& n) {
    for (Formularabschnitt& a : abschnitte)
        for (Formularfeld& f : a.felder)
            if (f.name == n) return &f;
    return nullptr;
}

QString Formular::wert(const QString& n) const {
    for (const Formularabschnitt& a : abschnitte)
        for (const Formularfeld& f : a.felder)
            if (f.name == n) return f.wert;
    return {};
}

QString vaterTitel(const DruckKatze& v) {
    static const char* ger[] = {"Ch.", "Int.Ch.", "Gr.Int.Ch.", "Euro.Ch.", "Gr.Er.Ch.", "World Ch."};
    static const char* usa[] = {"CH", "GRC", "DGC", "TGC", "QGC", "SGC"};
    const bool kater = v.geschlecht == QLatin1String("1");
    auto titel = [](const QString& code, const char* const* liste) {
        bool ok = false;
        const int n = code.toInt(&ok);
        return ok && n >= 1 && n <= 6 ? QString::fromUtf8(liste[n - 1]) : QString();
    };
    const QString a = titel(kater ? v.titelGer1 : v.titelGer2, ger);
    const QString b = titel(kater ? v.titelUsa1 : v.titelUsa2, usa);
    if (!a.isEmpty() && !b.isEmpty()) return a + QLatin1Char('/') + b;
    return a.isEmpty() ? b : a;
}

// ------------------------------------------------------------------------------------------ litter

Formular wurfmeldungVorbelegen(Druckquelle& q, const Druckauftrag& a) {
    Formular f;
    f.name = QStringLiteral("FormWurfmeldung");
    f.titel = q.text(6900, "Wurfmeldung und Antrag auf Ahnentafel");
    f.layouts = {QStringLiteral("Standard"), QStringLiteral("1. DEKZV"), QStringLiteral("D.R.U.")};
    DruckKatze mutter, vater;
    q.katze(a.katze, mutter);
    const int wurfNr = gewaehlterWurf(q, a.katze, a.wurf);
    QVariantMap w;
    for (const QVariantMap& z : q.zeilen(QStringLiteral("wurfbuch"), QStringLiteral("KatzeIdx"), {a.katze}, {a.katze}))
        if (z.value(QStringLiteral("LaufendeNummer")).toInt() == wurfNr) w = z;
    if (w.isEmpty()) f.fehlend << q.text(6902, "kein Wurf gewählt");
    const bool kater = q.katze(w.value(QStringLiteral("Kater")).toInt(), vater);
    if (!w.isEmpty() && !kater) f.fehlend << q.text(6903, "kein Kater zum Wurf");
    eigeneFehlen(q, f);

    const QStringList besitzer = q.besitzerBlock(mutter);
    f.abschnitte << Formularabschnitt{
        q.text(6803, "Mutter"),
        {text(q, 6904, "MutterName", "Name der Mutter", Druckquelle::nameMitTiteln(mutter)),
         text(q, 6806, "MutterRasse", "Rasse", mutter.rasseName),
         text(q, 6809, "MutterFarbe", "Fellfarbe", mutter.fellFarbe),
         text(q, 6807, "MutterZuchtbuch", "Zuchtbuchnummer 1", mutter.zb1),
         text(q, 6815, "MutterChip", "Chip-Nr.", mutter.chip),
         text(q, 6810, "MutterGebDatum", "Geburtsdatum", q.datum(mutter.gebDatum)),
         text(q, 6805, "MutterBesitzer", "Besitzer", besitzer.value(0)),
         text(q, 6867, "MutterStrasse", "Straße", besitzer.value(1)),
         text(q, 6905, "MutterOrt", "Ort", besitzer.value(2)),
         text(q, 6906, "MutterTelefon", "Telefon", besitzer.value(3)),
         text(q, 6907, "MutterFax", "Fax", besitzer.value(4)),
         text(q, 6908, "MutterZwingernummer", "Zwingernummer")}};

    QString vName, vStrasse, vOrt, vTelefon;
    if (kater && vater.status == 1) {
        const EigeneDaten& e = q.eigene();
        vName = e.name + QStringLiteral(", ") + e.vorname;
        vStrasse = e.strasse;
        vOrt = e.plz + QLatin1Char(' ') + e.ort;
        vTelefon = e.telefon;
    } else if (const QVariantMap m = q.adressFelder(vater.besitzer); kater && !m.isEmpty()) {
        vName = wertAus(m, "Name") + QStringLiteral(", ") + wertAus(m, "Vorname");
        vStrasse = wertAus(m, "Strasse");
        vOrt = wertAus(m, "Plz") + QLatin1Char(' ') + wertAus(m, "Ort");
        vTelefon = wertAus(m, "Telefon");
    }
    const QString titel = vaterTitel(vater);
    f.abschnitte << Formularabschnitt{
        q.text(6802, "Vater"),
        {text(q, 6909, "VaterName", "Name des Vaters",
              kater ? (titel.isEmpty() ? vater.name : titel + QLatin1Char(' ') + vater.name) : QString()),
         text(q, 6806, "VaterRasse", "Rasse", vater.rasseName),
         text(q, 6809, "VaterFarbe", "Fellfarbe", vater.fellFarbe),
         text(q, 6807, "VaterZuchtbuch", "Zuchtbuchnummer 1", vater.zb1),
         text(q, 6810, "VaterGebDatum", "Geburtsdatum", q.datum(vater.gebDatum)),
         text(q, 6815, "VaterChip", "Chip-Nr.", vater.chip),
         text(q, 6805, "VaterBesitzer", "Besitzer", vName),
         text(q, 6867, "VaterStrasse", "Straße", vStrasse),
         text(q, 6905, "VaterOrt", "Ort", QString(vOrt).trimmed()),
         text(q, 6906, "VaterTelefon", "Telefon", vTelefon),
         text(q, 6908, "VaterZwingernummer", "Zwingernummer"),
         text(q, 6910, "VaterMitgliedsnummer", "Mitgliedsnummer")}};

    // Kittens: the queen's cats born on the litter's day, by sex code, at most ten.
    const QDate wurftag = w.value(QStringLiteral("Wurftag")).toDate();
    int m = 0, wb = 0;
    f.tabellenKopf = q.englisch() ? QStringList{QStringLiteral("Name"), QStringLiteral("Sex"), QStringLiteral("Breed"),
                                                QStringLiteral("Eye Color"), QStringLiteral("Color and pattern")}
                                  : QStringList{QStringLiteral("Name max 24 Zeichen"), QStringLiteral("Geschl."),
                                                QStringLiteral("Rasse"), QStringLiteral("Augenfarbe"),
                                                QStringLiteral("Fellfarbe und Zeichnung")};
    if (wurftag.isValid())
        for (const QVariantMap& z : q.zeilen(QStringLiteral("catstamm"), QStringLiteral("IDXMutterGebDatum"),
                                             {a.katze, wurftag}, {a.katze, wurftag})) {
            if (f.tabelle.size() == 10) break;
            DruckKatze k;
            q.katze(z.value(QStringLiteral("LaufendeNummer")).toInt(), k);
            const bool maennlich = k.geschlecht == QLatin1String("1") || k.geschlecht == QLatin1String("3");
            (maennlich ? m : wb)++;
            const QString wort = q.sprache() == 2 ? QString()
                                 : maennlich     ? (q.englisch() ? QStringLiteral("male") : QStringLiteral("männlich"))
                                                 : (q.englisch() ? QStringLiteral("female") : QStringLiteral("weiblich"));
            f.tabelle << QStringList{k.name, wort, k.rasseName, k.augenfarbe, k.fellFarbe};
        }
    const EigeneDaten& e = q.eigene();
    f.abschnitte << Formularabschnitt{
        q.text(6869, "Wurf"),
        {text(q, 6911, "Deckdatum", "Deckdatum", q.datum(w.value(QStringLiteral("Decktermin")).toDate())),
         text(q, 6912, "Geburtsdatum", "Geburtsdatum", q.datum(wurftag)),
         text(q, 6913, "Jungtiere", "Jungtiere m./w.", QStringLiteral("%1/%2").arg(m).arg(wb)),
         text(q, 6910, "Mitgliedsnummer", "Mitgliedsnummer", e.mitgliedsnummer),
         text(q, 6914, "Zwingername", "Zwingername", e.zwinger)}};
    return f;
}

// ------------------------------------------------------------------------------------------ show entries

namespace {

Formularabschnitt ausstellung(Druckquelle& q) {
    return {q.text(6915, "Ausstellung"),
            {text(q, 6841, "AusstellungDatum", "Datum"), text(q, 6842, "Ausstellungsort", "Ausstellungsort"),
             text(q, 6843, "Verein", "Verein")}};
}

} // namespace

Formular meldeformularVorbelegen(Druckquelle& q, const Druckauftrag& a) {
    Formular f;
    f.name = QStringLiteral("FormMeldeformular");
    f.titel = q.text(6916, "Anmeldeformular - Katzenausstellung");
    f.layouts = {QStringLiteral("Standard"), QStringLiteral("FIFe"), QStringLiteral("D.R.U.")};
    eigeneFehlen(q, f);
    DruckKatze k;
    q.katze(a.katze, k);
    const EigeneDaten& e = q.eigene();
    f.abschnitte << ausstellung(q);
    Formularabschnitt tage{q.text(6917, "Meldung für"),
                           {haken(q, 6918, "Samstag", "Samstag"), haken(q, 6919, "Sonntag", "Sonntag")}};
    f.abschnitte << tage;
    f.abschnitte << Formularabschnitt{
        q.text(6715, "Aussteller"),
        {text(q, 6920, "Aussteller", "Aussteller:", e.vorhanden ? e.name + QStringLiteral(", ") + e.vorname : QString()),
         text(q, 6700, "Telefon", "Telefon:", e.telefon), text(q, 6701, "Strasse", "Straße:", e.strasse),
         text(q, 6702, "PlzOrt", "PLZ Ort:", QString(e.plz + QLatin1Char(' ') + e.ort).trimmed()),
         text(q, 6921, "Land", "Land:", e.land), text(q, 6922, "MitgliedBei", "Mitglied bei:", e.verein)}};
    f.abschnitte << Formularabschnitt{
        q.text(6878, "Katze"),
        {text(q, 6923, "NameKatze", "Name der Katze:", Druckquelle::nameMitTiteln(k)),
         text(q, 6703, "GebDatum", "Geb.Datum:", q.datum(k.gebDatum)), text(q, 6704, "Rasse", "Rasse:", k.rasseName),
         text(q, 6924, "Zuchtbuch", "Zuchtb.Nr:", k.zb1), text(q, 6705, "Chip", "Chip-Nr.:", k.chip),
         text(q, 6706, "Farbe", "Farbe:", k.fellFarbe),
         text(q, 6707, "Zuechter", "Züchter:", q.zuechterBlock(k).value(0)),
         text(q, 6708, "Augenfarbe", "Augenfarbe:", k.augenfarbe),
         text(q, 6709, "Geschlecht", "Geschlecht:", meldeGeschlecht(q, k.geschlecht)),
         text(q, 6710, "Vater", "Vater:", mitTiteln(q, k.vater)),
         text(q, 6925, "VaterFarbe", "Farbe (Vater):", farbeVon(q, k.vater)),
         text(q, 6711, "Mutter", "Mutter:", mitTiteln(q, k.mutter)),
         text(q, 6926, "MutterFarbe", "Farbe (Mutter):", farbeVon(q, k.mutter))}};
    f.abschnitte << Formularabschnitt{
        q.text(6927, "Käfige"),
        {text(q, 6928, "AnzahlTiere", "Anzahl gemeldeter Tiere:"), text(q, 6929, "Kaefige", "Einzel-/Doppelkäfige:"),
         text(q, 6930, "Plazierung", "Plazierungswunsch/Doppelkäfig mit:"),
         text(q, 6931, "Doppelkaefig1", "Doppelkäfig 1 Katze:"), text(q, 6932, "Doppelkaefig2", "/"),
         janein(q, 6933, "Verkaeuflich", "Verkäuflich")}};
    f.abschnitte << Formularabschnitt{q.text(6934, "Bankverbindung"),
                                      {text(q, 6935, "Bank", "Bank:"), text(q, 6936, "BLZ", "BLZ:"),
                                       text(q, 6937, "Konto", "Konto-Nr.:")}};
    static const char* klassen[] = {"Wurfklasse (ab 3 Tiere)",     "Babyklasse (Einzeljungtier)",
                                    "Kittenklasse (3-6 Mon.)",     "Jugendklasse (6-10 Mon.)",
                                    "Premioren Klasse (CAPIB)",    "Int. Ch. Klasse (CAGCIB)",
                                    "Int. Pr. Klasse (CAGPIB)",    "Gr.Int.Ch. Klasse (CACE)",
                                    "Euro.Ch. Klasse (CAGCE)",     "Euro.Pr. Klasse (CAGPE)",
                                    "Gr.Euro.Ch. Klasse (CACM)",   "Gr.Euro.Pr. Klasse (CAPM)",
                                    "Weltchampion",                "Weltpremior",
                                    "Hauskatzen",                  "Außer Konkurrenz",
                                    "Veteranenklasse (ab 7. J )",  "Novizenklasse (ab 10 Mon.)",
                                    "Gr.Int.Pr. Klasse (CAPE)",    "Bestimmungsklasse",
                                    "SUP",                         "SUC",
                                    "Kontrollklasse",              "Offene Klasse (CAC)",
                                    "Kastraten Klasse (CAP)",      "Champion Klasse (CACIB)",
                                    "nicht anerk. Rassen/Farben"};
    Formularabschnitt klasse{q.text(6938, "gemeldete Klasse"), {}};
    for (int i = 0; i < 27; ++i) {
        Formularfeld h = haken(q, 6940 + i, "", klassen[i]);
        h.name = QStringLiteral("Klasse%1").arg(i + 1);
        klasse.felder << h;
    }
    klasse.felder << haken(q, 6967, "Steward", "Steward");
    f.abschnitte << klasse;
    f.abschnitte << Formularabschnitt{
        q.text(6968, "Zahlung"),
        {haken(q, 6969, "ZahlungEinlass", "Zahlung Meldegebühren am Einlaß"),
         haken(q, 6970, "Einzug", "Einzugsermächtigung liegt vor"),
         haken(q, 6971, "Ueberweisung", "Gebühr wird überwiesen"), haken(q, 6972, "Gutschein", "Bezahlung mit Gutschein"),
         text(q, 6712, "Datum", "Datum:", q.datum(q.heute))}};
    return f;
}

Formular meldeformularCfaVorbelegen(Druckquelle& q, const Druckauftrag& a) {
    Formular f;
    f.name = QStringLiteral("FormMeldeformularCFA");
    f.titel = q.text(6973, "Anmeldeformular - Katzenausstellung CFA");
    f.layouts = {QStringLiteral("CFA")};
    eigeneFehlen(q, f);
    DruckKatze k;
    q.katze(a.katze, k);
    const EigeneDaten& e = q.eigene();
    // The colour class number of the cat's colour in the colour list.
    QString farbnummer;
    for (const QVariantMap& z : q.zeilen(QStringLiteral("farbe"), QStringLiteral("FarbnameIndex"), {k.fellFarbe}, {k.fellFarbe}))
        if (z.value(QStringLiteral("Farbname")).toString() == k.fellFarbe) {
            farbnummer = z.value(QStringLiteral("Farbnummer")).toString();
            break;
        }
    f.abschnitte << ausstellung(q);
    f.abschnitte << Formularabschnitt{
        q.text(6715, "Aussteller"),
        {text(q, 6920, "Aussteller", "Aussteller:", e.vorhanden ? e.name + QStringLiteral(", ") + e.vorname : QString()),
         text(q, 6700, "Telefon", "Telefon:", e.telefon), text(q, 6713, "Fax", "Fax:", e.telefax),
         text(q, 6701, "Strasse", "Straße:", e.strasse), text(q, 6974, "Plz", "PLZ:", e.plz),
         text(q, 6714, "Ort", "Ort:", e.ort), text(q, 6921, "Land", "Land:", e.land)}};
    // The CFA writes dates month/day/year, whatever the user's format.
    const QString geb = k.gebDatum.isValid() ? k.gebDatum.toString(QStringLiteral("MM/dd/yyyy")) : QString();
    f.abschnitte << Formularabschnitt{
        q.text(6878, "Katze"),
        {text(q, 6923, "NameKatze", "Name der Katze:", k.name), text(q, 6703, "GebDatum", "Geb.Datum:", geb),
         text(q, 6704, "Rasse", "Rasse:", k.rasseName), text(q, 6975, "CfaReg", "CFA Reg.no.:", k.zb1),
         text(q, 6706, "Farbe", "Farbe:", k.fellFarbe), text(q, 6976, "Farbklasse", "Farbklassen no:", farbnummer),
         text(q, 6707, "Zuechter", "Züchter:", q.zuechterBlock(k).value(0)),
         text(q, 6708, "Augenfarbe", "Augenfarbe:", k.augenfarbe),
         text(q, 6709, "Geschlecht", "Geschlecht:", meldeGeschlecht(q, k.geschlecht)),
         text(q, 6710, "Vater", "Vater:", mitTiteln(q, k.vater)),
         text(q, 6711, "Mutter", "Mutter:", mitTiteln(q, k.mutter))}};
    f.abschnitte << Formularabschnitt{
        q.text(6977, "Vertreter"),
        {text(q, 6860, "VertreterName", "Name"), text(q, 6701, "VertreterStrasse", "Straße:"),
         text(q, 6974, "VertreterPlz", "PLZ:"), text(q, 6714, "VertreterOrt", "Ort:"),
         text(q, 6921, "VertreterLand", "Land:"), text(q, 6700, "VertreterTelefon", "Telefon:")}};
    const struct {
        const char* spalte;
        QList<const char*> klassen;
    } spalten[] = {{"Non Championship",
                    {"Kitten", "Provisional breed", "Miscellaneous breed", "Household pet", "Exhibition only", "AOV"}},
                   {"Championship", {"Open", "Champion", "Grand Champion", "Novice"}},
                   {"Premiership", {"Open", "Premior", "Grand Premior", "Novice"}}};
    int nr = 0;
    for (const auto& s : spalten) {
        Formularabschnitt a2{QString::fromUtf8(s.spalte), {}};
        for (const char* kl : s.klassen) {
            Formularfeld h{QStringLiteral("CfaKlasse%1").arg(++nr), QString::fromUtf8(kl), Art::Haken, {}, {}};
            a2.felder << h;
        }
        f.abschnitte << a2;
    }
    Formularfeld region{QStringLiteral("Region"), q.text(6978, "Nummer Ihrer Region"), Art::Wahl, {}, {}};
    region.wahl = {QStringLiteral("1 North Atlantic"), QStringLiteral("2 North West"), QStringLiteral("3 Golf Shore"),
                   QStringLiteral("4 Great Lakes"),    QStringLiteral("5 South West"), QStringLiteral("6 Mid West"),
                   QStringLiteral("7 Southern"),       QStringLiteral("8 Japan"),      QStringLiteral("9 International")};
    f.abschnitte << Formularabschnitt{
        q.text(6979, "Weiteres"),
        {janein(q, 6933, "Verkaeuflich", "Verkäuflich"), janein(q, 6980, "Extrakaefig", "Extrakäfig"),
         janein(q, 6981, "Pflegeplatz", "Pflegeplatz"), text(q, 6982, "KaefigNeben", "Käfig neben:"), region,
         text(q, 6983, "Mitgliedsverein", "Ich bin Vereinsmitglied beim"),
         janein(q, 6984, "Vereinsmitglied", "Vereinsmitglied"), text(q, 6985, "Idnr", "Idnr.:")}};
    return f;
}

// ------------------------------------------------------------------------------------------ layouts

QString fehlendText(Druckquelle& q, const Formular& f) {
    if (f.fehlend.isEmpty()) return {};
    return q.text(6988, "Es fehlen:") + QLatin1Char(' ') + f.fehlend.join(QStringLiteral(", "));
}

Bericht formularBericht(Druckquelle& q, const Formular& f, const QString& layout) {
    Blatt b(q.vorgaben());
    // The association's layout names it above the headline.
    if (layout != QLatin1String("Standard")) {
        Schrift klein = b.grundschrift();
        klein.fett = true;
        b.absatz(layout, klein);
    }
    b.titel(f.titel);
    if (!f.fehlend.isEmpty()) b.absatz(fehlendText(q, f));
    Schrift klein = b.grundschrift();
    klein.groesse = 9.0;
    b.setGrundschrift(klein);
    const QString ja = QStringLiteral("[x]"), nein = QStringLiteral("[ ]");
    for (const Formularabschnitt& a : f.abschnitte) {
        b.zwischentitel(a.titel);
        QStringList haken;
        for (const Formularfeld& feld : a.felder) {
            switch (feld.art) {
            case Art::Text:
                // An empty field keeps a line for the pen.
                b.feld(feld.beschriftung, feld.wert.isEmpty() ? QStringLiteral("____________________") : feld.wert, 60.0);
                break;
            case Art::Haken:
                haken << (feld.wert == QLatin1String("1") ? ja : nein) + QLatin1Char(' ') + feld.beschriftung;
                break;
            case Art::Wahl:
                b.feld(feld.beschriftung, feld.wert.isEmpty() ? feld.wahl.join(QStringLiteral(" / ")) : feld.wert, 60.0);
                break;
            }
        }
        if (!haken.isEmpty()) {
            // Boxes in two columns.
            QList<QStringList> zeilen;
            for (int i = 0; i < haken.size(); i += 2)
                zeilen << QStringList{haken[i], haken.value(i + 1)};
            const double w = b.inhalt().width() / 2;
            b.tabelle({{QString(), w}, {QString(), w}}, zeilen, klein);
        }
    }
    if (!f.tabellenKopf.isEmpty()) {
        b.zwischentitel(q.text(6986, "Jungtiere"));
        QList<QStringList> zeilen = f.tabelle;
        while (zeilen.size() < 10)
            zeilen << QStringList(); // blank rows the user may fill by hand
        b.tabelle({{f.tabellenKopf.value(0), 55.0},
                   {f.tabellenKopf.value(1), 20.0},
                   {f.tabellenKopf.value(2), 35.0},
                   {f.tabellenKopf.value(3), 30.0},
                   {f.tabellenKopf.value(4), 50.0}},
                  zeilen, klein);
    }
    b.abstand(10.0);
    const QRectF r = b.platz(10.0);
    b.seite().linie(QPointF(r.left(), r.top()), QPointF(r.left() + 80.0, r.top()), 0.2);
    b.seite().text(QRectF(r.left(), r.top() + 1.0, 80.0, 5.0), q.text(6987, "Unterschrift"), klein);
    return b.fertig(f.titel);
}

} // namespace velmora::printing
