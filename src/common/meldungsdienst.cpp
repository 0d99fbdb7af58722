#include "common/meldungsdienst.h"

#include "language/sprache.h"

#include <QFile>
#include <QMutex>

namespace velmora {

namespace {

struct Zustand {
    bool geladen = false;
    QString protokoll;       // VELMORA_MELDUNGEN
    QStringList antworten;   // VELMORA_ANTWORTEN
    int naechste = 0;
    Meldungsdienst::Anzeige anzeige;
    QList<Meldung> verlauf;
};

Zustand& zustand() {
    static Zustand z;
    if (!z.geladen) {
        z.geladen = true;
        z.protokoll = qEnvironmentVariable("VELMORA_MELDUNGEN");
        const QString a = qEnvironmentVariable("VELMORA_ANTWORTEN");
        z.antworten.clear();
        for (const QString& s : a.split(QLatin1Char(','), Qt::SkipEmptyParts))
            z.antworten << s.trimmed().toLower();
        z.naechste = 0;
    }
    return z;
}

QString artText(MeldungsArt art) {
    switch (art) {
    case MeldungsArt::Warnung: return QStringLiteral("warnung");
    case MeldungsArt::Fehler: return QStringLiteral("fehler");
    default: return QStringLiteral("info");
    }
}

Antwort vorgabe(Knoepfe k) { return k == Knoepfe::Ok ? Antwort::Ok : Antwort::Nein; }

Antwort automatischeAntwort(Zustand& z, Knoepfe k) {
    if (z.naechste >= z.antworten.size())
        return vorgabe(k);
    const QString a = z.antworten.at(z.naechste++);
    if (k == Knoepfe::Ok)
        return Antwort::Ok;
    if (a == QLatin1String("ja") || a == QLatin1String("ok"))
        return Antwort::Ja;
    return Antwort::Nein;
}

} // namespace

QString antwortText(Antwort a) {
    switch (a) {
    case Antwort::Ja: return QStringLiteral("ja");
    case Antwort::Nein: return QStringLiteral("nein");
    default: return QStringLiteral("ok");
    }
}

QString meldungsZeile(const Meldung& m, Antwort antwort) {
    QString text = m.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return artText(m.art) + QLatin1Char(';') + (m.nummer ? QString::number(m.nummer) : QString()) +
           QLatin1Char(';') + text + QLatin1Char(';') + antwortText(antwort);
}

Antwort Meldungsdienst::zeigen(const Meldung& m) {
    Zustand& z = zustand();
    z.verlauf << m;
    if (!z.protokoll.isEmpty()) {
        const Antwort a = automatischeAntwort(z, m.knoepfe);
        QFile f(z.protokoll);
        if (f.open(QIODevice::WriteOnly | QIODevice::Append)) {
            f.write(meldungsZeile(m, a).toUtf8());
            f.write("\n");
        }
        return a;
    }
    if (z.anzeige)
        return z.anzeige(m);
    return vorgabe(m.knoepfe);
}

Antwort Meldungsdienst::nachricht(int nummer, MeldungsArt art, Knoepfe knoepfe, const QString& fallback) {
    return zeigen(art, nummer, language::meldung(nummer, fallback), knoepfe);
}

Meldungsdienst::Anzeige Meldungsdienst::setAnzeige(Anzeige anzeige) {
    Zustand& z = zustand();
    std::swap(z.anzeige, anzeige);
    return anzeige;
}

bool Meldungsdienst::automatik() { return !zustand().protokoll.isEmpty(); }

void Meldungsdienst::protokollieren(MeldungsArt art, const QString& text) {
    const Zustand& z = zustand();
    if (z.protokoll.isEmpty()) return;
    Meldung m;
    m.art = art;
    m.text = text;
    QFile f(z.protokoll);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append)) {
        f.write(meldungsZeile(m, Antwort::Ok).toUtf8());
        f.write("\n");
    }
}

void Meldungsdienst::neuLaden() {
    Zustand& z = zustand();
    z.geladen = false;
    zustand();
}

const QList<Meldung>& Meldungsdienst::verlauf() { return zustand().verlauf; }
void Meldungsdienst::verlaufLeeren() { zustand().verlauf.clear(); }

} // namespace velmora
