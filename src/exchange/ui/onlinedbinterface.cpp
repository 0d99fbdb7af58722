#include "exchange/ui/onlinedbinterface.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "exchange/ui/katzengitter.h"
#include "exchange/ui/suchenersetzen.h"
#include "exchange/ui/uploadeinstellungsdialog.h"
#include "exchange/ui/uploadlauf.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/catalogue.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora::exchange {

// texte: feldname 1513 1514 1521 1526 1587 2471-2489 2491-2499 2502 2503 8118 8119
// texte: meldung 168 171 182 183 184 198 199 205 206 211 2473 2474 2477 2478

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

const char* registerName(TFormOnlineDBInterface::Modus m) {
    switch (m) {
    case TFormOnlineDBInterface::Modus::CsvExport:
        return "FormOnlineDBInterfaceCSV";
    case TFormOnlineDBInterface::Modus::Editor:
        return "FormOnlineDBInterfaceEditor";
    default:
        return "FormOnlineDBInterface";
    }
}

void benennen(QWidget* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    if (w->accessibleName().isEmpty()) w->setAccessibleName(w->objectName());
}

} // namespace

TFormOnlineDBInterface::TFormOnlineDBInterface(TRahmen& haupt, Modus modus)
    : TKindFenster(haupt, QString::fromLatin1(registerName(modus)), 0), m_modus(modus) {
    uploadOrdner = QDir::currentPath();
    dateiWahl = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("CSV-Files (*.CSV)"),
                                            nullptr, QFileDialog::Options())
            .trimmed();
    };
}

TFormOnlineDBInterface::~TFormOnlineDBInterface() = default;

ExportOptionen TFormOnlineDBInterface::optionen() const {
    ExportOptionen o;
    const bool csv = m_modus == Modus::CsvExport;
    o.bilder = !csv && m_bilder && m_bilder->isChecked();
    o.zuchtbuch = !csv && m_zuchtbuch && m_zuchtbuch->isChecked();
    o.merkmale = m_merkmale && m_merkmale->isChecked();
    o.bemerkungen = m_bemerkungen && m_bemerkungen->isChecked();
    o.zuechterBesitzer = m_adressen && m_adressen->isChecked();
    o.kodierung = csv && m_utf8 && m_utf8->isChecked() ? Kodierung::Utf8 : Kodierung::Westlich;
    o.sprache = hauptfenster().einstellungen().spracheNummer();
    o.locale = QLocale::system();
    return o;
}

bool TFormOnlineDBInterface::oeffnen() {
    if (hauptfenster().gesperrt()) return false;
    store::Database& db = hauptfenster().db();
    try {
        if (m_modus == Modus::Upload && !db.tableExists(QStringLiteral("bilderupload")))
            db.createTable(*store::catalogueTable(QStringLiteral("bilderupload")));
        m_katzen = std::make_unique<store::Table>(db, QStringLiteral("catstamm"));
        m_lauf = std::make_unique<store::Table>(db, QStringLiteral("catstamm"));
        m_daten = std::make_unique<TOnlineExport>(db, ExportOptionen{});
        m_modell =
            std::make_unique<KatzenGitterModell>(*m_katzen, *m_daten, m_modus != Modus::Editor,
                                                 m_modus == Modus::Upload ? Layout::Upload : Layout::Csv);
        m_katzen->open(m_modus == Modus::Editor ? store::Table::OpenMode::Shared
                                                : store::Table::OpenMode::ReadOnly);
        m_katzen->setIndexName(QString::fromLatin1(kGridIndex));
        m_lauf->open(store::Table::OpenMode::ReadOnly);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return false;
    }
    uploadEinstellungen = UploadEinstellungen::lesen(hauptfenster().einstellungen().pfad());
    aufbauen();
    uebersetzt();
    return true;
}

QCheckBox* TFormOnlineDBInterface::kasten(const char* name, int tag, const char* vorgabe, QWidget* eltern) {
    auto* k = new QCheckBox(text(tag, vorgabe), eltern);
    benennen(k, name);
    language::setTag(k, tag);
    return k;
}

void TFormOnlineDBInterface::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    m_gitter = new QTableView(this);
    benennen(m_gitter, "DBGrid1");
    m_gitter->setModel(m_modell.get());
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->horizontalHeader()->setSectionsClickable(true);
    m_modell->fehlerBehandlung = [this](const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    };
    haupt->addWidget(m_gitter, 1);
    connect(m_gitter->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFormOnlineDBInterface::titelGeklickt);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid() && !(m_suchen && m_suchen->laeuft())) m_modell->zuZeile(i.row());
            });

    auto* unten = new QHBoxLayout;
    // "Tierdaten:" / "Export mit"
    m_exportMit = new QGroupBox(text(2475, "Export mit"), this);
    benennen(m_exportMit, "GroupBoxExportMit");
    language::setTag(m_exportMit, 2475);
    auto* em = new QVBoxLayout(m_exportMit);
    auto* tierLabel = new QLabel(text(2474, "Tierdaten:"), m_exportMit);
    benennen(tierLabel, "LabelTierdaten");
    language::setTag(tierLabel, 2474);
    em->addWidget(tierLabel);
    m_bilder = kasten("CheckBoxBilder", 2476, "Bildern       (nur JPG-Files)", m_exportMit);
    m_merkmale = kasten("CheckBoxMerkmale", 2477, "Merkmalen", m_exportMit);
    m_bemerkungen = kasten("CheckBoxBemerkungen", 2478, "Bemerkungen", m_exportMit);
    m_adressen = kasten("CheckBoxAdressen", 2479, "Züchter / Besitzer", m_exportMit);
    m_zuchtbuch = kasten("CheckBoxZuchtbuch", 2480, "Zuchtbuch", m_exportMit);
    for (QCheckBox* k : {m_bilder, m_merkmale, m_bemerkungen, m_adressen, m_zuchtbuch}) {
        k->setChecked(true);
        em->addWidget(k);
    }
    m_utf8 = kasten("CheckBoxUtf8", 2491, "als UTF-8 (statt Westeuropäisch)", m_exportMit);
    em->addWidget(m_utf8);
    unten->addWidget(m_exportMit);

    // "Upload von"
    m_uploadVon = new QGroupBox(text(2481, "Upload von"), this);
    benennen(m_uploadVon, "GroupBoxUploadVon");
    language::setTag(m_uploadVon, 2481);
    auto* uv = new QVBoxLayout(m_uploadVon);
    m_tierdaten = kasten("CheckBoxTierdaten", 2482, "Tierdaten", m_uploadVon);
    m_adressdaten = kasten("CheckBoxAdressdaten", 2483, "Adressdaten", m_uploadVon);
    m_rassen = kasten("CheckBoxRasseDB", 2484, "Rasse-DB", m_uploadVon);
    m_farben = kasten("CheckBoxFarbDB", 2485, "Farb-DB", m_uploadVon);
    m_merkmalDb = kasten("CheckBoxMerkmaleDB", 2486, "Merkmale-DB", m_uploadVon);
    for (QCheckBox* k : {m_tierdaten, m_adressdaten, m_rassen, m_farben, m_merkmalDb})
        uv->addWidget(k);
    unten->addWidget(m_uploadVon);

    auto* rechts = new QVBoxLayout;
    const auto knopf = [this, rechts](const char* name, int tag, const char* vorgabe) {
        auto* k = new QPushButton(text(tag, vorgabe), this);
        benennen(k, name);
        language::setTag(k, tag);
        rechts->addWidget(k);
        return k;
    };
    m_csv = knopf("BitBtnCSV", 2489, "&CSV-Datei");
    m_upload = knopf("BitBtnUpload", 2487, "&Upload");
    m_beispiel = knopf("BitBtnBeispiel", 2488, "Beispieldatenbank");
    m_einstellungen = knopf("BitBtnEinstellungen", 2503, "&Einstellungen");
    m_editieren = knopf("BitBtnEditieren", 1513, "Datei editieren");
    m_suchenKnopf = knopf("BitBtnSuchenErsetzen", 1521, "Suchen");
    rechts->addStretch(1);
    m_fortschritt = new QProgressBar(this);
    benennen(m_fortschritt, "ProgressBar1");
    m_fortschritt->setValue(0);
    rechts->addWidget(m_fortschritt);
    // longer than a caption may be, so it is a message text
    m_hinweis = new QLabel(this);
    benennen(m_hinweis, "LabelHinweis");
    m_hinweis->hide();
    rechts->addWidget(m_hinweis);
    // Shown only while an upload runs; stops the file being sent and the steps after it.
    m_uploadAbbruch = knopf("BitBtnUploadAbbruch", 2502, "Abbruch");
    m_uploadAbbruch->hide();
    auto* hilfe = knopf("BitBtnHilfe", 8118, "&Hilfe");
    auto* zurueck = knopf("BitBtnZurueck", 8119, "&Zurück");
    unten->addStretch(1);
    unten->addLayout(rechts);
    haupt->addLayout(unten);

    const bool csv = m_modus == Modus::CsvExport, upload = m_modus == Modus::Upload,
               editor = m_modus == Modus::Editor;
    if (csv) {
        m_bilder->setChecked(false);
        m_zuchtbuch->setChecked(false);
    }
    m_bilder->setVisible(upload);
    m_zuchtbuch->setVisible(upload);
    m_utf8->setVisible(csv);
    m_exportMit->setVisible(!editor);
    m_uploadVon->setVisible(upload);
    m_csv->setVisible(csv);
    m_upload->setVisible(upload);
    m_beispiel->setVisible(upload);
    m_einstellungen->setVisible(upload);
    m_editieren->setVisible(editor);
    m_suchenKnopf->setVisible(editor);
    m_fortschritt->setVisible(!editor);

    connect(m_csv, &QPushButton::clicked, this, &TFormOnlineDBInterface::CSVDateiClick);
    connect(m_upload, &QPushButton::clicked, this, &TFormOnlineDBInterface::UploadClick);
    connect(m_uploadAbbruch, &QPushButton::clicked, this, [this] { m_uploadGestoppt = true; });
    connect(m_beispiel, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl(uploadEinstellungen.beispielAdresse)); });
    connect(m_einstellungen, &QPushButton::clicked, this, &TFormOnlineDBInterface::EinstellungenClick);
    connect(m_editieren, &QPushButton::clicked, this, &TFormOnlineDBInterface::EditierenClick);
    connect(m_suchenKnopf, &QPushButton::clicked, this, &TFormOnlineDBInterface::SuchenErsetzenClick);
    connect(hilfe, &QPushButton::clicked, this, [this] {
        hauptfenster().hilfeZeigen(m_modus == Modus::CsvExport ? 198 : m_modus == Modus::Upload ? 199 : 193);
    });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
}

void TFormOnlineDBInterface::schliessen() {
    if (m_suchen) {
        m_suchen->AbbruchClick();
        delete m_suchen;
    }
    try {
        if (m_katzen) m_katzen->close();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
    if (m_lauf) m_lauf->close();
}

void TFormOnlineDBInterface::uebersetzt() {
    switch (m_modus) {
    case Modus::CsvExport:
        setWindowTitle(text(2473, "Export CSV-File"));
        break;
    case Modus::Upload:
        setWindowTitle(text(2472, "Online - Datenbank"));
        break;
    case Modus::Editor:
        setWindowTitle(text(1587, "Tierdatenbank editieren"));
        break;
    }
    if (m_hinweis) m_hinweis->setText(language::meldung(2477));
    if (m_editieren) {
        m_editieren->setText(m_bearbeitbar ? text(1514, "Editieren beenden") : text(1513, "Datei editieren"));
        language::setTag(m_editieren, m_bearbeitbar ? 1514 : 1513);
        m_suchenKnopf->setText(m_bearbeitbar ? text(1526, "Suchen/Ersetzen") : text(1521, "Suchen"));
        language::setTag(m_suchenKnopf, m_bearbeitbar ? 1526 : 1521);
    }
}

void TFormOnlineDBInterface::fortschritt(int erledigt, int gesamt) {
    m_fortschritt->setMaximum(std::max(gesamt, 1));
    m_fortschritt->setValue(erledigt);
    static QElapsedTimer uhr;
    if (!uhr.isValid() || uhr.elapsed() > 50) {
        QApplication::processEvents();
        uhr.restart();
    }
}

void TFormOnlineDBInterface::verlusteMelden(const Zeichenverluste& v) {
    if (v.werte == 0) return;
    Meldungsdienst::zeigen(MeldungsArt::Warnung, 2473,
                           language::meldung(2473) + QLatin1Char(' ') + QString::number(v.werte) +
                               QLatin1Char('\n') + language::meldung(2474) + QLatin1Char(' ') +
                               v.ersteDatensaetze.join(QStringLiteral(", ")));
}

void TFormOnlineDBInterface::CSVDateiClick() {
    const QString ziel = dateiWahl ? dateiWahl() : QString();
    if (ziel.isEmpty()) {
        Meldungsdienst::nachricht(171, MeldungsArt::Fehler);
        return;
    }
    QString pfad = ziel;
    if (QFileInfo(pfad).suffix().isEmpty()) pfad += QStringLiteral(".CSV");
    m_daten->setOptionen(optionen());
    DateiErgebnis e;
    try {
        m_lauf->setIndexName(m_katzen->indexName());
        e = m_daten->katzenDatei(*m_lauf, pfad, Layout::Csv, [this](int n, int g) { fortschritt(n, g); });
    } catch (const std::exception& ex) {
        fehlerDialog().HandleException(ex, QStringLiteral("catstamm.db"));
        return;
    }
    if (!e.ok) {
        Meldungsdienst::nachricht(168, MeldungsArt::Fehler);
        return;
    }
    verlusteMelden(e.verluste);
}

void TFormOnlineDBInterface::UploadClick() {
    UploadAuswahl a;
    a.tierdaten = m_tierdaten->isChecked();
    a.adressdaten = m_adressdaten->isChecked();
    a.rassen = m_rassen->isChecked();
    a.farben = m_farben->isChecked();
    a.merkmale = m_merkmalDb->isChecked();
    const ExportOptionen opt = optionen();
    if (!a.tierdaten && !a.adressdaten && !a.rassen && !a.farben && !a.merkmale && !opt.zuchtbuch &&
        !opt.bilder) {
        Meldungsdienst::nachricht(184);
        return;
    }
    Meldung frage;
    frage.nummer = 205;
    frage.text = language::meldung(205) + QLatin1Char('\n') + language::meldung(206);
    frage.knoepfe = Knoepfe::JaNein;
    if (Meldungsdienst::zeigen(frage) != Antwort::Ja) return;
    m_daten->setOptionen(opt);
    m_lauf->setIndexName(m_katzen->indexName());
    // The run lets window messages through: the button stays off so it cannot start a second one.
    m_uploadGestoppt = false;
    m_upload->setEnabled(false);
    m_uploadAbbruch->show();
    const UploadLauf::Ergebnis e =
        UploadLauf(hauptfenster().db(), *m_daten, *m_lauf, uploadEinstellungen, this)
            .ausfuehren(
                a, uploadOrdner, m_hinweis, [this](int n, int g) { fortschritt(n, g); }, &m_uploadGestoppt);
    m_uploadAbbruch->hide();
    m_upload->setEnabled(true);
    if (e.dateiFehler) {
        Meldungsdienst::nachricht(168, MeldungsArt::Fehler);
        return;
    }
    verlusteMelden(e.verluste);
    if (e.abgebrochen)
        Meldungsdienst::nachricht(2478, MeldungsArt::Warnung);
    else if (e.sendeFehler)
        Meldungsdienst::nachricht(183, MeldungsArt::Fehler);
    else
        Meldungsdienst::nachricht(opt.bilder ? 211 : 182);
}

void TFormOnlineDBInterface::EinstellungenClick() {
    TFormUploadEinstellungen dlg(uploadEinstellungen, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const UploadEinstellungen neu = dlg.werte();
    if (!neu.schreiben(hauptfenster().einstellungen().pfad())) {
        Meldungsdienst::nachricht(168, MeldungsArt::Fehler);
        return;
    }
    uploadEinstellungen = neu;
}

void TFormOnlineDBInterface::EditierenClick() {
    if (!m_bearbeitbar) {
        Meldung frage;
        frage.nummer = 198;
        frage.text = language::meldung(198) + QLatin1Char('\n') + language::meldung(199);
        frage.knoepfe = Knoepfe::JaNein;
        if (Meldungsdienst::zeigen(frage) != Antwort::Ja) return;
        m_bearbeitbar = true;
    } else {
        // a pending cell edit is stored before the grid turns read-only
        try {
            if (m_katzen->state() != store::Table::State::Browse) m_katzen->post();
        } catch (const std::exception& e) {
            m_katzen->cancel();
            fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        }
        m_bearbeitbar = false;
    }
    m_modell->setBearbeitbar(m_bearbeitbar);
    m_gitter->setEditTriggers(m_bearbeitbar
                                  ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::AnyKeyPressed
                                  : QAbstractItemView::NoEditTriggers);
    uebersetzt();
    if (m_suchen) m_suchen->binden();
}

void TFormOnlineDBInterface::SuchenErsetzenClick() {
    if (!m_suchen) m_suchen = new TFormSuchen_Ersetzen(*this);
    m_suchen->binden();
    const QRect r = geometry();
    const QPoint oben = mapToGlobal(QPoint(0, 0));
    m_suchen->move(oben.x() + (r.width() - m_suchen->sizeHint().width()) / 2, oben.y() + 40);
    m_suchen->show();
    m_suchen->raise();
}

void TFormOnlineDBInterface::titelGeklickt(int spalte) {
    if (spalte < 0 || spalte >= m_modell->spaltenZahl()) return;
    if (m_suchen && m_suchen->isVisible()) m_suchen->AbbruchClick();
    const char* index = m_modell->spalte(spalte).index;
    if (!index) return;
    const QString name = QString::fromLatin1(index);
    try {
        if (m_katzen->state() != store::Table::State::Browse) m_katzen->post();
        try {
            m_katzen->setIndexName(name);
        } catch (const store::EngineError& e) {
            if (e.code() != store::code::IndexMissing) throw;
            // An index the start-up did not build is made on the spot, with the table to itself.
            const store::IndexDef* def = store::catalogueTable(QStringLiteral("catstamm"))->index(name);
            if (!def) throw;
            const store::Table::OpenMode modus = m_katzen->openMode();
            m_katzen->close();
            m_lauf->close();
            {
                store::Table exklusiv(hauptfenster().db(), QStringLiteral("catstamm"));
                exklusiv.open(store::Table::OpenMode::Exclusive);
                exklusiv.addIndex(*def);
            }
            m_katzen->open(modus);
            m_lauf->open(store::Table::OpenMode::ReadOnly);
            m_katzen->setIndexName(name);
        }
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
    m_katzen->first();
    m_modell->neuLaden();
    if (m_suchen && m_suchen->isVisible()) m_suchen->binden();
    emit gitterGeaendert();
}

void onlineDatenbankRegistrieren() {
    const QString menue = QStringLiteral("MenueExtras");
    fensterartRegistrieren(
        {QStringLiteral("FormOnlineDBInterfaceCSV"), menue, 2471, QStringLiteral("Datenexport -> CSV- Datei"),
         [](TRahmen& h) { return new TFormOnlineDBInterface(h, TFormOnlineDBInterface::Modus::CsvExport); }});
    fensterartRegistrieren(
        {QStringLiteral("FormOnlineDBInterface"), menue, 2472, QStringLiteral("Online - Datenbank"),
         [](TRahmen& h) { return new TFormOnlineDBInterface(h, TFormOnlineDBInterface::Modus::Upload); }});
    fensterartRegistrieren({QStringLiteral("FormOnlineDBInterfaceEditor"), menue, 1587,
                            QStringLiteral("Tierdatenbank editieren"), [](TRahmen& h) {
                                return new TFormOnlineDBInterface(h, TFormOnlineDBInterface::Modus::Editor);
                            }});
}

} // namespace velmora::exchange
