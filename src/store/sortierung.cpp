#include "store/sortierung.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <cstring>
#include <string>

namespace velmora::store {

namespace {

// Base letter of a Latin-1 / Latin Extended-A character (accent removed), 0 when it has none.
char32_t baseLetter(char32_t c) {
    static const char* const latin1 = // U+00C0 .. U+00FF
        "AAAAAAACEEEEIIII"
        "DNOOOOO*OUUUUYTs"
        "aaaaaaaceeeeiiii"
        "dnooooo/ouuuuyty";
    if (c >= 0xC0 && c <= 0xFF) {
        const char b = latin1[c - 0xC0];
        return (b == '*' || b == '/') ? c : char32_t(b);
    }
    if (c >= 0x100 && c <= 0x17F) {
        static const char* const extA = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiJjJjKkkLlLlLlLlLlN"
                                        "nNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
        return char32_t(extA[c - 0x100]);
    }
    return c;
}

char32_t lowerAscii(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

// Expands to the comparison sequence: ß counts as "ss".
void fold(const QString& s, bool keepCase, std::u32string& out, std::u32string& accents) {
    out.clear();
    accents.clear();
    for (char32_t c : s.toUcs4()) {
        if (c == 0xDF) {
            out += U"ss";
            accents += U"\xDF\xDF";
            continue;
        }
        char32_t b = baseLetter(c);
        if (!keepCase) {
            b = lowerAscii(b);
            if (b > 0x7F) b = QChar::toLower(b);
        }
        out += b;
        accents += keepCase ? c : QChar::toLower(c);
    }
}

int compareFolded(const QString& a, const QString& b, bool keepCase) {
    thread_local std::u32string fa, fb, aa, ab;
    fold(a, keepCase, fa, aa);
    fold(b, keepCase, fb, ab);
    if (const int r = fa.compare(fb)) return r < 0 ? -1 : 1;
    if (const int r = aa.compare(ab)) return r < 0 ? -1 : 1;
    return 0;
}

bool isAscii(const void* p, int n) {
    auto* s = static_cast<const unsigned char*>(p);
    for (int i = 0; i < n; ++i)
        if (s[i] & 0x80) return false;
    return true;
}

int asciiNoCase(const unsigned char* a, int na, const unsigned char* b, int nb) {
    const int n = std::min(na, nb);
    for (int i = 0; i < n; ++i) {
        int ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

} // namespace

int sortierungOhneFall(void*, int na, const void* a, int nb, const void* b) {
    if (isAscii(a, na) && isAscii(b, nb))
        return asciiNoCase(static_cast<const unsigned char*>(a), na, static_cast<const unsigned char*>(b),
                           nb);
    return compareFolded(QString::fromUtf8(static_cast<const char*>(a), na),
                         QString::fromUtf8(static_cast<const char*>(b), nb), false);
}

int sortierungMitFall(void*, int na, const void* a, int nb, const void* b) {
    if (isAscii(a, na) && isAscii(b, nb)) {
        const int r = memcmp(a, b, size_t(std::min(na, nb)));
        if (r) return r < 0 ? -1 : 1;
        return na == nb ? 0 : (na < nb ? -1 : 1);
    }
    return compareFolded(QString::fromUtf8(static_cast<const char*>(a), na),
                         QString::fromUtf8(static_cast<const char*>(b), nb), true);
}

} // namespace velmora::store
