#pragma once
// The register's page "B&ild": the cat's pictures as a strip of numbered thumbnails, the selected one
// shown large with its two captions, "Bi&ld laden", "B&ild löschen" and the picture chosen for printing
// (typed as its number or chosen with the strip's menu "Auswahl für Druck").

#include "register/ui/katzenseite.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace velmora::reg {

class TDetailFormular;

class TSeiteBild : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteBild(TCatStamm& katzenregister);

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    QListWidget* leiste() const { return m_leiste; }
    QLabel* grossBild() const { return m_gross; }
    QLabel* positionText() const { return m_position; }
    QLineEdit* druckFeld() const { return m_druck; }
    QPushButton* ladenKnopf() const { return m_laden; }
    QPushButton* loeschenKnopf() const { return m_loeschen; }
    QMenu* popup() const { return m_popup; }
    TDetailFormular* texte() const { return m_texte; }
    int anzahl() const { return m_pfade.size(); }
    int gewaehlt() const { return m_gewaehlt; } // 1-based, 0 for none

    void BildLadenClick();
    void BildLoeschenClick();
    void AuswahlFuerDruckClick();

protected:
    void laden() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void leisteAufbauen(int waehlen);
    void waehlen(int position, bool ansehen);
    void positionZeigen();
    int feld2() const;
    void feld2Setzen(int wert);
    QString vollerPfad(const QString& pfad) const;

    QListWidget* m_leiste = nullptr;
    QLabel* m_gross = nullptr;
    QLabel* m_position = nullptr;
    QLineEdit* m_druck = nullptr;
    QPushButton* m_laden = nullptr;
    QPushButton* m_loeschen = nullptr;
    QMenu* m_popup = nullptr;
    TDetailFormular* m_texte = nullptr; // the captions of the selected picture
    QStringList m_pfade;
    QList<qint64> m_ids;
    int m_gewaehlt = 0;
    bool m_sperre = false;
};

} // namespace velmora::reg
