#include "genealogy/ui/htmlstammbaum.h"
#include "genealogy/ui/htmlkopfeditor.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "genealogy/htmlsyntax.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "settings/einstellungsort.h"
#include "store/errors.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 713 848 1459 1461-1482 1594 1595 8400-8438 8440-8442
// texte: meldung 74-77

namespace {

constexpr char kName[] = "FormHTMLStammbaum";
constexpr int kHilfeThema = 200;

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

void benennen(QWidget* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(QLatin1String(name));
}

// The font colours the settings file records by name.
const QStringList& schriftFarben() {
    static const QStringList f{
        QStringLiteral("black"),   QStringLiteral("maroon"), QStringLiteral("red"),    QStringLiteral("green"),
        QStringLiteral("olive"),   QStringLiteral("lime"),   QStringLiteral("yellow"), QStringLiteral("navy"),
        QStringLiteral("purple"),  QStringLiteral("teal"),   QStringLiteral("gray"),   QStringLiteral("medgray"),
        QStringLiteral("ltgray"),  QStringLiteral("moneygreen"), QStringLiteral("skyblue"),
        QStringLiteral("cream"),   QStringLiteral("blue"),   QStringLiteral("fuchsia"), QStringLiteral("aqua"),
        QStringLiteral("white")};
    return f;
}

QColor farbeVon(const QString& name) {
    const qint32 v = farbeAusName(name);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

void musterZeigen(QLabel* muster, const QString& name) {
    if (!muster) return;
    muster->setStyleSheet(QStringLiteral("background-color:%1;border:1px solid gray;")
                              .arg(farbeVon(name).name()));
}

// Digits only, as the number fields take them.
QLineEdit* zahlenfeld(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    benennen(e, name);
    static const QRegularExpression nurZiffern(QStringLiteral("[0-9]*"));
    e->setValidator(new QRegularExpressionValidator(nurZiffern, e));
    e->setMaximumWidth(70);
    return e;
}

QString nurName(const QString& pfad) {
    return QFileInfo(pfad).fileName();
}

} // namespace

TFormHTMLStammbaum::TFormHTMLStammbaum(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kName), 8400) {
    setWindowTitle(text(8400, "HTML-Stammbaum erstellen"));
    seiteWaehlen = [this](const QString& vorschlag) {
        return QFileDialog::getSaveFileName(this, QString(), vorschlag, QStringLiteral("HTML - Stammbaum (*.html)"));
    };
    bildWaehlen = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("Bilder (*.jpg *.jpeg *.png *.gif *.bmp)"));
    };
    schriftWaehlen = [this](const QFont& f) -> std::optional<QFont> {
        bool ok = false;
        const QFont neu = QFontDialog::getFont(&ok, f, this);
        return ok ? std::optional<QFont>(neu) : std::nullopt;
    };
    farbeWaehlen = [this](const QColor& c) { return QColorDialog::getColor(c, this); };
    anzeigenMitDesktop = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
}

TFormHTMLStammbaum::~TFormHTMLStammbaum() = default;

QString TFormHTMLStammbaum::einstellungsDatei() const {
    const QString tessaro = hauptfenster().einstellungen().pfad();
    const QString ordner =
        tessaro.isEmpty() ? settings::einstellungsVerzeichnis() : QFileInfo(tessaro).absolutePath();
    return htmlEinstellungsPfad(ordner);
}

bool TFormHTMLStammbaum::oeffnen() {
    m_spracheBeimOeffnen = hauptfenster().einstellungen().Sprache;
    m_ini = THTMLINI::Load_INI(einstellungsDatei(), m_spracheBeimOeffnen);
    aufbauen();
    int start = hauptfenster().registerKatze();
    if (!start)
        if (Katzenauswahl* l = hauptfenster().katzenListe()) start = l->aktuelleKatze();
    m_katze = start;
    steuerelementeSetzen();
    seitenspracheSetzen(true);
    schriftenZeigen();
    dateinameMachen();
    dateinameBereinigen();
    kopfBauen();
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, [this](int n) { katzeZeigen(n); });
    return true;
}

void TFormHTMLStammbaum::schliessen() {
    THTMLINI ini = einstellungenAusFenster();
    if (!ini.Save_INI(einstellungsDatei()))
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               text(8442, "Einstellungen nicht geschrieben: ") +
                                   QDir::toNativeSeparators(einstellungsDatei()));
}

QWidget* TFormHTMLStammbaum::einstellungsSeite() {
    auto* seite = new QWidget;
    auto* g = new QGridLayout(seite);
    int z = 0;
    const auto beschriftung = [&](int tag, const char* t, QWidget* buddy, const char* name) {
        auto* l = new QLabel(text(tag, t), seite);
        l->setObjectName(QLatin1String(name));
        language::setTag(l, tag);
        l->setBuddy(buddy);
        return l;
    };
    const auto knopf = [&](int tag, const char* t, const char* name) {
        auto* b = new QPushButton(text(tag, t), seite);
        benennen(b, name);
        language::setTag(b, tag);
        return b;
    };

    // page language
    m_sprache = new QComboBox(seite);
    benennen(m_sprache, "ComboBoxSprache");
    g->addWidget(beschriftung(8406, "Sprache", m_sprache, "LabelSprache"), z, 0);
    g->addWidget(m_sprache, z++, 1, 1, 2);

    // the three fonts, each with its colour
    static const int kSchriftTag[3] = {8437, 8438, 8422};
    static const char* kSchriftText[3] = {"Name", "Katzendaten", "Stammbaum"};
    static const char* kKnopf[3] = {"Button2", "Button5", "Button3"};
    static const char* kFarbe[3] = {"ComboBoxSchriftfarbeName", "ComboBoxSchriftfarbeKatze",
                                    "ComboBoxSchriftfarbeStb"};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(text(kSchriftTag[i], kSchriftText[i]), seite);
        language::setTag(l, kSchriftTag[i]);
        g->addWidget(l, z, 0);
        QPushButton* b = knopf(8407, "Schriftart wählen", kKnopf[i]);
        b->setAccessibleName(text(8407, "Schriftart wählen") + QLatin1Char(' ') + l->text());
        connect(b, &QPushButton::clicked, this, [this, i] { schriftWaehlenFuer(i); });
        g->addWidget(b, z, 1);
        auto* f = new QComboBox(seite);
        benennen(f, kFarbe[i]);
        f->setAccessibleName(text(8440, "Schriftfarbe") + QLatin1Char(' ') + l->text());
        f->setEditable(true);
        f->addItems(schriftFarben());
        connect(f, &QComboBox::currentTextChanged, this, [this] { schriftenZeigen(); });
        g->addWidget(f, z++, 2);
        m_schriftFarbe[i] = f;
    }

    // the cat's picture
    m_bildGruppe = new QGroupBox(text(8408, "Bild"), seite);
    benennen(m_bildGruppe, "RadioGroupBildposition");
    language::setTag(m_bildGruppe, 8408);
    auto* bg = new QGridLayout(m_bildGruppe);
    m_bildPos = new QButtonGroup(this);
    static const int kPosTag[4] = {8409, 8410, 8411, 8412};
    static const char* kPosText[4] = {"links", "oben", "rechts", "ohne Bild"};
    static const char* kPosName[4] = {"RadioBildLinks", "RadioBildOben", "RadioBildRechts", "RadioOhneBild"};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(text(kPosTag[i], kPosText[i]), m_bildGruppe);
        benennen(r, kPosName[i]);
        language::setTag(r, kPosTag[i]);
        m_bildPos->addButton(r, i);
        bg->addWidget(r, 0, i);
    }
    m_bild = new QLineEdit(m_bildGruppe);
    benennen(m_bild, "EditBild");
    auto* bildLabel = new QLabel(text(8441, "Bilddatei"), m_bildGruppe);
    language::setTag(bildLabel, 8441);
    bildLabel->setBuddy(m_bild);
    m_bildKnopf = new QPushButton(QStringLiteral("…"), m_bildGruppe);
    benennen(m_bildKnopf, "BitBtnBild");
    m_bildWeite = zahlenfeld(m_bildGruppe, "EditBildWeite");
    m_bildHoehe = zahlenfeld(m_bildGruppe, "EditBildHoehe");
    bg->addWidget(bildLabel, 1, 0);
    bg->addWidget(m_bild, 1, 1, 1, 2);
    bg->addWidget(m_bildKnopf, 1, 3);
    auto* bw = new QLabel(text(8413, "Breite"), m_bildGruppe);
    language::setTag(bw, 8413);
    bw->setBuddy(m_bildWeite);
    auto* bh = new QLabel(text(8414, "Höhe"), m_bildGruppe);
    language::setTag(bh, 8414);
    bh->setBuddy(m_bildHoehe);
    bg->addWidget(bw, 2, 0);
    bg->addWidget(m_bildWeite, 2, 1);
    bg->addWidget(bh, 2, 2);
    bg->addWidget(m_bildHoehe, 2, 3);
    g->addWidget(m_bildGruppe, z++, 0, 1, 3);
    connect(m_bildPos, &QButtonGroup::idClicked, this, [this] { bildpositionGeaendert(); });
    connect(m_bildKnopf, &QPushButton::clicked, this, [this] {
        const QString p = bildWaehlen ? bildWaehlen() : QString();
        if (!p.isEmpty()) m_bild->setText(nurName(p));
    });

    // page size and placement
    m_breite = zahlenfeld(seite, "EditBreite");
    g->addWidget(beschriftung(8413, "Breite", m_breite, "LabelBreite"), z, 0);
    g->addWidget(m_breite, z++, 1);
    m_auto = new QCheckBox(text(8415, "automatisch"), seite);
    benennen(m_auto, "CBauto");
    language::setTag(m_auto, 8415);
    m_hoehe = zahlenfeld(seite, "Edithoehe");
    g->addWidget(beschriftung(8414, "Höhe", m_hoehe, "LabelHoehe"), z, 0);
    g->addWidget(m_hoehe, z, 1);
    g->addWidget(m_auto, z++, 2);
    connect(m_auto, &QCheckBox::toggled, this, [this](bool an) {
        m_hoehe->setEnabled(!an);
        m_hoehe->setText(an ? QString() : QString::number(m_ini.Seitenhoehe));
    });
    auto* pos = new QGroupBox(text(8416, "Position"), seite);
    benennen(pos, "RGStammbaumPosition");
    language::setTag(pos, 8416);
    auto* pl = new QHBoxLayout(pos);
    m_position = new QButtonGroup(this);
    auto* zentriert = new QRadioButton(text(8417, "zentriert"), pos);
    benennen(zentriert, "RadioZentriert");
    language::setTag(zentriert, 8417);
    auto* links = new QRadioButton(text(8409, "links"), pos);
    benennen(links, "RadioLinks");
    language::setTag(links, 8409);
    m_position->addButton(zentriert, 0);
    m_position->addButton(links, 1);
    pl->addWidget(zentriert);
    pl->addWidget(links);
    g->addWidget(pos, z++, 0, 1, 3);
    m_generationen = new QSpinBox(seite);
    benennen(m_generationen, "SpinEdit1");
    m_generationen->setRange(3, 12);
    g->addWidget(beschriftung(8418, "Generationen", m_generationen, "LabelGenerationen"), z, 0);
    g->addWidget(m_generationen, z++, 1);

    // colours and backgrounds
    const auto farbzeile = [&](QComboBox*& liste, const char* name, QPushButton*& laden, const char* ladenName,
                               int musterIndex) {
        liste = new QComboBox(seite);
        benennen(liste, name);
        liste->setEditable(true);
        laden = knopf(8420, "Laden", ladenName);
        auto* muster = new QLabel(seite);
        muster->setFixedSize(24, 18);
        m_farbmuster[musterIndex] = muster;
        connect(liste, &QComboBox::currentTextChanged, this,
                [muster](const QString& t) { musterZeigen(muster, t); });
        QComboBox* l = liste;
        connect(laden, &QPushButton::clicked, this, [this, l] { eigeneFarbe(l); });
        auto* h = new QHBoxLayout;
        h->addWidget(liste, 1);
        h->addWidget(muster);
        h->addWidget(laden);
        return h;
    };
    QPushButton* rahmenLaden = nullptr;
    QHBoxLayout* rz = farbzeile(m_rahmen, "ComboBoxRahmen", rahmenLaden, "ButtonFarbeRahmen", 0);
    rahmenLaden->setAccessibleName(text(8420, "Laden") + QLatin1Char(' ') + text(8419, "Rahmenfarbe"));
    m_rahmen->addItems(htmlFarbNamenDeutsch());
    g->addWidget(beschriftung(8419, "Rahmenfarbe", m_rahmen, "LabelRahmen"), z, 0);
    g->addLayout(rz, z++, 1, 1, 2);

    const auto hintergrund = [&](int tag, const char* t, QComboBox*& art, const char* artName, QComboBox*& farbe,
                                 const char* farbName, QPushButton*& laden, const char* ladenName, QLineEdit*& bild,
                                 const char* bildName, QPushButton*& bildKnopf, const char* bildKnopfName,
                                 int musterIndex) {
        art = new QComboBox(seite);
        benennen(art, artName);
        g->addWidget(beschriftung(tag, t, art, "LabelHintergrundArt"), z, 0);
        g->addWidget(art, z++, 1);
        QHBoxLayout* fz = farbzeile(farbe, farbName, laden, ladenName, musterIndex);
        farbe->setAccessibleName(QString::fromUtf8(t) + QLatin1Char(' ') + text(713, "Farbe"));
        laden->setAccessibleName(text(8420, "Laden") + QLatin1Char(' ') + QString::fromUtf8(t));
        g->addLayout(fz, z++, 1, 1, 2);
        bild = new QLineEdit(seite);
        benennen(bild, bildName);
        bild->setAccessibleName(QString::fromUtf8(t) + QLatin1Char(' ') + text(848, "Bild"));
        bildKnopf = new QPushButton(QStringLiteral("…"), seite);
        benennen(bildKnopf, bildKnopfName);
        QLineEdit* feld = bild;
        connect(bildKnopf, &QPushButton::clicked, this, [this, feld] {
            const QString p = bildWaehlen ? bildWaehlen() : QString();
            if (!p.isEmpty()) feld->setText(nurName(p));
        });
        auto* h = new QHBoxLayout;
        h->addWidget(bild, 1);
        h->addWidget(bildKnopf);
        g->addLayout(h, z++, 1, 1, 2);
        connect(art, &QComboBox::currentIndexChanged, this, [this] { hintergrundArtGeaendert(); });
    };
    hintergrund(8421, "Hintergrund", m_hintergrundArt, "ComboBoxHintergrund", m_hintergrundFarbe,
                "ComboBoxHintergrundFarbe", m_hintergrundLaden, "ButtonFarbeHintergrund", m_hintergrundBild,
                "EditHintergrundBild", m_hintergrundBildKnopf, "BitBtnHintergrundBild", 1);
    hintergrund(8422, "Stammbaum", m_stbArt, "ComboBoxStammbaum", m_stbFarbe, "ComboBoxStbFarbe", m_stbLaden,
                "ButtonFarbeStb", m_stbBild, "EditStbBild", m_stbBildKnopf, "BitBtnStbBild", 2);
    m_transparenz = zahlenfeld(seite, "EditTransparenz");
    connect(m_transparenz, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int t = m_transparenz->text().toInt(&ok);
        if (ok && t > 100) m_transparenz->setText(QStringLiteral("100"));
    });
    g->addWidget(beschriftung(8423, "Transparenz", m_transparenz, "LabelTransparenz"), z, 0);
    g->addWidget(m_transparenz, z++, 1);

    // the ancestors' pictures
    m_bildGen = new QCheckBox(text(8424, "in 1. und 2. Generation"), seite);
    benennen(m_bildGen, "CheckBoxBildGen");
    language::setTag(m_bildGen, 8424);
    m_bildGenWeite = zahlenfeld(seite, "EditBildGenWeite");
    m_bildGenHoehe = zahlenfeld(seite, "EditBildGenHoehe");
    m_bildGenWeite->setAccessibleName(text(8413, "Breite") + QLatin1Char(' ') + m_bildGen->text());
    m_bildGenHoehe->setAccessibleName(text(8414, "Höhe") + QLatin1Char(' ') + m_bildGen->text());
    connect(m_bildGen, &QCheckBox::toggled, this, [this](bool an) {
        m_bildGenWeite->setEnabled(an);
        m_bildGenHoehe->setEnabled(an);
    });
    g->addWidget(m_bildGen, z, 0);
    g->addWidget(m_bildGenWeite, z, 1);
    g->addWidget(m_bildGenHoehe, z++, 2);
    g->setRowStretch(z, 1);
    return seite;
}

QWidget* TFormHTMLStammbaum::optionenSeite() {
    auto* seite = new QWidget;
    auto* v = new QVBoxLayout(seite);
    m_optionenFuer = new QLabel(seite);
    m_optionenFuer->setObjectName(QStringLiteral("LabelOptionenFuer"));
    v->addWidget(m_optionenFuer);
    const auto gruppe = [&](int tag, const char* t, const char* name, QRadioButton*& a, int tagA, const char* tA,
                            const char* nameA, QRadioButton*& b, int tagB, const char* tB, const char* nameB) {
        auto* box = new QGroupBox(text(tag, t), seite);
        benennen(box, name);
        language::setTag(box, tag);
        auto* l = new QVBoxLayout(box);
        a = new QRadioButton(text(tagA, tA), box);
        benennen(a, nameA);
        language::setTag(a, tagA);
        b = new QRadioButton(text(tagB, tB), box);
        benennen(b, nameB);
        language::setTag(b, tagB);
        auto* grp = new QButtonGroup(box);
        grp->addButton(a);
        grp->addButton(b);
        l->addWidget(a);
        l->addWidget(b);
        v->addWidget(box);
        for (QRadioButton* r : {a, b})
            connect(r, &QRadioButton::toggled, this, [this](bool an) {
                if (!an || m_optionenSetzen || !m_optionenFeld) return;
                m_editor->setOptionen(m_optionenFeld, m_ohneBez->isChecked() ? 1 : 0,
                                      m_leerAusgeben->isChecked() ? 1 : 0);
            });
    };
    gruppe(8428, "Ausgabe", "RadioGroupAusgabe", m_mitBez, 8429, "mit Feldbezeichnung", "RadioMitBezeichnung",
           m_ohneBez, 8430, "ohne Feldbezeichnung", "RadioOhneBezeichnung");
    gruppe(8431, "wenn Feld leer", "RadioGroupFeldLeer", m_weglassen, 8432, "Feld weglassen", "RadioFeldWeglassen",
           m_leerAusgeben, 8433, "leeres Feld ausgeben", "RadioLeeresFeld");
    auto* zurueck = new QPushButton(text(8403, "Zurück"), seite);
    benennen(zurueck, "BitBtnOptionenZurueck");
    language::setTag(zurueck, 8403);
    connect(zurueck, &QPushButton::clicked, this, [this] {
        m_optionenFeld = 0;
        m_panel->setCurrentIndex(0);
    });
    v->addWidget(zurueck);
    v->addStretch(1);
    return seite;
}

void TFormHTMLStammbaum::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    // file name
    auto* dateiZeile = new QHBoxLayout;
    m_pfad = new QLineEdit(this);
    benennen(m_pfad, "EditPfad");
    auto* pfadLabel = new QLabel(text(8405, "Pfad+Name des HTML-Files:"), this);
    pfadLabel->setObjectName(QStringLiteral("LabelPfad"));
    language::setTag(pfadLabel, 8405);
    pfadLabel->setBuddy(m_pfad);
    auto* pfadKnopf = new QPushButton(QStringLiteral("…"), this);
    benennen(pfadKnopf, "BitBtnHTMLPfad");
    dateiZeile->addWidget(pfadLabel);
    dateiZeile->addWidget(m_pfad, 1);
    dateiZeile->addWidget(pfadKnopf);
    haupt->addLayout(dateiZeile);
    connect(m_pfad, &QLineEdit::editingFinished, this, [this] { dateinameBereinigen(); });
    connect(pfadKnopf, &QPushButton::clicked, this, [this] {
        QString p = seiteWaehlen ? seiteWaehlen(m_pfad->text()) : QString();
        if (p.isEmpty()) return;
        if (QFileInfo(p).suffix().isEmpty()) p += QStringLiteral(".html");
        m_pfad->setText(p);
        dateinameBereinigen();
    });

    auto* mitte = new QHBoxLayout;
    haupt->addLayout(mitte, 1);
    m_panel = new QStackedWidget(this);
    m_panel->setObjectName(QStringLiteral("PanelEinstellungen"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(einstellungsSeite());
    m_panel->addWidget(scroll);
    m_panel->addWidget(optionenSeite());
    mitte->addWidget(m_panel, 1);

    auto* rechts = new QVBoxLayout;
    mitte->addLayout(rechts, 1);
    auto* warnung = new QLabel(text(1594, "Achtung!! Alle Bilder müssen im gleichen") +
                                   text(1595, " Verzeichnis liegen wie die HTML-Datei!"),
                               this);
    warnung->setObjectName(QStringLiteral("LabelWarnung"));
    warnung->setWordWrap(true);
    rechts->addWidget(warnung);
    m_namenVorschau = new QLineEdit(this);
    benennen(m_namenVorschau, "MemoName");
    rechts->addWidget(m_namenVorschau);
    m_vorschauTabs = new QTabWidget(this);
    m_vorschauTabs->setObjectName(QStringLiteral("PageControlVorschau"));
    m_spalte1 = new QPlainTextEdit(this);
    benennen(m_spalte1, "MemoSpalte1");
    m_spalte2 = new QPlainTextEdit(this);
    benennen(m_spalte2, "MemoSpalte2");
    m_vorschauTabs->addTab(m_spalte1, text(8434, "Spalte 1"));
    m_vorschauTabs->addTab(m_spalte2, text(8435, "Spalte 2"));
    rechts->addWidget(m_vorschauTabs, 1);
    m_stbMuster = new QLabel(this);
    m_stbMuster->setObjectName(QStringLiteral("LabelStammbaumMuster"));
    rechts->addWidget(m_stbMuster);
    auto* kopfTitel = new QLabel(text(8425, "Stammbaumkopf"), this);
    language::setTag(kopfTitel, 8425);
    rechts->addWidget(kopfTitel);
    m_editor = new THTMLKopfEditor(this);
    rechts->addWidget(m_editor);
    connect(m_editor, &THTMLKopfEditor::geaendert, this, [this] { kopfBauen(); });
    connect(m_editor, &THTMLKopfEditor::optionenGewaehlt, this, [this](int f) { optionenZeigen(f); });

    auto* knoepfe = new QHBoxLayout;
    const auto knopf = [&](int tag, const char* t, const char* name) {
        auto* b = new QPushButton(text(tag, t), this);
        benennen(b, name);
        language::setTag(b, tag);
        knoepfe->addWidget(b);
        return b;
    };
    QPushButton* erstellen = knopf(8401, "HTML-File erstellen", "Button1");
    QPushButton* anzeigen = knopf(8402, "HTML-File erstellen\nu. anzeigen", "BitBtn1");
    knoepfe->addStretch(1);
    QPushButton* hilfe = knopf(8404, "&Hilfe", "BitBtnHilfe");
    QPushButton* zurueck = knopf(8403, "Zurück", "BitBtnZuruck");
    haupt->addLayout(knoepfe);
    connect(erstellen, &QPushButton::clicked, this, [this] { schreiben(false); });
    connect(anzeigen, &QPushButton::clicked, this, [this] { schreiben(true); });
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(kHilfeThema); });
    connect(zurueck, &QPushButton::clicked, this, [this] { close(); });
    connect(m_sprache, &QComboBox::activated, this, [this] { seitenspracheSetzen(false); });
    uebersetzt();
}

void TFormHTMLStammbaum::uebersetzt() {
    if (!m_hintergrundArt) return;
    // the lists whose items are captions
    const auto artListe = [](QComboBox* c) {
        const int i = std::max(0, c->currentIndex());
        c->blockSignals(true);
        c->clear();
        c->addItems({text(713, "Farbe"), text(848, "Bild")});
        c->setCurrentIndex(i);
        c->blockSignals(false);
    };
    artListe(m_hintergrundArt);
    artListe(m_stbArt);
    QStringList farben;
    for (int n = 1461; n <= 1482; ++n)
        farben << text(n, "");
    for (QComboBox* c : {m_hintergrundFarbe, m_stbFarbe}) {
        const QString t = c->currentText();
        c->blockSignals(true);
        c->clear();
        c->addItems(farben);
        c->setCurrentText(t);
        c->blockSignals(false);
    }
    m_vorschauTabs->setTabText(0, text(8434, "Spalte 1"));
    m_vorschauTabs->setTabText(1, text(8435, "Spalte 2"));
    m_editor->beschriften();
    // the show button's text is its own in English
    if (auto* b = findChild<QPushButton*>(QStringLiteral("BitBtn1")))
        b->setText(hauptfenster().einstellungen().Sprache == settings::Sprache::Englisch
                       ? QStringLiteral("Create and show\nHTML-file")
                       : text(8402, "HTML-File erstellen\nu. anzeigen"));
    if (m_optionenFeld) optionenZeigen(m_optionenFeld);
}

void TFormHTMLStammbaum::steuerelementeSetzen() {
    const THTMLINI& s = m_ini;
    m_schriftFarbe[0]->setCurrentText(s.SchriftNameColor);
    m_schriftFarbe[1]->setCurrentText(s.SchriftKatzeColor);
    m_schriftFarbe[2]->setCurrentText(s.SchriftStbColor);
    m_rahmen->setCurrentText(s.Rahmenfarbe);
    m_hintergrundFarbe->setCurrentText(s.Hintergrundfarbe);
    m_stbFarbe->setCurrentText(s.StbFarbe);
    musterZeigen(m_farbmuster[0], s.Rahmenfarbe);
    musterZeigen(m_farbmuster[1], s.Hintergrundfarbe);
    musterZeigen(m_farbmuster[2], s.StbFarbe);
    m_hintergrundArt->setCurrentIndex(s.Hintergrundart == 1 ? 1 : 0);
    m_stbArt->setCurrentIndex(s.StbArt == 1 ? 1 : 0);
    m_hintergrundBild->setText(s.HintergrundBild);
    m_stbBild->setText(s.StbBild);
    m_transparenz->setText(s.StbTransparenz);
    m_breite->setText(QString::number(s.Seitenbreite));
    m_auto->setChecked(!s.autoHoehe); // so that toggled runs either way
    m_auto->setChecked(s.autoHoehe);
    m_position->button(s.Position == 1 ? 1 : 0)->setChecked(true);
    m_generationen->setValue(std::clamp(s.AnzGenerationen, 3, 12));
    m_editor->setzen(s.spalte_pos);
    m_bildPos->button(std::clamp(s.BildPos, 0, 3))->setChecked(true);
    bildpositionGeaendert();
    bildnameSetzen();
    m_bildWeite->setText(QString::number(s.BildWeite));
    m_bildHoehe->setText(QString::number(s.BildHoehe));
    m_bildGen->setChecked(!s.BildGen);
    m_bildGen->setChecked(s.BildGen);
    m_bildGenWeite->setText(QString::number(s.BildGenWeite));
    m_bildGenHoehe->setText(QString::number(s.BildGenHoehe));
    hintergrundArtGeaendert();
    for (int i = 0; i < 3; ++i) {
        const QString face = i == 0 ? s.SchriftNameFont : i == 1 ? s.SchriftKatzeFont : s.SchriftStbFont;
        const int size = i == 0 ? s.SchriftNameSize : i == 1 ? s.SchriftKatzeSize : s.SchriftStbSize;
        m_schrift[i] = QFont(face, std::max(1, size));
    }
}

void TFormHTMLStammbaum::seitenspracheSetzen(bool geoeffnet) {
    const bool englischesProgramm = m_spracheBeimOeffnen == settings::Sprache::Englisch;
    if (geoeffnet) {
        m_sprache->clear();
        if (englischesProgramm)
            m_sprache->addItems({QStringLiteral("english"), QStringLiteral("german")});
        else
            m_sprache->addItems({QStringLiteral("deutsch"), QStringLiteral("englisch")});
        const bool erstes = m_ini.Sprache == QLatin1String("deutsch") || m_ini.Sprache == QLatin1String("english");
        m_sprache->setCurrentIndex(erstes ? 0 : 1);
    }
    settings::Sprache seite = m_spracheBeimOeffnen;
    m_spracheGewechselt = htmlSpracheWechselt(m_spracheBeimOeffnen, m_sprache->currentText(), seite);
    if (!geoeffnet) kopfBauen();
}

void TFormHTMLStammbaum::schriftenZeigen() {
    const auto setzen = [](QWidget* w, const QFont& f, const QString& farbe) {
        if (!w) return;
        w->setFont(f);
        const QColor c = farbeVon(farbe);
        w->setStyleSheet(QStringLiteral("color:%1;background-color:%2;")
                             .arg(c.name(), c == QColor(Qt::white) ? QStringLiteral("#C0C0C0")
                                                                   : QStringLiteral("white")));
    };
    setzen(m_namenVorschau, m_schrift[0], m_schriftFarbe[0]->currentText());
    setzen(m_spalte1, m_schrift[1], m_schriftFarbe[1]->currentText());
    setzen(m_spalte2, m_schrift[1], m_schriftFarbe[1]->currentText());
    setzen(m_stbMuster, m_schrift[2], m_schriftFarbe[2]->currentText());
    if (m_stbMuster) m_stbMuster->setText(m_schrift[2].family() + QLatin1Char(' ') +
                                          QString::number(m_schrift[2].pointSize()));
}

void TFormHTMLStammbaum::schriftWaehlenFuer(int welche) {
    if (!schriftWaehlen) return;
    const std::optional<QFont> f = schriftWaehlen(m_schrift[welche]);
    if (!f) return;
    m_schrift[welche] = *f;
    schriftenZeigen();
    if (welche == 1) m_editor->setzen(m_editor->felder()); // the data font orders the layout again
}

void TFormHTMLStammbaum::eigeneFarbe(QComboBox* liste) {
    if (!farbeWaehlen) return;
    const QColor c = farbeWaehlen(farbeVon(liste->currentText()));
    if (!c.isValid()) return;
    // The entry carries the colour value (red in the lowest byte) behind the caption of the language
    // the program had when the window opened, as the colour lookup reads it back.
    QString beschriftung = QStringLiteral("Eigene Farbe");
    language::FeldNameSprache(1459,
                              m_spracheBeimOeffnen == settings::Sprache::Englisch ? QStringLiteral("englisch")
                                                                                  : QStringLiteral("deutsch"),
                              beschriftung);
    const qint32 wert = c.red() | (c.green() << 8) | (c.blue() << 16);
    liste->addItem(beschriftung + QLatin1Char(' ') + QString::number(wert));
    liste->setCurrentIndex(liste->count() - 1);
}

void TFormHTMLStammbaum::bildpositionGeaendert() {
    const int p = m_bildPos->checkedId();
    const bool seitlich = p == 0 || p == 2;
    m_editor->spalte2Zeigen(!seitlich);
    m_vorschauTabs->setTabVisible(1, !seitlich);
    const bool mitBild = p != 3;
    for (QWidget* w : std::initializer_list<QWidget*>{m_bild, m_bildKnopf, m_bildWeite, m_bildHoehe})
        w->setEnabled(mitBild);
    kopfBauen();
}

void TFormHTMLStammbaum::hintergrundArtGeaendert() {
    const bool hFarbe = m_hintergrundArt->currentIndex() == 0;
    m_hintergrundFarbe->setVisible(hFarbe);
    m_hintergrundLaden->setVisible(hFarbe);
    m_farbmuster[1]->setVisible(hFarbe);
    m_hintergrundBild->setVisible(!hFarbe);
    m_hintergrundBildKnopf->setVisible(!hFarbe);
    const bool sFarbe = m_stbArt->currentIndex() == 0;
    m_stbFarbe->setVisible(sFarbe);
    m_stbLaden->setVisible(sFarbe);
    m_farbmuster[2]->setVisible(sFarbe);
    m_stbBild->setVisible(!sFarbe);
    m_stbBildKnopf->setVisible(!sFarbe);
}

QString TFormHTMLStammbaum::registerBild() const {
    if (m_katze <= 0) return {};
    try {
        const QString p = htmlKatzenBild(hauptfenster().db(), hauptfenster().einstellungen(), m_katze);
        return !p.isEmpty() && QFileInfo::exists(p) ? p : QString();
    } catch (const store::DatabaseError&) {
        return {};
    }
}

void TFormHTMLStammbaum::bildnameSetzen() {
    m_bild->setText(m_bildPos->checkedId() != 3 ? nurName(registerBild()) : QString());
}

void TFormHTMLStammbaum::dateinameMachen() {
    QString name;
    if (m_katze > 0) {
        store::Table k(hauptfenster().db(), QStringLiteral("catstamm"));
        k.open(store::Table::OpenMode::ReadOnly);
        if (k.findKey({m_katze})) name = k.asString(QStringLiteral("Name"));
    }
    QString ordner = m_ini.HTMLPfad.trimmed();
    if (ordner == QLatin1String("LEER") || ordner.isEmpty()) {
        const QDir installation(QFileInfo(hauptfenster().db().directory()).absoluteDir());
        ordner = installation.filePath(QStringLiteral("BMP")) + QLatin1Char('/');
    } else if (!ordner.endsWith(QLatin1Char('/')) && !ordner.endsWith(QLatin1Char('\\'))) {
        ordner += QLatin1Char('/');
    }
    // the name part loses the characters no file name may hold
    static const QRegularExpression verboten(QStringLiteral("[/\\\\:*?<>|\"]"));
    name.remove(verboten);
    m_pfad->setText(QDir::toNativeSeparators(ordner + name + QStringLiteral(".htm")));
}

void TFormHTMLStammbaum::dateinameBereinigen() {
    QString t = m_pfad->text();
    const int schnitt = std::max(t.lastIndexOf(QLatin1Char('/')), t.lastIndexOf(QLatin1Char('\\'))) + 1;
    QString ordner = t.left(schnitt), name = t.mid(schnitt);
    // The folder keeps its separators and a drive's colon; the name keeps neither.
    static const QRegularExpression imOrdner(QStringLiteral("[*?<>|\"]"));
    static const QRegularExpression imNamen(QStringLiteral("[/:*?<>|\"]"));
    ordner.remove(imOrdner);
    name.remove(imNamen);
    if (ordner + name != t) m_pfad->setText(ordner + name);
}

void TFormHTMLStammbaum::kopfBauen() {
    if (!m_namenVorschau || !m_editor) return;
    m_namenVorschau->clear();
    m_spalte1->clear();
    m_spalte2->clear();
    if (m_katze <= 0) return;
    THTMLINI ini = einstellungenAusFenster();
    try {
        const HtmlKopf k = htmlKopfFuer(hauptfenster().db(), hauptfenster().einstellungen(), ini, m_katze);
        m_namenVorschau->setText(k.name);
        m_titelKatze = k.titel;
        m_spalte1->setPlainText(k.spalte1.join(QLatin1Char('\n')));
        // a picture beside the header leaves column 2 out; its fields are then not shown
        if (m_editor->spalte2Sichtbar()) m_spalte2->setPlainText(k.spalte2.join(QLatin1Char('\n')));
    } catch (const store::DatabaseError& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
}

void TFormHTMLStammbaum::katzeZeigen(int nummer) {
    m_katze = nummer;
    m_namenVorschau->clear();
    m_spalte1->clear();
    m_spalte2->clear();
    bildnameSetzen();
    dateinameMachen();
    kopfBauen();
}

void TFormHTMLStammbaum::optionenZeigen(int feld) {
    if (feld < 1 || feld > kHtmlKopfFelder) return;
    m_optionenFeld = feld;
    m_optionenSetzen = true;
    m_optionenFuer->setText(text(8427, "Optionen für") + QLatin1Char(' ') + THTMLKopfEditor::feldName(feld));
    const THTMLKopfFeld& f = m_editor->felder()[feld - 1];
    (f.mitBez == 1 ? m_ohneBez : m_mitBez)->setChecked(true);
    (f.weglassen == 0 ? m_weglassen : m_leerAusgeben)->setChecked(true);
    m_optionenSetzen = false;
    m_panel->setCurrentIndex(1);
}

THTMLINI TFormHTMLStammbaum::einstellungenAusFenster() const {
    THTMLINI s = m_ini;
    const auto zahl = [](const QLineEdit* e, int vorgabe) {
        bool ok = false;
        const int v = e->text().toInt(&ok);
        return ok ? v : vorgabe;
    };
    s.Rahmenfarbe = m_rahmen->currentText();
    s.Hintergrundart = m_hintergrundArt->currentIndex() == 1 ? 1 : 0;
    s.Hintergrundfarbe = m_hintergrundFarbe->currentText();
    s.HintergrundBild = m_hintergrundBild->text();
    s.StbArt = m_stbArt->currentIndex() == 1 ? 1 : 0;
    s.StbFarbe = m_stbFarbe->currentText();
    s.StbBild = m_stbBild->text();
    s.StbTransparenz = m_transparenz->text();
    s.Seitenbreite = zahl(m_breite, s.Seitenbreite);
    s.autoHoehe = m_auto->isChecked();
    if (!m_hoehe->text().isEmpty()) s.Seitenhoehe = zahl(m_hoehe, s.Seitenhoehe);
    s.Position = m_position->checkedId() == 1 ? 1 : 0;
    s.AnzGenerationen = m_generationen->value();
    s.BildPos = std::max(0, m_bildPos->checkedId());
    s.Bild = s.BildPos != 3;
    s.BildWeite = zahl(m_bildWeite, s.BildWeite);
    s.BildHoehe = zahl(m_bildHoehe, s.BildHoehe);
    s.BildGen = m_bildGen->isChecked();
    s.BildGenWeite = zahl(m_bildGenWeite, s.BildGenWeite);
    s.BildGenHoehe = zahl(m_bildGenHoehe, s.BildGenHoehe);
    s.Sprache = m_sprache->currentText();
    const QString pfad = m_pfad->text();
    const int schnitt = std::max(pfad.lastIndexOf(QLatin1Char('/')), pfad.lastIndexOf(QLatin1Char('\\'))) + 1;
    if (schnitt > 0) s.HTMLPfad = pfad.left(schnitt);
    s.SchriftNameFont = m_schrift[0].family();
    s.SchriftNameSize = std::clamp(m_schrift[0].pointSize(), 1, 255);
    s.SchriftKatzeFont = m_schrift[1].family();
    s.SchriftKatzeSize = std::clamp(m_schrift[1].pointSize(), 1, 255);
    s.SchriftStbFont = m_schrift[2].family();
    s.SchriftStbSize = std::clamp(m_schrift[2].pointSize(), 1, 255);
    // a colour outside the twenty named ones leaves the recorded name as it was
    const auto farbe = [](const QComboBox* c, const QString& bisher) {
        return schriftFarben().contains(c->currentText()) ? c->currentText() : bisher;
    };
    s.SchriftNameColor = farbe(m_schriftFarbe[0], s.SchriftNameColor);
    s.SchriftKatzeColor = farbe(m_schriftFarbe[1], s.SchriftKatzeColor);
    s.SchriftStbColor = farbe(m_schriftFarbe[2], s.SchriftStbColor);
    s.spalte_pos = m_editor->felder();
    return s;
}

bool TFormHTMLStammbaum::schreiben(bool anzeigen) {
    const QString datei = m_pfad->text().trimmed();
    const auto danach = [&](bool ok) {
        if (anzeigen && anzeigenMitDesktop) anzeigenMitDesktop(QUrl::fromLocalFile(QFileInfo(datei).absoluteFilePath()));
        return ok;
    };
    if (m_katze <= 0 || datei.isEmpty()) {
        Meldungsdienst::nachricht(74, MeldungsArt::Fehler);
        return danach(false);
    }
    if (!QFileInfo(QFileInfo(datei).absolutePath()).isDir()) {
        Meldungsdienst::nachricht(77, MeldungsArt::Fehler);
        return danach(false);
    }
    // empty or non-numeric sizes cannot make a page
    for (const QLineEdit* e : {m_breite, m_bildWeite, m_bildHoehe, m_transparenz})
        if (e->isEnabled() && e->text().isEmpty()) {
            Meldungsdienst::nachricht(74, MeldungsArt::Fehler);
            return danach(false);
        }
    THTMLINI ini = einstellungenAusFenster();
    // the header as the previews hold it, edits included
    HtmlKopf kopf;
    kopf.name = m_namenVorschau->text();
    kopf.titel = m_titelKatze;
    if (!m_spalte1->toPlainText().isEmpty()) kopf.spalte1 = m_spalte1->toPlainText().split(QLatin1Char('\n'));
    if (m_editor->spalte2Sichtbar() && !m_spalte2->toPlainText().isEmpty())
        kopf.spalte2 = m_spalte2->toPlainText().split(QLatin1Char('\n'));
    if (ini.BildPos != 3 && !m_bild->text().isEmpty()) {
        const QString reg = registerBild();
        kopf.bild = (!reg.isEmpty() && nurName(reg) == m_bild->text()) ? reg : m_bild->text();
    }
    HtmlSeitenErgebnis e;
    try {
        e = htmlStammbaumSchreiben(hauptfenster().db(), hauptfenster().einstellungen(), ini, m_katze, datei, kopf);
    } catch (const store::DatabaseError& ex) {
        fehlerDialog().HandleException(ex, QStringLiteral("catstamm.db"));
        return danach(false);
    }
    if (e.fehler) {
        Meldung m;
        m.art = MeldungsArt::Fehler;
        m.nummer = 75;
        m.text = language::meldung(75) + QString::number(e.fehler);
        Meldungsdienst::zeigen(m);
        return danach(false);
    }
    m_ini.HTMLPfad = ini.HTMLPfad;
    if (!anzeigen) Meldungsdienst::nachricht(76, MeldungsArt::Information);
    return danach(true);
}

void htmlStammbaumRegistrieren() {
    Fensterart art{QLatin1String(kName), QStringLiteral("MenueDrucken"), 142,
                   QStringLiteral("HTML-Stammbaum erstellen"),
                   [](TRahmen& h) { return new TFormHTMLStammbaum(h); }, true};
    art.imNeuaufnahmeGesperrt = true;
    fensterartRegistrieren(std::move(art));
}

} // namespace velmora::genealogy
