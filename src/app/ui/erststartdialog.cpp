#include "app/ui/erststartdialog.h"

#include "app/erststart.h"
#include "language/sprache.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::app {

// texte: feldname 4990-4993
TErststartDialog::TErststartDialog(const QString& quelle, const QString& vorgabe, int sprache,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormErststart"));
    const int offset = language::spracheOffset(sprache);
    auto text = [&](int n, bool hilfe = false) { return lieferBeschriftung(quelle, n, offset, hilfe); };
    setWindowTitle(text(4990, true));
    setAccessibleName(text(4990));
    auto* l = new QVBoxLayout(this);
    auto* hinweis = new QLabel(text(4991), this);
    hinweis->setObjectName(QStringLiteral("LabelKeineDaten"));
    hinweis->setAccessibleName(text(4991, true));
    l->addWidget(hinweis);
    auto* frage = new QLabel(text(4992), this);
    frage->setObjectName(QStringLiteral("LabelOrt"));
    l->addWidget(frage);
    auto* zeile = new QHBoxLayout;
    m_ort = new QLineEdit(QDir::toNativeSeparators(vorgabe), this);
    m_ort->setObjectName(QStringLiteral("EditOrt"));
    m_ort->setAccessibleName(text(4992, true));
    m_ort->setToolTip(text(4992, true));
    m_ort->setMinimumWidth(m_ort->fontMetrics().horizontalAdvance(m_ort->text()) + 40);
    frage->setBuddy(m_ort);
    zeile->addWidget(m_ort, 1);
    auto* waehlenKnopf = new QPushButton(text(4993), this);
    waehlenKnopf->setObjectName(QStringLiteral("ButtonWaehlen"));
    waehlenKnopf->setAccessibleName(text(4993, true));
    waehlenKnopf->setToolTip(text(4993, true));
    waehlenKnopf->setAutoDefault(false);
    connect(waehlenKnopf, &QPushButton::clicked, this, &TErststartDialog::waehlen);
    zeile->addWidget(waehlenKnopf);
    l->addLayout(zeile);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->setObjectName(QStringLiteral("Knoepfe"));
    knoepfe->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ButtonOK"));
    knoepfe->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ButtonAbbrechen"));
    for (QAbstractButton* b : knoepfe->buttons())
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
    connect(knoepfe, &QDialogButtonBox::accepted, this, [this] {
        if (!verzeichnis().isEmpty()) accept();
    });
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(knoepfe);
}

QString TErststartDialog::verzeichnis() const {
    const QString t = m_ort->text().trimmed();
    if (t.isEmpty()) return {};
    // "~/..." as a shell would read it.
    if (t == QLatin1String("~") || t.startsWith(QLatin1String("~/")))
        return QDir::cleanPath(QDir::homePath() + t.mid(1));
    return QDir::cleanPath(QDir::fromNativeSeparators(t));
}

void TErststartDialog::waehlen() {
    // Start at the nearest folder that exists: the default itself usually does not yet.
    QString start = verzeichnis();
    while (!start.isEmpty() && !QFileInfo(start).isDir()) {
        const QString oben = QFileInfo(start).absolutePath();
        if (oben == start) break;
        start = oben;
    }
    const QString ort = QFileDialog::getExistingDirectory(this, windowTitle(), start);
    if (!ort.isEmpty()) m_ort->setText(QDir::toNativeSeparators(ort));
}

QString datenverzeichnisFragen(const QString& quelle, const QString& vorgabe, int sprache) {
    TErststartDialog d(quelle, vorgabe, sprache);
    return d.exec() == QDialog::Accepted ? d.verzeichnis() : QString();
}

} // namespace velmora::app
