#include "modules/shuffle_generator.h"

#include "modules/module_tables.h"

namespace {

std::mt19937 generator{decryption_table::ShuffleSeed};

} // namespace

std::mt19937& ShuffleGenerator()
{
    return generator;
}
