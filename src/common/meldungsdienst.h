#pragma once
// The one way a message box reaches the user. Windows describe the box (number, kind, buttons, composed
// text); the service shows it through the installed presenter. With VELMORA_MELDUNGEN set no box is shown:
// each box becomes one line "KIND;NUMBER;TEXT;ANSWER" in that file and is answered from the comma-separated
// list in VELMORA_ANTWORTEN (ja, nein, ok), taken in order; once the list is used up an OK box answers ok
// and a Yes/No box nein. Tests and end-to-end checks drive the program that way.

#include <QString>
#include <QStringList>
#include <functional>

namespace velmora {

enum class MeldungsArt { Information, Warnung, Fehler };
enum class Knoepfe { Ok, JaNein };
enum class Antwort { Ok, Ja, Nein };

struct Meldung {
    MeldungsArt art = MeldungsArt::Information;
    int nummer = 0; // 0: a text that does not come from the message table
    QString text;
    Knoepfe knoepfe = Knoepfe::Ok;
    // With Yes/No: captions of the two buttons when they are not "Ja"/"Nein" (the first answers ja),
    // and the box's title when it has its own.
    QStringList knopfTexte;
    QString titel;
};

class Meldungsdienst {
public:
    using Anzeige = std::function<Antwort(const Meldung&)>;

    // Shows the box and returns the answer. Without a presenter (headless tool) an OK box answers ok and
    // a Yes/No box nein, so nothing destructive happens unasked.
    static Antwort zeigen(const Meldung& m);
    static Antwort zeigen(MeldungsArt art, int nummer, const QString& text, Knoepfe knoepfe = Knoepfe::Ok) {
        Meldung m;
        m.art = art;
        m.nummer = nummer;
        m.text = text;
        m.knoepfe = knoepfe;
        return zeigen(m);
    }
    // Message n from the table in the current language (fallback when the table lacks it).
    static Antwort nachricht(int nummer, MeldungsArt art = MeldungsArt::Information,
                             Knoepfe knoepfe = Knoepfe::Ok, const QString& fallback = {});
    static bool ja(int nummer, MeldungsArt art = MeldungsArt::Warnung) {
        return nachricht(nummer, art, Knoepfe::JaNein) == Antwort::Ja;
    }

    // The widget layer installs the real box; tests may install their own. Returns the previous one.
    static Anzeige setAnzeige(Anzeige anzeige);

    // Automation mode (VELMORA_MELDUNGEN); re-read from the environment by neuLaden().
    static bool automatik();
    static void neuLaden();
    // In automation mode writes one line to the log as a box of that kind would, answered ok without
    // taking an answer from the list (what a window showed, not a question); otherwise nothing.
    static void protokollieren(MeldungsArt art, const QString& text);

    // Every box shown in this process, for tests.
    static const QList<Meldung>& verlauf();
    static void verlaufLeeren();
};

// The log line of one box, as the automation mode writes it.
QString meldungsZeile(const Meldung& m, Antwort antwort);
QString antwortText(Antwort a);

} // namespace velmora
