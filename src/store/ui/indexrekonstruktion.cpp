#include "store/ui/indexrekonstruktion.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/indexlauf.h"
#include "store/ui/dberror.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::store::ui {

namespace {

QString text(int tag, const QString& vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? vorgabe : t;
}

} // namespace

FormIndexrekonstruktion::FormIndexrekonstruktion(TRahmen& h)
    : TKindFenster(h, QStringLiteral("FormIndexrekonstruktion"), 161) {
    setWindowTitle(text(161, QStringLiteral("Indexrekonstruktion")));
    auto* haupt = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    haupt->addLayout(links, 1);
    auto* raster = new QGridLayout;
    links->addLayout(raster);
    int i = 0;
    // texte: feldname 58 106 108 109 110 115 123 124 125 127 128 625 874 878 1147
    for (const IndexGruppe& g : indexGruppen()) {
        // The captions are menu entries elsewhere: their accelerator mark is not wanted here.
        auto* b = new QCheckBox(text(g.beschriftung, g.text).remove(QLatin1Char('&')), this);
        b->setObjectName(QStringLiteral("CheckBox%1").arg(g.nummer));
        b->setAccessibleName(b->text());
        m_boxen << qMakePair(g.nummer, b);
        raster->addWidget(b, i % 8, i / 8);
        ++i;
    }
    m_animation = new QProgressBar(this);
    m_animation->setObjectName(QStringLiteral("Animate"));
    m_animation->setAccessibleName(QStringLiteral("Animate"));
    m_animation->setRange(0, 0); // runs without an end while shown
    m_animation->setTextVisible(false);
    m_animation->hide();
    links->addWidget(m_animation);
    links->addStretch();

    auto* knoepfe = new QVBoxLayout;
    haupt->addLayout(knoepfe);
    auto knopf = [&](int tag, const char* t, const char* name) {
        auto* b = new QPushButton(text(tag, QString::fromUtf8(t)), this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QLatin1String(name));
        language::setTag(b, tag);
        knoepfe->addWidget(b);
        return b;
    };
    m_start = knopf(9800, "&Start", "BitBtnStart");
    m_abbruch = knopf(9801, "&Abbruch", "BitBtnAbbruch");
    QPushButton* hilfe = knopf(9802, "&Hilfe", "BitBtnHilfe");
    QPushButton* zurueck = knopf(9803, "&Zurück", "BitBtnZurueck");
    knoepfe->addStretch();
    m_abbruch->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, [this] { startClick(); });
    // A run is not interrupted: the button only switches the two back.
    connect(m_abbruch, &QPushButton::clicked, this, [this] {
        m_start->setEnabled(true);
        m_abbruch->setEnabled(false);
    });
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(196); });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
}

QCheckBox* FormIndexrekonstruktion::gruppenBox(int nummer) const {
    for (const auto& [n, b] : m_boxen)
        if (n == nummer) return b;
    return nullptr;
}

void FormIndexrekonstruktion::startClick() {
    m_start->setEnabled(false);
    m_abbruch->setEnabled(true);
    QList<int> gruppen;
    for (const auto& [n, b] : std::as_const(m_boxen))
        if (b->isChecked()) gruppen << n;
    if (!gruppen.isEmpty()) m_animation->show();
    QCoreApplication::processEvents();

    TDBError& dialog = fehlerDialog();
    StartBericht bericht;
    bericht.fehler = [&dialog](const DatabaseError& e, const QString& datei) { dialog.HandleException(e, datei); };
    // Unreadable rows move into a fresh file only when the user agrees.
    bericht.zeilenRetten = [](const QString& tabelle) {
        return Meldungsdienst::zeigen(
                   MeldungsArt::Warnung, 3713,
                   language::meldung(3713, QStringLiteral("Datensätze unlesbar in Tabelle %1. Lesbares in neue "
                                                          "Datei übernehmen?"))
                       .arg(tabelle),
                   Knoepfe::JaNein) == Antwort::Ja;
    };
    QString letzte;
    const IndexLaufErgebnis e = indexGruppenAufbauen(hauptfenster().db(), gruppen, bericht,
                                                     [&letzte](const QString& t, bool, const QString&) {
                                                         letzte = t;
                                                         QCoreApplication::processEvents();
                                                     });
    m_animation->hide();
    m_start->setEnabled(true);
    m_abbruch->setEnabled(false);
    Meldungsdienst::zeigen(
        MeldungsArt::Information, e.erfolg ? 3711 : 3712,
        e.erfolg ? language::meldung(3711, QStringLiteral("Indexrekonstruktion beendet!"))
                 : language::meldung(3712, QStringLiteral("Indexrekonstruktion nicht möglich! Es sind noch "
                                                          "Dateien geöffnet!")));
    if (e.abbruch) dialog.HandleException(*e.abbruch, letzte + QStringLiteral(".db"));
    // Once a group was begun the connection is closed: the program ends and must be started again, also
    // when the first group failed.
    if (gruppen.isEmpty()) return;
    if (dialog.beendenVerlangt)
        dialog.beendenVerlangt();
    else
        hauptfenster().close();
}

void indexrekonstruktionRegistrieren() {
    fensterartRegistrieren({QStringLiteral("FormIndexrekonstruktion"), QStringLiteral("MenueExtras"), 161,
                            QStringLiteral("Indexrekonstruktion"),
                            [](TRahmen& h) { return new FormIndexrekonstruktion(h); }});
}

} // namespace velmora::store::ui
