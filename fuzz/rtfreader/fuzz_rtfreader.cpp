// Feeds arbitrary bytes to the RTF reader; any crash, hang, leak or sanitizer report is a bug.
#include "rtf/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTextDocument doc;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TRtfReader::Read(bytes, &doc);
    // Laying the document out reaches the formats the reader made.
    doc.setTextWidth(600);
    (void)doc.size();
    (void)doc.toPlainText();
    return 0;
}
