#pragma once
// The register's page "Z&uchtbuch": for a female her litter book (the litters with their data, the
// kittens' weighings and the kittens) and her heats with the heat statistics and the dates expected
// from them; for a male his mating book.

#include "register/ui/katzenseite.h"
#include "register/zuchtbuch.h"

#include <QDate>

#include <memory>

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;

namespace velmora {
class FeldBindung;
}

namespace velmora::reg {

class TDetailFormular;
class TDetailGitter;
class TJungtierRaster;

class TSeiteZuchtbuch : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteZuchtbuch(TCatStamm& katzenregister);
    ~TSeiteZuchtbuch() override;

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    bool wurfbuchGezeigt() const; // false: the mating book
    TDetailGitter* wuerfe() const { return m_wuerfe; }
    TDetailGitter* jungtierGewichte() const { return m_jungtiere; }
    TDetailGitter* rolligkeiten() const { return m_rolligkeiten; }
    TDetailGitter* deckbuch() const { return m_deckbuch; }
    QTabWidget* wurfReiter() const { return m_wurfReiter; }
    QTabWidget* reiter() const { return m_reiter; }
    // The tab of the kittens of the selected litter (shown while the cat has litters); its layout takes
    // the kittens grid.
    QWidget* jungtiereSeite() const { return m_jungtiereSeite; }
    TJungtierRaster* jungtierRaster() const { return m_jungtierRaster; }
    TDetailFormular* jungtierZusatz() const { return m_jungtierZusatz; }
    bool jungtiereAngeboten() const;
    // The kittens' weights of the selected litter over their age in days, one line per kitten.
    QChart* gewichtsDiagramm() const;
    QLineEdit* deckterminFeld() const { return m_decktermin; }
    // The heat figures as shown: "+/-", "Durchschnitt", "Nächste Rolligkeit", "Wurftermin", "Abgabetermin".
    QString statistikText(const char* was) const;
    Zuchttage zuchttage() const;
    // The litters, their weighings and kittens read again when the page has read them (after a print
    // from the register).
    void wuerfeNeuLesen();

protected:
    void laden() override;

private:
    void wurfbuchAufbauen(QWidget* seite);
    void deckbuchAufbauen(QWidget* seite);
    void wurfGewaehlt();
    void statistikZeigen();
    void termineZeigen(const Termine& t);
    void kurvenZeichnen();
    void jungtierZusatzZeigen();
    QString katzenName(const QVariant& nummer) const;
    QList<TDetailGitter*> gitterListe() const;

    QStackedWidget* m_stapel = nullptr;
    QWidget* m_wurfbuchSeite = nullptr;
    QWidget* m_deckbuchSeite = nullptr;
    QTabWidget* m_reiter = nullptr;     // litter book, heats
    QTabWidget* m_wurfReiter = nullptr; // litter data, weighings, kittens
    TDetailGitter* m_wuerfe = nullptr;
    TDetailGitter* m_jungtiere = nullptr;
    TDetailGitter* m_rolligkeiten = nullptr;
    TDetailGitter* m_deckbuch = nullptr;
    std::unique_ptr<FeldBindung> m_wurfBindung; // the litter data fields, on the litter grid's cursor
    QWidget* m_jungtiereSeite = nullptr;
    TJungtierRaster* m_jungtierRaster = nullptr;
    TDetailFormular* m_jungtierZusatz = nullptr; // the selected kitten's extra data
    QChartView* m_diagramm = nullptr;
    int m_jungtiereTab = -1;
    QLabel* m_plusMinus = nullptr;
    QLabel* m_durchschnitt = nullptr;
    QLabel* m_naechste = nullptr;
    QLineEdit* m_decktermin = nullptr;
    QLabel* m_wurftermin = nullptr;
    QLabel* m_abgabetermin = nullptr;
    QDate m_alterWurftag; // the stored birth day of the litter being stored
};

} // namespace velmora::reg
