#pragma once
// The cat list at the left of the main window: a read-only grid on its own cursor over catstamm,
// showing Name (or Rufname when sorted by the call-name index) and Status, in the index and status
// filter the settings name. Typing searches by the nearest key; rows carry the feature or top-cat colour.

#include "common/ui/rahmen.h"
#include "common/ui/tabellenmodell.h"
#include "store/table.h"

#include <QTableView>
#include <memory>

namespace velmora::app {

class KatzenListe : public QTableView, public Katzenauswahl {
    Q_OBJECT
public:
    explicit KatzenListe(store::Database& db, QWidget* parent = nullptr);
    ~KatzenListe() override;

    // Opens the cursor; false when catstamm does not open (the caller reports it).
    bool oeffnen();
    void schliessen();
    bool offen() const override;

    // Index, filter and column from the settings; the list keeps its cat when it can.
    void einstellen(const QString& index, const QString& filter, bool rufname, bool merkmalVorTop);
    // Moves the list to the cat (primary key search, the list's index kept).
    bool zeigeKatze(int nummer) override;
    int aktuelleKatze() const override; // 0 without one
    int anzahl() const;
    void neuLaden() override;

    // The typed prefix; cleared by Escape and when the main window loses the focus.
    const QString& suchName() const { return m_suchName; }
    void suchNameLeeren() { m_suchName.clear(); }
    // Appends a typed character and moves to the nearest record; false when the index does not begin
    // with a text field (the messages were shown and the list stays put).
    bool tippen(const QString& zeichen);

    store::Table& tabelle() { return *m_tabelle; }

    // The cat's colour (0x00BBGGRR) as the row shows it, 0 for none.
    int zeilenFarbe(int nummer) const;

signals:
    void katzeGewaehlt(int nummer); // double click
    void gesperrt();                // a blocked action (new-cat-from-pedigree mode) was tried

public:
    // Set by the main window: true while typing and double clicks are refused.
    std::function<bool()> blockiert;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void zurAktuellenZeile();
    void spaltenEinrichten();

    store::Database& m_db;
    std::unique_ptr<store::Table> m_tabelle;
    std::unique_ptr<store::Table> m_merkmal;  // katzemerkmal by Katze
    std::unique_ptr<store::Table> m_merkmale; // merkmale
    std::unique_ptr<store::Table> m_topkatze; // topkatze by Katze
    std::unique_ptr<TabellenModell> m_modell;
    QString m_suchName;
    bool m_merkmalVorTop = false;
    bool m_folgen = true; // selection follows the cursor
};

} // namespace velmora::app
