#pragma once
// Editors bound to the fields of one table cursor.
//
// A window creates one FeldBindung per cursor and hands it to every editor that shows a field of that
// cursor, so all of them stay in step: every move of the cursor (and every store) reloads them, and a
// change by the user puts the cursor into edit state and writes the value into the current record at
// once. Loading never marks the cursor as changed.
//
// The binder hooks itself into the cursor's afterScroll, afterPost and beforePost; a hook set earlier
// keeps working, it is called first. The cursor reports neither append nor cancel, so windows use the
// binder's anhaengen()/abbrechen()/speichern(), or call neuLaden() after acting on the cursor directly.
//
// The cursor must outlive the binder, the binder may die before or after its editors.

#include "store/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <functional>
#include <optional>

class QCalendarWidget;
class QFrame;
class QKeyEvent;
class QToolButton;

namespace velmora {

class DbFeld;

class FeldBindung : public QObject {
    Q_OBJECT
public:
    explicit FeldBindung(store::Table& tabelle, QObject* parent = nullptr);
    ~FeldBindung() override;

    store::Table& tabelle() const { return m_tabelle; }

    // True exactly while the cursor holds an unstored change: a new record not yet stored, a changed
    // field of the current record, or an editor holding input that is not a value yet (half a date).
    bool geaendert() const;

    // Shows the cursor's current record in every editor (after the cursor was changed in code).
    void neuLaden();

    // The editing commands of a window, so the editors follow: each reports a failure through
    // fehlerAnzeige and returns false then; a failing store keeps the user's input on screen.
    bool speichern();
    void abbrechen();
    bool anhaengen();

    // Blocks every change by the user (the editors still show the record).
    void setNurLesen(bool nurLesen) { m_nurLesen = nurLesen; }
    bool nurLesen() const { return m_nurLesen; }

    // Asked when the user changes a field while the cursor shows no record (an empty list): true when
    // it started a new record, which then takes the change. Unset, such a change is refused.
    std::function<bool()> neuerDatensatz;

    // How a failure of the table is reported; windows route it to their database error dialog.
    // The default shows an error box of the message service.
    std::function<void(const std::exception& fehler)> fehlerAnzeige;
    void fehlerMelden(const std::exception& fehler);

    const QList<DbFeld*>& felder() const { return m_felder; }

signals:
    // After the editors were filled from the cursor (every move, store, cancel, neuLaden).
    void datensatzGeladen();
    // When geaendert() flips; windows enable "Speichern" and "Rückgängig" with it.
    void geaendertGewechselt(bool geaendert);
    // The user changed the value of the field (after it was written into the record).
    void feldGeaendert(const QString& feld);

private:
    friend class DbFeld;
    struct Haken;
    void anmelden(DbFeld* feld);
    void abmelden(DbFeld* feld);
    void vomBenutzer(DbFeld& feld);
    void vorDemSpeichern();
    void standPruefen();

    store::Table& m_tabelle;
    QList<DbFeld*> m_felder;
    bool m_laedt = false;
    bool m_nurLesen = false;
    bool m_geaendert = false;
};

// The part every bound editor shares: the field name and the way to the binder.
class DbFeld {
public:
    virtual ~DbFeld();
    DbFeld(const DbFeld&) = delete;
    DbFeld& operator=(const DbFeld&) = delete;

    const QString& feld() const { return m_feld; }
    FeldBindung* bindung() const { return m_bindung; }
    // True while the editor shows input that is not a value of its field yet.
    bool ausstehend() const { return m_ausstehend; }

    // Table to editor.
    void laden();

protected:
    DbFeld(FeldBindung& bindung, QString feld);

    virtual void anzeigen(const QVariant& wert) = 0;
    // Editor to table; false while the input is no value (the table keeps its last value).
    virtual bool schreiben() = 0;
    // The text of the refusal when a post meets input that is no value.
    virtual QString ungueltigText() const;

    // Called by the editor on every change; changes made while loading are ignored.
    void benutzerAenderung();
    // The current value of the field (empty without an open cursor or without the field).
    QVariant wert() const;
    const store::FieldDef* feldDef() const;
    void setzen(const QVariant& wert);

    // Marks changes of the widget as made by the program for as long as it lives.
    class Laden {
    public:
        explicit Laden(DbFeld& f) : m_f(f) { ++m_f.m_ladeTiefe; }
        ~Laden() { --m_f.m_ladeTiefe; }

    private:
        DbFeld& m_f;
    };

private:
    friend class FeldBindung;
    QPointer<FeldBindung> m_bindung;
    QString m_feld;
    int m_ladeTiefe = 0;
    bool m_ausstehend = false;
};

// A one-line text; the length is limited to the size of a Text field.
class DbEdit : public QLineEdit, public DbFeld {
    Q_OBJECT
public:
    DbEdit(FeldBindung& bindung, const QString& feld, QWidget* parent = nullptr);

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
};

// A text of many lines (memo fields).
class DbMemo : public QPlainTextEdit, public DbFeld {
    Q_OBJECT
public:
    DbMemo(FeldBindung& bindung, const QString& feld, QWidget* parent = nullptr);

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
};

// A date typed as dd.MM.yyyy (d.M.yy accepted) or picked from a calendar; empty clears the field.
class DbDatum : public QWidget, public DbFeld {
    Q_OBJECT
public:
    DbDatum(FeldBindung& bindung, const QString& feld, QWidget* parent = nullptr);

    QLineEdit* eingabe() const { return m_eingabe; }
    QToolButton* kalenderKnopf() const { return m_knopf; }
    // The calendar of the popup (created on first use).
    QCalendarWidget* kalender();
    bool kalenderOffen() const;
    // The calendar button: the window's calendar dialog when one is set (a date on OK, nothing on
    // Cancel), else the popup.
    void kalenderOeffnen();
    std::function<std::optional<QDate>()> kalenderDialog;

    // The date the text stands for: invalid when empty or not a date.
    QDate datum() const;
    // Reads "1.2.2020", "01.02.2020", "1.2.20"; an invalid date for anything else.
    static QDate lesen(const QString& text);
    static QString text(const QDate& datum); // "01.02.2020", "" for an invalid date

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
    QString ungueltigText() const override;
    void changeEvent(QEvent* e) override;

private:
    void gewaehlt(const QDate& datum);
    void beschriften(); // placeholder and calendar hint in the current language

    QLineEdit* m_eingabe;
    QToolButton* m_knopf;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_kalender = nullptr;
};

class DbCheckBox : public QCheckBox, public DbFeld {
    Q_OBJECT
public:
    DbCheckBox(FeldBindung& bindung, const QString& feld, const QString& text = {},
               QWidget* parent = nullptr);

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
};

// A fixed list: the user sees the texts, the field stores the codes (sex "1" shown as "m").
// An entry with an empty code clears the field. A stored code that is not in the list shows nothing.
class DbAuswahl : public QComboBox, public DbFeld {
    Q_OBJECT
public:
    struct Eintrag {
        QString text;
        QVariant code;
    };
    DbAuswahl(FeldBindung& bindung, const QString& feld, const QList<Eintrag>& eintraege,
              QWidget* parent = nullptr);

    // New texts (after a change of language); the shown record stays.
    void setEintraege(const QList<Eintrag>& eintraege);
    QVariant code() const { return currentData(); }

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
};

// A list filled from another cursor: shows anzeigeFeld, stores schluesselFeld of the chosen record.
// The list follows that cursor's order, range and filter; it is read when built and on neuLaden(), and
// again once the event loop runs after any store into the list's table (by whichever cursor).
class DbNachschlag : public QComboBox, public DbFeld {
    Q_OBJECT
public:
    DbNachschlag(FeldBindung& bindung, const QString& feld, store::Table& liste, const QString& anzeigeFeld,
                 const QString& schluesselFeld, QWidget* parent = nullptr);
    ~DbNachschlag() override;

    // Offers an empty first entry that clears the field.
    void setLeerErlaubt(bool erlaubt);
    // Re-reads the list (after its table changed); the shown record stays.
    void neuLaden();
    QVariant schluessel() const { return currentData(); }

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    store::Table& m_liste;
    QString m_anzeigeFeld;
    QString m_schluesselFeld;
    bool m_leerErlaubt = false;
    int m_lauscher = -1;
    bool m_neuGeplant = false;
};

// A number: whole numbers for Int, Short and Auto fields (Auto is read-only), decimals for Float and
// Money, with "," or "." as separator. Empty clears the field.
class DbZahl : public QLineEdit, public DbFeld {
    Q_OBJECT
public:
    DbZahl(FeldBindung& bindung, const QString& feld, QWidget* parent = nullptr);

    bool ganzzahlig() const { return m_ganz; }

protected:
    void anzeigen(const QVariant& wert) override;
    bool schreiben() override;
    QString ungueltigText() const override;

private:
    void artPruefen();
    bool m_ganz = true;
};

} // namespace velmora
