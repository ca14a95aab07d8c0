#include "pictures.h"
namespace art {
bool MakeModuleParts(const std::string&)
{
    return true;
}
bool MakeStickyNotes(const std::string&)
{
    return true;
}
bool MakeSignals(const std::string&)
{
    return true;
}
bool MakeNewspaper(const std::string&)
{
    return true;
}
bool MakeBranding(const std::string&)
{
    return true;
}
bool MakeManualPages(const std::string&)
{
    return true;
}
} // namespace art
