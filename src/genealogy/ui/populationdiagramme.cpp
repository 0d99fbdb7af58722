#include "genealogy/ui/populationdiagramme.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace velmora::genealogy {

namespace {
void leeren(QChart* c) {
    c->removeAllSeries();
    for (QAbstractAxis* a : c->axes())
        c->removeAxis(a);
}
} // namespace

TPopulationDiagramme::TPopulationDiagramme(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelDiagramme"));
    auto* l = new QHBoxLayout(this);
    m_inzucht = new QChartView(new QChart, this);
    m_inzucht->setObjectName(QStringLiteral("ChartInzucht"));
    m_verteilung = new QChartView(new QChart, this);
    m_verteilung->setObjectName(QStringLiteral("ChartVerteilung"));
    for (QChartView* v : {m_inzucht, m_verteilung}) {
        v->setRenderHint(QPainter::Antialiasing);
        v->chart()->legend()->hide();
        l->addWidget(v, 1);
    }
}

QChart* TPopulationDiagramme::inzuchtDiagramm() const {
    return m_inzucht->chart();
}

QChart* TPopulationDiagramme::verteilungDiagramm() const {
    return m_verteilung->chart();
}

void TPopulationDiagramme::setzen(std::shared_ptr<const Populationslauf> lauf) {
    m_lauf = std::move(lauf);
    zeichnen();
}

void TPopulationDiagramme::beschriften(const QString& titelF, const QString& titelMk, const QString& jahr,
                                       const QString& mittelF, const QString& mk, const QString& katzen) {
    m_titelF = titelF;
    m_titelMk = titelMk;
    m_jahr = jahr;
    m_mittelF = mittelF;
    m_mk = mk;
    m_katzen = katzen;
    m_inzucht->setAccessibleName(titelF);
    m_verteilung->setAccessibleName(titelMk);
    zeichnen();
}

void TPopulationDiagramme::zeichnen() {
    QChart* f = m_inzucht->chart();
    QChart* v = m_verteilung->chart();
    leeren(f);
    leeren(v);
    f->setTitle(m_titelF);
    v->setTitle(m_titelMk);
    if (!m_lauf) return;

    if (!m_lauf->jahre.empty()) {
        auto* s = new QLineSeries;
        double hoechstes = 0;
        for (const JahrgangInzucht& j : m_lauf->jahre) {
            s->append(j.jahr, j.mittelF);
            hoechstes = std::max(hoechstes, j.mittelF);
        }
        f->addSeries(s);
        auto* x = new QValueAxis;
        x->setTitleText(m_jahr);
        x->setLabelFormat(QStringLiteral("%d"));
        x->setRange(m_lauf->jahre.front().jahr,
                    std::max(m_lauf->jahre.back().jahr, m_lauf->jahre.front().jahr + 1));
        auto* y = new QValueAxis;
        y->setTitleText(m_mittelF);
        y->setRange(0, hoechstes > 0 ? hoechstes * 1.1 : 0.01);
        f->addAxis(x, Qt::AlignBottom);
        f->addAxis(y, Qt::AlignLeft);
        s->attachAxis(x);
        s->attachAxis(y);
    }

    if (!m_lauf->mkKlassen.empty()) {
        auto* menge = new QBarSet(m_katzen);
        QStringList klassen;
        const int n = int(m_lauf->mkKlassen.size());
        const double breite = (m_lauf->mkBis - m_lauf->mkVon) / n;
        int hoechste = 0;
        for (int k = 0; k < n; ++k) {
            *menge << m_lauf->mkKlassen[size_t(k)];
            hoechste = std::max(hoechste, m_lauf->mkKlassen[size_t(k)]);
            klassen << QString::number(m_lauf->mkVon + (k + 0.5) * breite, 'f', 4);
        }
        auto* s = new QBarSeries;
        s->append(menge);
        s->setBarWidth(1.0);
        v->addSeries(s);
        auto* x = new QBarCategoryAxis;
        x->append(klassen);
        x->setTitleText(m_mk);
        x->setLabelsAngle(-90);
        auto* y = new QValueAxis;
        y->setTitleText(m_katzen);
        y->setLabelFormat(QStringLiteral("%d"));
        y->setRange(0, std::max(1, hoechste));
        v->addAxis(x, Qt::AlignBottom);
        v->addAxis(y, Qt::AlignLeft);
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

} // namespace velmora::genealogy
