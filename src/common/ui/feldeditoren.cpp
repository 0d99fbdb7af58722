#include "common/ui/feldeditoren.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "store/errors.h"
#include "store/money.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace velmora {

using store::FieldType;
using store::Table;

namespace {

bool englisch() {
    const language::TSprache* s = language::aktuelleSprache();
    return s && s->sprache() == 1;
}

// Codes and keys come as numbers or texts depending on the field; "3" and 3 are the same entry.
bool gleicherCode(const QVariant& a, const QVariant& b) {
    const bool leerA = a.isNull() || a.toString().isEmpty();
    const bool leerB = b.isNull() || b.toString().isEmpty();
    if (leerA || leerB) return leerA && leerB;
    return a.toString() == b.toString();
}

int codeIndex(const QComboBox& box, const QVariant& wert) {
    for (int i = 0; i < box.count(); ++i)
        if (gleicherCode(box.itemData(i), wert)) return i;
    return -1;
}

bool bearbeitet(const Table& t) {
    return t.state() == Table::State::Edit || t.state() == Table::State::Insert;
}

} // namespace

// ---------------------------------------------------------------- binder

// One hook of the cursor: the binder's part runs only while the binder lives, the earlier hook always.
struct FeldBindung::Haken {
    enum Art { NachBewegung, NachSpeichern, VorSpeichern };
    const FeldBindung* eigner;
    QPointer<FeldBindung> bindung;
    std::function<void(Table&)> vorher;
    Art art;

    void operator()(Table& t) const {
        if (art == VorSpeichern) {
            // Input that is no value refuses the store before the window is asked anything.
            if (bindung) bindung->vorDemSpeichern();
            if (vorher) vorher(t);
            // The window's hook may have cancelled; the cursor does not report that.
            if (bindung && !bearbeitet(t)) bindung->neuLaden();
            return;
        }
        if (vorher) vorher(t);
        if (!bindung) return;
        if (art == NachBewegung)
            bindung->neuLaden();
        else
            bindung->standPruefen();
    }
};

FeldBindung::FeldBindung(Table& tabelle, QObject* parent) : QObject(parent), m_tabelle(tabelle) {
    m_tabelle.afterScroll = Haken{this, this, std::move(m_tabelle.afterScroll), Haken::NachBewegung};
    m_tabelle.afterPost = Haken{this, this, std::move(m_tabelle.afterPost), Haken::NachSpeichern};
    m_tabelle.beforePost = Haken{this, this, std::move(m_tabelle.beforePost), Haken::VorSpeichern};
    m_geaendert = geaendert();
}

FeldBindung::~FeldBindung() {
    // Unhook where nobody chained on top of this binder; otherwise the hook stays and skips this part.
    auto loesen = [this](std::function<void(Table&)>& hook) {
        if (const Haken* h = hook.target<Haken>(); h && h->eigner == this) {
            auto vorher = h->vorher;
            hook = std::move(vorher);
        }
    };
    loesen(m_tabelle.afterScroll);
    loesen(m_tabelle.afterPost);
    loesen(m_tabelle.beforePost);
    for (DbFeld* f : std::as_const(m_felder))
        f->m_bindung = nullptr;
}

void FeldBindung::anmelden(DbFeld* feld) {
    if (!m_felder.contains(feld)) m_felder.append(feld);
}

void FeldBindung::abmelden(DbFeld* feld) {
    m_felder.removeAll(feld);
    standPruefen();
}

bool FeldBindung::geaendert() const {
    if (!m_tabelle.isOpen()) return false;
    switch (m_tabelle.state()) {
    case Table::State::Insert:
        return true;
    case Table::State::Edit:
        if (m_tabelle.isModified()) return true;
        for (const DbFeld* f : m_felder)
            if (f->m_ausstehend) return true;
        return false;
    default:
        return false;
    }
}

void FeldBindung::standPruefen() {
    const bool g = geaendert();
    if (g == m_geaendert) return;
    m_geaendert = g;
    emit geaendertGewechselt(g);
}

void FeldBindung::neuLaden() {
    {
        const bool vorher = m_laedt;
        m_laedt = true;
        const auto felder = m_felder; // an editor may be destroyed by a slot of datensatzGeladen
        for (DbFeld* f : felder)
            f->laden();
        m_laedt = vorher;
    }
    emit datensatzGeladen();
    standPruefen();
}

void FeldBindung::vomBenutzer(DbFeld& feld) {
    if (m_laedt || feld.m_ladeTiefe > 0) return;
    Table& t = m_tabelle;
    if (!t.isOpen() || m_nurLesen || t.openMode() == Table::OpenMode::ReadOnly) {
        feld.laden(); // the screen shows what the cursor holds
        return;
    }
    if (t.state() == Table::State::Browse && !t.hasRecord()) {
        bool neu = false;
        try {
            neu = neuerDatensatz && neuerDatensatz() && t.state() == Table::State::Insert;
        } catch (const std::exception& e) {
            fehlerMelden(e);
        }
        if (!neu) {
            feld.laden();
            return;
        }
    } else if (t.state() == Table::State::Browse) {
        try {
            t.edit();
        } catch (const std::exception& e) {
            fehlerMelden(e);
            feld.laden();
            return;
        }
    } else if (!bearbeitet(t)) {
        feld.laden();
        return;
    }
    try {
        feld.m_ausstehend = !feld.schreiben();
    } catch (const std::exception& e) {
        fehlerMelden(e);
    }
    // Other editors of the same field show the new value at once.
    if (!feld.m_ausstehend) {
        const bool vorher = m_laedt;
        m_laedt = true;
        for (DbFeld* f : std::as_const(m_felder))
            if (f != &feld && f->m_feld.compare(feld.m_feld, Qt::CaseInsensitive) == 0) f->laden();
        m_laedt = vorher;
    }
    standPruefen();
    if (!feld.m_ausstehend) emit feldGeaendert(feld.m_feld);
}

void FeldBindung::vorDemSpeichern() {
    for (DbFeld* f : std::as_const(m_felder)) {
        if (!f->m_ausstehend) continue;
        f->m_ausstehend = !f->schreiben();
        if (f->m_ausstehend) throw store::DatabaseError(f->ungueltigText());
    }
}

bool FeldBindung::speichern() {
    if (!m_tabelle.isOpen()) return false;
    if (!bearbeitet(m_tabelle)) return true;
    try {
        m_tabelle.post();
    } catch (const std::exception& e) {
        fehlerMelden(e);
        standPruefen();
        return false;
    }
    // A post error handler may have cancelled instead; either way the editors show the cursor.
    neuLaden();
    return true;
}

void FeldBindung::abbrechen() {
    if (m_tabelle.isOpen()) m_tabelle.cancel();
    neuLaden();
}

bool FeldBindung::anhaengen() {
    try {
        m_tabelle.append();
    } catch (const std::exception& e) {
        fehlerMelden(e);
        neuLaden();
        return false;
    }
    neuLaden();
    return true;
}

void FeldBindung::fehlerMelden(const std::exception& fehler) {
    if (fehlerAnzeige) {
        fehlerAnzeige(fehler);
        return;
    }
    const auto* db = dynamic_cast<const store::DatabaseError*>(&fehler);
    Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, db ? db->message() : QString::fromUtf8(fehler.what()));
}

// ---------------------------------------------------------------- editor base

DbFeld::DbFeld(FeldBindung& bindung, QString feld) : m_bindung(&bindung), m_feld(std::move(feld)) {
    bindung.anmelden(this);
}

DbFeld::~DbFeld() {
    if (m_bindung) m_bindung->abmelden(this);
}

void DbFeld::laden() {
    Laden l(*this);
    m_ausstehend = false;
    anzeigen(wert());
}

QString DbFeld::ungueltigText() const {
    return englisch() ? QStringLiteral("Invalid value in field %1.").arg(m_feld)
                      : QStringLiteral("Ungültiger Wert im Feld %1.").arg(m_feld);
}

void DbFeld::benutzerAenderung() {
    if (m_bindung) m_bindung->vomBenutzer(*this);
}

QVariant DbFeld::wert() const {
    if (!m_bindung) return {};
    const Table& t = m_bindung->tabelle();
    if (!t.isOpen()) return {};
    const int i = t.fieldIndex(m_feld);
    return i < 0 ? QVariant() : t.value(i);
}

const store::FieldDef* DbFeld::feldDef() const {
    if (!m_bindung) return nullptr;
    const Table& t = m_bindung->tabelle();
    if (!t.isOpen()) return nullptr;
    const int i = t.fieldIndex(m_feld);
    return i < 0 ? nullptr : &t.fieldDef(i);
}

void DbFeld::setzen(const QVariant& wert) {
    if (m_bindung) m_bindung->tabelle().setValue(m_feld, wert);
}

// ---------------------------------------------------------------- DbEdit

DbEdit::DbEdit(FeldBindung& bindung, const QString& feld, QWidget* parent)
    : QLineEdit(parent), DbFeld(bindung, feld) {
    connect(this, &QLineEdit::textEdited, this, [this] { benutzerAenderung(); });
    laden();
}

void DbEdit::anzeigen(const QVariant& wert) {
    const store::FieldDef* f = feldDef();
    setMaxLength(f && f->type == FieldType::Text && f->size > 0 ? f->size : 32767);
    setText(wert.toString());
    setCursorPosition(0);
}

bool DbEdit::schreiben() {
    setzen(text());
    return true;
}

// ---------------------------------------------------------------- DbMemo

DbMemo::DbMemo(FeldBindung& bindung, const QString& feld, QWidget* parent)
    : QPlainTextEdit(parent), DbFeld(bindung, feld) {
    connect(this, &QPlainTextEdit::textChanged, this, [this] { benutzerAenderung(); });
    laden();
}

void DbMemo::anzeigen(const QVariant& wert) {
    setPlainText(wert.toString());
}

bool DbMemo::schreiben() {
    setzen(toPlainText());
    return true;
}

// ---------------------------------------------------------------- DbDatum

DbDatum::DbDatum(FeldBindung& bindung, const QString& feld, QWidget* parent)
    : QWidget(parent), DbFeld(bindung, feld), m_eingabe(new QLineEdit(this)), m_knopf(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_eingabe, 1);
    // A whole date stays readable however narrow its row gets.
    m_eingabe->setMinimumWidth(m_eingabe->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) +
                               12);
    layout->addWidget(m_knopf);
    setFocusProxy(m_eingabe);
    // Only digits and dots in the places of d.M.yyyy; whether it is a date is decided on every change.
    m_eingabe->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,2}(\\.\\d{0,2}(\\.\\d{0,4})?)?")), m_eingabe));
    m_eingabe->setMaxLength(10);
    m_knopf->setText(QStringLiteral("…"));
    beschriften();
    m_knopf->setFocusPolicy(Qt::NoFocus);
    connect(m_eingabe, &QLineEdit::textEdited, this, [this] { benutzerAenderung(); });
    connect(m_knopf, &QToolButton::clicked, this, &DbDatum::kalenderOeffnen);
    laden();
}

void DbDatum::beschriften() {
    QString muster = englisch() ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("tt.mm.jjjj");
    QString kalenderText = englisch() ? QStringLiteral("Calendar") : QStringLiteral("Kalender");
    if (language::TSprache* s = language::aktuelleSprache(); s && s->beschriftungenOffen()) {
        if (const QString t = s->feldName(4994); !t.isEmpty()) muster = t;
        if (const QString t = s->feldName(4995); !t.isEmpty()) kalenderText = t;
    }
    m_eingabe->setPlaceholderText(muster);
    m_knopf->setToolTip(kalenderText);
    m_knopf->setAccessibleName(kalenderText);
}

void DbDatum::changeEvent(QEvent* e) {
    // A language switch reaches every widget as a language change.
    if (e->type() == QEvent::LanguageChange) beschriften();
    QWidget::changeEvent(e);
}

QCalendarWidget* DbDatum::kalender() {
    if (!m_kalender) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setFrameShape(QFrame::StyledPanel);
        auto* layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(0, 0, 0, 0);
        m_kalender = new QCalendarWidget(m_popup);
        m_kalender->setGridVisible(true);
        layout->addWidget(m_kalender);
        connect(m_kalender, &QCalendarWidget::clicked, this, &DbDatum::gewaehlt);
        connect(m_kalender, &QCalendarWidget::activated, this, &DbDatum::gewaehlt);
    }
    return m_kalender;
}

bool DbDatum::kalenderOffen() const {
    return m_popup && m_popup->isVisible();
}

void DbDatum::kalenderOeffnen() {
    if (kalenderDialog) {
        if (const std::optional<QDate> d = kalenderDialog()) gewaehlt(*d);
        return;
    }
    QCalendarWidget* k = kalender();
    const QDate d = datum();
    k->setSelectedDate(d.isValid() ? d : QDate::currentDate());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    k->setFocus();
}

void DbDatum::gewaehlt(const QDate& d) {
    if (m_popup) m_popup->hide();
    if (!d.isValid()) return;
    m_eingabe->setText(text(d));
    benutzerAenderung();
    m_eingabe->setFocus();
}

QDate DbDatum::datum() const {
    return lesen(m_eingabe->text());
}

QDate DbDatum::lesen(const QString& text) {
    static const QRegularExpression muster(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})$"));
    const auto m = muster.match(text.trimmed());
    if (!m.hasMatch()) return {};
    int jahr = m.captured(3).toInt();
    if (m.captured(3).size() == 2) {
        // Two digits mean this century unless that lies more than 20 years ahead (old pedigrees).
        jahr += 2000;
        if (jahr > QDate::currentDate().year() + 20) jahr -= 100;
    }
    return QDate(jahr, m.captured(2).toInt(), m.captured(1).toInt());
}

QString DbDatum::text(const QDate& datum) {
    return datum.isValid() ? datum.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

void DbDatum::anzeigen(const QVariant& wert) {
    m_eingabe->setText(text(wert.toDate()));
}

bool DbDatum::schreiben() {
    const QString t = m_eingabe->text().trimmed();
    if (t.isEmpty()) {
        setzen(QVariant());
        return true;
    }
    const QDate d = lesen(t);
    if (!d.isValid()) return false;
    setzen(d);
    return true;
}

QString DbDatum::ungueltigText() const {
    return englisch() ? QStringLiteral("'%1' is not a valid date.").arg(m_eingabe->text())
                      : QStringLiteral("„%1“ ist kein gültiges Datum.").arg(m_eingabe->text());
}

// ---------------------------------------------------------------- DbCheckBox

DbCheckBox::DbCheckBox(FeldBindung& bindung, const QString& feld, const QString& text, QWidget* parent)
    : QCheckBox(text, parent), DbFeld(bindung, feld) {
    connect(this, &QCheckBox::toggled, this, [this] { benutzerAenderung(); });
    laden();
}

void DbCheckBox::anzeigen(const QVariant& wert) {
    setChecked(wert.toBool());
}

bool DbCheckBox::schreiben() {
    setzen(isChecked());
    return true;
}

// ---------------------------------------------------------------- DbAuswahl

DbAuswahl::DbAuswahl(FeldBindung& bindung, const QString& feld, const QList<Eintrag>& eintraege,
                     QWidget* parent)
    : QComboBox(parent), DbFeld(bindung, feld) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { benutzerAenderung(); });
    setEintraege(eintraege);
}

void DbAuswahl::setEintraege(const QList<Eintrag>& eintraege) {
    {
        Laden l(*this);
        clear();
        for (const Eintrag& e : eintraege)
            addItem(e.text, e.code);
    }
    laden();
}

void DbAuswahl::anzeigen(const QVariant& wert) {
    setCurrentIndex(codeIndex(*this, wert));
}

bool DbAuswahl::schreiben() {
    const int i = currentIndex();
    setzen(i < 0 ? QVariant() : itemData(i));
    return true;
}

// ---------------------------------------------------------------- DbNachschlag

DbNachschlag::DbNachschlag(FeldBindung& bindung, const QString& feld, Table& liste,
                           const QString& anzeigeFeld, const QString& schluesselFeld, QWidget* parent)
    : QComboBox(parent), DbFeld(bindung, feld), m_liste(liste), m_anzeigeFeld(anzeigeFeld),
      m_schluesselFeld(schluesselFeld) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { benutzerAenderung(); });
    // Read later, not inside the store: the storing cursor is still in the middle of its post.
    QPointer<DbNachschlag> selbst(this);
    m_lauscher = liste.database().addChangeListener(
        [selbst, name = liste.normalName()](const QString& tabelle, store::ChangeKind, qint64) {
            if (!selbst || selbst->m_neuGeplant || tabelle.compare(name, Qt::CaseInsensitive) != 0) return;
            selbst->m_neuGeplant = true;
            QMetaObject::invokeMethod(
                selbst.data(),
                [selbst] {
                    selbst->m_neuGeplant = false;
                    selbst->neuLaden();
                },
                Qt::QueuedConnection);
        });
    neuLaden();
}

DbNachschlag::~DbNachschlag() {
    m_liste.database().removeChangeListener(m_lauscher);
}

void DbNachschlag::keyPressEvent(QKeyEvent* e) {
    // Delete clears a field that may be empty, as choosing the empty entry does.
    if (e->key() == Qt::Key_Delete && m_leerErlaubt && e->modifiers() == Qt::NoModifier) {
        setCurrentIndex(0);
        e->accept();
        return;
    }
    QComboBox::keyPressEvent(e);
}

void DbNachschlag::setLeerErlaubt(bool erlaubt) {
    if (erlaubt == m_leerErlaubt) return;
    m_leerErlaubt = erlaubt;
    neuLaden();
}

void DbNachschlag::neuLaden() {
    {
        Laden l(*this);
        clear();
        if (m_leerErlaubt) addItem(QString(), QVariant());
        Table& t = m_liste;
        // A pending edit of the list must not be stored by reading it; the list then waits for the next call.
        if (t.isOpen() && t.state() == Table::State::Browse) {
            const int a = t.fieldIndex(m_anzeigeFeld);
            const int s = t.fieldIndex(m_schluesselFeld);
            if (a >= 0 && s >= 0) {
                // Editors bound to the list's cursor must not follow the walk.
                struct Still {
                    Table& t;
                    std::function<void(Table&)> hook;
                    qint64 zurueck;
                    ~Still() {
                        try {
                            if (zurueck) t.gotoRecordId(zurueck);
                        } catch (const std::exception&) { // the list stays where the walk ended
                        }
                        t.afterScroll = std::move(hook);
                    }
                } still{t, std::move(t.afterScroll), t.hasRecord() ? t.recordId() : 0};
                t.afterScroll = nullptr;
                try {
                    for (t.first(); !t.eof(); t.next())
                        addItem(t.value(a).toString(), t.value(s));
                } catch (const std::exception& e) {
                    if (bindung()) bindung()->fehlerMelden(e);
                }
            }
        }
    }
    laden();
}

void DbNachschlag::anzeigen(const QVariant& wert) {
    setCurrentIndex(codeIndex(*this, wert));
}

bool DbNachschlag::schreiben() {
    const int i = currentIndex();
    setzen(i < 0 ? QVariant() : itemData(i));
    return true;
}

// ---------------------------------------------------------------- DbZahl

DbZahl::DbZahl(FeldBindung& bindung, const QString& feld, QWidget* parent)
    : QLineEdit(parent), DbFeld(bindung, feld) {
    connect(this, &QLineEdit::textEdited, this, [this] { benutzerAenderung(); });
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d*")), this));
    laden();
}

void DbZahl::artPruefen() {
    const store::FieldDef* f = feldDef();
    if (!f) return;
    const bool ganz = !(f->type == FieldType::Float || f->type == FieldType::Money);
    setReadOnly(f->type == FieldType::Auto); // the engine numbers these
    if (ganz == m_ganz) return;
    m_ganz = ganz;
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(ganz ? QStringLiteral("-?\\d*") : QStringLiteral("-?\\d*([.,]\\d*)?")), this));
}

void DbZahl::anzeigen(const QVariant& wert) {
    artPruefen();
    if (wert.isNull() || wert.toString().isEmpty()) {
        setText(QString());
        return;
    }
    if (m_ganz) {
        setText(QString::number(wert.toLongLong()));
        return;
    }
    if (wert.metaType() == QMetaType::fromType<store::Money>()) { // amounts with their two decimals at least
        const store::Money m = wert.value<store::Money>();
        setText(m.rounded(2) == m ? m.toString(2, QLocale().decimalPoint().at(0)) : m.shortest(QLocale().decimalPoint().at(0)));
        return;
    }
    QString t = QString::number(wert.toDouble(), 'f', QLocale::FloatingPointShortest);
    if (QLocale().decimalPoint() == QStringLiteral(",")) t.replace(QLatin1Char('.'), QLatin1Char(','));
    setText(t);
}

bool DbZahl::schreiben() {
    QString t = text().trimmed();
    if (t.isEmpty()) {
        setzen(QVariant());
        return true;
    }
    bool ok = false;
    if (m_ganz) {
        const qlonglong n = t.toLongLong(&ok);
        if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) return false;
        setzen(int(n));
        return true;
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const double d = t.toDouble(&ok);
    if (!ok) return false;
    setzen(d);
    return true;
}

QString DbZahl::ungueltigText() const {
    return englisch() ? QStringLiteral("'%1' is not a valid number.").arg(text())
                      : QStringLiteral("„%1“ ist keine gültige Zahl.").arg(text());
}

} // namespace velmora
