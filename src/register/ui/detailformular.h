#pragma once
// A form over the rows of one detail table that belong to the register's current cat: bound fields,
// a record navigator and "H&inzufügen", "L&öschen", "R&ückgängig", with the same editing rules as the
// detail grid (detailgitter.h): message 28 before a delete, 29 before a store unless `Speichern` is on,
// a flush after every store, a failing store reported and dropped, a date field that holds no date
// refused with a message naming the field (the row stays open), pending changes stored before the
// cat, the page or the window changes.

#include "store/table.h"

#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>

class QFormLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace velmora {
class DbAuswahl;
class DbDatum;
class DbEdit;
class DbZahl;
class DbMemo;
class FeldBindung;
class Navigator;
} // namespace velmora

namespace velmora::reg {

class TKatzenSeite;

class TDetailFormular : public QWidget {
    Q_OBJECT
public:
    TDetailFormular(TKatzenSeite& seite, const char* objektName, QString tabelle, QString index,
                    QString verknuepfung, QWidget* parent = nullptr);
    ~TDetailFormular() override;

    bool oeffnen();
    bool offen() const;
    void setSchluessel(const QVariantList& werte);
    bool speichern();
    void schliessen();
    bool aenderungOffen() const;
    void hinzufuegen();
    void rueckgaengig();
    void loeschen();

    // Rows of the form, each with its label (caption number tag, German text).
    DbDatum* datumsZeile(const QString& feld, int tag, const char* text);
    DbEdit* textZeile(const QString& feld, int tag, const char* text);
    DbMemo* memoZeile(const QString& feld, int tag, const char* text);
    DbZahl* zahlZeile(const QString& feld, int tag, const char* text);
    // A choice of fixed texts, stored as they read (an empty one first clears the field).
    DbAuswahl* auswahlZeile(const QString& feld, int tag, const char* text, const QStringList& werte);

    // One row per cat: no navigator, no "H&inzufügen" or "L&öschen"; the row is started when the cat is
    // shown and stored only once something was typed into it.
    void setEinzeln(bool einzeln);

    store::Table* tabelle() const { return m_tabelle.get(); }
    FeldBindung* bindung() const { return m_bindung.get(); }
    Navigator* navigator() const { return m_navigator; }
    QPushButton* hinzufuegenKnopf() const { return m_hinzufuegen; }
    QPushButton* rueckgaengigKnopf() const { return m_rueckgaengig; }
    QPushButton* loeschenKnopf() const { return m_loeschen; }
    void setHinzufuegenText(int tag, const QString& text);
    void uebersetzen();

    // Asked before the save question; false drops the row without a message.
    std::function<bool(store::Table&)> vorDemSpeichern;

signals:
    void gespeichert();

private:
    void aufbauen();
    void knoepfeSetzen();
    void einzelneZeileBeginnen();
    void fehlerMelden(const std::exception& e);
    QLabel* label(int tag, const char* text, QWidget* feld);

    TKatzenSeite& m_seite;
    QString m_tabellenName;
    QString m_index;
    QStringList m_verknuepfung;
    QVariantList m_schluessel;
    std::unique_ptr<store::Table> m_tabelle;
    std::unique_ptr<FeldBindung> m_bindung;
    QFormLayout* m_form = nullptr;
    QList<QWidget*> m_felder;
    bool m_einzeln = false;
    bool m_leerNeu = false; // the one row was started for the cat and nothing is typed yet
    Navigator* m_navigator = nullptr;
    QHBoxLayout* m_knopfReihe = nullptr;
    QPushButton* m_hinzufuegen = nullptr;
    QPushButton* m_rueckgaengig = nullptr;
    QPushButton* m_loeschen = nullptr;
};

} // namespace velmora::reg
