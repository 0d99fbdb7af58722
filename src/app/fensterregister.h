#pragma once
// Which child windows are open, and the rule that the ten large windows keep every other window-opening
// command away while they are open. Kept free of widgets so the rule is tested on its own; the main
// window reports opening and closing and shows the message the check asks for.

#include <QString>
#include <QStringList>
#include <span>

namespace velmora::app {

struct ExklusivesFenster {
    const char* name;       // window name, compared exactly
    int code;               // the message shown when it blocks
    const char* objektName; // lower-case object name of the window
};

// In the order the check walks them: the last open one wins.
std::span<const ExklusivesFenster> exklusiveFenster();
bool istExklusiv(const QString& fensterName);

class Fensterregister {
public:
    void geoeffnet(const QString& name);
    void geschlossen(const QString& name);
    bool offen(const QString& name) const { return m_offen.contains(name); }
    const QStringList& offene() const { return m_offen; } // in the order opened
    bool exklusivOffen() const;

    struct Pruefung {
        int code = 0;            // 0: nothing blocks
        QString blockierer;      // object name of the blocking window
        bool meldungZeigen = false;
        bool nachVorne = false;  // bring the blocking window to the front
    };
    // argument: the window that is about to open (it never blocks itself), "bringtofront" or
    // "ohneMeldung". programmEnde answers 10 without anything else.
    Pruefung pruefen(const QString& argument, bool programmEnde) const;

private:
    QStringList m_offen;
};

} // namespace velmora::app
