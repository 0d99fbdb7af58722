#include "register/ui/seitezusatzinfo.h"

#include "common/ui/feldeditoren.h"
#include "language/tag.h"
#include "register/ui/tcatstamm.h"

#include <QFormLayout>
#include <QLabel>

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
    auto* z = new QFormLayout(this);
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
}

void TSeiteZusatzinfo::setAlterTod(const QString& alter) {
    m_alterTod->setText(alter);
}

QString TSeiteZusatzinfo::alterTod() const {
    return m_alterTod->text();
}

} // namespace velmora::reg
