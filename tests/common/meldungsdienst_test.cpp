// The automation mode of the message service: the log line format and the scripted answers.

#include "common/meldungsdienst.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;

namespace {
struct Automatik {
    test::TempDir dir;
    QString log = dir.file(QStringLiteral("log.txt"));
    explicit Automatik(const QByteArray& antworten) {
        qputenv("VELMORA_MELDUNGEN", log.toUtf8());
        qputenv("VELMORA_ANTWORTEN", antworten);
        Meldungsdienst::neuLaden();
    }
    ~Automatik() {
        qunsetenv("VELMORA_MELDUNGEN");
        qunsetenv("VELMORA_ANTWORTEN");
        Meldungsdienst::neuLaden();
    }
    QStringList zeilen() const {
        QFile f(log);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};
} // namespace

TEST(Meldungsdienst, AutomatikProtokolliertUndAntwortetDerReiheNach) {
    Automatik a("ja, nein,ok");
    EXPECT_TRUE(Meldungsdienst::automatik());
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Warnung, 28, QStringLiteral("Löschen?"), Knoepfe::JaNein),
              Antwort::Ja);
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Warnung, 29, QStringLiteral("Speichern?"), Knoepfe::JaNein),
              Antwort::Nein);
    // An OK box takes its answer from the list too, and always answers ok.
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Information, 0, QStringLiteral("Zeile 1\rZeile 2\r\nZeile 3")),
              Antwort::Ok);
    // The list is used up: Yes/No answers nein, OK answers ok.
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Fehler, 83, QStringLiteral("weg"), Knoepfe::JaNein), Antwort::Nein);
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Fehler, 84, QStringLiteral("a;b")), Antwort::Ok);

    EXPECT_EQ(a.zeilen(), (QStringList{
                              QStringLiteral("warnung;28;Löschen?;ja"),
                              QStringLiteral("warnung;29;Speichern?;nein"),
                              QStringLiteral("info;;Zeile 1\\nZeile 2\\nZeile 3;ok"),
                              QStringLiteral("fehler;83;weg;nein"),
                              QStringLiteral("fehler;84;a;b;ok"),
                          }));
}

TEST(Meldungsdienst, OhneAutomatikFragtDieAnzeigeUndOhneAnzeigeNichtsZerstoererisches) {
    qunsetenv("VELMORA_MELDUNGEN");
    Meldungsdienst::neuLaden();
    auto alt = Meldungsdienst::setAnzeige({});
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Warnung, 15, QStringLiteral("?"), Knoepfe::JaNein), Antwort::Nein);
    int gefragt = 0;
    Meldungsdienst::setAnzeige([&](const Meldung& m) {
        ++gefragt;
        EXPECT_EQ(m.nummer, 15);
        return Antwort::Ja;
    });
    EXPECT_EQ(Meldungsdienst::zeigen(MeldungsArt::Warnung, 15, QStringLiteral("?"), Knoepfe::JaNein), Antwort::Ja);
    EXPECT_EQ(gefragt, 1);
    Meldungsdienst::setAnzeige(alt);
}
