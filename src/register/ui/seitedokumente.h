#pragma once
// The register's page "Dokumente": the cat's documents (date, text, path of the file) with
// "Dokument laden" and "Dokument ansehen", which opens the file with the desktop's program for it.

#include "register/ui/katzenseite.h"

#include <QUrl>
#include <functional>

class QPushButton;

namespace velmora::reg {

class TDetailGitter;

class TSeiteDokumente : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteDokumente(TCatStamm& katzenregister);

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    TDetailGitter* dokumente() const { return m_dokumente; }
    QPushButton* ladenKnopf() const { return m_laden; }
    QPushButton* ansehenKnopf() const { return m_ansehen; }

    void DokumentLadenClick();
    void DokumentAnsehenClick();

    // Opens a file with the program the desktop associates with it; false when none could.
    static std::function<bool(const QUrl&)>& oeffner();

protected:
    void laden() override;

private:
    TDetailGitter* m_dokumente = nullptr;
    QPushButton* m_laden = nullptr;
    QPushButton* m_ansehen = nullptr;
};

} // namespace velmora::reg
