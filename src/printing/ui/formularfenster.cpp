#include "printing/ui/formularfenster.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "printing/ui/berichtdruck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora::printing {

// texte: feldname 6995

TFormularFenster::TFormularFenster(Druckquelle& quelle, Formular formular, int hilfeThema, QWidget* parent)
    : QDialog(parent), m_q(quelle), m_formular(std::move(formular)), m_hilfe(hilfeThema) {
    setObjectName(m_formular.name);
    setWindowTitle(m_formular.titel);
    vorschau = [this](const Bericht& b) { vorschauZeigen(b, this); };
    drucken = [this](const Bericht& b) { druckenMitDialog(b, this); };

    auto* haupt = new QVBoxLayout(this);
    auto* kopf = new QLabel(m_formular.titel, this);
    kopf->setObjectName(QStringLiteral("LabelUeberschrift"));
    QFont f = kopf->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    kopf->setFont(f);
    haupt->addWidget(kopf);
    if (!m_formular.fehlend.isEmpty()) {
        auto* fehlt = new QLabel(fehlendText(m_q, m_formular), this);
        fehlt->setObjectName(QStringLiteral("LabelFehlend"));
        fehlt->setWordWrap(true);
        haupt->addWidget(fehlt);
    }
    auto* flaeche = new QScrollArea(this);
    flaeche->setWidgetResizable(true);
    auto* innen = new QWidget;
    auto* spalten = new QGridLayout(innen);
    int nr = 0;
    for (const Formularabschnitt& a : m_formular.abschnitte) {
        auto* gruppe = new QGroupBox(a.titel, innen);
        auto* form = new QFormLayout(gruppe);
        for (const Formularfeld& feld : a.felder) {
            QWidget* w = nullptr;
            switch (feld.art) {
            case Formularfeld::Art::Text: {
                auto* e = new QLineEdit(feld.wert, gruppe);
                w = e;
                auto* l = new QLabel(feld.beschriftung, gruppe);
                l->setBuddy(e);
                l->installEventFilter(this);
                form->addRow(l, e);
                break;
            }
            case Formularfeld::Art::Haken: {
                auto* c = new QCheckBox(feld.beschriftung, gruppe);
                c->setChecked(feld.wert == QLatin1String("1"));
                w = c;
                form->addRow(c);
                break;
            }
            case Formularfeld::Art::Wahl: {
                auto* c = new QComboBox(gruppe);
                c->addItem(QString());
                c->addItems(feld.wahl);
                c->setCurrentText(feld.wert);
                w = c;
                auto* l = new QLabel(feld.beschriftung, gruppe);
                l->setBuddy(c);
                l->installEventFilter(this);
                form->addRow(l, c);
                break;
            }
            }
            w->setObjectName(feld.name);
            w->setAccessibleName(feld.beschriftung);
            m_felder.insert(feld.name, w);
        }
        spalten->addWidget(gruppe, nr / 2, nr % 2);
        ++nr;
    }
    if (!m_formular.tabellenKopf.isEmpty()) {
        m_tabelle = new QTableWidget(10, int(m_formular.tabellenKopf.size()), innen);
        m_tabelle->setObjectName(QStringLiteral("GridJungtiere"));
        m_tabelle->setAccessibleName(QStringLiteral("Jungtiere"));
        m_tabelle->setHorizontalHeaderLabels(m_formular.tabellenKopf);
        m_tabelle->horizontalHeader()->setStretchLastSection(true);
        for (int z = 0; z < m_formular.tabelle.size() && z < 10; ++z)
            for (int s = 0; s < m_formular.tabellenKopf.size(); ++s)
                m_tabelle->setItem(z, s, new QTableWidgetItem(m_formular.tabelle[z].value(s)));
        spalten->addWidget(m_tabelle, (nr + 1) / 2, 0, 1, 2);
    }
    flaeche->setWidget(innen);
    haupt->addWidget(flaeche, 1);

    auto* knoepfe = new QHBoxLayout;
    for (const QString& layout : m_formular.layouts) {
        const bool standard = layout == m_formular.layouts.first();
        const QString zusatz = standard ? QString() : QLatin1Char(' ') + layout;
        auto* v = new QPushButton(m_q.text(6992, "Druckvorschau") + zusatz, this);
        v->setObjectName(QStringLiteral("BitBtnVorschau") + QString(layout).remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]"))));
        auto* d = new QPushButton(m_q.text(6993, "Drucken") + zusatz, this);
        d->setObjectName(QStringLiteral("BitBtnDrucken") + QString(layout).remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]"))));
        connect(v, &QPushButton::clicked, this, [this, layout] { layoutDrucken(layout, true); });
        connect(d, &QPushButton::clicked, this, [this, layout] { layoutDrucken(layout, false); });
        knoepfe->addWidget(v);
        knoepfe->addWidget(d);
    }
    auto* hilfe = new QPushButton(m_q.text(6995, "&Hilfe"), this);
    hilfe->setObjectName(QStringLiteral("BitBtnHilfe"));
    connect(hilfe, &QPushButton::clicked, this, [this] {
        if (TRahmen* r = rahmen()) r->hilfeZeigen(m_hilfe);
    });
    auto* zurueck = new QPushButton(m_q.text(6994, "Zurück"), this);
    zurueck->setObjectName(QStringLiteral("BitBtnZurueck"));
    connect(zurueck, &QPushButton::clicked, this, &QDialog::reject);
    knoepfe->addStretch(1);
    knoepfe->addWidget(hilfe);
    knoepfe->addWidget(zurueck);
    haupt->addLayout(knoepfe);
    resize(900, 700);
}

TFormMeldeformularCFA::TFormMeldeformularCFA(Druckquelle& q, const Druckauftrag& a, QWidget* parent)
    : TFormularFenster(q, meldeformularCfaVorbelegen(q, a), 170, parent) {
    auto* verein = qobject_cast<QLineEdit*>(feld(QStringLiteral("Verein")));
    auto* mitglied = qobject_cast<QLineEdit*>(feld(QStringLiteral("Mitgliedsverein")));
    if (verein && mitglied) connect(verein, &QLineEdit::textChanged, mitglied, &QLineEdit::setText);
}

Formular TFormularFenster::formular() const {
    Formular f = m_formular;
    for (Formularabschnitt& a : f.abschnitte)
        for (Formularfeld& feld : a.felder) {
            QWidget* w = m_felder.value(feld.name);
            if (auto* e = qobject_cast<QLineEdit*>(w)) feld.wert = e->text();
            else if (auto* c = qobject_cast<QCheckBox*>(w)) feld.wert = c->isChecked() ? QStringLiteral("1") : QString();
            else if (auto* c2 = qobject_cast<QComboBox*>(w)) feld.wert = c2->currentText();
        }
    if (m_tabelle) {
        f.tabelle.clear();
        for (int z = 0; z < m_tabelle->rowCount(); ++z) {
            QStringList zeile;
            bool leer = true;
            for (int s = 0; s < m_tabelle->columnCount(); ++s) {
                const QTableWidgetItem* i = m_tabelle->item(z, s);
                zeile << (i ? i->text() : QString());
                leer = leer && zeile.last().isEmpty();
            }
            if (!leer) f.tabelle << zeile;
        }
    }
    return f;
}

void TFormularFenster::layoutDrucken(const QString& layout, bool nurVorschau) {
    const Bericht b = formularBericht(m_q, formular(), layout);
    if (nurVorschau) {
        if (vorschau) vorschau(b);
    } else if (drucken) {
        drucken(b);
    }
}

void TFormularFenster::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Once, when it opens: what the prefill could not find.
    if (m_gemeldet || m_formular.fehlend.isEmpty()) return;
    m_gemeldet = true;
    QTimer::singleShot(0, this, [this] { Meldungsdienst::zeigen(MeldungsArt::Information, 0, fehlendText(m_q, m_formular)); });
}

TRahmen* TFormularFenster::rahmen() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* r = qobject_cast<TRahmen*>(w)) return r;
    return nullptr;
}

bool TFormularFenster::eventFilter(QObject* o, QEvent* e) {
    // A click on a caption puts the cursor into its field.
    if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        if (auto* l = qobject_cast<QLabel*>(o); l && l->buddy() && l->buddy()->isEnabled())
            l->buddy()->setFocus(Qt::MouseFocusReason);
    return QDialog::eventFilter(o, e);
}

void TFormularFenster::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isActiveWindow() || !rahmen()) return;
    // After the activation has run its course, as the frame's other windows do.
    QPointer<TFormularFenster> selbst = this;
    QMetaObject::invokeMethod(
        this, [selbst] {
            if (selbst) selbst->aktiviert();
        },
        Qt::QueuedConnection);
}

void TFormularFenster::aktiviert() {
    TRahmen* r = rahmen();
    if (!r || !isActiveWindow()) return;
    // The blocking window comes forward with its message once; the activation that follows closing the
    // message does not ask again for the same window.
    const int code = r->CheckFormOpen(QStringLiteral("ohneMeldung"));
    if (code == 0 || code == m_blockiertGemeldet) {
        m_blockiertGemeldet = code;
        return;
    }
    m_blockiertGemeldet = code;
    r->CheckFormOpen(QStringLiteral("bringtofront"));
}

} // namespace velmora::printing
