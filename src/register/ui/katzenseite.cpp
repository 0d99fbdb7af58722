#include "register/ui/katzenseite.h"

#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/tcatstamm.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace velmora::reg {

TKatzenSeite::TKatzenSeite(TCatStamm& katzenregister, const char* objektName, int tag, const char* titel)
    : QWidget(nullptr), m_register(katzenregister), m_titel(QString::fromUtf8(titel)) {
    setObjectName(QLatin1String(objektName));
    language::setTag(this, tag);
}

TKatzenSeite::~TKatzenSeite() = default;

bool TKatzenSeite::weiblich() const {
    return m_geschlecht == QLatin1String("2") || m_geschlecht == QLatin1String("4");
}

TRahmen& TKatzenSeite::rahmen() const {
    return m_register.hauptfenster();
}

store::ui::TDBError& TKatzenSeite::fehlerDialog() const {
    return m_register.fehlerDialog();
}

void TKatzenSeite::katzeSetzen(int nummer, const QString& geschlecht, bool vorn) {
    m_katze = nummer;
    m_geschlecht = geschlecht;
    m_geladen = false;
    if (vorn) gezeigt();
}

void TKatzenSeite::gezeigt() {
    if (m_geladen) return;
    m_geladen = true;
    laden();
}

void TKatzenSeite::nachVorn(QWidget* w) {
    for (QWidget* seite = w; seite && seite->parentWidget(); seite = seite->parentWidget())
        if (auto* reiter = qobject_cast<QTabWidget*>(seite->parentWidget()->parentWidget());
            reiter && reiter->indexOf(seite) >= 0)
            reiter->setCurrentWidget(seite);
}

void TKatzenSeite::uebersetzt() {
    zugaenglichBenennen();
}

void TKatzenSeite::zugaenglichBenennen() {
    auto ohne = [](QString t) { return t.remove(QLatin1Char('&')).trimmed(); };
    const auto labels = findChildren<QLabel*>();
    for (QLabel* l : labels) {
        if (l->buddy() && !l->text().isEmpty()) l->buddy()->setAccessibleName(ohne(l->text()));
        if (l->accessibleName().isEmpty() || language::tagOf(l)) l->setAccessibleName(ohne(l->text()));
    }
    const auto kinder = findChildren<QWidget*>();
    for (QWidget* w : kinder) {
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            b->setAccessibleName(ohne(b->text()));
            continue;
        }
        if (auto* g = qobject_cast<QGroupBox*>(w)) {
            g->setAccessibleName(ohne(g->title()));
            continue;
        }
        const bool feld = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                          qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                          language::tagOf(w);
        if (!feld || !w->accessibleName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (!w->toolTip().isEmpty())
            w->setAccessibleName(w->toolTip());
        else if (!w->objectName().isEmpty())
            w->setAccessibleName(w->objectName());
    }
}

} // namespace velmora::reg
