#include "common/imagesize.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Every access goes through these; callers check the bounds first.
quint8 Byte(QByteArrayView d, qsizetype i) { return quint8(d[i]); }
quint16 LittleEndian16(QByteArrayView d, qsizetype i) { return quint16(Byte(d, i) | (Byte(d, i + 1) << 8)); }
quint16 BigEndian16(QByteArrayView d, qsizetype i) { return quint16((Byte(d, i) << 8) | Byte(d, i + 1)); }
quint32 LittleEndian32(QByteArrayView d, qsizetype i)
{
    return quint32(LittleEndian16(d, i)) | (quint32(LittleEndian16(d, i + 2)) << 16);
}

// True when n more bytes are there from position pos on.
bool Has(QByteArrayView d, qsizetype pos, qsizetype n) { return pos >= 0 && n >= 0 && pos <= d.size() - n; }

// GIF: header, optional global colour table, then blocks up to the first image
// descriptor. Extension blocks are skipped by their sub-block sizes, since comment and
// application data may hold any byte, the image separator "," included.
TImageSize GifSize(QByteArrayView d)
{
    constexpr qsizetype HeaderSize = 13;
    if (!Has(d, 0, HeaderSize) || !d.startsWith("GIF"))
        return {};
    qsizetype pos = HeaderSize;
    const quint8 packed = Byte(d, 10);
    if (packed & 0x80)
        pos += 3 * (qsizetype(2) << (packed & 7));
    while (Has(d, pos, 1)) {
        const quint8 block = Byte(d, pos++);
        if (block == 0x2C) {
            // Image descriptor: left, top, width, height (little-endian 16 bits each), flags.
            if (!Has(d, pos, 8))
                return {};
            return {LittleEndian16(d, pos + 4), LittleEndian16(d, pos + 6)};
        }
        if (block != 0x21)
            return {}; // the trailer 0x3B before any image, or damage
        ++pos; // extension label
        for (;;) {
            if (!Has(d, pos, 1))
                return {};
            const quint8 length = Byte(d, pos++);
            if (length == 0)
                break;
            pos += length;
        }
    }
    return {};
}

// Start-of-frame markers of every coding process (baseline, extended, progressive,
// lossless, arithmetic); C4, C8 and CC share the range but are other segments.
bool IsStartOfFrame(quint8 m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// JPEG: markers and their segments from the start of image to the first frame header.
TImageSize JpegSize(QByteArrayView d)
{
    if (!Has(d, 0, 2) || Byte(d, 0) != 0xFF || Byte(d, 1) != 0xD8)
        return {};
    qsizetype pos = 2;
    while (Has(d, pos, 1) && Byte(d, pos) == 0xFF) {
        ++pos;
        quint8 marker;
        do { // FF bytes before a marker are fill
            if (!Has(d, pos, 1))
                return {};
            marker = Byte(d, pos++);
        } while (marker == 0xFF);
        if (IsStartOfFrame(marker)) {
            // Segment length (2), precision (1), height (2), width (2).
            if (!Has(d, pos, 7))
                return {};
            return {BigEndian16(d, pos + 5), BigEndian16(d, pos + 3)};
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // markers without a segment
        if (marker == 0xD9)
            return {}; // end of image without a frame
        if (!Has(d, pos, 2))
            return {};
        const quint16 length = BigEndian16(d, pos);
        if (length < 2)
            return {}; // the length counts itself: anything less is damage
        pos += length;
    }
    return {};
}

// PNG: the signature, then the IHDR chunk with 32-bit width and height at offsets 16
// and 20; their low halves are at 18 and 22.
TImageSize PngSize(QByteArrayView d)
{
    static const char Signature[] = "\x89PNG\r\n\x1a\n";
    if (!Has(d, 0, 24) || !d.startsWith(QByteArrayView(Signature, 8)) || d.sliced(12, 4) != "IHDR")
        return {};
    return {BigEndian16(d, 18), BigEndian16(d, 22)};
}

// BMP: the file header, then a core (12-byte) or an info (40 bytes and more) header.
// The size counts only when the bitmap would load: a valid header and, for uncompressed
// bitmaps, all of the pixel rows present.
TImageSize BmpSize(QByteArrayView d)
{
    constexpr qsizetype FileHeaderSize = 14;
    if (!Has(d, 0, FileHeaderSize + 4) || Byte(d, 0) != 'B' || Byte(d, 1) != 'M')
        return {};
    const quint32 pixelOffset = LittleEndian32(d, 10);
    const quint32 headerSize = LittleEndian32(d, 14);
    qint64 width, height;
    quint16 planes, bitCount;
    quint32 compression = 0;
    if (headerSize == 12) {
        if (!Has(d, FileHeaderSize, 12))
            return {};
        width = LittleEndian16(d, 18);
        height = LittleEndian16(d, 20);
        planes = LittleEndian16(d, 22);
        bitCount = LittleEndian16(d, 24);
    } else if (headerSize >= 40) {
        if (!Has(d, FileHeaderSize, 40))
            return {};
        width = qint32(LittleEndian32(d, 18));
        height = qint32(LittleEndian32(d, 22)); // negative for rows stored top-down
        planes = LittleEndian16(d, 26);
        bitCount = LittleEndian16(d, 28);
        compression = LittleEndian32(d, 30);
    } else {
        return {};
    }
    if (height < 0)
        height = -height;
    if (width <= 0 || height == 0 || planes != 1)
        return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return {};
    if (pixelOffset < FileHeaderSize + headerSize || pixelOffset >= quint64(d.size()))
        return {};
    const qint64 available = d.size() - qint64(pixelOffset);
    switch (compression) {
    case 0: // uncompressed
    case 3: // bit fields
    case 6: { // bit fields with alpha
        // Rows are padded to whole 32-bit words; compared by division so that huge
        // dimensions cannot overflow.
        const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
        if (rowBytes > available || height > available / rowBytes)
            return {};
        break;
    }
    case 1: // run-length coded, 8 bits
        if (bitCount != 8)
            return {};
        break;
    case 2: // run-length coded, 4 bits
        if (bitCount != 4)
            return {};
        break;
    default:
        return {};
    }
    return {quint16(width), quint16(height)};
}

} // namespace

TImageKind ImageKindOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return ikOther;
    const QString ext = name.mid(dot + 1).toUpper();
    if (ext == QLatin1String("GIF"))
        return ikGIF;
    if (ext == QLatin1String("JPG") || ext == QLatin1String("JPEG"))
        return ikJPEG;
    if (ext == QLatin1String("PNG"))
        return ikPNG;
    if (ext == QLatin1String("BMP"))
        return ikBMP;
    return ikOther;
}

TImageSize ImageSize(const QString &fileName)
{
    const TImageKind kind = ImageKindOf(fileName);
    if (kind == ikOther)
        return {};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size <= 0)
        return {};
    // Mapped rather than read: a large bitmap is only looked at in its header, and its
    // length tells whether the pixel rows are all there.
    if (const uchar *mapped = file.map(0, size)) {
        const TImageSize result = ImageSizeFromBytes(kind, QByteArrayView(mapped, size));
        file.unmap(const_cast<uchar *>(mapped));
        return result;
    }
    const QByteArray bytes = file.readAll();
    return ImageSizeFromBytes(kind, bytes);
}

TImageSize ImageSizeFromBytes(TImageKind kind, QByteArrayView data)
{
    switch (kind) {
    case ikGIF: return GifSize(data);
    case ikJPEG: return JpegSize(data);
    case ikPNG: return PngSize(data);
    case ikBMP: return BmpSize(data);
    case ikOther: break;
    }
    return {};
}
