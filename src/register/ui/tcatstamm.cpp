#include "register/ui/tcatstamm.h"

#include "office/ui/adresswahl.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "common/ui/rahmen.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/ui/farbe.h"
#include "register/katzenregeln.h"
#include "register/ui/elternpanel.h"
#include "register/ui/kalenderdlg.h"
#include "register/ui/katzenseite.h"
#include "register/ui/referenzlisten.h"
#include "register/ui/seiteausstellung.h"
#include "register/ui/seitebild.h"
#include "register/ui/seitedokumente.h"
#include "register/ui/seitemeddaten.h"
#include "register/ui/seitestammbaum.h"
#include "register/ui/seitestammdaten.h"
#include "register/ui/seitewurfdaten.h"
#include "register/ui/seitezuchtbuch.h"
#include "register/ui/seitezusatzinfo.h"
#include "register/ui/suchendlg.h"
#include "register/zusatzdaten.h"
#include "settings/einstellungsort.h"
#include "store/errors.h"
#include "store/ui/dberror.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCompleter>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

namespace velmora::reg {

namespace {

constexpr char kName[] = "FormCatStamm";

// Windows that follow the register's cat: while one is open, a search leaves it in front.
constexpr const char* kFolgendeFenster[] = {"FormInzuchtgrad", "FormNachkommen", "FormListeNachkommen",
                                            "FormStatistikMerkmaleStammbaum"};

QString farbeAlsStil(int wert) {
    if (!wert) return {};
    const QColor grund = printing::farbeAusWert(wert);
    return QStringLiteral("background-color: %1; color: %2;")
        .arg(grund.name(), printing::schriftFarbeAuf(grund).name());
}

std::unique_ptr<store::Table> oeffne(store::Database& db, const char* name, store::Table::OpenMode modus,
                                     store::ui::TDBError* fehler) {
    auto t = std::make_unique<store::Table>(db, QLatin1String(name));
    try {
        t->open(modus);
    } catch (const std::exception& e) {
        if (fehler) fehler->HandleException(e, QLatin1String(name) + QStringLiteral(".db"));
        return nullptr;
    }
    return t;
}

} // namespace

TCatStamm::TCatStamm(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kName), 8940) {}

TCatStamm::~TCatStamm() {
    hauptfenster().katzeZeigen = nullptr;
    hauptfenster().registerSpeichern = nullptr;
    qDeleteAll(m_befehle);
    // Destroyed without being closed (the program's teardown): the hooks would reach widgets that are
    // already going, so they are cut and a pending edit, whose checks can no longer be asked, is
    // dropped. The editors go before the tables they show.
    if (m_katzen) {
        m_katzen->beforePost = nullptr;
        m_katzen->afterScroll = nullptr;
        m_katzen->afterPost = nullptr;
        m_katzen->onPostError = nullptr;
        if (m_katzen->state() != store::Table::State::Browse) m_katzen->cancel();
    }
    m_suche.reset();
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    m_bindung.reset();
}

void TCatStamm::befehleAnlegen() {
    QMenu* katze = hauptfenster().menue(QStringLiteral("MenueKatze"));
    if (!katze) return;
    QAction* vor = katze->actions().value(0);
    auto befehl = [&](int tag, const char* text, const char* name, void (TCatStamm::*f)()) {
        QString t = language::feldName(tag);
        auto* a = new QAction(t.isEmpty() ? QString::fromUtf8(text) : t, katze);
        a->setObjectName(QLatin1String(name));
        language::setTag(a, tag);
        connect(a, &QAction::triggered, this, [this, f] { (this->*f)(); });
        katze->insertAction(vor, a);
        m_befehle << a;
    };
    befehl(8930, "&Neuaufnahme", "MenuNeuaufnahme", &TCatStamm::KatzeNew);
    befehl(8931, "&Duplizieren", "MenuDuplizieren", &TCatStamm::Katzekopieren1Click);
    // From the menu the search is refused while a pedigree entry is pending; the name field's "%"
    // search of that entry calls KatzeSuchen directly.
    befehl(8932, "Suchen", "MenuSuchen", &TCatStamm::KatzeSuchenBefehl);
    befehl(8934, "Katze Löschen", "MenuLoeschen", &TCatStamm::loeschenClick);
    auto* speichern = new QAction(katze);
    speichern->setObjectName(QStringLiteral("MenuSpeichern"));
    language::setTag(speichern, 8933);
    speichern->setText(language::feldName(8933).isEmpty() ? QStringLiteral("S&peichern")
                                                          : language::feldName(8933));
    connect(speichern, &QAction::triggered, this, [this] {
        if (!hauptfenster().gesperrt()) SpeichernClick();
    });
    katze->insertAction(vor, speichern);
    m_befehle << speichern;
    auto* trenner = new QAction(katze);
    trenner->setSeparator(true);
    katze->insertAction(vor, trenner);
    m_befehle << trenner;
}

int TCatStamm::aktuelleNummer() const {
    return m_katzen && m_katzen->hasRecord() ? m_katzen->asInt(QStringLiteral("LaufendeNummer")) : 0;
}

bool TCatStamm::oeffnen() {
    // Without a settings file the register cannot keep the user's choices.
    const QString ini = hauptfenster().einstellungen().pfad();
    if (ini.isEmpty() || !QFileInfo::exists(ini)) {
        Meldungsdienst::nachricht(25, MeldungsArt::Fehler);
        hauptfenster().ProgrammEnde = true;
        return false;
    }
    store::Database& db = hauptfenster().db();
    store::ui::TDBError* fehler = &fehlerDialog();
    using M = store::Table::OpenMode;
    m_katzen = oeffne(db, "catstamm", M::Shared, fehler);
    if (!m_katzen) return false;
    m_rasse = oeffne(db, "rasse", M::ReadOnly, fehler);
    m_fellart = oeffne(db, "fellart", M::ReadOnly, fehler);
    m_status = oeffne(db, "status", M::ReadOnly, fehler);
    m_farben = oeffne(db, "farbe", M::ReadOnly, fehler);
    m_augen = oeffne(db, "augen", M::ReadOnly, fehler);
    m_titelbez = oeffne(db, "titelbez", M::ReadOnly, fehler);
    m_titelhund = oeffne(db, "titelhund", M::Shared, fehler);
    m_merkmal = oeffne(db, "katzemerkmal", M::ReadOnly, fehler);
    m_merkmale = oeffne(db, "merkmale", M::ReadOnly, fehler);
    m_topkatze = oeffne(db, "topkatze", M::ReadOnly, fehler);
    m_adr = oeffne(db, "adr_dat", M::ReadOnly, fehler);
    m_eigen = oeffne(db, "eigen", M::ReadOnly, fehler);
    // The breeding value is kept with its total but offered on no page.
    m_zuchtwert = std::make_unique<store::Table>(db, QStringLiteral("zuchtwert"));
    zuchtwertSummeAnlegen(*m_zuchtwert);
    try {
        m_zuchtwert->open();
    } catch (const std::exception& e) {
        if (fehler) fehler->HandleException(e, QStringLiteral("zuchtwert.db"));
        m_zuchtwert.reset();
    }
    if (m_rasse) m_rasse->setIndexFields(QStringLiteral("RName"));
    if (m_merkmal) m_merkmal->setIndexFields(QStringLiteral("Katze"));
    try {
        if (!hauptfenster().einstellungen().indexStammdaten.isEmpty())
            m_katzen->setIndexName(hauptfenster().einstellungen().indexStammdaten);
    } catch (const std::exception&) {
        m_katzen->setIndexName(QString());
    }

    m_katzen->beforePost = [this](store::Table& t) { vorDemSpeichern(t); };
    m_katzen->onPostError = store::ui::postFehlerBehandlung(*fehler);
    m_katzen->afterScroll = [this](store::Table& t) {
        if (m_laedt) return;
        // A row of a page that has to be mended keeps the register on its cat.
        if (m_gezeigteKatze && t.hasRecord() && t.recordId() != m_gezeigteKatze && !seitenVerlassen()) {
            m_laedt = true;
            t.gotoRecordId(m_gezeigteKatze);
            m_laedt = false;
            return;
        }
        // Ticks not stored yet belong to the cat just left; they are stored on every way of moving.
        if (titelGeaendert) Titelspeichern();
        TitelKatzeNeu(true);
    };
    // A new record gets its number at the post: its ticks belong to it from then on.
    m_katzen->afterPost = [this](store::Table&) { m_titelKatze = aktuelleNummer(); };
    m_bindung = std::make_unique<FeldBindung>(*m_katzen);
    m_bindung->fehlerAnzeige = [fehler](const std::exception& e) {
        if (dynamic_cast<const store::Abbruch*>(&e)) return; // the user refused the store
        if (fehler) fehler->HandleException(e, QStringLiteral("catstamm.db"));
    };
    connect(m_bindung.get(), &FeldBindung::geaendertGewechselt, this, [this] { knoepfeSetzen(); });
    // The age follows the dates and the status as they are typed.
    connect(m_bindung.get(), &FeldBindung::feldGeaendert, this, [this](const QString& feld) {
        if (feld == QLatin1String("GebDatum") || feld == QLatin1String("Toddatum") ||
            feld == QLatin1String("Status"))
            alterZeigen();
    });

    m_quelle = std::make_unique<genealogy::TabellenKatzenQuelle>(db);
    m_inzucht = std::make_unique<genealogy::TFormInzuchtberechnung>(
        *m_quelle, [](int n) { return language::meldung(n); });
    m_inzucht->setzeInzuchtBerechne = [this](bool an) { hauptfenster().InzuchtBerechne = an; };
    m_inzucht->MerkmalVorTop = hauptfenster().einstellungen().MerkmalvorTop;
    // new top cats or colours: the parent fields take their marks again
    connect(&hauptfenster(), &TRahmen::markierungenGeaendert, this, [this] {
        if (m_katzen && m_katzen->hasRecord()) elternZeigen();
    });

    m_suche = std::make_unique<TSuchenDlg>(db, this);
    if (fehler) m_suche->setFehlerDialog(fehler);
    elternSuche = [this](bool vater, const QString& name) {
        SuchAufruf a;
        a.formular = 3;
        a.geschlecht = vater ? SuchGeschlecht::Maennlich : SuchGeschlecht::Weiblich;
        a.eigenerName = name;
        return m_suche->waehlen(a);
    };
    aufbauen();
    TitelLaden();
    // The cat shown on opening was not chosen by the user: it does not enter the recent cats.
    m_laedt = true;
    m_katzen->first();
    m_laedt = false;
    m_bindung->neuLaden();
    TitelKatzeNeu(false);
    // The cat list starts on the register's cat, whatever order each of them keeps.
    if (Katzenauswahl* l = hauptfenster().katzenListe(); l && aktuelleNummer() && l->offen())
        l->zeigeKatze(aktuelleNummer());

    hauptfenster().katzeZeigen = [this](int n) { zeigeKatze(n); };
    hauptfenster().registerSpeichern = [this] { return ausstehendesSpeichern(); };
    befehleAnlegen();
    // A changed title list rebuilds the check boxes; the choice lists re-read their tables themselves.
    connect(&referenzhinweise(hauptfenster()), &Referenzhinweise::titelGeaendert, this, [this] {
        if (titelGeaendert) Titelspeichern();
        TitelLaden();
        TitelEintragen();
    });
    connect(&referenzhinweise(hauptfenster()), &Referenzhinweise::listeGeaendert, this,
            [this](const QString& tabelle) { auswahllisteLaden(tabelle); });
    return true;
}

void TCatStamm::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    m_seiten = new QTabWidget(this);
    m_seiten->setObjectName(QStringLiteral("PageControl"));
    haupt->addWidget(m_seiten);

    auto* stammSeite = new TSeiteStammdaten(*this, m_seiten);
    m_stammSeite = stammSeite;
    m_seiten->addTab(stammSeite, QStringLiteral("&Stammdaten"));

    // --- the other pages, in their order; each reads its rows when it comes to the front
    m_zusatzinfo = new TSeiteZusatzinfo(*this);
    m_katzenSeiten = {new TSeiteStammbaum(*this),   new TSeiteBild(*this),     m_zusatzinfo,
                      new TSeiteWurfdaten(*this),   new TSeiteMedDaten(*this), new TSeiteZuchtbuch(*this),
                      new TSeiteAusstellung(*this), new TSeiteDokumente(*this)};
    for (TKatzenSeite* seite : m_katzenSeiten) {
        m_seiten->addTab(seite, seite->titel());
        language::setTag(seite, language::tagOf(seite));
    }
    // A page change stores what is pending, as moving does; a pending pedigree entry is completed
    // with the new cat staying current. A page that refuses to be left (a row the user has to mend)
    // comes back to the front.
    connect(m_seiten, &QTabWidget::currentChanged, this, [this](int seite) {
        if (m_seiteZurueck) return;
        const int vorige = m_vorigeSeite;
        m_vorigeSeite = seite;
        if (vorige > 0 && vorige <= m_katzenSeiten.size() && !m_katzenSeiten[vorige - 1]->verlassen()) {
            m_seiteZurueck = true;
            m_seiten->setCurrentIndex(vorige);
            m_seiteZurueck = false;
            m_vorigeSeite = vorige;
            return;
        }
        if (!m_speichert && seite != 0) {
            common::TDatenGlobal* dg = hauptfenster().datenGlobal();
            if (m_bindung->geaendert() || titelGeaendert || (dg && dg->NeuausStb)) speichern(false);
        }
        if (seite > 0 && seite <= m_katzenSeiten.size() && m_seiten->currentIndex() == seite)
            m_katzenSeiten[seite - 1]->gezeigt();
    });

    auto* unten = new QHBoxLayout;
    m_navigator = new Navigator(*m_bindung, this);
    m_navigator->setObjectName(QStringLiteral("DBNavigator"));
    unten->addWidget(m_navigator);
    unten->addStretch();
    m_speichern = new QPushButton(QStringLiteral("&Speichern"));
    m_speichern->setObjectName(QStringLiteral("BitBtnSpeichern"));
    language::setTag(m_speichern, 8975);
    connect(m_speichern, &QPushButton::clicked, this, [this] { SpeichernClick(); });
    m_rueckgaengig = new QPushButton(QStringLiteral("R&ückgängig"));
    m_rueckgaengig->setObjectName(QStringLiteral("BitBtnRueckgaengig"));
    language::setTag(m_rueckgaengig, 8976);
    connect(m_rueckgaengig, &QPushButton::clicked, this, [this] { BitBtnRueckgaengigClick(); });
    auto* hilfe = new QPushButton(QStringLiteral("&Hilfe"));
    hilfe->setObjectName(QStringLiteral("BitBtnHilfe"));
    language::setTag(hilfe, 8977);
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(1001); });
    unten->addWidget(m_speichern);
    unten->addWidget(m_rueckgaengig);
    unten->addWidget(hilfe);
    haupt->addLayout(unten);
    knoepfeSetzen();
}

QSize TCatStamm::sizeHint() const {
    // A scroll area asks for a bounded size only; the register opens showing its whole base page.
    QSize s = TKindFenster::sizeHint();
    if (m_stammSeite && m_stammSeite->widget()) {
        const QSize fehlt = m_stammSeite->widget()->sizeHint() - m_stammSeite->sizeHint();
        s += QSize(std::max(0, fehlt.width()), std::max(0, fehlt.height()));
    }
    return s;
}

void TCatStamm::uebersetzt() {
    setWindowTitle(beschriftung());
    m_navigator->texteSetzen();
    alterZeigen(); // the age's words are the language's
    for (TKatzenSeite* seite : std::as_const(m_katzenSeiten))
        seite->uebersetzt();
}

// ---------------------------------------------------------------- pages

bool TCatStamm::seitenVerlassen() {
    for (TKatzenSeite* seite : std::as_const(m_katzenSeiten))
        if (!seite->verlassen()) {
            m_seiten->setCurrentWidget(seite);
            return false;
        }
    return true;
}

void TCatStamm::seitenKatzeSetzen() {
    const bool satz = m_katzen->hasRecord() && m_katzen->state() != store::Table::State::Insert;
    const int nummer = satz ? aktuelleNummer() : 0;
    const QString sex = satz ? m_katzen->asString(QStringLiteral("Geschlecht")) : QString();
    m_gezeigteKatze = satz ? m_katzen->recordId() : 0;
    for (TKatzenSeite* seite : std::as_const(m_katzenSeiten)) {
        // The same cat shown again keeps what its pages show, a change the user is typing included.
        if (seite->katze() == nummer && seite->geschlecht() == sex && seite->geladen()) continue;
        seite->katzeSetzen(nummer, sex, m_seiten->currentWidget() == seite);
    }
}

std::optional<QDate> TCatStamm::kalenderWaehlen() {
    return m_suche->kalenderDialog().waehlen();
}

int TCatStamm::katzeWaehlen(bool maennlich) {
    SuchAufruf a;
    a.formular = 2;
    a.geschlecht = maennlich ? SuchGeschlecht::Maennlich : SuchGeschlecht::Weiblich;
    return m_suche->waehlen(a);
}

bool TCatStamm::blockiert() {
    if (hauptfenster().gesperrt()) return true;
    return hauptfenster().CheckFormOpen(QLatin1String(kName)) != 0;
}

void TCatStamm::knoepfeSetzen() {
    const bool an = (m_bindung && m_bindung->geaendert()) || titelGeaendert || neuerSatz;
    if (m_speichern) m_speichern->setEnabled(an);
    if (m_rueckgaengig) m_rueckgaengig->setEnabled(an);
}

// ---------------------------------------------------------------- the checks before a post

void TCatStamm::eintragVerwerfen() {
    m_laedt = true; // the cursor's return to the stored record is no navigation
    m_bindung->abbrechen();
    m_laedt = false;
    neuerSatz = false;
}

void TCatStamm::eingabeVerwerfen(store::Table& t, bool anzeigeNeu) {
    t.cancel();
    neuerSatz = false;
    // The editors follow once the post that asked has unwound.
    QMetaObject::invokeMethod(
        this,
        [this, anzeigeNeu] {
            m_bindung->neuLaden();
            if (anzeigeNeu)
                TitelKatzeNeu(false);
            else
                knoepfeSetzen();
        },
        Qt::QueuedConnection);
}

void TCatStamm::vorDemSpeichern(store::Table& t) {
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    const bool ausStb = dg && dg->NeuausStb;
    // Moving on from a new record in which nothing was typed drops it without a question; a save
    // asks as usual.
    if (!m_speichert && !ausStb && neuUnberuehrt()) {
        eingabeVerwerfen(t, false);
        return;
    }
    if (t.state() == store::Table::State::Insert && t.asString(QStringLiteral("Name")).trimmed().isEmpty()) {
        if (ausStb) {
            Meldungsdienst::nachricht(217, MeldungsArt::Information);
            m_seiten->setCurrentIndex(0);
            throw store::Abbruch();
        }
        if (Meldungsdienst::ja(148))
            eingabeVerwerfen(t, false);
        else
            m_seiten->setCurrentIndex(0);
        throw store::Abbruch();
    }
    if (t.asString(QStringLiteral("Geschlecht")).isEmpty()) {
        if (Meldungsdienst::ja(169)) eingabeVerwerfen(t, false);
        throw store::Abbruch();
    }
    if (!m_ohneFrage && !hauptfenster().einstellungen().speichern && !Meldungsdienst::ja(29)) {
        eingabeVerwerfen(t, true);
        throw store::Abbruch();
    }
}

void TCatStamm::nachDemSpeichern() {
    neuerSatz = false;
    m_katzen->flush();
    setWindowTitle(beschriftung());
    Katzenauswahl* liste = hauptfenster().katzenListe();
    if (nameGeaendert && liste && liste->offen()) {
        liste->neuLaden();
        liste->zeigeKatze(aktuelleNummer());
    }
    hauptfenster().katzenAnzahlAnzeigen();
    nameGeaendert = false;
    m_quelle->aktualisieren();
    bemerkungZeigen();
    alterZeigen();
    knoepfeSetzen();
}

void TCatStamm::neuerSatzAnzeigen() {
    // A new record holds no titles, features, picture or remark of its own yet, and no figures.
    for (QCheckBox* c : m_titel)
        c->setChecked(false);
    m_titelKatze = 0;
    m_name->setStyleSheet(QString());
    m_merkmaleText->clear();
    m_bild->clear();
    m_bemerkung->hide();
    m_ik->clear();
    m_avk->clear();
    elternZeigen();
    adressenZeigen();
    alterZeigen();
    seitenKatzeSetzen();
}

// ---------------------------------------------------------------- commands

void TCatStamm::KatzeNew() {
    if (blockiert() || !seitenVerlassen()) return;
    if ((m_bindung->geaendert() || titelGeaendert) && !SpeichernClick()) return;
    m_seiten->setCurrentIndex(0);
    hauptfenster().tmpTiervorNeuaufnahme = aktuelleNummer();
    m_laedt = true;
    m_bindung->anhaengen();
    m_laedt = false;
    const settings::tsysteminfo& e = hauptfenster().einstellungen();
    m_katzen->setValue(QStringLiteral("AndereRegistrierung"), false);
    if (!e.FarbeStandardeinstellung.isEmpty())
        m_katzen->setValue(QStringLiteral("FellFarbe"), e.FarbeStandardeinstellung);
    if (e.RasseStandardeinstellung) m_katzen->setValue(QStringLiteral("Rasse"), e.RasseStandardeinstellung);
    if (e.HaarartStandardeinstellung)
        m_katzen->setValue(QStringLiteral("Fellart"), e.HaarartStandardeinstellung);
    m_katzen->setValue(QStringLiteral("Status"), QStringLiteral("2"));
    m_bindung->neuLaden();
    setWindowTitle(language::meldung(14, QStringLiteral(" Neue Katze aufnehmen ")));
    neuerSatzAnzeigen();
    neuerSatz = true;
    vorgabeMerken();
    knoepfeSetzen();
    m_name->setFocus();
}

void TCatStamm::KatzeNewausStb(QChar vmZeiger, int catNr) {
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (!dg) return;
    dg->VMZeiger = vmZeiger;
    dg->CatNr = catNr;
    m_speichern->setText(hauptfenster().einstellungen().spracheNummer() == 1
                             ? QStringLiteral("&Save->Back to pedigree")
                             : QStringLiteral("&Speichern->Zurück Stammbaum"));
    KatzeNew();
    if (!neuerSatz) return;
    dg->NeuausStb = true;
    hauptfenster().NeuausStb = true;
    const bool mutter = vmZeiger == QLatin1Char('M');
    m_katzen->setValue(QStringLiteral("Geschlecht"), mutter ? QStringLiteral("2") : QStringLiteral("1"));
    m_bindung->neuLaden();
    setWindowTitle(mutter ? QStringLiteral(" Mutter neu aufnehmen / suchen ")
                          : QStringLiteral(" Vater neu aufnehmen / suchen "));
}

void TCatStamm::Katzekopieren1Click() {
    if (blockiert() || !seitenVerlassen()) return;
    if ((m_bindung->geaendert() || titelGeaendert) && !SpeichernClick()) return;
    if (!m_katzen->hasRecord()) return;
    static const char* const felder[] = {"Geschlecht", "GebDatum", "FellFarbe", "Rasse",    "Augenfarbe",
                                         "Vater",      "Mutter",   "Züchter",   "Besitzer", "Zwinger",
                                         "Status",     "Wurfzahl", "TaetoNr",   "Fellart"};
    QVariantList werte;
    for (const char* f : felder)
        werte << m_katzen->value(QString::fromUtf8(f));
    const QString name = m_katzen->asString(QStringLiteral("Name"));
    m_seiten->setCurrentIndex(0);
    hauptfenster().tmpTiervorNeuaufnahme = aktuelleNummer();
    m_laedt = true;
    m_bindung->anhaengen();
    m_laedt = false;
    for (int i = 0; i < int(std::size(felder)); ++i)
        if (werte[i].isValid() && !werte[i].isNull())
            m_katzen->setValue(QString::fromUtf8(felder[i]), werte[i]);
    const int sprache = hauptfenster().einstellungen().spracheNummer();
    if (sprache == 0)
        m_katzen->setValue(QStringLiteral("Name"), QString(name + QStringLiteral(" Kopie")));
    else if (sprache == 1)
        m_katzen->setValue(QStringLiteral("Name"), QString(name + QStringLiteral(" Copy")));
    m_katzen->setValue(QStringLiteral("AndereRegistrierung"), false);
    m_bindung->neuLaden();
    neuerSatzAnzeigen();
    setWindowTitle(language::meldung(14, QStringLiteral(" Neue Katze aufnehmen ")));
    neuerSatz = true;
    nameGeaendert = true;
    vorgabeMerken();
    knoepfeSetzen();
    m_name->setFocus();
}

void TCatStamm::loeschenClick() {
    if (blockiert() || !m_katzen->hasRecord()) return;
    const QString name = m_katzen->asString(QStringLiteral("Name"));
    const int nummer = aktuelleNummer();
    const QString text = QStringLiteral("<<") + name + QStringLiteral(">>\r") + language::meldung(15);
    if (Meldungsdienst::zeigen(MeldungsArt::Warnung, 15, text, Knoepfe::JaNein) != Antwort::Ja) return;
    titelGeaendert = false; // ticks of a deleted cat have nobody to belong to
    try {
        if (m_katzen->state() != store::Table::State::Browse) m_katzen->cancel();
        m_laedt = true;
        m_katzen->remove();
        m_laedt = false;
        m_katzen->flush();
        hauptfenster().letzteKatzeEntfernen(nummer);
    } catch (const std::exception& e) {
        m_laedt = false;
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
    m_quelle->aktualisieren();
    if (Katzenauswahl* l = hauptfenster().katzenListe()) {
        l->neuLaden();
        if (aktuelleNummer()) l->zeigeKatze(aktuelleNummer());
    }
    hauptfenster().katzenAnzahlAnzeigen();
    m_bindung->neuLaden();
    TitelKatzeNeu(false);
}

void TCatStamm::KatzeSuchenBefehl() {
    if (blockiert()) return;
    KatzeSuchen();
}

void TCatStamm::KatzeSuchen() {
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    const bool ausStb = dg && dg->NeuausStb;
    if (!ausStb && hauptfenster().CheckFormOpen(QLatin1String(kName)) != 0) return;
    SuchAufruf a;
    if (ausStb) {
        a.neuausStb = true;
        a.vmZeiger = dg->VMZeiger;
        a.getippterName = m_katzen->asString(QStringLiteral("Name"));
    }
    const int gefunden = m_suche->waehlen(a);
    if (!gefunden) return;
    if (ausStb) {
        if (gefunden == dg->CatNr) {
            // texte: meldung 225 226
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 225,
                                   language::meldung(225) + QLatin1Char(' ') + language::meldung(226));
            m_name->setFocus();
            return;
        }
        // The found cat becomes the parent instead of a new one.
        eintragVerwerfen();
        zeigeKatze(gefunden);
        m_speichern->setEnabled(true);
        m_rueckgaengig->setEnabled(true);
        return;
    }
    // The register comes forward with the cat found, unless the user works in a window that follows
    // the register's cat; that window stays in front and is brought to the cat as well, as every window
    // that follows the register's cat is (registerKatzeGewechselt).
    TRahmen& h = hauptfenster();
    const bool folgendesFensterOffen =
        std::any_of(std::begin(kFolgendeFenster), std::end(kFolgendeFenster),
                    [&h](const char* name) { return h.fenster(QLatin1String(name)) != nullptr; });
    if (!folgendesFensterOffen && !h.InzuchtBerechne) h.FensterZeigen(QLatin1String(kName));
    if (!zeigeKatze(gefunden)) return;
    if (Katzenauswahl* l = h.katzenListe()) l->zeigeKatze(gefunden);
}

bool TCatStamm::ausstehendesSpeichern() {
    if (!m_katzen) return true;
    const common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (neuUnberuehrt() && !(dg && dg->NeuausStb)) eintragVerwerfen();
    if ((m_bindung->geaendert() || neuerSatz) && !SpeichernClick()) return false;
    if (titelGeaendert) Titelspeichern();
    return seitenVerlassen();
}

bool TCatStamm::SpeichernClick() {
    return speichern(true);
}

bool TCatStamm::speichernOhneFrage() {
    if (!m_bindung->geaendert() && !neuerSatz) return true;
    m_ohneFrage = true;
    const bool ok = SpeichernClick();
    m_ohneFrage = false;
    return ok;
}

bool TCatStamm::speichern(bool zurueckZumAusgang) {
    const bool warNeu = neuerSatz;
    if (m_katzen->state() == store::Table::State::Edit || m_katzen->state() == store::Table::State::Insert) {
        m_laedt = true;
        m_speichert = true;
        const bool ok = m_bindung->speichern();
        m_speichert = false;
        m_laedt = false;
        if (!ok || m_katzen->state() != store::Table::State::Browse) {
            knoepfeSetzen();
            return false;
        }
        nachDemSpeichern();
    }
    if (titelGeaendert) Titelspeichern();
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (dg && dg->NeuausStb) {
        // The saved cat becomes the missing parent of the cat whose pedigree asked for it.
        const int neu = aktuelleNummer();
        try {
            store::Table kind(hauptfenster().db(), QStringLiteral("catstamm"));
            kind.open();
            if (kind.findKey({dg->CatNr})) {
                kind.edit();
                kind.setValue(dg->VMZeiger == QLatin1Char('M') ? QStringLiteral("Mutter")
                                                               : QStringLiteral("Vater"),
                              neu);
                kind.post();
                kind.flush();
            }
        } catch (const std::exception& e) {
            // The parent is stored; the link is reported and can be set by hand.
            fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        }
        stammbaumEintragBeenden();
        // A return, not a move of the user's: the cat does not enter the recent cats.
        const int ziel = zurueckZumAusgang ? hauptfenster().tmpTiervorNeuaufnahme : neu;
        zeigeKatze(ziel, false);
        if (Katzenauswahl* l = hauptfenster().katzenListe()) l->zeigeKatze(ziel);
        if (zurueckZumAusgang) stammbaumZeigen();
    } else if (warNeu) {
        TitelKatzeNeu(true);
    }
    knoepfeSetzen();
    return true;
}

void TCatStamm::BitBtnRueckgaengigClick() {
    const bool warNeu = neuerSatz;
    eintragVerwerfen();
    titelGeaendert = false;
    if (warNeu && hauptfenster().tmpTiervorNeuaufnahme)
        zeigeKatze(hauptfenster().tmpTiervorNeuaufnahme);
    else
        TitelKatzeNeu(false);
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (dg && dg->NeuausStb) {
        stammbaumEintragBeenden();
        stammbaumZeigen();
    }
    knoepfeSetzen();
}

void TCatStamm::stammbaumZeigen() {
    // Back where the entry began: the pedigree, drawn again with the parent just entered.
    TSeiteStammbaum* stb = seite<TSeiteStammbaum>();
    if (!stb) return;
    stb->neuZeichnen();
    m_seiten->setCurrentWidget(stb);
    stb->kasten(1)->setFocus();
}

void TCatStamm::stammbaumEintragBeenden() {
    if (common::TDatenGlobal* dg = hauptfenster().datenGlobal()) {
        dg->NeuausStb = false;
        dg->VMZeiger = QLatin1Char(' ');
    }
    hauptfenster().NeuausStb = false;
    m_speichern->setText(language::feldName(8975).isEmpty() ? QStringLiteral("&Speichern")
                                                            : language::feldName(8975));
}

bool TCatStamm::zeigeKatze(int nummer, bool navigation) {
    if (!nummer) return false;
    if (nummer != aktuelleNummer() && !seitenVerlassen()) return false;
    const common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (neuUnberuehrt() && !(dg && dg->NeuausStb)) eintragVerwerfen();
    if ((m_bindung->geaendert() || neuerSatz) && !SpeichernClick()) return false;
    if (titelGeaendert) Titelspeichern();
    const QString index = m_katzen->indexName();
    m_katzen->setIndexName(QString());
    m_laedt = true;
    const bool gefunden = m_katzen->findKey({nummer});
    const qint64 satz = m_katzen->recordId();
    m_katzen->setIndexName(index);
    if (gefunden) m_katzen->gotoRecordId(satz);
    m_laedt = false;
    m_bindung->neuLaden();
    if (!gefunden) return false;
    TitelKatzeNeu(navigation);
    return true;
}

// ---------------------------------------------------------------- showing a cat

QString TCatStamm::beschriftung() const {
    if (!m_katzen || !m_katzen->hasRecord()) return QStringLiteral("Katze");
    QString t = m_katzen->asString(QStringLiteral("Name"));
    const QDate geb = m_katzen->asDate(QStringLiteral("GebDatum"));
    if (geb.isValid()) t += QStringLiteral(", ") + geb.toString(QStringLiteral("dd.MM.yyyy"));
    const QString farbe = m_katzen->asString(QStringLiteral("FellFarbe"));
    if (!farbe.isEmpty()) t += QStringLiteral(", ") + farbe;
    return t;
}

QString TCatStamm::elternAnzeige(bool vater) const {
    return (vater ? m_vater : m_mutter)->text();
}
QString TCatStamm::ikText() const {
    return m_ik->text();
}
bool TCatStamm::bildGezeigt() const {
    return !m_bild->pixmap().isNull();
}
QString TCatStamm::avkText() const {
    return m_avk->text();
}

namespace {
Markierung markierungVon(int nummer, store::Table* merkmal, store::Table* merkmale, store::Table* top,
                         bool vorTop) {
    QList<MerkmalZeile> zeilen;
    if (merkmal && merkmale) {
        merkmal->setRange({nummer}, {nummer});
        for (merkmal->first(); !merkmal->eof(); merkmal->next()) {
            const QVariant m = merkmal->value(QStringLiteral("Merkmal"));
            MerkmalZeile z;
            z.farbe =
                merkmale->lookupValue(QStringLiteral("LaufendeNummer"), {m}, QStringLiteral("Farbe")).toInt();
            z.kuerzel =
                merkmale->lookupValue(QStringLiteral("LaufendeNummer"), {m}, QStringLiteral("Kuerzel"))
                    .toString();
            zeilen << z;
        }
        merkmal->cancelRange();
    }
    std::optional<int> topFarbe;
    if (top) {
        const QVariant f = top->lookupValue(QStringLiteral("Katze"), {nummer}, QStringLiteral("Farbe"));
        if (f.isValid() && !f.isNull()) topFarbe = f.toInt();
    }
    return markierung(zeilen, topFarbe, vorTop);
}
} // namespace

void TCatStamm::elternZeigen() {
    const bool vorTop = hauptfenster().einstellungen().MerkmalvorTop;
    for (bool vater : {true, false}) {
        QLabel* l = vater ? m_vater : m_mutter;
        l->clear();
        l->setStyleSheet(QString());
        const int n = m_katzen->asInt(vater ? QStringLiteral("Vater") : QStringLiteral("Mutter"));
        if (n <= 0) continue;
        const QVariant name =
            m_katzen->lookupValue(QStringLiteral("LaufendeNummer"), {n}, QStringLiteral("Name"));
        if (!name.isValid() || name.isNull()) continue; // a link to a deleted cat is no parent
        const Markierung m = markierungVon(n, m_merkmal.get(), m_merkmale.get(), m_topkatze.get(), vorTop);
        l->setText(elternText(name.toString(), m));
        l->setStyleSheet(farbeAlsStil(m.farbe));
    }
}

void TCatStamm::alterZeigen() {
    const QString jahre = language::feldName(1485);
    const AltersFelder f = altersFelder(
        m_katzen->asDate(QStringLiteral("GebDatum")), m_katzen->asDate(QStringLiteral("Toddatum")),
        m_katzen->asString(QStringLiteral("Status")), QDate::currentDate(), jahre,
        [](const QDate& v, const QDate& b) {
            return common::TDatenGlobal::alterBerechnen(v, b, {}, 0, language::feldName(1485),
                                                        language::feldName(1486), language::feldName(1487),
                                                        language::feldName(1488));
        });
    const QDate tod = m_katzen->asDate(QStringLiteral("Toddatum"));
    m_alter->setText(f.zeigeTodDatum
                         ? (tod.isValid() ? tod.toString(QStringLiteral("dd.MM.yyyy")) : QString())
                         : f.alterAkt);
    m_kreuz->setVisible(f.tot);
    m_zusatzinfo->setAlterTod(f.alter);
}

void TCatStamm::bildZeigen() {
    m_bild->clear();
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (!dg || !m_katzen->hasRecord()) return;
    // The picture chosen for printing (Feld2), else the first one whose file exists.
    bool titel = false;
    int titelNr = 0;
    dg->Katzendaten(3, aktuelleNummer(), QString(), titel, 1, false, titelNr);
    if (dg->bild.isEmpty()) return;
    const QPixmap p(dg->bild);
    if (!p.isNull())
        m_bild->setPixmap(p.scaled(m_bild->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TCatStamm::bemerkungZeigen() {
    const QString b = m_katzen->hasRecord() ? m_katzen->asString(QStringLiteral("Bemerkung")) : QString();
    if (b.isEmpty() || hauptfenster().height() < 700) {
        m_bemerkung->hide();
        return;
    }
    QStringList w = b.split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(0, 6);
    if (!w.isEmpty()) w.last() = w.last().left(20);
    QString t = w.join(QLatin1Char(' '));
    if (t.size() < b.size()) t += QStringLiteral(" ...");
    m_bemerkung->setText(t);
    m_bemerkung->show();
}

void TCatStamm::auswahllisteLaden(const QString& tabelle) {
    const bool farbe = tabelle == QLatin1String("farbe");
    if (!farbe && tabelle != QLatin1String("augen")) return;
    store::Table* t = farbe ? m_farben.get() : m_augen.get();
    DbEdit* feld = farbe ? m_farbe : m_augenfarbe;
    if (!t || !feld) return;
    QStringList eintraege;
    try {
        t->setIndexName(farbe ? QStringLiteral("FarbnameIndex") : QStringLiteral("Augenfarbeidx"));
        for (t->first(); !t->eof(); t->next()) {
            if (!farbe) {
                eintraege << t->asString(QStringLiteral("Augenfarbe"));
                continue;
            }
            const QString info = t->asString(QStringLiteral("Rasseinfo"));
            const QString name = t->asString(QStringLiteral("Farbname"));
            eintraege << (info.isEmpty() ? name : QStringLiteral("(") + info + QStringLiteral(") ") + name);
        }
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, tabelle + QStringLiteral(".db"));
    }
    // The colours are offered sorted, breed prefix and all; the eye colours in their index order.
    if (farbe) eintraege.sort(Qt::CaseInsensitive);
    auto* c = new QCompleter(eintraege, feld);
    if (farbe) {
        c->setCaseSensitivity(Qt::CaseInsensitive);
        c->setFilterMode(Qt::MatchContains);
    }
    feld->setCompleter(c); // the line edit deletes the completer it owned before
}

QString TCatStamm::adressBlockVon(int nr) {
    if (nr <= 0 || !m_adr) return {};
    if (!m_adr->lookupValue(QStringLiteral("LaufendeNr"), {nr}, QStringLiteral("LaufendeNr")).isValid())
        return {};
    auto v = [&](const char* f) {
        return m_adr->lookupValue(QStringLiteral("LaufendeNr"), {nr}, QLatin1String(f)).toString();
    };
    Adresse a{v("Name"), v("Vorname"), v("Strasse"), v("Land"), v("Plz"), v("Ort"), v("Telefon"), {}};
    return adressBlock(a).join(QLatin1Char('\n'));
}

void TCatStamm::adressenZeigen() {
    if (!m_katzen->asString(QStringLiteral("Zwinger")).isEmpty() &&
        m_katzen->asInt(QStringLiteral("Züchter")) <= 0)
        DBzwingerExit();
    else
        m_zuechter->setText(adressBlockVon(m_katzen->asInt(QStringLiteral("Züchter"))));
    besitzerZeigen();
}

void TCatStamm::besitzerZeigen() {
    if (!m_katzen || !m_besitzer) return;
    if (!m_katzen->hasRecord() && m_katzen->state() != store::Table::State::Insert) {
        m_besitzer->clear();
        return;
    }
    if (m_katzen->asString(QStringLiteral("Status")) == QLatin1String("1") && m_eigen) {
        m_eigen->first();
        if (m_eigen->hasRecord()) {
            auto v = [&](const char* f) { return m_eigen->asString(QLatin1String(f)); };
            m_besitzer->setText(
                adressBlock(
                    {v("Name"), v("Vorname"), v("Strasse"), v("land"), v("Plz"), v("Ort"), v("Telefon"), {}})
                    .join(QLatin1Char('\n')));
        } else {
            m_besitzer->clear();
        }
    } else {
        m_besitzer->setText(adressBlockVon(m_katzen->asInt(QStringLiteral("Besitzer"))));
    }
}

void TCatStamm::TitelKatzeNeu(bool navigation) {
    if (!m_katzen || !m_seiten) return;
    if (!m_katzen->hasRecord()) {
        setWindowTitle(QStringLiteral("Katze"));
        m_vater->clear();
        m_mutter->clear();
        m_ik->clear();
        m_avk->clear();
        knoepfeSetzen();
        return;
    }
    elternZeigen();
    const Markierung eigene = markierungVon(aktuelleNummer(), m_merkmal.get(), m_merkmale.get(),
                                            m_topkatze.get(), hauptfenster().einstellungen().MerkmalvorTop);
    m_name->setStyleSheet(farbeAlsStil(eigene.farbe));
    m_merkmaleText->setText(eigene.text);
    TitelEintragen();
    setWindowTitle(beschriftung());
    seitenKatzeSetzen();
    alterZeigen();
    adressenZeigen();
    bemerkungZeigen();
    bildZeigen();
    const bool gewaehlt = navigation && m_katzen->state() == store::Table::State::Browse;
    if (gewaehlt) {
        hauptfenster().SaveLastCats(m_katzen->asString(QStringLiteral("Name")), aktuelleNummer());
        if (Katzenauswahl* l = hauptfenster().katzenListe(); l && l->aktuelleKatze() != aktuelleNummer())
            l->zeigeKatze(aktuelleNummer());
    }
    inzuchtAnzeigen();
    knoepfeSetzen();
    // The windows that follow the register's cat come last, once the register shows it whole.
    if (gewaehlt) hauptfenster().registerKatzeGezeigt(aktuelleNummer());
}

void TCatStamm::inzuchtAnzeigen() {
    m_ik->clear();
    m_avk->clear();
    const int vater = m_katzen->asInt(QStringLiteral("Vater"));
    const int mutter = m_katzen->asInt(QStringLiteral("Mutter"));
    auto gibt = [this](int n) {
        return n > 0 &&
               m_katzen->lookupValue(QStringLiteral("LaufendeNummer"), {n}, QStringLiteral("LaufendeNummer"))
                   .isValid();
    };
    if (!gibt(vater) || !gibt(mutter)) return;
    const int generationen = std::max(3, hauptfenster().einstellungen().InzuchtStdgenerationen);
    if (m_inzucht->Berechne(aktuelleNummer(), vater, mutter, quint8(generationen), false)) {
        m_ik->setText(m_inzucht->Inzuchtkoeffizientkurz);
        m_avk->setText(m_inzucht->Ahnenverlustkoeffizient);
    }
}

// ---------------------------------------------------------------- name and cattery

bool TCatStamm::gleichnamigeSuchen() {
    const QString name = m_katzen->asString(QStringLiteral("Name"));
    if (name.trimmed().isEmpty()) return false;
    // Of several cats of that name the first in name order (then birth date) is the one found.
    QVariant gefunden;
    try {
        gefunden = m_katzen->lookupInIndex(QStringLiteral("Nameidx"), {name},
                                           QStringLiteral("LaufendeNummer"), true);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return false;
    }
    if (!gefunden.isValid() || gefunden.isNull()) return false;
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    const bool ausStb = dg && dg->NeuausStb;
    const bool englisch = hauptfenster().einstellungen().spracheNummer() == 1;
    Meldung m;
    m.art = MeldungsArt::Information;
    m.titel = QStringLiteral(" Katze gefunden");
    m.text = QStringLiteral("Katze mit gleichem Namen gefunden !");
    m.knoepfe = Knoepfe::JaNein;
    m.knopfTexte = {QStringLiteral("Neuaufnehmen"),
                    ausStb ? (englisch ? QStringLiteral("Load Animal") : QStringLiteral("Tier laden"))
                           : (englisch ? QStringLiteral("&Cancel") : QStringLiteral("&Abbrechen"))};
    if (Meldungsdienst::zeigen(m) == Antwort::Ja) return false; // a second cat of that name is wanted
    const int nummer = gefunden.toInt();
    auto leeren = [this] {
        m_katzen->setValue(QStringLiteral("Name"), QStringLiteral(" "));
        m_bindung->neuLaden();
        m_name->setFocus();
    };
    if (ausStb) {
        const QString sex =
            m_katzen->lookupValue(QStringLiteral("LaufendeNummer"), {nummer}, QStringLiteral("Geschlecht"))
                .toString();
        const bool passt = dg->VMZeiger == QLatin1Char('M')
                               ? (sex == QLatin1String("2") || sex == QLatin1String("4"))
                               : (sex == QLatin1String("1") || sex == QLatin1String("3"));
        if (!passt) {
            Meldungsdienst::nachricht(218, MeldungsArt::Information);
            leeren();
            return true;
        }
        if (nummer == dg->CatNr) {
            // texte: meldung 225 226
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 225,
                                   language::meldung(225) + QLatin1Char(' ') + language::meldung(226));
            leeren();
            return true;
        }
    }
    eintragVerwerfen();
    zeigeKatze(nummer, false); // shown for the entry, not gone to: no recent cat
    if (Katzenauswahl* l = hauptfenster().katzenListe()) l->zeigeKatze(nummer);
    if (ausStb) {
        // Saving now links the loaded cat as the missing parent.
        m_speichern->setEnabled(true);
        m_rueckgaengig->setEnabled(true);
    }
    return true;
}

void TCatStamm::DBNameNeu() {
    // A window that is closing moves the focus once more after its tables are closed.
    if (!m_katzen || !m_katzen->isOpen()) return;
    if (m_rueckgaengig->hasFocus() ||
        (!m_katzen->hasRecord() && m_katzen->state() != store::Table::State::Insert))
        return;
    if (m_katzen->state() == store::Table::State::Insert) {
        if (hauptfenster().einstellungen().SuchebeiNeuaufnahme && gleichnamigeSuchen()) return;
        common::TDatenGlobal* dg = hauptfenster().datenGlobal();
        if (dg && dg->NeuausStb && m_katzen->asString(QStringLiteral("Name")).contains(QLatin1Char('%'))) {
            KatzeSuchen();
            return;
        }
    }
    if (!m_katzen->asString(QStringLiteral("Zwinger")).isEmpty()) return;
    const auto zwinger = zwingerAbtrennen(m_katzen->asString(QStringLiteral("Name")),
                                          hauptfenster().einstellungen().ZusatzBeiZwinger);
    if (!zwinger) return;
    if (m_katzen->state() == store::Table::State::Browse) m_katzen->edit();
    m_katzen->setValue(QStringLiteral("Zwinger"), zwinger->left(40));
    m_bindung->neuLaden();
    DBzwingerExit();
    knoepfeSetzen();
}

void TCatStamm::DBzwingerExit() {
    if (!m_katzen || !m_katzen->isOpen()) return;
    if (m_katzen->asInt(QStringLiteral("Züchter")) >= 1) return; // an existing breeder link stays
    const QString zwinger = m_katzen->asString(QStringLiteral("Zwinger"));
    if (zwinger.isEmpty() || !m_adr) {
        m_zuechter->clear();
        return;
    }
    // The first address of that cattery in cattery order, whatever the case of the typed name.
    QVariant nr;
    try {
        nr = m_adr->lookupInIndex(QStringLiteral("AdrZwing"), {zwinger}, QStringLiteral("LaufendeNr"), true);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("adr_dat.db"));
    }
    if (!nr.isValid() || nr.isNull()) {
        m_zuechter->clear();
        return;
    }
    if (m_katzen->state() == store::Table::State::Browse) m_katzen->edit();
    m_katzen->setValue(QStringLiteral("Züchter"), nr.toInt());
    m_zuechter->setText(adressBlockVon(nr.toInt()));
    knoepfeSetzen();
}

void TCatStamm::zuchtbuchnummerGeaendert() {
    if (!m_katzen || !m_katzen->isOpen()) return;
    const QString nr = m_katzen->asString(QStringLiteral("Zuchtbuchnummer1"));
    if (nr.isEmpty() || m_katzen->state() == store::Table::State::Browse) return;
    QVariant andere;
    try {
        andere = m_katzen->lookupInIndex(QStringLiteral("Zuchtbuchnummer1"), {nr},
                                         QStringLiteral("LaufendeNummer"));
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return;
    }
    if (!andere.isValid() || andere.isNull() || andere.toInt() == aktuelleNummer()) return;
    if (Meldungsdienst::nachricht(143, MeldungsArt::Information, Knoepfe::JaNein) == Antwort::Ja) {
        eintragVerwerfen();
        titelGeaendert = false;
        zeigeKatze(andere.toInt());
    } else {
        m_katzen->clearValue(QStringLiteral("Zuchtbuchnummer1"));
        m_bindung->neuLaden();
    }
}

void TCatStamm::elternWaehlen(bool vater) {
    if (!elternSuche) return;
    const int gewaehlt = elternSuche(vater, m_katzen->asString(QStringLiteral("Name")));
    if (gewaehlt > 0) {
        if (m_katzen->state() == store::Table::State::Browse) m_katzen->edit();
        m_katzen->setValue(vater ? QStringLiteral("Vater") : QStringLiteral("Mutter"), gewaehlt);
        m_bindung->neuLaden();
        elternZeigen();
    }
    inzuchtAnzeigen();
    knoepfeSetzen();
}

// ---------------------------------------------------------------- titles

void TCatStamm::TitelLaden() {
    qDeleteAll(m_titel);
    m_titel.clear();
    if (!m_titelbez) return;
    m_titelbez->setIndexFields(QStringLiteral("Sortierung"));
    int i = 0;
    for (m_titelbez->first(); !m_titelbez->eof(); m_titelbez->next()) {
        auto* c = new QCheckBox(m_titelbez->asString(QStringLiteral("Kuerzel")));
        c->setObjectName(QStringLiteral("Titel%1").arg(i));
        connect(c, &QCheckBox::clicked, this, [this] {
            titelGeaendert = true;
            knoepfeSetzen();
        });
        m_titelRaster->addWidget(c, i / 8, i % 8);
        m_titel << c;
        ++i;
    }
}

void TCatStamm::TitelEintragen() {
    QSet<QString> kuerzel;
    if (m_titelhund && m_titelbez && m_katzen->hasRecord()) {
        const int nr = aktuelleNummer();
        m_titelhund->setIndexFields(QStringLiteral("Hund"));
        m_titelhund->setRange({nr}, {nr});
        for (m_titelhund->first(); !m_titelhund->eof(); m_titelhund->next())
            kuerzel << m_titelbez
                           ->lookupValue(QStringLiteral("LaufendeNummer"),
                                         {m_titelhund->value(QStringLiteral("Titel"))},
                                         QStringLiteral("Kuerzel"))
                           .toString();
        m_titelhund->cancelRange();
    }
    for (QCheckBox* c : m_titel)
        c->setChecked(kuerzel.contains(c->text()));
    m_titelKatze = aktuelleNummer();
    titelGeaendert = false;
}

void TCatStamm::Titelspeichern() {
    if (!titelGeaendert) return;
    titelGeaendert = false;
    if (!hauptfenster().einstellungen().speichern && !Meldungsdienst::ja(29)) {
        knoepfeSetzen();
        return;
    }
    // The boxes may still show the cat just left (a move stores its ticks after arriving).
    const int nr = m_titelKatze ? m_titelKatze : aktuelleNummer();
    if (!m_titelhund || !m_titelbez || !nr) {
        knoepfeSetzen();
        return;
    }
    try {
        for (QCheckBox* c : m_titel) {
            const QVariant titel = m_titelbez->lookupValue(QStringLiteral("Kuerzel"), {c->text()},
                                                           QStringLiteral("LaufendeNummer"));
            if (!titel.isValid() || titel.isNull()) continue; // deleted from the title list meanwhile
            m_titelhund->setIndexFields(QStringLiteral("Hund;Titel"));
            const bool vorhanden = m_titelhund->findKey({nr, titel});
            if (c->isChecked() && !vorhanden) {
                m_titelhund->append();
                m_titelhund->setValue(QStringLiteral("Hund"), nr);
                m_titelhund->setValue(QStringLiteral("Titel"), titel);
                m_titelhund->post();
            } else if (!c->isChecked() && vorhanden) {
                m_titelhund->remove();
            }
        }
        m_titelhund->flush();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("titelhund.db"));
    }
    knoepfeSetzen();
}

void TCatStamm::vorgabeMerken() {
    m_vorgabe.clear();
    for (int i = 0; i < m_katzen->fieldCount(); ++i)
        m_vorgabe << m_katzen->value(i);
}

bool TCatStamm::neuUnberuehrt() const {
    if (!neuerSatz || titelGeaendert || m_katzen->state() != store::Table::State::Insert) return false;
    if (m_vorgabe.size() != m_katzen->fieldCount()) return false;
    for (int i = 0; i < m_vorgabe.size(); ++i)
        if (m_katzen->value(i) != m_vorgabe[i]) return false;
    // An editor holding half a date is typing too.
    return !std::any_of(m_bindung->felder().begin(), m_bindung->felder().end(),
                        [](const DbFeld* f) { return f->ausstehend(); });
}

// ---------------------------------------------------------------- remark, status, calendar

DbDatum* TCatStamm::datumsFeld(const QString& feld) {
    auto* d = new DbDatum(*m_bindung, feld);
    d->setObjectName(QStringLiteral("DB") + feld);
    // One calendar for every date button: it keeps the last chosen date between uses.
    d->kalenderDialog = [this]() -> std::optional<QDate> { return m_suche->kalenderDialog().waehlen(); };
    return d;
}

void TCatStamm::bemerkungOeffnen() {
    QWidget* seite = m_bemerkungVoll->parentWidget();
    const QRect r = seite->rect().adjusted(20, 20, -20, -20);
    m_bemerkungVoll->setGeometry(r.x(), r.y(), r.width(), std::min(r.height(), 240));
    m_bemerkungVoll->raise();
    m_bemerkungVoll->show();
    m_bemerkungMemo->setFocus();
}

void TCatStamm::bemerkungSchliessen() {
    if (!m_bemerkungVoll->isVisible()) return;
    m_bemerkungVoll->hide();
    bemerkungZeigen();
}

bool TCatStamm::eventFilter(QObject* o, QEvent* e) {
    if ((o == m_vater || o == m_mutter) && e->type() == QEvent::MouseButtonRelease && m_katzen) {
        m_elternPanel->zeigen(
            m_katzen->asInt(o == m_vater ? QStringLiteral("Vater") : QStringLiteral("Mutter")),
            static_cast<QWidget*>(o));
        return true;
    }
    if (o == m_bemerkung && e->type() == QEvent::MouseButtonRelease) {
        bemerkungOeffnen();
        return true;
    }
    if (o == m_bemerkungVoll && (e->type() == QEvent::Leave || e->type() == QEvent::MouseButtonPress)) {
        // A click on the frame or the mouse leaving the panel closes it; clicks in the memo edit.
        bemerkungSchliessen();
        return false;
    }
    if (e->type() == QEvent::FocusIn && o->objectName() == QLatin1String("DBStatus")) besitzerZeigen();
    return TKindFenster::eventFilter(o, e);
}

bool TCatStamm::bemerkungOffen() const {
    return m_bemerkungVoll && m_bemerkungVoll->isVisible();
}

// ---------------------------------------------------------------- closing

void TCatStamm::closeEvent(QCloseEvent* e) {
    // A refused store that dropped the edit (29 No, 148 Yes, 169 Yes) lets the window close; an
    // entry the user chose to keep open keeps it, and so does a page's row the user has to mend.
    if (!seitenVerlassen()) {
        e->ignore();
        return;
    }
    if (m_bindung && (m_bindung->geaendert() || neuerSatz) && !SpeichernClick() && m_bindung->geaendert()) {
        e->ignore();
        return;
    }
    TKindFenster::closeEvent(e);
}

void TCatStamm::schliessen() {
    if (!m_katzen) return;
    try {
        if (titelGeaendert) Titelspeichern();
        if (m_katzen->state() != store::Table::State::Browse) m_katzen->post();
    } catch (const std::exception&) {
        m_katzen->cancel();
    }
    for (TKatzenSeite* seite : std::as_const(m_katzenSeiten))
        seite->schliessen();
    if (m_elternPanel) m_elternPanel->schliessen();
    m_bindung.reset();
    for (auto* t : {&m_katzen, &m_rasse, &m_fellart, &m_status, &m_farben, &m_augen, &m_titelbez,
                    &m_titelhund, &m_merkmal, &m_merkmale, &m_topkatze, &m_adr, &m_eigen, &m_zuchtwert})
        if (*t) (*t)->close();
}

// ---------------------------------------------------------------- registration

void TCatStamm::einstellungenAngewendet() {
    // An entry being typed keeps its order and page until it is stored.
    if (!m_katzen || !m_katzen->isOpen() || m_katzen->state() != store::Table::State::Browse) return;
    const QString index = hauptfenster().einstellungen().indexStammdaten;
    const qint64 satz = m_katzen->hasRecord() ? m_katzen->recordId() : 0;
    m_laedt = true;
    try {
        m_katzen->setIndexName(index);
    } catch (const std::exception&) {
        m_katzen->setIndexName(QString());
    }
    if (satz) m_katzen->gotoRecordId(satz);
    m_laedt = false;
    if (m_seiten) m_seiten->setCurrentIndex(0);
}

void registerFensterRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueKatze"), 8940,
                            QStringLiteral("Katzenregister"), [](TRahmen& h) { return new TCatStamm(h); }});
}

void TCatStamm::AdrSucheClick(bool zuechter) {
    const std::optional<office::Adresse> a = office::adresseWaehlen(hauptfenster().db(), this);
    if (!a || !m_katzen->isOpen() ||
        (!m_katzen->hasRecord() && m_katzen->state() != store::Table::State::Insert))
        return;
    try {
        if (m_katzen->state() == store::Table::State::Browse) m_katzen->edit();
        m_katzen->setValue(zuechter ? QStringLiteral("Züchter") : QStringLiteral("Besitzer"), a->laufendeNr);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return;
    }
    m_bindung->neuLaden();
    const QString block = a->laufendeNr > 0 ? adressBlock({a->name, a->vorname, a->strasse, a->land, a->plz,
                                                           a->ort, a->telefon, a->anzeige()})
                                                  .join(QLatin1Char('\n'))
                                            : QString();
    if (zuechter)
        m_zuechter->setText(block);
    else if (m_katzen->asString(QStringLiteral("Status")) != QLatin1String("1"))
        m_besitzer->setText(block);
    knoepfeSetzen();
}

void TCatStamm::AdrNeuClick(bool zuechter) {
    // The owner of one's own cat is the user: the book opens as from the menu.
    const bool eigene = !zuechter && m_katzen->asString(QStringLiteral("Status")) == QLatin1String("1");
    const int nummer =
        m_katzen->hasRecord() || m_katzen->state() == store::Table::State::Insert
            ? m_katzen->asInt(zuechter ? QStringLiteral("Züchter") : QStringLiteral("Besitzer"))
            : 0;
    office::adressbuchOeffnen(hauptfenster(), nummer, !eigene);
}

} // namespace velmora::reg
