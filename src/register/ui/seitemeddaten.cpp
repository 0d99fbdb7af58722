#include "register/ui/seitemeddaten.h"

#include "language/tag.h"
#include "register/ui/detailgitter.h"
#include "register/ui/tcatstamm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::reg {

namespace {
QGroupBox* rahmenUm(QWidget* inhalt, const char* titel, int tag, const char* name) {
    auto* g = new QGroupBox(QString::fromUtf8(titel));
    g->setObjectName(QLatin1String(name));
    language::setTag(g, tag);
    auto* l = new QVBoxLayout(g);
    l->addWidget(inhalt);
    return g;
}
} // namespace

TSeiteMedDaten::TSeiteMedDaten(TCatStamm& r) : TKatzenSeite(r, "TabSheetMedDaten", 9413, "&Med.Daten") {
    auto* layout = new QVBoxLayout(this);
    m_reiter = new QTabWidget(this);
    m_reiter->setObjectName(QStringLiteral("TabSetMedDaten"));
    layout->addWidget(m_reiter);

    auto* impfSeite = new QWidget;
    impfSeite->setObjectName(QStringLiteral("TabSheetImpfung"));
    language::setTag(impfSeite, 9430);
    auto* impfLayout = new QHBoxLayout(impfSeite);
    m_impfungen = new TDetailGitter(*this, "Impfungen", QStringLiteral("impfung"),
                                    QStringLiteral("ImpfungKatze"), QStringLiteral("Katze"),
                                    {{QStringLiteral("Datum"), 9420, QStringLiteral("Datum"), {}},
                                     {QStringLiteral("Impfung"), 9421, QStringLiteral("Impfung"), {}},
                                     {QStringLiteral("NeuAm"), 9422, QStringLiteral("nächste am"), {}}});
    impfLayout->addWidget(rahmenUm(m_impfungen, "&Impfungen", 9431, "GroupBoxImpfungen"));
    m_wurmkuren = new TDetailGitter(*this, "Wurmkuren", QStringLiteral("wurmkur"),
                                    QStringLiteral("KatzeDatum"), QStringLiteral("Katze"),
                                    {{QStringLiteral("Datum"), 9420, QStringLiteral("Datum"), {}},
                                     {QStringLiteral("Medikament"), 9423, QStringLiteral("Medikament"), {}},
                                     {QStringLiteral("Naechste"), 9422, QStringLiteral("nächste am"), {}}});
    impfLayout->addWidget(rahmenUm(m_wurmkuren, "E&ntwurmung", 9432, "GroupBoxEntwurmung"));
    m_reiter->addTab(impfSeite, QStringLiteral("&Entwurmung/Impfung"));

    for (TDetailGitter* g : gitterListe()) {
        g->oeffnen();
        connect(g, &TDetailGitter::gespeichert, this, &TKatzenSeite::gespeichert);
    }
}

QList<TDetailGitter*> TSeiteMedDaten::gitterListe() const {
    return {m_impfungen, m_wurmkuren};
}

void TSeiteMedDaten::laden() {
    for (TDetailGitter* g : gitterListe())
        g->setSchluessel({katze()});
}

bool TSeiteMedDaten::verlassen() {
    for (TDetailGitter* g : gitterListe())
        if (!g->speichern()) {
            nachVorn(g);
            return false;
        }
    return true;
}

void TSeiteMedDaten::schliessen() {
    for (TDetailGitter* g : gitterListe())
        g->schliessen();
}

void TSeiteMedDaten::uebersetzt() {
    for (TDetailGitter* g : gitterListe())
        g->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
