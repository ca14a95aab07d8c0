// Files that are not what they claim to be: a FIFO where a picture, a script or the settings file belongs would
// block the game in fopen, and a tiny picture whose header declares an enormous size would cost gigabytes.
#include "platform/pxl.h"
#include "scenes/settings_file.h"
#include "support/sim_runner.h"
#include "terminal/terminal.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string MakeFifo(const std::string& name)
{
    std::string path = TempPath(name);
    unlink(path.c_str());
    EXPECT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
    return path;
}

// The CRC-32 that closes a PNG chunk, over its type and data.
uint32_t ChunkCrc(const std::string& typeAndData)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : typeAndData) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A PNG whose IHDR chunk declares width by height, followed by a few bytes of pixel data: far too few.
std::string PngHeader(uint32_t width, uint32_t height)
{
    auto bigEndian = [](uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
    auto chunk = [&](const std::string& typeAndData) {
        return bigEndian(uint32_t(typeAndData.size() - 4)) + typeAndData + bigEndian(ChunkCrc(typeAndData));
    };
    return "\x89PNG\r\n\x1a\n" +
           chunk("IHDR" + bigEndian(width) + bigEndian(height) + std::string("\x08\x06\x00\x00\x00", 5)) +
           chunk("IDAT\x78\x9c\x63\x00") + chunk("IEND");
}

TEST(HostileFilesTest, AFifoInPlaceOfAFileIsRefusedAtOnce)
{
    // Without the check each call below blocks for good in fopen, waiting for a writer.
    std::string picture = MakeFifo("fifo-picture.png");
    testing::internal::CaptureStderr();
    EXPECT_EQ(PXL_Graphics_LoadTexture(picture.c_str()), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("not a readable file"), std::string::npos);

    std::string script = MakeFifo("fifo-script.txt");
    Terminal terminal{{0, 0}, {700, 525}};
    ReadTerminalScript(terminal, script.c_str());
    EXPECT_TRUE(terminal.queue.empty());

    std::string settings = MakeFifo("fifo-settings.ini");
    testing::internal::CaptureStderr();
    KeptSettings kept = ReadSettingsFile(settings);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("is not a plain file"), std::string::npos);
    EXPECT_FLOAT_EQ(kept.volume, KeptSettings{}.volume);
}

TEST(HostileFilesTest, APictureDeclaringAnEnormousSizeIsRefusedFromItsHeader)
{
    std::string path = TempPath("enormous.png");
    std::ofstream(path, std::ios::binary) << PngHeader(16000, 16000);
    testing::internal::CaptureStderr();
    EXPECT_EQ(PXL_Graphics_LoadTexture(path.c_str()), nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("16000x16000 is larger than 8192 on a side"), std::string::npos) << said;
    EXPECT_NE(said.find(path), std::string::npos) << said;
}

} // namespace
