// SPDX-License-Identifier: MIT
#pragma once
// The evaluation settings: how results are shown (OutputFormat), the unit of angles
// (AngleUnit) and the value range (rangeBits, rangeSigned). They are process-wide, written
// by one thread (the window's Settings menu) and read by evaluations on any thread, so
// each is one atomic word read and written with relaxed ordering; the two halves of the
// value range share one word, so that no reader sees half of a change.

#include <atomic>
#include <cstdint>

enum OutputFormat : std::int32_t {
    Normal = 0,
    Full = 1,
    Scientific = 2,
    Engineer = 3,
    Hexadecimal = 4,
    Octal = 5,
    Binary = 6,
};
inline constexpr int outputFormatCount = 7;

enum AngleUnit : std::int32_t {
    Degrees = 0,
    Radians = 1,
    Grads = 2,
};

namespace settings {

extern std::atomic<std::int32_t> outputFormat; // an OutputFormat, default Normal
extern std::atomic<std::int32_t> angleUnit;    // an AngleUnit, default Degrees
// The value range: the bits (0 for unlimited, 8, 16, 32 or 64) in the low byte, and
// signedRangeFlag when signed. Default unlimited and signed.
extern std::atomic<std::int32_t> valueRange;
inline constexpr std::int32_t signedRangeFlag = 0x100;

struct ValueRange {
    std::int32_t bits;
    bool isSigned;
};

inline OutputFormat currentOutputFormat() {
    return OutputFormat(outputFormat.load(std::memory_order_relaxed));
}
inline AngleUnit currentAngleUnit() {
    return AngleUnit(angleUnit.load(std::memory_order_relaxed));
}
inline ValueRange currentValueRange() {
    const std::int32_t word = valueRange.load(std::memory_order_relaxed);
    return {word & 0xFF, (word & signedRangeFlag) != 0};
}
inline std::int32_t currentRangeBits() {
    return currentValueRange().bits;
}
inline bool currentRangeSigned() {
    return currentValueRange().isSigned;
}

inline void setOutputFormat(OutputFormat f) {
    outputFormat.store(f, std::memory_order_relaxed);
}
inline void setAngleUnit(AngleUnit u) {
    angleUnit.store(u, std::memory_order_relaxed);
}
// Both halves of the value range change together; bits 0 means unlimited.
inline void setValueRange(std::int32_t bits, bool isSigned) {
    valueRange.store(bits | (isSigned ? signedRangeFlag : 0), std::memory_order_relaxed);
}

} // namespace settings
