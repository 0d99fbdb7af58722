#pragma once
// The options window "Systemparameter": twelve pages over the settings, edited on a copy; "Speichern"
// checks every value (the first refused one is named and nothing is taken over), applies the changed
// ones to the running program and writes the keys; "Zurück" drops the edits. The matings window and
// the register's litter page open reduced forms of one page.

#include "common/ui/kindfenster.h"
#include "settings/optionen.h"
#include "settings/systeminfo.h"

#include <QList>

class QPushButton;
class QTabWidget;

namespace velmora::settings::ui {

class TOptionenSeite;

// Registry names of the full window and of the two reduced forms.
inline constexpr char kOptionen[] = "FOptionen";
inline constexpr char kOptionenVerpaarung[] = "FOptionenVerpaarung";
inline constexpr char kOptionenWurfbuch[] = "FOptionenWurfbuch";

class TFOptionen : public TKindFenster {
    Q_OBJECT
public:
    TFOptionen(TRahmen& hauptfenster, OptionenUmfang umfang);

    bool oeffnen() override;
    void uebersetzt() override;

    OptionenUmfang umfang() const { return m_umfang; }
    QTabWidget* seiten() const { return m_seiten; }
    const QList<TOptionenSeite*>& seitenListe() const { return m_seitenListe; }
    template <typename Seite> Seite* seite() const {
        for (TOptionenSeite* s : m_seitenListe)
            if (auto* p = qobject_cast<Seite*>(s)) return p;
        return nullptr;
    }
    // The control bound to a field of the settings, nullptr when no page of this window has one.
    QWidget* steuerelement(const QString& feld) const;
    QStringList gebundeneFelder() const;

    QPushButton* speichernKnopf() const { return m_speichern; }
    QPushButton* zurueckKnopf() const { return m_zurueck; }

    // "Speichern": false when a value was refused (the window stays open on it).
    bool speichern();

private:
    OptionenUmfang m_umfang;
    tsysteminfo m_anfang; // the settings as the window opened with them
    QTabWidget* m_seiten = nullptr;
    QList<TOptionenSeite*> m_seitenListe;
    QPushButton* m_speichern = nullptr;
    QPushButton* m_zurueck = nullptr;
    QPushButton* m_hilfe = nullptr;
};

// Registers the options window (menu "Extras"), its reduced forms and the user-data window.
void optionenRegistrieren();

// Opens the options window in that form through the frame (brings it forward when open); nullptr when
// the frame refuses it. The matings window and the register's litter page call this.
TKindFenster* systemparameterZeigen(TRahmen& rahmen, OptionenUmfang umfang);

} // namespace velmora::settings::ui
