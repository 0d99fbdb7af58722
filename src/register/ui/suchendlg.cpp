#include "register/ui/suchendlg.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "register/ui/kalenderdlg.h"
#include "store/ui/dberror.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::reg {

namespace {
const QString kKatzenTabelle = QStringLiteral("CatStamm.db");
const QString kStatusTabelle = QStringLiteral("Status.db");
} // namespace

// ---------------------------------------------------------------- SuchErgebnisModell

void SuchErgebnisModell::setTreffer(QList<SuchTreffer> treffer) {
    beginResetModel();
    m_treffer = std::move(treffer);
    endResetModel();
}

int SuchErgebnisModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_treffer.size());
}

int SuchErgebnisModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SpaltenAnzahl;
}

QVariant SuchErgebnisModell::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_treffer.size()) return {};
    const SuchTreffer& t = m_treffer.at(index.row());
    switch (index.column()) {
    case Name:
        return t.name;
    case Zwinger:
        return t.zwinger;
    case Farbe:
        return t.farbe;
    case GebDatum:
        return datumText(t.gebDatum, m_locale);
    case Geschlecht:
        return t.geschlAnzeige();
    case Mutter:
        return t.mutterName;
    case Vater:
        return t.vaterName;
    case Zuchtbuchnummer:
        return t.zuchtbuchnummer;
    case Zuechter:
        return t.zuechterAnzeige;
    case Besitzer:
        return t.besitzerAnzeige;
    case Rasse:
        return t.rasseName;
    case Rufname:
        return t.rufname;
    case Status:
        return t.statusName;
    default:
        return {};
    }
}

QVariant SuchErgebnisModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    switch (section) {
    case Name:
        return QStringLiteral("Name");
    case Zwinger:
        return QStringLiteral("Zwinger/Cattery");
    case Farbe:
        return QStringLiteral("Farbe/Colour");
    case GebDatum:
        return QStringLiteral("GebDat./Born");
    case Geschlecht:
        return QStringLiteral("Geschl./Sex");
    case Mutter:
        return QStringLiteral("Mutter/Dam");
    case Vater:
        return QStringLiteral("Vater/Sire");
    case Zuchtbuchnummer:
        return QStringLiteral("Zuchtbuchnr./Reg.No.");
    case Zuechter:
        return QStringLiteral("Züchter/Breeder");
    case Besitzer:
        return QStringLiteral("Besitzer/Owner");
    case Rasse:
        return QStringLiteral("Rasse/Breed");
    case Rufname:
        return QStringLiteral("Rufname/AKA");
    case Status:
        return QStringLiteral("Status/State");
    default:
        return {};
    }
}

SuchSortierung SuchErgebnisModell::sortierungFuer(int spalte) {
    switch (spalte) {
    case Name:
        return SuchSortierung::Name;
    case Zwinger:
        return SuchSortierung::Zwinger;
    case Rufname:
        return SuchSortierung::Rufname;
    case Geschlecht:
        return SuchSortierung::Geschlecht;
    case Farbe:
        return SuchSortierung::Farbe;
    case GebDatum:
        return SuchSortierung::GebDatum;
    case Rasse:
        return SuchSortierung::Rasse;
    default:
        return SuchSortierung::Standard;
    }
}

// ---------------------------------------------------------------- TSuchenDlg

TSuchenDlg::TSuchenDlg(store::Database& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("SuchenDlg"));
    // Dates typed and shown as the register writes them, not in the system's locale.
    setLocale(language::datumsLocale());
    language::setTag(this, 8700);
    setWindowTitle(QStringLiteral("Katze suchen"));

    auto* haupt = new QVBoxLayout(this);
    auto* gitter = new QGridLayout;
    int zeile = 0;
    auto feld = [this, gitter, &zeile](const char* name, const char* labelName, const QString& text,
                                       int tag) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(labelName));
        language::setTag(l, tag);
        l->setBuddy(e);
        gitter->addWidget(l, zeile, 0);
        gitter->addWidget(e, zeile, 1);
        ++zeile;
        return e;
    };
    // texte: feldname 8701-8708
    m_name = feld("EditName", "LabelName", QStringLiteral("&Name"), 8701);
    m_zwinger = feld("EditZwinger", "LabelZwinger", QStringLiteral("&Zwinger"), 8702);
    m_rufname = feld("EditRufname", "LabelRufname", QStringLiteral("&Rufname"), 8703);
    m_rasse = feld("EditRasse", "LabelRasse", QStringLiteral("R&asse"), 8704);
    m_farbe = feld("EditFarbe", "LabelFarbe", QStringLiteral("&Farbe"), 8705);
    m_zuechter = feld("EditZuechter", "LabelZuechter", QStringLiteral("Z&üchter"), 8706);
    m_besitzer = feld("EditBesitzer", "LabelBesitzer", QStringLiteral("&Besitzer"), 8707);
    m_zuchtbuch =
        feld("EditZuchtbuchnummer", "LabelZuchtbuchnummer", QStringLiteral("Zuchtbuch&nummer"), 8708);

    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("ComboBoxStatus"));
    m_status->setEditable(true);
    m_status->setInsertPolicy(QComboBox::NoInsert);
    auto* statusLabel = new QLabel(QStringLiteral("S&tatus"), this);
    statusLabel->setObjectName(QStringLiteral("LabelStatus"));
    language::setTag(statusLabel, 8709);
    statusLabel->setBuddy(m_status);
    gitter->addWidget(statusLabel, zeile, 0);
    gitter->addWidget(m_status, zeile, 1);
    ++zeile;

    m_gebDatum = new QLineEdit(this);
    m_gebDatum->setObjectName(QStringLiteral("EditGebDatum"));
    auto* datumLabel = new QLabel(QStringLiteral("&Geburtsdatum"), this);
    datumLabel->setObjectName(QStringLiteral("LabelGebDatum"));
    language::setTag(datumLabel, 8710);
    datumLabel->setBuddy(m_gebDatum);
    m_kalenderKnopf = new QPushButton(QStringLiteral("..."), this);
    m_kalenderKnopf->setObjectName(QStringLiteral("BitBtnKalender"));
    m_kalenderKnopf->setAutoDefault(false);
    language::setTag(m_kalenderKnopf, 8715);
    auto* datumReihe = new QHBoxLayout;
    datumReihe->addWidget(m_gebDatum, 1);
    datumReihe->addWidget(m_kalenderKnopf);
    gitter->addWidget(datumLabel, zeile, 0);
    gitter->addLayout(datumReihe, zeile, 1);
    ++zeile;
    haupt->addLayout(gitter);

    auto* zaehler = new QHBoxLayout;
    auto* anzahlText = new QLabel(QStringLiteral("gefundene Datensätze:"), this);
    anzahlText->setObjectName(QStringLiteral("LabelGefunden"));
    language::setTag(anzahlText, 8711);
    m_anzahl = new QLabel(this);
    m_anzahl->setObjectName(QStringLiteral("LabelAnzahl"));
    zaehler->addWidget(anzahlText);
    zaehler->addWidget(m_anzahl);
    zaehler->addStretch(1);
    haupt->addLayout(zaehler);

    m_modell = new SuchErgebnisModell(this);
    m_modell->setDatumsLocale(locale());
    m_gitter = new QTableView(this);
    m_gitter->setObjectName(QStringLiteral("DBGridErgebnis"));
    language::setTag(m_gitter, 8716);
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->verticalHeader()->hide();
    m_gitter->horizontalHeader()->setSectionsClickable(true);
    m_gitter->setMinimumSize(700, 250);
    m_gitter->hide();
    haupt->addWidget(m_gitter, 1);

    auto* reihe = new QHBoxLayout;
    auto knopf = [this, reihe](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        reihe->addWidget(b);
        return b;
    };
    m_suchen = knopf("BitBtnSuchen", QStringLiteral("&Suchen"));
    language::setTag(m_suchen, 8712);
    m_suchen->setDefault(true);
    reihe->addStretch(1);
    m_ok = knopf("BitBtnOK", QStringLiteral("&OK"));
    language::setTag(m_ok, 8713);
    m_ok->setAutoDefault(false);
    m_abbruch = knopf("BitBtnAbbruch", QStringLiteral("&Abbruch"));
    language::setTag(m_abbruch, 8714);
    m_abbruch->setAutoDefault(false);
    haupt->addLayout(reihe);

    connect(m_suchen, &QPushButton::clicked, this, &TSuchenDlg::suchen);
    // The status box keeps Return for itself once it completed the text; it searches like every field.
    connect(m_status->lineEdit(), &QLineEdit::returnPressed, m_suchen, &QPushButton::click);
    connect(m_ok, &QPushButton::clicked, this, &TSuchenDlg::ok);
    connect(m_abbruch, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_kalenderKnopf, &QPushButton::clicked, this,
            [this] { kalenderDialog().feldFuellen(m_gebDatum); });
    connect(m_gitter, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { uebernehmen(i.row()); });
    connect(m_gitter->horizontalHeader(), &QHeaderView::sectionClicked, this, &TSuchenDlg::sortieren);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) m_gewaehlt = i.row();
            });

    statusListeOeffnen();
    statusAuswahlFuellen();
}

TSuchenDlg::~TSuchenDlg() = default;

store::ui::TDBError& TSuchenDlg::fehlerDialog() {
    if (m_fehlerDialog) return *m_fehlerDialog;
    if (!m_eigenerDialog) m_eigenerDialog = std::make_unique<store::ui::TDBError>(&m_db, this);
    return *m_eigenerDialog;
}

TKalenderDlg& TSuchenDlg::kalenderDialog() {
    if (!m_kalender) m_kalender = new TKalenderDlg(this);
    return *m_kalender;
}

void TSuchenDlg::fehlerZeigen(const std::exception& e, const QString& tabelle) {
    fehlerDialog().HandleException(e, tabelle);
}

void TSuchenDlg::statusListeOeffnen() {
    m_statusTabelle = std::make_unique<store::Table>(m_db, kStatusTabelle);
    const QStringList felder = {QStringLiteral("Status"), QStringLiteral("Nummer")};
    try {
        m_statusTabelle->open();
        const QList<store::IndexDef> indizes = m_statusTabelle->indexDefs();
        bool vorhanden = false;
        for (const store::IndexDef& ix : indizes)
            vorhanden = vorhanden || ix.sameFields(felder);
        if (!indizes.isEmpty() && !vorhanden) {
            m_statusTabelle->close();
            m_statusTabelle->open(store::Table::OpenMode::Exclusive);
            store::IndexDef ix;
            ix.name = QStringLiteral("Name");
            ix.fields = felder;
            m_statusTabelle->addIndex(ix);
            m_statusTabelle->close();
            m_statusTabelle->open();
        }
        m_statusTabelle->setIndexName(QString());
    } catch (const std::exception&) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11, QStringLiteral("Fehler beim Öffnen der Tabelle")) +
                                   QLatin1Char(' ') + kStatusTabelle);
        // The search works without the choice list; a half-open cursor is of no use.
        if (m_statusTabelle->isOpen() && m_statusTabelle->openMode() == store::Table::OpenMode::Exclusive)
            m_statusTabelle->close();
        if (!m_statusTabelle->isOpen()) {
            try {
                m_statusTabelle->open();
            } catch (const std::exception&) {
                m_statusTabelle.reset();
            }
        }
    }
}

void TSuchenDlg::statusAuswahlFuellen() {
    m_status->clear();
    if (!m_statusTabelle || !m_statusTabelle->isOpen()) return;
    try {
        m_statusTabelle->refresh();
        for (m_statusTabelle->first(); !m_statusTabelle->eof(); m_statusTabelle->next())
            m_status->addItem(m_statusTabelle->asString(QStringLiteral("Status")));
    } catch (const std::exception& e) {
        fehlerZeigen(e, kStatusTabelle);
    }
    m_status->setCurrentIndex(-1);
    m_status->setEditText(QString());
}

SuchKriterien TSuchenDlg::kriterien() const {
    SuchKriterien k;
    k.name = m_name->text();
    k.zwinger = m_zwinger->text();
    k.rufname = m_rufname->text();
    k.rasse = m_rasse->text();
    k.farbe = m_farbe->text();
    k.zuechter = m_zuechter->text();
    k.besitzer = m_besitzer->text();
    k.zuchtbuchnummer = m_zuchtbuch->text();
    k.status = m_status->currentText();
    k.gebDatum = m_gebDatum->text();
    return k;
}

void TSuchenDlg::ergebnisSchliessen() {
    m_modell->setTreffer({});
    m_ergebnisOffen = false;
    m_gefunden = false;
    m_gewaehlt = -1;
    gitterZeigen(false);
}

void TSuchenDlg::gitterZeigen(bool ja) {
    if (m_gitter->isVisibleTo(this) == ja) return;
    m_gitter->setVisible(ja);
    if (!ja) {
        // Back to the criteria alone: the dialog shrinks to them.
        layout()->activate();
        resize(sizeHint());
    } else {
        layout()->activate();
        resize(size().expandedTo(sizeHint()));
    }
}

void TSuchenDlg::oeffnen(const SuchAufruf& aufruf) {
    m_aufruf = aufruf;
    if (language::TSprache* s = language::aktuelleSprache())
        language::FensterObjektUebersetzen(*s, this, s->offset());
    statusAuswahlFuellen();
    for (QLineEdit* e :
         {m_name, m_zwinger, m_rufname, m_rasse, m_farbe, m_zuechter, m_besitzer, m_zuchtbuch, m_gebDatum})
        e->clear();
    m_status->setCurrentIndex(-1);
    m_status->setEditText(QString());
    m_anzahl->clear();
    m_abfrage = SuchAbfrage{};
    ergebnisSchliessen();
    m_name->setFocus();
    if (aufruf.neuausStb && !aufruf.vonKnopf()) {
        m_name->setText(aufruf.getippterName);
        suchen();
    }
}

int TSuchenDlg::waehlen(const SuchAufruf& aufruf) {
    oeffnen(aufruf);
    if (exec() != QDialog::Accepted) return 0;
    return gewaehlteNummer();
}

void TSuchenDlg::suchen() {
    if (m_gitter->isVisibleTo(this)) {
        gitterZeigen(false);
        return;
    }
    SuchAbfrage abfrage;
    QList<SuchTreffer> treffer;
    try {
        abfrage = suchAbfrageBauen(m_db, kriterien(), m_aufruf, m_gebDatum->locale());
        switch (abfrage.fehler) {
        case SuchAbfrage::Fehler::KeinZuechter:
        case SuchAbfrage::Fehler::KeinBesitzer:
            ergebnisSchliessen();
            Meldungsdienst::nachricht(50, MeldungsArt::Warnung);
            return;
        case SuchAbfrage::Fehler::UngueltigesDatum:
            ergebnisSchliessen();
            Meldungsdienst::nachricht(114, MeldungsArt::Warnung, Knoepfe::Ok,
                                      QStringLiteral("Bitte geben Sie ein gültiges Datum ein!"));
            m_gebDatum->setFocus();
            m_gebDatum->selectAll();
            return;
        case SuchAbfrage::Fehler::Keiner:
            break;
        }
        treffer = reg::suchen(m_db, abfrage);
    } catch (const std::exception& e) {
        ergebnisSchliessen();
        fehlerZeigen(e, kKatzenTabelle);
        return;
    }
    m_abfrage = abfrage;
    m_modell->setDatumsLocale(m_gebDatum->locale());
    m_modell->setTreffer(treffer);
    m_ergebnisOffen = true;
    m_gefunden = !treffer.isEmpty();
    m_gewaehlt = m_gefunden ? 0 : -1;
    m_anzahl->setText(QString::number(treffer.size()));
    m_gitter->setColumnHidden(SuchErgebnisModell::Status, !abfrage.mitStatus);
    // Every column as wide as its title and its hits, so no title is cut.
    m_gitter->resizeColumnsToContents();

    if (treffer.isEmpty()) {
        // A pedigree entry goes on with the typed name, so no message interrupts it.
        if (!m_aufruf.neuausStb) Meldungsdienst::nachricht(50, MeldungsArt::Warnung);
        return;
    }
    if (treffer.size() == 1) {
        uebernehmen(0);
        return;
    }
    gitterZeigen(true);
    zeileWaehlen(0);
    m_gitter->setFocus();
}

void TSuchenDlg::zeileWaehlen(int zeile) {
    if (zeile < 0 || zeile >= m_modell->rowCount()) return;
    m_gewaehlt = zeile;
    const QModelIndex i = m_modell->index(zeile, 0);
    m_gitter->setCurrentIndex(i);
    m_gitter->scrollTo(i);
}

void TSuchenDlg::sortieren(int spalte) {
    const SuchSortierung s = SuchErgebnisModell::sortierungFuer(spalte);
    if (s == SuchSortierung::Standard || !m_ergebnisOffen) return;
    const int nummer = gewaehlteNummer();
    SuchAbfrage abfrage = m_abfrage;
    abfrage.sortierung = s;
    QList<SuchTreffer> treffer;
    try {
        treffer = reg::suchen(m_db, abfrage);
    } catch (const std::exception& e) {
        fehlerZeigen(e, kKatzenTabelle);
        return;
    }
    m_abfrage = abfrage;
    m_modell->setTreffer(treffer);
    m_anzahl->setText(QString::number(treffer.size()));
    // The chosen cat stays chosen at its new place.
    int zeile = treffer.isEmpty() ? -1 : 0;
    for (int i = 0; i < treffer.size(); ++i)
        if (treffer.at(i).nummer == nummer) zeile = i;
    m_gewaehlt = zeile;
    zeileWaehlen(zeile);
}

void TSuchenDlg::uebernehmen(int zeile) {
    if (zeile < 0 || zeile >= m_modell->rowCount()) return;
    const SuchTreffer& t = m_modell->treffer().at(zeile);
    m_gewaehlt = zeile;
    m_name->setText(t.name);
    m_zwinger->setText(t.zwinger);
    m_rufname->setText(t.rufname);
    m_rasse->setText(t.rasseName);
    m_farbe->setText(t.farbe);
    m_zuechter->setText(t.zuechterAnzeige);
    m_besitzer->setText(t.besitzerAnzeige);
    m_zuchtbuch->setText(t.zuchtbuchnummer);
    m_status->setEditText(t.statusName);
    m_gebDatum->setText(datumText(t.gebDatum, m_gebDatum->locale()));
    gitterZeigen(false);
}

const SuchTreffer* TSuchenDlg::gewaehlterTreffer() const {
    if (!m_ergebnisOffen || m_gewaehlt < 0 || m_gewaehlt >= m_modell->rowCount()) return nullptr;
    return &m_modell->treffer().at(m_gewaehlt);
}

int TSuchenDlg::gewaehlteNummer() const {
    const SuchTreffer* t = gewaehlterTreffer();
    return t ? t->nummer : 0;
}

QString TSuchenDlg::gewaehlterName() const {
    const SuchTreffer* t = gewaehlterTreffer();
    return t ? t->name : QString();
}

void TSuchenDlg::ok() {
    // Without a result there is nothing to hand back, so OK acts as Cancel.
    if (gewaehlteNummer() == 0) {
        gitterZeigen(false);
        reject();
        return;
    }
    gitterZeigen(false);
    accept();
}

} // namespace velmora::reg
