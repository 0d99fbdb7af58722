#pragma once
// The descendants windows. "Nachkommen" lists the kittens of the register's cat with their main data,
// follows the register and makes a double-clicked kitten the register's cat. "Liste der Nachkommen"
// shows the cat's descendants as a tree that is read one generation deeper each time a node is opened,
// the data of the selected cat, and prints the descendants over generations.

#include "common/ui/kindfenster.h"
#include "genealogy/nachkommen.h"
#include "printing/bericht.h"

#include <QIcon>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora::genealogy {

class TFormNachkommen : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormNachkommen(TRahmen& haupt);

    bool oeffnen() override;
    void uebersetzt() override;

    void laden(int nummer);
    int katze() const { return m_katze; }
    const DirekteNachkommen& liste() const { return m_liste; }
    // The kitten of the row becomes the register's cat; the window closes.
    void zeileGewaehlt(int zeile);

    printing::Bericht bericht() const;
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<QString()> pdfDateiWaehlen;

private:
    void aufbauen();
    void kopfSetzen();

    int m_katze = 0;
    QString m_name;
    DirekteNachkommen m_liste;
    bool m_fehlerGemeldet = false;
    QLabel* m_kopf = nullptr;
    QTableWidget* m_gitter = nullptr;
};

class TFormListeNachkommen : public TKindFenster {
    Q_OBJECT
public:
    static constexpr int kKnotenRolle = Qt::UserRole;   // index into the tree model, -1 for placeholders
    static constexpr int kBildRolle = Qt::UserRole + 1; // 0 female, 1 male, 2 no sex code, 3 placeholder

    explicit TFormListeNachkommen(TRahmen& haupt);
    ~TFormListeNachkommen() override;

    bool oeffnen() override;
    void uebersetzt() override;

    // Builds the first level for the cat.
    void aufbauenFuer(int nummer);
    int katze() const { return m_katze; }
    const Nachkommenbaum* baum() const { return m_baum.get(); }
    int gelesen() const { return m_leser ? m_leser->gelesen() : 0; }

    printing::Bericht bericht(int tiefe) const;
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<QString()> pdfDateiWaehlen;

private:
    void aufbauen();
    QTreeWidgetItem* katzenKnoten(QTreeWidgetItem* eltern, int knoten);
    void geoeffnet(QTreeWidgetItem* item);
    void gewaehlt(QTreeWidgetItem* item);
    void datenZeigen(qint32 nummer);

    int m_katze = 0;
    std::unique_ptr<NachkommenLeser> m_leser;
    std::unique_ptr<Nachkommenbaum> m_baum;
    std::array<QIcon, 4> m_bilder;
    QTreeWidget* m_tree = nullptr;
    QPlainTextEdit* m_daten = nullptr;
    QSpinBox* m_tiefe = nullptr;
};

// Registers both windows with the frame (menu "MenueKatze": "Direkte Nachkommen", "Gesamte Nachkommen").
void nachkommenRegistrieren();

} // namespace velmora::genealogy
