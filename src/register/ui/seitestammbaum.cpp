#include "register/ui/seitestammbaum.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/ui/farbe.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::reg {

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

QString platzhalterWort() {
    return text(9300, "NEUAUFNAHME");
}

QString hintergrund(const QColor& grund) {
    return QStringLiteral("background-color: %1; color: %2;")
        .arg(grund.name(), printing::schriftFarbeAuf(grund).name());
}

constexpr int kMarken = 7;       // feature squares per slot
constexpr int kMarkenSlots = 30; // slots 1 to 30 carry marks

} // namespace

// ---------------------------------------------------------------- slot

StbKasten::StbKasten(TSeiteStammbaum& seite, int slot, QWidget* parent)
    : QLabel(parent), m_seite(seite), m_slot(slot) {
    setObjectName(QStringLiteral("Stammbaum%1").arg(slot));
    setAccessibleName(objectName());
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::StrongFocus);
    setMargin(2);
    if (slot > kMarkenSlots) return;
    // The marks sit along the slot's right edge, so the lines stay readable.
    topMarke = new QFrame(this);
    topMarke->setObjectName(objectName() + QStringLiteral("Top"));
    topMarke->setAutoFillBackground(true);
    topMarke->hide();
    for (int i = 0; i < kMarken; ++i) {
        auto* m = new QFrame(this);
        m->setObjectName(objectName() + QStringLiteral("Merkmal%1").arg(i + 1));
        m->setFrameShape(QFrame::Box);
        m->setAutoFillBackground(true);
        m->hide();
        merkmalMarken << m;
    }
    mehrMarke = new QLabel(QStringLiteral("+"), this);
    mehrMarke->setObjectName(objectName() + QStringLiteral("Mehr"));
    mehrMarke->hide();
}

void StbKasten::mousePressEvent(QMouseEvent* e) {
    m_seite.slotGedrueckt(this);
    setFocus(Qt::MouseFocusReason);
    e->accept();
}

void StbKasten::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        m_seite.StammbaumClick(this);
    e->accept();
}

void StbKasten::keyPressEvent(QKeyEvent* e) {
    // The keyboard reaches every slot too: Enter acts as a click, the menu key opens the pop-up menu.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        m_seite.slotGedrueckt(this);
        m_seite.StammbaumClick(this);
        return;
    }
    QLabel::keyPressEvent(e);
}

void StbKasten::contextMenuEvent(QContextMenuEvent* e) {
    m_seite.popupZeigen(this, e->globalPos());
    e->accept();
}

// ---------------------------------------------------------------- page

TSeiteStammbaum::TSeiteStammbaum(TCatStamm& katzenregister)
    : TKatzenSeite(katzenregister, "TabSheetStammbaum", 9410, "Stamm&baum") {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_flaeche = new QWidget(this);
    m_flaeche->setObjectName(QStringLiteral("PanelStammbaum"));
    m_flaeche->setAccessibleName(QStringLiteral("PanelStammbaum"));
    layout->addWidget(m_flaeche);
    m_kaesten.reserve(kStbSlots);
    for (int s = 1; s <= kStbSlots; ++s)
        m_kaesten.push_back(new StbKasten(*this, s, m_flaeche));

    m_info = new QFrame(m_flaeche);
    m_info->setObjectName(QStringLiteral("PanelStammbaumInfo"));
    m_info->setAccessibleName(QStringLiteral("PanelStammbaumInfo"));
    m_info->setFrameShape(QFrame::Panel);
    m_info->setFrameShadow(QFrame::Raised);
    m_info->setLineWidth(3);
    m_info->setAutoFillBackground(true);
    auto* infoLayout = new QVBoxLayout(m_info);
    m_infoText = new QLabel(m_info);
    m_infoText->setObjectName(QStringLiteral("MemoStammbaumInfo"));
    m_infoText->setAccessibleName(QStringLiteral("MemoStammbaumInfo"));
    m_infoText->setTextFormat(Qt::PlainText);
    infoLayout->addWidget(m_infoText);
    m_info->installEventFilter(this);
    m_infoText->installEventFilter(this);
    m_info->hide();

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupStammbaum"));
    m_laden = m_popup->addAction(text(8764, "Stammbaum laden"));
    m_laden->setObjectName(QStringLiteral("StammbaumLaden"));
    language::setTag(m_laden, 8764);
    connect(m_laden, &QAction::triggered, this, &TSeiteStammbaum::LadenClick);
    m_ruecksprung = m_popup->addAction(text(8765, "Rücksprung"));
    m_ruecksprung->setObjectName(QStringLiteral("Ruecksprung"));
    language::setTag(m_ruecksprung, 8765);
    connect(m_ruecksprung, &QAction::triggered, this, &TSeiteStammbaum::RuecksprungClick);
}

TSeiteStammbaum::~TSeiteStammbaum() = default;

bool TSeiteStammbaum::tabellenOeffnen() {
    if (m_offen) return m_katzen != nullptr;
    m_offen = true;
    store::Database& db = rahmen().db();
    auto oeffne = [&](const char* name, bool melden) -> std::unique_ptr<store::Table> {
        auto t = std::make_unique<store::Table>(db, QLatin1String(name));
        try {
            if (!melden && !t->exists()) return nullptr;
            t->open(store::Table::OpenMode::ReadOnly);
        } catch (const std::exception& e) {
            if (melden) fehlerDialog().HandleException(e, QLatin1String(name) + QStringLiteral(".db"));
            return nullptr;
        }
        return t;
    };
    m_katzen = oeffne("catstamm", true);
    // Without colours or marks the pedigree still shows its ancestors.
    m_farben = oeffne("stbfarbe", false);
    m_merkmal = oeffne("katzemerkmal", false);
    m_merkmale = oeffne("merkmale", false);
    m_topkatze = oeffne("topkatze", false);
    if (m_merkmal) m_merkmal->setIndexFields(QStringLiteral("Katze"));
    return m_katzen != nullptr;
}

void TSeiteStammbaum::schliessen() {
    for (auto* t : {&m_katzen, &m_farben, &m_merkmal, &m_merkmale, &m_topkatze})
        if (*t) (*t)->close();
}

void TSeiteStammbaum::uebersetzt() {
    TKatzenSeite::uebersetzt();
    // The placeholders carry the language's word; the hints follow.
    if (geladen()) neuZeichnen();
}

void TSeiteStammbaum::neuZeichnen() {
    // Drawn now when in front, else the next time it comes to the front.
    katzeSetzen(katze(), geschlecht(), katzenregister().seiten()->currentWidget() == this);
}

void TSeiteStammbaum::laden() {
    m_info->hide();
    m_gewaehlt = nullptr;
    for (StbKasten* k : m_kaesten) {
        k->clear();
        k->setStyleSheet(QString());
        k->setToolTip(QString());
        if (k->topMarke) {
            k->topMarke->hide();
            for (QFrame* m : k->merkmalMarken)
                m->hide();
            k->mehrMarke->hide();
        }
    }
    m_plaetze = StbPlaetze{};
    const int nummer = katze();
    if (!nummer || !tabellenOeffnen()) {
        anordnen();
        return;
    }
    common::TDatenGlobal* dg = rahmen().datenGlobal();
    qint32 vater = 0, mutter = 0;
    try {
        if (!m_katzen->findKey({nummer})) return;
        vater = m_katzen->asInt(QStringLiteral("Vater"));
        mutter = m_katzen->asInt(QStringLiteral("Mutter"));
        m_plaetze = stammbaumPlaetze(nummer, vater, mutter, [&](int, int, qint32 nr, qint32& v, qint32& m) {
            if (nr <= 0 || !m_katzen->findKey({nr})) return false;
            v = m_katzen->asInt(QStringLiteral("Vater"));
            m = m_katzen->asInt(QStringLiteral("Mutter"));
            return true;
        });
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return;
    }
    const QString wort = platzhalterWort();
    const QString hinweisNeu = text(9301, "Tier neu aufnehmen/suchen");
    const QString hinweisLaden = text(9302, "alle Tierdaten laden");
    std::vector<qint32> nummern(kStbSlots, 0);
    for (int s = 1; s <= kStbSlots; ++s) {
        const StbPlatz& p = m_plaetze[size_t(s - 1)];
        StbKasten* k = kasten(s);
        if (p.platzhalter()) {
            k->setText(platzhalterText(wort, p.fehlt, p.kind));
            k->setStyleSheet(QStringLiteral("color: blue;"));
            k->setToolTip(hinweisNeu);
            continue;
        }
        if (!p.nummer) continue;
        nummern[size_t(s - 1)] = p.nummer;
        k->setToolTip(hinweisLaden);
        if (dg) {
            bool titel = false;
            int titelNr = 0;
            dg->Katzendaten(3, p.nummer, QString(), titel, stbGeneration(s), false, titelNr);
            k->setText(dg->daten.join(QLatin1Char('\n')));
        } else if (m_katzen->findKey({p.nummer})) {
            k->setText(m_katzen->asString(QStringLiteral("Name")) + QStringLiteral(" {") +
                       QString::number(p.nummer) + QLatin1Char('}'));
        }
        if (s <= kMarkenSlots) markenSetzen(k, p.nummer);
    }

    QList<int> farbliste;
    if (m_farben)
        for (m_farben->first(); m_farben->hasRecord() && !m_farben->eof(); m_farben->next())
            farbliste << m_farben->asInt(QStringLiteral("farbe"));
    const AhnenFarben farben = doppelteAhnen(nummern, farbliste);
    for (int s = 1; s <= kStbSlots; ++s)
        if (const auto& f = farben.farbe[size_t(s - 1)])
            kasten(s)->setStyleSheet(hintergrund(printing::farbeAusWert(*f)));
    anordnen();
    // Too few colours are reported once after the user moved to a cat, not on every redraw.
    if (nummer != m_gezeichnetFuer) m_meldungFaellig = true;
    m_gezeichnetFuer = nummer;
    if (farben.erschoepft && m_meldungFaellig) {
        m_meldungFaellig = false;
        // texte: meldung 170 178
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 170,
                               language::meldung(170) + QLatin1Char('\r') + language::meldung(178));
    }
}

void TSeiteStammbaum::markenSetzen(StbKasten* k, qint32 nummer) {
    if (m_topkatze) {
        const QVariant f =
            m_topkatze->lookupValue(QStringLiteral("Katze"), {nummer}, QStringLiteral("Farbe"));
        if (f.isValid() && !f.isNull()) {
            k->topMarke->setStyleSheet(hintergrund(printing::farbeAusWert(f.toInt())));
            k->topMarke->show();
        }
    }
    if (!m_merkmal || !m_merkmale) return;
    int n = 0;
    m_merkmal->setRange({nummer}, {nummer});
    for (m_merkmal->first(); m_merkmal->hasRecord() && !m_merkmal->eof(); m_merkmal->next(), ++n) {
        if (n >= kMarken) {
            k->mehrMarke->show();
            break;
        }
        const int farbe =
            m_merkmale
                ->lookupValue(QStringLiteral("LaufendeNummer"), {m_merkmal->value(QStringLiteral("Merkmal"))},
                              QStringLiteral("Farbe"))
                .toInt();
        QFrame* m = k->merkmalMarken[n];
        m->setStyleSheet(hintergrund(printing::farbeAusWert(farbe)));
        m->show();
    }
    m_merkmal->cancelRange();
}

void TSeiteStammbaum::resizeEvent(QResizeEvent* e) {
    TKatzenSeite::resizeEvent(e);
    anordnen();
}

void TSeiteStammbaum::anordnen() {
    const int h = std::max(m_flaeche->height(), 160);
    const int w = std::max(m_flaeche->width(), 400);
    // Heights in sixteenths of the page: 5, 4, 2, 1 units; the fifth generation needs 15 pixels a slot.
    const bool fuenfte = h / 32 >= 15;
    const int spalten = fuenfte ? 5 : 4;
    const int breite = w / spalten;
    const double einheit = h / 16.0;
    const double hoehe[] = {0, 5 * einheit, 4 * einheit, 2 * einheit, einheit, einheit / 2};
    for (int g = 1; g <= kStbGenerationen; ++g) {
        const double band = double(h) / (1 << g);
        for (int k = 1; k <= (1 << g); ++k) {
            StbKasten* kasten = this->kasten(stbSlot(g, k));
            if (g == 5 && !fuenfte) {
                kasten->hide();
                continue;
            }
            const int y = int((k - 1) * band + (band - hoehe[g]) / 2);
            kasten->setGeometry((g - 1) * breite + 2, y, breite - 4, std::max(int(hoehe[g]) - 2, 12));
            kasten->show();
            if (!kasten->topMarke) continue;
            const int x = kasten->width() - 12;
            kasten->topMarke->setGeometry(x - 2, 2, 12, 4);
            for (int i = 0; i < kMarken; ++i)
                kasten->merkmalMarken[i]->setGeometry(x - 2 - (kMarken - 1 - i) * 10, 8, 8, 8);
            kasten->mehrMarke->setGeometry(x + 1, 6, 12, 12);
        }
    }
}

// ---------------------------------------------------------------- clicks and the pop-up menu

void TSeiteStammbaum::slotGedrueckt(StbKasten* k) {
    m_gewaehlt = k;
}

void TSeiteStammbaum::StammbaumClick(StbKasten* k) {
    const QString t = k->text();
    if (t.isEmpty()) return;
    const SlotVerweis v = slotVerweis(t);
    if (t.startsWith(platzhalterWort())) {
        common::TDatenGlobal* dg = rahmen().datenGlobal();
        if (dg && dg->NeuausStb) {
            // texte: meldung 221 222
            Meldungsdienst::zeigen(MeldungsArt::Information, 221,
                                   language::meldung(221) + QLatin1Char(' ') + language::meldung(222));
            return;
        }
        if (v.art != SlotVerweis::Art::platzhalter) {
            Meldungsdienst::nachricht(221, MeldungsArt::Information);
            return;
        }
        katzenregister().KatzeNewausStb(v.buchstabe, v.nummer);
        return;
    }
    if (v.art == SlotVerweis::Art::ahne) infoZeigen(k);
}

void TSeiteStammbaum::infoZeigen(StbKasten* k) {
    m_infoText->setText(k->text());
    m_info->adjustSize();
    // Near the slot, moved left or up to stay inside the pedigree, 20 pixels kept free at the bottom.
    QPoint p = k->geometry().topLeft() + QPoint(20, 10);
    const QRect flaeche = m_flaeche->rect();
    if (p.x() + m_info->width() > flaeche.right()) p.setX(std::max(0, flaeche.right() - m_info->width()));
    if (p.y() + m_info->height() > flaeche.bottom() - 20)
        p.setY(std::max(0, flaeche.bottom() - 20 - m_info->height()));
    m_info->move(p);
    m_info->raise();
    m_info->show();
}

bool TSeiteStammbaum::eventFilter(QObject* o, QEvent* e) {
    if ((o == m_info || o == m_infoText) && e->type() == QEvent::MouseButtonRelease) {
        m_info->hide();
        return true;
    }
    return TKatzenSeite::eventFilter(o, e);
}

void TSeiteStammbaum::popupZeigen(StbKasten* k, const QPoint& global) {
    m_gewaehlt = k;
    m_laden->setEnabled(true);
    m_ruecksprung->setEnabled(m_ruecksprungKatze != 0);
    m_popup->popup(global);
}

void TSeiteStammbaum::LadenClick() {
    common::TDatenGlobal* dg = rahmen().datenGlobal();
    if (dg && dg->NeuausStb) {
        // texte: meldung 223 224
        Meldungsdienst::zeigen(MeldungsArt::Information, 223,
                               language::meldung(223) + QLatin1Char(' ') + language::meldung(224));
        return;
    }
    if (!m_gewaehlt) return;
    const SlotVerweis v = slotVerweis(m_gewaehlt->text());
    if (v.art != SlotVerweis::Art::ahne) return;
    const int zurueck = katze();
    if (!katzenregister().zeigeKatze(v.nummer)) return;
    // One step back is remembered: this replaces an older one.
    m_ruecksprungKatze = zurueck;
    if (Katzenauswahl* l = rahmen().katzenListe(); l && l->offen()) l->zeigeKatze(v.nummer);
}

void TSeiteStammbaum::RuecksprungClick() {
    if (!m_ruecksprungKatze) return;
    const int ziel = m_ruecksprungKatze;
    if (!katzenregister().zeigeKatze(ziel)) return;
    m_ruecksprungKatze = 0;
    if (Katzenauswahl* l = rahmen().katzenListe(); l && l->offen()) l->zeigeKatze(ziel);
}

} // namespace velmora::reg
