// The picture print: every copy a print job of its own with the cat's name and the picture; a copy that
// cannot be printed is dropped and the next still comes out.

#include "printing/ui/bilddruck.h"
#include "support/pdftexte.h"
#include "support/testsupport.h"

#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace velmora;

TEST(Bilddruck, EveryCopyIsAJobOfItsOwnAndAFailedOneDoesNotStopTheNext) {
    test::TempDir dir;
    QImage bild(50, 40, QImage::Format_RGB32);
    bild.fill(Qt::darkGreen);
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setCopyCount(3);
    QStringList dateien;
    const int fertig = printing::bildKopienDrucken(
        drucker, bild, QStringLiteral("Luna - Bild"), QStringLiteral("Luna"), QFont(QStringLiteral("Arial"), 18), 3,
        [&](QPrinter& p, int kopie) {
            // The second copy goes where nothing can be written.
            dateien << (kopie == 1 ? dir.file(QStringLiteral("fehlt/kopie.pdf"))
                                   : dir.file(QStringLiteral("kopie%1.pdf").arg(kopie)));
            p.setOutputFileName(dateien.last());
        });
    EXPECT_EQ(fertig, 2);
    EXPECT_EQ(drucker.copyCount(), 1); // the copies are the jobs, not the driver's
    ASSERT_EQ(dateien.size(), 3);
    EXPECT_FALSE(QFile::exists(dateien[1]));
    for (int kopie : {0, 2}) {
        QFile f(dateien[kopie]);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << kopie;
        const test::PdfTexte pdf(f.readAll());
        EXPECT_EQ(pdf.bilder(), QList<QSize>{QSize(50, 40)});
        ASSERT_EQ(pdf.seiten().size(), 1);
        EXPECT_EQ(pdf.seiten()[0].join(QString()), QStringLiteral("Luna"));
    }
}
