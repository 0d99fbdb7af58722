#include "register/suchabfrage.h"

#include "store/errors.h"

#include <sqlite3.h>

namespace velmora::reg {

namespace {

bool gefuellt(const QString& s) {
    return !s.trimmed().isEmpty();
}

// Values without a byte above 0x7F are handed to LIKE unchanged: LIKE already ignores the case of
// ASCII letters. Everything else is upper-cased by Qt, which knows umlauts.
void grossFunktion(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* t = sqlite3_value_text(argv[0]);
    const int n = sqlite3_value_bytes(argv[0]);
    bool ascii = true;
    for (int i = 0; i < n && ascii; ++i)
        ascii = (t[i] & 0x80) == 0;
    if (ascii) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    const QByteArray u = suchGross(QString::fromUtf8(reinterpret_cast<const char*>(t), n)).toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

const char* const kGross = "velmora_gross";

QString likeBedingung(const QString& spalte) {
    return QStringLiteral("%1(%2) LIKE ? ESCAPE '\\'").arg(QLatin1String(kGross), spalte);
}

// "k.Rasse IN (?,?)" with the numbers bound; no number at all matches no cat.
QString inBedingung(const QString& spalte, const QList<int>& nummern, QVariantList& parameter) {
    if (nummern.isEmpty()) return QStringLiteral("0 = 1");
    QStringList fragen;
    for (int n : nummern) {
        fragen << QStringLiteral("?");
        parameter << n;
    }
    return spalte + QStringLiteral(" IN (") + fragen.join(QLatin1Char(',')) + QLatin1Char(')');
}

QList<int> nummernSuchen(store::Database& db, const QString& tabelle, const QString& nummer,
                         const QString& name, const QString& text) {
    const QString sql = QStringLiteral("SELECT t.%1 FROM %2 AS t WHERE %3 ORDER BY t.%4")
                            .arg(nummer, tabelle, likeBedingung(QStringLiteral("t.") + name), name);
    store::Query q(db, sql, {likeMuster(text, false)});
    QList<int> nummern;
    while (q.next())
        nummern << q.value(0).toInt();
    return nummern;
}

QString text(const store::Query& q, int i) {
    return q.value(i).toString();
}

} // namespace

bool SuchKriterien::leer() const {
    for (const QString* s : {&name, &zwinger, &rufname, &rasse, &farbe, &zuechter, &besitzer,
                             &zuchtbuchnummer, &status, &gebDatum})
        if (gefuellt(*s)) return false;
    return true;
}

SuchGeschlecht SuchAufruf::einschraenkung() const {
    if (vonKnopf()) return geschlecht;
    if (formular == 0 && neuausStb) {
        if (vmZeiger == QLatin1Char('M')) return SuchGeschlecht::Weiblich;
        if (vmZeiger == QLatin1Char('V')) return SuchGeschlecht::Maennlich;
    }
    return SuchGeschlecht::Alle;
}

QString ordnungsKlausel(SuchSortierung s) {
    switch (s) {
    case SuchSortierung::Name:
        return QStringLiteral("ORDER BY k.Name");
    case SuchSortierung::Rufname:
        return QStringLiteral("ORDER BY k.Rufname");
    case SuchSortierung::Geschlecht:
        return QStringLiteral("ORDER BY k.Geschlecht, k.Zwinger, k.Name");
    case SuchSortierung::Farbe:
        return QStringLiteral("ORDER BY k.FellFarbe, k.Zwinger, k.Name");
    case SuchSortierung::GebDatum:
        return QStringLiteral("ORDER BY k.GebDatum, k.Zwinger, k.Name");
    case SuchSortierung::Rasse:
        return QStringLiteral("ORDER BY k.Rasse, k.Zwinger, k.Name");
    case SuchSortierung::Standard:
    case SuchSortierung::Zwinger:
        break;
    }
    return QStringLiteral("ORDER BY k.Zwinger, k.Name");
}

QString suchGross(const QString& text) {
    return text.toUpper();
}

QString likeMuster(const QString& text, bool platzhalterErlaubt) {
    QString m;
    m.reserve(text.size() + 4);
    for (const QChar c : suchGross(text)) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('_') || (!platzhalterErlaubt && c == QLatin1Char('%')))
            m += QLatin1Char('\\');
        m += c;
    }
    return m + QLatin1Char('%');
}

QString datumsFormat(const QLocale& locale) {
    QString f = locale.dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy"))) f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QString datumText(const QDate& d, const QLocale& locale) {
    return d.isValid() ? locale.toString(d, datumsFormat(locale)) : QString();
}

QDate datumAusText(const QString& eingabe, const QLocale& locale) {
    const QString t = eingabe.trimmed();
    if (t.isEmpty()) return {};
    // A four-digit year field also reads "21" as the year 21; such a date is nobody's birthday.
    auto gut = [](const QDate& d) { return d.isValid() && d.year() >= 1000; };
    QDate d = locale.toDate(t, datumsFormat(locale));
    if (gut(d)) return d;
    d = QDate::fromString(t, Qt::ISODate);
    if (gut(d)) return d;
    d = locale.toDate(t, QStringLiteral("d.M.yyyy"));
    if (gut(d)) return d;
    // Two-digit years read as 19yy; a birth date lies in the past, so a year ahead of today is 20yy.
    for (const QString& f : {locale.dateFormat(QLocale::ShortFormat), QStringLiteral("d.M.yy")}) {
        if (f.contains(QLatin1String("yyyy"))) continue;
        d = locale.toDate(t, f);
        if (d.isValid()) {
            if (d.year() < 2000 && d.addYears(100) <= QDate::currentDate()) d = d.addYears(100);
            return d;
        }
    }
    return {};
}

SuchAbfrage suchAbfrageBauen(const SuchKriterien& k, const SuchNachschlag& n, const SuchAufruf& aufruf,
                             const QLocale& locale) {
    SuchAbfrage a;
    QStringList teile;
    auto wie = [&](const QString& wert, const char* spalte) {
        if (!gefuellt(wert)) return;
        const QString feld = QString::fromLatin1(spalte);
        QString bedingung = likeBedingung(feld);
        a.parameter << likeMuster(wert);
        // A plain beginning also bounds the field in its own (case-blind) order, so the field's index
        // finds the candidates instead of a walk over every cat; LIKE still decides.
        if (!wert.contains(QLatin1Char('%'))) {
            bedingung += QStringLiteral(" AND %1 >= ? AND %1 < ?").arg(feld);
            a.parameter << wert << QString(wert + QString::fromUcs4(U"\U0010FFFF", 1));
        }
        teile << bedingung;
    };
    wie(k.name, "k.Name");
    wie(k.zwinger, "k.Zwinger");
    wie(k.rufname, "k.Rufname");
    if (gefuellt(k.rasse)) teile << inBedingung(QStringLiteral("k.Rasse"), n.rassen, a.parameter);
    wie(k.farbe, "k.FellFarbe");
    if (gefuellt(k.zuechter)) {
        if (n.zuechter.isEmpty()) {
            a.fehler = SuchAbfrage::Fehler::KeinZuechter;
            return a;
        }
        teile << inBedingung(QStringLiteral("k.\"Züchter\""), n.zuechter, a.parameter);
    }
    if (gefuellt(k.besitzer)) {
        if (n.besitzer.isEmpty()) {
            a.fehler = SuchAbfrage::Fehler::KeinBesitzer;
            return a;
        }
        teile << inBedingung(QStringLiteral("k.Besitzer"), n.besitzer, a.parameter);
    }
    wie(k.zuchtbuchnummer, "k.Zuchtbuchnummer1");
    if (gefuellt(k.status)) {
        a.mitStatus = true;
        teile << inBedingung(QStringLiteral("k.Status"), n.status, a.parameter);
    }
    if (gefuellt(k.gebDatum)) {
        const QDate d = datumAusText(k.gebDatum, locale);
        if (!d.isValid()) {
            a.fehler = SuchAbfrage::Fehler::UngueltigesDatum;
            return a;
        }
        teile << QStringLiteral("k.GebDatum = ?");
        a.parameter << d;
    }

    switch (aufruf.einschraenkung()) {
    case SuchGeschlecht::Maennlich:
        teile << QStringLiteral("(k.Geschlecht = '1' OR k.Geschlecht = '3')");
        break;
    case SuchGeschlecht::Weiblich:
        teile << QStringLiteral("(k.Geschlecht = '2' OR k.Geschlecht = '4')");
        break;
    case SuchGeschlecht::Alle:
        break;
    }
    // An empty name would be bound as NULL and "<> NULL" holds for no cat, so only a real name counts.
    if (aufruf.formular == 3 && aufruf.vonKnopf() && gefuellt(aufruf.eigenerName)) {
        teile << QStringLiteral("k.Name <> ?");
        a.parameter << aufruf.eigenerName;
    }
    if (!teile.isEmpty()) a.bedingung = QStringLiteral(" WHERE ") + teile.join(QStringLiteral(" AND "));
    return a;
}

QString SuchAbfrage::sql(const store::Database* db) const {
    auto da = [db](const char* t) { return !db || db->tableExists(QString::fromLatin1(t)); };
    QStringList spalten = {QStringLiteral("k.LaufendeNummer"), QStringLiteral("k.Name"),
                           QStringLiteral("k.Zwinger"),        QStringLiteral("k.Rufname"),
                           QStringLiteral("k.FellFarbe"),      QStringLiteral("k.Geschlecht"),
                           QStringLiteral("k.GebDatum"),       QStringLiteral("k.Zuchtbuchnummer1"),
                           QStringLiteral("k.ChipNr"),         QStringLiteral("k.Blutgruppe"),
                           QStringLiteral("k.Rasse"),          QStringLiteral("k.Status")};
    QString joins;
    auto verbinden = [&](bool vorhanden, const QString& join, const QStringList& felder) {
        if (vorhanden) joins += QLatin1Char(' ') + join;
        for (const QString& f : felder)
            spalten << (vorhanden ? f : QStringLiteral("NULL"));
    };
    verbinden(da("rasse"), QStringLiteral("LEFT JOIN rasse AS r ON r.RCode = k.Rasse"),
              {QStringLiteral("r.RName")});
    verbinden(true, QStringLiteral("LEFT JOIN catstamm AS v ON v.LaufendeNummer = k.Vater"),
              {QStringLiteral("v.Name")});
    verbinden(true, QStringLiteral("LEFT JOIN catstamm AS m ON m.LaufendeNummer = k.Mutter"),
              {QStringLiteral("m.Name")});
    verbinden(da("adr_dat"), QStringLiteral("LEFT JOIN adr_dat AS z ON z.LaufendeNr = k.\"Züchter\""),
              {QStringLiteral("z.Name"), QStringLiteral("z.Vorname")});
    verbinden(da("adr_dat"), QStringLiteral("LEFT JOIN adr_dat AS b ON b.LaufendeNr = k.Besitzer"),
              {QStringLiteral("b.Name"), QStringLiteral("b.Vorname")});
    verbinden(da("status"), QStringLiteral("LEFT JOIN status AS s ON s.Nummer = k.Status"),
              {QStringLiteral("s.Status")});
    return QStringLiteral("SELECT ") + spalten.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM \"CatStamm.db\" AS k") + joins + bedingung + QLatin1Char(' ') +
           ordnungsKlausel(sortierung);
}

void suchFunktionenAnmelden(store::Database& db) {
    // The query connection is created anew after a disconnect, so the function is (re)declared each time.
    sqlite3_create_function_v2(db.queryConnection(), kGross, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               grossFunktion, nullptr, nullptr, nullptr);
}

SuchNachschlag nachschlagen(store::Database& db, const SuchKriterien& k) {
    suchFunktionenAnmelden(db);
    SuchNachschlag n;
    if (gefuellt(k.rasse))
        n.rassen = nummernSuchen(db, QStringLiteral("rasse"), QStringLiteral("RCode"),
                                 QStringLiteral("RName"), k.rasse);
    if (gefuellt(k.zuechter))
        n.zuechter = nummernSuchen(db, QStringLiteral("adr_dat"), QStringLiteral("LaufendeNr"),
                                   QStringLiteral("Name"), k.zuechter);
    if (gefuellt(k.besitzer) && !(gefuellt(k.zuechter) && n.zuechter.isEmpty()))
        n.besitzer = nummernSuchen(db, QStringLiteral("adr_dat"), QStringLiteral("LaufendeNr"),
                                   QStringLiteral("Name"), k.besitzer);
    if (gefuellt(k.status))
        n.status = nummernSuchen(db, QStringLiteral("status"), QStringLiteral("Nummer"),
                                 QStringLiteral("Status"), k.status);
    return n;
}

SuchAbfrage suchAbfrageBauen(store::Database& db, const SuchKriterien& k, const SuchAufruf& aufruf,
                             const QLocale& locale) {
    return suchAbfrageBauen(k, nachschlagen(db, k), aufruf, locale);
}

QString adressAnzeige(const QString& name, const QString& vorname) {
    return vorname.isEmpty() ? name : name + QStringLiteral(", ") + vorname;
}

QString SuchTreffer::anzeige() const {
    return name + QStringLiteral(" / ") + rufname;
}

QString SuchTreffer::geschlAnzeige() const {
    if (geschlecht == QLatin1String("1")) return QStringLiteral("m");
    if (geschlecht == QLatin1String("2")) return QStringLiteral("w");
    if (geschlecht == QLatin1String("3")) return QStringLiteral("m/k");
    if (geschlecht == QLatin1String("4")) return QStringLiteral("w/k");
    return {};
}

QList<SuchTreffer> suchen(store::Database& db, const SuchAbfrage& abfrage) {
    if (abfrage.fehler != SuchAbfrage::Fehler::Keiner) return {};
    suchFunktionenAnmelden(db);
    QString eigenName, eigenVorname;
    if (db.tableExists(QStringLiteral("eigen"))) {
        store::Query e(db, QStringLiteral("SELECT e.Name, e.Vorname FROM eigen AS e"));
        if (e.next()) {
            eigenName = text(e, 0);
            eigenVorname = text(e, 1);
        }
    }
    store::Query q(db, abfrage.sql(&db), abfrage.parameter);
    QList<SuchTreffer> treffer;
    while (q.next()) {
        SuchTreffer t;
        t.nummer = q.value(0).toInt();
        t.name = text(q, 1);
        t.zwinger = text(q, 2);
        t.rufname = text(q, 3);
        t.farbe = text(q, 4);
        t.geschlecht = text(q, 5);
        t.gebDatum = q.value(6).toDate();
        t.zuchtbuchnummer = text(q, 7);
        t.chipNr = text(q, 8);
        t.blutgruppe = text(q, 9);
        t.rasse = q.value(10).toInt();
        t.status = q.value(11).toInt();
        t.rasseName = text(q, 12);
        t.vaterName = text(q, 13);
        t.mutterName = text(q, 14);
        t.zuechterAnzeige = adressAnzeige(text(q, 15), text(q, 16));
        t.besitzerAnzeige =
            t.status == 1 ? adressAnzeige(eigenName, eigenVorname) : adressAnzeige(text(q, 17), text(q, 18));
        t.statusName = text(q, 19);
        treffer << t;
    }
    return treffer;
}

} // namespace velmora::reg
