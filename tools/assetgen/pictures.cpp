#include "pictures.h"

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
        {"manual pages", MakeManualPages},
    };
    return groups;
}

} // namespace art
