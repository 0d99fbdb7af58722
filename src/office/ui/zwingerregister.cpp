#include "office/ui/zwingerregister.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "common/ui/rahmen.h"
#include "common/ui/tabellenmodell.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "office/adressen.h"
#include "office/ui/zugaenglich.h"
#include "office/vcard.h"
#include "store/errors.h"
#include "store/ui/dberror.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora::office {

// texte: feldname 9290-9295

namespace {

QString beschriftung(int nummer, const char* vorgabe) {
    const QString t = language::feldName(nummer);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

struct Feld {
    const char* name;
    const char* text;
    int tag;
};
const Feld kFelder[] = {{"Zwinger", "Zwinger", 9272}, {"Rasse", "Rasse", 9273},
                        {"Züchter", "Züchter", 9274}, {"Strasse", "Straße", 9275},
                        {"PLZ", "PLZ", 9276},         {"Ort", "Ort", 9277},
                        {"Land", "Land", 9278},       {"Zuchtfarbe", "Zuchtfarbe", 9279},
                        {"Verein", "Verein", 9280},   {"Telefon", "Telefon", 9281},
                        {"Telefax", "Telefax", 9282}, {"EMail", "E-Mail", 9283},
                        {"Handy", "Handy", 9284},     {"Homepage", "Homepage", 9285}};

} // namespace

// ------------------------------------------------------------------------------------- search dialog

class ZwingerModell : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    QList<Zwinger> treffer;
    void setzen(QList<Zwinger> t) {
        beginResetModel();
        treffer = std::move(t);
        endResetModel();
    }
    int rowCount(const QModelIndex& = {}) const override { return int(treffer.size()); }
    int columnCount(const QModelIndex& = {}) const override { return 9; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole) return {};
        const Zwinger& z = treffer.at(i.row());
        const QString w[] = {z.zwinger, z.rasse, z.zuechter, z.strasse,   z.plz,
                             z.ort,     z.land,  z.verein,   z.zuchtfarbe};
        return w[i.column()];
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static const Feld spalten[] = {{"", "Zwinger", 9272}, {"", "Rasse", 9273},  {"", "Züchter", 9274},
                                       {"", "Straße", 9275},  {"", "PLZ", 9276},    {"", "Ort", 9277},
                                       {"", "Land", 9278},    {"", "Verein", 9280}, {"", "Zuchtfarbe", 9279}};
        return beschriftung(spalten[s].tag, spalten[s].text);
    }
};

TZwinSuchDlg::TZwinSuchDlg(store::Database& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("ZwinSuchDlg"));
    language::setTag(this, 9286);
    setWindowTitle(QStringLiteral("Suche im Zwingerregister"));
    auto* haupt = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    auto* form = new QFormLayout;
    const Feld kriterien[] = {{"EditZwinger", "Zwinger", 9272},
                              {"EditZuechter", "Züchter", 9274},
                              {"EditPlz", "PLZ", 9276},
                              {"EditOrt", "Ort", 9277},
                              {"EditRasse", "Rasse", 9273}};
    for (const Feld& f : kriterien) {
        auto* e = new QLineEdit;
        e->setObjectName(QLatin1String(f.name));
        auto* l = new QLabel(QString::fromUtf8(f.text));
        language::setTag(l, f.tag);
        form->addRow(l, e);
        m_felder << e;
    }
    links->addLayout(form);
    auto* box = new QGroupBox(QStringLiteral("Katzenauswahl"));
    box->setObjectName(QStringLiteral("GroupBoxKatzenauswahl"));
    language::setTag(box, 9287);
    auto* bl = new QVBoxLayout(box);
    m_arten = new QButtonGroup(this);
    m_arten->setObjectName(QStringLiteral("RadioGroupArt"));
    const Feld arten[] = {{"RadioAlle", "alle", 9288},
                          {"RadioDeckkater", "Deckkater", 9290},
                          {"RadioZuchtkatze", "Zuchtkatze", 9291},
                          {"RadioJungtiere", "Jungtiere", 9292}};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(arten[i].text));
        r->setObjectName(QLatin1String(arten[i].name));
        language::setTag(r, arten[i].tag);
        m_arten->addButton(r, i);
        bl->addWidget(r);
    }
    m_arten->button(0)->setChecked(true);
    links->addWidget(box);
    auto* reihe = new QHBoxLayout;
    auto knopf = [&](const char* name, const char* text, int tag) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        language::setTag(b, tag);
        reihe->addWidget(b);
        return b;
    };
    m_suchen = knopf("BitBtnSuchen", "&Suchen", 9211);
    m_suchen->setDefault(true);
    m_ok = knopf("BitBtnOK", "&OK", 9212);
    m_abbruch = knopf("BitBtnAbbruch", "&Abbruch", 9213);
    QPushButton* h = knopf("BitBtnHilfe", "&Hilfe", 9214);
    links->addLayout(reihe);
    links->addStretch(1);
    haupt->addLayout(links);
    m_modell = new ZwingerModell(this);
    m_gitter = new QTableView;
    m_gitter->setObjectName(QStringLiteral("DBGridErgebnis"));
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->setMinimumWidth(600);
    m_gitter->hide();
    haupt->addWidget(m_gitter, 1);
    connect(m_suchen, &QPushButton::clicked, this, &TZwinSuchDlg::suchen);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (m_gitter->isVisible() && m_gitter->currentIndex().isValid())
            m_ergebnis = m_modell->treffer.at(m_gitter->currentIndex().row()).nummer;
        m_gitter->hide();
        accept();
    });
    connect(m_abbruch, &QPushButton::clicked, this, [this] {
        m_gitter->hide();
        reject();
    });
    connect(h, &QPushButton::clicked, this, [this] {
        if (hilfe) hilfe();
    });
    connect(m_gitter, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        const Zwinger& z = m_modell->treffer.at(i.row());
        zeigen(z);
        m_ergebnis = z.nummer;
        m_gitter->hide();
    });
}

QLineEdit* TZwinSuchDlg::feld(const char* name) const {
    for (QLineEdit* e : m_felder)
        if (e->objectName() == QLatin1String(name)) return e;
    return nullptr;
}

bool TZwinSuchDlg::waehlen(bool privat) {
    m_privat = privat;
    if (language::TSprache* s = language::aktuelleSprache())
        language::FensterObjektUebersetzen(*s, this, s->offset());
    zugaenglichBenennen(this);
    for (QLineEdit* e : m_felder)
        e->clear(); // the kind of cats stays as it was
    m_ergebnis = 0;
    m_modell->setzen({});
    m_gitter->hide();
    m_felder.first()->setFocus();
    return exec() == QDialog::Accepted && m_ergebnis > 0;
}

void TZwinSuchDlg::zeigen(const Zwinger& z) {
    const QString w[] = {z.zwinger, z.zuechter, z.plz, z.ort, z.rasse};
    for (int i = 0; i < m_felder.size(); ++i)
        m_felder[i]->setText(w[i]);
}

void TZwinSuchDlg::suchen() {
    if (m_gitter->isVisible()) {
        m_gitter->hide();
        return;
    }
    ZwingerKriterien k;
    k.zwinger = m_felder[0]->text();
    k.zuechter = m_felder[1]->text();
    k.plz = m_felder[2]->text();
    k.ort = m_felder[3]->text();
    k.rasse = m_felder[4]->text();
    k.art = m_arten->checkedId();
    QList<Zwinger> t;
    try {
        t = zwingerSuchen(m_db, m_privat, k);
    } catch (const std::exception& e) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, QString::fromUtf8(e.what()));
        return;
    }
    m_modell->setzen(t);
    m_ergebnis = 0;
    if (t.isEmpty()) {
        Meldungsdienst::nachricht(79, MeldungsArt::Warnung);
    } else if (t.size() == 1) {
        zeigen(t.first());
        m_ergebnis = t.first().nummer;
    } else {
        m_gitter->show();
        m_gitter->setCurrentIndex(m_modell->index(0, 0));
        m_ergebnis = t.first().nummer;
    }
}

// ------------------------------------------------------------------------------------- the window

void zwingerRegistrieren() {
    const QString menue = QStringLiteral("MenueVerwaltung");
    fensterartRegistrieren({QStringLiteral("FormZwingerregister"), menue, 106,
                            QStringLiteral("&Zwingerregister"), [](TRahmen& h) {
                                const bool wartung =
                                    QCoreApplication::arguments().contains(QStringLiteral("Dateneingabe"));
                                return new TFormZwingerregister(h, false, wartung);
                            }});
    fensterartRegistrieren({QStringLiteral("FormZwingerregisterPrivat"), menue, 107,
                            QStringLiteral("Z&wingerregister Privat"),
                            [](TRahmen& h) { return new TFormZwingerregister(h, true, true); }});
}

TFormZwingerregister::TFormZwingerregister(TRahmen& h, bool privat, bool bearbeitbar)
    : TKindFenster(
          h, privat ? QStringLiteral("FormZwingerregisterPrivat") : QStringLiteral("FormZwingerregister"),
          privat ? 9271 : 9270),
      m_privat(privat), m_bearbeitbar(bearbeitbar || privat), m_tabellen(zwingertabellen(privat)) {
    setWindowTitle(privat ? QStringLiteral("Zwingerregister Privat") : QStringLiteral("Zwingerregister"));
    oeffnen_ = [](const QString& url) { QDesktopServices::openUrl(QUrl::fromEncoded(url.toUtf8())); };
    bilddatei = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("Bitmap (*.bmp)"));
    };
}

TFormZwingerregister::~TFormZwingerregister() {
    if (!m_geschlossen) TFormZwingerregister::schliessen();
}

bool TFormZwingerregister::oeffnen() {
    store::Database& db = hauptfenster().db();
    const auto modus = m_bearbeitbar ? store::Table::OpenMode::Shared : store::Table::OpenMode::ReadOnly;
    for (const QString& t : {m_tabellen.katzen, m_tabellen.zwinger}) {
        try {
            if (m_privat) privateTabelleAnlegen(db, t);
        } catch (const std::exception& e) {
            fehlerDialog().HandleException(e, t);
            return false;
        }
    }
    try {
        m_kt = std::make_unique<store::Table>(db, m_tabellen.katzen);
        m_kt->open(modus);
        m_ktLeser = std::make_unique<store::Table>(db, m_tabellen.katzen);
        m_ktLeser->open(store::Table::OpenMode::ReadOnly);
        m_zw = std::make_unique<store::Table>(db, m_tabellen.zwinger);
        m_zw->addCalculatedField({QStringLiteral("Zuchttiere"), store::FieldType::Text, 4, false});
        m_zw->addCalculatedField({QStringLiteral("Bild"), store::FieldType::Text, 4, false});
        m_zw->open(modus);
        m_zw->setIndexName(QStringLiteral("ZwingerRasse"));
    } catch (const std::exception& e) {
        // An existing table that cannot be opened stays as it is.
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                               language::meldung(11, QStringLiteral("Fehler beim Öffnen der Tabelle")) +
                                   QLatin1Char(' ') + m_tabellen.zwinger);
        return false;
    }
    // The public window speaks the user's language, the private one keeps the German words.
    const bool englisch = !m_privat && hauptfenster().einstellungen().spracheNummer() == 1;
    const QString ja = englisch ? QStringLiteral("yes") : QStringLiteral("ja");
    const QString nein = englisch ? QStringLiteral("no") : QStringLiteral("nein");
    m_zw->onCalcFields = [this, ja, nein](store::Table& t) {
        const int nr = t.asInt(QStringLiteral("LaufendeNummer"));
        store::Query q(
            hauptfenster().db(),
            QStringLiteral("SELECT COUNT(*), SUM(i.Bild IS NOT NULL AND length(i.Bild) > 0) FROM %1 AS i "
                           "WHERE i.Zwinger = ?")
                .arg(m_tabellen.katzen),
            {nr});
        const bool next = q.next();
        t.setValue(QStringLiteral("Zuchttiere"), next && q.value(0).toInt() > 0 ? ja : nein);
        t.setValue(QStringLiteral("Bild"), next && q.value(1).toInt() > 0 ? ja : nein);
    };
    m_zw->beforePost = [this](store::Table& t) {
        if (!hauptfenster().einstellungen().speichern && !Meldungsdienst::ja(29)) {
            t.cancel();
            throw store::Abbruch();
        }
    };
    m_zw->afterPost = [](store::Table& t) { t.flush(); };
    m_kt->beforePost = [this](store::Table& t) {
        if (t.state() == store::Table::State::Insert) t.setValue(QStringLiteral("KatzeArt"), m_art);
        if (t.asString(QStringLiteral("Name")).trimmed().isEmpty() ||
            (!hauptfenster().einstellungen().speichern && !Meldungsdienst::ja(29))) {
            t.cancel();
            throw store::Abbruch();
        }
    };
    m_kt->afterPost = [](store::Table& t) { t.flush(); };
    store::ui::TDBError* fehler = &fehlerDialog();
    const QString name = m_tabellen.zwinger;
    auto melden = [fehler, name](const std::exception& e) {
        if (dynamic_cast<const store::Abbruch*>(&e)) return;
        fehler->HandleException(e, name);
    };
    m_bindung = std::make_unique<FeldBindung>(*m_zw);
    m_bindung->fehlerAnzeige = melden;
    m_bindung->setNurLesen(!m_bearbeitbar);
    m_katzenBindung = std::make_unique<FeldBindung>(*m_kt);
    m_katzenBindung->fehlerAnzeige = melden;
    m_katzenBindung->setNurLesen(!m_bearbeitbar);
    m_suche = std::make_unique<TZwinSuchDlg>(db, this);
    m_suche->hilfe = [this] { hauptfenster().hilfeZeigen(20); };
    aufbauen();
    connect(m_bindung.get(), &FeldBindung::datensatzGeladen, this, [this] {
        markenSetzen();
        knoepfeSetzen();
        const QString hp = m_zw->asString(QStringLiteral("Homepage"));
        m_homepageZeile->setText(QStringLiteral("<a href=\"x\">%1</a>")
                                     .arg(hp.isEmpty() ? QStringLiteral(" ") : hp.toHtmlEscaped()));
    });
    connect(m_bindung.get(), &FeldBindung::geaendertGewechselt, this, [this] { knoepfeSetzen(); });
    connect(m_katzenBindung.get(), &FeldBindung::datensatzGeladen, this, [this] {
        QPixmap p;
        const QByteArray b =
            m_kt->hasRecord() ? m_kt->value(QStringLiteral("Bild")).toByteArray() : QByteArray();
        if (!b.isEmpty() && p.loadFromData(b))
            m_bild->setPixmap(p.scaled(m_bild->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        else
            m_bild->clear();
    });
    m_zw->first();
    m_bindung->neuLaden();
    zugaenglichBenennen(this);
    return true;
}

void TFormZwingerregister::aufbauen() {
    auto* haupt = new QHBoxLayout(this);
    auto* seiten = new QTabWidget;
    seiten->setObjectName(QStringLiteral("PageControl"));
    language::setTag(seiten, 9101);
    haupt->addWidget(seiten, 1);
    auto* felder = new QWidget;
    felder->setObjectName(QStringLiteral("TabSheetFelder"));
    auto* fl = new QVBoxLayout(felder);
    auto* form = new QFormLayout;
    fl->addLayout(form);
    for (const Feld& f : kFelder) {
        auto* e = new DbEdit(*m_bindung, QString::fromUtf8(f.name));
        e->setObjectName(QStringLiteral("DB") + QString::fromUtf8(f.name));
        e->setReadOnly(!m_bearbeitbar);
        auto* l = new QLabel(QString::fromUtf8(f.text));
        language::setTag(l, f.tag);
        if (QLatin1String(f.name) == QLatin1String("EMail")) {
            auto* zeile = new QHBoxLayout;
            zeile->addWidget(e, 1);
            auto* mail = new QPushButton(QStringLiteral("E-Mail schreiben"));
            mail->setObjectName(QStringLiteral("BitBtnEMail"));
            language::setTag(mail, 9114);
            connect(mail, &QPushButton::clicked, this,
                    [this] { oeffnen_(mailtoText(m_zw->asString(QStringLiteral("EMail")))); });
            zeile->addWidget(mail);
            form->addRow(l, zeile);
        } else {
            form->addRow(l, e);
        }
    }
    m_homepageZeile = new QLabel;
    m_homepageZeile->setObjectName(QStringLiteral("LabelHomepage"));
    m_homepageZeile->setAccessibleName(QStringLiteral("Homepage"));
    connect(m_homepageZeile, &QLabel::linkActivated, this, [this] {
        QString hp = m_zw->asString(QStringLiteral("Homepage")).trimmed();
        if (hp.isEmpty()) return;
        if (!hp.contains(QStringLiteral("://"))) hp.prepend(QStringLiteral("http://"));
        oeffnen_(QString::fromLatin1(QUrl::fromUserInput(hp).toEncoded()));
    });
    form->addRow(QString(), m_homepageZeile);
    auto* nav = new Navigator(*m_bindung, nullptr, true);
    nav->setObjectName(QStringLiteral("DBNavigator"));
    connect(nav, &Navigator::bewegt, this, [this] { panelSchliessen(); });
    fl->addWidget(nav);
    auto* katzenReihe = new QHBoxLayout;
    const Feld kat[] = {{"BitBtnDeckkater", "&Deckkater", 9293},
                        {"BitBtnZuchtkatze", "Z&uchtkatze", 9294},
                        {"BitBtnJungtiere", "&Jungtiere", 9295}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(kat[i].text));
        b->setObjectName(QLatin1String(kat[i].name));
        language::setTag(b, kat[i].tag);
        connect(b, &QPushButton::clicked, this, [this, i] { katzenZeigen(i + 1); });
        katzenReihe->addWidget(b);
        m_katzenKnoepfe[i] = b;
        m_marken[i] = new QLabel(QStringLiteral("\U0001F4F7"));
        m_marken[i]->setObjectName(QStringLiteral("ImageBild%1").arg(i + 1));
        m_marken[i]->setAccessibleName(beschriftung(9296, "Bild vorhanden"));
        katzenReihe->addWidget(m_marken[i]);
    }
    katzenReihe->addStretch(1);
    fl->addLayout(katzenReihe);
    auto* uebern = new QPushButton(QStringLiteral("Zwinger in Adressendatei übernehmen"));
    uebern->setObjectName(QStringLiteral("BitBtnInAdressen"));
    language::setTag(uebern, 9297);
    connect(uebern, &QPushButton::clicked, this, &TFormZwingerregister::inAdressen);
    fl->addWidget(uebern, 0, Qt::AlignLeft);
    fl->addStretch(1);
    seiten->addTab(felder, QStringLiteral("&Felder"));

    // The cats of one kind lie over the form page.
    m_panel = new QFrame(felder);
    m_panel->setObjectName(QStringLiteral("PanelKatzen"));
    m_panel->setFrameShape(QFrame::Box);
    m_panel->setAutoFillBackground(true);
    auto* pl = new QHBoxLayout(m_panel);
    m_katzenModell = new TabellenModell(*m_kt, {{QStringLiteral("Name"), beschriftung(9298, "Name")}}, this);
    m_katzenModell->setBearbeitbar(m_bearbeitbar);
    m_katzenModell->setLeser(m_ktLeser.get());
    m_katzenGitter = new QTableView;
    m_katzenGitter->setObjectName(QStringLiteral("DBGridKatzen"));
    m_katzenGitter->setModel(m_katzenModell);
    m_katzenGitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_katzenGitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_katzenGitter->horizontalHeader()->setStretchLastSection(true);
    connect(m_katzenGitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                if (!i.isValid() || !m_katzenGitter->hasFocus() || i.row() == m_katzenModell->aktuelleZeile())
                    return;
                m_katzenModell->zuZeile(i.row());
                m_katzenBindung->neuLaden();
            });
    pl->addWidget(m_katzenGitter, 1);
    auto* rechts = new QVBoxLayout;
    auto* katzenName = new DbEdit(*m_katzenBindung, QStringLiteral("Name"));
    katzenName->setObjectName(QStringLiteral("DBKatzenName"));
    katzenName->setReadOnly(!m_bearbeitbar);
    katzenName->setAccessibleName(beschriftung(9298, "Name"));
    rechts->addWidget(katzenName);
    auto* memo = new DbMemo(*m_katzenBindung, QStringLiteral("Memo1"));
    memo->setObjectName(QStringLiteral("DBMemo1"));
    memo->setReadOnly(!m_bearbeitbar);
    memo->setAccessibleName(beschriftung(9299, "Beschreibung"));
    rechts->addWidget(memo, 1);
    m_bild = new QLabel;
    m_bild->setObjectName(QStringLiteral("DBBild"));
    m_bild->setFixedSize(200, 150);
    m_bild->setAccessibleName(beschriftung(9296, "Bild"));
    rechts->addWidget(m_bild);
    auto* zu = new QPushButton(QStringLiteral("Z&urück"));
    zu->setObjectName(QStringLiteral("BitBtnKatzenZurueck"));
    language::setTag(zu, 9121);
    connect(zu, &QPushButton::clicked, this, &TFormZwingerregister::panelSchliessen);
    rechts->addWidget(zu, 0, Qt::AlignRight);
    pl->addLayout(rechts);
    m_panel->hide();

    m_modell = new TabellenModell(*m_zw, {}, this);
    QList<TabellenModell::Spalte> spalten;
    for (const Feld& f : kFelder)
        spalten << TabellenModell::Spalte{QString::fromUtf8(f.name), beschriftung(f.tag, f.text)};
    spalten << TabellenModell::Spalte{QStringLiteral("Zuchttiere"), beschriftung(9289, "Zuchttiere")};
    spalten << TabellenModell::Spalte{QStringLiteral("Bild"), beschriftung(9296, "Bild")};
    m_modell->setSpalten(spalten);
    m_gitter = new QTableView;
    m_gitter->setObjectName(QStringLiteral("DBGrid"));
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                if (!i.isValid() || !m_gitter->hasFocus() || i.row() == m_modell->aktuelleZeile()) return;
                m_modell->zuZeile(i.row());
                m_bindung->neuLaden();
            });
    auto* tabelle = new QWidget;
    tabelle->setObjectName(QStringLiteral("TabSheetTabelle"));
    (new QVBoxLayout(tabelle))->addWidget(m_gitter);
    seiten->addTab(tabelle, QStringLiteral("&Tabelle"));

    auto* seite = new QVBoxLayout;
    haupt->addLayout(seite);
    auto* sl = new QLabel(QStringLiteral("Sortierung nach"));
    language::setTag(sl, 9138);
    seite->addWidget(sl);
    m_sortierung = new QComboBox;
    m_sortierung->setObjectName(QStringLiteral("ComboBoxSortierung"));
    sl->setBuddy(m_sortierung);
    connect(m_sortierung, &QComboBox::activated, this, &TFormZwingerregister::sortieren);
    seite->addWidget(m_sortierung);
    auto knopf = [&](const char* name, const char* text, int tag) {
        auto* k = new QPushButton(QString::fromUtf8(text));
        k->setObjectName(QLatin1String(name));
        language::setTag(k, tag);
        seite->addWidget(k);
        m_knoepfe << k;
        return k;
    };
    connect(knopf("BitBtnSuche", "&Suche", 9139), &QPushButton::clicked, this, &TFormZwingerregister::suchen);
    connect(knopf("BitBtnHinzufuegen", "H&inzufügen", 9123), &QPushButton::clicked, this,
            &TFormZwingerregister::hinzufuegen);
    connect(knopf("BitBtnRueckgaengig", "R&ückgängig", 9124), &QPushButton::clicked, this,
            &TFormZwingerregister::rueckgaengig);
    connect(knopf("BitBtnLoeschen", "L&öschen", 9125), &QPushButton::clicked, this,
            &TFormZwingerregister::loeschen);
    connect(knopf("BitBtnKatzeNeu", "Katze hinzufügen", 9140), &QPushButton::clicked, this,
            &TFormZwingerregister::katzeNeu);
    connect(knopf("BitBtnBildLaden", "&Bild laden", 9141), &QPushButton::clicked, this,
            &TFormZwingerregister::bildLaden);
    connect(knopf("BitBtnBildLoeschen", "Bil&d löschen", 9142), &QPushButton::clicked, this,
            &TFormZwingerregister::bildLoeschen);
    connect(knopf("BitBtnKatzeLoeschen", "Katze Löschen", 9143), &QPushButton::clicked, this,
            &TFormZwingerregister::katzeLoeschen);
    seite->addStretch(1);
    connect(knopf("BitBtnHilfe", "&Hilfe", 9126), &QPushButton::clicked, this,
            [this] { hauptfenster().hilfeZeigen(m_privat ? 25 : 20); });
    connect(knopf("BitBtnZurueck", "&Zurück", 9127), &QPushButton::clicked, this, &QWidget::close);
    uebersetzt();
}

void TFormZwingerregister::uebersetzt() {
    if (!m_sortierung) return;
    // texte: feldname 9144-9149
    const char* const deutsch[] = {"Zwinger", "Rasse", "Züchter", "Verein", "Ort", "PLZ"};
    const int aktuell = std::max(0, m_sortierung->currentIndex());
    m_sortierung->clear();
    for (int i = 0; i < 6; ++i)
        m_sortierung->addItem(beschriftung(9144 + i, deutsch[i]));
    m_sortierung->setCurrentIndex(aktuell);
    zugaenglichBenennen(this);
}

QPushButton* TFormZwingerregister::knopf(const char* objektName) const {
    for (QPushButton* k : m_knoepfe)
        if (k->objectName() == QLatin1String(objektName)) return k;
    return nullptr;
}

void TFormZwingerregister::knoepfeSetzen() {
    const bool panel = m_panel->isVisible();
    for (const char* n : {"BitBtnHinzufuegen", "BitBtnRueckgaengig", "BitBtnLoeschen"})
        knopf(n)->setVisible(m_bearbeitbar && !panel);
    for (const char* n : {"BitBtnKatzeNeu", "BitBtnBildLaden", "BitBtnBildLoeschen", "BitBtnKatzeLoeschen"})
        knopf(n)->setVisible(m_bearbeitbar && panel);
    knopf("BitBtnRueckgaengig")->setEnabled(m_bindung->geaendert());
}

void TFormZwingerregister::markenSetzen() {
    const int nr = m_zw->hasRecord() ? m_zw->asInt(QStringLiteral("LaufendeNummer")) : 0;
    for (int art = 1; art <= 3; ++art) {
        Katzenmarke m;
        try {
            if (nr > 0) m = katzenMarke(hauptfenster().db(), m_tabellen.katzen, nr, art);
        } catch (const std::exception&) {
        }
        // Editing always reaches every kind; reading only the kinds the kennel has.
        m_katzenKnoepfe[art - 1]->setEnabled(m_bearbeitbar || m.vorhanden);
        m_marken[art - 1]->setVisible(m.mitBild && (m_privat || !m_bearbeitbar));
    }
}

void TFormZwingerregister::katzenZeigen(int art) {
    if (m_bindung->geaendert() && !m_bindung->speichern()) return;
    const int nr = m_zw->hasRecord() ? m_zw->asInt(QStringLiteral("LaufendeNummer")) : 0;
    if (nr <= 0) return;
    m_art = art;
    for (store::Table* t : {m_kt.get(), m_ktLeser.get()}) {
        t->setIndexName(QStringLiteral("ZwingerName"));
        t->setRange({nr, art}, {nr, art});
        t->first();
    }
    m_katzenModell->neuLaden();
    m_katzenBindung->neuLaden();
    m_sortierung->setEnabled(false);
    m_panel->setGeometry(m_panel->parentWidget()->rect().adjusted(4, 4, -4, -4));
    m_panel->raise();
    m_panel->show();
    m_katzenGitter->setFocus();
    knoepfeSetzen();
}

void TFormZwingerregister::panelSchliessen() {
    if (!m_panel->isVisible()) return;
    if (m_katzenBindung->geaendert()) m_katzenBindung->speichern();
    m_panel->hide();
    m_sortierung->setEnabled(true);
    m_modell->neuLaden();
    markenSetzen();
    knoepfeSetzen();
}

void TFormZwingerregister::hinzufuegen() {
    if (!m_bearbeitbar || !m_bindung->anhaengen()) return;
    if (auto* z = findChild<QLineEdit*>(QStringLiteral("DBZwinger"))) z->setFocus();
    knoepfeSetzen();
}

void TFormZwingerregister::rueckgaengig() {
    m_bindung->abbrechen();
    knoepfeSetzen();
}

void TFormZwingerregister::loeschen() {
    if (!m_bearbeitbar || !m_zw->hasRecord() || !Meldungsdienst::ja(28)) return;
    try {
        m_zw->remove(); // the kennel's cats stay in their table
        m_zw->flush();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellen.zwinger);
    }
    m_modell->neuLaden();
    m_bindung->neuLaden();
}

void TFormZwingerregister::katzeNeu() {
    if (!m_bearbeitbar || !m_panel->isVisible()) return;
    if (!m_katzenBindung->anhaengen()) return;
    m_kt->setValue(QStringLiteral("Zwinger"), m_zw->asInt(QStringLiteral("LaufendeNummer")));
    m_kt->setValue(QStringLiteral("KatzeArt"), m_art);
    m_katzenBindung->neuLaden();
    if (auto* name = m_panel->findChild<QLineEdit*>(QStringLiteral("DBKatzenName"))) name->setFocus();
}

void TFormZwingerregister::katzeLoeschen() {
    if (!m_bearbeitbar || !m_kt->hasRecord() || !Meldungsdienst::ja(31)) return;
    try {
        m_kt->remove();
        m_kt->flush();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellen.katzen);
    }
    m_katzenModell->neuLaden();
    m_katzenBindung->neuLaden();
}

void TFormZwingerregister::bildLaden() {
    if (!m_bearbeitbar || !m_kt->hasRecord()) return;
    const QString datei = bilddatei();
    if (datei.isEmpty()) return;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return;
    try {
        if (m_kt->state() == store::Table::State::Browse) m_kt->edit();
        m_kt->setValue(QStringLiteral("Bild"), f.readAll());
        m_katzenBindung->speichern();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellen.katzen);
    }
    m_katzenBindung->neuLaden();
}

void TFormZwingerregister::bildLoeschen() {
    if (!m_bearbeitbar || !m_kt->hasRecord()) return;
    try {
        if (m_kt->state() == store::Table::State::Browse) m_kt->edit();
        m_kt->clearValue(QStringLiteral("Bild"));
        m_katzenBindung->speichern();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellen.katzen);
    }
    m_katzenBindung->neuLaden();
}

void TFormZwingerregister::sortieren(int i) {
    if (m_bindung->geaendert() && !m_bindung->speichern()) return;
    const qint64 id = m_zw->recordId();
    try {
        sortierungWaehlen(*m_zw, i);
        m_zw->gotoRecordId(id);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellen.zwinger);
    }
    m_modell->neuLaden();
    m_bindung->neuLaden();
}

void TFormZwingerregister::suchen() {
    if (m_bindung->geaendert() && !m_bindung->speichern()) return;
    if (!m_suche->waehlen(m_privat)) return;
    m_zw->gotoRecordId(m_suche->ergebnis());
    m_bindung->neuLaden();
}

void TFormZwingerregister::inAdressen() {
    if (!m_zw->hasRecord() || m_zw->asString(QStringLiteral("Züchter")).trimmed().isEmpty()) return;
    const Zwinger z =
        zwingerLesen(hauptfenster().db(), m_privat, m_zw->asInt(QStringLiteral("LaufendeNummer")));
    const Adresse a = adresseAusZwinger(z);
    try {
        store::Table adr(hauptfenster().db(), QStringLiteral("adr_dat"));
        adr.open();
        if (gleichnamigeAdresse(adr, a.name, a.vorname) != 0 &&
            !Meldungsdienst::ja(173, MeldungsArt::Information))
            return;
        adresseAnlegen(adr, hauptfenster().db(), a);
        adr.flush();
        adr.close();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("adr_dat.db"));
        return;
    }
    Meldungsdienst::nachricht(172, MeldungsArt::Information);
}

void TFormZwingerregister::schliessen() {
    if (!m_zw || m_geschlossen) return;
    m_geschlossen = true;
    for (FeldBindung* b : {m_katzenBindung.get(), m_bindung.get()})
        if (b && b->geaendert()) b->speichern();
    m_zw->beforePost = nullptr;
    m_kt->beforePost = nullptr;
    m_zw->onCalcFields = nullptr;
    m_bindung.reset();
    m_katzenBindung.reset();
    for (store::Table* t : {m_kt.get(), m_ktLeser.get(), m_zw.get()})
        if (t->isOpen()) t->close();
}

} // namespace velmora::office
