#include "language/qtuebersetzung.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace velmora::language {

QStringList qtUebersetzungsOrte() {
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool qtUebersetzungLaden(int sprache) {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    // One translator for the run, owned by the application; a new language replaces its contents.
    static QPointer<QTranslator> uebersetzer;
    if (uebersetzer) {
        QCoreApplication::removeTranslator(uebersetzer);
        delete uebersetzer;
    }
    uebersetzer = new QTranslator(app);
    const QString datei = QStringLiteral("qtbase_") + (sprache == 1   ? QStringLiteral("en")
                                                       : sprache == 2 ? QStringLiteral("nl")
                                                                      : QStringLiteral("de"));
    for (const QString& ort : qtUebersetzungsOrte())
        if (uebersetzer->load(datei, ort)) return QCoreApplication::installTranslator(uebersetzer);
    return false;
}

} // namespace velmora::language
