#include "support/ui/hauptfenster.h"

#include "app/ui/fensterarten.h"
#include "common/ui/kindfenster.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace velmora::test {

namespace {
// The main window of the running test: a closed dialog leaves no window active under the offscreen
// platform, where a person would be back in the main window at once.
QPointer<QWidget> s_hauptfenster;
} // namespace

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
    s_hauptfenster = haupt.get();
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

namespace {
QPoint mitte(QWidget* w, QPoint p) {
    return p.x() < 0 ? w->rect().center() : p;
}

void spontan(QWidget* w, QEvent& e) {
    QSpontaneKeyEvent::setSpontaneous(&e);
    qApp->notify(w, &e);
}
} // namespace

void klicken(QWidget* w, QPoint punkt) {
    const QPoint p = mitte(w, punkt);
    const QPointF global = w->mapToGlobal(p);
    QMouseEvent druck(QEvent::MouseButtonPress, p, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    spontan(w, druck);
    QMouseEvent los(QEvent::MouseButtonRelease, p, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    spontan(w, los);
    ereignisse();
}

void doppelklicken(QWidget* w, QPoint punkt) {
    klicken(w, punkt);
    const QPoint p = mitte(w, punkt);
    const QPointF global = w->mapToGlobal(p);
    QMouseEvent druck(QEvent::MouseButtonDblClick, p, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    spontan(w, druck);
    QMouseEvent los(QEvent::MouseButtonRelease, p, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    spontan(w, los);
    ereignisse();
}

void mausrad(QWidget* w, int schritte, QPoint punkt) {
    const QPoint p = mitte(w, punkt);
    // The deepest widget under the point receives the turn, as with a real mouse.
    QWidget* ziel = w->childAt(p) ? w->childAt(p) : w;
    const QPoint lokal = ziel->mapFrom(w, p);
    for (int i = 0; i < std::abs(schritte); ++i) {
        QWheelEvent e(lokal, ziel->mapToGlobal(lokal), QPoint(), QPoint(0, schritte > 0 ? -120 : 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        spontan(ziel, e);
        ereignisse();
    }
}

void tippen(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : w;
        QKeyEvent druck(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        spontan(ziel, druck);
        QKeyEvent los(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        spontan(ziel, los);
    }
    ereignisse();
}

void taste(QWidget* w, int k, Qt::KeyboardModifiers mod) {
    QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QKeyEvent druck(QEvent::KeyPress, k, mod);
    spontan(ziel, druck);
    QKeyEvent los(QEvent::KeyRelease, k, mod);
    spontan(ziel, los);
    ereignisse();
}

void ereignisse() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget* aktiv = QApplication::activeWindow();
    if ((!aktiv || !aktiv->isVisible()) && s_hauptfenster && s_hauptfenster->isVisible())
        QApplication::setActiveWindow(s_hauptfenster);
}

} // namespace velmora::test
