// Feeds arbitrary bytes to every image size reader: each must stop at the end of the
// data and never read outside it, whatever the headers claim.
#include <cstddef>
#include <cstdint>

#include "common/imagesize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    for (TImageKind kind : {ikGIF, ikJPEG, ikPNG, ikBMP, ikOther})
        (void)ImageSizeFromBytes(kind, bytes);
    return 0;
}
