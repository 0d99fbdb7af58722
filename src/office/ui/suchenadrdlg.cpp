#include "office/ui/suchenadrdlg.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "office/ui/zugaenglich.h"
#include "store/table.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::office {

namespace {
struct Kriterium {
    const char* objekt;
    const char* text;
    int tag;
};
const Kriterium kKriterien[] = {
    {"EditName", "Name", 9201},       {"EditVorname", "Vorname", 9202}, {"EditZwinger", "Zwinger", 9203},
    {"EditTelefon", "Telefon", 9204}, {"EditRasse", "Rasse", 9205},     {"EditOrt", "Ort", 9206},
    {"EditPlz", "PLZ", 9207},         {"EditLand", "Land", 9208},
};
} // namespace

QStringList adressStatusLesen(store::Database& db) {
    QStringList s;
    if (!db.tableExists(QStringLiteral("statusadressen"))) return s;
    store::Table t(db, QStringLiteral("statusadressen"));
    t.open(store::Table::OpenMode::ReadOnly);
    for (t.first(); !t.eof(); t.next())
        if (t.hasRecord()) s << t.asString(QStringLiteral("Status"));
    return s;
}

void AdrTrefferModell::setTreffer(QList<Adresse> t) {
    beginResetModel();
    m_treffer = std::move(t);
    endResetModel();
}

QVariant AdrTrefferModell::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const Adresse& a = m_treffer.at(index.row());
    switch (index.column()) {
    case 0:
        return a.anzeige();
    case 1:
        return a.strasse;
    case 2:
        return a.plz;
    case 3:
        return a.ort;
    case 4:
        return a.zwinger;
    case 5:
        return a.rasseName;
    case 6:
        return a.email;
    default:
        return a.land;
    }
}

QVariant AdrTrefferModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    // texte: feldname 9216-9223
    static const char* const titel[] = {"Name",    "Strasse", "PLZ",    "Ort",
                                        "Zwinger", "Rasse",   "E-Mail", "Land"};
    const QString t = language::feldName(9216 + section);
    return t.isEmpty() ? QString::fromUtf8(titel[section]) : t;
}

TSuchenAdrDlg::TSuchenAdrDlg(store::Database& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("SuchenAdrDlg"));
    language::setTag(this, 9200);
    setWindowTitle(QStringLiteral("Suche aus der Adressendatei"));
    auto* haupt = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    auto* form = new QFormLayout;
    for (const Kriterium& k : kKriterien) {
        auto* e = new QLineEdit;
        e->setObjectName(QLatin1String(k.objekt));
        auto* l = new QLabel(QString::fromUtf8(k.text));
        language::setTag(l, k.tag);
        form->addRow(l, e);
        m_felder << e;
    }
    m_status = new QComboBox;
    m_status->setObjectName(QStringLiteral("ComboBoxStatus"));
    m_status->setEditable(true);
    auto* sl = new QLabel(QStringLiteral("Status"));
    language::setTag(sl, 9209);
    form->addRow(sl, m_status);
    m_anzahlText = new QLabel(QStringLiteral("gefundene Datensätze:"));
    language::setTag(m_anzahlText, 9210);
    m_anzahl = new QLabel;
    m_anzahl->setObjectName(QStringLiteral("LabelAnzahl"));
    form->addRow(m_anzahlText, m_anzahl);
    links->addLayout(form);
    auto* knoepfe = new QHBoxLayout;
    auto knopf = [&](const char* name, const char* text, int tag) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        language::setTag(b, tag);
        knoepfe->addWidget(b);
        return b;
    };
    m_suchen = knopf("BitBtnSuchen", "&Suchen", 9211);
    m_suchen->setDefault(true);
    m_ok = knopf("BitBtnOK", "&OK", 9212);
    m_abbruch = knopf("BitBtnAbbruch", "&Abbruch", 9213);
    m_hilfe = knopf("BitBtnHilfe", "&Hilfe", 9214);
    m_alle = knopf("BitBtnAlleMarkieren", "alle Markieren", 9215);
    m_alle->hide();
    links->addLayout(knoepfe);
    links->addStretch(1);
    haupt->addLayout(links);
    m_modell = new AdrTrefferModell(this);
    m_gitter = new QTableView;
    m_gitter->setObjectName(QStringLiteral("DBGridErgebnis"));
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->verticalHeader()->hide();
    m_gitter->setMinimumWidth(600);
    m_gitter->hide();
    haupt->addWidget(m_gitter, 1);

    connect(m_suchen, &QPushButton::clicked, this, &TSuchenAdrDlg::suchen);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (m_gitter->isVisible() && m_gitter->currentIndex().isValid())
            m_aktuell = m_gitter->currentIndex().row();
        gitterZeigen(false);
        accept();
    });
    connect(m_abbruch, &QPushButton::clicked, this, [this] {
        gitterZeigen(false);
        reject();
    });
    connect(m_hilfe, &QPushButton::clicked, this, [this] {
        if (hilfe) hilfe();
    });
    connect(m_alle, &QPushButton::clicked, this, [this] { m_gitter->selectAll(); });
    connect(m_gitter, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { zeileUebernehmen(i.row()); });
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) m_aktuell = i.row();
            });
}

void TSuchenAdrDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Every opening starts in the name.
    m_felder.first()->setFocus(Qt::OtherFocusReason);
}

QLineEdit* TSuchenAdrDlg::feld(const char* name) const {
    for (QLineEdit* e : m_felder)
        if (e->objectName() == QLatin1String(name)) return e;
    return nullptr;
}

void TSuchenAdrDlg::leeren() {
    for (QLineEdit* e : m_felder)
        e->clear();
    m_status->clear();
    m_status->addItem(QString());
    m_status->addItems(adressStatusLesen(m_db));
    m_status->setCurrentIndex(0);
    m_anzahl->clear();
    m_modell->setTreffer({});
    m_gesucht = false;
    m_aktuell = -1;
    gitterZeigen(false);
}

bool TSuchenAdrDlg::waehlen() {
    if (language::TSprache* s = language::aktuelleSprache())
        language::FensterObjektUebersetzen(*s, this, s->offset());
    zugaenglichBenennen(this);
    m_gitter->setAccessibleName(language::feldName(9200).isEmpty() ? windowTitle()
                                                                   : language::feldName(9200));
    leeren();
    m_alle->setEnabled(false);
    m_felder.first()->setFocus();
    return exec() == QDialog::Accepted;
}

AdrKriterien TSuchenAdrDlg::kriterien() const {
    AdrKriterien k;
    QString* ziele[] = {&k.name, &k.vorname, &k.zwinger, &k.telefon, &k.rasse, &k.ort, &k.plz, &k.land};
    for (int i = 0; i < m_felder.size(); ++i)
        *ziele[i] = m_felder[i]->text();
    k.status = m_status->currentText();
    return k;
}

void TSuchenAdrDlg::gitterZeigen(bool an) {
    if (an == m_gitter->isVisible()) return;
    if (an) {
        m_kleineGroesse = size();
        m_gitter->show();
        resize(width() + m_gitter->minimumWidth(), std::max(height(), 400));
    } else {
        m_gitter->hide();
        if (m_kleineGroesse.isValid()) resize(m_kleineGroesse);
    }
}

void TSuchenAdrDlg::inKriterien(const Adresse& a) {
    const QString werte[] = {a.name, a.vorname, a.zwinger, a.telefon, a.rasseName, a.ort, a.plz, a.land};
    for (int i = 0; i < m_felder.size(); ++i)
        m_felder[i]->setText(werte[i]);
    m_status->setCurrentText(a.status);
}

void TSuchenAdrDlg::suchen() {
    if (m_gitter->isVisible()) {
        gitterZeigen(false);
        return;
    }
    QList<Adresse> t;
    try {
        t = adressenSuchen(m_db, kriterien());
    } catch (const std::exception& e) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, QString::fromUtf8(e.what()));
        return;
    }
    m_gesucht = true;
    m_modell->setTreffer(t);
    m_anzahl->setText(QString::number(t.size()));
    m_alle->setEnabled(!t.isEmpty());
    m_aktuell = t.isEmpty() ? -1 : 0;
    if (t.isEmpty()) {
        Meldungsdienst::nachricht(49, MeldungsArt::Warnung);
    } else if (t.size() == 1) {
        inKriterien(t.first());
        m_gitter->selectRow(0);
    } else {
        gitterZeigen(true);
        m_gitter->setCurrentIndex(m_modell->index(0, 0));
        m_gitter->setFocus();
    }
}

void TSuchenAdrDlg::zeileUebernehmen(int zeile) {
    if (zeile < 0 || zeile >= m_modell->rowCount()) return;
    m_aktuell = zeile;
    inKriterien(m_modell->treffer().at(zeile));
    gitterZeigen(false);
}

std::optional<Adresse> TSuchenAdrDlg::ergebnis() const {
    if (!m_gesucht) return std::nullopt;
    if (m_aktuell < 0 || m_aktuell >= m_modell->rowCount()) return Adresse{};
    return m_modell->treffer().at(m_aktuell);
}

QList<Adresse> TSuchenAdrDlg::markierte() const {
    QList<Adresse> l;
    const QItemSelectionModel* s = m_gitter->selectionModel();
    for (int r = 0; r < m_modell->rowCount(); ++r)
        if (s->isRowSelected(r, {})) l << m_modell->treffer().at(r);
    return l;
}

void TSuchenAdrDlg::setMehrfachauswahl(bool an) {
    m_gitter->setSelectionMode(an ? QAbstractItemView::ExtendedSelection
                                  : QAbstractItemView::SingleSelection);
    m_alle->setVisible(an);
}

} // namespace velmora::office
