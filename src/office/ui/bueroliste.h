#pragma once
// The three small lists kept beside the register (clubs, show dates, pharmacy): one record as a form
// with a record navigator on the page "&Felder", all records in the grid on the page "&Tabelle", and
// an optional sort order ("Sortierung nach") whose entries select named indexes of the table; a missing
// one is created on the spot. The editing rules are the list window's.

#include "common/ui/listenfenster.h"

#include <QList>
#include <memory>

class QComboBox;
class QFormLayout;
class QTabWidget;

namespace velmora {
class DbDatum;
class DbEdit;
class DbMemo;
class Navigator;
} // namespace velmora
namespace velmora::reg {
class TKalenderDlg;
}

namespace velmora::office {

class TBueroListe : public TListenFenster {
    Q_OBJECT
public:
    // An entry of the sort order: the index, its fields (to create it when missing), the caption.
    struct Ordnung {
        QString index;
        QString felder;
        int tag;
        QString deutsch;
    };

    TBueroListe(TRahmen& h, const QString& fensterName, int tag, const QString& tabelle, QList<Ordnung> ordnungen,
                int hilfeThema);
    ~TBueroListe() override;

    bool oeffnen() override;
    void uebersetzt() override;

    QTabWidget* seiten() const { return m_seiten; }
    QComboBox* sortierung() const { return m_sortierung; } // null for a list with one order
    Navigator* navigator() const { return m_navigator; }
    // The bound editor of a field (DbEdit, DbDatum or DbMemo), null when the form has none.
    QWidget* feld(const QString& feldName) const;
    // The calendar behind the date buttons; tests answer it.
    reg::TKalenderDlg& kalender();

    // Selects the entry of the sort order (as choosing it in the drop-down does).
    void ordnungWaehlen(int eintrag);

protected:
    void aufbauen(QVBoxLayout* inhalt) override;
    QWidget* erstesFeld() override;
    int hilfeThema() const override { return m_hilfeThema; }
    // Fills the form with textFeld, datumFeld and memoFeld.
    virtual void formAufbauen(QFormLayout* form) = 0;
    // Extra rows below the form (link lines and the like).
    virtual void formErgaenzen(QVBoxLayout* seite) {}

    DbEdit* textFeld(QFormLayout* form, int tag, const QString& text, const QString& feldName);
    // A date with its calendar button; knopfTag names the button (tool tip and accessible name).
    DbDatum* datumFeld(QFormLayout* form, int tag, const QString& text, const QString& feldName, int knopfTag);
    DbMemo* memoFeld(QFormLayout* form, int tag, const QString& text, const QString& feldName);
    // The caption without accelerator, or the German text when the tables lack it.
    static QString text(int tag, const QString& deutsch);

private:
    QList<Ordnung> m_ordnungen;
    int m_hilfeThema;
    QTabWidget* m_seiten = nullptr;
    QWidget* m_formSeite = nullptr;
    QComboBox* m_sortierung = nullptr;
    Navigator* m_navigator = nullptr;
    QList<std::pair<QString, QWidget*>> m_editoren;
    QList<std::pair<DbDatum*, int>> m_datumsKnoepfe;
    std::unique_ptr<reg::TKalenderDlg> m_kalender;
    bool m_ordnungSperre = false;
};

// Registers the clubs, show dates and pharmacy windows (menu "MenueVerwaltung").
void bueroListenRegistrieren();

} // namespace velmora::office
