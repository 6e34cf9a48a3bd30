#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>

class QByteArray;
class QTextDocument;

// What reading an RTF file gave besides the document itself.
//
// ok is false, with a one-line error, only when the input is empty, not RTF at all, or the
// file cannot be read. Damaged input (truncated, unbalanced braces, unknown or absurd
// control words) is read as far as it makes sense: ok is true and the document holds
// everything that could be read.
//
// Page setup is in millimetres. paperSizeMm is invalid and marginsMm null when the file
// names no page setup at all, so the caller keeps its own; when it names part of it, the
// rest takes RTF's defaults (Letter paper, 1.25 inch side and 1 inch top/bottom margins).
//
// Lengths in the document (indents, spacing, image and column widths) are in pixels at
// 96 dpi (1 px = 15 twips); font sizes are in points. Pictures are image resources of the
// document named "rtfimage:<md5 of the picture data>", their PNG or JPEG data kept beside
// them (PictureDataName) for writing; pictures that cannot be shown (metafiles, unknown
// formats, damaged data) are blank placeholders of their size.
struct TRtfReadResult {
    bool ok = false;
    QString error;
    QSizeF paperSizeMm;
    QMarginsF marginsMm;
};

class TRtfReader {
public:
    // Replaces the content of doc with the document in rtf.
    static TRtfReadResult Read(const QByteArray& rtf, QTextDocument* doc);
    static TRtfReadResult ReadFile(const QString& path, QTextDocument* doc);
};
