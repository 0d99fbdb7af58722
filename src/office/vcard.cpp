#include "office/vcard.h"

#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QStringDecoder>

namespace velmora::office {

namespace {

QString maskiert(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';'))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

// One content line, folded after 75 octets; a continuation starts with a blank, which counts.
void zeile(QByteArray& out, const QString& name, const QString& wert) {
    const QByteArray z = (name + QLatin1Char(':') + wert).toUtf8();
    int pos = 0, platz = 75;
    while (z.size() - pos > platz) {
        int ende = pos + platz;
        while ((quint8(z[ende]) & 0xC0) == 0x80) // never inside a character
            --ende;
        out += z.mid(pos, ende - pos);
        out += "\r\n ";
        pos = ende;
        platz = 74;
    }
    out += z.mid(pos);
    out += "\r\n";
}

void wennGefuellt(QByteArray& out, const QString& name, const QString& wert) {
    if (!wert.isEmpty()) zeile(out, name, maskiert(wert));
}

// Splits a structured value at the separators that are not escaped, unescaping each part.
QStringList teilen(const QString& wert, QChar trenner) {
    QStringList teile;
    QString t;
    for (int i = 0; i < wert.size(); ++i) {
        const QChar c = wert[i];
        if (c == QLatin1Char('\\') && i + 1 < wert.size()) {
            const QChar n = wert[++i];
            t += (n == QLatin1Char('n') || n == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : n;
        } else if (c == trenner) {
            teile << t;
            t.clear();
        } else {
            t += c;
        }
    }
    teile << t;
    return teile;
}

QString text(const QString& wert) {
    return teilen(wert, QChar(0)).join(QString());
}

struct Eigenschaft {
    QString name;      // upper case, without group
    QStringList typen; // TYPE values, lower case
    QString wert;      // as written (escaped)
};

// "item1.TEL;TYPE=voice,cell;PREF=1:+49 …" -> name, types, value; false without ":".
bool zerlegen(const QString& zeile, Eigenschaft& e) {
    // The value begins at the first colon outside a quoted parameter value.
    bool zitat = false;
    int doppelpunkt = -1;
    for (int i = 0; i < zeile.size(); ++i) {
        if (zeile[i] == QLatin1Char('"'))
            zitat = !zitat;
        else if (zeile[i] == QLatin1Char(':') && !zitat) {
            doppelpunkt = i;
            break;
        }
    }
    if (doppelpunkt <= 0) return false;
    e.wert = zeile.mid(doppelpunkt + 1);
    const QStringList teile = zeile.left(doppelpunkt).split(QLatin1Char(';'));
    e.name = teile.first().section(QLatin1Char('.'), -1).trimmed().toUpper();
    e.typen.clear();
    for (int i = 1; i < teile.size(); ++i) {
        QString p = teile[i].trimmed();
        const int gleich = p.indexOf(QLatin1Char('='));
        const QString schluessel = (gleich < 0 ? p : p.left(gleich)).toUpper();
        QString werte = gleich < 0 ? p : p.mid(gleich + 1);
        werte.remove(QLatin1Char('"'));
        if (gleich < 0 || schluessel == QLatin1String("TYPE"))
            for (const QString& w : werte.split(QLatin1Char(',')))
                e.typen << w.trimmed().toLower();
    }
    return !e.name.isEmpty();
}

QDate datumLesen(const QString& w) {
    const QString s = w.trimmed();
    QDate d = QDate::fromString(s, QStringLiteral("yyyyMMdd"));
    if (!d.isValid()) d = QDate::fromString(s.left(10), Qt::ISODate);
    return d;
}

// A card's lines into an address; false when the card is not well formed.
bool karteLesen(const QStringList& zeilen, Adresse& a) {
    QString fn;
    for (const QString& z : zeilen) {
        Eigenschaft e;
        if (!zerlegen(z, e)) return false;
        const QString& n = e.name;
        if (n == QLatin1String("FN")) {
            fn = text(e.wert).trimmed();
        } else if (n == QLatin1String("N")) {
            const QStringList t = teilen(e.wert, QLatin1Char(';'));
            a.name = t.value(0).trimmed();
            a.vorname = t.value(1).trimmed();
            a.anrede = t.value(3).trimmed();
        } else if (n == QLatin1String("ORG")) {
            a.zwinger = teilen(e.wert, QLatin1Char(';')).value(0);
        } else if (n == QLatin1String("ADR")) {
            const QStringList t = teilen(e.wert, QLatin1Char(';'));
            a.strasse = t.value(2);
            a.ort = t.value(3);
            a.plz = t.value(5);
            a.land = t.value(6);
        } else if (n == QLatin1String("BDAY")) {
            a.geburtstag = datumLesen(text(e.wert));
            if (!a.geburtstag.isValid()) return false;
        } else if (n == QLatin1String("TEL")) {
            const QString nummer = text(e.wert).remove(QStringLiteral("tel:"));
            QString* ziel = e.typen.contains(QLatin1String("fax"))    ? &a.telefax
                            : e.typen.contains(QLatin1String("cell")) ? &a.handy
                                                                      : &a.telefon;
            if (ziel->isEmpty()) *ziel = nummer;
        } else if (n == QLatin1String("EMAIL")) {
            if (a.email.isEmpty()) a.email = text(e.wert).trimmed();
        } else if (n == QLatin1String("URL")) {
            if (a.homepage.isEmpty()) a.homepage = text(e.wert).trimmed();
        } else if (n == QLatin1String("NOTE")) {
            a.bemerkung = text(e.wert);
        } else if (n == QLatin1String("CATEGORIES")) {
            a.status = teilen(e.wert, QLatin1Char(',')).value(0);
        } else if (n == QLatin1String("X-VELMORA-RASSE")) {
            a.rasseName = text(e.wert);
        }
    }
    // A card without a family name (a firm, a nickname) is filed under its formatted name.
    if (a.name.isEmpty()) a.name = fn;
    return !a.name.isEmpty();
}

} // namespace

QByteArray vcardSchreiben(const Adresse& a) {
    QByteArray out;
    out += "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    const QString fn = a.vorname.isEmpty() ? a.name : a.vorname + QLatin1Char(' ') + a.name;
    zeile(out, QStringLiteral("FN"), maskiert(fn));
    zeile(out, QStringLiteral("N"),
          maskiert(a.name) + QLatin1Char(';') + maskiert(a.vorname) + QStringLiteral(";;") +
              maskiert(a.anrede) + QLatin1Char(';'));
    wennGefuellt(out, QStringLiteral("ORG"), a.zwinger);
    if (!(a.strasse.isEmpty() && a.ort.isEmpty() && a.plz.isEmpty() && a.land.isEmpty()))
        zeile(out, QStringLiteral("ADR"),
              QStringLiteral(";;") + maskiert(a.strasse) + QLatin1Char(';') + maskiert(a.ort) +
                  QStringLiteral(";;") + maskiert(a.plz) + QLatin1Char(';') + maskiert(a.land));
    if (a.geburtstag.isValid())
        zeile(out, QStringLiteral("BDAY"), a.geburtstag.toString(QStringLiteral("yyyyMMdd")));
    wennGefuellt(out, QStringLiteral("TEL;TYPE=voice"), a.telefon);
    wennGefuellt(out, QStringLiteral("TEL;TYPE=fax"), a.telefax);
    wennGefuellt(out, QStringLiteral("TEL;TYPE=cell"), a.handy);
    wennGefuellt(out, QStringLiteral("EMAIL"), a.email);
    wennGefuellt(out, QStringLiteral("URL"), a.homepage);
    wennGefuellt(out, QStringLiteral("NOTE"), a.bemerkung);
    wennGefuellt(out, QStringLiteral("CATEGORIES"), a.status);
    wennGefuellt(out, QStringLiteral("X-VELMORA-RASSE"), a.rasseName);
    out += "END:VCARD\r\n";
    return out;
}

QByteArray vcardsSchreiben(const QList<Adresse>& adressen) {
    QByteArray out;
    for (const Adresse& a : adressen)
        out += vcardSchreiben(a);
    return out;
}

VcardGelesen vcardsLesen(const QByteArray& daten) {
    VcardGelesen g;
    // Physical lines; a line that begins with a blank or a tab continues the one before.
    QList<QByteArray> zeilen;
    for (QByteArray z : daten.split('\n')) {
        if (z.endsWith('\r')) z.chop(1);
        if (!zeilen.isEmpty() && !z.isEmpty() && (z[0] == ' ' || z[0] == '\t'))
            zeilen.last() += z.mid(1);
        else
            zeilen << z;
    }
    bool inKarte = false, kaputt = false;
    QStringList karte;
    for (const QByteArray& roh : zeilen) {
        QStringDecoder dekoder(QStringDecoder::Utf8);
        const QString z = dekoder(roh);
        const bool ungueltig = dekoder.hasError();
        const QString oben = z.trimmed().toUpper();
        if (oben == QLatin1String("BEGIN:VCARD")) {
            if (inKarte) ++g.fehlerhaft; // the card before never ended
            inKarte = true;
            kaputt = false;
            karte.clear();
        } else if (oben == QLatin1String("END:VCARD")) {
            if (!inKarte) {
                ++g.fehlerhaft;
                continue;
            }
            Adresse a;
            if (!kaputt && karteLesen(karte, a))
                g.karten << a;
            else
                ++g.fehlerhaft;
            inKarte = false;
        } else if (inKarte) {
            if (ungueltig) kaputt = true;
            if (!z.trimmed().isEmpty()) karte << z;
        } // text outside a card is no card: left alone
    }
    if (inKarte) ++g.fehlerhaft;
    return g;
}

bool adresseVorhanden(store::Table& adressen, const Adresse& a) {
    auto leer = [](const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); };
    const QVariant geb = a.geburtstag.isValid() ? QVariant(a.geburtstag) : QVariant();
    return adressen
        .lookupInIndex(QStringLiteral("AdrName"), {leer(a.name), leer(a.vorname), geb},
                       QStringLiteral("LaufendeNr"))
        .isValid();
}

int adresseAnlegen(store::Table& adressen, store::Database& db, const Adresse& a) {
    QVariant rasse;
    if (!a.rasseName.isEmpty() && db.tableExists(QStringLiteral("rasse"))) {
        store::Query q(db, QStringLiteral("SELECT r.RCode FROM rasse AS r WHERE r.RName = ? COLLATE BINARY"),
                       {a.rasseName});
        if (q.next()) rasse = q.value(0);
    }
    auto s = [&](const char* feld, const QString& wert) {
        if (!wert.isEmpty()) adressen.setValue(QLatin1String(feld), wert);
    };
    adressen.append();
    try {
        s("Anrede", a.anrede);
        s("Name", a.name);
        s("Vorname", a.vorname);
        s("Zwinger", a.zwinger);
        s("Strasse", a.strasse);
        s("Plz", a.plz);
        s("Ort", a.ort);
        s("Land", a.land);
        if (a.geburtstag.isValid()) adressen.setValue(QStringLiteral("Geburtstag"), a.geburtstag);
        s("Telefon", a.telefon);
        s("Telefax", a.telefax);
        s("Handy", a.handy);
        s("email", a.email);
        s("Homepage", a.homepage);
        s("Bemerkung", a.bemerkung);
        s("Status", a.status);
        if (rasse.isValid()) adressen.setValue(QStringLiteral("Rasse"), rasse);
        adressen.post();
    } catch (...) {
        adressen.cancel();
        throw;
    }
    return adressen.asInt(QStringLiteral("LaufendeNr"));
}

VcardImport vcardsImportieren(store::Database& db, const QByteArray& daten) {
    const VcardGelesen g = vcardsLesen(daten);
    VcardImport e;
    e.fehlerhaft = g.fehlerhaft;
    store::Table adr(db, QStringLiteral("adr_dat"));
    adr.open();
    store::Transaction tx(db, QStringLiteral("adr_dat"));
    for (const Adresse& a : g.karten) {
        if (adresseVorhanden(adr, a)) {
            ++e.vorhanden;
            continue;
        }
        try {
            adresseAnlegen(adr, db, a);
            ++e.neu;
        } catch (const store::DatabaseError&) {
            ++e.fehlerhaft;
        }
    }
    tx.commit();
    adr.close();
    return e;
}

} // namespace velmora::office
