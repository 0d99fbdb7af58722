#include "register/ui/familienraster.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/katzenseite.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::reg {

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

QString datumText(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

} // namespace

// ---------------------------------------------------------------- grid of cats

TKatzenRaster::TKatzenRaster(TKatzenSeite& seite, const char* objektName, QWidget* parent)
    : QWidget(parent), m_seite(seite) {
    setObjectName(QLatin1String(objektName));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_gitter = new QTableView(this);
    m_gitter->setObjectName(QLatin1String(objektName) + QStringLiteral("Gitter"));
    m_gitter->setAccessibleName(m_gitter->objectName());
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->verticalHeader()->hide();
    m_modell = new QStandardItemModel(this);
    m_gitter->setModel(m_modell);
    layout->addWidget(m_gitter, 1);
    m_bild = new QLabel(this);
    m_bild->setObjectName(QLatin1String(objektName) + QStringLiteral("Bild"));
    m_bild->setAccessibleName(m_bild->objectName());
    m_bild->setFixedSize(160, 120);
    m_bild->setAlignment(Qt::AlignCenter);
    m_bild->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_bild, 0, Qt::AlignTop);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                const int n = i.isValid() && i.row() < m_katzen.size() ? m_katzen[i.row()] : 0;
                if (!m_bildSperre) bildZeigen(n);
                emit katzeGewaehlt(n);
            });
}

TKatzenRaster::~TKatzenRaster() = default;

bool TKatzenRaster::tabellenOeffnen() {
    if (m_offen) return m_katzenTabelle != nullptr;
    m_offen = true;
    store::Database& db = m_seite.rahmen().db();
    auto oeffne = [&](const char* name, store::Table::OpenMode modus, bool melden) {
        auto t = std::make_unique<store::Table>(db, QLatin1String(name));
        try {
            if (!melden && !t->exists()) return std::unique_ptr<store::Table>();
            t->open(modus);
        } catch (const std::exception& e) {
            if (melden)
                m_seite.fehlerDialog().HandleException(e, QLatin1String(name) + QStringLiteral(".db"));
            return std::unique_ptr<store::Table>();
        }
        return t;
    };
    using M = store::Table::OpenMode;
    m_katzenTabelle = oeffne("catstamm", M::Shared, true);
    m_bilder = oeffne("bilder", M::ReadOnly, false);
    m_rasse = oeffne("rasse", M::ReadOnly, false);
    m_merkmal = oeffne("katzemerkmal", M::ReadOnly, false);
    m_merkmale = oeffne("merkmale", M::ReadOnly, false);
    m_adr = oeffne("adr_dat", M::ReadOnly, false);
    m_eigen = oeffne("eigen", M::ReadOnly, false);
    if (m_bilder) m_bilder->setIndexName(QStringLiteral("IndexKatzeNr"));
    if (m_merkmal) m_merkmal->setIndexFields(QStringLiteral("Katze"));
    return m_katzenTabelle != nullptr;
}

void TKatzenRaster::schliessen() {
    for (auto* t : {&m_katzenTabelle, &m_bilder, &m_rasse, &m_merkmal, &m_merkmale, &m_adr, &m_eigen})
        if (*t) (*t)->close();
}

QString TKatzenRaster::ohneZeichen(const QString& t) const {
    return QString(t).remove(QLatin1Char('&'));
}

void TKatzenRaster::spaltenSetzen(const QList<Spalte>& spalten) {
    m_spalten = spalten;
    m_modell->setColumnCount(int(spalten.size()));
    for (int i = 0; i < spalten.size(); ++i)
        m_modell->setHeaderData(i, Qt::Horizontal, ohneZeichen(text(spalten[i].tag, spalten[i].titel)));
}

void TKatzenRaster::zeilenSetzen(const QList<qint32>& katzen,
                                 const std::function<QStringList(qint32)>& zeile) {
    m_katzen.clear();
    m_modell->setRowCount(0);
    m_katzenTabelle->setIndexName(QString()); // the searches leave their own index behind
    for (qint32 n : katzen) {
        if (!m_katzenTabelle->findKey({n})) continue;
        QList<QStandardItem*> zellen;
        for (const QString& z : zeile(n))
            zellen << new QStandardItem(z);
        m_modell->appendRow(zellen);
        m_katzen << n;
    }
    m_gitter->resizeColumnsToContents();
    if (!m_katzen.isEmpty())
        m_gitter->setCurrentIndex(m_modell->index(0, 0));
    else
        bildZeigen(0);
}

int TKatzenRaster::gewaehlteKatze() const {
    const int z = m_gitter->currentIndex().row();
    return z >= 0 && z < m_katzen.size() ? m_katzen[z] : 0;
}

QString TKatzenRaster::zelle(int zeile, int spalte) const {
    return m_modell->index(zeile, spalte).data().toString();
}

QString TKatzenRaster::merkmaleVon(qint32 nummer, const QString& trenner, QStringList* liste) {
    QStringList k;
    if (m_merkmal && m_merkmale) {
        m_merkmal->setRange({nummer}, {nummer});
        for (m_merkmal->first(); m_merkmal->hasRecord() && !m_merkmal->eof(); m_merkmal->next())
            k << m_merkmale
                     ->lookupValue(QStringLiteral("LaufendeNummer"),
                                   {m_merkmal->value(QStringLiteral("Merkmal"))}, QStringLiteral("Kuerzel"))
                     .toString();
        m_merkmal->cancelRange();
    }
    if (liste) *liste = k;
    return k.join(trenner);
}

QString TKatzenRaster::katzenName(qint32 nummer) {
    if (nummer <= 0) return {};
    return m_katzenTabelle->lookupValue(QStringLiteral("LaufendeNummer"), {nummer}, QStringLiteral("Name"))
        .toString();
}

void TKatzenRaster::bildZeigen(int nummer) {
    m_bild->clear();
    QString pfad;
    if (nummer && m_bilder) {
        const int feld2 =
            m_katzenTabelle->lookupValue(QStringLiteral("LaufendeNummer"), {nummer}, QStringLiteral("Feld2"))
                .toInt();
        QStringList pfade;
        m_bilder->setRange({nummer}, {nummer});
        for (m_bilder->first(); m_bilder->hasRecord() && !m_bilder->eof(); m_bilder->next())
            pfade << m_bilder->asString(QStringLiteral("Bildpfad"));
        m_bilder->cancelRange();
        const QDir daten(m_seite.rahmen().db().directory());
        for (QString& p : pfade)
            if (!p.isEmpty() && QFileInfo(p).isRelative()) p = daten.filePath(p);
        const int i = gezeigtesBild(pfade, feld2, [](const QString& p) { return QFileInfo::exists(p); });
        if (i >= 0) pfad = pfade[i];
    }
    QImage bild;
    if (!pfad.isEmpty()) {
        QImageReader leser(pfad);
        leser.setAutoTransform(true);
        const QSize voll = leser.size();
        if (voll.isValid()) leser.setScaledSize(voll.scaled(m_bild->size(), Qt::KeepAspectRatio));
        bild = leser.read();
    }
    if (bild.isNull())
        m_bild->setText(text(9308, "kein Bild")); // a missing or unreadable file is no picture
    else
        m_bild->setPixmap(QPixmap::fromImage(bild));
}

// ---------------------------------------------------------------- siblings

TGeschwisterRaster::TGeschwisterRaster(TKatzenSeite& seite, QWidget* parent)
    : TKatzenRaster(seite, "Geschwister", parent) {
    auto* aussen = qobject_cast<QHBoxLayout*>(layout());
    auto* knoepfe = new QVBoxLayout;
    aussen->insertLayout(0, knoepfe);
    struct K {
        int tag;
        const char* titel;
        const char* name;
    } k[] = {{9304, "Wurfgeschwister", "BitBtnWurfgeschwister"},
             {9305, "Geschwister väterlicherseits", "BitBtnGeschwVater"},
             {9306, "Geschwister mütterlicherseits", "BitBtnGeschwMutter"}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(text(k[i].tag, k[i].titel), this);
        b->setObjectName(QLatin1String(k[i].name));
        language::setTag(b, k[i].tag);
        b->setAccessibleName(ohneZeichen(b->text()));
        knoepfe->addWidget(b);
        m_knoepfe[i] = b;
        const auto art = static_cast<GeschwisterArt>(i);
        connect(b, &QPushButton::clicked, this, [this, art] { zeigen(art); });
    }
    m_uebernahme = new QPushButton(text(9307, "Übernahme zu Wurfgeschwistern"), this);
    m_uebernahme->setObjectName(QStringLiteral("BitBtn6"));
    language::setTag(m_uebernahme, 9307);
    m_uebernahme->setAccessibleName(ohneZeichen(m_uebernahme->text()));
    m_uebernahme->setEnabled(false);
    connect(m_uebernahme, &QPushButton::clicked, this, &TGeschwisterRaster::BitBtn6Click);
    knoepfe->addWidget(m_uebernahme);
    knoepfe->addStretch();
    spaltenSetzen({{9322, "Name"},
                   {9310, "Titel"},
                   {9311, "Geschlecht"},
                   {9312, "geb."},
                   {9313, "Rasse"},
                   {9314, "Farbe"},
                   {9315, "Merkmale"},
                   {9316, "Vater"},
                   {9317, "Mutter"}});
}

QPushButton* TGeschwisterRaster::knopf(GeschwisterArt art) const {
    return m_knoepfe[int(art)];
}

void TGeschwisterRaster::laden() {
    zeigen(GeschwisterArt::wurf);
}

void TGeschwisterRaster::zeigen(GeschwisterArt art) {
    m_art = art;
    if (!tabellenOeffnen()) return;
    store::Table& k = m_seite.katzenregister().katzen();
    const bool satz = k.hasRecord() || k.state() == store::Table::State::Insert;
    const qint32 vater = satz ? k.asInt(QStringLiteral("Vater")) : 0;
    const qint32 mutter = satz ? k.asInt(QStringLiteral("Mutter")) : 0;
    const QDate geb = satz ? k.asDate(QStringLiteral("GebDatum")) : QDate();
    QList<qint32> liste;
    try {
        liste = geschwister(*m_katzenTabelle, art, m_seite.katze(), vater, mutter, geb);
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
    common::TDatenGlobal* dg = m_seite.rahmen().datenGlobal();
    const int sprache = m_seite.rahmen().einstellungen().spracheNummer();
    zeilenSetzen(liste, [&](qint32 n) {
        store::Table& t = *m_katzenTabelle;
        const QString rasse =
            m_rasse ? m_rasse
                          ->lookupValue(QStringLiteral("RCode"), {t.value(QStringLiteral("Rasse"))},
                                        QStringLiteral("RName"))
                          .toString()
                    : QString();
        const QString name = t.asString(QStringLiteral("Name"));
        const QString geschlecht = geschlechtKurz(t.asString(QStringLiteral("Geschlecht")), sprache);
        const QString gebText = datumText(t.asDate(QStringLiteral("GebDatum")));
        const QString farbe = t.asString(QStringLiteral("FellFarbe"));
        const qint32 v = t.asInt(QStringLiteral("Vater")), m = t.asInt(QStringLiteral("Mutter"));
        const QString titel = dg ? dg->GetTitel(n) : QString();
        return QStringList{name,
                           titel,
                           geschlecht,
                           gebText,
                           rasse,
                           farbe,
                           merkmaleVon(n, QStringLiteral("/")),
                           katzenName(v),
                           katzenName(m)};
    });
    // The pressed button titles the name column and is shown in bold; litter siblings hide the
    // columns they share.
    for (int i = 0; i < 3; ++i) {
        QFont f = m_knoepfe[i]->font();
        f.setBold(i == int(art));
        m_knoepfe[i]->setFont(f);
    }
    m_modell->setHeaderData(0, Qt::Horizontal, ohneZeichen(m_knoepfe[int(art)]->text()));
    m_gitter->setColumnHidden(3, art == GeschwisterArt::wurf);
    m_gitter->setColumnHidden(7, art != GeschwisterArt::muetterlich);
    m_gitter->setColumnHidden(8, art != GeschwisterArt::vaeterlich);
    m_uebernahme->setEnabled(art == GeschwisterArt::wurf);
}

void TGeschwisterRaster::BitBtn6Click() {
    if (m_art != GeschwisterArt::wurf || m_katzen.isEmpty()) return;
    TCatStamm& reg = m_seite.katzenregister();
    if (!m_seite.rahmen().einstellungen().speichern && !Meldungsdienst::ja(29)) return;
    // The question was asked once: the cat's pending edit is stored without a second one.
    if (!reg.speichernOhneFrage()) return;
    const QString wurfzahl = reg.katzen().asString(QStringLiteral("Wurfzahl"));
    m_bildSperre = true;
    for (int z = 0; z < m_katzen.size(); ++z) {
        try {
            if (!m_katzenTabelle->findKey({m_katzen[z]})) continue;
            m_katzenTabelle->edit();
            m_katzenTabelle->setValue(QStringLiteral("Wurfzahl"), wurfzahl);
            m_katzenTabelle->post();
        } catch (const std::exception& e) {
            if (m_katzenTabelle->state() != store::Table::State::Browse) m_katzenTabelle->cancel();
            m_seite.fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        }
    }
    m_katzenTabelle->flush();
    m_bildSperre = false;
}

// ---------------------------------------------------------------- kittens

TJungtierRaster::TJungtierRaster(TKatzenSeite& seite, QWidget* parent)
    : TKatzenRaster(seite, "Jungtiere", parent) {
    spaltenSetzen({{9322, "Name"},
                   {9311, "Geschlecht"},
                   {9318, "Besitzer"},
                   {9319, "für Druck"},
                   {9320, "Reg.-Nr."},
                   {9321, "Chip-Nr."},
                   {9314, "Farbe"}});
}

bool TJungtierRaster::passtInDruckspalte(const QString& t) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    return QFontMetrics(f).horizontalAdvance(t) < 261;
}

void TJungtierRaster::wurfSetzen(qint32 mutter, const QDate& wurftag) {
    if (!tabellenOeffnen()) return;
    QList<qint32> liste;
    try {
        liste = jungtiere(*m_katzenTabelle, mutter, wurftag);
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
    common::TDatenGlobal* dg = m_seite.rahmen().datenGlobal();
    const int sprache = m_seite.rahmen().einstellungen().spracheNummer();
    QString eigenerVorname, eigenerName;
    if (m_eigen) {
        m_eigen->first();
        if (m_eigen->hasRecord()) {
            eigenerVorname = m_eigen->asString(QStringLiteral("Vorname"));
            eigenerName = m_eigen->asString(QStringLiteral("Name"));
        }
    }
    zeilenSetzen(liste, [&](qint32 n) {
        store::Table& t = *m_katzenTabelle;
        const QString name = t.asString(QStringLiteral("Name"));
        const QString titel = dg ? dg->GetTitel(n) : QString();
        QString vorname, nachname;
        if (m_adr && t.asInt(QStringLiteral("Besitzer")) > 0) {
            const QVariantList b{t.value(QStringLiteral("Besitzer"))};
            vorname =
                m_adr->lookupValue(QStringLiteral("LaufendeNr"), b, QStringLiteral("Vorname")).toString();
            nachname = m_adr->lookupValue(QStringLiteral("LaufendeNr"), b, QStringLiteral("Name")).toString();
        }
        const QString farbe = t.asString(QStringLiteral("FellFarbe"));
        const QString status = t.asString(QStringLiteral("Status"));
        const QString geschlecht = geschlechtKurz(t.asString(QStringLiteral("Geschlecht")), sprache);
        const QString zb = t.asString(QStringLiteral("Zuchtbuchnummer1"));
        const QString chip = t.asString(QStringLiteral("ChipNr"));
        const QString bemerkung = t.asString(QStringLiteral("Bemerkung"));
        QStringList kuerzel;
        merkmaleVon(n, QString(), &kuerzel);
        return QStringList{titel.isEmpty() ? name : titel + QLatin1Char(' ') + name,
                           geschlecht,
                           besitzerAnzeige(status, eigenerVorname, eigenerName, vorname, nachname),
                           anzeigeFuerDruck(farbe, kuerzel, bemerkung, passtInDruckspalte),
                           zb,
                           chip,
                           farbe};
    });
}

} // namespace velmora::reg
