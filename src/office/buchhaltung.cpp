#include "office/buchhaltung.h"

#include "store/catalogue.h"
#include "store/startup.h"
#include "store/table.h"
#include "store/transaktion.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

namespace velmora::office {

using store::Query;
using store::Table;

namespace {

const QString kKonten = QStringLiteral("konten");
const QString kBuchung = QStringLiteral("buchung");
const QString kMehrwert = QStringLiteral("mehrwert");

// Names compare as the name index does: without regard to case.
QString schluessel(const QString& name) {
    return name.trimmed().toCaseFolded();
}

Money geld(const QVariant& v) {
    return store::Money::fromVariant(v).value_or(Money());
}

constexpr const char* kKontoSpalten =
    "k.LaufendeNummer, k.Kontoart, k.Name, k.Kontonummer, k.Bankleitzahl, k.Bankname, k.Kontostand, "
    "k.Eroeffnungssaldo, k.Zum, k.Mwst, k.EinAus";

Konto kontoAus(const Query& q) {
    Konto k;
    k.nummer = q.value(0).toInt();
    k.art = q.value(1).toInt();
    k.name = q.value(2).toString();
    k.kontonummer = q.value(3).toInt();
    k.bankleitzahl = q.value(4).toInt();
    k.bankname = q.value(5).toString();
    k.kontostand = geld(q.value(6));
    k.eroeffnungssaldo = geld(q.value(7));
    k.zum = q.value(8).toDate();
    k.mwst = q.value(9).toInt();
    k.einAus = q.value(10).toString();
    return k;
}

QList<Konto> kontenAbfrage(store::Database& db, const QString& bedingung, const QVariantList& werte = {}) {
    QList<Konto> out;
    Query q(db, QStringLiteral("SELECT %1 FROM konten k %2").arg(QLatin1String(kKontoSpalten), bedingung),
            werte);
    while (q.next())
        out << kontoAus(q);
    return out;
}

constexpr const char* kBuchungSpalten =
    "b.BuchungsNr, b.Kontoname, b.Buchungsdatum, b.Kategorie, b.Betrag, b.Beschreibung, b.Gegenbuchung";

Buchung buchungAus(const Query& q) {
    Buchung b;
    b.nummer = q.value(0).toInt();
    b.konto = q.value(1).toInt();
    b.datum = q.value(2).toDate();
    b.kategorie = q.value(3).toString();
    b.betrag = geld(q.value(4));
    b.beschreibung = q.value(5).toString();
    b.gegenbuchung = q.value(6).toInt();
    return b;
}

// A cursor on the record with that number (primary key); throws when there is none.
void aufNummer(Table& t, int nummer) {
    t.setIndexName(QString());
    if (!t.findKey({nummer}))
        throw BuchungsFehler(QStringLiteral("Datensatz %1 fehlt in %2").arg(nummer).arg(t.normalName()));
}

// The other side of a transfer: booked to the target account under the first account's name, with
// the amount turned round; returns its number.
int gegenbuchungAnlegen(Table& b, int zielKonto, const QDate& datum, const QString& kontoName, Money betrag,
                        const QString& beschreibung, int erste) {
    b.append();
    b.setValue(QStringLiteral("Kontoname"), zielKonto);
    b.setValue(QStringLiteral("Buchungsdatum"), datum);
    b.setValue(QStringLiteral("Kategorie"), kontoName);
    b.setValue(QStringLiteral("Betrag"), QVariant::fromValue(-betrag));
    b.setValue(QStringLiteral("Beschreibung"), beschreibung);
    b.setValue(QStringLiteral("Gegenbuchung"), erste);
    b.post();
    return b.value(QStringLiteral("BuchungsNr")).toInt();
}

void standVerschieben(Table& konten, int konto, Money um) {
    konten.setIndexName(QString());
    if (!konten.findKey({konto})) return; // an account deleted meanwhile has no balance to keep
    konten.edit();
    konten.setValue(QStringLiteral("Kontostand"),
                    QVariant::fromValue(geld(konten.value(QStringLiteral("Kontostand"))) + um));
    konten.post();
}

void schreibeKonto(Table& t, const Konto& k) {
    t.setValue(QStringLiteral("Kontoart"), k.art);
    t.setValue(QStringLiteral("Name"), k.name.trimmed());
    t.setValue(QStringLiteral("Kontonummer"), k.kontonummer ? QVariant(k.kontonummer) : QVariant());
    t.setValue(QStringLiteral("Bankleitzahl"), k.bankleitzahl ? QVariant(k.bankleitzahl) : QVariant());
    t.setValue(QStringLiteral("Bankname"), k.bankname);
    t.setValue(QStringLiteral("Eroeffnungssaldo"), QVariant::fromValue(k.eroeffnungssaldo));
    t.setValue(QStringLiteral("Zum"), k.zum);
    t.setValue(QStringLiteral("Mwst"), k.mwst ? QVariant(k.mwst) : QVariant());
    t.setValue(QStringLiteral("EinAus"), k.einAus);
}

int monatsNummer(const QString& text, bool* ok) {
    const int n = text.trimmed().toInt(ok);
    *ok = *ok && n >= 1 && n <= 12;
    return n;
}

} // namespace

std::optional<Zeitraum> zeitraumAusMonaten(const QString& vonMonat, const QString& bisMonat,
                                           const QString& jahr) {
    bool a = false, b = false, c = false;
    const int von = monatsNummer(vonMonat, &a), bis = monatsNummer(bisMonat, &b);
    const int j = jahr.trimmed().toInt(&c);
    if (!a || !b || !c || j < 1 || j > 9999 || bis < von) return std::nullopt;
    const QDate erster(j, von, 1), letzterMonat(j, bis, 1);
    return Zeitraum{erster, QDate(j, bis, letzterMonat.daysInMonth())};
}

std::optional<Money> betragMitPunkt(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^[-+]?(\d+(\.\d{0,4})?|\.\d{1,4})$)"));
    if (!form.match(text).hasMatch()) return std::nullopt;
    return Money::parse(text);
}

QDate isoDatum(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}$)"));
    if (!form.match(text).hasMatch()) return {};
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

Zeitraum anfangsZeitraum(const QDate& heute) {
    return Zeitraum{QDate(heute.year(), 1, 1), QDate(heute.year(), heute.month(), heute.daysInMonth())};
}

// ---------------------------------------------------------------- Buchhaltung

Buchhaltung::Buchhaltung(store::Database& db) : m_db(db) {
    for (const QString& t : {kKonten, kBuchung, QStringLiteral("kontoart"), kMehrwert})
        store::tabelleAnlegenWennFehlt(m_db, t);
    kontostaendeAbgleichen();
}

QList<Konto> Buchhaltung::konten() const {
    return kontenAbfrage(
        m_db,
        QStringLiteral("WHERE k.Kontoart BETWEEN 1 AND 3 ORDER BY k.Kontoart, k.Name, k.LaufendeNummer"));
}

QList<Konto> Buchhaltung::kategorien() const {
    return kontenAbfrage(m_db,
                         QStringLiteral("WHERE IFNULL(k.Kontoart, 0) = 0 ORDER BY k.Name, k.LaufendeNummer"));
}

std::optional<Konto> Buchhaltung::konto(int nummer) const {
    const auto l = kontenAbfrage(m_db, QStringLiteral("WHERE k.LaufendeNummer = ?"), {nummer});
    if (l.isEmpty()) return std::nullopt;
    return l.first();
}

std::optional<Konto> Buchhaltung::nachName(const QString& name) const {
    if (name.trimmed().isEmpty()) return std::nullopt;
    const auto l = kontenAbfrage(
        m_db, QStringLiteral("WHERE k.Name = ? ORDER BY k.Name, k.LaufendeNummer LIMIT 1"), {name.trimmed()});
    if (l.isEmpty()) return std::nullopt;
    return l.first();
}

int Buchhaltung::anlegen(Konto k) {
    k.name = k.name.trimmed();
    if (k.name.isEmpty()) throw BuchungsFehler(QStringLiteral("Der Name fehlt"));
    if (nachName(k.name)) throw BuchungsFehler(QStringLiteral("Den Namen %1 gibt es schon").arg(k.name));
    store::Transaction tx(m_db, kKonten);
    Table t(m_db, kKonten);
    t.open();
    t.append();
    schreibeKonto(t, k);
    if (k.istKonto()) t.setValue(QStringLiteral("Kontostand"), QVariant::fromValue(k.eroeffnungssaldo));
    t.post();
    const int nr = t.value(QStringLiteral("LaufendeNummer")).toInt();
    t.close();
    tx.commit();
    return nr;
}

void Buchhaltung::aendern(const Konto& k) {
    const auto alt = konto(k.nummer);
    if (!alt) throw BuchungsFehler(QStringLiteral("Konto %1 gibt es nicht").arg(k.nummer));
    const QString name = k.name.trimmed();
    if (name.isEmpty()) throw BuchungsFehler(QStringLiteral("Der Name fehlt"));
    const bool umbenannt = name != alt->name;
    if (schluessel(name) != schluessel(alt->name) && nachName(name))
        throw BuchungsFehler(QStringLiteral("Den Namen %1 gibt es schon").arg(name));
    store::MultiTableTransaction tx(m_db, QStringList{kBuchung, kKonten});
    {
        Table t(m_db, kKonten);
        t.open();
        aufNummer(t, k.nummer);
        t.edit();
        schreibeKonto(t, k);
        if (alt->istKonto() || k.istKonto()) {
            const Money stand = geld(t.value(QStringLiteral("Kontostand")));
            t.setValue(QStringLiteral("Kontostand"),
                       QVariant::fromValue(stand + (k.eroeffnungssaldo - alt->eroeffnungssaldo)));
        }
        t.post();
    }
    if (umbenannt) { // the bookings name their category or the other account by name
        Table b(m_db, kBuchung);
        b.open();
        for (b.first(); !b.eof(); b.next()) {
            if (schluessel(b.asString(QStringLiteral("Kategorie"))) != schluessel(alt->name)) continue;
            b.edit();
            b.setValue(QStringLiteral("Kategorie"), name);
            b.post();
        }
    }
    tx.commit();
}

void Buchhaltung::loeschen(int nummer) {
    store::Transaction tx(m_db, kKonten);
    Table t(m_db, kKonten);
    t.open();
    aufNummer(t, nummer);
    t.remove();
    t.close();
    tx.commit();
}

QList<Buchhaltung::Satz> Buchhaltung::mwstSaetze() const {
    QList<Satz> out;
    Query q(m_db,
            QStringLiteral(
                "SELECT m.LaufendeNummer, m.Prozent FROM mehrwert m ORDER BY m.Prozent, m.LaufendeNummer"));
    while (q.next())
        out << Satz{q.value(0).toInt(), q.value(1).toInt()};
    return out;
}

int Buchhaltung::mwstSatzAnlegen(int prozent) {
    if (prozent < 0 || prozent > 100)
        throw BuchungsFehler(QStringLiteral("Kein Steuersatz: %1").arg(prozent));
    store::Transaction tx(m_db, kMehrwert);
    Table t(m_db, kMehrwert);
    t.open();
    t.append();
    t.setValue(QStringLiteral("Prozent"), prozent);
    t.post();
    const int nr = t.value(QStringLiteral("LaufendeNummer")).toInt();
    t.close();
    tx.commit();
    return nr;
}

Money Buchhaltung::gespeicherterBetrag(const QString& kategorie, Money eingegeben) const {
    const auto k = nachName(kategorie);
    if (k && !k->istKonto() && k->einAus == kAusgabe) return -eingegeben;
    return eingegeben;
}

int Buchhaltung::buchen(int kontoNr, const QDate& datum, const QString& kategorie, Money betrag,
                        const QString& beschreibung) {
    const auto konto = this->konto(kontoNr);
    if (!konto || !konto->istKonto())
        throw BuchungsFehler(QStringLiteral("Konto %1 gibt es nicht").arg(kontoNr));
    if (!datum.isValid()) throw BuchungsFehler(QStringLiteral("Das Datum fehlt"));
    const QString kat = kategorie.trimmed();
    if (kat.isEmpty()) throw BuchungsFehler(QStringLiteral("Die Kategorie fehlt"));
    const auto ziel = nachName(kat);
    const bool umbuchung = ziel && ziel->istKonto();
    if (umbuchung && ziel->nummer == kontoNr)
        throw BuchungsFehler(
            QStringLiteral("Eine Umbuchung braucht ein anderes Konto als %1").arg(konto->name));

    // Bookings first: a balance can always be recomputed from them.
    store::MultiTableTransaction tx(m_db, QStringList{kBuchung, kKonten});
    Table b(m_db, kBuchung);
    Table k(m_db, kKonten);
    b.open();
    k.open();
    b.append();
    b.setValue(QStringLiteral("Kontoname"), kontoNr);
    b.setValue(QStringLiteral("Buchungsdatum"), datum);
    b.setValue(QStringLiteral("Kategorie"), umbuchung ? ziel->name : kat);
    b.setValue(QStringLiteral("Betrag"), QVariant::fromValue(betrag));
    b.setValue(QStringLiteral("Beschreibung"), beschreibung);
    b.setValue(QStringLiteral("Gegenbuchung"), 0);
    b.post();
    const int nr = b.value(QStringLiteral("BuchungsNr")).toInt();
    standVerschieben(k, kontoNr, betrag);
    if (umbuchung) {
        const int gegen = gegenbuchungAnlegen(b, ziel->nummer, datum, konto->name, betrag, beschreibung, nr);
        aufNummer(b, nr);
        b.edit();
        b.setValue(QStringLiteral("Gegenbuchung"), gegen);
        b.post();
        standVerschieben(k, ziel->nummer, -betrag);
    }
    b.close();
    k.close();
    tx.commit();
    return nr;
}

void Buchhaltung::buchungAendern(int nummer, const QDate& datum, const QString& kategorie, Money betrag,
                                 const QString& beschreibung) {
    const auto alt = buchung(nummer);
    if (!alt) throw BuchungsFehler(QStringLiteral("Buchung %1 gibt es nicht").arg(nummer));
    const auto konto = this->konto(alt->konto);
    if (!konto || !konto->istKonto())
        throw BuchungsFehler(QStringLiteral("Konto %1 gibt es nicht").arg(alt->konto));
    if (!datum.isValid()) throw BuchungsFehler(QStringLiteral("Das Datum fehlt"));
    const QString kat = kategorie.trimmed();
    if (kat.isEmpty()) throw BuchungsFehler(QStringLiteral("Die Kategorie fehlt"));
    const auto ziel = nachName(kat);
    const bool umbuchung = ziel && ziel->istKonto();
    if (umbuchung && ziel->nummer == konto->nummer)
        throw BuchungsFehler(
            QStringLiteral("Eine Umbuchung braucht ein anderes Konto als %1").arg(konto->name));
    const auto gegenAlt = alt->gegenbuchung ? buchung(alt->gegenbuchung) : std::nullopt;
    // The old counter-booking stays only when the transfer still goes to its account.
    const bool gegenBleibt = gegenAlt && umbuchung && gegenAlt->konto == ziel->nummer;

    store::MultiTableTransaction tx(m_db, QStringList{kBuchung, kKonten});
    Table b(m_db, kBuchung);
    Table k(m_db, kKonten);
    b.open();
    k.open();
    auto schreiben = [&](const QString& kategorieText, Money wert, int gegen) {
        b.edit();
        b.setValue(QStringLiteral("Buchungsdatum"), datum);
        b.setValue(QStringLiteral("Kategorie"), kategorieText);
        b.setValue(QStringLiteral("Betrag"), QVariant::fromValue(wert));
        b.setValue(QStringLiteral("Beschreibung"), beschreibung);
        b.setValue(QStringLiteral("Gegenbuchung"), gegen);
        b.post();
    };
    if (gegenAlt && !gegenBleibt) {
        aufNummer(b, gegenAlt->nummer);
        b.remove();
        standVerschieben(k, gegenAlt->konto, -gegenAlt->betrag);
    }
    int gegen = gegenBleibt ? gegenAlt->nummer : 0;
    if (umbuchung && !gegenBleibt) {
        gegen = gegenbuchungAnlegen(b, ziel->nummer, datum, konto->name, betrag, beschreibung, nummer);
        standVerschieben(k, ziel->nummer, -betrag);
    } else if (gegenBleibt) {
        aufNummer(b, gegen);
        schreiben(konto->name, -betrag, nummer);
        standVerschieben(k, ziel->nummer, -betrag - gegenAlt->betrag);
    }
    aufNummer(b, nummer);
    schreiben(umbuchung ? ziel->name : kat, betrag, gegen);
    standVerschieben(k, konto->nummer, betrag - alt->betrag);
    b.close();
    k.close();
    tx.commit();
}

void Buchhaltung::buchungLoeschen(int nummer) {
    const auto eine = buchung(nummer);
    if (!eine) throw BuchungsFehler(QStringLiteral("Buchung %1 gibt es nicht").arg(nummer));
    const auto andere = eine->gegenbuchung ? buchung(eine->gegenbuchung) : std::nullopt;
    store::MultiTableTransaction tx(m_db, QStringList{kBuchung, kKonten});
    Table b(m_db, kBuchung);
    Table k(m_db, kKonten);
    b.open();
    k.open();
    for (const auto& x : {eine, andere}) {
        if (!x) continue;
        aufNummer(b, x->nummer);
        b.remove();
        standVerschieben(k, x->konto, -x->betrag);
    }
    b.close();
    k.close();
    tx.commit();
}

std::optional<Buchung> Buchhaltung::buchung(int nummer) const {
    Query q(
        m_db,
        QStringLiteral("SELECT %1 FROM buchung b WHERE b.BuchungsNr = ?").arg(QLatin1String(kBuchungSpalten)),
        {nummer});
    if (!q.next()) return std::nullopt;
    return buchungAus(q);
}

QList<Buchung> Buchhaltung::buchungen(int konto) const {
    QList<Buchung> out;
    const QString sql =
        QStringLiteral("SELECT %1 FROM buchung b %2 ORDER BY b.Kontoname, b.Buchungsdatum, b.BuchungsNr")
            .arg(QLatin1String(kBuchungSpalten), konto ? QStringLiteral("WHERE b.Kontoname = ?") : QString());
    Query q(m_db, sql, konto ? QVariantList{konto} : QVariantList{});
    while (q.next())
        out << buchungAus(q);
    return out;
}

Money Buchhaltung::sollKontostand(int konto) const {
    return kontostandAm(konto, QDate(9999, 12, 31));
}

Money Buchhaltung::kontostandAm(int kontoNr, const QDate& tag) const {
    const auto k = konto(kontoNr);
    if (!k) return {};
    Query q(
        m_db,
        QStringLiteral("SELECT SUM(b.Betrag) FROM buchung b WHERE b.Kontoname = ? AND b.Buchungsdatum <= ?"),
        {kontoNr, tag});
    const Money summe = q.next() ? Money::fromUnits(q.value(0).toLongLong()) : Money();
    return k->eroeffnungssaldo + summe;
}

int Buchhaltung::kontostaendeAbgleichen() {
    QHash<int, qint64> summen;
    {
        Query q(m_db,
                QStringLiteral(
                    "SELECT b.Kontoname, SUM(b.Betrag) FROM buchung b NOT INDEXED GROUP BY b.Kontoname"));
        while (q.next())
            summen.insert(q.value(0).toInt(), q.value(1).toLongLong());
    }
    QList<QPair<int, Money>> falsch;
    for (const Konto& k : konten()) {
        const Money soll = k.eroeffnungssaldo + Money::fromUnits(summen.value(k.nummer));
        if (soll != k.kontostand) falsch.append({k.nummer, soll});
    }
    if (falsch.isEmpty()) return 0;
    store::Transaction tx(m_db, kKonten);
    Table t(m_db, kKonten);
    t.open();
    for (const auto& f : falsch) {
        aufNummer(t, f.first);
        t.edit();
        t.setValue(QStringLiteral("Kontostand"), QVariant::fromValue(f.second));
        t.post();
    }
    t.close();
    tx.commit();
    return int(falsch.size());
}

KategorieStatistik Buchhaltung::kategorieStatistik(const QString& kategorie, const Zeitraum& z) const {
    KategorieStatistik s;
    Query q(m_db,
            QStringLiteral(
                "SELECT b.BuchungsNr, b.Buchungsdatum, k.Name, b.Betrag FROM buchung b LEFT JOIN konten k "
                "ON k.LaufendeNummer = b.Kontoname WHERE b.Kategorie = ? AND b.Buchungsdatum BETWEEN ? AND ? "
                "ORDER BY b.Buchungsdatum, k.Name, b.BuchungsNr"),
            {kategorie.trimmed(), z.von, z.bis});
    while (q.next()) {
        KategorieZeile r{q.value(0).toInt(), q.value(1).toDate(), q.value(2).toString(), geld(q.value(3))};
        s.gesamt += r.betrag;
        s.zeilen << r;
    }
    return s;
}

GewinnUndVerlust Buchhaltung::gewinnUndVerlust(const Zeitraum& z, int kontoNr) const {
    GewinnUndVerlust g;
    // The few accounts and categories are looked up here, so the bookings are read in one pass.
    QHash<int, QString> kontoNamen;
    for (const Konto& k : konten())
        kontoNamen.insert(k.nummer, k.name);
    QHash<QString, QString> richtung; // category (case-folded) -> EinAus of the first of that name
    for (const Konto& k : kategorien())
        if (!richtung.contains(schluessel(k.name))) richtung.insert(schluessel(k.name), k.einAus);
    QMap<int, Monatssumme> monate;
    // Every month of a period up to twenty years is shown, an empty one too; a longer one shows the
    // months that have bookings.
    const int spanne = (z.bis.year() - z.von.year()) * 12 + z.bis.month() - z.von.month();
    for (QDate m(z.von.year(), z.von.month(), 1); spanne <= 240 && m.isValid() && m <= z.bis;
         m = m.addMonths(1))
        monate.insert(m.year() * 12 + m.month(), Monatssumme{m.year(), m.month(), {}, {}});
    {
        Query q(
            m_db,
            QStringLiteral("SELECT b.Buchungsdatum, b.Kategorie, b.Kontoname, b.Betrag FROM buchung b "
                           "WHERE b.Buchungsdatum BETWEEN ? AND ? %1 ORDER BY b.Buchungsdatum, b.BuchungsNr")
                .arg(kontoNr ? QStringLiteral("AND b.Kontoname = ?") : QString()),
            kontoNr ? QVariantList{z.von, z.bis, kontoNr} : QVariantList{z.von, z.bis});
        while (q.next()) {
            const auto konto = kontoNamen.constFind(q.value(2).toInt());
            if (konto == kontoNamen.cend()) continue; // a deleted account's bookings count nowhere
            const QString kat = q.value(1).toString();
            const QString art = richtung.value(schluessel(kat));
            const bool ein = art == kEinnahme;
            if (!ein && art != kAusgabe) continue; // transfers and categories that are neither
            const GuvZeile r{q.value(0).toDate(), kat, *konto, geld(q.value(3))};
            auto& monat = monate[r.datum.year() * 12 + r.datum.month()];
            monat.jahr = r.datum.year();
            monat.monat = r.datum.month();
            if (ein) {
                g.einnahmen << r;
                g.einnahmenGesamt += r.betrag;
                monat.einnahmen += r.betrag;
            } else {
                g.ausgaben << r;
                g.ausgabenGesamt -= r.betrag;
                monat.ausgaben -= r.betrag;
            }
        }
    }
    g.monate = monate.values();
    return g;
}

QList<MwstZeile> Buchhaltung::mwstUebersicht(const Zeitraum& z, int konto) const {
    QHash<int, int> prozent;
    for (const Satz& s : mwstSaetze())
        prozent.insert(s.nummer, s.prozent);
    QHash<QString, int> satzJeKategorie;
    for (const Konto& k : kategorien())
        if (!satzJeKategorie.contains(schluessel(k.name)))
            satzJeKategorie.insert(schluessel(k.name), prozent.value(k.mwst));
    QMap<QPair<int, int>, Money> brutto; // (0 income / 1 expense, rate) -> gross
    const GewinnUndVerlust g = gewinnUndVerlust(z, konto);
    for (const GuvZeile& r : g.einnahmen)
        brutto[{0, satzJeKategorie.value(schluessel(r.kategorie))}] += r.betrag;
    for (const GuvZeile& r : g.ausgaben)
        brutto[{1, satzJeKategorie.value(schluessel(r.kategorie))}] -= r.betrag;
    QList<MwstZeile> out;
    for (auto it = brutto.cbegin(); it != brutto.cend(); ++it) {
        MwstZeile m;
        m.einnahmen = it.key().first == 0;
        m.prozent = it.key().second;
        m.brutto = it.value();
        const qint64 cent =
            store::roundedDivision(__int128(m.brutto.units()) * 100, __int128(100 + m.prozent) * 100);
        m.netto = Money::fromUnits(cent * 100);
        m.steuer = m.brutto - m.netto;
        out << m;
    }
    return out;
}

// ---------------------------------------------------------------- CSV

namespace {
QString csvZelle(QString s) {
    if (s.contains(QLatin1Char(';')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n')) ||
        s.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + s.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return s;
}
} // namespace

QByteArray buchungenCsv(const Buchhaltung& b, const Zeitraum& z, int konto) {
    QHash<int, QString> namen;
    for (const Konto& k : b.konten())
        namen.insert(k.nummer, k.name);
    QHash<int, int> prozent;
    for (const auto& s : b.mwstSaetze())
        prozent.insert(s.nummer, s.prozent);
    QHash<QString, QString> satz;
    for (const Konto& k : b.kategorien())
        if (k.mwst && !satz.contains(schluessel(k.name)))
            satz.insert(schluessel(k.name), QString::number(prozent.value(k.mwst)));
    QString text = QStringLiteral("Buchungs Nr.;Datum;Konto;Kategorie;Betrag;MwSt %;Beschreibung\r\n");
    for (const Buchung& x : b.buchungen(konto)) {
        if (!z.enthaelt(x.datum) || !namen.contains(x.konto)) continue;
        QStringList zellen{QString::number(x.nummer),
                           x.datum.toString(QStringLiteral("dd.MM.yyyy")),
                           namen.value(x.konto),
                           x.kategorie,
                           x.betrag.toString(2, QLatin1Char(',')),
                           satz.value(schluessel(x.kategorie)),
                           x.beschreibung};
        for (QString& c : zellen)
            c = csvZelle(c);
        text += zellen.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace velmora::office
