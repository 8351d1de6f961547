// SPDX-License-Identifier: MIT
// The big-integer operations of reckonwise beside GMP's in one process: decimal output and
// reading, factorial, product and exact quotient at sizes from 10^3 to 10^6 digits, each
// pair timed alternately, and a Markdown table of the medians and their ratio. GMP is only
// the yardstick here; nothing of the project links it.
//
//   bench/beside_gmp_bench [repetitions]         (taskset -c 0 for one core)
//
// Times are processor time of the whole process (every thread), so a busy machine disturbs
// them less than the wall clock, and work borrowed from a second core still counts.

#include "bigint/BigUnsigned.h"
#include "bigint/factorial.h"
#include "bigint/textConversion.h"

#include <gmp.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The median time of one call of f, over `repetitions` samples of enough calls each to
// last a millisecond; the samples of the two sides alternate.
struct Pair {
    double ours, theirs;
};
Pair timeAlternately(const std::function<void()> &ours, const std::function<void()> &theirs,
                     int repetitions) {
    auto callsFor = [](const std::function<void()> &f) {
        int calls = 1;
        for (;;) {
            const double start = processSeconds();
            for (int i = 0; i < calls; ++i)
                f();
            if (processSeconds() - start > 1e-3 || calls > (1 << 20)) return calls;
            calls *= 2;
        }
    };
    const int oursCalls = callsFor(ours), theirsCalls = callsFor(theirs);
    std::vector<double> a, b;
    for (int r = 0; r < repetitions; ++r) {
        double start = processSeconds();
        for (int i = 0; i < oursCalls; ++i)
            ours();
        a.push_back((processSeconds() - start) / oursCalls);
        start = processSeconds();
        for (int i = 0; i < theirsCalls; ++i)
            theirs();
        b.push_back((processSeconds() - start) / theirsCalls);
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return {a[a.size() / 2], b[b.size() / 2]};
}

std::string randomDigits(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string s(count, '0');
    for (char &c : s)
        c = char('0' + random() % 10);
    s[0] = char('1' + random() % 9);
    return s;
}

void row(const char *operation, const char *size, Pair p) {
    std::printf("| %s | %s | %.3g | %.3g | %.2fx |\n", operation, size, p.ours * 1e3,
                p.theirs * 1e3, p.ours / p.theirs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    std::printf(
        "| operation | size | reckonwise ms | GMP ms | ratio |\n|---|---:|---:|---:|---:|\n");
    for (const std::size_t digits : {1000, 10000, 100000, 1000000}) {
        const std::string size = "10^" + std::to_string(std::to_string(digits).size() - 1);
        const std::string a = randomDigits(digits, 1), b = randomDigits(digits, 2);
        const BigUnsigned x = textToUnsigned(a, 10), y = textToUnsigned(b, 10);
        const BigUnsigned product = x * y;
        mpz_t gx, gy, gp, gr;
        mpz_inits(gx, gy, gp, gr, nullptr);
        mpz_set_str(gx, a.c_str(), 10);
        mpz_set_str(gy, b.c_str(), 10);
        mpz_mul(gp, gx, gy);
        std::string buffer(2 * digits + 2, '\0');

        row("decimal output", size.c_str(),
            timeAlternately([&] { (void)unsignedToText(x, 10); },
                            [&] { mpz_get_str(buffer.data(), 10, gx); }, repetitions));
        row("decimal reading", size.c_str(),
            timeAlternately([&] { (void)textToUnsigned(a, 10); },
                            [&] { mpz_set_str(gr, a.c_str(), 10); }, repetitions));
        row("product", size.c_str(),
            timeAlternately([&] { (void)(x * y); }, [&] { mpz_mul(gr, gx, gy); }, repetitions));
        row("exact quotient", size.c_str(),
            timeAlternately(
                [&] {
                    BigUnsigned r = product, q;
                    r.divideWithRemainder(y, q);
                },
                [&] { mpz_tdiv_qr(gr, gx, gp, gy); }, repetitions));
        mpz_set_str(gx, a.c_str(), 10);
        mpz_clears(gx, gy, gp, gr, nullptr);
    }
    for (const std::uint32_t n : {1000u, 10000u, 100000u, 300000u}) {
        mpz_t g;
        mpz_init(g);
        row("factorial", std::to_string(n).c_str(),
            timeAlternately([&] { (void)factorial(n); }, [&] { mpz_fac_ui(g, n); }, repetitions));
        mpz_clear(g);
    }
}
