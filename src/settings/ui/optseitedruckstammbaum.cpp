#include "settings/ui/optseitedruckstammbaum.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: meldung 3606 3608

namespace {

// Object names are built from a stem and a part.
QByteArray zusammen(const char* a, const char* b) {
    return QByteArray(a) + b;
}

QLineEdit* suche(QWidget* w, const char* name) {
    return w->findChild<QLineEdit*>(QLatin1String(name));
}

} // namespace

TOptSeiteDruckStammbaum::TOptSeiteDruckStammbaum(TRahmen& r)
    : TOptionenSeite(r, "TabSheetDruckStammbaum", {7616, "&Druck-Stammbaum"}) {
    auto* l = new QGridLayout(this);

    auto* links = new QVBoxLayout;
    auto* oben = new QFormLayout;
    QLabel* la = beschriftung("LabelBildAufloesung", {7678, "Bild Auflösung"});
    oben->addRow(la, zahlFeld("BildAufloesung", "EditBildAufloesung", la));
    QLabel* lg = beschriftung("LabelGeneration", {7689, "Anzahl Generationen für Druck (3-6)"});
    m_generation = zahlFeld("StammbaumGeneration", "EditGeneration", lg);
    oben->addRow(lg, m_generation);
    links->addLayout(oben);

    auto* rand = new QGroupBox(QStringLiteral("Druckbegrenzung (1/10 mm)"), this);
    rand->setObjectName(QStringLiteral("GroupBoxDruckbegrenzung"));
    language::setTag(rand, 7679);
    auto* rf = new QFormLayout(rand);
    const struct {
        const char* feld;
        const char* name;
        Text text;
    } raender[] = {{"StammbaumLinkerRand", "EditLinkerRand", {7680, "linker Rand :"}},
                   {"StammbaumRechterRand", "EditRechterRand", {7681, "rechter Rand :"}},
                   {"StammbaumObererRand", "EditObererRand", {7682, "oberer Rand :"}},
                   {"StammbaumUntererRand", "EditUntererRand", {7683, "unterer Rand :"}}};
    for (const auto& f : raender) {
        QLabel* lr = beschriftung(zusammen("Label", f.name + 4).constData(), f.text);
        rf->addRow(lr, zahlFeld(f.feld, f.name, lr));
    }
    links->addWidget(rand);

    // A yes/no picture group with its size in pixels.
    auto bild = [this](const char* feld, const char* name, Text titel, const char* breite,
                       const char* hoehe) {
        TWahlgruppe* g = jaNein(feld, name, titel);
        g->anhaengen(beschriftung(zusammen(name, "Groesse").constData(), {7685, "Größe"}));
        QLabel* lb = beschriftung(zusammen(name, "Breite").constData(), {7606, "Breite"});
        QLabel* lh = beschriftung(zusammen(name, "Hoehe").constData(), {7607, "Höhe"});
        g->anhaengen(lb);
        g->anhaengen(zahlFeld(breite, zusammen("Edit", breite).constData(), lb));
        g->anhaengen(lh);
        g->anhaengen(zahlFeld(hoehe, zusammen("Edit", hoehe).constData(), lh));
        g->anhaengen(beschriftung(zusammen(name, "Pixel").constData(), {7609, "PIXEL"}));
        return g;
    };
    links->addWidget(bild("StammbaumBild", "RadioGroupBild", {7684, "Bild"}, "StammbaumBildhorizontal",
                          "StammbaumBildvertikal"));
    links->addWidget(bild("StammbaumGenBild", "RadioGroupGenBild", {7686, "Bild in 1. und 2. Generation"},
                          "StammbaumGenBildhorizontal", "StammbaumGenBildvertikal"));
    links->addWidget(ankreuzfeld("TitelRot", "CheckBoxTitelRot", {7687, "Titel /Name Rot"}));
    links->addWidget(
        ankreuzfeld("StbDoppelteFarbig", "CheckBoxDoppelteFarbig", {7688, "doppelte Tiere farbig"}));
    links->addWidget(jaNein("stammbaumBesitzer", "RadioGroupBesitzer", {7700, "Besitzer in Stammbaumkopf"}));
    links->addStretch(1);
    l->addLayout(links, 0, 0);

    auto* rechts = new QVBoxLayout;
    QGroupBox* logo = bildGruppe("Stammbaumlogo", "Logo", {7701, "Logo für Stammbaum"}, m_logo, m_logoBild);
    auto* groesse = new QHBoxLayout;
    QLabel* lb = beschriftung("LabelLogoBreite", {7606, "Breite"});
    QLabel* lh = beschriftung("LabelLogoHoehe", {7607, "Höhe"});
    groesse->addWidget(beschriftung("LabelLogoGroesse", {7685, "Größe"}));
    groesse->addWidget(lb);
    groesse->addWidget(zahlFeld("StammbaumLogoBildhorizontal", "EditStammbaumLogoBildhorizontal", lb));
    groesse->addWidget(lh);
    groesse->addWidget(zahlFeld("StammbaumLogoBildvertikal", "EditStammbaumLogoBildvertikal", lh));
    groesse->addWidget(beschriftung("LabelLogoPixel", {7609, "PIXEL"}));
    groesse->addStretch(1);
    static_cast<QVBoxLayout*>(logo->layout())->addLayout(groesse);
    rechts->addWidget(logo);
    rechts->addWidget(bildGruppe("StammbaumHintergrundbild", "Hintergrund",
                                 {7704, "Hintergrund für Stammbaum"}, m_hintergrund, m_hintergrundBild));
    m_grund = new QPushButton(QStringLiteral("&Grundeinstellung laden"), this);
    m_grund->setObjectName(QStringLiteral("BitBtnGrundeinstellung"));
    language::setTag(m_grund, 7705);
    rechts->addWidget(m_grund);
    rechts->addStretch(1);
    l->addLayout(rechts, 0, 1);
    connect(m_grund, &QPushButton::clicked, this, [this] { grundeinstellungLaden(); });

    // Leaving the generation field: outside 3 to 6 it is refused on the spot and the setting comes back.
    connect(m_generation, &QLineEdit::editingFinished, this, [this] {
        const Zahlenbereich* b = zahlenbereich(QStringLiteral("StammbaumGeneration"));
        if (zahlPruefen(m_generation->text(), *b)) return;
        const QString alt = QString::number(rahmen().einstellungen().StammbaumGeneration);
        // Shown once per typed value: the box takes the focus, which ends the editing again.
        const QString getippt = m_generation->text();
        if (getippt == alt) return;
        m_generation->setText(alt);
        Meldungsdienst::zeigen(
            MeldungsArt::Information, 3606,
            language::meldung(3606, QStringLiteral("Generation muß zwischen 3 - 6 liegen")) +
                QStringLiteral(": \"") + getippt + QLatin1Char('"'));
    });
}

QGroupBox* TOptSeiteDruckStammbaum::bildGruppe(const char* feld, const char* name, Text titel,
                                               QLineEdit*& pfad, QLabel*& vorschau) {
    auto* g = new QGroupBox(QString::fromUtf8(titel.text), this);
    g->setObjectName(QStringLiteral("GroupBox") + QLatin1String(name));
    language::setTag(g, titel.tag);
    auto* gl = new QVBoxLayout(g);
    pfad = textFeld(feld, zusammen("Edit", name).constData(), nullptr);
    pfad->setReadOnly(true);
    gl->addWidget(pfad);
    auto* knoepfe = new QHBoxLayout;
    auto* laden = new QPushButton(QStringLiteral("Bild laden"), g);
    laden->setObjectName(QStringLiteral("BitBtnBildLaden") + QLatin1String(name));
    language::setTag(laden, 7702);
    auto* loeschen = new QPushButton(QStringLiteral("Bild löschen"), g);
    loeschen->setObjectName(QStringLiteral("BitBtnBildLoeschen") + QLatin1String(name));
    language::setTag(loeschen, 7703);
    knoepfe->addWidget(laden);
    knoepfe->addWidget(loeschen);
    knoepfe->addStretch(1);
    gl->addLayout(knoepfe);
    vorschau = new QLabel(g);
    vorschau->setObjectName(QStringLiteral("Vorschau") + QLatin1String(name));
    vorschau->setFixedSize(120, 90);
    vorschau->setAlignment(Qt::AlignCenter);
    vorschau->hide();
    gl->addWidget(vorschau);
    QLineEdit* p = pfad;
    QLabel* v = vorschau;
    connect(laden, &QPushButton::clicked, this, [this, p, v] {
        const QString datei = dateiWaehlen(QStringLiteral("Jpeg (*.jpg *.jpeg);;Bmp (*.bmp)"));
        if (datei.isEmpty()) return;
        // A file that is no picture is named and not taken.
        if (QImageReader(datei).size().isEmpty()) {
            Meldungsdienst::zeigen(
                MeldungsArt::Fehler, 3608,
                language::meldung(3608, QStringLiteral("Das Bild kann nicht gelesen werden:")) +
                    QLatin1Char('\r') + QDir::toNativeSeparators(datei));
            return;
        }
        p->setText(datei);
        vorschauZeigen(p, v);
    });
    connect(loeschen, &QPushButton::clicked, this, [this, p, v] {
        p->clear();
        vorschauZeigen(p, v);
    });
    return g;
}

void TOptSeiteDruckStammbaum::vorschauZeigen(QLineEdit* pfad, QLabel* vorschau) {
    const QPixmap bild(pfad->text());
    if (pfad->text().isEmpty() || bild.isNull()) {
        vorschau->clear();
        vorschau->hide();
        return;
    }
    vorschau->setPixmap(bild.scaled(vorschau->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    vorschau->show();
}

void TOptSeiteDruckStammbaum::ladenZusatz(const tsysteminfo&) {
    vorschauZeigen(m_logo, m_logoBild);
    vorschauZeigen(m_hintergrund, m_hintergrundBild);
}

void TOptSeiteDruckStammbaum::grundeinstellungLaden() {
    const struct {
        const char* name;
        int wert;
    } werte[] = {{"EditLinkerRand", 10},
                 {"EditRechterRand", 125},
                 {"EditObererRand", 0},
                 {"EditUntererRand", 40},
                 {"EditStammbaumBildhorizontal", 250},
                 {"EditStammbaumBildvertikal", 250},
                 {"EditStammbaumGenBildhorizontal", 200},
                 {"EditStammbaumGenBildvertikal", 200},
                 {"EditStammbaumLogoBildhorizontal", 250},
                 {"EditStammbaumLogoBildvertikal", 250},
                 {"EditBildAufloesung", 18}};
    for (const auto& w : werte)
        if (QLineEdit* e = suche(this, w.name)) e->setText(QString::number(w.wert));
    findChild<QCheckBox*>(QStringLiteral("CheckBoxTitelRot"))->setChecked(true);
    findChild<TWahlgruppe*>(QStringLiteral("RadioGroupBesitzer"))->waehlen(0);
}

} // namespace velmora::settings::ui
