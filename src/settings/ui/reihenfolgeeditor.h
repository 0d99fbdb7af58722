#pragma once
// The order editor of the options window: the items a pedigree or mating line shows, in their order,
// and the items still available. "Hinzufügen" opens the choice of available items, whose "OK" appends
// the selected ones; "Entfernen" puts the selected chosen ones back; a drag moves a chosen item. With
// two tabs (the pedigree's display and print) each tab keeps its own order.

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QListWidget;
class QPushButton;
class QTabBar;

namespace velmora::settings::ui {

class TReihenfolgeEditor : public QWidget {
    Q_OBJECT
public:
    // reiterTag: caption of the tab bar, its tabs take the following ones (0: no tabs, one order).
    TReihenfolgeEditor(bool verpaarung, const char* objektName, int reiterTag = 0,
                       const QStringList& reiterTitel = {}, QWidget* parent = nullptr);

    // One text per tab.
    void setTexte(const QStringList& texte);
    QStringList texte() const;

    // The language the item labels are shown in.
    void setSprache(int sprache);

    QListWidget* gewaehlt() const { return m_gewaehlt; }
    QListWidget* verfuegbar() const { return m_verfuegbar; }
    QGroupBox* auswahl() const { return m_auswahl; }
    QTabBar* reiter() const { return m_reiter; }
    QPushButton* hinzufuegenKnopf() const { return m_hinzufuegen; }
    QPushButton* entfernenKnopf() const { return m_entfernen; }
    QPushButton* okKnopf() const { return m_ok; }

    void hinzufuegen(); // shows the choice
    void uebernehmen(); // its OK: the selected available items to the end of the chosen list
    void entfernen();

private:
    // The two lists of a tab, kept while another tab is shown: a text read back would choose again
    // every keyword it contains ("Rassecode" brings "Rasse").
    struct Stand {
        QList<int> gewaehlt;
        QList<int> verfuegbar;
    };
    void zeigen(const Stand& s);
    Stand aktuellerStand() const;
    QList<int> eintraege(const QListWidget* l) const;
    void fuellen(QListWidget* l, const QList<int>& eintraege);

    bool m_verpaarung;
    int m_sprache = 0;
    QList<Stand> m_staende;
    int m_aktiv = 0;
    QTabBar* m_reiter = nullptr;
    QListWidget* m_gewaehlt = nullptr;
    QListWidget* m_verfuegbar = nullptr;
    QGroupBox* m_auswahl = nullptr;
    QPushButton* m_hinzufuegen = nullptr;
    QPushButton* m_entfernen = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace velmora::settings::ui
