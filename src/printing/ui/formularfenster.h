#pragma once
// The registration form windows: every field of the form as an editable control (text fields, check
// boxes, choices, the kitten grid), prefilled, and per association layout a preview and a print button.
// Nothing typed is stored; the form prints what its controls hold. Clicking a caption puts the cursor
// into its field. Inside the frame (its parent) the form opens its help topic, and when it becomes
// active while an exclusive window blocks, it asks the frame to bring that window forward.

#include "printing/formulare.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QTableWidget;

namespace velmora {
class TRahmen;
}

namespace velmora::printing {

class TFormularFenster : public QDialog {
    Q_OBJECT
public:
    TFormularFenster(Druckquelle& quelle, Formular formular, int hilfeThema, QWidget* parent = nullptr);

    // The form with the values its controls hold now.
    Formular formular() const;
    QWidget* feld(const QString& name) const { return m_felder.value(name); }
    QTableWidget* jungtiere() const { return m_tabelle; }
    // The preview and the print of a layout; the print preview and the print dialog unless a test puts
    // its own.
    std::function<void(const Bericht&)> vorschau;
    std::function<void(const Bericht&)> drucken;
    void layoutDrucken(const QString& layout, bool nurVorschau);
    int hilfeThema() const { return m_hilfe; }

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    TRahmen* rahmen() const;
    void aktiviert();
    Druckquelle& m_q;
    Formular m_formular;
    QHash<QString, QWidget*> m_felder;
    QTableWidget* m_tabelle = nullptr;
    bool m_gemeldet = false;
    int m_hilfe = 0;
    int m_blockiertGemeldet = 0; // the blocking window's code already reported on an activation
};

// The litter registration ("Wurfmeldung und Antrag auf Ahnentafel") of the selected litter.
class TformWurfmeldung : public TFormularFenster {
    Q_OBJECT
public:
    TformWurfmeldung(Druckquelle& q, const Druckauftrag& a, QWidget* parent = nullptr)
        : TFormularFenster(q, wurfmeldungVorbelegen(q, a), 160, parent) {}
};

class TFormMeldeformular : public TFormularFenster {
    Q_OBJECT
public:
    TFormMeldeformular(Druckquelle& q, const Druckauftrag& a, QWidget* parent = nullptr)
        : TFormularFenster(q, meldeformularVorbelegen(q, a), 170, parent) {}
};

// The club typed for the show becomes the club of the membership line.
class TFormMeldeformularCFA : public TFormularFenster {
    Q_OBJECT
public:
    TFormMeldeformularCFA(Druckquelle& q, const Druckauftrag& a, QWidget* parent = nullptr);
};

} // namespace velmora::printing
