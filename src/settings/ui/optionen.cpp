#include "settings/ui/optionen.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "settings/ui/anwenderdaten.h"
#include "settings/ui/optionenseite.h"
#include "settings/ui/optseiteadressen.h"
#include "settings/ui/optseiteallgemeines.h"
#include "settings/ui/optseiteauswahl.h"
#include "settings/ui/optseitedruck.h"
#include "settings/ui/optseitedruckstammbaum.h"
#include "settings/ui/optseiteinzucht.h"
#include "settings/ui/optseitestammbaum.h"
#include "settings/ui/optseitestammdaten.h"
#include "settings/ui/optseitestatistiken.h"
#include "settings/ui/optseiteverpaarung.h"
#include "settings/ui/optseitewarnungen.h"
#include "settings/ui/optseitewurfbuch.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: meldung 3600 3605
// The captions the pages give as number and text pairs:
// texte: feldname 7600-7648 7650-7695 7700-7705 7707-7711 7713-7725 7730-7750

namespace {

const char* registerName(OptionenUmfang u) {
    switch (u) {
    case OptionenUmfang::Verpaarung:
        return kOptionenVerpaarung;
    case OptionenUmfang::Wurfbuch:
        return kOptionenWurfbuch;
    case OptionenUmfang::Alle:
        break;
    }
    return kOptionen;
}

QPushButton* knopf(QWidget* eltern, const char* name, int tag, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), eltern);
    b->setObjectName(QLatin1String(name));
    language::setTag(b, tag);
    return b;
}

} // namespace

TFOptionen::TFOptionen(TRahmen& h, OptionenUmfang umfang)
    : TKindFenster(h, QLatin1String(registerName(umfang)), 7600), m_umfang(umfang) {
    setWindowTitle(QStringLiteral("Systemparameter"));
    auto* l = new QVBoxLayout(this);
    m_seiten = new QTabWidget(this);
    m_seiten->setObjectName(QStringLiteral("PageControlOptionen"));
    l->addWidget(m_seiten, 1);
    // A reduced form holds its one page only.
    switch (umfang) {
    case OptionenUmfang::Verpaarung:
        m_seitenListe << new TOptSeiteVerpaarung(h);
        break;
    case OptionenUmfang::Wurfbuch:
        m_seitenListe << new TOptSeiteWurfbuch(h);
        break;
    case OptionenUmfang::Alle:
        m_seitenListe << new TOptSeiteStammdaten(h) << new TOptSeiteAuswahl(h) << new TOptSeiteStammbaum(h)
                      << new TOptSeiteWurfbuch(h) << new TOptSeiteAllgemeines(h) << new TOptSeiteWarnungen(h)
                      << new TOptSeiteDruckStammbaum(h) << new TOptSeiteAdressen(h) << new TOptSeiteDruck(h)
                      << new TOptSeiteStatistiken(h) << new TOptSeiteVerpaarung(h) << new TOptSeiteInzucht(h);
        break;
    }
    for (TOptionenSeite* s : std::as_const(m_seitenListe))
        m_seiten->addTab(s, s->titel());

    auto* knoepfe = new QHBoxLayout;
    m_speichern = knopf(this, "BitBtnSpeichern", 7603, "&Speichern");
    m_zurueck = knopf(this, "BitBtnZurueck", 7604, "&Zurück");
    m_hilfe = knopf(this, "BitBtnHilfe", 7605, "&Hilfe");
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_speichern);
    knoepfe->addWidget(m_zurueck);
    knoepfe->addWidget(m_hilfe);
    l->addLayout(knoepfe);
    connect(m_speichern, &QPushButton::clicked, this, [this] { speichern(); });
    connect(m_zurueck, &QPushButton::clicked, this, &QWidget::close);
    connect(m_hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(70); });
}

bool TFOptionen::oeffnen() {
    tsysteminfo& e = hauptfenster().einstellungen();
    // The language the windows show is applied now; only a change made here applies it again.
    e.SpracheGeaendert = false;
    m_anfang = e;
    for (TOptionenSeite* s : std::as_const(m_seitenListe))
        s->laden(m_anfang);
    uebersetzt();
    return true;
}

void TFOptionen::uebersetzt() {
    for (TOptionenSeite* s : std::as_const(m_seitenListe))
        s->uebersetzt();
    zugaenglichBenennen(this);
}

QWidget* TFOptionen::steuerelement(const QString& feld) const {
    for (TOptionenSeite* s : m_seitenListe)
        if (QWidget* w = s->steuerelement(feld)) return w;
    return nullptr;
}

QStringList TFOptionen::gebundeneFelder() const {
    QStringList l;
    for (TOptionenSeite* s : m_seitenListe)
        l << s->gebundeneFelder();
    return l;
}

bool TFOptionen::speichern() {
    // Every value is checked first: one refused value and nothing is taken over.
    for (TOptionenSeite* s : std::as_const(m_seitenListe))
        if (std::optional<Ablehnung> a = s->pruefen()) {
            m_seiten->setCurrentWidget(s);
            Meldungsdienst::zeigen(MeldungsArt::Warnung, 3600, a->text);
            a->feld->setFocus();
            return false;
        }
    tsysteminfo kopie = m_anfang;
    for (TOptionenSeite* s : std::as_const(m_seitenListe))
        s->schreiben(kopie);
    tsysteminfo& e = hauptfenster().einstellungen();
    optionenUebernehmen(m_anfang, kopie, e, m_umfang);
    const bool spracheGeaendert = e.Sprache != m_anfang.Sprache;
    if (spracheGeaendert) e.SpracheGeaendert = true;
    hauptfenster().einstellungenAnwenden(spracheGeaendert);
    if (!e.schreibeFelder(optionenSchreibfelder(m_umfang, e.Sprache)))
        // The settings hold for this run; the user learns that they will be gone at the next start.
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 3605,
                               language::meldung(3605, QStringLiteral("Die Einstellungsdatei konnte nicht "
                                                                      "geschrieben werden:")) +
                                   QLatin1Char('\r') + QDir::toNativeSeparators(e.pfad()));
    close();
    return true;
}

void optionenRegistrieren() {
    const QString menue = QStringLiteral("MenueExtras");
    fensterartRegistrieren({QLatin1String(kOptionen), menue, 121, QStringLiteral("&Systemparameter"),
                            [](TRahmen& h) { return new TFOptionen(h, OptionenUmfang::Alle); }});
    // The reduced forms have no menu entry: their windows open them.
    fensterartRegistrieren({QLatin1String(kOptionenVerpaarung), QString(), 0,
                            QStringLiteral("Systemparameter"),
                            [](TRahmen& h) { return new TFOptionen(h, OptionenUmfang::Verpaarung); }});
    fensterartRegistrieren({QLatin1String(kOptionenWurfbuch), QString(), 0, QStringLiteral("Systemparameter"),
                            [](TRahmen& h) { return new TFOptionen(h, OptionenUmfang::Wurfbuch); }});
    anwenderdatenRegistrieren();
}

TKindFenster* systemparameterZeigen(TRahmen& rahmen, OptionenUmfang umfang) {
    return rahmen.FensterZeigen(QLatin1String(registerName(umfang)));
}

} // namespace velmora::settings::ui
