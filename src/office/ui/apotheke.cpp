#include "office/ui/apotheke.h"

#include "common/ui/rahmen.h"
#include "language/tag.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTabWidget>

namespace velmora::office {

// texte: feldname 9880-9889

TFormApotheke::TFormApotheke(TRahmen& h)
    : TBueroListe(
          h, QStringLiteral("FormApotheke"), 9880, QStringLiteral("apotheke"),
          {{QStringLiteral("BereichKrankheitIdx"), QStringLiteral("Bereich;Krankheit"), 9887, QStringLiteral("Gruppe")},
           {QStringLiteral("Medikament"), QStringLiteral("Medikament"), 9888, QStringLiteral("Medikament")},
           {QStringLiteral("VerfallsdatumIdx"), QStringLiteral("Verfallsdatum;LaufendeNummer"), 9889,
            QStringLiteral("Verfallsdatum")}},
          140) {
    setWindowTitle(QStringLiteral("Apotheke"));
}

QList<TabellenModell::Spalte> TFormApotheke::spalten() {
    return {{QStringLiteral("Bereich"), text(9881, QStringLiteral("Gruppe"))},
            {QStringLiteral("Krankheit"), text(9882, QStringLiteral("Krankheit"))},
            {QStringLiteral("Medikament"), text(9883, QStringLiteral("Medikament"))},
            {QStringLiteral("Verfallsdatum"), text(9884, QStringLiteral("Verfallsdatum"))}};
}

void TFormApotheke::formAufbauen(QFormLayout* form) {
    textFeld(form, 9881, QStringLiteral("&Gruppe"), QStringLiteral("Bereich"));
    textFeld(form, 9882, QStringLiteral("Krankheit"), QStringLiteral("Krankheit"));
    textFeld(form, 9883, QStringLiteral("&Medikament"), QStringLiteral("Medikament"));
    datumFeld(form, 9884, QStringLiteral("Verfallsdatum"), QStringLiteral("Verfallsdatum"), 9886);
    memoFeld(form, 9885, QStringLiteral("Info"), QStringLiteral("Info"));
}

QWidget* TFormApotheke::erstesFeld() {
    // A new medicine starts with its name.
    if (seiten() && seiten()->currentIndex() != 0) return TBueroListe::erstesFeld();
    return feld(QStringLiteral("Medikament"));
}

void TFormApotheke::showEvent(QShowEvent* e) {
    TBueroListe::showEvent(e);
    if (m_angemeldet) return;
    auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!rahmen) return;
    m_angemeldet = true;
    // Activated while an exclusive window is open: that one comes forward (with its message), after
    // this activation has run its course.
    connect(rahmen, &QMdiSubWindow::aboutToActivate, this, [this] {
        QPointer<TFormApotheke> selbst = this;
        QMetaObject::invokeMethod(
            this, [selbst] {
                if (selbst) selbst->hauptfenster().CheckFormOpen(QStringLiteral("bringtofront"));
            },
            Qt::QueuedConnection);
    });
}

} // namespace velmora::office
