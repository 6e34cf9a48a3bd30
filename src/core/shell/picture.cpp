#include "shell/picture.h"

#include <QFile>
#include <QImageReader>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jerror.h>
#include <jpeglib.h>
#include <memory>

namespace {
// A logo of this many pixels is already far beyond any screen; larger headers are refused
// before memory is committed to them.
constexpr qint64 kMaxPixels = 100'000'000;
constexpr qint64 kMaxFileSize = 512LL * 1024 * 1024;

// Everything the decoder touches lives here, outside the function that calls setjmp, so its
// values are well defined after a longjmp.
struct JpegContext {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated = false;
    QByteArray row; // one CMYK scan line
};

JpegContext* contextOf(j_common_ptr cinfo) {
    return static_cast<JpegContext*>(cinfo->client_data);
}

[[noreturn]] void onError(j_common_ptr cinfo) {
    JpegContext* ctx = contextOf(cinfo);
    (*cinfo->err->format_message)(cinfo, ctx->message);
    std::longjmp(ctx->jump, 1);
}

// libjpeg prints warnings to stderr and carries on; only a premature end matters to us.
void onMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        contextOf(cinfo)->truncated = true;
}

bool isJpeg(const QByteArray& data) {
    return data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xFF &&
           static_cast<unsigned char>(data[1]) == 0xD8 &&
           static_cast<unsigned char>(data[2]) == 0xFF;
}

// Adobe writes CMYK JPEGs inverted; libjpeg hands them over as stored.
void cmykToRgb(const uchar* src, QRgb* dst, int width, bool inverted) {
    for (int x = 0; x < width; ++x, src += 4) {
        int c = src[0], m = src[1], y = src[2], k = src[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        dst[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// Returns an empty string on success. No object with a destructor may be created in here after
// setjmp: a longjmp would skip it.
QString decodeJpeg(JpegContext& ctx, const QByteArray& data, QImage& image) {
    ctx.cinfo.err = jpeg_std_error(&ctx.pub);
    ctx.cinfo.client_data = &ctx;
    ctx.pub.error_exit = onError;
    ctx.pub.emit_message = onMessage;
    if (setjmp(ctx.jump)) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return QString::fromLocal8Bit(ctx.message);
    }
    jpeg_create_decompress(&ctx.cinfo);
    jpeg_mem_src(&ctx.cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&ctx.cinfo, TRUE);

    const bool cmyk =
        ctx.cinfo.jpeg_color_space == JCS_CMYK || ctx.cinfo.jpeg_color_space == JCS_YCCK;
    ctx.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBX;
    if (qint64(ctx.cinfo.image_width) * ctx.cinfo.image_height > kMaxPixels) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return QStringLiteral("The picture is too large.");
    }
    jpeg_start_decompress(&ctx.cinfo);

    const int width = int(ctx.cinfo.output_width);
    const int height = int(ctx.cinfo.output_height);
    image = QImage(width, height, cmyk ? QImage::Format_RGB32 : QImage::Format_RGBX8888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return QStringLiteral("Not enough memory for the picture.");
    }
    if (cmyk)
        ctx.row.resize(qsizetype(width) * 4);
    const bool inverted = cmyk && ctx.cinfo.saw_Adobe_marker;
    while (ctx.cinfo.output_scanline < ctx.cinfo.output_height) {
        const int y = int(ctx.cinfo.output_scanline);
        JSAMPROW row = cmyk ? reinterpret_cast<JSAMPROW>(ctx.row.data()) : image.scanLine(y);
        jpeg_read_scanlines(&ctx.cinfo, &row, 1);
        if (cmyk)
            cmykToRgb(row, reinterpret_cast<QRgb*>(image.scanLine(y)), width, inverted);
        if (ctx.truncated)
            break;
    }
    if (ctx.truncated) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return QStringLiteral("The picture file is incomplete.");
    }
    jpeg_finish_decompress(&ctx.cinfo);
    jpeg_destroy_decompress(&ctx.cinfo);
    return QString();
}

QImage fail(QString* error, const QString& path, const QString& reason) {
    if (error)
        *error = QStringLiteral("Unable to load the picture \"%1\": %2").arg(path, reason);
    return QImage();
}
} // namespace

QImage LoadPicture(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, path, file.errorString());

    QByteArray head = file.peek(3);
    if (isJpeg(head)) {
        if (file.size() > kMaxFileSize)
            return fail(error, path, QStringLiteral("The picture is too large."));
        const QByteArray data = file.readAll();
        // Heap-allocated: libjpeg's state is large, and must outlive the setjmp frame's locals.
        auto ctx = std::make_unique<JpegContext>();
        QImage image;
        const QString reason = decodeJpeg(*ctx, data, image);
        if (!reason.isEmpty())
            return fail(error, path, reason);
        return image;
    }

    QImageReader reader(&file);
    QImage image = reader.read();
    if (image.isNull())
        return fail(error, path, reader.errorString());
    return image;
}
