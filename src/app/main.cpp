// velmora [--daten DIR] [--einstellungen DIR] [Dateneingabe] [--bild FENSTER DATEI [--katze N] [--sprache S] [--seite K]]

#include "app/ui/start.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    return velmora::app::velmoraAusfuehren(velmora::app::argumenteLesen(args, QCoreApplication::applicationDirPath()));
}
