#pragma once
// The register's page "&Stammdaten": the cat's base data fields, the title boxes, the short inbreeding
// figures, the picture and remark, the parents and the breeder's and owner's boxes. The page builds its
// controls; the register owns the record they are bound to and answers their edits.

#include <QScrollArea>

namespace velmora::reg {

class TCatStamm;

class TSeiteStammdaten : public QScrollArea {
    Q_OBJECT
public:
    explicit TSeiteStammdaten(TCatStamm& r, QWidget* parent = nullptr);
};

} // namespace velmora::reg
