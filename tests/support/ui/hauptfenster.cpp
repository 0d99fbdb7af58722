#include "support/ui/hauptfenster.h"

#include "app/ui/fensterarten.h"
#include "common/ui/kindfenster.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <gtest/gtest.h>

namespace velmora::test {

Antworten::Antworten() {
    Meldungsdienst::verlaufLeeren();
    m_alt = Meldungsdienst::setAnzeige([this](const Meldung& m) {
        meldungen << m;
        if (m.knoepfe == Knoepfe::Ok) return Antwort::Ok;
        return antworten.isEmpty() ? Antwort::Nein : antworten.takeFirst();
    });
}

Antworten::~Antworten() {
    Meldungsdienst::setAnzeige(m_alt);
}

QList<int> Antworten::nummern() const {
    QList<int> n;
    for (const Meldung& m : meldungen)
        n << m.nummer;
    return n;
}

int katzeAnlegen(store::Database& db, const QString& name, const QString& geschlecht, const QString& status) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Name"), name);
    t.setValue(QStringLiteral("Geschlecht"), geschlecht);
    t.setValue(QStringLiteral("Status"), status);
    t.post();
    return t.asInt(QStringLiteral("LaufendeNummer"));
}

Hauptfenster::Hauptfenster(const Optionen& o) {
    app::fensterartenRegistrieren();
    QFile f(einstellungsDir.file(QStringLiteral("Tessaro.ini")));
    f.open(QIODevice::WriteOnly);
    f.write(o.ini.toLatin1());
    f.close();
    einstellungen.load(f.fileName());
    einstellungen.Sprache = static_cast<settings::Sprache>(o.sprache);
    db = std::make_unique<store::Database>(daten.path());
    if (o.vorher) o.vorher(*db);
    sprache = std::make_unique<language::TSprache>(*db, o.sprache);
    sprache->oeffnen();
    language::setAktuelleSprache(sprache.get());
    fehler = std::make_unique<store::ui::TDBError>(db.get());
    fehler->anzeige = [this](store::ui::TDBError& d) {
        fehlerNummern << d.ErrorNr();
        // The user closes the dialog; the main window is active again.
        d.hide();
    };
    app::Kontext k;
    k.datenVerzeichnis = daten.path();
    k.installationsVerzeichnis = daten.path();
    k.einstellungsVerzeichnis = einstellungsDir.path();
    k.db = db.get();
    k.einstellungen = &einstellungen;
    k.sprache = sprache.get();
    k.fehlerDialog = fehler.get();
    haupt = std::make_unique<app::TVelmora>(k);
    dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
    haupt->setDatenGlobal(dg.get());
    haupt->setzen(false);
    haupt->resize(o.groesse);
    if (o.mitRegister) {
        EXPECT_NE(haupt->FensterZeigen(QStringLiteral("FormCatStamm")), nullptr);
    }
    haupt->show();
    setHauptfenster(haupt.get());
    QApplication::setActiveWindow(haupt.get());
    ereignisse();
}

Hauptfenster::~Hauptfenster() {
    haupt.reset();
    dg.reset();
    fehler.reset();
    language::setAktuelleSprache(nullptr);
}

reg::TCatStamm* Hauptfenster::katzenregister() const {
    return dynamic_cast<reg::TCatStamm*>(haupt->fenster(QStringLiteral("FormCatStamm")));
}

TKindFenster* Hauptfenster::ueberMenue(const QString& fensterName) {
    auto* a = haupt->findChild<QAction*>(QStringLiteral("Menu") + fensterName);
    EXPECT_NE(a, nullptr) << "no menu entry for " << fensterName.toStdString();
    if (!a) return nullptr;
    a->trigger();
    ereignisse();
    return haupt->fenster(fensterName);
}

bool Hauptfenster::menue(const QString& objektName) {
    auto* a = haupt->findChild<QAction*>(objektName);
    if (!a || !a->isVisible() || !a->isEnabled()) return false;
    a->trigger();
    ereignisse();
    return true;
}

} // namespace velmora::test
