#include "register/ui/elternpanel.h"

#include "common/datenglobal.h"
#include "common/ui/rahmen.h"
#include "register/familie.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace velmora::reg {

TElternPanel::TElternPanel(TCatStamm& r, QWidget* parent) : QFrame(parent), m_register(r) {
    setObjectName(QStringLiteral("PanelElternInfo"));
    setAccessibleName(QStringLiteral("PanelElternInfo"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(3);
    setAutoFillBackground(true);
    auto* l = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("MemoElternInfo"));
    m_text->setAccessibleName(QStringLiteral("MemoElternInfo"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->addWidget(m_text);
    hide();
}

TElternPanel::~TElternPanel() = default;

QString TElternPanel::text() const {
    return m_text->text();
}

void TElternPanel::schliessen() {
    for (auto* t : {&m_katzen, &m_rasse, &m_farbe, &m_adr})
        if (*t) (*t)->close();
}

void TElternPanel::mouseReleaseEvent(QMouseEvent* e) {
    hide();
    e->accept();
}

void TElternPanel::zeigen(int nummer, QWidget* feld) {
    hide();
    if (!m_offen) {
        m_offen = true;
        store::Database& db = m_register.hauptfenster().db();
        for (auto [t, name] : {std::pair{&m_katzen, "catstamm"}, std::pair{&m_rasse, "rasse"},
                               std::pair{&m_farbe, "farbe"}, std::pair{&m_adr, "adr_dat"}}) {
            auto neu = std::make_unique<store::Table>(db, QLatin1String(name));
            try {
                if (!neu->exists()) continue;
                neu->open(store::Table::OpenMode::ReadOnly);
                *t = std::move(neu);
            } catch (const std::exception&) {
                // Without it the panel shows fewer lines; the register reported its own tables.
            }
        }
    }
    if (nummer <= 0 || !m_katzen || !m_katzen->findKey({nummer})) return;
    store::Table& k = *m_katzen;
    ElternDaten d;
    d.name = k.asString(QStringLiteral("Name"));
    common::TDatenGlobal* dg = m_register.hauptfenster().datenGlobal();
    if (dg && !k.asString(QStringLiteral("Geschlecht")).isEmpty()) d.titel = dg->GetTitel(nummer);
    if (m_rasse && !k.isNull(QStringLiteral("Rasse"))) {
        const QVariantList r{k.value(QStringLiteral("Rasse"))};
        const QVariant name = m_rasse->lookupValue(QStringLiteral("RCode"), r, QStringLiteral("RName"));
        if (name.isValid() && !name.isNull()) {
            d.rasseGefunden = true;
            d.rasseName = name.toString();
            d.rasseKurz =
                m_rasse->lookupValue(QStringLiteral("RCode"), r, QStringLiteral("RKurzname")).toString();
        }
    }
    d.fellFarbe = k.asString(QStringLiteral("FellFarbe"));
    if (m_farbe && !d.fellFarbe.isEmpty())
        d.farbNummer =
            m_farbe->lookupValue(QStringLiteral("Farbname"), {d.fellFarbe}, QStringLiteral("Farbnummer"))
                .toString();
    d.gebDatum = k.asDate(QStringLiteral("GebDatum"));
    d.augenfarbe = k.asString(QStringLiteral("Augenfarbe"));
    d.zuchtbuch1 = k.asString(QStringLiteral("Zuchtbuchnummer1"));
    d.zuchtbuch2 = k.asString(QStringLiteral("Zuchtbuchnummer2"));
    d.zuchtbuch3 = k.asString(QStringLiteral("Zuchtbuchnummer3"));
    auto adresse = [this](int nr) -> std::optional<QString> {
        if (nr <= 0 || !m_adr || !m_adr->findKey({nr})) return std::nullopt;
        return m_adr->asString(QStringLiteral("Name")) + QStringLiteral(", ") +
               m_adr->asString(QStringLiteral("Vorname"));
    };
    d.zuechter = adresse(k.asInt(QStringLiteral("Züchter")));
    d.besitzer = adresse(k.asInt(QStringLiteral("Besitzer")));
    d.gencode = k.asString(QStringLiteral("Gencode"));
    d.blutgruppe = k.asString(QStringLiteral("Blutgruppe"));
    d.tests = k.asString(QStringLiteral("Tests"));
    d.chipNr = k.asString(QStringLiteral("ChipNr"));
    const bool englisch = m_register.hauptfenster().einstellungen().spracheNummer() == 1;
    m_text->setText(elternInfoZeilen(d, englisch, [](const QDate& x) {
                        return x.toString(QStringLiteral("dd.MM.yyyy"));
                    }).join(QLatin1Char('\n')));
    adjustSize();
    // Below the field, kept inside the page.
    QWidget* seite = parentWidget();
    QPoint p = feld->mapTo(seite, QPoint(0, feld->height()));
    if (p.x() + width() > seite->width()) p.setX(std::max(0, seite->width() - width()));
    if (p.y() + height() > seite->height())
        p.setY(std::max(0, feld->mapTo(seite, QPoint(0, 0)).y() - height()));
    move(p);
    raise();
    show();
}

} // namespace velmora::reg
