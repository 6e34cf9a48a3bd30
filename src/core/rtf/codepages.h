#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QStringDecoder;

// Code page numbers are Windows code pages (1252, 932, 10000 = Mac Roman, 65001 = UTF-8).
// Code page 0 stands for "no code page given" and is read as Windows-1252. 42 stands for the
// Symbol font's own character set.
namespace CodePage {
constexpr int Ansi = 1252;
constexpr int Symbol = 42;
constexpr int Utf8 = 65001;
} // namespace CodePage

// The code page an RTF \fcharset number selects; 0 when the charset leaves it to the
// document's \ansicpg (ANSI and DEFAULT charsets, unknown numbers).
int CodePageForCharset(int charset);

// True when text in this code page can be decoded (built in or provided by ICU).
bool IsCodePageSupported(int codepage);

// Decodes a whole byte string; bytes the code page cannot map become U+FFFD, unknown code
// pages fall back to Windows-1252.
QString DecodeCodePage(int codepage, const QByteArray& bytes);

// Encodes text; characters the code page cannot hold become '?' and clear *lossless.
// Unknown code pages fall back to Windows-1252.
QByteArray EncodeCodePage(int codepage, const QString& text, bool* lossless = nullptr);

// A decoder that keeps its state between calls, so a double-byte character split over two
// calls is still read as one. Cheap to reuse; create one per code page, not per call.
class TCodePageDecoder {
public:
    explicit TCodePageDecoder(int codepage);
    ~TCodePageDecoder();
    TCodePageDecoder(const TCodePageDecoder&) = delete;
    TCodePageDecoder& operator=(const TCodePageDecoder&) = delete;

    int codePage() const { return m_codepage; }
    // Decodes the next bytes; a lead byte at the end is kept for the next call.
    QString decode(const char* data, qsizetype size);
    QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }
    // Decodes the next bytes onto the end of out.
    void decodeAppend(const char* data, qsizetype size, QString& out);
    // Forgets a pending lead byte.
    void reset();

private:
    int m_codepage;
    std::unique_ptr<QStringDecoder> m_icu; // null for the built-in tables
};
