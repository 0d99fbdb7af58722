#include "app/ui/druckbefehle.h"

#include "app/ui/tvelmora.h"
#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/druckenkatzen.h"
#include "printing/stammbaumdruck.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/bilddruck.h"
#include "printing/ui/formularfenster.h"
#include "register/ui/detailgitter.h"
#include "register/ui/seitebild.h"
#include "register/ui/seitemeddaten.h"
#include "register/ui/seitezuchtbuch.h"
#include "register/ui/suchendlg.h"
#include "register/ui/tcatstamm.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <memory>

namespace velmora::app {

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

// Resets a flag however the scope is left.
struct Merker {
    explicit Merker(bool& f) : flag(f) { flag = true; }
    ~Merker() { flag = false; }
    bool& flag;
};

reg::TCatStamm* registerFenster(TVelmora& r) {
    return dynamic_cast<reg::TCatStamm*>(r.fenster(QStringLiteral("FormCatStamm")));
}

// The LaufendeNummer of the grid's current row, 0 without one.
int gewaehlteZeile(reg::TDetailGitter* g) {
    if (!g) return 0;
    const int z = g->aktuelleZeile();
    return z < 0 ? 0 : g->wert(z, QStringLiteral("LaufendeNummer")).toInt();
}

bool seiteVorn(reg::TCatStamm* reg, QWidget* seite) {
    if (!reg || !seite || !reg->seiten()) return false;
    QWidget* vorn = reg->seiten()->currentWidget();
    return vorn && (vorn == seite || vorn->isAncestorOf(seite));
}

} // namespace

Druckbefehle::Druckbefehle(TVelmora& rahmen) : QObject(&rahmen), m_rahmen(rahmen) {
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, &m_rahmen); };
    druckDialog = [this](const printing::Bericht& b) { printing::druckenMitDialog(b, &m_rahmen); };
    druckerEinrichten = printing::druckDialog(&m_rahmen);
}

void Druckbefehle::menueFuellen(QMenu* menue) {
    auto eintrag = [&](int tag, const char* t, const char* name, std::function<void()> tun) {
        QAction* a = menue->addAction(text(tag, t));
        a->setObjectName(QLatin1String(name));
        language::setTag(a, tag);
        connect(a, &QAction::triggered, this, std::move(tun));
    };
    menue->addSeparator();
    eintrag(131, "&Drucken", "MenuDrucken", [this] { seiteDrucken(); });
    const struct {
        int tag;
        const char* text;
        const char* name;
        int art;
    } arten[] = {{756, "Katzendaten", "MenuKatzendaten", printing::kKatzendaten},
                 {723, "Katzendaten - Liste", "MenuKatzendatenListe", printing::kKatzenliste},
                 {135, "Wurfmeldung", "MenuWurfmeldung", printing::kWurfmeldung},
                 {724, "Trad. Richten", "MenuTradRichten", printing::kTradRichten},
                 {725, "TICA-Richten", "MenuTICARichten", printing::kTicaRichten},
                 {1097, "CFA-Richten", "MenuCFARichten", printing::kCfaRichten},
                 {136, "Ausstellungsanmeldung", "MenuAusstellungsanmeldung", printing::kAusstellung},
                 {1096, "Ausstellungsanmeldung CFA", "MenuAusstellungsanmeldungCFA", printing::kAusstellungCfa},
                 {1200, "Wurfdaten", "MenuWurfdaten", printing::kWurfdaten},
                 {1087, "Gewichtstabelle", "MenuGewichtstabelle", printing::kGewichtstabelle},
                 {1639, "Deckbuch", "MenuDeckbuch", printing::kDeckbuch},
                 {1640, "Deckschein", "MenuDeckschein", printing::kDeckschein}};
    for (const auto& a : arten) {
        const int art = a.art;
        eintrag(a.tag, a.text, a.name, [this, art] { drucken(art); });
    }
    menue->addSeparator();
    eintrag(134, "Stammbaum (deutsch)", "MenuStammbaumDeutsch", [this] { stammbaum(false); });
    eintrag(139, "Stammbaum (english)", "MenuStammbaumEnglisch", [this] { stammbaum(true); });
}

printing::TFormularFenster* Druckbefehle::formular() const {
    return m_formular;
}

bool Druckbefehle::vorbereiten() {
    if (m_druckt) return false; // the printer is busy: nothing happens
    if (m_rahmen.gesperrt()) return false;
    if (m_rahmen.registerSpeichern && !m_rahmen.registerSpeichern()) return false;
    return m_rahmen.registerKatze() != 0;
}

bool Druckbefehle::drucken(int art) {
    // A form that is open already comes forward, nothing more.
    if (m_formular && (art == printing::kWurfmeldung || art == printing::kAusstellung ||
                       art == printing::kAusstellungCfa)) {
        m_formular->raise();
        m_formular->activateWindow();
        return true;
    }
    if (!vorbereiten()) return false;
    Merker merker(m_druckt);
    m_rahmen.Druckentag = art;
    reg::TCatStamm* reg = registerFenster(m_rahmen);
    printing::Druckquelle quelle(m_rahmen.db(), m_rahmen.einstellungen(), m_rahmen.einstellungen().spracheNummer(),
                                 m_rahmen.datenGlobal());
    quelle.messen = printing::schriftMessung();
    printing::tDruckenKatzen dispatcher(quelle);
    printing::Druckauftrag auftrag;
    auftrag.art = art;
    auftrag.katze = m_rahmen.registerKatze();
    if (reg) {
        if (auto* z = reg->seite<reg::TSeiteZuchtbuch>()) {
            auftrag.wurf = gewaehlteZeile(z->wuerfe());
            auftrag.deckung = gewaehlteZeile(z->deckbuch());
        }
    }
    printing::tDruckenKatzen::Ausgabe aus;
    aus.zeigen = vorschau;
    aus.bild = [this](const QString& datei, const QString& titel, const QString& name) {
        QString fehler;
        if (!printing::bildDrucken(datei, titel, name, m_rahmen.druckerSchrift(), druckerEinrichten, &fehler) &&
            !fehler.isEmpty())
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
    };
    // The forms are modal and gone when closed; what was typed is not kept. Like every window they
    // open through the frame's check: an open exclusive window refuses them with its message.
    aus.formular = [this, &quelle, auftrag](int art) {
        const QString name = art == printing::kWurfmeldung  ? QStringLiteral("FormWurfmeldung")
                             : art == printing::kAusstellung ? QStringLiteral("FormMeldeformular")
                                                             : QStringLiteral("FormMeldeformularCFA");
        if (m_rahmen.CheckFormOpen(name) != 0) return;
        std::unique_ptr<printing::TFormularFenster> f;
        if (art == printing::kWurfmeldung)
            f = std::make_unique<printing::TformWurfmeldung>(quelle, auftrag, &m_rahmen);
        else if (art == printing::kAusstellung)
            f = std::make_unique<printing::TFormMeldeformular>(quelle, auftrag, &m_rahmen);
        else
            f = std::make_unique<printing::TFormMeldeformularCFA>(quelle, auftrag, &m_rahmen);
        m_formular = f.get();
        if (formularGeoeffnet) formularGeoeffnet(*f);
        f->exec();
    };
    aus.suchen = [this](QString& zusatz) -> std::optional<QList<int>> {
        reg::TSuchenDlg dlg(m_rahmen.db(), &m_rahmen);
        dlg.setFehlerDialog(m_rahmen.fehlerDialog());
        dlg.nameFeld()->setFocus();
        const int gewaehlt = dlg.waehlen(reg::SuchAufruf{});
        if (!gewaehlt) return std::nullopt;
        QList<int> nummern;
        QString status;
        for (const reg::SuchTreffer& t : dlg.treffer()) {
            nummern << t.nummer;
            if (t.nummer == gewaehlt) status = t.statusName;
        }
        if (!dlg.statusFeld()->currentText().isEmpty())
            zusatz = QStringLiteral("  mit Status: ") + status;
        return nummern;
    };
    return dispatcher.druck(auftrag, aus);
}

bool Druckbefehle::seiteDrucken() {
    reg::TCatStamm* reg = registerFenster(m_rahmen);
    if (!reg) return false;
    bool gedruckt = false;
    if (seiteVorn(reg, reg->seite<reg::TSeiteBild>()))
        gedruckt = drucken(printing::kBild);
    else if (seiteVorn(reg, reg->seite<reg::TSeiteMedDaten>()))
        gedruckt = drucken(printing::kGewichtstabelle);
    else
        return false;
    // Then the register's litters, weighings and kittens are read again.
    if (auto* z = reg->seite<reg::TSeiteZuchtbuch>()) z->wuerfeNeuLesen();
    return gedruckt;
}

bool Druckbefehle::stammbaum(bool englisch) {
    if (!vorbereiten()) return false;
    Merker merker(m_druckt);
    // German or English whatever the program's language.
    printing::Druckquelle quelle(m_rahmen.db(), m_rahmen.einstellungen(), englisch ? 1 : 0, m_rahmen.datenGlobal());
    quelle.messen = printing::schriftMessung();
    const printing::StammbaumDruck d =
        printing::stammbaumDrucken(quelle, m_rahmen.registerKatze(), m_rahmen.einstellungen().StammbaumGeneration);
    druckDialog(d.bericht);
    return true;
}

} // namespace velmora::app
