#include "settings/ui/reihenfolgeeditor.h"

#include "language/tag.h"
#include "settings/optionen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: feldname 7690-7695

namespace {

QPushButton* knopf(const char* text, int tag, const QString& name) {
    auto* b = new QPushButton(QString::fromUtf8(text));
    b->setObjectName(name);
    language::setTag(b, tag);
    return b;
}

QLabel* beschriftung(const char* text, int tag, const QString& name, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setObjectName(name);
    language::setTag(l, tag);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TReihenfolgeEditor::TReihenfolgeEditor(bool verpaarung, const char* objektName, int reiterTag,
                                       const QStringList& reiterTitel, QWidget* parent)
    : QWidget(parent), m_verpaarung(verpaarung), m_staende(1) {
    const QString n = QLatin1String(objektName);
    setObjectName(n);
    auto* l = new QVBoxLayout(this);
    if (reiterTag) {
        m_reiter = new QTabBar(this);
        m_reiter->setObjectName(n + QStringLiteral("Reiter"));
        language::setTag(m_reiter, reiterTag);
        for (const QString& t : reiterTitel)
            m_reiter->addTab(t);
        m_staende = QList<Stand>(reiterTitel.size());
        l->addWidget(m_reiter);
        // The order of the tab that is left is kept; the other one is shown.
        connect(m_reiter, &QTabBar::currentChanged, this, [this](int i) {
            if (i < 0 || i == m_aktiv) return;
            m_staende[m_aktiv] = aktuellerStand();
            m_aktiv = i;
            zeigen(m_staende[i]);
        });
    }
    auto* raster = new QGridLayout;
    l->addLayout(raster, 1);
    m_gewaehlt = new QListWidget(this);
    m_gewaehlt->setObjectName(n + QStringLiteral("Gewaehlt"));
    m_gewaehlt->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_gewaehlt->setDragDropMode(QAbstractItemView::InternalMove);
    m_gewaehlt->setDefaultDropAction(Qt::MoveAction);
    raster->addWidget(beschriftung("Reihenfolge", 7690, n + QStringLiteral("LabelGewaehlt"), m_gewaehlt), 0,
                      0);
    raster->addWidget(m_gewaehlt, 1, 0);

    auto* knoepfe = new QVBoxLayout;
    m_hinzufuegen = knopf("H&inzufügen", 7691, n + QStringLiteral("Hinzufuegen"));
    m_entfernen = knopf("&Entfernen", 7692, n + QStringLiteral("Entfernen"));
    knoepfe->addWidget(m_hinzufuegen);
    knoepfe->addWidget(m_entfernen);
    knoepfe->addStretch(1);
    raster->addLayout(knoepfe, 1, 1);

    m_auswahl = new QGroupBox(QStringLiteral("Auswahl"), this);
    m_auswahl->setObjectName(n + QStringLiteral("Auswahl"));
    language::setTag(m_auswahl, 7693);
    auto* al = new QVBoxLayout(m_auswahl);
    m_verfuegbar = new QListWidget(m_auswahl);
    m_verfuegbar->setObjectName(n + QStringLiteral("Verfuegbar"));
    m_verfuegbar->setSelectionMode(QAbstractItemView::ExtendedSelection);
    al->addWidget(beschriftung("Verfügbar", 7694, n + QStringLiteral("LabelVerfuegbar"), m_verfuegbar));
    al->addWidget(m_verfuegbar, 1);
    m_ok = knopf("O&K", 7695, n + QStringLiteral("Ok"));
    al->addWidget(m_ok);
    raster->addWidget(m_auswahl, 0, 2, 2, 1);
    m_auswahl->hide();

    connect(m_hinzufuegen, &QPushButton::clicked, this, &TReihenfolgeEditor::hinzufuegen);
    connect(m_ok, &QPushButton::clicked, this, &TReihenfolgeEditor::uebernehmen);
    connect(m_entfernen, &QPushButton::clicked, this, &TReihenfolgeEditor::entfernen);
    // A double click takes one item over, as selecting it and "OK" would.
    connect(m_verfuegbar, &QListWidget::itemDoubleClicked, this, [this] { uebernehmen(); });
}

void TReihenfolgeEditor::setTexte(const QStringList& texte) {
    for (int i = 0; i < m_staende.size(); ++i)
        m_staende[i] = {gewaehlteEintraege(texte.value(i), m_verpaarung),
                        verfuegbareEintraege(texte.value(i), m_verpaarung)};
    zeigen(m_staende[m_aktiv]);
}

QStringList TReihenfolgeEditor::texte() const {
    QStringList t;
    for (int i = 0; i < m_staende.size(); ++i)
        t << reihenfolgeText(i == m_aktiv ? eintraege(m_gewaehlt) : m_staende[i].gewaehlt, m_verpaarung);
    return t;
}

void TReihenfolgeEditor::setSprache(int sprache) {
    m_sprache = sprache;
    const QStringList namen = reihenfolgeBeschriftungen(m_verpaarung, sprache);
    for (QListWidget* l : {m_gewaehlt, m_verfuegbar})
        for (int i = 0; i < l->count(); ++i)
            l->item(i)->setText(namen.value(l->item(i)->data(Qt::UserRole).toInt() - 1));
}

void TReihenfolgeEditor::hinzufuegen() {
    m_auswahl->show();
    m_verfuegbar->setFocus();
}

void TReihenfolgeEditor::uebernehmen() {
    // In the list's order, whatever order the user selected them in.
    for (int i = 0; i < m_verfuegbar->count();) {
        if (m_verfuegbar->item(i)->isSelected())
            m_gewaehlt->addItem(m_verfuegbar->takeItem(i));
        else
            ++i;
    }
    m_gewaehlt->clearSelection();
    m_auswahl->hide();
}

void TReihenfolgeEditor::entfernen() {
    for (int i = 0; i < m_gewaehlt->count();) {
        if (m_gewaehlt->item(i)->isSelected())
            m_verfuegbar->addItem(m_gewaehlt->takeItem(i));
        else
            ++i;
    }
    m_verfuegbar->clearSelection();
}

void TReihenfolgeEditor::zeigen(const Stand& s) {
    fuellen(m_gewaehlt, s.gewaehlt);
    fuellen(m_verfuegbar, s.verfuegbar);
}

TReihenfolgeEditor::Stand TReihenfolgeEditor::aktuellerStand() const {
    return {eintraege(m_gewaehlt), eintraege(m_verfuegbar)};
}

QList<int> TReihenfolgeEditor::eintraege(const QListWidget* l) const {
    QList<int> e;
    for (int i = 0; i < l->count(); ++i)
        e << l->item(i)->data(Qt::UserRole).toInt();
    return e;
}

void TReihenfolgeEditor::fuellen(QListWidget* l, const QList<int>& eintraege) {
    const QStringList namen = reihenfolgeBeschriftungen(m_verpaarung, m_sprache);
    l->clear();
    for (const int n : eintraege) {
        auto* item = new QListWidgetItem(namen.value(n - 1));
        item->setData(Qt::UserRole, n);
        // Dropped onto another item, an item must not swallow it.
        item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
        l->addItem(item);
    }
}

} // namespace velmora::settings::ui
