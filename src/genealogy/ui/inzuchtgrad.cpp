#include "genealogy/ui/inzuchtgrad.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "genealogy/registerabbild.h"
#include "genealogy/tabellenquelle.h"
#include "genealogy/ui/inzuchtfortschrittfenster.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "printing/listenbericht.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/farbe.h"
#include "register/ui/suchendlg.h"
#include "store/errors.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora::genealogy {

// texte: meldung 11 39 40 41 42 43 44 45 46 47 48 93 107 126 127 132 134 231 232 233
// texte: feldname 9600-9637 9639 9640

namespace {

constexpr char kName[] = "FormInzuchtgrad";
// The texts the calculation writes; read before the run, so the worker never touches the language tables.
constexpr int kLaufTexte[] = {11, 39, 40,  41,  42,  43,  44,  45,  46,  47, 48,
                              83, 93, 107, 126, 127, 132, 134, 231, 232, 233};

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

template <typename W> W* benannt(W* w, const QString& name) {
    w->setObjectName(name);
    w->setAccessibleName(name);
    return w;
}

// Hands the worker's progress to the window on the user-interface thread; notices the cancel flag.
class Weiterleitung : public InzuchtFortschritt {
public:
    Weiterleitung(QPointer<InzuchtFortschrittFenster> f, std::shared_ptr<std::atomic<bool>> abbruch,
                  TFormInzuchtberechnung& calc)
        : m_f(std::move(f)), m_abbruch(std::move(abbruch)), m_calc(calc) {}
    void zeigen(bool) override {}
    void schrittText(const QString& t) override {
        senden([t](InzuchtFortschrittFenster* f) { f->schrittText(t); });
    }
    void maximum(qint64 max) override {
        senden([max](InzuchtFortschrittFenster* f) { f->maximum(max); });
    }
    void position(qint64 pos) override { m_pos = pos; }
    void ereignisseVerarbeiten() override {
        if (m_abbruch->load()) m_calc.abbrechen();
        if (m_takt.isValid() && m_takt.elapsed() < 15) return;
        m_takt.start();
        const qint64 pos = m_pos;
        senden([pos](InzuchtFortschrittFenster* f) {
            f->position(pos);
            f->ereignisseVerarbeiten();
        });
    }

private:
    template <typename F> void senden(F tun) {
        QPointer<InzuchtFortschrittFenster> f = m_f;
        if (!f) return;
        QMetaObject::invokeMethod(
            f.data(),
            [f, tun] {
                if (f) tun(f.data());
            },
            Qt::QueuedConnection);
    }
    QPointer<InzuchtFortschrittFenster> m_f;
    std::shared_ptr<std::atomic<bool>> m_abbruch;
    TFormInzuchtberechnung& m_calc;
    qint64 m_pos = 0;
    QElapsedTimer m_takt;
};

} // namespace

// One run: the inputs, the worker's own connection, and the results copied out for the window.
struct InzuchtLauf {
    QString verzeichnis;
    qint32 tier = 0, vater = 0, mutter = 0;
    quint8 generationen = 5;
    bool mitVorfahren = true, merkmalVorTop = true;
    QLocale locale;
    QHash<int, QString> texte;
    std::shared_ptr<std::atomic<bool>> abbruch;
    QPointer<InzuchtFortschrittFenster> fenster;

    bool ergebnis = false;
    QString meldung;
    bool fehler = false;
    QString koeffizient, komplett, wright;
    QStringList ahnenverlust, inzucht, info, clon;
    std::array<QString, 30> namen;
    QVector<VorfahrZeile> vorfahren;
    QVector<TopKatzeZeile> top;
    QStringList topAnteil;

    void rechnen() {
        try {
            store::Database db(verzeichnis);
            TabellenKatzenQuelle quelle(db);
            TFormInzuchtberechnung calc(quelle, [this](int n) { return texte.value(n, QString::number(n)); });
            calc.locale = locale;
            calc.mitVorfahren = mitVorfahren;
            calc.MerkmalVorTop = merkmalVorTop;
            calc.mitWright = true;
            Weiterleitung w(fenster, abbruch, calc);
            calc.fortschritt = &w;
            calc.zeigeMeldung = [this](const QString& t, int art) {
                meldung = t;
                fehler = art == 2;
            };
            ergebnis = calc.Berechne(tier, vater, mutter, generationen, true) && !abbruch->load();
            if (!ergebnis) return;
            koeffizient = calc.Inzuchtkoeffizient;
            komplett = calc.Stammbaumkomplett;
            wright = calc.WrightKoeffizient;
            ahnenverlust = calc.Ahnenverlust;
            inzucht = calc.Inzucht;
            info = calc.Info;
            clon = calc.Clon;
            size_t i = 0;
            for (const auto* feld : {calc.g1.data(), calc.g2.data(), calc.g3.data(), calc.g4.data()}) {
                const size_t n = feld == calc.g1.data()   ? 2
                                 : feld == calc.g2.data() ? 4
                                 : feld == calc.g3.data() ? 8
                                                          : 16;
                for (size_t k = 0; k < n; ++k)
                    namen[i++] = feld[k];
            }
            vorfahren = calc.Vorfahrenliste;
            top = quelle.topKatzen().mid(0, 5);
            for (const TopKatzeZeile& z : top)
                topAnteil << calc.TopKatzeAnzahl(z.LaufendeNummer);
        } catch (const std::exception& e) {
            ergebnis = false;
            meldung = QString::fromUtf8(e.what());
            fehler = true;
        }
    }
};

TFormInzuchtgrad::TFormInzuchtgrad(TRahmen& haupt) : TKindFenster(haupt, QLatin1String(kName), 9600) {
    setWindowTitle(text(9600, "Inzuchtgradberechnung"));
    vorschau = [this](const printing::Bericht& b) { printing::vorschauZeigen(b, this); };
    pdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("Inzuchtgrad.pdf"),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    katzeSuchen = [this](int formular, bool vater) {
        reg::TSuchenDlg dlg(hauptfenster().db(), this);
        dlg.setFehlerDialog(&fehlerDialog());
        reg::SuchAufruf a;
        a.formular = formular;
        if (formular == 1)
            a.geschlecht = vater ? reg::SuchGeschlecht::Maennlich : reg::SuchGeschlecht::Weiblich;
        dlg.nameFeld()->setFocus();
        return dlg.waehlen(a);
    };
    nameFragen = [this](const QString& vorschlag, bool& ok) {
        QInputDialog d(this);
        d.setObjectName(QStringLiteral("DialogName"));
        d.setWindowTitle(text(9600, "Inzuchtgradberechnung"));
        d.setLabelText(text(9633, "Name der Berechnung"));
        d.setTextValue(vorschlag);
        d.setOkButtonText(QStringLiteral("OK"));
        d.setCancelButtonText(text(9626, "Abbruch"));
        ok = d.exec() == QDialog::Accepted;
        return d.textValue();
    };
}

TFormInzuchtgrad::~TFormInzuchtgrad() {
    warten();
}

bool TFormInzuchtgrad::oeffnen() {
    m_vorfahrenZiel = std::make_unique<TabellenVorfahrenZiel>(hauptfenster().db());
    aufbauen();
    const settings::tsysteminfo& e = hauptfenster().einstellungen();
    m_generationen->setText(QString::number(std::max(3, e.Inzuchtgenerationen ? e.Inzuchtgenerationen : 5)));
    m_seiten->setCurrentIndex(std::clamp(e.InzuchtFenster, 0, m_seiten->count() - 1));
    setzeArt(0);
    int start = 0;
    if (Katzenauswahl* l = hauptfenster().katzenListe()) start = l->aktuelleKatze();
    if (!start) start = hauptfenster().registerKatze();
    if (start) katzeSetzen(start);
    connect(&hauptfenster(), &TRahmen::registerKatzeGewechselt, this, &TFormInzuchtgrad::registerKatze);
    // new top cats or colours: the ancestor rows take their marks again
    connect(&hauptfenster(), &TRahmen::markierungenGeaendert, this, [this] {
        Registerabbild abbild(hauptfenster().db());
        const bool vorTop = hauptfenster().einstellungen().MerkmalvorTop;
        for (int r = 0; r < m_gitterVorfahren->rowCount(); ++r) {
            const QTableWidgetItem* nr = m_gitterVorfahren->item(r, 2);
            if (!nr) continue;
            const std::optional<qint32> f = abbild.markierungsFarbe(nr->text().toInt(), vorTop);
            const QColor c = f ? printing::farbeAusWert(*f) : QColor();
            for (int k = 0; k < m_gitterVorfahren->columnCount(); ++k)
                if (QTableWidgetItem* i = m_gitterVorfahren->item(r, k)) {
                    i->setData(Qt::BackgroundRole, f ? QVariant(c) : QVariant());
                    i->setData(Qt::ForegroundRole, f ? QVariant(printing::schriftFarbeAuf(c)) : QVariant());
                }
        }
    });
    berechneStart = e.InzuchtBerechnungAuto;
    if (berechneStart)
        QTimer::singleShot(0, this, [this] {
            if (!berechneStart) return;
            berechneStart = false;
            BerechnungClick();
        });
    return true;
}

void TFormInzuchtgrad::schliessen() {
    warten();
}

void TFormInzuchtgrad::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    auto* kopf = new QHBoxLayout;
    haupt->addLayout(kopf);
    auto* artBox =
        benannt(new QGroupBox(text(9601, "Berechnungsart"), this), QStringLiteral("RadioGroupArt"));
    language::setTag(artBox, 9601);
    auto* artLayout = new QVBoxLayout(artBox);
    m_radioKatze = benannt(new QRadioButton(text(9602, "Katze"), artBox), QStringLiteral("RadioKatze"));
    language::setTag(m_radioKatze, 9602);
    m_radioEltern = benannt(new QRadioButton(text(9603, "Eltern"), artBox), QStringLiteral("RadioEltern"));
    language::setTag(m_radioEltern, 9603);
    artLayout->addWidget(m_radioKatze);
    artLayout->addWidget(m_radioEltern);
    m_artGruppe = new QButtonGroup(this);
    m_artGruppe->addButton(m_radioKatze, 0);
    m_artGruppe->addButton(m_radioEltern, 1);
    connect(m_artGruppe, &QButtonGroup::idClicked, this, &TFormInzuchtgrad::artGewechselt);
    kopf->addWidget(artBox);

    auto* felder = new QGridLayout;
    kopf->addLayout(felder, 1);
    auto feld = [&](int zeile, int tag, const char* caption, const QString& name, const QString& knopf) {
        auto* e = benannt(new QLineEdit(this), name);
        e->setReadOnly(true);
        auto* l = new QLabel(text(tag, caption), this);
        l->setObjectName(QStringLiteral("Label") + name);
        language::setTag(l, tag);
        l->setBuddy(e);
        auto* b = benannt(new QPushButton(text(9634, "Suchen"), this), knopf);
        language::setTag(b, 9634);
        felder->addWidget(l, zeile, 0);
        felder->addWidget(e, zeile, 1);
        felder->addWidget(b, zeile, 2);
        return std::pair{e, b};
    };
    std::tie(m_katze, m_sucheKatze) =
        feld(0, 9604, "Katzename", QStringLiteral("EditKatze"), QStringLiteral("BitBtnSucheKatze"));
    std::tie(m_vater, m_sucheVater) =
        feld(1, 9605, "Vatername", QStringLiteral("EditVater"), QStringLiteral("BitBtnSucheVater"));
    std::tie(m_mutter, m_sucheMutter) =
        feld(2, 9606, "Muttername", QStringLiteral("EditMutter"), QStringLiteral("BitBtnSucheMutter"));
    connect(m_sucheKatze, &QPushButton::clicked, this, [this] {
        if (const int n = katzeSuchen(0, false)) {
            ergebnisseLeeren();
            katzeSetzen(n);
        }
    });
    connect(m_sucheVater, &QPushButton::clicked, this, [this] {
        if (const int n = katzeSuchen(1, true)) {
            ergebnisseLeeren();
            vaterSetzen(n);
        }
    });
    connect(m_sucheMutter, &QPushButton::clicked, this, [this] {
        if (const int n = katzeSuchen(1, false)) {
            ergebnisseLeeren();
            mutterSetzen(n);
        }
    });
    m_generationen = benannt(new QLineEdit(this), QStringLiteral("EditGenerationen"));
    m_generationen->setMaximumWidth(60);
    auto* genLabel = new QLabel(text(9607, "Generationen (>2) :"), this);
    genLabel->setObjectName(QStringLiteral("LabelGenerationen"));
    language::setTag(genLabel, 9607);
    genLabel->setBuddy(m_generationen);
    felder->addWidget(genLabel, 3, 0);
    felder->addWidget(m_generationen, 3, 1, Qt::AlignLeft);
    connect(m_generationen, &QLineEdit::textEdited, this, [this] { ergebnisseLeeren(); });
    connect(m_generationen, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int g = m_generationen->text().trimmed().toInt(&ok);
        const int neu = !ok || g < 3 ? 3 : std::min(g, 255);
        if (m_generationen->text() != QString::number(neu)) m_generationen->setText(QString::number(neu));
    });

    auto* knoepfe = new QVBoxLayout;
    kopf->addLayout(knoepfe);
    auto knopf = [&](int tag, const char* t, const char* name, auto slot) {
        auto* b = benannt(new QPushButton(text(tag, t), this), QLatin1String(name));
        language::setTag(b, tag);
        connect(b, &QPushButton::clicked, this, slot);
        knoepfe->addWidget(b);
        return b;
    };
    knopf(9608, "&Berechnung", "BitBtnBerechnung", [this] { BerechnungClick(); });
    knopf(9609, "&Speichern", "BitBtnSpeichern", [this] { SpeichernClick(); });
    knopf(9610, "&Laden", "BitBtnLaden", [this] { LadenClick(); });
    knopf(9611, "&Drucken", "BitBtnDrucken", [this] { DruckenClick(); });
    knopf(9612, "&Hilfe", "BitBtnHilfe", [this] { hauptfenster().hilfeZeigen(181); });
    knopf(9613, "&Zurück", "BitBtnZurueck", [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });

    // stored calculations
    m_panelListe = benannt(new QFrame(this), QStringLiteral("PanelLaden"));
    m_panelListe->setFrameShape(QFrame::StyledPanel);
    auto* listeLayout = new QVBoxLayout(m_panelListe);
    auto* listeTitel = new QLabel(text(9628, "Gespeicherte Berechnungen"), m_panelListe);
    listeTitel->setObjectName(QStringLiteral("LabelGespeichert"));
    language::setTag(listeTitel, 9628);
    listeLayout->addWidget(listeTitel);
    m_liste = benannt(new QListWidget(m_panelListe), QStringLiteral("ListeBerechnungen"));
    listeTitel->setBuddy(m_liste);
    listeLayout->addWidget(m_liste);
    auto* listeKnoepfe = new QHBoxLayout;
    listeLayout->addLayout(listeKnoepfe);
    auto listenKnopf = [&](int tag, const char* t, const char* name, auto slot) {
        auto* b = benannt(new QPushButton(text(tag, t), m_panelListe), QLatin1String(name));
        language::setTag(b, tag);
        connect(b, &QPushButton::clicked, this, slot);
        listeKnoepfe->addWidget(b);
    };
    listenKnopf(9625, "Laden", "BitBtnListeLaden", [this] { ListeLadenClick(); });
    listenKnopf(9627, "L&öschen", "BitBtnListeLoeschen", [this] { ListeLoeschenClick(); });
    listenKnopf(9626, "Abbruch", "BitBtnListeAbbruch", [this] { listeZeigen(false); });
    connect(m_liste, &QListWidget::itemDoubleClicked, this, [this] { ListeLadenClick(); });
    m_panelListe->hide();
    haupt->addWidget(m_panelListe);

    // print options
    m_panelDrucken = benannt(new QFrame(this), QStringLiteral("PanelDrucken"));
    m_panelDrucken->setFrameShape(QFrame::StyledPanel);
    auto* druckLayout = new QHBoxLayout(m_panelDrucken);
    auto box = [&](int tag, const char* t, const char* name) {
        auto* c = benannt(new QCheckBox(text(tag, t), m_panelDrucken), QLatin1String(name));
        language::setTag(c, tag);
        druckLayout->addWidget(c);
        return c;
    };
    m_mitInzucht = box(9629, "mit Inzuchtliste drucken", "CheckInzuchtliste");
    m_mitVorfahren = box(9630, "mit Vorfahrenliste drucken", "CheckVorfahrenliste");
    m_mitKlon = box(9631, "mit Klonliste /Top Katzen drucken", "CheckKlonliste");
    auto druckKnopf = [&](int tag, const char* t, const char* name, auto slot) {
        auto* b = benannt(new QPushButton(text(tag, t), m_panelDrucken), QLatin1String(name));
        language::setTag(b, tag);
        connect(b, &QPushButton::clicked, this, slot);
        druckLayout->addWidget(b);
    };
    druckKnopf(9611, "&Drucken", "BitBtnBerichtDrucken", [this] { BerichtVorschau(); });
    druckKnopf(9632, "Als &PDF speichern", "BitBtnBerichtPdf", [this] { BerichtPdf(); });
    druckKnopf(9626, "Abbruch", "BitBtnDruckenAbbruch", [this] { m_panelDrucken->hide(); });
    m_panelDrucken->hide();
    haupt->addWidget(m_panelDrucken);

    // the six pages
    m_seiten = benannt(new QTabWidget(this), QStringLiteral("PageControl"));
    haupt->addWidget(m_seiten, 1);
    auto memo = [&](QWidget* eltern, const QString& name) {
        auto* m = benannt(new QPlainTextEdit(eltern), name);
        m->setReadOnly(true);
        return m;
    };
    auto nurLesen = [&](QWidget* eltern, const QString& name) {
        auto* e = benannt(new QLineEdit(eltern), name);
        e->setReadOnly(true);
        return e;
    };
    {
        auto* s = benannt(new QWidget, QStringLiteral("TabInzucht"));
        auto* l = new QVBoxLayout(s);
        m_memoInzucht = memo(s, QStringLiteral("MemoInzucht"));
        l->addWidget(m_memoInzucht, 1);
        auto* form = new QFormLayout;
        l->addLayout(form);
        m_prozent = nurLesen(s, QStringLiteral("EditProzent"));
        auto* lp = new QLabel(text(9620, "Der Inzuchtkoeffizient beträgt"), s);
        lp->setObjectName(QStringLiteral("LabelProzent"));
        language::setTag(lp, 9620);
        lp->setBuddy(m_prozent);
        form->addRow(lp, m_prozent);
        m_wright = nurLesen(s, QStringLiteral("EditWright"));
        auto* lw = new QLabel(text(9621, "Wright, alle bekannten Generationen"), s);
        lw->setObjectName(QStringLiteral("LabelWright"));
        language::setTag(lw, 9621);
        lw->setBuddy(m_wright);
        form->addRow(lw, m_wright);
        m_seiten->addTab(s, text(9614, "Inzuchtkoeffizient"));
    }
    {
        auto* s = benannt(new QWidget, QStringLiteral("TabAhnenverlust"));
        auto* l = new QVBoxLayout(s);
        m_memoAhnenverlust = memo(s, QStringLiteral("MemoAhnenverlust"));
        l->addWidget(m_memoAhnenverlust);
        m_seiten->addTab(s, text(9615, "Ahnenverlust"));
    }
    {
        auto* s = benannt(new QWidget, QStringLiteral("TabVorfahren"));
        auto* l = new QVBoxLayout(s);
        m_gitterVorfahren = benannt(new QTableWidget(0, 3, s), QStringLiteral("GridVorfahren"));
        m_gitterVorfahren->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_gitterVorfahren->verticalHeader()->hide();
        m_gitterVorfahren->horizontalHeader()->setSectionsClickable(true);
        m_gitterVorfahren->setColumnWidth(0, 300);
        connect(m_gitterVorfahren->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this](int spalte) {
                    if (spalte == 0) vorfahrenZeigen(QStringLiteral("IndexName"));
                    if (spalte == 1) vorfahrenZeigen(QStringLiteral("IndexAnzahl"));
                });
        l->addWidget(m_gitterVorfahren);
        m_seiten->addTab(s, text(9616, "Vorfahren"));
    }
    {
        auto* s = benannt(new QWidget, QStringLiteral("TabInfo"));
        auto* l = new QVBoxLayout(s);
        m_komplett = nurLesen(s, QStringLiteral("EditStammbaumkomplett"));
        l->addWidget(m_komplett);
        m_memoInfo = memo(s, QStringLiteral("MemoInfo"));
        l->addWidget(m_memoInfo, 1);
        m_seiten->addTab(s, text(9617, "Info"));
    }
    {
        auto* s = benannt(new QWidget, QStringLiteral("TabTopKatzen"));
        auto* l = new QVBoxLayout(s);
        m_splitter = benannt(new QSplitter(Qt::Horizontal, s), QStringLiteral("Splitter"));
        m_gitterTop = benannt(new QTableWidget(0, 3, m_splitter), QStringLiteral("GridTopKatzen"));
        m_gitterTop->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_gitterTop->verticalHeader()->hide();
        m_gitterTop->setMinimumWidth(70);
        m_gitterKlon = benannt(new QTableWidget(1, 2, m_splitter), QStringLiteral("GridKlon"));
        m_gitterKlon->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_gitterKlon->verticalHeader()->hide();
        m_gitterKlon->setColumnWidth(1, 300);
        m_gitterKlon->setMinimumWidth(100);
        m_splitter->setChildrenCollapsible(false);
        l->addWidget(m_splitter);
        m_seiten->addTab(s, text(9618, "Top Katzen / Klonanalyse"));
    }
    {
        auto* s = benannt(new QWidget, QStringLiteral("TabStammbaum"));
        auto* g = new QGridLayout(s);
        for (int gen = 1; gen <= 4; ++gen) {
            const int n = 1 << gen, hoehe = 16 / n;
            for (int k = 1; k <= n; ++k) {
                auto* label = benannt(new QLabel(s), QStringLiteral("g%1%2").arg(gen).arg(k));
                label->setFrameShape(QFrame::StyledPanel);
                label->setTextFormat(Qt::PlainText);
                g->addWidget(label, (k - 1) * hoehe, gen - 1, hoehe, 1);
                m_gLabels << label;
            }
        }
        m_seiten->addTab(s, text(9619, "Stammbaum"));
    }
    uebersetzt();
}

void TFormInzuchtgrad::uebersetzt() {
    setWindowTitle(text(9600, "Inzuchtgradberechnung"));
    const int tags[] = {9614, 9615, 9616, 9617, 9618, 9619};
    const char* vorgaben[] = {"Inzuchtkoeffizient",       "Ahnenverlust", "Vorfahren", "Info",
                              "Top Katzen / Klonanalyse", "Stammbaum"};
    // texte: feldname 9614-9619
    for (int i = 0; i < 6 && m_seiten; ++i)
        m_seiten->setTabText(i, text(tags[i], vorgaben[i]));
    if (m_gitterVorfahren)
        m_gitterVorfahren->setHorizontalHeaderLabels(
            {text(9622, "Name"), text(9623, "Anzahl"), text(9624, "Nummer")});
    if (m_gitterTop)
        m_gitterTop->setHorizontalHeaderLabels({text(9640, "Nr"), text(9622, "Name"), text(9639, "Anteil")});
    if (m_gitterKlon) m_gitterKlon->setHorizontalHeaderLabels({language::meldung(95), language::meldung(96)});
    if (m_mitInzucht) {
        const bool mit = hauptfenster().einstellungen().InzuchtmitVorfahren;
        m_mitInzucht->setVisible(mit);
        m_mitVorfahren->setVisible(mit);
    }
}

// ---------------------------------------------------------------- choosing

int TFormInzuchtgrad::art() const {
    return m_radioEltern && m_radioEltern->isChecked() ? 1 : 0;
}

void TFormInzuchtgrad::setzeArt(int a) {
    (a == 1 ? m_radioEltern : m_radioKatze)->setChecked(true);
    artGewechselt(a);
}

void TFormInzuchtgrad::artGewechselt(int a) {
    if (a == 0) {
        SatznummerVater = SatznummerMutter = 0;
    } else {
        SatznummerKatze = 0;
    }
    m_sucheKatze->setEnabled(a == 0);
    m_sucheVater->setEnabled(a == 1);
    m_sucheMutter->setEnabled(a == 1);
    // The field that cannot be chosen in this kind is greyed.
    for (auto [feld, aktiv] : {std::pair{m_katze, a == 0}, {m_vater, a == 1}, {m_mutter, a == 1}}) {
        QPalette p = feld->palette();
        p.setColor(QPalette::Base, palette().color(aktiv ? QPalette::Window : QPalette::Button));
        feld->setPalette(p);
    }
    namenAnzeigen();
    ergebnisseLeeren();
}

QString TFormInzuchtgrad::katzenName(qint32 nummer) const {
    if (!nummer) return {};
    store::Table t(hauptfenster().db(), QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    return t.findKey({nummer}) ? t.asString(QStringLiteral("Name")) : QString();
}

void TFormInzuchtgrad::namenAnzeigen() {
    m_katze->setText(katzenName(SatznummerKatze));
    m_vater->setText(katzenName(SatznummerVater));
    m_mutter->setText(katzenName(SatznummerMutter));
}

void TFormInzuchtgrad::katzeSetzen(qint32 nummer) {
    SatznummerKatze = nummer;
    SatznummerVater = SatznummerMutter = 0;
    try {
        store::Table t(hauptfenster().db(), QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        if (nummer && t.findKey({nummer})) {
            SatznummerVater = t.asInt(QStringLiteral("Vater"));
            SatznummerMutter = t.asInt(QStringLiteral("Mutter"));
        }
        namenAnzeigen();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
    }
}

void TFormInzuchtgrad::vaterSetzen(qint32 nummer) {
    SatznummerVater = nummer;
    m_vater->setText(katzenName(nummer));
}

void TFormInzuchtgrad::mutterSetzen(qint32 nummer) {
    SatznummerMutter = nummer;
    m_mutter->setText(katzenName(nummer));
}

int TFormInzuchtgrad::generationen() const {
    bool ok = false;
    const int g = m_generationen->text().trimmed().toInt(&ok);
    return !ok || g < 3 ? 3 : std::min(g, 255);
}

// The main window's double click: in cat mode the cat is computed at once, in parents mode it becomes
// the sire or the dam by its sex.
void TFormInzuchtgrad::registerKatze(int nummer) {
    if (!nummer) return;
    ergebnisseLeeren();
    if (art() == 0) {
        katzeSetzen(nummer);
        BerechnungClick();
        return;
    }
    store::Table t(hauptfenster().db(), QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    if (!t.findKey({nummer})) return;
    const QString sex = t.asString(QStringLiteral("Geschlecht"));
    if (sex == QLatin1String("1") || sex == QLatin1String("3"))
        vaterSetzen(nummer);
    else
        mutterSetzen(nummer);
}

// ---------------------------------------------------------------- results

void TFormInzuchtgrad::ergebnisseLeeren() {
    m_hatErgebnis = false;
    m_topGespeichert = false;
    m_stand = InzuchtStand{};
    if (!m_memoInzucht) return;
    m_prozent->clear();
    m_wright->clear();
    m_memoInzucht->clear();
    m_memoAhnenverlust->clear();
    m_memoInfo->clear();
    m_komplett->clear();
    klonGitterFuellen({});
    m_gitterTop->setRowCount(0);
    m_gitterVorfahren->setRowCount(0);
    for (QLabel* l : m_gLabels)
        l->clear();
}

void TFormInzuchtgrad::klonGitterFuellen(const QVector<KlonAnteil>& zeilen) {
    const QVector<KlonAnteil> z =
        zeilen.isEmpty() ? QVector<KlonAnteil>{{QStringLiteral("0"), QString()}} : zeilen;
    m_gitterKlon->setRowCount(int(z.size()));
    for (int r = 0; r < z.size(); ++r) {
        m_gitterKlon->setItem(r, 0, new QTableWidgetItem(z[r].Prozent));
        m_gitterKlon->setItem(r, 1, new QTableWidgetItem(z[r].Name));
    }
}

void TFormInzuchtgrad::vorfahrenZeigen(const QString& index) {
    m_gitterVorfahren->setRowCount(0);
    store::Table* t = m_vorfahrenZiel ? m_vorfahrenZiel->tabelle() : nullptr;
    if (!t) return;
    try {
        t->setIndexName(index);
        QList<QList<QTableWidgetItem*>> zeilen;
        for (t->first(); t->hasRecord() && !t->eof(); t->next()) {
            QList<QTableWidgetItem*> z{
                new QTableWidgetItem(t->asString(QStringLiteral("Name"))),
                new QTableWidgetItem(QString::number(t->value(QStringLiteral("Anzahl")).toLongLong())),
                new QTableWidgetItem(QString::number(t->asInt(QStringLiteral("Nummer"))))};
            if (!t->isNull(QStringLiteral("Farbe"))) {
                const int f = t->asInt(QStringLiteral("Farbe"));
                const QColor c(f & 0xff, (f >> 8) & 0xff, (f >> 16) & 0xff);
                for (QTableWidgetItem* i : z) {
                    i->setBackground(c);
                    i->setForeground(qGray(c.rgb()) < 128 ? Qt::white : Qt::black);
                }
            }
            zeilen << z;
        }
        m_gitterVorfahren->setRowCount(int(zeilen.size()));
        for (int r = 0; r < zeilen.size(); ++r)
            for (int c = 0; c < 3; ++c)
                m_gitterVorfahren->setItem(r, c, zeilen[r][c]);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("Vorfahrenliste.db"));
    }
}

void TFormInzuchtgrad::standAnzeigen() {
    const bool mit = hauptfenster().einstellungen().InzuchtmitVorfahren;
    m_memoAhnenverlust->setPlainText(m_stand.Ahnenverlust.join(QLatin1Char('\n')));
    m_prozent->setText(m_stand.Prozent);
    m_wright->setText(m_stand.Wright);
    m_komplett->setText(m_stand.Stammbaumkomplett);
    if (mit) {
        m_memoInzucht->setPlainText(m_stand.Inzucht.join(QLatin1Char('\n')));
        m_memoInfo->setPlainText(m_stand.Info.join(QLatin1Char('\n')));
    }
    klonGitterFuellen(m_stand.klon);
    m_gitterTop->setRowCount(int(m_stand.top.size()));
    for (int r = 0; r < m_stand.top.size(); ++r) {
        const TopKatzeAnteil& z = m_stand.top[r];
        m_gitterTop->setItem(r, 0, new QTableWidgetItem(QString::number(z.Nummern)));
        m_gitterTop->setItem(r, 1, new QTableWidgetItem(z.Name));
        m_gitterTop->setItem(r, 2, new QTableWidgetItem(z.Anzahl));
    }
    if (mit) vorfahrenZeigen(QStringLiteral("IndexName"));
}

// ---------------------------------------------------------------- calculation

void TFormInzuchtgrad::BerechnungClick() {
    warten();
    ergebnisseLeeren();
    m_generationen->setText(QString::number(generationen()));
    laufStarten();
}

void TFormInzuchtgrad::laufStarten() {
    // Sire and dam must be registered; nothing runs otherwise.
    {
        store::Table t(hauptfenster().db(), QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        if (!SatznummerVater || !SatznummerMutter || !t.findKey({SatznummerVater}) ||
            !t.findKey({SatznummerMutter})) {
            Meldungsdienst::nachricht(83, MeldungsArt::Information);
            emit berechnungFertig(false);
            return;
        }
    }
    const settings::tsysteminfo& e = hauptfenster().einstellungen();
    auto* lauf = new InzuchtLauf;
    lauf->verzeichnis = hauptfenster().db().directory();
    lauf->tier = SatznummerKatze;
    lauf->vater = SatznummerVater;
    lauf->mutter = SatznummerMutter;
    lauf->generationen = static_cast<quint8>(generationen());
    lauf->mitVorfahren = e.InzuchtmitVorfahren;
    lauf->merkmalVorTop = e.MerkmalvorTop;
    lauf->locale = QLocale();
    for (int n : kLaufTexte)
        lauf->texte.insert(n, language::meldung(n));
    m_abbruch = std::make_shared<std::atomic<bool>>(false);
    lauf->abbruch = m_abbruch;
    if (!m_fortschritt) {
        m_fortschritt = new InzuchtFortschrittFenster(this);
        m_fortschritt->setAccessibleName(m_fortschritt->objectName());
    }
    m_fortschritt->abbrechen = [this] {
        // The window answers at once: the run's result is dropped, the worker stops at its next step.
        if (m_abbruch) *m_abbruch = true;
        m_verworfen = true;
        if (m_fortschritt) m_fortschritt->hide();
    };
    lauf->fenster = m_fortschritt;
    m_verworfen = false;
    m_lauf = lauf;
    hauptfenster().InzuchtBerechne = true;
    m_fortschritt->zeigen(true);
    m_thread = QThread::create([lauf] { lauf->rechnen(); });
    m_thread->setObjectName(QStringLiteral("Inzuchtberechnung"));
    connect(m_thread, &QThread::finished, this, &TFormInzuchtgrad::laufFertig, Qt::QueuedConnection);
    m_thread->start();
}

void TFormInzuchtgrad::warten() {
    if (!m_thread) return;
    if (m_abbruch) *m_abbruch = true;
    m_verworfen = true;
    m_thread->wait();
    laufFertig();
}

void TFormInzuchtgrad::laufFertig() {
    if (!m_thread) return;
    m_thread->wait();
    m_thread->disconnect(this);
    delete m_thread;
    m_thread = nullptr;
    std::unique_ptr<InzuchtLauf> lauf(m_lauf);
    m_lauf = nullptr;
    hauptfenster().InzuchtBerechne = false;
    if (m_fortschritt) m_fortschritt->zeigen(false);
    if (m_verworfen || !lauf->ergebnis) {
        if (!m_verworfen && !lauf->meldung.isEmpty())
            Meldungsdienst::zeigen(lauf->fehler ? MeldungsArt::Fehler : MeldungsArt::Information, 0,
                                   lauf->meldung);
        emit berechnungFertig(false);
        return;
    }
    InzuchtStand& s = m_stand;
    s = InzuchtStand{};
    s.Art = art();
    s.Nummer = SatznummerKatze;
    s.Vater = m_vater->text();
    s.VaterNr = SatznummerVater;
    s.Mutter = m_mutter->text();
    s.MutterNr = SatznummerMutter;
    s.Generation = lauf->generationen;
    s.Inzucht = lauf->inzucht;
    s.Prozent = lauf->koeffizient;
    s.Ahnenverlust = lauf->ahnenverlust;
    s.Stammbaumkomplett = lauf->komplett;
    s.Info = lauf->info;
    s.Wright = lauf->wright;
    for (const QString& zeile : lauf->clon) {
        const qsizetype i = zeile.indexOf(QLatin1Char('/'));
        s.klon.push_back(i >= 0 ? KlonAnteil{zeile.left(i), zeile.mid(i + 1)} : KlonAnteil{zeile, QString()});
    }
    for (int r = 0; r < lauf->top.size(); ++r)
        s.top.push_back(
            {lauf->top[r].LaufendeNummer, katzenName(lauf->top[r].Katze), lauf->topAnteil.value(r)});
    s.vorfahren = lauf->vorfahren;
    m_namen = lauf->namen;
    if (lauf->mitVorfahren) {
        if (m_vorfahrenZiel->neuAnlegen())
            m_vorfahrenZiel->schreiben(s.vorfahren);
        else
            Meldungsdienst::zeigen(MeldungsArt::Fehler, 11,
                                   language::meldung(11) + QStringLiteral(" Vorfahrenliste"));
    }
    m_hatErgebnis = true;
    standAnzeigen();
    for (int i = 0; i < m_gLabels.size() && i < int(m_namen.size()); ++i)
        m_gLabels[i]->setText(m_namen[size_t(i)]);
    emit berechnungFertig(true);
}

// ---------------------------------------------------------------- stored calculations

void TFormInzuchtgrad::SpeichernClick() {
    if (!m_hatErgebnis || laeuft()) return;
    QString name;
    if (art() == 1) {
        QString vorschlag = m_vater->text() + QLatin1Char('_') + m_mutter->text();
        while (true) {
            bool ok = false;
            name = nameFragen(vorschlag, ok).trimmed();
            if (!ok) return;
            if (!name.isEmpty()) break;
            Meldungsdienst::nachricht(86, MeldungsArt::Fehler);
            vorschlag.clear();
        }
    } else {
        name = m_katze->text();
    }
    try {
        InzuchtSpeicher speicher(hauptfenster().db());
        speicher.tabellenAnlegen();
        const std::optional<qint32> alt = speicher.finden(name.left(70), m_stand.Generation);
        if (alt && !Meldungsdienst::ja(85, MeldungsArt::Warnung)) return;
        m_stand.Name = name;
        speicher.speichern(m_stand, alt);
        Meldungsdienst::nachricht(87, MeldungsArt::Information);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("Inzuchtgrad.db"));
    }
}

void TFormInzuchtgrad::listeZeigen(bool zeigen) {
    m_panelListe->setVisible(zeigen);
    if (!zeigen) return;
    m_liste->clear();
    for (const GespeicherteBerechnung& b : m_gespeichert)
        m_liste->addItem(b.Name + QStringLiteral(" (") + QString::number(b.Generation) + QLatin1Char(')'));
    if (m_liste->count()) m_liste->setCurrentRow(0);
    m_liste->setFocus();
}

void TFormInzuchtgrad::LadenClick() {
    try {
        m_gespeichert = InzuchtSpeicher(hauptfenster().db()).liste();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("Inzuchtgrad.db"));
        return;
    }
    if (m_gespeichert.isEmpty()) {
        m_panelListe->hide();
        Meldungsdienst::nachricht(84, MeldungsArt::Information);
        return;
    }
    listeZeigen(true);
}

void TFormInzuchtgrad::ListeLadenClick() {
    const int zeile = m_liste->currentRow();
    if (zeile < 0 || zeile >= m_gespeichert.size() || laeuft()) return;
    InzuchtStand s;
    try {
        InzuchtSpeicher speicher(hauptfenster().db());
        if (!speicher.laden(m_gespeichert[zeile].LaufendeNummer, s)) return;
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("Inzuchtgrad.db"));
        return;
    }
    setzeArt(s.Art); // empties the result fields
    SatznummerKatze = s.Nummer;
    SatznummerVater = s.VaterNr;
    SatznummerMutter = s.MutterNr;
    m_katze->setText(s.Art == 0 ? katzenName(s.Nummer) : QString());
    if (s.Art == 0 && m_katze->text().isEmpty()) m_katze->setText(s.Name);
    m_vater->setText(s.Vater);
    m_mutter->setText(s.Mutter);
    m_generationen->setText(QString::number(s.Generation));
    m_stand = s;
    m_topGespeichert = !s.top.isEmpty();
    if (s.top.isEmpty()) {
        // No stored shares: the live top-cat list, without counts of this calculation.
        store::Table t(hauptfenster().db(), QStringLiteral("topkatze"));
        if (t.exists()) {
            t.open(store::Table::OpenMode::ReadOnly);
            for (t.first(); t.hasRecord() && !t.eof() && m_stand.top.size() < 5; t.next())
                m_stand.top.push_back({t.asInt(QStringLiteral("LaufendeNummer")),
                                       katzenName(t.asInt(QStringLiteral("Katze"))), QString()});
        }
    }
    if (m_vorfahrenZiel->neuAnlegen()) m_vorfahrenZiel->schreiben(s.vorfahren);
    m_hatErgebnis = true;
    standAnzeigen();
    m_stand.top = s.top; // what is stored again is what was loaded
    listeZeigen(false);
}

void TFormInzuchtgrad::ListeLoeschenClick() {
    const int zeile = m_liste->currentRow();
    if (zeile < 0 || zeile >= m_gespeichert.size()) return;
    if (!Meldungsdienst::ja(28, MeldungsArt::Warnung)) return;
    try {
        InzuchtSpeicher speicher(hauptfenster().db());
        speicher.loeschen(m_gespeichert[zeile].LaufendeNummer);
        m_gespeichert = speicher.liste();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("Inzuchtgrad.db"));
        return;
    }
    listeZeigen(!m_gespeichert.isEmpty());
}

// ---------------------------------------------------------------- report

void TFormInzuchtgrad::DruckenClick() {
    for (QCheckBox* c : {m_mitInzucht, m_mitVorfahren, m_mitKlon})
        c->setChecked(false);
    uebersetzt();
    m_panelDrucken->show();
}

printing::Bericht TFormInzuchtgrad::bericht() const {
    printing::Listenbericht liste;
    const settings::tsysteminfo& e = hauptfenster().einstellungen();
    printing::Raender r;
    if (e.StammbaumLinkerRand > 0) r.links = e.StammbaumLinkerRand;
    if (e.StammbaumRechterRand > 0) r.rechts = e.StammbaumRechterRand;
    if (e.StammbaumObererRand > 0) r.oben = e.StammbaumObererRand;
    if (e.StammbaumUntererRand > 0) r.unten = e.StammbaumUntererRand;
    liste.setSeitenformat(printing::Bericht::a4(), printing::Seitenausrichtung::Hochformat, r);
    liste.setTitel(text(9600, "Inzuchtgradberechnung"));
    printing::Spalte spalte;
    spalte.breite = printing::Bericht::a4().width() - r.links - r.rechts;
    liste.setSpalten({spalte});
    liste.setTextbreite(printing::schriftMessung());
    const bool mit = e.InzuchtmitVorfahren;
    auto zeile = [&](const QString& t) { liste.textzeile({t}); };
    zeile(text(9602, "Katze") + QStringLiteral(": ") + m_katze->text());
    zeile(text(9635, "Vater") + QStringLiteral(": ") + m_vater->text());
    zeile(text(9636, "Mutter") + QStringLiteral(": ") + m_mutter->text());
    zeile(text(9637, "Generationen") + QStringLiteral(": ") + m_generationen->text());
    zeile(text(9620, "Der Inzuchtkoeffizient beträgt") + QLatin1Char(' ') + m_stand.Prozent.trimmed());
    zeile(text(9621, "Wright, alle bekannten Generationen") + QLatin1Char(' ') + m_stand.Wright.trimmed());
    for (const QString& z : m_stand.Ahnenverlust)
        zeile(z);
    if (mit && m_mitInzucht->isChecked()) {
        zeile(QString());
        for (const QString& z : m_stand.Inzucht)
            zeile(z);
    }
    if (mit && m_mitVorfahren->isChecked()) {
        zeile(QString());
        for (int i = 0; i < m_gitterVorfahren->rowCount(); ++i)
            zeile(m_gitterVorfahren->item(i, 0)->text() + QStringLiteral(" : ") +
                  m_gitterVorfahren->item(i, 1)->text());
    }
    if (m_mitKlon->isChecked()) {
        zeile(QString());
        for (int i = 0; i < m_gitterTop->rowCount(); ++i) {
            zeile(m_gitterTop->item(i, 0)->text() + QStringLiteral(" - ") + m_gitterTop->item(i, 1)->text());
            zeile(QStringLiteral("     ") + m_gitterTop->item(i, 2)->text());
        }
        for (int i = 0; i < m_gitterKlon->rowCount(); ++i)
            zeile(m_gitterKlon->item(i, 0)->text() + QLatin1Char(' ') + m_gitterKlon->item(i, 1)->text());
    }
    printing::Bericht b = liste.erstellen();
    b.setTitel(text(9600, "Inzuchtgradberechnung"));
    return b;
}

void TFormInzuchtgrad::BerichtVorschau() {
    vorschau(bericht());
}

void TFormInzuchtgrad::BerichtPdf() {
    const QString datei = pdfDateiWaehlen();
    if (datei.isEmpty()) return;
    QString fehler;
    if (!printing::alsPdfSpeichern(bericht(), datei, &fehler))
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
}

// ---------------------------------------------------------------- registration

void inzuchtgradRegistrieren() {
    fensterartRegistrieren({QLatin1String(kName), QStringLiteral("MenueVerwaltung"), 113,
                            QStringLiteral("&Inzuchtgrad"),
                            [](TRahmen& h) { return new TFormInzuchtgrad(h); }});
}

} // namespace velmora::genealogy
