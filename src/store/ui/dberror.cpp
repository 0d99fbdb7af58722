#include "store/ui/dberror.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace velmora::store::ui {

namespace {

// Layout in pixels: the dialog is this much wider and higher than the information panel, the buttons
// sit this far above its bottom edge, and "Mehr Informationen" adds this much height.
constexpr int aussenRand = 7;
constexpr int mehrBreite = 14;
constexpr int mehrHoehe = 65;
constexpr int knopfAbstandUnten = 56;
constexpr int knopfHoehe = 25;
constexpr int knopfLuecke = 8;
constexpr int zeilenHoehe = 16;
constexpr int zeilenRand = 8; // left and right inside the panel: the panel is 16 wider than the widest line
constexpr int nativeZuwachs = 43;
constexpr int nativeHoehe = 50;

int knopfBreite(const QPushButton* b) {
    return qMax(75, b->fontMetrics().horizontalAdvance(b->text()) + 24);
}

} // namespace

TDBError::TDBError(Database* db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("DBError"));
    setModal(true);

    m_infoPanel = new QFrame(this);
    m_infoPanel->setObjectName(QStringLiteral("InfoPanel"));
    m_infoPanel->setFrameShape(QFrame::Panel);
    m_infoPanel->setFrameShadow(QFrame::Sunken);
    for (int i = 0; i < maxFehlerZeilen; ++i) {
        m_zeilen[i] = new QLabel(m_infoPanel);
        m_zeilen[i]->setObjectName(QStringLiteral("Fehlerzeile%1").arg(i + 1));
        m_zeilen[i]->setTextFormat(Qt::PlainText);
    }
    m_dateiZeile = new QLabel(m_infoPanel);
    m_dateiZeile->setObjectName(QStringLiteral("Dateizeile"));
    m_dateiZeile->setTextFormat(Qt::PlainText);

    m_nativePanel = new QFrame(this);
    m_nativePanel->setObjectName(QStringLiteral("NativePanel"));
    m_nativePanel->setFrameShape(QFrame::Panel);
    m_nativePanel->setFrameShadow(QFrame::Sunken);
    m_nativeText = new QLabel(m_nativePanel);
    m_nativeText->setObjectName(QStringLiteral("NativeText"));
    m_nativeText->setTextFormat(Qt::PlainText);
    m_nativeText->setWordWrap(true);
    m_nativeText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_mehr = new QPushButton(this);
    m_mehr->setObjectName(QStringLiteral("MehrInformationen"));
    m_reparieren = new QPushButton(this);
    m_reparieren->setObjectName(QStringLiteral("Reparieren"));
    m_weiter = new QPushButton(this);
    m_weiter->setObjectName(QStringLiteral("Weiter"));
    m_weiter->setDefault(true);

    connect(m_mehr, &QPushButton::clicked, this, &TDBError::mehrInformationen);
    connect(m_reparieren, &QPushButton::clicked, this, &TDBError::reparieren);
    connect(m_weiter, &QPushButton::clicked, this, &QDialog::accept);

    einrichten();
}

int TDBError::sprache() const {
    if (m_sprache >= 0) return m_sprache;
    if (const language::TSprache* s = language::aktuelleSprache()) return s->sprache();
    return 0;
}

void TDBError::einrichten() {
    m_reparieren->setText(QStringLiteral("Reparieren"));
    m_mehr->setText(QStringLiteral("Mehr Informationen"));
    m_weiter->setText(QStringLiteral("Weiter"));
    for (QLabel* z : m_zeilen) {
        z->clear();
        z->hide();
    }
    m_dateiZeile->clear();
    m_nativeText->clear();
    m_nativePanel->hide();
    m_mehr->setEnabled(false);
    m_mehr->show();
    m_reparieren->setEnabled(true);
    m_reparieren->hide();
    m_ansicht = {};
}

void TDBError::darstellen(const FehlerAnsicht& a) {
    m_ansicht = a;
    setWindowTitle(a.titel);
    m_dateiZeile->setText(a.dateiZeile);

    const QFontMetrics fm = m_zeilen[0]->fontMetrics();
    int breitesteZeile = 0;
    const int n = int(qMin<qsizetype>(a.zeilen.size(), maxFehlerZeilen));
    for (int k = 0; k < n; ++k) {
        m_zeilen[k]->setText(a.zeilen.at(k));
        breitesteZeile = qMax(breitesteZeile, fm.horizontalAdvance(a.zeilen.at(k)));
    }

    // Short lines would leave the buttons or the file line cut off, so the panel never gets narrower
    // than those need.
    const int knoepfe = knopfBreite(m_mehr) + knopfBreite(m_reparieren) + knopfBreite(m_weiter);
    const int mindestBreite =
        qMax(knoepfe + 2 * knopfLuecke + 2 * aussenRand - mehrBreite,
             m_dateiZeile->fontMetrics().horizontalAdvance(a.dateiZeile) + 2 * zeilenRand);
    const int panelBreite = qMax(breitesteZeile + 2 * zeilenRand, mindestBreite);
    const int panelHoeheWert = panelHoehe(n);
    m_infoPanel->setGeometry(aussenRand, aussenRand, panelBreite, panelHoeheWert);
    for (int k = 0; k < n; ++k)
        m_zeilen[k]->setGeometry(zeilenRand, 3 + zeilenHoehe * k, panelBreite - 2 * zeilenRand, zeilenHoehe);
    m_dateiZeile->setGeometry(zeilenRand, 3 + zeilenHoehe * n, panelBreite - 2 * zeilenRand, zeilenHoehe);

    const int breite = panelBreite + mehrBreite;
    const int hoehe = panelHoeheWert + mehrHoehe;
    setFixedSize(breite, hoehe);
    const int knopfY = hoehe - knopfAbstandUnten;
    m_mehr->setGeometry(aussenRand, knopfY, knopfBreite(m_mehr), knopfHoehe);
    const int weiterBreite = knopfBreite(m_weiter);
    m_weiter->setGeometry(breite - aussenRand - weiterBreite, knopfY, weiterBreite, knopfHoehe);
    const int repBreite = knopfBreite(m_reparieren);
    m_reparieren->setGeometry(m_weiter->x() - knopfLuecke - repBreite, knopfY, repBreite, knopfHoehe);

    for (int k = 0; k < n; ++k)
        m_zeilen[k]->show();
    m_nativeText->setText(a.nativeText);
    m_mehr->setVisible(a.engine);
    m_mehr->setEnabled(a.engine && a.nativeCodes);
    m_reparieren->setVisible(a.reparatur);
}

void TDBError::zeigen() {
    m_aktiv = true;
    try {
        if (Meldungsdienst::automatik()) {
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, m_ansicht.alsText());
        } else if (anzeige) {
            show();
            anzeige(*this);
        } else {
            exec();
        }
    } catch (...) {
        // an error while the dialog is shown only closes it
    }
    hide();
    m_aktiv = false;
}

void TDBError::HandleException(const std::exception& error, const QString& dateiname) {
    const auto* db = dynamic_cast<const DatabaseError*>(&error);
    if (!db) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, QString::fromUtf8(error.what()));
        return;
    }
    if (m_einmal && !dateiname.isEmpty()) {
        const QString tabelle = fehlerDateiname(dateiname);
        if (m_gemeldet.contains(tabelle)) return;
        m_gemeldet << tabelle;
    }
    if (m_aktiv) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehlerAnsicht(*db, dateiname).alsText());
        return;
    }
    einrichten();
    darstellen(fehlerAnsicht(*db, dateiname));
    zeigen();
}

void TDBError::einmalJeTabelle(bool an) {
    m_einmal = an;
    m_gemeldet.clear();
}

void TDBError::mehrInformationen() {
    m_mehr->setEnabled(false);
    const int y = height() - knopfAbstandUnten + knopfHoehe + knopfLuecke;
    m_nativePanel->setGeometry(aussenRand, y, m_infoPanel->width(), nativeHoehe);
    m_nativeText->setGeometry(zeilenRand, 4, m_infoPanel->width() - 2 * zeilenRand, nativeHoehe - 8);
    m_nativePanel->show();
    setFixedSize(width(), height() + nativeZuwachs);
}

void TDBError::reparieren() {
    m_reparieren->setEnabled(false);
    bool erfolg = false;
    if (m_db) {
        try {
            m_db->disconnect();
            StartBericht bericht;
            bericht.fehler = [this](const DatabaseError& e, const QString& datei) {
                HandleException(e, datei);
            };
            // Unreadable rows move into a fresh file only when the user agrees.
            bericht.zeilenRetten = [](const QString& tabelle) {
                return Meldungsdienst::zeigen(
                           MeldungsArt::Warnung, 3713,
                           language::meldung(3713, QStringLiteral("Datensätze unlesbar in Tabelle %1. Lesbares "
                                                                  "in neue Datei übernehmen?"))
                               .arg(tabelle),
                           Knoepfe::JaNein) == Antwort::Ja;
            };
            erfolg = tabelleReparieren(*m_db, Dateiname(), ErrorNr(), bericht);
        } catch (...) {
            erfolg = false;
        }
    }
    Meldungsdienst::zeigen(erfolg ? MeldungsArt::Information : MeldungsArt::Fehler, 0,
                           reparaturMeldung(erfolg, sprache()));
    // The data are disconnected now: nothing is left to show, the program ends.
    done(QDialog::Accepted);
    const auto ende = beendenVerlangt;
    if (ende) ende();
}

std::function<Table::ErrorAction(Table&, const EngineError&)> postFehlerBehandlung(TDBError& dialog) {
    return [&dialog](Table& t, const EngineError& e) { return postFehlerBehandeln(dialog, t, e); };
}

Table::ErrorAction postFehlerBehandeln(TDBError& dialog, Table& tabelle, const EngineError& error) {
    tabelle.cancel();
    dialog.HandleException(error, tabelle.tableName());
    return Table::ErrorAction::Abort;
}

} // namespace velmora::store::ui
