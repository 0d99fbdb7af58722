#pragma once
// Buttons that move a cursor: first, previous, next, last and, when asked for, the bookmark pair
// "Merken" / "Zurück". It works through the cursor's binder, so the bound editors follow every move and
// a failing store of a pending edit (the cursor stores it before it moves) is reported there; the
// cursor then stays on the record with the user's input.

#include <QWidget>

class QToolButton;

namespace velmora {

class FeldBindung;

class Navigator : public QWidget {
    Q_OBJECT
public:
    enum Knopf { Erster, Vorheriger, Naechster, Letzter, Merken, Zurueck };

    explicit Navigator(FeldBindung& bindung, QWidget* parent = nullptr, bool mitLesezeichen = false);

    // nullptr for the bookmark buttons of a navigator without them.
    QToolButton* knopf(Knopf k) const { return m_knoepfe[k]; }
    bool hatLesezeichen() const { return m_lesezeichen != 0; }

    void erster();
    void vorheriger();
    void naechster();
    void letzter();
    void merken();
    void zurueck();

    // Enables the buttons for the cursor's position; runs on every move and change of the binder.
    void aktualisieren();
    // Texts of the tool tips in the run's language.
    void texteSetzen();

signals:
    // After a move by the navigator that did not fail.
    void bewegt();

private:
    template <typename F> void bewegen(F schritt);

    FeldBindung& m_bindung;
    QToolButton* m_knoepfe[6] = {};
    qint64 m_lesezeichen = 0;
};

} // namespace velmora
