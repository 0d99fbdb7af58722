#include "genealogy/ui/nachkommen.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "genealogy/ui/genealogiedruck.h"
#include "genealogy/ui/verpaarungseite.h"
#include "genealogy/verpaarung.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/ui/berichtdruck.h"
#include "store/errors.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 716 717 7303-7305 7317-7320 7340-7349 7352-7363

namespace {

constexpr char kDirekt[] = "FormNachkommen";
constexpr char kGesamt[] = "FormListeNachkommen";
constexpr char kNeu[] = "neu";

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

template <typename W> W* benannt(W* w, const QString& name) {
    w->setObjectName(name);
    w->setAccessibleName(name);
    return w;
}

QPushButton* knopf(QWidget* eltern, QBoxLayout* l, int tag, const char* t, const char* name) {
    auto* b = benannt(new QPushButton(text(tag, t), eltern), QLatin1String(name));
    language::setTag(b, tag);
    l->addWidget(b);
    return b;
}

void schliessenUeber(QWidget* w) {
    if (w->parentWidget())
        w->parentWidget()->close();
    else
        w->close();
}

QString datum(const QDate& d) {
    return d.isValid() ? QLocale().toString(d, QLocale::ShortFormat) : QString();
}

int sprache(TRahmen& h) {
    return h.einstellungen().spracheNummer();
}

// The cat that is current in the register, else the list's.
int registerKatze(TRahmen& h) {
    if (const int n = h.registerKatze()) return n;
    if (Katzenauswahl* l = h.katzenListe()) return l->aktuelleKatze();
    return 0;
}

} // namespace

// =========================================================== direct descendants

TFormNachkommen::TFormNachkommen(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kDirekt), 7340) {
    setWindowTitle(text(7340, "Direkte Nachkommen"));
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    pdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Nachkommen.pdf"),
                                            QStringLiteral("PDF (*.pdf)"));
    };
}

bool TFormNachkommen::oeffnen() {
    aufbauen();
    if (const int n = registerKatze(hauptfenster())) laden(n);
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, [this](int n) { laden(n); });
    return true;
}

void TFormNachkommen::uebersetzt() {
    kopfSetzen();
}

void TFormNachkommen::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    m_kopf = benannt(new QLabel(this), QStringLiteral("LabelKatze"));
    QFont f = m_kopf->font();
    f.setBold(true);
    m_kopf->setFont(f);
    haupt->addWidget(m_kopf);
    m_gitter = benannt(new QTableWidget(this), QStringLiteral("GridNachkommen"));
    m_gitter->setColumnCount(8);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->verticalHeader()->hide();
    m_gitter->horizontalHeader()->setStretchLastSection(true);
    connect(m_gitter, &QTableWidget::cellDoubleClicked, this,
            [this](int zeile, int) { zeileGewaehlt(zeile); });
    haupt->addWidget(m_gitter, 1);
    auto* knoepfe = new QHBoxLayout;
    haupt->addLayout(knoepfe);
    connect(knopf(this, knoepfe, 7348, "Drucken", "BitBtnDrucken"), &QPushButton::clicked, this,
            [this] { vorschau(bericht()); });
    connect(knopf(this, knoepfe, 7305, "Als &PDF speichern", "BitBtnPdf"), &QPushButton::clicked, this,
            [this] {
                const QString datei = pdfDateiWaehlen();
                if (datei.isEmpty()) return;
                QString fehler;
                if (!printing::alsPdfSpeichern(bericht(), datei, &fehler))
                    Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
            });
    knoepfe->addStretch(1);
    connect(knopf(this, knoepfe, 7303, "&Hilfe", "BitBtnHilfe"), &QPushButton::clicked, this,
            [this] { hauptfenster().hilfeZeigen(26); });
    connect(knopf(this, knoepfe, 7304, "&Zurück", "BitBtnZurueck"), &QPushButton::clicked, this,
            [this] { schliessenUeber(this); });
}

void TFormNachkommen::kopfSetzen() {
    m_kopf->setText(text(7349, "Nachkommen von :") + QLatin1Char(' ') + m_name);
    const int s = sprache(hauptfenster());
    m_gitter->setHorizontalHeaderLabels({text(7343, "Name"), text(7344, "Geburtsdatum"),
                                         text(7345, "Geschlecht"), text(7346, "Rasse / Farbe"),
                                         elternBeschriftung(m_liste.kater, s), text(7320, "Züchter"),
                                         text(7319, "Besitzer"), text(7347, "Merkmale")});
    for (int r = 0; r < m_gitter->rowCount() && r < m_liste.zeilen.size(); ++r)
        if (QTableWidgetItem* i = m_gitter->item(r, 2))
            i->setText(geschlechtsText(m_liste.zeilen[r].geschlecht, s));
}

void TFormNachkommen::laden(int nummer) {
    store::Database& db = hauptfenster().db();
    try {
        store::Query q(db, QStringLiteral("SELECT c.Name FROM catstamm c WHERE c.LaufendeNummer = ?"),
                       {nummer});
        if (!q.next()) return;
        m_name = q.value(0).toString();
        m_liste = direkteNachkommen(db, nummer);
    } catch (const store::DatabaseError& e) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11) + QStringLiteral(" Catstamm.DB"));
        return;
    }
    m_katze = nummer;
    // a missing lookup table is reported once per opening; its columns stay empty
    if (!m_fehlerGemeldet)
        for (const QString& t : m_liste.fehlendeTabellen) {
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 11, language::meldung(11) + QLatin1Char(' ') + t);
            m_fehlerGemeldet = true;
        }
    m_gitter->setRowCount(int(m_liste.zeilen.size()));
    for (int r = 0; r < m_liste.zeilen.size(); ++r) {
        const NachkommenZeile& z = m_liste.zeilen[r];
        const QStringList werte = {z.name,       datum(z.gebDatum),   QString(),
                                   z.rasseFarbe, z.andererElternteil, z.zuechter,
                                   z.besitzer,   z.merkmale};
        for (int s = 0; s < werte.size(); ++s)
            m_gitter->setItem(r, s, new QTableWidgetItem(werte[s]));
    }
    kopfSetzen();
}

void TFormNachkommen::zeileGewaehlt(int zeile) {
    if (zeile < 0 || zeile >= m_liste.zeilen.size()) return;
    const qint32 n = m_liste.zeilen[zeile].nr;
    TRahmen& h = hauptfenster();
    if (h.katzeZeigen) {
        // the register comes forward on the kitten and reports it to the windows that follow it
        h.FensterZeigen(QStringLiteral("FormCatStamm"));
        h.katzeZeigen(n);
        if (Katzenauswahl* l = h.katzenListe(); l && l->aktuelleKatze() != n) l->zeigeKatze(n);
    } else {
        if (Katzenauswahl* l = h.katzenListe()) l->zeigeKatze(n);
        h.registerKatzeGezeigt(n);
    }
    schliessenUeber(this);
}

printing::Bericht TFormNachkommen::bericht() const {
    const int s = sprache(hauptfenster());
    NachkommenDruckTexte t;
    t.titel = text(7349, "Nachkommen von :") + QLatin1Char(' ') + m_name;
    // 716 "Vater" under a queen, 717 "Mutter" under a tom
    const QString anderer = m_liste.kater ? language::feldName(717) : language::feldName(716);
    t.spalten = {text(7343, "Name"),       text(7344, "Geburtsdatum"),
                 text(7345, "Geschlecht"), text(7318, "Farbe"),
                 text(7317, "Rasse"),      anderer.isEmpty() ? elternBeschriftung(m_liste.kater, 0) : anderer,
                 text(7320, "Züchter"),    text(7319, "Besitzer"),
                 text(7347, "Merkmale")};
    QList<QStringList> zeilen;
    for (const NachkommenZeile& z : m_liste.zeilen) {
        // the breed is what stands before " / " when the kitten has one
        const qsizetype trenner = z.rasseFarbe.indexOf(QStringLiteral(" / "));
        QString rasse, farbe = z.rasseFarbe;
        if (trenner >= 0) {
            rasse = z.rasseFarbe.left(trenner);
            farbe = z.rasseFarbe.mid(trenner + 3);
        }
        zeilen << QStringList{z.name,
                              datum(z.gebDatum),
                              geschlechtsText(z.geschlecht, s),
                              farbe,
                              rasse,
                              z.andererElternteil,
                              z.zuechter,
                              z.besitzer,
                              z.merkmale};
    }
    return direkteNachkommenBericht(t, zeilen);
}

// =========================================================== complete descendants

TFormListeNachkommen::TFormListeNachkommen(TRahmen& haupt)
    : TKindFenster(haupt, QLatin1String(kGesamt), 7342) {
    setWindowTitle(text(7342, "Liste der Nachkommen"));
    for (int i = 0; i < 4; ++i)
        m_bilder[size_t(i)] = baumBild(i);
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    pdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Nachkommen.pdf"),
                                            QStringLiteral("PDF (*.pdf)"));
    };
}

TFormListeNachkommen::~TFormListeNachkommen() = default;

bool TFormListeNachkommen::oeffnen() {
    aufbauen();
    try {
        m_leser = std::make_unique<NachkommenLeser>(hauptfenster().db());
    } catch (const store::DatabaseError&) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11) + QStringLiteral(" Catstamm.DB"));
        return true; // the window stays open with nothing in it
    }
    if (const int n = registerKatze(hauptfenster())) aufbauenFuer(n);
    // a cat chosen in the cat list rebuilds the tree
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, [this](int n) { aufbauenFuer(n); });
    return true;
}

void TFormListeNachkommen::uebersetzt() {
    if (m_katze) aufbauenFuer(m_katze);
}

void TFormListeNachkommen::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    auto* teiler = new QSplitter(this);
    haupt->addWidget(teiler, 1);
    m_tree = benannt(new QTreeWidget(teiler), QStringLiteral("TreeNachkommen"));
    m_tree->setHeaderHidden(true);
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* i) { geoeffnet(i); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* i) { gewaehlt(i); });
    m_daten = benannt(new QPlainTextEdit(teiler), QStringLiteral("MemoDaten"));
    m_daten->setReadOnly(true);
    teiler->setStretchFactor(0, 3);
    teiler->setStretchFactor(1, 2);

    auto* knoepfe = new QHBoxLayout;
    haupt->addLayout(knoepfe);
    auto* tiefeLabel = new QLabel(text(7353, "Tiefe"), this);
    tiefeLabel->setObjectName(QStringLiteral("LabelTiefe"));
    language::setTag(tiefeLabel, 7353);
    m_tiefe = benannt(new QSpinBox(this), QStringLiteral("EditTiefe"));
    m_tiefe->setRange(1, 99);
    m_tiefe->setValue(3);
    tiefeLabel->setBuddy(m_tiefe);
    knoepfe->addWidget(tiefeLabel);
    knoepfe->addWidget(m_tiefe);
    connect(knopf(this, knoepfe, 7352, "Nachkommen über Generationen", "BitBtnGenerationen"),
            &QPushButton::clicked, this, [this] { vorschau(bericht(m_tiefe->value())); });
    connect(knopf(this, knoepfe, 7305, "Als &PDF speichern", "BitBtnPdf"), &QPushButton::clicked, this,
            [this] {
                const QString datei = pdfDateiWaehlen();
                if (datei.isEmpty()) return;
                QString fehler;
                if (!printing::alsPdfSpeichern(bericht(m_tiefe->value()), datei, &fehler))
                    Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
            });
    knoepfe->addStretch(1);
    connect(knopf(this, knoepfe, 7303, "&Hilfe", "BitBtnHilfe"), &QPushButton::clicked, this,
            [this] { hauptfenster().hilfeZeigen(26); });
    connect(knopf(this, knoepfe, 7304, "&Zurück", "BitBtnZurueck"), &QPushButton::clicked, this,
            [this] { schliessenUeber(this); });
}

QTreeWidgetItem* TFormListeNachkommen::katzenKnoten(QTreeWidgetItem* eltern, int knoten) {
    const Nachkomme& k = m_baum->knoten(knoten).katze;
    auto* i = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(m_tree);
    const auto kater = istKater(k.geschlecht);
    const int bildNr = kater ? (*kater ? 1 : 0) : 2;
    i->setText(0, knotenText(k));
    i->setIcon(0, m_bilder[size_t(bildNr)]);
    i->setData(0, kKnotenRolle, knoten);
    i->setData(0, kBildRolle, bildNr);
    return i;
}

namespace {
QTreeWidgetItem* platzhalter(QTreeWidgetItem* eltern, QTreeWidget* tree, const QString& t,
                             const QIcon& bild) {
    auto* i = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(tree);
    i->setText(0, t);
    i->setIcon(0, bild);
    i->setData(0, TFormListeNachkommen::kKnotenRolle, -1);
    i->setData(0, TFormListeNachkommen::kBildRolle, 3);
    return i;
}
QString keineNachkommen(int sprache) {
    return sprache == 1 ? QStringLiteral("No descendats available")
                        : QStringLiteral("Keine Nachkommen vorhanden");
}
} // namespace

void TFormListeNachkommen::aufbauenFuer(int nummer) {
    if (!m_leser) return;
    std::unique_ptr<Nachkommenbaum> baum;
    try {
        baum = std::make_unique<Nachkommenbaum>(*m_leser, nummer);
    } catch (const store::DatabaseError& e) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11) + QStringLiteral(" Catstamm.DB"));
        return;
    }
    if (baum->leer()) return;
    m_katze = nummer;
    m_baum = std::move(baum);
    const QSignalBlocker sperre(m_tree);
    m_tree->clear();
    QTreeWidgetItem* wurzel = katzenKnoten(nullptr, 0);
    for (int k : m_baum->knoten(0).kinder)
        platzhalter(katzenKnoten(wurzel, k), nullptr, QLatin1String(kNeu), m_bilder[3]);
    if (m_baum->knoten(0).kinder.isEmpty())
        platzhalter(nullptr, m_tree, keineNachkommen(sprache(hauptfenster())), m_bilder[3]);
    wurzel->setExpanded(true);
    m_tree->setCurrentItem(wurzel);
    datenZeigen(m_baum->knoten(0).katze.nr);
}

void TFormListeNachkommen::geoeffnet(QTreeWidgetItem* item) {
    const int knoten = item->data(0, kKnotenRolle).toInt();
    if (!m_baum || knoten < 0) return;
    datenZeigen(m_baum->knoten(knoten).katze.nr);
    if (knoten == 0) return;
    QTreeWidgetItem* erstes = item->childCount() ? item->child(0) : nullptr;
    if (!erstes || erstes->data(0, kKnotenRolle).toInt() != -1 || m_baum->knoten(knoten).gefuellt) return;
    try {
        m_baum->oeffnen(knoten);
    } catch (const store::DatabaseError&) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11) + QStringLiteral(" Catstamm.DB"));
        return;
    }
    const QVector<int>& kinder = m_baum->knoten(knoten).kinder;
    const QSignalBlocker sperre(m_tree);
    if (kinder.isEmpty()) {
        erstes->setText(0, keineNachkommen(sprache(hauptfenster())));
    } else {
        delete item->takeChild(0);
        for (int k : kinder)
            platzhalter(katzenKnoten(item, k), nullptr, QLatin1String(kNeu), m_bilder[3]);
    }
    m_tree->setCurrentItem(item);
}

void TFormListeNachkommen::gewaehlt(QTreeWidgetItem* item) {
    const int knoten = item ? item->data(0, kKnotenRolle).toInt() : -1;
    if (!m_baum || knoten < 0) {
        m_daten->clear();
        return;
    }
    datenZeigen(m_baum->knoten(knoten).katze.nr);
}

void TFormListeNachkommen::datenZeigen(qint32 nummer) {
    m_daten->clear();
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    const std::optional<Nachkomme> k = m_leser ? m_leser->katze(nummer) : std::nullopt;
    if (!k) return;
    QStringList zeilen;
    if (dg) {
        bool titel = false;
        int titelNr = 0;
        dg->Katzendaten(3, nummer, QString(), titel, 0, false, titelNr);
        zeilen = dg->daten;
    }
    if (zeilen.isEmpty()) zeilen << k->name;
    const bool englisch = sprache(hauptfenster()) == 1;
    QStringList text{zeilen.first()};
    if (k->mutter)
        if (const auto m = m_leser->katze(k->mutter))
            text << (englisch ? QStringLiteral("Dam: ") : QStringLiteral("Mutter: ")) + m->name;
    if (k->vater)
        if (const auto v = m_leser->katze(k->vater))
            text << (englisch ? QStringLiteral("Sire: ") : QStringLiteral("Vater: ")) + v->name;
    text += zeilen.mid(1);
    m_daten->setPlainText(text.join(QLatin1Char('\n')));
    m_daten->moveCursor(QTextCursor::Start);
}

printing::Bericht TFormListeNachkommen::bericht(int tiefe) const {
    GenerationenDruckTexte t;
    QList<GenerationenDruckLinie> linien;
    Nachkommenlauf lauf;
    QString name;
    if (m_baum && !m_baum->leer()) {
        const Nachkomme& start = m_baum->knoten(0).katze;
        name = knotenText(start);
        // a reader of its own: the print does not fill the window's tree
        NachkommenLeser leser(hauptfenster().db());
        const int s = sprache(hauptfenster());
        lauf = nachkommenLaufen(leser, start, tiefe, [&](int ebene, const Nachkomme& k) {
            QString zeile = knotenText(k);
            const QString g = geschlechtsText(k.geschlecht, s);
            if (!g.isEmpty()) zeile += QStringLiteral("   ") + g;
            if (k.gebDatum.isValid()) zeile += QStringLiteral("   ") + datum(k.gebDatum);
            linien.append({ebene, zeile});
            return true;
        });
    }
    t.titel = text(7352, "Nachkommen über Generationen") + QStringLiteral(": ") + name;
    t.spalten = {text(7354, "Generation"), text(7355, "Katzen"),   text(7356, "Auftreten"),
                 text(7357, "männlich"),   text(7358, "weiblich"), text(7359, "ohne Angabe"),
                 text(7360, "lebend"),     text(7361, "tot")};
    t.gesamt = text(7362, "Gesamt");
    t.listeTitel = text(7363, "Nachkommen bis Generation") + QLatin1Char(' ') + QString::number(tiefe);
    return generationenBericht(t, lauf, linien);
}

// =========================================================== registration

void nachkommenRegistrieren() {
    fensterartRegistrieren({QLatin1String(kDirekt), QStringLiteral("MenueKatze"), 7340,
                            QStringLiteral("Direkte Nachkommen"),
                            [](TRahmen& h) { return new TFormNachkommen(h); }, true});
    fensterartRegistrieren({QLatin1String(kGesamt), QStringLiteral("MenueKatze"), 7341,
                            QStringLiteral("Gesamte Nachkommen"),
                            [](TRahmen& h) { return new TFormListeNachkommen(h); }, true});
}

} // namespace velmora::genealogy
