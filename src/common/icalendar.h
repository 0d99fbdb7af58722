#pragma once
// Calendar files any calendar program imports (iCalendar): one all-day VEVENT per entry, UTF-8, lines
// ended by CRLF and folded after at most 75 octets without splitting a character, texts escaped.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace velmora::common {

struct KalenderEreignis {
    QString uid;   // unique and stable for the same entry, so a second import updates it
    QDate beginn;  // first day
    QDate ende;    // last day (inclusive); invalid or before beginn: one day
    QString titel; // SUMMARY
    QString ort;   // LOCATION, left out when empty
    QString beschreibung; // DESCRIPTION, left out when empty
};

// The escaped form of a text value: backslash, semicolon and comma escaped, line breaks as \n.
QString icalText(const QString& text);
// One content line folded: CRLF plus a blank after at most 75 octets, never inside a UTF-8 sequence.
QByteArray icalZeile(const QString& zeile);
// The whole calendar; stamp is DTSTAMP of every event (UTC). Events without a valid first day are
// left out.
QByteArray icalendar(const QList<KalenderEreignis>& ereignisse, const QDateTime& stamp);

} // namespace velmora::common
