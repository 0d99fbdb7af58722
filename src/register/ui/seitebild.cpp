#include "register/ui/seitebild.h"

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/familie.h"
#include "register/ui/detailformular.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "store/ui/dberror.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velmora::reg {

// texte: meldung 24 27 227 2902

namespace {

QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}

// The picture read at the size shown; a null image when the file cannot be read.
QImage lesen(const QString& pfad, const QSize& platz) {
    QImageReader leser(pfad);
    leser.setAutoTransform(true);
    const QSize voll = leser.size();
    if (voll.isValid() && !voll.isEmpty()) leser.setScaledSize(voll.scaled(platz, Qt::KeepAspectRatio));
    return leser.read();
}

} // namespace

TSeiteBild::TSeiteBild(TCatStamm& r) : TKatzenSeite(r, "TabSheetBild", 9411, "B&ild") {
    auto* layout = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    layout->addLayout(links, 1);
    m_gross = new QLabel;
    m_gross->setObjectName(QStringLiteral("ImageGross"));
    m_gross->setAccessibleName(QStringLiteral("ImageGross"));
    m_gross->setMinimumSize(320, 240);
    m_gross->setAlignment(Qt::AlignCenter);
    m_gross->setFrameShape(QFrame::StyledPanel);
    links->addWidget(m_gross, 1);
    m_position = new QLabel;
    m_position->setObjectName(QStringLiteral("LabelBildPosition"));
    m_position->setAccessibleName(QStringLiteral("LabelBildPosition"));
    links->addWidget(m_position);
    m_leiste = new QListWidget;
    m_leiste->setObjectName(QStringLiteral("BildLeiste"));
    m_leiste->setAccessibleName(QStringLiteral("BildLeiste"));
    m_leiste->setViewMode(QListView::IconMode);
    m_leiste->setFlow(QListView::LeftToRight);
    m_leiste->setWrapping(false);
    m_leiste->setIconSize(QSize(80, 60));
    m_leiste->setFixedHeight(110);
    m_leiste->setMovement(QListView::Static);
    m_leiste->viewport()->installEventFilter(this);
    links->addWidget(m_leiste);
    connect(m_leiste, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) {
        if (!m_sperre) waehlen(m_leiste->row(i) + 1, true);
    });
    connect(m_leiste, &QListWidget::itemActivated, this, [this](QListWidgetItem* i) {
        if (!m_sperre) waehlen(m_leiste->row(i) + 1, true);
    });

    auto* rechts = new QVBoxLayout;
    layout->addLayout(rechts);
    m_texte = new TDetailFormular(*this, "BildTexte", QStringLiteral("bilder"),
                                  QStringLiteral("IndexKatzeNr"), QStringLiteral("KatzeNr"));
    m_texte->memoZeile(QStringLiteral("BildMemo1"), 9380, "Text 1");
    m_texte->memoZeile(QStringLiteral("BildMemo2"), 9381, "Text 2");
    // Pictures are added and removed with the page's own buttons; the strip selects them.
    m_texte->hinzufuegenKnopf()->hide();
    m_texte->loeschenKnopf()->hide();
    m_texte->navigator()->hide();
    rechts->addWidget(m_texte, 1);
    m_laden = new QPushButton(text(9382, "Bi&ld laden"));
    m_laden->setObjectName(QStringLiteral("BitBtnBildLaden"));
    language::setTag(m_laden, 9382);
    m_loeschen = new QPushButton(text(9383, "B&ild löschen"));
    m_loeschen->setObjectName(QStringLiteral("BitBtnBildLoeschen"));
    language::setTag(m_loeschen, 9383);
    rechts->addWidget(m_laden);
    rechts->addWidget(m_loeschen);
    auto* druckZeile = new QHBoxLayout;
    auto* druckLabel = new QLabel(text(9384, "Bild für Druck"));
    druckLabel->setObjectName(QStringLiteral("LabelDruckauswahl"));
    language::setTag(druckLabel, 9384);
    m_druck = new QLineEdit;
    m_druck->setObjectName(QStringLiteral("EditDruckauswahl"));
    m_druck->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_druck));
    druckLabel->setBuddy(m_druck);
    druckZeile->addWidget(druckLabel);
    druckZeile->addWidget(m_druck);
    rechts->addLayout(druckZeile);
    connect(m_laden, &QPushButton::clicked, this, &TSeiteBild::BildLadenClick);
    connect(m_loeschen, &QPushButton::clicked, this, &TSeiteBild::BildLoeschenClick);
    connect(m_druck, &QLineEdit::editingFinished, this, [this] {
        const auto w = druckwahlPruefen(m_druck->text(), anzahl());
        if (!w) {
            m_druck->setText(feld2() ? QString::number(feld2()) : QString());
            return;
        }
        if (w->ausserhalb) Meldungsdienst::nachricht(227, MeldungsArt::Information);
        if (w->feld2 != feld2()) feld2Setzen(w->feld2);
        m_druck->setText(feld2() ? QString::number(feld2()) : QString());
    });
    connect(m_texte, &TDetailFormular::gespeichert, this, &TKatzenSeite::gespeichert);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupBild"));
    QAction* auswahl = m_popup->addAction(text(9385, "Auswahl für Druck"));
    auswahl->setObjectName(QStringLiteral("AuswahlFuerDruck"));
    language::setTag(auswahl, 9385);
    connect(auswahl, &QAction::triggered, this, &TSeiteBild::AuswahlFuerDruckClick);
    zugaenglichBenennen();
}

QString TSeiteBild::vollerPfad(const QString& pfad) const {
    if (pfad.isEmpty() || !QFileInfo(pfad).isRelative()) return pfad;
    return QDir(rahmen().db().directory()).filePath(pfad);
}

int TSeiteBild::feld2() const {
    store::Table& k = katzenregister().katzen();
    return k.hasRecord() ? k.asInt(QStringLiteral("Feld2")) : 0;
}

void TSeiteBild::feld2Setzen(int wert) {
    TCatStamm& r = katzenregister();
    store::Table& k = r.katzen();
    if (!katze() || !k.hasRecord()) return;
    try {
        if (k.state() == store::Table::State::Browse) k.edit();
        k.setValue(QStringLiteral("Feld2"), wert);
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("catstamm.db"));
        return;
    }
    r.bindung().neuLaden();
    r.speichernOhneFrage();
    r.bildNeuZeigen();
    leisteAufbauen(m_gewaehlt);
}

void TSeiteBild::laden() {
    m_texte->setSchluessel({katze()});
    leisteAufbauen(1);
}

void TSeiteBild::leisteAufbauen(int auswahl) {
    m_pfade.clear();
    m_ids.clear();
    store::Table* t = m_texte->tabelle();
    if (katze() && t && t->isOpen()) {
        for (t->first(); t->hasRecord() && !t->eof(); t->next()) {
            m_pfade << t->asString(QStringLiteral("Bildpfad"));
            m_ids << t->recordId();
        }
    }
    m_sperre = true;
    m_leiste->clear();
    const int druck = feld2();
    for (int i = 0; i < m_pfade.size(); ++i) {
        // A missing or unreadable file keeps its number in the strip, without a thumbnail.
        const QImage klein = lesen(vollerPfad(m_pfade[i]), m_leiste->iconSize());
        auto* item =
            new QListWidgetItem(QString::number(i + 1) + (i + 1 == druck ? QStringLiteral(" *") : QString()));
        if (!klein.isNull()) item->setIcon(QIcon(QPixmap::fromImage(klein)));
        QFont f = item->font();
        f.setBold(i + 1 == druck);
        item->setFont(f);
        m_leiste->addItem(item);
    }
    m_sperre = false;
    m_druck->setText(druck ? QString::number(druck) : QString());
    waehlen(std::min<int>(auswahl, m_pfade.size()), false);
}

void TSeiteBild::waehlen(int position, bool ansehen) {
    if (!m_texte->speichern()) return; // a caption to mend keeps its picture
    m_gewaehlt = position;
    m_gross->clear();
    store::Table* t = m_texte->tabelle();
    if (position < 1 || position > m_pfade.size()) {
        m_gewaehlt = 0;
        positionZeigen();
        m_gross->setText(text(9308, "kein Bild"));
        if (t && t->isOpen()) t->last();
        m_texte->bindung()->neuLaden();
        return;
    }
    if (t && t->isOpen()) t->gotoRecordId(m_ids[position - 1]);
    m_texte->bindung()->neuLaden();
    m_sperre = true;
    m_leiste->setCurrentRow(position - 1);
    m_sperre = false;
    positionZeigen();
    const QString pfad = vollerPfad(m_pfade[position - 1]);
    const bool gibtEs = !pfad.isEmpty() && QFileInfo(pfad).isFile();
    const QImage bild = gibtEs ? lesen(pfad, m_gross->size()) : QImage();
    if (!bild.isNull()) {
        m_gross->setPixmap(QPixmap::fromImage(bild));
        return;
    }
    m_gross->setText(text(9308, "kein Bild"));
    if (!ansehen) return;
    // The user asked for this picture: say why it cannot be shown; the row stays.
    if (!gibtEs)
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 24, language::meldung(24) + QLatin1Char(' ') + pfad);
    else
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 2902, language::meldung(2902) + QLatin1Char(' ') + pfad);
}

void TSeiteBild::positionZeigen() {
    if (!m_gewaehlt) {
        m_position->clear();
        return;
    }
    const bool englisch = rahmen().einstellungen().spracheNummer() == 1;
    m_position->setText(
        (englisch ? QStringLiteral("Picture ") : QStringLiteral("Bild ")) + QString::number(m_gewaehlt) +
        (englisch ? QStringLiteral(" of ") : QStringLiteral(" von ")) + QString::number(m_pfade.size()));
}

void TSeiteBild::BildLadenClick() {
    if (!katze() || !m_texte->offen() || !m_texte->speichern()) return;
    QFileDialog dlg(this, text(9382, "Bi&ld laden").remove(QLatin1Char('&')));
    dlg.setObjectName(QStringLiteral("BildDialog"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters({QStringLiteral("JPEG (*.jpg *.jpeg)"), QStringLiteral("Bitmap (*.bmp)")});
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    const QString pfad = QFileInfo(dlg.selectedFiles().first()).absoluteFilePath();
    if (!QFileInfo(pfad).isFile()) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 24,
                               language::meldung(24) + QLatin1Char(' ') + QFileInfo(pfad).fileName());
        return;
    }
    const bool hatteBild = katzenregister().bildGezeigt();
    m_texte->hinzufuegen();
    store::Table* t = m_texte->tabelle();
    if (t->state() != store::Table::State::Insert) return;
    try {
        t->setValue(QStringLiteral("Bildpfad"), pfad);
        t->post(); // asks 29 unless the setting says to store without asking
    } catch (const std::exception& e) {
        if (t->state() != store::Table::State::Browse) t->cancel();
        fehlerDialog().HandleException(e, QStringLiteral("bilder.db"));
    }
    const int vorher = m_pfade.size();
    leisteAufbauen(m_pfade.size() + 1);
    if (m_pfade.size() > vorher) {
        emit gespeichert();
        if (!hatteBild) katzenregister().bildNeuZeigen();
    }
}

void TSeiteBild::BildLoeschenClick() {
    if (!m_gewaehlt || !m_texte->offen()) return;
    if (Meldungsdienst::nachricht(27, MeldungsArt::Warnung, Knoepfe::JaNein) != Antwort::Ja) return;
    const int position = m_gewaehlt;
    store::Table* t = m_texte->tabelle();
    try {
        if (t->state() != store::Table::State::Browse) t->cancel();
        if (!t->gotoRecordId(m_ids[position - 1])) return;
        t->remove(); // the file itself stays where it is
        t->flush();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("bilder.db"));
        return;
    }
    // The printing choice keeps pointing at the same picture.
    const int neu = feld2NachLoeschen(feld2(), position);
    if (neu != feld2())
        feld2Setzen(neu);
    else
        katzenregister().bildNeuZeigen();
    leisteAufbauen(position);
    emit gespeichert();
}

void TSeiteBild::AuswahlFuerDruckClick() {
    if (m_gewaehlt) feld2Setzen(m_gewaehlt);
}

bool TSeiteBild::eventFilter(QObject* o, QEvent* e) {
    if (o == m_leiste->viewport() && e->type() == QEvent::ContextMenu) {
        auto* c = static_cast<QContextMenuEvent*>(e);
        if (QListWidgetItem* i = m_leiste->itemAt(c->pos())) {
            waehlen(m_leiste->row(i) + 1, false);
            m_popup->popup(c->globalPos());
        }
        return true;
    }
    return TKatzenSeite::eventFilter(o, e);
}

bool TSeiteBild::verlassen() {
    if (m_texte->speichern()) return true;
    nachVorn(m_texte);
    return false;
}

void TSeiteBild::schliessen() {
    m_texte->schliessen();
}

void TSeiteBild::uebersetzt() {
    m_texte->uebersetzen();
    positionZeigen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
