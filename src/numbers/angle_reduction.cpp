// Reduction of an angle by multiples of pi/2, ported to C++ for double precision from musl 1.2.3
// (src/math/__rem_pio2.c and __rem_pio2_large.c, from Debian's musl source package), which takes
// it from FreeBSD's msun (e_rem_pio2.c and k_rem_pio2.c). The steps and their order are the
// original's; what the port leaves out is extended and quad precision and the excess precision of
// the x87. The original notice, which covers both files:
/*
 * ====================================================
 * Copyright (C) 1993 by Sun Microsystems, Inc. All rights reserved.
 *
 * Developed at SunSoft, a Sun Microsystems, Inc. business.
 * Permission to use, copy, modify, and distribute this
 * software is freely granted, provided that this notice
 * is preserved.
 * ====================================================
 *
 * Optimized by Bruce D. Evans.
 */

#include "angle_reduction.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>

namespace quorvex {
namespace {

// The high 32 bits of a double: sign, exponent and the top 20 bits of the significand.
std::uint32_t highWord(double x)
{
    return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x) >> 32);
}

int biasedExponent(double x)
{
    return static_cast<int>((std::bit_cast<std::uint64_t>(x) >> 52) & 0x7ff);
}

// 2^e, exactly, for an e in the range of normal doubles. Multiplying by it is scalbn's exact
// scaling without a call into the platform's library.
double powerOfTwo(int e)
{
    assert(e >= -1022 && e <= 1023);
    return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

// Adding and taking away 1.5 x 2^52 rounds a double below 2^51 to a whole number.
constexpr double kToInteger = 0x1.8p52;
constexpr double kPiOver4 = 0x1.921fb54442d18p-1;
// 53 bits of 2/pi.
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// pi/2 in three pieces of 33 bits, each with the rest of pi/2 beyond it.
constexpr double kPiOver2Part1 = 0x1.921fb544p+0;
constexpr double kPiOver2Rest1 = 0x1.0b4611a626331p-34;
constexpr double kPiOver2Part2 = 0x1.0b4611a6p-34;
constexpr double kPiOver2Rest2 = 0x1.3198a2e037073p-69;
constexpr double kPiOver2Part3 = 0x1.3198a2ep-69;
constexpr double kPiOver2Rest3 = 0x1.b839a252049c1p-104;

// x less a small multiple n of pi/2 (|n| <= 4), for x away from a multiple: n times the first
// piece is exact, and the result is good to 85 bits.
ReducedAngle subtractSmallMultiple(double x, int n)
{
    const double multiple = n;
    const double z = x - multiple * kPiOver2Part1;
    const double head = z - multiple * kPiOver2Rest1;
    return {n, head, (z - head) - multiple * kPiOver2Rest1};
}

// x less the nearest multiple of pi/2, for |x| below 2^20 pi/2: the multiple times the pieces of
// pi/2 is taken off in one, two or three rounds, as many as the cancellation needs.
ReducedAngle subtractNearestMultiple(double x)
{
    double multiple = (x * kTwoOverPi + kToInteger) - kToInteger;
    int n = static_cast<int>(multiple);
    double r = x - multiple * kPiOver2Part1;
    double w = multiple * kPiOver2Rest1; // first round, good to 85 bits
    // Only under directed rounding can the multiple be one off.
    if (r - w < -kPiOver4) {
        --n;
        multiple -= 1;
        r = x - multiple * kPiOver2Part1;
        w = multiple * kPiOver2Rest1;
    } else if (r - w > kPiOver4) {
        ++n;
        multiple += 1;
        r = x - multiple * kPiOver2Part1;
        w = multiple * kPiOver2Rest1;
    }
    double head = r - w;
    const int exponent = biasedExponent(x);
    if (exponent - biasedExponent(head) > 16) { // second round, good to 118 bits
        double t = r;
        w = multiple * kPiOver2Part2;
        r = t - w;
        w = multiple * kPiOver2Rest2 - ((t - r) - w);
        head = r - w;
        if (exponent - biasedExponent(head) > 49) { // third round, 151 bits: enough for any x
            t = r;
            w = multiple * kPiOver2Part3;
            r = t - w;
            w = multiple * kPiOver2Rest3 - ((t - r) - w);
            head = r - w;
        }
    }
    return {n, head, (r - head) - w};
}

// The bits of 2/pi after the binary point, 24 to an entry: entry i adds its value times
// 2^(-24(i+1)). 66 entries reach far enough for every double.
constexpr std::array<std::int32_t, 66> kTwoOverPiBits{
    0xA2F983, 0x6E4E44, 0x1529FC, 0x2757D1, 0xF534DD, 0xC0DB62, 0x95993C, 0x439041, 0xFE5163,
    0xABDEBB, 0xC561B7, 0x246E3A, 0x424DD2, 0xE00649, 0x2EEA09, 0xD1921C, 0xFE1DEB, 0x1CB129,
    0xA73EE8, 0x8235F5, 0x2EBB44, 0x84E99C, 0x7026B4, 0x5F7E41, 0x3991D6, 0x398353, 0x39F49C,
    0x845F8B, 0xBDF928, 0x3B1FF8, 0x97FFDE, 0x05980F, 0xEF2F11, 0x8B5A0A, 0x6D1F6D, 0x367ECF,
    0x27CB09, 0xB74F46, 0x3F669E, 0x5FEA2D, 0x7527BA, 0xC7EBE5, 0xF17B3D, 0x0739F7, 0x8A5292,
    0xEA6BFB, 0x5FB11F, 0x8D5D08, 0x560330, 0x46FC7B, 0x6BABF0, 0xCFBC20, 0x9AF436, 0x1DA9E3,
    0x91615E, 0xE61B08, 0x659985, 0x5F14A0, 0x68408D, 0xFFD880, 0x4D7327, 0x310606, 0x1556CA,
    0x73A8C9, 0x60E27B, 0xC08C6B};

// pi/2 in pieces of 24 bits.
constexpr std::array<double, 8> kPiOver2Pieces{0x1.921fb4p+0,   0x1.4442d0p-24, 0x1.846988p-48,
                                               0x1.8cc516p-72,  0x1.01b838p-96, 0x1.a25204p-120,
                                               0x1.382228p-145, 0x1.9f31d0p-169};

// Terms of 2/pi used at first, less one: two more than the 53 bits need, so that the test for a
// lost fraction below works.
constexpr int kFirstTerms = 4;

// x less the nearest multiple of pi/2 for a positive x = 2^e0 (x[0] + x[1] 2^-24 + ...), each
// x[i] a 24-bit whole number: the product of x with 2/pi is formed only from the bits of 2/pi
// that do not make it a multiple of 8 (a multiple of 4 pi/2 changes neither sine nor cosine), so
// the work is the same for every exponent (Payne and Hanek's method). The short variable names are
// the original's.
ReducedAngle reduceByTheBitsOfTwoOverPi(const double* x, int count, int e0)
{
    constexpr int jk = kFirstTerms;
    constexpr int jp = kFirstTerms;
    std::array<std::int32_t, 20> iq{};
    std::array<double, 20> f{};
    std::array<double, 20> fq{};
    std::array<double, 20> q{};

    // q0 < 3 is the exponent of q[0]; f[0] to f[jx + jk] are kTwoOverPiBits[jv - jx] onwards.
    const int jx = count - 1;
    const int jv = std::max(0, (e0 - 3) / 24);
    int q0 = e0 - 24 * (jv + 1);
    for (int i = 0, j = jv - jx; i <= jx + jk; ++i, ++j) {
        f[i] = j < 0 ? 0.0 : kTwoOverPiBits[j];
    }
    const auto product = [&](int i) {
        double fw = 0.0;
        for (int j = 0; j <= jx; ++j) {
            fw += x[j] * f[jx + i - j];
        }
        return fw;
    };
    for (int i = 0; i <= jk; ++i) {
        q[i] = product(i);
    }

    int jz = jk;
    int n = 0;
    int ih = 0;
    double z = 0;
    for (;;) {
        // Distil q[] into 24-bit whole numbers iq[], in reverse.
        z = q[jz];
        for (int i = 0, j = jz; j > 0; ++i, --j) {
            const double fw = static_cast<std::int32_t>(0x1p-24 * z);
            iq[i] = static_cast<std::int32_t>(z - 0x1p24 * fw);
            z = q[j - 1] + fw;
        }

        // The whole part n, modulo 8, and the fraction z.
        z *= powerOfTwo(q0);
        z -= 8.0 * std::floor(z * 0.125);
        n = static_cast<std::int32_t>(z);
        z -= n;
        ih = 0;
        if (q0 > 0) { // iq[jz - 1] holds the lowest bits of n
            const std::int32_t i = iq[jz - 1] >> (24 - q0);
            n += i;
            iq[jz - 1] -= i << (24 - q0);
            ih = iq[jz - 1] >> (23 - q0);
        } else if (q0 == 0) {
            ih = iq[jz - 1] >> 23;
        } else if (z >= 0.5) {
            ih = 2;
        }

        if (ih > 0) { // a fraction of at least a half: take the fraction from 1 instead
            ++n;
            bool carry = false;
            for (int i = 0; i < jz; ++i) {
                const std::int32_t j = iq[i];
                if (!carry) {
                    if (j != 0) {
                        carry = true;
                        iq[i] = 0x1000000 - j;
                    }
                } else {
                    iq[i] = 0xffffff - j;
                }
            }
            if (q0 == 1) {
                iq[jz - 1] &= 0x7fffff;
            } else if (q0 == 2) {
                iq[jz - 1] &= 0x3fffff;
            }
            if (ih == 2) {
                z = 1.0 - z;
                if (carry) {
                    z -= powerOfTwo(q0);
                }
            }
        }

        // When the fraction cancelled down to nothing, more bits of 2/pi are needed.
        if (z != 0.0) {
            break;
        }
        std::int32_t lowBits = 0;
        for (int i = jz - 1; i >= jk; --i) {
            lowBits |= iq[i];
        }
        if (lowBits != 0) {
            break;
        }
        int k = 1;
        while (iq[jk - k] == 0) {
            ++k;
        }
        for (int i = jz + 1; i <= jz + k; ++i) {
            f[jx + i] = kTwoOverPiBits[jv + i];
            q[i] = product(i);
        }
        jz += k;
    }

    // Drop the zero terms at the end, or break the fraction into 24-bit pieces.
    if (z == 0.0) {
        jz -= 1;
        q0 -= 24;
        while (iq[jz] == 0) {
            --jz;
            q0 -= 24;
        }
    } else {
        z *= powerOfTwo(-q0);
        if (z >= 0x1p24) {
            const double fw = static_cast<std::int32_t>(0x1p-24 * z);
            iq[jz] = static_cast<std::int32_t>(z - 0x1p24 * fw);
            jz += 1;
            q0 += 24;
            iq[jz] = static_cast<std::int32_t>(fw);
        } else {
            iq[jz] = static_cast<std::int32_t>(z);
        }
    }

    // The fraction as doubles, then times pi/2.
    double fw = powerOfTwo(q0);
    for (int i = jz; i >= 0; --i) {
        q[i] = fw * iq[i];
        fw *= 0x1p-24;
    }
    for (int i = jz; i >= 0; --i) {
        fw = 0.0;
        for (int k = 0; k <= jp && k <= jz - i; ++k) {
            fw += kPiOver2Pieces[k] * q[i + k];
        }
        fq[jz - i] = fw;
    }

    // Compress the terms into a head and a tail.
    fw = 0.0;
    for (int i = jz; i >= 0; --i) {
        fw += fq[i];
    }
    const double head = ih == 0 ? fw : -fw;
    fw = fq[0] - fw;
    for (int i = 1; i <= jz; ++i) {
        fw += fq[i];
    }
    return {n & 7, head, ih == 0 ? fw : -fw};
}

// |x| from 2^20 pi/2 up: cut into three 24-bit whole numbers for the method above.
ReducedAngle reduceLargeAngle(double x)
{
    // |x| scaled to [2^23, 2^24).
    constexpr std::uint64_t significand = ~std::uint64_t{0} >> 12;
    double z = std::bit_cast<double>((std::bit_cast<std::uint64_t>(x) & significand) |
                                     (std::uint64_t{0x3ff + 23} << 52));
    std::array<double, 3> pieces{};
    pieces[0] = static_cast<std::int32_t>(z);
    z = (z - pieces[0]) * 0x1p24;
    pieces[1] = static_cast<std::int32_t>(z);
    pieces[2] = (z - pieces[1]) * 0x1p24;
    int count = 3; // the first piece is never zero
    while (pieces[count - 1] == 0.0) {
        --count;
    }
    const ReducedAngle reduced =
        reduceByTheBitsOfTwoOverPi(pieces.data(), count, biasedExponent(x) - (0x3ff + 23));
    if (std::signbit(x)) {
        return {-reduced.quadrant, -reduced.head, -reduced.tail};
    }
    return reduced;
}

} // namespace

ReducedAngle reduceAngle(double x)
{
    assert(std::isfinite(x));
    const std::uint32_t ix = highWord(x) & 0x7fffffff;
    const int sign = std::signbit(x) ? -1 : 1;
    // Below 9pi/4 the nearest multiple is known from the high word, and taken off directly, except
    // near pi/2, pi, 3pi/2 and 2pi, where the cancellation needs the rounds of the medium case.
    if (ix <= 0x400f6a7a) { // |x| up to about 5pi/4
        if ((ix & 0xfffff) != 0x921fb) {
            return subtractSmallMultiple(x, sign * (ix <= 0x4002d97c ? 1 : 2));
        }
    } else if (ix <= 0x4015fdbc) { // up to about 7pi/4
        if (ix != 0x4012d97c) {
            return subtractSmallMultiple(x, sign * 3);
        }
    } else if (ix <= 0x401c463b) { // up to about 9pi/4
        if (ix != 0x401921fb) {
            return subtractSmallMultiple(x, sign * 4);
        }
    }
    if (ix < 0x413921fb) { // |x| below about 2^20 pi/2
        return subtractNearestMultiple(x);
    }
    return reduceLargeAngle(x);
}

} // namespace quorvex
