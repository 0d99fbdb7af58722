#include "genealogy/htmlsyntax.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"

#include <cmath>

namespace velmora::genealogy {

namespace {

constexpr int kMaxKurztext = 255;
const QString q = QStringLiteral("\"");

struct Farbe {
    const char* englisch;
    const char* deutsch;
    qint32 wert; // 0x00BBGGRR
};

constexpr qint32 rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

const Farbe kFarben[] = {
    {"black", "Schwarz", rgb(0x00, 0x00, 0x00)},      {"maroon", "Dunkelrot", rgb(0x80, 0x00, 0x00)},
    {"green", "Grün", rgb(0x00, 0x80, 0x00)},         {"olive", "Olivgrün", rgb(0x80, 0x80, 0x00)},
    {"navy", "Marineblau", rgb(0x00, 0x00, 0x80)},    {"purple", "Purpur", rgb(0x80, 0x00, 0x80)},
    {"teal", "Blaugrün", rgb(0x00, 0x80, 0x80)},      {"gray", "Grau", rgb(0x80, 0x80, 0x80)},
    {"silver", "Silber", rgb(0xC0, 0xC0, 0xC0)},      {"red", "Rot", rgb(0xFF, 0x00, 0x00)},
    {"lime", "Gelbgrün", rgb(0x00, 0xFF, 0x00)},      {"yellow", "Gelb", rgb(0xFF, 0xFF, 0x00)},
    {"blue", "Blau", rgb(0x00, 0x00, 0xFF)},          {"fuchsia", "Violett", rgb(0xFF, 0x00, 0xFF)},
    {"aqua", "Aquamarin", rgb(0x00, 0xFF, 0xFF)},     {"white", "Weiß", rgb(0xFF, 0xFF, 0xFF)},
    {"skyblue", "Himmelblau", rgb(0xA6, 0xCA, 0xF0)}, {"moneygreen", "Minzgrün", rgb(0xC0, 0xDC, 0xC0)},
    {"medgray", "Mittelgrau", rgb(0xA0, 0xA0, 0xA4)}, {"ltgray", "Hellgrau", rgb(0xC0, 0xC0, 0xC0)},
    {"dkgray", "Dunkelgrau", rgb(0x80, 0x80, 0x80)},  {"cream", "Creme", rgb(0xFF, 0xFB, 0xF0)},
};
constexpr qint32 kWeiss = rgb(0xFF, 0xFF, 0xFF);

// The user-defined entry: caption, blank, decimal value; the rest after the caption's length.
bool eigeneFarbe(const QString& name, const QString& beschriftung, qint32& wert) {
    if (beschriftung.isEmpty() || !name.contains(beschriftung)) return false;
    bool ok = false;
    const int v = name.mid(beschriftung.size()).trimmed().toInt(&ok);
    wert = ok ? v : kWeiss;
    return true;
}

QString kurz(const QString& t) {
    return t.left(kMaxKurztext);
}

} // namespace

QString htmlMaskieren(const QString& text) {
    QString r;
    r.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            r += QLatin1String("&amp;");
            break;
        case '<':
            r += QLatin1String("&lt;");
            break;
        case '>':
            r += QLatin1String("&gt;");
            break;
        case '"':
            r += QLatin1String("&quot;");
            break;
        default:
            r += c;
        }
    }
    return r;
}

qint32 farbeAusName(const QString& name) {
    for (const Farbe& f : kFarben)
        if (name == QLatin1String(f.englisch) || name == QString::fromUtf8(f.deutsch)) return f.wert;
    qint32 wert = kWeiss;
    QString englisch = QStringLiteral("Custom colour");
    language::FeldNameSprache(1459, QStringLiteral("englisch"), englisch);
    if (eigeneFarbe(name, englisch, wert)) return wert;
    QString deutsch = QStringLiteral("Eigene Farbe");
    language::FeldNameSprache(1459, QStringLiteral("deutsch"), deutsch);
    if (eigeneFarbe(name, deutsch, wert)) return wert;
    return kWeiss;
}

QStringList htmlFarbNamenDeutsch() {
    QStringList r;
    for (const Farbe& f : kFarben)
        r << QString::fromUtf8(f.deutsch);
    return r;
}

QString farbeAlsHtml(qint32 farbe) {
    const auto hex = [](int v) {
        return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QLatin1Char('#') + hex(farbe) + hex(farbe >> 8) + hex(farbe >> 16);
}

QString farbNameAlsHtml(const QString& name) {
    return farbeAlsHtml(farbeAusName(name));
}

int potenzAlsZahl(double wert) {
    return static_cast<int>(std::lround(wert));
}

QString generationsTitel(int g, language::TSprache* sprache) {
    const auto text = [sprache](int n) { return sprache ? sprache->feldName(n) : language::feldName(n); };
    switch (g) {
    case 1:
        return text(413);
    case 2:
        return text(1273);
    case 3:
        return text(1274);
    case 4:
        return text(1484);
    default:
        return QString::number(g) + QStringLiteral(". ") + text(1483);
    }
}

THTMLController::THTMLController(const QString& _HTMLFilePath, language::TSprache* sprache)
    : m_HTMLFile(kurz(_HTMLFilePath)), m_sprache(sprache) {
    if (!m_HTMLFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        SetError(m_HTMLFile.error() ? int(m_HTMLFile.error()) : int(QFileDevice::OpenError));
        Meldungsdienst::nachricht(74, MeldungsArt::Fehler);
        return;
    }
    SetHTMLSyntax(QStringLiteral("<HTML>"));
}

THTMLController::~THTMLController() {
    Free();
}

void THTMLController::Free() {
    if (m_frei) return;
    m_frei = true;
    HTMLRows.clear();
    HTMLBild.clear();
    if (!m_HTMLFile.isOpen()) return;
    SetHTMLSyntax(QStringLiteral("</HTML>"));
    if (!m_HTMLFile.flush()) SetError(int(m_HTMLFile.error() ? m_HTMLFile.error() : QFileDevice::WriteError));
    m_HTMLFile.close();
}

void THTMLController::SetError(int Value) {
    if (m_fError == 0) m_fError = Value;
}

void THTMLController::SetHTMLSyntax(const QString& _Line) {
    if (m_fError || _Line.isEmpty() || !m_HTMLFile.isOpen()) return;
    const QByteArray zeile = _Line.toUtf8() + "\r\n";
    if (m_HTMLFile.write(zeile) != zeile.size())
        SetError(int(m_HTMLFile.error() ? m_HTMLFile.error() : QFileDevice::WriteError));
}

QString THTMLController::SetHTMLFontSize(int _FontSize) {
    int s = 7;
    if (_FontSize >= 0 && _FontSize <= 9)
        s = 1;
    else if (_FontSize >= 10 && _FontSize <= 11)
        s = 2;
    else if (_FontSize >= 12 && _FontSize <= 13)
        s = 3;
    else if (_FontSize >= 14 && _FontSize <= 17)
        s = 4;
    else if (_FontSize >= 18 && _FontSize <= 23)
        s = 5;
    else if (_FontSize >= 24 && _FontSize <= 35)
        s = 6;
    return q + QString::number(s) + q;
}

void THTMLController::SetHTMLFormattedText(QStringList& _Rows, const QString& _SA, int _SG) {
    const QString vorn = QStringLiteral("  <B><FONT FACE=\"") + htmlMaskieren(_SA) +
                         QStringLiteral("\" SIZE=") + SetHTMLFontSize(_SG) + QLatin1Char('>');
    for (const QString& zeile : std::as_const(_Rows))
        SetHTMLSyntax(vorn + zeile + QStringLiteral("</FONT></B><BR>"));
    _Rows.clear();
}

void THTMLController::SetHTMLHeader(const QString& _Title, int _Position, int _weite,
                                    const QString& _MetaName) {
    const QString W = QString::number(_weite - 30);
    QStringList z{
        QStringLiteral(" <head>"),
        QStringLiteral("  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
        QStringLiteral("  <meta name=\"GENERATOR\" content=\"") + htmlMaskieren(kurz(_MetaName)) + q +
            QLatin1Char('>'),
        QStringLiteral("  <title>") + htmlMaskieren(kurz(_Title)) + QStringLiteral("</title>"),
        QStringLiteral("  <style type=\"text/css\">"),
        QStringLiteral("  <!-- "),
    };
    if (_Position != 0)
        z << QStringLiteral("  #container {") << QStringLiteral("  margin: left;")
          << QStringLiteral("  width: ") + W + QLatin1Char(';') << QStringLiteral("  }");
    else
        z << QStringLiteral("  #container1 {") << QStringLiteral(" text-align:center;")
          << QStringLiteral(" margin: auto;") << QStringLiteral(" width: 100%;") << QStringLiteral(" }")
          << QStringLiteral(" #container2 {") << QStringLiteral(" text-align:left;")
          << QStringLiteral(" margin: auto;") << QStringLiteral(" width: ") + W + QLatin1Char(';')
          << QStringLiteral(" }");
    z << QStringLiteral("  #d1, #d2{") << QStringLiteral("  float:left;")
      << QStringLiteral("  overflow:auto;") << QStringLiteral("  position:absolute;")
      << QStringLiteral("  top:10;") << QStringLiteral("  width:") + W + QLatin1Char(';')
      << QStringLiteral("  }");
    z << QStringLiteral("  #d3{") << QStringLiteral("  position:absolute;")
      << QStringLiteral("  width:") + W + QLatin1Char(';') << QStringLiteral("  }");
    z << QStringLiteral("-->") << QStringLiteral("</style>") << QStringLiteral(" </head>");
    for (const QString& zeile : std::as_const(z))
        SetHTMLSyntax(zeile);
}

void THTMLController::SetHTMLKopfDaten(QStringList& _Rows, const QString&, int) {
    for (const QString& zeile : std::as_const(_Rows)) {
        SetHTMLSyntax(QStringLiteral("<tr> "));
        SetHTMLSyntax(zeile);
        SetHTMLSyntax(QStringLiteral("</tr> "));
    }
    _Rows.clear();
}

void THTMLController::SetHTMLTableStart(QString _PageWidth, const QString& _BorderColor, int _Border,
                                        int _cellpadding, int _cellspacing) {
    if (m_TIP) return;
    m_TIP = true;
    m_HTMLColumns = 0;
    if (_PageWidth.isEmpty()) _PageWidth = QStringLiteral("100%");
    SetHTMLSyntax(QStringLiteral("  <table  style=\"border-color:") + htmlMaskieren(_BorderColor) +
                  QStringLiteral(";border-width:") + QString::number(_Border) +
                  QStringLiteral("px;border-style:solid;\""));
    SetHTMLSyntax(QStringLiteral("         cellpadding=\"") + QString::number(_cellpadding) + q);
    SetHTMLSyntax(QStringLiteral("         cellspacing=\"") + QString::number(_cellspacing) + q);
    SetHTMLSyntax(QStringLiteral("         width=\"") + htmlMaskieren(_PageWidth) + QStringLiteral("\">"));
}

void THTMLController::SetHTMLCatTable(const QStringList& _Rows, const QStringList& _Bild, const QString& _SA,
                                      int _SG, const QString& _BorderColor) {
    const qsizetype n = _Rows.size();
    if (n < 2) return; // no generation
    const int G = static_cast<int>(std::floor(std::log2(static_cast<double>(n))));
    // Beyond the window's range the row count would explode; such a list is a caller's fault.
    if (G > 12) {
        SetError(kHtmlLayoutFehler);
        return;
    }
    m_HTMLColumns = G;
    const int zeilen = potenzAlsZahl(std::pow(2.0, G));
    qsizetype naechste = 0;
    QStringList zellen, bilder;
    for (int r = 0; r < zeilen; ++r) {
        int k = 0;
        for (int g = 1; g <= G; ++g)
            if (r % (1 << (G - g)) == 0) ++k;
        if (naechste + k > n) {
            SetError(kHtmlLayoutFehler);
            return;
        }
        for (int i = 0; i < k; ++i, ++naechste) {
            zellen << _Rows.at(naechste);
            bilder << (naechste < _Bild.size() ? _Bild.at(naechste) : QString());
        }
        SetHTMLTableRow(zellen, bilder, _SA, _SG, _BorderColor);
    }
}

void THTMLController::SetHTMLTabellenKopf(int _Gen, const QString& _SA, int _SG, const QString& _SchriftColor,
                                          const QString& _BorderColor) {
    SetHTMLSyntax(QStringLiteral("   <tr>"));
    for (int g = 1; g <= _Gen; ++g) {
        SetHTMLSyntax(QStringLiteral("    <td style=\"border-color:") + htmlMaskieren(_BorderColor) +
                      QStringLiteral(";border-width:1px;border-style:solid;\">"));
        SetHTMLSyntax(QStringLiteral("<font face=\"") + htmlMaskieren(_SA) + QStringLiteral("\" size=") +
                      SetHTMLFontSize(_SG) + QStringLiteral(" color=\"") + htmlMaskieren(_SchriftColor) +
                      QStringLiteral("\">") + htmlMaskieren(generationsTitel(g, m_sprache)) +
                      QStringLiteral("</font>"));
        SetHTMLSyntax(QStringLiteral("    </td>"));
    }
    SetHTMLSyntax(QStringLiteral("  </tr>"));
}

void THTMLController::SetHTMLTableRow(QStringList& _Rows, QStringList& _Bild, const QString& _SA, int _SG,
                                      const QString& _BorderColor) {
    if (!m_TIP || _Rows.isEmpty()) return;
    const int n = static_cast<int>(_Rows.size());
    if (m_HTMLColumns == 0) m_HTMLColumns = n;
    const QString breite = QString::number(100 / m_HTMLColumns);
    const QString td = QStringLiteral("    <td style=\"border-color:") + htmlMaskieren(_BorderColor) +
                       QStringLiteral(";border-width:1px;border-style:solid;\"");
    const QString font = QStringLiteral("     <font face=\"") + htmlMaskieren(_SA) +
                         QStringLiteral("\" size=") + SetHTMLFontSize(_SG) + QLatin1Char('>');
    SetHTMLSyntax(QStringLiteral("   <tr>"));
    int span = n >= 1 && n <= 31 ? (1 << (n - 1)) : 1;
    for (int i = 0; i < n; ++i) {
        SetHTMLSyntax(td);
        SetHTMLSyntax(QStringLiteral("     valign=\"middle\" rowspan=\"") + QString::number(span) +
                      QStringLiteral("\" width=\"") + breite + QStringLiteral("%\" height=\"0\">"));
        SetHTMLSyntax(font + _Rows.at(i) + QStringLiteral("</font>"));
        BildAusgeben(i < _Bild.size() ? _Bild.at(i) : QString());
        SetHTMLSyntax(QStringLiteral("    </td>"));
        span /= 2;
    }
    SetHTMLSyntax(QStringLiteral("   </tr>"));
    _Rows.clear();
    _Bild.clear();
}

void THTMLController::BildAusgeben(const QString& _Bild) {
    if (_Bild.isEmpty()) return;
    const QString h = _Bild.section(QLatin1Char('|'), 0, 0);
    const QString w = _Bild.section(QLatin1Char('|'), 1, 1);
    const QString f = htmlMaskieren(_Bild.section(QLatin1Char('|'), 2));
    SetHTMLSyntax(QStringLiteral("<BR><a href=\"") + f + QStringLiteral("\"> <img src=\"") + f +
                  QStringLiteral("\" alt=\"") + f + QStringLiteral(" not found\" width=\"") +
                  htmlMaskieren(w) + QStringLiteral("\" height=\"") + htmlMaskieren(h) +
                  QStringLiteral("\"   align=\"right\"></a><BR>"));
}

void THTMLController::SetHTMLTableEnd() {
    if (!m_TIP) return;
    SetHTMLSyntax(QStringLiteral("  </table>"));
    m_TIP = false;
}

void THTMLController::SetHTMLStringsExchange(const QStringList& _Dest, QStringList& _Source) {
    _Source += _Dest;
}

void THTMLController::SetHTMLHorizontalLine(const QString& _Color, const QString& _PageWidth) {
    SetHTMLSyntax(QStringLiteral(" <HR Align=\"Left\" Size=2 width=\"") + htmlMaskieren(_PageWidth) +
                  QStringLiteral("\" Color=\"") + htmlMaskieren(_Color) + QStringLiteral("\">"));
}

} // namespace velmora::genealogy
