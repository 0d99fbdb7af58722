#include "settings/optionen.h"

#include "settings/inidatei.h"

#include <algorithm>
#include <limits>

namespace velmora::settings {
namespace {

using S = tsysteminfo;

QStringList namen(std::initializer_list<const char*> l) {
    QStringList n;
    for (const char* s : l)
        n << QLatin1String(s);
    return n;
}

const QStringList& wurfbuchFelder() {
    static const QStringList n =
        namen({"TageTraechtigkeit", "TageNaechsteRolligkeit", "TageNRplusMinus", "TagebisAbgabetermin"});
    return n;
}

const QStringList& inzuchtFelder() {
    static const QStringList n = namen({"Inzuchtgenerationen", "InzuchtStdgenerationen",
                                        "InzuchtBerechnungAuto", "InzuchtFenster", "InzuchtmitVorfahren"});
    return n;
}

// Every field the full window edits, in the order of the settings object.
const QStringList& alleFelder() {
    static const QStringList n = namen({"Status",
                                        "Anzeigen",
                                        "index",
                                        "indexStammdaten",
                                        "RasseStandardeinstellung",
                                        "FarbeStandardeinstellung",
                                        "HaarartStandardeinstellung",
                                        "ZusatzBeiZwinger",
                                        "SuchebeiNeuaufnahme",
                                        "SuchebeiNeuaufnahmeAdresse",
                                        "BildAnpassen",
                                        "stammbaumAnzeige",
                                        "stammbaumDrucken",
                                        "stammbaumBesitzer",
                                        "TageNaechsteRolligkeit",
                                        "TageNRplusMinus",
                                        "TageTraechtigkeit",
                                        "TagebisAbgabetermin",
                                        "verpaarungAnzeige",
                                        "Inzuchtgenerationen",
                                        "InzuchtStdgenerationen",
                                        "InzuchtBerechnungAuto",
                                        "InzuchtFenster",
                                        "InzuchtmitVorfahren",
                                        "StammbaumGeneration",
                                        "StammbaumlangBild",
                                        "StammbaumBild",
                                        "StammbaumGenBild",
                                        "Stammbaumlogo",
                                        "StammbaumLogoBildhorizontal",
                                        "StammbaumLogoBildvertikal",
                                        "StammbaumHintergrundbild",
                                        "StammbaumLinkerRand",
                                        "StammbaumRechterRand",
                                        "StammbaumObererRand",
                                        "StammbaumUntererRand",
                                        "StammbaumBildhorizontal",
                                        "StammbaumBildvertikal",
                                        "StammbaumGenBildhorizontal",
                                        "StammbaumGenBildvertikal",
                                        "TitelRot",
                                        "StbDoppelteFarbig",
                                        "BildAufloesung",
                                        "Druckoben",
                                        "Drucklinks",
                                        "speichern",
                                        "hilfe",
                                        "Fenstergroesse",
                                        "Aufloesung",
                                        "Textverarbeitung",
                                        "WarnungVerfallsdatum",
                                        "WarnungTermine",
                                        "WarnungImpfung",
                                        "WarnungWurmkur",
                                        "MerkmalvorTop",
                                        "StatistikGenerationen"});
    return n;
}

template <typename T> bool gleich(const T& a, const T& b) {
    return a == b;
}
// Reals compare as the file holds them, so a value read back does not count as a change.
bool gleich(double a, double b) {
    return QString::number(a, 'g', 12) == QString::number(b, 'g', 12);
}

// Copies one field when it differs between `anfang` and `kopie`; true when it did.
bool kopieren(const FeldBeschreibung& f, const S& anfang, const S& kopie, S& ziel) {
    return std::visit(
        [&](auto zeiger) {
            if (gleich(anfang.*zeiger, kopie.*zeiger)) return false;
            ziel.*zeiger = kopie.*zeiger;
            return true;
        },
        f.zeiger);
}

const Zahlenbereich kBereiche[] = {
    {"TageTraechtigkeit", 1, 365, true},
    {"TageNaechsteRolligkeit", 1, 999, true},
    {"TageNRplusMinus", 0, 255, true}, // the file keeps it in one byte
    {"TagebisAbgabetermin", 0, 999, true},
    {"Inzuchtgenerationen", 3, 255, true},
    {"InzuchtStdgenerationen", 3, 10, true},
    {"StammbaumGeneration", 3, 6, true},
    {"StammbaumLinkerRand", 0, 999, true},
    {"StammbaumRechterRand", 0, 999, true},
    {"StammbaumObererRand", 0, 999, true},
    {"StammbaumUntererRand", 0, 999, true},
    {"StammbaumBildhorizontal", 1, 9999, true},
    {"StammbaumBildvertikal", 1, 9999, true},
    {"StammbaumGenBildhorizontal", 1, 9999, true},
    {"StammbaumGenBildvertikal", 1, 9999, true},
    {"StammbaumLogoBildhorizontal", 1, 9999, true},
    {"StammbaumLogoBildvertikal", 1, 9999, true},
    {"BildAufloesung", 1, 999, true},
    {"Druckoben", 0, 100, false},
    {"Drucklinks", 0, 100, false},
    {"StatistikGenerationen", 1, 999, true},
};

QString generationenKorrigiert(const QString& text, int hoechstens) {
    const QString t = text.trimmed();
    bool ziffern = !t.isEmpty();
    for (const QChar c : t)
        ziffern &= c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!ziffern) return QStringLiteral("3");
    const int g = t.size() > 9 ? std::numeric_limits<int>::max() : t.toInt();
    if (g < 3) return QStringLiteral("3");
    if (hoechstens > 0 && g > hoechstens) return QString::number(hoechstens);
    return text;
}

} // namespace

QStringList optionenUebernahmefelder(OptionenUmfang umfang) {
    switch (umfang) {
    case OptionenUmfang::Verpaarung:
        return {QStringLiteral("verpaarungAnzeige")};
    case OptionenUmfang::Wurfbuch:
        return wurfbuchFelder();
    case OptionenUmfang::Alle:
        break;
    }
    return alleFelder();
}

QStringList optionenSchreibfelder(OptionenUmfang umfang, Sprache sprache) {
    QStringList n;
    if (umfang == OptionenUmfang::Alle) {
        n = alleFelder();
        // Kept by the window and written back as they are: the title choice and the printer font.
        n << QStringLiteral("alleTitel") << QStringLiteral("Schriftart") << QStringLiteral("Schriftgroesse");
        // Dutch is not one of the two names the window writes: the key stays as it is.
        if (sprache != Sprache::Hollaendisch) n << QStringLiteral("Sprache");
    } else if (umfang == OptionenUmfang::Wurfbuch) {
        n = wurfbuchFelder();
    }
    for (const QString& f : QStringList{QStringLiteral("verpaarungAnzeige")} + inzuchtFelder())
        if (!n.contains(f)) n << f;
    return n;
}

QStringList optionenUebernehmen(const tsysteminfo& anfang, const tsysteminfo& kopie, tsysteminfo& ziel,
                                OptionenUmfang umfang) {
    QStringList kopiert;
    for (const QString& name : optionenUebernahmefelder(umfang))
        if (const FeldBeschreibung* f = feld(name); f && kopieren(*f, anfang, kopie, ziel)) kopiert << name;
    return kopiert;
}

QString feldText(const tsysteminfo& e, const QString& name) {
    const FeldBeschreibung* f = feld(name);
    return f ? e.anzeigeText(*f) : QString();
}

bool feldSetzen(tsysteminfo& e, const QString& name, const QString& text) {
    const FeldBeschreibung* f = feld(name);
    if (!f) return false;
    bool ok = true;
    switch (f->typ()) {
    case FeldTyp::Text:
        e.*std::get<QString S::*>(f->zeiger) = text;
        return true;
    case FeldTyp::Bool: {
        const int v = text.trimmed().toInt(&ok);
        if (ok) e.*std::get<bool S::*>(f->zeiger) = v != 0;
        return ok;
    }
    case FeldTyp::Zahl: {
        const int v = text.trimmed().toInt(&ok);
        if (ok) e.*std::get<int S::*>(f->zeiger) = v;
        return ok;
    }
    case FeldTyp::Byte: {
        const int v = text.trimmed().toInt(&ok);
        ok = ok && v >= 0 && v <= 255;
        if (ok) e.*std::get<quint8 S::*>(f->zeiger) = quint8(v);
        return ok;
    }
    case FeldTyp::Real: {
        const double v = QLocale::c().toDouble(text.trimmed(), &ok);
        if (ok) e.*std::get<double S::*>(f->zeiger) = v;
        return ok;
    }
    default:
        return false;
    }
}

std::span<const Zahlenbereich> zahlenbereiche() {
    return kBereiche;
}

const Zahlenbereich* zahlenbereich(const QString& feld) {
    for (const Zahlenbereich& b : kBereiche)
        if (feld == QLatin1String(b.feld)) return &b;
    return nullptr;
}

std::optional<double> zahlPruefen(const QString& text, const Zahlenbereich& b, const QLocale& locale) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    double v = 0;
    if (b.ganz) {
        // Digits only: no sign, no hex, no blanks inside.
        for (const QChar c : t)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        if (t.size() > 9) return std::nullopt;
        v = t.toInt();
    } else {
        bool ok = false;
        v = parseReal(t, locale, &ok);
        if (!ok) return std::nullopt;
    }
    if (v < b.min || v > b.max) return std::nullopt;
    return v;
}

QString inzuchtGenerationenKorrigiert(const QString& text) {
    return generationenKorrigiert(text, 0);
}

QString stammdatenGenerationenKorrigiert(const QString& text) {
    return generationenKorrigiert(text, 10);
}

QStringList aufloesungListe(const QRect& a) {
    const int b = a.isValid() ? a.width() : 0;
    const int h = a.isValid() ? a.height() : 0;
    QStringList l = {QStringLiteral("Maximized"), QStringLiteral("Angepasst"), QStringLiteral("640x480")};
    const struct {
        int b, h;
        const char* eintrag;
    } stufen[] = {
        {640, 480, "800x600"}, {800, 600, "1024x768"}, {1024, 768, "1152x864"}, {1152, 864, "1280x1024"}};
    for (const auto& s : stufen)
        if (b > s.b && h > s.h) l << QLatin1String(s.eintrag);
    return l;
}

QString aufloesungEintrag(const QString& aufloesung) {
    if (aufloesung.contains(QLatin1String("Angepasst"))) return QStringLiteral("Angepasst");
    return aufloesung;
}

QStringList reihenfolgeBeschriftungen(bool verpaarung, int sprache) {
    if (sprache != 1) return verpaarung ? verpaarungSchluesselwoerter() : stammbaumSchluesselwoerter();
    static const QStringList stammbaum = {QStringLiteral("Titel"),       QStringLiteral("Color"),
                                          QStringLiteral("Eyes"),        QStringLiteral("Reg.No1"),
                                          QStringLiteral("Reg.No2"),     QStringLiteral("Reg.No3"),
                                          QStringLiteral("Birthdate"),   QStringLiteral("Breeder"),
                                          QStringLiteral("Owner"),       QStringLiteral("Color Code"),
                                          QStringLiteral("Breed"),       QStringLiteral("Breed Code"),
                                          QStringLiteral("Showresult"),  QStringLiteral("Breed-/Colorcode"),
                                          QStringLiteral("Blood group"), QStringLiteral("Test"),
                                          QStringLiteral("Chipnumber"),  QStringLiteral("Date of death"),
                                          QStringLiteral("IK - AVK"),    QStringLiteral("Mark"),
                                          QStringLiteral("Tattoo-No."),  QStringLiteral("Type of coat")};
    if (!verpaarung) return stammbaum;
    QStringList l = stammbaum.mid(0, 18);
    l << QStringLiteral("Gekauft") << QStringLiteral("Verkauft") << QStringLiteral("Mark")
      << QStringLiteral("Tattoo-No.") << QStringLiteral("Type of coat");
    return l;
}

QList<int> gewaehlteEintraege(const QString& text, bool verpaarung) {
    QList<int> l;
    for (const quint8 n :
         reihenfolgeAbleiten(text, verpaarung ? verpaarungSchluesselwoerter() : stammbaumSchluesselwoerter()))
        if (n) l << n;
    return l;
}

QList<int> verfuegbareEintraege(const QString& text, bool verpaarung) {
    const QStringList& w = verpaarung ? verpaarungSchluesselwoerter() : stammbaumSchluesselwoerter();
    QList<int> l;
    for (int i = 0; i < w.size(); ++i) {
        if (verpaarung && i + 1 == 14) continue;
        if (!text.contains(w[i], Qt::CaseSensitive)) l << i + 1;
    }
    return l;
}

QString reihenfolgeText(const QList<int>& eintraege, bool verpaarung) {
    const QStringList& w = verpaarung ? verpaarungSchluesselwoerter() : stammbaumSchluesselwoerter();
    QString t;
    for (const int n : eintraege)
        if (n >= 1 && n <= w.size()) t += w[n - 1];
    return t;
}

} // namespace velmora::settings
