#include "common/ui/navigator.h"

#include "common/ui/feldeditoren.h"
#include "language/sprache.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace velmora {

using store::Table;

Navigator::Navigator(FeldBindung& bindung, QWidget* parent, bool mitLesezeichen)
    : QWidget(parent), m_bindung(bindung) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const QStyle::StandardPixmap bilder[] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const int anzahl = mitLesezeichen ? 6 : 4;
    for (int k = 0; k < anzahl; ++k) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringList{QStringLiteral("Erster"), QStringLiteral("Vorheriger"),
                                     QStringLiteral("Naechster"), QStringLiteral("Letzter"),
                                     QStringLiteral("Merken"), QStringLiteral("Zurueck")}[k]);
        if (k < 4) b->setIcon(style()->standardIcon(bilder[k]));
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
        m_knoepfe[k] = b;
    }
    connect(m_knoepfe[Erster], &QToolButton::clicked, this, &Navigator::erster);
    connect(m_knoepfe[Vorheriger], &QToolButton::clicked, this, &Navigator::vorheriger);
    connect(m_knoepfe[Naechster], &QToolButton::clicked, this, &Navigator::naechster);
    connect(m_knoepfe[Letzter], &QToolButton::clicked, this, &Navigator::letzter);
    if (mitLesezeichen) {
        connect(m_knoepfe[Merken], &QToolButton::clicked, this, &Navigator::merken);
        connect(m_knoepfe[Zurueck], &QToolButton::clicked, this, &Navigator::zurueck);
    }
    layout->addStretch(1);
    connect(&m_bindung, &FeldBindung::datensatzGeladen, this, &Navigator::aktualisieren);
    connect(&m_bindung, &FeldBindung::geaendertGewechselt, this, &Navigator::aktualisieren);
    texteSetzen();
    aktualisieren();
}

void Navigator::texteSetzen() {
    const language::TSprache* s = language::aktuelleSprache();
    const bool en = s && s->sprache() == 1;
    const char* de[] = {"Erster Datensatz",
                        "Vorheriger Datensatz",
                        "Nächster Datensatz",
                        "Letzter Datensatz",
                        "Merken",
                        "Zurück"};
    const char* enT[] = {"First record", "Previous record", "Next record", "Last record", "Remember", "Back"};
    for (int k = 0; k < 6; ++k) {
        if (!m_knoepfe[k]) continue;
        const QString t = QString::fromUtf8(en ? enT[k] : de[k]);
        m_knoepfe[k]->setToolTip(t);
        if (k >= 4) m_knoepfe[k]->setText(t);
    }
}

template <typename F> void Navigator::bewegen(F schritt) {
    Table& t = m_bindung.tabelle();
    if (!t.isOpen()) return;
    bool ok = true;
    try {
        schritt(t);
    } catch (const std::exception& e) {
        ok = false;
        m_bindung.fehlerMelden(e);
    }
    aktualisieren();
    if (ok) emit bewegt();
}

void Navigator::erster() {
    bewegen([](Table& t) { t.first(); });
}

void Navigator::vorheriger() {
    bewegen([](Table& t) { t.prior(); });
}

void Navigator::naechster() {
    bewegen([](Table& t) { t.next(); });
}

void Navigator::letzter() {
    bewegen([](Table& t) { t.last(); });
}

void Navigator::merken() {
    const Table& t = m_bindung.tabelle();
    if (!t.isOpen() || !t.hasRecord() || t.state() == Table::State::Insert) return;
    m_lesezeichen = t.bookmark();
    aktualisieren();
}

void Navigator::zurueck() {
    if (!m_lesezeichen) return;
    const qint64 ziel = m_lesezeichen;
    bewegen([ziel](Table& t) { t.gotoBookmark(ziel); });
}

void Navigator::aktualisieren() {
    const Table& t = m_bindung.tabelle();
    bool vor = false, zurueckMoeglich = false, merkbar = false;
    if (t.isOpen()) {
        if (t.state() == Table::State::Insert) {
            // A new record has no place in the order yet; every move stores it first.
            vor = zurueckMoeglich = true;
        } else if (t.hasRecord()) {
            const int pos = t.position();
            const int anzahl = t.recordCount();
            // By position, not bof()/eof(): the cursor sets those only after afterScroll has run.
            zurueckMoeglich = pos > 0;
            vor = pos >= 0 && pos < anzahl - 1;
            merkbar = true;
        }
    }
    m_knoepfe[Erster]->setEnabled(zurueckMoeglich);
    m_knoepfe[Vorheriger]->setEnabled(zurueckMoeglich);
    m_knoepfe[Naechster]->setEnabled(vor);
    m_knoepfe[Letzter]->setEnabled(vor);
    if (m_knoepfe[Merken]) {
        m_knoepfe[Merken]->setEnabled(merkbar);
        m_knoepfe[Zurueck]->setEnabled(t.isOpen() && m_lesezeichen != 0 &&
                                       (t.state() == Table::State::Insert || t.recordId() != m_lesezeichen));
    }
}

} // namespace velmora
