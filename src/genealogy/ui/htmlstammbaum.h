#pragma once
// "HTML-Stammbaum erstellen": the pedigree of the register's cat as one web page. The settings panel
// (file name, page language, fonts, picture, page size and placement, colours, backgrounds,
// generations) and the header's layout editor fill HTMLTessaro.ini; the previews show the header as
// the page will carry it and may be edited before writing. Follows the register's cat.

#include "common/ui/kindfenster.h"
#include "genealogy/htmlstammbaum.h"

#include <QColor>
#include <QFont>
#include <QUrl>
#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;

namespace velmora::genealogy {

class THTMLKopfEditor;

class TFormHTMLStammbaum : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormHTMLStammbaum(TRahmen& haupt);
    ~TFormHTMLStammbaum() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // The register brought another cat: previews emptied, picture and file name made again, header built.
    void katzeZeigen(int nummer);
    int katze() const { return m_katze; }
    // Writes the page; true when it was written. `anzeigen`: then opens it, whether written or not.
    bool schreiben(bool anzeigen);
    // The settings as the controls hold them.
    THTMLINI einstellungenAusFenster() const;
    QString einstellungsDatei() const;
    bool spracheGewechselt() const { return m_spracheGewechselt; }
    THTMLKopfEditor* kopfEditor() const { return m_editor; }

    // The dialogs, replaceable in tests: a save dialog for the page, an open dialog for a picture
    // (empty when cancelled), the font and colour dialogs (nullopt / invalid when cancelled), and the
    // desktop's viewer.
    std::function<QString(const QString& vorschlag)> seiteWaehlen;
    std::function<QString()> bildWaehlen;
    std::function<std::optional<QFont>(const QFont&)> schriftWaehlen;
    std::function<QColor(const QColor&)> farbeWaehlen;
    std::function<bool(const QUrl&)> anzeigenMitDesktop;

private:
    void aufbauen();
    QWidget* einstellungsSeite();
    QWidget* optionenSeite();
    void steuerelementeSetzen();
    void seitenspracheSetzen(bool geoeffnet);
    void kopfBauen();
    void dateinameMachen();
    void dateinameBereinigen();
    void bildnameSetzen();
    void bildpositionGeaendert();
    void hintergrundArtGeaendert();
    void schriftWaehlenFuer(int welche);
    void schriftenZeigen();
    void eigeneFarbe(QComboBox* liste);
    void optionenZeigen(int feld);
    QString registerBild() const;

    qint32 m_katze = 0;
    THTMLINI m_ini;
    settings::Sprache m_spracheBeimOeffnen = settings::Sprache::Deutsch;
    bool m_spracheGewechselt = false;
    bool m_titelKatze = false; // the cat's name line starts with its titles
    bool m_optionenSetzen = false;
    int m_optionenFeld = 0;
    std::array<QFont, 3> m_schrift; // name, header data, pedigree

    QStackedWidget* m_panel = nullptr;
    QLineEdit *m_pfad = nullptr, *m_bild = nullptr, *m_bildWeite = nullptr, *m_bildHoehe = nullptr;
    QLineEdit *m_breite = nullptr, *m_hoehe = nullptr, *m_transparenz = nullptr;
    QLineEdit *m_bildGenWeite = nullptr, *m_bildGenHoehe = nullptr;
    QLineEdit *m_hintergrundBild = nullptr, *m_stbBild = nullptr;
    QPushButton *m_bildKnopf = nullptr, *m_hintergrundBildKnopf = nullptr, *m_stbBildKnopf = nullptr;
    QPushButton *m_hintergrundLaden = nullptr, *m_stbLaden = nullptr;
    QComboBox *m_sprache = nullptr, *m_rahmen = nullptr, *m_hintergrundArt = nullptr;
    QComboBox *m_hintergrundFarbe = nullptr, *m_stbArt = nullptr, *m_stbFarbe = nullptr;
    std::array<QComboBox*, 3> m_schriftFarbe{};
    std::array<QLabel*, 3> m_farbmuster{}; // samples beside frame, page and pedigree colour lists
    QCheckBox *m_auto = nullptr, *m_bildGen = nullptr;
    QSpinBox* m_generationen = nullptr;
    QButtonGroup *m_bildPos = nullptr, *m_position = nullptr;
    QGroupBox* m_bildGruppe = nullptr;
    QLineEdit* m_namenVorschau = nullptr;
    QTabWidget* m_vorschauTabs = nullptr;
    QPlainTextEdit *m_spalte1 = nullptr, *m_spalte2 = nullptr;
    QLabel* m_stbMuster = nullptr;
    THTMLKopfEditor* m_editor = nullptr;
    // options panel
    QLabel* m_optionenFuer = nullptr;
    QRadioButton *m_mitBez = nullptr, *m_ohneBez = nullptr, *m_weglassen = nullptr, *m_leerAusgeben = nullptr;
};

void htmlStammbaumRegistrieren();

} // namespace velmora::genealogy
