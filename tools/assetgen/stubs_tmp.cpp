#include "pictures.h"
namespace art {
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
