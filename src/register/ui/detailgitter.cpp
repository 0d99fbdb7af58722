#include "register/ui/detailgitter.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/katzenseite.h"
#include "store/errors.h"
#include "store/ui/dberror.h"

#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::reg {

using store::FieldType;
using store::Table;

// texte: meldung 28 29 252 2610 2611 2612

namespace {

bool bearbeitet(const Table& t) {
    return t.state() == Table::State::Edit || t.state() == Table::State::Insert;
}

QString zahlText(double d) {
    QString t = QString::number(d, 'f', QLocale::FloatingPointShortest);
    const language::TSprache* s = language::aktuelleSprache();
    if (!s || s->sprache() != 1) t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

QString anzeige(const QVariant& v, FieldType typ) {
    if (v.isNull() || !v.isValid()) return {};
    switch (typ) {
    case FieldType::Date:
        return DbDatum::text(v.toDate());
    case FieldType::DateTime:
        return DbDatum::text(v.toDateTime().date());
    case FieldType::Float:
    case FieldType::Money:
        return zahlText(v.toDouble());
    case FieldType::Bool:
        return v.toBool() ? QStringLiteral("X") : QString();
    default:
        return v.toString();
    }
}

} // namespace

// ---------------------------------------------------------------- model

DetailModell::DetailModell(TDetailGitter& gitter) : QAbstractTableModel(&gitter), m_gitter(gitter) {}

int DetailModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_gitter.zeilen();
}

int DetailModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_gitter.m_spalten.size());
}

QVariant DetailModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto& s = m_gitter.m_spalten.value(index.column());
    // A calculated column that gives a colour paints its cell in it (the colour square of a feature).
    if (role == Qt::BackgroundRole && s.berechnet) {
        const QVariant v = s.berechnet(m_gitter, index.row());
        return v.typeId() == QMetaType::QColor ? v : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (s.berechnet) {
        const QVariant v = s.berechnet(m_gitter, index.row());
        if (v.typeId() == QMetaType::QColor) return QString();
        if (v.typeId() == QMetaType::QDate) return DbDatum::text(v.toDate());
        return v;
    }
    const int f = m_gitter.m_feldIndex.value(index.column(), -1);
    if (f < 0) return {};
    const QVariant v = m_gitter.wert(index.row(), s.feld);
    return anzeige(v, m_gitter.m_tabelle->fieldDef(f).type);
}

QVariant DetailModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return m_gitter.spaltenTitel(section);
    return QAbstractTableModel::headerData(section, o, role);
}

Qt::ItemFlags DetailModell::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_gitter.m_feldIndex.value(index.column(), -1) >= 0 &&
        !m_gitter.m_schluessel.isEmpty())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DetailModell::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    return m_gitter.setzen(index.row(), index.column(), value);
}

void DetailModell::zeileGeaendert(int zeile) {
    emit dataChanged(index(zeile, 0), index(zeile, columnCount() - 1));
}

// ---------------------------------------------------------------- grid

TDetailGitter::TDetailGitter(TKatzenSeite& seite, const char* objektName, QString tabelle, QString index,
                             QString verknuepfung, QList<Spalte> spalten, QWidget* parent)
    : QWidget(parent), m_seite(seite), m_tabellenName(std::move(tabelle)), m_index(std::move(index)),
      m_verknuepfung(store::splitFields(verknuepfung)), m_spalten(std::move(spalten)) {
    setObjectName(QLatin1String(objektName));
    m_modell = new DetailModell(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_gitter = new QTableView(this);
    m_gitter->setObjectName(QLatin1String(objektName) + QStringLiteral("Gitter"));
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    m_gitter->verticalHeader()->setDefaultSectionSize(m_gitter->fontMetrics().height() + 6);
    m_gitter->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_gitter, 1);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& aktuell) {
                if (!m_sperre && aktuell.isValid()) gitterZeileGewaehlt(aktuell.row());
            });

    m_knopfReihe = new QHBoxLayout;
    auto knopf = [this](const char* name, int tag, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(objectName() + QLatin1String(name));
        language::setTag(b, tag);
        m_knopfReihe->addWidget(b);
        return b;
    };
    m_hinzufuegen = knopf("Hinzufuegen", 9400, "H&inzufügen");
    m_rueckgaengig = knopf("Rueckgaengig", 9401, "R&ückgängig");
    m_loeschen = knopf("Loeschen", 9402, "L&öschen");
    m_knopfReihe->addStretch(1);
    layout->addLayout(m_knopfReihe);
    connect(m_hinzufuegen, &QPushButton::clicked, this, &TDetailGitter::hinzufuegen);
    connect(m_rueckgaengig, &QPushButton::clicked, this, &TDetailGitter::rueckgaengig);
    connect(m_loeschen, &QPushButton::clicked, this, &TDetailGitter::loeschen);
    uebersetzen();
    knoepfeSetzen();
}

TDetailGitter::~TDetailGitter() {
    if (m_tabelle && m_tabelle->isOpen() && bearbeitet(*m_tabelle)) m_tabelle->cancel();
}

bool TDetailGitter::oeffnen() {
    m_tabelle = std::make_unique<Table>(m_seite.rahmen().db(), m_tabellenName);
    try {
        m_tabelle->open();
        m_tabelle->setIndexName(m_index);
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
        m_tabelle.reset();
        setEnabled(false);
        return false;
    }
    m_feldIndex.clear();
    for (const Spalte& s : m_spalten)
        m_feldIndex << (s.feld.isEmpty() ? -1 : m_tabelle->fieldIndex(s.feld));
    m_modell->zuruecksetzen();
    return true;
}

bool TDetailGitter::offen() const {
    return m_tabelle && m_tabelle->isOpen();
}

void TDetailGitter::setSchluessel(const QVariantList& werte) {
    // Without a cat there is nothing to show or add; a litter without birth day shows no rows, and its
    // rules say why nothing can be added.
    m_schluessel = werte;
    if (!werte.isEmpty() && werte.first().toInt() <= 0) m_schluessel.clear();
    if (!offen()) return;
    if (bearbeitet(*m_tabelle)) m_tabelle->cancel(); // the page stored what it could before
    try {
        if (m_schluessel.isEmpty()) {
            m_tabelle->setRange({-1}, {-1}); // record numbers are never negative: no rows
        } else {
            m_tabelle->setRange(m_schluessel, m_schluessel);
            m_tabelle->last();
        }
    } catch (const std::exception& e) {
        fehler(e);
    }
    neuLesen();
}

void TDetailGitter::neuLesen() {
    m_ids.clear();
    m_werte.clear();
    if (offen() && !m_schluessel.isEmpty() && m_tabelle->state() == Table::State::Browse) {
        Table& t = *m_tabelle;
        const qint64 zurueck = t.hasRecord() ? t.recordId() : 0;
        try {
            for (t.first(); !t.eof(); t.next()) {
                if (!t.hasRecord()) break;
                m_ids << t.recordId();
                QVector<QVariant> z(t.fieldCount());
                for (int i = 0; i < z.size(); ++i)
                    z[i] = t.value(i);
                m_werte << z;
            }
            if (zurueck && !t.gotoRecordId(zurueck)) t.last();
            if (!zurueck) t.last();
        } catch (const std::exception& e) {
            fehler(e);
        }
    }
    m_modell->zuruecksetzen();
    markieren();
    knoepfeSetzen();
    emit zeilenGeaendert();
    emit zeileGewechselt(aktuelleZeile());
}

int TDetailGitter::zeilen() const {
    const bool neu = offen() && m_tabelle->state() == Table::State::Insert;
    return int(m_ids.size()) + (neu ? 1 : 0);
}

int TDetailGitter::aktuelleZeile() const {
    if (!offen()) return -1;
    if (m_tabelle->state() == Table::State::Insert) return int(m_ids.size());
    if (!m_tabelle->hasRecord()) return -1;
    return int(m_ids.indexOf(m_tabelle->recordId()));
}

QVariant TDetailGitter::wert(int zeile, const QString& feld) const {
    if (!offen()) return {};
    const int f = m_tabelle->fieldIndex(feld);
    if (f < 0 || zeile < 0) return {};
    // The row being edited shows the edit as it stands.
    if (bearbeitet(*m_tabelle) && zeile == aktuelleZeile()) return m_tabelle->value(f);
    if (zeile >= m_werte.size()) return {};
    return m_werte[zeile].value(f);
}

int TDetailGitter::spalteVonFeld(const QString& feld) const {
    for (int i = 0; i < m_spalten.size(); ++i)
        if (m_spalten[i].feld.compare(feld, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString TDetailGitter::spaltenTitel(int spalte) const {
    if (spalte < 0 || spalte >= m_spalten.size()) return {};
    QString t = m_spalten[spalte].tag ? language::feldName(m_spalten[spalte].tag) : QString();
    if (t.isEmpty()) t = m_spalten[spalte].titel;
    language::AmpersandEntfernen(t);
    return t;
}

void TDetailGitter::setHinzufuegenText(int tag, const QString& text) {
    m_hinzufuegen->setText(text);
    language::setTag(m_hinzufuegen, tag);
    uebersetzen();
}

void TDetailGitter::uebersetzen() {
    for (QPushButton* b : {m_hinzufuegen, m_rueckgaengig, m_loeschen}) {
        const QString t = language::feldName(language::tagOf(b));
        if (!t.isEmpty()) b->setText(t);
        b->setAccessibleName(QString(b->text()).remove(QLatin1Char('&')));
    }
    m_gitter->setAccessibleName(objectName());
    emit m_modell->headerDataChanged(Qt::Horizontal, 0, std::max(0, int(m_spalten.size()) - 1));
}

bool TDetailGitter::aenderungOffen() const {
    if (!offen()) return false;
    const Table& t = *m_tabelle;
    return t.state() == Table::State::Insert || (t.state() == Table::State::Edit && t.isModified());
}

void TDetailGitter::knoepfeSetzen() {
    const bool schluessel = offen() && !m_schluessel.isEmpty();
    m_hinzufuegen->setEnabled(schluessel);
    m_rueckgaengig->setEnabled(aenderungOffen());
    m_loeschen->setEnabled(schluessel && aktuelleZeile() >= 0);
}

void TDetailGitter::markieren() {
    const int z = aktuelleZeile();
    if (z < 0 || z >= m_modell->rowCount()) return;
    m_sperre = true;
    const int spalte = std::max(0, m_gitter->currentIndex().column());
    m_gitter->selectionModel()->setCurrentIndex(m_modell->index(z, spalte),
                                                QItemSelectionModel::ClearAndSelect);
    m_sperre = false;
}

void TDetailGitter::fehler(const std::exception& e) {
    m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
}

void TDetailGitter::gitterZeileGewaehlt(int zeile) {
    if (zeile == aktuelleZeile()) return;
    // Not inside the selection signal: a store reads the rows again.
    const qint64 ziel = zeile < m_ids.size() ? m_ids[zeile] : 0;
    QMetaObject::invokeMethod(
        this,
        [this, ziel] {
            if (!offen()) return;
            if ((zeilenwechselErlaubt && !zeilenwechselErlaubt()) || !speichern()) {
                markieren();
                return;
            }
            if (ziel) {
                try {
                    m_tabelle->gotoRecordId(ziel);
                } catch (const std::exception& e) {
                    fehler(e);
                }
            }
            markieren();
            knoepfeSetzen();
            emit zeileGewechselt(aktuelleZeile());
        },
        Qt::QueuedConnection);
}

bool TDetailGitter::zuZeile(int zeile) {
    if (!offen() || zeile < 0 || zeile >= m_ids.size()) return false;
    if (zeile == aktuelleZeile()) return true;
    const qint64 ziel = m_ids[zeile];
    if ((zeilenwechselErlaubt && !zeilenwechselErlaubt()) || !speichern()) return false;
    try {
        m_tabelle->gotoRecordId(ziel);
    } catch (const std::exception& e) {
        fehler(e);
        return false;
    }
    markieren();
    knoepfeSetzen();
    emit zeileGewechselt(aktuelleZeile());
    return true;
}

bool TDetailGitter::setzen(int zeile, int spalte, const QVariant& eingabe) {
    if (!offen() || m_schluessel.isEmpty()) return false;
    const int f = m_feldIndex.value(spalte, -1);
    if (f < 0) return false;
    Table& t = *m_tabelle;
    const FieldType typ = t.fieldDef(f).type;
    const QString text = eingabe.toString();
    QVariant wert;
    if (!text.trimmed().isEmpty()) {
        switch (typ) {
        case FieldType::Date:
        case FieldType::DateTime: {
            const QDate d = DbDatum::lesen(text);
            if (!d.isValid()) {
                // A date the user mistyped is refused before anything is stored.
                Meldungsdienst::zeigen(MeldungsArt::Warnung, 2612,
                                       language::meldung(2612) + QLatin1Char(' ') + spaltenTitel(spalte) +
                                           QStringLiteral(": \"") + text.trimmed() + QLatin1Char('"'));
                return false;
            }
            wert = typ == FieldType::Date ? QVariant(d) : QVariant(QDateTime(d, QTime(0, 0)));
            break;
        }
        case FieldType::Int:
        case FieldType::Short:
        case FieldType::Float:
        case FieldType::Money: {
            bool ok = false;
            const QString z = QString(text.trimmed()).replace(QLatin1Char(','), QLatin1Char('.'));
            if (typ == FieldType::Int || typ == FieldType::Short)
                wert = z.toInt(&ok);
            else
                wert = z.toDouble(&ok);
            if (!ok) {
                Meldungsdienst::zeigen(MeldungsArt::Warnung, 252,
                                       language::meldung(252) + QLatin1Char(' ') + spaltenTitel(spalte));
                return false;
            }
            break;
        }
        case FieldType::Bool:
            wert = !text.trimmed().isEmpty();
            break;
        default:
            wert = text;
        }
    }
    if (bearbeitenErlaubt && !bearbeitenErlaubt()) {
        if (bearbeitet(t)) {
            t.cancel();
            neuLesen();
        }
        return false;
    }
    // A cell of another row stores the pending change first.
    if (zeile != aktuelleZeile()) {
        if (zeile >= m_ids.size()) return false;
        const qint64 ziel = m_ids[zeile];
        if (!speichern()) return false;
        try {
            if (!t.gotoRecordId(ziel)) return false;
        } catch (const std::exception& e) {
            fehler(e);
            return false;
        }
        markieren();
    }
    try {
        if (t.state() == Table::State::Browse) t.edit();
        // An unchanged cell changes nothing (leaving the editor is no change).
        const QVariant alt = t.value(f);
        const bool gleich = (alt.isNull() && wert.isNull()) ||
                            (!alt.isNull() && !wert.isNull() && anzeige(alt, typ) == anzeige(wert, typ));
        if (!gleich) t.setValue(f, wert);
    } catch (const std::exception& e) {
        fehler(e);
        return false;
    }
    m_modell->zeileGeaendert(aktuelleZeile());
    knoepfeSetzen();
    emit zeilenGeaendert();
    return true;
}

int TDetailGitter::zuLangeSpalte() const {
    const Table& t = *m_tabelle;
    for (int i = 0; i < t.fieldCount(); ++i) {
        const store::FieldDef& d = t.fieldDef(i);
        if (d.type != FieldType::Text || d.size <= 0 || t.value(i).toString().size() <= d.size) continue;
        const int s = spalteVonFeld(d.name);
        return s >= 0 ? s : -2 - i;
    }
    return -1;
}

bool TDetailGitter::speichern() {
    if (!offen() || !bearbeitet(*m_tabelle)) return true;
    Table& t = *m_tabelle;
    if (eingabePruefen && !eingabePruefen()) {
        markieren();
        knoepfeSetzen();
        return false;
    }
    if (t.state() == Table::State::Edit && !t.isModified()) {
        t.cancel();
        knoepfeSetzen();
        return true;
    }
    // Too long for its field: refused before anything is asked, the row stays for the user to shorten.
    if (const int s = zuLangeSpalte(); s != -1) {
        const int f = s >= 0 ? m_feldIndex[s] : -2 - s;
        const QString name = s >= 0 ? spaltenTitel(s) : t.fieldDef(f).name;
        Meldungsdienst::zeigen(MeldungsArt::Warnung, 2610,
                               language::meldung(2610) + QLatin1Char(' ') + name + QStringLiteral(". ") +
                                   language::meldung(2611) + QLatin1Char(' ') +
                                   QString::number(t.fieldDef(f).size));
        markieren();
        if (s >= 0) m_gitter->setCurrentIndex(m_modell->index(aktuelleZeile(), s));
        knoepfeSetzen();
        return false;
    }
    if ((vorDemSpeichern && !vorDemSpeichern(t)) ||
        (!m_seite.rahmen().einstellungen().speichern &&
         Meldungsdienst::nachricht(29, MeldungsArt::Warnung, Knoepfe::JaNein) != Antwort::Ja)) {
        t.cancel();
        neuLesen();
        return true;
    }
    try {
        t.post();
        t.flush();
        if (nachDemSpeichern) nachDemSpeichern(t);
    } catch (const std::exception& e) {
        fehler(e);
        if (bearbeitet(t)) t.cancel();
        neuLesen();
        return true;
    }
    neuLesen();
    emit gespeichert();
    return true;
}

bool TDetailGitter::feldSetzen(const QString& feld, const QVariant& wert) {
    if (!offen() || m_schluessel.isEmpty()) return false;
    if (aktuelleZeile() < 0) hinzufuegen();
    Table& t = *m_tabelle;
    if (aktuelleZeile() < 0) return false;
    if (bearbeitenErlaubt && !bearbeitenErlaubt()) return false;
    try {
        if (t.state() == Table::State::Browse) t.edit();
        t.setValue(feld, wert);
    } catch (const std::exception& e) {
        fehler(e);
        return false;
    }
    aktualisieren();
    return true;
}

void TDetailGitter::aktualisieren() {
    if (aktuelleZeile() >= 0) m_modell->zeileGeaendert(aktuelleZeile());
    knoepfeSetzen();
    emit zeilenGeaendert();
}

void TDetailGitter::neuLaden() {
    if (!offen() || m_tabelle->state() != Table::State::Browse) return;
    try {
        m_tabelle->refresh();
    } catch (const std::exception& e) {
        fehler(e);
    }
    neuLesen();
}

void TDetailGitter::schliessen() {
    if (!offen()) return;
    if (!speichern()) m_tabelle->cancel();
    try {
        m_tabelle->close();
    } catch (const std::exception& e) {
        fehler(e);
    }
    m_ids.clear();
    m_werte.clear();
    m_modell->zuruecksetzen();
}

void TDetailGitter::hinzufuegen() {
    if (!offen() || m_schluessel.isEmpty()) return;
    if (!speichern()) return;
    if (bearbeitenErlaubt && !bearbeitenErlaubt()) return;
    Table& t = *m_tabelle;
    try {
        t.append();
        for (int i = 0; i < m_verknuepfung.size() && i < m_schluessel.size(); ++i)
            t.setValue(m_verknuepfung[i], m_schluessel[i]);
        if (neueZeile) neueZeile(t);
    } catch (const std::exception& e) {
        fehler(e);
        if (bearbeitet(t)) t.cancel();
    }
    m_modell->zuruecksetzen();
    int erste = 0;
    while (erste < m_feldIndex.size() && m_feldIndex[erste] < 0)
        ++erste;
    m_sperre = true;
    if (t.state() == Table::State::Insert)
        m_gitter->setCurrentIndex(
            m_modell->index(aktuelleZeile(), std::min(erste, int(m_spalten.size()) - 1)));
    m_sperre = false;
    m_gitter->setFocus();
    knoepfeSetzen();
    emit zeilenGeaendert();
    emit zeileGewechselt(aktuelleZeile());
}

void TDetailGitter::rueckgaengig() {
    if (!offen()) return;
    if (QWidget* editor = m_gitter->indexWidget(m_gitter->currentIndex())) editor->clearFocus();
    m_tabelle->cancel();
    neuLesen();
}

void TDetailGitter::loeschen() {
    if (!offen() || aktuelleZeile() < 0) return;
    if (Meldungsdienst::nachricht(28, MeldungsArt::Warnung, Knoepfe::JaNein) != Antwort::Ja) return;
    Table& t = *m_tabelle;
    try {
        if (t.state() == Table::State::Insert) {
            t.cancel();
        } else {
            if (bearbeitet(t)) t.cancel();
            t.remove();
            t.flush();
        }
    } catch (const std::exception& e) {
        fehler(e);
    }
    neuLesen();
    emit gespeichert();
}

} // namespace velmora::reg
