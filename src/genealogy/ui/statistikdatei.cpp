#include "genealogy/ui/statistikdatei.h"
#include "genealogy/ui/statistikauswahl.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/listenbericht.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/farbe.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace velmora::genealogy {

// texte: feldname 1280 1281 1391 1492 1493 1497 1506 1507 1508 1510 1579-1585 562 563 694
// texte: feldname 8100-8139
// texte: meldung 119 120 176 177 191

namespace {

constexpr char kName[] = "FormStatistikMerkmaleDatei";

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

QString ohneAmpersand(QString t) {
    language::AmpersandEntfernen(t);
    return t;
}

int ersteMeldung(const store::Ablehnung& a) {
    switch (a.grund) {
    case store::Ablehnung::MehrereAnweisungen:
        return 280;
    case store::Ablehnung::Schreibend:
        return 281;
    case store::Ablehnung::Anhaengen:
        return 282;
    case store::Ablehnung::Pragma:
        return 283;
    case store::Ablehnung::Transaktion:
        return 284;
    case store::Ablehnung::Syntax:
        break;
    }
    return 285;
}

} // namespace

// ---------------------------------------------------------------- spread

Verteilung verteilung(const QList<Ergebniszeile>& zeilen) {
    Verteilung v;
    QSet<qint32> gesehen;
    auto klasse = [](QVector<int>& k, double wert) {
        const int i = std::clamp(int(std::floor(wert + 1e-9)), 0, 100);
        if (k.size() <= i) k.resize(i + 1);
        ++k[i];
    };
    for (const Ergebniszeile& z : zeilen) {
        if (!z.mitZahlen || gesehen.contains(z.nr)) continue;
        gesehen.insert(z.nr);
        ++v.katzen;
        klasse(v.ik, z.ikWert);
        klasse(v.avk, z.avkWert);
    }
    return v;
}

// ---------------------------------------------------------------- result model

void ErgebnisModell::setzen(QList<Ergebniszeile> zeilen, int merkmalTitel,
                            std::function<QString(const Ergebniszeile&)> alter) {
    beginResetModel();
    m_zeilen = std::move(zeilen);
    m_merkmalTitel = merkmalTitel;
    m_alter = std::move(alter);
    m_spalten = {Katze, Geschlecht, Geburt, Alter, Tod, Farbe, Vater, Mutter};
    if (merkmalTitel) m_spalten << Merkmal;
    m_spalten << IK << AVK;
    endResetModel();
}

QString ErgebnisModell::titel(Spalte s) const {
    switch (s) {
    case Katze:
        return text(8124, "Katze");
    case Geschlecht:
        return text(8125, "Geschl.");
    case Geburt:
        return text(8126, "Geb.datum");
    case Alter:
        return text(8127, "Alter");
    case Tod:
        return text(8128, "Tod");
    case Farbe:
        return text(8129, "Farbe");
    case Vater:
        return text(8130, "Vater");
    case Mutter:
        return text(8131, "Mutter");
    case Merkmal:
        return m_merkmalTitel == 8133 ? text(8133, "Merkmale") : text(8132, "Merkmal");
    case IK:
        return text(8134, "IK");
    case AVK:
        return text(8135, "AVK");
    }
    return {};
}

QString ErgebnisModell::zelle(int zeile, Spalte s) const {
    const Ergebniszeile& z = m_zeilen.at(zeile);
    switch (s) {
    case Katze:
        return z.name;
    case Geschlecht: {
        static const int tags[] = {1280, 1281, 1579, 1580};
        static const char* vorgaben[] = {"m", "w", "m/k", "w/k"};
        const int g = z.geschlecht.toInt();
        return g >= 1 && g <= 4 ? velmora::genealogy::text(tags[g - 1], vorgaben[g - 1]) : z.geschlecht;
    }
    case Geburt:
        return z.geburt.isValid() ? language::datumsLocale().toString(z.geburt, QStringLiteral("dd.MM.yyyy"))
                                  : QString();
    case Alter:
        return m_alter ? m_alter(z) : QString();
    case Tod:
        return z.tod.isValid() ? QStringLiteral("†") : QString();
    case Farbe:
        return z.fellfarbe;
    case Vater:
        return z.vater;
    case Mutter:
        return z.mutter;
    case Merkmal:
        return z.merkmal;
    case IK:
        return z.ik;
    case AVK:
        return z.avk;
    }
    return {};
}

QVariant ErgebnisModell::data(const QModelIndex& i, int role) const {
    if (!i.isValid() || i.row() >= m_zeilen.size()) return {};
    const Spalte s = m_spalten.at(i.column());
    const Ergebniszeile& z = m_zeilen.at(i.row());
    if (role == Qt::DisplayRole) return zelle(i.row(), s);
    if (role == Qt::TextAlignmentRole && (s == Tod || s == IK || s == AVK))
        return int((s == Tod ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    if (z.farbe && (role == Qt::BackgroundRole || role == Qt::ForegroundRole)) {
        const QColor grund = printing::farbeAusWert(z.farbe);
        return role == Qt::BackgroundRole ? grund : printing::schriftFarbeAuf(grund);
    }
    return {};
}

QVariant ErgebnisModell::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section >= m_spalten.size()) return {};
    return titel(m_spalten.at(section));
}

// ---------------------------------------------------------------- window

TFormStatistikMerkmaleDatei::TFormStatistikMerkmaleDatei(TRahmen& haupt)
    : TKindFenster(haupt, QLatin1String(kName), 8100) {
    setWindowTitle(text(8100, "Statistik der Merkmale aller Tiere"));
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
}

TFormStatistikMerkmaleDatei::~TFormStatistikMerkmaleDatei() = default;

bool TFormStatistikMerkmaleDatei::oeffnen() {
    store::Database& db = hauptfenster().db();
    try {
        m_abbild = std::make_unique<Registerabbild>(db);
        aufbauen();
        merkmaleFuellen(*m_liste, *m_abbild);
        farbenFuellen(*m_farbe, db);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return false;
    }
    knoepfeSetzen();
    return true;
}

void TFormStatistikMerkmaleDatei::schliessen() {
    m_abbruch = true;
}

void TFormStatistikMerkmaleDatei::closeEvent(QCloseEvent* e) {
    // A running evaluation still uses the window: it stops first and the window closes after it.
    if (m_laeuft) {
        m_abbruch = true;
        m_schliessenDanach = true;
        e->ignore();
        return;
    }
    TKindFenster::closeEvent(e);
}

void TFormStatistikMerkmaleDatei::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    haupt->addLayout(oben);
    auto benennen = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        w->setAccessibleName(QLatin1String(name));
    };
    auto knopf = [&](int tag, const char* t, const char* name) {
        auto* b = new QPushButton(text(tag, t), this);
        benennen(b, name);
        language::setTag(b, tag);
        return b;
    };

    // the condition
    auto* merkmalGruppe = new QGroupBox(text(8101, "Merkmale"), this);
    benennen(merkmalGruppe, "GroupBoxMerkmale");
    language::setTag(merkmalGruppe, 8101);
    auto* mg = new QGridLayout(merkmalGruppe);
    m_liste = new QListWidget(merkmalGruppe);
    benennen(m_liste, "ListBoxMerkmale");
    mg->addWidget(m_liste, 0, 0, 6, 1);
    m_und = knopf(8106, "and", "BitBtnUnd");
    m_oder = knopf(8107, "or", "BitBtnOder");
    m_nicht = knopf(8108, "not", "BitBtnNicht");
    m_auf = new QPushButton(QStringLiteral("("), this);
    benennen(m_auf, "BitBtnKlammerAuf");
    m_zu = new QPushButton(QStringLiteral(")"), this);
    benennen(m_zu, "BitBtnKlammerZu");
    int r = 0;
    for (QPushButton* b : {m_und, m_oder, m_nicht, m_auf, m_zu})
        mg->addWidget(b, r++, 1);
    m_einfach = new QRadioButton(text(8102, "einfache Abfrage"), merkmalGruppe);
    benennen(m_einfach, "RadioButtonEinfach");
    language::setTag(m_einfach, 8102);
    m_erweitert = new QRadioButton(text(8103, "erweiterte Abfrage"), merkmalGruppe);
    benennen(m_erweitert, "RadioButtonErweitert");
    language::setTag(m_erweitert, 8103);
    m_einfach->setChecked(true);
    auto* modus = new QButtonGroup(this);
    modus->addButton(m_einfach);
    modus->addButton(m_erweitert);
    mg->addWidget(m_einfach, 0, 2);
    mg->addWidget(m_erweitert, 1, 2);
    m_loeschen = knopf(8104, "Abfrage löschen", "BitBtnAbfrageLoeschen");
    mg->addWidget(m_loeschen, 2, 2);
    m_sqlBearbeiten = knopf(8105, "SQL bearbeiten", "BitBtnSQLBearbeiten");
    mg->addWidget(m_sqlBearbeiten, 3, 2);
    auto* sqlLabel = new QLabel(text(8139, "SQL"), merkmalGruppe);
    benennen(sqlLabel, "LabelSQL");
    language::setTag(sqlLabel, 8139);
    mg->addWidget(sqlLabel, 6, 0, 1, 3);
    m_sql = new QPlainTextEdit(merkmalGruppe);
    benennen(m_sql, "MemoSQL");
    m_sql->setReadOnly(true);
    m_sql->setMaximumHeight(70);
    sqlLabel->setBuddy(m_sql);
    mg->addWidget(m_sql, 7, 0, 1, 3);
    oben->addWidget(merkmalGruppe, 2);

    // the filter
    auto* filterGruppe = new QGroupBox(this);
    benennen(filterGruppe, "GroupBoxFilter");
    auto* fg = new QGridLayout(filterGruppe);
    auto* farbLabel = new QLabel(text(8109, "Farbe"), filterGruppe);
    benennen(farbLabel, "LabelFarbe");
    language::setTag(farbLabel, 8109);
    m_farbe = new QComboBox(filterGruppe);
    benennen(m_farbe, "ComboBoxFarbe");
    m_farbe->addItem(text(1508, "alle Farben"));
    farbLabel->setBuddy(m_farbe);
    fg->addWidget(farbLabel, 0, 0);
    fg->addWidget(m_farbe, 0, 1, 1, 3);
    auto* geschlechtLabel = new QLabel(text(8110, "Geschlecht"), filterGruppe);
    benennen(geschlechtLabel, "LabelGeschlecht");
    language::setTag(geschlechtLabel, 8110);
    fg->addWidget(geschlechtLabel, 1, 0);
    const struct {
        int tag;
        const char *t, *name;
    } geschlechter[] = {{1581, "männlich", "CheckBoxMaennlich"},
                        {1582, "weiblich", "CheckBoxWeiblich"},
                        {1583, "männlich/Kastrat", "CheckBoxMaennlichKastrat"},
                        {1584, "weiblich/Kastrat", "CheckBoxWeiblichKastrat"}};
    for (int i = 0; i < 4; ++i) {
        m_geschlecht[i] = new QCheckBox(text(geschlechter[i].tag, geschlechter[i].t), filterGruppe);
        benennen(m_geschlecht[i], geschlechter[i].name);
        language::setTag(m_geschlecht[i], geschlechter[i].tag);
        m_geschlecht[i]->setChecked(true);
        fg->addWidget(m_geschlecht[i], 1 + i / 2, 1 + i % 2);
    }
    auto* abLabel = new QLabel(text(8111, "Alter ab"), filterGruppe);
    benennen(abLabel, "LabelAlterAb");
    language::setTag(abLabel, 8111);
    auto* bisLabel = new QLabel(text(8112, "bis"), filterGruppe);
    benennen(bisLabel, "LabelAlterBis");
    language::setTag(bisLabel, 8112);
    auto* ziffern = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), this);
    m_ab = new QLineEdit(filterGruppe);
    benennen(m_ab, "EditAlterAb");
    m_bis = new QLineEdit(filterGruppe);
    benennen(m_bis, "EditAlterBis");
    for (QLineEdit* e : {m_ab, m_bis}) {
        e->setValidator(ziffern);
        e->setMaximumWidth(60);
    }
    abLabel->setBuddy(m_ab);
    bisLabel->setBuddy(m_bis);
    m_einheit = new QLabel(filterGruppe);
    benennen(m_einheit, "LabelEinheit");
    fg->addWidget(abLabel, 3, 0);
    fg->addWidget(m_ab, 3, 1);
    fg->addWidget(bisLabel, 3, 2);
    fg->addWidget(m_bis, 3, 3);
    fg->addWidget(m_einheit, 3, 4);
    m_jahre = new QRadioButton(text(8113, "Jahre"), filterGruppe);
    benennen(m_jahre, "RadioButtonJahre");
    language::setTag(m_jahre, 8113);
    m_monate = new QRadioButton(text(8114, "Monate"), filterGruppe);
    benennen(m_monate, "RadioButtonMonate");
    language::setTag(m_monate, 8114);
    m_jahre->setChecked(true);
    auto* einheit = new QButtonGroup(this);
    einheit->addButton(m_jahre);
    einheit->addButton(m_monate);
    fg->addWidget(m_jahre, 4, 1);
    fg->addWidget(m_monate, 4, 2);
    oben->addWidget(filterGruppe, 1);

    // the commands
    auto* befehle = new QVBoxLayout;
    oben->addLayout(befehle);
    m_auswerten = knopf(8115, "&Auswerten", "BitBtnAuswerten");
    m_zuruecksetzen = knopf(8116, "Zu&rücksetzen", "BitBtnZuruecksetzen");
    m_druck = knopf(8117, "&Druck", "BitBtnDruck");
    QPushButton* hilfe = knopf(8118, "&Hilfe", "BitBtnHilfe");
    QPushButton* zurueck = knopf(8119, "&Zurück", "BitBtnZurueck");
    for (QPushButton* b : {m_auswerten, m_zuruecksetzen, m_druck, hilfe, zurueck})
        befehle->addWidget(b);
    befehle->addStretch(1);

    // waiting
    m_warten = new QFrame(this);
    benennen(m_warten, "PanelWarten");
    m_warten->setFrameShape(QFrame::StyledPanel);
    auto* wl = new QHBoxLayout(m_warten);
    auto* wartenText = new QLabel(text(8120, "Bitte warten, Auswertung läuft!"), m_warten);
    benennen(wartenText, "LabelWarten");
    language::setTag(wartenText, 8120);
    m_fortschritt = new QProgressBar(m_warten);
    benennen(m_fortschritt, "ProgressBarAuswertung");
    m_abbrechen = new QPushButton(text(8121, "Abbruch"), m_warten);
    benennen(m_abbrechen, "BitBtnAbbruch");
    language::setTag(m_abbrechen, 8121);
    wl->addWidget(wartenText);
    wl->addWidget(m_fortschritt, 1);
    wl->addWidget(m_abbrechen);
    m_warten->hide();
    haupt->addWidget(m_warten);

    // the result
    m_seiten = new QTabWidget(this);
    benennen(m_seiten, "PageControlErgebnis");
    m_tabelle = new QTableView(m_seiten);
    benennen(m_tabelle, "DBGridErgebnis");
    m_tabelle->setModel(&m_modell);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabelle->verticalHeader()->hide();
    m_tabelle->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_seiten->addTab(m_tabelle, text(8122, "Ergebnis"));
    m_diagramm = new QChartView(m_seiten);
    benennen(m_diagramm, "ChartVerteilung");
    m_diagramm->setRenderHint(QPainter::Antialiasing);
    m_seiten->addTab(m_diagramm, text(8123, "Verteilung"));
    haupt->addWidget(m_seiten, 1);

    // wiring
    connect(m_liste, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (!m_liste->isEnabled()) return;
        m_bau.merkmal(item->text());
        knoepfeSetzen();
    });
    const std::pair<QPushButton*, Operator> ops[] = {{m_und, Operator::Und},
                                                     {m_oder, Operator::Oder},
                                                     {m_nicht, Operator::Nicht},
                                                     {m_auf, Operator::Auf},
                                                     {m_zu, Operator::Zu}};
    for (const auto& [b, o] : ops)
        connect(b, &QPushButton::clicked, this, [this, o] {
            m_bau.op(o);
            knoepfeSetzen();
        });
    connect(m_erweitert, &QRadioButton::toggled, this, [this](bool an) {
        if (!an || m_setzen) return;
        m_bau.erweitert();
        knoepfeSetzen();
    });
    connect(m_einfach, &QRadioButton::toggled, this, [this](bool an) {
        if (!an || m_setzen) return;
        m_bau.einfach();
        knoepfeSetzen();
    });
    connect(m_loeschen, &QPushButton::clicked, this, [this] {
        m_bau.abfrageLoeschen();
        knoepfeSetzen();
    });
    connect(m_sqlBearbeiten, &QPushButton::clicked, this, [this] {
        m_sql->setReadOnly(false);
        m_sql->setFocus();
    });
    connect(m_sql, &QPlainTextEdit::textChanged, this, [this] {
        if (m_setzen || m_sql->isReadOnly()) return;
        m_bau.textSetzen(m_sql->toPlainText());
        knoepfeSetzen();
    });
    auto einheitZeigen = [this] {
        m_einheit->setText(m_monate->isChecked() ? text(8114, "Monate") : text(8113, "Jahre"));
    };
    connect(m_monate, &QRadioButton::toggled, this, einheitZeigen);
    einheitZeigen();
    connect(m_auswerten, &QPushButton::clicked, this, &TFormStatistikMerkmaleDatei::AuswertenClick);
    connect(m_zuruecksetzen, &QPushButton::clicked, this, &TFormStatistikMerkmaleDatei::ZuruecksetzenClick);
    connect(m_druck, &QPushButton::clicked, this, &TFormStatistikMerkmaleDatei::DruckClick);
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(211); });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] {
        if (m_laeuft && Meldungsdienst::ja(176)) m_abbruch = true;
    });
    m_zuruecksetzen->setEnabled(false);
    m_druck->setEnabled(false);
}

void TFormStatistikMerkmaleDatei::uebersetzt() {
    setWindowTitle(text(8100, "Statistik der Merkmale aller Tiere"));
    if (m_farbe && m_farbe->count()) m_farbe->setItemText(0, text(1508, "alle Farben"));
    if (m_einheit) m_einheit->setText(m_monate->isChecked() ? text(8114, "Monate") : text(8113, "Jahre"));
    if (m_seiten) {
        m_seiten->setTabText(0, text(8122, "Ergebnis"));
        m_seiten->setTabText(1, text(8123, "Verteilung"));
    }
    m_modell.headerDataChanged(Qt::Horizontal, 0, std::max(0, m_modell.columnCount() - 1));
    if (!m_modell.zeilen().isEmpty()) verteilungZeigen();
}

void TFormStatistikMerkmaleDatei::knoepfeSetzen() {
    const Bedienstand& s = m_bau.stand();
    m_liste->setEnabled(s.liste);
    m_und->setEnabled(s.und);
    m_oder->setEnabled(s.oder);
    m_nicht->setEnabled(s.nicht);
    m_auf->setEnabled(s.auf);
    m_zu->setEnabled(s.zu);
    m_loeschen->setEnabled(s.abfrageLoeschen);
    m_setzen = true;
    if (m_sql->toPlainText() != m_bau.text()) m_sql->setPlainText(m_bau.text());
    m_einfach->setChecked(!m_bau.istErweitert());
    m_erweitert->setChecked(m_bau.istErweitert());
    m_setzen = false;
}

void TFormStatistikMerkmaleDatei::abfrageSperren(bool gesperrt) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_einfach, m_erweitert, m_sqlBearbeiten, m_farbe, m_ab,
                                                      m_bis, m_jahre, m_monate, m_auswerten})
        w->setEnabled(!gesperrt);
    for (QCheckBox* c : m_geschlecht)
        c->setEnabled(!gesperrt);
    if (gesperrt) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{m_liste, m_und, m_oder, m_nicht, m_auf, m_zu, m_loeschen})
            w->setEnabled(false);
        m_sql->setReadOnly(true);
    } else {
        knoepfeSetzen();
    }
}

Filter TFormStatistikMerkmaleDatei::filter() const {
    Filter f;
    if (m_farbe->currentIndex() > 0) f.farbe = m_farbe->currentText();
    for (int i = 0; i < 4; ++i)
        f.geschlecht[i] = m_geschlecht[i]->isChecked();
    f.alterAb = m_ab->text();
    f.alterBis = m_bis->text();
    f.monate = m_monate->isChecked();
    return f;
}

void TFormStatistikMerkmaleDatei::AuswertenClick() {
    if (m_laeuft) return;
    const Filter f = filter();
    if (!f.geschlecht[0] && !f.geschlecht[1] && !f.geschlecht[2] && !f.geschlecht[3]) {
        Meldungsdienst::nachricht(191, MeldungsArt::Information);
        return;
    }
    // a text still being edited counts as it stands
    if (!m_sql->isReadOnly()) m_bau.textSetzen(m_sql->toPlainText());
    const bool erweitert = m_bau.istErweitert();
    const QString bedingung = m_bau.text();
    abfrageSperren(true);
    m_zuruecksetzen->setEnabled(false);
    m_druck->setEnabled(false);
    m_warten->show();
    m_fortschritt->setRange(0, 0);
    m_laeuft = true;
    m_abbruch = false;
    QPointer<TFormStatistikMerkmaleDatei> selbst(this);
    int generationen = hauptfenster().einstellungen().InzuchtStdgenerationen;
    if (generationen < 3) generationen = 5;
    m_abbild->vergessen();
    const Auswertung e = auswerten(
        hauptfenster().db(), *m_abbild, erweitert, bedingung, f, generationen, QLocale(),
        [](int n) { return language::meldung(n); },
        [this](int fertig, int gesamt) {
            if (gesamt > 0) {
                m_fortschritt->setRange(0, gesamt);
                m_fortschritt->setValue(fertig);
            }
            QApplication::processEvents();
            if (beiFortschritt) beiFortschritt();
            return !m_abbruch;
        });
    m_laeuft = false;
    m_warten->hide();
    if (m_schliessenDanach) {
        QMetaObject::invokeMethod(
            this,
            [selbst] {
                if (!selbst) return;
                if (selbst->parentWidget())
                    selbst->parentWidget()->close();
                else
                    selbst->close();
            },
            Qt::QueuedConnection);
        return;
    }
    switch (e.ausgang) {
    case Auswertung::ok:
        break;
    case Auswertung::keineTreffer:
        abfrageSperren(false);
        Meldungsdienst::nachricht(119, MeldungsArt::Information);
        return;
    case Auswertung::abgebrochen:
        abfrageSperren(false);
        Meldungsdienst::nachricht(177, MeldungsArt::Information);
        return;
    case Auswertung::abgelehnt:
        abfrageSperren(false);
        Meldungsdienst::zeigen(MeldungsArt::Fehler, ersteMeldung(e.ablehnung),
                               ablehnungsText(e.ablehnung, [](int n) { return language::meldung(n); }));
        return;
    case Auswertung::fehler:
        abfrageSperren(false);
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 120,
                               language::meldung(120) + QLatin1Char('\n') + e.fehlertext);
        return;
    }
    m_ergebnisErweitert = erweitert;
    m_ergebnisText = bedingung;
    const int merkmalTitel = erweitert ? 8133 : (bedingung.trimmed().isEmpty() ? 0 : 8132);
    common::TDatenGlobal* dg = hauptfenster().datenGlobal();
    const QDate heute = QDate::currentDate();
    m_modell.setzen(e.zeilen, merkmalTitel, [dg, heute](const Ergebniszeile& z) -> QString {
        if (!z.geburt.isValid()) return {};
        if (dg) return dg->alterBerechnen(z.geburt, heute, z.tod, 0);
        return common::TDatenGlobal::alterBerechnen(z.geburt, heute, z.tod, 0, text(1485, "Jahre"),
                                                    text(1486, "Monate"), text(1487, "Tage"),
                                                    text(1488, "Wochen"));
    });
    m_tabelle->resizeColumnsToContents();
    m_verteilung = verteilung(e.zeilen);
    verteilungZeigen();
    m_zuruecksetzen->setEnabled(true);
    m_druck->setEnabled(true);
}

void TFormStatistikMerkmaleDatei::verteilungZeigen() {
    auto* chart = new QChart;
    chart->setObjectName(QStringLiteral("ChartVerteilungInhalt"));
    auto* reihe = new QBarSeries(chart);
    auto* ik = new QBarSet(text(8136, "Inzuchtkoeffizient in %"));
    auto* avk = new QBarSet(text(8137, "Ahnenverlust in %"));
    const int klassen = int(std::max(m_verteilung.ik.size(), m_verteilung.avk.size()));
    QStringList kategorien;
    int hoechste = 0;
    for (int k = 0; k < klassen; ++k) {
        const int a = m_verteilung.ik.value(k), b = m_verteilung.avk.value(k);
        *ik << a;
        *avk << b;
        hoechste = std::max({hoechste, a, b});
        kategorien << QString::number(k);
    }
    reihe->append(ik);
    reihe->append(avk);
    chart->addSeries(reihe);
    auto* x = new QBarCategoryAxis(chart);
    x->append(kategorien);
    x->setTitleText(QStringLiteral("%"));
    chart->addAxis(x, Qt::AlignBottom);
    reihe->attachAxis(x);
    auto* y = new QValueAxis(chart);
    y->setRange(0, std::max(1, hoechste));
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(text(8138, "Katzen"));
    chart->addAxis(y, Qt::AlignLeft);
    reihe->attachAxis(y);
    chart->setTitle(ohneAmpersand(text(8123, "Verteilung")) + QStringLiteral(" (") +
                    QString::number(m_verteilung.katzen) + QLatin1Char(' ') + text(8138, "Katzen") +
                    QLatin1Char(')'));
    QChart* alt = m_diagramm->chart();
    m_diagramm->setChart(chart);
    delete alt;
}

void TFormStatistikMerkmaleDatei::ZuruecksetzenClick() {
    if (m_laeuft) return;
    m_farbe->setCurrentIndex(0);
    m_setzen = true;
    m_einfach->setChecked(true);
    m_setzen = false;
    m_bau.einfach();
    m_jahre->setChecked(true);
    for (QCheckBox* c : m_geschlecht)
        c->setChecked(true);
    m_ab->clear();
    m_bis->clear();
    m_modell.setzen({}, 0, {});
    m_verteilung = Verteilung{};
    verteilungZeigen();
    abfrageSperren(false);
    m_zuruecksetzen->setEnabled(false);
    m_druck->setEnabled(false);
}

QStringList TFormStatistikMerkmaleDatei::kopfzeilen() const {
    QStringList k;
    auto verbinden = [](QStringList teile, const QString& letzter) -> QString {
        if (teile.size() < 2) return teile.join(QString());
        const QString ende = teile.takeLast();
        return teile.join(QStringLiteral(", ")) + letzter + ende;
    };
    QStringList geschlechter;
    const int tags[] = {1581, 1582, 1583, 1584};
    const char* vorgaben[] = {"männlich", "weiblich", "männlich/Kastrat", "weiblich/Kastrat"};
    for (int i = 0; i < 4; ++i)
        if (m_geschlecht[i]->isChecked()) geschlechter << text(tags[i], vorgaben[i]);
    k << verbinden(geschlechter, text(1391, " und "));
    if (m_farbe->currentIndex() > 0) k << text(1506, "Farbe:") + QLatin1Char(' ') + m_farbe->currentText();
    const Filter f = filter();
    const Altersbereich b = altersbereich(f);
    if (b.aktiv) {
        int a = f.alterAb.toInt(), z = f.alterBis.toInt();
        if (z < a && z != 0) std::swap(a, z);
        auto einheit = [&](int n) {
            return f.monate ? (n == 1 ? text(1510, "Monat") : text(562, "Monate"))
                            : (n == 1 ? text(1493, "Jahr") : text(563, "Jahre"));
        };
        QString t =
            text(1492, "Alter:") + QLatin1Char(' ') + QString::number(a) + QLatin1Char(' ') + einheit(a);
        if (z > 0) t += text(694, " bis ") + QString::number(z) + QLatin1Char(' ') + einheit(z);
        k << t;
    }
    if (m_ergebnisErweitert)
        k << text(1507, "Abfrage:") + QLatin1Char(' ') + m_ergebnisText.trimmed();
    else if (!m_bau.merkmale().isEmpty())
        k << text(1497, "Gesuchte Merkmale:") + QLatin1Char(' ') +
                 verbinden(m_bau.merkmale(), text(1585, " oder "));
    return k;
}

printing::Bericht TFormStatistikMerkmaleDatei::bericht() const {
    using namespace printing;
    Listenbericht liste;
    liste.setSeitenformat(Bericht::a4(), Seitenausrichtung::Querformat, Raender{});
    const QStringList kopf = kopfzeilen();
    const QString titel = text(8100, "Statistik der Merkmale aller Tiere");
    liste.setTitel(titel + QLatin1Char('\n') + kopf.join(QLatin1Char('\n')));
    Schrift titelSchrift;
    titelSchrift.groesse = 10;
    titelSchrift.fett = true;
    liste.setTitelSchrift(titelSchrift);
    liste.setTitelHoehe(6.0 * (kopf.size() + 1) + 2);
    liste.setTitelNurAufErsterSeite(true);
    const QList<ErgebnisModell::Spalte> spalten = m_modell.spalten();
    QList<Spalte> s;
    for (ErgebnisModell::Spalte sp : spalten) {
        double breite = 22;
        switch (sp) {
        case ErgebnisModell::Katze:
        case ErgebnisModell::Vater:
        case ErgebnisModell::Mutter:
            breite = 40;
            break;
        case ErgebnisModell::Merkmal:
            breite = 35;
            break;
        case ErgebnisModell::Geschlecht:
        case ErgebnisModell::Tod:
            breite = 10;
            break;
        default:
            break;
        }
        s << Spalte{m_modell.titel(sp), breite,
                    sp == ErgebnisModell::IK || sp == ErgebnisModell::AVK ? HAusrichtung::Rechts
                                                                          : HAusrichtung::Links};
    }
    // the columns share the width of the page
    double summe = 0;
    for (const Spalte& sp : s)
        summe += sp.breite;
    const double platz = Bericht::a4().height() - Raender{}.links - Raender{}.rechts;
    for (Spalte& sp : s)
        sp.breite *= platz / std::max(1.0, summe);
    liste.setSpalten(s);
    liste.setTextbreite(schriftMessung());
    liste.setZeilenlinien(true);
    for (int r = 0; r < m_modell.rowCount(); ++r) {
        QList<Zelle> zellen;
        for (ErgebnisModell::Spalte sp : spalten) {
            Zelle z(m_modell.zelle(r, sp));
            if (sp == ErgebnisModell::Katze && m_modell.zeilen().at(r).farbe)
                z = Zelle::farbfeld(m_modell.zeilen().at(r).farbe, z.text);
            zellen << z;
        }
        liste.zeile(zellen);
    }
    Bericht b = liste.erstellen();
    b.setTitel(titel);
    // the spread: one bar chart for each figure
    if (m_verteilung.katzen > 0) {
        Seite& seite = b.neueSeite();
        const QRectF innen = b.inhalt();
        Schrift fett;
        fett.fett = true;
        fett.groesse = 12;
        seite.text(QRectF(innen.left(), innen.top(), innen.width(), 8),
                   ohneAmpersand(text(8123, "Verteilung")) + QStringLiteral(" (") +
                       QString::number(m_verteilung.katzen) + QLatin1Char(' ') + text(8138, "Katzen") +
                       QLatin1Char(')'),
                   fett);
        const double hoehe = (innen.height() - 12) / 2;
        auto zeichnen = [&](const QVector<int>& klassen, const QString& name, double oben, Farbwert farbe) {
            Schrift s10;
            seite.text(QRectF(innen.left(), oben, innen.width(), 6), name, s10);
            const QRectF feld(innen.left() + 12, oben + 7, innen.width() - 14, hoehe - 16);
            seite.linie(feld.bottomLeft(), feld.bottomRight());
            seite.linie(feld.bottomLeft(), feld.topLeft());
            const int n = std::max(1, int(klassen.size()));
            int maxWert = 1;
            for (int v : klassen)
                maxWert = std::max(maxWert, v);
            Schrift klein;
            klein.groesse = 7;
            seite.text(QRectF(innen.left(), feld.top(), 11, 4), QString::number(maxWert), klein,
                       HAusrichtung::Rechts);
            const double breite = feld.width() / n;
            for (int k = 0; k < klassen.size(); ++k) {
                const double h = feld.height() * klassen[k] / maxWert;
                if (h > 0)
                    seite.rechteck(QRectF(feld.left() + k * breite + 0.2, feld.bottom() - h, breite - 0.4, h),
                                   farbe, 0.1);
                if (n <= 30 || k % 5 == 0)
                    seite.text(
                        QRectF(feld.left() + k * breite, feld.bottom() + 0.5, std::max(breite, 6.0), 4),
                        QString::number(k), klein);
            }
        };
        zeichnen(m_verteilung.ik, text(8136, "Inzuchtkoeffizient in %"), innen.top() + 10, 0xB07030);
        zeichnen(m_verteilung.avk, text(8137, "Ahnenverlust in %"), innen.top() + 10 + hoehe, 0x3070B0);
    }
    return b;
}

void TFormStatistikMerkmaleDatei::DruckClick() {
    if (m_modell.zeilen().isEmpty()) return;
    if (vorschau) vorschau(bericht());
}

void statistikDateiRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueVerwaltung"), 929,
                            QStringLiteral("Merkmale aller Tiere"),
                            [](TRahmen& h) { return new TFormStatistikMerkmaleDatei(h); }, true});
}

} // namespace velmora::genealogy
