#include "exchange/ui/suchenersetzen.h"

#include "common/meldungsdienst.h"
#include "exchange/ui/katzengitter.h"
#include "exchange/ui/onlinedbinterface.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::exchange {

// texte: feldname 1515 1517 1518 1521 1527 1528 1593 2492-2499 8119
// texte: meldung 200 201 202 203 204 210 2475 2476

namespace {
QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}
} // namespace

TFormSuchen_Ersetzen::TFormSuchen_Ersetzen(TFormOnlineDBInterface& fenster)
    : QDialog(&fenster, Qt::Tool | Qt::WindowStaysOnTopHint), m_fenster(fenster) {
    setObjectName(QStringLiteral("FormSuchen_Ersetzen"));
    setWindowTitle(text(2499, "Suchen / Ersetzen"));
    setModal(false);
    auto* l = new QVBoxLayout(this);
    auto* felder = new QGridLayout;
    const auto feld = [&](int zeile, const char* name, int tag, const char* vorgabe) {
        auto* label = new QLabel(text(tag, vorgabe), this);
        language::setTag(label, tag);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
        label->setBuddy(edit);
        felder->addWidget(label, zeile, 0);
        felder->addWidget(edit, zeile, 1);
        return edit;
    };
    m_suchenNach = feld(0, "EditSuchen", 2492, "Suchen nach:");
    m_ersetzenDurch = feld(1, "EditErsetzen", 2493, "Ersetzen durch:");
    l->addLayout(felder);
    m_gross = new QCheckBox(text(2494, "Groß- / Kleinschreibung ignorieren"), this);
    m_gross->setObjectName(QStringLiteral("CheckBoxGross"));
    m_gross->setAccessibleName(m_gross->objectName());
    language::setTag(m_gross, 2494);
    m_wort = new QCheckBox(text(2495, "Nur ganzes Wort suchen"), this);
    m_wort->setObjectName(QStringLiteral("CheckBoxWort"));
    m_wort->setAccessibleName(m_wort->objectName());
    language::setTag(m_wort, 2495);
    l->addWidget(m_gross);
    l->addWidget(m_wort);
    m_spaltenZeile = new QLabel(this);
    m_spaltenZeile->setObjectName(QStringLiteral("LabelSpalte"));
    m_spaltenZeile->setAccessibleName(m_spaltenZeile->objectName());
    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("LabelHinweis"));
    m_hinweis->setAccessibleName(m_hinweis->objectName());
    m_hinweis->setWordWrap(true);
    l->addWidget(m_spaltenZeile);
    l->addWidget(m_hinweis);
    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("ProgressBarErsetzen"));
    m_fortschritt->setAccessibleName(m_fortschritt->objectName());
    m_fortschritt->hide();
    l->addWidget(m_fortschritt);
    auto* knoepfe = new QHBoxLayout;
    const auto neu = [&](const char* name, int tag, const char* vorgabe) {
        auto* k = new QPushButton(text(tag, vorgabe), this);
        k->setObjectName(QString::fromLatin1(name));
        k->setAccessibleName(k->objectName());
        k->setAutoDefault(false);
        language::setTag(k, tag);
        knoepfe->addWidget(k);
        return k;
    };
    m_suchen = neu("BitBtnSuchen", 1521, "Suchen");
    m_suchen->setDefault(true);
    m_ersetzen = neu("BitBtnErsetzen", 2496, "Ersetzen");
    m_alle = neu("BitBtnAlleErsetzen", 2497, "Alle ersetzen");
    m_abbruch = neu("BitBtnAbbruch", 2498, "Abbruch");
    m_zurueck = neu("BitBtnZurueck", 8119, "&Zurück");
    l->addLayout(knoepfe);

    connect(m_suchen, &QPushButton::clicked, this, &TFormSuchen_Ersetzen::SuchenClick);
    connect(m_ersetzen, &QPushButton::clicked, this, &TFormSuchen_Ersetzen::ErsetzenClick);
    connect(m_alle, &QPushButton::clicked, this, &TFormSuchen_Ersetzen::AlleErsetzenClick);
    connect(m_abbruch, &QPushButton::clicked, this, &TFormSuchen_Ersetzen::AbbruchClick);
    connect(m_zurueck, &QPushButton::clicked, this, &TFormSuchen_Ersetzen::ZurueckClick);
    for (QLineEdit* e : {m_suchenNach, m_ersetzenDurch})
        connect(e, &QLineEdit::textChanged, this, &TFormSuchen_Ersetzen::zuruecksetzen);
    for (QCheckBox* k : {m_gross, m_wort})
        connect(k, &QCheckBox::toggled, this, &TFormSuchen_Ersetzen::zuruecksetzen);
    // A click into another cell binds the dialog to that cell's column.
    connect(m_fenster.gitter(), &QTableView::clicked, this, [this] {
        if (isVisible()) AbbruchClick();
    });
}

TFormSuchen_Ersetzen::~TFormSuchen_Ersetzen() = default;

void TFormSuchen_Ersetzen::binden() {
    if (m_laeuft) {
        m_abbrechen = true;
        return; // the walk ends and binds again
    }
    QTableView* g = m_fenster.gitter();
    KatzenGitterModell* m = m_fenster.modell();
    const QModelIndex aktuell = g->currentIndex();
    m_spalte = aktuell.isValid() ? aktuell.column() : 0;
    store::Table& t = m_fenster.katzen();
    t.first();
    if (m->rowCount() > 0) g->setCurrentIndex(m->index(0, m_spalte));
    const int feld = t.fieldIndex(QString::fromLatin1(m->spalte(m_spalte).feld));
    const bool aenderbar =
        m->aenderbar(m_spalte) && feld >= 0 && spaltenArt(t.fieldDef(feld)) != SpaltenArt::NichtAenderbar;
    m_ersetzenMoeglich = m_fenster.bearbeitbar() && aenderbar;
    const QString titel = m->headerData(m_spalte, Qt::Horizontal).toString();
    m_spaltenZeile->setText((m_ersetzenMoeglich ? text(1515, "Suchen / Ersetzen in der Spalte:")
                                                : text(1527, "Suchen in der Spalte:")) +
                            QLatin1Char(' ') + titel);
    m_hinweis->setText(text(1517, "Ersetzen nicht möglich:") +
                       (m_fenster.bearbeitbar() ? text(1518, " diese Spalte ist nicht änderbar.")
                                                : text(1593, " die Tabelle ist nicht im Editiermodus.")));
    m_hinweis->setVisible(!m_ersetzenMoeglich);
    for (QWidget* w : {static_cast<QWidget*>(m_ersetzenDurch), static_cast<QWidget*>(m_ersetzen),
                       static_cast<QWidget*>(m_alle)})
        w->setVisible(m_ersetzenMoeglich);
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == m_ersetzenDurch) label->setVisible(m_ersetzenMoeglich);
    // Whole numbers take digits only, dates digits and points.
    const SpaltenArt art = feld >= 0 ? spaltenArt(t.fieldDef(feld)) : SpaltenArt::NichtAenderbar;
    for (QLineEdit* e : {m_suchenNach, m_ersetzenDurch}) {
        QValidator* alt = const_cast<QValidator*>(e->validator());
        e->setValidator(nullptr);
        delete alt;
        if (art == SpaltenArt::Zahl)
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
        else if (art == SpaltenArt::Datum)
            e->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), e));
    }
    m_suchenNach->clear();
    m_ersetzenDurch->clear();
    zuruecksetzen();
}

void TFormSuchen_Ersetzen::zuruecksetzen() {
    m_lauf.reset();
    m_alleErsetzen = false;
    m_suchen->setText(text(1521, "Suchen"));
    language::setTag(m_suchen, 1521);
    m_suchen->setEnabled(true);
    m_ersetzen->setEnabled(false);
    m_alle->setEnabled(false);
    m_abbruch->setEnabled(false);
    m_fortschritt->hide();
}

bool TFormSuchen_Ersetzen::warten() {
    const qint64 jetzt = QDateTime::currentMSecsSinceEpoch();
    if (jetzt - m_letzteEreignisse >= 30) {
        m_letzteEreignisse = jetzt;
        QApplication::processEvents();
    }
    return m_abbrechen;
}

void TFormSuchen_Ersetzen::SuchenClick() {
    if (m_suchenNach->text().isEmpty()) {
        Meldungsdienst::nachricht(204);
        return;
    }
    if (!m_lauf) {
        store::Table& t = m_fenster.katzen();
        const int feld = t.fieldIndex(QString::fromLatin1(m_fenster.modell()->spalte(m_spalte).feld));
        if (feld < 0) return;
        m_lauf = std::make_unique<Suchlauf>(t, feld,
                                            SuchText{m_suchenNach->text(),
                                                     m_ersetzenMoeglich ? m_ersetzenDurch->text() : QString(),
                                                     m_gross->isChecked(), m_wort->isChecked()});
    }
    suchen();
}

void TFormSuchen_Ersetzen::suchen() {
    m_suchen->setEnabled(false);
    m_ersetzen->setEnabled(false);
    m_alle->setEnabled(false);
    m_abbruch->setEnabled(true);
    m_laeuft = true;
    m_abbrechen = false;
    const Suchlauf::Schritt s = m_lauf->weiter([this] { return warten(); });
    m_laeuft = false;
    if (s == Suchlauf::Schritt::Treffer) {
        trefferZeigen();
    } else if (s == Suchlauf::Schritt::Ende) {
        const bool gefunden = m_lauf->jeGefunden();
        zuruecksetzen();
        Meldungsdienst::nachricht(gefunden ? 203 : 200);
    } else {
        m_abbrechen = false;
        binden();
    }
}

void TFormSuchen_Ersetzen::trefferZeigen() {
    QTableView* g = m_fenster.gitter();
    const int zeile = m_fenster.katzen().position();
    const QModelIndex i = m_fenster.modell()->index(zeile, m_spalte);
    g->setCurrentIndex(i);
    g->scrollTo(i);
    // Out of the way of the found cell.
    const QRect zelle(g->viewport()->mapToGlobal(g->visualRect(i).topLeft()), g->visualRect(i).size());
    if (frameGeometry().intersects(zelle)) {
        const int oben = zelle.top() - frameGeometry().height() - 8;
        move(x(), oben > 0 ? oben : zelle.bottom() + 8);
    }
    m_suchen->setText(text(1528, "Weitersuchen"));
    language::setTag(m_suchen, 1528);
    m_suchen->setEnabled(true);
    m_ersetzen->setEnabled(m_ersetzenMoeglich);
    m_alle->setEnabled(m_ersetzenMoeglich);
    m_abbruch->setEnabled(false);
    m_suchen->setFocus();
}

void TFormSuchen_Ersetzen::ErsetzenClick() {
    if (!m_ersetzenMoeglich) return;
    if (!m_lauf || !m_lauf->gestartet()) {
        SuchenClick();
        return;
    }
    if (!m_lauf->hatTreffer()) return;
    try {
        m_lauf->ersetzen();
    } catch (const std::exception& e) {
        m_fenster.fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
    const QModelIndex i = m_fenster.modell()->index(m_fenster.katzen().position(), m_spalte);
    m_fenster.gitter()->setCurrentIndex(i);
    m_ersetzen->setEnabled(false);
    m_alle->setEnabled(false);
}

void TFormSuchen_Ersetzen::AlleErsetzenClick() {
    if (!m_ersetzenMoeglich || !m_lauf || !m_lauf->hatTreffer()) return;
    m_anzahl = 0;
    m_alleErsetzen = true;
    m_suchen->setEnabled(false);
    m_ersetzen->setEnabled(false);
    m_alle->setEnabled(false);
    m_abbruch->setEnabled(true);
    m_fortschritt->setValue(0);
    m_fortschritt->show();
    m_laeuft = true;
    m_abbrechen = false;
    const Suchlauf::Alle a = m_lauf->alleErsetzen([this](int n, int gesamt) {
        m_anzahl = n;
        m_fortschritt->setMaximum(gesamt);
        m_fortschritt->setValue(n);
        return warten();
    });
    m_laeuft = false;
    m_anzahl = a.ersetzt;
    if (a.fehler) {
        // The refused cat is named; the ones before it stay replaced.
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 2475,
                               language::meldung(2475) + QLatin1Char(' ') + a.katze + QStringLiteral(":\n") +
                                   a.fehler->message() + QLatin1Char('\n') + language::meldung(2476) +
                                   QLatin1Char(' ') + QString::number(a.ersetzt));
    } else if (a.ersetzt == 1) {
        Meldungsdienst::nachricht(210);
    } else {
        Meldungsdienst::zeigen(MeldungsArt::Information, 201,
                               language::meldung(201) + QLatin1Char(' ') + QString::number(a.ersetzt) +
                                   language::meldung(202));
    }
    m_fenster.modell()->neuLaden();
    if (a.abgebrochen) {
        m_abbrechen = false;
        binden();
    } else {
        zuruecksetzen();
    }
}

void TFormSuchen_Ersetzen::AbbruchClick() {
    if (m_laeuft) {
        m_abbrechen = true;
        return;
    }
    binden();
}

void TFormSuchen_Ersetzen::ZurueckClick() {
    if (m_laeuft) {
        m_abbrechen = true; // closing during a walk only stops it
        return;
    }
    m_fenster.katzen().first();
    if (m_fenster.modell()->rowCount() > 0)
        m_fenster.gitter()->setCurrentIndex(m_fenster.modell()->index(0, 0));
    hide();
    deleteLater();
}

void TFormSuchen_Ersetzen::closeEvent(QCloseEvent* e) {
    if (m_laeuft) {
        m_abbrechen = true;
        e->ignore();
        return;
    }
    e->ignore();
    ZurueckClick();
}

void TFormSuchen_Ersetzen::reject() {
    ZurueckClick();
}

} // namespace velmora::exchange
