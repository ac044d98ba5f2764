// The robustness suite's dice and scale: seeded random texts and time fields for notices, how long a run
// lasts (ARDENO_SOAK=1, as ./run soak sets it, runs the long version) and its report lines.
#pragma once
#include <windows.h>
#include <cstdint>
#include <random>
#include <string>

bool SoakRun();
// The fast count under ctest, the long one in a soak.
int Scaled(int fast, int soak);
// ARDENO_SEED, or a fixed seed so that every ctest run tries the same cases.
uint32_t FirstSeed();
// One line of what was tried and what survived, on standard output.
void Report(const std::string& line);

// Characters the suite reserves to tag the notices it tracks; random texts never hold them.
constexpr wchar_t kTrackedTag = 0xE000;
constexpr wchar_t kIgnoredTag = 0xE001;
constexpr wchar_t kSentinelTag = 0xE002;

class RandomNotices {
public:
    explicit RandomNotices(uint32_t seed) : engine(seed) {}

    // 0 .. n-1
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(engine); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine); }
    // Up to maxLength units, never U+0000: letters, CJK, control characters, bidi controls, combining marks,
    // non-characters, surrogate pairs, and when asked for a quarter of lone surrogates.
    std::wstring Text(size_t maxLength, bool loneSurrogates);
    // Exactly `length` units of the same mix.
    std::wstring TextOfLength(size_t length, bool loneSurrogates);
    // A time field as a main application might send it, or get wrong: blanks, a sign, up to 19 digits of
    // small, date-like or huge values, trailing junk; sometimes empty, junk only, or more than 64 bits.
    std::wstring TimeField();

private:
    wchar_t Unit(bool loneSurrogates);
    std::mt19937 engine;
};
