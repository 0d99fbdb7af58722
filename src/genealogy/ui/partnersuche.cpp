#include "genealogy/ui/partnersuche.h"

#include "common/ui/rahmen.h"
#include "genealogy/genetik.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/partnersuche.h"
#include "genealogy/tabellenquelle.h"
#include "genealogy/ui/genetiklauf.h"
#include "genealogy/ui/inzuchtgrad.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/database.h"
#include "store/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

namespace velmora::genealogy {

// texte: feldname 9900-9918
// texte: meldung 11 39 40 41 42 43 44 45 46 47 48 83 93 107 126 127 132 134 231 232 233

namespace {
constexpr char kName[] = "FormPartnersuche";
// The texts the kitten's figures are written with.
constexpr int kLaufTexte[] = {11, 39, 40,  41,  42,  43,  44,  45,  46,  47, 48,
                              83, 93, 107, 126, 127, 132, 134, 231, 232, 233};

QString text(int tag, const char* deutsch) {
    QString t = language::feldName(tag);
    if (t.isEmpty()) t = QString::fromUtf8(deutsch);
    language::AmpersandEntfernen(t);
    return t;
}
} // namespace

std::function<QDate()> TFormPartnersuche::heute = [] { return QDate::currentDate(); };

TFormPartnersuche::TFormPartnersuche(TRahmen& h) : TKindFenster(h, QLatin1String(kName), 9900) {
    setWindowTitle(QStringLiteral("Partnersuche"));
}

bool TFormPartnersuche::oeffnen() {
    aufbauen();
    listenFuellen();
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, &TFormPartnersuche::katzeSetzen);
    katzeSetzen(hauptfenster().registerKatze());
    return true;
}

void TFormPartnersuche::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    m_katzenZeile = new QLabel(this);
    m_katzenZeile->setObjectName(QStringLiteral("LabelKatze"));
    haupt->addWidget(m_katzenZeile);

    auto* form = new QFormLayout;
    auto zeile = [this, form](int tag, const char* t, QWidget* w) {
        auto* l = new QLabel(QString::fromUtf8(t), this);
        language::setTag(l, tag);
        l->setBuddy(w);
        form->addRow(l, w);
    };
    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("ComboBoxStatus"));
    zeile(9901, "&Status", m_status);
    m_rasse = new QComboBox(this);
    m_rasse->setObjectName(QStringLiteral("ComboBoxRasse"));
    zeile(9902, "&Rasse", m_rasse);
    m_eigene = new QCheckBox(QStringLiteral("Nur &eigene Katzen"), this);
    m_eigene->setObjectName(QStringLiteral("CheckBoxEigene"));
    language::setTag(m_eigene, 9903);
    form->addRow(m_eigene);
    m_anzahl = new QSpinBox(this);
    m_anzahl->setObjectName(QStringLiteral("SpinAnzahl"));
    m_anzahl->setRange(1, 1000);
    m_anzahl->setValue(20);
    zeile(9904, "&Anzahl", m_anzahl);
    m_generationen = new QSpinBox(this);
    m_generationen->setObjectName(QStringLiteral("SpinGenerationen"));
    m_generationen->setRange(2, 30);
    m_generationen->setValue(6);
    zeile(9905, "&Generationen", m_generationen);
    haupt->addLayout(form);

    m_gitter = new QTableWidget(0, 6, this);
    m_gitter->setObjectName(QStringLiteral("DBGridPartner"));
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->horizontalHeader()->setStretchLastSection(true);
    m_gitter->verticalHeader()->hide();
    language::setTag(m_gitter, 9906);
    haupt->addWidget(m_gitter, 1);
    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("LabelHinweis"));
    m_hinweis->setWordWrap(true);
    haupt->addWidget(m_hinweis);
    m_lauf = new TGenetikLauf(this);
    haupt->addWidget(m_lauf);

    auto* knoepfe = new QHBoxLayout;
    auto knopf = [this, knoepfe](const char* name, int tag, const char* t) {
        return knopfAnfuegen(this, knoepfe, name, tag, t);
    };
    m_suchen = knopf("BitBtnSuchen", 9913, "&Suchen");
    m_inzuchtgrad = knopf("BitBtnInzuchtgrad", 9914, "&Inzuchtgrad");
    knoepfe->addStretch(1);
    QPushButton* zurueck = knopf("BitBtnZurueck", 9915, "&Zurück");
    haupt->addLayout(knoepfe);
    m_inzuchtgrad->setEnabled(false);

    connect(m_suchen, &QPushButton::clicked, this, &TFormPartnersuche::suchen);
    connect(m_inzuchtgrad, &QPushButton::clicked, this, &TFormPartnersuche::inzuchtgradOeffnen);
    connect(m_gitter, &QTableWidget::cellDoubleClicked, this, [this] { inzuchtgradOeffnen(); });
    connect(m_gitter, &QTableWidget::currentCellChanged, this,
            [this](int r) { m_inzuchtgrad->setEnabled(r >= 0 && m_gitter->rowCount() > 0); });
    connect(zurueck, &QPushButton::clicked, this, &QWidget::close);
    uebersetzt();
}

void TFormPartnersuche::listenFuellen() {
    // Status values and breeds as the register keeps them; the first entry takes any.
    m_status->clear();
    m_status->addItem(text(9916, "alle"), QVariant());
    m_rasse->clear();
    m_rasse->addItem(text(9916, "alle"), QVariant());
    try {
        store::Table s(hauptfenster().db(), QStringLiteral("status"));
        s.open(store::Table::OpenMode::ReadOnly);
        for (s.first(); !s.eof() && s.hasRecord(); s.next())
            m_status->addItem(s.asString(QStringLiteral("Status")), s.asInt(QStringLiteral("Nummer")));
        store::Table r(hauptfenster().db(), QStringLiteral("rasse"));
        r.open(store::Table::OpenMode::ReadOnly);
        r.setIndexName(QStringLiteral("RasseName"));
        for (r.first(); !r.eof() && r.hasRecord(); r.next())
            m_rasse->addItem(r.asString(QStringLiteral("RName")), r.asInt(QStringLiteral("RCode")));
    } catch (const std::exception&) {
        // Without the lists the search takes every status and breed.
    }
}

void TFormPartnersuche::uebersetzt() {
    if (!m_gitter) return;
    m_gitter->setHorizontalHeaderLabels({text(9907, "Nummer"), text(9908, "Name"),
                                         text(9909, "Verwandtschaft"), text(9910, "Inzuchtgrad"),
                                         text(9911, "Ahnenverlust"), text(9912, "Mittlere Verwandtschaft")});
    if (m_status->count() > 0) m_status->setItemText(0, text(9916, "alle"));
    if (m_rasse->count() > 0) m_rasse->setItemText(0, text(9916, "alle"));
    m_gitter->setAccessibleName(windowTitle());
    m_lauf->uebersetzen();
    katzeSetzen(m_katze);
}

void TFormPartnersuche::katzeSetzen(qint32 nummer) {
    m_katze = nummer;
    QString name, geschlecht;
    try {
        store::Table t(hauptfenster().db(), QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        if (nummer > 0 && t.findKey({nummer})) {
            name = t.asString(QStringLiteral("Name"));
            geschlecht = t.asString(QStringLiteral("Geschlecht"));
        }
    } catch (const std::exception&) {
    }
    m_kater = geschlecht == QLatin1String("1") || geschlecht == QLatin1String("3");
    m_katzenZeile->setText(name.isEmpty() ? QStringLiteral("–")
                                          : QStringLiteral("%1 {%2}").arg(name).arg(nummer));
    m_suchen->setEnabled(!name.isEmpty());
}

// One run of the ranking: the inputs read on the user-interface thread, the rows as texts for the grid.
struct PartnerLauf {
    QString verzeichnis;
    qint32 katze = 0;
    bool kater = false;
    Partnerfilter filter;
    size_t anzahl = 20;
    quint8 generationen = 6;
    QDate heute;
    QLocale locale;
    QHash<int, QString> texte; // the calculation's texts, so the worker never reads the language tables

    QVector<QStringList> zeilen;
    QVector<qint32> eigeneVorfahren;
    QString fehler;

    void rechnen(GenetikFortschritt& f) {
        try {
            store::Database db(verzeichnis);
            const Partnerrangliste r = partnerRangliste(db, katze, filter, anzahl, heute, &f);
            if (r.abgebrochen) return;
            eigeneVorfahren = r.eigeneVorfahren;
            TabellenKatzenQuelle quelle(db);
            TFormInzuchtberechnung calc(quelle, [this](int n) { return texte.value(n, QString::number(n)); });
            calc.mitVorfahren = false;
            calc.locale = locale;
            for (const Partnerrangliste::Zeile& z : r.zeilen) {
                if (!f.weiter(GenetikSchritt::Population, zeilen.size(), qint64(r.zeilen.size()))) return;
                QString inzucht, verlust;
                const qint32 vater = kater ? katze : z.katze.nr;
                const qint32 mutter = kater ? z.katze.nr : katze;
                if (calc.Berechne(0, vater, mutter, generationen, false)) {
                    inzucht = calc.Inzuchtkoeffizientkurz.trimmed();
                    verlust = calc.Ahnenverlustkoeffizient.trimmed();
                }
                zeilen.push_back({QString::number(z.katze.nr), z.katze.name,
                                  locale.toString(z.verwandtschaft, 'f', 6), inzucht, verlust,
                                  std::isnan(z.mk) ? QStringLiteral("–") : locale.toString(z.mk, 'f', 6)});
            }
        } catch (const std::exception& e) {
            fehler = QString::fromUtf8(e.what());
        }
    }
};

void TFormPartnersuche::suchen() {
    m_gitter->setRowCount(0);
    m_inzuchtgrad->setEnabled(false);
    m_hinweis->clear();
    if (m_katze <= 0) return;
    auto lauf = std::make_shared<PartnerLauf>();
    lauf->verzeichnis = hauptfenster().db().directory();
    lauf->katze = m_katze;
    lauf->kater = m_kater;
    if (m_status->currentData().isValid()) lauf->filter.status << m_status->currentData().toInt();
    if (m_rasse->currentData().isValid()) lauf->filter.rasse = m_rasse->currentData().toInt();
    lauf->filter.nurEigene = m_eigene->isChecked();
    lauf->anzahl = size_t(m_anzahl->value());
    lauf->generationen = quint8(m_generationen->value());
    lauf->heute = heute();
    for (int n : kLaufTexte)
        lauf->texte.insert(n, language::meldung(n));
    m_lauf->starten([lauf](GenetikFortschritt& f) { lauf->rechnen(f); }, [this, lauf] { zeigen(*lauf); });
}

void TFormPartnersuche::zeigen(const PartnerLauf& lauf) {
    m_gitter->setRowCount(int(lauf.zeilen.size()));
    for (int r = 0; r < lauf.zeilen.size(); ++r) {
        const QStringList& zellen = lauf.zeilen[r];
        for (int c = 0; c < zellen.size(); ++c) {
            auto* item = new QTableWidgetItem(zellen[c]);
            if (c != 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_gitter->setItem(r, c, item);
        }
    }
    m_gitter->resizeColumnsToContents();
    if (!lauf.zeilen.isEmpty()) m_gitter->setCurrentCell(0, 0);
    if (!lauf.fehler.isEmpty()) {
        m_hinweis->setText(lauf.fehler);
    } else if (!lauf.eigeneVorfahren.isEmpty()) {
        QStringList n;
        for (qint32 nr : lauf.eigeneVorfahren)
            n << QString::number(nr);
        // The loop is cut where it closes; the figures treat that parent as unknown.
        m_hinweis->setText(text(9917, "Eigener Vorfahr (Verbindung unbekannt):") + QLatin1Char(' ') +
                           n.join(QStringLiteral(", ")));
    }
}

bool TFormPartnersuche::laeuft() const {
    return m_lauf && m_lauf->laeuft();
}

void TFormPartnersuche::schliessen() {
    if (m_lauf) m_lauf->warten();
}

void TFormPartnersuche::inzuchtgradOeffnen() {
    const int r = m_gitter->currentRow();
    if (r < 0 || !m_gitter->item(r, 0)) return;
    const qint32 partner = m_gitter->item(r, 0)->text().toInt();
    auto* f =
        dynamic_cast<TFormInzuchtgrad*>(hauptfenster().FensterZeigen(QStringLiteral("FormInzuchtgrad")));
    if (!f) return;
    f->setzeArt(1);
    f->vaterSetzen(m_kater ? m_katze : partner);
    f->mutterSetzen(m_kater ? partner : m_katze);
    f->BerechnungClick();
}

void partnersucheRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueVerwaltung"), 9918,
                            QStringLiteral("&Partnersuche"),
                            [](TRahmen& h) -> TKindFenster* { return new TFormPartnersuche(h); }, true});
}

} // namespace velmora::genealogy
