#include "documents/htmlexport.h"

#include "documents/pictures.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

QString DocumentHtml(const QTextDocument& doc) {
    QString html = doc.toHtml();
    // Every block, those in table cells included, in document order.
    QSet<QString> names;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextCharFormat f = it.fragment().charFormat(); f.isImageFormat())
                names.insert(f.toImageFormat().name());
    for (const QString& name : std::as_const(names)) {
        const TEncodedPicture pic = EncodedPicture(doc, name);
        if (pic.format.isEmpty())
            continue;
        const QString address = QLatin1String("data:image/") + QLatin1String(pic.format) +
                                QLatin1String(";base64,") + QLatin1String(pic.data.toBase64());
        html.replace(QLatin1String("src=\"") + name.toHtmlEscaped() + u'"',
                     QLatin1String("src=\"") + address + u'"');
    }
    return html;
}
