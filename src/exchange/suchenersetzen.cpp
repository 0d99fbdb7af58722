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

void Suchlauf::ersetzen() {
    if (m_treffer < 0) return;
    const int vorher = m_t.position();
    const QString neu = ersetzt(feldText(m_t, m_feld), m_treffer, m_s);
    m_t.edit();
    try {
        if (neu.isEmpty()) {
            m_t.setValue(m_feld, QVariant());
        } else if (m_art == SpaltenArt::Zahl) {
            bool ok = false;
            const qlonglong n = neu.toLongLong(&ok);
            if (!ok)
                throw store::EngineError(
                    store::code::ValueTooLong,
                    QStringLiteral("Feld %1: %2 ist keine Zahl").arg(m_t.fieldDef(m_feld).name, neu),
                    m_t.tableName());
            m_t.setValue(m_feld, n);
        } else if (m_art == SpaltenArt::Datum) {
            const QDate d = QDate::fromString(neu, kDatumsFormat);
            if (!d.isValid())
                throw store::EngineError(
                    store::code::ValueTooLong,
                    QStringLiteral("Feld %1: %2 ist kein Datum").arg(m_t.fieldDef(m_feld).name, neu),
                    m_t.tableName());
            m_t.setValue(m_feld, d);
        } else {
            m_t.setValue(m_feld, neu);
        }
        m_t.post();
    } catch (...) {
        m_t.cancel();
        throw;
    }
    m_treffer = -1;
    const int nachher = m_t.position();
    if (nachher != vorher && vorher >= 0) m_t.gotoPosition(nachher > vorher ? vorher - 1 : vorher);
    // Back before the first record: the walk goes on with the first one.
    if (nachher > vorher && vorher == 0) {
        m_gestartet = false;
    }
}

Suchlauf::Alle Suchlauf::alleErsetzen(const std::function<bool(int, int)>& fortschritt, int stapel) {
    Alle a;
    std::optional<store::Transaction> tx;
    int imStapel = 0;
    const auto katze = [this]() -> QString {
        return m_t.asString(QStringLiteral("Name")) + QStringLiteral(" (") +
               m_t.asString(QStringLiteral("LaufendeNummer")) + QLatin1Char(')');
    };
    bool weiterMachen = m_treffer >= 0 || weiter() == Schritt::Treffer;
    while (weiterMachen) {
        if (!tx) tx.emplace(m_t.database(), m_t.tableName());
        try {
            ersetzen();
        } catch (const store::EngineError& e) {
            a.fehler = e;
            a.katze = katze();
            break;
        }
        ++a.ersetzt;
        if (++imStapel >= stapel) {
            tx->commit();
            tx.reset();
            imStapel = 0;
        }
        if (fortschritt && fortschritt(a.ersetzt, m_t.position())) {
            a.abgebrochen = true;
            break;
        }
        weiterMachen = weiter() == Schritt::Treffer;
    }
    if (tx) tx->commit();
    return a;
}

} // namespace velmora::exchange
