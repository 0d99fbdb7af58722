#pragma once
// The small calendar behind every date button: a month calendar with steps by month and by year and a
// line with the selected date. One instance per owner keeps the last selected date between uses; it
// starts on today.

#include <QDate>
#include <QDialog>
#include <functional>
#include <optional>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::reg {

class TKalenderDlg : public QDialog {
    Q_OBJECT
public:
    explicit TKalenderDlg(QWidget* parent = nullptr);

    QDate datum() const;
    void setDatum(const QDate& d);

    // 0 German, 1 English, 2 Dutch for the date line; -1 (the default) follows the run's language.
    void setSprache(int sprache) { m_sprache = sprache; }

    // Shows the dialog modally (captions in the run's language); the selected date on OK, nothing on
    // Cancel.
    std::optional<QDate> waehlen();
    // The same for a date field: on OK the field gets the date in the short date format of its locale.
    bool feldFuellen(QLineEdit* feld);

    void vorigerMonat();
    void naechsterMonat();
    void vorigesJahr();
    void naechstesJahr();

    // "&Hilfe"; nothing happens while unset.
    std::function<void()> hilfe;

    QCalendarWidget* kalender() const { return m_kalender; }
    QLabel* datumsZeile() const { return m_zeile; }
    QPushButton* okKnopf() const { return m_ok; }
    QPushButton* abbruchKnopf() const { return m_abbruch; }
    QPushButton* hilfeKnopf() const { return m_hilfe; }
    QPushButton* monatZurueckKnopf() const { return m_monatZurueck; }
    QPushButton* monatVorKnopf() const { return m_monatVor; }
    QPushButton* jahrZurueckKnopf() const { return m_jahrZurueck; }
    QPushButton* jahrVorKnopf() const { return m_jahrVor; }

private:
    void zeileZeigen();
    int sprache() const;

    QCalendarWidget* m_kalender = nullptr;
    QLabel* m_zeile = nullptr;
    QPushButton* m_monatZurueck = nullptr;
    QPushButton* m_monatVor = nullptr;
    QPushButton* m_jahrZurueck = nullptr;
    QPushButton* m_jahrVor = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_abbruch = nullptr;
    QPushButton* m_hilfe = nullptr;
    int m_sprache = -1;
};

} // namespace velmora::reg
