// brimvale-assetgen ASSETS_DIR [--manual-pdf DIR]
//   draws every generic picture of the game into ASSETS_DIR (deterministic: same input, same pixels), and
//   with --manual-pdf the printable manual, Brimvale-Manual.pdf (A4) and Brimvale-Manual-Letter.pdf, into DIR.
// brimvale-assetgen --contact-sheet ASSETS_DIR OUT.png [FILTER]
//   composites the pictures found in ASSETS_DIR onto grey, to look them over.
// brimvale-assetgen --previews ASSETS_DIR OUT_DIR
//   mock-ups of text, panels and modules drawn the way the game draws them.
#include "pictures.h"
#include "preview.h"
#include "text.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc >= 4 && std::string(argv[1]) == "--contact-sheet") {
        bool ok = art::WriteContactSheet(argv[2], argv[3], argc >= 5 ? argv[4] : "");
        art::ReleaseFonts();
        return ok ? 0 : 1;
    }
    if (argc >= 4 && std::string(argv[1]) == "--previews") {
        bool ok = art::WritePreviews(argv[2], argv[3]);
        art::ReleaseFonts();
        return ok ? 0 : 1;
    }
    const bool withBooks = argc == 4 && std::string(argv[2]) == "--manual-pdf";
    if ((argc != 2 && !withBooks) || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: %s ASSETS_DIR [--manual-pdf DIR]\n       %s --contact-sheet ASSETS_DIR OUT.png "
                     "[FILTER]\n       %s --previews ASSETS_DIR OUT_DIR\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    int failures = 0;
    for (const art::PictureGroup& group : art::AllPictureGroups()) {
        if (!group.make(dir)) {
            std::fprintf(stderr, "assetgen: drawing the %s failed\n", group.name);
            ++failures;
        }
    }
    if (withBooks && !art::WriteManualBooks(argv[3])) {
        ++failures;
    }
    // The book's pages hold the fonts, so they go first.
    art::ReleaseBook();
    art::ReleaseFonts();
    // A picture the game asks for that nothing here draws yet: named, so that the gap is seen, not fatal.
    for (const std::string& path : art::UndrawnPictures(dir)) {
        std::fprintf(stderr, "assetgen: no picture drawn for %s\n", path.c_str());
    }
    return failures == 0 ? 0 : 1;
}
