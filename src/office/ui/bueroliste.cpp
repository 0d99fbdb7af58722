#include "office/ui/bueroliste.h"

#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "office/ui/apotheke.h"
#include "office/ui/ausstelt.h"
#include "office/ui/vereine.h"
#include "office/ui/zugaenglich.h"
#include "register/ui/kalenderdlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::office {

// texte: feldname 8620 8621 8622 9850

TBueroListe::TBueroListe(TRahmen& h, const QString& fensterName, int tag, const QString& tabelle,
                         QList<Ordnung> ordnungen, int hilfeThema)
    : TListenFenster(h, fensterName, tag, tabelle, ordnungen.value(0).index), m_ordnungen(std::move(ordnungen)),
      m_hilfeThema(hilfeThema) {}

TBueroListe::~TBueroListe() = default;

QString TBueroListe::text(int tag, const QString& deutsch) {
    QString t = language::feldName(tag);
    if (t.isEmpty()) t = deutsch;
    language::AmpersandEntfernen(t);
    return t;
}

bool TBueroListe::oeffnen() {
    if (!TListenFenster::oeffnen()) return false;
    gitter()->setAccessibleName(windowTitle());
    uebersetzt();
    return true;
}

reg::TKalenderDlg& TBueroListe::kalender() {
    if (!m_kalender) m_kalender = std::make_unique<reg::TKalenderDlg>(this);
    return *m_kalender;
}

void TBueroListe::aufbauen(QVBoxLayout* inhalt) {
    if (m_ordnungen.size() > 1) {
        auto* zeile = new QHBoxLayout;
        auto* label = new QLabel(QStringLiteral("Sortierung nach"));
        language::setTag(label, 9850);
        m_sortierung = new QComboBox(this);
        m_sortierung->setObjectName(QStringLiteral("ComboBoxSortierung"));
        label->setBuddy(m_sortierung);
        zeile->addWidget(label);
        zeile->addWidget(m_sortierung);
        zeile->addStretch(1);
        inhalt->addLayout(zeile);
        connect(m_sortierung, &QComboBox::activated, this, &TBueroListe::ordnungWaehlen);
    }

    m_seiten = new QTabWidget(this);
    m_seiten->setObjectName(QStringLiteral("TabbedNotebook"));
    language::setTag(m_seiten, 8620);
    m_formSeite = new QWidget;
    auto* seite = new QVBoxLayout(m_formSeite);
    m_navigator = new Navigator(bindung(), m_formSeite);
    seite->addWidget(m_navigator);
    auto* form = new QFormLayout;
    formAufbauen(form);
    seite->addLayout(form);
    formErgaenzen(seite);
    seite->addStretch(1);
    m_seiten->addTab(m_formSeite, QStringLiteral("&Felder"));
    auto* tabelleSeite = new QWidget;
    auto* l = new QVBoxLayout(tabelleSeite);
    l->addWidget(gitter());
    m_seiten->addTab(tabelleSeite, QStringLiteral("&Tabelle"));
    inhalt->addWidget(m_seiten);
}

DbEdit* TBueroListe::textFeld(QFormLayout* form, int tag, const QString& t, const QString& feldName) {
    auto* label = new QLabel(t);
    language::setTag(label, tag);
    auto* edit = new DbEdit(bindung(), feldName);
    edit->setObjectName(QStringLiteral("DBEdit") + feldName);
    label->setBuddy(edit);
    form->addRow(label, edit);
    m_editoren.append({feldName, edit});
    return edit;
}

DbDatum* TBueroListe::datumFeld(QFormLayout* form, int tag, const QString& t, const QString& feldName,
                                int knopfTag) {
    auto* label = new QLabel(t);
    language::setTag(label, tag);
    auto* datum = new DbDatum(bindung(), feldName);
    datum->setObjectName(QStringLiteral("DBEdit") + feldName);
    datum->kalenderKnopf()->setObjectName(QStringLiteral("BitBtnDatum") + feldName);
    // The window's calendar dialog: on OK the record goes into edit and takes the date.
    datum->kalenderDialog = [this] { return kalender().waehlen(); };
    label->setBuddy(datum->eingabe());
    form->addRow(label, datum);
    m_editoren.append({feldName, datum});
    m_datumsKnoepfe.append({datum, knopfTag});
    return datum;
}

DbMemo* TBueroListe::memoFeld(QFormLayout* form, int tag, const QString& t, const QString& feldName) {
    auto* label = new QLabel(t);
    language::setTag(label, tag);
    auto* memo = new DbMemo(bindung(), feldName);
    memo->setObjectName(QStringLiteral("DBMemo") + feldName);
    memo->setTabChangesFocus(true);
    memo->setMaximumHeight(memo->fontMetrics().height() * 6);
    label->setBuddy(memo);
    form->addRow(label, memo);
    m_editoren.append({feldName, memo});
    return memo;
}

QWidget* TBueroListe::feld(const QString& feldName) const {
    for (const auto& [name, w] : m_editoren)
        if (name.compare(feldName, Qt::CaseInsensitive) == 0) return w;
    return nullptr;
}

QWidget* TBueroListe::erstesFeld() {
    // The first field of the form when the form is shown, otherwise the grid.
    if (m_seiten && m_seiten->currentWidget() != m_formSeite) return gitter();
    return m_editoren.isEmpty() ? static_cast<QWidget*>(gitter()) : m_editoren.first().second;
}

void TBueroListe::ordnungWaehlen(int eintrag) {
    if (eintrag < 0 || eintrag >= m_ordnungen.size() || m_ordnungSperre) return;
    const Ordnung& o = m_ordnungen[eintrag];
    indexWechseln(o.index, o.felder);
    // The drop-down shows the order the table really has (a refused change keeps the old one).
    m_ordnungSperre = true;
    for (int i = 0; i < m_ordnungen.size() && m_sortierung; ++i)
        if (m_ordnungen[i].index.compare(tabelle().indexName(), Qt::CaseInsensitive) == 0)
            m_sortierung->setCurrentIndex(i);
    m_ordnungSperre = false;
}

void TBueroListe::uebersetzt() {
    const auto s = spalten();
    for (int i = 0; i < s.size() && modell(); ++i)
        modell()->setSpaltenTitel(i, s[i].titel);
    if (m_sortierung) {
        const int aktuell = std::max(0, m_sortierung->currentIndex());
        m_ordnungSperre = true;
        m_sortierung->clear();
        for (const Ordnung& o : m_ordnungen)
            m_sortierung->addItem(text(o.tag, o.deutsch));
        m_sortierung->setCurrentIndex(aktuell);
        m_ordnungSperre = false;
    }
    // The calendar buttons are named by what they fill in.
    for (const auto& [datum, tag] : m_datumsKnoepfe) {
        const QString t = text(tag, QString());
        if (t.isEmpty()) continue;
        datum->kalenderKnopf()->setToolTip(t);
        datum->kalenderKnopf()->setAccessibleName(t);
    }
    zugaenglichBenennen(this);
}

void bueroListenRegistrieren() {
    const QString menue = QStringLiteral("MenueVerwaltung");
    fensterartRegistrieren({QStringLiteral("FormVereine"), menue, 109, QStringLiteral("&Vereine"),
                            [](TRahmen& h) -> TKindFenster* { return new TFormVereine(h); }});
    fensterartRegistrieren({QStringLiteral("FormAusstellungstermine"), menue, 110,
                            QStringLiteral("&Ausstellungstermine"),
                            [](TRahmen& h) -> TKindFenster* { return new TFormAusstellungstermine(h); }});
    fensterartRegistrieren({QStringLiteral("FormApotheke"), menue, 128, QStringLiteral("Apotheke"),
                            [](TRahmen& h) -> TKindFenster* { return new TFormApotheke(h); }});
}

} // namespace velmora::office
