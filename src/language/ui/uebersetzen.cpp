#include "language/ui/uebersetzen.h"

#include "language/tag.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

namespace velmora::language {

namespace {

constexpr int maxEintraege = 255;

void hinweisSetzen(QWidget* w, const QString& hilfe) {
    w->setToolTip(hilfe);
    w->setStatusTip(hilfe);
}

// Steps the caption cursor once per entry and hands each FeldName to the setter.
template <typename Setter> void eintraegeErsetzen(TSprache& s, int anzahl, Setter setzen) {
    anzahl = std::min(anzahl, maxEintraege);
    for (int i = 0; i < anzahl; ++i) {
        s.naechsteBeschriftung();
        setzen(i, s.feldNameAktuell());
    }
}

QTabWidget* reiterVonSeite(QWidget* w) {
    auto* stapel = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (!stapel) return nullptr;
    auto* reiter = qobject_cast<QTabWidget*>(stapel->parentWidget());
    return reiter && reiter->indexOf(w) >= 0 ? reiter : nullptr;
}

// The field beside a label in a form layout, or nullptr.
QWidget* feldDerZeile(QLabel* l) {
    QWidget* eltern = l->parentWidget();
    if (!eltern) return nullptr;
    const auto formen = eltern->findChildren<QFormLayout*>();
    for (QFormLayout* form : formen) {
        const int i = form->indexOf(l);
        if (i < 0) continue;
        int zeile = -1;
        QFormLayout::ItemRole rolle;
        form->getItemPosition(i, &zeile, &rolle);
        if (rolle != QFormLayout::LabelRole) return nullptr;
        QLayoutItem* feld = form->itemAt(zeile, QFormLayout::FieldRole);
        return feld ? feld->widget() : nullptr;
    }
    return nullptr;
}

// The text as a label without buddy should show it: accelerator marks removed, "&&" as one "&".
QString ohneKuerzel(const QString& text) {
    QString aus;
    aus.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) aus += text[++i];
            continue;
        }
        aus += text[i];
    }
    return aus;
}

} // namespace

void KomponenteUebersetzen(TSprache& s, QObject* k, int offset) {
    const int tag = tagOf(k);
    if (tag == 0 || !s.beschriftungenOffen()) return;
    if (!s.beschriftungSuchen(tag + offset)) return;
    const QString name = s.feldNameAktuell();
    const QString hilfe = s.feldHilfeAktuell();

    if (auto* a = qobject_cast<QAction*>(k)) {
        a->setText(name);
        a->setToolTip(hilfe);
        a->setStatusTip(hilfe);
        return;
    }
    if (auto* m = qobject_cast<QMenu*>(k)) {
        m->setTitle(name);
        hinweisSetzen(m, hilfe);
        return;
    }
    if (auto* l = qobject_cast<QLabel*>(k)) {
        // A label shows "&" as an accelerator only with a buddy; a form row's label takes its field.
        if (!l->buddy())
            if (QWidget* feld = feldDerZeile(l)) l->setBuddy(feld);
        l->setText(l->buddy() ? name : ohneKuerzel(name));
        hinweisSetzen(l, hilfe);
        return;
    }
    if (auto* g = qobject_cast<QButtonGroup*>(k)) {
        if (g->objectName() == QLatin1String("DBStatus")) return;
        const auto knoepfe = g->buttons();
        eintraegeErsetzen(s, int(knoepfe.size()),
                          [&](int i, const QString& t) { knoepfe.at(i)->setText(t); });
        return;
    }
    if (auto* g = qobject_cast<QGroupBox*>(k)) {
        g->setTitle(name);
        hinweisSetzen(g, hilfe);
        return;
    }
    if (auto* t = qobject_cast<QTabWidget*>(k)) {
        hinweisSetzen(t, hilfe);
        eintraegeErsetzen(s, t->count(), [&](int i, const QString& x) { t->setTabText(i, x); });
        return;
    }
    if (auto* t = qobject_cast<QTabBar*>(k)) {
        hinweisSetzen(t, hilfe);
        eintraegeErsetzen(s, t->count(), [&](int i, const QString& x) { t->setTabText(i, x); });
        return;
    }
    auto* w = qobject_cast<QWidget*>(k);
    if (!w) return;
    if (QTabWidget* reiter = reiterVonSeite(w)) {
        reiter->setTabText(reiter->indexOf(w), name);
        reiter->setTabToolTip(reiter->indexOf(w), hilfe);
        hinweisSetzen(w, hilfe);
        return;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) { // check box, radio button, push and tool button
        b->setText(name);
        hinweisSetzen(b, hilfe);
        return;
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QString n = c->objectName();
        if (n.startsWith(QLatin1String("DB"))) {
            if (n == QLatin1String("DBComboBoxFarbe") || n == QLatin1String("DBComboBoxAugenfarbe")) return;
        } else if (n != QLatin1String("ComboBoxInzuchtFenster")) {
            hinweisSetzen(c, hilfe);
            return;
        }
        hinweisSetzen(c, hilfe);
        eintraegeErsetzen(s, c->count(), [&](int i, const QString& x) { c->setItemText(i, x); });
        return;
    }
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QTextEdit*>(w) ||
        qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QFrame*>(w)) {
        hinweisSetzen(w, hilfe);
        return;
    }
}

void FensterObjektUebersetzen(TSprache& s, QWidget* fenster, int offset) {
    if (!fenster || !s.beschriftungenOffen()) return;
    const int tag = tagOf(fenster);
    if (tag != 0 && s.beschriftungSuchen(tag + offset)) fenster->setWindowTitle(s.feldHilfeAktuell());
    // findChildren walks depth-first in child order, which is the order the window built its parts in.
    const auto kinder = fenster->findChildren<QObject*>();
    for (QObject* k : kinder)
        if (tagOf(k) != 0) KomponenteUebersetzen(s, k, offset);
}

void FensterUebersetzen(TSprache& s, const QString& fensterName, int offset) {
    if (!s.beschriftungenOffen()) return;
    const auto fenster = QApplication::topLevelWidgets();
    for (QWidget* w : fenster)
        if (w->objectName() == fensterName) {
            FensterObjektUebersetzen(s, w, offset);
            return;
        }
}

void AlleFensterUebersetzen(TSprache& s, int offset) {
    if (!s.beschriftungenOffen()) return;
    const auto fenster = QApplication::topLevelWidgets();
    for (QWidget* w : fenster)
        FensterObjektUebersetzen(s, w, offset);
}

void FensterUebersetzen(const QString& fensterName, int offset) {
    if (TSprache* s = aktuelleSprache()) FensterUebersetzen(*s, fensterName, offset);
}

void AlleFensterUebersetzen(int offset) {
    if (TSprache* s = aktuelleSprache()) AlleFensterUebersetzen(*s, offset);
}

} // namespace velmora::language
