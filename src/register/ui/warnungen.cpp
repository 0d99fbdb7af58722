#include "register/ui/warnungen.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "register/suchabfrage.h"
#include "settings/systeminfo.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora::reg {

namespace {

QString text(int nummer, const char* vorgabe) {
    const QString t = language::feldName(nummer);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

} // namespace

TFormWarnungen::TFormWarnungen(TRahmen& rahmen, QWidget* parent) : QDialog(parent), m_rahmen(rahmen) {
    setObjectName(QStringLiteral("FormWarnungen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(9700, "Warnungen"));
    setAccessibleName(objectName());
    auto* layout = new QVBoxLayout(this);
    m_medikamente = panelAnlegen("PanelMedikamente", 9701, "Achtung, Verfallsdatum überschritten",
                                 {{9704, "Medikament"}});
    m_impfungen =
        panelAnlegen("PanelImpfungen", 9702, "Fällige Impfungen", {{9705, "Name"}, {9706, "nächste am"}});
    m_wurmkuren =
        panelAnlegen("PanelWurmkuren", 9703, "Fällige Wurmkuren", {{9705, "Name"}, {9706, "nächste am"}});
    for (const Panel* p : {&m_medikamente, &m_impfungen, &m_wurmkuren}) {
        layout->addWidget(p->rahmen, 1);
        p->rahmen->hide();
    }
    auto* reihe = new QHBoxLayout;
    reihe->addStretch(1);
    m_ok = new QPushButton(text(9707, "&OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtnOK"));
    m_ok->setAccessibleName(m_ok->objectName());
    m_ok->setDefault(true);
    reihe->addWidget(m_ok);
    layout->addLayout(reihe);
    connect(m_ok, &QPushButton::clicked, this, &TFormWarnungen::ok);
    resize(460, 320);
}

TFormWarnungen::Panel TFormWarnungen::panelAnlegen(const char* name, int kopfNr, const char* kopf,
                                                   QList<QPair<int, const char*>> spalten) {
    Panel p;
    p.rahmen = new QWidget(this);
    p.rahmen->setObjectName(QLatin1String(name));
    p.rahmen->setAccessibleName(p.rahmen->objectName());
    auto* l = new QVBoxLayout(p.rahmen);
    l->setContentsMargins(0, 0, 0, 0);
    p.kopf = new QLabel(text(kopfNr, kopf), p.rahmen);
    p.kopf->setObjectName(QLatin1String(name) + QStringLiteral("Kopf"));
    p.kopf->setAccessibleName(p.kopf->objectName());
    QFont f = p.kopf->font();
    f.setBold(true);
    p.kopf->setFont(f);
    l->addWidget(p.kopf);
    p.gitter = new QTableWidget(0, int(spalten.size()), p.rahmen);
    p.gitter->setObjectName(QLatin1String(name) + QStringLiteral("Gitter"));
    p.gitter->setAccessibleName(p.gitter->objectName());
    p.gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    p.gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    p.gitter->verticalHeader()->hide();
    p.gitter->horizontalHeader()->setStretchLastSection(true);
    QStringList koepfe;
    for (const auto& [nr, vorgabe] : spalten)
        koepfe << text(nr, vorgabe);
    p.gitter->setHorizontalHeaderLabels(koepfe);
    p.kopf->setBuddy(p.gitter);
    l->addWidget(p.gitter, 1);
    return p;
}

void TFormWarnungen::Warnungen(const QDate& heute) {
    const settings::tsysteminfo& e = m_rahmen.einstellungen();
    m_ergebnis = erinnerungenPruefen(m_rahmen.db(),
                                     {e.WarnungVerfallsdatum, e.WarnungImpfung, e.WarnungWurmkur}, heute);
    for (const Pruefungsfehler& f : m_ergebnis.fehler)
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11, QStringLiteral("Fehler beim Öffnen der Tabelle")) +
                                   QLatin1Char(' ') +
                                   QFileInfo(m_rahmen.db().filePath(f.tabelle)).fileName());
    fuellen();
    zeigen(m_ergebnis.erste());
}

void TFormWarnungen::fuellen() {
    auto zelle = [](QTableWidget* g, int r, int c, const QString& t) {
        g->setItem(r, c, new QTableWidgetItem(t));
    };
    m_medikamente.gitter->setRowCount(int(m_ergebnis.medikamente.size()));
    for (int r = 0; r < m_ergebnis.medikamente.size(); ++r)
        zelle(m_medikamente.gitter, r, 0, m_ergebnis.medikamente[r].medikament);
    for (auto [p, zeilen] :
         {std::pair{&m_impfungen, &m_ergebnis.impfungen}, {&m_wurmkuren, &m_ergebnis.wurmkuren}}) {
        p->gitter->setRowCount(int(zeilen->size()));
        for (int r = 0; r < zeilen->size(); ++r) {
            zelle(p->gitter, r, 0, (*zeilen)[r].name);
            zelle(p->gitter, r, 1, datumText((*zeilen)[r].datum, locale()));
        }
    }
}

const TFormWarnungen::Panel& TFormWarnungen::panel(Erinnerungsliste liste) const {
    switch (liste) {
    case Erinnerungsliste::Impfungen:
        return m_impfungen;
    case Erinnerungsliste::Wurmkuren:
        return m_wurmkuren;
    default:
        return m_medikamente;
    }
}

void TFormWarnungen::zeigen(Erinnerungsliste liste) {
    for (const Panel* p : {&m_medikamente, &m_impfungen, &m_wurmkuren})
        p->rahmen->hide();
    m_sichtbar = liste;
    if (liste != Erinnerungsliste::Keine) panel(liste).rahmen->show();
}

void TFormWarnungen::ok() {
    const Erinnerungsliste weiter = m_ergebnis.nach(m_sichtbar);
    if (weiter == Erinnerungsliste::Keine) {
        close();
        return;
    }
    zeigen(weiter);
    panel(weiter).gitter->setFocus();
}

bool TFormWarnungen::FensterZeigen() {
    if (m_sichtbar == Erinnerungsliste::Keine) return false;
    if (Meldungsdienst::automatik()) {
        protokollieren();
        return true;
    }
    show();
    raise();
    activateWindow();
    m_ok->setFocus();
    return true;
}

// Every list a breeder would step through, heading then rows, the cells as the grid shows them.
void TFormWarnungen::protokollieren() const {
    for (Erinnerungsliste l = m_ergebnis.erste(); l != Erinnerungsliste::Keine; l = m_ergebnis.nach(l)) {
        const Panel& p = panel(l);
        Meldungsdienst::protokollieren(MeldungsArt::Information, p.kopf->text());
        for (int r = 0; r < p.gitter->rowCount(); ++r) {
            QStringList zellen;
            for (int c = 0; c < p.gitter->columnCount(); ++c)
                zellen << p.gitter->item(r, c)->text();
            Meldungsdienst::protokollieren(MeldungsArt::Information, zellen.join(QStringLiteral(" | ")));
        }
    }
}

void erinnerungenBeimStart(TRahmen& rahmen, const QDate& heute) {
    if (!rahmen.fenster(QStringLiteral("FormCatStamm"))) return;
    auto* w = new TFormWarnungen(rahmen, &rahmen);
    w->Warnungen(heute);
    // In automation mode the lists went to the log; the window itself is never shown.
    if (!w->FensterZeigen() || Meldungsdienst::automatik()) w->deleteLater();
}

} // namespace velmora::reg
