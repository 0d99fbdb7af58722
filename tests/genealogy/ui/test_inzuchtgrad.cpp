// The inbreeding window inside a real main window: a run in the worker and its six pages, the generation
// field, stored calculations (store, overwrite, list, load, delete, after a restart), cancel, the parents
// mode, following the cat list's double click, the report and the refusal while a calculation runs.

#include "app/ui/katzenliste.h"
#include "app/ui/tvelmora.h"
#include "genealogy/register.h"
#include "genealogy/ui/inzuchtgrad.h"
#include "printing/bericht.h"
#include "register/ui/suchendlg.h"
#include "store/table.h"
#include "support/testsupport.h"
#include "support/ui/hauptfenster.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QThread>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::genealogy::TFormInzuchtgrad;

namespace {

// 1 Zorro ("Klon") x 2 Amira: the full siblings 3 Mika and 4 Bella; 5 Pia is their kitten. 6 Luna is
// Zorro's daughter by an unknown dam; 7 Nero his son by 8 Kira.
const QVector<test::RegisterKatze> kRegister = {
    {1, QStringLiteral("Zorro"), 0, 0, {1}}, {2, QStringLiteral("Amira"), 0, 0, {}},
    {3, QStringLiteral("Mika"), 1, 2, {}},   {4, QStringLiteral("Bella"), 1, 2, {}},
    {5, QStringLiteral("Pia"), 3, 4, {}},    {6, QStringLiteral("Luna"), 1, 0, {}},
    {8, QStringLiteral("Kira"), 0, 0, {}},   {7, QStringLiteral("Nero"), 1, 8, {}}};

const QStringList kTabellen = {QStringLiteral("inzuchtgrad"), QStringLiteral("inzuchtgradvorf"),
                               QStringLiteral("inzuchtspeicherclone"),
                               QStringLiteral("inzuchtgradspeicherungtopkatzen")};

struct Inzucht : test::Hauptfenster {
    explicit Inzucht(bool mitRegister = false, const std::function<void(store::Database&)>& mehr = {})
        : test::Hauptfenster(optionen(mitRegister, mehr)) {}
    static Optionen optionen(bool mitRegister, const std::function<void(store::Database&)>& mehr) {
        Optionen o;
        o.mitRegister = mitRegister;
        o.vorher = [mehr](store::Database& db) {
            test::schreibeKatzen(db.directory(), kRegister);
            if (mehr) mehr(db);
        };
        return o;
    }
    test::Antworten meldungen;
    // Figures in the German form, as a German desktop writes them.
    struct Gebietsschema {
        QLocale alt;
        Gebietsschema() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~Gebietsschema() { QLocale::setDefault(alt); }
    } gebietsschema;
    TFormInzuchtgrad* oeffnenAuf(int katze) {
        EXPECT_TRUE(haupt->katzenListe()->zeigeKatze(katze));
        EXPECT_TRUE(menue(QStringLiteral("MenuFormInzuchtgrad")));
        f = dynamic_cast<TFormInzuchtgrad*>(haupt->fenster(QStringLiteral("FormInzuchtgrad")));
        if (f) fertig(); // the setting BerechnungAuto computes at once
        return f;
    }
    template <typename T> T* w(const char* name) const { return f->findChild<T*>(QLatin1String(name)); }
    void klick(const char* name) { test::klicken(w<QAbstractButton>(name)); }
    // Until the worker has finished and its result has reached the window.
    void fertig() {
        QDeadlineTimer frist(10000);
        while (f->laeuft() && !frist.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        test::ereignisse();
        ASSERT_FALSE(f->laeuft());
    }
    void rechnen() {
        klick("BitBtnBerechnung");
        fertig();
    }
    QString text(const char* name) const {
        if (auto* e = w<QLineEdit>(name)) return e->text();
        return w<QPlainTextEdit>(name)->toPlainText();
    }
    QStringList spalte(const char* gitter, int s) const {
        auto* g = w<QTableWidget>(gitter);
        QStringList l;
        for (int r = 0; r < g->rowCount(); ++r)
            l << (g->item(r, s) ? g->item(r, s)->text() : QString());
        return l;
    }
    QStringList liste() const {
        QStringList l;
        auto* lw = w<QListWidget>("ListeBerechnungen");
        for (int i = 0; i < lw->count(); ++i)
            l << lw->item(i)->text();
        return l;
    }
    void listeWaehlen(int zeile) {
        auto* lw = w<QListWidget>("ListeBerechnungen");
        test::klicken(lw->viewport(), lw->visualItemRect(lw->item(zeile)).center());
    }
    TFormInzuchtgrad* f = nullptr;
};

} // namespace

TEST(Inzuchtgrad, BerechnungFuelltDieSechsSeiten) {
    Inzucht h;
    ASSERT_NE(h.oeffnenAuf(5), nullptr);
    EXPECT_EQ(h.f->windowTitle(), "Inzuchtgradberechnung");
    EXPECT_EQ(h.text("EditKatze"), "Pia");
    EXPECT_EQ(h.text("EditVater"), "Mika");
    EXPECT_EQ(h.text("EditMutter"), "Bella");
    EXPECT_TRUE(h.w<QRadioButton>("RadioKatze")->isChecked());
    EXPECT_FALSE(h.w<QPushButton>("BitBtnSucheVater")->isEnabled());
    EXPECT_EQ(h.w<QLineEdit>("EditVater")->palette().color(QPalette::Base),
              h.f->palette().color(QPalette::Button));
    EXPECT_EQ(h.text("EditProzent"), " 0,25000 = 25,00%"); // computed on opening (BerechnungAuto)
    h.rechnen();
    EXPECT_EQ(h.text("EditProzent"), " 0,25000 = 25,00%");
    EXPECT_EQ(h.text("EditWright"), " 0,25000 = 25,00%");
    EXPECT_EQ(h.text("MemoInzucht"), "Zorro : 1 : 1 = 0,12500\nAmira : 1 : 1 = 0,12500");
    EXPECT_TRUE(h.text("MemoAhnenverlust").contains("Mögliche Vorfahrenplätze: 30\n"));
    EXPECT_EQ(h.text("EditStammbaumkomplett"), "Der Stammbaum ist unvollständig.");
    EXPECT_EQ(h.spalte("GridVorfahren", 0), (QStringList{"Amira", "Bella", "Mika", "Zorro"}));
    // Zorro's feature colour (blue) as background
    EXPECT_EQ(h.w<QTableWidget>("GridVorfahren")->item(3, 0)->background().color(), QColor(0, 0, 255));
    auto* kopf = h.w<QTableWidget>("GridVorfahren")->horizontalHeader();
    test::klicken(kopf->viewport(), {kopf->sectionViewportPosition(1) + 5, kopf->height() / 2});
    EXPECT_EQ(h.spalte("GridVorfahren", 1), (QStringList{"2", "2", "1", "1"}));
    EXPECT_EQ(h.spalte("GridKlon", 0), QStringList{"6,67 %"});
    EXPECT_EQ(h.spalte("GridKlon", 1), QStringList{"Zorro"});
    EXPECT_EQ(h.spalte("GridTopKatzen", 0), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(h.w<QLabel>("g11")->text(), "Mika");
    EXPECT_EQ(h.w<QLabel>("g12")->text(), "Bella");
    EXPECT_EQ(h.w<QLabel>("g21")->text(), "Zorro");
    EXPECT_EQ(h.w<QLabel>("g24")->text(), "Amira");
    EXPECT_FALSE(h.haupt->InzuchtBerechne);
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    for (QWidget* c : h.f->findChildren<QWidget*>())
        if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")) &&
            (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
             qobject_cast<QAbstractItemView*>(c)))
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
}

TEST(Inzuchtgrad, SprachwechselBeiOffenemFensterUebersetztUndBehaeltDasErgebnis) {
    Inzucht h;
    ASSERT_NE(h.oeffnenAuf(5), nullptr);
    const QString ergebnis = h.text("EditProzent");
    ASSERT_FALSE(ergebnis.isEmpty());
    auto* seiten = h.w<QTabWidget>("PageControl");
    ASSERT_NE(seiten, nullptr);
    h.haupt->spracheWechseln(1);
    test::ereignisse();
    EXPECT_EQ(h.f->windowTitle(), "Inbreeding calculation");
    EXPECT_EQ(seiten->tabText(0), "Inbreeding coefficient");
    EXPECT_EQ(seiten->tabText(1), "Pedigree collapse");
    EXPECT_EQ(h.text("EditProzent"), ergebnis);
    h.haupt->spracheWechseln(0);
    test::ereignisse();
    EXPECT_EQ(h.f->windowTitle(), "Inzuchtgradberechnung");
    EXPECT_EQ(seiten->tabText(0), "Inzuchtkoeffizient");
}

TEST(Inzuchtgrad, GenerationenfeldUnterDreiOderKeineZahlWirdDrei) {
    Inzucht h;
    ASSERT_NE(h.oeffnenAuf(5), nullptr);
    EXPECT_EQ(h.text("EditGenerationen"), "5");
    h.rechnen();
    for (const char* eingabe : {"2", "x"}) {
        test::eintragen(h.w<QLineEdit>("EditGenerationen"), QLatin1String(eingabe));
        EXPECT_EQ(h.text("EditGenerationen"), "3") << eingabe;
        EXPECT_TRUE(h.text("EditProzent").isEmpty()); // any change empties the results
    }
    h.rechnen();
    EXPECT_TRUE(h.text("MemoAhnenverlust").contains("Mögliche Vorfahrenplätze: 6\n"));
}

TEST(Inzuchtgrad, SpeichernUeberschreibenListenLadenLoeschenUndNachNeustart) {
    test::TempDir kopie;
    QString pia5, pia5Ahnen, paarWright;
    {
        Inzucht h;
        ASSERT_NE(h.oeffnenAuf(5), nullptr);
        h.klick("BitBtnLaden");
        EXPECT_EQ(h.meldungen.nummern(), QList<int>{84});
        h.rechnen();
        pia5 = h.text("EditProzent");
        pia5Ahnen = h.text("MemoAhnenverlust");
        h.klick("BitBtnSpeichern");
        h.klick("BitBtnSpeichern"); // same name and generation: asked, No keeps it
        test::eintragen(h.w<QLineEdit>("EditGenerationen"), QStringLiteral("6"));
        h.rechnen();
        h.klick("BitBtnSpeichern");
        EXPECT_EQ(h.meldungen.nummern(), (QList<int>{84, 87, 85, 87}));

        // parents mode: the proposal is sire_dam; an empty name is refused
        test::klicken(h.w<QRadioButton>("RadioEltern"));
        EXPECT_TRUE(h.text("EditKatze").isEmpty());
        h.f->katzeSuchen = [](int formular, bool vater) { return formular == 1 ? (vater ? 1 : 6) : 0; };
        h.klick("BitBtnSucheVater");
        h.klick("BitBtnSucheMutter");
        test::eintragen(h.w<QLineEdit>("EditGenerationen"), QStringLiteral("5"));
        h.rechnen();
        paarWright = h.text("EditWright");
        EXPECT_EQ(paarWright, " 0,25000 = 25,00%");
        QStringList vorschlaege;
        QStringList namen{QString(), QStringLiteral("Zorro_Luna")};
        h.f->nameFragen = [&](const QString& v, bool& ok) {
            vorschlaege << v;
            ok = true;
            return namen.takeFirst();
        };
        h.meldungen.meldungen.clear();
        h.klick("BitBtnSpeichern");
        EXPECT_EQ(vorschlaege.value(0), "Zorro_Luna");
        EXPECT_EQ(h.meldungen.nummern(), (QList<int>{86, 87}));

        h.klick("BitBtnLaden");
        EXPECT_EQ(h.liste(), (QStringList{"Pia (5)", "Pia (6)", "Zorro_Luna (5)"}));
        h.listeWaehlen(2);
        h.klick("BitBtnListeLaden");
        EXPECT_TRUE(h.w<QRadioButton>("RadioEltern")->isChecked());
        EXPECT_EQ(h.text("EditVater"), "Zorro");
        EXPECT_EQ(h.text("EditMutter"), "Luna");
        EXPECT_EQ(h.text("EditWright"), paarWright);
        h.klick("BitBtnLaden");
        h.listeWaehlen(0);
        h.klick("BitBtnListeLaden");
        EXPECT_TRUE(h.w<QRadioButton>("RadioKatze")->isChecked());
        EXPECT_EQ(h.text("EditKatze"), "Pia");
        EXPECT_EQ(h.text("EditProzent"), pia5);
        EXPECT_EQ(h.text("EditGenerationen"), "5");
        EXPECT_EQ(h.spalte("GridVorfahren", 0), (QStringList{"Amira", "Bella", "Mika", "Zorro"}));
        EXPECT_EQ(h.spalte("GridKlon", 1), QStringList{"Zorro"});
        EXPECT_TRUE(h.w<QLabel>("g11")->text().isEmpty()); // the pedigree page stays empty after a load

        h.klick("BitBtnLaden");
        h.listeWaehlen(1);
        h.meldungen.antworten = {Antwort::Ja};
        h.klick("BitBtnListeLoeschen");
        EXPECT_EQ(h.liste(), (QStringList{"Pia (5)", "Zorro_Luna (5)"}));
        for (const QString& t : kTabellen)
            ASSERT_TRUE(
                QFile::copy(store::Database::tableFilePath(h.daten.path(), t), kopie.file(t + ".db")));
    }
    Inzucht h(false, [&](store::Database& db) {
        for (const QString& t : kTabellen) {
            QFile::remove(store::Database::tableFilePath(db.directory(), t));
            QFile::copy(kopie.file(t + ".db"), QDir(db.directory()).filePath(t + ".db"));
        }
    });
    ASSERT_NE(h.oeffnenAuf(7), nullptr);
    h.klick("BitBtnLaden");
    EXPECT_EQ(h.liste(), (QStringList{"Pia (5)", "Zorro_Luna (5)"}));
    h.listeWaehlen(0);
    h.klick("BitBtnListeLaden");
    EXPECT_EQ(h.text("EditProzent"), pia5);
    EXPECT_EQ(h.text("MemoAhnenverlust"), pia5Ahnen);
    EXPECT_EQ(h.text("EditWright"), " 0,25000 = 25,00%");
    EXPECT_EQ(h.spalte("GridKlon", 0), QStringList{"6,67 %"});
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{});
}

// Full siblings mated for 2000 generations: long enough a run to cancel it.
void leiter(store::Database& db) {
    QVector<test::RegisterKatze> k;
    for (int g = 0; g <= 2000; ++g)
        for (qint32 nr : {100 + 2 * g, 101 + 2 * g})
            k.push_back({nr,
                         QStringLiteral("L%1").arg(nr),
                         g < 2000 ? 102 + 2 * g : 0,
                         g < 2000 ? 103 + 2 * g : 0,
                         {}});
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    store::Transaction tx(db, QStringLiteral("catstamm"));
    for (const test::RegisterKatze& c : k) {
        t.append();
        t.setValue(QStringLiteral("LaufendeNummer"), c.nr);
        t.setValue(QStringLiteral("Name"), c.name);
        t.setValue(QStringLiteral("Geschlecht"), c.nr % 2 ? QStringLiteral("1") : QStringLiteral("2"));
        if (c.vater) t.setValue(QStringLiteral("Vater"), c.vater);
        if (c.mutter) t.setValue(QStringLiteral("Mutter"), c.mutter);
        t.post();
    }
    tx.commit();
}

TEST(Inzuchtgrad, AbbruchZeigtUndSpeichertNichts) {
    Inzucht h(false, leiter);
    ASSERT_NE(h.oeffnenAuf(7), nullptr);
    h.rechnen();
    EXPECT_EQ(h.text("EditProzent"), " 0%");
    h.f->katzeSetzen(100);
    h.klick("BitBtnBerechnung");
    EXPECT_TRUE(h.haupt->InzuchtBerechne);
    test::klicken(h.f->fortschritt()->abbruchKnopf());
    EXPECT_FALSE(h.f->fortschritt()->isVisible()); // answers at once
    h.fertig();
    EXPECT_FALSE(h.haupt->InzuchtBerechne);
    EXPECT_FALSE(h.f->hatErgebnis());
    EXPECT_TRUE(h.text("EditProzent").isEmpty());
    EXPECT_TRUE(h.text("MemoAhnenverlust").isEmpty());
    EXPECT_EQ(h.w<QTableWidget>("GridVorfahren")->rowCount(), 0);
    h.klick("BitBtnSpeichern");
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    h.klick("BitBtnLaden");
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{84}); // nothing stored
    // the ancestor table of the last finished run stays
    store::Table t(*h.db, QStringLiteral("vorfahrenliste"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 2);
}

TEST(Inzuchtgrad, ElternModusOhneMutterGibtMeldung83) {
    Inzucht h;
    ASSERT_NE(h.oeffnenAuf(6), nullptr); // Luna: the dam is unknown, computed on opening
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{83});
    h.meldungen.meldungen.clear();
    test::klicken(h.w<QRadioButton>("RadioEltern"));
    EXPECT_EQ(h.text("EditVater"), "Zorro"); // the parents stay as they were
    h.f->katzeSuchen = [](int, bool vater) { return vater ? 3 : 0; };
    h.klick("BitBtnSucheVater");
    h.klick("BitBtnSucheMutter"); // cancelled: the dam stays unknown
    EXPECT_EQ(h.text("EditVater"), "Mika");
    EXPECT_TRUE(h.text("EditMutter").isEmpty());
    h.rechnen();
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{83});
    EXPECT_FALSE(h.f->hatErgebnis());
    EXPECT_FALSE(h.haupt->InzuchtBerechne);
}

TEST(Inzuchtgrad, DoppelklickInDerKatzenliste) {
    Inzucht h(true);
    ASSERT_NE(h.oeffnenAuf(5), nullptr);
    auto doppel = [&](int katze) {
        app::KatzenListe* l = h.haupt->katzenListe();
        ASSERT_TRUE(l->zeigeKatze(katze));
        test::doppelklicken(l->viewport(), l->visualRect(l->currentIndex()).center());
    };
    doppel(7); // cat mode: computed at once
    h.fertig();
    EXPECT_EQ(h.text("EditKatze"), "Nero");
    EXPECT_EQ(h.text("EditProzent"), " 0%");
    test::klicken(h.w<QRadioButton>("RadioEltern"));
    doppel(3); // a tom becomes the sire
    doppel(6); // a queen the dam
    EXPECT_FALSE(h.f->laeuft());
    EXPECT_EQ(h.text("EditVater"), "Mika");
    EXPECT_EQ(h.text("EditMutter"), "Luna");
    h.rechnen();
    EXPECT_EQ(h.text("EditProzent"), " 0,12500 = 12,50%"); // half siblings by Zorro
}

TEST(Inzuchtgrad, BerichtMitDenGewaehltenTeilenUndAlsPdf) {
    Inzucht h;
    ASSERT_NE(h.oeffnenAuf(5), nullptr);
    h.rechnen();
    h.klick("BitBtnDrucken");
    for (const char* c : {"CheckInzuchtliste", "CheckVorfahrenliste", "CheckKlonliste"})
        EXPECT_FALSE(h.w<QCheckBox>(c)->isChecked()) << c;
    test::ankreuzen(h.w<QCheckBox>("CheckInzuchtliste"));
    test::ankreuzen(h.w<QCheckBox>("CheckKlonliste"));
    QStringList texte;
    h.f->vorschau = [&](const printing::Bericht& b) {
        for (const printing::Seite& s : b.seiten())
            for (const printing::TextElement& t : s.texte())
                texte << t.text;
    };
    h.klick("BitBtnBerichtDrucken");
    const QString alles = texte.join(QLatin1Char(' ')); // long lines wrap at blanks
    for (const char* z : {"Katze: Pia", "Vater: Mika", "Mutter: Bella", "Generationen: 5",
                          "Der Inzuchtkoeffizient beträgt 0,25000 = 25,00%",
                          "Wright, alle bekannten Generationen 0,25000 = 25,00%", "Zorro : 1 : 1 = 0,12500",
                          "6,67 % Zorro", "Mehrfach besetzte Plätze: 2"})
        EXPECT_TRUE(alles.contains(QString::fromUtf8(z))) << z;
    EXPECT_FALSE(alles.contains(QStringLiteral("Amira : 2"))); // no ancestor list asked for
    test::TempDir d;
    const QString pdf = d.file(QStringLiteral("inzucht.pdf"));
    h.f->pdfDateiWaehlen = [&] { return pdf; };
    h.klick("BitBtnBerichtPdf");
    QFile datei(pdf);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(datei.read(4) == "%PDF");
}

TEST(Inzuchtgrad, MenueWaehrendEinerBerechnungStillAbgelehnt) {
    Inzucht h;
    h.haupt->InzuchtBerechne = true;
    h.menue(QStringLiteral("MenuFormInzuchtgrad"));
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FormInzuchtgrad")), nullptr);
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    h.haupt->InzuchtBerechne = false;
    EXPECT_NE(h.oeffnenAuf(5), nullptr);
}

// The sire and dam chosen in the cat search dialog itself, by typing a name, searching and OK.
TEST(Inzuchtgrad, ElternAusDerKatzensuche) {
    Inzucht h;
    ASSERT_NE(h.oeffnenAuf(5), nullptr);
    test::klicken(h.w<QRadioButton>("RadioEltern"));
    EXPECT_FALSE(h.w<QPushButton>("BitBtnSucheKatze")->isEnabled());
    for (const auto& [knopf, name] :
         {std::pair{"BitBtnSucheVater", "Zorro"}, {"BitBtnSucheMutter", "Luna"}}) {
        int treffer = -1;
        test::beimNaechstenDialog([&, name = name](QWidget* d) {
            auto* dlg = qobject_cast<reg::TSuchenDlg*>(d);
            ASSERT_NE(dlg, nullptr);
            test::klicken(dlg->nameFeld());
            test::tippen(QString::fromUtf8(name));
            test::klicken(dlg->suchenKnopf());
            treffer = int(dlg->treffer().size());
            test::klicken(dlg->okKnopf());
        });
        h.klick(knopf);
        EXPECT_EQ(treffer, 1) << knopf;
    }
    EXPECT_EQ(h.text("EditVater"), "Zorro");
    EXPECT_EQ(h.text("EditMutter"), "Luna");
    h.rechnen();
    EXPECT_EQ(h.text("EditProzent"), " 0,25000 = 25,00%"); // sire and daughter
}
