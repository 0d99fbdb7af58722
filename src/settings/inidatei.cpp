#include "settings/inidatei.h"

#include "store/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora::settings {
namespace {

QString sektionsName(const QString& zeile) {
    const QString t = zeile.trimmed();
    if (!t.startsWith(QLatin1Char('['))) return {};
    const int ende = t.indexOf(QLatin1Char(']'));
    if (ende < 0) return {};
    return t.mid(1, ende - 1).trimmed();
}

bool istSektion(const QString& zeile) {
    const QString t = zeile.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'));
}

bool istKommentar(const QString& zeile) {
    const QString t = zeile.trimmed();
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

bool gleich(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a value would split it into lines of its own.
QString einzeilig(QString wert) {
    wert.replace(QLatin1String("\r\n"), QLatin1String(" "));
    wert.replace(QLatin1Char('\r'), QLatin1Char(' '));
    wert.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return wert;
}

QLocale zahlenLocale(QLocale l) {
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l;
}

// Two-digit years would read back a century off, so the short format always carries four.
QString datumsFormat(const QLocale& locale) {
    QString f = locale.dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy"))) f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

// Strict: a code page 1252 file with an umlaut next to plain letters is never valid UTF-8.
bool istGueltigesUtf8(const QByteArray& bytes, QString* text) {
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = dec.decode(bytes);
    return !dec.hasError();
}

bool nurAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

int zweistelligesJahr(int jahr, const QDate& heute) {
    // The parser gives 19xx for "yy"; the window runs from 50 years back to 49 ahead.
    const int schwelle = heute.year() - 50;
    int j = schwelle - schwelle % 100 + jahr % 100;
    if (j < schwelle) j += 100;
    return j;
}

} // namespace

bool IniDatei::lesen() {
    m_zeilen.clear();
    m_utf8 = m_bom = false;
    QFile f(m_pfad);
    if (!f.exists()) return true;
    if (!f.open(QIODevice::ReadOnly)) return false;
    setzeDaten(f.readAll());
    return true;
}

void IniDatei::setzeDaten(QByteArray bytes) {
    m_utf8 = m_bom = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_utf8 = m_bom = true;
        bytes.remove(0, 3);
    }
    QString text;
    if (m_bom || (!nurAscii(bytes) && istGueltigesUtf8(bytes, &text))) {
        m_utf8 = true;
        if (m_bom) istGueltigesUtf8(bytes, &text);
        setzeText(text);
    } else {
        setzeText(store::fromCp1252(bytes));
    }
}

void IniDatei::setzeText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_zeilen = t.split(QLatin1Char('\n'));
    if (!m_zeilen.isEmpty() && m_zeilen.last().isEmpty()) m_zeilen.removeLast();
}

int IniDatei::findeSektion(const QString& sektion) const {
    for (int i = 0; i < m_zeilen.size(); ++i)
        if (istSektion(m_zeilen.at(i)) && gleich(sektionsName(m_zeilen.at(i)), sektion)) return i;
    return -1;
}

int IniDatei::findeSchluessel(const QString& sektion, const QString& schluessel, QString* wert) const {
    const int s = findeSektion(sektion);
    if (s < 0) return -1;
    for (int i = s + 1; i < m_zeilen.size() && !istSektion(m_zeilen.at(i)); ++i) {
        const QString& z = m_zeilen.at(i);
        if (istKommentar(z)) continue;
        const int eq = z.indexOf(QLatin1Char('='));
        if (eq < 0 || !gleich(z.left(eq).trimmed(), schluessel)) continue;
        if (wert) *wert = z.mid(eq + 1).trimmed();
        return i;
    }
    return -1;
}

bool IniDatei::enthaelt(const QString& sektion, const QString& schluessel) const {
    return findeSchluessel(sektion, schluessel) >= 0;
}

QString IniDatei::leseText(const QString& sektion, const QString& schluessel, const QString& vorgabe) const {
    QString w;
    return findeSchluessel(sektion, schluessel, &w) >= 0 ? w : vorgabe;
}

int IniDatei::leseZahl(const QString& sektion, const QString& schluessel, int vorgabe) const {
    QString w;
    if (findeSchluessel(sektion, schluessel, &w) < 0) return vorgabe;
    bool ok = false;
    const int v = parseZahl(w, &ok);
    return ok ? v : vorgabe;
}

bool IniDatei::leseBool(const QString& sektion, const QString& schluessel, bool vorgabe) const {
    return leseZahl(sektion, schluessel, vorgabe ? 1 : 0) != 0;
}

double IniDatei::leseReal(const QString& sektion, const QString& schluessel, double vorgabe,
                          const QLocale& locale) const {
    QString w;
    if (findeSchluessel(sektion, schluessel, &w) < 0) return vorgabe;
    bool ok = false;
    const double v = parseReal(w, locale, &ok);
    return ok ? v : vorgabe;
}

QDate IniDatei::leseDatum(const QString& sektion, const QString& schluessel, const QLocale& locale) const {
    return parseDatum(leseText(sektion, schluessel), locale);
}

void IniDatei::setzeWert(const QString& sektion, const QString& schluessel, const QString& wert) {
    const QString v = einzeilig(wert);
    const int k = findeSchluessel(sektion, schluessel);
    if (k >= 0) {
        // Keep the key as the file spells it, so the line changes in its value only.
        const QString& alt = m_zeilen.at(k);
        m_zeilen[k] = alt.left(alt.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + v;
        return;
    }
    const int s = findeSektion(sektion);
    const QString neu = schluessel + QLatin1Char('=') + v;
    if (s < 0) {
        if (!m_zeilen.isEmpty() && !m_zeilen.last().trimmed().isEmpty()) m_zeilen.append(QString());
        m_zeilen.append(QLatin1Char('[') + sektion + QLatin1Char(']'));
        m_zeilen.append(neu);
        return;
    }
    // After the section's last entry, so a blank line or a comment heading the next section stays
    // with that section.
    int nach = s;
    for (int i = s + 1; i < m_zeilen.size() && !istSektion(m_zeilen.at(i)); ++i)
        if (!m_zeilen.at(i).trimmed().isEmpty() && !istKommentar(m_zeilen.at(i))) nach = i;
    m_zeilen.insert(nach + 1, neu);
}

QByteArray IniDatei::inhalt() const {
    QString text;
    for (const QString& z : m_zeilen)
        text += z + QLatin1String("\r\n");
    if (!m_utf8) return store::toCp1252(text);
    QStringEncoder enc(QStringEncoder::Utf8);
    QByteArray bytes = enc.encode(text);
    if (m_bom) bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

bool IniDatei::speichern() const {
    QSaveFile f(m_pfad);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(inhalt()) < 0) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool IniDatei::schreibe(const QString& pfad, const QList<IniEintrag>& eintraege) {
    IniDatei d(pfad);
    // An unreadable file must not be replaced by one that holds only the new keys.
    if (!d.lesen()) return false;
    for (const IniEintrag& e : eintraege)
        d.setzeWert(e.sektion, e.schluessel, e.wert);
    return d.speichern();
}

QString boolText(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString realText(double v, const QLocale& locale) {
    return zahlenLocale(locale).toString(v, 'g', 15);
}

QString datumText(const QDate& d, const QLocale& locale) {
    return d.isValid() ? locale.toString(d, datumsFormat(locale)) : QStringLiteral("0");
}

double parseReal(const QString& text, const QLocale& locale, bool* ok) {
    const QString t = text.trimmed();
    bool good = false;
    double v = zahlenLocale(locale).toDouble(t, &good);
    if (!good) v = zahlenLocale(QLocale::c()).toDouble(t, &good);
    if (!good) {
        QString komma = t;
        komma.replace(QLatin1Char(','), QLatin1Char('.'));
        v = zahlenLocale(QLocale::c()).toDouble(komma, &good);
    }
    if (ok) *ok = good;
    return good ? v : 0.0;
}

QDate parseDatum(const QString& text, const QLocale& locale, const QDate& heute) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("0")) return {};
    for (const QString& f : {datumsFormat(locale), locale.dateFormat(QLocale::ShortFormat),
                             QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd.MM.yyyy")}) {
        const QDate d = locale.toDate(t, f);
        if (!d.isValid()) continue;
        if (f.contains(QLatin1String("yyyy"))) return d;
        const QDate verschoben(zweistelligesJahr(d.year(), heute), d.month(), d.day());
        return verschoben.isValid() ? verschoben : d; // 29 February of a year that has none
    }
    return {};
}

int parseZahl(const QString& text, bool* ok) {
    const QString t = text.trimmed();
    bool good = false;
    int v = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && t.size() > 2)
        v = t.mid(2).toInt(&good, 16);
    else if (t.startsWith(QLatin1Char('$')) && t.size() > 1)
        v = t.mid(1).toInt(&good, 16);
    else
        v = t.toInt(&good, 10);
    if (ok) *ok = good;
    return good ? v : 0;
}

} // namespace velmora::settings
