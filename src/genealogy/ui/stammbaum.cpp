#include "genealogy/ui/stammbaum.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/stammbaumdruck.h"
#include "printing/ui/berichtdruck.h"
#include "register/ui/suchendlg.h"
#include "store/ui/dberror.h"

#include <QCache>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: feldname 1483 8613 8614 8760-8762 8764-8769

namespace {

constexpr char kName[] = "FormStammbaum";
constexpr int kZeile = 18;           // height of a slot of the eighth generation
constexpr int kOben = 24;            // room for the column headings
constexpr int kHoehe = kZeile * 256; // height of the slot area
constexpr int kBreite[] = {0, 200, 200, 190, 180, 170, 180, 180, 180}; // column width by generation
constexpr int kBildBreite[] = {0, 160, 140, 120, 100, 80};
constexpr int kBildHoehe[] = {0, 120, 105, 90, 75, 60};

int spalteX(int g) {
    int x = 4;
    for (int i = 1; i < g; ++i)
        x += kBreite[i] + 16;
    return x;
}
int bandHoehe(int g) {
    return kHoehe >> g;
}

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

QString farbeAlsStil(int wert) {
    const int r = wert & 0xff, g = (wert >> 8) & 0xff, b = (wert >> 16) & 0xff;
    // Dark marks get light text, so a name stays readable on any colour of the list.
    const bool dunkel = r * 299 + g * 587 + b * 114 < 128000;
    return QStringLiteral("background-color: rgb(%1,%2,%3); color: %4;")
        .arg(r)
        .arg(g)
        .arg(b)
        .arg(dunkel ? QStringLiteral("white") : QStringLiteral("black"));
}

// Decoded pictures by file, size and modification time: the same ancestors come back with every pedigree.
QCache<QString, QPixmap>& bildCache() {
    static QCache<QString, QPixmap> c(64 * 1024 * 1024); // bytes
    return c;
}

// The line from a slot to its parents' slots.
class Baumflaeche : public QWidget {
public:
    Baumflaeche(const Ahnentafel& tafel, QWidget* parent) : QWidget(parent), m_tafel(tafel) {}
    std::function<QRect(int, int)> rechteck;

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::Mid), 1));
        const QRect sicht = e->rect();
        for (int g = 1; g < m_tafel.generationen(); ++g)
            for (int k = 1; k <= Ahnentafel::slotZahl(g); ++k) {
                if (!m_tafel.slot(g, k)) continue;
                const QRect a = rechteck(g, k);
                const int x0 = a.right() + 2, y0 = a.center().y();
                const int xm = x0 + 7;
                for (int e2 : {2 * k - 1, 2 * k}) {
                    if (!m_tafel.slot(g + 1, e2)) continue;
                    const QRect b = rechteck(g + 1, e2);
                    const QRect huelle = QRect(QPoint(x0, std::min(y0, b.center().y())),
                                               QPoint(b.left(), std::max(y0, b.center().y())));
                    if (!huelle.adjusted(-1, -1, 1, 1).intersects(sicht)) continue;
                    p.drawLine(x0, y0, xm, y0);
                    p.drawLine(xm, y0, xm, b.center().y());
                    p.drawLine(xm, b.center().y(), b.left() - 2, b.center().y());
                }
            }
    }

private:
    const Ahnentafel& m_tafel;
};

} // namespace

// ---------------------------------------------------------------- slot

StammbaumSlot::StammbaumSlot(TFormStammbaum& fenster, int g, int k, QWidget* parent)
    : QLabel(parent), m_fenster(fenster), m_g(g), m_k(k) {
    setObjectName(QStringLiteral("Stb%1_%2").arg(g).arg(k));
    setAccessibleName(objectName());
    setWordWrap(g <= 6);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void StammbaumSlot::mousePressEvent(QMouseEvent* e) {
    m_fenster.slotGedrueckt(this);
    e->accept();
}

void StammbaumSlot::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) m_fenster.infoZeigen(this);
    e->accept();
}

// ---------------------------------------------------------------- window

TFormStammbaum::TFormStammbaum(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kName), 8760) {
    setWindowTitle(text(8760, "Stammbaum über 8 Generationen"));
}

TFormStammbaum::~TFormStammbaum() = default;

bool TFormStammbaum::oeffnen() {
    store::Database& db = hauptfenster().db();
    auto oeffne = [&](const char* name) -> std::unique_ptr<store::Table> {
        auto t = std::make_unique<store::Table>(db, QLatin1String(name));
        try {
            t->open(store::Table::OpenMode::ReadOnly);
        } catch (const std::exception& e) {
            fehlerDialog().HandleException(e, QLatin1String(name) + QStringLiteral(".db"));
            return nullptr;
        }
        return t;
    };
    m_katze = oeffne("catstamm");
    if (!m_katze) return false;
    m_stammbaum = oeffne("catstamm");
    if (!m_stammbaum) return false;
    // Without pictures or colours the pedigree still shows its ancestors.
    m_bilder = oeffne("bilder");
    if (m_bilder) m_bilder->setIndexName(QStringLiteral("IndexKatzeNr"));
    if (db.tableExists(QStringLiteral("stbfarbe"))) m_farben = oeffne("stbfarbe");
    aufbauen();
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, [this](int n) { katzeZeigen(n); });
    int start = 0;
    if (Katzenauswahl* l = hauptfenster().katzenListe()) start = l->aktuelleKatze();
    if (!start) start = hauptfenster().registerKatze();
    katzeZeigen(start);
    katzeladen = false;
    return true;
}

void TFormStammbaum::schliessen() {
    for (auto* t : {&m_katze, &m_stammbaum, &m_bilder, &m_farben})
        if (*t) (*t)->close();
    // Without fitted windows the others are arranged again once this maximised one is gone.
    TRahmen* rahmen = &hauptfenster();
    if (!rahmen->einstellungen().Fenstergroesse && !rahmen->ProgrammEnde)
        QMetaObject::invokeMethod(
            rahmen, [rahmen] { rahmen->fensterAnordnen(); }, Qt::QueuedConnection);
}

void TFormStammbaum::aufbauen() {
    auto* haupt = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    haupt->addLayout(links);

    m_panelKatze = new QFrame(this);
    m_panelKatze->setObjectName(QStringLiteral("PanelKatze"));
    m_panelKatze->setFrameShape(QFrame::StyledPanel);
    m_panelKatze->setFixedSize(220, 170);
    m_imageKatze = new QLabel(m_panelKatze);
    m_imageKatze->setObjectName(QStringLiteral("ImageKatze"));
    m_imageKatze->setAccessibleName(QStringLiteral("ImageKatze"));
    m_imageKatze->setGeometry(m_panelKatze->rect());
    m_imageKatze->setAlignment(Qt::AlignCenter);
    links->addWidget(m_panelKatze);
    m_memoKatze = new QTextEdit(this);
    m_memoKatze->setObjectName(QStringLiteral("MemoKatze"));
    m_memoKatze->setAccessibleName(QStringLiteral("MemoKatze"));
    m_memoKatze->setReadOnly(true);
    m_memoKatze->setFixedWidth(220);
    links->addWidget(m_memoKatze, 1);
    auto knopf = [&](int tag, const char* t, const char* name) {
        auto* b = new QPushButton(text(tag, t), this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QLatin1String(name));
        language::setTag(b, tag);
        links->addWidget(b);
        return b;
    };
    connect(knopf(8762, "&Katze laden", "BitBtnKatzeLaden"), &QPushButton::clicked, this,
            &TFormStammbaum::KatzeLadenClick);
    // texte: feldname 134 139
    connect(knopf(134, "Stammbaum (deutsch)", "BitBtnDruckenDeutsch"), &QPushButton::clicked, this,
            [this] { StammbaumDruckenClick(false); });
    connect(knopf(139, "Stammbaum (english)", "BitBtnDruckenEnglisch"), &QPushButton::clicked, this,
            [this] { StammbaumDruckenClick(true); });
    connect(knopf(8613, "&Hilfe", "BitBtnHilfe"), &QPushButton::clicked, this,
            [this] { hauptfenster().hilfeZeigen(19); });
    connect(knopf(8614, "&Zurück", "BitBtnZurueck"), &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });

    m_flaeche = new QScrollArea(this);
    m_flaeche->setObjectName(QStringLiteral("ScrollBoxStammbaum"));
    m_flaeche->setAccessibleName(QStringLiteral("ScrollBoxStammbaum"));
    auto* baum = new Baumflaeche(m_tafel, m_flaeche);
    m_baum = baum;
    m_baum->setObjectName(QStringLiteral("PanelStammbaum"));
    m_baum->installEventFilter(this);
    m_baum->setFixedSize(spalteX(kGenerationen + 1), kOben + kHoehe + 8);
    haupt->addWidget(m_flaeche, 1);

    // Slot k of generation g sits in the middle of its band; the first five generations have a picture
    // above their text.
    auto rechteck = [](int g, int k) {
        const int band = bandHoehe(g);
        const int hoehe = g <= 5 ? 44 : std::min(band - 2, 36);
        const int mitte = kOben + (k - 1) * band + band / 2 + (g <= 5 ? kBildHoehe[g] / 2 : 0);
        return QRect(spalteX(g), mitte - hoehe / 2, kBreite[g], hoehe);
    };
    baum->rechteck = rechteck;
    m_slots.assign(static_cast<size_t>((1 << (kGenerationen + 1)) - 2), nullptr);
    for (int g = 1; g <= kGenerationen; ++g)
        for (int k = 1; k <= Ahnentafel::slotZahl(g); ++k) {
            auto* s = new StammbaumSlot(*this, g, k, m_baum);
            s->setGeometry(rechteck(g, k));
            m_slots[index(g, k)] = s;
            if (g > kBildGenerationen) continue;
            const QRect r = rechteck(g, k);
            auto* panel = new QFrame(m_baum);
            panel->setObjectName(QStringLiteral("Panel%1_%2").arg(g).arg(k));
            panel->setFrameShape(QFrame::StyledPanel);
            panel->setGeometry(r.left(), r.top() - kBildHoehe[g] - 2, kBildBreite[g], kBildHoehe[g]);
            auto* bild = new QLabel(panel);
            bild->setObjectName(QStringLiteral("Bild%1_%2").arg(g).arg(k));
            bild->setAccessibleName(bild->objectName());
            bild->setGeometry(panel->rect());
            bild->setAlignment(Qt::AlignCenter);
            panel->hide();
            m_bildPanels.insert(static_cast<int>(index(g, k)), panel);
        }
    // Headings at the top of the sire's and the dam's half of every column.
    for (int g = 1; g <= kGenerationen; ++g)
        for (int seite = 0; seite < 2; ++seite) {
            auto* l = new QLabel(m_baum);
            l->setObjectName(QStringLiteral("Generation%1_%2").arg(g).arg(seite + 1));
            l->setAccessibleName(l->objectName());
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
            l->setGeometry(spalteX(g), seite == 0 ? 2 : kOben + kHoehe / 2 - 20, kBreite[g], 18);
            m_ueberschriften << l;
        }

    m_info = new QFrame(m_baum);
    m_info->setObjectName(QStringLiteral("PanelStammbaumInfo"));
    m_info->setFrameShape(QFrame::Panel);
    m_info->setFrameShadow(QFrame::Raised);
    m_info->setLineWidth(3);
    m_info->setAutoFillBackground(true);
    m_info->setMouseTracking(true);
    m_info->installEventFilter(this);
    m_info->resize(420, 220);
    m_infoText = new QTextEdit(m_info);
    m_infoText->setObjectName(QStringLiteral("MemoStammbaumInfo"));
    m_infoText->setAccessibleName(QStringLiteral("MemoStammbaumInfo"));
    m_infoText->setReadOnly(true);
    m_infoText->setGeometry(m_info->rect().adjusted(5, 5, -5, -5));
    m_infoText->viewport()->installEventFilter(this);
    m_infoBildPanel = new QFrame(m_infoText->viewport());
    m_infoBildPanel->setObjectName(QStringLiteral("Panel3"));
    m_infoBildPanel->setGeometry(2, 2, 140, 110);
    m_infoBild = new QLabel(m_infoBildPanel);
    m_infoBild->setObjectName(QStringLiteral("Image2"));
    m_infoBild->setAccessibleName(QStringLiteral("Image2"));
    m_infoBild->setGeometry(m_infoBildPanel->rect());
    m_infoBild->setAlignment(Qt::AlignCenter);
    m_info->hide();
    m_flaeche->setWidget(m_baum);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupStammbaum"));
    m_laden = m_popup->addAction(text(8764, "Stammbaum laden"));
    m_laden->setObjectName(QStringLiteral("StammbaumLaden"));
    language::setTag(m_laden, 8764);
    connect(m_laden, &QAction::triggered, this, &TFormStammbaum::StammbaumLadenClick);
    m_zurueck = m_popup->addAction(text(8765, "Rücksprung"));
    m_zurueck->setObjectName(QStringLiteral("Ruecksprung"));
    language::setTag(m_zurueck, 8765);
    connect(m_zurueck, &QAction::triggered, this, &TFormStammbaum::RuecksprungClick);
    uebersetzt();
}

void TFormStammbaum::uebersetzt() {
    setWindowTitle(text(8760, "Stammbaum über 8 Generationen"));
    const QString gen = text(1483, "Generation");
    for (QLabel* l : m_ueberschriften) {
        const QStringList teile = l->objectName().mid(10).split(QLatin1Char('_'));
        const int g = teile.value(0).toInt(), seite = teile.value(1).toInt();
        const QString zusatz =
            g == 1 ? (seite == 1 ? text(8766, "Vater") : text(8767, "Mutter"))
                   : (seite == 1 ? text(8768, "väterlicherseits") : text(8769, "mütterlicherseits"));
        l->setText(gen + QLatin1Char(' ') + QString::number(g) + QLatin1Char(' ') + zusatz);
    }
}

// ---------------------------------------------------------------- filling

bool TFormStammbaum::katzeZeigen(int nummer) {
    if (!m_katze) return false;
    m_info->hide();
    if (!nummer || !m_katze->findKey({nummer})) {
        m_proband = 0;
        m_memoKatze->clear();
        m_panelKatze->hide();
        m_tafel = Ahnentafel(kGenerationen);
        for (StammbaumSlot* s : m_slots)
            s->clear();
        for (QFrame* p : m_bildPanels)
            p->hide();
        m_baum->update();
        return false;
    }
    m_proband = nummer;
    probandZeigen();
    fuellen();
    return true;
}

void TFormStammbaum::probandZeigen() {
    const bool mitBild = hauptfenster().einstellungen().StammbaumlangBild;
    const QString pfad = mitBild ? bildPfad(m_proband, m_katze->asInt(QStringLiteral("Feld2"))) : QString();
    m_panelKatze->setVisible(!pfad.isEmpty() && bildSetzen(m_imageKatze, pfad, 0));
    m_memoKatze->clear();
    if (common::TDatenGlobal* dg = hauptfenster().datenGlobal()) {
        bool titel = false;
        int titelNr = 0;
        dg->Katzendaten(1, m_proband, QString(), titel, 1, false, titelNr);
        m_memoKatze->setPlainText(dg->daten.join(QLatin1Char('\n')));
    } else {
        m_memoKatze->setPlainText(m_katze->asString(QStringLiteral("Name")));
    }
    m_memoKatze->verticalScrollBar()->setValue(0);
}

QString TFormStammbaum::slotText(int nummer) {
    QString titel;
    if (common::TDatenGlobal* dg = hauptfenster().datenGlobal()) titel = dg->GetTitel(nummer);
    return QLatin1Char(' ') + titel + QLatin1Char(' ') + m_stammbaum->asString(QStringLiteral("Name")) +
           QLatin1Char('{') + QString::number(nummer) + QLatin1Char('}');
}

void TFormStammbaum::fuellen() {
    const bool mitBild = hauptfenster().einstellungen().StammbaumlangBild;
    std::vector<QString> texte(m_slots.size());
    std::vector<QString> bilder(m_slots.size());
    m_tafel =
        ahnentafelFuellen(m_katze->asInt(QStringLiteral("Vater")), m_katze->asInt(QStringLiteral("Mutter")),
                          kGenerationen, [&](int g, int k, qint32 nr, qint32& v, qint32& m) {
                              if (!m_stammbaum->findKey({nr})) return false;
                              v = m_stammbaum->asInt(QStringLiteral("Vater"));
                              m = m_stammbaum->asInt(QStringLiteral("Mutter"));
                              texte[index(g, k)] = slotText(nr);
                              if (g <= kBildGenerationen && mitBild)
                                  bilder[index(g, k)] =
                                      bildPfad(nr, m_stammbaum->asInt(QStringLiteral("Feld2")));
                              return true;
                          });
    for (size_t i = 0; i < m_slots.size(); ++i) {
        m_slots[i]->setText(texte[i]);
        m_slots[i]->setStyleSheet(QString());
    }
    for (auto it = m_bildPanels.begin(); it != m_bildPanels.end(); ++it) {
        const QString& pfad = bilder[static_cast<size_t>(it.key())];
        // A missing or unreadable picture leaves its frame out, without a word: the ancestor is still shown.
        it.value()->setVisible(!pfad.isEmpty() && bildSetzen(it.value()->findChild<QLabel*>(), pfad, 3));
    }
    farbenSetzen();
    m_baum->update();
}

void TFormStammbaum::farbenSetzen() {
    QList<int> farben;
    if (m_farben)
        for (m_farben->first(); m_farben->hasRecord() && !m_farben->eof(); m_farben->next())
            farben << m_farben->asInt(QStringLiteral("farbe"));
    const QHash<qint32, int> doppelte = doppelteAhnenFarben(m_tafel, farben);
    for (int g = 1; g <= kGenerationen; ++g)
        for (int k = 1; k <= Ahnentafel::slotZahl(g); ++k) {
            const auto it = doppelte.constFind(m_tafel.slot(g, k));
            if (it != doppelte.constEnd()) m_slots[index(g, k)]->setStyleSheet(farbeAlsStil(*it));
        }
}

QString TFormStammbaum::bildPfad(int nummer, int feld2) {
    if (!m_bilder) return {};
    QStringList pfade;
    try {
        m_bilder->setRange({nummer}, {nummer});
        for (m_bilder->first(); m_bilder->hasRecord() && !m_bilder->eof(); m_bilder->next())
            pfade << m_bilder->asString(QStringLiteral("Bildpfad"));
        m_bilder->cancelRange();
    } catch (const std::exception&) {
        return {};
    }
    if (pfade.isEmpty()) return {};
    // Feld2 = n names the n-th picture; beyond the last one the last is taken.
    QString pfad = pfade[std::clamp(feld2, 1, static_cast<int>(pfade.size())) - 1];
    if (!pfad.isEmpty() && QFileInfo(pfad).isRelative())
        pfad = QDir(hauptfenster().db().directory()).filePath(pfad);
    return QFileInfo::exists(pfad) ? pfad : QString();
}

bool TFormStammbaum::bildSetzen(QLabel* box, const QString& pfad, int rand) {
    if (!box || pfad.isEmpty()) return false;
    const QSize platz = box->parentWidget()->size() - QSize(2 * rand, 2 * rand);
    const QFileInfo info(pfad);
    const QString schluessel = pfad + QLatin1Char('|') + QString::number(platz.width()) + QLatin1Char('x') +
                               QString::number(platz.height()) + QLatin1Char('|') +
                               QString::number(info.lastModified().toMSecsSinceEpoch());
    QPixmap* p = bildCache().object(schluessel);
    if (!p) {
        // Decoded straight at the size shown: a large photo costs a fraction of its full decode.
        QImageReader leser(pfad);
        leser.setAutoTransform(true);
        const QSize voll = leser.size();
        if (!voll.isValid() || voll.isEmpty()) return false;
        leser.setScaledSize(voll.scaled(platz, Qt::KeepAspectRatio));
        const QImage bild = leser.read();
        if (bild.isNull()) return false;
        p = new QPixmap(QPixmap::fromImage(bild));
        const qint64 kosten = static_cast<qint64>(p->width()) * p->height() * 4;
        if (!bildCache().insert(schluessel, p, static_cast<int>(std::min<qint64>(kosten, INT_MAX)))) {
            box->setPixmap(QPixmap::fromImage(bild));
            box->setGeometry(QRect(QPoint(rand, rand), platz));
            return true;
        }
    }
    box->setGeometry(QRect(QPoint(rand, rand), platz));
    box->setPixmap(*p);
    return true;
}

void TFormStammbaum::bilderVergessen() {
    bildCache().clear();
}

int TFormStammbaum::nummerAusText(const QString& t) {
    const int auf = t.lastIndexOf(QLatin1Char('{'));
    if (auf < 0 || t.size() < 2) return 0;
    return t.mid(auf + 1, t.size() - auf - 2).toInt();
}

// ---------------------------------------------------------------- information panel

void TFormStammbaum::infoZeigen(StammbaumSlot* s) {
    m_info->move(s->pos() - QPoint(6, 6));
    m_infoText->clear();
    const int g = s->generation();
    const QString t = s->text();
    m_infoBildPanel->hide();
    if (t.contains(QLatin1Char('{'))) {
        const int nr = nummerAusText(t);
        QString zusatz;
        if (m_stammbaum->findKey({nr})) {
            if (g > kBildGenerationen && hauptfenster().einstellungen().StammbaumlangBild) {
                const QString pfad = bildPfad(nr, 1);
                if (!pfad.isEmpty() && bildSetzen(m_infoBild, pfad, 0)) {
                    m_infoBildPanel->show();
                    zusatz = QString(38, QLatin1Char(' '));
                }
            }
            if (common::TDatenGlobal* dg = hauptfenster().datenGlobal()) {
                bool titel = false;
                int titelNr = 0;
                dg->Katzendaten(2, nr, zusatz, titel, g, false, titelNr);
                m_infoText->setPlainText(dg->daten.join(QLatin1Char('\n')));
            } else {
                m_infoText->setPlainText(zusatz + m_stammbaum->asString(QStringLiteral("Name")));
            }
            m_infoText->verticalScrollBar()->setValue(0);
        }
    }
    // Kept inside the part of the pedigree that is in view.
    const QRect sicht(m_flaeche->horizontalScrollBar()->value(), m_flaeche->verticalScrollBar()->value(),
                      m_flaeche->viewport()->width(), m_flaeche->viewport()->height());
    QPoint p = m_info->pos();
    if (p.x() + m_info->width() > sicht.right()) p.setX(sicht.right() - m_info->width());
    if (p.y() + m_info->height() > sicht.bottom()) p.setY(sicht.bottom() - m_info->height());
    m_info->move(p);
    m_info->raise();
    m_info->show();
}

void TFormStammbaum::slotGedrueckt(StammbaumSlot* s) {
    MemoNr = s->text();
    katzeladen = true;
}

bool TFormStammbaum::eventFilter(QObject* o, QEvent* e) {
    if (o == m_info && e->type() == QEvent::MouseMove) {
        m_info->hide();
    } else if (m_infoText && o == m_infoText->viewport() && e->type() == QEvent::MouseButtonPress) {
        m_info->hide();
        return true;
    } else if (o == m_baum && e->type() == QEvent::MouseButtonPress) {
        katzeladen = false;
    }
    return TKindFenster::eventFilter(o, e);
}

void TFormStammbaum::contextMenuEvent(QContextMenuEvent* e) {
    popupZeigen(e->globalPos());
    e->accept();
}

void TFormStammbaum::popupZeigen(const QPoint& global) {
    m_laden->setEnabled(katzeladen);
    m_zurueck->setEnabled(m_gespeichert != 0);
    m_popup->popup(global);
}

// ---------------------------------------------------------------- commands

void TFormStammbaum::StammbaumLadenClick() {
    m_laden->setEnabled(katzeladen);
    if (!katzeladen) return;
    // One step back is remembered: this replaces an older one.
    m_gespeichert = m_proband;
    if (MemoNr.contains(QLatin1Char('{'))) katzeZeigen(nummerAusText(MemoNr));
}

void TFormStammbaum::RuecksprungClick() {
    if (!m_gespeichert) return;
    const int ziel = m_gespeichert;
    m_gespeichert = 0;
    katzeZeigen(ziel);
}

bool TFormStammbaum::StammbaumDruckenClick(bool englisch) {
    if (!m_proband || hauptfenster().gesperrt()) return false;
    // The same certificate as the main window's command, of the cat this window shows.
    printing::Druckquelle quelle(hauptfenster().db(), hauptfenster().einstellungen(), englisch ? 1 : 0,
                                 hauptfenster().datenGlobal());
    quelle.messen = printing::schriftMessung();
    const printing::StammbaumDruck d =
        printing::stammbaumDrucken(quelle, m_proband, hauptfenster().einstellungen().StammbaumGeneration);
    if (druckAusgabe)
        druckAusgabe(d.bericht);
    else
        printing::vorschauZeigen(d.bericht, this);
    return true;
}

void TFormStammbaum::KatzeLadenClick() {
    reg::TSuchenDlg dlg(hauptfenster().db(), this);
    dlg.setFehlerDialog(&fehlerDialog());
    dlg.nameFeld()->setFocus();
    const int gewaehlt = dlg.waehlen(reg::SuchAufruf{});
    if (gewaehlt) katzeZeigen(gewaehlt);
}

// ---------------------------------------------------------------- registration

void stammbaumRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueKatze"), 8761,
                            QStringLiteral("8 Generationen Stammbaum"),
                            [](TRahmen& h) { return new TFormStammbaum(h); }, true});
}

} // namespace velmora::genealogy
