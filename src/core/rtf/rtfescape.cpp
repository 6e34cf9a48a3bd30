#include "rtf/rtfescape.h"

namespace {

// Windows-1252 0x80..0x9f; the rest of the upper half is Latin-1. 0 marks an unused byte.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// What a reader that knows no Unicode shows instead: the base letter of an accented one,
// a plain dash or quote for typographic ones, else "?".
uchar fallback(char32_t ch) {
    switch (ch) {
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2015:
    case 0x2212:
        return '-';
    case 0x2032:
    case 0x201B:
        return '\'';
    case 0x2033:
    case 0x201F:
        return '"';
    case 0x25E6:
        return 'o';
    case 0x25AA:
    case 0x25CF:
        return 0x95;
    default:
        break;
    }
    if (ch < 0x10000) {
        const QString decomposed = QChar(char16_t(ch)).decomposition();
        if (!decomposed.isEmpty()) {
            const uchar b = RtfEscape::toWindows1252(decomposed.at(0).unicode());
            if (b >= 0x20 && b != '\\' && b != '{' && b != '}')
                return b;
        }
    }
    return '?';
}

void appendByte(QByteArray& out, uchar b) {
    static const char hex[] = "0123456789abcdef";
    if (b >= 0x20 && b < 0x80) {
        if (b == '\\' || b == '{' || b == '}')
            out.append('\\');
        out.append(char(b));
    } else {
        out.append("\\'");
        out.append(hex[b >> 4]);
        out.append(hex[b & 15]);
    }
}

void appendUnicode(QByteArray& out, char16_t unit, char32_t forFallback) {
    out.append("\\u");
    out.append(QByteArray::number(int(qint16(unit)))); // RTF writes \u as a signed 16-bit number
    const uchar fb = fallback(forFallback);
    if (fb >= 0x80 || fb == '\\' || fb == '{' || fb == '}' || fb < 0x20)
        appendByte(out, fb);
    else {
        out.append(' ');
        out.append(char(fb));
    }
}

} // namespace

uchar RtfEscape::toWindows1252(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return uchar(ch);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == ch && ch != 0)
            return uchar(0x80 + i);
    return 0;
}

void RtfEscape::appendText(QByteArray& out, QStringView s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t ch = s.at(i).unicode();
        if (ch >= 0x20 && ch < 0x7F) {
            if (ch == '\\' || ch == '{' || ch == '}')
                out.append('\\');
            out.append(char(ch));
            continue;
        }
        switch (ch) {
        case u'\t':
            out.append("\\tab ");
            continue;
        case 0x2028: // QChar::LineSeparator, Shift+Enter in the editor
        case u'\n':
            out.append("\\line ");
            continue;
        case 0x00A0:
            out.append("\\~");
            continue;
        case 0x00AD:
            out.append("\\-");
            continue;
        case 0x2011:
            out.append("\\_");
            continue;
        case 0xFFFC:
        case 0x2029:
            continue;
        default:
            break;
        }
        if (ch < 0x20 || ch == 0x7F)
            continue;
        if (QChar::isHighSurrogate(ch) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            const char32_t full = QChar::surrogateToUcs4(ch, s.at(i + 1).unicode());
            appendUnicode(out, ch, full);
            appendUnicode(out, s.at(i + 1).unicode(), full);
            ++i;
            continue;
        }
        if (QChar::isSurrogate(ch))
            continue; // a lone surrogate is no character
        if (const uchar b = toWindows1252(ch))
            appendByte(out, b);
        else
            appendUnicode(out, ch, ch);
    }
}
