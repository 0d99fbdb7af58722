#include "register/ui/seitemeddaten.h"

#include "language/tag.h"
#include "register/ui/detailformular.h"
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

    auto formularSeite = [this](TDetailFormular* f, const char* name, int tag, const char* titel) {
        auto* seite = new QWidget;
        seite->setObjectName(QLatin1String(name));
        language::setTag(seite, tag);
        auto* l = new QVBoxLayout(seite);
        l->addWidget(f);
        return m_reiter->addTab(seite, QString::fromUtf8(titel));
    };
    m_arzt = new TDetailFormular(*this, "Arztbesuch", QStringLiteral("arztbes"), QStringLiteral("KatzeDatum"),
                                 QStringLiteral("Katze"));
    m_arzt->datumsZeile(QStringLiteral("Datum"), 9436, "Am");
    m_arzt->textZeile(QStringLiteral("Arzt"), 9437, "Arzt");
    m_arzt->memoZeile(QStringLiteral("Wegen"), 9438, "Grund");
    m_arzt->memoZeile(QStringLiteral("Befund"), 9439, "Befund");
    formularSeite(m_arzt, "TabSheetArztbesuch", 9433, "&Arztbesuch");

    m_krankenblatt = new TDetailFormular(*this, "Krankenblatt", QStringLiteral("krblatt"),
                                         QStringLiteral("Krankenblatt"), QStringLiteral("Katze"));
    // texte: feldname 9446-9453
    for (int i = 1; i <= 4; ++i) {
        const QByteArray datum = QStringLiteral("Datum %1").arg(i).toUtf8();
        const QByteArray eintrag = QStringLiteral("Eintrag %1").arg(i).toUtf8();
        m_krankenblatt->datumsZeile(QStringLiteral("Datum%1").arg(i), 9445 + i, datum.constData());
        m_krankenblatt->memoZeile(QStringLiteral("Text%1").arg(i), 9449 + i, eintrag.constData());
    }
    m_krankenblatt->setHinzufuegenText(9403, QStringLiteral("&Neue Seite"));
    formularSeite(m_krankenblatt, "TabSheetKrankenblatt", 9434, "&Krankenblatt");

    m_schwanger = new TDetailFormular(*this, "Schwangerschaft", QStringLiteral("schwang"),
                                      QStringLiteral("KatzeDatum"), QStringLiteral("Katze"));
    m_schwanger->datumsZeile(QStringLiteral("Datum"), 9442, "&Schwanger seit");
    m_schwanger->memoZeile(QStringLiteral("Text1"), 9443, "Komplikationen");
    m_schwanger->memoZeile(QStringLiteral("Text2"), 9444, "Krankheiten");
    m_schwangerTab = formularSeite(m_schwanger, "TabSheetSchwangerschaft", 9435, "Sch&wangerschaft");
    m_reiter->setTabVisible(m_schwangerTab, false);

    for (TDetailGitter* g : gitterListe()) {
        g->oeffnen();
        connect(g, &TDetailGitter::gespeichert, this, &TKatzenSeite::gespeichert);
    }
    for (TDetailFormular* f : formulare())
        connect(f, &TDetailFormular::gespeichert, this, &TKatzenSeite::gespeichert);
    // A tab left stores what it holds, as leaving the page does.
    connect(m_reiter, &QTabWidget::currentChanged, this, [this] {
        for (TDetailFormular* f : formulare())
            if (!m_reiter->currentWidget()->isAncestorOf(f) && !f->speichern()) nachVorn(f);
    });
}

QList<TDetailFormular*> TSeiteMedDaten::formulare() const {
    return {m_arzt, m_krankenblatt, m_schwanger};
}

bool TSeiteMedDaten::schwangerschaftAngeboten() const {
    return m_reiter->isTabVisible(m_schwangerTab);
}

QList<TDetailGitter*> TSeiteMedDaten::gitterListe() const {
    return {m_impfungen, m_wurmkuren};
}

void TSeiteMedDaten::laden() {
    for (TDetailGitter* g : gitterListe())
        g->setSchluessel({katze()});
    for (TDetailFormular* f : formulare())
        f->setSchluessel({katze()});
    const bool weibchen = weiblich();
    if (!weibchen && m_reiter->currentIndex() == m_schwangerTab) m_reiter->setCurrentIndex(0);
    m_reiter->setTabVisible(m_schwangerTab, weibchen);
}

bool TSeiteMedDaten::verlassen() {
    for (TDetailGitter* g : gitterListe())
        if (!g->speichern()) {
            nachVorn(g);
            return false;
        }
    for (TDetailFormular* f : formulare())
        if (!f->speichern()) {
            nachVorn(f);
            return false;
        }
    return true;
}

void TSeiteMedDaten::schliessen() {
    for (TDetailGitter* g : gitterListe())
        g->schliessen();
    for (TDetailFormular* f : formulare())
        f->schliessen();
}

void TSeiteMedDaten::uebersetzt() {
    for (TDetailGitter* g : gitterListe())
        g->uebersetzen();
    for (TDetailFormular* f : formulare())
        f->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
