#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// Image kinds by extension, as the image size reader tells them apart.
enum TImageKind { ikGIF, ikJPEG, ikPNG, ikBMP, ikOther };

// The pixel size of an image, 16 bits each as the image dialog and the file panel take
// it (a larger dimension keeps its low 16 bits). 0 x 0 when the size is unknown.
struct TImageSize
{
    quint16 Width = 0;
    quint16 Height = 0;
    friend bool operator==(const TImageSize &, const TImageSize &) = default;
};

// "GIF"; "JPG" or "JPEG"; "PNG"; "BMP" (without regard to case); anything else is ikOther.
TImageKind ImageKindOf(const QString &fileName);

// Reads the size from the file's own bytes, no graphics library involved. The kind comes
// from the extension; a file whose content is not of that kind, is damaged or missing
// gives 0 x 0. Only the headers are looked at, never anything outside the file.
TImageSize ImageSize(const QString &fileName);

// The same over bytes in memory: GIF reports its first image (not the logical screen),
// JPEG its first frame, PNG the IHDR chunk, BMP the bitmap header when the pixel data
// is all there.
TImageSize ImageSizeFromBytes(TImageKind kind, QByteArrayView data);
