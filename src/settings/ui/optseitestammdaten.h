#pragma once
// Options page "Stammdaten": the register's cat order, the extra kennel data, the name search for new
// cats, the picture fitting, and the breed, colour and coat type every new cat gets.

#include "settings/ui/optionenseite.h"

class QComboBox;

namespace velmora::store {
class Database;
}

namespace velmora::settings::ui {

class TOptSeiteStammdaten : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteStammdaten(TRahmen& rahmen);

    QComboBox* rasse() const { return m_rasse; }
    QComboBox* farbe() const { return m_farbe; }
    QComboBox* haarart() const { return m_haarart; }

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;

private:
    void listenFuellen();

    QComboBox* m_rasse = nullptr;
    QComboBox* m_farbe = nullptr;
    QComboBox* m_haarart = nullptr;
};

// The breed, colour and coat-type lists as the options page and the user-data window show them: an
// empty first entry (no default), then the records; a value the list lacks is added so it stays.
void rassenFuellen(QComboBox* c, store::Database& db, int sprache);
void farbenFuellen(QComboBox* c, store::Database& db);
void haarartenFuellen(QComboBox* c, store::Database& db);
void nummerZeigen(QComboBox* c, int nummer);
void textZeigen(QComboBox* c, const QString& text);

} // namespace velmora::settings::ui
