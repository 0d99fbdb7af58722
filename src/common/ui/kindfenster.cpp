#include "common/ui/kindfenster.h"

#include "common/ui/rahmen.h"
#include "language/tag.h"
#include "store/ui/dberror.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace velmora {

TKindFenster::TKindFenster(TRahmen& hauptfenster, const QString& fensterName, int tag, QWidget* parent)
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
    // A window closed before is out of the registry already; its name may belong to a new copy now.
    if (!m_abgemeldet) m_haupt.fensterGeschlossen(m_name);
}

void TKindFenster::closeEvent(QCloseEvent* e) {
    e->accept();
    if (m_abgemeldet) return;
    if (!m_geschlossen) {
        m_geschlossen = true;
        schliessen();
    }
    // The registry forgets the window at once; the widget itself goes later.
    m_abgemeldet = true;
    m_haupt.fensterGeschlossen(m_name);
    // Closed from within ("Zurück"): the frame around it closes too, else an empty frame would stay.
    if (auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget()))
        QMetaObject::invokeMethod(
            rahmen,
            [rahmen] {
                if (rahmen->isVisible()) rahmen->close();
            },
            Qt::QueuedConnection);
}

} // namespace velmora
