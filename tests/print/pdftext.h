#pragma once

#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Reads PDF files back with poppler's command-line tools, as a reader of the file would.
namespace PdfText {

inline QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (1-based), or of all pages when page is 0.
inline QString text(const QString& path, int page = 0, bool layout = false) {
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (layout)
        args << QStringLiteral("-layout");
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << path << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

inline int pageCount(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const auto m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The paper size in points ("Page size: 595.276 x 841.89 pts").
inline QSizeF pageSize(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const auto m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// Where a word is drawn on page 1, in points from the paper's top-left corner.
inline QPointF wordPosition(const QString& path, const QString& word) {
    const QString html =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    const auto m =
        QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>") +
                           QRegularExpression::escape(word) + QStringLiteral("</word>"))
            .match(html);
    return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())
                        : QPointF(-1, -1);
}

inline QString fonts(const QString& path) {
    return run(QStringLiteral("pdffonts"), {path});
}

} // namespace PdfText
