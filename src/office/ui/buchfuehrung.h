#pragma once
// The bookkeeping window ("Buchführung", help 60): the pages "Buchen", "Auswertungen" and
// "Konten / Kategorien", each in its own class, over the widget-free books (office/buchhaltung.h).
// Leaving a page stores its pending edits first; a page whose edit cannot be stored keeps the focus.

#include "common/ui/kindfenster.h"
#include "office/buchhaltung.h"

#include "printing/bericht.h"

#include <functional>
#include <memory>

class QTabWidget;

namespace velmora::office {

class TSeiteBuchen;
class TSeiteAuswertungen;
class TSeiteKonten;

// A caption from the language tables, the German text when they lack it.
QString btext(int nummer, const char* deutsch);

// Registers the window kind (menu "B&uchführung", tool button).
void buchfuehrungRegistrieren();

class TFormBuchfuehrung : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormBuchfuehrung(TRahmen& hauptfenster);
    ~TFormBuchfuehrung() override;

    bool oeffnen() override;
    void schliessen() override;

    Buchhaltung& buchhaltung() { return *m_buch; }
    // Asks message 29 when the setting Speichern is off; true: store.
    bool speichernErlaubt();
    // Shows the failure of a store: a refused operation as a message, an engine error in the error dialog.
    void fehlerZeigen(const std::exception& e);
    // After any change of accounts, categories or bookings: every page shows the books anew.
    void geaendert();

    QTabWidget* seiten() const { return m_seiten; }
    TSeiteBuchen* seiteBuchen() const { return m_buchen; }
    TSeiteAuswertungen* seiteAuswertungen() const { return m_auswertungen; }
    TSeiteKonten* seiteKonten() const { return m_konten; }

    // Where the CSV export and the PDF of a print go; a file dialog unless set (tests set them).
    std::function<QString(const QString& vorschlag)> dateiWaehlen;
    // How a print is shown: the preview unless set (tests keep the report).
    std::function<void(const printing::Bericht&)> drucken;

private:
    std::unique_ptr<Buchhaltung> m_buch;
    QTabWidget* m_seiten = nullptr;
    TSeiteBuchen* m_buchen = nullptr;
    TSeiteAuswertungen* m_auswertungen = nullptr;
    TSeiteKonten* m_konten = nullptr;
    int m_seite = 0;
    bool m_geschlossen = false;
};

} // namespace velmora::office
