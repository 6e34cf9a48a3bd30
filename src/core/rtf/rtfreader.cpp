#include "rtf/rtfreader.h"

#include "rtf/rtfparser.h"

#include <QFile>
#include <QTextDocument>

TRtfReadResult TRtfReader::Read(const QByteArray& rtf, QTextDocument* doc) {
    TRtfReadResult result;
    if (!doc) {
        result.error = QStringLiteral("No document to read into.");
        return result;
    }
    if (rtf.trimmed().isEmpty()) {
        result.error = QStringLiteral("The file is empty.");
        return result;
    }
    TRtfParser parser(rtf, doc);
    return parser.run();
}

TRtfReadResult TRtfReader::ReadFile(const QString& path, QTextDocument* doc) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TRtfReadResult result;
        result.error = QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString());
        return result;
    }
    return Read(file.readAll(), doc);
}
