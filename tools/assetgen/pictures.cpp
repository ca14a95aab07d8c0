#include "pictures.h"

#include <filesystem>

namespace art {

const std::vector<PictureGroup>& AllPictureGroups()
{
    static const std::vector<PictureGroup> groups = {
        {"font sheets", MakeFontSheets},
        {"panels", MakePanels},
        {"controls", MakeControls},
        {"lamps", MakeLamps},
        {"desk", MakeDesk},
        {"desk objects", MakeDeskObjects},
        {"module parts", MakeModuleParts},
        {"sticky notes", MakeStickyNotes},
        {"signals", MakeSignals},
        {"newspaper", MakeNewspaper},
        {"branding", MakeBranding},
        {"wave pictures", MakeWavePictures},
        {"phone book", MakePhoneBook},
        {"manual pages", MakeManualPages},
    };
    return groups;
}

std::vector<std::string> UndrawnPictures(const std::string& assetsDir)
{
    std::vector<std::string> undrawn;
    for (const AssetEntry& asset : AssetTable) {
        std::error_code error;
        if (asset.maker == AssetMaker::PictureGenerator && asset.kind != AssetKind::Folder &&
            !std::filesystem::exists(AssetFile(assetsDir, static_cast<Asset>(&asset - AssetTable)), error)) {
            undrawn.push_back(asset.path);
        }
    }
    return undrawn;
}

} // namespace art
