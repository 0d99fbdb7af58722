#include "settings/ui/optseitestammdaten.h"

#include "common/ui/rahmen.h"
#include "language/tag.h"
#include "store/table.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

namespace velmora::settings::ui {

namespace {

// A table of the reference lists walked in the order of one of its indexes; a list that cannot be read
// stays empty (the register reports damaged tables).
template <typename Zeile>
void durchlaufen(store::Database& db, const char* tabelle, const char* index, Zeile zeile) {
    try {
        store::Table t(db, QLatin1String(tabelle));
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(QLatin1String(index));
        for (t.first(); !t.eof() && t.hasRecord(); t.next())
            zeile(t);
    } catch (const std::exception&) {
    }
}

QComboBox* liste(const char* name) {
    auto* c = new QComboBox;
    c->setObjectName(QLatin1String(name));
    c->setMinimumWidth(220);
    return c;
}

} // namespace

void rassenFuellen(QComboBox* c, store::Database& db, int sprache) {
    c->clear();
    c->addItem(QString(), 0);
    durchlaufen(db, "rasse", "RasseName", [&](store::Table& t) {
        QString name = t.asString(QStringLiteral("RName"));
        if (sprache == 1 && !t.asString(QStringLiteral("RNameEng")).isEmpty())
            name = t.asString(QStringLiteral("RNameEng"));
        c->addItem(name, t.asInt(QStringLiteral("RCode")));
    });
}

void farbenFuellen(QComboBox* c, store::Database& db) {
    c->clear();
    c->addItem(QString());
    durchlaufen(db, "farbe", "FarbnameIndex", [&](store::Table& t) {
        const QString info = t.asString(QStringLiteral("Rasseinfo"));
        const QString name = t.asString(QStringLiteral("Farbname"));
        c->addItem(info.isEmpty() ? name : QLatin1Char('(') + info + QStringLiteral(") ") + name);
    });
}

void haarartenFuellen(QComboBox* c, store::Database& db) {
    c->clear();
    c->addItem(QString(), 0);
    durchlaufen(db, "fellart", "", [&](store::Table& t) {
        c->addItem(t.asString(QStringLiteral("Bezeichnung")), t.asInt(QStringLiteral("LaufendeNummer")));
    });
}

void nummerZeigen(QComboBox* c, int nummer) {
    int i = c->findData(nummer);
    if (i < 0) {
        // A record that has gone since it was chosen: its number stays until another is chosen.
        c->addItem(QString::number(nummer), nummer);
        i = c->count() - 1;
    }
    c->setCurrentIndex(i);
}

void textZeigen(QComboBox* c, const QString& text) {
    int i = c->findText(text, Qt::MatchExactly);
    if (i < 0) {
        c->addItem(text);
        i = c->count() - 1;
    }
    c->setCurrentIndex(i);
}

TOptSeiteStammdaten::TOptSeiteStammdaten(TRahmen& r)
    : TOptionenSeite(r, "TabSheetStammdaten", {7610, "&Stammdaten"}) {
    auto* l = new QGridLayout(this);
    l->addWidget(auswahl("indexStammdaten", "RadioGroupSortierungStammdaten", {7622, "So&rtierung"},
                         {{7623, "&Name"},
                          {7624, "&Rufname"},
                          {7625, "&Zwinger / Name"},
                          {7626, "R&asse / Name"},
                          {7627, "&Status / Name"}},
                         {QStringLiteral("NameIdx"), QStringLiteral("RufnaIdx"), QStringLiteral("ZwinName"),
                          QStringLiteral("RasseName"), QStringLiteral("StatusName")}),
                 0, 0, 3, 1);
    l->addWidget(jaNein("ZusatzBeiZwinger", "RadioGroupZusatzBeiZwinger", {7628, "Zusatz bei Zwinger"}), 0,
                 1);
    l->addWidget(jaNein("SuchebeiNeuaufnahme", "RadioGroupSuche", {7629, "Suche bei Neuaufnahme"}), 1, 1);
    l->addWidget(jaNein("BildAnpassen", "RadioGroupBildAnpassen", {7630, "Bild anpassen"}), 2, 1);

    auto* grund = new QGroupBox(QStringLiteral("&Grundeinstellungen"), this);
    grund->setObjectName(QStringLiteral("GroupBoxGrundeinstellungen"));
    language::setTag(grund, 7631);
    auto* form = new QFormLayout(grund);
    m_rasse = liste("ComboBoxRasse");
    m_farbe = liste("ComboBoxFarbe");
    m_haarart = liste("ComboBoxHaarart");
    QLabel* lr = beschriftung("LabelRasse", {7632, "Rasse"});
    QLabel* lf = beschriftung("LabelFarbe", {7633, "Farbe"});
    QLabel* lh = beschriftung("LabelHaarart", {7634, "Haarart"});
    lr->setBuddy(m_rasse);
    lf->setBuddy(m_farbe);
    lh->setBuddy(m_haarart);
    form->addRow(lr, m_rasse);
    form->addRow(lf, m_farbe);
    form->addRow(lh, m_haarart);
    l->addWidget(grund, 3, 0, 1, 2);
    l->setRowStretch(4, 1);
    l->setColumnStretch(2, 1);
    // The Delete key empties the colour and the coat type: new cats then get none.
    m_farbe->installEventFilter(this);
    m_haarart->installEventFilter(this);

    binden({QStringLiteral("RasseStandardeinstellung"),
            m_rasse,
            [this](const tsysteminfo& e) { nummerZeigen(m_rasse, e.RasseStandardeinstellung); },
            [this](tsysteminfo& e) { e.RasseStandardeinstellung = m_rasse->currentData().toInt(); },
            {}});
    binden({QStringLiteral("FarbeStandardeinstellung"),
            m_farbe,
            [this](const tsysteminfo& e) { textZeigen(m_farbe, e.FarbeStandardeinstellung); },
            [this](tsysteminfo& e) { e.FarbeStandardeinstellung = m_farbe->currentText(); },
            {}});
    binden({QStringLiteral("HaarartStandardeinstellung"),
            m_haarart,
            [this](const tsysteminfo& e) { nummerZeigen(m_haarart, e.HaarartStandardeinstellung); },
            [this](tsysteminfo& e) { e.HaarartStandardeinstellung = m_haarart->currentData().toInt(); },
            {}});
    listenFuellen();
}

void TOptSeiteStammdaten::listenFuellen() {
    rassenFuellen(m_rasse, rahmen().db(), rahmen().einstellungen().spracheNummer());
    farbenFuellen(m_farbe, rahmen().db());
    haarartenFuellen(m_haarart, rahmen().db());
}

bool TOptSeiteStammdaten::eventFilter(QObject* ziel, QEvent* e) {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete)
        if (auto* c = qobject_cast<QComboBox*>(ziel); c && (c == m_farbe || c == m_haarart)) {
            c->setCurrentIndex(0);
            return true;
        }
    return TOptionenSeite::eventFilter(ziel, e);
}

} // namespace velmora::settings::ui
