#include "genealogy/inzuchtspeicher.h"

#include "store/transaktion.h"

#include "store/catalogue.h"
#include "store/table.h"

namespace velmora::genealogy {

namespace {

const QString kKopf = QStringLiteral("inzuchtgrad");
const QString kVorf = QStringLiteral("inzuchtgradvorf");
const QString kKlon = QStringLiteral("inzuchtspeicherclone");
const QString kTop = QStringLiteral("inzuchtgradspeicherungtopkatzen");

QString zeilen(const QStringList& l) {
    return l.join(QLatin1Char('\n'));
}
QStringList zeilen(const QString& t) {
    return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
}

// Texts longer than the field are cut rather than losing the row.
void setzeText(store::Table& t, const QString& feld, const QString& wert) {
    const int i = t.fieldIndex(feld);
    if (i < 0) return;
    const int groesse = t.fieldDef(i).size;
    t.setValue(i, groesse > 0 ? wert.left(groesse) : wert);
}

} // namespace

double klonProzentLesen(const QString& text, const QLocale& locale) {
    const QString zahl = text.left(std::max<qsizetype>(0, text.size() - 1)).trimmed();
    bool ok = false;
    const double w = locale.toDouble(zahl, &ok);
    return ok ? w : 0.0;
}

QString klonProzentText(double prozent, const QLocale& locale) {
    return locale.toString(prozent) + QStringLiteral(" %");
}

void InzuchtSpeicher::tabellenAnlegen() {
    for (const QString& name : {kKopf, kVorf, kKlon, kTop})
        if (!m_db.tableExists(name)) m_db.createTable(*store::catalogueTable(name));
}

bool InzuchtSpeicher::vorhanden() const {
    for (const QString& name : {kKopf, kVorf, kKlon, kTop})
        if (!m_db.tableExists(name)) return false;
    return true;
}

QVector<GespeicherteBerechnung> InzuchtSpeicher::liste() const {
    QVector<GespeicherteBerechnung> l;
    if (!m_db.tableExists(kKopf)) return l;
    store::Table t(m_db, kKopf);
    t.open(store::Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("NameGen"));
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        l.push_back({t.asInt(QStringLiteral("LaufendeNummer")), t.asString(QStringLiteral("Name")),
                     t.asInt(QStringLiteral("Generation")), t.asInt(QStringLiteral("Art"))});
    return l;
}

std::optional<qint32> InzuchtSpeicher::finden(const QString& name, qint32 generation) const {
    if (!m_db.tableExists(kKopf)) return std::nullopt;
    store::Table t(m_db, kKopf);
    t.open(store::Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("NameGen"));
    if (!t.findKey({name, generation})) return std::nullopt;
    return t.asInt(QStringLiteral("LaufendeNummer"));
}

// The caller holds the transaction over the tables.
void InzuchtSpeicher::detailsLoeschen(qint32 nummer) {
    for (const auto& [tabelle, feld] :
         {std::pair{kVorf, QStringLiteral("Nummer")}, std::pair{kKlon, QStringLiteral("Katze")},
          std::pair{kTop, QStringLiteral("Katze")}}) {
        if (!m_db.tableExists(tabelle)) continue;
        store::Table t(m_db, tabelle);
        t.open();
        t.setIndexName(feld);
        t.setRange({nummer}, {nummer});
        for (t.first(); t.hasRecord() && !t.eof();)
            t.remove();
    }
}

qint32 InzuchtSpeicher::speichern(const InzuchtStand& s, std::optional<qint32> alt) {
    tabellenAnlegen();
    // One transaction over the four files, committed head first: a crash between two commits leaves a
    // calculation with fewer rows, never rows of a calculation that does not exist.
    store::MultiTableTransaction tx(m_db, QStringList{kKopf, kTop, kKlon, kVorf});
    store::Table kopf(m_db, kKopf);
    kopf.open();
    if (alt && kopf.findKey({*alt})) {
        detailsLoeschen(*alt);
        kopf.edit();
    } else {
        kopf.append();
    }
    kopf.setValue(QStringLiteral("Art"), s.Art);
    kopf.setValue(QStringLiteral("Nummer"), s.Nummer);
    setzeText(kopf, QStringLiteral("Name"), s.Name);
    kopf.setValue(QStringLiteral("Generation"), s.Generation);
    setzeText(kopf, QStringLiteral("Vater"), s.Vater);
    kopf.setValue(QStringLiteral("VaterNr"), s.VaterNr);
    setzeText(kopf, QStringLiteral("Mutter"), s.Mutter);
    kopf.setValue(QStringLiteral("MutterNr"), s.MutterNr);
    kopf.setValue(QStringLiteral("Inzucht"), zeilen(s.Inzucht));
    setzeText(kopf, QStringLiteral("Prozent"), s.Prozent);
    kopf.setValue(QStringLiteral("Ahnenverlust"), zeilen(s.Ahnenverlust));
    setzeText(kopf, QStringLiteral("Stammbaumkomplett"), s.Stammbaumkomplett);
    kopf.setValue(QStringLiteral("Info"), zeilen(s.Info));
    setzeText(kopf, QStringLiteral("Wright"), s.Wright);
    kopf.post();
    const qint32 nr = kopf.asInt(QStringLiteral("LaufendeNummer"));
    kopf.close();

    {
        store::Table t(m_db, kTop);
        t.open();
        for (const TopKatzeAnteil& z : s.top) {
            t.append();
            t.setValue(QStringLiteral("Katze"), nr);
            t.setValue(QStringLiteral("Nummern"), z.Nummern);
            setzeText(t, QStringLiteral("Name"), z.Name);
            setzeText(t, QStringLiteral("Anzahl"), z.Anzahl);
            t.post();
        }
    }
    {
        store::Table t(m_db, kKlon);
        t.open();
        const QLocale locale;
        for (const KlonAnteil& z : s.klon) {
            t.append();
            t.setValue(QStringLiteral("Katze"), nr);
            t.setValue(QStringLiteral("Prozent"), klonProzentLesen(z.Prozent, locale));
            setzeText(t, QStringLiteral("Name"), z.Name);
            t.post();
        }
    }
    {
        store::Table t(m_db, kVorf);
        t.open();
        for (const VorfahrZeile& z : s.vorfahren) {
            t.append();
            t.setValue(QStringLiteral("Nummer"), nr);
            t.setValue(QStringLiteral("Katze"), z.Nummer);
            setzeText(t, QStringLiteral("Name"), z.Name);
            t.setValue(QStringLiteral("Anzahl"), z.Anzahl);
            if (z.Farbe) t.setValue(QStringLiteral("Farbe"), *z.Farbe);
            t.post();
        }
    }
    tx.commit();
    return nr;
}

bool InzuchtSpeicher::laden(qint32 nummer, InzuchtStand& s) const {
    if (!vorhanden()) return false;
    store::Table kopf(m_db, kKopf);
    kopf.open(store::Table::OpenMode::ReadOnly);
    if (!kopf.findKey({nummer})) return false;
    s = InzuchtStand{};
    s.Art = kopf.asInt(QStringLiteral("Art"));
    s.Name = kopf.asString(QStringLiteral("Name"));
    s.Nummer = kopf.asInt(QStringLiteral("Nummer"));
    s.Generation = kopf.asInt(QStringLiteral("Generation"));
    s.Vater = kopf.asString(QStringLiteral("Vater"));
    s.VaterNr = kopf.asInt(QStringLiteral("VaterNr"));
    s.Mutter = kopf.asString(QStringLiteral("Mutter"));
    s.MutterNr = kopf.asInt(QStringLiteral("MutterNr"));
    s.Inzucht = zeilen(kopf.asString(QStringLiteral("Inzucht")));
    s.Prozent = kopf.asString(QStringLiteral("Prozent"));
    s.Ahnenverlust = zeilen(kopf.asString(QStringLiteral("Ahnenverlust")));
    s.Stammbaumkomplett = kopf.asString(QStringLiteral("Stammbaumkomplett"));
    s.Info = zeilen(kopf.asString(QStringLiteral("Info")));
    if (kopf.fieldIndex(QStringLiteral("Wright")) >= 0) s.Wright = kopf.asString(QStringLiteral("Wright"));

    auto bereich = [&](const QString& tabelle, const QString& index, auto&& zeile) {
        store::Table t(m_db, tabelle);
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(index);
        t.setRange({nummer}, {nummer});
        for (t.first(); t.hasRecord() && !t.eof(); t.next())
            zeile(t);
    };
    bereich(kTop, QStringLiteral("Katze"), [&](store::Table& t) {
        s.top.push_back({t.asInt(QStringLiteral("Nummern")), t.asString(QStringLiteral("Name")),
                         t.asString(QStringLiteral("Anzahl"))});
    });
    const QLocale locale;
    bereich(kKlon, QStringLiteral("Katze"), [&](store::Table& t) {
        s.klon.push_back({klonProzentText(t.asFloat(QStringLiteral("Prozent")), locale),
                          t.asString(QStringLiteral("Name"))});
    });
    bereich(kVorf, QStringLiteral("Nummer"), [&](store::Table& t) {
        VorfahrZeile z;
        z.Nummer = t.asInt(QStringLiteral("Katze"));
        z.Name = t.asString(QStringLiteral("Name"));
        z.Anzahl = t.value(QStringLiteral("Anzahl")).toLongLong();
        if (!t.isNull(QStringLiteral("Farbe"))) z.Farbe = t.asInt(QStringLiteral("Farbe"));
        s.vorfahren.push_back(z);
    });
    return true;
}

void InzuchtSpeicher::loeschen(qint32 nummer) {
    if (!m_db.tableExists(kKopf)) return;
    // Rows first, the head last: a crash between the commits leaves the calculation, with fewer rows.
    QStringList tabellen;
    for (const QString& name : {kVorf, kKlon, kTop, kKopf})
        if (m_db.tableExists(name)) tabellen << name;
    store::MultiTableTransaction tx(m_db, tabellen);
    detailsLoeschen(nummer);
    store::Table kopf(m_db, kKopf);
    kopf.open();
    if (kopf.findKey({nummer})) kopf.remove();
    kopf.close();
    tx.commit();
}

} // namespace velmora::genealogy
