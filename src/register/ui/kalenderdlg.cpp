#include "register/ui/kalenderdlg.h"

#include "language/sprache.h"
#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "register/suchabfrage.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::reg {

TKalenderDlg::TKalenderDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KalenderDlg"));
    language::setTag(this, 8720);
    setWindowTitle(QStringLiteral("Kalender"));

    auto* haupt = new QVBoxLayout(this);
    auto* schritte = new QHBoxLayout;
    auto knopf = [this, schritte](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        schritte->addWidget(b);
        return b;
    };
    auto beschriftung = [this, schritte](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        schritte->addWidget(l);
        return l;
    };
    m_monatZurueck = knopf("BitBtnMonatZurueck", QStringLiteral("<"));
    language::setTag(m_monatZurueck, 8723);
    QLabel* monat = beschriftung("LabelMonat", QStringLiteral("&Monat"));
    language::setTag(monat, 8721);
    m_monatVor = knopf("BitBtnMonatVor", QStringLiteral(">"));
    language::setTag(m_monatVor, 8724);
    monat->setBuddy(m_monatVor);
    schritte->addStretch(1);
    m_jahrZurueck = knopf("BitBtnJahrZurueck", QStringLiteral("<"));
    language::setTag(m_jahrZurueck, 8725);
    QLabel* jahr = beschriftung("LabelJahr", QStringLiteral("&Jahr"));
    language::setTag(jahr, 8722);
    m_jahrVor = knopf("BitBtnJahrVor", QStringLiteral(">"));
    language::setTag(m_jahrVor, 8726);
    jahr->setBuddy(m_jahrVor);
    haupt->addLayout(schritte);

    m_kalender = new QCalendarWidget(this);
    m_kalender->setObjectName(QStringLiteral("Calendar1"));
    m_kalender->setGridVisible(true);
    m_kalender->setSelectedDate(QDate::currentDate());
    haupt->addWidget(m_kalender);

    m_zeile = new QLabel(this);
    m_zeile->setObjectName(QStringLiteral("LabelDatum"));
    haupt->addWidget(m_zeile);

    auto* reihe = new QHBoxLayout;
    auto unten = [this, reihe](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        reihe->addWidget(b);
        return b;
    };
    m_ok = unten("BitBtnOK", QStringLiteral("&OK"));
    language::setTag(m_ok, 8727);
    m_ok->setDefault(true);
    m_abbruch = unten("BitBtnAbbruch", QStringLiteral("&Abbruch"));
    language::setTag(m_abbruch, 8728);
    reihe->addStretch(1);
    m_hilfe = unten("BitBtnHilfe", QStringLiteral("&Hilfe"));
    language::setTag(m_hilfe, 8729);
    haupt->addLayout(reihe);

    connect(m_monatZurueck, &QPushButton::clicked, this, &TKalenderDlg::vorigerMonat);
    connect(m_monatVor, &QPushButton::clicked, this, &TKalenderDlg::naechsterMonat);
    connect(m_jahrZurueck, &QPushButton::clicked, this, &TKalenderDlg::vorigesJahr);
    connect(m_jahrVor, &QPushButton::clicked, this, &TKalenderDlg::naechstesJahr);
    connect(m_kalender, &QCalendarWidget::selectionChanged, this, &TKalenderDlg::zeileZeigen);
    // A double click on a day is the quick way to take it.
    connect(m_kalender, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_abbruch, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_hilfe, &QPushButton::clicked, this, [this] {
        if (hilfe) hilfe();
    });
    zeileZeigen();
}

QDate TKalenderDlg::datum() const {
    return m_kalender->selectedDate();
}

void TKalenderDlg::setDatum(const QDate& d) {
    if (!d.isValid()) return;
    m_kalender->setSelectedDate(d);
    m_kalender->setCurrentPage(d.year(), d.month());
    zeileZeigen();
}

void TKalenderDlg::vorigerMonat() {
    setDatum(datum().addMonths(-1));
}
void TKalenderDlg::naechsterMonat() {
    setDatum(datum().addMonths(1));
}
void TKalenderDlg::vorigesJahr() {
    setDatum(datum().addYears(-1));
}
void TKalenderDlg::naechstesJahr() {
    setDatum(datum().addYears(1));
}

int TKalenderDlg::sprache() const {
    if (m_sprache >= 0) return m_sprache;
    if (language::TSprache* s = language::aktuelleSprache()) return s->sprache();
    return 0;
}

void TKalenderDlg::zeileZeigen() {
    const QString vorn = sprache() == 1 ? QStringLiteral("Date  :  ") : QStringLiteral("Datum  :  ");
    m_zeile->setText(vorn + datumText(datum(), locale()));
}

std::optional<QDate> TKalenderDlg::waehlen() {
    if (language::TSprache* s = language::aktuelleSprache())
        language::FensterObjektUebersetzen(*s, this, s->offset());
    zeileZeigen();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return datum();
}

bool TKalenderDlg::feldFuellen(QLineEdit* feld) {
    const std::optional<QDate> d = waehlen();
    if (!d || !feld) return false;
    feld->setText(datumText(*d, feld->locale()));
    return true;
}

} // namespace velmora::reg
