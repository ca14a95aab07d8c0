// libFuzzer target: any bytes as a picture file, through the reader the game loads its textures with. It must
// refuse them or decode them without crashing, within the size bound, into as many pixels as it says.
#include "platform/pxl_picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedPicture picture;
    std::string error;
    if (DecodePicture(data, size, picture, error)) {
        if (picture.width < 1 || picture.height < 1 || picture.width > MaxPictureSide ||
            picture.height > MaxPictureSide || picture.rgba == nullptr) {
            std::abort();
        }
        // Touches the last pixel: the whole block must be there (AddressSanitizer checks the read).
        const uint8_t* last = picture.rgba.get() + (size_t(picture.width) * size_t(picture.height) - 1) * 4;
        volatile uint8_t alpha = last[3];
        (void)alpha;
    } else if (error.empty()) {
        std::abort();
    }
    return 0;
}
