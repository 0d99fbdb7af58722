#include "genealogy/ui/htmlkopfeditor.h"

#include "language/sprache.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace velmora::genealogy {

// texte: feldname 1403-1419 8426 8434-8436

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

constexpr const char* kFeldNamen[kHtmlKopfFelder] = {
    "Zuchtbuchnummer", "Geburtsdatum", "Farbe",     "Rasse",      "Geschlecht", "Augenfarbe",
    "Zwinger",         "Besitzer",     "Züchter",   "Tests",      "Chip-Nr.",   "Blutgruppe",
    "IK / AVK",        "Bewertung",    "Merkmale",  "Fellart",    "Täto-Nr."};

} // namespace

THTMLKopfEditor::THTMLKopfEditor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Stammbaumkopf"));
    setAccessibleName(QStringLiteral("Stammbaumkopf"));
    for (int s = 0; s < 3; ++s) {
        auto* t = new QLabel(this);
        t->setObjectName(s == 0 ? QStringLiteral("Spalte1") : s == 1 ? QStringLiteral("Spalte2")
                                                                      : QStringLiteral("verfuegbareFelder"));
        t->setGeometry(spaltenX(s + 1), 2, kSpaltenBreite, 20);
        m_titel[s] = t;
    }
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        const QString n = QString::number(i + 1);
        auto* p = new QFrame(this);
        p->setObjectName(QStringLiteral("Feld_") + n);
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Raised);
        p->setAutoFillBackground(true);
        p->resize(kSpaltenBreite, 20);
        p->setCursor(Qt::OpenHandCursor);
        auto* lay = new QHBoxLayout(p);
        lay->setContentsMargins(3, 0, 1, 0);
        lay->setSpacing(2);
        auto* l = new QLabel(p);
        l->setObjectName(QStringLiteral("LabelFeld_") + n);
        l->setAttribute(Qt::WA_TransparentForMouseEvents); // the panel takes the drag
        lay->addWidget(l, 1);
        auto* o = new QPushButton(p);
        o->setObjectName(QStringLiteral("Optionen_") + n);
        o->setFixedHeight(18);
        lay->addWidget(o);
        connect(o, &QPushButton::clicked, this, [this, i] { emit optionenGewaehlt(i + 1); });
        p->installEventFilter(this);
        m_panels[i] = p;
        m_beschriftungen[i] = l;
    }
    setMinimumSize(spaltenX(3) + kSpaltenBreite + 2, kOben + kHtmlKopfFelder * kZeilenhoehe + 4);
    beschriften();
    setzen(THTMLINI().spalte_pos);
}

QString THTMLKopfEditor::feldName(int feld) {
    if (feld < 1 || feld > kHtmlKopfFelder) return {};
    return text(1402 + feld, kFeldNamen[feld - 1]);
}

void THTMLKopfEditor::beschriften() {
    m_titel[0]->setText(text(8434, "Spalte 1"));
    m_titel[1]->setText(text(8435, "Spalte 2"));
    m_titel[2]->setText(text(8436, "verfügbare Felder"));
    const QString optionen = text(8426, "Optionen");
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        const QString name = feldName(i + 1);
        m_beschriftungen[i]->setText(name);
        m_panels[i]->setAccessibleName(name);
        auto* o = m_panels[i]->findChild<QPushButton*>();
        o->setText(optionen);
        o->setAccessibleName(optionen + QLatin1Char(' ') + name);
    }
}

void THTMLKopfEditor::setzen(const std::array<THTMLKopfFeld, kHtmlKopfFelder>& felder) {
    m_felder = felder;
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        int s = m_felder[i].spalte;
        if (s < 1 || s > 3 || (s == 2 && !m_spalte2Sichtbar)) s = 3;
        m_felder[i].spalte = s;
    }
    packen();
}

void THTMLKopfEditor::setOptionen(int feld, int mitBez, int weglassen) {
    if (feld < 1 || feld > kHtmlKopfFelder) return;
    m_felder[feld - 1].mitBez = mitBez;
    m_felder[feld - 1].weglassen = weglassen;
    emit geaendert();
}

void THTMLKopfEditor::spalte2Zeigen(bool zeigen) {
    if (zeigen == m_spalte2Sichtbar) return;
    m_spalte2Sichtbar = zeigen;
    m_titel[1]->setVisible(zeigen);
    if (!zeigen)
        for (THTMLKopfFeld& f : m_felder)
            if (f.spalte == 2) f.spalte = 3;
    packen();
    emit geaendert();
}

int THTMLKopfEditor::FelderSortierung(int zeile, int spalte) const {
    if (zeile < 1 || zeile > kHtmlKopfFelder || spalte < 1 || spalte > 3) return 0;
    return m_sortierung[zeile - 1][spalte - 1];
}

void THTMLKopfEditor::einordnen() {
    for (int i = 0; i < kHtmlKopfFelder; ++i) {
        const int x = m_panels[i]->x();
        const auto in = [&](int s) { return x >= spaltenX(s) && x < spaltenX(s) + kSpaltenBreite; };
        m_felder[i].spalte = in(1) ? 1 : (m_spalte2Sichtbar && in(2)) ? 2 : 3;
        m_felder[i].pos = m_panels[i]->y();
    }
    packen();
    emit geaendert();
}

void THTMLKopfEditor::packen() {
    for (auto& z : m_sortierung)
        z.fill(0);
    for (int s = 1; s <= 3; ++s) {
        std::vector<int> felder;
        for (int i = 0; i < kHtmlKopfFelder; ++i)
            if (m_felder[i].spalte == s) felder.push_back(i);
        // by place; on the same place the lower number first
        std::stable_sort(felder.begin(), felder.end(),
                         [&](int a, int b) { return m_felder[a].pos < m_felder[b].pos; });
        for (int r = 0; r < int(felder.size()); ++r) {
            const int i = felder[r];
            m_felder[i].pos = kOben + r * kZeilenhoehe;
            m_panels[i]->move(spaltenX(s), m_felder[i].pos);
            m_sortierung[r][s - 1] = i + 1;
        }
    }
}

bool THTMLKopfEditor::eventFilter(QObject* ziel, QEvent* e) {
    auto* p = qobject_cast<QFrame*>(ziel);
    if (!p || std::find(m_panels.begin(), m_panels.end(), p) == m_panels.end())
        return QWidget::eventFilter(ziel, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::LeftButton) break;
        m_gezogen = p;
        m_griff = m->position().toPoint();
        p->raise();
        return true;
    }
    case QEvent::MouseMove:
        if (m_gezogen == p) {
            // from the global position: the panel itself moves under the pointer
            const QPoint neu = mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint()) - m_griff;
            p->move(std::clamp(neu.x(), 0, std::max(0, width() - 10)), std::clamp(neu.y(), 0, height() - 10));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_gezogen == p) {
            m_gezogen = nullptr;
            einordnen();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(ziel, e);
}

} // namespace velmora::genealogy
