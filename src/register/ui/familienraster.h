#pragma once
// Grids of related cats on the register's pages: the litter siblings and half-siblings of the current
// cat (with the litter-size transfer) and the kittens of a litter, each with the selected cat's
// picture beside it. They only read cats, except the litter-size transfer.

#include "register/familie.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace velmora::store {
class Table;
}

namespace velmora::reg {

class TKatzenSeite;

// A read-only grid of cats and the picture of the one selected.
class TKatzenRaster : public QWidget {
    Q_OBJECT
public:
    TKatzenRaster(TKatzenSeite& seite, const char* objektName, QWidget* parent);
    ~TKatzenRaster() override;

    QTableView* gitter() const { return m_gitter; }
    QStandardItemModel* modell() const { return m_modell; }
    QLabel* bild() const { return m_bild; }
    const QList<qint32>& katzen() const { return m_katzen; }
    // The cat of the selected row; 0 without one.
    int gewaehlteKatze() const;
    // The text of a cell as shown.
    QString zelle(int zeile, int spalte) const;
    void schliessen();

signals:
    void katzeGewaehlt(int nummer);

protected:
    struct Spalte {
        int tag;
        const char* titel;
    };
    void spaltenSetzen(const QList<Spalte>& spalten);
    void zeilenSetzen(const QList<qint32>& katzen, const std::function<QStringList(qint32)>& zeile);
    bool tabellenOeffnen();
    void bildZeigen(int nummer);
    QString ohneZeichen(const QString& t) const;

    TKatzenSeite& m_seite;
    std::unique_ptr<store::Table> m_katzenTabelle, m_bilder, m_rasse, m_merkmal, m_merkmale, m_adr, m_eigen;
    QList<Spalte> m_spalten;
    QList<qint32> m_katzen;
    QTableView* m_gitter = nullptr;
    QStandardItemModel* m_modell = nullptr;
    QLabel* m_bild = nullptr;
    bool m_bildSperre = false; // the litter-size transfer runs: no picture refresh
    bool m_offen = false;

    // Values of the cat in m_katzenTabelle's current record.
    QString merkmaleVon(qint32 nummer, const QString& trenner, QStringList* liste = nullptr);
    QString katzenName(qint32 nummer);
};

// "Wurfgeschwister", "Geschwister väterlicherseits", "Geschwister mütterlicherseits" and
// "Übernahme zu Wurfgeschwistern".
class TGeschwisterRaster : public TKatzenRaster {
    Q_OBJECT
public:
    TGeschwisterRaster(TKatzenSeite& seite, QWidget* parent = nullptr);

    // The litter siblings of the page's cat: after every move and after Duplicate.
    void laden();
    GeschwisterArt art() const { return m_art; }
    QPushButton* knopf(GeschwisterArt art) const;
    QPushButton* uebernahmeKnopf() const { return m_uebernahme; }

    void zeigen(GeschwisterArt art);
    // Copies the current cat's litter size to every litter sibling shown.
    void BitBtn6Click();

private:
    GeschwisterArt m_art = GeschwisterArt::wurf;
    QPushButton* m_knoepfe[3] = {};
    QPushButton* m_uebernahme = nullptr;
};

// The kittens of one litter of the litter book: the litter's mother and birth day.
class TJungtierRaster : public TKatzenRaster {
    Q_OBJECT
public:
    TJungtierRaster(TKatzenSeite& seite, QWidget* parent = nullptr);
    void wurfSetzen(qint32 mutter, const QDate& wurftag);
    // The text of a kitten for printed litter lists, as the grid shows it.
    static bool passtInDruckspalte(const QString& text);
};

} // namespace velmora::reg
