#include "settings/ui/optionenseite.h"

#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: meldung 3600-3603

namespace {

QString ohneKuerzel(QString t) {
    t.remove(QLatin1Char('&'));
    return t.trimmed();
}

QString zahlText(double v) {
    return QLocale().toString(v, 'g', 12);
}

} // namespace

TWahlgruppe::TWahlgruppe(const char* objektName, Text titel, std::initializer_list<Text> knoepfe,
                         bool waagerecht, QWidget* parent)
    : QGroupBox(QString::fromUtf8(titel.text), parent) {
    setObjectName(QLatin1String(objektName));
    language::setTag(this, titel.tag);
    m_gruppe = new QButtonGroup(this);
    QBoxLayout* l = waagerecht ? static_cast<QBoxLayout*>(new QHBoxLayout(this)) : new QVBoxLayout(this);
    int i = 0;
    for (const Text& k : knoepfe) {
        auto* r = new QRadioButton(QString::fromUtf8(k.text), this);
        r->setObjectName(QLatin1String(objektName) + QString::number(i));
        language::setTag(r, k.tag);
        m_gruppe->addButton(r, i++);
        l->addWidget(r);
    }
    if (waagerecht) l->addStretch(1);
    connect(m_gruppe, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (an) emit gewechselt(id);
    });
}

int TWahlgruppe::gewaehlt() const {
    return m_gruppe->checkedId();
}

void TWahlgruppe::waehlen(int i) {
    if (QAbstractButton* b = m_gruppe->button(i)) {
        b->setChecked(true);
        return;
    }
    // No choice: the exclusive group would keep the checked button otherwise.
    m_gruppe->setExclusive(false);
    for (QAbstractButton* b : m_gruppe->buttons())
        b->setChecked(false);
    m_gruppe->setExclusive(true);
}

QRadioButton* TWahlgruppe::knopf(int i) const {
    return qobject_cast<QRadioButton*>(m_gruppe->button(i));
}

void TWahlgruppe::anhaengen(QWidget* w) {
    auto* l = static_cast<QBoxLayout*>(layout());
    // Before the closing stretch of a row.
    const bool stretch = l->count() > 0 && l->itemAt(l->count() - 1)->spacerItem();
    l->insertWidget(stretch ? l->count() - 1 : l->count(), w);
}

int TWahlgruppe::anzahl() const {
    return int(m_gruppe->buttons().size());
}

TOptionenSeite::TOptionenSeite(TRahmen& rahmen, const char* objektName, Text titel)
    : m_rahmen(rahmen), m_titel(QString::fromUtf8(titel.text)) {
    setObjectName(QLatin1String(objektName));
    language::setTag(this, titel.tag);
    dateiWaehlen = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
    };
}

void TOptionenSeite::laden(const tsysteminfo& e) {
    for (const Bindung& b : m_bindungen)
        if (b.laden) b.laden(e);
    ladenZusatz(e);
}

void TOptionenSeite::schreiben(tsysteminfo& e) const {
    for (const Bindung& b : m_bindungen)
        if (b.schreiben) b.schreiben(e);
    schreibenZusatz(e);
}

std::optional<Ablehnung> TOptionenSeite::pruefen() const {
    for (const Bindung& b : m_bindungen) {
        // A control on a part of the page that is switched off carries its old value: not checked.
        if (!b.pruefen || !b.steuer->isEnabled()) continue;
        if (std::optional<QString> t = b.pruefen()) return Ablehnung{b.steuer, *t};
    }
    return std::nullopt;
}

QWidget* TOptionenSeite::steuerelement(const QString& feld) const {
    for (const Bindung& b : m_bindungen)
        if (b.feld == feld) return b.steuer;
    return nullptr;
}

QStringList TOptionenSeite::gebundeneFelder() const {
    QStringList l;
    for (const Bindung& b : m_bindungen)
        l << b.feld;
    return l;
}

void TOptionenSeite::uebersetzt() {
    zugaenglichBenennen(this);
}

TWahlgruppe* TOptionenSeite::jaNein(const char* feld, const char* objektName, Text titel) {
    return zweiWahl(feld, objektName, titel, {7601, "Ja"}, {7602, "Nein"});
}

TWahlgruppe* TOptionenSeite::zweiWahl(const char* feld, const char* objektName, Text titel, Text wahr,
                                      Text falsch) {
    return auswahl(feld, objektName, titel, {wahr, falsch}, {QStringLiteral("1"), QStringLiteral("0")}, true);
}

TWahlgruppe* TOptionenSeite::auswahl(const char* feld, const char* objektName, Text titel,
                                     std::initializer_list<Text> knoepfe, const QStringList& werte,
                                     bool waagerecht) {
    auto* g = new TWahlgruppe(objektName, titel, knoepfe, waagerecht, this);
    const QString name = QLatin1String(feld);
    binden({name,
            g,
            [g, name, werte](const tsysteminfo& e) {
                const QString v = feldText(e, name);
                int i = -1;
                for (int k = 0; k < werte.size(); ++k)
                    if (werte[k].compare(v, Qt::CaseInsensitive) == 0) i = k;
                g->waehlen(i);
            },
            [g, name, werte](tsysteminfo& e) {
                // Without a choice (a value the file held that no button stands for) it stays.
                if (g->gewaehlt() >= 0) feldSetzen(e, name, werte.value(g->gewaehlt()));
            },
            {}});
    return g;
}

QCheckBox* TOptionenSeite::ankreuzfeld(const char* feld, const char* objektName, Text text) {
    auto* c = new QCheckBox(QString::fromUtf8(text.text), this);
    c->setObjectName(QLatin1String(objektName));
    language::setTag(c, text.tag);
    const QString name = QLatin1String(feld);
    binden({name,
            c,
            [c, name](const tsysteminfo& e) { c->setChecked(feldText(e, name) == QLatin1String("1")); },
            [c, name](tsysteminfo& e) {
                feldSetzen(e, name, c->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
            },
            {}});
    return c;
}

QLineEdit* TOptionenSeite::zahlFeld(const char* feld, const char* objektName, QLabel* label) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(objektName));
    edit->setMaximumWidth(90);
    if (label) label->setBuddy(edit);
    const QString name = QLatin1String(feld);
    const Zahlenbereich* bereich = zahlenbereich(name);
    Q_ASSERT(bereich);
    const bool real = !bereich->ganz;
    binden({name, edit,
            [edit, name, real](const tsysteminfo& e) {
                const QString t = feldText(e, name);
                edit->setText(real ? zahlText(QLocale::c().toDouble(t)) : t);
            },
            [edit, name, bereich](tsysteminfo& e) {
                if (const std::optional<double> v = zahlPruefen(edit->text(), *bereich))
                    feldSetzen(e, name, QString::number(*v, 'g', 15));
            },
            [edit, bereich]() -> std::optional<QString> {
                if (zahlPruefen(edit->text(), *bereich)) return std::nullopt;
                return language::meldung(3600, QStringLiteral("Der Wert wird nicht übernommen, Feld")) +
                       QStringLiteral(" \"") + steuerelementName(edit) + QStringLiteral("\": \"") +
                       edit->text() + QStringLiteral("\". ") +
                       (bereich->ganz
                            ? language::meldung(3601, QStringLiteral("Erlaubt ist eine ganze Zahl von"))
                            : language::meldung(3602, QStringLiteral("Erlaubt ist eine Zahl von"))) +
                       QLatin1Char(' ') + zahlText(bereich->min) + QLatin1Char(' ') +
                       language::meldung(3603, QStringLiteral("bis")) + QLatin1Char(' ') +
                       zahlText(bereich->max) + QLatin1Char('.');
            }});
    return edit;
}

QLineEdit* TOptionenSeite::textFeld(const char* feld, const char* objektName, QLabel* label) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(objektName));
    if (label) label->setBuddy(edit);
    const QString name = QLatin1String(feld);
    binden({name,
            edit,
            [edit, name](const tsysteminfo& e) { edit->setText(feldText(e, name)); },
            [edit, name](tsysteminfo& e) { feldSetzen(e, name, edit->text()); },
            {}});
    return edit;
}

QLabel* TOptionenSeite::beschriftung(const char* objektName, Text text) {
    auto* l = new QLabel(QString::fromUtf8(text.text));
    l->setObjectName(QLatin1String(objektName));
    language::setTag(l, text.tag);
    return l;
}

QString steuerelementName(const QWidget* w) {
    QString eigen;
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        eigen = ohneKuerzel(b->text());
    else if (auto* g = qobject_cast<const QGroupBox*>(w))
        eigen = ohneKuerzel(g->title());
    else
        for (const QLabel* l : w->window()->findChildren<QLabel*>())
            if (l->buddy() == w) eigen = ohneKuerzel(l->text());
    if (eigen.isEmpty()) eigen = w->toolTip();
    // The group above names what "Größe" or "Ja" belong to.
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (auto* g = qobject_cast<const QGroupBox*>(p)) {
            const QString t = ohneKuerzel(g->title());
            if (!t.isEmpty()) return eigen.isEmpty() ? t : t + QStringLiteral(" - ") + eigen;
            break;
        }
    return eigen;
}

void zugaenglichBenennen(QWidget* w) {
    for (QWidget* k : w->findChildren<QWidget*>()) {
        if (k->objectName().startsWith(QLatin1String("qt_"))) continue;
        const bool steuer = qobject_cast<QAbstractButton*>(k) || qobject_cast<QLineEdit*>(k) ||
                            qobject_cast<QComboBox*>(k) || qobject_cast<QAbstractItemView*>(k) ||
                            qobject_cast<QGroupBox*>(k);
        if (!steuer) continue;
        // The line edit inside an editable list answers to the list's name.
        if (qobject_cast<QComboBox*>(k->parentWidget())) continue;
        const QString n = steuerelementName(k);
        if (!n.isEmpty())
            k->setAccessibleName(n);
        else if (k->accessibleName().isEmpty())
            k->setAccessibleName(k->objectName());
    }
}

} // namespace velmora::settings::ui
