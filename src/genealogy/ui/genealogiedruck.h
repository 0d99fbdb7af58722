#pragma once
// The prints of the matings and descendants windows, written against the report model: the matings
// tree with the figures of the page shown, the list of a cat's kittens, and the descendants over
// generations. Each takes plain data, so it can be checked without its window.

#include "genealogy/nachkommen.h"
#include "printing/bericht.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace velmora::genealogy {

// One line of a flowing print: cells at their x positions (mm from the content's left edge).
struct Druckzeile {
    QList<QPair<double, QString>> zellen;
    printing::Schrift schrift;
    printing::Farbwert farbe = printing::kSchwarz;
    static Druckzeile text(const QString& t, double einzug, double groesse, bool fett,
                           printing::Farbwert farbe = printing::kSchwarz);
};

// Lines from the top of the content area down, a new page when one does not fit; the title on every
// page, the page number at the foot.
printing::Bericht fliessBericht(const QString& titel, const QList<Druckzeile>& zeilen);

// The matings print: tree lines in tree order, then the rows of the page shown.
struct VerpaarungsDruckzeile {
    enum Art { Tier, Partner, Wurf, Jungtier } art = Tier;
    QString text;
    bool maennlich = false; // the node's picture
};
printing::Bericht verpaarungsBericht(const QString& titel, const QList<VerpaarungsDruckzeile>& baum,
                                     const QString& seitenTitel, const QList<QPair<QString, QString>>& werte);

// The kittens of a cat: heading, then one block per kitten.
struct NachkommenDruckTexte {
    QString titel;       // "Nachkommen von :" and the cat
    QStringList spalten; // name, birth date, sex, colour, breed, other parent, breeder, owner, features
};
printing::Bericht direkteNachkommenBericht(const NachkommenDruckTexte& texte,
                                           const QList<QStringList>& zeilen);

// Descendants over generations: the figures per generation and in all, then every appearance down to
// the depth, indented by its generation.
struct GenerationenDruckTexte {
    QString titel;
    QStringList spalten; // generation, cats, appearances, male, female, not recorded, living, dead
    QString gesamt;
    QString listeTitel;
};
struct GenerationenDruckLinie {
    int ebene = 0;
    QString text;
};
printing::Bericht generationenBericht(const GenerationenDruckTexte& texte, const Nachkommenlauf& lauf,
                                      const QList<GenerationenDruckLinie>& linien);

} // namespace velmora::genealogy
