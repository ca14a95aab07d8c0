#include "support/assets_copy.h"

#include "support/sim_runner.h"

std::filesystem::path AssetsCopyWithout(const std::string& leftOut, const std::string& tag)
{
    namespace fs = std::filesystem;
    const fs::path assets = fs::absolute("Assets");
    const fs::path root = TempPath(tag);
    fs::remove_all(root);
    fs::create_directories(root / "Assets");
    for (const fs::directory_entry& entry : fs::directory_iterator(assets)) {
        if (entry.path().filename() != leftOut) {
            fs::create_directory_symlink(entry.path(), root / "Assets" / entry.path().filename());
        }
    }
    return root;
}
