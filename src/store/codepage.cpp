#include "store/codepage.h"

#include <cerrno>
#include <iconv.h>

namespace velmora::store {
namespace {

// The only place that knows iconv: one conversion descriptor per call keeps it free of shared state.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false on an invalid input sequence (in points at it).
    bool convert(const char*& in, size_t& inLeft, QByteArray& out) {
        char buffer[1024];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, const_cast<char**>(&in), &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(dst - buffer));
            if (rc == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

bool undefinedIn1252(uint c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

int utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

} // namespace

QByteArray toCp1252(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    Iconv cd("CP1252", "UTF-8");
    const char* in = utf8.constData();
    size_t left = static_cast<size_t>(utf8.size());
    if (!cd.ok()) {
        // Without iconv only ASCII is safe.
        for (const QChar c : text)
            out.append(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?');
        return out;
    }
    while (!cd.convert(in, left, out)) {
        const int len =
            qMin<int>(utf8SequenceLength(static_cast<unsigned char>(*in)), static_cast<int>(left));
        const QString ch = QString::fromUtf8(in, len);
        const uint code = ch.size() == 1 ? ch.at(0).unicode() : 0;
        out.append(undefinedIn1252(code) ? static_cast<char>(code) : '?');
        in += len;
        left -= static_cast<size_t>(len);
    }
    return out;
}

QString fromCp1252(const QByteArray& bytes) {
    Iconv cd("UTF-8", "CP1252");
    if (!cd.ok()) return QString::fromLatin1(bytes);
    QByteArray utf8;
    utf8.reserve(bytes.size() * 2);
    const char* in = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (!cd.convert(in, left, utf8)) {
        utf8.append(QString(QChar(static_cast<unsigned char>(*in))).toUtf8());
        ++in;
        --left;
    }
    return QString::fromUtf8(utf8);
}

} // namespace velmora::store
