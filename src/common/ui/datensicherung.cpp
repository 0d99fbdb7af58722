#include "common/ui/datensicherung.h"

#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/startup.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace velmora::common {

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

template <typename W> W* benannt(W* w, const QString& name) {
    w->setObjectName(name);
    w->setAccessibleName(name);
    return w;
}

QPushButton* knopf(QWidget* eltern, int tag, const char* t, const char* name) {
    auto* b = benannt(new QPushButton(text(tag, t), eltern), QLatin1String(name));
    language::setTag(b, tag);
    return b;
}

Antwort frage(int nummer, const char* vorgabe) {
    return Meldungsdienst::zeigen(MeldungsArt::Information, nummer,
                                  language::meldung(nummer, QString::fromUtf8(vorgabe)), Knoepfe::JaNein);
}

void fehler(int nummer, const char* vorgabe, const QString& zusatz = {}) {
    QString t = language::meldung(nummer, QString::fromUtf8(vorgabe));
    if (!zusatz.isEmpty()) t += QLatin1Char('\r') + zusatz;
    Meldungsdienst::zeigen(MeldungsArt::Fehler, nummer, t);
}

// While a restore runs, input to every other window is held back: no window may reopen a table on a
// directory that is half copied.
class Eingabesperre : public QObject {
public:
    explicit Eingabesperre(QWidget* frei) : m_frei(frei) { qApp->installEventFilter(this); }
    ~Eingabesperre() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut: {
            auto* w = qobject_cast<QWidget*>(o);
            return w && w != m_frei && !m_frei->isAncestorOf(w) && !w->inherits("QMessageBox") &&
                   !(w->window() && w->window()->inherits("QMessageBox"));
        }
        default:
            return false;
        }
    }

private:
    QWidget* m_frei;
};

} // namespace

// ---------------------------------------------------------------- shared

TSicherungsFenster::TSicherungsFenster(TRahmen& h, const QString& name, int tag, int hilfe)
    : TKindFenster(h, name, tag), m_hilfe(hilfe) {
    auto* haupt = new QHBoxLayout(this);
    m_spalte = new QVBoxLayout;
    haupt->addLayout(m_spalte, 1);
    auto* form = new QFormLayout;
    m_spalte->addLayout(form);

    m_laufwerk = benannt(new QComboBox(this), QStringLiteral("DriveComboBox"));
    for (const QFileInfo& d : QDir::drives())
        m_laufwerk->addItem(QDir::toNativeSeparators(d.absoluteFilePath()), d.absoluteFilePath());
    auto* lw = new QLabel(text(9811, "Laufwerk"), this);
    language::setTag(lw, 9811);
    lw->setBuddy(m_laufwerk);
    form->addRow(lw, m_laufwerk);

    m_pfad = benannt(new QLineEdit(this), QStringLiteral("EditVerzeichnis"));
    auto* pl = new QLabel(text(9812, "Verzeichnis"), this);
    language::setTag(pl, 9812);
    pl->setBuddy(m_pfad);
    form->addRow(pl, m_pfad);

    m_liste = benannt(new QListWidget(this), QStringLiteral("DirectoryListBox"));
    auto* ll = new QLabel(text(9814, "Verzeichnisse"), this);
    language::setTag(ll, 9814);
    ll->setBuddy(m_liste);
    m_spalte->addWidget(ll);
    m_spalte->addWidget(m_liste, 1);

    m_panel = benannt(new QFrame(this), QStringLiteral("PanelFortschritt"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    auto* pv = new QVBoxLayout(m_panel);
    m_balken = benannt(new QProgressBar(m_panel), QStringLiteral("ProgressBar"));
    m_zeile = benannt(new QLabel(m_panel), QStringLiteral("LabelFortschritt"));
    pv->addWidget(m_balken);
    pv->addWidget(m_zeile);
    m_panel->hide();
    m_spalte->addWidget(m_panel);

    auto* knoepfe = new QVBoxLayout;
    haupt->addLayout(knoepfe);
    m_start = knopf(this, 9800, "&Start", "BitBtnStart");
    m_abbruch = knopf(this, 9801, "&Abbruch", "BitBtnAbbruch");
    QPushButton* hilfeKnopf = knopf(this, 9802, "&Hilfe", "BitBtnHilfe");
    QPushButton* zurueck = knopf(this, 9803, "&Zurück", "BitBtnZurueck");
    for (QPushButton* b : {m_start, m_abbruch, hilfeKnopf, zurueck})
        knoepfe->addWidget(b);
    knoepfe->addStretch();
    m_abbruch->setEnabled(false);

    connect(m_laufwerk, &QComboBox::activated, this,
            [this](int i) { setVerzeichnis(m_laufwerk->itemData(i).toString()); });
    connect(m_pfad, &QLineEdit::editingFinished, this, [this] { listeFuellen(); });
    connect(m_liste, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) {
        setVerzeichnis(QDir::cleanPath(QDir(verzeichnis()).filePath(it->text())));
    });
    // "&Abbruch" only raises the flag; the worker stops before its next entry.
    connect(m_abbruch, &QPushButton::clicked, this, [this] {
        m_abbrechen = true;
        m_abbruch->setEnabled(false);
    });
    connect(hilfeKnopf, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(m_hilfe); });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        if (laeuft()) return;
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    setVerzeichnis(QDir::homePath());
}

TSicherungsFenster::~TSicherungsFenster() {
    if (m_lauf) {
        m_abbrechen = true;
        m_lauf->wait();
    }
}

QString TSicherungsFenster::verzeichnis() const { return QDir::fromNativeSeparators(m_pfad->text().trimmed()); }

void TSicherungsFenster::setVerzeichnis(const QString& pfad) {
    m_pfad->setText(QDir::toNativeSeparators(pfad));
    listeFuellen();
}

void TSicherungsFenster::listeFuellen() {
    m_liste->clear();
    const QDir d(verzeichnis());
    if (!d.exists()) return;
    if (!d.isRoot()) m_liste->addItem(QStringLiteral(".."));
    m_liste->addItems(d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

void TSicherungsFenster::knoepfeLaufend(bool laufend) {
    m_start->setEnabled(!laufend);
    m_abbruch->setEnabled(laufend);
}

void TSicherungsFenster::schliessen() {
    if (!m_lauf) return;
    // A closing window waits for its run: a restore stopped here puts the current files back.
    m_abbrechen = true;
    m_lauf->wait();
}

void TSicherungsFenster::starten(std::function<void(const store::Steuerung&)> arbeit,
                                 std::function<void()> fertig) {
    m_abbrechen = false;
    knoepfeLaufend(true);
    m_balken->setValue(0);
    m_zeile->clear();
    m_panel->show();
    m_lauf = QThread::create([this, arbeit = std::move(arbeit)] {
        store::Steuerung s;
        s.abbruch = &m_abbrechen;
        s.fortschritt = [this](const store::Fortschritt& f) {
            if (beiFortschritt) beiFortschritt(f);
            QMetaObject::invokeMethod(this, [this, f] { fortschrittZeigen(f); }, Qt::QueuedConnection);
        };
        s.fehler = [this](const store::DateiFehler& f) {
            QMetaObject::invokeMethod(this, [this, f] { fehlerZeigen(f); }, Qt::QueuedConnection);
        };
        arbeit(s);
    });
    connect(m_lauf, &QThread::finished, this, [this, fertig = std::move(fertig)] {
        m_lauf->wait();
        m_lauf->deleteLater();
        m_lauf = nullptr;
        m_panel->hide();
        knoepfeLaufend(false);
        fertig();
    });
    m_lauf->start();
}

void TSicherungsFenster::fortschrittZeigen(const store::Fortschritt& f) {
    if (m_balken->maximum() != f.gesamt || f.nummer == 1) {
        m_balken->setMaximum(std::max(f.gesamt, 1));
        m_balken->setValue(0);
    }
    m_balken->setValue(f.nummer);
    const QString aktion =
        f.aktion == store::Fortschritt::Aktion::Kopiere ? text(9807, "Kopiere") : text(9808, "Lösche");
    m_zeile->setText(QStringLiteral("%1 %2 %3 %4 %5 %6")
                         .arg(aktion, f.datei, text(9809, "Datei"))
                         .arg(f.nummer)
                         .arg(text(9810, "von"))
                         .arg(f.gesamt));
}

void TSicherungsFenster::fehlerZeigen(const store::DateiFehler& f) {
    if (f.art == store::DateiFehler::Art::Loeschen)
        fehler(3701, "Fehler beim Löschen der Datei:", f.datei);
    else
        fehler(3700, "Fehler beim Kopieren der Datei:", f.datei);
}

// ---------------------------------------------------------------- backup

FormDatensicherung::FormDatensicherung(TRahmen& h)
    : TSicherungsFenster(h, QStringLiteral("FormDatensicherung"), 160, 195) {
    setWindowTitle(text(160, "Datensicherung"));
    m_neu = knopf(this, 9804, "Neues Verzeichnis anlegen", "ButtonNeuesVerzeichnis");
    spalte()->insertWidget(2, m_neu);
    m_neuPanel = benannt(new QFrame(this), QStringLiteral("PanelNeuesVerzeichnis"));
    m_neuPanel->setFrameShape(QFrame::StyledPanel);
    auto* nl = new QHBoxLayout(m_neuPanel);
    m_neuName = benannt(new QLineEdit(m_neuPanel), QStringLiteral("EditNeuesVerzeichnis"));
    auto* label = new QLabel(text(9813, "Name"), m_neuPanel);
    language::setTag(label, 9813);
    label->setBuddy(m_neuName);
    m_neuOk = knopf(m_neuPanel, 9805, "&OK", "BitBtnNeuOk");
    QPushButton* neuAbbruch = knopf(m_neuPanel, 9806, "&Abbruch", "BitBtnNeuAbbruch");
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(m_neuName),
                       static_cast<QWidget*>(m_neuOk), static_cast<QWidget*>(neuAbbruch)})
        nl->addWidget(w);
    m_neuPanel->hide();
    spalte()->insertWidget(3, m_neuPanel);

    connect(m_neu, &QPushButton::clicked, this, [this] {
        m_neuName->clear();
        m_neuPanel->show();
        m_neuName->setFocus();
    });
    connect(m_neuOk, &QPushButton::clicked, this, [this] { neuAnlegen(); });
    connect(m_neuName, &QLineEdit::returnPressed, this, [this] { neuAnlegen(); });
    connect(neuAbbruch, &QPushButton::clicked, m_neuPanel, &QWidget::hide);
    connect(startKnopf(), &QPushButton::clicked, this, [this] { startClick(); });
}

void FormDatensicherung::neuAnlegen() {
    m_neuPanel->hide();
    const QString name = m_neuName->text().trimmed();
    const QString neu = QDir(verzeichnis()).filePath(name);
    if (name.isEmpty() || QFileInfo::exists(neu) || !QDir().mkdir(neu)) {
        Meldungsdienst::nachricht(34, MeldungsArt::Fehler);
        return;
    }
    setVerzeichnis(neu);
}

void FormDatensicherung::startClick() {
    const QString ziel = verzeichnis(), quelle = hauptfenster().db().directory();
    if (!QFileInfo(ziel).isDir()) {
        Meldungsdienst::nachricht(34, MeldungsArt::Fehler);
        return;
    }
    // The tables stay open: each table file is copied as a snapshot.
    starten([this, quelle, ziel](const store::Steuerung& s) { m_ergebnis = store::datenSichern(quelle, ziel, s); },
            [this] {
                if (m_ergebnis.abgebrochen) return;
                if (m_ergebnis.ok())
                    Meldungsdienst::zeigen(MeldungsArt::Information, 3709,
                                           language::meldung(3709, QStringLiteral("Datensicherung beendet und "
                                                                                  "geprüft. Dateien:")) +
                                               QLatin1Char(' ') + QString::number(m_ergebnis.dateien));
                else
                    fehler(3714, "Datensicherung nicht vollständig: es wurden Fehler gemeldet.");
            });
}

// ---------------------------------------------------------------- restore

FormDatenruecksicherung::FormDatenruecksicherung(TRahmen& h)
    : TSicherungsFenster(h, QStringLiteral("FormDatenruecksicherung"), 1095, 194) {
    setWindowTitle(text(1095, "Datenrücksicherung"));
    connect(startKnopf(), &QPushButton::clicked, this, [this] { startClick(); });
}

void FormDatenruecksicherung::startClick() {
    const QString sicherung = verzeichnis();
    store::Database& db = hauptfenster().db();
    const QString daten = db.directory();
    if (!QFileInfo(store::Database::tableFilePath(sicherung, QStringLiteral("catstamm"))).isFile()) {
        fehler(3702, "Dies ist kein Tessaro Sicherungsverzeichnis!");
        return;
    }
    if (frage(3703, "Wirklich zurückspielen?") != Antwort::Ja) return;
    if (store::sicherungAelter(sicherung, daten) &&
        frage(3704, "Tierdatenbank ist älter als aktuelle Datei! Wirklich ersetzen?") != Antwort::Ja)
        return;
    // Every table of the system closes: the other windows close as the user would close them (pending
    // edits are stored), then the connection; the register comes back afterwards.
    m_registerOffen = hauptfenster().fenster(QStringLiteral("FormCatStamm")) != nullptr;
    for (TKindFenster* w : hauptfenster().findChildren<TKindFenster*>()) {
        if (w == this) continue;
        if (auto* rahmen = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            rahmen->close();
        else
            w->close();
    }
    // The closed windows go now, so none of them outlives the register that comes back.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    db.disconnect();
    const QString sicherheit =
        !this->sicherheit.isEmpty()
            ? this->sicherheit
            : QDir::cleanPath(store::sicherheitsVerzeichnis(QDir(daten).absoluteFilePath(QStringLiteral(".."))));
    auto sperre = std::make_shared<Eingabesperre>(this);
    starten(
        [this, sicherung, daten, sicherheit](const store::Steuerung& s) {
            m_ergebnis = store::datenZuruecksichern(sicherung, daten, sicherheit, s);
        },
        [this, sperre, sicherheit]() mutable {
            sperre.reset();
            using Art = store::RuecksicherungsErgebnis::Art;
            switch (m_ergebnis.art) {
            case Art::Ok:
                Meldungsdienst::zeigen(MeldungsArt::Information, 3710,
                                       language::meldung(3710, QStringLiteral("Datenrücksicherung beendet.")));
                break;
            case Art::Ungeprueft:
                fehler(3705, "Die Sicherung ist beschädigt; es wurde nichts verändert:",
                       m_ergebnis.befund.datei + QStringLiteral(": ") + m_ergebnis.befund.text);
                break;
            case Art::SicherungFehlt:
                fehler(3706, "Die Sicherheitskopie ist nicht gelungen; es wurde nichts verändert.");
                break;
            case Art::Zurueckgeholt:
                fehler(3707, "Rücksicherung nicht vollständig: die bisherigen Dateien sind zurückgeholt.");
                break;
            case Art::Unvollstaendig:
                fehler(3708, "Die bisherigen Dateien konnten nicht zurückgeholt werden. Sie liegen in:",
                       QDir::toNativeSeparators(sicherheit));
                // Nothing may open on a half-restored directory: the marker makes the next start try again.
                hauptfenster().ProgrammEnde = true;
                hauptfenster().close();
                return;
            case Art::Abgebrochen:
                break;
            }
            wiederOeffnen();
        });
}

void FormDatenruecksicherung::wiederOeffnen() {
    store::Database& db = hauptfenster().db();
    store::StartBericht b;
    b.fehler = [this](const store::DatabaseError& e, const QString& datei) { fehlerDialog().HandleException(e, datei); };
    b.meldung = [](int nummer) { Meldungsdienst::nachricht(nummer, MeldungsArt::Fehler); };
    // As at start-up: the main window's tables, the shared data module, the register's.
    store::schritteAusfuehren(db, store::hauptfensterSchritte(), b);
    if (TDatenGlobal* dg = hauptfenster().datenGlobal()) dg->Dateienoeffnen();
    store::schritteAusfuehren(db, store::registerSchritte(), b);
    if (Katzenauswahl* l = hauptfenster().katzenListe()) l->neuLaden();
    if (m_registerOffen) {
        hauptfenster().FensterZeigen(QStringLiteral("FormCatStamm"));
        // This window stays in front.
        if (auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget())) rahmen->raise();
    }
}

void sicherungsfensterRegistrieren() {
    const QString menue = QStringLiteral("MenueExtras");
    fensterartRegistrieren({QStringLiteral("FormDatensicherung"), menue, 160, QStringLiteral("Datensicherung"),
                            [](TRahmen& h) { return new FormDatensicherung(h); }});
    fensterartRegistrieren({QStringLiteral("FormDatenruecksicherung"), menue, 1095,
                            QStringLiteral("Datenrücksicherung"),
                            [](TRahmen& h) { return new FormDatenruecksicherung(h); }});
}

} // namespace velmora::common
