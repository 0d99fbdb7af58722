#include "app/ui/uebernahmedialog.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "settings/uebernahme.h"
#include "store/uebernahme.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::app {

namespace {
// Caption n from the language tables, the German text when they are not open.
QString caption(int n, const QString& deutsch) {
    const QString t = language::feldName(n);
    return t.isEmpty() ? deutsch : t;
}
} // namespace

TUebernahmeDialog::TUebernahmeDialog(QString datenquelle, QString einstellungsVerzeichnis, QWidget* parent)
    : QDialog(parent), m_datenquelle(std::move(datenquelle)),
      m_einstellungsVerzeichnis(std::move(einstellungsVerzeichnis)) {
    setObjectName(QStringLiteral("FormDatenUebernehmen"));
    QString titel = caption(9780, QStringLiteral("Daten übernehmen…"));
    language::AmpersandEntfernen(titel);
    setWindowTitle(titel);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto feld = [&](const char* name, int tag, const QString& deutsch) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        auto* l = new QLabel(caption(tag, deutsch), this);
        l->setBuddy(e);
        e->setAccessibleName(l->text().remove(QLatin1Char('&')));
        form->addRow(l, e);
        return e;
    };
    m_quelle = feld("EditQuelle", 9781, QStringLiteral("&Verzeichnis der alten Daten"));
    m_ziel = feld("EditZiel", 9782, QStringLiteral("&Neues Datenverzeichnis"));
    m_einstellungen = feld("EditEinstellungen", 9783, QStringLiteral("Alte &Einstellungsdatei"));
    layout->addLayout(form);
    m_tabelle = new QLabel(this);
    m_tabelle->setObjectName(QStringLiteral("LabelTabelle"));
    m_tabelle->setAccessibleName(QStringLiteral("LabelTabelle"));
    m_balken = new QProgressBar(this);
    m_balken->setObjectName(QStringLiteral("ProgressBar"));
    m_balken->setAccessibleName(caption(9786, QStringLiteral("Fortschritt")));
    m_bericht = new QPlainTextEdit(this);
    m_bericht->setObjectName(QStringLiteral("MemoBericht"));
    m_bericht->setReadOnly(true);
    m_bericht->setAccessibleName(caption(9787, QStringLiteral("Bericht")));
    m_bericht->setMinimumSize(560, 260);
    layout->addWidget(m_tabelle);
    layout->addWidget(m_balken);
    layout->addWidget(m_bericht, 1);
    auto* knoepfe = new QHBoxLayout;
    m_start = new QPushButton(caption(9784, QStringLiteral("Ü&bernehmen")), this);
    m_start->setObjectName(QStringLiteral("ButtonUebernehmen"));
    m_schliessen = new QPushButton(caption(9785, QStringLiteral("&Schließen")), this);
    m_schliessen->setObjectName(QStringLiteral("ButtonSchliessen"));
    for (QPushButton* b : {m_start, m_schliessen}) {
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
        knoepfe->addWidget(b);
    }
    knoepfe->insertStretch(0);
    layout->addLayout(knoepfe);
    connect(m_start, &QPushButton::clicked, this, &TUebernahmeDialog::uebernehmen);
    connect(m_schliessen, &QPushButton::clicked, this, &QDialog::reject);
}

void TUebernahmeDialog::setzeZiel(const QString& ziel) {
    m_ziel->setText(QDir::toNativeSeparators(ziel));
}

QString TUebernahmeDialog::bericht() const {
    return m_bericht->toPlainText();
}

void TUebernahmeDialog::uebernehmen() {
    if (m_laeuft) return;
    const QString quelle = QDir::fromNativeSeparators(m_quelle->text().trimmed());
    const QString ziel = QDir::fromNativeSeparators(m_ziel->text().trimmed());
    const QString einstellungen = QDir::fromNativeSeparators(m_einstellungen->text().trimmed());
    auto fehler = [](int nr, const QString& deutsch, const QString& zusatz = {}) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, nr, language::meldung(nr, deutsch) + zusatz);
    };
    if (quelle.isEmpty() || !QFileInfo(quelle).isDir()) {
        fehler(2970, QStringLiteral("Das Verzeichnis der alten Daten gibt es nicht."));
        return;
    }
    if (ziel.isEmpty() || QFileInfo::exists(ziel)) {
        fehler(2971, QStringLiteral("Das neue Datenverzeichnis gibt es schon. Bitte ein neues angeben."));
        return;
    }
    if (!einstellungen.isEmpty() && !QFileInfo(einstellungen).isFile()) {
        fehler(2972, QStringLiteral("Die Einstellungsdatei kann nicht gelesen werden: "), einstellungen);
        return;
    }
    m_laeuft = true;
    m_start->setEnabled(false);
    m_schliessen->setEnabled(false);
    m_bericht->clear();
    store::UebernahmeFortschritt f;
    f.tabelle = [this](const QString& tabelle, int zeilen) {
        m_tabelle->setText(tabelle);
        m_balken->setRange(0, std::max(zeilen, 1));
        m_balken->setValue(0);
        QApplication::processEvents();
    };
    f.zeilen = [this](int zeilen) {
        m_balken->setValue(std::min(zeilen, m_balken->maximum()));
        QApplication::processEvents();
    };
    store::UebernahmeBericht b;
    bool ok = true;
    try {
        b = store::uebernehmen(quelle, ziel, m_datenquelle, f);
    } catch (const store::UebernahmeAbbruch& e) {
        ok = false;
        fehler(2973, QStringLiteral("Die Übernahme ist gescheitert: "), e.meldung);
    }
    if (ok && !einstellungen.isEmpty()) {
        QStringList schluessel;
        if (settings::einstellungenUebernehmen(einstellungen, m_einstellungsVerzeichnis, &schluessel))
            b.einstellungen << QStringLiteral("%1 Schlüssel aus %2 übernommen")
                                   .arg(schluessel.size())
                                   .arg(QDir::toNativeSeparators(einstellungen));
        else
            b.einstellungen << QStringLiteral("%1 konnte nicht übernommen werden")
                                   .arg(QDir::toNativeSeparators(einstellungen));
    }
    if (ok) {
        store::berichtSchreiben(b);
        m_bericht->setPlainText(b.text());
        m_balken->setValue(m_balken->maximum());
        m_tabelle->clear();
    }
    m_laeuft = false;
    m_start->setEnabled(true);
    m_schliessen->setEnabled(true);
    if (!ok) return;
    const int nr = b.vollstaendig() ? 2974 : 2975;
    const QString frage =
        b.vollstaendig()
            ? language::meldung(
                  nr,
                  QStringLiteral("Die Daten sind übernommen. Mit dem neuen Datenverzeichnis neu starten?"))
            : language::meldung(
                  nr, QStringLiteral("Nicht alle Sätze sind übernommen (siehe Bericht). Mit dem neuen "
                                     "Datenverzeichnis neu starten?"));
    if (Meldungsdienst::zeigen(b.vollstaendig() ? MeldungsArt::Information : MeldungsArt::Warnung, nr, frage,
                               Knoepfe::JaNein) == Antwort::Ja &&
        neuStarten) {
        accept();
        neuStarten(ziel);
    }
}

} // namespace velmora::app
