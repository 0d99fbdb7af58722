#pragma once
// The simple members of the list window pattern: breeds, colours, eye colours, coat types, titles and
// cat names. Each names its table and index, its grid columns and its form, and tells the register
// when its table closed.

#include "common/ui/listenfenster.h"

class QFormLayout;
class QLineEdit;
class QTabWidget;

namespace velmora::reg {

// Base of the reference list editors: a form of labelled line edits, optionally on a page "&Felder"
// next to a page "&Tabelle" with the grid; otherwise the grid above the form.
class TReferenzEditor : public TListenFenster {
    Q_OBJECT
public:
    TReferenzEditor(TRahmen& h, const QString& fensterName, int tag, const QString& tabelle,
                    const QString& index, bool mitSeiten);

    QLineEdit* feldEdit(const QString& feld) const;
    QTabWidget* seiten() const { return m_seiten; }
    // The grid titles follow the language.
    void uebersetzt() override;

protected:
    void aufbauen(QVBoxLayout* inhalt) override;
    void nachSchliessen() override;
    QWidget* erstesFeld() override;
    // Adds the form's controls (with formFeld) to the form.
    virtual void formAufbauen(QFormLayout* form) = 0;
    // A labelled line edit bound to the field; the label carries the caption number.
    QLineEdit* formFeld(QFormLayout* form, int tag, const QString& text, const QString& feld);

private:
    QString m_tabelle;
    bool m_mitSeiten;
    QTabWidget* m_seiten = nullptr;
    QWidget* m_formSeite = nullptr;
    QList<std::pair<QString, QLineEdit*>> m_edits;
};

class TFormRassen : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormRassen(TRahmen& h);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
};

class TFormFarben : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormFarben(TRahmen& h);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
};

class TFormAugenfarbe : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormAugenfarbe(TRahmen& h);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
};

class TFormFellart : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormFellart(TRahmen& h);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
};

class TFormTitel : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormTitel(TRahmen& h);
    bool oeffnen() override;
    // A click on the grid title of a column: `Titel` and `Kuerzel` re-sort by their index.
    void spaltenTitelGeklickt(int spalte);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
    void nachSchliessen() override;
};

class TFormKatzennamen : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormKatzennamen(TRahmen& h);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
    bool loeschenBestaetigen() override;
};

// A caption from the tables without its accelerator, or the fallback when the tables lack it.
QString spaltenText(const QString& beschriftung, const QString& vorgabe);

} // namespace velmora::reg
