#include "settings/systeminfo.h"

#include "settings/einstellungsort.h"
#include "settings/inidatei.h"
#include "settings/prozessstarter.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace velmora::settings {
namespace {

using S = tsysteminfo;

// Declaration order; section and key names are the file's, defaults as the file would hold them.
const FeldBeschreibung kFelder[] = {
    {"Status", "Auswahlfenster", "Status", "alle", &S::Status},
    {"Anzeigen", "Auswahlfenster", "Anzeigen", "1", &S::Anzeigen},
    {"index", "Auswahlfenster", "Sortierung", "Nameidx", &S::index},
    {"indexStammdaten", "Stammdaten", "Sortierung", "Nameidx", &S::indexStammdaten},
    {"RasseStandardeinstellung", "Stammdaten", "Rasse", "0", &S::RasseStandardeinstellung},
    {"FarbeStandardeinstellung", "Stammdaten", "Farbe", "", &S::FarbeStandardeinstellung},
    {"HaarartStandardeinstellung", "Stammdaten", "Haarart", "0", &S::HaarartStandardeinstellung},
    {"ZusatzBeiZwinger", "Stammdaten", "ZusatzBeiZwinger", "0", &S::ZusatzBeiZwinger},
    {"SuchebeiNeuaufnahme", "Stammdaten", "SuchebeiNeuaufnahme", "1", &S::SuchebeiNeuaufnahme},
    {"SuchebeiNeuaufnahmeAdresse", "Adressen", "SuchebeiNeuaufnahme", "1", &S::SuchebeiNeuaufnahmeAdresse},
    {"BildAnpassen", "Stammdaten", "BildAnpassen", "1", &S::BildAnpassen},
    {"alleTitel", "Stammdaten", "Titel", "1", &S::alleTitel},
    {"stammbaumAnzeige", "Stammbaum", "Anzeige", "Titel,Farbe", &S::stammbaumAnzeige},
    {"stammbaumAnzeigeArray", nullptr, nullptr, nullptr, &S::stammbaumAnzeigeArray},
    {"stammbaumDrucken", "Stammbaum", "Druck", "Titel,Farbe", &S::stammbaumDrucken},
    {"StammbaumDruckenArray", nullptr, nullptr, nullptr, &S::StammbaumDruckenArray},
    {"stammbaumBesitzer", "Stammbaum", "Besitzer", "1", &S::stammbaumBesitzer},
    {"TageNaechsteRolligkeit", "Wurfbuch", "BerechnungRolligkeit", "165", &S::TageNaechsteRolligkeit},
    {"TageNRplusMinus", "Wurfbuch", "BerechnungPlusMinus", "14", &S::TageNRplusMinus},
    {"TageTraechtigkeit", "Stammdaten", "BerechnungGebtermin", "65", &S::TageTraechtigkeit},
    {"TagebisAbgabetermin", "Wurfbuch", "BerechnungAbgabetermin", "60", &S::TagebisAbgabetermin},
    {"verpaarungAnzeige", "Verpaarung", "Anzeige", "Titel,Farbe", &S::verpaarungAnzeige},
    {"verpaarungAnzeigeArray", nullptr, nullptr, nullptr, &S::verpaarungAnzeigeArray},
    {"Inzuchtgenerationen", "Inzucht", "Generationen", "5", &S::Inzuchtgenerationen},
    {"InzuchtStdgenerationen", "Inzucht", "StbGenerationen", "5", &S::InzuchtStdgenerationen},
    {"InzuchtBerechnungAuto", "Inzucht", "BerechnungAuto", "1", &S::InzuchtBerechnungAuto},
    {"InzuchtFenster", "Inzucht", "Fenster", "0", &S::InzuchtFenster},
    {"InzuchtmitVorfahren", "Inzucht", "mitVorfahren", "1", &S::InzuchtmitVorfahren},
    {"StammbaumGeneration", "Stammbaum", "Generation", "4", &S::StammbaumGeneration},
    {"StammbaumlangBild", "Stammbaum", "LangBild", "1", &S::StammbaumlangBild},
    {"StammbaumBild", "Stammbaum", "Bild", "1", &S::StammbaumBild},
    {"StammbaumGenBild", "Stammbaum", "GenBild", "1", &S::StammbaumGenBild},
    {"Stammbaumlogo", "Stammbaum", "Logo", "", &S::Stammbaumlogo},
    {"StammbaumLogoBildhorizontal", "Stammbaum", "LogoBildHorizontal", "250",
     &S::StammbaumLogoBildhorizontal},
    {"StammbaumLogoBildvertikal", "Stammbaum", "LogoBildVertikal", "250", &S::StammbaumLogoBildvertikal},
    {"StammbaumHintergrundbild", "Stammbaum", "Hintergrundbild", "", &S::StammbaumHintergrundbild},
    {"StammbaumLinkerRand", "Stammbaum", "linkerRand", "10", &S::StammbaumLinkerRand},
    {"StammbaumRechterRand", "Stammbaum", "rechterRand", "125", &S::StammbaumRechterRand},
    {"StammbaumObererRand", "Stammbaum", "obererRand", "0", &S::StammbaumObererRand},
    {"StammbaumUntererRand", "Stammbaum", "untererRand", "40", &S::StammbaumUntererRand},
    {"StammbaumBildhorizontal", "Stammbaum", "BildHorizontal", "250", &S::StammbaumBildhorizontal},
    {"StammbaumBildvertikal", "Stammbaum", "BildVertikal", "250", &S::StammbaumBildvertikal},
    {"StammbaumGenBildhorizontal", "Stammbaum", "GenBildHorizontal", "200", &S::StammbaumGenBildhorizontal},
    {"StammbaumGenBildvertikal", "Stammbaum", "GenBildVertikal", "200", &S::StammbaumGenBildvertikal},
    {"TitelRot", "Drucken", "TitelRot", "1", &S::TitelRot},
    {"StbDoppelteFarbig", "Drucken", "StbDoppelteFarbig", "1", &S::StbDoppelteFarbig},
    {"Schriftart", "Drucken", "Schriftart", "Arial", &S::Schriftart},
    {"Schriftgroesse", "Drucken", "Schriftgroese", "18", &S::Schriftgroesse},
    {"BildAufloesung", "Drucken", "Bildauflösung", "18", &S::BildAufloesung},
    {"Druckoben", "Druck", "ObereRand", "7", &S::Druckoben},
    {"Drucklinks", "Druck", "LinkerRand", "10", &S::Drucklinks},
    {"speichern", "System", "Speichern", "1", &S::speichern},
    {"hilfe", "System", "Hilfe", "1", &S::hilfe},
    {"Fenstergroesse", "System", "Fenster", "1", &S::Fenstergroesse},
    {"Aufloesung", "System", "Aufloesung", nullptr, &S::Aufloesung},
    {"Sprache", "System", "Sprache", "Deutsch", &S::Sprache},
    {"faktoram", "System", "WaehrungsumrechnungFaktor", "0", &S::faktoram},
    {"Umrechnungam", "System", "WaehrungsumrechnungAm", "0", &S::Umrechnungam},
    {"Textverarbeitung", "System", "Textverarbeitung", "", &S::Textverarbeitung},
    {"WarnungVerfallsdatum", "Warnung", "Verfallsdatum", "1", &S::WarnungVerfallsdatum},
    {"WarnungTermine", "Warnung", "Termine", "1", &S::WarnungTermine},
    {"WarnungImpfung", "Warnung", "Impfung", "1", &S::WarnungImpfung},
    {"WarnungWurmkur", "Warnung", "Wurmkur", "1", &S::WarnungWurmkur},
    {"SpracheGeaendert", nullptr, nullptr, "0", &S::SpracheGeaendert},
    {"LastCats", "LASTCATS", "Cat", "{}", &S::LastCats},
    {"MerkmalvorTop", "System", "MerkmalVorTop", "1", &S::MerkmalvorTop},
    {"StatistikGenerationen", "Statistiken", "MaxAnzGenerationen", "100", &S::StatistikGenerationen},
};

QString u8(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

QString katzenSchluessel(const FeldBeschreibung& f, int i) {
    return u8(f.schluessel) + QString::number(i + 1);
}

int zahlAus(const QString& text, int vorgabe) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : vorgabe;
}

// Reads one field from the file (or from its default text when the key is missing).
void lies(tsysteminfo& info, const FeldBeschreibung& f, const IniDatei& ini, const QRect& arbeitsbereich,
          const QLocale& locale) {
    const QString sek = u8(f.sektion);
    const QString key = u8(f.schluessel);
    const QString vorgabe = u8(f.vorgabe);
    switch (f.typ()) {
    case FeldTyp::Text: {
        auto p = std::get<QString tsysteminfo::*>(f.zeiger);
        info.*p = ini.leseText(sek, key, f.vorgabe ? vorgabe : aufloesungVorgabe(arbeitsbereich));
        break;
    }
    case FeldTyp::Bool: {
        auto p = std::get<bool tsysteminfo::*>(f.zeiger);
        const bool v = zahlAus(vorgabe, 0) != 0;
        info.*p = f.gespeichert() ? ini.leseBool(sek, key, v) : v;
        break;
    }
    case FeldTyp::Zahl:
        info.*std::get<int tsysteminfo::*>(f.zeiger) = ini.leseZahl(sek, key, zahlAus(vorgabe, 0));
        break;
    case FeldTyp::Byte:
        info.*std::get<quint8 tsysteminfo::*>(f.zeiger) =
            alsByte(ini.leseZahl(sek, key, zahlAus(vorgabe, 0)));
        break;
    case FeldTyp::Real: {
        // A margin that is no number falls back to its default rather than to 0.
        const double v = parseReal(vorgabe, QLocale::c(), nullptr);
        info.*std::get<double tsysteminfo::*>(f.zeiger) = ini.leseReal(sek, key, v, locale);
        break;
    }
    case FeldTyp::Datum:
        info.*std::get<QDate tsysteminfo::*>(f.zeiger) = parseDatum(ini.leseText(sek, key, vorgabe), locale);
        break;
    case FeldTyp::Sprache:
        info.*std::get<Sprache tsysteminfo::*>(f.zeiger) = spracheAusText(ini.leseText(sek, key, vorgabe));
        break;
    case FeldTyp::Reihenfolge22:
    case FeldTyp::Reihenfolge23:
        break; // derived after all texts are read
    case FeldTyp::Texte5: {
        auto& texte = info.*std::get<LetzteKatzen tsysteminfo::*>(f.zeiger);
        for (int i = 0; i < int(texte.size()); ++i)
            texte[i] = ini.leseText(sek, katzenSchluessel(f, i), vorgabe);
        break;
    }
    }
}

template <typename Array> QString zahlenListe(const Array& a) {
    QStringList teile;
    for (const quint8 v : a)
        teile << QString::number(v);
    return teile.join(QLatin1Char(','));
}

template <typename Array> Array alsArray(const std::vector<quint8>& v) {
    Array a{};
    std::copy_n(v.begin(), std::min(v.size(), a.size()), a.begin());
    return a;
}

} // namespace

std::span<const FeldBeschreibung> felder() {
    return kFelder;
}

const FeldBeschreibung* feld(const QString& name) {
    for (const FeldBeschreibung& f : kFelder)
        if (name == QLatin1String(f.name)) return &f;
    return nullptr;
}

tsysteminfo::tsysteminfo() {
    const IniDatei leer;
    for (const FeldBeschreibung& f : kFelder)
        lies(*this, f, leer, {}, m_locale);
    StammbaumSortierungAnzeige();
    StammbaumSortierungDrucken();
    VerpaarungSortierungAnzeige();
}

bool tsysteminfo::load(const QString& pfad, const QRect& arbeitsbereich, const QLocale& locale) {
    m_pfad = pfad;
    m_locale = locale;
    IniDatei ini(pfad);
    const bool ok = ini.lesen();
    if (!ok) ini = IniDatei(pfad);
    for (const FeldBeschreibung& f : kFelder)
        lies(*this, f, ini, arbeitsbereich, locale);
    // Any language other than German has to be applied to the windows, which start in German.
    SpracheGeaendert = Sprache != settings::Sprache::Deutsch;
    // The orders follow their texts from the start, so a window opened before setzen sees them too.
    StammbaumSortierungAnzeige();
    StammbaumSortierungDrucken();
    VerpaarungSortierungAnzeige();
    return ok;
}

bool tsysteminfo::schreibeFelder(const QStringList& namen) const {
    QList<IniEintrag> eintraege;
    for (const QString& name : namen) {
        const FeldBeschreibung* f = feld(name);
        if (!f || !f->gespeichert()) return false;
        const QString sek = u8(f->sektion);
        switch (f->typ()) {
        case FeldTyp::Real:
            eintraege.append(
                {sek, u8(f->schluessel), realText(this->*std::get<double S::*>(f->zeiger), m_locale)});
            break;
        case FeldTyp::Datum:
            eintraege.append(
                {sek, u8(f->schluessel), datumText(this->*std::get<QDate S::*>(f->zeiger), m_locale)});
            break;
        case FeldTyp::Sprache:
            eintraege.append({sek, u8(f->schluessel), spracheText(Sprache)});
            break;
        case FeldTyp::Texte5: {
            const auto& texte = this->*std::get<LetzteKatzen S::*>(f->zeiger);
            for (int i = 0; i < int(texte.size()); ++i)
                eintraege.append({sek, katzenSchluessel(*f, i), texte[i]});
            break;
        }
        default:
            // Text, booleans and numbers are written as the tool shows them.
            eintraege.append({sek, u8(f->schluessel), anzeigeText(*f)});
        }
    }
    return !m_pfad.isEmpty() && IniDatei::schreibe(m_pfad, eintraege);
}

bool tsysteminfo::AufloesungSpeichern(int breite, int hoehe) {
    Aufloesung =
        QStringLiteral("Angepasst ") + QString::number(breite) + QLatin1Char('x') + QString::number(hoehe);
    return schreibeFeld(QStringLiteral("Aufloesung"));
}

bool tsysteminfo::schreibeSchluessel(const QString& sektion, const QString& schluessel,
                                     const QString& wert) const {
    return !m_pfad.isEmpty() && IniDatei::schreibe(m_pfad, {{sektion, schluessel, wert}});
}

int tsysteminfo::loadUpdate(ProzessStarter& starter) const {
    if (m_pfad.isEmpty()) return 0;
    int gestartet = 0;
    for (const QString& befehl : updateBefehle(updatePfad(QFileInfo(m_pfad).absolutePath()))) {
        // A program that cannot be started is skipped; the next one still runs.
        if (!starter.starte(befehl)) continue;
        ++gestartet;
        starter.warte();
    }
    return gestartet;
}

int tsysteminfo::loadUpdate() const {
    QProzessStarter starter;
    return loadUpdate(starter);
}

SetzenPlan tsysteminfo::setzen(const QRect& arbeitsbereich) {
    StammbaumSortierungAnzeige();
    StammbaumSortierungDrucken();
    VerpaarungSortierungAnzeige();
    generationenAnheben();
    SetzenPlan p;
    p.listeAnzeigen = Anzeigen;
    p.rufnameSpalte = index == QLatin1String("RufnaIdx");
    p.listenIndex = index;
    p.listenFilter = statusFilter(Status);
    p.stammdatenIndex = indexStammdaten;
    p.schnellhilfe = hilfe;
    p.fenster = fensterMasse(Aufloesung, arbeitsbereich);
    p.schriftart = Schriftart;
    p.schriftgroesse = Schriftgroesse;
    p.spracheAnwenden = SpracheGeaendert;
    p.sprache = spracheNummer();
    return p;
}

void tsysteminfo::StammbaumSortierungAnzeige() {
    stammbaumAnzeigeArray = stammbaumReihenfolge(stammbaumAnzeige);
}
void tsysteminfo::StammbaumSortierungDrucken() {
    StammbaumDruckenArray = stammbaumReihenfolge(stammbaumDrucken);
}
void tsysteminfo::VerpaarungSortierungAnzeige() {
    verpaarungAnzeigeArray = verpaarungReihenfolge(verpaarungAnzeige);
}

void tsysteminfo::generationenAnheben() {
    Inzuchtgenerationen = mindestensDreiGenerationen(Inzuchtgenerationen);
    InzuchtStdgenerationen = mindestensDreiGenerationen(InzuchtStdgenerationen);
}

QString tsysteminfo::anzeigeText(const FeldBeschreibung& f) const {
    switch (f.typ()) {
    case FeldTyp::Text:
        return this->*std::get<QString S::*>(f.zeiger);
    case FeldTyp::Bool:
        return boolText(this->*std::get<bool S::*>(f.zeiger));
    case FeldTyp::Zahl:
        return QString::number(this->*std::get<int S::*>(f.zeiger));
    case FeldTyp::Byte:
        return QString::number(this->*std::get<quint8 S::*>(f.zeiger));
    case FeldTyp::Real:
        return QString::number(this->*std::get<double S::*>(f.zeiger), 'g', 15);
    case FeldTyp::Datum:
        return (this->*std::get<QDate S::*>(f.zeiger)).toString(Qt::ISODate);
    case FeldTyp::Sprache:
        return QString::number(static_cast<int>(this->*std::get<settings::Sprache S::*>(f.zeiger)));
    case FeldTyp::Reihenfolge22:
        return zahlenListe(this->*std::get<Reihenfolge22 S::*>(f.zeiger));
    case FeldTyp::Reihenfolge23:
        return zahlenListe(this->*std::get<Reihenfolge23 S::*>(f.zeiger));
    case FeldTyp::Texte5: {
        const auto& texte = this->*std::get<LetzteKatzen S::*>(f.zeiger);
        return QStringList(texte.begin(), texte.end()).join(QLatin1Char(','));
    }
    }
    return {};
}

Sprache spracheAusText(const QString& text) {
    if (text == QLatin1String("Englisch")) return Sprache::Englisch;
    if (text == QString::fromUtf8("Holländisch")) return Sprache::Hollaendisch;
    return Sprache::Deutsch;
}

QString spracheText(Sprache s) {
    switch (s) {
    case Sprache::Englisch:
        return QStringLiteral("Englisch");
    case Sprache::Hollaendisch:
        return QString::fromUtf8("Holländisch");
    case Sprache::Deutsch:
        break;
    }
    return QStringLiteral("Deutsch");
}

quint8 alsByte(int wert) {
    return static_cast<quint8>(wert & 0xFF);
}

int mindestensDreiGenerationen(int generationen) {
    return generationen < 3 ? 3 : generationen;
}

const QStringList& stammbaumSchluesselwoerter() {
    static const QStringList w = {
        QStringLiteral("Titel"),        QStringLiteral("Farbe"),        QStringLiteral("Augenfarbe"),
        QStringLiteral("Zuchtbuchnr1"), QStringLiteral("Zuchtbuchnr2"), QStringLiteral("Zuchtbuchnr3"),
        QStringLiteral("Geburtsdatum"), QString::fromUtf8("Züchter"),   QStringLiteral("Besitzer"),
        QStringLiteral("Farbcode"),     QStringLiteral("Rasse"),        QStringLiteral("Rassecode"),
        QStringLiteral("Showerfolge"),  QStringLiteral("RF-Code"),      QStringLiteral("Blutgruppe"),
        QStringLiteral("Tests"),        QStringLiteral("Chipnummer"),   QStringLiteral("Gestorben"),
        QStringLiteral("IK - AVK"),     QStringLiteral("Merkmale"),     QString::fromUtf8("Täto-Nr."),
        QStringLiteral("Fellart")};
    return w;
}

const QStringList& verpaarungSchluesselwoerter() {
    static const QStringList w = [] {
        QStringList l = stammbaumSchluesselwoerter().mid(0, 18);
        l << QStringLiteral("Gekauft") << QStringLiteral("Verkauft") << QStringLiteral("Merkmale")
          << QString::fromUtf8("Täto-Nr.") << QStringLiteral("Fellart");
        return l;
    }();
    return w;
}

std::vector<quint8> reihenfolgeAbleiten(const QString& text, const QStringList& schluesselwoerter) {
    // Positions are kept as int, not as bytes: a keyword past the 255th character would otherwise wrap
    // round and jump ahead of the ones before it.
    constexpr int fehlt = std::numeric_limits<int>::max();
    std::vector<int> position;
    position.reserve(schluesselwoerter.size());
    for (const QString& w : schluesselwoerter) {
        const qsizetype i = text.indexOf(w, 0, Qt::CaseSensitive);
        position.push_back(i < 0 ? fehlt : int(i) + 1);
    }
    std::vector<quint8> ergebnis(schluesselwoerter.size(), 0);
    for (quint8& slot : ergebnis) {
        int beste = -1;
        for (int i = 0; i < int(position.size()); ++i)
            if (position[i] != fehlt && (beste < 0 || position[i] < position[beste])) beste = i;
        if (beste < 0) break;
        slot = static_cast<quint8>(beste + 1);
        position[beste] = fehlt;
    }
    return ergebnis;
}

Reihenfolge22 stammbaumReihenfolge(const QString& text) {
    return alsArray<Reihenfolge22>(reihenfolgeAbleiten(text, stammbaumSchluesselwoerter()));
}

Reihenfolge23 verpaarungReihenfolge(const QString& text) {
    return alsArray<Reihenfolge23>(reihenfolgeAbleiten(text, verpaarungSchluesselwoerter()));
}

QString aufloesungVorgabe(const QRect& arbeitsbereich) {
    const int b = arbeitsbereich.isValid() ? arbeitsbereich.width() : 0;
    const int h = arbeitsbereich.isValid() ? arbeitsbereich.height() : 0;
    if (b > 1024 && h > 768) return QStringLiteral("1152x864");
    if (b > 800 && h > 600) return QStringLiteral("1024x768");
    return QStringLiteral("800x600");
}

Fenstermasse fensterMasse(const QString& aufloesung, const QRect& arbeitsbereich) {
    // Measured from the work area itself, so a task bar at the left or top does not push the window
    // off the usable desktop.
    const QRect wa = arbeitsbereich.isValid() ? arbeitsbereich : QRect(arbeitsbereich.topLeft(), QSize(0, 0));
    Fenstermasse m;
    if (aufloesung == QLatin1String("Maximized")) {
        m.maximiert = true;
        m.groesseSetzen = true;
        m.positionSetzen = true;
        m.rechteck = wa;
        return m;
    }
    // Digits before the first "x" are the width, digits after it the height; anything else is skipped.
    // Saturated, so a long run of digits cannot overflow.
    qint64 zahl[2] = {0, 0};
    int teil = 0;
    for (const QChar c : aufloesung) {
        if (c == QLatin1Char('x') && teil == 0)
            teil = 1;
        else if (c.isDigit() && c.unicode() < 128)
            zahl[teil] = std::min<qint64>(zahl[teil] * 10 + c.digitValue(), 1 << 24);
    }
    int breite = int(zahl[0]);
    int hoehe = int(zahl[1]);
    bool gekappt = false;
    if (breite >= wa.width()) {
        breite = wa.width();
        gekappt = true;
    }
    if (hoehe >= wa.height()) {
        hoehe = wa.height();
        gekappt = true;
    }
    const bool positiv = breite > 0 && hoehe > 0;
    if (gekappt) {
        m.positionSetzen = true;
        m.rechteck.moveTopLeft(wa.topLeft());
    } else if (positiv) {
        m.positionSetzen = true;
        m.rechteck.moveTopLeft(
            QPoint(wa.left() + (wa.width() - breite) / 2, wa.top() + (wa.height() - hoehe) / 2));
    }
    if (positiv) {
        m.groesseSetzen = true;
        m.rechteck.setSize(QSize(breite, hoehe));
    }
    return m;
}

QString statusFilter(const QString& status) {
    if (status == QLatin1String("alle")) return {};
    QStringList teile;
    for (const QChar c : status)
        if (c.isDigit() && c.unicode() < 128) teile << QStringLiteral("Status=") + c;
    if (teile.isEmpty()) return QStringLiteral("Status=-1");
    return teile.join(QStringLiteral(" OR "));
}

QStringList updateBefehle(const QString& updatePfad) {
    IniDatei upd(updatePfad);
    if (!upd.lesen()) return {};
    const QString nummer = upd.leseText(QStringLiteral("Version"), QStringLiteral("Nummer")).left(5);
    if (nummer.isEmpty() || nummer == QLatin1String("7.0")) return {};
    QStringList befehle;
    for (int i = 1; i <= 3; ++i) {
        const QString b =
            upd.leseText(QStringLiteral("Programme"), QStringLiteral("Update") + QString::number(i));
        if (!b.isEmpty()) befehle << b;
    }
    return befehle;
}

} // namespace velmora::settings
