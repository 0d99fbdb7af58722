#pragma once
// Reading the texts back out of the PDFs Qt writes, so a test can check what a print contains.

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QStringList>

namespace velmora::test {

// A small reader for the PDFs Qt writes, independent of the drawing code: per page (in the order of
// the page tree) the texts of its BT..ET blocks, glyph codes turned back into characters through the
// fonts' ToUnicode maps. Enough for Qt's output (Flate streams, "<code> Tj" per glyph), not for any PDF.
class PdfTexte {
public:
    explicit PdfTexte(const QByteArray& pdf) {
        static const QRegularExpression objekt(QStringLiteral("(\\d+) 0 obj(.*?)endobj"),
                                               QRegularExpression::DotMatchesEverythingOption);
        const QString text = QString::fromLatin1(pdf);
        for (auto it = objekt.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            m_objekte.insert(m.captured(1).toInt(), m.captured(2).toLatin1());
        }
    }

    QList<QStringList> seiten() const {
        QList<QStringList> result;
        static const QRegularExpression seitenbaum(
            QStringLiteral("/Type\\s*/Pages\\s*/Kids\\s*\\[([^\\]]*)\\]"));
        for (const QByteArray& o : m_objekte) {
            const auto m = seitenbaum.match(QString::fromLatin1(o));
            if (!m.hasMatch()) continue;
            for (int nr : verweise(m.captured(1)))
                result.append(seitentexte(m_objekte.value(nr)));
        }
        return result;
    }

    // Width and height in pixels of every picture the file holds, in object order.
    QList<QSize> bilder() const {
        static const QRegularExpression bild(
            QStringLiteral("/Subtype\\s*/Image\\s*/Width\\s+(\\d+)\\s*/Height\\s+(\\d+)"));
        QList<QSize> result;
        for (const QByteArray& o : m_objekte) {
            const auto m = bild.match(QString::fromLatin1(o));
            if (m.hasMatch()) result.append(QSize(m.captured(1).toInt(), m.captured(2).toInt()));
        }
        return result;
    }

private:
    static QList<int> verweise(const QString& text) {
        static const QRegularExpression verweis(QStringLiteral("(\\d+) 0 R"));
        QList<int> result;
        for (auto it = verweis.globalMatch(text); it.hasNext();)
            result.append(it.next().captured(1).toInt());
        return result;
    }
    int verweis(const QByteArray& objekt, const char* schluessel) const {
        const QRegularExpression re(QString::fromLatin1(schluessel) + QStringLiteral("\\s+(\\d+) 0 R"));
        const auto m = re.match(QString::fromLatin1(objekt));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
    QByteArray strom(int nr) const {
        const QByteArray o = m_objekte.value(nr);
        const qsizetype anfang = o.indexOf("stream\n");
        const qsizetype ende = o.lastIndexOf("endstream");
        if (anfang < 0 || ende < 0) return {};
        QByteArray daten = o.mid(anfang + 7, ende - anfang - 7);
        if (!o.left(anfang).contains("/FlateDecode")) return daten;
        // qUncompress wants the zlib data behind a 4-byte size hint; it grows its buffer when needed.
        const quint32 hinweis = quint32(daten.size()) * 8 + 1024;
        QByteArray mitLaenge;
        mitLaenge.append(char(hinweis >> 24)).append(char(hinweis >> 16)).append(char(hinweis >> 8));
        mitLaenge.append(char(hinweis)).append(daten);
        return qUncompress(mitLaenge);
    }
    // glyph code -> characters, from bfrange/bfchar entries.
    QHash<int, QString> zeichentabelle(int fontNr) const {
        QHash<int, QString> tabelle;
        const QString cmap = QString::fromLatin1(strom(verweis(m_objekte.value(fontNr), "/ToUnicode")));
        auto zeichen = [](const QString& hex) {
            QString s;
            for (int i = 0; i + 4 <= hex.size(); i += 4)
                s.append(QChar(hex.mid(i, 4).toUShort(nullptr, 16)));
            return s;
        };
        static const QRegularExpression bereich(
            QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
        static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
        const qsizetype r0 = cmap.indexOf(QLatin1String("beginbfrange"));
        const qsizetype r1 = cmap.indexOf(QLatin1String("endbfrange"));
        if (r0 >= 0 && r1 > r0) {
            for (auto it = bereich.globalMatch(cmap.mid(r0, r1 - r0)); it.hasNext();) {
                const auto m = it.next();
                const int von = m.captured(1).toInt(nullptr, 16);
                const int bis = m.captured(2).toInt(nullptr, 16);
                if (m.captured(3).startsWith(QLatin1Char('['))) {
                    int code = von;
                    for (auto h = hex.globalMatch(m.captured(3)); h.hasNext() && code <= bis; ++code)
                        tabelle.insert(code, zeichen(h.next().captured(1)));
                } else {
                    const int erstes = m.captured(3).mid(1, 4).toInt(nullptr, 16);
                    for (int code = von; code <= bis; ++code)
                        tabelle.insert(code, QString(QChar(erstes + code - von)));
                }
            }
        }
        static const QRegularExpression einzeln(QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"));
        const qsizetype c0 = cmap.indexOf(QLatin1String("beginbfchar"));
        const qsizetype c1 = cmap.indexOf(QLatin1String("endbfchar"));
        if (c0 >= 0 && c1 > c0)
            for (auto it = einzeln.globalMatch(cmap.mid(c0, c1 - c0)); it.hasNext();) {
                const auto m = it.next();
                tabelle.insert(m.captured(1).toInt(nullptr, 16), zeichen(m.captured(2)));
            }
        return tabelle;
    }
    QStringList seitentexte(const QByteArray& seite) const {
        QHash<QString, QHash<int, QString>> fonts;
        static const QRegularExpression fontEintrag(QStringLiteral("/(\\w+)\\s+(\\d+) 0 R"));
        const QString res = QString::fromLatin1(m_objekte.value(verweis(seite, "/Resources")));
        const qsizetype f0 = res.indexOf(QLatin1String("/Font"));
        if (f0 >= 0) {
            const QString block = res.mid(f0, res.indexOf(QLatin1String(">>"), f0) - f0);
            for (auto it = fontEintrag.globalMatch(block); it.hasNext();) {
                const auto m = it.next();
                fonts.insert(m.captured(1), zeichentabelle(m.captured(2).toInt()));
            }
        }
        static const QRegularExpression befehl(
            QStringLiteral("(BT)|(ET)|/(\\w+)\\s+[\\d.]+\\s+Tf|<([0-9A-Fa-f]+)>\\s*Tj"));
        QStringList texte;
        QString aktuell;
        QHash<int, QString> font;
        const QString inhalt = QString::fromLatin1(strom(verweis(seite, "/Contents")));
        for (auto it = befehl.globalMatch(inhalt); it.hasNext();) {
            const auto m = it.next();
            if (!m.captured(1).isEmpty()) {
                aktuell.clear();
            } else if (!m.captured(2).isEmpty()) {
                texte.append(aktuell);
            } else if (!m.captured(3).isEmpty()) {
                font = fonts.value(m.captured(3));
            } else {
                const QString codes = m.captured(4);
                for (int i = 0; i + 4 <= codes.size(); i += 4) {
                    QString z = font.value(codes.mid(i, 4).toInt(nullptr, 16), QStringLiteral("?"));
                    // Qt maps the blank glyph to a tab in its ToUnicode tables.
                    z.replace(QLatin1Char('\t'), QLatin1Char(' '));
                    aktuell += z;
                }
            }
        }
        return texte;
    }

    QMap<int, QByteArray> m_objekte;
};

} // namespace velmora::test
