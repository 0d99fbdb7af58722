#pragma once
// One page of the cat register. The register tells every page which cat it shows; a page reads its
// rows only when it is in front (a move through the register costs nothing for the pages behind),
// stores what the user left pending before the cat changes, the page is left or the window closes,
// and re-reads its captions when the language changes.

#include <QString>
#include <QWidget>

namespace velmora {
class TRahmen;
namespace store::ui {
class TDBError;
}
} // namespace velmora

namespace velmora::reg {

class TCatStamm;

class TKatzenSeite : public QWidget {
    Q_OBJECT
public:
    // objektName: the page's object name (the language tables find its tab title under tag).
    TKatzenSeite(TCatStamm& katzenregister, const char* objektName, int tag, const char* titel);
    ~TKatzenSeite() override;

    // The German title used when the language tables lack the caption.
    const QString& titel() const { return m_titel; }

    // The cat the page shows: 0 for none (a new record not stored yet).
    int katze() const { return m_katze; }
    // Sex code of the cat ("1" to "4"), read when the cat was set.
    const QString& geschlecht() const { return m_geschlecht; }
    bool weiblich() const;

    // The register shows another cat (or the same one again after a store): the page forgets its
    // rows and reads them again the next time it is in front, at once when it is in front now.
    void katzeSetzen(int nummer, const QString& geschlecht, bool vorn);
    // The page came to the front: it reads its rows when they are not read for the current cat yet.
    void gezeigt();
    // Rows were read for the current cat.
    bool geladen() const { return m_geladen; }

    // Stores what the user left pending. False when a change was refused and stays open for the
    // user to mend: the register then keeps the cat and the page.
    virtual bool verlassen() { return true; }
    // The register closes: pending changes are stored (a refused one is dropped), tables closed.
    virtual void schliessen() {}
    // The language changed: texts that are not set by caption numbers.
    virtual void uebersetzt();

    TCatStamm& katzenregister() const { return m_register; }
    TRahmen& rahmen() const;
    store::ui::TDBError& fehlerDialog() const;

    // Brings the widget to the front through every tab set above it (within the page).
    static void nachVorn(QWidget* w);

signals:
    // The page stored or deleted a row of the current cat.
    void gespeichert();

protected:
    // Reads the rows of katze() (0: shows nothing).
    virtual void laden() = 0;
    // Gives every control of the page without one an accessible name from its caption.
    void zugaenglichBenennen();

private:
    TCatStamm& m_register;
    QString m_titel;
    int m_katze = 0;
    QString m_geschlecht;
    bool m_geladen = false;
};

} // namespace velmora::reg
