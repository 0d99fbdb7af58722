#include "genealogy/ui/populationmodelle.h"

namespace velmora::genealogy {

namespace {
QVariant ausrichtung(int spalte) {
    return spalte == 1 ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))
                       : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
}
} // namespace

void TPopulationKatzenModell::setzen(std::shared_ptr<const Populationslauf> lauf) {
    beginResetModel();
    m_lauf = std::move(lauf);
    endResetModel();
}

void TPopulationKatzenModell::setKoepfe(const QStringList& koepfe) {
    m_koepfe = koepfe;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int TPopulationKatzenModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_lauf ? 0 : int(m_lauf->reihe.size());
}

int TPopulationKatzenModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant TPopulationKatzenModell::data(const QModelIndex& index, int role) const {
    if (!m_lauf || !index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole) return ausrichtung(index.column());
    if (role != Qt::DisplayRole) return {};
    const int pos = m_lauf->reihe[size_t(index.row())];
    const GenetikKatze& k = m_lauf->genetik->katze(pos);
    switch (index.column()) {
    case 0:
        return QString::number(k.nr);
    case 1:
        return k.name;
    case 2:
        return genetikWert(m_lauf->population.mk[size_t(pos)]);
    case 3:
        return genetikWert(m_lauf->genetik->inzucht()[size_t(pos)]);
    case 4:
        return genetikWert(m_lauf->population.ecg[size_t(pos)]);
    default:
        return {};
    }
}

QVariant TPopulationKatzenModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return m_koepfe.value(section);
    return QAbstractTableModel::headerData(section, o, role);
}

void TPopulationGruenderModell::setzen(std::shared_ptr<const Populationslauf> lauf) {
    beginResetModel();
    m_lauf = std::move(lauf);
    endResetModel();
}

void TPopulationGruenderModell::setKoepfe(const QStringList& koepfe, const QString& vater,
                                          const QString& mutter) {
    m_koepfe = koepfe;
    m_vater = vater;
    m_mutter = mutter;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) emit dataChanged(index(0, 2), index(rowCount() - 1, 2));
}

int TPopulationGruenderModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_lauf ? 0 : int(m_lauf->population.gruender.size());
}

int TPopulationGruenderModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant TPopulationGruenderModell::data(const QModelIndex& index, int role) const {
    if (!m_lauf || !index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole) return ausrichtung(index.column() == 2 ? 1 : index.column());
    if (role != Qt::DisplayRole) return {};
    const Gruender& gr = m_lauf->population.gruender[size_t(index.row())];
    switch (index.column()) {
    case 0:
        return QString::number(gr.kind);
    case 1: {
        const int pos = m_lauf->genetik->position(gr.kind);
        return pos >= 0 ? m_lauf->genetik->katze(pos).name : QString();
    }
    case 2:
        return gr.vater ? m_vater : m_mutter;
    case 3:
        return genetikWert(gr.beitrag);
    default:
        return {};
    }
}

QVariant TPopulationGruenderModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return m_koepfe.value(section);
    return QAbstractTableModel::headerData(section, o, role);
}

} // namespace velmora::genealogy
