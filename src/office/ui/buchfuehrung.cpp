#include "office/ui/buchfuehrung.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "office/ui/seiteauswertungen.h"
#include "office/ui/seitebuchen.h"
#include "office/ui/seitekonten.h"
#include "printing/ui/berichtdruck.h"
#include "store/ui/dberror.h"

#include <QFileDialog>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::office {

QString btext(int nummer, const char* deutsch) {
    QString t = QString::fromUtf8(deutsch);
    language::FeldNameLaden(nummer, t);
    return t;
}

void buchfuehrungRegistrieren() {
    fensterartRegistrieren({QStringLiteral("FormBuchfuehrung"), QStringLiteral("MenueVerwaltung"), 8510,
                            QStringLiteral("B&uchführung"), [](TRahmen& h) { return new TFormBuchfuehrung(h); }});
}

TFormBuchfuehrung::TFormBuchfuehrung(TRahmen& h) : TKindFenster(h, QStringLiteral("FormBuchfuehrung"), 8511) {
    setWindowTitle(btext(8511, "Buchführung"));
    auto* lay = new QVBoxLayout(this);
    m_seiten = new QTabWidget;
    m_seiten->setObjectName(QStringLiteral("Seiten"));
    lay->addWidget(m_seiten);
    drucken = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    dateiWaehlen = [this](const QString& vorschlag) {
        return QFileDialog::getSaveFileName(this, QString(), vorschlag, QStringLiteral("CSV (*.csv)"));
    };
}

TFormBuchfuehrung::~TFormBuchfuehrung() {
    if (!m_geschlossen) TFormBuchfuehrung::schliessen();
}

bool TFormBuchfuehrung::oeffnen() {
    try {
        m_buch = std::make_unique<Buchhaltung>(hauptfenster().db());
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("konten.db"));
        return false;
    }
    m_buchen = new TSeiteBuchen(*this);
    m_auswertungen = new TSeiteAuswertungen(*this);
    m_konten = new TSeiteKonten(*this);
    m_seiten->addTab(m_buchen, btext(8512, "Buchen"));
    m_seiten->addTab(m_auswertungen, btext(8513, "Auswertungen"));
    m_seiten->addTab(m_konten, btext(8514, "Konten / Kategorien"));
    geaendert();
    // Leaving a page stores its pending edits; when that fails the page stays.
    connect(m_seiten, &QTabWidget::currentChanged, this, [this](int neu) {
        if (neu == m_seite) return;
        const bool ok = m_seite == 0 ? m_buchen->speichern() : m_seite == 2 ? m_konten->speichern() : true;
        if (!ok) {
            const QSignalBlocker sperre(m_seiten);
            m_seiten->setCurrentIndex(m_seite);
            return;
        }
        m_seite = neu;
        if (neu == 0) m_buchen->kontenZeigen(); // back on "Buchen": the account grid
    });
    // Without any account the editor of the accounts page starts with the choice of the kind.
    if (m_buch->konten().isEmpty()) {
        const QSignalBlocker sperre(m_seiten);
        m_seiten->setCurrentIndex(2);
        m_seite = 2;
    }
    return true;
}

void TFormBuchfuehrung::schliessen() {
    if (m_geschlossen) return;
    m_geschlossen = true;
    if (!m_buch) return;
    // Pending edits are stored when the window closes.
    if (m_buchen) m_buchen->speichern();
    if (m_konten) m_konten->speichern();
}

bool TFormBuchfuehrung::speichernErlaubt() {
    if (hauptfenster().einstellungen().speichern) return true;
    return Meldungsdienst::ja(29);
}

void TFormBuchfuehrung::fehlerZeigen(const std::exception& e) {
    if (const auto* f = dynamic_cast<const BuchungsFehler*>(&e)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, f->message());
        return;
    }
    fehlerDialog().HandleException(e, QStringLiteral("buchung.db"));
}

void TFormBuchfuehrung::geaendert() {
    if (!m_buchen) return;
    m_buchen->neuLaden();
    m_auswertungen->neuLaden();
    m_konten->neuLaden();
}

} // namespace velmora::office
