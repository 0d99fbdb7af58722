#include "office/adressdruck.h"

#include "language/sprache.h"
#include "printing/listenbericht.h"

namespace velmora::office {

namespace {

QString text(int nummer, const char* vorgabe) {
    const QString t = language::feldName(nummer);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

QString datum(const QDate& d) {
    return d.isValid() ? language::datumsLocale().toString(d, QStringLiteral("dd.MM.yyyy")) : QString();
}

printing::Raender raender(double links, double oben) {
    printing::Raender r;
    r.links = links;
    r.oben = oben;
    r.rechts = 10.0;
    r.unten = 10.0;
    return r;
}

void fussZeile(printing::Bericht& b) {
    const QRectF innen = b.inhalt();
    printing::Schrift klein;
    klein.groesse = 7.0;
    for (int i = 0; i < b.seitenzahl(); ++i)
        b.seite(i).text(QRectF(innen.left(), innen.bottom() + 2.0, innen.width(), 4.0), standardHomepage(),
                        klein, printing::HAusrichtung::Mitte);
}

} // namespace

QString standardHomepage() {
    return QStringLiteral("https://www.velmora.example/");
}

printing::Bericht adressenListeBericht(const QList<Adresse>& adressen, double linkerRand, double obererRand,
                                       const QDate& stand) {
    using namespace printing;
    Listenbericht liste;
    Raender r = raender(linkerRand, obererRand);
    r.unten = 16.0; // room for the web address below the page number
    liste.setSeitenformat(Bericht::a4(), Seitenausrichtung::Querformat, r);
    const QString titel = text(9240, " Adressenliste vom ") + datum(stand);
    liste.setTitel(titel);
    Schrift s;
    s.groesse = 8.0;
    liste.setSchrift(s);
    Schrift kopf = s;
    kopf.fett = true;
    liste.setKopfSchrift(kopf);
    liste.setZeilenhoehe(4.0);
    liste.setZeilenlinien(true);
    // texte: feldname 9241-9252
    liste.setSpalten({{text(9241, "Name"), 36.0},
                      {text(9242, "Strasse"), 30.0},
                      {text(9243, "PLZ"), 11.0},
                      {text(9244, "Ort"), 22.0},
                      {text(9245, "Telefon"), 20.0},
                      {text(9246, "Telefax"), 20.0},
                      {text(9247, "Zwinger"), 22.0},
                      {text(9248, "Geburtstag"), 17.0},
                      {text(9249, "Land"), 12.0},
                      {text(9250, "Status"), 17.0},
                      {text(9251, "E-Mail"), 28.0},
                      {text(9252, "Homepage"), 30.0}});
    for (const Adresse& a : adressen)
        liste.textzeile({a.anzeige(), a.strasse, a.plz, a.ort, a.telefon, a.telefax, a.zwinger,
                         datum(a.geburtstag), a.land, a.status, a.email, a.homepage});
    Bericht b = liste.erstellen();
    b.setTitel(titel.trimmed());
    fussZeile(b);
    return b;
}

printing::Bericht adresseBericht(const Adresse& a, double linkerRand, double obererRand) {
    using namespace printing;
    Bericht b;
    b.setRaender(raender(linkerRand, obererRand));
    b.setTitel(a.anzeige());
    Seite& s = b.neueSeite();
    const QRectF innen = b.inhalt();
    Schrift titel;
    titel.groesse = 14.0;
    titel.fett = true;
    const QString nameVorname = a.name + QStringLiteral(", ") + a.vorname;
    s.text(QRectF(innen.left(), innen.top(), innen.width(), 8.0), nameVorname, titel);
    double y = innen.top() + 12.0;
    Schrift fett;
    fett.fett = true;
    // texte: feldname 9253-9266
    const std::pair<int, const char*> beschriftung[] = {
        {9253, "Strasse"}, {9254, "PLZ"},        {9255, "Ort"},     {9256, "Land"},    {9257, "Telefon"},
        {9258, "Telefax"}, {9259, "Geburtstag"}, {9260, "Status"},  {9261, "Zwinger"}, {9262, "Rasse"},
        {9263, "Handy"},   {9264, "E-Mail"},     {9265, "Homepage"}};
    const QString werte[] = {a.strasse,           a.plz,    a.ort,     a.land,      a.telefon, a.telefax,
                             datum(a.geburtstag), a.status, a.zwinger, a.rasseName, a.handy,   a.email,
                             a.homepage};
    for (int i = 0; i < int(std::size(werte)); ++i) {
        s.text(QRectF(innen.left(), y, 40.0, 6.0), text(beschriftung[i].first, beschriftung[i].second), fett);
        s.text(QRectF(innen.left() + 42.0, y, innen.width() - 42.0, 6.0), werte[i]);
        y += 6.5;
    }
    y += 3.0;
    s.text(QRectF(innen.left(), y, 40.0, 6.0), text(9266, "Bemerkung"), fett);
    TextElement& memo =
        s.text(QRectF(innen.left() + 42.0, y, innen.width() - 42.0, innen.bottom() - y), a.bemerkung);
    memo.umbrechen = true;
    return b;
}

} // namespace velmora::office
