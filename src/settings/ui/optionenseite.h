#pragma once
// One page of the options window. A page builds its controls through the helpers below, each bound to
// one field of the settings: the window fills every bound control from its copy of the settings,
// checks them on "Speichern" (the first refused value stops it) and reads them back. Controls a page
// handles in its own code (lists from tables, the order editors) bind through `binden`.

#include "settings/optionen.h"
#include "settings/systeminfo.h"

#include <QGroupBox>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmora {
class TRahmen;
}

namespace velmora::settings::ui {

// A caption: its number and the German text used when the tables lack it.
struct Text {
    int tag;
    const char* text;
};

// A titled group of radio buttons; each button stands for one value.
class TWahlgruppe : public QGroupBox {
    Q_OBJECT
public:
    TWahlgruppe(const char* objektName, Text titel, std::initializer_list<Text> knoepfe,
                bool waagerecht = true, QWidget* parent = nullptr);
    int gewaehlt() const; // -1 without a choice
    void waehlen(int i);
    QRadioButton* knopf(int i) const;
    int anzahl() const;
    // Further controls of the group, after its buttons.
    void anhaengen(QWidget* w);

signals:
    void gewechselt(int i);

private:
    QButtonGroup* m_gruppe = nullptr;
};

// A value the page refuses: the control to go to and the message.
struct Ablehnung {
    QWidget* feld = nullptr;
    QString text;
};

class TOptionenSeite : public QWidget {
    Q_OBJECT
public:
    TOptionenSeite(TRahmen& rahmen, const char* objektName, Text titel);

    QString titel() const { return m_titel; }

    // Controls to settings and back; the page's own steps come after the bound ones.
    void laden(const tsysteminfo& e);
    void schreiben(tsysteminfo& e) const;
    std::optional<Ablehnung> pruefen() const;

    // The control bound to the field, nullptr when the page has none.
    QWidget* steuerelement(const QString& feld) const;
    QStringList gebundeneFelder() const;

    // Re-applies texts that are not set by caption numbers, and the controls' accessible names.
    virtual void uebersetzt();

    // Chooses a file to open (a file dialog; tests put their own chooser here). Empty: cancelled.
    std::function<QString(const QString& filter)> dateiWaehlen;

protected:
    TRahmen& rahmen() const { return m_rahmen; }

    virtual void ladenZusatz(const tsysteminfo&) {}
    virtual void schreibenZusatz(tsysteminfo&) const {}

    struct Bindung {
        QString feld;
        QWidget* steuer = nullptr;
        std::function<void(const tsysteminfo&)> laden;
        std::function<void(tsysteminfo&)> schreiben;
        std::function<std::optional<QString>()> pruefen; // the refusal's text; may be empty
    };
    void binden(Bindung b) { m_bindungen << std::move(b); }

    // A yes/no group (the first choice stands for true) for a boolean field.
    TWahlgruppe* jaNein(const char* feld, const char* objektName, Text titel);
    // A group whose choices stand for the texts of a text field (compared without regard to case).
    TWahlgruppe* auswahl(const char* feld, const char* objektName, Text titel,
                         std::initializer_list<Text> knoepfe, const QStringList& werte,
                         bool waagerecht = false);
    // Two choices with captions of their own for a boolean field.
    TWahlgruppe* zweiWahl(const char* feld, const char* objektName, Text titel, Text wahr, Text falsch);
    QCheckBox* ankreuzfeld(const char* feld, const char* objektName, Text text);
    // A number field checked against the field's range; the label becomes its buddy.
    QLineEdit* zahlFeld(const char* feld, const char* objektName, QLabel* label);
    QLineEdit* textFeld(const char* feld, const char* objektName, QLabel* label);

    static QLabel* beschriftung(const char* objektName, Text text);

private:
    TRahmen& m_rahmen;
    QString m_titel;
    QList<Bindung> m_bindungen;
};

// The name a control is read out and named by in messages: its group's title before its own label.
QString steuerelementName(const QWidget* w);
// Accessible names for every control of the widget from what the user reads.
void zugaenglichBenennen(QWidget* w);

} // namespace velmora::settings::ui
