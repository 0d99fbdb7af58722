#include "app/ui/katzenliste.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "printing/ui/farbe.h"

#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QWheelEvent>

namespace velmora::app {

KatzenListe::KatzenListe(store::Database& db, QWidget* parent) : QTableView(parent), m_db(db) {
    setObjectName(QStringLiteral("DBGridKatzen"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setAlternatingRowColors(false);
}

KatzenListe::~KatzenListe() {
    schliessen();
}

bool KatzenListe::offen() const {
    return m_tabelle && m_tabelle->isOpen();
}

bool KatzenListe::oeffnen() {
    m_tabelle = std::make_unique<store::Table>(m_db, QStringLiteral("catstamm"));
    m_tabelle->open(store::Table::OpenMode::ReadOnly);
    // The colour tables are optional: without them rows simply stay uncoloured.
    auto versuche = [this](std::unique_ptr<store::Table>& t, const char* name, const char* index) {
        try {
            t = std::make_unique<store::Table>(m_db, QLatin1String(name));
            t->open(store::Table::OpenMode::ReadOnly);
            if (index) t->setIndexFields(QLatin1String(index));
        } catch (const std::exception&) {
            t.reset();
        }
    };
    versuche(m_merkmal, "katzemerkmal", "Katze");
    versuche(m_merkmale, "merkmale", nullptr);
    versuche(m_topkatze, "topkatze", "Katze");
    m_modell = std::make_unique<TabellenModell>(
        *m_tabelle, QList<TabellenModell::Spalte>{{QStringLiteral("Name"), QStringLiteral("Name")},
                                                  {QStringLiteral("Status"), QStringLiteral("Status")},
                                                  {QStringLiteral("LaufendeNummer"), {}}});
    m_modell->zusatz = [this](int role, const TabellenModell::Zeile& z, int) -> QVariant {
        if (role != Qt::BackgroundRole && role != Qt::ForegroundRole) return {};
        const int farbe = zeilenFarbe(z.value(2).toInt());
        if (!farbe) return {};
        const QColor grund = printing::farbeAusWert(farbe);
        return role == Qt::BackgroundRole ? grund : printing::schriftFarbeAuf(grund);
    };
    setModel(m_modell.get());
    spaltenEinrichten();
    m_tabelle->first();
    zurAktuellenZeile();
    return true;
}

void KatzenListe::schliessen() {
    setModel(nullptr);
    m_modell.reset();
    for (auto* t : {&m_tabelle, &m_merkmal, &m_merkmale, &m_topkatze})
        if (*t) {
            (*t)->close();
            t->reset();
        }
}

int KatzenListe::zeilenFarbe(int nummer) const {
    if (!nummer) return 0;
    int merkmalFarbe = 0, topFarbe = 0;
    if (m_merkmal && m_merkmale) {
        const QVariant merkmal =
            m_merkmal->lookupValue(QStringLiteral("Katze"), {nummer}, QStringLiteral("Merkmal"));
        if (merkmal.isValid() && !merkmal.isNull())
            merkmalFarbe = m_merkmale
                               ->lookupValue(QStringLiteral("LaufendeNummer"), {merkmal.toInt()},
                                             QStringLiteral("Farbe"))
                               .toInt();
    }
    if (m_topkatze)
        topFarbe =
            m_topkatze->lookupValue(QStringLiteral("Katze"), {nummer}, QStringLiteral("Farbe")).toInt();
    // Later painting wins: the top-cat colour over the feature colour unless MerkmalVorTop says otherwise.
    if (m_merkmalVorTop) return merkmalFarbe ? merkmalFarbe : topFarbe;
    return topFarbe ? topFarbe : merkmalFarbe;
}

void KatzenListe::einstellen(const QString& index, const QString& filter, bool rufname, bool merkmalVorTop) {
    if (!offen()) return;
    m_merkmalVorTop = merkmalVorTop;
    const int nummer = aktuelleKatze();
    try {
        m_tabelle->setIndexName(index);
    } catch (const std::exception&) {
        m_tabelle->setIndexName(QString()); // an index the settings name but the table lacks
    }
    m_tabelle->setFilter(filter);
    m_modell->setSpalten({{rufname ? QStringLiteral("Rufname") : QStringLiteral("Name"),
                           rufname ? QStringLiteral("Rufname") : QStringLiteral("Name")},
                          {QStringLiteral("Status"), QStringLiteral("Status")},
                          {QStringLiteral("LaufendeNummer"), {}}});
    spaltenEinrichten();
    if (!nummer || !zeigeKatze(nummer)) m_tabelle->first();
    zurAktuellenZeile();
}

void KatzenListe::spaltenEinrichten() {
    setColumnHidden(2, true);
    // The name takes the room; the status (one digit) only what its title needs.
    QHeaderView* kopf = horizontalHeader();
    kopf->setStretchLastSection(false);
    kopf->setSectionResizeMode(0, QHeaderView::Stretch);
    kopf->setSectionResizeMode(1, QHeaderView::Fixed);
    const QString titel = m_modell->headerData(1, Qt::Horizontal).toString();
    kopf->resizeSection(1, std::max(kopf->fontMetrics().horizontalAdvance(titel),
                                    fontMetrics().horizontalAdvance(QStringLiteral("00"))) +
                               2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 8);
}

int KatzenListe::anzahl() const {
    return offen() ? m_tabelle->recordCount() : 0;
}

int KatzenListe::aktuelleKatze() const {
    return offen() && m_tabelle->hasRecord() ? m_tabelle->asInt(QStringLiteral("LaufendeNummer")) : 0;
}

void KatzenListe::neuLaden() {
    if (!offen()) return;
    m_tabelle->refresh();
    m_modell->neuLaden();
    zurAktuellenZeile();
}

bool KatzenListe::zeigeKatze(int nummer) {
    if (!offen() || nummer <= 0) return false;
    // A cat's record number is its Auto field, which the engine keeps as the row id: the list jumps
    // there within its own order, without switching index (which would re-sort a large register).
    const bool gefunden = m_tabelle->gotoRecordId(nummer);
    zurAktuellenZeile();
    return gefunden;
}

void KatzenListe::zurAktuellenZeile() {
    if (!m_modell) return;
    const int zeile = m_modell->aktuelleZeile();
    m_folgen = false;
    if (zeile >= 0) {
        const QModelIndex i = m_modell->index(zeile, 0);
        setCurrentIndex(i);
        scrollTo(i);
    }
    m_folgen = true;
}

bool KatzenListe::tippen(const QString& zeichen) {
    if (!offen()) return false;
    m_suchName += zeichen;
    const QStringList felder = m_tabelle->indexFields();
    const int f = felder.isEmpty() ? -1 : m_tabelle->fieldIndex(felder.first());
    const bool text = f >= 0 && m_tabelle->fieldDef(f).type == store::FieldType::Text;
    if (!text) {
        QString t;
        // texte: meldung 19-23
        for (int n : {19, 20, 21, 22, 23}) {
            if (!t.isEmpty()) t += QLatin1Char('\r');
            t += language::meldung(n);
        }
        Meldungsdienst::zeigen(MeldungsArt::Information, 19, t);
        return false;
    }
    m_tabelle->findNearest({m_suchName});
    zurAktuellenZeile();
    return true;
}

void KatzenListe::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        m_suchName.clear();
        return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (blockiert && blockiert()) {
            emit gesperrt();
            return;
        }
        tippen(t);
        return;
    }
    QTableView::keyPressEvent(e);
}

void KatzenListe::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (blockiert && blockiert()) {
        emit gesperrt();
        return;
    }
    if (const int n = aktuelleKatze()) emit katzeGewaehlt(n);
}

void KatzenListe::wheelEvent(QWheelEvent* e) {
    // A wheel turn moves one cat, as the arrow keys do.
    if (!offen()) return;
    if (e->angleDelta().y() < 0)
        m_tabelle->next();
    else if (e->angleDelta().y() > 0)
        m_tabelle->prior();
    zurAktuellenZeile();
    e->accept();
}

void KatzenListe::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_folgen && current.isValid() && m_modell && current.row() != m_modell->aktuelleZeile())
        m_modell->zuZeile(current.row());
}

} // namespace velmora::app
