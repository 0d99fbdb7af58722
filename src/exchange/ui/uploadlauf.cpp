#include "exchange/ui/uploadlauf.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "store/database.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace velmora::exchange {

// texte: meldung 213 214 215 216
// texte: feldname 2500-2502

namespace {
QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

void merken(Zeichenverluste& alle, const Zeichenverluste& v) {
    alle.werte += v.werte;
    for (const QString& d : v.ersteDatensaetze)
        if (alle.ersteDatensaetze.size() < Zeichenverluste::kErste && !alle.ersteDatensaetze.contains(d))
            alle.ersteDatensaetze << d;
}
} // namespace

UploadLauf::UploadLauf(store::Database& db, TOnlineExport& daten, store::Table& katzen,
                       const UploadEinstellungen& e, QWidget* eltern)
    : m_db(db), m_daten(daten), m_katzen(katzen), m_e(e), m_eltern(eltern) {}

UploadLauf::Ergebnis UploadLauf::ausfuehren(const UploadAuswahl& auswahl, const QString& ordner,
                                            QLabel* hinweis, const TOnlineExport::Fortschritt& fortschritt,
                                            const bool* abbruch) {
    Ergebnis e;
    const auto gestoppt = [abbruch] { return abbruch && *abbruch; };
    const auto warten = [&] {
        QApplication::processEvents();
        return gestoppt();
    };
    for (const UploadSchritt& s : uploadSchritte(auswahl, m_daten.optionen(), m_e.kennung)) {
        if (gestoppt()) break;
        const DateiErgebnis d = uploadDateiSchreiben(m_daten, m_katzen, s, ordner, fortschritt);
        if (!d.ok) {
            e.dateiFehler = true;
            return e;
        }
        merken(e.verluste, d.verluste);
        if (gestoppt()) break;
        if (hinweis) hinweis->show();
        QApplication::processEvents();
        const Sendung ok = httpSenden(m_e.uploadAdresse, ordner + QLatin1Char('/') + s.datei, warten);
        if (hinweis) hinweis->hide();
        if (ok == Sendung::Abgebrochen) break;
        if (ok != Sendung::Ok) e.sendeFehler = true;
        if (s.nummer == 1 && ok == Sendung::Ok && m_daten.optionen().bilder && !m_daten.bildpfade().isEmpty())
            e.bilder = bilderSenden(m_daten.bildpfade(), &e.bilderGesendet);
    }
    e.abgebrochen = gestoppt();
    return e;
}

TFtpAction UploadLauf::bilderSenden(const QStringList& pfade, int* gesendet) {
    TFtpConfig cfg;
    cfg.Hostname = m_e.ftpHost;
    cfg.Username = m_e.ftpBenutzer;
    cfg.Password = m_e.ftpPasswort;
    cfg.Passive = m_e.ftpPassiv;
    cfg.OhneTls = m_e.ftpOhneTls;
    cfg.ZertifikatPruefen = m_e.ftpZertifikatPruefen;
    cfg.TargetPath = ftpZielordner(m_e.ftpPfad, m_e.kennung);
    TFtpUpload worker(cfg, m_db.directory());
    for (const QString& p : pfade)
        worker.hinzufuegen(p);

    QDialog dlg(m_eltern);
    dlg.setObjectName(QStringLiteral("FormBilderUpload"));
    dlg.setWindowTitle(text(2500, "Upload Foto"));
    auto* l = new QVBoxLayout(&dlg);
    auto* titel = new QLabel(text(2500, "Upload Foto"), &dlg);
    titel->setObjectName(QStringLiteral("LabelUploadFoto"));
    auto* zeile = new QHBoxLayout;
    auto* nummer = new QLabel(QStringLiteral("0"), &dlg);
    nummer->setObjectName(QStringLiteral("LabelNummer"));
    nummer->setAccessibleName(nummer->objectName());
    auto* von = new QLabel(text(2501, "von ") + QString::number(pfade.size()), &dlg);
    von->setObjectName(QStringLiteral("LabelVon"));
    von->setAccessibleName(von->objectName());
    zeile->addWidget(nummer);
    zeile->addWidget(von);
    auto* balken = new QProgressBar(&dlg);
    balken->setObjectName(QStringLiteral("ProgressBarFoto"));
    balken->setAccessibleName(balken->objectName());
    balken->setMaximum(int(pfade.size()));
    auto* abbruch = new QPushButton(text(2502, "Abbruch"), &dlg);
    abbruch->setObjectName(QStringLiteral("BitBtnAbbruch"));
    abbruch->setAccessibleName(abbruch->objectName());
    l->addWidget(titel);
    l->addLayout(zeile);
    l->addWidget(balken);
    l->addWidget(abbruch);
    bool gestoppt = false;
    QObject::connect(abbruch, &QPushButton::clicked, &dlg, [&] {
        if (gestoppt) return;
        gestoppt = true;
        titel->setText(language::meldung(216));
        worker.anhalten();
    });
    dlg.setModal(true);
    dlg.show();
    worker.starten();
    while (!worker.fertig()) {
        nummer->setText(QString::number(worker.gesendet()));
        balken->setValue(worker.gesendet());
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    worker.warten();
    dlg.hide();
    *gesendet = worker.gesendet();
    const TFtpAction z = worker.zustand();
    const int meldung = z == TFtpAction::ftpCONNECTING  ? 213
                        : z == TFtpAction::ftpCHANGEDIR ? 214
                        : z == TFtpAction::ftpUPLOADING ? 215
                        : z == TFtpAction::ftpBREAK     ? 216
                                                        : 0;
    if (meldung) Meldungsdienst::nachricht(meldung, MeldungsArt::Fehler);
    return z;
}

} // namespace velmora::exchange
