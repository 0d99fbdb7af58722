// The address book's rules on a delivered data directory: letter tabs as ranges of the real index, the
// search with its wildcards, case rules and hostile input, the duplicate look-up and the mail texts.

#include "office/adressen.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace velmora;
using office::AdrKriterien;

namespace {

struct Eintrag {
    const char* name;
    const char* vorname;
    const char* status;
    const char* plz;
    const char* telefon;
    int rasse; // 0 none
};

class AdressenTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        store::Table r(*db, QStringLiteral("rasse"));
        r.open();
        r.append();
        r.setValue(QStringLiteral("RName"), QStringLiteral("Persian"));
        r.post();
        persian = r.asInt(QStringLiteral("RCode"));
        adr = std::make_unique<store::Table>(*db, QStringLiteral("adr_dat"));
        adr->open();
        const Eintrag eintraege[] = {
            {"Meier", "Hans", "Züchter", "12345", "030 1", kPerser},
            {"MEIER", "Anna", "Käufer", "12399", "030 2", 0},
            {"Obermeier", "Jo", "Privat", "54321", "089 3", 0},
            {"Müller", "Eva", "Züchter", "80331", "089 4", persian},
            {"O'Brien", "Sean", "Interessenten", "D-1", "+353", 0},
            {"\"Quote\"", "", "Privat", "", "", 0},
            {"Sm;th", "", "Privat", "", "", 0},
            {"D", "", "Privat", "", "", 0},
            {"Daisy", "", "Privat", "", "", 0},
            {"G", "", "Privat", "", "", 0},
            {"Ärger", "", "Privat", "", "", 0},
            {"Vogel", "", "Privat", "", "", 0},
            {"Zander", "", "Privat", "", "", 0},
            {"Zzyzx", "", "Privat", "", "", 0},
            {"9 Leben", "", "Privat", "", "", 0},
            {"@home", "", "Privat", "", "", 0},
            {"de Vries", "", "Privat", "", "", 0},
            {"Meier", "", "Privat", "", "", 0},
        };
        for (const Eintrag& e : eintraege) {
            adr->append();
            adr->setValue(QStringLiteral("Name"), QString::fromUtf8(e.name));
            auto setze = [&](const char* feld, const char* wert) {
                if (*wert) adr->setValue(QLatin1String(feld), QString::fromUtf8(wert));
            };
            setze("Vorname", e.vorname);
            setze("Status", e.status);
            setze("Plz", e.plz);
            setze("Telefon", e.telefon);
            if (e.rasse) adr->setValue(QStringLiteral("Rasse"), e.rasse);
            adr->post();
            nummer.insert(QString::fromUtf8(e.name) + QLatin1Char('|') + QString::fromUtf8(e.vorname),
                          adr->asInt(QStringLiteral("LaufendeNr")));
        }
    }

    QStringList gefunden(const AdrKriterien& k) {
        QStringList namen;
        for (const office::Adresse& a : office::adressenSuchen(*db, k))
            namen << a.anzeige();
        return namen;
    }

    QStringList reiter(int k) {
        const office::NamensBereich b = office::buchstabenBereich(k);
        adr->setIndexName(QStringLiteral("AdrName"));
        adr->setRange({b.von}, {b.bis});
        QStringList namen;
        for (adr->first(); !adr->eof(); adr->next())
            namen << adr->asString(QStringLiteral("Name"));
        adr->cancelRange();
        namen.removeDuplicates();
        return namen;
    }

    static constexpr int kPerser = 44;
    int persian = 0;
    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::Table> adr;
    QHash<QString, int> nummer;
};

TEST_F(AdressenTest, LetterTabsAreRangesOfTheNameIndexWithTheirEdges) {
    // "D" alone ends "ABC"; "G" alone ends "DEF"; Z belongs to "V-Z"; digits, signs and lower-case
    // initials sort outside A to Z in the case-sensitive index and are under no letter tab.
    const QStringList erwartet[] = {
        {"Ärger", "D"},
        {"D", "Daisy", "G"},
        {"G"},
        {},
        {"MEIER", "Meier", "Müller", "O'Brien", "Obermeier"},
        {},
        {"Sm;th"},
        {"Vogel", "Zander", "Zzyzx"},
    };
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(reiter(k), erwartet[k]) << office::buchstabenReiter().at(k).toStdString();
    QSet<QString> inReitern;
    for (int k = 0; k < 8; ++k)
        for (const QString& n : reiter(k))
            inReitern << n;
    for (const char* draussen : {"9 Leben", "@home", "de Vries", "\"Quote\""})
        EXPECT_FALSE(inReitern.contains(QString::fromUtf8(draussen))) << draussen;
}

TEST_F(AdressenTest, SearchCriteriaWildcardsCaseAndHostileInput) {
    struct Fall {
        AdrKriterien k;
        QStringList erwartet;
    };
    auto n = [](const char* s) {
        AdrKriterien k;
        k.name = QString::fromUtf8(s);
        return k;
    };
    AdrKriterien statusKlein, statusGross, plz, telefon, perser, persKlein, nichtsRasse, zwei;
    statusKlein.status = QStringLiteral("z");
    statusGross.status = QStringLiteral("Z");
    plz.plz = QStringLiteral("123");
    telefon.telefon = QStringLiteral("089");
    perser.rasse = QStringLiteral("Pers");
    persKlein.rasse = QStringLiteral("pers");
    persKlein.name = QStringLiteral("Meier"); // a matching name does not help a breed that matches nothing
    nichtsRasse.rasse = QStringLiteral("Xyz");
    zwei.name = QStringLiteral("meier");
    zwei.status = QStringLiteral("Käu");
    const Fall faelle[] = {
        {n("mei"), {"MEIER, Anna", "Meier", "Meier, Hans"}},
        {n("MÜLL"), {"Müller, Eva"}},
        {n("m%er"), {"MEIER, Anna", "Meier", "Meier, Hans", "Müller, Eva"}},
        {n("M_ier"), {"MEIER, Anna", "Meier", "Meier, Hans"}},
        {n("o'"), {"O'Brien, Sean"}},
        {n("\""), {"\"Quote\""}},
        {n("sm;"), {"Sm;th"}},
        {n("x' OR '1'='1"), {}},
        {n("\"; DROP TABLE adr_dat; --"), {}},
        {statusKlein, {}},
        {statusGross, {"Meier, Hans", "Müller, Eva"}},
        {plz, {"MEIER, Anna", "Meier, Hans"}},
        {telefon, {"Müller, Eva", "Obermeier, Jo"}},
        {perser, {"Meier, Hans", "Müller, Eva"}},
        {persKlein, {}},
        {nichtsRasse, {}},
        {zwei, {"MEIER, Anna"}},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(gefunden(f.k), f.erwartet)
            << f.k.name.toStdString() << f.k.status.toStdString() << f.k.rasse.toStdString();
    EXPECT_TRUE(db->tableExists(QStringLiteral("adr_dat")));
}

TEST_F(AdressenTest, EmptyCriteriaListEveryAddressInTheBooksOrder) {
    const QStringList alle = gefunden({});
    EXPECT_EQ(alle.size(), 18);
    adr->setIndexName(QStringLiteral("AdrName"));
    QStringList buch;
    for (adr->first(); !adr->eof(); adr->next())
        buch << office::adressAnzeige(adr->asString(QStringLiteral("Name")),
                                      adr->asString(QStringLiteral("Vorname")));
    EXPECT_EQ(alle, buch);
}

TEST_F(AdressenTest, DuplicateCheckMatchesNameAndFirstNameExactly) {
    struct Fall {
        const char* name;
        const char* vorname;
        const char* treffer; // key of the expected address, "" for none
    };
    const Fall faelle[] = {
        {"Meier", "Hans", "Meier|Hans"}, {"meier", "Hans", ""},           {"Meier", "hans", ""},
        {"Meier", "", "Meier|"},         {"MEIER", "Anna", "MEIER|Anna"}, {"Muller", "Eva", ""},
    };
    adr->setIndexName(QString());
    adr->last();
    const int vorher = adr->asInt(QStringLiteral("LaufendeNr"));
    for (const Fall& f : faelle)
        EXPECT_EQ(office::gleichnamigeAdresse(*adr, QString::fromUtf8(f.name), QString::fromUtf8(f.vorname)),
                  *f.treffer ? nummer.value(QString::fromUtf8(f.treffer)) : 0)
            << f.name << ", " << f.vorname;
    EXPECT_EQ(adr->asInt(QStringLiteral("LaufendeNr")), vorher);
}

TEST(AdressMail, GroupMailEncodesNamesAndAddressesAndNamesThoseWithoutMail) {
    office::Adresse a, ohne, b;
    a.name = QStringLiteral("Huber");
    a.email = QStringLiteral("a@x.de");
    ohne.name = QStringLiteral("Leer");
    ohne.vorname = QStringLiteral("Lotte");
    b.name = QStringLiteral("Odd");
    b.email = QStringLiteral("b&c?d#e@y.de");
    const office::Gruppenmail g = office::gruppenMail({a, ohne, b}, QStringLiteral("Mit freundlichen Grüßen"),
                                                      QStringLiteral("Anna"), QStringLiteral("Bär & Co"));
    EXPECT_EQ(g.ohneEmail, QStringList{QStringLiteral("Leer, Lotte")});
    EXPECT_EQ(g.text,
              QStringLiteral("MAILTO:a@x.de;b%26c%3Fd%23e@y.de?subject=%20&body=%0A"
                             "Mit%20freundlichen%20Gr%C3%BC%C3%9Fen%20%0AAnna%20B%C3%A4r%20%26%20Co"));
    EXPECT_TRUE(office::gruppenMail({ohne}, QStringLiteral("x"), {}, {}).text.isEmpty());
    EXPECT_EQ(office::mailtoText(QStringLiteral(" k&k@z.de ")), QStringLiteral("MAILTO:k%26k@z.de"));
}

TEST(AdressSuche, BeginsWithFollowsWildcardsAndCase) {
    struct Fall {
        const char* wert;
        const char* muster;
        bool ohneFall;
        bool passt;
    };
    const Fall faelle[] = {
        {"Meier", "mei", true, true},  {"Meier", "mei", false, false}, {"Züchter", "z", false, false},
        {"Züchter", "zü", true, true}, {"Meier", "%er", true, true},   {"Meier", "%x", true, false},
        {"Mai", "M_i", false, true},   {"Mi", "M_i", false, false},    {"", "%", true, true},
        {"abc", "", true, true},       {"ÄRGER", "är%r", true, true},  {"Ab", "abc", true, false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(office::beginntMit(QString::fromUtf8(f.wert), QString::fromUtf8(f.muster), f.ohneFall),
                  f.passt)
            << f.wert << " / " << f.muster;
}

} // namespace
