#pragma once

#include <QByteArray>
#include <QSize>
#include <QUrl>

class QString;
class QTextDocument;

// A picture of a document as file data: PNG or JPEG data as it was read is kept byte for
// byte, anything else is encoded as PNG.
struct TEncodedPicture {
    QByteArray data;
    QByteArray format; // "png" or "jpeg"; empty when the picture cannot be found or decoded
    QSize pixels;
};

// The picture a document's image format names, from the document's resources: the file data
// kept beside it when there is any, else the image itself.
TEncodedPicture EncodedPicture(const QTextDocument& doc, const QString& name);

// Where a document keeps a picture's file data beside the decoded image it shows, so that
// writing the document again keeps a JPEG a JPEG, byte for byte.
QUrl PictureDataName(const QString& name);
