#pragma once
// The register's page "&Zusatzinfo": the cat's features, the owner's own notes, purchase and sale, the
// second and third registration, its death date with the age reached, and the remark.

#include "register/ui/katzenseite.h"

#include <memory>

class QComboBox;
class QLabel;

namespace velmora::store {
class Table;
}

namespace velmora::reg {

class TDetailFormular;
class TDetailGitter;

class TSeiteZusatzinfo : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteZusatzinfo(TCatStamm& katzenregister);
    ~TSeiteZusatzinfo() override;

    // The age reached by a dead cat, as the register computes it.
    void setAlterTod(const QString& alter);
    QString alterTod() const;

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    TDetailGitter* merkmale() const { return m_merkmale; }
    QComboBox* merkmalWahl() const { return m_merkmalWahl; }
    TDetailFormular* eigeneInfo() const { return m_eigeneInfo; }
    TDetailFormular* kaufVerkauf() const { return m_kaufVerkauf; }

protected:
    void laden() override;

private:
    void merkmalWahlLaden();
    QVariant merkmalWert(const QVariant& merkmal, const char* feld) const;

    QLabel* m_alterTod = nullptr;
    TDetailGitter* m_merkmale = nullptr;
    QComboBox* m_merkmalWahl = nullptr;
    TDetailFormular* m_eigeneInfo = nullptr;
    TDetailFormular* m_kaufVerkauf = nullptr;
    std::unique_ptr<store::Table> m_merkmalListe;
};

} // namespace velmora::reg
