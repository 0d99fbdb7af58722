#include "genealogy/ui/verpaarung.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "genealogy/ui/genealogiedruck.h"
#include "genealogy/ui/verpaarungseite.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/ui/berichtdruck.h"
#include "register/ui/suchendlg.h"
#include "settings/ui/optionen.h"
#include "store/errors.h"
#include "store/table.h"
#include "store/transaktion.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 7300-7329

namespace {

constexpr char kName[] = "FormVerpaarung";

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

template <typename W> W* benannt(W* w, const QString& name) {
    w->setObjectName(name);
    w->setAccessibleName(name);
    return w;
}

QString zwei(const QString& t) {
    return QStringLiteral("  ") + t;
}
QString zwei(int n) {
    return zwei(QString::number(n));
}

} // namespace

std::optional<int> geschlechtsFarbe(const QString& geschlecht) {
    const auto kater = istKater(geschlecht);
    if (!kater) return std::nullopt; // black fields would hide their black figures
    return *kater ? 0xF0CAA6 : 0xF0FBFF;
}

TFormVerpaarung::TFormVerpaarung(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kName), 7300) {
    setWindowTitle(text(7300, "Verpaarungen und Würfe"));
    for (int i = 0; i < 4; ++i)
        m_bilder[size_t(i)] = baumBild(i);
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    pdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Verpaarungen.pdf"),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    katzeSuchen = [this] {
        reg::TSuchenDlg dlg(hauptfenster().db(), this);
        dlg.setFehlerDialog(&fehlerDialog());
        dlg.nameFeld()->setFocus();
        return dlg.waehlen(reg::SuchAufruf{});
    };
}

bool TFormVerpaarung::oeffnen() {
    aufbauen();
    int start = 0;
    if (Katzenauswahl* l = hauptfenster().katzenListe()) start = l->aktuelleKatze();
    if (!start) start = hauptfenster().registerKatze();
    if (start) KatzeLaden(start);
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, [this](int n) { KatzeLaden(n); });
    return true;
}

void TFormVerpaarung::uebersetzt() {
    if (m_tiernummer) KatzeLaden(m_tiernummer);
}

void TFormVerpaarung::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    auto* kopf = new QHBoxLayout;
    haupt->addLayout(kopf);
    m_symbol = benannt(new QLabel(this), QStringLiteral("LabelGeschlecht"));
    m_kopf = benannt(new QLabel(this), QStringLiteral("LabelKopf"));
    QFont f = m_kopf->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    m_kopf->setFont(f);
    m_symbol->setFont(f);
    kopf->addWidget(m_symbol);
    kopf->addWidget(m_kopf, 1);

    auto* teiler = new QSplitter(this);
    haupt->addWidget(teiler, 1);
    m_tree = benannt(new QTreeWidget(teiler), QStringLiteral("TreeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* i) {
        if (!m_lock) knotenGewaehlt(i);
    });
    m_seiten = benannt(new QStackedWidget(teiler), QStringLiteral("Seiten"));
    teiler->setStretchFactor(0, 3);
    teiler->setStretchFactor(1, 2);

    auto* tier = new TVerpaarungSeite(QStringLiteral("SeiteTier"), 7326, QStringLiteral("Tier"));
    tier->zeile(QStringLiteral("FeldWuerfe"), 7306, QStringLiteral("Würfe"));
    tier->zeile(QStringLiteral("FeldPartner"), 7307, QStringLiteral("Partner"), 4);
    tier->zeile(QStringLiteral("FeldJungtiere"), 7308, QStringLiteral("Jungtiere gesamt"));
    tier->zeile(QStringLiteral("FeldDurchschnitt"), 7309, QStringLiteral("Durchschnittliche Wurfgröße"));
    tier->zeile(QStringLiteral("FeldGroesster"), 7310, QStringLiteral("Größter Wurf"));
    tier->zeile(QStringLiteral("FeldKleinster"), 7311, QStringLiteral("Kleinster Wurf"));
    tier->zeile(QStringLiteral("FeldWeiblich"), 7312, QStringLiteral("Weibliche Jungtiere"));
    tier->zeile(QStringLiteral("FeldMaennlich"), 7313, QStringLiteral("Männliche Jungtiere"));

    auto* partner = new TVerpaarungSeite(QStringLiteral("SeitePartner"), 7307, QStringLiteral("Partner"));
    partner->zeile(QStringLiteral("FeldPName"), 7307, QStringLiteral("Partner"));
    partner->zeile(QStringLiteral("FeldPBemerkung"), 7314, QStringLiteral("Bemerkung"), 3);
    partner->zeile(QStringLiteral("FeldPWuerfe"), 7306, QStringLiteral("Würfe"));
    partner->zeile(QStringLiteral("FeldPJungtiere"), 7308, QStringLiteral("Jungtiere gesamt"));
    partner->zeile(QStringLiteral("FeldPDurchschnitt"), 7309, QStringLiteral("Durchschnittliche Wurfgröße"));
    partner->zeile(QStringLiteral("FeldPGroesster"), 7310, QStringLiteral("Größter Wurf"));
    partner->zeile(QStringLiteral("FeldPKleinster"), 7311, QStringLiteral("Kleinster Wurf"));
    partner->zeile(QStringLiteral("FeldPMaennlich"), 7313, QStringLiteral("Männliche Jungtiere"));
    partner->zeile(QStringLiteral("FeldPWeiblich"), 7312, QStringLiteral("Weibliche Jungtiere"));

    auto* leer =
        new TVerpaarungSeite(QStringLiteral("SeiteLeer"), 7324, QStringLiteral("keine Daten vorhanden"));

    auto* wurf = new TVerpaarungSeite(QStringLiteral("SeiteWurf"), 7327, QStringLiteral("Wurf"));
    wurf->zeile(QStringLiteral("FeldWPartner"), 7307, QStringLiteral("Partner"));
    wurf->zeile(QStringLiteral("FeldWDatum"), 7315, QStringLiteral("Wurftag"));
    wurf->zeile(QStringLiteral("FeldWJungtiere"), 7316, QStringLiteral("Jungtiere"));
    wurf->zeile(QStringLiteral("FeldWWeiblich"), 7312, QStringLiteral("Weibliche Jungtiere"));
    wurf->zeile(QStringLiteral("FeldWMaennlich"), 7313, QStringLiteral("Männliche Jungtiere"));

    auto* jung = new TVerpaarungSeite(QStringLiteral("SeiteJungtier"), 7328, QStringLiteral("Jungtier"));
    jung->zeile(QStringLiteral("FeldJName"), 7328, QStringLiteral("Jungtier"));
    jung->zeile(QStringLiteral("FeldJRasse"), 7317, QStringLiteral("Rasse"));
    jung->zeile(QStringLiteral("FeldJFarbe"), 7318, QStringLiteral("Farbe"));
    jung->zeile(QStringLiteral("FeldJBesitzer"), 7319, QStringLiteral("Besitzer"));
    jung->zeile(QStringLiteral("FeldJZuechter"), 7320, QStringLiteral("Züchter"));
    jung->zeile(QStringLiteral("FeldJVerkauft"), 7321, QStringLiteral("Verkauft am"));
    jung->zeile(QStringLiteral("FeldJGekauft"), 7322, QStringLiteral("Gekauft am"));
    jung->zeile(QStringLiteral("FeldJTod"), 7323, QStringLiteral("Gestorben am"));
    jung->zeile(QStringLiteral("FeldJBemerkung"), 7314, QStringLiteral("Bemerkung"), 3);

    m_seite = {tier, partner, leer, wurf, jung};
    for (TVerpaarungSeite* s : m_seite)
        m_seiten->addWidget(s);

    auto* knoepfe = new QHBoxLayout;
    haupt->addLayout(knoepfe);
    auto knopf = [&](int tag, const char* t, const char* name, auto slot) {
        auto* b = benannt(new QPushButton(text(tag, t), this), QLatin1String(name));
        language::setTag(b, tag);
        connect(b, &QPushButton::clicked, this, slot);
        knoepfe->addWidget(b);
        return b;
    };
    knopf(7301, "Katze laden", "BitBtnKatzeLaden", [this] {
        if (const int n = katzeSuchen ? katzeSuchen() : 0) KatzeLaden(n);
    });
    knopf(7302, "Druck", "BitBtnDruck", [this] { DruckClick(); });
    knopf(7305, "Als &PDF speichern", "BitBtnPdf", [this] { PdfClick(); });
    // The display order of the cat lines is set there; the tree is shown again with it, saved or not.
    knopf(7329, "Systemparameter", "BitBtnSystemparameter", [this] {
        TKindFenster* f =
            settings::ui::systemparameterZeigen(hauptfenster(), settings::OptionenUmfang::Verpaarung);
        if (!f || f->property("verpaarungFolgt").toBool()) return;
        f->setProperty("verpaarungFolgt", true);
        connect(f, &QObject::destroyed, this, [this] {
            if (m_tiernummer) KatzeLaden(m_tiernummer);
        });
    });
    knoepfe->addStretch(1);
    knopf(7303, "&Hilfe", "BitBtnHilfe", [this] { hauptfenster().hilfeZeigen(27); });
    knopf(7304, "&Zurück", "BitBtnZurueck", [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
}

TVerpaarungSeite* TFormVerpaarung::seite(TArt art) const {
    return m_seite[size_t(art)];
}

QString TFormVerpaarung::katzenText(qint32 nummer) const {
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    if (!dg) return {};
    bool titel = false;
    dg->KatzendatenVerp(nummer, QString(), titel);
    return dg->daten.join(QString());
}

QString TFormVerpaarung::titelUndName(qint32 nummer, const QString& name) const {
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    const QString titel = dg ? dg->GetTitel(nummer) : QString();
    return titel.isEmpty() ? name : titel + QLatin1Char(' ') + name;
}

void TFormVerpaarung::KatzeLaden(int nummer) {
    store::Database& db = hauptfenster().db();
    // Hundreds of look-ups for the tree's lines: one snapshot of the tables they read.
    QStringList gelesen{QStringLiteral("catstamm")};
    if (common::TDatenGlobal* dg = hauptfenster().datenGlobal())
        for (const store::Table* t :
             {&dg->dbKatze, &dg->dbKatzeTitel, &dg->dbTitelHund, &dg->dbTitelName, &dg->dbFarbe, &dg->dbRasse,
              &dg->dbAugen, &dg->dbBewertung, &dg->dbGekVerk, &dg->dbKatzeMerkmal, &dg->dbMerkmale,
              &dg->dbAdrDat, &dg->dbEigen})
            gelesen << t->tableName();
    const store::ReadSnapshot schnappschuss(db, gelesen);
    QString name, farbe;
    try {
        store::Query q(db,
                       QStringLiteral("SELECT c.Name, c.Geschlecht, c.FellFarbe FROM catstamm c "
                                      "WHERE c.LaufendeNummer = ?"),
                       {nummer});
        if (!q.next()) return;
        name = q.value(0).toString();
        m_geschlecht = q.value(1).toString();
        farbe = q.value(2).toString();
        m_tiernummer = nummer;
        m_maennlich = alsVaterGefuehrt(db, nummer, m_geschlecht);
        m_zeilen = verpaarungenLesen(db, nummer, m_maennlich);
    } catch (const store::DatabaseError& e) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11) + QLatin1Char(' ') + e.message());
        return;
    }
    m_baum = verpaarungsbaum(m_zeilen);
    QString kopf = titelUndName(nummer, name);
    const Katzenangaben angaben = katzenangaben(db, nummer);
    kopf += QStringLiteral(", ") + angaben.rasse;
    if (!farbe.isEmpty()) kopf += QStringLiteral(", ") + farbe;
    m_kopf->setText(kopf);
    m_symbol->setText(m_maennlich ? QStringLiteral("\u2642") : QStringLiteral("\u2640"));
    m_symbol->setAccessibleDescription(m_maennlich ? QStringLiteral("1") : QStringLiteral("0"));
    baumAufbauen();
}

QTreeWidgetItem* TFormVerpaarung::knoten(QTreeWidgetItem* eltern, const QString& t, int art, int bildNr,
                                         int zeile) {
    auto* i = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(m_tree);
    i->setText(0, t);
    i->setIcon(0, m_bilder[size_t(bildNr)]);
    i->setData(0, kArtRolle, art);
    i->setData(0, kBildRolle, bildNr);
    i->setData(0, kZeileRolle, zeile);
    return i;
}

void TFormVerpaarung::baumAufbauen() {
    m_lock = true;
    m_tree->clear();
    auto* wurzel = knoten(nullptr, katzenText(m_tiernummer), 0, m_maennlich ? 1 : 0, -1);
    if (m_baum.isEmpty()) {
        knoten(wurzel, text(7325, "Keine Verpaarungen vorhanden!"), 2, 2, -1);
    } else {
        const QLocale locale;
        for (const Verpaarungspartner& p : m_baum) {
            auto* pk = knoten(wurzel, katzenText(m_zeilen[p.erste].partner), 1, m_maennlich ? 0 : 1, p.erste);
            for (const Wurf& w : p.wuerfe) {
                auto* wk =
                    knoten(pk, w.datum.isValid() ? locale.toString(w.datum, QLocale::ShortFormat) : QString(),
                           3, 3, w.erste);
                for (int r = w.erste; r < w.erste + w.anzahl; ++r)
                    knoten(wk, katzenText(m_zeilen[r].jungtier), 4,
                           maennlichGezaehlt(m_zeilen[r].geschlecht) ? 1 : 0, r);
            }
        }
    }
    wurzel->setExpanded(true);
    m_tree->setCurrentItem(wurzel);
    tierSeite();
    m_lock = false;
}

void TFormVerpaarung::knotenGewaehlt(QTreeWidgetItem* item) {
    if (!item) return;
    const int art = item->data(0, kArtRolle).toInt();
    const int zeile = item->data(0, kZeileRolle).toInt();
    const auto partnerVon = [this](int r) {
        for (int p = 0; p < m_baum.size(); ++p)
            if (r >= m_baum[p].erste && r < m_baum[p].erste + m_baum[p].anzahl) return p;
        return -1;
    };
    switch (art) {
    case 0:
        tierSeite();
        break;
    case 1:
        partnerSeite(partnerVon(zeile));
        break;
    case 3: {
        const int p = partnerVon(zeile);
        for (int w = 0; p >= 0 && w < m_baum[p].wuerfe.size(); ++w)
            if (m_baum[p].wuerfe[w].erste == zeile) wurfSeite(p, w);
        break;
    }
    case 4:
        jungtierSeite(zeile);
        break;
    default:
        zeigeSeite(TArt::leer);
    }
}

void TFormVerpaarung::zeigeSeite(TArt art) {
    m_art = art;
    m_seiten->setCurrentWidget(seite(art));
}

void TFormVerpaarung::tierSeite() {
    TVerpaarungSeite* s = seite(TArt::Tier);
    const Zuchtzahlen z = zuchtzahlen(m_zeilen, m_baum);
    const int sprache = hauptfenster().einstellungen().spracheNummer();
    QStringList partner;
    for (const Verpaarungspartner& p : m_baum)
        partner << partnerZeile(int(p.wuerfe.size()), m_zeilen[p.erste].partnerName, sprache);
    s->setzen(QStringLiteral("FeldWuerfe"), zwei(z.wuerfe));
    s->setzen(QStringLiteral("FeldPartner"), partner.join(QLatin1Char('\n')));
    s->setzen(QStringLiteral("FeldJungtiere"), zwei(z.jungtiere));
    s->setzen(QStringLiteral("FeldDurchschnitt"), zwei(z.durchschnitt(QLocale())));
    s->setzen(QStringLiteral("FeldGroesster"), zwei(z.groesster));
    s->setzen(QStringLiteral("FeldKleinster"), zwei(z.kleinster));
    s->setzen(QStringLiteral("FeldWeiblich"), zwei(z.weiblich));
    s->setzen(QStringLiteral("FeldMaennlich"), zwei(z.maennlich));
    s->setzeFarbe(geschlechtsFarbe(m_geschlecht));
    zeigeSeite(TArt::Tier);
}

void TFormVerpaarung::partnerSeite(int p) {
    if (p < 0) return zeigeSeite(TArt::leer);
    const VerpaarungZeile& r = m_zeilen[m_baum[p].erste];
    TVerpaarungSeite* s = seite(TArt::Partner);
    const Zuchtzahlen z = zuchtzahlen(m_zeilen, m_baum[p].wuerfe);
    s->setzen(QStringLiteral("FeldPName"), titelUndName(r.partner, r.partnerName));
    s->setzen(QStringLiteral("FeldPBemerkung"), katzenangaben(hauptfenster().db(), r.partner).bemerkung);
    s->setzen(QStringLiteral("FeldPWuerfe"), zwei(z.wuerfe));
    s->setzen(QStringLiteral("FeldPJungtiere"), zwei(z.jungtiere));
    s->setzen(QStringLiteral("FeldPDurchschnitt"), zwei(z.durchschnitt(QLocale())));
    s->setzen(QStringLiteral("FeldPGroesster"), zwei(z.groesster));
    s->setzen(QStringLiteral("FeldPKleinster"), zwei(z.kleinster));
    s->setzen(QStringLiteral("FeldPMaennlich"), zwei(z.maennlich));
    s->setzen(QStringLiteral("FeldPWeiblich"), zwei(z.weiblich));
    s->setzeFarbe(geschlechtsFarbe(r.partnerGeschlecht));
    zeigeSeite(TArt::Partner);
}

void TFormVerpaarung::wurfSeite(int p, int w) {
    const Wurf& wurf = m_baum[p].wuerfe[w];
    const VerpaarungZeile& r = m_zeilen[wurf.erste];
    TVerpaarungSeite* s = seite(TArt::Wurf);
    const Zuchtzahlen z = zuchtzahlen(m_zeilen, QVector<Wurf>{wurf});
    s->setzen(QStringLiteral("FeldWPartner"), titelUndName(r.partner, r.partnerName));
    s->setzen(QStringLiteral("FeldWDatum"),
              wurf.datum.isValid() ? QLocale().toString(wurf.datum, QLocale::ShortFormat) : QString());
    s->setzen(QStringLiteral("FeldWJungtiere"), zwei(z.jungtiere));
    s->setzen(QStringLiteral("FeldWWeiblich"), zwei(z.weiblich));
    s->setzen(QStringLiteral("FeldWMaennlich"), zwei(z.maennlich));
    zeigeSeite(TArt::Wurf);
}

void TFormVerpaarung::jungtierSeite(int zeile) {
    const VerpaarungZeile& r = m_zeilen[zeile];
    const Katzenangaben a = katzenangaben(hauptfenster().db(), r.jungtier);
    const auto datum = [](const QDate& d) {
        return d.isValid() ? QLocale().toString(d, QLocale::ShortFormat) : QString();
    };
    TVerpaarungSeite* s = seite(TArt::Jungtier);
    s->setzen(QStringLiteral("FeldJName"), titelUndName(r.jungtier, r.name));
    s->setzen(QStringLiteral("FeldJRasse"), a.rasse);
    s->setzen(QStringLiteral("FeldJFarbe"), r.fellFarbe);
    s->setzen(QStringLiteral("FeldJBesitzer"), a.besitzer);
    s->setzen(QStringLiteral("FeldJZuechter"), a.zuechter);
    s->setzen(QStringLiteral("FeldJVerkauft"), datum(a.verkauft));
    s->setzen(QStringLiteral("FeldJGekauft"), datum(a.gekauft));
    s->setzen(QStringLiteral("FeldJTod"), datum(r.tod));
    s->setzen(QStringLiteral("FeldJBemerkung"), a.bemerkung);
    s->setzeFarbe(geschlechtsFarbe(r.geschlecht));
    zeigeSeite(TArt::Jungtier);
}

printing::Bericht TFormVerpaarung::bericht() const {
    // The selected node's way from the root and everything below it: the whole tree for the cat.
    QList<VerpaarungsDruckzeile> zeilen;
    QTreeWidgetItem* gewaehlt = m_tree->currentItem();
    QSet<QTreeWidgetItem*> weg;
    for (QTreeWidgetItem* i = gewaehlt; i; i = i->parent())
        weg.insert(i);
    const std::function<void(QTreeWidgetItem*, bool)> gehen = [&](QTreeWidgetItem* i, bool darunter) {
        const bool drin = darunter || i == gewaehlt;
        if (drin || weg.contains(i)) {
            const int art = i->data(0, kArtRolle).toInt();
            VerpaarungsDruckzeile z;
            z.art = art == 0   ? VerpaarungsDruckzeile::Tier
                    : art == 3 ? VerpaarungsDruckzeile::Wurf
                    : art == 4 ? VerpaarungsDruckzeile::Jungtier
                               : VerpaarungsDruckzeile::Partner;
            z.text = i->text(0);
            z.maennlich = i->data(0, kBildRolle).toInt() == 1;
            zeilen << z;
        }
        for (int k = 0; k < i->childCount(); ++k)
            gehen(i->child(k), drin);
    };
    if (m_tree->topLevelItemCount()) gehen(m_tree->topLevelItem(0), gewaehlt == nullptr);
    const TVerpaarungSeite* s = seite(m_art);
    return verpaarungsBericht(windowTitle() + QStringLiteral(": ") + m_kopf->text(), zeilen, s->titel(),
                              s->zeilen());
}

void TFormVerpaarung::DruckClick() {
    vorschau(bericht());
}

void TFormVerpaarung::PdfClick() {
    const QString datei = pdfDateiWaehlen();
    if (datei.isEmpty()) return;
    QString fehler;
    if (!printing::alsPdfSpeichern(bericht(), datei, &fehler))
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
}

void verpaarungRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueKatze"), 7300,
                            QStringLiteral("Verpaarungen und Würfe"),
                            [](TRahmen& h) { return new TFormVerpaarung(h); }, true});
}

} // namespace velmora::genealogy
