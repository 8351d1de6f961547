// SPDX-License-Identifier: MIT
#include "number/bitView.h"

#include "bigint/textConversion.h"
#include "number/format.h"
#include "number/outputFormats.h"
#include "number/valueKind.h"

#include <algorithm>

namespace {

constexpr std::array<OutputFormat, 4> rowFormats{Full, Hexadecimal, Octal, Binary};
constexpr std::array<std::string_view, 4> rowNames{"decimal", "hexadecimal", "octal", "binary"};
// Decimal by three digits, hexadecimal and binary by four, octal by three (one group is
// then nine bits, as a programmer reads file modes).
constexpr std::array<int, 4> groupSizes{3, 4, 3, 4};

std::uint64_t widthMask(int width) {
    return width >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << width) - 1;
}

// The signed reading of the low `width` bits of v.
std::int64_t signedReading(std::uint64_t v, int width) {
    if (width < 64 && ((v >> (width - 1)) & 1)) return std::int64_t(v | ~widthMask(width));
    return std::int64_t(v);
}

std::string digitsOf(std::uint64_t v, unsigned base) {
    if (v == 0) return "0";
    std::string s;
    for (; v != 0; v /= base)
        s += "0123456789ABCDEF"[v % base];
    std::reverse(s.begin(), s.end());
    return s;
}

// The text of a value given by its sign and magnitude in format: with the format's prefix
// in a radix format, in decimal otherwise.
std::string valueText(bool negative, std::uint64_t magnitude, OutputFormat format) {
    const OutputFormatRow &row = outputFormatRow(format);
    std::string text = negative && magnitude != 0 ? "-" : "";
    if (isRadixFormat(format))
        for (char16_t c : row.prefix)
            text += char(c);
    return text + digitsOf(magnitude, isRadixFormat(format) ? row.radix : 10);
}

std::string ascii(std::u16string_view text) {
    std::string s(text.size(), '\0');
    std::transform(text.begin(), text.end(), s.begin(), [](char16_t c) { return char(c); });
    return s;
}

std::string groupedNumber(std::int64_t v) {
    return groupedDigits(std::to_string(v), 3);
}

std::string groupedCount(std::uint64_t v) {
    return groupedDigits(std::to_string(v), 3);
}

// The grid of an unlimited value: 64 bits of a value that is not negative, the smallest
// two's-complement width that holds a negative one (-2^(w-1) <= value), or 64 bits of the
// magnitude of a negative value wider than 64 bits.
struct UnlimitedGrid {
    int width;
    std::uint64_t bits;
    bool signAndMagnitude;
};

UnlimitedGrid unlimitedGrid(const BigInteger &x) {
    const BigUnsigned &m = x.getMagnitude();
    const std::uint64_t length = m.bitLength();
    const std::uint64_t low = (std::uint64_t(m.blockAt(1)) << 32) | m.blockAt(0);
    if (x.getSign() != BigInteger::negative) return {64, low, false};
    for (int width : {8, 16, 32, 64}) {
        if (length > std::uint64_t(width) ||
            (length == std::uint64_t(width) && low != std::uint64_t(1) << (width - 1)))
            continue;
        return {width, (0 - low) & widthMask(width), false};
    }
    return {64, low, true};
}

void describeRange(BitView &view, const Number &n) {
    const int width = n.rangeBits;
    const std::uint64_t pattern = low64(n.integerValue) & widthMask(width);
    view.width = width;
    view.bits = pattern;
    view.significantBits = n.integerValue.getMagnitude().bitLength();
    view.negative = n.integerValue.getSign() == BigInteger::negative;
    view.unsignedReading = std::to_string(pattern);
    view.signedReading = std::to_string(signedReading(pattern, width));
    view.rows[0].plain = integerToText(n.integerValue, 10);
    for (std::size_t i = 1; i < rowFormats.size(); ++i)
        view.rows[i].plain = valueText(false, pattern, rowFormats[i]);
    view.summary = std::to_string(width) + " bits: unsigned " +
                   groupedDigits(view.unsignedReading, 3) + ", signed " +
                   groupedNumber(signedReading(pattern, width));
}

void describeUnlimited(BitView &view, const Number &n) {
    const BigUnsigned &magnitude = n.integerValue.getMagnitude();
    const std::uint64_t length = magnitude.bitLength();
    view.significantBits = length;
    view.negative = n.integerValue.getSign() == BigInteger::negative;
    // Every row is the result's own text in that format, kept in the Number: made once
    // however often the result is shown.
    for (std::size_t i = 0; i < rowFormats.size(); ++i)
        view.rows[i].plain = ascii(formattedResult(n, rowFormats[i]));
    const UnlimitedGrid grid = unlimitedGrid(n.integerValue);
    view.width = grid.width;
    view.bits = grid.bits;
    view.signAndMagnitude = grid.signAndMagnitude;
    if (!view.negative || grid.signAndMagnitude) view.bitsAbove = length > 64 ? length - 64 : 0;
    if (!view.negative) {
        view.summary =
            "Unlimited: " + groupedCount(length) + " significant bit" + (length == 1 ? "" : "s");
        if (view.bitsAbove > 0)
            view.summary += ", bits 0 to 63 shown, " + groupedCount(view.bitsAbove) + " more above";
    } else if (!grid.signAndMagnitude) {
        view.summary = "Unlimited, negative: two's complement in " + std::to_string(grid.width) +
                       " bits, " + valueText(false, grid.bits, Hexadecimal);
    } else {
        view.summary = "Unlimited, negative: sign and magnitude, " + groupedCount(length) +
                       " significant bits, bits 0 to 63 of the magnitude shown, " +
                       groupedCount(view.bitsAbove) + " more above";
    }
}

} // namespace

std::string groupedDigits(std::string_view text, int size) {
    std::size_t start = 0;
    if (start < text.size() && text[start] == '-') ++start;
    if (start + 1 < text.size() && text[start] == '0' &&
        std::string_view("xob").find(text[start + 1]) != std::string_view::npos)
        start += 2;
    const std::size_t digits = text.size() - start;
    if (size <= 0 || digits <= std::size_t(size)) return std::string(text);
    std::string out;
    out.reserve(text.size() + digits / std::size_t(size));
    out.append(text.substr(0, start));
    // The first group takes what is left over; every later one is whole.
    std::size_t first = digits % std::size_t(size);
    if (first == 0) first = std::size_t(size);
    out.append(text.substr(start, first));
    for (std::size_t at = start + first; at < text.size(); at += std::size_t(size)) {
        out += ' ';
        out.append(text.substr(at, std::size_t(size)));
    }
    return out;
}

BitView bitView(const Number &n) {
    BitView view;
    for (std::size_t i = 0; i < view.rows.size(); ++i)
        view.rows[i].name = rowNames[i];
    if (n.kind == NoValue) {
        view.message = "No value.";
        return view;
    }
    if (n.kind == Float) {
        view.kind = BitViewKind::notInteger;
        view.message = "Not an integer: only whole numbers have bits to show.";
        return view;
    }
    view.kind = BitViewKind::integer;
    if (n.rangeBits > 0)
        describeRange(view, n);
    else
        describeUnlimited(view, n);
    for (std::size_t i = 0; i < view.rows.size(); ++i)
        view.rows[i].grouped = groupedDigits(view.rows[i].plain, groupSizes[i]);
    return view;
}

std::string flippedBitText(const Number &n, int bit, OutputFormat format) {
    if (n.kind != Integer || bit < 0) return {};
    const std::uint64_t flip = std::uint64_t(1) << (bit & 63);
    if (n.rangeBits > 0) {
        if (bit >= n.rangeBits) return {};
        const std::uint64_t pattern = (low64(n.integerValue) ^ flip) & widthMask(n.rangeBits);
        // A radix literal of the range's bits reads back as the same bits.
        if (isRadixFormat(format)) return valueText(false, pattern, format);
        if (!n.rangeSigned) return std::to_string(pattern);
        return std::to_string(signedReading(pattern, n.rangeBits));
    }
    const UnlimitedGrid view = unlimitedGrid(n.integerValue);
    const bool negative = n.integerValue.getSign() == BigInteger::negative;
    if (bit >= view.width) return {};
    if (negative && !view.signAndMagnitude) {
        const std::int64_t value =
            signedReading((view.bits ^ flip) & widthMask(view.width), view.width);
        const std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
        return valueText(value < 0, magnitude, format);
    }
    // The magnitude with the bit flipped, and the value's sign.
    BigUnsigned magnitude = n.integerValue.getMagnitude();
    const auto block = BigUnsigned::Index(bit / 32);
    magnitude.setBlockAt(block, magnitude.blockAt(block) ^ (BigUnsigned::Blk(1) << (bit % 32)));
    std::string text = negative && !magnitude.isZero() ? "-" : "";
    if (isRadixFormat(format)) {
        const OutputFormatRow &row = outputFormatRow(format);
        for (char16_t c : row.prefix)
            text += char(c);
        return text + (magnitude.isZero() ? "0" : unsignedToText(magnitude, row.radix));
    }
    return text + (magnitude.isZero() ? "0" : unsignedToText(magnitude, 10));
}
