#pragma once
// The evaluation settings: how results are shown (OutputFormat), the unit of angles
// (AngleUnit) and the value range (rangeBits, rangeSigned). They are process-wide, written
// by one thread (the window's Settings menu) and read by evaluations on any thread, so
// each is one atomic word read and written with relaxed ordering.

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
extern std::atomic<std::int32_t> rangeBits;    // 0 (unlimited), 8, 16, 32 or 64
extern std::atomic<bool> rangeSigned;          // default true

inline OutputFormat currentOutputFormat() {
    return OutputFormat(outputFormat.load(std::memory_order_relaxed));
}
inline AngleUnit currentAngleUnit() {
    return AngleUnit(angleUnit.load(std::memory_order_relaxed));
}
inline std::int32_t currentRangeBits() {
    return rangeBits.load(std::memory_order_relaxed);
}
inline bool currentRangeSigned() {
    return rangeSigned.load(std::memory_order_relaxed);
}

inline void setOutputFormat(OutputFormat f) {
    outputFormat.store(f, std::memory_order_relaxed);
}
inline void setAngleUnit(AngleUnit u) {
    angleUnit.store(u, std::memory_order_relaxed);
}
// Both halves of the value range change together; bits 0 means unlimited.
inline void setValueRange(std::int32_t bits, bool isSigned) {
    rangeBits.store(bits, std::memory_order_relaxed);
    rangeSigned.store(isSigned, std::memory_order_relaxed);
}

} // namespace settings
