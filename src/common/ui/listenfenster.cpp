#include "common/ui/listenfenster.h"

#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/ui/dberror.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

using store::Table;

// texte: meldung 28 29

TListenFenster::TListenFenster(TRahmen& hauptfenster, const QString& fensterName, int tag,
                               QString tabellenName, QString indexName)
    : TKindFenster(hauptfenster, fensterName, tag), m_tabellenName(std::move(tabellenName)),
      m_indexName(std::move(indexName)) {}

TListenFenster::~TListenFenster() {
    // Destroyed without being closed: the pending change must not be lost with the cursor.
    if (!m_geschlossen) TListenFenster::schliessen();
}

bool TListenFenster::oeffnen() {
    m_tabelle = std::make_unique<Table>(hauptfenster().db(), m_tabellenName);
    try {
        m_tabelle->open();
        m_tabelle->setIndexName(m_indexName);
        m_tabelle->first();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
        m_tabelle.reset();
        return false;
    }

    m_tabelle->beforePost = [this](Table& t) {
        // A row opened for editing but left unchanged is not worth a question.
        if (t.state() == Table::State::Edit && !t.isModified()) {
            t.cancel();
            return;
        }
        if (!aenderungErlaubt()) {
            t.cancel();
            return;
        }
        if (!hauptfenster().einstellungen().speichern &&
            Meldungsdienst::nachricht(29, MeldungsArt::Warnung, Knoepfe::JaNein) != Antwort::Ja)
            t.cancel();
    };
    m_tabelle->afterPost = [this](Table& t) {
        m_gepostet = true;
        t.flush();
        nachPost();
    };
    m_tabelle->onPostError = [this](Table& t, const store::EngineError& e) {
        // Too long for its field: the text stays in the row being edited, so the user can shorten it.
        if (e.code() == store::code::ValueTooLong) return Table::ErrorAction::Fail;
        return store::ui::postFehlerBehandeln(fehlerDialog(), t, e);
    };

    // The binder chains onto the hooks above: a pending half date refuses the store before any question.
    m_bindung = std::make_unique<FeldBindung>(*m_tabelle);
    m_bindung->fehlerAnzeige = [this](const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
    };
    m_bindung->neuerDatensatz = [this] {
        m_tabelle->append();
        neueZeileVorbelegen();
        return true;
    };
    connect(m_bindung.get(), &FeldBindung::feldGeaendert, this, [this] {
        datensatzAngezeigt();
        knoepfeSetzen();
    });
    connect(m_bindung.get(), &FeldBindung::geaendertGewechselt, this, [this] { knoepfeSetzen(); });
    // A move by the navigator (or the cursor itself) shows in the grid and the buttons.
    connect(m_bindung.get(), &FeldBindung::datensatzGeladen, this, [this] {
        if (m_sperre) return;
        zeileMarkieren();
        datensatzAngezeigt();
        knoepfeSetzen();
    });

    m_modell = new TabellenModell(*m_tabelle, spalten(), this);
    m_modell->setBearbeitbar(true);
    leserOeffnen();
    m_modell->fehlerBehandlung = [this](const std::exception& e) {
        fehlerBehandeln(e);
        QMetaObject::invokeMethod(
            this, [this] { nachAenderung(); }, Qt::QueuedConnection);
    };
    connect(m_modell, &TabellenModell::keineZahl, this,
            [this](int spalte) { keineZahlMelden(m_modell->spalten().value(spalte).titel); });
    m_gitter = new QTableView(this);
    m_gitter->setObjectName(QStringLiteral("DBGrid"));
    m_gitter->setModel(m_modell);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->verticalHeader()->setDefaultSectionSize(m_gitter->fontMetrics().height() + 6);
    m_gitter->horizontalHeader()->setStretchLastSection(true);
    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& aktuell) {
                if (!m_sperre && aktuell.isValid()) gitterZeileGewaehlt(aktuell.row());
            });
    connect(m_modell, &QAbstractItemModel::dataChanged, this, [this] {
        if (m_sperre) return;
        m_sperre = true;
        for (auto& [edit, feld] : m_felder)
            if (m_tabelle->hasRecord() || m_tabelle->state() == Table::State::Insert)
                edit->setText(m_tabelle->asString(feld));
        m_bindung->neuLaden();
        m_sperre = false;
        datensatzAngezeigt();
        knoepfeSetzen();
    });

    auto* haupt = new QVBoxLayout(this);
    auto* inhalt = new QVBoxLayout;
    haupt->addLayout(inhalt, 1);
    aufbauen(inhalt);

    auto* reihe = new QHBoxLayout;
    auto knopf = [this, reihe](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        reihe->addWidget(b);
        return b;
    };
    m_hinzufuegen = knopf("BitBtnHinzufuegen", QStringLiteral("H&inzufügen"));
    language::setTag(m_hinzufuegen, 8610);
    m_rueckgaengig = knopf("BitBtnRueckgaengig", QStringLiteral("R&ückgängig"));
    language::setTag(m_rueckgaengig, 8611);
    m_loeschen = knopf("BitBtnLoeschen", QStringLiteral("L&öschen"));
    language::setTag(m_loeschen, 8612);
    zusatzKnoepfe(reihe);
    reihe->addStretch(1);
    m_hilfe = knopf("BitBtnHilfe", QStringLiteral("&Hilfe"));
    language::setTag(m_hilfe, 8613);
    m_zurueck = knopf("BitBtnZurueck", QStringLiteral("&Zurück"));
    language::setTag(m_zurueck, 8614);
    haupt->addLayout(reihe);

    connect(m_hinzufuegen, &QPushButton::clicked, this, &TListenFenster::hinzufuegen);
    connect(m_rueckgaengig, &QPushButton::clicked, this, &TListenFenster::rueckgaengig);
    connect(m_loeschen, &QPushButton::clicked, this, &TListenFenster::loeschen);
    connect(m_hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(hilfeThema()); });
    connect(m_zurueck, &QPushButton::clicked, this, &QWidget::close);

    anzeigen();
    return true;
}

void TListenFenster::schliessen() {
    if (!m_tabelle || m_geschlossen) return;
    m_geschlossen = true;
    try {
        if (m_tabelle->isOpen()) {
            speichern();
            m_tabelle->flush();
            m_tabelle->close();
        }
        if (m_leser) m_leser->close();
        if (m_modell) m_modell->neuLaden();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
    }
    nachSchliessen();
    emit tabelleGeschlossen(m_tabellenName);
}

namespace {
// A refusal of the user's input (text too long for its field): the edit stays for the user to mend.
bool eingabeAbgelehnt(const std::exception& e) {
    const auto* f = dynamic_cast<const store::EngineError*>(&e);
    return f && f->code() == store::code::ValueTooLong;
}
} // namespace

void TListenFenster::leserOeffnen() {
    // A second cursor in the same order reads the stored rows while the first holds an edit, so the
    // grid keeps showing them.
    try {
        if (!m_leser) m_leser = std::make_unique<Table>(hauptfenster().db(), m_tabellenName);
        if (!m_leser->isOpen()) m_leser->open(Table::OpenMode::ReadOnly);
        m_leser->setIndexName(m_indexName);
        m_modell->setLeser(m_leser.get());
    } catch (const std::exception&) {
        m_leser.reset();
        m_modell->setLeser(nullptr); // the grid then shows only the row being edited
    }
}

bool TListenFenster::eingabeAusstehend() const {
    if (!m_bindung) return false;
    for (const DbFeld* f : m_bindung->felder())
        if (f->ausstehend()) return true;
    return false;
}

void TListenFenster::fehlerBehandeln(const std::exception& e) {
    // Refused input (too long, half a date) stays on screen for the user to mend.
    if (!eingabeAbgelehnt(e) && !eingabeAusstehend() && m_tabelle->state() != Table::State::Browse)
        m_tabelle->cancel();
    fehlerDialog().HandleException(e, m_tabellenName);
}

// texte: meldung 252
void TListenFenster::keineZahlMelden(const QString& feld) {
    QString name = feld;
    name.remove(QLatin1Char('&'));
    Meldungsdienst::zeigen(MeldungsArt::Warnung, 252, language::meldung(252) + QLatin1Char(' ') + name);
}

bool TListenFenster::zahlenPruefen() {
    for (auto& [edit, feld] : m_felder) {
        if (!m_keineZahl.contains(edit)) continue;
        QString name = feld;
        for (QLabel* l : findChildren<QLabel*>())
            if (l->buddy() == edit) name = l->text();
        keineZahlMelden(name);
        // The field's page comes forward with the text as typed.
        for (QWidget* w = edit->parentWidget(); w && w != this; w = w->parentWidget())
            if (auto* seiten = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget()
                                                                           : nullptr))
                seiten->setCurrentWidget(w);
        edit->setFocus();
        edit->selectAll();
        zeileMarkieren();
        return false;
    }
    return true;
}

bool TListenFenster::aenderungOffen() const {
    if (!m_keineZahl.isEmpty()) return true;
    if (!m_tabelle || !m_tabelle->isOpen()) return false;
    if (m_bindung && m_bindung->geaendert()) return true;
    const Table::State s = m_tabelle->state();
    return s == Table::State::Insert || (s == Table::State::Edit && m_tabelle->isModified());
}

void TListenFenster::knoepfeSetzen() {
    if (!m_rueckgaengig) return;
    m_rueckgaengig->setEnabled(aenderungOffen());
    m_loeschen->setEnabled(m_tabelle && m_tabelle->isOpen() &&
                           (m_tabelle->hasRecord() || m_tabelle->state() == Table::State::Insert));
}

QWidget* TListenFenster::erstesFeld() {
    return m_felder.isEmpty() ? static_cast<QWidget*>(m_gitter) : m_felder.first().first;
}

void TListenFenster::hinzufuegen() {
    if (!zahlenPruefen()) return;
    try {
        // append() stores a pending change first, through the save question.
        m_tabelle->append();
        neueZeileVorbelegen();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
    }
    nachAenderung();
    if (QWidget* w = erstesFeld()) w->setFocus();
}

void TListenFenster::rueckgaengig() {
    m_keineZahl.clear();
    m_tabelle->cancel();
    nachAenderung();
}

bool TListenFenster::loeschenBestaetigen() {
    return Meldungsdienst::nachricht(28, MeldungsArt::Warnung, Knoepfe::JaNein) == Antwort::Ja;
}

void TListenFenster::loeschen() {
    if (!m_tabelle->hasRecord() && m_tabelle->state() != Table::State::Insert) return;
    if (!loeschenErlaubt()) return;
    if (!loeschenBestaetigen()) return;
    m_keineZahl.clear();
    try {
        m_tabelle->remove(); // a row not yet stored is only discarded
        m_tabelle->flush();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
    }
    nachAenderung();
}

bool TListenFenster::speichern() {
    const Table::State s = m_tabelle->state();
    if (!zahlenPruefen()) return false;
    if (s != Table::State::Edit && s != Table::State::Insert) return false;
    m_gepostet = false;
    try {
        m_tabelle->post();
    } catch (const std::exception& e) {
        // Not a table error the post handler took: the change cannot be kept either, unless the
        // user's text was refused.
        fehlerBehandeln(e);
    }
    nachAenderung();
    return m_gepostet;
}

void TListenFenster::zuZeile(int zeile) {
    if (!zahlenPruefen()) return;
    try {
        m_modell->zuZeile(zeile);
    } catch (const std::exception& e) {
        fehlerBehandeln(e);
    }
    nachAenderung();
}

void TListenFenster::gitterZeileGewaehlt(int zeile) {
    if (zeile == m_modell->aktuelleZeile() && m_tabelle->state() == Table::State::Browse) {
        anzeigen();
        return;
    }
    // The grid is reset by the move when it stores a change; not while its selection signal runs.
    QMetaObject::invokeMethod(
        this, [this, zeile] { zuZeile(zeile); }, Qt::QueuedConnection);
}

void TListenFenster::indexWechseln(const QString& indexName, const QString& felder) {
    try {
        speichern();
        if (aenderungOffen()) return; // a refused entry stays where it is
        try {
            m_tabelle->setIndexName(indexName);
        } catch (const store::EngineError& e) {
            if (felder.isEmpty() || e.code() != store::code::IndexMissing) throw;
            indexAnlegen(indexName, felder);
        }
        m_indexName = indexName;
        if (m_leser) m_leser->setIndexName(indexName);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
    }
    nachAenderung();
}

void TListenFenster::indexAnlegen(const QString& indexName, const QString& felder) {
    // Creating an index needs the table to itself: both cursors close, one reopens exclusively, and
    // whatever happens both come back shared on the record shown before.
    const qint64 datensatz = m_tabelle->recordId();
    if (m_leser) m_leser->close();
    m_tabelle->close();
    auto wiederOeffnen = [&] {
        if (m_tabelle->isOpen()) m_tabelle->close();
        m_tabelle->open();
        if (m_leser) m_leser->open(Table::OpenMode::ReadOnly);
    };
    try {
        m_tabelle->open(Table::OpenMode::Exclusive);
        store::IndexDef ix;
        ix.name = indexName;
        ix.fields = store::splitFields(felder);
        m_tabelle->addIndex(ix);
        wiederOeffnen();
        m_tabelle->setIndexName(indexName);
    } catch (...) {
        wiederOeffnen();
        m_tabelle->setIndexName(m_indexName);
        if (m_leser) m_leser->setIndexName(m_indexName);
        m_tabelle->gotoRecordId(datensatz);
        throw;
    }
    if (!m_tabelle->gotoRecordId(datensatz)) m_tabelle->first();
}

void TListenFenster::nachAenderung() {
    if (!m_modell) return;
    m_sperre = true;
    if (m_tabelle->state() == Table::State::Browse) m_modell->neuLaden();
    m_sperre = false;
    anzeigen();
}

void TListenFenster::anzeigen() {
    m_sperre = true;
    m_keineZahl.clear();
    const bool zeigen = m_tabelle->hasRecord() || m_tabelle->state() == Table::State::Insert;
    for (auto& [edit, feld] : m_felder)
        edit->setText(zeigen ? m_tabelle->asString(feld) : QString());
    // Input refused by a store (half a date) stays on screen until the edit ends.
    if (!eingabeAusstehend() || m_tabelle->state() == Table::State::Browse) m_bindung->neuLaden();
    m_sperre = false;
    zeileMarkieren();
    datensatzAngezeigt();
    knoepfeSetzen();
}

void TListenFenster::zeileMarkieren() {
    m_sperre = true;
    if (m_gitter && m_tabelle->state() != Table::State::Insert) {
        const int z = m_modell->aktuelleZeile();
        if (z >= 0 && z < m_modell->rowCount()) {
            const QModelIndex i = m_modell->index(z, std::max(0, m_gitter->currentIndex().column()));
            m_gitter->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        }
    }
    m_sperre = false;
}

void TListenFenster::feldSetzen(const QString& feld, const QVariant& wert) {
    try {
        if (m_tabelle->state() == Table::State::Browse && !m_tabelle->hasRecord()) {
            m_tabelle->append();
            neueZeileVorbelegen();
        }
        m_tabelle->setValue(feld, wert);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, m_tabellenName);
    }
    datensatzAngezeigt();
    knoepfeSetzen();
}

void TListenFenster::feldBinden(QLineEdit* edit, const QString& feld) {
    m_felder.append({edit, feld});
    const int i = m_tabelle->fieldIndex(feld);
    if (i >= 0 && m_tabelle->fieldDef(i).size > 0) edit->setMaxLength(m_tabelle->fieldDef(i).size);
    const bool zahl = i >= 0 && (m_tabelle->fieldDef(i).type == store::FieldType::Int ||
                                 m_tabelle->fieldDef(i).type == store::FieldType::Short);
    connect(edit, &QLineEdit::textEdited, this, [this, edit, feld, zahl](const QString& text) {
        if (m_sperre) return;
        if (!zahl) {
            feldSetzen(feld, text);
            return;
        }
        // Number fields take what reads as a number; other text is refused when it would be stored.
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (!ok && !text.trimmed().isEmpty()) {
            m_keineZahl.insert(edit);
            knoepfeSetzen();
            return;
        }
        m_keineZahl.remove(edit);
        feldSetzen(feld, ok ? QVariant(n) : QVariant());
    });
    connect(edit, &QLineEdit::returnPressed, this, [this] { speichern(); });
}

} // namespace velmora
