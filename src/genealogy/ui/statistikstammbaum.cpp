#include "genealogy/ui/statistikstammbaum.h"
#include "genealogy/ui/statistikauswahl.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/listenbericht.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/farbe.h"
#include "register/ui/suchendlg.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 1497 1508 1619-1621 8101 8109 8117-8119 8121 8140-8148
// texte: meldung 123 124 176 177 286 287

namespace {

constexpr char kName[] = "FormStatistikMerkmaleStammbaum";

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

} // namespace

TFormStatistikMerkmaleStammbaum::TFormStatistikMerkmaleStammbaum(TRahmen& haupt)
    : TKindFenster(haupt, QLatin1String(kName), 8140) {
    setWindowTitle(text(8140, "Statistik der Merkmale eines Stammbaumes"));
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
}

TFormStatistikMerkmaleStammbaum::~TFormStatistikMerkmaleStammbaum() = default;

bool TFormStatistikMerkmaleStammbaum::oeffnen() {
    store::Database& db = hauptfenster().db();
    try {
        m_abbild = std::make_unique<Registerabbild>(db);
        aufbauen();
        merkmaleFuellen(*m_liste, *m_abbild);
        farbenFuellen(*m_farbe, db);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return false;
    }
    const int g = hauptfenster().einstellungen().StatistikGenerationen;
    m_generationen->setText(QString::number(g > 0 ? g : 100));
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, [this](int n) { katzeZeigen(n); });
    int start = hauptfenster().registerKatze();
    if (!start)
        if (Katzenauswahl* l = hauptfenster().katzenListe()) start = l->aktuelleKatze();
    katzeZeigen(start);
    return true;
}

void TFormStatistikMerkmaleStammbaum::schliessen() {
    m_abbruch = true;
}

void TFormStatistikMerkmaleStammbaum::closeEvent(QCloseEvent* e) {
    if (m_laeuft) {
        m_abbruch = true;
        m_schliessenDanach = true;
        e->ignore();
        return;
    }
    TKindFenster::closeEvent(e);
}

void TFormStatistikMerkmaleStammbaum::aufbauen() {
    auto* haupt = new QHBoxLayout(this);
    auto* links = new QGridLayout;
    haupt->addLayout(links, 1);
    auto benennen = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        w->setAccessibleName(QLatin1String(name));
    };
    auto knopf = [&](int tag, const char* t, const char* name) {
        auto* b = new QPushButton(text(tag, t), this);
        benennen(b, name);
        language::setTag(b, tag);
        return b;
    };
    auto* katzeLabel = new QLabel(text(8148, "Katze"), this);
    benennen(katzeLabel, "LabelKatze");
    language::setTag(katzeLabel, 8148);
    m_katzeText = new QPlainTextEdit(this);
    benennen(m_katzeText, "MemoKatze");
    m_katzeText->setReadOnly(true);
    m_katzeText->setMaximumHeight(60);
    katzeLabel->setBuddy(m_katzeText);
    QPushButton* suchen = knopf(8141, "&Katze suchen", "BitBtnKatzeSuchen");
    links->addWidget(katzeLabel, 0, 0);
    links->addWidget(m_katzeText, 1, 0, 1, 2);
    links->addWidget(suchen, 1, 2);

    m_merkmalFarbe = new QRadioButton(text(8143, "Suche nach Merkmal / Farbe"), this);
    benennen(m_merkmalFarbe, "RadioButtonMerkmalFarbe");
    language::setTag(m_merkmalFarbe, 8143);
    m_nurFarbe = new QRadioButton(text(8142, "Suche nur nach Farbe"), this);
    benennen(m_nurFarbe, "RadioButtonNurFarbe");
    language::setTag(m_nurFarbe, 8142);
    m_merkmalFarbe->setChecked(true);
    auto* modus = new QButtonGroup(this);
    modus->addButton(m_merkmalFarbe);
    modus->addButton(m_nurFarbe);
    links->addWidget(m_merkmalFarbe, 2, 0);
    links->addWidget(m_nurFarbe, 2, 1);
    m_alle = new QCheckBox(text(8144, "Suche nach allen Merkmalen "), this);
    benennen(m_alle, "CheckBoxAlleMerkmale");
    language::setTag(m_alle, 8144);
    links->addWidget(m_alle, 3, 0, 1, 2);
    auto* merkmalLabel = new QLabel(text(8101, "Merkmale"), this);
    benennen(merkmalLabel, "LabelMerkmale");
    language::setTag(merkmalLabel, 8101);
    m_liste = new QListWidget(this);
    benennen(m_liste, "ListBoxMerkmale");
    m_liste->setSelectionMode(QAbstractItemView::MultiSelection);
    merkmalLabel->setBuddy(m_liste);
    links->addWidget(merkmalLabel, 4, 0);
    links->addWidget(m_liste, 5, 0, 1, 3);
    auto* farbLabel = new QLabel(text(8109, "Farbe"), this);
    benennen(farbLabel, "LabelFarbe");
    language::setTag(farbLabel, 8109);
    m_farbe = new QComboBox(this);
    benennen(m_farbe, "ComboBoxFarbe");
    m_farbe->addItem(text(1508, "alle Farben"));
    farbLabel->setBuddy(m_farbe);
    links->addWidget(farbLabel, 6, 0);
    links->addWidget(m_farbe, 6, 1, 1, 2);
    auto* genLabel = new QLabel(text(8145, "Generationen"), this);
    benennen(genLabel, "LabelGenerationen");
    language::setTag(genLabel, 8145);
    m_generationen = new QLineEdit(this);
    benennen(m_generationen, "EditGenerationen");
    m_generationen->setValidator(new QIntValidator(1, 9999, m_generationen));
    m_generationen->setMaximumWidth(80);
    genLabel->setBuddy(m_generationen);
    links->addWidget(genLabel, 7, 0);
    links->addWidget(m_generationen, 7, 1);
    auto* befehle = new QHBoxLayout;
    m_auswertung = knopf(8146, "A&uswertung", "BitBtnAuswertung");
    m_druck = knopf(8117, "&Druck", "BitBtnDruck");
    QPushButton* hilfe = knopf(8118, "&Hilfe", "BitBtnHilfe");
    QPushButton* zurueck = knopf(8119, "&Zurück", "BitBtnZurueck");
    for (QPushButton* b : {m_auswertung, m_druck, hilfe, zurueck})
        befehle->addWidget(b);
    links->addLayout(befehle, 8, 0, 1, 3);

    auto* rechts = new QVBoxLayout;
    haupt->addLayout(rechts, 2);
    m_warten = new QFrame(this);
    benennen(m_warten, "PanelWarten");
    m_warten->setFrameShape(QFrame::StyledPanel);
    auto* wl = new QHBoxLayout(m_warten);
    auto* wartenText = new QLabel(text(8147, "Bitte warten! Auswertung läuft"), m_warten);
    benennen(wartenText, "LabelWarten");
    language::setTag(wartenText, 8147);
    QPushButton* abbruch = knopf(8121, "Abbruch", "BitBtnAbbruch");
    abbruch->setParent(m_warten);
    wl->addWidget(wartenText, 1);
    wl->addWidget(abbruch);
    m_warten->hide();
    rechts->addWidget(m_warten);
    m_ergebnis = new QPlainTextEdit(this);
    benennen(m_ergebnis, "MemoErgebnis");
    m_ergebnis->setReadOnly(true);
    m_ergebnis->setLineWrapMode(QPlainTextEdit::NoWrap);
    rechts->addWidget(m_ergebnis, 1);

    connect(suchen, &QPushButton::clicked, this, [this] {
        reg::TSuchenDlg dlg(hauptfenster().db(), this);
        dlg.setFehlerDialog(&fehlerDialog());
        dlg.nameFeld()->setFocus();
        if (const int n = dlg.waehlen(reg::SuchAufruf{})) katzeZeigen(n);
    });
    connect(m_nurFarbe, &QRadioButton::toggled, this, [this] { modusSetzen(); });
    connect(m_alle, &QCheckBox::toggled, this, [this](bool an) {
        if (an) m_liste->clearSelection();
        modusSetzen();
        ergebnisLeeren();
    });
    connect(m_liste, &QListWidget::itemClicked, this, [this] { ergebnisLeeren(); });
    connect(m_farbe, &QComboBox::currentIndexChanged, this, [this] { ergebnisLeeren(); });
    connect(m_auswertung, &QPushButton::clicked, this, &TFormStatistikMerkmaleStammbaum::AuswertungClick);
    connect(m_druck, &QPushButton::clicked, this, &TFormStatistikMerkmaleStammbaum::DruckClick);
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(210); });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    connect(abbruch, &QPushButton::clicked, this, [this] {
        if (m_laeuft && Meldungsdienst::ja(176)) m_abbruch = true;
    });
    modusSetzen();
}

void TFormStatistikMerkmaleStammbaum::uebersetzt() {
    setWindowTitle(text(8140, "Statistik der Merkmale eines Stammbaumes"));
    if (m_farbe && m_farbe->count()) m_farbe->setItemText(0, text(1508, "alle Farben"));
}

void TFormStatistikMerkmaleStammbaum::modusSetzen() {
    const bool nurFarbe = m_nurFarbe->isChecked();
    // colour only: the list is greyed and the check box off; the list also rests while all features count
    m_alle->setEnabled(!nurFarbe);
    m_liste->setEnabled(!nurFarbe && !m_alle->isChecked());
}

void TFormStatistikMerkmaleStammbaum::ergebnisLeeren() {
    m_ergebnis->clear();
}

bool TFormStatistikMerkmaleStammbaum::katzeZeigen(int nummer) {
    if (m_laeuft) return false;
    ergebnisLeeren();
    const AbbildKatze* k = nummer ? m_abbild->katze(nummer) : nullptr;
    if (!k) {
        m_katze = 0;
        m_katzeText->clear();
        return false;
    }
    m_katze = nummer;
    QString t = k->name;
    if (!k->fellfarbe.isEmpty()) t += QStringLiteral(", ") + k->fellfarbe;
    QString merkmale;
    for (qint32 m : k->merkmale)
        merkmale += QStringLiteral("- ") + m_abbild->merkmalName(m) + QStringLiteral(" -");
    if (!merkmale.isEmpty()) t += QLatin1Char('\n') + merkmale;
    m_katzeText->setPlainText(t);
    return true;
}

void TFormStatistikMerkmaleStammbaum::AuswertungClick() {
    if (m_laeuft || !m_katze) return;
    ergebnisLeeren();
    StammbaumFrage f;
    f.katze = m_katze;
    bool ok = false;
    f.generationen = m_generationen->text().toInt(&ok);
    if (!ok || f.generationen < 1) {
        Meldungsdienst::nachricht(286, MeldungsArt::Information);
        return;
    }
    f.nurFarbe = m_nurFarbe->isChecked();
    f.alleMerkmale = !f.nurFarbe && m_alle->isChecked();
    for (QListWidgetItem* i : m_liste->selectedItems())
        f.merkmale << i->text();
    if (m_farbe->currentIndex() > 0) f.farbe = m_farbe->currentText();
    if (!f.nurFarbe && !f.alleMerkmale && f.merkmale.isEmpty()) {
        Meldungsdienst::nachricht(123, MeldungsArt::Information);
        return;
    }
    m_warten->show();
    m_auswertung->setEnabled(false);
    m_laeuft = true;
    m_abbruch = false;
    QPointer<TFormStatistikMerkmaleStammbaum> selbst(this);
    m_abbild->vergessen();
    const StammbaumStatistik s = stammbaumStatistik(*m_abbild, f, [this] {
        QApplication::processEvents();
        if (beiFortschritt) beiFortschritt();
        return !m_abbruch;
    });
    m_laeuft = false;
    m_warten->hide();
    m_auswertung->setEnabled(true);
    if (m_schliessenDanach) {
        QMetaObject::invokeMethod(
            this,
            [selbst] {
                if (!selbst) return;
                if (selbst->parentWidget())
                    selbst->parentWidget()->close();
                else
                    selbst->close();
            },
            Qt::QueuedConnection);
        return;
    }
    switch (s.ausgang) {
    case StammbaumStatistik::ok:
        m_letzteFrage = f;
        m_ergebnis->setPlainText(s.text([](int n) { return language::meldung(n); }).join(QLatin1Char('\n')));
        break;
    case StammbaumStatistik::abgebrochen:
        Meldungsdienst::nachricht(177, MeldungsArt::Information);
        break;
    case StammbaumStatistik::fehler:
        Meldungsdienst::nachricht(287, MeldungsArt::Fehler);
        Meldungsdienst::nachricht(124, MeldungsArt::Fehler);
        break;
    case StammbaumStatistik::keinMerkmal:
        Meldungsdienst::nachricht(123, MeldungsArt::Information);
        break;
    case StammbaumStatistik::keineKatze:
        break;
    }
}

QString TFormStatistikMerkmaleStammbaum::ergebnisText() const {
    return m_ergebnis->toPlainText();
}

printing::Bericht TFormStatistikMerkmaleStammbaum::bericht() const {
    using namespace printing;
    QStringList kopf;
    kopf << m_katzeText->toPlainText().split(QLatin1Char('\n'));
    kopf << text(1620, "Ausgewertet über") + QLatin1Char(' ') + QString::number(m_letzteFrage.generationen) +
                QLatin1Char(' ') + text(1621, "Generationen");
    if (m_letzteFrage.farbe) kopf << *m_letzteFrage.farbe;
    if (m_letzteFrage.alleMerkmale)
        kopf << text(1619, "Gesucht nach allen Merkmalen");
    else if (!m_letzteFrage.nurFarbe)
        kopf << text(1497, "Gesuchte Merkmale:") + QLatin1Char(' ') +
                    m_letzteFrage.merkmale.join(QStringLiteral(", "));
    Listenbericht liste;
    liste.setSeitenformat(Bericht::a4(), Seitenausrichtung::Hochformat, Raender{});
    const QString titel = text(8140, "Statistik der Merkmale eines Stammbaumes");
    liste.setTitel(titel + QLatin1Char('\n') + kopf.join(QLatin1Char('\n')));
    Schrift titelSchrift;
    titelSchrift.groesse = 10;
    titelSchrift.fett = true;
    liste.setTitelSchrift(titelSchrift);
    liste.setTitelHoehe(6.0 * (kopf.size() + 1) + 2);
    liste.setTitelNurAufErsterSeite(true);
    liste.setSpalten({{QString(), Bericht::a4().width() - Raender{}.links - Raender{}.rechts}});
    liste.setTextbreite(schriftMessung());
    for (const QString& z : ergebnisText().split(QLatin1Char('\n')))
        liste.textzeile({z});
    Bericht b = liste.erstellen();
    b.setTitel(titel);
    return b;
}

void TFormStatistikMerkmaleStammbaum::DruckClick() {
    if (ergebnisText().isEmpty()) return;
    if (vorschau) vorschau(bericht());
}

void statistikStammbaumRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueVerwaltung"), 930,
                            QStringLiteral("Merkmale eines Stammbaumes"),
                            [](TRahmen& h) { return new TFormStatistikMerkmaleStammbaum(h); }, true});
}

} // namespace velmora::genealogy
