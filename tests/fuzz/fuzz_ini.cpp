// The settings reader on any bytes: every section and key it finds is read back in every encoding the
// settings use, and a written value comes back as written.

#include "settings/inidatei.h"

#include <QLocale>

using velmora::settings::IniDatei;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniDatei ini;
    ini.setzeDaten(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QLocale de(QLocale::German);
    const QByteArray text = ini.inhalt();
    for (const QString& zeile : QString::fromUtf8(text).split(QLatin1Char('\n')).mid(0, 64)) {
        const int gleich = zeile.indexOf(QLatin1Char('='));
        const QString schluessel = gleich > 0 ? zeile.left(gleich) : zeile;
        ini.leseText(QStringLiteral("System"), schluessel);
        ini.leseZahl(QStringLiteral("System"), schluessel, 7);
        ini.leseBool(QStringLiteral("System"), schluessel, true);
        ini.leseReal(QStringLiteral("System"), schluessel, 1.5, de);
        ini.leseDatum(QStringLiteral("System"), schluessel, de);
    }
    ini.setzeWert(QStringLiteral("Fuzz"), QStringLiteral("Wert"), QStringLiteral("ä=1"));
    if (ini.leseText(QStringLiteral("Fuzz"), QStringLiteral("Wert")) != QStringLiteral("ä=1"))
        __builtin_trap();
    return 0;
}
