// Translating a small window and its controls from their tags, switching German -> English -> Dutch.

#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "store/catalogue.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

using namespace velmora;
using namespace velmora::language;
using velmora::test::TempDir;

namespace {

struct Zeile {
    int nummer;
    const char* name;
    const char* hilfe;
};

void anlegen(store::Database& db, std::initializer_list<Zeile> zeilen) {
    db.createTable(*store::catalogueTable(QStringLiteral("sprmel")));
    db.createTable(*store::catalogueTable(QStringLiteral("sprache")));
    store::Table t(db, QStringLiteral("sprache"));
    t.open();
    for (const auto& z : zeilen) {
        t.append();
        t.setValue(QStringLiteral("Nummer"), z.nummer);
        t.setValue(QStringLiteral("FeldName"), QString::fromUtf8(z.name));
        t.setValue(QStringLiteral("FeldHilfe"), QString::fromUtf8(z.hilfe));
        t.post();
    }
    t.close();
}

// One record per language for each control; the radio group and combo boxes take their entries from
// the records after their own.
void alleSprachenAnlegen(store::Database& db) {
    anlegen(db, {
                    {500, "Fenster", "Testfenster"},
                    {10500, "Window", "Test window"},
                    {20500, "Venster", "Testvenster"},
                    {58, "Katzen", "Alle Katzen"},
                    {10058, "Cats", "All cats"},
                    {20058, "Katten", "Alle katten"},
                    {700, "&Geschlecht", "Wählen"},
                    {701, "Kater", ""},
                    {702, "Kätzin", ""},
                    {10700, "&Sex", "Choose"},
                    {10701, "Tom", ""},
                    {10702, "Queen", ""},
                    {20700, "&Geslacht", "Kiezen"},
                    {20701, "Kater", ""},
                    {20702, "Poes", ""},
                    {800, "&Speichern", "Datensatz speichern"},
                    {10800, "&Save", "Save the record"},
                    {20800, "&Opslaan", "Record opslaan"},
                    {810, "Methode", "Art der Rechnung"},
                    {811, "Wright", ""},
                    {812, "Pfad", ""},
                    {10810, "Method", "Kind of computation"},
                    {10811, "Wright", ""},
                    {10812, "Path", ""},
                    {20810, "Methode", "Soort berekening"},
                    {20811, "Wright", ""},
                    {20812, "Pad", ""},
                    {820, "Farbe", "Farbe wählen"},
                    {821, "rot", ""},
                    {10820, "Colour", "Choose colour"},
                    {10821, "red", ""},
                    {20820, "Kleur", "Kleur kiezen"},
                    {20821, "rood", ""},
                    {830, "Stammdaten", "Grunddaten"},
                    {10830, "Base data", "Basics"},
                    {20830, "Basisgegevens", "Basis"},
                    {840, "Name", "Name der Katze"},
                    {10840, "Name", "Name of the cat"},
                    {20840, "Naam", "Naam van de kat"},
                });
}

struct Fenster {
    std::unique_ptr<QWidget> w = std::make_unique<QWidget>();
    QLabel* label;
    QLabel* ohneTag;
    QButtonGroup* gruppe;
    QRadioButton* kater;
    QRadioButton* katze;
    QPushButton* speichern;
    QAction* menue;
    QComboBox* inzucht;
    QComboBox* farbe;
    QTabWidget* reiter;
    QWidget* seite;
    QLineEdit* name;

    explicit Fenster(const QString& objektName) {
        w->setObjectName(objektName);
        w->setWindowTitle(QStringLiteral("entworfen"));
        setTag(w.get(), 500);
        auto* lay = new QVBoxLayout(w.get());
        label = new QLabel(QStringLiteral("Katzen?"), w.get());
        setTag(label, 58);
        ohneTag = new QLabel(QStringLiteral("bleibt"), w.get());
        auto* box = new QGroupBox(w.get());
        kater = new QRadioButton(QStringLiteral("a"), box);
        katze = new QRadioButton(QStringLiteral("b"), box);
        gruppe = new QButtonGroup(w.get());
        gruppe->addButton(kater);
        gruppe->addButton(katze);
        setTag(gruppe, 700);
        speichern = new QPushButton(QStringLiteral("S"), w.get());
        setTag(speichern, 800);
        menue = new QAction(QStringLiteral("&Entwurf"), w.get());
        menue->setToolTip(QStringLiteral("Entwurfshilfe"));
        setTag(menue, 999); // no record in any language
        inzucht = new QComboBox(w.get());
        inzucht->setObjectName(QStringLiteral("ComboBoxInzuchtFenster"));
        inzucht->addItems({QStringLiteral("x"), QStringLiteral("y")});
        setTag(inzucht, 810);
        farbe = new QComboBox(w.get());
        farbe->setObjectName(QStringLiteral("ComboBoxFarbe"));
        farbe->addItem(QStringLiteral("entworfen"));
        setTag(farbe, 820);
        reiter = new QTabWidget(w.get());
        seite = new QWidget;
        reiter->addTab(seite, QStringLiteral("Seite"));
        setTag(seite, 830);
        name = new QLineEdit(w.get());
        name->setText(QStringLiteral("Mimi"));
        setTag(name, 840);
        for (QWidget* c :
             std::initializer_list<QWidget*>{label, ohneTag, box, speichern, inzucht, farbe, reiter, name})
            lay->addWidget(c);
        w->addAction(menue);
    }
};

} // namespace

TEST(FensterUebersetzen, SwitchesGermanEnglishDutch) {
    TempDir dir;
    store::Database db(dir.path());
    alleSprachenAnlegen(db);
    TSprache s(db, 0);
    ASSERT_TRUE(s.oeffnen());
    Fenster f(QStringLiteral("FormProbe"));

    FensterUebersetzen(s, QStringLiteral("FormProbe"), 0);
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("Testfenster"));
    EXPECT_EQ(f.label->text(), QStringLiteral("Katzen"));
    EXPECT_EQ(f.label->toolTip(), QStringLiteral("Alle Katzen"));
    EXPECT_EQ(f.kater->text(), QStringLiteral("Kater"));
    EXPECT_EQ(f.katze->text(), QStringLiteral("Kätzin"));
    EXPECT_EQ(f.speichern->text(), QStringLiteral("&Speichern"));
    EXPECT_EQ(f.reiter->tabText(0), QStringLiteral("Stammdaten"));

    FensterUebersetzen(s, QStringLiteral("FormProbe"), 10000);
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("Test window"));
    EXPECT_EQ(f.label->text(), QStringLiteral("Cats"));
    EXPECT_EQ(f.kater->text(), QStringLiteral("Tom"));
    EXPECT_EQ(f.katze->text(), QStringLiteral("Queen"));
    EXPECT_EQ(f.speichern->text(), QStringLiteral("&Save"));
    EXPECT_EQ(f.speichern->toolTip(), QStringLiteral("Save the record"));
    EXPECT_EQ(f.inzucht->itemText(1), QStringLiteral("Path"));
    EXPECT_EQ(f.reiter->tabText(0), QStringLiteral("Base data"));
    EXPECT_EQ(f.name->toolTip(), QStringLiteral("Name of the cat"));

    FensterUebersetzen(s, QStringLiteral("FormProbe"), 20000);
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("Testvenster"));
    EXPECT_EQ(f.label->text(), QStringLiteral("Katten"));
    EXPECT_EQ(f.label->toolTip(), QStringLiteral("Alle katten"));
    EXPECT_EQ(f.kater->text(), QStringLiteral("Kater"));
    EXPECT_EQ(f.katze->text(), QStringLiteral("Poes"));
    EXPECT_EQ(f.speichern->text(), QStringLiteral("&Opslaan"));
    EXPECT_EQ(f.inzucht->count(), 2); // the number of entries never changes
    EXPECT_EQ(f.inzucht->itemText(0), QStringLiteral("Wright"));
    EXPECT_EQ(f.inzucht->itemText(1), QStringLiteral("Pad"));
    EXPECT_EQ(f.inzucht->toolTip(), QStringLiteral("Soort berekening"));
    EXPECT_EQ(f.reiter->tabText(0), QStringLiteral("Basisgegevens"));
    EXPECT_EQ(f.reiter->tabToolTip(0), QStringLiteral("Basis"));
    EXPECT_EQ(f.name->toolTip(), QStringLiteral("Naam van de kat"));
    EXPECT_EQ(f.name->text(), QStringLiteral("Mimi")); // an edit field takes the hint only

    // Through every switch: an untagged control, a command without record, and a plain combo box's items.
    EXPECT_EQ(f.ohneTag->text(), QStringLiteral("bleibt"));
    EXPECT_EQ(f.menue->text(), QStringLiteral("&Entwurf"));
    EXPECT_EQ(f.menue->toolTip(), QStringLiteral("Entwurfshilfe"));
    EXPECT_EQ(f.farbe->itemText(0), QStringLiteral("entworfen"));
    EXPECT_EQ(f.farbe->toolTip(), QStringLiteral("Kleur kiezen"));
}

TEST(FensterUebersetzen, NameMustMatchExactly) {
    TempDir dir;
    store::Database db(dir.path());
    alleSprachenAnlegen(db);
    TSprache s(db, 0);
    ASSERT_TRUE(s.oeffnen());
    Fenster f(QStringLiteral("FormProbe"));
    FensterUebersetzen(s, QStringLiteral("formprobe"), 10000);
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("entworfen"));
    EXPECT_EQ(f.label->text(), QStringLiteral("Katzen?"));
    EXPECT_EQ(f.speichern->text(), QStringLiteral("S"));
}

TEST(FensterUebersetzen, SpecialNamesAndEndOfTable) {
    TempDir dir;
    store::Database db(dir.path());
    // The radio group's second item finds no following record: the last record fills it.
    anlegen(db, {{10058, "Cats", "All cats"}, {10700, "&Sex", "Choose"}, {10701, "Tom", ""}});
    TSprache s(db, 1);
    ASSERT_TRUE(s.oeffnen());
    Fenster f(QStringLiteral("FormProbe"));
    f.w->setProperty("tag", 0); // a window without tag still has its controls translated
    FensterUebersetzen(s, QStringLiteral("FormProbe"), 10000);
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("entworfen"));
    EXPECT_EQ(f.label->text(), QStringLiteral("Cats"));
    EXPECT_EQ(f.kater->text(), QStringLiteral("Tom"));
    EXPECT_EQ(f.katze->text(), QStringLiteral("Tom"));

    Fenster g(QStringLiteral("FormZwei"));
    g.gruppe->setObjectName(QStringLiteral("DBStatus"));
    FensterUebersetzen(s, QStringLiteral("FormZwei"), 10000);
    EXPECT_EQ(g.kater->text(), QStringLiteral("a")); // DBStatus keeps its items
    EXPECT_EQ(g.katze->text(), QStringLiteral("b"));
    EXPECT_EQ(g.label->text(), QStringLiteral("Cats"));
}

TEST(FensterUebersetzen, ClosedTableChangesNothing) {
    TempDir dir;
    store::Database db(dir.path()); // no language tables at all
    TSprache s(db, 1);
    EXPECT_FALSE(s.oeffnen());
    Fenster f(QStringLiteral("FormProbe"));
    AlleFensterUebersetzen(s, 10000);
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("entworfen"));
    EXPECT_EQ(f.label->text(), QStringLiteral("Katzen?"));
    KomponenteUebersetzen(s, f.speichern, 10000);
    EXPECT_EQ(f.speichern->text(), QStringLiteral("S"));
}

TEST(FensterUebersetzen, LabelsShowNoLiteralAmpersand) {
    TempDir dir;
    store::Database db(dir.path());
    anlegen(db, {{8970, "Registrierung &2", ""}, {8971, "Katz && Maus", ""}, {8972, "&Name", ""}});
    TSprache s(db, 0);
    ASSERT_TRUE(s.oeffnen());
    QWidget w;
    auto* form = new QFormLayout(&w);
    auto* reg = new QLabel(QStringLiteral("x"));
    auto* reg2 = new QLineEdit;
    form->addRow(reg, reg2);
    auto* frei = new QLabel(QStringLiteral("y"), &w);
    auto* doppelt = new QLabel(QStringLiteral("z"), &w);
    auto* mitPartner = new QLabel(QStringLiteral("v"), &w);
    auto* partner = new QLineEdit(&w);
    mitPartner->setBuddy(partner);
    setTag(reg, 8970);
    setTag(frei, 8970);
    setTag(doppelt, 8971);
    setTag(mitPartner, 8972);
    FensterObjektUebersetzen(s, &w, 0);
    EXPECT_EQ(reg->text(), QStringLiteral("Registrierung &2")); // an accelerator of its field
    EXPECT_EQ(reg->buddy(), reg2);
    EXPECT_EQ(frei->text(), QStringLiteral("Registrierung 2"));
    EXPECT_EQ(doppelt->text(), QStringLiteral("Katz & Maus"));
    EXPECT_EQ(mitPartner->text(), QStringLiteral("&Name"));
    EXPECT_EQ(mitPartner->buddy(), partner);
}
