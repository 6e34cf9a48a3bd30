#pragma once

#include <QByteArray>
#include <QSize>

class QString;
class QTextDocument;

// A picture of a document as file data: PNG or JPEG data as it was read is kept byte for
// byte, anything else is encoded as PNG.
struct TEncodedPicture {
    QByteArray data;
    QByteArray format; // "png" or "jpeg"; empty when the picture cannot be found or decoded
    QSize pixels;
};

// The picture a document's image format names, from the document's resources.
TEncodedPicture EncodedPicture(const QTextDocument& doc, const QString& name);
