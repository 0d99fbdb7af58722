#pragma once
// One page of the matings window: a caption and rows of a label and a read-only value, with the value
// fields in the sex colour of the cat the page describes. The cat, partner, litter and kitten pages are
// instances with their own rows; the print reads the rows back as they are shown.

#include <QIcon>
#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QFormLayout;
class QPlainTextEdit;

namespace velmora::genealogy {

// The pictures of the matings and descendants trees: 0 female, 1 male, 2 none, 3 litter or placeholder.
QIcon baumBild(int nr);

class TVerpaarungSeite : public QWidget {
    Q_OBJECT
public:
    TVerpaarungSeite(const QString& name, int tag, const QString& titel, QWidget* parent = nullptr);

    // A row whose value field has the object and accessible name `feld`; `zeilen` > 1 for a list.
    void zeile(const QString& feld, int tag, const QString& beschriftung, int zeilen = 1);
    void setzen(const QString& feld, const QString& wert);
    QString wert(const QString& feld) const;
    void leeren();
    // The value fields' background: none for the normal one.
    void setzeFarbe(std::optional<int> farbwert);
    std::optional<int> farbe() const { return m_farbe; }

    QString titel() const;
    // Caption and value of every row, in order.
    QList<QPair<QString, QString>> zeilen() const;

private:
    QLabel* m_titel = nullptr;
    QFormLayout* m_form = nullptr;
    QList<QPair<QLabel*, QPlainTextEdit*>> m_zeilen;
    std::optional<int> m_farbe;
};

} // namespace velmora::genealogy
