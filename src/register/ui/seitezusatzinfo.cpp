#include "register/ui/seitezusatzinfo.h"

#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "language/tag.h"
#include "printing/ui/farbe.h"
#include "register/ui/detailformular.h"
#include "register/ui/detailgitter.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"

#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::reg {

TSeiteZusatzinfo::TSeiteZusatzinfo(TCatStamm& r)
    : TKatzenSeite(r, "TabSheetZusatzinfo", 8969, "&Zusatzinfo") {
    FeldBindung& b = r.bindung();
    auto label = [](const char* text, int tag, const char* name) {
        auto* l = new QLabel(QString::fromUtf8(text));
        l->setObjectName(QLatin1String(name));
        language::setTag(l, tag);
        return l;
    };
    auto* raster = new QGridLayout(this);
    auto* z = new QFormLayout;
    raster->addLayout(z, 0, 0);
    auto* reg2 = new DbEdit(b, QStringLiteral("Zuchtbuchnummer2"));
    reg2->setObjectName(QStringLiteral("DBZuchtbuchnummer2"));
    z->addRow(label("Registrierung &2", 8970, "LabelReg2"), reg2);
    auto* reg3 = new DbEdit(b, QStringLiteral("Zuchtbuchnummer3"));
    reg3->setObjectName(QStringLiteral("DBZuchtbuchnummer3"));
    z->addRow(label("Registrierung &3", 8971, "LabelReg3"), reg3);
    z->addRow(label("gestorben", 8972, "LabelGestorben"), r.datumsFeld(QStringLiteral("Toddatum")));
    m_alterTod = new QLabel;
    m_alterTod->setObjectName(QStringLiteral("LabelAlterTod"));
    z->addRow(label("erreichtes Alter", 8973, "LabelErreicht"), m_alterTod);
    auto* bemerkung = new DbMemo(b, QStringLiteral("Bemerkung"));
    bemerkung->setObjectName(QStringLiteral("DBBemerkung"));
    z->addRow(label("Bemerkung", 8974, "LabelBemerkungVoll"), bemerkung);

    // Features: the colour square, the name and abbreviation of the chosen feature, and the mark.
    try {
        m_merkmalListe = std::make_unique<store::Table>(r.hauptfenster().db(), QStringLiteral("merkmale"));
        m_merkmalListe->open(store::Table::OpenMode::ReadOnly);
    } catch (const std::exception&) {
        m_merkmalListe.reset(); // without the feature list no feature can be chosen
    }
    auto nachgeschlagen = [this](const char* feld) {
        return [this, feld](const TDetailGitter& g, int zeile) -> QVariant {
            return merkmalWert(g.wert(zeile, QStringLiteral("Merkmal")), feld);
        };
    };
    auto farbe = [this](const TDetailGitter& g, int zeile) -> QVariant {
        const QVariant f = merkmalWert(g.wert(zeile, QStringLiteral("Merkmal")), "farbe");
        return QVariant::fromValue(f.isValid() && !f.isNull() && f.toInt() ? printing::farbeAusWert(f.toInt())
                                                                           : QColor(Qt::white));
    };
    m_merkmale = new TDetailGitter(
        *this, "Merkmale", QStringLiteral("katzemerkmal"), QStringLiteral("Katze"), QStringLiteral("Katze"),
        {{QString(), 9360, QStringLiteral("Farbe"), farbe},
         {QString(), 9361, QStringLiteral("Merkmal"), nachgeschlagen("Bezeichnung")},
         {QString(), 9362, QStringLiteral("Kürzel"), nachgeschlagen("Kuerzel")},
         {QStringLiteral("Kennzeichen"), 9363, QStringLiteral("Kennzeichen"), {}},
         {QStringLiteral("Merkmal"), 9361, QStringLiteral("Merkmal"), {}}});
    m_merkmale->gitter()->setColumnHidden(4, true); // chosen with the feature chooser below
    // A row without a chosen feature is dropped without a word.
    m_merkmale->vorDemSpeichern = [](store::Table& t) { return t.asInt(QStringLiteral("Merkmal")) > 0; };
    m_merkmalWahl = new QComboBox;
    m_merkmalWahl->setObjectName(QStringLiteral("MerkmalWahl"));
    language::setTag(m_merkmalWahl, 9364);
    m_merkmalWahl->setAccessibleName(QStringLiteral("Merkmal wählen"));
    m_merkmale->knopfReihe()->insertWidget(0, m_merkmalWahl);
    connect(m_merkmalWahl, &QComboBox::activated, this, [this](int i) {
        const QVariant nr = m_merkmalWahl->itemData(i);
        if (!nr.isValid()) return;
        if (m_merkmale->aktuelleZeile() < 0) m_merkmale->hinzufuegen();
        const int zeile = m_merkmale->aktuelleZeile();
        if (zeile >= 0) m_merkmale->modell()->setData(m_merkmale->modell()->index(zeile, 4), nr);
    });
    connect(m_merkmale, &TDetailGitter::gespeichert, this, [this] {
        // The cat list colours its cats by their features.
        if (Katzenauswahl* l = rahmen().katzenListe(); l && l->offen()) {
            l->neuLaden();
            l->zeigeKatze(katze());
        }
        emit gespeichert();
    });
    auto* merkmalRahmen = new QGroupBox(QStringLiteral("Merkmale"));
    merkmalRahmen->setObjectName(QStringLiteral("GroupBoxMerkmale"));
    language::setTag(merkmalRahmen, 8964);
    (new QVBoxLayout(merkmalRahmen))->addWidget(m_merkmale);
    raster->addWidget(merkmalRahmen, 0, 1);

    m_eigeneInfo = new TDetailFormular(*this, "EigeneInfo", QStringLiteral("eigeneinfo"),
                                       QStringLiteral("Katze"), QStringLiteral("Katze"));
    m_eigeneInfo->memoZeile(QStringLiteral("Info"), 9365, "Eigene Info");
    auto* infoRahmen = new QGroupBox(QStringLiteral("Eigene Info"));
    infoRahmen->setObjectName(QStringLiteral("GroupBoxEigeneInfo"));
    language::setTag(infoRahmen, 9365);
    (new QVBoxLayout(infoRahmen))->addWidget(m_eigeneInfo);
    raster->addWidget(infoRahmen, 1, 0);

    m_kaufVerkauf = new TDetailFormular(*this, "KaufVerkauf", QStringLiteral("verkauft"),
                                        QStringLiteral("KatzeIdx"), QStringLiteral("Katze"));
    m_kaufVerkauf->datumsZeile(QStringLiteral("Gekauftam"), 9366, "&gekauft am");
    m_kaufVerkauf->textZeile(QStringLiteral("Preisgekauft"), 9367, "&Preis");
    m_kaufVerkauf->datumsZeile(QStringLiteral("Verkauftam"), 9368, "&Verkauft am");
    m_kaufVerkauf->textZeile(QStringLiteral("Preisverkauft"), 9369, "P&reis");
    auto* kaufRahmen = new QGroupBox(QStringLiteral("Kauf / Verkauf"));
    kaufRahmen->setObjectName(QStringLiteral("GroupBoxKaufVerkauf"));
    language::setTag(kaufRahmen, 9370);
    (new QVBoxLayout(kaufRahmen))->addWidget(m_kaufVerkauf);
    raster->addWidget(kaufRahmen, 1, 1);

    m_merkmale->oeffnen();
    for (TDetailFormular* f : {m_eigeneInfo, m_kaufVerkauf})
        connect(f, &TDetailFormular::gespeichert, this, &TKatzenSeite::gespeichert);
    merkmalWahlLaden();
    zugaenglichBenennen();
}

TSeiteZusatzinfo::~TSeiteZusatzinfo() = default;

QVariant TSeiteZusatzinfo::merkmalWert(const QVariant& merkmal, const char* feld) const {
    if (!m_merkmalListe || !merkmal.isValid() || merkmal.isNull()) return {};
    return m_merkmalListe->lookupValue(QStringLiteral("LaufendeNummer"), {merkmal}, QLatin1String(feld));
}

void TSeiteZusatzinfo::merkmalWahlLaden() {
    m_merkmalWahl->clear();
    m_merkmalWahl->addItem(QString());
    if (!m_merkmalListe) return;
    m_merkmalListe->setIndexName(QStringLiteral("Bezeichnung"));
    for (m_merkmalListe->first(); m_merkmalListe->hasRecord() && !m_merkmalListe->eof();
         m_merkmalListe->next())
        m_merkmalWahl->addItem(m_merkmalListe->asString(QStringLiteral("Bezeichnung")),
                               m_merkmalListe->value(QStringLiteral("LaufendeNummer")));
    m_merkmalListe->setIndexName(QString());
}

void TSeiteZusatzinfo::setAlterTod(const QString& alter) {
    m_alterTod->setText(alter);
}

QString TSeiteZusatzinfo::alterTod() const {
    return m_alterTod->text();
}

void TSeiteZusatzinfo::laden() {
    merkmalWahlLaden(); // the feature list may have changed in its editor
    m_merkmale->setSchluessel({katze()});
    m_eigeneInfo->setSchluessel({katze()});
    m_kaufVerkauf->setSchluessel({katze()});
}

bool TSeiteZusatzinfo::verlassen() {
    if (!m_merkmale->speichern()) {
        nachVorn(m_merkmale);
        return false;
    }
    for (TDetailFormular* f : {m_eigeneInfo, m_kaufVerkauf})
        if (!f->speichern()) {
            nachVorn(f);
            return false;
        }
    return true;
}

void TSeiteZusatzinfo::schliessen() {
    m_merkmale->schliessen();
    m_eigeneInfo->schliessen();
    m_kaufVerkauf->schliessen();
    if (m_merkmalListe) m_merkmalListe->close();
}

void TSeiteZusatzinfo::uebersetzt() {
    m_merkmale->uebersetzen();
    m_eigeneInfo->uebersetzen();
    m_kaufVerkauf->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
