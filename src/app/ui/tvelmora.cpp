#include "app/ui/tvelmora.h"

#include "app/erststart.h"
#include "app/letztekatzen.h"
#include "app/ui/druckbefehle.h"
#include "app/ui/katzenliste.h"
#include "app/ui/mausrad.h"
#include "app/ui/tatze.h"
#include "app/ui/uebernahmedialog.h"
#include "common/herunterladen.h"
#include "common/meldungsdienst.h"
#include "common/ui/kindfenster.h"
#include "language/qtuebersetzung.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "register/ui/warnungen.h"
#include "store/anlegen.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

namespace velmora::app {

namespace {
QString text(int tag, const QString& vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? vorgabe : t;
}

QPrinter& drucker() {
    static QPrinter p;
    return p;
}
} // namespace

TVelmora::TVelmora(const Kontext& kontext, QWidget* parent) : TRahmen(parent), m_kontext(kontext) {
    setObjectName(QStringLiteral("Velmora"));
    // Once per run, after the register exists.
    erinnerungenZeigen = [this, gezeigt = false]() mutable {
        if (gezeigt || !fenster(QStringLiteral("FormCatStamm"))) return;
        gezeigt = true;
        reg::erinnerungenBeimStart(*this);
    };
    qApp->installEventFilter(new Mausrad(this));
    m_splitter = new QSplitter(this);
    m_liste = new KatzenListe(db(), m_splitter);
    m_mdi = new QMdiArea(m_splitter);
    m_mdi->setObjectName(QStringLiteral("MDI"));
    m_splitter->addWidget(m_liste);
    m_splitter->addWidget(m_mdi);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({220, 800});
    setCentralWidget(m_splitter);

    auto* leiste = addToolBar(QStringLiteral("Werkzeuge"));
    leiste->setObjectName(QStringLiteral("ToolBar"));
    leiste->setMovable(false);
    // New cat, search and duplicate run the register's commands, the bookkeeping button its menu entry;
    // each shows while its command is offered.
    // texte: feldname 8926 8927 8928
    const struct {
        const char* name;
        const char* hinweis;
        const char* befehl;
        int tag;
    } knoepfe[] = {{"SpeedButtonNeu", "Neue Katze anlegen", "MenuNeuaufnahme", 8926},
                   {"SpeedButtonSuchen", "Katze suchen", "MenuSuchen", 8928},
                   {"SpeedButtonKopie", "Tier duplizieren", "MenuDuplizieren", 8927},
                   {"SpeedButtonBuchfuehrung", "Buchführung", "MenuFormBuchfuehrung", 8511}};
    for (const auto& k : knoepfe) {
        QAction* a = leiste->addAction(QIcon(tatze(24)), QString::fromUtf8(k.hinweis));
        a->setObjectName(QLatin1String(k.name));
        a->setToolTip(QString::fromUtf8(k.hinweis));
        language::setTag(a, k.tag); // the captions follow the language
        a->setVisible(false);
        const QString befehl = QLatin1String(k.befehl);
        connect(a, &QAction::triggered, this, [this, befehl] {
            if (auto* b = findChild<QAction*>(befehl)) b->trigger();
        });
        m_werkzeugKnoepfe << qMakePair(a, befehl);
    }
    QAction* ende = leiste->addAction(QStringLiteral("ENDE"));
    ende->setObjectName(QStringLiteral("SpeedButtonEnde"));
    language::setTag(ende, 8911);
    connect(ende, &QAction::triggered, this, &QWidget::close);

    m_anzahlText = new QLabel(this);
    m_anzahlText->setObjectName(QStringLiteral("LabelAnzahl"));
    language::setTag(m_anzahlText, 626);
    m_anzahl = new QLabel(this);
    m_anzahl->setObjectName(QStringLiteral("LabelAnzahlWert"));
    statusBar()->addPermanentWidget(m_anzahlText);
    statusBar()->addPermanentWidget(m_anzahl);

    menuesAnlegen();
    hoeheBalken = leiste->sizeHint().height() + statusBar()->sizeHint().height() + 4;

    try {
        m_liste->oeffnen();
    } catch (const std::exception&) {
        // The presence check has passed, so a failure here is a damaged table; the list stays empty.
    }
    m_liste->blockiert = [this] { return NeuausStb; };
    connect(m_liste, &KatzenListe::gesperrt, this, [this] { gesperrt(); });
    // The register shows the cat and reports it; without a register the windows follow the list.
    connect(m_liste, &KatzenListe::katzeGewaehlt, this, [this](int nummer) {
        if (katzeZeigen)
            katzeZeigen(nummer);
        else
            registerKatzeGezeigt(nummer);
    });
    connect(this, &TRahmen::markierungenGeaendert, m_liste, [this] { m_liste->neuLaden(); });
    titelSetzen();
    AktualisiereLastCatsMenues();
    katzenAnzahlAnzeigen();
    qApp->installEventFilter(this);
}

TVelmora::~TVelmora() {
    // Child windows report their closing to the registry, which must still exist then.
    // That includes windows closed but not yet deleted, which the area no longer lists.
    ProgrammEnde = true;
    QList<QPointer<QMdiSubWindow>> fenster;
    for (QMdiSubWindow* sub : m_mdi->findChildren<QMdiSubWindow*>())
        fenster << sub;
    for (const QPointer<QMdiSubWindow>& sub : fenster)
        delete sub.data();
}

QAction* TVelmora::aktion(QMenu* menue, int tag, const QString& t, const char* objektName) {
    QAction* a = menue->addAction(text(tag, t));
    a->setObjectName(QLatin1String(objektName));
    language::setTag(a, tag);
    return a;
}

void TVelmora::menuesAnlegen() {
    auto menue = [this](int tag, const QString& t, const char* name) {
        QMenu* m = menuBar()->addMenu(text(tag, t));
        m->setObjectName(QLatin1String(name));
        language::setTag(m, tag);
        m_menues[QLatin1String(name)] = m;
        return m;
    };
    m_katzeMenue = menue(8901, QStringLiteral("&Katze"), "MenueKatze");
    m_katzeMenue->addSeparator();
    m_letzteTrenner = m_katzeMenue->addSeparator();
    language::setTag(aktion(m_katzeMenue, 8910, QStringLiteral("&Beenden"), "MenuBeenden"), 8910);
    connect(m_katzeMenue->actions().last(), &QAction::triggered, this, &QWidget::close);
    for (int i = 0; i < 5; ++i) {
        auto* a = new QAction(this);
        a->setObjectName(QStringLiteral("LastCat%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, i] { letzteKatzeGewaehlt(i); });
        m_letzte << a;
    }

    menue(8902, QStringLiteral("&Stammdaten"), "MenueStammdaten");
    menue(8903, QStringLiteral("&Verwaltung"), "MenueVerwaltung");
    QMenu* druck = menue(8904, QStringLiteral("&Drucken"), "MenueDrucken");
    connect(aktion(druck, 132, QStringLiteral("Drucker&einrichtung..."), "MenuDruckereinrichtung"),
            &QAction::triggered, this, [this] {
                QPageSetupDialog d(&drucker(), this);
                d.exec();
            });
    connect(
        aktion(druck, 133, QStringLiteral("&Schriftart"), "MenuSchriftart"), &QAction::triggered, this,
        [this] {
            bool ok = false;
            const QFont f = QFontDialog::getFont(&ok, m_druckerSchrift, this);
            if (!ok) return;
            m_druckerSchrift = f;
            einstellungen().Schriftart = f.family();
            einstellungen().Schriftgroesse = f.pointSize();
            einstellungen().schreibeFelder({QStringLiteral("Schriftart"), QStringLiteral("Schriftgroesse")});
        });
    m_druckbefehle = new Druckbefehle(*this);
    m_druckbefehle->menueFuellen(druck);

    QMenu* extras = menue(8905, QStringLiteral("E&xtras"), "MenueExtras");
    connect(aktion(extras, 116, QStringLiteral("&Textverarbeitung"), "MenuTextverarbeitung"),
            &QAction::triggered, this, [this] { textverarbeitungStarten(); });
    connect(aktion(extras, 9780, QStringLiteral("Daten übernehmen…"), "MenuDatenUebernehmen"),
            &QAction::triggered, this, [this] { datenUebernehmen(); });
    QMenu* sprache = extras->addMenu(text(625, QStringLiteral("Sprache")));
    sprache->setObjectName(QStringLiteral("MenueSprache"));
    language::setTag(sprache, 625);
    const struct {
        int tag;
        const char* text;
        const char* name;
    } sprachen[] = {{8920, "Deutsch", "MenuDeutsch"},
                    {8921, "English", "MenuEnglisch"},
                    {8922, "Nederlands", "MenuHollaendisch"}};
    // The entry of the current language carries a mark (spracheWechseln sets it).
    auto* sprachGruppe = new QActionGroup(sprache);
    sprachGruppe->setObjectName(QStringLiteral("SprachGruppe"));
    for (int i = 0; i < 3; ++i) {
        QAction* a = sprache->addAction(QLatin1String(sprachen[i].text));
        a->setObjectName(QLatin1String(sprachen[i].name));
        a->setCheckable(true);
        a->setChecked(i == einstellungen().spracheNummer());
        sprachGruppe->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { spracheWechseln(i); });
    }
    language::setTag(sprache->actions().at(0), 8920);
    language::setTag(sprache->actions().at(1), 8921);
    language::setTag(sprache->actions().at(2), 8922);

    QMenu* fenster = menue(8906, QStringLiteral("&Fenster"), "MenueFenster");
    connect(aktion(fenster, 151, QStringLiteral("&Übereinander"), "MenuUebereinander"), &QAction::triggered,
            this, [this] { fensterAnordnen(); });
    connect(aktion(fenster, 152, QStringLiteral("&Symbole anordnen"), "MenuSymbole"), &QAction::triggered,
            this, [this] {
                if (m_register.exklusivOffen()) return;
                m_mdi->tileSubWindows();
            });

    QMenu* hilfe = menue(8907, QStringLiteral("&Hilfe"), "MenueHilfe");
    // The vendor's pages open in the browser.
    const struct {
        int tag;
        const char* text;
        const char* name;
        const char* adresse;
    } seiten[] = {{8912, "Velmora im Internet", "MenuHomepage", "https://www.velmora.example/"},
                  {8913, "Neuigkeiten", "MenuNeuigkeiten", "https://www.velmora.example/neu/"},
                  {8914, "Velmora Cloud", "MenuCloud", "https://cloud.velmora.example/"}};
    for (const auto& s : seiten) {
        const QUrl adresse(QLatin1String(s.adresse));
        connect(aktion(hilfe, s.tag, QString::fromUtf8(s.text), s.name), &QAction::triggered, this,
                [this, adresse] { oeffnenMitDesktop(adresse); });
    }
    connect(aktion(hilfe, 8915, QStringLiteral("Update Download"), "MenuUpdateDownload"), &QAction::triggered,
            this, [this] { updateHerunterladen(); });
    hilfe->addSeparator();
    connect(aktion(hilfe, 153, QStringLiteral("&Inhalt"), "MenuInhalt"), &QAction::triggered, this,
            [this] { hilfeZeigen(1001); });
    connect(aktion(hilfe, 156, QStringLiteral("Inf&o..."), "MenuInfo"), &QAction::triggered, this,
            [this] { ueberZeigen(); });

    fensterMenueEintraege();
}

QMenu* TVelmora::menue(const QString& objektName) const {
    auto it = m_menues.find(objektName);
    return it == m_menues.end() ? nullptr : it->second;
}

void TVelmora::fensterMenueEintraege() {
    for (const Fensterart& art : fensterarten()) {
        auto it = m_menues.find(art.menue);
        if (it == m_menues.end() || !art.erzeugen) continue;
        QMenu* m = it->second;
        const QString objekt = QStringLiteral("Menu") + art.name;
        if (m->findChild<QAction*>(objekt)) continue;
        QAction* a = new QAction(text(art.tag, art.text), m);
        // The Katze menu keeps "Beenden" last; window entries go above the recent cats.
        if (m == m_katzeMenue)
            m->insertAction(m->actions().value(0), a);
        else
            m->addAction(a);
        a->setObjectName(objekt);
        language::setTag(a, art.tag);
        const QString name = art.name;
        connect(a, &QAction::triggered, this, [this, name] { FensterZeigen(name); });
    }
    // Menus without any entry stay hidden: no dead entries.
    for (auto& [name, m] : m_menues)
        m->menuAction()->setVisible(!m->actions().isEmpty());
}

void TVelmora::titelSetzen() {
    QString vorname, name;
    try {
        store::Table eigen(db(), QStringLiteral("eigen"));
        eigen.open(store::Table::OpenMode::ReadOnly);
        eigen.first();
        if (eigen.hasRecord()) {
            vorname = eigen.asString(QStringLiteral("Vorname"));
            name = eigen.asString(QStringLiteral("Name"));
        }
    } catch (const std::exception&) {
    }
    setWindowTitle(QStringLiteral("Velmora  <") + vorname + QLatin1Char(' ') + name + QLatin1Char('>'));
}

void TVelmora::katzenAnzahlAnzeigen() {
    int n = 0;
    try {
        store::Table t(db(), QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        n = t.recordCount();
    } catch (const std::exception&) {
    }
    m_anzahl->setText(QString::number(n));
    if (m_anzahlText->text().isEmpty()) m_anzahlText->setText(text(626, QStringLiteral("Anzahl Katzen :")));
}

int TVelmora::TableTopKatzeLaden(int nummer) {
    try {
        store::Table t(db(), QStringLiteral("topkatze"));
        t.open(store::Table::OpenMode::ReadOnly);
        return t.lookupValue(QStringLiteral("Katze"), {nummer}, QStringLiteral("Farbe")).toInt();
    } catch (const std::exception&) {
        return 0;
    }
}

int TVelmora::CheckFormOpen(const QString& argument) {
    const Fensterregister::Pruefung p = m_register.pruefen(argument, ProgrammEnde);
    if (p.code == 0 || p.code == 10) return p.code;
    if (p.nachVorne && m_mdi->activeSubWindow()) {
        const auto fenster = m_mdi->subWindowList();
        for (int i = fenster.size() - 1; i >= 0; --i)
            if (fenster[i]->widget() && fenster[i]->widget()->objectName().toLower() == p.blockierer) {
                m_mdi->setActiveSubWindow(fenster[i]);
                break;
            }
    }
    if (p.meldungZeigen) Meldungsdienst::nachricht(p.code, MeldungsArt::Information);
    return p.code;
}

TKindFenster* TVelmora::fenster(const QString& name) const {
    auto it = m_offen.find(name);
    if (it == m_offen.end() || !it->second) return nullptr;
    return qobject_cast<TKindFenster*>(it->second->widget());
}

TKindFenster* TVelmora::FensterZeigen(const QString& name) {
    if (gesperrtFuer(name)) return nullptr;
    // While an inbreeding calculation runs the inbreeding command is refused without a word.
    if (InzuchtBerechne && name == QLatin1String("FormInzuchtgrad")) return nullptr;
    if (CheckFormOpen(name) != 0) return nullptr;
    if (TKindFenster* k = fenster(name)) {
        // A second request for an open window brings it forward, nothing more.
        m_mdi->setActiveSubWindow(m_offen[name]);
        return k;
    }
    for (const Fensterart& a : fensterarten())
        if (a.name == name && a.registerZuerstSpeichern && registerSpeichern && !registerSpeichern())
            return nullptr;
    FensterAnpassen(name);
    return fenster(name);
}

bool TVelmora::gesperrtFuer(const QString& name) {
    // Windows whose commands the new-cat-from-pedigree mode refuses.
    static const QStringList gesperrte{QStringLiteral("FormStammbaum"),
                                       QStringLiteral("FormInzuchtgrad"),
                                       QStringLiteral("FOptionen"),
                                       QStringLiteral("FOptionenVerpaarung"),
                                       QStringLiteral("FOptionenWurfbuch"),
                                       QStringLiteral("Anwenderdaten"),
                                       QStringLiteral("FormDatensicherung"),
                                       QStringLiteral("FormDatenruecksicherung"),
                                       QStringLiteral("FormIndexrekonstruktion")};
    bool gesperrterName = gesperrte.contains(name);
    for (const Fensterart& a : fensterarten())
        if (a.name == name && a.imNeuaufnahmeGesperrt) gesperrterName = true;
    return gesperrterName && gesperrt();
}

void TVelmora::FensterAnpassen(const QString& name) {
    const Fensterart* art = nullptr;
    for (const Fensterart& a : fensterarten())
        if (a.name == name) art = &a;
    if (!art || !art->erzeugen) return;
    TKindFenster* k = art->erzeugen(*this);
    if (!k) return;
    if (!k->oeffnen()) {
        delete k;
        return;
    }
    language::FensterObjektUebersetzen(*m_kontext.sprache, k, m_kontext.sprache->offset());
    k->uebersetzt();
    QMdiSubWindow* sub = m_mdi->addSubWindow(k);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(k->windowTitle());
    connect(k, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    m_offen[name] = sub;
    m_register.geoeffnet(name);
    werkzeugKnoepfeAbgleichen();
    if (istExklusiv(name)) {
        if (m_listeAn && m_liste->isVisible()) m_liste->hide();
        sub->showMaximized();
    } else {
        sub->show();
        // The whole window when there is room, and never narrower than its title; measured once its
        // controls are polished and filled, as they are when the event loop runs.
        QPointer<QMdiSubWindow> rahmen = sub;
        QMetaObject::invokeMethod(
            this,
            [this, rahmen] {
                if (!rahmen || einstellungen().Fenstergroesse || rahmen->isMaximized()) return;
                const QSize platz = m_mdi->viewport()->size();
                rahmen->resize(rahmen->sizeHint().boundedTo(platz).expandedTo(
                    {std::min(titelBreite(rahmen), platz.width()), 0}));
            },
            Qt::QueuedConnection);
        if (einstellungen().Fenstergroesse) {
            m_mdi->cascadeSubWindows();
            fensterEinpassen();
        }
    }
}

void TVelmora::fensterAnordnen() {
    if (m_register.exklusivOffen()) return;
    auto it = m_offen.find(QStringLiteral("FormCatStamm"));
    if (it != m_offen.end() && it->second) m_mdi->setActiveSubWindow(it->second);
    m_mdi->cascadeSubWindows();
    if (einstellungen().Fenstergroesse) fensterEinpassen();
}

void TVelmora::fensterEinpassen() {
    const QSize client = m_mdi->viewport()->size();
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        auto* k = qobject_cast<TKindFenster*>(sub->widget());
        if (!k) continue;
        if (istExklusiv(k->fensterName())) {
            sub->resize(client.width() - 7, client.height() - 59);
            continue;
        }
        const int breite = client.width() - sub->x() - 4;
        const int hoehe = client.height() - sub->y();
        const QString n = k->fensterName();
        const bool nurHoehe = n == QLatin1String("FormAugenfarbe") || n == QLatin1String("FormTitel") ||
                              n == QLatin1String("FormStbFarbe") || n == QLatin1String("FormMerkmale");
        sub->resize(nurHoehe ? std::max(sub->width(), std::min(titelBreite(sub), client.width()))
                             : std::max(200, breite),
                    std::max(150, hoehe));
    }
}

int TVelmora::titelBreite(QMdiSubWindow* sub) const {
    // The title, the window icon and the three buttons of the title bar.
    const int leiste = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    return sub->fontMetrics().horizontalAdvance(sub->windowTitle()) + 5 * leiste;
}

void TVelmora::fensterGeschlossen(const QString& name) {
    m_register.geschlossen(name);
    // A closed window reports again when it is deleted, in the middle of its frame's deletion: the
    // widget tree must not be walked then, and the close has already done the work.
    const bool warOffen = m_offen.erase(name) > 0;
    if (warOffen && !ProgrammEnde) werkzeugKnoepfeAbgleichen(); // at the end the menus are going too
    if (!m_register.exklusivOffen() && m_listeAn && !ProgrammEnde) m_liste->show();
    // The windows an exclusive one covered take their fitted sizes again once it is gone; queued, since
    // its frame is still being taken down now.
    if (warOffen && !ProgrammEnde && istExklusiv(name) && einstellungen().Fenstergroesse)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!ProgrammEnde && !m_register.exklusivOffen() && einstellungen().Fenstergroesse)
                    fensterEinpassen();
            },
            Qt::QueuedConnection);
}

bool TVelmora::gesperrt() {
    if (!NeuausStb) return false;
    Meldungsdienst::zeigen(MeldungsArt::Information, 223,
                           language::meldung(223) + QLatin1Char(' ') + language::meldung(224));
    return true;
}

void TVelmora::setzen(bool spracheAnwenden) {
    QRect bereich;
    if (QScreen* s = QGuiApplication::primaryScreen()) bereich = s->availableGeometry();
    const settings::SetzenPlan plan = einstellungen().setzen(bereich);
    m_listeAn = plan.listeAnzeigen;
    m_liste->setVisible(m_listeAn && !m_register.exklusivOffen());
    m_liste->einstellen(plan.listenIndex, plan.listenFilter, plan.rufnameSpalte,
                        einstellungen().MerkmalvorTop);
    if (plan.fenster.maximiert)
        setWindowState(windowState() | Qt::WindowMaximized);
    else {
        if (plan.fenster.groesseSetzen) resize(plan.fenster.rechteck.size());
        if (plan.fenster.positionSetzen) move(plan.fenster.rechteck.topLeft());
    }
    // The register's cat order and page follow the settings too, not only when it opens.
    for (auto& [name, sub] : m_offen)
        if (sub)
            if (auto* k = qobject_cast<TKindFenster*>(sub->widget())) k->einstellungenAngewendet();
    m_schnellhilfe = plan.schnellhilfe;
    if (!plan.schriftart.isEmpty()) m_druckerSchrift.setFamily(plan.schriftart);
    if (plan.schriftgroesse > 0) m_druckerSchrift.setPointSize(plan.schriftgroesse);
    werkzeugKnoepfeAbgleichen();
    if (spracheAnwenden || plan.spracheAnwenden) {
        spracheWechseln(plan.sprache);
        knopfBilderLaden();
        // Commands of this edition that are not offered: their menu entries and buttons stay hidden.
        for (const char* name : {"MenuFormZwingerregister", "MenuGenetik", "MenuAusstellungsanmeldung",
                                 "MenuWurfmeldung", "SpeedButtonZwingerregister", "SpeedButtonGenetik"})
            if (auto* a = findChild<QAction*>(QLatin1String(name))) a->setVisible(false);
    }
}

void TVelmora::einstellungenAnwenden(bool spracheGeaendert) {
    setzen(spracheGeaendert);
    if (einstellungen().Fenstergroesse && !m_register.exklusivOffen()) fensterEinpassen();
}

void TVelmora::werkzeugKnoepfeAbgleichen() {
    for (const auto& [knopf, befehl] : std::as_const(m_werkzeugKnoepfe))
        knopf->setVisible(findChild<QAction*>(befehl) != nullptr);
}

void TVelmora::knopfBilderLaden() {
    // Pictures in the working directory replace the drawn ones; the English edition has its own files.
    const bool englisch = einstellungen().spracheNummer() == 1;
    const char* const dateien[3][2] = {{"TATZEN.BMP", "TATZENEW.BMP"},
                                       {"TATZES.BMP", "TATZESEARCH.BMP"},
                                       {"TATZEKOPIE.BMP", "TATZECOPY.BMP"}};
    for (int i = 0; i < 3 && i < m_werkzeugKnoepfe.size(); ++i) {
        const QString datei = QLatin1String(dateien[i][englisch ? 1 : 0]);
        if (!QFileInfo::exists(datei)) continue; // the drawn picture stays
        const QPixmap bild(datei);
        if (bild.isNull()) {
            Meldungsdienst::zeigen(MeldungsArt::Information, 10,
                                   QLatin1Char('\'') + datei + QStringLiteral("' ") + language::meldung(10));
            continue;
        }
        m_werkzeugKnoepfe[i].first->setIcon(QIcon(bild));
    }
}

bool TVelmora::eventFilter(QObject* ziel, QEvent* e) {
    // Without the quick help, hints show in the status bar only.
    if (e->type() == QEvent::ToolTip && !m_schnellhilfe) return true;
    return QMainWindow::eventFilter(ziel, e);
}

void TVelmora::spracheWechseln(int sprache) {
    if (!m_kontext.sprache) return;
    if (sprache != einstellungen().spracheNummer()) {
        einstellungen().Sprache = static_cast<settings::Sprache>(sprache);
        einstellungen().schreibeFeld(QStringLiteral("Sprache"));
    }
    m_kontext.sprache->setSprache(sprache);
    // Message box buttons and the standard dialogs follow the language. Installing Qt's translation
    // tells every widget of the change; without the file the program tells them itself, so texts a
    // widget builds in code (date placeholders) follow all the same.
    if (!language::qtUebersetzungLaden(sprache)) {
        const auto widgets = QApplication::allWidgets();
        for (QWidget* w : widgets) {
            QEvent e(QEvent::LanguageChange);
            QApplication::sendEvent(w, &e);
        }
    }
    language::AlleFensterUebersetzen(*m_kontext.sprache, m_kontext.sprache->offset());
    for (auto& [name, sub] : m_offen)
        if (sub)
            if (auto* k = qobject_cast<TKindFenster*>(sub->widget())) {
                language::FensterObjektUebersetzen(*m_kontext.sprache, k, m_kontext.sprache->offset());
                k->uebersetzt();
                sub->setWindowTitle(k->windowTitle());
            }
    if (auto* gruppe = findChild<QActionGroup*>(QStringLiteral("SprachGruppe")))
        if (QAction* a = gruppe->actions().value(sprache)) a->setChecked(true);
    titelSetzen();
    AktualisiereLastCatsMenues();
}

void TVelmora::SaveLastCats(const QString& name, int nummer) {
    if (letzteKatzeEintragen(einstellungen().LastCats, name, nummer)) {
        AktualisiereLastCatsMenues();
        einstellungen().schreibeFeld(QStringLiteral("LastCats"));
    }
}

void TVelmora::letzteKatzeEntfernen(int nummer) {
    if (app::letzteKatzeEntfernen(einstellungen().LastCats, nummer)) {
        AktualisiereLastCatsMenues();
        einstellungen().schreibeFeld(QStringLiteral("LastCats"));
    }
}

void TVelmora::AktualisiereLastCatsMenues() {
    for (QAction* a : m_letzte)
        m_katzeMenue->removeAction(a);
    const auto& liste = einstellungen().LastCats;
    for (int i = 0; i < 5; ++i) {
        const QString& e = liste[i];
        if (e.isEmpty() || e == QLatin1String("{}")) continue;
        m_letzte[i]->setText(e);
        m_katzeMenue->insertAction(m_letzteTrenner, m_letzte[i]);
    }
}

void TVelmora::letzteKatzeGewaehlt(int index) {
    if (gesperrt()) return;
    const int nummer = nummerAusEintrag(einstellungen().LastCats[index]);
    if (!nummer) return;
    bool gibt = false;
    try {
        store::Table t(db(), QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        gibt = t.lookupValue(QStringLiteral("LaufendeNummer"), {nummer}, QStringLiteral("LaufendeNummer"))
                   .isValid();
    } catch (const std::exception&) {
        gibt = true; // the register reports what it cannot read
    }
    if (!gibt) {
        // texte: meldung 253
        Meldungsdienst::zeigen(MeldungsArt::Information, 253,
                               language::meldung(253) + QLatin1Char('\r') + einstellungen().LastCats[index]);
        letzteKatzeEntfernen(nummer);
        return;
    }
    if (katzeZeigen) katzeZeigen(nummer);
    m_liste->zeigeKatze(nummer);
}

void TVelmora::hilfeZeigen(int thema) {
    const QString datei =
        QDir(m_kontext.installationsVerzeichnis).filePath(QStringLiteral("Help/%1.html").arg(thema));
    if (!QFileInfo::exists(datei)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 179, language::meldung(179) + QLatin1Char('\r') + datei);
        return;
    }
    // texte: meldung 251
    if (!oeffnenMitDesktop(QUrl::fromLocalFile(datei)))
        Meldungsdienst::zeigen(MeldungsArt::Information, 251,
                               language::meldung(251) + QLatin1Char('\r') + QDir::toNativeSeparators(datei));
}

bool TVelmora::updateHerunterladen() {
    QString adresse = qEnvironmentVariable("VELMORA_UPDATE_ADRESSE");
    if (adresse.isEmpty())
        adresse = QStringLiteral("https://download.velmora.example/eing/csv-rassen-20110503.csv");
    if (!internetVerbindung(adresse)) {
        Meldungsdienst::zeigen(MeldungsArt::Information, 0,
                               QStringLiteral("Keine Internet-Verbindung vorhanden!"));
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = dateiHerunterladen(
        adresse, QDir(m_kontext.installationsVerzeichnis).filePath(QStringLiteral("rasse.csv")));
    QApplication::restoreOverrideCursor();
    Meldungsdienst::zeigen(MeldungsArt::Information, 0,
                           ok ? QStringLiteral("Update download erfolgreich beendet!")
                              : QStringLiteral("Update konnte nicht downgeloaded werden!"));
    return ok;
}

bool TVelmora::textverarbeitungStarten() {
    const QString befehl = einstellungen().Textverarbeitung.trimmed();
    // Without a program of its own the desktop opens the documents folder, whose documents open in the
    // program the desktop has for them. The old default "Write.exe" exists on Windows only.
#ifndef Q_OS_WIN
    const bool desktop =
        befehl.isEmpty() || befehl.compare(QLatin1String("Write.exe"), Qt::CaseInsensitive) == 0;
#else
    const bool desktop = befehl.isEmpty();
#endif
    if (desktop) {
        const QString ordner = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir().mkpath(ordner);
        if (oeffnenMitDesktop(QUrl::fromLocalFile(ordner))) return true;
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               (einstellungen().spracheNummer() == 1
                                    ? QStringLiteral("Cannot start: ")
                                    : QStringLiteral("Kann nicht gestartet werden: ")) +
                                   QDir::toNativeSeparators(ordner));
        return false;
    }
    QStringList teile = QProcess::splitCommand(befehl);
    if (teile.isEmpty() || !QProcess::startDetached(teile.takeFirst(), teile)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               (einstellungen().spracheNummer() == 1
                                    ? QStringLiteral("Cannot start: ")
                                    : QStringLiteral("Kann nicht gestartet werden: ")) +
                                   einstellungen().Textverarbeitung);
        return false;
    }
    return true;
}

void TVelmora::ueberZeigen() {
    Meldungsdienst::zeigen(MeldungsArt::Information, 0, QStringLiteral("Velmora\rVersion 7.0"));
}

void TVelmora::datenUebernehmen() {
    TUebernahmeDialog d(store::standardDatenquelle(), m_kontext.einstellungsVerzeichnis, this);
    const QDir daten(m_kontext.datenVerzeichnis);
    d.setzeZiel(daten.absolutePath() + QStringLiteral("-uebernommen"));
    d.neuStarten = [this](const QString& ziel) {
        datenverzeichnisMerken(m_kontext.einstellungsVerzeichnis, ziel);
        m_neustart = {QStringLiteral("--daten"), ziel};
        if (!m_kontext.einstellungsVerzeichnis.isEmpty())
            m_neustart << QStringLiteral("--einstellungen") << m_kontext.einstellungsVerzeichnis;
        // The run ends as on "Beenden", without asking again; a window that keeps an open entry stops it.
        if (!close()) m_neustart.clear();
    };
    d.exec();
}

void TVelmora::closeEvent(QCloseEvent* e) {
    ProgrammEnde = true;
    if (!m_neustart.isEmpty()) {
        // The user asked for the restart.
    } else if (indexrekonstruktion) {
        Meldungsdienst::zeigen(MeldungsArt::Information, 0,
                               einstellungen().spracheNummer() == 1
                                   ? QStringLiteral("Program is closed! Please restart!")
                                   : QStringLiteral("Programm wird beendet! Bitte neu starten!"));
    } else {
        QString frage = einstellungen().spracheNummer() == 1 ? QStringLiteral("Exit program!")
                                                             : QStringLiteral("Programm beenden!");
        const bool tabelle = m_kontext.sprache && m_kontext.sprache->meldungenOffen();
        if (tabelle) frage = language::meldung(16, frage);
        if (Meldungsdienst::zeigen(MeldungsArt::Warnung, tabelle ? 16 : 0, frage, Knoepfe::JaNein) !=
            Antwort::Ja) {
            ProgrammEnde = false;
            e->ignore();
            return;
        }
        if (einstellungen().Aufloesung.contains(QLatin1String("Angepasst")))
            einstellungen().AufloesungSpeichern(width(), height());
    }
    // Every child window posts its pending edits and closes its tables. One that keeps an entry open
    // (its checks refused the store and the user chose to go on with it) keeps the program running,
    // unless a repair made the run end.
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (!sub->close() && !indexrekonstruktion) {
            ProgrammEnde = false;
            e->ignore();
            return;
        }
    m_liste->schliessen();
    e->accept();
    if (!m_neustart.isEmpty() && !neuStarter(m_neustart))
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               QStringLiteral("Kann nicht gestartet werden: ") +
                                   QCoreApplication::applicationFilePath());
}

void TVelmora::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (einstellungen().Fenstergroesse) fensterEinpassen();
}

void TVelmora::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && !isActiveWindow()) m_liste->suchNameLeeren();
}

} // namespace velmora::app
