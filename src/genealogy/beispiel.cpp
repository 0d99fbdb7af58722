#include "genealogy/beispiel.h"

#include "store/anlegen.h"
#include "store/database.h"
#include "store/table.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <vector>

namespace velmora::genealogy {

namespace {

// splitmix64: the standard distributions differ between libraries, this gives the same stream everywhere.
class Zufall {
public:
    explicit Zufall(quint64 seed) : m_s(seed ^ 0x9E3779B97F4A7C15ull) {}
    quint64 roh() {
        quint64 z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int bis(int n) { return n <= 1 ? 0 : static_cast<int>(roh() % static_cast<quint64>(n)); } // 0..n-1
    int zwischen(int lo, int hi) { return lo + bis(hi - lo + 1); }
    bool chance(double p) { return (roh() >> 11) * (1.0 / 9007199254740992.0) < p; }
    double eins() { return (roh() >> 11) * (1.0 / 9007199254740992.0); }

private:
    quint64 m_s;
};

const QStringList& katerNamen() {
    static const QStringList l = {
        QStringLiteral("Aramis"),  QStringLiteral("Amadeus"),   QStringLiteral("Balu"),
        QStringLiteral("Benno"),   QStringLiteral("Caruso"),    QStringLiteral("Cäsar"),
        QStringLiteral("Diego"),   QStringLiteral("Dexter"),    QStringLiteral("Elvis"),
        QStringLiteral("Emil"),    QStringLiteral("Felix"),     QStringLiteral("Filou"),
        QStringLiteral("Gizmo"),   QStringLiteral("Gandalf"),   QStringLiteral("Hektor"),
        QStringLiteral("Hugo"),    QStringLiteral("Igor"),      QStringLiteral("Indigo"),
        QStringLiteral("Jasper"),  QStringLiteral("Joker"),     QStringLiteral("Kasimir"),
        QStringLiteral("Kimba"),   QStringLiteral("Leo"),       QStringLiteral("Louis"),
        QStringLiteral("Merlin"),  QStringLiteral("Moritz"),    QStringLiteral("Nero"),
        QStringLiteral("Nemo"),    QStringLiteral("Oskar"),     QStringLiteral("Orion"),
        QStringLiteral("Paco"),    QStringLiteral("Pascha"),    QStringLiteral("Quincy"),
        QStringLiteral("Rocky"),   QStringLiteral("Romeo"),     QStringLiteral("Simba"),
        QStringLiteral("Sammy"),   QStringLiteral("Tiger"),     QStringLiteral("Theo"),
        QStringLiteral("Ulysses"), QStringLiteral("Valentino"), QStringLiteral("Vito"),
        QStringLiteral("Winston"), QStringLiteral("Xaver"),     QStringLiteral("Yoshi"),
        QStringLiteral("Zorro"),   QStringLiteral("Zeus")};
    return l;
}

const QStringList& katzeNamen() {
    static const QStringList l = {
        QStringLiteral("Amira"), QStringLiteral("Anouk"),     QStringLiteral("Bella"),
        QStringLiteral("Bonny"), QStringLiteral("Cleo"),      QStringLiteral("Chiara"),
        QStringLiteral("Daisy"), QStringLiteral("Dana"),      QStringLiteral("Emma"),
        QStringLiteral("Elfe"),  QStringLiteral("Fiona"),     QStringLiteral("Fee"),
        QStringLiteral("Gina"),  QStringLiteral("Grace"),     QStringLiteral("Hanna"),
        QStringLiteral("Holly"), QStringLiteral("Isis"),      QStringLiteral("Ilvy"),
        QStringLiteral("Jule"),  QStringLiteral("Jolie"),     QStringLiteral("Kira"),
        QStringLiteral("Kiki"),  QStringLiteral("Luna"),      QStringLiteral("Lilly"),
        QStringLiteral("Mia"),   QStringLiteral("Mausi"),     QStringLiteral("Nala"),
        QStringLiteral("Nora"),  QStringLiteral("Odette"),    QStringLiteral("Olivia"),
        QStringLiteral("Paula"), QStringLiteral("Pünktchen"), QStringLiteral("Queenie"),
        QStringLiteral("Rosi"),  QStringLiteral("Ronja"),     QStringLiteral("Sina"),
        QStringLiteral("Susi"),  QStringLiteral("Tessa"),     QStringLiteral("Tiffany"),
        QStringLiteral("Uma"),   QStringLiteral("Venus"),     QStringLiteral("Wanda"),
        QStringLiteral("Xenia"), QStringLiteral("Yara"),      QStringLiteral("Zoe"),
        QStringLiteral("Zara")};
    return l;
}

QString zwingerName(Zufall& z) {
    static const std::array<const char*, 16> vorne = {
        "Sonnen", "Mond", "Stern", "Linden", "Birken",   "Eichen", "Wiesen",    "Rosen",
        "Silber", "Gold", "Nebel", "Wald",   "Kristall", "Saphir", "Bernstein", "Lavendel"};
    static const std::array<const char*, 10> hinten = {"hof",    "garten", "tal", "berg", "blick",
                                                       "quelle", "grund",  "au",  "heim", "feld"};
    static const std::array<const char*, 12> englisch = {
        "Avalon",    "Camelot",      "Silverdream", "Moonshadow",  "Bluebell",  "Highland",
        "Starlight", "Misty Valley", "Golden Gate", "Velvet Paws", "Snowfield", "Oakwood"};
    switch (z.bis(3)) {
    case 0:
        return QStringLiteral("vom ") + QString::fromUtf8(vorne[z.bis(int(vorne.size()))]) +
               QString::fromUtf8(hinten[z.bis(int(hinten.size()))]);
    case 1:
        return QStringLiteral("von der ") + QString::fromUtf8(vorne[z.bis(int(vorne.size()))]) +
               QStringLiteral("au");
    default:
        return QStringLiteral("of ") + QString::fromUtf8(englisch[z.bis(int(englisch.size()))]);
    }
}

struct Katze {
    qint32 nr = 0;
    bool kater = false;
    QDate geboren;
    int zwinger = 0;
    int farbe = 0; // index into the breed's colours
    qint32 vater = 0, mutter = 0;
    QString rufname;
};

struct Zwinger {
    QString name;
    int wurf = 0; // litters so far, gives the litter letter
};

// Call name with the litter letter when the list has one.
QString rufname(Zufall& z, bool kater, QChar buchstabe) {
    const QStringList& l = kater ? katerNamen() : katzeNamen();
    QStringList passend;
    for (const QString& n : l)
        if (n.at(0) == buchstabe) passend << n;
    const QStringList& aus = passend.isEmpty() ? l : passend;
    return aus.at(z.bis(int(aus.size())));
}

} // namespace

BeispielBericht fuelleBeispielregister(store::Database& db, const BeispielParameter& p) {
    BeispielBericht bericht;
    Zufall z(p.seed);
    const int n = std::max(0, p.katzen);
    const int generationen = std::max(1, p.generationen);

    QVector<qint32> rassen;
    {
        store::Table t(db, QStringLiteral("rasse"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); t.hasRecord() && !t.eof(); t.next())
            rassen << t.asInt(QStringLiteral("RCode"));
    }
    QStringList farben;
    {
        store::Table t(db, QStringLiteral("farbe"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); t.hasRecord() && !t.eof(); t.next()) {
            const QString f = t.asString(QStringLiteral("Farbname"));
            if (!f.isEmpty()) farben << f;
        }
    }
    if (farben.isEmpty()) farben << QString();

    // A few features beside the two the system seeds (1 Klon, 2 Foundation).
    QVector<qint32> gesundheit;
    {
        store::Table t(db, QStringLiteral("merkmale"));
        t.open(store::Table::OpenMode::Exclusive);
        const std::array<std::array<const char*, 2>, 3> neu = {
            {{"HCM negativ", "HCM"}, {"PKD negativ", "PKD"}, {"Blutgruppe B", "BGB"}}};
        const std::array<int, 3> farbe = {0x00A000, 0x008080, 0x800080};
        store::Transaction tx(db, QStringLiteral("merkmale"));
        for (size_t i = 0; i < neu.size(); ++i) {
            t.append();
            t.setValue(QStringLiteral("Bezeichnung"), QString::fromUtf8(neu[i][0]));
            t.setValue(QStringLiteral("Kuerzel"), QString::fromUtf8(neu[i][1]));
            t.setValue(QStringLiteral("farbe"), farbe[i]);
            t.post();
            gesundheit << t.asInt(QStringLiteral("LaufendeNummer"));
        }
        tx.commit();
    }

    // Breeds: one closed population each, about 20000 cats a breed.
    const int anzahlRassen =
        n == 0 ? 0 : std::clamp(p.rassen > 0 ? p.rassen : n / 20000 + 1, 1, std::max<int>(1, int(rassen.size())));
    QVector<qint32> gewaehlt;
    {
        QVector<qint32> rest = rassen;
        for (int i = 0; i < anzahlRassen; ++i) {
            if (rest.isEmpty()) {
                gewaehlt << 0;
                continue;
            }
            gewaehlt << rest.takeAt(z.bis(int(rest.size())));
        }
    }
    bericht.rassen = anzahlRassen;

    store::Table katzen(db, QStringLiteral("catstamm"));
    katzen.open(store::Table::OpenMode::Exclusive);
    store::Table merkmale(db, QStringLiteral("katzemerkmal"));
    merkmale.open(store::Table::OpenMode::Exclusive);
    const int fNr = katzen.fieldIndex(QStringLiteral("LaufendeNummer"));
    const int fGeschlecht = katzen.fieldIndex(QStringLiteral("Geschlecht"));
    const int fGeb = katzen.fieldIndex(QStringLiteral("GebDatum"));
    const int fFell = katzen.fieldIndex(QStringLiteral("FellFarbe"));
    const int fVater = katzen.fieldIndex(QStringLiteral("Vater"));
    const int fMutter = katzen.fieldIndex(QStringLiteral("Mutter"));
    const int fName = katzen.fieldIndex(QStringLiteral("Name"));
    const int fZwinger = katzen.fieldIndex(QStringLiteral("Zwinger"));
    const int fRuf = katzen.fieldIndex(QStringLiteral("Rufname"));
    const int fRasse = katzen.fieldIndex(QStringLiteral("Rasse"));
    const int mKatze = merkmale.fieldIndex(QStringLiteral("Katze"));
    const int mMerkmal = merkmale.fieldIndex(QStringLiteral("Merkmal"));
    store::Transaction txKatzen(db, QStringLiteral("catstamm"));
    store::Transaction txMerkmale(db, QStringLiteral("katzemerkmal"));

    qint32 naechsteNr = 1;
    auto merkmal = [&](qint32 katze, qint32 m) {
        merkmale.append();
        merkmale.setValue(mKatze, katze);
        merkmale.setValue(mMerkmal, m);
        merkmale.post();
        ++bericht.merkmalZeilen;
    };

    for (int r = 0; r < anzahlRassen; ++r) {
        const int nRasse = n / anzahlRassen + (r < n % anzahlRassen ? 1 : 0);
        // at least four cats a generation, so every generation has a tom and a queen to breed from
        const int gen = std::clamp(nRasse / 4, 1, generationen);
        QStringList rasseFarben;
        for (int i = 0, k = std::min<int>(8, int(farben.size())); i < k; ++i)
            rasseFarben << farben.at(z.bis(int(farben.size())));
        QVector<Zwinger> zwinger(std::clamp(nRasse / 150, 2, 300));
        for (Zwinger& zw : zwinger)
            zw.name = zwingerName(z);
        bericht.zwinger += int(zwinger.size());

        std::vector<std::vector<Katze>> generation(static_cast<size_t>(gen));
        auto schreiben = [&](const Katze& k) {
            katzen.append();
            katzen.setValue(fNr, k.nr);
            katzen.setValue(fGeschlecht, k.kater ? QStringLiteral("1") : QStringLiteral("2"));
            katzen.setValue(fGeb, k.geboren);
            katzen.setValue(fFell, rasseFarben.at(k.farbe));
            if (k.vater) katzen.setValue(fVater, k.vater);
            if (k.mutter) katzen.setValue(fMutter, k.mutter);
            const QString& zw = zwinger[k.zwinger].name;
            katzen.setValue(fName, QString(k.rufname + QLatin1Char(' ') + zw).left(70));
            katzen.setValue(fZwinger, zw.left(40));
            katzen.setValue(fRuf, k.rufname.left(15));
            if (gewaehlt[r]) katzen.setValue(fRasse, gewaehlt[r]);
            katzen.post();
            ++bericht.katzen;
            if (k.vater == 0 && k.mutter == 0 && z.chance(0.25)) merkmal(k.nr, 2); // Foundation
            if (z.chance(0.0005)) merkmal(k.nr, 1);                                // Klon
            if (z.chance(0.15)) merkmal(k.nr, gesundheit[0]);
            if (z.chance(0.10)) merkmal(k.nr, gesundheit[1]);
            if (z.chance(0.03)) merkmal(k.nr, gesundheit[2]);
        };

        // Founders are born over one year; each generation comes two to three years after its parents.
        const QDate start = QDate(2025, 6, 1).addDays(-qint64(gen) * 913 - 365);
        for (int g = 0; g < gen; ++g) {
            const int groesse = nRasse / gen + (g < nRasse % gen ? 1 : 0);
            std::vector<Katze>& neu = generation[static_cast<size_t>(g)];
            neu.reserve(static_cast<size_t>(groesse));
            if (g == 0) {
                for (int i = 0; i < groesse; ++i) {
                    Katze k;
                    k.nr = naechsteNr++;
                    k.kater = i % 2 == 0;
                    k.geboren = start.addDays(z.bis(365));
                    k.zwinger = z.bis(int(zwinger.size()));
                    k.farbe = z.bis(int(rasseFarben.size()));
                    k.rufname = rufname(z, k.kater, QChar());
                    neu.push_back(k);
                    schreiben(k);
                }
                continue;
            }
            // Parents come from the last two generations, further back only when a sex is missing there.
            std::vector<const Katze*> kater, katzenPool;
            for (int h = g - 1; h >= 0; --h) {
                if (h < g - 2 && !kater.empty() && !katzenPool.empty()) break;
                for (const Katze& k : generation[static_cast<size_t>(h)])
                    (k.kater ? kater : katzenPool).push_back(&k);
            }
            // Few toms sire most litters; their rank decides how often (popular sires).
            const int deckkater = std::max<int>(1, int(kater.size()) / 8);
            std::vector<const Katze*> auswahl;
            for (int i = 0; i < deckkater; ++i)
                auswahl.push_back(kater[static_cast<size_t>(z.bis(int(kater.size())))]);
            const int zuchtkatzen = std::max<int>(1, int(katzenPool.size()) / 2);
            std::vector<const Katze*> mutterAuswahl;
            for (int i = 0; i < zuchtkatzen; ++i)
                mutterAuswahl.push_back(katzenPool[static_cast<size_t>(z.bis(int(katzenPool.size())))]);
            double summe = 0;
            for (int i = 0; i < deckkater; ++i)
                summe += 1.0 / (i + 1);
            while (static_cast<int>(neu.size()) < groesse) {
                double w = z.eins() * summe;
                int vi = 0;
                while (vi + 1 < deckkater && (w -= 1.0 / (vi + 1)) > 0)
                    ++vi;
                const Katze* vater = auswahl[static_cast<size_t>(vi)];
                const Katze* mutter = mutterAuswahl[static_cast<size_t>(z.bis(int(mutterAuswahl.size())))];
                Zwinger& zw = zwinger[mutter->zwinger];
                const QChar buchstabe = QChar(u'A' + zw.wurf % 26);
                ++zw.wurf;
                const QDate geboren =
                    std::max(vater->geboren, mutter->geboren).addDays(z.zwischen(730, 1095));
                const int wurf = std::min(groesse - int(neu.size()), z.zwischen(1, 6));
                for (int i = 0; i < wurf; ++i) {
                    Katze k;
                    k.nr = naechsteNr++;
                    k.kater = z.chance(0.5);
                    k.geboren = geboren;
                    k.zwinger = mutter->zwinger;
                    const int f = z.bis(10);
                    k.farbe = f < 5 ? mutter->farbe : f < 8 ? vater->farbe : z.bis(int(rasseFarben.size()));
                    k.vater = vater->nr;
                    k.mutter = mutter->nr;
                    k.rufname = rufname(z, k.kater, buchstabe);
                    neu.push_back(k);
                    schreiben(k);
                }
            }
        }
    }
    txKatzen.commit();
    txMerkmale.commit();
    return bericht;
}

int fuelleBeispieldetails(store::Database& db, int anzahl, quint64 seed) {
    if (anzahl <= 0) return 0;
    Zufall z(seed * 31 + 7);
    struct Tier {
        qint32 nr, vater, mutter;
        bool katze;
        QDate geboren;
    };
    std::vector<Tier> tiere;
    {
        store::Table k(db, QStringLiteral("catstamm"));
        k.open(store::Table::OpenMode::ReadOnly);
        const int fNr = k.fieldIndex(QStringLiteral("LaufendeNummer"));
        const int fV = k.fieldIndex(QStringLiteral("Vater"));
        const int fM = k.fieldIndex(QStringLiteral("Mutter"));
        const int fG = k.fieldIndex(QStringLiteral("Geschlecht"));
        const int fD = k.fieldIndex(QStringLiteral("GebDatum"));
        for (k.first(); k.hasRecord() && !k.eof(); k.next())
            tiere.push_back({k.value(fNr).toInt(), k.value(fV).toInt(), k.value(fM).toInt(),
                             k.value(fG).toString() == QLatin1String("2"), k.value(fD).toDate()});
    }
    if (tiere.empty()) return 0;
    int geschrieben = 0;
    const QDate ende(2026, 6, 1);

    // Litters: kittens of one mother by one father on one day.
    struct Wurf {
        qint32 mutter, vater;
        QDate tag;
        int groesse;
    };
    std::vector<Wurf> wuerfe;
    {
        std::vector<const Tier*> kinder;
        for (const Tier& t : tiere)
            if (t.mutter > 0 && t.geboren.isValid()) kinder.push_back(&t);
        std::sort(kinder.begin(), kinder.end(), [](const Tier* a, const Tier* b) {
            return std::tie(a->mutter, a->geboren, a->vater) < std::tie(b->mutter, b->geboren, b->vater);
        });
        for (const Tier* t : kinder) {
            if (!wuerfe.empty() && wuerfe.back().mutter == t->mutter && wuerfe.back().tag == t->geboren &&
                wuerfe.back().vater == t->vater)
                ++wuerfe.back().groesse;
            else
                wuerfe.push_back({t->mutter, t->vater, t->geboren, 1});
        }
    }
    {
        store::Table wb(db, QStringLiteral("wurfbuch"));
        wb.open(store::Table::OpenMode::Exclusive);
        store::Table db2(db, QStringLiteral("deckbuch"));
        db2.open(store::Table::OpenMode::Exclusive);
        store::Transaction t1(db, QStringLiteral("wurfbuch")), t2(db, QStringLiteral("deckbuch"));
        for (const Wurf& w : wuerfe) {
            const QDate deck = w.tag.addDays(-z.zwischen(63, 67));
            wb.append();
            wb.setValue(QStringLiteral("Katze"), w.mutter);
            wb.setValue(QStringLiteral("Kater"), w.vater);
            wb.setValue(QStringLiteral("BeginnRollig"), deck.addDays(-z.zwischen(1, 3)));
            wb.setValue(QStringLiteral("Decktermin"), deck);
            wb.setValue(QStringLiteral("Wurftag"), w.tag);
            wb.setValue(QStringLiteral("Wurfstaerke"), QString::number(w.groesse));
            wb.post();
            if (w.vater > 0) {
                db2.append();
                db2.setValue(QStringLiteral("Kater"), w.vater);
                db2.setValue(QStringLiteral("Katze"), w.mutter);
                db2.setValue(QStringLiteral("Decktermin"), deck);
                db2.setValue(QStringLiteral("Wurftag"), w.tag);
                db2.setValue(QStringLiteral("Erfolge"), QString::number(w.groesse));
                db2.post();
                ++geschrieben;
            }
            ++geschrieben;
        }
        t1.commit();
        t2.commit();
    }

    // The rest spread over every cat's life: vaccinations and wormings with their next dates, weighings
    // of the young cat, heats of a queen. Each cat gets about the same share.
    const double jeKatze = std::max(0.0, double(anzahl - geschrieben) / double(tiere.size()));
    store::Table imp(db, QStringLiteral("impfung")), wk(db, QStringLiteral("wurmkur")),
        gew(db, QStringLiteral("gewicht")), lf(db, QStringLiteral("laeufigkeit"));
    for (store::Table* t : {&imp, &wk, &gew, &lf})
        t->open(store::Table::OpenMode::Exclusive);
    store::Transaction ti(db, QStringLiteral("impfung")), tw(db, QStringLiteral("wurmkur")),
        tg(db, QStringLiteral("gewicht")), tl(db, QStringLiteral("laeufigkeit"));
    static const char* const kImpfungen[] = {"RCP", "RCP + Tollwut", "FeLV", "Tollwut"};
    static const char* const kWurmkuren[] = {"Milbemax", "Profender", "Drontal", "Panacur"};
    double rest = 0;
    for (const Tier& t : tiere) {
        rest += jeKatze;
        const int n = int(rest);
        rest -= n;
        if (n <= 0 || !t.geboren.isValid()) continue;
        for (int i = 0; i < n; ++i) {
            const int art = z.bis(t.katze ? 10 : 8); // queens also have heats
            const QDate tag = t.geboren.addDays(z.zwischen(56, 56 + 365 * 8));
            QDate datum = tag;
            if (datum > ende) { // young cats: somewhere between eight weeks old and the end
                const qint64 spanne = t.geboren.daysTo(ende) - 56;
                datum = t.geboren.addDays(56 + (spanne > 0 ? z.bis(int(spanne)) : 0));
            }
            if (art < 3) {
                imp.append();
                imp.setValue(QStringLiteral("Katze"), t.nr);
                imp.setValue(QStringLiteral("Datum"), datum);
                imp.setValue(QStringLiteral("Impfung"), QString::fromUtf8(kImpfungen[z.bis(4)]));
                imp.setValue(QStringLiteral("NeuAm"), datum.addYears(1));
                imp.post();
            } else if (art < 6) {
                wk.append();
                wk.setValue(QStringLiteral("Katze"), t.nr);
                wk.setValue(QStringLiteral("Datum"), datum);
                wk.setValue(QStringLiteral("Medikament"), QString::fromUtf8(kWurmkuren[z.bis(4)]));
                wk.setValue(QStringLiteral("Naechste"), datum.addMonths(3));
                wk.post();
            } else if (art < 8) {
                gew.append();
                gew.setValue(QStringLiteral("Katze"), t.nr);
                gew.setValue(QStringLiteral("Datum"), t.geboren.addDays(7 * z.zwischen(1, 40)));
                gew.setValue(QStringLiteral("Gewicht"), 100.0 + z.bis(5000));
                gew.post();
            } else {
                lf.append();
                lf.setValue(QStringLiteral("Katze"), t.nr);
                lf.setValue(QStringLiteral("Datum"), QDateTime(datum, QTime(8 + z.bis(12), 0)));
                lf.post();
            }
            ++geschrieben;
        }
    }
    ti.commit();
    tw.commit();
    tg.commit();
    tl.commit();
    return geschrieben;
}

BeispielBericht legeBeispielAn(const QString& dir, const QString& quelle, const BeispielParameter& p) {
    store::legeDatenverzeichnisAn(dir, quelle);
    store::Database db(dir);
    BeispielBericht b = fuelleBeispielregister(db, p);
    b.detailZeilen = fuelleBeispieldetails(db, p.details, p.seed);
    return b;
}

} // namespace velmora::genealogy
