#pragma once
// The sample's two sound effects, synthesised here (no recording from elsewhere) and the same on
// every run: a fire burst and a thunder clap, mono 16-bit at 22050 Hz. samples/make_sample.cpp saves
// them as WAV files at the paths the sample's effects name (kFireSound, kThunderSound).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

inline constexpr const char* kFireSound = "Audio/SE/Fire1.wav";
inline constexpr const char* kThunderSound = "Audio/SE/Thunder1.wav";
inline constexpr int kSoundRate = 22050;

struct strSound {
    std::string path; // relative to the project's folder
    std::vector<int16_t> samples;
};

// Noise from a fixed seed (xorshift), in -1..1.
class cNoise {
  public:
    explicit cNoise(uint32_t seed) : state_(seed) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 2147483647.5 - 1.0;
    }

  private:
    uint32_t state_;
};

inline std::vector<int16_t> ToPcm(const std::vector<double>& wave) {
    double peak = 0;
    for (double v : wave)
        peak = std::max(peak, std::abs(v));
    std::vector<int16_t> out(wave.size());
    for (size_t i = 0; i < wave.size(); ++i)
        out[i] = int16_t(std::lround(wave[i] / std::max(peak, 1e-9) * 0.8 * 32767)); // 80 % of full scale
    return out;
}

// 0.7 s: a rush of noise that opens and closes like a flame, with crackles.
inline std::vector<int16_t> FireSound() {
    const int n = kSoundRate * 7 / 10;
    cNoise noise(0x5EED1234u);
    std::vector<double> wave(static_cast<size_t>(n));
    double low = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSoundRate;
        const double envelope = std::min(1.0, t / 0.03) * std::exp(-t * 4.5);
        const double opening = 0.08 + 0.35 * std::exp(-t * 6); // a brighter start
        low += opening * (noise.next() - low);
        const double crackle = noise.next() > 0.995 ? noise.next() * 2.5 : 0.0;
        wave[size_t(i)] = envelope * (low + crackle * std::exp(-t * 3));
    }
    return ToPcm(wave);
}

// 1.2 s: a sharp crack, then a low rumble that rolls and fades.
inline std::vector<int16_t> ThunderSound() {
    const int n = kSoundRate * 12 / 10;
    cNoise noise(0x7A11C0DEu);
    std::vector<double> wave(static_cast<size_t>(n));
    double low1 = 0, low2 = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSoundRate;
        const double crack = noise.next() * std::exp(-t * 60);
        const double v = noise.next();
        low1 += 0.02 * (v - low1);
        low2 += 0.02 * (low1 - low2);
        const double roll = 1 + 0.5 * std::sin(2 * 3.14159265358979 * 3.2 * t);
        const double rumble = 14 * low2 * roll * std::min(1.0, t / 0.05) * std::exp(-t * 2.6);
        wave[size_t(i)] = crack + rumble;
    }
    return ToPcm(wave);
}

inline std::vector<strSound> Sounds() {
    return {{kFireSound, FireSound()}, {kThunderSound, ThunderSound()}};
}

} // namespace sample
