#pragma once
// The prints of the books on the report facility: the bookings of one account, the category statistic
// and the profit-and-loss statement with its chart of income and expenses per month. Amounts in the
// locale's currency format; margins (mm) from the print settings.

#include "office/buchhaltung.h"
#include "printing/bericht.h"

#include <QLocale>

namespace velmora::office {

// The amount in the locale's currency format with two decimals, rounded ties to even.
QString waehrungsText(Money betrag, const QLocale& locale = QLocale());
// "01.01.2024 - 31.03.2024"
QString zeitraumText(const Zeitraum& z);

printing::Bericht kontoBuchungenBericht(const Konto& konto, const QList<Buchung>& buchungen, double links,
                                        double oben, const QLocale& locale = QLocale());
printing::Bericht kategorieStatistikBericht(const QString& kategorie, const Zeitraum& z, const KategorieStatistik& s,
                                            double links, double oben, const QLocale& locale = QLocale());
// "Gewinn- und Verlustrechnung": title part with the period and each account's opening balance, the
// income list and its total, the expense list and its total, the closing part with each account's
// balance, their sum and the income/expense balance, then the chart per month (bars drawn as
// rectangles: income green, expenses red).
printing::Bericht gewinnVerlustBericht(const GewinnUndVerlust& g, const Zeitraum& z, const QList<Konto>& konten,
                                       double links, double oben, const QLocale& locale = QLocale());

} // namespace velmora::office
