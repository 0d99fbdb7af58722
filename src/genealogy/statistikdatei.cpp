#include "genealogy/statistikdatei.h"

#include <QHash>

namespace velmora::genealogy {

// texte: meldung 280-285

// ---------------------------------------------------------------- condition

QString Bedingungsbau::bedingung(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("(Merkmal='") + n + QStringLiteral("')");
}

QString Bedingungsbau::opText(Operator o) {
    switch (o) {
    case Operator::Und:
        return QStringLiteral("and");
    case Operator::Oder:
        return QStringLiteral("or");
    case Operator::Nicht:
        return QStringLiteral("not");
    case Operator::Auf:
        return QStringLiteral("(");
    case Operator::Zu:
        return QStringLiteral(")");
    }
    return {};
}

void Bedingungsbau::nachOperand() {
    m_stand.liste = m_stand.nicht = m_stand.auf = false;
    m_stand.und = m_stand.oder = true;
    m_stand.zu = m_tiefe > 0;
    m_stand.abfrageLoeschen = !m_text.isEmpty();
}

void Bedingungsbau::erwarteOperand(bool nachNicht) {
    m_stand.liste = m_stand.auf = true;
    m_stand.nicht = !nachNicht;
    m_stand.und = m_stand.oder = m_stand.zu = false;
    m_stand.abfrageLoeschen = !m_text.isEmpty();
}

void Bedingungsbau::merkmal(const QString& name) {
    if (!m_stand.liste) return;
    if (!m_erweitert) {
        if (m_eingabe) m_text += QStringLiteral(" or ");
        m_eingabe = true;
        m_merkmale << name;
        m_text += QLatin1Char(' ') + bedingung(name);
        m_stand = Bedienstand{};
        m_stand.abfrageLoeschen = true;
        return;
    }
    m_merkmale << name;
    m_text += QLatin1Char(' ') + bedingung(name);
    nachOperand();
}

void Bedingungsbau::op(Operator o) {
    if (!m_erweitert) return;
    const bool erlaubt = (o == Operator::Und && m_stand.und) || (o == Operator::Oder && m_stand.oder) ||
                         (o == Operator::Nicht && m_stand.nicht) || (o == Operator::Auf && m_stand.auf) ||
                         (o == Operator::Zu && m_stand.zu);
    if (!erlaubt) return;
    m_text += QLatin1Char(' ') + opText(o);
    if (o == Operator::Auf) ++m_tiefe;
    if (o == Operator::Zu) {
        --m_tiefe;
        nachOperand();
        return;
    }
    erwarteOperand(o == Operator::Nicht);
}

void Bedingungsbau::erweitert() {
    m_erweitert = true;
    if (m_text.trimmed().isEmpty())
        erwarteOperand(false);
    else
        nachOperand();
}

void Bedingungsbau::einfach() {
    m_erweitert = false;
    abfrageLoeschen();
}

void Bedingungsbau::abfrageLoeschen() {
    m_text.clear();
    m_merkmale.clear();
    m_eingabe = false;
    m_tiefe = 0;
    if (m_erweitert)
        erwarteOperand(false);
    else
        m_stand = Bedienstand{};
}

void Bedingungsbau::textSetzen(const QString& text) {
    m_text = text;
    m_tiefe = 0;
    bool literal = false;
    for (QChar c : text) {
        if (c == QLatin1Char('\'')) literal = !literal;
        if (literal) continue;
        if (c == QLatin1Char('(')) ++m_tiefe;
        if (c == QLatin1Char(')')) m_tiefe = std::max(0, m_tiefe - 1);
    }
    const QString t = text.trimmed().toLower();
    m_eingabe = !t.isEmpty();
    if (!m_erweitert) {
        m_stand = Bedienstand{};
        m_stand.abfrageLoeschen = !t.isEmpty();
        return;
    }
    auto endetMitWort = [&](const char* w) {
        const QString s = QLatin1String(w);
        return t == s || t.endsWith(QLatin1Char(' ') + s) || t.endsWith(QLatin1Char('(') + s);
    };
    if (t.isEmpty() || t.endsWith(QLatin1Char('(')) || endetMitWort("and") || endetMitWort("or"))
        erwarteOperand(false);
    else if (endetMitWort("not"))
        erwarteOperand(true);
    else
        nachOperand();
}

// ---------------------------------------------------------------- filter

Altersbereich altersbereich(const Filter& f) {
    Altersbereich b;
    const QString ab = f.alterAb.trimmed(), bis = f.alterBis.trimmed();
    if (ab.isEmpty() && bis.isEmpty()) return b;
    int a = ab.toInt(), z = bis.toInt();
    if (z < a && z != 0) std::swap(a, z);
    auto zurueck = [&](int n) { return f.monate ? f.heute.addMonths(-n) : f.heute.addYears(-n); };
    b.aktiv = true;
    b.geborenBis = zurueck(a);
    if (z > 0) b.geborenAb = zurueck(z);
    return b;
}

namespace {

QStringList filterTeile(const Filter& f, const QString& p, QVariantList& params) {
    QStringList teile;
    if (f.farbe) {
        teile << QStringLiteral("(") + p + QStringLiteral("FellFarbe = ? COLLATE VELMORA_NOCASE)");
        params << *f.farbe;
    }
    QStringList codes;
    for (int i = 0; i < 4; ++i)
        if (f.geschlecht[i]) codes << QString::number(i + 1);
    if (codes.size() < 4) {
        QStringList fragen;
        for (const QString& c : codes) {
            fragen << QStringLiteral("?");
            params << c;
        }
        teile << QStringLiteral("(") + p + QStringLiteral("Geschlecht IN (") + fragen.join(QLatin1Char(',')) +
                     QStringLiteral("))");
    }
    const Altersbereich b = altersbereich(f);
    if (b.aktiv) {
        QString t = QStringLiteral("(") + p + QStringLiteral("GebDatum <= ?)");
        params << b.geborenBis.toString(Qt::ISODate);
        if (b.geborenAb) {
            t += QStringLiteral(" AND (") + p + QStringLiteral("GebDatum >= ?)");
            params << b.geborenAb->toString(Qt::ISODate);
        }
        // an age range selects living cats
        t += QStringLiteral(" AND (") + p + QStringLiteral("Toddatum IS NULL)");
        teile << QStringLiteral("(") + t + QStringLiteral(")");
    }
    return teile;
}

bool wortZeichen(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Appends the condition to sql, every "Merkmal='name'" replaced by the test for that feature's number
// as a bound parameter; the rest stays as the user wrote it.
void bedingungEinsetzen(Abfrage& a, const QString& text, bool erweitert,
                        const std::function<qint32(const QString&)>& nummer) {
    a.textAnfang = int(a.sql.size());
    a.textLaenge = int(text.size());
    int lauf = 0; // start of the current verbatim run in text
    auto wortlich = [&](int bis) {
        if (bis > lauf) {
            a.abschnitte.push_back({int(a.sql.size()), lauf, bis - lauf, false});
            a.sql += text.mid(lauf, bis - lauf);
        }
    };
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) { // a literal or quoted name: skip it whole
            int j = i + 1;
            while (j < n) {
                if (text.at(j) == c) {
                    if (j + 1 < n && text.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            i = j + 1;
            continue;
        }
        if (!wortZeichen(c)) {
            ++i;
            continue;
        }
        int j = i;
        while (j < n && wortZeichen(text.at(j)))
            ++j;
        const bool frei = i == 0 || text.at(i - 1) != QLatin1Char('.');
        if (frei && text.mid(i, j - i).compare(QLatin1String("Merkmal"), Qt::CaseInsensitive) == 0) {
            int k = j;
            while (k < n && text.at(k).isSpace())
                ++k;
            if (k < n && text.at(k) == QLatin1Char('=')) {
                ++k;
                while (k < n && text.at(k).isSpace())
                    ++k;
                if (k < n && text.at(k) == QLatin1Char('\'')) {
                    QString name;
                    int e = k + 1;
                    bool zu = false;
                    while (e < n) {
                        if (text.at(e) == QLatin1Char('\'')) {
                            if (e + 1 < n && text.at(e + 1) == QLatin1Char('\'')) {
                                name += QLatin1Char('\'');
                                e += 2;
                                continue;
                            }
                            zu = true;
                            break;
                        }
                        name += text.at(e);
                        ++e;
                    }
                    if (zu) {
                        wortlich(i);
                        const QString ersatz = erweitert ? QStringLiteral("(instr(Nummer, ?) > 0)")
                                                         : QStringLiteral("(K.Merkmal = ?)");
                        a.abschnitte.push_back({int(a.sql.size()), i, int(ersatz.size()), true});
                        a.sql += ersatz;
                        const qint32 nr = nummer ? nummer(name) : 0;
                        if (erweitert)
                            a.params << QString(QLatin1Char(',') + QString::number(nr) + QLatin1Char(','));
                        else
                            a.params << nr;
                        lauf = e + 1;
                        i = e + 1;
                        continue;
                    }
                }
            }
        }
        i = j;
    }
    wortlich(n);
}

} // namespace

int Abfrage::textPosition(int sqlPosition) const {
    if (textAnfang < 0 || sqlPosition < textAnfang) return -1;
    int letzteEnde = 0;
    for (const Abschnitt& s : abschnitte) {
        if (sqlPosition >= s.sqlAnfang && sqlPosition < s.sqlAnfang + s.laenge)
            return s.ersetzt ? s.textAnfang : s.textAnfang + (sqlPosition - s.sqlAnfang);
        if (sqlPosition < s.sqlAnfang) return letzteEnde;
        letzteEnde = s.ersetzt ? s.textAnfang : s.textAnfang + s.laenge;
    }
    return textLaenge; // after the condition: it ended too early
}

Abfrage abfrageBauen(bool erweitert, const QString& bedingung, const Filter& filter,
                     const std::function<qint32(const QString&)>& nummer) {
    Abfrage a;
    const bool mitBedingung = !bedingung.trimmed().isEmpty();
    QStringList teile;
    if (!erweitert && mitBedingung) {
        a.tabellen = {QStringLiteral("catstamm"), QStringLiteral("katzemerkmal"), QStringLiteral("merkmale")};
        a.sql =
            QStringLiteral("SELECT C.LaufendeNummer, C.Name, C.Vater, C.Mutter, C.FellFarbe, C.Geschlecht, "
                           "C.GebDatum, C.Toddatum, M.Bezeichnung, M.farbe "
                           "FROM catstamm C, katzemerkmal K, merkmale M WHERE ");
        teile = filterTeile(filter, QStringLiteral("C."), a.params);
        for (const QString& t : teile)
            a.sql += t + QStringLiteral(" AND ");
        a.sql += QLatin1Char('(');
        bedingungEinsetzen(a, bedingung, false, nummer);
        a.sql += QStringLiteral(") AND (C.LaufendeNummer = K.Katze) AND (K.Merkmal = M.LaufendeNummer) "
                                "ORDER BY C.Name, C.LaufendeNummer, K.LaufendeNummer");
        return a;
    }
    if (!erweitert) {
        a.tabellen = {QStringLiteral("catstamm")};
        a.sql =
            QStringLiteral("SELECT C.LaufendeNummer, C.Name, C.Vater, C.Mutter, C.FellFarbe, C.Geschlecht, "
                           "C.GebDatum, C.Toddatum, NULL, NULL FROM catstamm C");
        teile = filterTeile(filter, QStringLiteral("C."), a.params);
        if (!teile.isEmpty()) a.sql += QStringLiteral(" WHERE ") + teile.join(QStringLiteral(" AND "));
        a.sql += QStringLiteral(" ORDER BY C.Name, C.LaufendeNummer");
        return a;
    }
    // Every cat once with all its features: their numbers between commas (",1,,2,"), their names
    // ("- A -- B -") and the colour of the first.
    a.tabellen = {QStringLiteral("catstamm"), QStringLiteral("katzemerkmal"), QStringLiteral("merkmale")};
    a.sql = QStringLiteral(
        "WITH ergebnisTMP AS (SELECT C.Name AS Name, "
        "',' || coalesce((SELECT group_concat(Merkmal, ',,') FROM (SELECT K.Merkmal AS Merkmal FROM "
        "katzemerkmal K "
        "WHERE K.Katze = C.LaufendeNummer ORDER BY K.LaufendeNummer)), '') || ',' AS Nummer, "
        "C.Geschlecht AS Geschlecht, C.GebDatum AS GebDatum, C.Toddatum AS Toddatum, C.Vater AS Vater, "
        "C.Mutter AS Mutter, "
        "(SELECT group_concat('- ' || Bezeichnung || ' -', '') FROM (SELECT M.Bezeichnung AS Bezeichnung "
        "FROM katzemerkmal K JOIN merkmale M ON M.LaufendeNummer = K.Merkmal WHERE K.Katze = "
        "C.LaufendeNummer "
        "ORDER BY K.LaufendeNummer)) AS Text, C.FellFarbe AS Fellfarbe, "
        "(SELECT M.farbe FROM katzemerkmal K JOIN merkmale M ON M.LaufendeNummer = K.Merkmal "
        "WHERE K.Katze = C.LaufendeNummer ORDER BY K.LaufendeNummer LIMIT 1) AS MerkmFarbe, "
        "C.LaufendeNummer AS LaufendeNummer FROM catstamm C) "
        "SELECT LaufendeNummer, Name, Vater, Mutter, Fellfarbe, Geschlecht, GebDatum, Toddatum, Text, "
        "MerkmFarbe FROM ergebnisTMP");
    teile = filterTeile(filter, QString(), a.params);
    if (!teile.isEmpty() || mitBedingung) a.sql += QStringLiteral(" WHERE ");
    for (qsizetype i = 0; i < teile.size(); ++i)
        a.sql += (i ? QStringLiteral(" AND ") : QString()) + teile[i];
    if (mitBedingung) {
        a.sql += teile.isEmpty() ? QStringLiteral("(") : QStringLiteral(" AND (");
        bedingungEinsetzen(a, bedingung, true, nummer);
        a.sql += QLatin1Char(')');
    }
    a.sql += QStringLiteral(" ORDER BY Name, LaufendeNummer");
    return a;
}

// ---------------------------------------------------------------- evaluation

namespace {
QDate alsDatum(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}
} // namespace

Auswertung auswerten(store::Database& db, Registerabbild& abbild, bool erweitert, const QString& bedingung,
                     const Filter& filter, int generationen, const QLocale& locale,
                     const std::function<QString(int)>& meldung,
                     const std::function<bool(int, int)>& fortschritt) {
    Auswertung e;
    try {
        abbild.allesLaden();
        const Abfrage a = abfrageBauen(erweitert, bedingung, filter,
                                       [&abbild](const QString& n) { return abbild.merkmalNummer(n); });
        store::LeseAbfrage q(db, a.tabellen, a.sql, a.params);
        while (q.next()) {
            Ergebniszeile z;
            z.nr = qint32(q.ganzzahl(0));
            z.name = q.value(1).toString();
            z.vaterNr = qint32(q.ganzzahl(2));
            z.mutterNr = qint32(q.ganzzahl(3));
            z.fellfarbe = q.value(4).toString();
            z.geschlecht = q.value(5).toString();
            z.geburt = alsDatum(q.value(6));
            z.tod = alsDatum(q.value(7));
            z.merkmal = q.value(8).toString();
            z.farbe = qint32(q.ganzzahl(9));
            e.zeilen << z;
            if (fortschritt && (e.zeilen.size() & 0x3ff) == 0 && !fortschritt(0, 0)) {
                e.ausgang = Auswertung::abgebrochen;
                e.zeilen.clear();
                return e;
            }
        }
    } catch (const store::AbfrageAbgelehnt& x) {
        e.ausgang = Auswertung::abgelehnt;
        e.ablehnung = x.ablehnung;
        // the position as one in the user's text
        if (e.ablehnung.position >= 0) {
            const Abfrage a = abfrageBauen(erweitert, bedingung, filter,
                                           [&abbild](const QString& n) { return abbild.merkmalNummer(n); });
            e.ablehnung.position = a.textPosition(e.ablehnung.position);
        }
        return e;
    } catch (const store::DatabaseError& x) {
        e.ausgang = Auswertung::fehler;
        e.fehlertext = x.message();
        e.zeilen.clear();
        return e;
    }
    if (e.zeilen.isEmpty()) {
        e.ausgang = Auswertung::keineTreffer;
        return e;
    }
    // The figures of each cat once, also when it is listed once per feature.
    TFormInzuchtberechnung calc(abbild, meldung);
    calc.cacheBehalten = true;
    calc.locale = locale;
    struct Zahlen {
        bool ok;
        QString ik, avk;
        double ikWert, avkWert;
    };
    QHash<qint32, Zahlen> fertig;
    const int gesamt = int(e.zeilen.size());
    for (int i = 0; i < gesamt; ++i) {
        Ergebniszeile& z = e.zeilen[i];
        if (const AbbildKatze* v = abbild.katze(z.vaterNr)) z.vater = v->name;
        if (const AbbildKatze* m = abbild.katze(z.mutterNr)) z.mutter = m->name;
        auto it = fertig.constFind(z.nr);
        if (it == fertig.constEnd()) {
            Zahlen n{false, {}, {}, 0, 0};
            if (abbild.katze(z.vaterNr) && abbild.katze(z.mutterNr) &&
                calc.Berechne(z.nr, z.vaterNr, z.mutterNr, quint8(std::clamp(generationen, 1, 255)), false)) {
                n.ok = true;
                n.ik = calc.Inzuchtkoeffizientkurz;
                n.avk = calc.Ahnenverlustkoeffizient;
                n.ikWert = calc.summe * 100;
                const qint64 vorfahren = calc.zaehler - 1;
                n.avkWert = vorfahren > 0 ? 100.0 / double(vorfahren) * double(calc.zaehlerdoppelt) : 0.0;
            }
            it = fertig.insert(z.nr, n);
        }
        z.mitZahlen = it->ok;
        z.ik = it->ik;
        z.avk = it->avk;
        z.ikWert = it->ikWert;
        z.avkWert = it->avkWert;
        if (fortschritt && (i & 0x3f) == 0 && !fortschritt(i, gesamt)) {
            e.ausgang = Auswertung::abgebrochen;
            e.zeilen.clear();
            return e;
        }
    }
    if (fortschritt) fortschritt(gesamt, gesamt);
    return e;
}

QString ablehnungsText(const store::Ablehnung& a, const std::function<QString(int)>& meldung) {
    auto m = [&](int n) { return meldung ? meldung(n) : QString::number(n); };
    switch (a.grund) {
    case store::Ablehnung::MehrereAnweisungen:
        return m(280);
    case store::Ablehnung::Schreibend:
        return m(281);
    case store::Ablehnung::Anhaengen:
        return m(282);
    case store::Ablehnung::Pragma:
        return m(283);
    case store::Ablehnung::Transaktion:
        return m(284);
    case store::Ablehnung::Syntax:
        break;
    }
    QString t = m(285);
    if (a.position >= 0) t += QLatin1Char(' ') + QString::number(a.position + 1);
    return t + QStringLiteral(": ") + a.text;
}

} // namespace velmora::genealogy
