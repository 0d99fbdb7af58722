#include "common/icalendar.h"

namespace velmora::common {

QString icalText(const QString& text) {
    QString t;
    t.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            t += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\r')) {
            // CRLF and a lone CR both end a line.
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            t += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\n'))
            t += QStringLiteral("\\n");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            continue; // control characters are not allowed in a text value
        else
            t += c;
    }
    return t;
}

QByteArray icalZeile(const QString& zeile) {
    const QByteArray utf8 = zeile.toUtf8();
    QByteArray aus;
    aus.reserve(utf8.size() + utf8.size() / 70 * 3 + 2);
    int laenge = 0; // octets on the current physical line
    for (int i = 0; i < utf8.size();) {
        // The octets of one character: a lead byte and its continuation bytes (10xxxxxx).
        int n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80)
            ++n;
        if (laenge + n > 75) {
            aus += "\r\n ";
            laenge = 1; // the blank that opens the continuation counts
        }
        aus += utf8.mid(i, n);
        laenge += n;
        i += n;
    }
    aus += "\r\n";
    return aus;
}

QByteArray icalendar(const QList<KalenderEreignis>& ereignisse, const QDateTime& stamp) {
    const QString zeit = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    auto tag = [](const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")); };
    QByteArray aus;
    aus += icalZeile(QStringLiteral("BEGIN:VCALENDAR"));
    aus += icalZeile(QStringLiteral("VERSION:2.0"));
    aus += icalZeile(QStringLiteral("PRODID:-//Velmora//Velmora//DE"));
    aus += icalZeile(QStringLiteral("CALSCALE:GREGORIAN"));
    for (const KalenderEreignis& e : ereignisse) {
        if (!e.beginn.isValid()) continue;
        const QDate letzter = e.ende.isValid() && e.ende >= e.beginn ? e.ende : e.beginn;
        aus += icalZeile(QStringLiteral("BEGIN:VEVENT"));
        aus += icalZeile(QStringLiteral("UID:") + icalText(e.uid));
        aus += icalZeile(QStringLiteral("DTSTAMP:") + zeit);
        // All-day: dates only, the end is the day after the last (exclusive).
        aus += icalZeile(QStringLiteral("DTSTART;VALUE=DATE:") + tag(e.beginn));
        aus += icalZeile(QStringLiteral("DTEND;VALUE=DATE:") + tag(letzter.addDays(1)));
        aus += icalZeile(QStringLiteral("SUMMARY:") + icalText(e.titel));
        if (!e.ort.isEmpty()) aus += icalZeile(QStringLiteral("LOCATION:") + icalText(e.ort));
        if (!e.beschreibung.isEmpty())
            aus += icalZeile(QStringLiteral("DESCRIPTION:") + icalText(e.beschreibung));
        aus += icalZeile(QStringLiteral("TRANSP:TRANSPARENT"));
        aus += icalZeile(QStringLiteral("END:VEVENT"));
    }
    aus += icalZeile(QStringLiteral("END:VCALENDAR"));
    return aus;
}

} // namespace velmora::common
