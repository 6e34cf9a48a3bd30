#pragma once

#include <QByteArray>
#include <QString>

// Text as RTF: Windows-1252 where it can be, \uN with a one-byte fallback (\uc1) elsewhere,
// RTF's special characters escaped.
namespace RtfEscape {

// Appends s to out as RTF text. Tabs become \tab, line separators \line, no-break spaces \~;
// other control characters and object replacement characters are dropped.
void appendText(QByteArray& out, QStringView s);

// The Windows-1252 byte for ch, or 0 when the code page has none.
uchar toWindows1252(char16_t ch);

} // namespace RtfEscape
