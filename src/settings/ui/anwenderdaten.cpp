#include "settings/ui/anwenderdaten.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "settings/ui/optionenseite.h"
#include "settings/ui/optseitestammdaten.h"
#include "store/catalogue.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: meldung 3607

TAnwenderdaten::TAnwenderdaten(TRahmen& h) : TKindFenster(h, QLatin1String(kAnwenderdaten), 7730) {
    setWindowTitle(QStringLiteral("Anwenderdaten"));
    auto* l = new QVBoxLayout(this);
    auto gruppe = [this, l](const char* name, int tag, const char* titel) {
        auto* g = new QGroupBox(QString::fromUtf8(titel), this);
        g->setObjectName(QLatin1String(name));
        language::setTag(g, tag);
        l->addWidget(g);
        return new QFormLayout(g);
    };
    const struct {
        const char* tabelle;
        const char* feld;
        int tag;
        const char* text;
    } felder[] = {{"eigen", "Name", 7731, "Name"},
                  {"eigen", "Vorname", 7732, "Vorname"},
                  {"eigen", "Strasse", 7733, "&Straße"},
                  {"eigen", "Plz", 7734, "PLZ"},
                  {"eigen", "Ort", 7735, "&Ort"},
                  {"eigen", "land", 7736, "&Land"},
                  {"eigen", "Telefon", 7737, "&Telefon"},
                  {"eigen", "Telefax", 7738, "T&elefax"},
                  {"eigen", "EMail", 7739, "e-m&ail"},
                  {"eigen", "Zwinger", 7740, "&Zwinger"},
                  {"zusatz", "Verein", 7741, "&Verein"},
                  {"zusatz", "Mitgliedsnummer", 7742, "&Mitgl.nr."},
                  {"zusatz", "Zwingernummer", 7743, "&Zwingernr."}};
    QFormLayout* eigen = gruppe("GroupBoxEigen", 7748, "Eigene Adresse");
    QFormLayout* verein = gruppe("GroupBoxVerein", 7749, "Verein");
    for (const auto& f : felder) {
        const QString tabelle = QLatin1String(f.tabelle);
        const QString name = QLatin1String(f.feld);
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("DBEdit") + name);
        // No more than the field holds.
        if (const store::TableDef* def = store::catalogueTable(tabelle))
            if (const store::FieldDef* fd = def->field(name); fd && fd->size > 0) e->setMaxLength(fd->size);
        auto* label = new QLabel(QString::fromUtf8(f.text), this);
        label->setObjectName(QStringLiteral("Label") + name);
        language::setTag(label, f.tag);
        label->setBuddy(e);
        (tabelle == QLatin1String("eigen") ? eigen : verein)->addRow(label, e);
        m_felder << Feld{tabelle, name, e};
    }
    QFormLayout* zucht = gruppe("GroupBoxZucht", 7631, "&Grundeinstellungen");
    m_rasse = new QComboBox(this);
    m_rasse->setObjectName(QStringLiteral("ComboBoxZuchtrasse"));
    m_farbe = new QComboBox(this);
    m_farbe->setObjectName(QStringLiteral("ComboBoxZuchtfarbe"));
    m_farbe->installEventFilter(this);
    auto* lr = new QLabel(QStringLiteral("&Zuchtrasse"), this);
    lr->setObjectName(QStringLiteral("LabelZuchtrasse"));
    language::setTag(lr, 7744);
    lr->setBuddy(m_rasse);
    auto* lf = new QLabel(QStringLiteral("Zuchtfarbe"), this);
    lf->setObjectName(QStringLiteral("LabelZuchtfarbe"));
    language::setTag(lf, 7745);
    lf->setBuddy(m_farbe);
    zucht->addRow(lr, m_rasse);
    zucht->addRow(lf, m_farbe);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("O&K"), this);
    m_ok->setObjectName(QStringLiteral("BitBtnOK"));
    language::setTag(m_ok, 7746);
    m_hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
    m_hilfe->setObjectName(QStringLiteral("BitBtnHilfe"));
    language::setTag(m_hilfe, 7747);
    knoepfe->addWidget(m_ok);
    knoepfe->addWidget(m_hilfe);
    l->addLayout(knoepfe);
    l->addStretch(1);
    connect(m_ok, &QPushButton::clicked, this, [this] { ok(); });
    connect(m_hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(80); });
}

bool TAnwenderdaten::oeffnen() {
    for (const QString& tabelle : {QStringLiteral("eigen"), QStringLiteral("zusatz")}) {
        try {
            store::Table t(hauptfenster().db(), tabelle);
            t.open(store::Table::OpenMode::ReadOnly);
            t.first();
            for (const Feld& f : std::as_const(m_felder))
                if (f.tabelle == tabelle) f.edit->setText(t.hasRecord() ? t.asString(f.name) : QString());
        } catch (const std::exception& e) {
            fehlerDialog().HandleException(e, tabelle + QStringLiteral(".db"));
            return false;
        }
    }
    const tsysteminfo& e = hauptfenster().einstellungen();
    rassenFuellen(m_rasse, hauptfenster().db(), e.spracheNummer());
    farbenFuellen(m_farbe, hauptfenster().db());
    nummerZeigen(m_rasse, e.RasseStandardeinstellung);
    textZeigen(m_farbe, e.FarbeStandardeinstellung);
    zugaenglichBenennen(this);
    return true;
}

QLineEdit* TAnwenderdaten::feld(const QString& tabelle, const QString& name) const {
    for (const Feld& f : m_felder)
        if (f.tabelle == tabelle && f.name.compare(name, Qt::CaseInsensitive) == 0) return f.edit;
    return nullptr;
}

bool TAnwenderdaten::ok() {
    // The own address needs its name once anything of it is filled in.
    QLineEdit* name = feld(QStringLiteral("eigen"), QStringLiteral("Name"));
    bool eigenGefuellt = false;
    for (const Feld& f : std::as_const(m_felder))
        eigenGefuellt |= f.tabelle == QLatin1String("eigen") && !f.edit->text().trimmed().isEmpty();
    if (eigenGefuellt && name->text().trimmed().isEmpty()) {
        Meldungsdienst::zeigen(
            MeldungsArt::Warnung, 3607,
            language::meldung(3607, QStringLiteral("Die eigene Adresse braucht einen Namen: "
                                                   "bitte im Feld \"Name\" eintragen.")));
        name->setFocus();
        return false;
    }
    if (!datensatzSpeichern(QStringLiteral("eigen")) || !datensatzSpeichern(QStringLiteral("zusatz")))
        return false;

    tsysteminfo& e = hauptfenster().einstellungen();
    const int rasse = m_rasse->currentData().toInt();
    if (rasse != e.RasseStandardeinstellung) {
        e.RasseStandardeinstellung = rasse;
        e.schreibeFeld(QStringLiteral("RasseStandardeinstellung"));
    }
    if (m_farbe->currentText() != e.FarbeStandardeinstellung) {
        e.FarbeStandardeinstellung = m_farbe->currentText();
        e.schreibeFeld(QStringLiteral("FarbeStandardeinstellung"));
    }
    hauptfenster().eigeneDatenGeaendert();
    close();
    return true;
}

bool TAnwenderdaten::datensatzSpeichern(const QString& tabelle) {
    try {
        store::Table t(hauptfenster().db(), tabelle);
        t.open();
        t.first();
        bool geaendert = false;
        bool leer = true;
        for (const Feld& f : std::as_const(m_felder)) {
            if (f.tabelle != tabelle) continue;
            leer &= f.edit->text().isEmpty();
            geaendert |= (t.hasRecord() ? t.asString(f.name) : QString()) != f.edit->text();
        }
        // One record only: the first is changed, and none is made for nothing.
        if (!geaendert || (!t.hasRecord() && leer)) return true;
        if (t.hasRecord())
            t.edit();
        else
            t.append();
        for (const Feld& f : std::as_const(m_felder))
            if (f.tabelle == tabelle)
                t.setValue(f.name, f.edit->text().isEmpty() ? QVariant() : QVariant(f.edit->text()));
        t.post();
        t.flush();
        return true;
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, tabelle + QStringLiteral(".db"));
        return false;
    }
}

bool TAnwenderdaten::eventFilter(QObject* ziel, QEvent* e) {
    if (ziel == m_farbe && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
        m_farbe->setCurrentIndex(0);
        return true;
    }
    return TKindFenster::eventFilter(ziel, e);
}

void anwenderdatenRegistrieren() {
    fensterartRegistrieren({QLatin1String(kAnwenderdaten), QStringLiteral("MenueExtras"), 122,
                            QStringLiteral("&Anwenderdaten"),
                            [](TRahmen& h) { return new TAnwenderdaten(h); }});
}

} // namespace velmora::settings::ui
