// The generator's list of pictures: each maker draws one or more files under the assets folder.
#pragma once

#include "engine/asset_table.h"

#include <string>
#include <vector>

namespace art {

// Where a picture of the asset table goes under the assets folder being drawn.
inline std::string AssetFile(const std::string& assetsDir, Asset asset)
{
    return assetsDir + "/" + AssetInfo(asset).path;
}

// The pictures of the asset table that the generator makes but that are not in assetsDir, by path.
std::vector<std::string> UndrawnPictures(const std::string& assetsDir);

using PictureMaker = bool (*)(const std::string& assetsDir);

struct PictureGroup {
    const char* name;
    PictureMaker make;
};

// Every group, in the order they are drawn.
const std::vector<PictureGroup>& AllPictureGroups();

bool MakeFontSheets(const std::string& assetsDir);
bool MakePanels(const std::string& assetsDir);
bool MakeControls(const std::string& assetsDir);
bool MakeLamps(const std::string& assetsDir);
bool MakeDesk(const std::string& assetsDir);
bool MakeDeskObjects(const std::string& assetsDir);
bool MakeModuleParts(const std::string& assetsDir);
bool MakeStickyNotes(const std::string& assetsDir);
bool MakeSignals(const std::string& assetsDir);
bool MakeNewspaper(const std::string& assetsDir);
bool MakeBranding(const std::string& assetsDir);
bool MakeWavePictures(const std::string& assetsDir);
bool MakePhoneBook(const std::string& assetsDir);
// Last: the manual's diagrams are drawn from the pictures above.
bool MakeManualPages(const std::string& assetsDir);
// The pages drawn by MakeManualPages as printable PDF books (A4 and US Letter) in `dir`; false on failure.
bool WriteManualBooks(const std::string& dir);
void ReleaseBook();

// Writes one PNG of every picture under assetsDir on a grey ground; only paths containing `filter` if given.
bool WriteContactSheet(const std::string& assetsDir, const std::string& outPath, const std::string& filter);

} // namespace art
