// The calendar dialog behind the date buttons: start date, month and year steps, the date line in
// both languages, OK and Cancel, and the date kept between uses.

#include "register/ui/kalenderdlg.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora::reg;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

TEST(KalenderDlg, StartsTodayAndStepsByMonthAndYear) {
    TKalenderDlg k;
    k.setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(k.datum(), QDate::currentDate());

    k.setDatum(QDate(2024, 1, 31));
    k.monatVorKnopf()->click();
    EXPECT_EQ(k.datum(), QDate(2024, 2, 29)); // the last day of a shorter month
    k.monatZurueckKnopf()->click();
    EXPECT_EQ(k.datum(), QDate(2024, 1, 29));
    k.jahrVorKnopf()->click();
    EXPECT_EQ(k.datum(), QDate(2025, 1, 29));
    k.jahrZurueckKnopf()->click();
    k.jahrZurueckKnopf()->click();
    EXPECT_EQ(k.datum(), QDate(2023, 1, 29));
    k.setDatum(QDate(2023, 12, 15));
    k.naechsterMonat();
    EXPECT_EQ(k.datum(), QDate(2024, 1, 15));
    // The calendar shows the month of the selected date.
    EXPECT_EQ(k.kalender()->yearShown(), 2024);
    EXPECT_EQ(k.kalender()->monthShown(), 1);
    // An invalid date changes nothing.
    k.setDatum(QDate());
    EXPECT_EQ(k.datum(), QDate(2024, 1, 15));
}

TEST(KalenderDlg, DateLineInGermanAndEnglish) {
    TKalenderDlg k;
    k.setLocale(QLocale(QLocale::German, QLocale::Germany));
    k.setSprache(0);
    k.setDatum(QDate(2021, 3, 5));
    EXPECT_EQ(k.datumsZeile()->text(), s("Datum  :  05.03.2021"));
    k.kalender()->setSelectedDate(QDate(2021, 3, 6)); // a click in the calendar updates the line too
    EXPECT_EQ(k.datumsZeile()->text(), s("Datum  :  06.03.2021"));
    k.setSprache(1);
    k.setDatum(QDate(2021, 3, 7));
    EXPECT_EQ(k.datumsZeile()->text(), s("Date  :  07.03.2021"));
    k.setSprache(2); // Dutch uses the German text
    k.setDatum(QDate(2021, 3, 8));
    EXPECT_TRUE(k.datumsZeile()->text().startsWith(s("Datum  :  ")));
}

TEST(KalenderDlg, OkReturnsTheDateCancelChangesNothingAndTheDateIsKept) {
    TKalenderDlg k;
    QLineEdit feld;
    feld.setLocale(QLocale(QLocale::German, QLocale::Germany));
    feld.setText(s("alt"));

    QTimer::singleShot(0, &k, [&] {
        k.setDatum(QDate(2019, 7, 1));
        k.abbruchKnopf()->click();
    });
    EXPECT_FALSE(k.feldFuellen(&feld));
    EXPECT_EQ(feld.text(), s("alt"));

    QTimer::singleShot(0, &k, [&] {
        // The next use starts where the last one ended.
        EXPECT_EQ(k.datum(), QDate(2019, 7, 1));
        k.naechstesJahr();
        k.okKnopf()->click();
    });
    EXPECT_TRUE(k.feldFuellen(&feld));
    EXPECT_EQ(feld.text(), s("01.07.2020"));

    QTimer::singleShot(0, &k, [&] {
        EXPECT_EQ(k.datum(), QDate(2020, 7, 1));
        k.okKnopf()->click();
    });
    const std::optional<QDate> d = k.waehlen();
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(*d, QDate(2020, 7, 1));

    int hilfe = 0;
    k.hilfeKnopf()->click(); // without a handler nothing happens
    k.hilfe = [&] { ++hilfe; };
    k.hilfeKnopf()->click();
    EXPECT_EQ(hilfe, 1);
}

} // namespace
