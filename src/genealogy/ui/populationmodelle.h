#pragma once
// The two grids of the population window as models over one finished run, so a reference of 100,000
// cats costs no widget per cell: the cats of R by mean kinship with F and ECG, and the founders with
// their contributions. Cells are written when the view asks for them, in the tool's number form.

#include "genealogy/populationslauf.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>

namespace velmora::genealogy {

class TPopulationKatzenModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setzen(std::shared_ptr<const Populationslauf> lauf); // null: empty
    void setKoepfe(const QStringList& koepfe);                // Nummer, Name, MK, F, ECG

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::shared_ptr<const Populationslauf> m_lauf;
    QStringList m_koepfe;
};

class TPopulationGruenderModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setzen(std::shared_ptr<const Populationslauf> lauf);
    // Katze, Name, Elternteil, Beitrag; then the words for the unknown sire and dam
    void setKoepfe(const QStringList& koepfe, const QString& vater, const QString& mutter);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::shared_ptr<const Populationslauf> m_lauf;
    QStringList m_koepfe;
    QString m_vater, m_mutter;
};

} // namespace velmora::genealogy
