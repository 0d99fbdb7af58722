#pragma once
// The user-data window "Anwenderdaten": the user's own address (the owner of the own cats and the name
// in the main window's title), the club data, and the breed and colour every new cat gets. "OK" stores
// the two records and writes a changed breed or colour to the settings at once; closing the window
// otherwise leaves everything as it was.

#include "common/ui/kindfenster.h"

#include <QList>
#include <QPair>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace velmora::settings::ui {

inline constexpr char kAnwenderdaten[] = "Anwenderdaten";

class TAnwenderdaten : public TKindFenster {
    Q_OBJECT
public:
    explicit TAnwenderdaten(TRahmen& hauptfenster);

    bool oeffnen() override;

    // The field of the record ("eigen" or "zusatz") with that name, nullptr when there is none.
    QLineEdit* feld(const QString& tabelle, const QString& name) const;
    QComboBox* rasse() const { return m_rasse; }
    QComboBox* farbe() const { return m_farbe; }
    QPushButton* okKnopf() const { return m_ok; }

    // "OK": false when the entry was refused or a record could not be stored (the window stays open).
    bool ok();

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;

private:
    struct Feld {
        QString tabelle;
        QString name;
        QLineEdit* edit = nullptr;
    };
    bool datensatzSpeichern(const QString& tabelle);

    QList<Feld> m_felder;
    QComboBox* m_rasse = nullptr;
    QComboBox* m_farbe = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_hilfe = nullptr;
};

void anwenderdatenRegistrieren();

} // namespace velmora::settings::ui
