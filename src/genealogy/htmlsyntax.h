#pragma once
// The HTML writer of the pedigree page: one operation per fixed piece of the page, written line by line.
// It knows nothing about cats; it is given texts, colours, fonts and sizes.
//
// Errors are collected, not raised: the first error code is kept and nothing is written after it; the
// caller asks for the code at the end (fError). Codes are QFileDevice::FileError values, or 1000 for a
// failure while laying out the pedigree cells.
//
// Escaping: plain texts the writer is given (title, generator name, font faces, colours, picture file
// names) are escaped here. Lines and cells are markup composed by the caller, who escapes the register
// texts in them with htmlMaskieren.
//
// The file is UTF-8 and its head says so, so that names in any script survive; lines end in CR LF.

#include <QFile>
#include <QString>
#include <QStringList>

namespace velmora::language {
class TSprache;
}

namespace velmora::genealogy {

constexpr int kHtmlLayoutFehler = 1000;

// "&", "<", ">" and the double quote as entities, so a register text shows as typed and cannot add markup.
QString htmlMaskieren(const QString& text);

// Colour value (red in the lowest byte) of a colour name: the 22 English and German names, a user-defined
// entry (caption 1459 of the English, failing that the German texts, then the decimal value); white
// otherwise.
qint32 farbeAusName(const QString& name);
// The German names of the colour table, in its order (the frame colour list offers them).
QStringList htmlFarbNamenDeutsch();
// "#RRGGBB" of a colour value.
QString farbeAlsHtml(qint32 farbe);
// Both combined.
QString farbNameAlsHtml(const QString& name);
// A computed power of two as a whole number (rounded, so 2^11 computed as 2047.9999 gives 2048).
int potenzAlsZahl(double wert);
// The title above a generation column: parents, grandparents, ...; from 5 on "5. Generation".
QString generationsTitel(int g, language::TSprache* sprache = nullptr);

class THTMLController {
public:
    // Create: opens the file for writing, emptying an existing one; on failure records the code and
    // shows message 74. Writes "<HTML>" otherwise.
    explicit THTMLController(const QString& _HTMLFilePath, language::TSprache* sprache = nullptr);
    // Free, when not called before.
    ~THTMLController();
    THTMLController(const THTMLController&) = delete;
    THTMLController& operator=(const THTMLController&) = delete;

    void SetHTMLFormattedText(QStringList& _Rows, const QString& _SA, int _SG);
    void SetHTMLHeader(const QString& _Title, int _Position, int _weite, const QString& _MetaName);
    void SetHTMLKopfDaten(QStringList& _Rows, const QString& _SA, int _SG);
    void SetHTMLTableStart(QString _PageWidth, const QString& _BorderColor, int _Border, int _cellpadding,
                           int _cellspacing);
    void SetHTMLCatTable(const QStringList& _Rows, const QStringList& _Bild, const QString& _SA, int _SG,
                         const QString& _BorderColor);
    void SetHTMLTabellenKopf(int _Gen, const QString& _SA, int _SG, const QString& _SchriftColor,
                             const QString& _BorderColor);
    void SetHTMLTableRow(QStringList& _Rows, QStringList& _Bild, const QString& _SA, int _SG,
                         const QString& _BorderColor);
    // _Bild: "height|width|file name", or empty for none.
    void BildAusgeben(const QString& _Bild);
    void SetHTMLTableEnd();
    void SetHTMLSyntax(const QString& _Line);
    static void SetHTMLStringsExchange(const QStringList& _Dest, QStringList& _Source);
    void SetHTMLHorizontalLine(const QString& _Color, const QString& _PageWidth);
    static QString SetHTMLFontSize(int _FontSize);
    void SetError(int Value);
    // Writes "</HTML>" (unless an error is recorded) and closes the file. A failure to flush the last
    // lines is recorded too, so ask fError after Free as well.
    void Free();

    int fError() const { return m_fError; }
    bool TIP() const { return m_TIP; }
    int HTMLColumns() const { return m_HTMLColumns; }

    QStringList HTMLRows;
    QStringList HTMLBild;

private:
    QFile m_HTMLFile;
    int m_fError = 0;
    bool m_TIP = false;
    int m_HTMLColumns = 0;
    bool m_frei = false;
    language::TSprache* m_sprache;
};

} // namespace velmora::genealogy
