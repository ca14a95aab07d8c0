#include "platform/pxl_picture.h"

#include "platform/os.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <png.h>
#include <vector>

namespace {

// The largest file read: a picture within the size bound, stored without compression, with room to spare.
constexpr std::streamoff MaxPictureFileBytes = 512ll << 20;

std::string TooLarge(unsigned width, unsigned height)
{
    return std::to_string(width) + "x" + std::to_string(height) + " is larger than " + std::to_string(MaxPictureSide) +
           " on a side";
}

bool Fits(unsigned width, unsigned height)
{
    return width <= unsigned(MaxPictureSide) && height <= unsigned(MaxPictureSide);
}

void Allocate(DecodedPicture& picture, unsigned width, unsigned height)
{
    picture.width = int(width);
    picture.height = int(height);
    picture.rgba.reset(new uint8_t[size_t(width) * size_t(height) * 4]);
}

bool DecodePng(const uint8_t* bytes, size_t size, DecodedPicture& picture, std::string& error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    if (!Fits(image.width, image.height)) {
        error = TooLarge(image.width, image.height);
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    Allocate(picture, image.width, image.height);
    // Frees what the read holds, whether it succeeds or not.
    if (!png_image_finish_read(&image, nullptr, picture.rgba.get(), 0, nullptr)) {
        error = image.message;
        picture.rgba.reset();
        return false;
    }
    return true;
}

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the decode.
struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info)
{
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    (*info->err->format_message)(info, failure->message);
    std::longjmp(failure->jump, 1);
}

// Warnings (a stream that ends early, an odd marker) are no reason to stop, nor to print.
void JpegQuiet(j_common_ptr, int) {}

// No object with a destructor lives in this function's frame after setjmp: the jump skips no destructor.
bool DecodeJpeg(const uint8_t* bytes, size_t size, DecodedPicture& picture, std::string& error)
{
    jpeg_decompress_struct info{};
    JpegFailure failure{};
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = JpegErrorExit;
    failure.manager.emit_message = JpegQuiet;
    if (setjmp(failure.jump) != 0) {
        jpeg_destroy_decompress(&info);
        picture.rgba.reset();
        error = failure.message;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (!Fits(info.image_width, info.image_height)) {
        error = TooLarge(info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    Allocate(picture, info.output_width, info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.rgba.get() + size_t(info.output_scanline) * info.output_width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

bool DecodePicture(const uint8_t* bytes, size_t size, DecodedPicture& picture, std::string& error)
{
    if (size >= 8 && png_sig_cmp(bytes, 0, 8) == 0) {
        return DecodePng(bytes, size, picture, error);
    }
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return DecodeJpeg(bytes, size, picture, error);
    }
    error = "neither a PNG nor a JPEG file";
    return false;
}

bool LoadPictureFile(const char* path, DecodedPicture& picture, std::string& error)
{
    if (!OsIsRegularFile(path)) {
        error = "not a readable file";
        return false;
    }
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    std::streamoff length = file.tellg();
    if (length > MaxPictureFileBytes) {
        error = "a file of " + std::to_string(length) + " bytes is larger than any picture the game reads";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<std::streamoff>(length, 0)));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
        error = "cannot read the file";
        return false;
    }
    return DecodePicture(bytes.data(), bytes.size(), picture, error);
}
