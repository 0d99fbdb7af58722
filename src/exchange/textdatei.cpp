#include "exchange/textdatei.h"

#include "store/codepage.h"

namespace velmora::exchange {

namespace {

// Latin-1 without the C1 controls: these characters have the same byte in code page 1252.
bool gleichesByte(char16_t c) {
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}

} // namespace

QString sauber(const QString& wert) {
    QString t = wert;
    for (QChar& c : t) {
        if (c == QLatin1Char(';'))
            c = QLatin1Char('-');
        else if (c == QLatin1Char('"') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return t;
}

QString flach(const QString& wert) {
    QString t = sauber(wert);
    t.replace(QChar(0xFF), QLatin1Char(' '));
    return t;
}

QString datumText(const QDate& datum, const QLocale& locale) {
    if (!datum.isValid()) return QString();
    QString f = locale.dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy"))) f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(datum, f);
}

QString logischText(const QVariant& wert) {
    if (!wert.isValid() || wert.isNull()) return QString();
    if (wert.typeId() == QMetaType::QString && wert.toString().isEmpty()) return QString();
    return wert.toBool() ? QStringLiteral("1") : QStringLiteral("0");
}

QString zahlText(const QVariant& wert) {
    const QString t = zahlAlsText(wert);
    return t.isEmpty() ? QStringLiteral("0") : t;
}

QString zahlAlsText(const QVariant& wert) {
    if (!wert.isValid() || wert.isNull()) return QString();
    if (wert.typeId() == QMetaType::QString && wert.toString().isEmpty()) return QString();
    return QString::number(wert.toLongLong());
}

void Zeichenverluste::merken(const QString& datensatz) {
    ++werte;
    if (ersteDatensaetze.size() < kErste && !ersteDatensaetze.contains(datensatz))
        ersteDatensaetze << datensatz;
}

QByteArray westlich(const QString& text, bool* verlust) {
    bool einfach = true;
    for (QChar c : text)
        if (!gleichesByte(c.unicode())) {
            einfach = false;
            break;
        }
    if (einfach) {
        *verlust = false;
        return text.toLatin1();
    }
    const QByteArray b = store::toCp1252(text);
    *verlust = store::fromCp1252(b) != text;
    return b;
}

TextDatei::~TextDatei() {
    if (m_datei) m_datei->cancelWriting();
}

bool TextDatei::oeffnen(const QString& pfad) {
    m_datei = std::make_unique<QSaveFile>(pfad);
    m_fehler = !m_datei->open(QIODevice::WriteOnly);
    return !m_fehler;
}

void TextDatei::feld(const QString& wert) {
    if (m_kodierung == Kodierung::Utf8) {
        m_puffer += wert.toUtf8();
    } else {
        bool verlust = false;
        m_puffer += westlich(wert, &verlust);
        if (verlust) m_verluste.merken(m_datensatz);
    }
    m_puffer += ';';
}

void TextDatei::zeileEnde() {
    m_puffer += "\r\n";
    ++m_zeilen;
    if (m_puffer.size() > (1 << 16)) schreibePuffer();
}

void TextDatei::schreibePuffer() {
    if (!m_datei || m_fehler) return;
    if (m_datei->write(m_puffer) != m_puffer.size()) m_fehler = true;
    m_puffer.clear();
}

bool TextDatei::abschliessen() {
    if (!m_datei) return false;
    schreibePuffer();
    const bool ok = !m_fehler && m_datei->commit();
    m_datei.reset();
    return ok;
}

} // namespace velmora::exchange
