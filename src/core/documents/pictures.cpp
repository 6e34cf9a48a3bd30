#include "documents/pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

namespace {

QByteArray EncodePng(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? png : QByteArray();
}

} // namespace

QUrl PictureDataName(const QString& name) {
    return QUrl(name + QLatin1String("#data"));
}

TEncodedPicture EncodedPicture(const QTextDocument& doc, const QString& name) {
    TEncodedPicture pic;
    QVariant res = doc.resource(QTextDocument::ImageResource, PictureDataName(name));
    if (res.typeId() != QMetaType::QByteArray)
        res = doc.resource(QTextDocument::ImageResource, QUrl(name));
    QByteArray raw;
    QImage image;
    if (res.typeId() == QMetaType::QByteArray)
        raw = res.toByteArray();
    else if (res.typeId() == QMetaType::QImage)
        image = res.value<QImage>();
    else if (res.typeId() == QMetaType::QPixmap)
        image = res.value<QPixmap>().toImage();

    if (!raw.isEmpty()) {
        // Keep PNG and JPEG data as they are; anything else is encoded again as PNG.
        QBuffer buffer(&raw);
        QImageReader reader(&buffer);
        const QByteArray format = reader.format();
        const QSize size = reader.size();
        if ((format == "png" || format == "jpeg") && size.isValid()) {
            pic.data = raw;
            pic.format = format;
            pic.pixels = size;
            return pic;
        }
        image = QImage::fromData(raw);
    }
    if (!image.isNull()) {
        pic.data = EncodePng(image);
        if (!pic.data.isEmpty()) {
            pic.format = "png";
            pic.pixels = image.size();
        }
    }
    return pic;
}
