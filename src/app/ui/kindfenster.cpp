#include "app/ui/kindfenster.h"

#include "app/ui/tvelmora.h"
#include "language/tag.h"
#include "store/ui/dberror.h"

#include <QCloseEvent>

namespace velmora::app {

TKindFenster::TKindFenster(TVelmora& hauptfenster, const QString& fensterName, int tag, QWidget* parent)
    : QWidget(parent), m_haupt(hauptfenster), m_name(fensterName) {
    setObjectName(fensterName);
    language::setTag(this, tag);
}

store::ui::TDBError& TKindFenster::fehlerDialog() {
    if (m_fehlerDialog) return *m_fehlerDialog;
    if (store::ui::TDBError* d = m_haupt.fehlerDialog()) return *d;
    if (!m_eigenerDialog) m_eigenerDialog = new store::ui::TDBError(&m_haupt.db(), this);
    return *m_eigenerDialog;
}

TKindFenster::~TKindFenster() {
    if (!m_geschlossen) {
        m_geschlossen = true;
        schliessen();
    }
    m_haupt.fensterGeschlossen(m_name);
}

void TKindFenster::closeEvent(QCloseEvent* e) {
    if (!m_geschlossen) {
        m_geschlossen = true;
        schliessen();
    }
    e->accept();
    // The registry forgets the window at once; the widget itself goes later.
    m_haupt.fensterGeschlossen(m_name);
}

} // namespace velmora::app
