#include "register/ui/seitedokumente.h"

#include "common/meldungsdienst.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/detailgitter.h"
#include "register/ui/tcatstamm.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::reg {

// texte: meldung 2900 2901 2903

namespace {
QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}
} // namespace

std::function<bool(const QUrl&)>& TSeiteDokumente::oeffner() {
    static std::function<bool(const QUrl&)> f = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
    return f;
}

TSeiteDokumente::TSeiteDokumente(TCatStamm& r) : TKatzenSeite(r, "TabSheetDokumente", 9416, "Dokumente") {
    auto* layout = new QVBoxLayout(this);
    m_dokumente = new TDetailGitter(*this, "Dokumente", QStringLiteral("dokumente"),
                                    QStringLiteral("IndexKatzeNr"), QStringLiteral("KatzeNr"),
                                    {{QStringLiteral("DokDatum"), 9342, QStringLiteral("Datum"), {}},
                                     {QStringLiteral("DokTxt"), 9343, QStringLiteral("Text"), {}},
                                     {QStringLiteral("DokPfad"), 9344, QStringLiteral("Pfad"), {}}});
    layout->addWidget(m_dokumente, 1);
    m_laden = new QPushButton(text(9340, "Dokument laden"));
    m_laden->setObjectName(QStringLiteral("BitBtnDokumentLaden"));
    language::setTag(m_laden, 9340);
    m_ansehen = new QPushButton(text(9341, "Dokument ansehen"));
    m_ansehen->setObjectName(QStringLiteral("BitBtnDokumentAnsehen"));
    language::setTag(m_ansehen, 9341);
    m_dokumente->knopfReihe()->addWidget(m_laden);
    m_dokumente->knopfReihe()->addWidget(m_ansehen);
    connect(m_laden, &QPushButton::clicked, this, &TSeiteDokumente::DokumentLadenClick);
    connect(m_ansehen, &QPushButton::clicked, this, &TSeiteDokumente::DokumentAnsehenClick);
    connect(m_dokumente, &TDetailGitter::gespeichert, this, &TKatzenSeite::gespeichert);
    m_dokumente->oeffnen();
    zugaenglichBenennen();
}

void TSeiteDokumente::laden() {
    m_dokumente->setSchluessel({katze()});
}

bool TSeiteDokumente::verlassen() {
    if (m_dokumente->speichern()) return true;
    nachVorn(m_dokumente);
    return false;
}

void TSeiteDokumente::schliessen() {
    m_dokumente->schliessen();
}

void TSeiteDokumente::uebersetzt() {
    m_dokumente->uebersetzen();
    TKatzenSeite::uebersetzt();
}

void TSeiteDokumente::DokumentLadenClick() {
    if (!katze()) return;
    QFileDialog dlg(this, text(9340, "Dokument laden"));
    dlg.setObjectName(QStringLiteral("DokumentDialog"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters({QStringLiteral("Dokumente (*.jpg *.jpeg *.bmp *.gif *.pdf *.doc *.docx *.xls *.xlsx "
                                       "*.txt *.htm *.html)"),
                        QStringLiteral("* (*)")});
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    const QString pfad = QFileInfo(dlg.selectedFiles().first()).absoluteFilePath();
    if (!QFileInfo(pfad).isFile()) return;
    // The file goes into the current row; a cat without documents gets its first row.
    if (m_dokumente->aktuelleZeile() < 0) m_dokumente->hinzufuegen();
    const int zeile = m_dokumente->aktuelleZeile();
    if (zeile < 0) return;
    const int spalte = 2;
    m_dokumente->modell()->setData(m_dokumente->modell()->index(zeile, spalte), pfad);
    m_dokumente->speichern();
}

void TSeiteDokumente::DokumentAnsehenClick() {
    const int zeile = m_dokumente->aktuelleZeile();
    if (zeile < 0) return;
    const QString pfad = m_dokumente->wert(zeile, QStringLiteral("DokPfad")).toString();
    if (pfad.trimmed().isEmpty()) {
        Meldungsdienst::nachricht(2903, MeldungsArt::Information);
        return;
    }
    // A moved, deleted or locked file is named to the user; the row stays as it is.
    QFile datei(pfad);
    if (!QFileInfo(pfad).isFile() || !datei.open(QIODevice::ReadOnly)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 2900, language::meldung(2900) + QLatin1Char(' ') + pfad);
        return;
    }
    datei.close();
    if (!oeffner()(QUrl::fromLocalFile(pfad)))
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 2901, language::meldung(2901) + QLatin1Char(' ') + pfad);
}

} // namespace velmora::reg
