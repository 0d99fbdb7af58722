#include "office/ui/statistikdlg.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "office/ui/buchfuehrung.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmora::office {

TStatistikDlg::TStatistikDlg(const Zeitraum& letzter, QWidget* parent) : QDialog(parent), m_zeitraum(letzter) {
    setObjectName(QStringLiteral("StatistikDlg"));
    setWindowTitle(btext(8540, "Statistik "));
    auto* form = new QFormLayout(this);
    auto feld = [&](const char* name, int tag, const char* text, int wert) {
        auto* e = new QLineEdit(QString::number(wert));
        e->setObjectName(QLatin1String(name));
        auto* l = new QLabel(btext(tag, text));
        l->setBuddy(e);
        e->setAccessibleName(l->text().remove(QLatin1Char('&')));
        form->addRow(l, e);
        return e;
    };
    vonMonat = feld("EditVonMonat", 8541, "von Monat", letzter.von.month());
    bisMonat = feld("EditBisMonat", 8542, "bis", letzter.bis.month());
    jahr = feld("EditJahr", 8543, "Jahr", letzter.von.year());
    auto* knoepfe = new QDialogButtonBox;
    QPushButton* ok = knoepfe->addButton(btext(8544, "&OK"), QDialogButtonBox::AcceptRole);
    QPushButton* abbruch = knoepfe->addButton(btext(8545, "&Abbruch"), QDialogButtonBox::RejectRole);
    QPushButton* hilfeKnopf = knoepfe->addButton(btext(8546, "&Hilfe"), QDialogButtonBox::HelpRole);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    abbruch->setObjectName(QStringLiteral("ButtonAbbruch"));
    hilfeKnopf->setObjectName(QStringLiteral("ButtonHilfe"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TStatistikDlg::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(hilfeKnopf, &QPushButton::clicked, this, [this] {
        if (hilfe) hilfe();
    });
    form->addRow(knoepfe);
}

void TStatistikDlg::accept() {
    const auto z = zeitraumAusMonaten(vonMonat->text(), bisMonat->text(), jahr->text());
    if (!z) {
        Meldungsdienst::nachricht(3101, MeldungsArt::Fehler, Knoepfe::Ok,
                                  QStringLiteral("Ungültiger Zeitraum: Monate 1 bis 12, der letzte nicht vor dem ersten, ein Jahr."));
        return;
    }
    m_zeitraum = *z;
    QDialog::accept();
}

std::optional<Zeitraum> zeitraumErfragen(const Zeitraum& letzter, QWidget* parent, const std::function<void()>& hilfe) {
    TStatistikDlg d(letzter, parent);
    d.hilfe = hilfe;
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.zeitraum();
}

} // namespace velmora::office
