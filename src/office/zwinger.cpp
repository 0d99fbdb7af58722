#include "office/zwinger.h"

#include "office/adressen.h"
#include "store/catalogue.h"
#include "store/errors.h"
#include "store/table.h"

namespace velmora::office {

namespace {

const char* const kSpalten =
    "z.LaufendeNummer, z.Zwinger, z.Rasse, z.\"Züchter\", z.Strasse, z.PLZ, z.Ort, z.Land, "
    "z.Zuchtfarbe, z.Verein, z.Telefon, z.Telefax, z.EMail, z.Homepage, z.Handy";

Zwinger ausZeile(const store::Query& q) {
    Zwinger z;
    z.nummer = q.value(0).toInt();
    QString* ziele[] = {&z.zwinger,    &z.rasse,  &z.zuechter, &z.strasse, &z.plz,   &z.ort,      &z.land,
                        &z.zuchtfarbe, &z.verein, &z.telefon,  &z.telefax, &z.email, &z.homepage, &z.handy};
    for (int i = 0; i < 14; ++i)
        *ziele[i] = q.value(i + 1).toString();
    return z;
}

} // namespace

Zwingertabellen zwingertabellen(bool privat) {
    return privat ? Zwingertabellen{QStringLiteral("zwingregprivat"), QStringLiteral("zwinginfprivat")}
                  : Zwingertabellen{QStringLiteral("zwingreg"), QStringLiteral("zwinginf")};
}

bool privateTabelleAnlegen(store::Database& db, const QString& tabelle) {
    if (db.tableExists(tabelle)) return false;
    store::TableDef def = *store::catalogueTable(tabelle);
    // The other sort indexes come when they are first asked for.
    while (def.indexes.size() > 2)
        def.indexes.removeLast();
    db.createTable(def);
    return true;
}

QList<Zwinger> zwingerSuchen(store::Database& db, bool privat, const ZwingerKriterien& k) {
    adrFunktionenAnmelden(db);
    const Zwingertabellen t = zwingertabellen(privat);
    QStringList c;
    QVariantList p;
    auto bed = [&](const char* spalte, const QString& wert) {
        if (wert.trimmed().isEmpty()) return;
        c << QStringLiteral("velmora_beginnt(z.%1, ?, 0)").arg(QString::fromUtf8(spalte));
        p << wert;
    };
    bed("\"Züchter\"", k.zuechter);
    bed("Zwinger", k.zwinger);
    bed("PLZ", k.plz);
    bed("Ort", k.ort);
    bed("Rasse", k.rasse);
    if (k.art != Alle) {
        c << QStringLiteral(
                 "EXISTS (SELECT 1 FROM %1 AS i WHERE i.Zwinger = z.LaufendeNummer AND i.KatzeArt = ?)")
                 .arg(t.katzen);
        p << k.art;
    }
    QString sql = QStringLiteral("SELECT ") + QString::fromUtf8(kSpalten) + QStringLiteral(" FROM ") +
                  t.zwinger + QStringLiteral(" AS z");
    if (!c.isEmpty()) sql += QStringLiteral(" WHERE ") + c.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY z.Zwinger, z.LaufendeNummer");
    store::Query q(db, sql, p);
    QList<Zwinger> l;
    while (q.next())
        l << ausZeile(q);
    return l;
}

Zwinger zwingerLesen(store::Database& db, bool privat, int nummer) {
    store::Query q(db,
                   QStringLiteral("SELECT ") + QString::fromUtf8(kSpalten) + QStringLiteral(" FROM ") +
                       zwingertabellen(privat).zwinger + QStringLiteral(" AS z WHERE z.LaufendeNummer = ?"),
                   {nummer});
    return q.next() ? ausZeile(q) : Zwinger{};
}

const QList<Sortierung>& zwingerSortierungen() {
    static const QList<Sortierung> s = {
        {"ZwingerRasse", "Zwinger;Rasse"},   {"IDXRasse", "Rasse;Zwinger"}, {"IDXZüchter", "Züchter;Zwinger"},
        {"VereinZwinger", "Verein;Zwinger"}, {"OrtZwinger", "Ort;Zwinger"}, {"PLZZwinger", "PLZ;Zwinger"}};
    return s;
}

void sortierungWaehlen(store::Table& zwinger, int sortierung) {
    const Sortierung& s = zwingerSortierungen().at(sortierung);
    const QString name = QString::fromUtf8(s.index);
    try {
        zwinger.setIndexName(name);
        return;
    } catch (const store::EngineError& e) {
        if (e.code() != store::code::IndexMissing) throw;
    }
    const store::Table::OpenMode mode = zwinger.openMode();
    zwinger.close();
    zwinger.open(store::Table::OpenMode::Exclusive);
    store::IndexDef ix;
    ix.name = name;
    ix.fields = store::splitFields(QString::fromUtf8(s.felder));
    zwinger.addIndex(ix);
    zwinger.close();
    zwinger.open(mode);
    zwinger.setIndexName(name);
}

Katzenmarke katzenMarke(store::Database& db, const QString& katzenTabelle, int zwinger, int art) {
    store::Query q(
        db,
        QStringLiteral("SELECT COUNT(*), SUM(i.Bild IS NOT NULL AND length(i.Bild) > 0) FROM %1 AS i "
                       "WHERE i.Zwinger = ? AND i.KatzeArt = ?")
            .arg(katzenTabelle),
        {zwinger, art});
    Katzenmarke m;
    if (q.next()) {
        m.vorhanden = q.value(0).toInt() > 0;
        m.mitBild = q.value(1).toInt() > 0;
    }
    return m;
}

ZuechterName zuechterTeilen(const QString& zuechter) {
    const int komma = zuechter.indexOf(QLatin1Char(','));
    if (komma < 0) return {zuechter.trimmed(), {}};
    QString vorname = zuechter.mid(komma + 1);
    while (!vorname.isEmpty() && vorname[0].isSpace())
        vorname.remove(0, 1);
    return {zuechter.left(komma).trimmed(), vorname.trimmed()};
}

Adresse adresseAusZwinger(const Zwinger& z) {
    const ZuechterName n = zuechterTeilen(z.zuechter);
    Adresse a;
    a.name = n.name;
    a.vorname = n.vorname;
    a.strasse = z.strasse;
    a.plz = z.plz;
    a.ort = z.ort;
    a.land = z.land;
    a.telefon = z.telefon;
    a.telefax = z.telefax;
    a.email = z.email;
    a.homepage = z.homepage;
    a.handy = z.handy;
    a.zwinger = z.zwinger;
    a.rasseName = z.rasse; // found again by its exact name, else none
    a.status = QStringLiteral("Züchter");
    return a;
}

} // namespace velmora::office
