#include "common/ui/meldungsbox.h"

#include "common/meldungsdienst.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace velmora {

void meldungsboxInstallieren() {
    Meldungsdienst::setAnzeige([](const Meldung& m) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(m.titel.isEmpty() ? QStringLiteral("Velmora") : m.titel);
        QString text = m.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        box.setText(text);
        box.setIcon(m.art == MeldungsArt::Fehler    ? QMessageBox::Critical
                    : m.art == MeldungsArt::Warnung ? QMessageBox::Warning
                                                    : QMessageBox::Information);
        if (m.knoepfe == Knoepfe::JaNein && m.knopfTexte.size() == 2) {
            QPushButton* erster = box.addButton(m.knopfTexte[0], QMessageBox::AcceptRole);
            box.addButton(m.knopfTexte[1], QMessageBox::RejectRole);
            box.setDefaultButton(erster);
            box.exec();
            return box.clickedButton() == erster ? Antwort::Ja : Antwort::Nein;
        }
        if (m.knoepfe == Knoepfe::JaNein) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes ? Antwort::Ja : Antwort::Nein;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Antwort::Ok;
    });
}

} // namespace velmora
