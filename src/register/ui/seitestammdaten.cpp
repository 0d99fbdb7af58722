#include "register/ui/seitestammdaten.h"

#include "common/ui/feldeditoren.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/elternpanel.h"
#include "register/ui/tcatstamm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::reg {

TSeiteStammdaten::TSeiteStammdaten(TCatStamm& r, QWidget* parent) : QScrollArea(parent) {
    // The page scrolls, so the register fits a main window on a low screen.
    setObjectName(QStringLiteral("TabSheetStammdaten"));
    language::setTag(this, 8941);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* stamm = new QWidget;
    stamm->setObjectName(QStringLiteral("PanelStammdaten"));
    auto* raster = new QGridLayout(stamm);
    auto* links = new QFormLayout;
    auto* rechts = new QFormLayout;
    raster->addLayout(links, 0, 0);
    raster->addLayout(rechts, 0, 1);
    auto label = [](const QString& text, int tag, const char* name) {
        auto* l = new QLabel(text);
        l->setObjectName(QLatin1String(name));
        language::setTag(l, tag);
        return l;
    };
    FeldBindung& b = *r.m_bindung;
    r.m_name = new DbEdit(b, QStringLiteral("Name"));
    r.m_name->setObjectName(QStringLiteral("DBName"));
    links->addRow(label(QStringLiteral("Name"), 8942, "LabelName"), r.m_name);
    connect(r.m_name, &QLineEdit::editingFinished, &r, [&r] { r.DBNameNeu(); });
    connect(r.m_name, &QLineEdit::textEdited, &r, [&r] { r.nameGeaendert = true; });
    r.m_zwinger = new DbEdit(b, QStringLiteral("Zwinger"));
    r.m_zwinger->setObjectName(QStringLiteral("DBzwinger"));
    links->addRow(label(QStringLiteral("Zwinger"), 8943, "LabelZwinger"), r.m_zwinger);
    connect(r.m_zwinger, &QLineEdit::editingFinished, &r, [&r] { r.DBzwingerExit(); });
    auto* ruf = new DbEdit(b, QStringLiteral("Rufname"));
    links->addRow(label(QStringLiteral("Rufname"), 8944, "LabelRufname"), ruf);
    auto* geb = r.datumsFeld(QStringLiteral("GebDatum"));
    auto* gebZeile = new QHBoxLayout;
    gebZeile->addWidget(geb);
    r.m_alter = new QLabel;
    r.m_alter->setObjectName(QStringLiteral("LabelAlter"));
    r.m_kreuz = new QLabel(QStringLiteral("\u271D"));
    r.m_kreuz->setObjectName(QStringLiteral("LabelKreuz"));
    gebZeile->addWidget(r.m_alter);
    gebZeile->addWidget(r.m_kreuz);
    links->addRow(label(QStringLiteral("geb."), 8945, "LabelGebDatum"), gebZeile);
    if (r.m_rasse) {
        auto* rasse = new DbNachschlag(b, QStringLiteral("Rasse"), *r.m_rasse, QStringLiteral("RName"),
                                       QStringLiteral("RCode"));
        rasse->setObjectName(QStringLiteral("DBRasse"));
        rasse->setLeerErlaubt(true);
        links->addRow(label(QStringLiteral("Rasse"), 8946, "LabelRasse"), rasse);
    }
    r.m_farbe = new DbEdit(b, QStringLiteral("FellFarbe"));
    r.m_farbe->setObjectName(QStringLiteral("DBFellFarbe"));
    links->addRow(label(QStringLiteral("Farbe"), 8947, "LabelFarbe"), r.m_farbe);
    r.m_augenfarbe = new DbEdit(b, QStringLiteral("Augenfarbe"));
    r.m_augenfarbe->setObjectName(QStringLiteral("DBAugenfarbe"));
    links->addRow(label(QStringLiteral("Augenfarbe"), 8948, "LabelAugen"), r.m_augenfarbe);
    r.auswahllisteLaden(QStringLiteral("farbe"));
    r.auswahllisteLaden(QStringLiteral("augen"));
    auto* zb = new DbEdit(b, QStringLiteral("Zuchtbuchnummer1"));
    zb->setObjectName(QStringLiteral("DBZuchtbuchnummer1"));
    connect(zb, &QLineEdit::editingFinished, &r, [&r] { r.zuchtbuchnummerGeaendert(); });
    auto* zbZeile = new QHBoxLayout;
    zbZeile->addWidget(zb);
    auto* andere = new DbCheckBox(b, QStringLiteral("AndereRegistrierung"), QStringLiteral("And.Reg."));
    language::setTag(andere, 8949);
    zbZeile->addWidget(andere);
    links->addRow(label(QStringLiteral("Reg.-Nr."), 8950, "LabelZuchtbuch"), zbZeile);
    auto* sex = new DbAuswahl(b, QStringLiteral("Geschlecht"),
                              {{QString(), QString()},
                               {QStringLiteral("m"), QStringLiteral("1")},
                               {QStringLiteral("w"), QStringLiteral("2")},
                               {QStringLiteral("m/k"), QStringLiteral("3")},
                               {QStringLiteral("w/k"), QStringLiteral("4")}});
    sex->setObjectName(QStringLiteral("DBGeschlecht"));
    links->addRow(label(QStringLiteral("Geschlecht"), 8951, "LabelGeschlecht"), sex);

    rechts->addRow(label(QStringLiteral("Chip-Nr."), 8952, "LabelChip"),
                   new DbEdit(b, QStringLiteral("ChipNr")));
    rechts->addRow(label(QStringLiteral("Blutgruppe"), 8953, "LabelBlut"),
                   new DbEdit(b, QStringLiteral("Blutgruppe")));
    rechts->addRow(label(QStringLiteral("Tests"), 8954, "LabelTests"),
                   new DbEdit(b, QStringLiteral("Tests")));
    if (r.m_fellart) {
        auto* fell = new DbNachschlag(b, QStringLiteral("Fellart"), *r.m_fellart,
                                      QStringLiteral("Bezeichnung"), QStringLiteral("LaufendeNummer"));
        fell->setLeerErlaubt(true);
        rechts->addRow(label(QStringLiteral("Fellart"), 8955, "LabelFellart"), fell);
    }
    rechts->addRow(label(QStringLiteral("Täto-Nr."), 8956, "LabelTaeto"),
                   new DbEdit(b, QStringLiteral("TaetoNr")));
    rechts->addRow(label(QStringLiteral("Zuchtsperre"), 8957, "LabelZuchtsperre"),
                   r.datumsFeld(QStringLiteral("zzlDatum")));
    rechts->addRow(label(QStringLiteral("Gewicht"), 8958, "LabelGewicht"),
                   new DbEdit(b, QStringLiteral("Gewicht")));
    rechts->addRow(label(QStringLiteral("Größe"), 8959, "LabelGroesse"),
                   new DbEdit(b, QStringLiteral("Groesse")));
    if (r.m_status) {
        r.m_status->setIndexName(QString());
        auto* st = new DbNachschlag(b, QStringLiteral("Status"), *r.m_status, QStringLiteral("Status"),
                                    QStringLiteral("Nummer"));
        st->setObjectName(QStringLiteral("DBStatus"));
        // Entering the status shows the owner box as it stands; a changed status shows the owner it means.
        st->installEventFilter(&r);
        connect(st, &QComboBox::activated, &r, [&r] { r.besitzerZeigen(); });
        rechts->addRow(label(QStringLiteral("Status"), 8960, "LabelStatus"), st);
    }

    auto* titel = new QGroupBox(QStringLiteral("Titel"), stamm);
    titel->setObjectName(QStringLiteral("GroupBoxTitel"));
    language::setTag(titel, 8961);
    r.m_titelRaster = new QGridLayout(titel);
    raster->addWidget(titel, 1, 0, 1, 2);

    auto* info = new QHBoxLayout;
    info->addWidget(label(QStringLiteral("IK"), 8962, "LabelIK"));
    r.m_ik = new QLabel;
    r.m_ik->setObjectName(QStringLiteral("LabelIKWert"));
    info->addWidget(r.m_ik);
    info->addWidget(label(QStringLiteral("AVK"), 8963, "LabelAVK"));
    r.m_avk = new QLabel;
    r.m_avk->setObjectName(QStringLiteral("LabelAVKWert"));
    info->addWidget(r.m_avk);
    info->addWidget(label(QStringLiteral("Merkmale"), 8964, "LabelMerkmale"));
    r.m_merkmaleText = new QLabel;
    r.m_merkmaleText->setObjectName(QStringLiteral("LabelMerkmaleWert"));
    info->addWidget(r.m_merkmaleText, 1);
    raster->addLayout(info, 2, 0, 1, 2);
    r.m_bild = new QLabel;
    r.m_bild->setObjectName(QStringLiteral("ImageKatze"));
    r.m_bild->setFixedSize(160, 120);
    r.m_bild->setAlignment(Qt::AlignCenter);
    info->addWidget(r.m_bild);
    r.m_bemerkung = new QLabel;
    r.m_bemerkung->setObjectName(QStringLiteral("LabelBemerkung"));
    r.m_bemerkung->setWordWrap(true);
    r.m_bemerkung->setCursor(Qt::PointingHandCursor);
    r.m_bemerkung->installEventFilter(&r);
    raster->addWidget(r.m_bemerkung, 3, 0, 1, 2);
    // The whole remark for editing, over the base data page; it closes when the mouse leaves it.
    r.m_bemerkungVoll = new QFrame(stamm);
    r.m_bemerkungVoll->setObjectName(QStringLiteral("PanelBemerkung"));
    r.m_bemerkungVoll->setFrameShape(QFrame::Box);
    r.m_bemerkungVoll->setLineWidth(2);
    r.m_bemerkungVoll->setAutoFillBackground(true);
    auto* vollLayout = new QVBoxLayout(r.m_bemerkungVoll);
    vollLayout->setContentsMargins(6, 6, 6, 6);
    r.m_bemerkungMemo = new DbMemo(b, QStringLiteral("Bemerkung"));
    r.m_bemerkungMemo->setObjectName(QStringLiteral("DBBemerkungVoll"));
    vollLayout->addWidget(r.m_bemerkungMemo);
    r.m_bemerkungVoll->installEventFilter(&r);
    r.m_bemerkungVoll->hide();

    auto* eltern = new QGridLayout;
    auto elternZeile = [&](int zeile, bool vater) {
        eltern->addWidget(label(vater ? QStringLiteral("Vater") : QStringLiteral("Mutter"),
                                vater ? 8965 : 8966, vater ? "LabelVater" : "LabelMutter"),
                          zeile, 0);
        auto* anzeige = new QLabel;
        anzeige->setObjectName(vater ? QStringLiteral("DBVater") : QStringLiteral("DBMutter"));
        anzeige->setAutoFillBackground(true);
        eltern->addWidget(anzeige, zeile, 1);
        auto* suche = new QPushButton(QStringLiteral("..."));
        suche->setObjectName(vater ? QStringLiteral("BitBtnVaterSuche")
                                   : QStringLiteral("BitBtnMutterSuche"));
        connect(suche, &QPushButton::clicked, &r, [&r, vater] { r.elternWaehlen(vater); });
        eltern->addWidget(suche, zeile, 2);
        (vater ? r.m_vater : r.m_mutter) = anzeige;
    };
    elternZeile(0, true);
    elternZeile(1, false);
    // A click on a parent shows its details in a panel over the page.
    r.m_elternPanel = new TElternPanel(r, stamm);
    for (QLabel* l : {r.m_vater, r.m_mutter}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(&r);
    }
    r.m_zuechter = new QLabel;
    r.m_zuechter->setObjectName(QStringLiteral("MemoZuechter"));
    r.m_besitzer = new QLabel;
    r.m_besitzer->setObjectName(QStringLiteral("MemoBesitzer"));
    eltern->addWidget(label(QStringLiteral("Züchter"), 8967, "LabelZuechter"), 0, 3);
    eltern->addWidget(r.m_zuechter, 0, 4);
    eltern->addWidget(label(QStringLiteral("Besitzer"), 8968, "LabelBesitzer"), 1, 3);
    eltern->addWidget(r.m_besitzer, 1, 4);
    // Beside each box: the address search and the address book ("Adressen").
    for (int zeile = 0; zeile < 2; ++zeile) {
        const bool zuechter = zeile == 0;
        auto* suche = new QPushButton(QStringLiteral("..."));
        suche->setObjectName(zuechter ? QStringLiteral("BitBtnZuechterSuche")
                                      : QStringLiteral("BitBtnBesitzerSuche"));
        const QString name = zuechter ? language::feldName(9152) : language::feldName(9153);
        suche->setAccessibleName(
            name.isEmpty() ? (zuechter ? QStringLiteral("Züchter suchen") : QStringLiteral("Besitzer suchen"))
                           : name);
        connect(suche, &QPushButton::clicked, &r, [&r, zuechter] { r.AdrSucheClick(zuechter); });
        eltern->addWidget(suche, zeile, 5);
        auto* buch = new QPushButton(QStringLiteral("Adressen"));
        buch->setObjectName(zuechter ? QStringLiteral("BitBtnZuechterAdressen")
                                     : QStringLiteral("BitBtnBesitzerAdressen"));
        language::setTag(buch, zuechter ? 9150 : 9151);
        connect(buch, &QPushButton::clicked, &r, [&r, zuechter] { r.AdrNeuClick(zuechter); });
        eltern->addWidget(buch, zeile, 6);
    }
    raster->addLayout(eltern, 4, 0, 1, 2);
    setWidget(stamm);
}

} // namespace velmora::reg
