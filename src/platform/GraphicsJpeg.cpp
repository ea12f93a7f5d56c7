// libjpeg reports errors by calling an exit routine; it jumps back here with
// longjmp, so the functions that call libjpeg keep only plain data in the
// frames that may be jumped over and free what they allocated themselves.

#include "GraphicsJpeg.h"

#include "Graphics.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace {

struct ErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

void Quiet(j_common_ptr) {}

// Warnings are let pass, but for data that ends before the picture does
// (the file, or the scan at a marker): libjpeg would fill the missing rows
// with grey and call it a picture, and a few bytes could so claim millions
// of pixels that cost seconds to "decode".
void JpegEmitMessage(j_common_ptr cinfo, int level)
{
    const int code = cinfo->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) ErrorExit(cinfo);
}

void InitErrors(ErrorManager& err)
{
    jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.emit_message = JpegEmitMessage;
    err.Pub.output_message = Quiet;
    err.Message[0] = 0;
}

struct RawPicture {
    unsigned char* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    int Components = 0;
    bool Cmyk = false;
    bool TooLarge = false;  // Width and Height hold what the header claims
};

// Fills 'out' (pixels from malloc) or answers false with err.Message set.
bool DecodeRaw(const unsigned char* data, unsigned long size, bool grayscale, RawPicture* out,
               ErrorManager* err)
{
    jpeg_decompress_struct cinfo;
    unsigned char* volatile pixels = nullptr;
    cinfo.err = &err->Pub;
    if (setjmp(err->Jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(pixels);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&cinfo, TRUE);
    if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
        out->TooLarge = true;
        out->Width = int(cinfo.image_width);
        out->Height = int(cinfo.image_height);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = grayscale ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * size_t(cinfo.output_components);
    pixels = static_cast<unsigned char*>(std::malloc(stride * cinfo.output_height));
    if (!pixels) {
        std::strcpy(err->Message, "Out of memory");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    out->Pixels = pixels;
    out->Width = int(cinfo.output_width);
    out->Height = int(cinfo.output_height);
    out->Components = cinfo.output_components;
    out->Cmyk = cinfo.out_color_space == JCS_CMYK;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool EncodeRaw(const unsigned char* rgb, int width, int height, int components, int quality,
               unsigned char** outData, unsigned long* outSize, ErrorManager* err)
{
    jpeg_compress_struct cinfo;
    cinfo.err = &err->Pub;
    if (setjmp(err->Jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, outData, outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = size_t(width) * size_t(components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb) + stride * cinfo.next_scanline;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data, bool grayscale, QString* error)
{
    ErrorManager err;
    InitErrors(err);
    RawPicture raw;
    if (data.isEmpty() ||
        !DecodeRaw(reinterpret_cast<const unsigned char*>(data.constData()), (unsigned long)data.size(),
                   grayscale, &raw, &err)) {
        if (error)
            *error = data.isEmpty() ? QStringLiteral("Empty input file")
                     : raw.TooLarge ? PictureTooLargeText(raw.Width, raw.Height)
                                    : QString::fromLatin1(err.Message);
        return QImage();
    }
    QImage img(raw.Width, raw.Height, QImage::Format_RGB32);
    for (int y = 0; y < raw.Height; ++y) {
        const unsigned char* src = raw.Pixels + size_t(y) * size_t(raw.Width) * size_t(raw.Components);
        QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < raw.Width; ++x, src += raw.Components) {
            if (raw.Components == 1) {
                dst[x] = qRgb(src[0], src[0], src[0]);
            } else if (raw.Cmyk) {
                // Adobe writes CMYK inverted: each value is already 255 - ink.
                int k = src[3];
                dst[x] = qRgb(src[0] * k / 255, src[1] * k / 255, src[2] * k / 255);
            } else {
                dst[x] = qRgb(src[0], src[1], src[2]);
            }
        }
    }
    std::free(raw.Pixels);
    return img;
}

QByteArray EncodeJpeg(const QImage& img, int quality, bool grayscale, QString* error)
{
    if (img.isNull()) {
        if (error) *error = QStringLiteral("Empty image");
        return QByteArray();
    }
    QImage src = grayscale ? img.convertToFormat(QImage::Format_Grayscale8)
                           : img.convertToFormat(QImage::Format_RGB888);
    const int comps = grayscale ? 1 : 3;
    // libjpeg wants rows without padding.
    QByteArray packed;
    packed.resize(qsizetype(src.width()) * src.height() * comps);
    for (int y = 0; y < src.height(); ++y)
        std::memcpy(packed.data() + qsizetype(y) * src.width() * comps, src.constScanLine(y),
                    size_t(src.width()) * comps);
    ErrorManager err;
    InitErrors(err);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    bool ok = EncodeRaw(reinterpret_cast<const unsigned char*>(packed.constData()), src.width(),
                        src.height(), comps, quality < 1 ? 1 : quality > 100 ? 100 : quality, &out,
                        &outSize, &err);
    QByteArray result;
    if (ok) result = QByteArray(reinterpret_cast<const char*>(out), qsizetype(outSize));
    else if (error) *error = QString::fromLatin1(err.Message);
    std::free(out);
    return result;
}
