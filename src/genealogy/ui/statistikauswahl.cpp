#include "genealogy/ui/statistikauswahl.h"

#include "genealogy/registerabbild.h"
#include "printing/ui/farbe.h"
#include "store/database.h"
#include "store/table.h"

#include <QComboBox>
#include <QListWidget>
#include <algorithm>

namespace velmora::genealogy {

void merkmaleFuellen(QListWidget& liste, Registerabbild& abbild) {
    QList<AbbildMerkmal> merkmale = abbild.merkmalListe().values();
    std::sort(merkmale.begin(), merkmale.end(), [](const AbbildMerkmal& a, const AbbildMerkmal& b) {
        return store::compareNoCase(a.bezeichnung, b.bezeichnung) < 0;
    });
    for (const AbbildMerkmal& m : merkmale) {
        auto* item = new QListWidgetItem(m.bezeichnung, &liste);
        const QColor c = printing::farbeAusWert(m.farbe);
        item->setBackground(c);
        item->setForeground(printing::schriftFarbeAuf(c));
    }
}

void farbenFuellen(QComboBox& auswahl, store::Database& db) {
    if (!db.tableExists(QStringLiteral("farbe"))) return;
    store::Table t(db, QStringLiteral("farbe"));
    t.open(store::Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("FarbnameIndex"));
    for (t.first(); t.hasRecord() && !t.eof(); t.next()) {
        const QString info = t.asString(QStringLiteral("Rasseinfo"));
        const QString name = t.asString(QStringLiteral("Farbname"));
        auswahl.addItem(info.isEmpty() ? name : QStringLiteral("(") + info + QStringLiteral(") ") + name);
    }
}

} // namespace velmora::genealogy
