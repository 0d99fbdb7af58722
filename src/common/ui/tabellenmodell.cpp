#include "common/ui/tabellenmodell.h"

#include <QDate>

namespace velmora {

namespace {
constexpr int kBlock = 64;
constexpr int kCacheGrenze = 4096; // rows kept before the cache starts afresh
} // namespace

TabellenModell::TabellenModell(store::Table& tabelle, QList<Spalte> spalten, QObject* parent)
    : QAbstractTableModel(parent), m_tabelle(tabelle), m_spalten(std::move(spalten)) {}

void TabellenModell::setSpalten(QList<Spalte> spalten) {
    beginResetModel();
    m_spalten = std::move(spalten);
    m_cache.clear();
    m_stand = ~0ull;
    endResetModel();
}

void TabellenModell::setSpaltenTitel(int spalte, const QString& titel) {
    if (spalte < 0 || spalte >= m_spalten.size()) return;
    m_spalten[spalte].titel = titel;
    emit headerDataChanged(Qt::Horizontal, spalte, spalte);
}

void TabellenModell::pruefeStand() const {
    if (!m_tabelle.isOpen()) {
        m_anzahl = 0;
        m_cache.clear();
        return;
    }
    const quint64 s = m_tabelle.orderStamp();
    if (s == m_stand) return;
    m_stand = s;
    m_anzahl = m_tabelle.recordCount();
    m_cache.clear();
}

void TabellenModell::neuLaden() {
    beginResetModel();
    m_stand = ~0ull;
    m_cache.clear();
    pruefeStand();
    endResetModel();
}

int TabellenModell::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    pruefeStand();
    return m_anzahl;
}

int TabellenModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_spalten.size());
}

const TabellenModell::Zeile* TabellenModell::zeile(int r) const {
    pruefeStand();
    if (r < 0 || r >= m_anzahl) return nullptr;
    auto& t = const_cast<store::Table&>(m_tabelle);
    // The row being edited shows the edit as it stands; reading must not post it.
    if (t.state() == store::Table::State::Edit && r == t.position()) {
        static thread_local Zeile aktuell;
        aktuell.clear();
        for (const Spalte& s : m_spalten)
            aktuell << t.value(s.feld);
        return &aktuell;
    }
    auto it = m_cache.constFind(r);
    if (it != m_cache.constEnd()) return &it.value();
    if (m_cache.size() > kCacheGrenze) m_cache.clear();
    if (t.state() == store::Table::State::Browse) {
        blockLesen(t, r);
    } else if (m_leser && m_leser->isOpen()) {
        if (m_leserStand != m_stand) {
            m_leser->refresh();
            m_leserStand = m_stand;
        }
        blockLesen(*m_leser, r);
    }
    it = m_cache.constFind(r);
    return it != m_cache.constEnd() ? &it.value() : nullptr;
}

void TabellenModell::blockLesen(store::Table& t, int r) const {
    const qint64 zurueck = t.recordId();
    const auto afterScroll = std::move(t.afterScroll);
    t.afterScroll = nullptr;
    const int start = std::max(0, r - kBlock / 4);
    const int ende = std::min(m_anzahl, start + kBlock);
    QVector<int> felder;
    for (const Spalte& s : m_spalten)
        felder << t.fieldIndex(s.feld);
    if (t.gotoPosition(start)) {
        for (int i = start; i < ende; ++i) {
            Zeile z;
            z.reserve(felder.size());
            for (int f : felder)
                z << (f >= 0 ? t.value(f) : QVariant());
            m_cache.insert(i, z);
            if (i + 1 < ende) {
                t.next();
                if (t.eof()) break;
            }
        }
    }
    if (zurueck) t.gotoRecordId(zurueck);
    t.afterScroll = afterScroll;
}

QVariant TabellenModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Zeile* z = zeile(index.row());
    if (!z) return {};
    const int c = index.column();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        const QVariant& v = z->value(c);
        if (role == Qt::EditRole) return v;
        if (anzeigeText) return anzeigeText(v, c);
        if (v.typeId() == QMetaType::QDate) // as the register writes dates
            return v.toDate().isValid() ? v.toDate().toString(QStringLiteral("dd.MM.yyyy")) : QString();
        if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("X") : QString();
        return v.toString();
    }
    if (zusatz) return zusatz(role, *z, c);
    return {};
}

QVariant TabellenModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_spalten.size())
        return m_spalten[section].titel.isEmpty() ? m_spalten[section].feld : m_spalten[section].titel;
    return QAbstractTableModel::headerData(section, o, role);
}

Qt::ItemFlags TabellenModell::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_bearbeitbar && index.isValid()) f |= Qt::ItemIsEditable;
    return f;
}

bool TabellenModell::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_bearbeitbar || role != Qt::EditRole || !index.isValid()) return false;
    // Another row's cell stores the pending edit first; a refused store keeps the cell's text out.
    try {
        if (!zuZeile(index.row())) return false;
    } catch (const std::exception& e) {
        if (!fehlerBehandlung) throw;
        fehlerBehandlung(e);
        return false;
    }
    const QString& feld = m_spalten[index.column()].feld;
    const int i = m_tabelle.fieldIndex(feld);
    if (i >= 0 && !value.toString().trimmed().isEmpty()) {
        const store::FieldType typ = m_tabelle.fieldDef(i).type;
        bool zahl = true;
        if (typ == store::FieldType::Int || typ == store::FieldType::Short)
            value.toString().trimmed().toInt(&zahl);
        else if (typ == store::FieldType::Float || typ == store::FieldType::Money)
            QString(value.toString().trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&zahl);
        if (!zahl) {
            emit keineZahl(index.column());
            return false;
        }
    }
    if (m_tabelle.state() == store::Table::State::Browse) m_tabelle.edit();
    m_tabelle.setValue(feld, value);
    // Shown as entered until the edit is posted; the post changes the table and refreshes the cache.
    auto it = m_cache.find(index.row());
    if (it != m_cache.end()) (*it)[index.column()] = m_tabelle.value(feld);
    emit dataChanged(index, index);
    return true;
}

int TabellenModell::aktuelleZeile() const {
    return m_tabelle.isOpen() ? m_tabelle.position() : -1;
}

bool TabellenModell::zuZeile(int zeile) {
    if (!m_tabelle.isOpen()) return false;
    if (m_tabelle.position() == zeile) return true;
    return m_tabelle.gotoPosition(zeile);
}

} // namespace velmora
