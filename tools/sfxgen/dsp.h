// Building blocks of the sound generator: noise, filters, resonators, envelopes and a small room.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace sfx {

constexpr int Rate = 48000;
constexpr double Pi = 3.14159265358979323846;

using Buffer = std::vector<float>;

inline size_t Frames(double seconds)
{
    return static_cast<size_t>(std::lround(seconds * Rate));
}
inline double Time(size_t frame)
{
    return double(frame) / Rate;
}

// xorshift64*: the same numbers on every machine, unlike the standard distributions.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) { Next(); }
    uint64_t Next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    double Uniform() { return (Next() >> 11) * (1.0 / 9007199254740992.0); } // 0..1
    double Bipolar() { return Uniform() * 2.0 - 1.0; }                       // -1..1
    double Around(double value, double spread) { return value * (1.0 + spread * Bipolar()); }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }

private:
    uint64_t state_;
};

// RBJ biquads.
class Biquad {
public:
    static Biquad LowPass(double frequency, double q = 0.7071) { return Biquad(Kind::LowPass, frequency, q); }
    static Biquad HighPass(double frequency, double q = 0.7071) { return Biquad(Kind::HighPass, frequency, q); }
    static Biquad BandPass(double frequency, double q) { return Biquad(Kind::BandPass, frequency, q); }

    void Tune(double frequency, double q)
    {
        double w = 2 * Pi * std::clamp(frequency, 0.05, Rate * 0.45) / Rate;
        double alpha = std::sin(w) / (2 * q);
        double c = std::cos(w);
        double a0 = 1 + alpha;
        switch (kind_) {
        case Kind::LowPass:
            b0_ = (1 - c) / 2 / a0, b1_ = (1 - c) / a0, b2_ = b0_;
            break;
        case Kind::HighPass:
            b0_ = (1 + c) / 2 / a0, b1_ = -(1 + c) / a0, b2_ = b0_;
            break;
        case Kind::BandPass: // peak gain 1
            b0_ = alpha / a0, b1_ = 0, b2_ = -alpha / a0;
            break;
        }
        a1_ = -2 * c / a0;
        a2_ = (1 - alpha) / a0;
    }

    float operator()(double x)
    {
        double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return static_cast<float>(y);
    }

    void Apply(Buffer& buffer)
    {
        for (float& sample : buffer) {
            sample = (*this)(sample);
        }
    }

private:
    enum class Kind { LowPass, HighPass, BandPass };
    Biquad(Kind kind, double frequency, double q) : kind_(kind) { Tune(frequency, q); }
    Kind kind_;
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A two-pole resonator: an impulse of 1 rings at the frequency with amplitude near 1, falling by 60 dB in
// the given time. Several make the body of a struck object.
class Resonator {
public:
    Resonator(double frequency, double decaySeconds)
    {
        double w = 2 * Pi * frequency / Rate;
        double r = std::pow(0.001, 1.0 / (decaySeconds * Rate));
        a1_ = 2 * r * std::cos(w);
        a2_ = -r * r;
        gain_ = std::sin(w);
    }
    float operator()(double x)
    {
        double y = a1_ * y1_ + a2_ * y2_ + gain_ * x;
        y2_ = y1_, y1_ = y;
        return static_cast<float>(y);
    }

private:
    double a1_, a2_, gain_;
    double y1_ = 0, y2_ = 0;
};

struct Mode {
    double frequency;
    double decay; // seconds to -60 dB
    double gain;
};

// Rings a set of modes from an excitation signal and adds the result into out.
inline void RingModes(const Buffer& excitation, const std::vector<Mode>& modes, Buffer& out, double level = 1.0)
{
    for (const Mode& mode : modes) {
        if (mode.frequency >= Rate * 0.45) {
            continue;
        }
        Resonator resonator(mode.frequency, mode.decay);
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += static_cast<float>(level * mode.gain * resonator(i < excitation.size() ? excitation[i] : 0.0f));
        }
    }
}

// A short burst of noise with an exponential fall, added at a time into the buffer.
inline void AddNoiseBurst(Buffer& buffer, Random& random, double at, double length, double fall, double level)
{
    size_t start = Frames(at);
    size_t count = Frames(length);
    for (size_t i = 0; i < count && start + i < buffer.size(); ++i) {
        double t = Time(i);
        buffer[start + i] += static_cast<float>(level * random.Bipolar() * std::exp(-t / fall));
    }
}

inline void AddImpulse(Buffer& buffer, double at, double level)
{
    size_t index = Frames(at);
    if (index < buffer.size()) {
        buffer[index] += static_cast<float>(level);
    }
}

// A struck object: a noisy contact, filtered, ringing a set of modes; the result added at a time.
inline void AddStrike(Buffer& out, Random& random, double at, const std::vector<Mode>& modes, double level,
                      double contactSeconds = 0.001, double contactBrightness = 6000)
{
    Buffer excitation(Frames(contactSeconds * 4) + 1);
    AddNoiseBurst(excitation, random, 0, contactSeconds * 4, contactSeconds, 1.0);
    auto lowPass = Biquad::LowPass(contactBrightness);
    lowPass.Apply(excitation);
    Buffer ring(out.size() > Frames(at) ? out.size() - Frames(at) : 0);
    RingModes(excitation, modes, ring, level);
    for (size_t i = 0; i < ring.size(); ++i) {
        out[Frames(at) + i] += ring[i];
    }
}

inline std::vector<Mode> Detuned(std::vector<Mode> modes, Random& random, double spread)
{
    for (Mode& mode : modes) {
        mode.frequency = random.Around(mode.frequency, spread);
        mode.decay = random.Around(mode.decay, spread * 2);
        mode.gain = random.Around(mode.gain, spread * 2);
    }
    return modes;
}

// Band-limited oscillators (polyBLEP), phase 0..1.
inline double PolyBlep(double phase, double step)
{
    if (phase < step) {
        double t = phase / step;
        return t + t - t * t - 1;
    }
    if (phase > 1 - step) {
        double t = (phase - 1) / step;
        return t * t + t + t + 1;
    }
    return 0;
}

class Oscillator {
public:
    explicit Oscillator(double phase = 0) : phase_(phase) {}
    // Returns the saw and square of the current phase, then advances by the frequency.
    void Step(double frequency, double& saw, double& square)
    {
        double step = std::clamp(frequency / Rate, 1e-9, 0.5);
        saw = 2 * phase_ - 1 - PolyBlep(phase_, step);
        double half = std::fmod(phase_ + 0.5, 1.0);
        square = (phase_ < 0.5 ? 1.0 : -1.0) + PolyBlep(phase_, step) - PolyBlep(half, step);
        sine_ = std::sin(2 * Pi * phase_);
        phase_ += step;
        phase_ -= std::floor(phase_);
    }
    double Sine() const { return sine_; }

private:
    double phase_;
    double sine_ = 0;
};

// A value that wanders smoothly: noise through a low-pass, 0 centred, with a spread (standard deviation) of
// about 0.5 whatever the speed.
class Wander {
public:
    Wander(Random& random, double frequency)
        : random_(random), filter_(Biquad::LowPass(frequency, 0.5)),
          scale_(0.5 / (0.577 * std::sqrt(2.2 * frequency / Rate)))
    {
    }
    double operator()() { return filter_(random_.Bipolar()) * scale_; }

private:
    Random& random_;
    Biquad filter_;
    double scale_;
};

// A small, damped room (four combs and two all-passes), mixed in for a sense of space.
inline void AddRoom(Buffer& buffer, double wet, double size = 0.6, double feedback = 0.62, double damping = 0.35)
{
    const int combDelays[] = {1116, 1188, 1277, 1356};
    const int allPassDelays[] = {556, 441};
    Buffer dry = buffer;
    Buffer wetSignal(buffer.size(), 0.0f);
    for (int delay44 : combDelays) {
        size_t delay = static_cast<size_t>(delay44 * size * Rate / 44100.0);
        std::vector<float> line(delay, 0.0f);
        size_t at = 0;
        double store = 0;
        for (size_t i = 0; i < buffer.size(); ++i) {
            float out = line[at];
            store = out * (1 - damping) + store * damping;
            line[at] = static_cast<float>(dry[i] + store * feedback);
            at = (at + 1) % delay;
            wetSignal[i] += out * 0.25f;
        }
    }
    for (int delay44 : allPassDelays) {
        size_t delay = static_cast<size_t>(delay44 * size * Rate / 44100.0);
        std::vector<float> line(delay, 0.0f);
        size_t at = 0;
        for (size_t i = 0; i < buffer.size(); ++i) {
            float delayed = line[at];
            float input = wetSignal[i];
            line[at] = input + delayed * 0.5f;
            wetSignal[i] = delayed - input * 0.5f;
            at = (at + 1) % delay;
        }
    }
    for (size_t i = 0; i < buffer.size(); ++i) {
        buffer[i] = static_cast<float>(dry[i] + wet * wetSignal[i]);
    }
}

inline double Peak(const Buffer& buffer)
{
    double peak = 0;
    for (float sample : buffer) {
        peak = std::max(peak, double(std::fabs(sample)));
    }
    return peak;
}

inline void Normalize(Buffer& buffer, double peak)
{
    double current = Peak(buffer);
    if (current > 0) {
        for (float& sample : buffer) {
            sample = static_cast<float>(sample * peak / current);
        }
    }
}

inline void Saturate(Buffer& buffer, double drive)
{
    for (float& sample : buffer) {
        sample = static_cast<float>(std::tanh(sample * drive));
    }
}

// Removes the silent tail (below -60 dB of the peak) and the DC, and fades both ends by a few samples.
inline void Finish(Buffer& buffer, double fadeOutSeconds = 0.004)
{
    double threshold = Peak(buffer) * 0.001;
    size_t end = buffer.size();
    while (end > 0 && std::fabs(buffer[end - 1]) <= threshold) {
        --end;
    }
    buffer.resize(std::max<size_t>(end, 1));
    auto highPass = Biquad::HighPass(20.0);
    highPass.Apply(buffer);
    size_t fade = std::min(buffer.size(), Frames(fadeOutSeconds));
    for (size_t i = 0; i < fade; ++i) {
        buffer[buffer.size() - 1 - i] *= static_cast<float>(double(i) / fade);
    }
    size_t fadeIn = std::min<size_t>(buffer.size(), 8);
    for (size_t i = 0; i < fadeIn; ++i) {
        buffer[i] *= static_cast<float>(double(i) / fadeIn);
    }
}

inline double Smooth(double t)
{
    return t <= 0 ? 0 : t >= 1 ? 1 : t * t * (3 - 2 * t);
}

} // namespace sfx
