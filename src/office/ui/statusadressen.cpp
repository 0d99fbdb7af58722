#include "office/ui/statusadressen.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "office/ui/zugaenglich.h"

#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora::office {

TFormStatusAdressen::TFormStatusAdressen(TRahmen& h)
    : TListenFenster(h, QStringLiteral("FormStatusAdressen"), 9230, QStringLiteral("statusadressen"),
                     QString()) {
    setWindowTitle(QStringLiteral("Status Adressen"));
}

bool TFormStatusAdressen::oeffnen() {
    if (!TListenFenster::oeffnen()) return false;
    disconnect(hinzufuegenKnopf(), &QPushButton::clicked, this, nullptr);
    connect(hinzufuegenKnopf(), &QPushButton::clicked, this, &TFormStatusAdressen::statusHinzufuegen);
    if (auto* hilfe = findChild<QPushButton*>(QStringLiteral("BitBtnHilfe"))) {
        disconnect(hilfe, &QPushButton::clicked, this, nullptr);
        connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(131); });
    }
    gitter()->setAccessibleName(windowTitle());
    zugaenglichBenennen(this);
    return true;
}

void TFormStatusAdressen::statusHinzufuegen() {
    int anzahl = 0;
    try {
        anzahl = tabelle().recordCount() + (tabelle().state() == store::Table::State::Insert ? 1 : 0);
    } catch (const std::exception&) {
    }
    if (anzahl > 9) {
        Meldungsdienst::nachricht(134, MeldungsArt::Information);
        return;
    }
    hinzufuegen();
}

QList<TabellenModell::Spalte> TFormStatusAdressen::spalten() {
    const QString t = language::feldName(9231);
    return {{QStringLiteral("Status"), t.isEmpty() ? QStringLiteral("Status") : t}};
}

void TFormStatusAdressen::aufbauen(QVBoxLayout* inhalt) {
    inhalt->addWidget(gitter());
}

} // namespace velmora::office
