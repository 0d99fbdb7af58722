// The table catalogue: every table present, and the description free of transcription faults.

#include "store/catalogue.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace velmora::store;
using namespace Qt::StringLiterals;

namespace {

std::string s(const QString& q) {
    return q.toStdString();
}

// Every table the system knows, as its catalogue of tables lists them.
const QStringList kAllTables = {
    u"catstamm"_s,
    u"rasse"_s,
    u"farbe"_s,
    u"augen"_s,
    u"fellart"_s,
    u"status"_s,
    u"merkmale"_s,
    u"katzemerkmal"_s,
    u"titelbez"_s,
    u"titelhund"_s,
    u"bewert"_s,
    u"bilder"_s,
    u"wurfbuch"_s,
    u"deckbuch"_s,
    u"impfung"_s,
    u"wurmkur"_s,
    u"verkauft"_s,
    u"stammzusatz"_s,
    u"zuchtwert"_s,
    u"farbegen"_s,
    u"sprache"_s,
    u"sprmel"_s,
    u"eigen"_s,
    u"zusatz"_s,
    u"stbfarbe"_s,
    u"tmp"_s,
    u"rasseergaenzen"_s,
    u"arztbes"_s,
    u"kausstel"_s,
    u"gewicht"_s,
    u"jungtier"_s,
    u"laeufigkeit"_s,
    u"krblatt"_s,
    u"schwang"_s,
    u"dokumente"_s,
    u"cfa"_s,
    u"cfatica"_s,
    u"eigeneinfo"_s,
    u"stammzusatz1"_s,
    u"katzname"_s,
    u"vorfahrenliste"_s,
    u"inzuchtgrad"_s,
    u"inzuchtgradvorf"_s,
    u"inzuchtgradspeicherungtopkatzen"_s,
    u"inzuchtspeicherclone"_s,
    u"topkatze"_s,
    u"ergebnistmp"_s,
    u"adr_dat"_s,
    u"statusadressen"_s,
    u"zwingreg"_s,
    u"zwinginf"_s,
    u"zwingregprivat"_s,
    u"zwinginfprivat"_s,
    u"buchung"_s,
    u"konten"_s,
    u"kontoart"_s,
    u"mehrwert"_s,
    u"vereine"_s,
    u"ausstelt"_s,
    u"apotheke"_s,
    u"bilderupload"_s,
};

// What the index rebuild builds: the primary key's fields and every secondary index as "Name:Fields".
struct RebuildSet {
    QString table;
    QString primary;
    QStringList secondary;
};
const QList<RebuildSet> kRebuildSets = {
    {u"catstamm"_s,
     u"LaufendeNummer"_s,
     {u"IDXMutterGebDatum:Mutter;GebDatum;Geschlecht"_s, u"Nameidx:Name;GebDatum;LaufendeNummer"_s,
      u"RasseName:Rasse;Name"_s, u"Rufnaidx:Rufname;Zwinger"_s, u"StatusName:Status;Name"_s,
      u"ZwinName:Zwinger;Name"_s, u"IdxMutter:Mutter;GebDatum;Name"_s, u"IdxVater:Vater;GebDatum;Name"_s,
      u"NameDB:NameDB;GebDatum"_s, u"Zuchtbuchnummer1:Zuchtbuchnummer1"_s,
      u"Zuchtbuchnummer2:Zuchtbuchnummer2"_s, u"Zuchtbuchnummer3:Zuchtbuchnummer3"_s}},
    {u"bilder"_s, u"LaufendeNr"_s, {u"IndexKatzeNr:KatzeNr;LaufendeNr"_s}},
    {u"impfung"_s, u"LaufendeNr"_s, {u"ImpfungKatze:Katze;Datum"_s, u"NeuAmKatzeIdx:NeuAm;Katze"_s}},
    {u"wurmkur"_s, u"LaufendeNr"_s, {u"KatzeDatum:Katze;Datum"_s, u"NaechsteKatzeIdx:Naechste;Katze"_s}},
    {u"wurfbuch"_s,
     u"LaufendeNummer"_s,
     {u"KaterKatzeWurftag:Kater;Katze;Wurftag"_s, u"KatzeIdx:Katze;Decktermin;LaufendeNummer"_s,
      u"KatzeKaterWurftag:Katze;Kater;Wurftag"_s}},
    {u"adr_dat"_s,
     u"LaufendeNr"_s,
     {u"AdrName:Name;Vorname;Geburtstag"_s, u"AdrStatusName:Status;Name"_s, u"AdrZwing:Zwinger;Name"_s}},
    {u"sprache"_s, u"Nummer"_s, {}},
    {u"sprmel"_s, u"Nummer"_s, {}},
    {u"merkmale"_s, u"LaufendeNummer"_s, {u"Bezeichnung:Bezeichnung"_s}},
    {u"katzemerkmal"_s, u"LaufendeNummer"_s, {u"Katze:Katze"_s}},
    {u"arztbes"_s, u"LaufendeNummer"_s, {u"KatzeDatum:Katze;Datum"_s}},
    {u"kausstel"_s, u"LaufendeNummer"_s, {u"KatzeDatum:Katze;Datum"_s}},
    {u"gewicht"_s, u"LaufendeNummer"_s, {u"KatzeDatum:Katze;Datum"_s}},
    {u"schwang"_s, u"LaufendeNr"_s, {u"KatzeDatum:Katze;Datum"_s}},
    {u"deckbuch"_s, u"LaufendeNummer"_s, {u"KaterDecktermin:Kater;Decktermin"_s}},
    {u"jungtier"_s, u"LaufendeNummer"_s, {u"MutterkatzeDatum:Mutterkatze;Wurfdatum;Wiegedatum"_s}},
    {u"krblatt"_s, u"LaufendeNr"_s, {u"Krankenblatt:Katze;Datum1"_s}},
    {u"stammzusatz"_s, u"LaufendeNummer"_s, {u"TierIdx:Tier;LaufendeNummer"_s}},
    {u"laeufigkeit"_s, u"LaufendeNummer"_s, {u"Katze:Katze;LaufendeNummer"_s}},
    {u"bewert"_s, u"LaufendeNr"_s, {u"KatzeIDX:Katze;LaufendeNr"_s}},
    {u"verkauft"_s, u"LaufendeNummer"_s, {u"KatzeIdx:Katze;LaufendeNummer"_s}},
    {u"dokumente"_s, u"LaufendeNr"_s, {u"IndexKatzeNr:KatzeNr;DokDatum"_s}},
    {u"augen"_s, u"LaufendeNummer"_s, {u"Augenfarbeidx:Augenfarbe;LaufendeNummer"_s}},
    {u"farbe"_s, u"LaufendeNummer"_s, {u"FarbnameIndex:Farbname;LaufendeNummer"_s}},
    {u"rasse"_s, u"RCode"_s, {u"RasseName:RName;RCode"_s, u"RKurznameRCode:RKurzname;Rcode"_s}},
    {u"apotheke"_s,
     u"LaufendeNummer"_s,
     {u"VerfallsdatumIdx:Verfallsdatum;LaufendeNummer"_s, u"Medikament:Medikament"_s,
      u"BereichKrankheitIdx:Bereich;Krankheit"_s}},
    {u"katzname"_s, u"Laufendenummer"_s, {u"NameIdx:Name;Laufendenummer"_s}},
    {u"ausstelt"_s,
     u"LaufendeNummer"_s,
     {u"DatumIdx:Datum;Ort"_s, u"OrtDatum:Ort;Datum"_s, u"VereinDatum:Verein;Datum"_s}},
    {u"vereine"_s, u"LaufendeNummer"_s, {u"VereinIdx:Verein;LaufendeNummer"_s}},
    {u"buchung"_s,
     u"BuchungsNr"_s,
     {u"BuchungsdatumKontoname:Kontoname;Buchungsdatum"_s, u"Kontoname:Kontoname"_s}},
    {u"mehrwert"_s, u"LaufendeNummer"_s, {}},
    {u"kontoart"_s, u"LaufendeNummer"_s, {u"KontoartIdx:Kontoart;LaufendeNummer"_s}},
    {u"konten"_s, u"LaufendeNummer"_s, {u"KontoartName:Kontoart;Name"_s, u"Nameidx:Name;LaufendeNummer"_s}},
    {u"zwingreg"_s,
     u"LaufendeNummer"_s,
     {u"IDXRasse:Rasse;Zwinger"_s, u"IDXZüchter:Züchter;Zwinger"_s, u"OrtZwinger:Ort;Zwinger"_s,
      u"PLZZwinger:PLZ;Zwinger"_s, u"VereinZwinger:Verein;Zwinger"_s, u"ZwingerRasse:Zwinger;Rasse"_s}},
    {u"zwingregprivat"_s,
     u"LaufendeNummer"_s,
     {u"IDXRasse:Rasse;Zwinger"_s, u"IDXZüchter:Züchter;Zwinger"_s, u"OrtZwinger:Ort;Zwinger"_s,
      u"PLZZwinger:PLZ;Zwinger"_s, u"VereinZwinger:Verein;Zwinger"_s, u"ZwingerRasse:Zwinger;Rasse"_s}},
    {u"zwinginf"_s, u"LaufendeNummer"_s, {u"ZwingerName:Zwinger;KatzeArt;Name"_s}},
    {u"zwinginfprivat"_s, u"LaufendeNummer"_s, {u"ZwingerName:Zwinger;KatzeArt;Name"_s}},
    {u"topkatze"_s, u"LaufendeNummer"_s, {u"Katze:Katze"_s}},
    {u"status"_s, u"Nummer"_s, {u"Name:Status;Nummer"_s}},
};

// "Name:A;B" in lower case, so that spelling differences in case do not matter.
QString indexKey(const QString& name, const QStringList& fields) {
    return (name + u':' + fields.join(u';')).toLower();
}

} // namespace

TEST(Catalogue, HoldsExactlyTheTablesOfTheSystem) {
    for (const QString& name : kAllTables) {
        const TableDef* t = catalogueTable(name);
        ASSERT_NE(t, nullptr) << s(name);
        EXPECT_EQ(t->name, name) << "the name is kept in lower case";
    }
    EXPECT_EQ(catalogue().size(), kAllTables.size()) << "no table beyond the known ones";
    QSet<QString> seen;
    for (const TableDef& t : catalogue()) {
        EXPECT_FALSE(seen.contains(t.name)) << "twice: " << s(t.name);
        seen << t.name;
    }
}

TEST(Catalogue, LooksUpCaseBlindWithOrWithoutExtension) {
    const TableDef* t = catalogueTable(u"catstamm"_s);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(catalogueTable(u"CatStamm.DB"_s), t);
    EXPECT_EQ(catalogueTable(u"Catstamm.db"_s), t);
    EXPECT_EQ(catalogueTable(u"CATSTAMM"_s), t);
    EXPECT_EQ(catalogueTable(u"ADR_DAT.DB"_s)->name, u"adr_dat"_s);
    EXPECT_EQ(catalogueTable(u"nosuchtable"_s), nullptr);
    EXPECT_EQ(catalogueTable(QString()), nullptr);
}

TEST(Catalogue, FieldsAreWellFormed) {
    for (const TableDef& t : catalogue()) {
        SCOPED_TRACE(s(t.name));
        EXPECT_FALSE(t.fields.isEmpty());
        QSet<QString> names;
        int autos = 0;
        for (const FieldDef& f : t.fields) {
            EXPECT_FALSE(f.name.isEmpty());
            EXPECT_FALSE(names.contains(f.name.toLower())) << "duplicate field " << s(f.name);
            names << f.name.toLower();
            if (f.type == FieldType::Text)
                EXPECT_GT(f.size, 0) << s(f.name);
            else
                EXPECT_EQ(f.size, 0) << s(f.name) << ": only text fields have a size";
            if (f.type == FieldType::Auto) ++autos;
        }
        EXPECT_LE(autos, 1) << "at most one record number";
    }
}

TEST(Catalogue, IndexesAreWellFormed) {
    for (const TableDef& t : catalogue()) {
        SCOPED_TRACE(s(t.name));
        QSet<QString> names;
        for (qsizetype i = 0; i < t.indexes.size(); ++i) {
            const IndexDef& ix = t.indexes.at(i);
            if (ix.isPrimary()) {
                EXPECT_EQ(i, 0) << "the primary key comes first";
                EXPECT_TRUE(ix.unique) << "the primary key is unique";
            }
            EXPECT_FALSE(names.contains(ix.name.toLower())) << "duplicate index " << s(ix.name);
            names << ix.name.toLower();
            EXPECT_FALSE(ix.fields.isEmpty()) << s(ix.name);
            for (const QString& f : ix.fields)
                EXPECT_NE(t.field(f), nullptr) << s(ix.name) << " names " << s(f);
        }
    }
}

TEST(Catalogue, RebuildSetsMatchTheIndexRebuild) {
    for (const RebuildSet& r : kRebuildSets) {
        SCOPED_TRACE(s(r.table));
        const TableDef* t = catalogueTable(r.table);
        ASSERT_NE(t, nullptr);
        ASSERT_NE(t->primaryKey(), nullptr);
        EXPECT_TRUE(t->primaryKey()->sameFields(splitFields(r.primary)));
        EXPECT_TRUE(t->primaryKey()->rebuilt);
        QSet<QString> expected;
        for (const QString& e : r.secondary) {
            const qsizetype colon = e.indexOf(u':');
            expected << indexKey(e.left(colon), splitFields(e.mid(colon + 1)));
        }
        QSet<QString> actual;
        for (const IndexDef& ix : t->indexes)
            if (!ix.isPrimary() && ix.rebuilt) actual << indexKey(ix.name, ix.fields);
        EXPECT_EQ(actual, expected) << "rebuilt: " << s(QStringList(actual.values()).join(u' '));
    }
}

TEST(Catalogue, StartUpIndexesAreNotRebuilt) {
    const TableDef* cat = catalogueTable(u"catstamm"_s);
    ASSERT_NE(cat, nullptr);
    ASSERT_NE(cat->index(u"GebDatum"_s), nullptr);
    EXPECT_TRUE(cat->index(u"GebDatum"_s)->sameFields({u"GebDatum"_s, u"Name"_s}));
    EXPECT_FALSE(cat->index(u"GebDatum"_s)->rebuilt);
    ASSERT_NE(cat->index(u"Farbe"_s), nullptr);
    EXPECT_TRUE(cat->index(u"Farbe"_s)->sameFields({u"FellFarbe"_s, u"Name"_s}));
    EXPECT_FALSE(cat->index(u"Farbe"_s)->rebuilt);
    const TableDef* farbe = catalogueTable(u"farbe"_s);
    ASSERT_NE(farbe->index(u"FarbnummerLaufendeNummer"_s), nullptr);
    EXPECT_FALSE(farbe->index(u"FarbnummerLaufendeNummer"_s)->rebuilt);
}

TEST(Catalogue, CatstammKeyFields) {
    const TableDef* t = catalogueTable(u"catstamm"_s);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->fields.size(), 45);
    EXPECT_EQ(t->fields.first().name, u"LaufendeNummer"_s);
    EXPECT_EQ(t->fields.first().type, FieldType::Auto);
    struct Expect {
        const char16_t* name;
        FieldType type;
        int size;
        bool required;
    };
    const Expect expect[] = {
        {u"Geschlecht", FieldType::Text, 1, true},
        {u"Name", FieldType::Text, 70, true},
        {u"FellFarbe", FieldType::Text, 60, false},
        {u"Augenfarbe", FieldType::Text, 15, false},
        {u"Zuchtbuchnummer1", FieldType::Text, 30, false},
        {u"Zwinger", FieldType::Text, 40, false},
        {u"Rufname", FieldType::Text, 15, false},
        {u"NameDB", FieldType::Text, 70, false},
        {u"Züchter", FieldType::Int, 0, false},
        {u"Vater", FieldType::Int, 0, false},
        {u"GebDatum", FieldType::Date, 0, false},
        {u"Groesse", FieldType::Text, 10, false},
    };
    for (const Expect& e : expect) {
        const QString name = QString::fromUtf16(e.name);
        const FieldDef* f = t->field(name);
        ASSERT_NE(f, nullptr) << s(name);
        EXPECT_EQ(f->type, e.type) << s(name);
        EXPECT_EQ(f->size, e.size) << s(name);
        EXPECT_EQ(f->required, e.required) << s(name);
    }
    // The three columns that the upgrade of old tables adds sit together after Feld1.
    QStringList order;
    for (const FieldDef& f : t->fields)
        order << f.name;
    const qsizetype at = order.indexOf(u"Feld1"_s);
    EXPECT_EQ(order.mid(at, 4), QStringList({u"Feld1"_s, u"zzlDatum"_s, u"Groesse"_s, u"Gewicht"_s}));
}

TEST(Catalogue, TablesWithoutSystemKey) {
    for (const char16_t* name :
         {u"fellart", u"titelbez", u"titelhund", u"zuchtwert", u"eigen", u"zusatz", u"tmp"}) {
        const TableDef* t = catalogueTable(QString::fromUtf16(name));
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->primaryKey(), nullptr) << s(t->name);
    }
    for (const char16_t* name : {u"eigen", u"zusatz", u"tmp"})
        EXPECT_TRUE(catalogueTable(QString::fromUtf16(name))->indexes.isEmpty());
    const TableDef* titelhund = catalogueTable(u"titelhund"_s);
    ASSERT_NE(titelhund->index(u"HundTitel"_s), nullptr);
    EXPECT_EQ(titelhund->index(u"HundTitel"_s)->fields.value(0), u"Hund"_s);
    EXPECT_NE(catalogueTable(u"titelbez"_s)->index(u"Kuerzel"_s), nullptr);
    EXPECT_NE(catalogueTable(u"titelbez"_s)->index(u"Sortierung"_s), nullptr);
    EXPECT_NE(catalogueTable(u"zuchtwert"_s)->index(u"Hund"_s), nullptr);
}

TEST(Catalogue, IndexFlags) {
    const TableDef* v = catalogueTable(u"vorfahrenliste"_s);
    ASSERT_NE(v, nullptr);
    ASSERT_NE(v->index(u"IndexName"_s), nullptr);
    EXPECT_TRUE(v->index(u"IndexName"_s)->unique);
    EXPECT_FALSE(v->index(u"IndexName"_s)->descending);
    ASSERT_NE(v->index(u"IndexAnzahl"_s), nullptr);
    EXPECT_TRUE(v->index(u"IndexAnzahl"_s)->unique);
    EXPECT_TRUE(v->index(u"IndexAnzahl"_s)->descending);
    EXPECT_TRUE(catalogueTable(u"bewert"_s)->primaryKey()->unique);

    for (const TableDef& t : catalogue())
        EXPECT_EQ(t.caseSensitive, t.name == u"adr_dat"_s) << s(t.name);
}

TEST(Schema, FieldTypeNamesRoundTrip) {
    const FieldType all[] = {FieldType::Auto,  FieldType::Int,      FieldType::Short,  FieldType::Text,
                             FieldType::Date,  FieldType::DateTime, FieldType::Bool,   FieldType::Float,
                             FieldType::Money, FieldType::Memo,     FieldType::Picture};
    for (FieldType t : all) {
        FieldType back = FieldType::Int;
        EXPECT_TRUE(fieldTypeFromName(fieldTypeName(t).toUpper(), &back)) << s(fieldTypeName(t));
        EXPECT_EQ(back, t);
    }
    EXPECT_EQ(fieldTypeName(FieldType::DateTime), u"DateTime"_s);
    FieldType t = FieldType::Memo;
    EXPECT_FALSE(fieldTypeFromName(u"Varchar"_s, &t));
    EXPECT_EQ(t, FieldType::Memo);
}

TEST(Schema, SplitFieldsAndCaseBlindLookups) {
    EXPECT_EQ(splitFields(u"A;B;C"_s), QStringList({u"A"_s, u"B"_s, u"C"_s}));
    EXPECT_EQ(splitFields(u"Name"_s), QStringList({u"Name"_s}));
    EXPECT_TRUE(splitFields(QString()).isEmpty());

    IndexDef ix;
    ix.fields = {u"RKurzname"_s, u"RCode"_s};
    EXPECT_TRUE(ix.sameFields({u"rkurzname"_s, u"Rcode"_s}));
    EXPECT_FALSE(ix.sameFields({u"RKurzname"_s}));
    EXPECT_FALSE(ix.sameFields({u"RCode"_s, u"RKurzname"_s}));

    const TableDef* t = catalogueTable(u"rasse"_s);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->field(u"rname"_s), t->field(u"RName"_s));
    EXPECT_NE(t->field(u"rname"_s), nullptr);
    EXPECT_EQ(t->field(u"nofield"_s), nullptr);
    EXPECT_EQ(t->index(u"rassename"_s)->name, u"RasseName"_s);
    EXPECT_EQ(t->index(QString()), t->primaryKey());
    EXPECT_EQ(t->index(u"noindex"_s), nullptr);
}
