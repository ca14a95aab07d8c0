#include "sounds.h"

#include <cstdio>

namespace sfx {

namespace {

std::string Numbered(const char* stem, int number)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s_%02d.wav", stem, number);
    return name;
}

// ---- Clicks of controls ----

// A plastic key cap: the contact snap, the cap's ring, then the bottom-out a few milliseconds later.
Buffer Keycap(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.16), 0.0f);
    std::vector<Mode> cap =
        Detuned({{1650, 0.030, 0.6}, {2900, 0.020, 0.45}, {4300, 0.012, 0.3}, {6100, 0.007, 0.2}}, random, 0.06);
    std::vector<Mode> thock = Detuned({{255, 0.030, 0.9}, {520, 0.018, 0.35}}, random, 0.08);
    AddStrike(out, random, 0.001, cap, 0.6, 0.0004, 9000);
    double bottom = random.Between(0.006, 0.010);
    AddStrike(out, random, bottom, cap, 0.9, 0.0006, 7000);
    AddStrike(out, random, bottom, thock, 1.4, 0.0008, 2500);
    AddNoiseBurst(out, random, 0.001, 0.003, 0.0004, 0.35);
    auto presence = Biquad::HighPass(120);
    presence.Apply(out);
    AddRoom(out, 0.10, 0.45);
    Finish(out);
    Normalize(out, 0.12); // played at 3.0
    return out;
}

// A chunky panel push-button: a low clunk with a latch click riding on it.
Buffer Button(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.25), 0.0f);
    std::vector<Mode> body =
        Detuned({{820, 0.060, 0.6}, {1450, 0.040, 0.45}, {2380, 0.025, 0.3}, {3600, 0.014, 0.18}}, random, 0.05);
    std::vector<Mode> thump = Detuned({{150, 0.050, 1.0}, {310, 0.030, 0.4}}, random, 0.08);
    std::vector<Mode> latch = Detuned({{3100, 0.010, 0.6}, {5200, 0.007, 0.4}, {7400, 0.004, 0.2}}, random, 0.05);
    AddStrike(out, random, 0.001, body, 1.0, 0.0015, 5000);
    AddStrike(out, random, 0.001, thump, 1.6, 0.002, 1200);
    AddStrike(out, random, random.Between(0.022, 0.034), latch, 0.5, 0.0004, 12000);
    AddRoom(out, 0.12, 0.55);
    Finish(out);
    Normalize(out, 0.85); // played at 0.4
    return out;
}

// A toggle switch: the lever slides, snaps over centre with a bright metal ring, and bounces once.
Buffer Switch(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.2), 0.0f);
    Buffer slide(Frames(0.008), 0.0f);
    for (size_t i = 0; i < slide.size(); ++i) {
        slide[i] = static_cast<float>(random.Bipolar() * 0.12 * Time(i) / 0.008);
    }
    auto slideTone = Biquad::BandPass(3000, 1.5);
    slideTone.Apply(slide);
    for (size_t i = 0; i < slide.size(); ++i) {
        out[i] += slide[i];
    }
    std::vector<Mode> metal =
        Detuned({{2450, 0.045, 0.5}, {4150, 0.030, 0.4}, {6900, 0.016, 0.25}, {9100, 0.009, 0.12}}, random, 0.05);
    std::vector<Mode> body = Detuned({{600, 0.025, 0.4}, {190, 0.030, 0.5}}, random, 0.08);
    double snap = random.Between(0.006, 0.009);
    AddStrike(out, random, snap, metal, 1.0, 0.0003, 14000);
    AddStrike(out, random, snap, body, 1.2, 0.001, 2000);
    AddStrike(out, random, snap + random.Between(0.010, 0.015), metal, 0.3, 0.0003, 10000);
    AddRoom(out, 0.10, 0.5);
    Finish(out);
    Normalize(out, 0.85); // played at 0.4
    return out;
}

// A telephone key: the plastic key's click under a dual tone.
Buffer PhoneKey(double low, double high, uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.17), 0.0f);
    AddStrike(out, random, 0.0, Detuned({{2500, 0.008, 0.5}, {4000, 0.006, 0.3}}, random, 0.05), 0.25, 0.0004);
    double start = 0.008, length = 0.13;
    for (size_t i = Frames(start); i < Frames(start + length); ++i) {
        double t = Time(i) - start;
        double envelope = std::min({1.0, t / 0.003, (length - t) / 0.010});
        out[i] += static_cast<float>(0.5 * envelope * (std::sin(2 * Pi * low * t) + 0.8 * std::sin(2 * Pi * high * t)));
    }
    auto line = Biquad::LowPass(3400, 0.6);
    line.Apply(out);
    Finish(out);
    Normalize(out, 0.14);
    return out;
}

// A metal drawer on ball bearings: a rolling rumble with rattle, stopped by a clunk.
Buffer Drawer(uint64_t seed, double travel)
{
    Random random(seed);
    Buffer out(Frames(travel + 0.45), 0.0f);
    Buffer roll(out.size(), 0.0f);
    Wander jitter(random, 6);
    double bearing = 0;
    for (size_t i = 0; i < Frames(travel); ++i) {
        double t = Time(i);
        double speed = std::sin(Pi * std::min(1.0, t / travel)); // starts, runs, slows
        bearing += (18 + 16 * speed + 3 * jitter()) / Rate;
        double flutter = 0.55 + 0.45 * std::fabs(std::sin(2 * Pi * bearing));
        double envelope = std::min(1.0, t / 0.04) * (0.4 + 0.6 * speed);
        roll[i] = static_cast<float>(random.Bipolar() * flutter * envelope);
    }
    Buffer shell = roll;
    auto low = Biquad::BandPass(random.Around(450, 0.05), 2.0);
    auto mid = Biquad::BandPass(random.Around(1100, 0.05), 3.0);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = 0.9f * low(roll[i]) + 0.35f * mid(shell[i]);
    }
    for (double t = 0.03; t < travel - 0.03; t += random.Between(0.012, 0.045)) {
        AddStrike(out, random, t, Detuned({{1900, 0.012, 0.5}, {3100, 0.008, 0.3}}, random, 0.1),
                  random.Between(0.05, 0.12), 0.0003);
    }
    std::vector<Mode> stop =
        Detuned({{170, 0.14, 0.7}, {410, 0.10, 0.5}, {880, 0.07, 0.35}, {1600, 0.045, 0.25}, {2700, 0.025, 0.15}},
                random, 0.05);
    AddStrike(out, random, travel, stop, 1.2, 0.003, 3000);
    AddStrike(out, random, travel + 0.035, Detuned({{1900, 0.02, 0.5}, {3300, 0.012, 0.3}}, random, 0.1), 0.15, 0.0004);
    AddRoom(out, 0.14, 0.7);
    Finish(out, 0.02);
    Normalize(out, 0.3); // played at 1.5
    return out;
}

// A key into a lock: the scrape past the pins, the seat, and the turn of the tumbler.
Buffer Key(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.6), 0.0f);
    Buffer scrape(Frames(0.13), 0.0f);
    for (size_t i = 0; i < scrape.size(); ++i) {
        double t = Time(i);
        scrape[i] = static_cast<float>(random.Bipolar() * (0.3 + 0.7 * t / 0.13) * 0.25);
    }
    auto grit = Biquad::BandPass(random.Around(5500, 0.05), 2.0);
    grit.Apply(scrape);
    for (size_t i = 0; i < scrape.size(); ++i) {
        out[i] += scrape[i];
    }
    std::vector<Mode> pin = {{3300, 0.006, 0.5}, {5800, 0.005, 0.35}, {7900, 0.003, 0.2}};
    for (double t : {0.02, 0.045, 0.07, 0.095}) {
        AddStrike(out, random, t + random.Between(-0.004, 0.004), Detuned(pin, random, 0.06), 0.35, 0.0003);
    }
    std::vector<Mode> seat =
        Detuned({{1250, 0.05, 0.5}, {2900, 0.03, 0.4}, {4400, 0.018, 0.3}, {6300, 0.012, 0.2}}, random, 0.04);
    AddStrike(out, random, 0.135, seat, 0.8, 0.0005);
    AddStrike(out, random, 0.135, {{320, 0.025, 0.6}}, 0.8, 0.001, 2000);
    double turn = random.Between(0.28, 0.33);
    AddNoiseBurst(out, random, turn - 0.05, 0.05, 0.03, 0.04);
    std::vector<Mode> tumbler =
        Detuned({{700, 0.07, 0.6}, {1800, 0.04, 0.45}, {3300, 0.02, 0.3}, {150, 0.045, 0.8}}, random, 0.04);
    AddStrike(out, random, turn, tumbler, 1.0, 0.0012, 5000);
    AddRoom(out, 0.10, 0.5);
    Finish(out);
    Normalize(out, 0.5); // played at 0.7
    return out;
}

// ---- Paper ----

// Rustling paper: noise through a swept band, crinkled by a wandering level and sparse crackles.
void AddRustle(Buffer& out, Random& random, double at, double length, double fromHz, double toHz, double level,
               double crackleRate)
{
    auto band = Biquad::BandPass(fromHz, 0.8);
    Wander crinkle(random, 45);
    size_t start = Frames(at);
    for (size_t i = 0; i < Frames(length) && start + i < out.size(); ++i) {
        double t = Time(i) / length;
        if (i % 32 == 0) {
            band.Tune(fromHz * std::pow(toHz / fromHz, t), 0.8);
        }
        double envelope = std::sin(Pi * t) * (0.6 + 0.4 * std::sin(Pi * std::min(1.0, t * 2)));
        double texture = 0.35 + std::fabs(crinkle()) * 1.3;
        out[start + i] += static_cast<float>(level * envelope * texture * band(random.Bipolar()));
    }
    Buffer crackle(out.size(), 0.0f);
    for (double t = at; t < at + length; t += random.Between(0.2, 1.8) / crackleRate) {
        double fade = std::sin(Pi * (t - at) / length);
        AddNoiseBurst(crackle, random, t, 0.003, random.Between(0.0002, 0.0008), level * fade * random.Between(0.3, 1));
    }
    auto bright = Biquad::HighPass(2500);
    bright.Apply(crackle);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] += crackle[i];
    }
}

// The breath of air a moving sheet pushes.
void AddSwoosh(Buffer& out, Random& random, double at, double length, double level)
{
    auto air = Biquad::LowPass(500, 0.7);
    for (size_t i = 0; i < Frames(length) && Frames(at) + i < out.size(); ++i) {
        double t = Time(i) / length;
        out[Frames(at) + i] += static_cast<float>(level * std::pow(std::sin(Pi * t), 2) * air(random.Bipolar()));
    }
}

// The soft landing of a booklet on the desk.
void AddFlop(Buffer& out, Random& random, double at, double level)
{
    Buffer thud(out.size() - Frames(at), 0.0f);
    AddNoiseBurst(thud, random, 0, 0.06, 0.018, 1.0);
    auto soft = Biquad::LowPass(900, 0.7);
    soft.Apply(thud);
    AddStrike(thud, random, 0, {{105, 0.08, 0.7}, {230, 0.05, 0.3}}, 1.5, 0.003, 600);
    for (size_t i = 0; i < thud.size(); ++i) {
        out[Frames(at) + i] += static_cast<float>(level * thud[i]);
    }
}

Buffer ManualOpen(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.8), 0.0f);
    AddSwoosh(out, random, 0.0, 0.38, 0.9);
    AddRustle(out, random, 0.02, 0.42, 900, 3200, 0.9, 70);
    AddFlop(out, random, 0.40, 0.7);
    AddRoom(out, 0.12, 0.6);
    Finish(out, 0.02);
    Normalize(out, 0.32);
    return out;
}

Buffer ManualClose(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.6), 0.0f);
    AddRustle(out, random, 0.0, 0.24, 2600, 1200, 0.7, 60);
    AddSwoosh(out, random, 0.05, 0.22, 1.0);
    AddFlop(out, random, 0.22, 1.4);
    AddNoiseBurst(out, random, 0.22, 0.01, 0.002, 0.15);
    AddRoom(out, 0.12, 0.6);
    Finish(out, 0.02);
    Normalize(out, 0.34);
    return out;
}

Buffer ManualPage(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.5), 0.0f);
    double length = random.Between(0.28, 0.36);
    AddRustle(out, random, 0.0, length * 0.6, 1200, 4500, 0.8, 120);
    AddRustle(out, random, length * 0.45, length * 0.55, 4000, 1800, 0.6, 90);
    AddSwoosh(out, random, 0.02, length, 0.5);
    Buffer flick(out.size(), 0.0f);
    AddNoiseBurst(flick, random, length * 0.8, 0.02, 0.005, 0.5);
    auto bright = Biquad::HighPass(3000);
    bright.Apply(flick);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] += flick[i];
    }
    AddRoom(out, 0.10, 0.6);
    Finish(out, 0.015);
    Normalize(out, 0.3);
    return out;
}

// ---- Tones ----

// A bright two-note chime: each note a struck bar with a few bright partials.
Buffer CompletedCorrect()
{
    Buffer out(Frames(1.9), 0.0f);
    Random random(801);
    struct Partial {
        double ratio, gain, decay;
    };
    const Partial partials[] = {{1, 1.0, 1.1}, {2, 0.3, 0.6}, {3, 0.14, 0.35}, {4.2, 0.1, 0.22}, {5.4, 0.05, 0.12}};
    auto note = [&](double at, double frequency, double level) {
        for (size_t i = Frames(at); i < out.size(); ++i) {
            double t = Time(i) - at;
            double attack = std::min(1.0, t / 0.003);
            double sum = 0;
            for (const Partial& p : partials) {
                sum += p.gain * std::exp(-6.9 * t / p.decay) * std::sin(2 * Pi * frequency * p.ratio * t);
            }
            out[i] += static_cast<float>(level * attack * sum * (1 + 0.02 * std::sin(2 * Pi * 5 * t)));
        }
        Buffer strike(out.size(), 0.0f);
        AddNoiseBurst(strike, random, at, 0.004, 0.0008, 0.12 * level);
        auto bright = Biquad::HighPass(4000);
        bright.Apply(strike);
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += strike[i];
        }
    };
    note(0.0, 880.0, 0.8);    // A5
    note(0.13, 1318.51, 1.0); // E6
    AddRoom(out, 0.22, 0.9, 0.72, 0.3);
    Finish(out, 0.05);
    Normalize(out, 0.5);
    return out;
}

// A low, gritty buzz.
Buffer CompletedIncorrect()
{
    double length = 0.5;
    Buffer out(Frames(length + 0.1), 0.0f);
    Oscillator a, b(0.3), sub(0.6);
    auto tone = Biquad::LowPass(1700, 1.3);
    for (size_t i = 0; i < Frames(length); ++i) {
        double t = Time(i);
        double glide = 1.0 - 0.04 * t / length;
        double sawA, sawB, squareA, squareB, saw, square;
        a.Step(98 * glide, sawA, squareA);
        b.Step(101.5 * glide, sawB, squareB);
        sub.Step(49 * glide, saw, square);
        double raw = 0.5 * sawA + 0.5 * sawB + 0.35 * square;
        double envelope = std::min({1.0, t / 0.008, (length - t) / 0.06});
        out[i] = static_cast<float>(envelope * tone(std::tanh(2.5 * raw)));
    }
    AddRoom(out, 0.08, 0.5);
    Finish(out, 0.01);
    Normalize(out, 0.3);
    return out;
}

// A klaxon: a horn that swoops up, holds with a little vibrato, and sags as it stops.
Buffer Alarm()
{
    double length = 1.5;
    Buffer out(Frames(length + 0.3), 0.0f);
    Oscillator one, two(0.25), three(0.5);
    auto formantLow = Biquad::BandPass(800, 1.5);
    auto formantHigh = Biquad::BandPass(1900, 2.0);
    auto top = Biquad::LowPass(5000, 0.7);
    for (size_t i = 0; i < Frames(length); ++i) {
        double t = Time(i);
        double pitch;
        if (t < 0.25) {
            double e = 1 - std::pow(1 - t / 0.25, 2);
            pitch = 330 + (520 - 330) * e;
        } else if (t < 1.3) {
            pitch = 520 * (1 + 0.01 * std::sin(2 * Pi * 5.5 * (t - 0.25)));
        } else {
            pitch = 520 - 90 * Smooth((t - 1.3) / 0.2);
        }
        double saw1, saw2, saw3, square1, square2, square3;
        one.Step(pitch, saw1, square1);
        two.Step(pitch * 1.006, saw2, square2);
        three.Step(pitch * 0.5, saw3, square3);
        double raw = saw1 + 0.7 * saw2 + 0.5 * square1 + 0.25 * square3;
        double horn = formantLow(raw) + 0.6 * formantHigh(raw) + 0.25 * raw;
        double envelope = std::min({1.0, t / 0.025, (length - t) / 0.15});
        out[i] = static_cast<float>(envelope * top(std::tanh(1.6 * horn)));
    }
    AddRoom(out, 0.15, 0.9, 0.7);
    Finish(out, 0.03);
    Normalize(out, 0.6); // played at 0.5
    return out;
}

// A short mechanical whirr: a motor spins up, gears mesh and chatter, and it stops with a clunk.
Buffer Machines(uint64_t seed, double length)
{
    Random random(seed);
    Buffer out(Frames(length + 0.3), 0.0f);
    Oscillator motor(random.Uniform());
    auto body = Biquad::LowPass(1200, 0.9);
    auto air = Biquad::BandPass(700, 1.0);
    auto teethRing = Biquad::BandPass(random.Around(2200, 0.05), 8.0);
    double teethPhase = 0, whinePhase = 0;
    for (size_t i = 0; i < Frames(length); ++i) {
        double t = Time(i);
        double speed = Smooth(t / (length * 0.3)) * (1 - Smooth((t - length * 0.6) / (length * 0.4)));
        double frequency = 35 + 110 * speed;
        double saw, square;
        motor.Step(frequency, saw, square);
        whinePhase += 14 * frequency / Rate;
        teethPhase += 6 * frequency / Rate;
        double tooth = 0;
        if (teethPhase >= 1) {
            teethPhase -= 1;
            tooth = random.Between(0.5, 1.0);
        }
        double whine = std::sin(2 * Pi * whinePhase);
        double value = 0.6 * body(saw) * (0.3 + 0.7 * speed) + 0.15 * speed * whine + 1.4 * speed * teethRing(tooth) +
                       0.25 * speed * air(random.Bipolar());
        out[i] = static_cast<float>(value * std::min({1.0, t / 0.02, (length - t) / 0.03}));
    }
    AddStrike(out, random, length - 0.04,
              Detuned({{220, 0.08, 0.7}, {560, 0.05, 0.4}, {1300, 0.03, 0.25}}, random, 0.05), 0.8, 0.002, 3000);
    AddRoom(out, 0.12, 0.7);
    Saturate(out, 1.5);
    Finish(out, 0.02);
    Normalize(out, 0.95); // played at 0.2
    return out;
}

// ---- Terminal ----

// One typing tick: a relay's tiny, bright snap, only milliseconds long, and made dense so that it carries at
// the terminal's very low cue volume.
Buffer TerminalTick(uint64_t seed)
{
    Random random(seed);
    Buffer out(Frames(0.03), 0.0f);
    std::vector<Mode> snap =
        Detuned({{2800, 0.010, 1.0}, {4700, 0.007, 0.7}, {7300, 0.004, 0.4}, {900, 0.008, 0.4}}, random, 0.05);
    AddStrike(out, random, 0.0005, snap, 1.0, 0.0003, 12000);
    AddNoiseBurst(out, random, 0.0005, 0.002, 0.0004, 0.6);
    Finish(out, 0.002);
    Normalize(out, 1.0);
    Saturate(out, 1.8);
    Normalize(out, 0.98); // played at 0.05
    return out;
}

// A cathode-ray terminal coming on: the power switch, the degaussing coil's hum dying away, static as the
// tube charges, and the flyback's faint whine.
Buffer TerminalStartup()
{
    Random random(1401);
    double length = 1.9;
    Buffer out(Frames(length), 0.0f);
    AddStrike(out, random, 0.0, {{900, 0.04, 0.6}, {2100, 0.025, 0.4}, {3800, 0.012, 0.25}, {120, 0.05, 0.9}}, 1.0,
              0.001, 5000);
    Oscillator mains;
    auto hum = Biquad::LowPass(900, 0.8);
    for (size_t i = Frames(0.05); i < out.size(); ++i) {
        double t = Time(i) - 0.05;
        double saw, square;
        mains.Step(60, saw, square);
        double envelope = std::min(1.0, t / 0.02) * std::exp(-t / 0.35) * (1 + 0.3 * std::sin(2 * Pi * 7 * t));
        out[i] += static_cast<float>(0.7 * envelope * hum(0.6 * square + 0.4 * saw));
    }
    for (double t : {0.12, 0.165}) {
        AddStrike(out, random, t, Detuned({{1700, 0.015, 0.5}, {3900, 0.01, 0.3}}, random, 0.05), 0.35, 0.0004);
    }
    Buffer crackle(out.size(), 0.0f);
    for (double t = 0.2; t < 1.3; t += random.Between(0.003, 0.03)) {
        double fade = std::exp(-(t - 0.2) / 0.4);
        AddNoiseBurst(crackle, random, t, 0.003, random.Between(0.0002, 0.0006), 0.5 * fade * random.Uniform());
    }
    auto bright = Biquad::HighPass(3000);
    bright.Apply(crackle);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = Time(i);
        double whine = 0.025 * Smooth((t - 0.15) / 0.35) * (1 - Smooth((t - 1.5) / 0.4));
        double settle = 0.06 * Smooth((t - 0.4) / 0.3) * (1 - Smooth((t - 1.4) / 0.5));
        out[i] +=
            crackle[i] + static_cast<float>(whine * std::sin(2 * Pi * 15734 * t) + settle * std::sin(2 * Pi * 120 * t));
    }
    AddRoom(out, 0.1, 0.6);
    Finish(out, 0.1);
    Normalize(out, 0.45);
    return out;
}

// ---- The phone's bell ----

// An electro-mechanical ring: a hammer beats between two bells twenty times a second, then they ring out.
Buffer PhoneRing()
{
    Random random(1701);
    double ringing = 1.8;
    Buffer out(Frames(ringing + 1.3), 0.0f);
    Buffer left(out.size(), 0.0f), right(out.size(), 0.0f);
    for (double t = 0.0; t < ringing; t += 0.025) {
        bool first = std::lround(t / 0.025) % 2 == 0;
        AddImpulse(first ? left : right, t, random.Between(0.7, 1.0));
    }
    const std::vector<Mode> bellA = {{1050, 1.2, 0.6}, {2436, 0.6, 0.35}, {4462, 0.3, 0.2}, {6961, 0.15, 0.08}};
    const std::vector<Mode> bellB = {{1180, 1.1, 0.6}, {2738, 0.55, 0.35}, {5015, 0.28, 0.2}, {7823, 0.14, 0.08}};
    auto hammer = Biquad::LowPass(5000);
    Buffer excitationA(out.size()), excitationB(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        excitationA[i] = hammer(left[i]);
    }
    auto hammerB = Biquad::LowPass(5000);
    for (size_t i = 0; i < out.size(); ++i) {
        excitationB[i] = hammerB(right[i]);
    }
    RingModes(excitationA, bellA, out);
    RingModes(excitationB, bellB, out);
    auto soft = Biquad::LowPass(7000);
    soft.Apply(out);
    AddRoom(out, 0.12, 0.7);
    Finish(out, 0.1);
    Normalize(out, 0.95); // played at 0.2
    return out;
}

// ---- Ambience: seamless loops ----

constexpr double LoopSeconds = 16.0; // every steady frequency below is a whole number of cycles in it

// Makes a stream of length loop + crossfade seamless: its tail is faded into its head.
Buffer Seamless(const Buffer& stream, size_t loop)
{
    size_t fade = stream.size() - loop;
    Buffer out(stream.begin(), stream.begin() + static_cast<long>(loop));
    for (size_t i = 0; i < fade; ++i) {
        double a = std::sin(0.5 * Pi * double(i) / fade);
        double b = std::cos(0.5 * Pi * double(i) / fade);
        out[i] = static_cast<float>(stream[i] * a + stream[loop + i] * b);
    }
    return out;
}

// Filtered noise for one side of a room: the air handling's broad rush and a narrower duct tone.
Buffer AirNoise(Random& random, size_t frames, double rushHz, double ductHz, double ductLevel)
{
    Buffer out(frames, 0.0f);
    auto rush = Biquad::LowPass(rushHz, 0.6);
    auto rushSecond = Biquad::LowPass(rushHz * 1.5, 0.6);
    auto duct = Biquad::BandPass(ductHz, 1.5);
    Wander gust(random, 0.3);
    for (size_t i = 0; i < frames; ++i) {
        double white = random.Bipolar();
        double swell = 1.0 + 0.25 * gust();
        out[i] = static_cast<float>(swell * (rushSecond(rush(white)) + ductLevel * duct(white)));
    }
    return out;
}

void AddSine(Buffer& out, double frequency, double level, double phase = 0)
{
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] += static_cast<float>(level * std::sin(2 * Pi * frequency * Time(i) + phase));
    }
}

// A distant relay or valve now and then, placed on the loop's circle so that tails wrap round.
void AddDistantEvents(Buffer& out, Random& random, int count, double level)
{
    size_t loop = out.size();
    for (int k = 0; k < count; ++k) {
        Buffer event(Frames(0.6), 0.0f);
        AddStrike(
            event, random, 0.0,
            Detuned({{random.Between(300, 700), 0.12, 0.6}, {random.Between(1200, 2000), 0.06, 0.3}}, random, 0.1), 1.0,
            0.002, 2500);
        AddRoom(event, 0.5, 1.0, 0.75, 0.5);
        auto far = Biquad::LowPass(1500);
        far.Apply(event);
        size_t at = Frames(LoopSeconds * (k + random.Between(0.2, 0.8)) / count);
        for (size_t i = 0; i < event.size(); ++i) {
            out[(at + i) % loop] += static_cast<float>(level * event[i]);
        }
    }
}

Recording AmbienceSafe()
{
    Random random(1501);
    size_t loop = Frames(LoopSeconds), stream = loop + Frames(1.5);
    Buffer common = AirNoise(random, stream, 380, 1250, 0.25);
    Buffer sideL = AirNoise(random, stream, 380, 1250, 0.25);
    Buffer sideR = AirNoise(random, stream, 380, 1250, 0.25);
    Buffer left(loop), right(loop);
    Buffer l = Seamless(sideL, loop), r = Seamless(sideR, loop), c = Seamless(common, loop);
    for (size_t i = 0; i < loop; ++i) {
        left[i] = 0.6f * c[i] + 0.5f * l[i];
        right[i] = 0.6f * c[i] + 0.5f * r[i];
    }
    Normalize(left, 0.5), Normalize(right, 0.5);
    // Transformer hum: mains at 50 Hz, strongest at twice that, breathing slowly.
    Buffer hum(loop, 0.0f);
    const double harmonics[][2] = {{50, 0.22}, {100, 0.5}, {150, 0.16}, {200, 0.1}, {300, 0.05}, {400, 0.025}};
    for (auto& h : harmonics) {
        AddSine(hum, h[0], h[1], random.Uniform() * 2 * Pi);
    }
    Buffer fan(loop, 0.0f);
    AddSine(fan, 210, 0.08);
    AddSine(fan, 420, 0.03);
    Buffer events(loop, 0.0f);
    AddDistantEvents(events, random, 4, 0.35);
    for (size_t i = 0; i < loop; ++i) {
        double t = Time(i);
        double breathe = 1 + 0.1 * std::sin(2 * Pi * t / 8);
        double fanBeat = 0.7 + 0.3 * std::sin(2 * Pi * t / 4);
        float shared = static_cast<float>(0.55 * breathe * hum[i] + fanBeat * fan[i]);
        left[i] += shared + events[i];
        right[i] += shared + 0.8f * events[i];
    }
    double peak = std::max(Peak(left), Peak(right));
    for (size_t i = 0; i < loop; ++i) {
        left[i] = static_cast<float>(left[i] * 0.21 / peak);
        right[i] = static_cast<float>(right[i] * 0.21 / peak);
    }
    return {"ambience/safe", "control_room_hum.wav", left, right};
}

Recording AmbienceUnsafe()
{
    Random random(1601);
    size_t loop = Frames(LoopSeconds), stream = loop + Frames(1.5);
    Buffer rumbleL = Seamless(AirNoise(random, stream, 140, 600, 0.1), loop);
    Buffer rumbleR = Seamless(AirNoise(random, stream, 140, 600, 0.1), loop);
    Normalize(rumbleL, 0.6), Normalize(rumbleR, 0.6);
    Buffer drone(loop, 0.0f);
    AddSine(drone, 100, 0.45);
    AddSine(drone, 101.25, 0.4); // beats slowly against 100
    AddSine(drone, 200, 0.15);
    AddSine(drone, 300.0625, 0.08);
    Buffer sub(loop, 0.0f);
    AddSine(sub, 40, 0.7);
    Buffer stress(loop, 0.0f);
    AddSine(stress, 1187.5, 0.05);
    AddSine(stress, 2375, 0.02);
    Buffer events(loop, 0.0f);
    AddDistantEvents(events, random, 6, 0.5);
    Buffer left(loop), right(loop);
    for (size_t i = 0; i < loop; ++i) {
        double t = Time(i);
        double throb = std::pow(0.5 + 0.5 * std::sin(2 * Pi * 0.5 * t), 3); // a slow, heavy pulse
        double waver = 0.5 + 0.5 * std::sin(2 * Pi * 0.25 * t);
        double shared = 0.5 * drone[i] + 0.6 * throb * sub[i] + waver * stress[i];
        left[i] = static_cast<float>(shared + rumbleL[i] * (0.7 + 0.3 * throb) + events[i]);
        right[i] = static_cast<float>(shared + rumbleR[i] * (0.7 + 0.3 * throb) + 0.7 * events[i]);
    }
    // Pressed hard against full scale: the cue plays it at a hundredth.
    double peak = std::max(Peak(left), Peak(right));
    for (size_t i = 0; i < loop; ++i) {
        left[i] = static_cast<float>(std::tanh(2.5 * left[i] / peak) * 0.95);
        right[i] = static_cast<float>(std::tanh(2.5 * right[i] / peak) * 0.95);
    }
    return {"ambience/unsafe", "reactor_strain.wav", left, right};
}

} // namespace

std::vector<Recording> AllRecordings()
{
    std::vector<Recording> all;
    auto mono = [&](const char* folder, std::string file, Buffer sound) {
        all.push_back({folder, std::move(file), std::move(sound), {}});
    };
    for (int i = 1; i <= 6; ++i) {
        mono("interactables/keycap", Numbered("keycap", i), Keycap(100 + i));
    }
    for (int i = 1; i <= 4; ++i) {
        mono("interactables/button", Numbered("button", i), Button(200 + i));
    }
    for (int i = 1; i <= 4; ++i) {
        mono("interactables/switch", Numbered("switch", i), Switch(300 + i));
    }
    // Dual tones of the keys 1, 2, 3, 5, 8 and 0.
    const double keys[][2] = {{697, 1209}, {697, 1336}, {697, 1477}, {770, 1336}, {852, 1336}, {941, 1336}};
    for (int i = 0; i < 6; ++i) {
        mono("interactables/phone_button", Numbered("phone_key", i + 1), PhoneKey(keys[i][0], keys[i][1], 400 + i));
    }
    for (int i = 1; i <= 2; ++i) {
        mono("interactables/key", Numbered("key_turn", i), Key(500 + i));
    }
    for (int i = 1; i <= 2; ++i) {
        mono("manual/open", Numbered("manual_open", i), ManualOpen(600 + i));
        mono("manual/close", Numbered("manual_close", i), ManualClose(700 + i));
    }
    for (int i = 1; i <= 4; ++i) {
        mono("manual/page", Numbered("page_turn", i), ManualPage(800 + i));
    }
    mono("drawer", "drawer_01.wav", Drawer(901, 0.42));
    mono("drawer", "drawer_02.wav", Drawer(902, 0.36));
    mono("completed_correct", "chime.wav", CompletedCorrect());
    mono("completed_incorrect", "buzz.wav", CompletedIncorrect());
    mono("alarm", "klaxon.wav", Alarm());
    mono("machines", "whirr_01.wav", Machines(1001, 0.9));
    mono("machines", "whirr_02.wav", Machines(1002, 1.1));
    for (int i = 1; i <= 5; ++i) {
        mono("terminal/tick", Numbered("tick", i), TerminalTick(1300 + i));
    }
    mono("terminal/startup", "crt_power_on.wav", TerminalStartup());
    all.push_back(AmbienceSafe());
    all.push_back(AmbienceUnsafe());
    mono("phone", "bell_ring.wav", PhoneRing());
    return all;
}

} // namespace sfx
