#pragma once
// The page "Konten / Kategorien": "Konten" (the accounts with the editor of the current one's kind;
// "&NeuesKonto" offers the kinds "Bankkonto" and "Bargeld / Kasse") and "Kategorie / MwSt-Tabelle" (the
// categories with name, VAT rate and "Einnahme / Ausgabe", and the rates).

#include "office/buchhaltung.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace velmora::office {

class TFormBuchfuehrung;

class TSeiteKonten : public QWidget {
    Q_OBJECT
public:
    explicit TSeiteKonten(TFormBuchfuehrung& fenster);

    void neuLaden();
    // Stores a pending edit of the account or category editor; false when refused or failed.
    bool speichern();
    bool kontoGeaendert() const { return m_kontoGeaendert; }
    bool kategorieGeaendert() const { return m_kategorieGeaendert; }
    void neuesKonto(int art); // as choosing the kind after "&NeuesKonto" does

    QTabWidget* reiter = nullptr;
    QTableWidget* konten = nullptr;
    QGroupBox* kontoart = nullptr;
    QPushButton *artBank = nullptr, *artKasse = nullptr;
    QLineEdit *kontoname = nullptr, *kontonummer = nullptr, *bankleitzahl = nullptr, *bankname = nullptr,
              *eroeffnungssaldo = nullptr, *eroeffnungZum = nullptr;
    QLabel *bankleitzahlText = nullptr, *kontonummerText = nullptr, *banknameText = nullptr;
    QPushButton *kontoSpeichern = nullptr, *kontoRueckgaengig = nullptr, *kontoLoeschen = nullptr;
    QTableWidget* kategorien = nullptr;
    QLineEdit* kategorieName = nullptr;
    QComboBox* kategorieMwst = nullptr;
    QComboBox* einAus = nullptr;
    QPushButton *kategorieNeu = nullptr, *kategorieSpeichern = nullptr, *kategorieLoeschen = nullptr;
    QTableWidget* saetze = nullptr;
    QLineEdit* satzProzent = nullptr;
    QPushButton* satzHinzufuegen = nullptr;
    QPushButton *neuesKontoKnopf = nullptr, *hilfe = nullptr, *zurueck = nullptr;

private:
    void kontoZeigen(int nummer);
    void kategorieZeigen(int nummer);
    bool kontoSpeichernJetzt();
    bool kategorieSpeichernJetzt();

    TFormBuchfuehrung& m_fenster;
    int m_konto = 0, m_neuArt = 0;          // the account in the editor; the kind of a new one
    int m_kategorie = 0;                     // the category in the editor (0 with m_neueKategorie: new)
    bool m_neueKategorie = false;
    bool m_kontoGeaendert = false, m_kategorieGeaendert = false;
    bool m_laden = false;
};

} // namespace velmora::office
