#include "register/ui/detailformular.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/katzenseite.h"
#include "register/ui/tcatstamm.h"
#include "store/errors.h"
#include "store/ui/dberror.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace velmora::reg {

using store::Table;

// texte: meldung 28 29 2612

namespace {
bool bearbeitet(const Table& t) {
    return t.state() == Table::State::Edit || t.state() == Table::State::Insert;
}
} // namespace

TDetailFormular::TDetailFormular(TKatzenSeite& seite, const char* objektName, QString tabelle, QString index,
                                 QString verknuepfung, QWidget* parent)
    : QWidget(parent), m_seite(seite), m_tabellenName(std::move(tabelle)), m_index(std::move(index)),
      m_verknuepfung(store::splitFields(verknuepfung)) {
    setObjectName(QLatin1String(objektName));
    m_tabelle = std::make_unique<Table>(m_seite.rahmen().db(), m_tabellenName);
    try {
        m_tabelle->open();
        m_tabelle->setIndexName(m_index);
        m_tabelle->setRange({-1}, {-1});
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
        if (m_tabelle->isOpen()) m_tabelle->close();
        setEnabled(false);
    }
    // The rules of every store, whichever way it comes (the buttons, the navigator, a move).
    m_tabelle->beforePost = [this](Table& t) {
        if ((t.state() == Table::State::Edit && !t.isModified()) ||
            (m_leerNeu && t.state() == Table::State::Insert)) {
            t.cancel();
            return;
        }
        if ((vorDemSpeichern && !vorDemSpeichern(t)) ||
            (!m_seite.rahmen().einstellungen().speichern &&
             Meldungsdienst::nachricht(29, MeldungsArt::Warnung, Knoepfe::JaNein) != Antwort::Ja))
            t.cancel();
    };
    m_tabelle->afterPost = [](Table& t) { t.flush(); };
    m_bindung = std::make_unique<FeldBindung>(*m_tabelle);
    m_bindung->fehlerAnzeige = [this](const std::exception& e) { fehlerMelden(e); };
    connect(m_bindung.get(), &FeldBindung::geaendertGewechselt, this, [this] { knoepfeSetzen(); });
    connect(m_bindung.get(), &FeldBindung::datensatzGeladen, this, [this] { knoepfeSetzen(); });
    connect(m_bindung.get(), &FeldBindung::feldGeaendert, this, [this] {
        m_leerNeu = false;
        knoepfeSetzen();
    });
    aufbauen();
}

TDetailFormular::~TDetailFormular() {
    if (m_tabelle && m_tabelle->isOpen() && bearbeitet(*m_tabelle)) m_tabelle->cancel();
    // The editors go before the binder and the cursor they show; the form no longer follows them.
    m_bindung->disconnect(this);
    m_felder.clear();
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    m_bindung.reset();
}

void TDetailFormular::aufbauen() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The fields scroll, so a page of many fields does not hold the register at its height.
    auto* flaeche = new QScrollArea(this);
    flaeche->setObjectName(objectName() + QStringLiteral("Flaeche"));
    flaeche->setWidgetResizable(true);
    flaeche->setFrameShape(QFrame::NoFrame);
    auto* felder = new QWidget;
    felder->setObjectName(objectName() + QStringLiteral("Felder"));
    m_form = new QFormLayout(felder);
    flaeche->setWidget(felder);
    layout->addWidget(flaeche, 1);
    m_knopfReihe = new QHBoxLayout;
    m_navigator = new Navigator(*m_bindung, this);
    m_navigator->setObjectName(objectName() + QStringLiteral("Navigator"));
    m_knopfReihe->addWidget(m_navigator);
    auto knopf = [this](const char* name, int tag, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(objectName() + QLatin1String(name));
        language::setTag(b, tag);
        m_knopfReihe->addWidget(b);
        return b;
    };
    m_hinzufuegen = knopf("Hinzufuegen", 9400, "H&inzufügen");
    m_loeschen = knopf("Loeschen", 9402, "L&öschen");
    m_rueckgaengig = knopf("Rueckgaengig", 9401, "R&ückgängig");
    m_knopfReihe->addStretch(1);
    layout->addLayout(m_knopfReihe);
    connect(m_hinzufuegen, &QPushButton::clicked, this, &TDetailFormular::hinzufuegen);
    connect(m_rueckgaengig, &QPushButton::clicked, this, &TDetailFormular::rueckgaengig);
    connect(m_loeschen, &QPushButton::clicked, this, &TDetailFormular::loeschen);
    uebersetzen();
    knoepfeSetzen();
}

QLabel* TDetailFormular::label(int tag, const char* text, QWidget* feld) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setObjectName(QStringLiteral("Label") + feld->objectName());
    language::setTag(l, tag);
    l->setBuddy(feld);
    m_form->addRow(l, feld);
    m_felder << feld;
    return l;
}

DbDatum* TDetailFormular::datumsZeile(const QString& feld, int tag, const char* text) {
    auto* d = new DbDatum(*m_bindung, feld, this);
    d->setObjectName(objectName() + feld);
    TCatStamm* r = &m_seite.katzenregister();
    d->kalenderDialog = [r] { return r->kalenderWaehlen(); };
    label(tag, text, d);
    return d;
}

DbEdit* TDetailFormular::textZeile(const QString& feld, int tag, const char* text) {
    auto* e = new DbEdit(*m_bindung, feld, this);
    e->setObjectName(objectName() + feld);
    label(tag, text, e);
    return e;
}

DbMemo* TDetailFormular::memoZeile(const QString& feld, int tag, const char* text) {
    auto* m = new DbMemo(*m_bindung, feld, this);
    m->setObjectName(objectName() + feld);
    m->setTabChangesFocus(true);
    label(tag, text, m);
    return m;
}

DbZahl* TDetailFormular::zahlZeile(const QString& feld, int tag, const char* text) {
    auto* z = new DbZahl(*m_bindung, feld, this);
    z->setObjectName(objectName() + feld);
    label(tag, text, z);
    return z;
}

DbAuswahl* TDetailFormular::auswahlZeile(const QString& feld, int tag, const char* text,
                                         const QStringList& werte) {
    QList<DbAuswahl::Eintrag> eintraege;
    for (const QString& w : werte)
        eintraege << DbAuswahl::Eintrag{w, w.isEmpty() ? QVariant() : QVariant(w)};
    auto* a = new DbAuswahl(*m_bindung, feld, eintraege, this);
    a->setObjectName(objectName() + feld);
    label(tag, text, a);
    return a;
}

void TDetailFormular::setEinzeln(bool einzeln) {
    m_einzeln = einzeln;
    m_navigator->setVisible(!einzeln);
    m_hinzufuegen->setVisible(!einzeln);
    m_loeschen->setVisible(!einzeln);
}

void TDetailFormular::einzelneZeileBeginnen() {
    m_leerNeu = false;
    if (!m_einzeln || !offen() || m_schluessel.isEmpty() || m_tabelle->hasRecord()) return;
    if (!m_bindung->anhaengen()) return;
    try {
        for (int i = 0; i < m_verknuepfung.size() && i < m_schluessel.size(); ++i)
            m_tabelle->setValue(m_verknuepfung[i], m_schluessel[i]);
    } catch (const std::exception& e) {
        fehlerMelden(e);
    }
    m_leerNeu = true;
    m_bindung->neuLaden();
}

void TDetailFormular::setHinzufuegenText(int tag, const QString& text) {
    m_hinzufuegen->setText(text);
    language::setTag(m_hinzufuegen, tag);
    uebersetzen();
}

void TDetailFormular::uebersetzen() {
    for (QPushButton* b : {m_hinzufuegen, m_rueckgaengig, m_loeschen}) {
        const QString t = language::feldName(language::tagOf(b));
        if (!t.isEmpty()) b->setText(t);
        b->setAccessibleName(QString(b->text()).remove(QLatin1Char('&')));
    }
    m_navigator->texteSetzen();
}

bool TDetailFormular::offen() const {
    return m_tabelle && m_tabelle->isOpen();
}

bool TDetailFormular::aenderungOffen() const {
    return offen() && m_bindung->geaendert() && !(m_leerNeu && m_tabelle->state() == Table::State::Insert);
}

void TDetailFormular::knoepfeSetzen() {
    const bool schluessel = offen() && !m_schluessel.isEmpty();
    const bool zeile = offen() && (m_tabelle->hasRecord() || m_tabelle->state() == Table::State::Insert);
    m_hinzufuegen->setEnabled(schluessel);
    m_rueckgaengig->setEnabled(aenderungOffen());
    m_loeschen->setEnabled(schluessel && zeile);
    for (QWidget* f : std::as_const(m_felder))
        f->setEnabled(schluessel && zeile);
    m_navigator->aktualisieren();
}

void TDetailFormular::fehlerMelden(const std::exception& e) {
    // Input that is no date is the user's to mend: a message naming the field, the row stays open.
    for (const DbFeld* f : m_bindung->felder()) {
        if (!f->ausstehend()) continue;
        auto* w = dynamic_cast<const QWidget*>(f);
        QString name = f->feld();
        if (const auto* l = findChild<QLabel*>(QStringLiteral("Label") + (w ? w->objectName() : QString())))
            name = QString(l->text()).remove(QLatin1Char('&'));
        const QString text =
            dynamic_cast<const DbDatum*>(f) ? static_cast<const DbDatum*>(f)->eingabe()->text() : QString();
        Meldungsdienst::zeigen(MeldungsArt::Warnung, 2612,
                               language::meldung(2612) + QLatin1Char(' ') + name + QStringLiteral(": \"") +
                                   text + QLatin1Char('"'));
        if (w) const_cast<QWidget*>(w)->setFocus();
        return;
    }
    m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
    if (offen() && bearbeitet(*m_tabelle)) m_tabelle->cancel();
    m_bindung->neuLaden();
}

void TDetailFormular::setSchluessel(const QVariantList& werte) {
    m_schluessel = werte;
    if (!werte.isEmpty() && werte.first().toInt() <= 0) m_schluessel.clear();
    if (!offen()) return;
    if (bearbeitet(*m_tabelle)) m_tabelle->cancel();
    try {
        if (m_schluessel.isEmpty()) {
            m_tabelle->setRange({-1}, {-1});
        } else {
            m_tabelle->setRange(m_schluessel, m_schluessel);
            m_tabelle->last();
        }
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
    }
    m_bindung->neuLaden();
    einzelneZeileBeginnen();
}

bool TDetailFormular::speichern() {
    if (offen() && m_leerNeu && m_tabelle->state() == Table::State::Insert) return true;
    if (!offen() || !m_bindung->geaendert()) {
        if (offen() && m_tabelle->state() == Table::State::Edit) m_tabelle->cancel();
        return true;
    }
    const bool neu = m_tabelle->state() == Table::State::Insert;
    const bool ok = m_bindung->speichern();
    if (!ok && m_bindung->geaendert()) return false; // refused input: the row stays open
    if (m_einzeln && !m_tabelle->hasRecord()) einzelneZeileBeginnen();
    knoepfeSetzen();
    if (ok && m_tabelle->state() == Table::State::Browse && (neu || m_tabelle->hasRecord()))
        emit gespeichert();
    return true;
}

void TDetailFormular::schliessen() {
    if (!offen()) return;
    if (m_leerNeu && m_tabelle->state() == Table::State::Insert) m_tabelle->cancel();
    if (!speichern() && bearbeitet(*m_tabelle)) m_tabelle->cancel();
    try {
        m_tabelle->close();
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
    }
    m_bindung->neuLaden();
}

void TDetailFormular::hinzufuegen() {
    if (!offen() || m_schluessel.isEmpty() || !speichern()) return;
    if (!m_bindung->anhaengen()) return;
    try {
        for (int i = 0; i < m_verknuepfung.size() && i < m_schluessel.size(); ++i)
            m_tabelle->setValue(m_verknuepfung[i], m_schluessel[i]);
    } catch (const std::exception& e) {
        fehlerMelden(e);
    }
    m_bindung->neuLaden();
    knoepfeSetzen();
    if (!m_felder.isEmpty()) m_felder.first()->setFocus();
}

void TDetailFormular::rueckgaengig() {
    if (!offen()) return;
    m_bindung->abbrechen();
    einzelneZeileBeginnen();
    knoepfeSetzen();
}

void TDetailFormular::loeschen() {
    if (!offen() || (!m_tabelle->hasRecord() && m_tabelle->state() != Table::State::Insert)) return;
    if (Meldungsdienst::nachricht(28, MeldungsArt::Warnung, Knoepfe::JaNein) != Antwort::Ja) return;
    try {
        if (m_tabelle->state() == Table::State::Insert) {
            m_tabelle->cancel();
        } else {
            if (bearbeitet(*m_tabelle)) m_tabelle->cancel();
            m_tabelle->remove();
            m_tabelle->flush();
        }
    } catch (const std::exception& e) {
        m_seite.fehlerDialog().HandleException(e, m_tabellenName + QStringLiteral(".db"));
    }
    m_bindung->neuLaden();
    knoepfeSetzen();
    emit gespeichert();
}

} // namespace velmora::reg
