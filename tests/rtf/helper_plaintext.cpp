#include "helper_plaintext.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

QString DocumentTextWithMarkers(const QTextDocument* doc) {
    QString out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (QTextList* list = b.textList()) {
            const int style = list->format().style();
            const bool bullet = style == QTextListFormat::ListDisc ||
                                style == QTextListFormat::ListCircle ||
                                style == QTextListFormat::ListSquare;
            const QString marker = bullet ? QStringLiteral("\u2022") : list->itemText(b);
            out += marker + QLatin1Char(' ');
        }
        out += b.text();
        out += QLatin1Char('\n');
    }
    out.remove(QChar::ObjectReplacementCharacter);
    return out;
}

QString NormaliseText(const QString& text) {
    QString t = text;
    t.remove(QChar(0xFEFF));
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if (u == 0xF0B7 || u == 0x00B7 || u == 0xF0A7 || u == 0x25AA || u == 0x25CF ||
            u == 0xF0D8 || u == 0xF0FC || u == 0x25A0 || u == 0xF06E || u == 0x2219)
            c = QChar(0x2022);
        else if (u == 0x00A0 || u == 0x2028 || u == 0x2029)
            c = QLatin1Char(' ');
    }
    return t.simplified();
}
