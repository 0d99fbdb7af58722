#include "office/adressen.h"

#include "store/table.h"

#include <QUrl>
#include <sqlite3.h>

namespace velmora::office {

namespace {

bool gefuellt(const QString& s) {
    return !s.trimmed().isEmpty();
}

// LIKE-style matching of a beginning over UCS-4: "%" any run, "_" one character.
bool passt(const char32_t* w, const char32_t* wEnde, const char32_t* m, const char32_t* mEnde) {
    while (m != mEnde) {
        if (*m == U'%') {
            while (m != mEnde && *m == U'%')
                ++m;
            if (m == mEnde) return true;
            for (const char32_t* p = w; p <= wEnde; ++p)
                if (passt(p, wEnde, m, mEnde)) return true;
            return false;
        }
        if (w == wEnde) return false;
        if (*m != U'_' && *m != *w) return false;
        ++w;
        ++m;
    }
    return true; // the pattern is a beginning: the rest of the value does not matter
}

bool istAscii(const unsigned char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] & 0x80) return false;
    return true;
}

// The same over plain ASCII bytes, which is what nearly every address holds.
bool passtAscii(const unsigned char* w, const unsigned char* wEnde, const unsigned char* m,
                const unsigned char* mEnde, bool ohneFall) {
    auto klein = [ohneFall](unsigned char c) { return (ohneFall && c >= 'A' && c <= 'Z') ? c + 32 : c; };
    while (m != mEnde) {
        if (*m == '%') {
            while (m != mEnde && *m == '%')
                ++m;
            if (m == mEnde) return true;
            for (const unsigned char* p = w; p <= wEnde; ++p)
                if (passtAscii(p, wEnde, m, mEnde, ohneFall)) return true;
            return false;
        }
        if (w == wEnde) return false;
        if (*m != '_' && klein(*m) != klein(*w)) return false;
        ++w;
        ++m;
    }
    return true;
}

// velmora_beginnt(wert, muster, ohneFall)
void beginntFunktion(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const auto* w = sqlite3_value_text(argv[0]);
    const int nw = sqlite3_value_bytes(argv[0]);
    const auto* m = sqlite3_value_text(argv[1]);
    const int nm = sqlite3_value_bytes(argv[1]);
    const bool ohneFall = sqlite3_value_int(argv[2]) != 0;
    if (istAscii(w, nw) && istAscii(m, nm)) {
        sqlite3_result_int(ctx, passtAscii(w, w + nw, m, m + nm, ohneFall));
        return;
    }
    sqlite3_result_int(ctx, beginntMit(QString::fromUtf8(reinterpret_cast<const char*>(w), nw),
                                       QString::fromUtf8(reinterpret_cast<const char*>(m), nm), ohneFall));
}

const char* const kBeginnt = "velmora_beginnt";

QString bedingung(const char* spalte, const QString& text, bool ohneFall, QVariantList& parameter) {
    parameter << text << (ohneFall ? 1 : 0);
    return QStringLiteral("%1(a.%2, ?, ?)").arg(QLatin1String(kBeginnt), QLatin1String(spalte));
}

QString t(const store::Query& q, int i) {
    return q.value(i).toString();
}

const char* const kSpalten =
    "a.LaufendeNr, a.Anrede, a.Name, a.Vorname, a.Zwinger, a.Strasse, a.Plz, a.Ort, a.Land, a.Geburtstag, "
    "a.Telefon, a.Telefax, a.Handy, a.email, a.Homepage, a.Bemerkung, a.Status, a.Rasse, r.RName";

Adresse ausZeile(const store::Query& q) {
    Adresse a;
    a.laufendeNr = q.value(0).toInt();
    a.anrede = t(q, 1);
    a.name = t(q, 2);
    a.vorname = t(q, 3);
    a.zwinger = t(q, 4);
    a.strasse = t(q, 5);
    a.plz = t(q, 6);
    a.ort = t(q, 7);
    a.land = t(q, 8);
    a.geburtstag = q.value(9).toDate();
    a.telefon = t(q, 10);
    a.telefax = t(q, 11);
    a.handy = t(q, 12);
    a.email = t(q, 13);
    a.homepage = t(q, 14);
    a.bemerkung = t(q, 15);
    a.status = t(q, 16);
    a.rasse = q.value(17).toInt();
    a.rasseName = t(q, 18);
    return a;
}

QString vonRasse(bool mitRasse) {
    return mitRasse
               ? QStringLiteral(" FROM adr_dat AS a LEFT JOIN rasse AS r ON r.RCode = a.Rasse")
               : QStringLiteral(" FROM adr_dat AS a LEFT JOIN (SELECT NULL AS RCode, NULL AS RName) AS r "
                                "ON 0");
}

} // namespace

bool AdrKriterien::leer() const {
    for (const QString* s : {&name, &vorname, &zwinger, &telefon, &rasse, &ort, &plz, &land, &status})
        if (gefuellt(*s)) return false;
    return true;
}

QString adressAnzeige(const QString& name, const QString& vorname) {
    return vorname.isEmpty() ? name : name + QStringLiteral(", ") + vorname;
}

QString Adresse::anzeige() const {
    return adressAnzeige(name, vorname);
}

bool beginntMit(const QString& wert, const QString& muster, bool ohneFall) {
    const QList<uint> w = (ohneFall ? wert.toLower() : wert).toUcs4();
    const QList<uint> m = (ohneFall ? muster.toLower() : muster).toUcs4();
    auto p = [](const QList<uint>& l) { return reinterpret_cast<const char32_t*>(l.constData()); };
    return passt(p(w), p(w) + w.size(), p(m), p(m) + m.size());
}

void adrFunktionenAnmelden(store::Database& db) {
    // The query connection is created anew after a disconnect, so the function is declared each time.
    sqlite3_create_function_v2(db.queryConnection(), kBeginnt, 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               beginntFunktion, nullptr, nullptr, nullptr);
}

QList<int> rassenMitAnfang(store::Database& db, const QString& anfang) {
    QList<int> codes;
    if (!db.tableExists(QStringLiteral("rasse"))) return codes;
    store::Table r(db, QStringLiteral("rasse"));
    r.open(store::Table::OpenMode::ReadOnly);
    r.setIndexName(QStringLiteral("RasseName"));
    for (r.first(); !r.eof(); r.next())
        if (r.asString(QStringLiteral("RName")).startsWith(anfang, Qt::CaseSensitive))
            codes << r.asInt(QStringLiteral("RCode"));
    return codes;
}

AdrAbfrage adrAbfrageBauen(const AdrKriterien& k, const QList<int>& rassen, bool mitRasse) {
    AdrAbfrage a;
    QStringList c;
    if (gefuellt(k.name)) c << bedingung("Name", k.name, true, a.parameter);
    if (gefuellt(k.zwinger)) c << bedingung("Zwinger", k.zwinger, true, a.parameter);
    if (gefuellt(k.vorname)) c << bedingung("Vorname", k.vorname, true, a.parameter);
    if (gefuellt(k.telefon)) c << bedingung("Telefon", k.telefon, false, a.parameter);
    if (gefuellt(k.ort)) c << bedingung("Ort", k.ort, true, a.parameter);
    if (gefuellt(k.plz)) c << bedingung("Plz", k.plz, false, a.parameter);
    if (gefuellt(k.rasse)) {
        if (rassen.isEmpty()) {
            c << QStringLiteral("0");
        } else {
            QStringList fragen;
            for (int r : rassen) {
                fragen << QStringLiteral("?");
                a.parameter << r;
            }
            c << QStringLiteral("a.Rasse IN (") + fragen.join(QLatin1Char(',')) + QLatin1Char(')');
        }
    }
    if (gefuellt(k.land)) c << bedingung("Land", k.land, true, a.parameter);
    if (gefuellt(k.status)) c << bedingung("Status", k.status, false, a.parameter);
    a.sql = QStringLiteral("SELECT ") + QLatin1String(kSpalten) + vonRasse(mitRasse);
    if (!c.isEmpty()) a.sql += QStringLiteral(" WHERE ") + c.join(QStringLiteral(" AND "));
    a.sql += QStringLiteral(" ORDER BY a.Name COLLATE VELMORA_CASE, a.Vorname COLLATE VELMORA_CASE, "
                            "a.Geburtstag, a.LaufendeNr");
    return a;
}

QList<Adresse> adressenSuchen(store::Database& db, const AdrKriterien& k) {
    adrFunktionenAnmelden(db);
    const QList<int> rassen = gefuellt(k.rasse) ? rassenMitAnfang(db, k.rasse) : QList<int>();
    const AdrAbfrage a = adrAbfrageBauen(k, rassen, db.tableExists(QStringLiteral("rasse")));
    store::Query q(db, a.sql, a.parameter);
    QList<Adresse> liste;
    while (q.next())
        liste << ausZeile(q);
    return liste;
}

Adresse adresseLesen(store::Database& db, int laufendeNr) {
    store::Query q(db,
                   QStringLiteral("SELECT ") + QLatin1String(kSpalten) +
                       vonRasse(db.tableExists(QStringLiteral("rasse"))) +
                       QStringLiteral(" WHERE a.LaufendeNr = ?"),
                   {laufendeNr});
    return q.next() ? ausZeile(q) : Adresse{};
}

const QStringList& buchstabenReiter() {
    static const QStringList reiter = {QStringLiteral("ABC"), QStringLiteral("DEF"), QStringLiteral("GHI"),
                                       QStringLiteral("JKL"), QStringLiteral("MNO"), QStringLiteral("PQR"),
                                       QStringLiteral("STU"), QStringLiteral("V-Z")};
    return reiter;
}

NamensBereich buchstabenBereich(int k) {
    NamensBereich b;
    b.von = QChar(char16_t(65 + 3 * k));
    // The last tab ends after every name that begins with Z, whatever follows the Z.
    b.bis = k >= 7 ? QStringLiteral("Z") + QString::fromUcs4(U"\U0010FFFF", 1)
                   : QString(QChar(char16_t(68 + 3 * k)));
    return b;
}

int gleichnamigeAdresse(store::Table& adressen, const QString& name, const QString& vorname) {
    const QVariant v = vorname.isEmpty() ? QVariant() : QVariant(vorname);
    const QVariant nr =
        adressen.lookupInIndex(QStringLiteral("AdrName"), {name, v}, QStringLiteral("LaufendeNr"));
    return nr.isValid() ? nr.toInt() : 0;
}

namespace {
QString kodiert(const QString& text, const QByteArray& frei = {}) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, frei));
}
} // namespace

QString mailtoText(const QString& adresse) {
    return QStringLiteral("MAILTO:") + kodiert(adresse.trimmed(), "@");
}

QString gruppenMailText(const QStringList& adressen, const QString& gruss, const QString& eigenerVorname,
                        const QString& eigenerName) {
    QStringList teile;
    for (const QString& a : adressen)
        teile << kodiert(a.trimmed(), "@");
    return QStringLiteral("MAILTO:") + teile.join(QLatin1Char(';')) +
           QStringLiteral("?subject=%20&body=%0A") + kodiert(gruss + QLatin1Char(' ')) +
           QStringLiteral("%0A") + kodiert(eigenerVorname + QLatin1Char(' ') + eigenerName);
}

Gruppenmail gruppenMail(const QList<Adresse>& markierte, const QString& gruss, const QString& eigenerVorname,
                        const QString& eigenerName) {
    Gruppenmail g;
    QStringList adressen;
    for (const Adresse& a : markierte) {
        if (a.email.trimmed().isEmpty())
            g.ohneEmail << a.anzeige();
        else
            adressen << a.email;
    }
    if (!adressen.isEmpty()) g.text = gruppenMailText(adressen, gruss, eigenerVorname, eigenerName);
    return g;
}

} // namespace velmora::office
