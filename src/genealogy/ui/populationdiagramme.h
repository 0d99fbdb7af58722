#pragma once
// The charts page of the population window: the mean inbreeding of R per birth year and the
// distribution of mean kinship over R, both from a finished run.

#include "genealogy/populationslauf.h"

#include <QWidget>
#include <memory>

class QChart;
class QChartView;

namespace velmora::genealogy {

class TPopulationDiagramme : public QWidget {
    Q_OBJECT
public:
    explicit TPopulationDiagramme(QWidget* parent = nullptr);
    void setzen(std::shared_ptr<const Populationslauf> lauf); // null: empty charts
    // Titles and axes in the current language.
    void beschriften(const QString& titelF, const QString& titelMk, const QString& jahr,
                     const QString& mittelF, const QString& mk, const QString& katzen);

    QChart* inzuchtDiagramm() const;
    QChart* verteilungDiagramm() const;

private:
    void zeichnen();

    QChartView* m_inzucht = nullptr;
    QChartView* m_verteilung = nullptr;
    std::shared_ptr<const Populationslauf> m_lauf;
    QString m_titelF, m_titelMk, m_jahr, m_mittelF, m_mk, m_katzen;
};

} // namespace velmora::genealogy
