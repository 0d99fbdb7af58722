#include "genealogy/ui/topkatzen.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/suchendlg.h"
#include "store/ui/dberror.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 8118 8119 8160-8164
// texte: meldung 29

namespace {

constexpr char kName[] = "FormTopKatzen";

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

} // namespace

TFormTopKatzen::TFormTopKatzen(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kName), 8160) {
    setWindowTitle(text(8160, "Top Katzen"));
    farbwahl = [this](int vorgabe) { return reg::farbeWaehlen(this, vorgabe); };
    katzenwahl = [this] {
        reg::TSuchenDlg dlg(hauptfenster().db(), this);
        dlg.setFehlerDialog(&fehlerDialog());
        dlg.nameFeld()->setFocus();
        return dlg.waehlen(reg::SuchAufruf{});
    };
}

TFormTopKatzen::~TFormTopKatzen() = default;

bool TFormTopKatzen::oeffnen() {
    try {
        m_top = std::make_unique<store::Table>(hauptfenster().db(), QStringLiteral("topkatze"));
        m_top->open();
        m_top->setIndexName(QString());
        m_katzen = std::make_unique<store::Table>(hauptfenster().db(), QStringLiteral("catstamm"));
        m_katzen->open(store::Table::OpenMode::ReadOnly);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("TopKatze.db"));
        return false;
    }
    int r = 0;
    for (m_top->first(); m_top->hasRecord() && !m_top->eof() && r < kZeilen; m_top->next(), ++r) {
        m_zeilen[r].nummer = m_top->asInt(QStringLiteral("LaufendeNummer"));
        m_zeilen[r].katze = m_top->asInt(QStringLiteral("Katze"));
        m_zeilen[r].farbe =
            m_top->isNull(QStringLiteral("Farbe")) ? 0xFFFFFF : m_top->asInt(QStringLiteral("Farbe"));
    }

    auto* haupt = new QVBoxLayout(this);
    for (int i = 0; i < kZeilen; ++i) {
        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("PanelTop%1").arg(i + 1));
        panel->setFrameShape(QFrame::StyledPanel);
        auto* l = new QHBoxLayout(panel);
        auto* titel = new QLabel(QString::number(i + 1) + QLatin1Char(' ') + text(8161, "Top Katze"), panel);
        titel->setObjectName(QStringLiteral("LabelTop%1").arg(i + 1));
        titel->setAccessibleName(titel->objectName());
        titel->setMinimumWidth(90);
        m_namen[i] = new QLabel(panel);
        m_namen[i]->setObjectName(QStringLiteral("LabelName%1").arg(i + 1));
        m_namen[i]->setAccessibleName(m_namen[i]->objectName());
        m_namen[i]->setMinimumWidth(220);
        m_farben[i] = new QFrame(panel);
        m_farben[i]->setObjectName(QStringLiteral("PanelFarbe%1").arg(i + 1));
        m_farben[i]->setAccessibleName(m_farben[i]->objectName());
        m_farben[i]->setFixedSize(40, 22);
        auto* katze = new QPushButton(text(8162, "Katze laden"), panel);
        katze->setObjectName(QStringLiteral("BitBtnKatzeLaden%1").arg(i + 1));
        katze->setAccessibleName(katze->objectName());
        language::setTag(katze, 8162);
        auto* farbe = new QPushButton(text(8163, "Farbe laden"), panel);
        farbe->setObjectName(QStringLiteral("BitBtnFarbeLaden%1").arg(i + 1));
        farbe->setAccessibleName(farbe->objectName());
        language::setTag(farbe, 8163);
        l->addWidget(titel);
        l->addWidget(m_namen[i], 1);
        l->addWidget(m_farben[i]);
        l->addWidget(katze);
        l->addWidget(farbe);
        haupt->addWidget(panel);
        connect(katze, &QPushButton::clicked, this, [this, i] { katzeLaden(i); });
        connect(farbe, &QPushButton::clicked, this, [this, i] { farbeLaden(i); });
        // the row number stays beside the caption when the language changes
        language::setTag(titel, 0);
    }
    haupt->addStretch(1);
    auto* befehle = new QHBoxLayout;
    m_rueckgaengig = new QPushButton(text(8164, "R&ückgängig"), this);
    m_rueckgaengig->setObjectName(QStringLiteral("BitBtnRueckgaengig"));
    m_rueckgaengig->setAccessibleName(m_rueckgaengig->objectName());
    language::setTag(m_rueckgaengig, 8164);
    auto* hilfe = new QPushButton(text(8118, "&Hilfe"), this);
    hilfe->setObjectName(QStringLiteral("BitBtnHilfe"));
    hilfe->setAccessibleName(hilfe->objectName());
    language::setTag(hilfe, 8118);
    auto* zurueck = new QPushButton(text(8119, "&Zurück"), this);
    zurueck->setObjectName(QStringLiteral("BitBtnZurueck"));
    zurueck->setAccessibleName(zurueck->objectName());
    language::setTag(zurueck, 8119);
    befehle->addWidget(m_rueckgaengig);
    befehle->addStretch(1);
    befehle->addWidget(hilfe);
    befehle->addWidget(zurueck);
    haupt->addLayout(befehle);
    connect(m_rueckgaengig, &QPushButton::clicked, this, &TFormTopKatzen::RueckgaengigClick);
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(101); });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    anzeigen();
    return true;
}

void TFormTopKatzen::schliessen() {
    posten();
    if (m_top) m_top->close();
    if (m_katzen) m_katzen->close();
}

void TFormTopKatzen::uebersetzt() {
    setWindowTitle(text(8160, "Top Katzen"));
    for (int i = 0; i < kZeilen; ++i)
        if (auto* l = findChild<QLabel*>(QStringLiteral("LabelTop%1").arg(i + 1)))
            l->setText(QString::number(i + 1) + QLatin1Char(' ') + text(8161, "Top Katze"));
}

void TFormTopKatzen::anzeigen() {
    for (int i = 0; i < kZeilen; ++i) {
        const Zeile& z = m_aenderung && m_aenderung->r == i ? m_aenderung->zeile : m_zeilen[i];
        QString name;
        if (z.katze && m_katzen->findKey({z.katze})) name = m_katzen->asString(QStringLiteral("Name"));
        m_namen[i]->setText(name);
        m_farben[i]->setStyleSheet(reg::farbStil(z.farbe));
    }
    m_rueckgaengig->setEnabled(m_aenderung.has_value());
}

void TFormTopKatzen::katzeLaden(int r) {
    if (r < 0 || r >= kZeilen || !m_zeilen[r].nummer) return;
    if (m_aenderung && m_aenderung->r != r) posten();
    const int n = katzenwahl ? katzenwahl() : 0;
    if (!n) return;
    if (!m_aenderung) m_aenderung = Aenderung{r, m_zeilen[r]};
    m_aenderung->zeile.katze = n;
    anzeigen();
}

void TFormTopKatzen::farbeLaden(int r) {
    if (r < 0 || r >= kZeilen || !m_zeilen[r].nummer) return;
    if (m_aenderung && m_aenderung->r != r) posten();
    const int vorgabe = m_aenderung ? m_aenderung->zeile.farbe : m_zeilen[r].farbe;
    const std::optional<int> f = farbwahl ? farbwahl(vorgabe) : std::nullopt;
    if (!f) return;
    if (!m_aenderung) m_aenderung = Aenderung{r, m_zeilen[r]};
    m_aenderung->zeile.farbe = *f;
    anzeigen();
}

void TFormTopKatzen::RueckgaengigClick() {
    m_aenderung.reset();
    anzeigen();
}

bool TFormTopKatzen::posten() {
    if (!m_aenderung || !m_top || !m_top->isOpen()) return false;
    const Aenderung a = *m_aenderung;
    m_aenderung.reset();
    if (!hauptfenster().einstellungen().speichern && !Meldungsdienst::ja(29)) {
        if (m_katzen && m_katzen->isOpen()) anzeigen();
        return false;
    }
    try {
        if (!m_top->findKey({a.zeile.nummer})) return false;
        m_top->edit();
        if (a.zeile.katze)
            m_top->setValue(QStringLiteral("Katze"), a.zeile.katze);
        else
            m_top->clearValue(QStringLiteral("Katze"));
        m_top->setValue(QStringLiteral("Farbe"), a.zeile.farbe);
        m_top->post();
        m_top->flush();
    } catch (const std::exception& e) {
        if (m_top->state() != store::Table::State::Browse) m_top->cancel();
        fehlerDialog().HandleException(e, QStringLiteral("TopKatze.db"));
        return false;
    }
    m_zeilen[a.r] = a.zeile;
    if (m_katzen && m_katzen->isOpen()) anzeigen();
    emit hauptfenster().markierungenGeaendert();
    return true;
}

void topKatzenRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueStammdaten"), 878,
                            QStringLiteral("Top Katzen"), [](TRahmen& h) { return new TFormTopKatzen(h); }});
}

} // namespace velmora::genealogy
