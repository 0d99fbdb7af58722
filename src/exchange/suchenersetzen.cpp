#include "exchange/suchenersetzen.h"

#include "store/database.h"

namespace velmora::exchange {

namespace {
const QString kDatumsFormat = QStringLiteral("dd.MM.yyyy");

bool grenze(const QString& wert, qsizetype i) {
    return i < 0 || i >= wert.size() || wert.at(i) == QLatin1Char(' ');
}
} // namespace

qsizetype treffer(const QString& wert, const SuchText& s) {
    if (s.suchen.isEmpty()) return -1;
    const Qt::CaseSensitivity cs = s.grossKleinIgnorieren ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const qsizetype p = wert.indexOf(s.suchen, 0, cs);
    if (p < 0) return -1;
    if (s.ganzesWort && !(grenze(wert, p - 1) && grenze(wert, p + s.suchen.size()))) return -1;
    if (!s.ersetzen.isEmpty() && !s.suchen.contains(s.ersetzen, cs) && wert.contains(s.ersetzen, cs))
        return -1;
    return p;
}

QString ersetzt(const QString& wert, qsizetype pos, const SuchText& s) {
    QString t = wert;
    t.replace(pos, s.suchen.size(), s.ersetzen);
    return t;
}

SpaltenArt spaltenArt(const store::FieldDef& f) {
    switch (f.type) {
    case store::FieldType::Text:
    case store::FieldType::Memo:
        return SpaltenArt::Text;
    case store::FieldType::Int:
    case store::FieldType::Short:
        return SpaltenArt::Zahl;
    case store::FieldType::Date:
        return SpaltenArt::Datum;
    default:
        return SpaltenArt::NichtAenderbar;
    }
}

QString feldText(const store::Table& t, int feld) {
    const QVariant v = t.value(feld);
    if (v.isNull()) return QString();
    if (t.fieldDef(feld).type == store::FieldType::Date) return v.toDate().toString(kDatumsFormat);
    return v.toString();
}

Suchlauf::Suchlauf(store::Table& tabelle, int feld, SuchText text)
    : m_t(tabelle), m_feld(feld), m_s(std::move(text)), m_art(spaltenArt(tabelle.fieldDef(feld))) {}

bool Suchlauf::passt() {
    m_treffer = treffer(feldText(m_t, m_feld), m_s);
    return m_treffer >= 0;
}

Suchlauf::Schritt Suchlauf::weiter(const std::function<bool()>& warten) {
    if (!m_gestartet) {
        m_gestartet = true;
        m_t.first();
    } else {
        m_t.next();
    }
    m_treffer = -1;
    while (m_t.hasRecord() && !m_t.eof()) {
        if (passt()) {
            m_jeGefunden = true;
            return Schritt::Treffer;
        }
        if (warten && warten()) return Schritt::Abgebrochen;
        m_t.next();
    }
    return Schritt::Ende;
}

namespace {

// The new text into the field, converted for its kind, and the record posted; an edit the engine
// refuses is cancelled and its error thrown.
void wertSpeichern(store::Table& t, int feld, SpaltenArt art, const QString& neu) {
    t.edit();
    try {
        if (neu.isEmpty()) {
            t.setValue(feld, QVariant());
        } else if (art == SpaltenArt::Zahl) {
            bool ok = false;
            const qlonglong n = neu.toLongLong(&ok);
            if (!ok)
                throw store::EngineError(
                    store::code::ValueTooLong,
                    QStringLiteral("Feld %1: %2 ist keine Zahl").arg(t.fieldDef(feld).name, neu),
                    t.tableName());
            t.setValue(feld, n);
        } else if (art == SpaltenArt::Datum) {
            const QDate d = QDate::fromString(neu, kDatumsFormat);
            if (!d.isValid())
                throw store::EngineError(
                    store::code::ValueTooLong,
                    QStringLiteral("Feld %1: %2 ist kein Datum").arg(t.fieldDef(feld).name, neu),
                    t.tableName());
            t.setValue(feld, d);
        } else {
            t.setValue(feld, neu);
        }
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

QString katzeVon(const store::Table& t) {
    return t.asString(QStringLiteral("Name")) + QStringLiteral(" (") +
           t.asString(QStringLiteral("LaufendeNummer")) + QLatin1Char(')');
}

} // namespace

void Suchlauf::ersetzen() {
    if (m_treffer < 0) return;
    const int vorher = m_t.position();
    wertSpeichern(m_t, m_feld, m_art, ersetzt(feldText(m_t, m_feld), m_treffer, m_s));
    m_treffer = -1;
    const int nachher = m_t.position();
    if (nachher != vorher && vorher >= 0) m_t.gotoPosition(nachher > vorher ? vorher - 1 : vorher);
    // Back before the first record: the walk goes on with the first one.
    if (nachher > vorher && vorher == 0) m_gestartet = false;
}

Suchlauf::Alle Suchlauf::alleErsetzen(const std::function<bool(int, int)>& fortschritt, int stapel) {
    Alle a;
    // The matches from the current one to the end in the cursor's order, found first: writing while
    // walking an order the writes change would list the order anew for every record, and a record
    // moved further down would be met again. Each matching record is replaced once.
    QVector<qint64> treffer;
    if (m_treffer >= 0 || weiter() == Schritt::Treffer) treffer << m_t.recordId();
    if (!treffer.isEmpty()) {
        for (m_t.next(); m_t.hasRecord() && !m_t.eof(); m_t.next())
            if (passt()) treffer << m_t.recordId();
    }
    const qint64 zuletzt = treffer.isEmpty() ? 0 : treffer.last();
    store::Table schreiber(m_t.database(), m_t.tableName());
    schreiber.open();
    schreiber.setIndexName(QString());
    const int feld = schreiber.fieldIndex(m_t.fieldDef(m_feld).name);
    std::optional<store::Transaction> tx;
    int imStapel = 0;
    qint64 abgelehnt = 0;
    for (qsizetype i = 0; i < treffer.size(); ++i) {
        if (!schreiber.gotoRecordId(treffer.at(i))) continue;
        const QString alt = feldText(schreiber, feld);
        const qsizetype p = exchange::treffer(alt, m_s);
        if (p < 0) continue;
        if (!tx) tx.emplace(m_t.database(), m_t.tableName());
        try {
            wertSpeichern(schreiber, feld, m_art, ersetzt(alt, p, m_s));
        } catch (const store::EngineError& e) {
            a.fehler = e;
            a.katze = katzeVon(schreiber);
            abgelehnt = schreiber.recordId();
            break;
        }
        ++a.ersetzt;
        if (++imStapel >= stapel) {
            tx->commit();
            tx.reset();
            imStapel = 0;
        }
        if (fortschritt && fortschritt(a.ersetzt, int(treffer.size()))) {
            a.abgebrochen = true;
            break;
        }
    }
    if (tx) tx->commit();
    schreiber.close();
    // The walk ends on the refused cat, else on the last match.
    m_t.refresh();
    const qint64 ziel = a.fehler ? abgelehnt : zuletzt;
    if (ziel) m_t.gotoRecordId(ziel);
    m_treffer = -1;
    return a;
}

} // namespace velmora::exchange
