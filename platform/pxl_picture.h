// Reading picture files into RGBA8 pixels, for textures and the window icon: PNG through libpng, JPEG through
// libjpeg-turbo, the reference decoders, since any file in the Assets folder reaches them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Our largest picture is a few thousand pixels wide, and 8192 by 8192 is already 256 MB: a header that
// declares more is refused before anything is decoded.
constexpr int MaxPictureSide = 8192;

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint8_t[]> rgba; // width * height * 4 bytes, top row first
};

// Decodes a PNG or JPEG held in memory, told apart by its first bytes. On failure returns false and says why
// in `error`.
bool DecodePicture(const uint8_t* bytes, size_t size, DecodedPicture& picture, std::string& error);

// The same from a file, which is opened only when it is a plain file.
bool LoadPictureFile(const char* path, DecodedPicture& picture, std::string& error);
