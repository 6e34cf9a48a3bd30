#include "rtf/codepages.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five holes map to themselves,
// as Windows' own conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Symbol font's Greek letters and the few signs documents use it for (bullets above all);
// other positions keep the private-use code Windows gives them (U+F000 + byte).
char16_t SymbolChar(unsigned char c) {
    static constexpr char16_t upper[26] = {
        0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399, 0x3D1, 0x39A, 0x39B, 0x39C,
        0x39D, 0x39F, 0x3A0, 0x398, 0x3A1, 0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
    if (c >= 'A' && c <= 'Z')
        return upper[c - 'A'];
    if (c >= 'a' && c <= 'z') {
        const char16_t u = upper[c - 'a'];
        if (c == 'j')
            return 0x3D5;
        if (c == 'v')
            return 0x3D6;
        return u + 0x20;
    }
    switch (c) {
    case 0xB7:
        return 0x2022;
    case 0xA7:
        return 0x2663;
    case 0xA8:
        return 0x2666;
    case 0xA9:
        return 0x2665;
    case 0xAA:
        return 0x2660;
    case 0xB0:
        return 0x00B0;
    case 0xB1:
        return 0x00B1;
    case 0xB4:
        return 0x00D7;
    case 0xB8:
        return 0x00F7;
    case 0xAE:
        return 0x2192;
    case 0xAC:
        return 0x2190;
    case 0xE0:
        return 0x25CA;
    case 0xD3:
        return 0x00A9;
    case 0xD2:
        return 0x00AE;
    }
    if (c < 0x80)
        return c;
    return 0xF000 + c;
}

const char* IcuName(int cp) {
    switch (cp) {
    case 437:
        return "ibm437";
    case 850:
        return "ibm850";
    case 852:
        return "ibm852";
    case 866:
        return "ibm866";
    case 874:
        return "windows-874";
    case 932:
        return "windows-31j";
    case 936:
        return "windows-936";
    case 949:
        return "windows-949";
    case 950:
        return "windows-950";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    case 10006:
        return "x-mac-greek";
    case 10007:
        return "x-mac-cyrillic";
    case 10029:
        return "x-mac-centraleurope";
    case 20866:
        return "koi8-r";
    case 21866:
        return "koi8-u";
    case 28592:
        return "iso-8859-2";
    case 28595:
        return "iso-8859-5";
    case 28597:
        return "iso-8859-7";
    case 28605:
        return "iso-8859-15";
    }
    return nullptr;
}

bool IsBuiltIn(int cp) {
    return cp == 0 || cp == 1252 || cp == 28591 || cp == 20127 || cp == CodePage::Symbol ||
           cp == CodePage::Utf8;
}

QString DecodeBuiltIn(int cp, const char* data, qsizetype size) {
    if (cp == CodePage::Utf8)
        return QString::fromUtf8(data, size);
    QString out(size, Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (cp == CodePage::Symbol)
            dst[i] = SymbolChar(c);
        else if (c >= 0x80 && c < 0xA0 && cp != 28591)
            dst[i] = kCp1252High[c - 0x80];
        else
            dst[i] = c;
    }
    return out;
}

bool IsAscii(const char* data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

int CodePageForCharset(int charset) {
    switch (charset) {
    case 2:
        return CodePage::Symbol;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
    case 179:
    case 180:
    case 181:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    }
    return 0;
}

bool IsCodePageSupported(int codepage) {
    if (IsBuiltIn(codepage))
        return true;
    const char* name = IcuName(codepage);
    return name && QStringDecoder(name).isValid();
}

QString DecodeCodePage(int codepage, const QByteArray& bytes) {
    TCodePageDecoder decoder(codepage);
    return decoder.decode(bytes);
}

QByteArray EncodeCodePage(int codepage, const QString& text, bool* lossless) {
    if (lossless)
        *lossless = true;
    if (codepage == CodePage::Utf8)
        return text.toUtf8();
    if (!IsBuiltIn(codepage) || codepage == CodePage::Symbol) {
        const char* name = IcuName(codepage);
        if (name) {
            QStringEncoder encoder(name);
            QStringDecoder check(name);
            if (encoder.isValid() && check.isValid()) {
                // ICU substitutes silently; a round trip tells whether anything was lost.
                QByteArray out = encoder.encode(text);
                if (lossless && QString(check.decode(out)) != text)
                    *lossless = false;
                return out;
            }
        }
    }
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(static_cast<char>(u));
            continue;
        }
        char found = 0;
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == u)
                found = static_cast<char>(0x80 + i);
        if (found) {
            out.append(found);
        } else {
            out.append('?');
            if (lossless)
                *lossless = false;
        }
    }
    return out;
}

TCodePageDecoder::TCodePageDecoder(int codepage) : m_codepage(codepage) {
    if (IsBuiltIn(codepage))
        return;
    if (const char* name = IcuName(codepage)) {
        m_icu = std::make_unique<QStringDecoder>(name);
        if (!m_icu->isValid())
            m_icu.reset();
    }
    if (!m_icu)
        m_codepage = CodePage::Ansi;
}

TCodePageDecoder::~TCodePageDecoder() = default;

QString TCodePageDecoder::decode(const char* data, qsizetype size) {
    if (size <= 0)
        return {};
    if (!m_icu) {
        // Most runs are pure ASCII, which every supported code page but Symbol keeps.
        if (m_codepage != CodePage::Symbol && IsAscii(data, size))
            return QString::fromLatin1(data, size);
        return DecodeBuiltIn(m_codepage, data, size);
    }
    return m_icu->decode(QByteArrayView(data, size));
}

void TCodePageDecoder::decodeAppend(const char* data, qsizetype size, QString& out) {
    if (size <= 0)
        return;
    if (!m_icu && m_codepage != CodePage::Symbol && IsAscii(data, size)) {
        out.append(QLatin1StringView(data, size));
        return;
    }
    out.append(decode(data, size));
}

void TCodePageDecoder::reset() {
    if (m_icu)
        m_icu->resetState();
}
