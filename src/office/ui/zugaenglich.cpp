#include "office/ui/zugaenglich.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

namespace velmora::office {

namespace {

QString ohneZeichen(QString t) {
    t.remove(QLatin1Char('&'));
    return t.trimmed();
}

bool eigenerName(QWidget* w) {
    return w->property("eigenerZugangsname").toBool();
}

void setzen(QWidget* w, const QString& name) {
    if (!name.isEmpty() && !eigenerName(w)) w->setAccessibleName(name);
}

} // namespace

void zugaenglichBenennen(QWidget* fenster) {
    // Labels first: they name the field they stand for.
    for (QLabel* l : fenster->findChildren<QLabel*>())
        if (l->buddy()) setzen(l->buddy(), ohneZeichen(l->text()));
    for (QFormLayout* f : fenster->findChildren<QFormLayout*>())
        for (int r = 0; r < f->rowCount(); ++r) {
            auto* l = qobject_cast<QLabel*>(f->itemAt(r, QFormLayout::LabelRole)
                                                ? f->itemAt(r, QFormLayout::LabelRole)->widget()
                                                : nullptr);
            QLayoutItem* feld = f->itemAt(r, QFormLayout::FieldRole);
            if (!l || !feld) continue;
            QWidget* w = feld->widget();
            if (!w && feld->layout() && feld->layout()->count() > 0) w = feld->layout()->itemAt(0)->widget();
            if (w && w->accessibleName().isEmpty()) setzen(w, ohneZeichen(l->text()));
        }
    for (QAbstractButton* b : fenster->findChildren<QAbstractButton*>()) {
        QString t = ohneZeichen(b->text());
        if (t.isEmpty()) t = b->toolTip();
        if (!t.isEmpty()) setzen(b, t);
    }
    for (QGroupBox* g : fenster->findChildren<QGroupBox*>())
        setzen(g, ohneZeichen(g->title()));
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        const bool eingabe = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                             qobject_cast<QTabBar*>(w) || qobject_cast<QTabWidget*>(w);
        if (eingabe && w->accessibleName().isEmpty())
            setzen(w, ohneZeichen(w->toolTip().isEmpty() ? w->objectName() : w->toolTip()));
    }
    // The line edit inside a date field or a drop-down answers to its owner's name.
    for (QLineEdit* e : fenster->findChildren<QLineEdit*>())
        if (e->accessibleName().isEmpty() && e->parentWidget())
            setzen(e, e->parentWidget()->accessibleName());
}

} // namespace velmora::office
