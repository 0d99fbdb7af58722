#pragma once
// The settings fields as the settings tests expect them, written down independently of the program's
// own field table: name in declaration order, section and key in the file, what an empty file gives,
// and a value other than the default with how the tool shows it.

#include <QString>
#include <vector>

namespace velmora::test {

struct FeldErwartung {
    const char* name;
    const char* sektion; // nullptr: not stored
    const char* schluessel;
    const char* vorgabe;   // shown for an empty file (work area 1280x1024, C locale)
    const char* dateiwert; // a value written into the file (German locale, cp1252 text given as UTF-8)
    const char* gelesen;   // shown after reading dateiwert
};

inline const std::vector<FeldErwartung>& feldErwartungen() {
    static const std::vector<FeldErwartung> t = {
        {"Status", "Auswahlfenster", "Status", "alle", "13", "13"},
        {"Anzeigen", "Auswahlfenster", "Anzeigen", "1", "0", "0"},
        {"index", "Auswahlfenster", "Sortierung", "Nameidx", "RufnaIdx", "RufnaIdx"},
        {"indexStammdaten", "Stammdaten", "Sortierung", "Nameidx", "RasseName", "RasseName"},
        {"RasseStandardeinstellung", "Stammdaten", "Rasse", "0", "4", "4"},
        {"FarbeStandardeinstellung", "Stammdaten", "Farbe", "", "(BRI) blau", "(BRI) blau"},
        {"HaarartStandardeinstellung", "Stammdaten", "Haarart", "0", "2", "2"},
        {"ZusatzBeiZwinger", "Stammdaten", "ZusatzBeiZwinger", "0", "1", "1"},
        {"SuchebeiNeuaufnahme", "Stammdaten", "SuchebeiNeuaufnahme", "1", "0", "0"},
        {"SuchebeiNeuaufnahmeAdresse", "Adressen", "SuchebeiNeuaufnahme", "1", "0", "0"},
        {"BildAnpassen", "Stammdaten", "BildAnpassen", "1", "0", "0"},
        {"alleTitel", "Stammdaten", "Titel", "1", "0", "0"},
        {"stammbaumAnzeige", "Stammbaum", "Anzeige", "Titel,Farbe", "FarbeTitel", "FarbeTitel"},
        {"stammbaumAnzeigeArray", nullptr, nullptr, "1,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", nullptr,
         "2,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        {"stammbaumDrucken", "Stammbaum", "Druck", "Titel,Farbe", "Rassecode", "Rassecode"},
        {"StammbaumDruckenArray", nullptr, nullptr, "1,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", nullptr,
         "11,12,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        {"stammbaumBesitzer", "Stammbaum", "Besitzer", "1", "0", "0"},
        {"TageNaechsteRolligkeit", "Wurfbuch", "BerechnungRolligkeit", "165", "170", "170"},
        {"TageNRplusMinus", "Wurfbuch", "BerechnungPlusMinus", "14", "300", "44"},
        {"TageTraechtigkeit", "Stammdaten", "BerechnungGebtermin", "65", "63", "63"},
        {"TagebisAbgabetermin", "Wurfbuch", "BerechnungAbgabetermin", "60", "84", "84"},
        {"verpaarungAnzeige", "Verpaarung", "Anzeige", "Titel,Farbe", "Fellart Gekauft", "Fellart Gekauft"},
        {"verpaarungAnzeigeArray", nullptr, nullptr, "1,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", nullptr,
         "23,19,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        {"Inzuchtgenerationen", "Inzucht", "Generationen", "5", "8", "8"},
        {"InzuchtStdgenerationen", "Inzucht", "StbGenerationen", "5", "2", "2"},
        {"InzuchtBerechnungAuto", "Inzucht", "BerechnungAuto", "1", "0", "0"},
        {"InzuchtFenster", "Inzucht", "Fenster", "0", "5", "5"},
        {"InzuchtmitVorfahren", "Inzucht", "mitVorfahren", "1", "0", "0"},
        {"StammbaumGeneration", "Stammbaum", "Generation", "4", "6", "6"},
        {"StammbaumlangBild", "Stammbaum", "LangBild", "1", "0", "0"},
        {"StammbaumBild", "Stammbaum", "Bild", "1", "0", "0"},
        {"StammbaumGenBild", "Stammbaum", "GenBild", "1", "0", "0"},
        {"Stammbaumlogo", "Stammbaum", "Logo", "", "/home/z/logo.png", "/home/z/logo.png"},
        {"StammbaumLogoBildhorizontal", "Stammbaum", "LogoBildHorizontal", "250", "251", "251"},
        {"StammbaumLogoBildvertikal", "Stammbaum", "LogoBildVertikal", "250", "252", "252"},
        {"StammbaumHintergrundbild", "Stammbaum", "Hintergrundbild", "", "papier.jpg", "papier.jpg"},
        {"StammbaumLinkerRand", "Stammbaum", "linkerRand", "10", "11", "11"},
        {"StammbaumRechterRand", "Stammbaum", "rechterRand", "125", "126", "126"},
        {"StammbaumObererRand", "Stammbaum", "obererRand", "0", "1", "1"},
        {"StammbaumUntererRand", "Stammbaum", "untererRand", "40", "41", "41"},
        {"StammbaumBildhorizontal", "Stammbaum", "BildHorizontal", "250", "253", "253"},
        {"StammbaumBildvertikal", "Stammbaum", "BildVertikal", "250", "254", "254"},
        {"StammbaumGenBildhorizontal", "Stammbaum", "GenBildHorizontal", "200", "201", "201"},
        {"StammbaumGenBildvertikal", "Stammbaum", "GenBildVertikal", "200", "202", "202"},
        {"TitelRot", "Drucken", "TitelRot", "1", "0", "0"},
        {"StbDoppelteFarbig", "Drucken", "StbDoppelteFarbig", "1", "0", "0"},
        {"Schriftart", "Drucken", "Schriftart", "Arial", "Times New Roman", "Times New Roman"},
        {"Schriftgroesse", "Drucken", "Schriftgroese", "18", "12", "12"},
        {"BildAufloesung", "Drucken", "Bildauflösung", "18", "20", "20"},
        {"Druckoben", "Druck", "ObereRand", "7", "7,5", "7.5"},
        {"Drucklinks", "Druck", "LinkerRand", "10", "12,25", "12.25"},
        {"speichern", "System", "Speichern", "1", "0", "0"},
        {"hilfe", "System", "Hilfe", "1", "0", "0"},
        {"Fenstergroesse", "System", "Fenster", "1", "0", "0"},
        {"Aufloesung", "System", "Aufloesung", "1152x864", "Angepasst 1000x700", "Angepasst 1000x700"},
        {"Sprache", "System", "Sprache", "0", "Holländisch", "2"},
        {"faktoram", "System", "WaehrungsumrechnungFaktor", "0", "1,95583", "1.95583"},
        {"Umrechnungam", "System", "WaehrungsumrechnungAm", "", "31.12.2001", "2001-12-31"},
        {"Textverarbeitung", "System", "Textverarbeitung", "", "libreoffice --writer",
         "libreoffice --writer"},
        {"WarnungVerfallsdatum", "Warnung", "Verfallsdatum", "1", "0", "0"},
        {"WarnungTermine", "Warnung", "Termine", "1", "0", "0"},
        {"WarnungImpfung", "Warnung", "Impfung", "1", "0", "0"},
        {"WarnungWurmkur", "Warnung", "Wurmkur", "1", "0", "0"},
        // Not stored; the non-German language in this table sets it.
        {"SpracheGeaendert", nullptr, nullptr, "0", nullptr, "1"},
        // Five keys Cat1 to Cat5, shown joined; the file value is given for Cat2 only.
        {"LastCats", "LASTCATS", "Cat2", "{},{},{},{},{}", "Bärbel {12}", "{},Bärbel {12},{},{},{}"},
        {"MerkmalvorTop", "System", "MerkmalVorTop", "1", "0", "0"},
        {"StatistikGenerationen", "Statistiken", "MaxAnzGenerationen", "100", "30", "30"},
    };
    return t;
}

} // namespace velmora::test

#include <QByteArray>
#include <QMap>
#include <QStringList>

namespace velmora::test {

// A settings file holding every stored key of the table with its file value, one section each, CRLF.
// The texts used need nothing beyond Latin-1, which cp1252 agrees with.
inline QByteArray dateiMitAllenWerten() {
    QMap<QString, QStringList> sektionen;
    for (const FeldErwartung& e : feldErwartungen())
        if (e.sektion && e.dateiwert)
            sektionen[QString::fromUtf8(e.sektion)]
                << QString::fromUtf8(e.schluessel) + QLatin1Char('=') + QString::fromUtf8(e.dateiwert);
    QString text;
    for (auto it = sektionen.cbegin(); it != sektionen.cend(); ++it)
        text += QLatin1Char('[') + it.key() + QLatin1String("]\r\n") +
                it.value().join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    return text.toLatin1();
}

} // namespace velmora::test
