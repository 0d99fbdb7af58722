#include "printing/druckquelle.h"

#include "common/datenglobal.h"
#include "language/sprache.h"
#include "register/katzenregeln.h"

#include <QDir>
#include <QFileInfo>

namespace velmora::printing {

namespace {
const QString kNr = QStringLiteral("LaufendeNummer");

std::unique_ptr<store::Table> oeffnen(store::Database& db, const char* name) {
    if (!db.tableExists(QLatin1String(name))) return nullptr;
    auto t = std::make_unique<store::Table>(db, QLatin1String(name));
    try {
        t->open(store::Table::OpenMode::ReadOnly);
    } catch (const std::exception&) {
        return nullptr; // a print without that table leaves its fields empty
    }
    return t;
}
} // namespace

Druckquelle::Druckquelle(store::Database& db, const settings::tsysteminfo& einstellungen, int sprache,
                         common::TDatenGlobal* datenGlobal)
    : m_db(db), m_einstellungen(einstellungen), m_sprache(sprache), m_dg(datenGlobal) {
    language::TSprache* lauf = language::aktuelleSprache();
    if (lauf && lauf->sprache() == sprache && &lauf->meldungsTabelle().database() == &db) {
        m_texte = lauf;
    } else {
        m_eigeneSprache = std::make_unique<language::TSprache>(db, sprache);
        m_eigeneSprache->oeffnen();
        m_texte = m_eigeneSprache.get();
    }
    if (!m_dg) {
        m_eigenesDg = std::make_unique<common::TDatenGlobal>(db, einstellungen);
        m_eigenesDg->sprache = m_texte;
        m_dg = m_eigenesDg.get();
    }
    m_katzen = oeffnen(db, "catstamm");
    m_rassen = oeffnen(db, "rasse");
    m_adressen = oeffnen(db, "adr_dat");
}

Druckquelle::~Druckquelle() = default;

QString Druckquelle::text(int nummer, const char* deutsch) {
    QString t = m_texte ? m_texte->feldName(nummer) : QString();
    language::AmpersandEntfernen(t);
    return t.isEmpty() ? QString::fromUtf8(deutsch) : t;
}

QString Druckquelle::meldung(int nummer, const char* deutsch) {
    return m_texte ? m_texte->meldung(nummer, QString::fromUtf8(deutsch)) : QString::fromUtf8(deutsch);
}

bool Druckquelle::katze(int nummer, DruckKatze& k) {
    k = DruckKatze();
    if (!m_katzen || nummer == 0 || !m_katzen->findKey({nummer})) return false;
    store::Table& t = *m_katzen;
    auto s = [&](const char* f) { return t.asString(QString::fromUtf8(f)); };
    k.nummer = nummer;
    k.name = s("Name");
    k.geschlecht = s("Geschlecht");
    k.fellFarbe = s("FellFarbe");
    k.augenfarbe = s("Augenfarbe");
    k.zb1 = s("Zuchtbuchnummer1");
    k.zb2 = s("Zuchtbuchnummer2");
    k.zb3 = s("Zuchtbuchnummer3");
    k.chip = s("ChipNr");
    k.taeto = s("TaetoNr");
    k.tests = s("Tests");
    k.gencode = s("Gencode");
    k.blutgruppe = s("Blutgruppe");
    k.gewicht = s("Gewicht");
    k.groesse = s("Groesse");
    k.zwinger = s("Zwinger");
    k.titelGer1 = s("TitelGer1");
    k.titelGer2 = s("TitelGer2");
    k.titelUsa1 = s("TitelUSA1");
    k.titelUsa2 = s("TitelUSA2");
    k.gebDatum = t.asDate(QStringLiteral("GebDatum"));
    k.zzlDatum = t.asDate(QStringLiteral("zzlDatum"));
    k.todDatum = t.asDate(QStringLiteral("Toddatum"));
    k.status = t.asInt(QStringLiteral("Status"));
    k.vater = t.asInt(QStringLiteral("Vater"));
    k.mutter = t.asInt(QStringLiteral("Mutter"));
    k.zuechter = t.asInt(QStringLiteral("Züchter"));
    k.besitzer = t.asInt(QStringLiteral("Besitzer"));
    k.rasse = t.asInt(QStringLiteral("Rasse"));
    k.feld2 = t.asInt(QStringLiteral("Feld2"));
    if (m_rassen && k.rasse && m_rassen->findKey({k.rasse}))
        k.rasseName = m_rassen->asString(englisch() && !m_rassen->asString(QStringLiteral("RNameEng")).isEmpty()
                                             ? QStringLiteral("RNameEng")
                                             : QStringLiteral("RName"));
    k.titel = m_dg->GetTitel(nummer);
    return true;
}

QString Druckquelle::nameMitTiteln(const DruckKatze& k) {
    if (!k.geschlecht.isEmpty() && !k.titel.isEmpty()) return k.titel + QLatin1Char(' ') + k.name;
    return k.name;
}

QString Druckquelle::geschlechtWort(const QString& code) const {
    static const char* deutsch[] = {"männlich", "weiblich", "Kastrat männlich", "Kastrat weiblich"};
    static const char* english[] = {"male", "female", "Kastrat male", "Kastrat female"};
    const int i = code.toInt();
    if (code.size() != 1 || i < 1 || i > 4) return {};
    return QString::fromUtf8(englisch() ? english[i - 1] : deutsch[i - 1]);
}

QString Druckquelle::datum(const QDate& d) const {
    return d.isValid() ? language::datumsLocale().toString(d, QStringLiteral("dd.MM.yyyy")) : QString();
}

QVariantMap Druckquelle::adressFelder(int nummer) {
    QVariantMap m;
    if (!m_adressen || nummer <= 0 || !m_adressen->findKey({nummer})) return m;
    for (int i = 0; i < m_adressen->fieldCount(); ++i)
        m.insert(m_adressen->fieldDef(i).name, m_adressen->value(i));
    return m;
}

QStringList Druckquelle::adresse(int nummer) {
    const QVariantMap a = adressFelder(nummer);
    if (a.isEmpty()) return {};
    auto v = [&](const char* f) { return a.value(QLatin1String(f)).toString(); };
    return reg::adressBlock({v("Name"), v("Vorname"), v("Strasse"), v("Land"), v("Plz"), v("Ort"), v("Telefon"), {}});
}

QStringList Druckquelle::besitzerBlock(const DruckKatze& k) {
    if (k.status == 1) {
        const EigeneDaten& e = eigene();
        if (!e.vorhanden) return {};
        return reg::adressBlock({e.name, e.vorname, e.strasse, e.land, e.plz, e.ort, e.telefon, {}});
    }
    return adresse(k.besitzer);
}

const EigeneDaten& Druckquelle::eigene() {
    if (m_eigene) return *m_eigene;
    EigeneDaten e;
    if (auto t = oeffnen(m_db, "eigen")) {
        t->first();
        if (t->hasRecord()) {
            auto s = [&](const char* f) { return t->asString(QLatin1String(f)); };
            e = {s("Name"), s("Vorname"), s("Zwinger"), s("Strasse"), s("Plz"), s("Ort"), s("Telefon"),
                 s("Telefax"), s("land"), {}, {}, true};
            e.vorhanden = !e.name.isEmpty() || !e.zwinger.isEmpty();
        }
    }
    if (auto t = oeffnen(m_db, "zusatz")) {
        t->first();
        if (t->hasRecord()) {
            e.verein = t->asString(QStringLiteral("Verein"));
            e.mitgliedsnummer = t->asString(QStringLiteral("Mitgliedsnummer"));
        }
    }
    m_eigene = e;
    return *m_eigene;
}

Briefkopf Druckquelle::briefkopf() {
    const EigeneDaten& e = eigene();
    Briefkopf k;
    k.zwinger = e.zwinger;
    k.name = e.vorname.isEmpty() ? e.name : e.vorname + QLatin1Char(' ') + e.name;
    if (!e.strasse.isEmpty()) k.adresse << e.strasse;
    const QString ort = QString(e.plz + QLatin1Char(' ') + e.ort).trimmed();
    if (!ort.isEmpty()) k.adresse << ort;
    if (!e.land.isEmpty()) k.adresse << e.land;
    if (!e.telefon.isEmpty()) k.adresse << text(6830, "Tel.:") + QLatin1Char(' ') + e.telefon;
    return k;
}

Blattvorgaben Druckquelle::vorgaben(Seitenausrichtung a) {
    Blattvorgaben v;
    v.links = m_einstellungen.Drucklinks > 0 ? m_einstellungen.Drucklinks : 10.0;
    v.oben = m_einstellungen.Druckoben > 0 ? m_einstellungen.Druckoben : 7.0;
    v.ausrichtung = a;
    v.kopf = briefkopf();
    v.datum = heute;
    v.datumMuster = text(6831, "Gedruckt am %1");
    const QString muster = text(4996, "Seite %1 von %2");
    v.seitenMuster = muster.contains(QLatin1String("%1")) ? muster : Listenbericht::standardSeitenzahlMuster();
    v.fusszeile = text(6832, "Velmora – www.velmora.example");
    v.messen = messen;
    return v;
}

QList<QVariantMap> Druckquelle::zeilen(const QString& tabelle, const QString& index, const QVariantList& von,
                                       const QVariantList& bis) {
    QList<QVariantMap> result;
    if (!m_db.tableExists(tabelle)) return result;
    store::Table t(m_db, tabelle);
    try {
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(index);
        t.setRange(von, bis);
        for (t.first(); t.hasRecord() && !t.eof(); t.next()) {
            QVariantMap m;
            for (int i = 0; i < t.fieldCount(); ++i)
                m.insert(t.fieldDef(i).name, t.value(i));
            result << m;
        }
    } catch (const std::exception&) {
    }
    return result;
}

QStringList Druckquelle::merkmale(int katze, bool kuerzel) {
    QStringList result;
    auto namen = oeffnen(m_db, "merkmale");
    for (const QVariantMap& z : zeilen(QStringLiteral("katzemerkmal"), QStringLiteral("Katze"), {katze}, {katze}))
        if (namen && namen->findKey({z.value(QStringLiteral("Merkmal")).toInt()})) {
            const QString t = namen->asString(kuerzel ? QStringLiteral("Kuerzel") : QStringLiteral("Bezeichnung"));
            if (!t.isEmpty()) result << t;
        }
    return result;
}

QString Druckquelle::bewertung(int katze) {
    const auto z = zeilen(QStringLiteral("bewert"), QStringLiteral("KatzeIDX"), {katze}, {katze});
    return z.isEmpty() ? QString() : z.first().value(QStringLiteral("Bewertung")).toString().trimmed();
}

QString Druckquelle::alterText(const QDate& von, const QDate& bis) {
    return m_dg->alterBerechnen(von, bis, QDate(), 4);
}

QString Druckquelle::druckbild(const DruckKatze& k) {
    QStringList pfade;
    for (const QVariantMap& z :
         zeilen(QStringLiteral("bilder"), QStringLiteral("IndexKatzeNr"), {k.nummer}, {k.nummer})) {
        QString p = z.value(QStringLiteral("Bildpfad")).toString();
        if (!p.isEmpty() && QFileInfo(p).isRelative()) p = QDir(m_db.directory()).filePath(p);
        pfade << p;
    }
    if (k.feld2 >= 1 && k.feld2 <= pfade.size() && QFileInfo::exists(pfade.at(k.feld2 - 1)))
        return pfade.at(k.feld2 - 1);
    for (const QString& p : pfade)
        if (!p.isEmpty() && QFileInfo::exists(p)) return p;
    return {};
}

} // namespace velmora::printing
