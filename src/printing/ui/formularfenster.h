#pragma once
// The registration form windows: every field of the form as an editable control (text fields, check
// boxes, choices, the kitten grid), prefilled, and per association layout a preview and a print button.
// Nothing typed is stored; the form prints what its controls hold.

#include "printing/formulare.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QTableWidget;

namespace velmora::printing {

class TFormularFenster : public QDialog {
    Q_OBJECT
public:
    TFormularFenster(Druckquelle& quelle, Formular formular, QWidget* parent = nullptr);

    // The form with the values its controls hold now.
    Formular formular() const;
    QWidget* feld(const QString& name) const { return m_felder.value(name); }
    QTableWidget* jungtiere() const { return m_tabelle; }
    // The preview and the print of a layout; the print preview and the print dialog unless a test puts
    // its own.
    std::function<void(const Bericht&)> vorschau;
    std::function<void(const Bericht&)> drucken;
    void layoutDrucken(const QString& layout, bool nurVorschau);

protected:
    void showEvent(QShowEvent* e) override;

private:
    Druckquelle& m_q;
    Formular m_formular;
    QHash<QString, QWidget*> m_felder;
    QTableWidget* m_tabelle = nullptr;
    bool m_gemeldet = false;
};

// The litter registration ("Wurfmeldung und Antrag auf Ahnentafel") of the selected litter.
class TformWurfmeldung : public TFormularFenster {
    Q_OBJECT
public:
    TformWurfmeldung(Druckquelle& q, const Druckauftrag& a, QWidget* parent = nullptr)
        : TFormularFenster(q, wurfmeldungVorbelegen(q, a), parent) {}
};

class TFormMeldeformular : public TFormularFenster {
    Q_OBJECT
public:
    TFormMeldeformular(Druckquelle& q, const Druckauftrag& a, QWidget* parent = nullptr)
        : TFormularFenster(q, meldeformularVorbelegen(q, a), parent) {}
};

// The club typed for the show becomes the club of the membership line.
class TFormMeldeformularCFA : public TFormularFenster {
    Q_OBJECT
public:
    TFormMeldeformularCFA(Druckquelle& q, const Druckauftrag& a, QWidget* parent = nullptr);
};

} // namespace velmora::printing
