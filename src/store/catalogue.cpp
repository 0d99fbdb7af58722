#include "store/catalogue.h"

#include <QHash>

namespace velmora::store {

// ---------------------------------------------------------------------------------------------------------
// Small functions of schema.h

namespace {
struct TypeName {
    FieldType type;
    const char* name;
};
constexpr TypeName kTypeNames[] = {
    {FieldType::Auto, "Auto"}, {FieldType::Int, "Int"},         {FieldType::Short, "Short"},
    {FieldType::Text, "Text"}, {FieldType::Date, "Date"},       {FieldType::DateTime, "DateTime"},
    {FieldType::Bool, "Bool"}, {FieldType::Float, "Float"},     {FieldType::Money, "Money"},
    {FieldType::Memo, "Memo"}, {FieldType::Picture, "Picture"},
};
} // namespace

QString fieldTypeName(FieldType t) {
    for (const TypeName& tn : kTypeNames)
        if (tn.type == t) return QString::fromLatin1(tn.name);
    return QString();
}

bool fieldTypeFromName(const QString& s, FieldType* t) {
    for (const TypeName& tn : kTypeNames) {
        if (s.compare(QLatin1String(tn.name), Qt::CaseInsensitive) == 0) {
            if (t) *t = tn.type;
            return true;
        }
    }
    return false;
}

bool IndexDef::sameFields(const QStringList& other) const {
    if (fields.size() != other.size()) return false;
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields.at(i).compare(other.at(i), Qt::CaseInsensitive) != 0) return false;
    return true;
}

const FieldDef* TableDef::field(const QString& fieldName) const {
    for (const FieldDef& f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

const IndexDef* TableDef::index(const QString& indexName) const {
    for (const IndexDef& i : indexes)
        if (i.name.compare(indexName, Qt::CaseInsensitive) == 0) return &i;
    return nullptr;
}

QStringList splitFields(const QString& list) {
    QStringList out;
    for (const QString& part : list.split(QLatin1Char(';'))) {
        const QString name = part.trimmed();
        if (!name.isEmpty()) out << name;
    }
    return out;
}

// ---------------------------------------------------------------------------------------------------------
// The catalogue

namespace {

using enum FieldType;

constexpr bool Req = true;

// A field: name, type, size (Text only), required.
FieldDef F(const char* name, FieldType type, int size = 0, bool required = false) {
    return FieldDef{QString::fromUtf8(name), type, size, required};
}
// A field without size: F("Katze", Int, Req) reads better than F("Katze", Int, 0, Req).
FieldDef F(const char* name, FieldType type, bool required) {
    return F(name, type, 0, required);
}

// The primary key (always unique).
IndexDef PK(const char* fields) {
    IndexDef i;
    i.fields = splitFields(QString::fromUtf8(fields));
    i.unique = true;
    return i;
}
// A secondary index.
IndexDef I(const char* name, const char* fields) {
    IndexDef i;
    i.name = QString::fromUtf8(name);
    i.fields = splitFields(QString::fromUtf8(fields));
    return i;
}
IndexDef unique(IndexDef i) {
    i.unique = true;
    return i;
}
IndexDef descending(IndexDef i) {
    i.descending = true;
    return i;
}
// Added by the start-up ensure-index step; the index rebuild does not build it.
IndexDef startupOnly(IndexDef i) {
    i.rebuilt = false;
    return i;
}

TableDef T(const char* name, QList<FieldDef> fields, QList<IndexDef> indexes = {}) {
    TableDef t;
    t.name = QString::fromUtf8(name);
    t.fields = std::move(fields);
    t.indexes = std::move(indexes);
    return t;
}

// The public and the private kennel register share their structure.
TableDef kennelTable(const char* name) {
    return T(name,
             {F("LaufendeNummer", Auto, Req), F("Zwinger", Text, 30), F("Rasse", Text, 40),
              F("Züchter", Text, 40), F("Strasse", Text, 40), F("PLZ", Text, 5), F("Ort", Text, 30),
              F("Land", Text, 15), F("Zuchtfarbe", Text, 255), F("Verein", Text, 50), F("Telefon", Text, 25),
              F("Telefax", Text, 25), F("EMail", Text, 40), F("Homepage", Text, 60), F("Handy", Text, 20)},
             {PK("LaufendeNummer"), I("ZwingerRasse", "Zwinger;Rasse"), I("IDXRasse", "Rasse;Zwinger"),
              I("IDXZüchter", "Züchter;Zwinger"), I("VereinZwinger", "Verein;Zwinger"),
              I("OrtZwinger", "Ort;Zwinger"), I("PLZZwinger", "PLZ;Zwinger")});
}
TableDef kennelCatTable(const char* name) {
    return T(name,
             {F("LaufendeNummer", Auto, Req), F("Zwinger", Int), F("KatzeArt", Short),
              F("Name", Text, 50, Req), F("Memo1", Memo), F("Bild", Picture)},
             {PK("LaufendeNummer"), I("ZwingerName", "Zwinger;KatzeArt;Name")});
}

QList<TableDef> buildCatalogue() {
    QList<TableDef> c;

    // ----- Shared tables

    // register: one record per cat
    c << T("catstamm",
           {F("LaufendeNummer", Auto),
            F("Geschlecht", Text, 1, Req),
            F("GebDatum", Date),
            F("FellFarbe", Text, 60),
            F("Augenfarbe", Text, 15),
            F("AndereRegistrierung", Bool),
            F("Vater", Int),
            F("Mutter", Int),
            F("Züchter", Int),
            F("Besitzer", Int),
            F("Bemerkung", Memo),
            F("Name", Text, 70, Req),
            F("Zuchtbuchnummer1", Text, 30),
            F("Zuchtbuchnummer2", Text, 30),
            F("Zuchtbuchnummer3", Text, 30),
            F("Zwinger", Text, 40),
            F("Rufname", Text, 15),
            F("Rasse", Int),
            F("TitelGer1", Text, 1),
            F("TitelGer2", Text, 1),
            F("TitelUSA1", Text, 1),
            F("TitelUSA2", Text, 1),
            F("Status", Int),
            F("TitelUSA3", Text, 1),
            F("TitelUSA4", Text, 1),
            F("ChipNr", Text, 40),
            F("Tests", Text, 100),
            F("Gencode", Text, 40),
            F("Blutgruppe", Text, 20),
            F("GenoTyp", Int),
            F("IDCode", Text, 20),
            F("Agouti", Bool),
            F("Verduennung", Bool),
            F("Toddatum", Date),
            F("TaetoNr", Text, 30),
            F("Fellart", Int),
            F("Rute", Text, 15),
            F("Wurfzahl", Text, 5),
            F("Feld2", Int),
            F("Feld1", Text, 20),
            F("zzlDatum", Date),
            F("Groesse", Text, 10),
            F("Gewicht", Text, 10),
            F("NameDB", Text, 70),
            F("Feld3", Bool)},
           {PK("LaufendeNummer"), I("IDXMutterGebDatum", "Mutter;GebDatum;Geschlecht"),
            I("Nameidx", "Name;GebDatum;LaufendeNummer"), I("RasseName", "Rasse;Name"),
            I("Rufnaidx", "Rufname;Zwinger"), I("StatusName", "Status;Name"), I("ZwinName", "Zwinger;Name"),
            I("IdxMutter", "Mutter;GebDatum;Name"), I("IdxVater", "Vater;GebDatum;Name"),
            I("NameDB", "NameDB;GebDatum"), I("Zuchtbuchnummer1", "Zuchtbuchnummer1"),
            I("Zuchtbuchnummer2", "Zuchtbuchnummer2"), I("Zuchtbuchnummer3", "Zuchtbuchnummer3"),
            startupOnly(I("GebDatum", "GebDatum;Name")), startupOnly(I("Farbe", "FellFarbe;Name"))});

    // register reference lists: breeds
    c << T("rasse",
           {F("RCode", Auto), F("RName", Text, 30), F("RKurzname", Text, 10), F("RNameEng", Text, 30),
            F("Haarart", Text, 1), F("Haarlos", Text, 1), F("Faltohr", Text, 1)},
           {PK("RCode"), I("RasseName", "RName;RCode"), I("RKurznameRCode", "RKurzname;RCode")});

    // register reference lists: coat colours
    c << T("farbe",
           {F("LaufendeNummer", Auto), F("Farbnummer", Text, 15), F("Farbname", Text, 60),
            F("Rasseinfo", Text, 10)},
           {PK("LaufendeNummer"), I("FarbnameIndex", "Farbname;LaufendeNummer"),
            startupOnly(I("FarbnummerLaufendeNummer", "Farbnummer;LaufendeNummer"))});

    // register reference lists: eye colours
    c << T("augen", {F("LaufendeNummer", Auto), F("Augenfarbe", Text, 40), F("AugenfarbeEng", Text, 40)},
           {PK("LaufendeNummer"), I("Augenfarbeidx", "Augenfarbe;LaufendeNummer")});

    // register reference lists: coat types (no key built by the system)
    c << T("fellart", {F("LaufendeNummer", Auto), F("Bezeichnung", Text, 20)});

    // register reference lists: status values of a cat
    c << T("status", {F("Nummer", Auto), F("Status", Text, 15)}, {PK("Nummer"), I("Name", "Status;Nummer")});

    // register reference lists: features a cat can carry
    c << T("merkmale",
           {F("LaufendeNummer", Auto, Req), F("Bezeichnung", Text, 30, Req), F("farbe", Int, Req),
            F("Kuerzel", Text, 10)},
           {PK("LaufendeNummer"), I("Bezeichnung", "Bezeichnung")});

    // register detail records: features of a cat
    c << T("katzemerkmal",
           {F("LaufendeNummer", Auto, Req), F("Katze", Int, Req), F("Merkmal", Int, Req),
            F("Kennzeichen", Bool)},
           {PK("LaufendeNummer"), I("Katze", "Katze")});

    // register reference lists: title names (no key built by the system)
    c << T("titelbez",
           {F("LaufendeNummer", Auto), F("Sortierung", Short), F("Titel", Text, 50), F("Kuerzel", Text, 14)},
           {I("Kuerzel", "Kuerzel"), I("Sortierung", "Sortierung"), I("Titel", "Titel")});

    // register: titles of a cat (no key built by the system)
    c << T("titelhund", {F("LaufendeNummer", Auto), F("Hund", Int), F("Titel", Int)},
           {I("HundTitel", "Hund;Titel")});

    // register detail records: show evaluation printed on the pedigree
    c << T("bewert", {F("LaufendeNr", Auto, Req), F("Katze", Int), F("Bewertung", Memo)},
           {PK("LaufendeNr"), I("KatzeIDX", "Katze;LaufendeNr")});

    // register detail records: pictures of a cat
    c << T("bilder",
           {F("Bildpfad", Text, 150), F("BildMemo1", Memo), F("BildMemo2", Memo), F("KatzeNr", Int),
            F("LaufendeNr", Auto)},
           {PK("LaufendeNr"), I("IndexKatzeNr", "KatzeNr;LaufendeNr")});

    // register detail records: litter book of a queen
    c << T("wurfbuch", {F("LaufendeNummer", Auto),   F("Katze", Int),
                        F("BeginnRollig", Date),     F("Decktermin", Date),
                        F("Wurftag", Date),          F("Kater", Int),
                        F("Bemerkung", Memo),        F("Wurfstaerke", Text, 5),
                        F("Totgeboren", Text, 5),    F("Verendet", Text, 5),
                        F("Ammenaufzucht", Text, 5), F("Endabnahme", Text, 5),
                        F("Verfassung", Memo),       F("Besichtam", Date),
                        F("Besichtvon", Text, 40),   F("Abnahmeam", Date),
                        F("Abnahmevon", Text, 40),   F("Decktermin2", Date),
                        F("Wurfbez", Text, 10),      F("Kennzeichen", Bool),
                        F("Verblieben", Text, 5),    F("Eingeschlaefert", Text, 5)},
           {PK("LaufendeNummer"), I("KaterKatzeWurftag", "Kater;Katze;Wurftag"),
            I("KatzeIdx", "Katze;Decktermin;LaufendeNummer"), I("KatzeKaterWurftag", "Katze;Kater;Wurftag")});

    // register detail records: stud book of a tom
    c << T("deckbuch",
           {F("LaufendeNummer", Auto), F("Kater", Int), F("Decktermin", Date), F("Katze", Int),
            F("Erfolge", Text, 20), F("Bemerkung", Memo), F("Wurftag", Date)},
           {PK("LaufendeNummer"), I("KaterDecktermin", "Kater;Decktermin")});

    // register detail records: vaccinations
    c << T(
        "impfung",
        {F("LaufendeNr", Auto), F("Katze", Int), F("Datum", Date), F("Impfung", Text, 40), F("NeuAm", Date)},
        {PK("LaufendeNr"), I("ImpfungKatze", "Katze;Datum"), I("NeuAmKatzeIdx", "NeuAm;Katze")});

    // register detail records: wormings
    c << T("wurmkur",
           {F("LaufendeNr", Auto), F("Katze", Int), F("Datum", Date), F("Medikament", Text, 40),
            F("Naechste", Date)},
           {PK("LaufendeNr"), I("KatzeDatum", "Katze;Datum"), I("NaechsteKatzeIdx", "Naechste;Katze")});

    // register detail records: purchase and sale of a cat
    c << T("verkauft",
           {F("LaufendeNummer", Auto), F("Katze", Int), F("Gekauftam", Date), F("Preisgekauft", Money),
            F("Verkauftam", Date), F("Preisverkauft", Money)},
           {PK("LaufendeNummer"), I("KatzeIdx", "Katze;LaufendeNummer")});

    // register detail records: additional birth data
    c << T("stammzusatz",
           {F("LaufendeNummer", Auto), F("Tier", Int), F("Gebgewicht", Float), F("Abggewicht", Float),
            F("Kieferfehler", Text, 12), F("Bruch", Text, 21), F("Hoden", Text, 24),
            F("WeitereFehler", Text, 100)},
           {PK("LaufendeNummer"), I("TierIdx", "Tier;LaufendeNummer")});

    // register detail records: breeding assessment (no key built by the system)
    c << T("zuchtwert",
           {F("LaufendeNummer", Auto), F("Hund", Int), F("Wesen", Memo), F("WesenPunkte", Short),
            F("Gesundheit", Memo), F("GesundheitPunkte", Short), F("Exterieur", Memo),
            F("ExterieurPunkte", Short), F("Weiteres", Memo), F("WeiteresPunkte", Short)},
           {I("Hund", "Hund")});

    // register reference lists: colours with genetic codes
    c << T("farbegen",
           {F("Farbcode", Text, 15), F("Farbname", Text, 60), F("Gencode", Text, 40),
            F("LaufendeNummer", Auto), F("Genkatze", Text, 6), F("Genkater", Text, 6), F("GGen", Text, 4),
            F("Gen1", Text, 4), F("Gen2", Text, 4), F("Gen3", Text, 4), F("Gen4", Text, 4)},
           {PK("LaufendeNummer"), I("FarbNameIndex", "Farbname;LaufendeNummer"), I("Gencode", "Gencode"),
            I("GencodeKater", "Gencode;Genkater;GGen;Gen1"),
            I("GencodeKatze", "Gencode;Genkatze;GGen;Gen1")});

    // language: captions
    c << T("sprache", {F("Nummer", Int), F("FeldName", Text, 40), F("FeldHilfe", Text, 40)}, {PK("Nummer")});

    // language: messages
    c << T("sprmel", {F("Nummer", Int), F("Meldung", Text, 80)}, {PK("Nummer")});

    // settings (user data): the user's own address, one record
    c << T("eigen", {F("Name", Text, 40, Req), F("Vorname", Text, 40), F("Zwinger", Text, 30),
                     F("Strasse", Text, 40), F("Plz", Text, 8), F("Ort", Text, 40), F("Telefon", Text, 20),
                     F("Telefax", Text, 20), F("land", Text, 30), F("EMail", Text, 40)});

    // settings (user data): the user's club data, one record
    c << T("zusatz", {F("Verein", Text, 30), F("Mitgliedsnummer", Text, 30), F("Zwingernummer", Text, 30)});

    // register reference lists: colours marking doubled ancestors in printed pedigrees
    c << T("stbfarbe", {F("LaufendeNummer", Auto, Req), F("farbe", Int, Req)}, {PK("LaufendeNummer")});

    // settings (user data): the breed chosen in a settings dialog, one record
    c << T("tmp", {F("Rasse", Int)});

    // ----- Shared data module: optional delivered supplement of the breed list

    c << T("rasseergaenzen",
           {F("RName", Text, 30), F("Haarart", Text, 1), F("Haarlos", Text, 1), F("Faltohr", Text, 1)},
           {I("RasseName", "RName")});

    // ----- Register: detail records of a cat

    // vet visits
    c << T("arztbes",
           {F("LaufendeNummer", Auto), F("Katze", Int), F("Datum", Date), F("Arzt", Text, 40),
            F("Wegen", Memo), F("Befund", Memo)},
           {PK("LaufendeNummer"), I("KatzeDatum", "Katze;Datum")});

    // show results, traditional judging
    c << T("kausstel",
           {F("LaufendeNummer", Auto), F("Katze", Int), F("Datum", Date), F("Ausstellungsort", Text, 30),
            F("Verein", Text, 30), F("Richter", Text, 20), F("Bewertung", Text, 40)},
           {PK("LaufendeNummer"), I("KatzeDatum", "Katze;Datum")});

    // weights and sizes
    c << T("gewicht",
           {F("LaufendeNummer", Auto), F("Katze", Int), F("Datum", Date), F("Gewicht", Float),
            F("Grösse", Float)},
           {PK("LaufendeNummer"), I("KatzeDatum", "Katze;Datum")});

    // weighings of the kittens of a litter
    c << T("jungtier",
           {F("LaufendeNummer", Auto), F("Mutterkatze", Int), F("Wiegedatum", Date), F("Katze1", Text, 20),
            F("Katze2", Text, 20), F("Katze3", Text, 20), F("Katze4", Text, 20), F("Katze5", Text, 20),
            F("Katze6", Text, 20), F("Katze7", Text, 20), F("Katze8", Text, 20), F("Katze9", Text, 20),
            F("Katze10", Text, 20), F("Wurfdatum", Date)},
           {PK("LaufendeNummer"), I("MutterkatzeDatum", "Mutterkatze;Wurfdatum;Wiegedatum")});

    // heats of a female
    c << T("laeufigkeit", {F("LaufendeNummer", Auto, Req), F("Katze", Int), F("Datum", DateTime)},
           {PK("LaufendeNummer"), I("Katze", "Katze;LaufendeNummer")});

    // health sheet, four dated entries per page
    c << T("krblatt",
           {F("LaufendeNr", Auto), F("Katze", Int), F("Datum1", Date), F("Datum2", Date), F("Datum3", Date),
            F("Datum4", Date), F("Text1", Memo), F("Text2", Memo), F("Text3", Memo), F("Text4", Memo)},
           {PK("LaufendeNr"), I("Krankenblatt", "Katze;Datum1")});

    // pregnancies
    c << T("schwang",
           {F("LaufendeNr", Auto), F("Katze", Int), F("Datum", Date), F("Text1", Memo), F("Text2", Memo)},
           {PK("LaufendeNr"), I("KatzeDatum", "Katze;Datum")});

    // documents of a cat
    c << T("dokumente",
           {F("LaufendeNr", Auto), F("KatzeNr", Int), F("DokDatum", Date), F("DokTxt", Text, 200),
            F("DokPfad", Text, 255)},
           {PK("LaufendeNr"), I("IndexKatzeNr", "KatzeNr;DokDatum")});

    // CFA show results (only an index on the cat)
    c << T("cfa",
           {F("LaufendeNummer", Auto), F("Katze", Int), F("Datum", Date), F("Vereinsname", Text, 40),
            F("Richter", Text, 30), F("ABorSP", Text, 2), F("CatEntryNr", Text, 6),
            F("Ringergebnis", Text, 7), F("DivisionErgebnis", Text, 20), F("GrandPunkte", Float),
            F("ShowPunkte", Float), F("Anmerkung", Text, 50)},
           {I("Katze", "Katze")});

    // TICA show results (only an index on the cat)
    c << T("cfatica",
           {F("LaufendeNummer", Auto), F("Katze", Int), F("Datum", Date), F("Vereinsname", Text, 40),
            F("Richter", Text, 30), F("ABorSP", Text, 2), F("CatEntryNr", Text, 6), F("BOC", Short),
            F("BOD", Short), F("Finale", Short)},
           {I("Katze", "Katze")});

    // the owner's own notes on a cat (only an index on the cat)
    c << T("eigeneinfo", {F("LaufendeNummer", Auto), F("Katze", Int), F("Info", Memo)},
           {I("Katze", "Katze")});

    // litter faults of the litter a cat was born in (only an index on the cat)
    c << T("stammzusatz1",
           {F("LaufendeNr", Auto), F("Hund", Int), F("HF", Short), F("W", Short), F("HS", Short),
            F("WR", Short)},
           {I("Hund", "Hund")});

    // ----- Register reference lists: free list of cat names

    c << T("katzname", {F("Laufendenummer", Auto), F("Name", Text, 50), F("Info", Text, 50)},
           {PK("Laufendenummer"), I("NameIdx", "Name;Laufendenummer")});

    // ----- Genealogy: result tables

    // inbreeding calculation: all ancestors with their counts, re-created for every detailed run
    c << T("vorfahrenliste",
           {F("Nummer", Int, Req), F("Name", Text, 50, Req), F("Anzahl", Int, Req), F("Farbe", Int)},
           {PK("Nummer"), unique(I("IndexName", "Name;Nummer")),
            unique(descending(I("IndexAnzahl", "Anzahl;Name;Nummer")))});

    // inbreeding window: stored calculations (Wright: the coefficient over the whole known pedigree;
    // a table made before it lacks the field and stores without it)
    c << T("inzuchtgrad",
           {F("LaufendeNummer", Auto, Req), F("Art", Int), F("Name", Text, 70), F("Nummer", Int),
            F("Vater", Text, 50), F("VaterNr", Int), F("Mutter", Text, 50), F("MutterNr", Int),
            F("Generation", Int), F("Inzucht", Memo), F("Prozent", Text, 50), F("Ahnenverlust", Memo),
            F("Stammbaumkomplett", Text, 50), F("Info", Memo), F("Wright", Text, 50)},
           {PK("LaufendeNummer"), I("NameGen", "Name;Generation")});

    // inbreeding window: stored ancestor table
    c << T("inzuchtgradvorf",
           {F("LaufendeNummer", Auto, Req), F("Nummer", Int), F("Katze", Int), F("Name", Text, 50),
            F("Anzahl", Int), F("Farbe", Int)},
           {PK("LaufendeNummer"), I("Nummer", "Nummer")});

    // inbreeding window: stored top-cat shares
    c << T("inzuchtgradspeicherungtopkatzen",
           {F("LaufendeNummer", Auto, Req), F("Katze", Int), F("Nummern", Int), F("Name", Text, 50),
            F("Anzahl", Text, 20)},
           {PK("LaufendeNummer"), I("Katze", "Katze")});

    // inbreeding window: stored "Klon" shares
    c << T("inzuchtspeicherclone",
           {F("LaufendeNummer", Auto, Req), F("Katze", Int), F("Prozent", Float), F("Name", Text, 50)},
           {PK("LaufendeNummer"), I("Katze", "Katze")});

    // feature statistics: the five top cats with their marker colours
    c << T("topkatze", {F("LaufendeNummer", Auto, Req), F("Katze", Int), F("Farbe", Int)},
           {PK("LaufendeNummer"), I("Katze", "Katze")});

    // register statistics: one row per cat of an extended evaluation, no indexes
    c << T("ergebnistmp",
           {F("Name", Text, 50), F("Nummer", Text, 50), F("Geschlecht", Text, 2), F("GebDatum", Date),
            F("Toddatum", Date), F("Vater", Int), F("Mutter", Int), F("Merkmale", Text, 100),
            F("Text", Text, 200), F("Fellfarbe", Text, 40), F("MerkmFarbe", Int), F("LaufendeNummer", Int)});

    // ----- Office: address book

    // addresses; its text keys are case-sensitive
    {
        TableDef adr =
            T("adr_dat", {F("LaufendeNr", Auto),   F("Name", Text, 40, Req),   F("Vorname", Text, 40),
                          F("Zwinger", Text, 30),  F("Strasse", Text, 40),     F("Plz", Text, 8),
                          F("Ort", Text, 40),      F("Geburtstag", Date),      F("Telefon", Text, 20),
                          F("Telefax", Text, 20),  F("Bemerkung", Memo),       F("Rasse", Int),
                          F("Land", Text, 20),     F("Status", Text, 30),      F("email", Text, 40),
                          F("Homepage", Text, 60), F("Handy", Text, 20),       F("Anrede", Text, 15),
                          F("Abonnent", Bool),     F("Eintritt", Date),        F("Austritt", Date),
                          F("Gekuendigt", Date),   F("MitgliedsNr", Text, 20), F("ZwingerNr", Text, 20)},
              {PK("LaufendeNr"), I("AdrName", "Name;Vorname;Geburtstag"), I("AdrStatusName", "Status;Name"),
               I("AdrZwing", "Zwinger;Name")});
        adr.caseSensitive = true;
        for (IndexDef& i : adr.indexes)
            if (!i.isPrimary()) i.caseSensitive = true;
        c << adr;
    }

    // address groups, read in physical order, no index
    c << T("statusadressen", {F("Status", Text, 30)});

    // ----- Office: kennel register (public and private)

    c << kennelTable("zwingreg");
    c << kennelCatTable("zwinginf");
    c << kennelTable("zwingregprivat");
    c << kennelCatTable("zwinginfprivat");

    // ----- Office: bookkeeping

    // bookings
    c << T("buchung",
           {F("BuchungsNr", Auto), F("Kontoname", Int), F("Buchungsdatum", Date, Req),
            F("Kategorie", Text, 30, Req), F("Betrag", Money, Req), F("Beschreibung", Memo),
            F("Gegenbuchung", Int)},
           {PK("BuchungsNr"), I("BuchungsdatumKontoname", "Kontoname;Buchungsdatum"),
            I("Kontoname", "Kontoname")});

    // accounts and categories
    c << T("konten",
           {F("LaufendeNummer", Auto), F("Kontoart", Int), F("Name", Text, 30), F("Kontonummer", Int),
            F("Bankleitzahl", Int), F("Bankname", Text, 30), F("Kontostand", Money),
            F("Eroeffnungssaldo", Money), F("Zum", Date), F("Mwst", Int), F("EinAus", Text, 9)},
           {PK("LaufendeNummer"), I("KontoartName", "Kontoart;Name"), I("Nameidx", "Name;LaufendeNummer")});

    // account kinds
    c << T("kontoart", {F("LaufendeNummer", Auto), F("Kontoart", Text, 20)},
           {PK("LaufendeNummer"), I("KontoartIdx", "Kontoart;LaufendeNummer")});

    // VAT rates
    c << T("mehrwert", {F("LaufendeNummer", Auto), F("Prozent", Short, Req)}, {PK("LaufendeNummer")});

    // ----- Office: clubs, show dates and pharmacy

    // clubs
    c << T("vereine",
           {F("LaufendeNummer", Auto), F("Verein", Text, 50), F("Strasse", Text, 50), F("Plz", Text, 5),
            F("Ort", Text, 50), F("Telefon", Text, 30), F("Telefax", Text, 30),
            F("Ansprechpartner", Text, 50), F("Land", Text, 30), F("EMail", Text, 40),
            F("Homepage", Text, 60)},
           {PK("LaufendeNummer"), I("VereinIdx", "Verein;LaufendeNummer")});

    // show dates
    c << T("ausstelt",
           {F("LaufendeNummer", Auto), F("Datum", Date), F("Datum2", Date), F("Verein", Text, 50),
            F("Strasse", Text, 40), F("Plz", Text, 6), F("Ort", Text, 40), F("Land", Text, 30),
            F("Info", Memo)},
           {PK("LaufendeNummer"), I("DatumIdx", "Datum;Ort"), I("VereinDatum", "Verein;Datum"),
            I("OrtDatum", "Ort;Datum")});

    // pharmacy
    c << T("apotheke",
           {F("LaufendeNummer", Auto), F("Bereich", Text, 50), F("Krankheit", Text, 100),
            F("Medikament", Text, 50), F("Verfallsdatum", Date), F("Info", Memo)},
           {PK("LaufendeNummer"), I("BereichKrankheitIdx", "Bereich;Krankheit"),
            I("Medikament", "Medikament"), I("VerfallsdatumIdx", "Verfallsdatum;LaufendeNummer")});

    // ----- Exchange: pictures already sent to the online database

    c << T("bilderupload",
           {F("LaufendeNummer", Auto, Req), F("Name", Text, 100, Req), F("Filegroesse", Int, Req),
            F("Aenderungsdatum", DateTime, Req)},
           {PK("LaufendeNummer"), I("Name", "Name;Filegroesse;Aenderungsdatum")});

    return c;
}

// Lower case, without a trailing ".db".
QString normalTableName(const QString& name) {
    QString n = name.trimmed().toLower();
    if (n.endsWith(QLatin1String(".db"))) n.chop(3);
    return n;
}

} // namespace

const QList<TableDef>& catalogue() {
    static const QList<TableDef> tables = buildCatalogue();
    return tables;
}

const TableDef* catalogueTable(const QString& name) {
    static const QHash<QString, qsizetype> byName = [] {
        QHash<QString, qsizetype> h;
        const QList<TableDef>& tables = catalogue();
        for (qsizetype i = 0; i < tables.size(); ++i)
            h.insert(tables.at(i).name, i);
        return h;
    }();
    const auto it = byName.constFind(normalTableName(name));
    return it == byName.constEnd() ? nullptr : &catalogue().at(*it);
}

} // namespace velmora::store
