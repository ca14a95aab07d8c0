#include "support/played_shift.h"

#include <algorithm>
#include <random>

long WholeShift::Count(const std::string& name, const std::string& payload) const
{
    return std::count_if(events.begin(), events.end(),
                         [&](const EventLine& line) { return line.name == name && line.payload == payload; });
}

WholeShift PlayWholeShift(std::time_t clock, double mistakes, uint32_t seed)
{
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = clock;
    WholeShift played;
    std::mt19937 chance(seed);
    played.run = Player::Run(options, [&](Player& player) {
        ShiftOptions shift;
        shift.mistakes = mistakes;
        shift.chance = &chance;
        played.report = PlayShift(player, shift);
        played.events = player.Events();
    });
    return played;
}
