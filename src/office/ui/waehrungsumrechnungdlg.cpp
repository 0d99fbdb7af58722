#include "office/ui/waehrungsumrechnungdlg.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "language/sprache.h"
#include "office/waehrungsumrechnung.h"
#include "settings/inidatei.h"
#include "settings/systeminfo.h"
#include "store/startup.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::office {

namespace {

QString text(int nummer, const char* deutsch) {
    QString t = QString::fromUtf8(deutsch);
    language::FeldNameLaden(nummer, t);
    return t;
}

// The confirmation with the day up to which bookings and prices are converted; nothing when declined.
std::optional<QString> bestaetigen(QWidget* eltern, const QString& faktor) {
    QDialog d(eltern);
    d.setObjectName(QStringLiteral("WaehrungsumrechnungDlg"));
    d.setWindowTitle(text(8500, "Währungsumrechnung"));
    auto* lay = new QVBoxLayout(&d);
    auto* frage = new QLabel(text(8501, "mit dem Faktor") + QLatin1Char(' ') + faktor + QLatin1Char(' ') +
                             text(8502, "wirklich durchführen?"));
    frage->setObjectName(QStringLiteral("LabelFrage"));
    lay->addWidget(frage);
    auto* form = new QFormLayout;
    auto* datum = new QLineEdit(DbDatum::text(QDate::currentDate()));
    datum->setObjectName(QStringLiteral("EditUmrechnungBis"));
    auto* datumText = new QLabel(text(8503, "Umrechnung bis"));
    datumText->setBuddy(datum);
    datum->setAccessibleName(datumText->text());
    form->addRow(datumText, datum);
    lay->addLayout(form);
    auto* knoepfe = new QDialogButtonBox;
    QPushButton* ja = knoepfe->addButton(text(8504, "&Ja"), QDialogButtonBox::AcceptRole);
    QPushButton* nein = knoepfe->addButton(text(8505, "&Nein"), QDialogButtonBox::RejectRole);
    ja->setObjectName(QStringLiteral("ButtonJa"));
    nein->setObjectName(QStringLiteral("ButtonNein"));
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(knoepfe, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    lay->addWidget(knoepfe);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return datum->text();
}

} // namespace

QString letzteUmrechnungText(const settings::tsysteminfo& info) {
    if (!info.Umrechnungam.isValid() || info.faktoram == 0)
        return language::meldung(3106, QStringLiteral("Es wurde bisher keine Währungsumrechnung durchgeführt"));
    return DbDatum::text(info.Umrechnungam) + QStringLiteral(", ") + text(8501, "mit dem Faktor") + QLatin1Char(' ') +
           QLocale().toString(info.faktoram, 'g', 15);
}

bool waehrungsumrechnungStarten(QWidget* eltern, store::Database& db, settings::tsysteminfo& info,
                                const QString& faktorText, const QDate& heute) {
    const auto faktor = faktorLesen(faktorText);
    if (!faktor) {
        Meldungsdienst::nachricht(88, MeldungsArt::Information);
        return false;
    }
    const auto datumText = bestaetigen(eltern, faktor->text());
    if (!datumText) return false;
    const QDate bis = DbDatum::lesen(*datumText);
    if (!bis.isValid()) {
        Meldungsdienst::nachricht(114, MeldungsArt::Information);
        return false;
    }
    try {
        store::indexSicherstellen(db, QStringLiteral("buchung"), QStringLiteral("Kontoname"), QStringLiteral("Kontoname"));
    } catch (const store::DatabaseError&) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 11, language::meldung(11) + QStringLiteral(" buchung"));
        return false;
    }
    QProgressDialog fortschritt(text(8500, "Währungsumrechnung"), QString(), 0, 1, eltern);
    fortschritt.setObjectName(QStringLiteral("ProgressUmrechnung"));
    fortschritt.setMinimumDuration(500);
    fortschritt.setWindowModality(Qt::WindowModal);
    try {
        waehrungUmrechnen(db, *faktor, bis, [&fortschritt](int fertig, int gesamt) {
            if (fertig % 200 != 0 && fertig != gesamt) return;
            fortschritt.setMaximum(std::max(1, gesamt));
            fortschritt.setValue(fertig);
        });
    } catch (const store::DatabaseError& e) {
        fortschritt.reset();
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, e.message());
        return false;
    }
    fortschritt.reset();
    info.faktoram = faktor->alsZahl();
    info.Umrechnungam = heute.isValid() ? heute : QDate::currentDate();
    info.schreibeFelder({QStringLiteral("faktoram"), QStringLiteral("Umrechnungam")});
    info.schreibeSchluessel(QStringLiteral("System"), QStringLiteral("Umrechnung bis"), settings::datumText(bis, QLocale()));
    Meldungsdienst::nachricht(89, MeldungsArt::Information);
    return true;
}

} // namespace velmora::office
