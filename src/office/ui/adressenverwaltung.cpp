#include "office/ui/adressenverwaltung.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "common/ui/rahmen.h"
#include "common/ui/tabellenmodell.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "office/adressdruck.h"
#include "office/ui/statusadressen.h"
#include "office/ui/suchenadrdlg.h"
#include "office/ui/zugaenglich.h"
#include "office/ui/zwingerregister.h"
#include "office/vcard.h"
#include "printing/ui/berichtdruck.h"
#include "register/ui/kalenderdlg.h"
#include "store/errors.h"
#include "store/ui/dberror.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora::office {

// texte: meldung 2700 2701 2702 2703 2704 2705 2706 2707 2708 2709

namespace {

const QString kTabelle = QStringLiteral("adr_dat.db");
const QString kName = QStringLiteral("Name");

QString beschriftung(int nummer, const char* vorgabe) {
    const QString t = language::feldName(nummer);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

QString meldungsText(int nummer, const char* vorgabe) {
    return language::meldung(nummer, QString::fromUtf8(vorgabe));
}

// A drop-down with free entry: offers texts, stores whatever is typed.
class DbFreieAuswahl : public QComboBox, public DbFeld {
public:
    DbFreieAuswahl(FeldBindung& b, const QString& feld) : QComboBox(), DbFeld(b, feld) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        connect(this, &QComboBox::editTextChanged, this, [this] { benutzerAenderung(); });
    }
    void angebot(const QStringList& texte) {
        Laden l(*this);
        const QString jetzt = currentText();
        clear();
        addItems(texte);
        setEditText(jetzt);
    }

protected:
    void anzeigen(const QVariant& wert) override { setEditText(wert.toString()); }
    bool schreiben() override {
        setzen(currentText().isEmpty() ? QVariant() : QVariant(currentText()));
        return true;
    }
};

// The grid's status column offers the groups as a pick list.
class StatusDelegate : public QStyledItemDelegate {
public:
    StatusDelegate(const QStringList& liste, QObject* parent) : QStyledItemDelegate(parent), m_liste(liste) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* c = new QComboBox(parent);
        c->setEditable(true);
        c->addItems(m_liste);
        c->setAccessibleName(QStringLiteral("Status"));
        return c;
    }
    void setEditorData(QWidget* e, const QModelIndex& i) const override {
        static_cast<QComboBox*>(e)->setCurrentText(i.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* e, QAbstractItemModel* m, const QModelIndex& i) const override {
        m->setData(i, static_cast<QComboBox*>(e)->currentText());
    }

private:
    const QStringList& m_liste;
};

} // namespace

void adressenRegistrieren() {
    const QString menue = QStringLiteral("MenueVerwaltung");
    fensterartRegistrieren({QStringLiteral("Adressenverwaltung"), menue, 127,
                            QStringLiteral("&Adressenverwaltung"),
                            [](TRahmen& h) { return new Tadressenverwaltung(h); }});
    fensterartRegistrieren({QStringLiteral("FormStatusAdressen"), menue, 1011,
                            QStringLiteral("Status Adressen"),
                            [](TRahmen& h) { return new TFormStatusAdressen(h); }});
    zwingerRegistrieren();
}

Tadressenverwaltung::Tadressenverwaltung(TRahmen& h)
    : TKindFenster(h, QStringLiteral("Adressenverwaltung"), 9100) {
    setWindowTitle(QStringLiteral("Adressenverwaltung"));
    oeffnen_ = [](const QString& url) { QDesktopServices::openUrl(QUrl::fromEncoded(url.toUtf8())); };
    druckVorschau = [this](const QList<Adresse>& l, bool liste) {
        const settings::tsysteminfo& s = hauptfenster().einstellungen();
        printing::vorschauZeigen(
            liste ? adressenListeBericht(l, s.Drucklinks, s.Druckoben, QDate::currentDate())
                  : adresseBericht(l.value(0), s.Drucklinks, s.Druckoben),
            this);
    };
    vcardDatei = [this](bool speichern) {
        const QString filter = QStringLiteral("vCard (*.vcf)");
        return speichern
                   ? QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Adressen.vcf"), filter)
                   : QFileDialog::getOpenFileName(this, QString(), QString(), filter);
    };
}

Tadressenverwaltung::~Tadressenverwaltung() {
    if (!m_geschlossen) Tadressenverwaltung::schliessen();
}

bool Tadressenverwaltung::oeffnen() {
    store::Database& db = hauptfenster().db();
    try {
        m_adr = std::make_unique<store::Table>(db, QStringLiteral("adr_dat"));
        m_adr->open();
        m_adr->setIndexName(QStringLiteral("AdrName"));
        m_leser = std::make_unique<store::Table>(db, QStringLiteral("adr_dat"));
        m_leser->open(store::Table::OpenMode::ReadOnly);
        m_leser->setIndexName(QStringLiteral("AdrName"));
        m_zweit = std::make_unique<store::Table>(db, QStringLiteral("adr_dat"));
        m_zweit->open(store::Table::OpenMode::ReadOnly);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
        m_adr.reset();
        return false;
    }
    try {
        m_rasse = std::make_unique<store::Table>(db, QStringLiteral("rasse"));
        m_rasse->open(store::Table::OpenMode::ReadOnly);
        m_rasse->setIndexName(QStringLiteral("RasseName"));
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("rasse.db"));
        m_rasse.reset();
    }
    try {
        m_statusListe = adressStatusLesen(db);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("StatusAdressen.db"));
    }
    store::ui::TDBError* fehler = &fehlerDialog();
    m_adr->onPostError = store::ui::postFehlerBehandlung(*fehler);
    m_adr->beforePost = [this](store::Table& t) { vorDemSpeichern(t); };
    m_adr->afterPost = [this](store::Table& t) {
        t.flush();
        if (m_reiter && m_reiter->currentIndex() == Neu)
            QMetaObject::invokeMethod(
                this, [this] { reiterSetzen(AZ); }, Qt::QueuedConnection);
    };
    m_bindung = std::make_unique<FeldBindung>(*m_adr);
    m_bindung->fehlerAnzeige = [fehler](const std::exception& e) {
        if (dynamic_cast<const store::Abbruch*>(&e)) return; // the user refused the store
        fehler->HandleException(e, kTabelle);
    };
    m_suche = std::make_unique<TSuchenAdrDlg>(db, this);
    m_suche->hilfe = [this] { hauptfenster().hilfeZeigen(130); };
    m_kalender = std::make_unique<reg::TKalenderDlg>(this);
    aufbauen();
    connect(m_bindung.get(), &FeldBindung::geaendertGewechselt, this, [this] { knoepfeSetzen(); });
    connect(m_bindung.get(), &FeldBindung::datensatzGeladen, this, [this] { angezeigt(); });
    reiterSetzen(AZ);
    m_bindung->neuLaden();
    zugaenglichBenennen(this);
    return true;
}

void Tadressenverwaltung::aufbauen() {
    FeldBindung& b = *m_bindung;
    auto* haupt = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    haupt->addLayout(links, 1);

    m_seiten = new QTabWidget;
    m_seiten->setObjectName(QStringLiteral("PageControl"));
    language::setTag(m_seiten, 9101);
    links->addWidget(m_seiten, 1);

    // --- form page
    auto* felder = new QWidget;
    felder->setObjectName(QStringLiteral("TabSheetFelder"));
    auto* form = new QFormLayout(felder);
    auto label = [](const char* text, int tag) {
        auto* l = new QLabel(QString::fromUtf8(text));
        language::setTag(l, tag);
        return l;
    };
    auto edit = [&](const char* feld) {
        auto* e = new DbEdit(b, QString::fromUtf8(feld));
        e->setObjectName(QStringLiteral("DB") + QString::fromUtf8(feld));
        return e;
    };
    auto* anrede = new DbFreieAuswahl(b, QStringLiteral("Anrede"));
    anrede->setObjectName(QStringLiteral("DBAnrede"));
    anrede->angebot(hauptfenster().einstellungen().spracheNummer() == 0
                        ? QStringList{QStringLiteral("Frau"), QStringLiteral("Herr"),
                                      QStringLiteral("Familie"), QStringLiteral("Firma")}
                        : QStringList{QStringLiteral("Mrs."), QStringLiteral("Mr."),
                                      QStringLiteral("Mr. & Mrs."), QStringLiteral("Company")});
    form->addRow(label("Anrede", 9104), anrede);
    m_name = edit("Name");
    form->addRow(label("&Name", 9105), m_name);
    m_vorname = edit("Vorname");
    form->addRow(label("&Vorname", 9106), m_vorname);
    form->addRow(label("Straße", 9107), edit("Strasse"));
    auto* ortZeile = new QHBoxLayout;
    auto* plz = edit("Plz");
    plz->setMaximumWidth(90);
    ortZeile->addWidget(plz);
    auto* ort = edit("Ort");
    ort->setAccessibleName(QStringLiteral("Ort"));
    ortZeile->addWidget(ort, 1);
    form->addRow(label("PLZ / Ort", 9108), ortZeile);
    form->addRow(label("Land", 9109), edit("Land"));
    form->addRow(label("Telefon", 9110), edit("Telefon"));
    form->addRow(label("Telefax", 9111), edit("Telefax"));
    form->addRow(label("Handy", 9112), edit("Handy"));
    auto* mailZeile = new QHBoxLayout;
    m_email = edit("email");
    mailZeile->addWidget(m_email, 1);
    auto* mail = new QPushButton(QStringLiteral("E-Mail schreiben"));
    mail->setObjectName(QStringLiteral("BitBtnEMail"));
    language::setTag(mail, 9114);
    connect(mail, &QPushButton::clicked, this, &Tadressenverwaltung::mailSchreiben);
    mailZeile->addWidget(mail);
    form->addRow(label("E-Mail", 9113), mailZeile);
    m_homepage = edit("Homepage");
    form->addRow(label("Homepage", 9115), m_homepage);
    m_homepageZeile = new QLabel;
    m_homepageZeile->setObjectName(QStringLiteral("LabelHomepage"));
    m_homepageZeile->setCursor(Qt::PointingHandCursor);
    m_homepageZeile->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_homepageZeile->setAccessibleName(QStringLiteral("Homepage"));
    connect(m_homepageZeile, &QLabel::linkActivated, this, [this] { homepageOeffnen(); });
    form->addRow(QString(), m_homepageZeile);
    if (m_rasse) {
        auto* rasse = new DbNachschlag(b, QStringLiteral("Rasse"), *m_rasse, QStringLiteral("RName"),
                                       QStringLiteral("RCode"));
        rasse->setObjectName(QStringLiteral("DBRasse"));
        rasse->setLeerErlaubt(true);
        form->addRow(label("Rasse", 9116), rasse);
    }
    form->addRow(label("Zwinger", 9117), edit("Zwinger"));
    auto* geb = new DbDatum(b, QStringLiteral("Geburtstag"));
    geb->setObjectName(QStringLiteral("DBGeburtstag"));
    geb->kalenderDialog = [this]() -> std::optional<QDate> { return m_kalender->waehlen(); };
    form->addRow(label("Geburtstag", 9118), geb);
    auto* statusBox = new QGroupBox(QStringLiteral("Status"));
    statusBox->setObjectName(QStringLiteral("GroupBoxStatus"));
    language::setTag(statusBox, 9119);
    auto* statusLayout = new QHBoxLayout(statusBox);
    m_statusGruppe = new QButtonGroup(this);
    m_statusGruppe->setObjectName(QStringLiteral("DBStatus"));
    for (int i = 0; i < m_statusListe.size(); ++i) {
        auto* r = new QRadioButton(m_statusListe[i]);
        r->setObjectName(QStringLiteral("RadioStatus%1").arg(i + 1));
        m_statusGruppe->addButton(r, i);
        statusLayout->addWidget(r);
    }
    connect(m_statusGruppe, &QButtonGroup::idClicked, this, [this](int i) {
        try {
            if (m_adr->state() == store::Table::State::Browse) {
                if (!m_adr->hasRecord()) return;
                m_adr->edit();
            }
            m_adr->setValue(QStringLiteral("Status"), m_statusListe.value(i));
        } catch (const std::exception& e) {
            fehlerDialog().HandleException(e, kTabelle);
        }
        m_bindung->neuLaden();
    });
    form->addRow(statusBox);
    auto* unten = new QHBoxLayout;
    m_bemerkungKnopf = new QPushButton(QStringLiteral("Bemerkung"));
    m_bemerkungKnopf->setObjectName(QStringLiteral("BitBtnBemerkung"));
    connect(m_bemerkungKnopf, &QPushButton::clicked, this, [this] { bemerkungZeigen(true); });
    unten->addWidget(m_bemerkungKnopf);
    m_navigator = new Navigator(b, nullptr, true);
    m_navigator->setObjectName(QStringLiteral("DBNavigator"));
    connect(m_navigator, &Navigator::bewegt, this, [this] { bemerkungZeigen(false); });
    unten->addWidget(m_navigator);
    unten->addStretch(1);
    form->addRow(unten);
    m_seiten->addTab(felder, QStringLiteral("&Felder"));

    // The remark lies over the whole form page.
    m_bemerkung = new QFrame(felder);
    m_bemerkung->setObjectName(QStringLiteral("PanelBemerkung"));
    m_bemerkung->setFrameShape(QFrame::Box);
    m_bemerkung->setAutoFillBackground(true);
    auto* bl = new QVBoxLayout(m_bemerkung);
    m_memo = new DbMemo(b, QStringLiteral("Bemerkung"));
    m_memo->setObjectName(QStringLiteral("DBBemerkung"));
    bl->addWidget(m_memo, 1);
    auto* zu = new QPushButton(QStringLiteral("&Zurück"));
    zu->setObjectName(QStringLiteral("BitBtnBemerkungZurueck"));
    language::setTag(zu, 9121);
    connect(zu, &QPushButton::clicked, this, [this] { bemerkungZeigen(false); });
    bl->addWidget(zu, 0, Qt::AlignRight);
    m_bemerkung->hide();

    // --- grid page
    QList<TabellenModell::Spalte> spalten;
    // texte: feldname 9160-9170
    const char* const felderGitter[] = {"Name",       "Vorname", "Zwinger", "Strasse", "Plz",   "Ort",
                                        "Geburtstag", "Telefon", "Telefax", "Land",    "Status"};
    for (int i = 0; i < 11; ++i)
        spalten << TabellenModell::Spalte{QString::fromUtf8(felderGitter[i]),
                                          beschriftung(9160 + i, felderGitter[i])};
    m_modell = new TabellenModell(*m_adr, spalten, this);
    m_modell->setBearbeitbar(true);
    m_modell->setLeser(m_leser.get());
    m_modell->fehlerBehandlung = [this](const std::exception& e) { m_bindung->fehlerMelden(e); };
    m_modell->anzeigeText = [](const QVariant& w, int spalte) {
        return spalte == 6 ? DbDatum::text(w.toDate()) : w.toString();
    };
    m_gitter = new QTableView;
    m_gitter->setObjectName(QStringLiteral("DBGrid"));
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setItemDelegateForColumn(10, new StatusDelegate(m_statusListe, m_gitter));
    m_gitter->verticalHeader()->setDefaultSectionSize(m_gitter->fontMetrics().height() + 6);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                // Only the user moves the cursor through the grid; a grid re-read after a store does not.
                if (m_sperre || !i.isValid() || !m_gitter->hasFocus() || i.row() == m_modell->aktuelleZeile())
                    return;
                if (!m_modell->zuZeile(i.row())) {
                    m_sperre = true;
                    m_gitter->selectRow(m_modell->aktuelleZeile());
                    m_sperre = false;
                }
                m_bindung->neuLaden();
            });
    auto* tabelle = new QWidget;
    tabelle->setObjectName(QStringLiteral("TabSheetTabelle"));
    auto* tl = new QVBoxLayout(tabelle);
    tl->addWidget(m_gitter);
    m_seiten->addTab(tabelle, QStringLiteral("&Tabelle"));
    connect(m_seiten, &QTabWidget::currentChanged, this, [this] {
        bemerkungZeigen(false);
        angezeigt();
    });

    // --- tab strip
    m_reiter = new QTabBar;
    m_reiter->setObjectName(QStringLiteral("TabSetRegister"));
    m_reiter->setExpanding(false);
    for (const QString& t : buchstabenReiter())
        m_reiter->addTab(t);
    m_reiter->addTab(QStringLiteral("Suche"));
    m_reiter->addTab(QStringLiteral("Neu"));
    m_reiter->addTab(QStringLiteral("A-Z"));
    for (const QString& s : m_statusListe)
        m_reiter->addTab(s);
    connect(m_reiter, &QTabBar::currentChanged, this, &Tadressenverwaltung::reiterGewaehlt);
    links->addWidget(m_reiter);

    // --- side buttons
    auto* rechts = new QVBoxLayout;
    haupt->addLayout(rechts);
    auto knopf = [&](QVBoxLayout* ziel, const char* name, const char* text, int tag) {
        auto* k = new QPushButton(QString::fromUtf8(text));
        k->setObjectName(QLatin1String(name));
        language::setTag(k, tag);
        ziel->addWidget(k);
        m_knoepfe << k;
        return k;
    };
    connect(knopf(rechts, "BitBtnSpeichern", "Speichern", 9122), &QPushButton::clicked, this,
            &Tadressenverwaltung::speichern);
    connect(knopf(rechts, "BitBtnHinzufuegen", "H&inzufügen", 9123), &QPushButton::clicked, this,
            &Tadressenverwaltung::hinzufuegen);
    connect(knopf(rechts, "BitBtnRueckgaengig", "R&ückgängig", 9124), &QPushButton::clicked, this,
            &Tadressenverwaltung::rueckgaengig);
    connect(knopf(rechts, "BitBtnLoeschen", "L&öschen", 9125), &QPushButton::clicked, this,
            &Tadressenverwaltung::loeschen);
    connect(knopf(rechts, "BitBtnHilfe", "&Hilfe", 9126), &QPushButton::clicked, this,
            [this] { hauptfenster().hilfeZeigen(130); });
    connect(knopf(rechts, "BitBtnZurueck", "&Zurück", 9127), &QPushButton::clicked, this, &QWidget::close);
    auto* druck = new QGroupBox(QStringLiteral("Drucken"));
    druck->setObjectName(QStringLiteral("GroupBoxDrucken"));
    language::setTag(druck, 9128);
    auto* dl = new QVBoxLayout(druck);
    connect(knopf(dl, "BitBtnListe", "Liste", 9129), &QPushButton::clicked, this,
            &Tadressenverwaltung::listeDrucken);
    connect(knopf(dl, "BitBtnAdresse", "Adresse", 9130), &QPushButton::clicked, this,
            &Tadressenverwaltung::adresseDrucken);
    connect(knopf(dl, "BitBtnEMailGruppe", "eMail Gruppe", 9131), &QPushButton::clicked, this,
            &Tadressenverwaltung::gruppenMail);
    rechts->addWidget(druck);
    auto* vcard = new QGroupBox(QStringLiteral("vCard"));
    vcard->setObjectName(QStringLiteral("GroupBoxVcard"));
    language::setTag(vcard, 9135);
    auto* vl = new QVBoxLayout(vcard);
    connect(knopf(vl, "BitBtnExport", "Export", 9132), &QPushButton::clicked, this,
            &Tadressenverwaltung::vcardExport);
    connect(knopf(vl, "BitBtnImport", "Import", 9133), &QPushButton::clicked, this,
            &Tadressenverwaltung::vcardImport);
    rechts->addWidget(vcard);
    rechts->addStretch(1);

    // The duplicate check runs when a field of the name pair is left while a new address is typed.
    connect(m_name, &QLineEdit::editingFinished, this, &Tadressenverwaltung::doppeltPruefen);
    connect(m_vorname, &QLineEdit::editingFinished, this, &Tadressenverwaltung::doppeltPruefen);
}

QPushButton* Tadressenverwaltung::knopf(const char* objektName) const {
    for (QPushButton* k : m_knoepfe)
        if (k->objectName() == QLatin1String(objektName)) return k;
    return nullptr;
}

void Tadressenverwaltung::uebersetzt() {
    // Tabs whose captions are words; the letters and the groups stay as they are.
    m_reiter->setTabText(Suche, beschriftung(9136, "Suche"));
    m_reiter->setTabText(Neu, beschriftung(9137, "Neu"));
    bemerkungKnopfSetzen();
    for (int i = 0; i < m_modell->columnCount(); ++i)
        m_modell->setSpaltenTitel(i, language::feldName(9160 + i).isEmpty() ? m_modell->spalten()[i].titel
                                                                            : language::feldName(9160 + i));
    zugaenglichBenennen(this);
}

void Tadressenverwaltung::changeEvent(QEvent* e) {
    TKindFenster::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) uebergabeAbholen();
}

void Tadressenverwaltung::uebergabeAbholen() {
    TRahmen& h = hauptfenster();
    if (!m_adr || !h.StatusAdressen) return;
    h.StatusAdressen = false;
    setUpdatesEnabled(false);
    if (h.StatusAdressenNummer <= 0) {
        reiterSetzen(AZ);
        m_reiter->setCurrentIndex(Neu);
    } else {
        reiterSetzen(AZ);
        zuAdresse(h.StatusAdressenNummer);
    }
    setUpdatesEnabled(true);
}

// ------------------------------------------------------------------------------------- storing

void Tadressenverwaltung::vorDemSpeichern(store::Table& t) {
    if (!hauptfenster().einstellungen().speichern && !Meldungsdienst::ja(29)) {
        verwerfen();
        throw store::Abbruch();
    }
    if (t.asString(kName).trimmed().isEmpty()) {
        if (Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                                   meldungsText(2700, "Name fehlt! Eingabe abbrechen"),
                                   Knoepfe::JaNein) == Antwort::Ja)
            verwerfen();
        throw store::Abbruch();
    }
}

void Tadressenverwaltung::verwerfen() {
    m_adr->cancel();
    QMetaObject::invokeMethod(
        this,
        [this] {
            reiterSetzen(AZ);
            m_bindung->neuLaden();
        },
        Qt::QueuedConnection);
}

bool Tadressenverwaltung::speichern() {
    if (!m_bindung->geaendert()) return true;
    const bool ok = m_bindung->speichern();
    knoepfeSetzen();
    return ok && !m_bindung->geaendert();
}

void Tadressenverwaltung::hinzufuegen() {
    m_reiter->setCurrentIndex(Neu);
}

void Tadressenverwaltung::rueckgaengig() {
    m_bindung->abbrechen();
    if (m_reiter->currentIndex() == Neu) reiterSetzen(AZ);
    knoepfeSetzen();
}

void Tadressenverwaltung::loeschen() {
    if (!m_adr->hasRecord() && m_adr->state() != store::Table::State::Insert) return;
    if (!Meldungsdienst::ja(28)) return;
    try {
        if (m_adr->state() == store::Table::State::Insert)
            m_adr->cancel();
        else
            m_adr->remove();
        m_adr->flush();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
    }
    if (m_reiter->currentIndex() == Neu) reiterSetzen(AZ);
    m_modell->neuLaden();
    m_bindung->neuLaden();
}

// ------------------------------------------------------------------------------------- tabs

void Tadressenverwaltung::bereichSetzen(const std::function<void(store::Table&)>& wie) {
    // The address shown stays shown when the new range holds it (a store giving way to "A-Z").
    const bool mitSatz = m_adr->state() == store::Table::State::Browse && m_adr->hasRecord();
    const qint64 id = m_adr->recordId();
    for (store::Table* t : {m_adr.get(), m_leser.get()})
        wie(*t);
    if (mitSatz) m_adr->gotoRecordId(id);
    m_modell->neuLaden();
}

void Tadressenverwaltung::reiterSetzen(int index) {
    m_sperre = true;
    m_reiter->setCurrentIndex(index);
    m_sperre = false;
    m_letzterReiter = index;
    if (index == AZ)
        bereichSetzen([](store::Table& t) {
            t.setIndexName(QStringLiteral("AdrName"));
            t.cancelRange();
        });
}

void Tadressenverwaltung::reiterGewaehlt(int index) {
    if (m_sperre || !m_adr) return;
    bemerkungZeigen(false);
    if (!speichern()) {
        // The store was refused and the edit kept: the strip stays where it was.
        if (m_adr->state() != store::Table::State::Browse) {
            m_sperre = true;
            m_reiter->setCurrentIndex(m_letzterReiter);
            m_sperre = false;
            return;
        }
    }
    m_letzterReiter = index;
    try {
        if (index < 8) {
            const NamensBereich b = buchstabenBereich(index);
            bereichSetzen([&](store::Table& t) {
                t.setIndexName(QStringLiteral("AdrName"));
                t.setRange({b.von}, {b.bis});
            });
            m_adr->first();
            fokusNachReiter();
        } else if (index == Suche) {
            m_suche->setMehrfachauswahl(false);
            const bool ok = m_suche->waehlen();
            reiterSetzen(AZ);
            if (ok) {
                if (const auto a = m_suche->ergebnis(); a && a->laufendeNr > 0) zuAdresse(a->laufendeNr);
            }
        } else if (index == Neu) {
            neuAnlegen();
        } else if (index == AZ) {
            reiterSetzen(AZ);
        } else {
            const QString status = m_statusListe.value(index - ErsterStatus);
            bereichSetzen([&](store::Table& t) {
                t.setIndexName(QStringLiteral("AdrStatusName"));
                t.setRange({status}, {status});
            });
            m_adr->first();
            fokusNachReiter();
        }
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
    }
    m_bindung->neuLaden();
}

void Tadressenverwaltung::fokusNachReiter() {
    if (m_seiten->currentIndex() == 0)
        m_name->setFocus();
    else
        m_gitter->setFocus();
}

void Tadressenverwaltung::neuAnlegen() {
    bereichSetzen([](store::Table& t) {
        t.setIndexName(QStringLiteral("AdrName"));
        t.cancelRange();
    });
    if (!m_bindung->anhaengen()) return;
    if (!m_statusListe.isEmpty()) m_adr->setValue(QStringLiteral("Status"), m_statusListe.first());
    m_bindung->neuLaden();
    fokusNachReiter();
}

void Tadressenverwaltung::zuAdresse(int nummer) {
    if (nummer <= 0) return;
    try {
        if (!m_adr->gotoRecordId(nummer)) {
            reiterSetzen(AZ);
            m_adr->gotoRecordId(nummer);
        }
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
    }
    m_bindung->neuLaden();
}

void Tadressenverwaltung::doppeltPruefen() {
    if (m_pruefeDoppelt || m_adr->state() != store::Table::State::Insert ||
        !hauptfenster().einstellungen().SuchebeiNeuaufnahmeAdresse)
        return;
    const QString name = m_adr->asString(kName);
    if (name.isEmpty()) return;
    int gefunden = 0;
    try {
        gefunden = gleichnamigeAdresse(*m_zweit, name, m_adr->asString(QStringLiteral("Vorname")));
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
        return;
    }
    if (gefunden == 0) return;
    m_pruefeDoppelt = true;
    Meldung m;
    m.art = MeldungsArt::Information;
    m.titel = meldungsText(2702, "Name gefunden");
    m.text = meldungsText(2701, "Eintrag mit gleichem Namen gefunden !");
    m.knoepfe = Knoepfe::JaNein;
    m.knopfTexte = {meldungsText(2703, "Neuaufnehmen"), meldungsText(2704, "Abbrechen")};
    const bool neu = Meldungsdienst::zeigen(m) == Antwort::Ja;
    m_pruefeDoppelt = false;
    if (neu) return;
    m_bindung->abbrechen();
    reiterSetzen(AZ);
    zuAdresse(gefunden);
}

// ------------------------------------------------------------------------------------- display

void Tadressenverwaltung::knoepfeSetzen() {
    const bool g = m_bindung && m_bindung->geaendert();
    if (QPushButton* s = knopf("BitBtnSpeichern")) s->setEnabled(g);
    if (QPushButton* r = knopf("BitBtnRueckgaengig")) r->setEnabled(g);
}

void Tadressenverwaltung::angezeigt() {
    if (!m_adr) return;
    const QString hp = m_adr->asString(QStringLiteral("Homepage"));
    const QString zeige = hp.isEmpty() ? standardHomepage() : hp;
    m_homepageZeile->setText(QStringLiteral("<a href=\"x\">%1</a>").arg(zeige.toHtmlEscaped()));
    statusZeigen();
    bemerkungKnopfSetzen();
    knoepfeSetzen();
    if (!m_sperre) {
        m_sperre = true;
        const int z = m_modell->aktuelleZeile();
        if (z >= 0) m_gitter->selectRow(z);
        m_sperre = false;
    }
}

void Tadressenverwaltung::statusZeigen() {
    const QString s = m_adr->asString(QStringLiteral("Status"));
    m_statusGruppe->setExclusive(false);
    for (QAbstractButton* b : m_statusGruppe->buttons())
        b->setChecked(m_statusListe.value(m_statusGruppe->id(b)) == s && !s.isEmpty());
    m_statusGruppe->setExclusive(true);
}

void Tadressenverwaltung::bemerkungKnopfSetzen() {
    const bool mit = m_adr && !m_adr->asString(QStringLiteral("Bemerkung")).isEmpty();
    m_bemerkungKnopf->setText(mit ? beschriftung(9134, "->Bemerkung") : beschriftung(9120, "Bemerkung"));
    m_bemerkungKnopf->setAccessibleName(beschriftung(9120, "Bemerkung"));
}

void Tadressenverwaltung::bemerkungZeigen(bool an) {
    if (!m_bemerkung) return;
    if (an) {
        m_bemerkung->setGeometry(m_bemerkung->parentWidget()->rect().adjusted(4, 4, -4, -4));
        m_bemerkung->raise();
        m_bemerkung->show();
        m_memo->setFocus();
    } else if (m_bemerkung->isVisible()) {
        m_bemerkung->hide();
    }
    bemerkungKnopfSetzen();
}

Adresse Tadressenverwaltung::aktuelleAdresse() const {
    return m_adr->hasRecord() ? adresseLesen(hauptfenster().db(), m_adr->asInt(QStringLiteral("LaufendeNr")))
                              : Adresse{};
}

// ------------------------------------------------------------------------------------- web, mail, prints

void Tadressenverwaltung::mailSchreiben() {
    oeffnen_(mailtoText(m_adr->asString(QStringLiteral("email"))));
}

void Tadressenverwaltung::homepageOeffnen() {
    const QString hp = m_adr->asString(QStringLiteral("Homepage"));
    QString ziel = hp.isEmpty() ? standardHomepage() : hp.trimmed();
    if (!ziel.contains(QStringLiteral("://"))) ziel.prepend(QStringLiteral("http://"));
    oeffnen_(QString::fromLatin1(QUrl::fromUserInput(ziel).toEncoded()));
}

void Tadressenverwaltung::listeDrucken() {
    if (!speichern()) return;
    m_suche->setMehrfachauswahl(false);
    if (!m_suche->waehlen()) return;
    druckVorschau(m_suche->treffer(), true);
}

void Tadressenverwaltung::adresseDrucken() {
    if (!speichern() || !m_adr->hasRecord()) return;
    druckVorschau({aktuelleAdresse()}, false);
}

void Tadressenverwaltung::gruppenMail() {
    if (!speichern()) return;
    m_suche->setMehrfachauswahl(true);
    const bool ok = m_suche->waehlen();
    const QList<Adresse> markiert = ok ? m_suche->markierte() : QList<Adresse>();
    m_suche->setMehrfachauswahl(false);
    if (!ok) return;
    if (markiert.isEmpty()) {
        Meldungsdienst::nachricht(161, MeldungsArt::Information);
        return;
    }
    QString vorname, name;
    try {
        store::Table eigen(hauptfenster().db(), QStringLiteral("eigen"));
        eigen.open(store::Table::OpenMode::ReadOnly);
        eigen.first();
        if (eigen.hasRecord()) {
            vorname = eigen.asString(QStringLiteral("Vorname"));
            name = eigen.asString(QStringLiteral("Name"));
        }
    } catch (const std::exception&) {
        // without the user's own data the mail is signed with nothing
    }
    const Gruppenmail g =
        office::gruppenMail(markiert, meldungsText(2705, "Mit freundlichen Grüßen"), vorname, name);
    for (const QString& ohne : g.ohneEmail)
        Meldungsdienst::zeigen(MeldungsArt::Information, 0,
                               meldungsText(2706, "Keine eMail hinterlegt bei: ") + ohne);
    if (!g.text.isEmpty()) oeffnen_(g.text);
}

void Tadressenverwaltung::vcardExport() {
    if (!speichern()) return;
    // One address from the form, the hits of a search otherwise.
    QList<Adresse> liste;
    if (Meldungsdienst::zeigen(MeldungsArt::Information, 0,
                               meldungsText(2707, "Nur die angezeigte Adresse exportieren?"),
                               Knoepfe::JaNein) == Antwort::Ja) {
        if (!m_adr->hasRecord()) return;
        liste << aktuelleAdresse();
    } else {
        m_suche->setMehrfachauswahl(false);
        if (!m_suche->waehlen()) return;
        liste = m_suche->treffer();
    }
    if (liste.isEmpty()) return;
    const QString datei = vcardDatei(true);
    if (datei.isEmpty()) return;
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly) || f.write(vcardsSchreiben(liste)) < 0 || !f.commit())
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, datei + QStringLiteral(": ") + f.errorString());
}

void Tadressenverwaltung::vcardImport() {
    if (!speichern()) return;
    const QString datei = vcardDatei(false);
    if (datei.isEmpty()) return;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, datei + QStringLiteral(": ") + f.errorString());
        return;
    }
    const VcardGelesen g = vcardsLesen(f.readAll());
    int neu = 0, fehlerhaft = g.fehlerhaft;
    for (const Adresse& a : g.karten) {
        // Each card by name; a name pair the book knows asks through the duplicate question.
        Meldung frage;
        frage.art = MeldungsArt::Information;
        frage.knoepfe = Knoepfe::JaNein;
        frage.text = meldungsText(2708, "Adresse übernehmen?") + QLatin1Char(' ') + a.anzeige();
        if (Meldungsdienst::zeigen(frage) != Antwort::Ja) continue;
        if (gleichnamigeAdresse(*m_zweit, a.name, a.vorname) != 0) {
            Meldung m;
            m.art = MeldungsArt::Information;
            m.titel = meldungsText(2702, "Name gefunden");
            m.text = meldungsText(2701, "Eintrag mit gleichem Namen gefunden !");
            m.knoepfe = Knoepfe::JaNein;
            m.knopfTexte = {meldungsText(2703, "Neuaufnehmen"), meldungsText(2704, "Abbrechen")};
            if (Meldungsdienst::zeigen(m) != Antwort::Ja) continue;
        }
        try {
            store::Table ziel(hauptfenster().db(), QStringLiteral("adr_dat"));
            ziel.open();
            adresseAnlegen(ziel, hauptfenster().db(), a);
            ziel.close();
            ++neu;
        } catch (const store::DatabaseError&) {
            ++fehlerhaft;
        }
    }
    m_modell->neuLaden();
    m_bindung->neuLaden();
    Meldungsdienst::zeigen(
        MeldungsArt::Information, 0,
        meldungsText(2709, "Übernommene Adressen: %1, fehlerhafte Karten: %2").arg(neu).arg(fehlerhaft));
}

void Tadressenverwaltung::schliessen() {
    if (!m_adr || m_geschlossen) return;
    m_geschlossen = true;
    if (m_bindung->geaendert()) {
        try {
            m_adr->post();
        } catch (const std::exception& e) {
            if (m_adr->state() != store::Table::State::Browse) m_adr->cancel();
            if (!dynamic_cast<const store::Abbruch*>(&e)) fehlerDialog().HandleException(e, kTabelle);
        }
    }
    m_adr->beforePost = nullptr;
    m_adr->afterPost = nullptr;
    m_bindung.reset();
    for (auto* t : {m_adr.get(), m_leser.get(), m_zweit.get(), m_rasse.get()})
        if (t && t->isOpen()) t->close();
}

} // namespace velmora::office
