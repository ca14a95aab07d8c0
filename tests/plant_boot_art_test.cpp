// The plant boot panel's pictures against its layout: switches drawn 100 units high in rows 87.5 apart, and
// lamps drawn 120 units wide 42.5 apart, whose first and last stand 38.75 units in from the plate's corners.
#include "engine/asset_table.h"
#include "stb_image.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Rows (top first) between which a frame of the picture holds pixels more than half opaque.
struct Extent {
    int first = -1, last = -1, left = -1, right = -1;
};

Extent OpaqueExtent(const char* path, int frameWidth)
{
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(path, &width, &height, &channels, 4);
    EXPECT_NE(pixels, nullptr) << path;
    Extent extent;
    if (pixels == nullptr) {
        return extent;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < frameWidth && x < width; ++x) {
            if (pixels[(static_cast<size_t>(y) * width + x) * 4 + 3] > 128) {
                extent.first = extent.first < 0 ? y : extent.first;
                extent.last = y;
                extent.left = extent.left < 0 || x < extent.left ? x : extent.left;
                extent.right = x > extent.right ? x : extent.right;
            }
        }
    }
    stbi_image_free(pixels);
    return extent;
}

TEST(PlantBootArt, SwitchRowsLeaveAGapAndLampsClearTheirNeighboursAndTheScrews)
{
    // The switch sheet: two frames side by side, each drawn 100 units high.
    int width = 0, height = 0, channels = 0;
    ASSERT_TRUE(stbi_info(AssetPath(Asset::SwitchSheet), &width, &height, &channels));
    Extent plate = OpaqueExtent(AssetPath(Asset::SwitchSheet), width / 2);
    float plateUnits = static_cast<float>(plate.last - plate.first + 1) * 100.0f / static_cast<float>(height);
    EXPECT_LT(plateUnits, 87.5f - 4.0f) << "the two rows of switch plates touch";

    ASSERT_TRUE(stbi_info(AssetPath(Asset::LightBulb), &width, &height, &channels));
    Extent lens = OpaqueExtent(AssetPath(Asset::LightBulb), width);
    float lensUnits = static_cast<float>(lens.right - lens.left + 1) * 120.0f / static_cast<float>(width);
    EXPECT_LT(lensUnits, 42.5f - 4.0f) << "neighbouring lamps touch";
    // A corner screw of the plate sits about 15 units in from either side of its corner; the end lamp's
    // centre is 38.75 in from the side and the top.
    EXPECT_LT(lensUnits / 2, 38.75f - 15.0f - 5.0f) << "the end lamps cover the corner screws";
}

} // namespace
