#include "exchange/onlineexport.h"

#include "common/datenglobal.h"
#include "store/table.h"

#include <QFileInfo>

namespace velmora::exchange {

namespace {

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

int zahl(const QVariant& v) {
    return v.isNull() ? 0 : v.toInt();
}

// Lines of a query, only when its tables exist (a data directory may lack an optional table).
template <typename F>
void abfragen(store::Database& db, const QStringList& tabellen, const QString& sql, F&& zeile) {
    for (const QString& t : tabellen)
        if (!db.tableExists(t)) return;
    store::Query q(db, sql);
    while (q.next())
        zeile(q);
}

// The evaluation is printed as one paragraph: no leading blanks, its line breaks and the 255 dropped.
QString bewertungText(const QString& wert) {
    QString t = wert;
    qsizetype i = 0;
    while (i < t.size() && t.at(i) == QLatin1Char(' '))
        ++i;
    t.remove(0, i);
    t.remove(QLatin1Char('\r'));
    t.remove(QLatin1Char('\n'));
    t.remove(QChar(0xFF));
    return flach(t);
}

QString dateiname(const QString& pfad) {
    return QFileInfo(pfad).fileName();
}

} // namespace

size_t qHash(const GesendetesBild& b, size_t seed) {
    return ::qHash(b.name, seed) ^ ::qHash(b.groesse, seed) ^ ::qHash(b.zeit, seed);
}

QSet<GesendetesBild> gesendeteBilder(store::Database& db) {
    QSet<GesendetesBild> s;
    if (!db.tableExists(QStringLiteral("bilderupload"))) return s;
    store::Table t(db, QStringLiteral("bilderupload"));
    t.open(store::Table::OpenMode::ReadOnly);
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        s.insert({t.asString(QStringLiteral("Name")), t.value(QStringLiteral("Filegroesse")).toLongLong(),
                  t.value(QStringLiteral("Aenderungsdatum")).toDateTime().toSecsSinceEpoch()});
    return s;
}

GesendetesBild bildEintrag(const QString& pfad) {
    const QFileInfo fi(pfad);
    return {fi.fileName(), fi.size(), fi.lastModified().toSecsSinceEpoch()};
}

TOnlineExport::TOnlineExport(store::Database& db, ExportOptionen optionen)
    : m_db(db), m_opt(std::move(optionen)) {
    abfragen(db, {QStringLiteral("rasse")}, QStringLiteral("SELECT RCode, RName FROM rasse"),
             [this](store::Query& q) { m_rassen.insert(zahl(q.value(0)), text(q.value(1))); });
    abfragen(db, {QStringLiteral("catstamm")}, QStringLiteral("SELECT LaufendeNummer, Name FROM catstamm"),
             [this](store::Query& q) { m_katzenNamen.insert(zahl(q.value(0)), text(q.value(1))); });
    abfragen(db, {QStringLiteral("adr_dat")}, QStringLiteral("SELECT LaufendeNr, Name, Vorname FROM adr_dat"),
             [this](store::Query& q) {
                 m_adressen.insert(zahl(q.value(0)),
                                   common::TDatenGlobal::anzeigeName(text(q.value(1)), text(q.value(2))));
             });
    abfragen(db, {QStringLiteral("eigen")}, QStringLiteral("SELECT Name, Vorname FROM eigen LIMIT 1"),
             [this](store::Query& q) {
                 m_eigenerName = common::TDatenGlobal::anzeigeName(text(q.value(0)), text(q.value(1)));
             });
    // Titles as the shared title routine gives them: in the order they were entered, empty codes left out.
    abfragen(db, {QStringLiteral("titelhund"), QStringLiteral("titelbez")},
             QStringLiteral("SELECT h.Hund, b.Kuerzel FROM titelhund AS h JOIN titelbez AS b ON "
                            "b.LaufendeNummer = h.Titel WHERE b.Kuerzel <> '' ORDER BY h.Hund, "
                            "h.LaufendeNummer, h.rowid"),
             [this](store::Query& q) {
                 QString& t = m_titel[zahl(q.value(0))];
                 if (!t.isEmpty()) t += QLatin1Char('/');
                 t += text(q.value(1));
             });
    // Features in the order of the index on the cat (equal keys by record); the pedigree marker is a
    // working note, not a feature.
    abfragen(db, {QStringLiteral("katzemerkmal"), QStringLiteral("merkmale")},
             QStringLiteral("SELECT k.Katze, m.Kuerzel FROM katzemerkmal AS k LEFT JOIN merkmale AS m ON "
                            "m.LaufendeNummer = k.Merkmal ORDER BY k.Katze, k.rowid"),
             [this](store::Query& q) {
                 const QString k = text(q.value(1));
                 if (k != QLatin1String("Stb")) m_merkmale[zahl(q.value(0))] << k;
             });
    abfragen(db, {QStringLiteral("bewert")},
             QStringLiteral("SELECT Katze, Bewertung FROM bewert ORDER BY Katze, LaufendeNr"),
             [this](store::Query& q) {
                 const int k = zahl(q.value(0));
                 if (!m_bewertungen.contains(k)) m_bewertungen.insert(k, text(q.value(1)));
             });
    abfragen(db, {QStringLiteral("bilder")},
             QStringLiteral("SELECT KatzeNr, Bildpfad FROM bilder ORDER BY KatzeNr, LaufendeNr"),
             [this](store::Query& q) { m_bilder[zahl(q.value(0))] << text(q.value(1)); });
    m_gesendet = gesendeteBilder(db);
}

QString TOnlineExport::geschlecht(const QString& code) const {
    // Short texts exist in German and English; every other language takes the German ones.
    const bool englisch = m_opt.sprache == 1;
    if (code == QLatin1String("1")) return QStringLiteral("m");
    if (code == QLatin1String("2")) return englisch ? QStringLiteral("f") : QStringLiteral("w");
    if (code == QLatin1String("3")) return QStringLiteral("m/k");
    if (code == QLatin1String("4")) return englisch ? QStringLiteral("f/k") : QStringLiteral("w/k");
    return QString();
}

bool TOnlineExport::bildNameGilt(const QString& pfad, Layout layout) const {
    const QFileInfo fi(pfad);
    if (pfad.isEmpty() || !fi.isFile()) return false;
    if (layout == Layout::Csv) return true;
    return fi.suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0 &&
           fi.size() <= kGroessteBilddatei;
}

bool TOnlineExport::qualifiziert(const QString& pfad, Layout layout) const {
    if (!bildNameGilt(pfad, layout)) return false;
    return layout == Layout::Csv || !m_gesendet.contains(bildEintrag(pfad));
}

TOnlineExport::Hauptbild TOnlineExport::hauptbild(int katze, int feld2, Layout layout) const {
    const QStringList kandidaten = m_bilder.value(katze);
    if (kandidaten.isEmpty()) return {};
    Hauptbild h;
    qsizetype zuletzt = 0;
    if (feld2 <= 0 || feld2 > kandidaten.size()) {
        for (qsizetype i = 0; i < kandidaten.size(); ++i) {
            zuletzt = i;
            if (qualifiziert(kandidaten.at(i), layout)) {
                h.pfad = kandidaten.at(i);
                break;
            }
        }
    } else {
        // The chosen one if it qualifies, else the first qualifying one before it.
        zuletzt = feld2 - 1;
        if (qualifiziert(kandidaten.at(zuletzt), layout)) {
            h.pfad = kandidaten.at(zuletzt);
        } else {
            for (qsizetype i = 0; i < zuletzt; ++i)
                if (qualifiziert(kandidaten.at(i), layout)) {
                    h.pfad = kandidaten.at(i);
                    break;
                }
        }
    }
    if (bildNameGilt(kandidaten.at(zuletzt), layout)) h.name = dateiname(kandidaten.at(zuletzt));
    return h;
}

QVariant TOnlineExport::wert(const store::Table& t, const char* feld) {
    if (m_feldTabelle != &t) {
        m_feldTabelle = &t;
        m_feldNummern.clear();
    }
    auto it = m_feldNummern.constFind(feld);
    if (it == m_feldNummern.constEnd())
        it = m_feldNummern.insert(feld, t.fieldIndex(QString::fromUtf8(feld)));
    return *it >= 0 ? t.value(*it) : QVariant();
}

QStringList TOnlineExport::katzenZeile(const store::Table& k, Layout layout) {
    const bool upload = layout == Layout::Upload;
    const auto s = [&k, this](const char* f) { return text(wert(k, f)); };
    const auto d = [&k, this](const char* f) {
        const QVariant v = wert(k, f);
        return datumText(v.isNull() ? QDate() : v.toDate(), m_opt.locale);
    };
    const int nr = zahl(wert(k, "LaufendeNummer"));
    const int vater = zahl(wert(k, "Vater"));
    const int mutter = zahl(wert(k, "Mutter"));
    const int zuechter = zahl(wert(k, "Züchter"));
    const int besitzerNr = zahl(wert(k, "Besitzer"));
    const int rasseNr = zahl(wert(k, "Rasse"));
    QStringList z;
    z.reserve(37);
    if (upload) z << QString::number(nr);
    z << sauber(s("Name")) << sauber(s("Zwinger"));
    z << (upload ? sauber(s("Geschlecht")) : geschlecht(s("Geschlecht")));
    z << d("GebDatum") << sauber(s("Rufname")) << sauber(rasse(rasseNr)) << sauber(s("FellFarbe"))
      << sauber(s("Augenfarbe")) << sauber(s("Zuchtbuchnummer1")) << sauber(s("Zuchtbuchnummer2"))
      << sauber(s("Zuchtbuchnummer3"));
    if (upload)
        z << QString::number(vater) << QString::number(mutter);
    else
        z << sauber(katzenName(vater)) << sauber(katzenName(mutter));
    if (m_opt.zuechterBesitzer)
        z << sauber(adresse(zuechter)) << sauber(besitzer(zahl(wert(k, "Status")), besitzerNr));
    else
        z << QString() << QString();
    z << sauber(titel(nr)) << sauber(s("ChipNr"));
    z << (m_opt.merkmale ? sauber(merkmale(nr)) : QString());
    z << sauber(s("Blutgruppe"));
    const QVariant todWert = wert(k, "Toddatum");
    const QDate tod = todWert.isNull() ? QDate() : todWert.toDate();
    z << (tod == QDate(1899, 12, 30) ? QString() : datumText(tod, m_opt.locale));
    z << sauber(s("Wurfzahl")) << QString() << QString() << QString();
    z << zahlText(wert(k, "GenoTyp")) << sauber(s("Gencode")) << logischText(wert(k, "Agouti"))
      << logischText(wert(k, "Verduennung"));
    if (upload) z << sauber(s("IDCode"));
    z << sauber(s("Tests"));
    z << (m_opt.bemerkungen ? flach(s("Bemerkung")) : QString());
    QString bildName;
    if (m_opt.bilder) {
        const Hauptbild h = hauptbild(nr, zahl(wert(k, "Feld2")), layout);
        bildName = sauber(h.name);
        if (upload && !h.pfad.isEmpty()) m_bildpfade << h.pfad;
    }
    z << bildName;
    if (upload)
        z << QString::number(zuechter) << QString::number(besitzerNr) << QString::number(rasseNr)
          << bewertungText(bewertung(nr));
    return z;
}

DateiErgebnis TOnlineExport::katzenDatei(store::Table& katzen, const QString& pfad, Layout layout,
                                         Fortschritt f) {
    m_bildpfade.clear();
    TextDatei datei(m_opt.kodierung);
    DateiErgebnis e;
    if (!datei.oeffnen(pfad)) return e;
    const int gesamt = katzen.recordCount();
    int n = 0;
    for (katzen.first(); katzen.hasRecord() && !katzen.eof(); katzen.next()) {
        const QStringList z = katzenZeile(katzen, layout);
        // the cat named when a value loses characters
        datei.datensatz(text(wert(katzen, "Name")) + QStringLiteral(" (") +
                        text(wert(katzen, "LaufendeNummer")) + QLatin1Char(')'));
        for (const QString& w : z)
            datei.feld(w);
        datei.zeileEnde();
        if (f) f(++n, gesamt);
    }
    e.zeilen = datei.zeilen();
    e.verluste = datei.verluste();
    e.ok = datei.abschliessen();
    return e;
}

template <typename Zeile>
DateiErgebnis TOnlineExport::tabellenDatei(const QString& pfad, const QString& tabelle, const QString& index,
                                           const Zeile& zeile, TextDatei* weiter) {
    std::unique_ptr<TextDatei> eigene;
    TextDatei* datei = weiter;
    DateiErgebnis e;
    if (!datei) {
        eigene = std::make_unique<TextDatei>(m_opt.kodierung);
        datei = eigene.get();
        if (!datei->oeffnen(pfad)) return e;
    }
    if (m_db.tableExists(tabelle)) {
        store::Table t(m_db, tabelle);
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(index);
        for (t.first(); t.hasRecord() && !t.eof(); t.next()) {
            QStringList werte;
            if (!zeile(t, werte)) continue;
            datei->datensatz(tabelle + QLatin1Char(' ') + werte.value(0));
            for (const QString& w : werte)
                datei->feld(w);
            datei->zeileEnde();
        }
    }
    if (weiter) return {true, datei->zeilen(), datei->verluste()};
    e.zeilen = datei->zeilen();
    e.verluste = datei->verluste();
    e.ok = datei->abschliessen();
    return e;
}

namespace {
struct Felder {
    const store::Table& t;
    const QLocale& locale;
    QString s(const char* f) const { return text(t.value(QString::fromUtf8(f))); }
    QString c(const char* f) const { return sauber(s(f)); }
    QString fl(const char* f) const { return flach(s(f)); }
    QString d(const char* f) const { return datumText(t.asDate(QString::fromUtf8(f)), locale); }
    QString n(const char* f) const { return zahlText(t.value(QString::fromUtf8(f))); }
    QString at(const char* f) const { return zahlAlsText(t.value(QString::fromUtf8(f))); }
    QString b(const char* f) const { return logischText(t.value(QString::fromUtf8(f))); }
};
} // namespace

DateiErgebnis TOnlineExport::adressDatei(const QString& pfad) {
    return tabellenDatei(
        pfad, QStringLiteral("adr_dat"), QString(), [this](const store::Table& t, QStringList& z) {
            const Felder f{t, m_opt.locale};
            z << f.s("LaufendeNr");
            for (const char* n : {"Name", "Vorname", "Strasse", "Plz", "Ort", "Land", "Telefon", "Telefax",
                                  "Handy", "email", "Homepage", "Zwinger"})
                z << f.c(n);
            z << f.d("Geburtstag") << f.fl("Bemerkung") << f.c("Anrede") << f.c("Status") << f.n("Rasse")
              << f.b("Abonnent") << f.d("Eintritt") << f.d("Austritt") << f.d("Gekuendigt")
              << f.c("MitgliedsNr") << f.c("ZwingerNr");
            return true;
        });
}

DateiErgebnis TOnlineExport::rassenDatei(const QString& pfad) {
    return tabellenDatei(pfad, QStringLiteral("rasse"), QString(),
                         [this](const store::Table& t, QStringList& z) {
                             const Felder f{t, m_opt.locale};
                             z << f.s("RCode") << f.c("RName") << f.c("RKurzname") << f.c("RNameEng");
                             return true;
                         });
}

DateiErgebnis TOnlineExport::farbDatei(const QString& pfad) {
    return tabellenDatei(
        pfad, QStringLiteral("farbe"), QString(), [this](const store::Table& t, QStringList& z) {
            const Felder f{t, m_opt.locale};
            z << f.s("LaufendeNummer") << f.c("Farbnummer") << f.c("Farbname") << f.c("Rasseinfo");
            return true;
        });
}

DateiErgebnis TOnlineExport::merkmalDatei(const QString& pfad) {
    return tabellenDatei(
        pfad, QStringLiteral("merkmale"), QString(), [this](const store::Table& t, QStringList& z) {
            const Felder f{t, m_opt.locale};
            z << f.s("LaufendeNummer") << f.c("Bezeichnung") << f.at("farbe") << f.c("Kuerzel");
            return true;
        });
}

DateiErgebnis TOnlineExport::katzeMerkmalDatei(const QString& pfad) {
    return tabellenDatei(pfad, QStringLiteral("katzemerkmal"), QString(),
                         [this](const store::Table& t, QStringList& z) {
                             if (zahl(t.value(QStringLiteral("Katze"))) <= 0) return false;
                             const Felder f{t, m_opt.locale};
                             z << f.s("LaufendeNummer") << f.at("Katze") << sauber(f.at("Merkmal"));
                             return true;
                         });
}

DateiErgebnis TOnlineExport::zuchtbuchDatei(const QString& pfad, bool mitDeckbuch) {
    TextDatei datei(m_opt.kodierung);
    if (!datei.oeffnen(pfad)) return {};
    tabellenDatei(
        pfad, QStringLiteral("wurfbuch"), QString(),
        [this](const store::Table& t, QStringList& z) {
            const Felder f{t, m_opt.locale};
            z << f.s("LaufendeNummer") << sauber(f.at("Katze")) << f.d("BeginnRollig") << f.d("Decktermin")
              << f.d("Wurftag") << f.n("Kater") << f.fl("Bemerkung") << f.c("Wurfstaerke")
              << f.c("Totgeboren") << f.c("Verendet") << f.c("Ammenaufzucht") << f.c("Endabnahme")
              << f.fl("Verfassung") << f.d("Besichtam") << f.c("Besichtvon") << f.d("Abnahmeam")
              << f.c("Abnahmevon") << f.d("Decktermin2") << f.c("Wurfbez") << f.b("Kennzeichen")
              << f.c("Verblieben") << f.c("Eingeschlaefert");
            return true;
        },
        &datei);
    if (mitDeckbuch)
        tabellenDatei(
            pfad, QStringLiteral("deckbuch"), QString(),
            [this](const store::Table& t, QStringList& z) {
                const Felder f{t, m_opt.locale};
                z << f.s("LaufendeNummer") << sauber(f.at("Katze")) << QString() << f.d("Decktermin")
                  << f.d("Wurftag") << f.n("Kater") << f.fl("Bemerkung");
                for (int i = 0; i < 5; ++i)
                    z << QString();
                z << f.c("Erfolge");
                for (int i = 0; i < 9; ++i)
                    z << QString();
                return true;
            },
            &datei);
    DateiErgebnis e{false, datei.zeilen(), datei.verluste()};
    e.ok = datei.abschliessen();
    return e;
}

DateiErgebnis TOnlineExport::bilderDatei(const QString& pfad) {
    return tabellenDatei(pfad, QStringLiteral("bilder"), QString(),
                         [this](const store::Table& t, QStringList& z) {
                             const Felder f{t, m_opt.locale};
                             const QString bildpfad = f.s("Bildpfad");
                             if (zahl(t.value(QStringLiteral("KatzeNr"))) <= 0 || bildpfad.isEmpty())
                                 return false;
                             const QString name = sauber(dateiname(bildpfad));
                             const QString memo1 = f.s("BildMemo1");
                             z << f.s("LaufendeNr") << f.s("KatzeNr") << name << name << QString()
                               << (memo1.isEmpty() ? f.fl("BildMemo2") : flach(memo1));
                             return true;
                         });
}

QList<UploadSchritt> uploadSchritte(const UploadAuswahl& a, const ExportOptionen& mit,
                                    const QString& kennung) {
    const auto name = [&kennung](const char* p) -> QString {
        return QString::fromLatin1(p) + kennung + QStringLiteral(".csv");
    };
    QList<UploadSchritt> s;
    if (a.tierdaten) s << UploadSchritt{1, name("ID")};
    if (a.adressdaten) s << UploadSchritt{2, name("ad")};
    if (a.rassen) s << UploadSchritt{3, name("ra")};
    if (a.farben) s << UploadSchritt{4, name("fa")};
    if (a.merkmale) s << UploadSchritt{5, name("me")};
    if (a.tierdaten && mit.merkmale) s << UploadSchritt{6, name("mk")};
    if (a.tierdaten && mit.zuchtbuch) s << UploadSchritt{7, name("zb")} << UploadSchritt{8, name("zb")};
    if (mit.bilder) s << UploadSchritt{9, name("bd")};
    return s;
}

QString bilderOrdner(const QString& kennung) {
    return kennung.isEmpty() ? QString() : QStringLiteral("id") + kennung + QStringLiteral("/bilder");
}

DateiErgebnis uploadDateiSchreiben(TOnlineExport& exp, store::Table& katzen, const UploadSchritt& schritt,
                                   const QString& ordner, TOnlineExport::Fortschritt f) {
    const QString pfad = ordner + QLatin1Char('/') + schritt.datei;
    switch (schritt.nummer) {
    case 1:
        return exp.katzenDatei(katzen, pfad, Layout::Upload, std::move(f));
    case 2:
        return exp.adressDatei(pfad);
    case 3:
        return exp.rassenDatei(pfad);
    case 4:
        return exp.farbDatei(pfad);
    case 5:
        return exp.merkmalDatei(pfad);
    case 6:
        return exp.katzeMerkmalDatei(pfad);
    case 7:
        return exp.zuchtbuchDatei(pfad, false);
    case 8:
        return exp.zuchtbuchDatei(pfad, true);
    case 9:
        return exp.bilderDatei(pfad);
    default:
        return {};
    }
}

} // namespace velmora::exchange
