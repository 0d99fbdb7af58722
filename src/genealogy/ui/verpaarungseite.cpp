#include "genealogy/ui/verpaarungseite.h"

#include "language/sprache.h"
#include "language/tag.h"
#include "printing/ui/farbe.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora::genealogy {

namespace {
QString text(int tag, const QString& vorgabe) {
    const QString t = tag ? language::feldName(tag) : QString();
    return t.isEmpty() ? vorgabe : t;
}
} // namespace

QIcon baumBild(int nr) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter m(&p);
    m.setRenderHint(QPainter::Antialiasing);
    const QColor farben[] = {QColor(0xE0, 0x50, 0x70), QColor(0x30, 0x70, 0xD0), QColor(0x90, 0x90, 0x90),
                             QColor(0xE0, 0xA0, 0x30)};
    m.setBrush(farben[std::clamp(nr, 0, 3)]);
    m.setPen(Qt::NoPen);
    if (nr == 3)
        m.drawRoundedRect(QRectF(2, 4, 12, 8), 2, 2);
    else
        m.drawEllipse(QRectF(2, 2, 12, 12));
    return QIcon(p);
}

TVerpaarungSeite::TVerpaarungSeite(const QString& name, int tag, const QString& titel, QWidget* parent)
    : QWidget(parent) {
    setObjectName(name);
    auto* l = new QVBoxLayout(this);
    m_titel = new QLabel(text(tag, titel), this);
    m_titel->setObjectName(name + QStringLiteral("Titel"));
    QFont f = m_titel->font();
    f.setBold(true);
    m_titel->setFont(f);
    if (tag) language::setTag(m_titel, tag);
    l->addWidget(m_titel);
    m_form = new QFormLayout;
    l->addLayout(m_form);
    l->addStretch(1);
}

void TVerpaarungSeite::zeile(const QString& feld, int tag, const QString& beschriftung, int zeilen) {
    auto* wert = new QPlainTextEdit(this);
    wert->setObjectName(feld);
    wert->setAccessibleName(feld);
    wert->setReadOnly(true);
    wert->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int hoehe = QFontMetrics(wert->font()).lineSpacing();
    wert->setFixedHeight(hoehe * zeilen + 2 * wert->frameWidth() + 8);
    wert->setVerticalScrollBarPolicy(zeilen > 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    auto* label = new QLabel(text(tag, beschriftung), this);
    label->setObjectName(QStringLiteral("Label") + feld);
    if (tag) language::setTag(label, tag);
    label->setBuddy(wert);
    m_form->addRow(label, wert);
    m_zeilen.append({label, wert});
}

void TVerpaarungSeite::setzen(const QString& feld, const QString& wert) {
    for (const auto& [label, w] : m_zeilen)
        if (w->objectName() == feld) w->setPlainText(wert);
}

QString TVerpaarungSeite::wert(const QString& feld) const {
    for (const auto& [label, w] : m_zeilen)
        if (w->objectName() == feld) return w->toPlainText();
    return {};
}

void TVerpaarungSeite::leeren() {
    for (const auto& [label, w] : m_zeilen)
        w->clear();
}

void TVerpaarungSeite::setzeFarbe(std::optional<int> farbwert) {
    m_farbe = farbwert;
    QString stil;
    if (farbwert) {
        const QColor c = printing::farbeAusWert(*farbwert);
        stil = QStringLiteral("QPlainTextEdit { background-color: %1; color: %2; }")
                   .arg(c.name(), printing::schriftFarbeAuf(c).name());
    }
    for (const auto& [label, w] : m_zeilen)
        w->setStyleSheet(stil);
}

QString TVerpaarungSeite::titel() const {
    return m_titel->text();
}

QList<QPair<QString, QString>> TVerpaarungSeite::zeilen() const {
    QList<QPair<QString, QString>> r;
    for (const auto& [label, w] : m_zeilen)
        r.append({label->text(), w->toPlainText()});
    return r;
}

} // namespace velmora::genealogy
