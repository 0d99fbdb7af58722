#pragma once
// The page "Auswertungen": "Kontostand" (every account with its opening and current balance),
// "Statistik nach Kategorie" (the bookings of one category in a period with "Gesamt") and
// "Statistik Gewinn / Verlust" (income against expenses for all accounts or one, the chart of income and
// expenses per month and the VAT summary). "&Neu" asks for a new period for the current statistic;
// "&Drucken" prints it; "E&xport" writes the period's bookings as CSV for the tax adviser.

#include "office/buchhaltung.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QChartView;

namespace velmora::office {

class TFormBuchfuehrung;

class TSeiteAuswertungen : public QWidget {
    Q_OBJECT
public:
    explicit TSeiteAuswertungen(TFormBuchfuehrung& fenster);

    void neuLaden();
    // The period of the current statistic, asked for with the period dialog; false when cancelled.
    bool zeitraumNeu();
    void statistikBerechnen();
    void guvBerechnen();
    void guvBerechnenFuer(const Zeitraum& z); // as the period dialog's OK on the profit-and-loss page
    const Zeitraum& kategorieZeitraum() const { return m_kategorieZeitraum; }
    const Zeitraum& guvZeitraum() const { return m_guvZeitraum; }
    const GewinnUndVerlust& guv() const { return m_guv; }

    QTabWidget* reiter = nullptr;
    QTableWidget* kontostaende = nullptr;
    QListWidget* kategorien = nullptr;
    QTableWidget* kategorieBuchungen = nullptr;
    QLabel* gesamt = nullptr;
    QCheckBox* alleKonten = nullptr;
    QListWidget* guvKonten = nullptr;
    QTableWidget* einnahmen = nullptr;
    QTableWidget* ausgaben = nullptr;
    QLabel *einnahmenGesamt = nullptr, *ausgabenGesamt = nullptr, *saldo = nullptr, *kontoPanel = nullptr,
           *zeitraumText = nullptr;
    QTableWidget* mwst = nullptr;
    QChartView* diagramm = nullptr;
    QPushButton *neu = nullptr, *drucken = nullptr, *exportKnopf = nullptr, *zurueck = nullptr;

private:
    void reiterGewechselt(int index);
    void diagrammZeichnen();
    int guvKonto() const;

    TFormBuchfuehrung& m_fenster;
    Zeitraum m_kategorieZeitraum, m_guvZeitraum;
    bool m_kategorieGueltig = false, m_guvGueltig = false;
    GewinnUndVerlust m_guv;
    int m_reiter = 0;
};

} // namespace velmora::office
