// The asset table against the Assets folder the build laid out, and against what a run of the game asks for:
// from the menu to the desk, and the end screen, nothing the game opens is missing but the known gaps.
#include "engine/asset_table.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>

namespace {

// Pictures the game already asks for but nothing draws yet, by path under Assets/.
const std::set<std::string> KnownGaps = {};

// Where a table entry lies on disk: a shader's source is the .glsl beside its .hlsl name.
std::filesystem::path FileOnDisk(const AssetEntry& asset)
{
    std::filesystem::path path = std::filesystem::path("Assets") / asset.path;
    if (asset.kind == AssetKind::Shader) {
        path.replace_extension(".glsl");
    }
    return path;
}

TEST(AssetTableTest, NamesAndPathsAreUniqueAndFoldersEndWithASlash)
{
    std::set<std::string> names, paths;
    for (const AssetEntry& asset : AssetTable) {
        EXPECT_TRUE(names.insert(asset.name).second) << asset.name;
        EXPECT_TRUE(paths.insert(asset.path).second) << asset.path;
        std::string path = asset.path;
        EXPECT_EQ(asset.kind == AssetKind::Folder, path.back() == '/') << path;
        EXPECT_EQ(std::string(asset.gamePath), "./Assets/" + path);
    }
}

TEST(AssetTableTest, TheBuildMakesEveryAssetButTheKnownGaps)
{
    for (const AssetEntry& asset : AssetTable) {
        std::filesystem::path path = FileOnDisk(asset);
        std::error_code error;
        bool present = asset.kind == AssetKind::Folder
                           ? std::filesystem::is_directory(path, error) && !std::filesystem::is_empty(path, error)
                           : std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path) > 0;
        EXPECT_EQ(present, KnownGaps.count(asset.path) == 0) << path;
    }
}

// Every asset a run reported it could not open, as its path under Assets/.
std::set<std::string> MissingAssets(const SimResult& run)
{
    std::set<std::string> missing;
    static const std::regex picture(R"(PXL: cannot (?:load|use) texture "(?:\./)?Assets/([^"]*)\")");
    static const std::regex shader(R"(PXL: cannot read shader "(?:\./)?Assets/([^"]*)\")");
    static const std::regex script(R"(could not open file (?:\./)?Assets/([^;]*);)");
    std::string reports = run.err + run.out;
    for (const std::string& line : ReadTraceLines()) {
        reports += line + "\n";
    }
    for (const std::regex* pattern : {&picture, &shader, &script}) {
        for (std::sregex_iterator it(reports.begin(), reports.end(), *pattern), end; it != end; ++it) {
            missing.insert((*it)[1].str());
        }
    }
    if (reports.find("error in the audio system") != std::string::npos) {
        missing.insert("SFX/");
    }
    return missing;
}

TEST(AssetTableTest, MenuDeskAndEndScreenMissNothingButTheKnownGaps)
{
    // The menu after the splash; its first line, "Start Game", leads to the desk after a ten-second zoom.
    SimResult toDesk = RunSim({"--frames", "1020"}, "300 mouse 330 60\n302 press left\n304 release left\n");
    ASSERT_EQ(toDesk.status, 0) << toDesk.err;
    std::vector<std::string> trace = ReadTraceLines();
    ASSERT_NE(std::find(trace.begin(), trace.end(), "GameScene: Load"), trace.end()) << "the desk shows";
    std::set<std::string> missing = MissingAssets(toDesk);

    SimResult endScreen = RunSim({"--frames", "30", "--scene", "EndGameScene"});
    ASSERT_EQ(endScreen.status, 0) << endScreen.err;
    std::set<std::string> missingAtTheEnd = MissingAssets(endScreen);
    missing.insert(missingAtTheEnd.begin(), missingAtTheEnd.end());

    EXPECT_EQ(missing, KnownGaps) << toDesk.err << endScreen.err;
}

} // namespace
