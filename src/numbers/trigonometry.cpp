// The sine and cosine, ported to C++ for double precision from musl 1.2.3 (src/math/sin.c, cos.c,
// __sin.c and __cos.c, from Debian's musl source package), which takes them from FreeBSD's msun
// (s_sin.c, s_cos.c, k_sin.c and k_cos.c). The polynomials, the steps and their order are the
// original's; what the port leaves out is the raising of floating-point exceptions and the excess
// precision of the x87. The original notice, which covers all four files:
/*
 * ====================================================
 * Copyright (C) 1993 by Sun Microsystems, Inc. All rights reserved.
 *
 * Developed at SunPro, a Sun Microsystems, Inc. business.
 * Permission to use, copy, modify, and distribute this
 * software is freely granted, provided that this notice
 * is preserved.
 * ====================================================
 */

#include "trigonometry.h"

#include "angle_reduction.h"

#include <bit>
#include <cstdint>

namespace quorvex {
namespace {

// |x| as the high 32 bits of its double: the exponent and the top 20 bits of the significand.
std::uint32_t magnitudeHighWord(double x)
{
    return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x) >> 32) & 0x7fffffff;
}

// The high words of pi/4 and of the first infinity.
constexpr std::uint32_t kPiOver4HighWord = 0x3fe921fb;
constexpr std::uint32_t kInfinityHighWord = 0x7ff00000;

// sin(x + y) for |x| up to about pi/4, y the tail of x (ignored when `withTail` is false), by an
// odd polynomial of degree 13 whose error on [0, pi/4] is below 2^-58 relative:
// sin(x) = x + S1 x^3 + ... + S6 x^13.
double sinKernel(double x, double y, bool withTail)
{
    constexpr double S1 = -0x1.5555555555549p-3;
    constexpr double S2 = 0x1.111111110f8a6p-7;
    constexpr double S3 = -0x1.a01a019c161d5p-13;
    constexpr double S4 = 0x1.71de357b1fe7dp-19;
    constexpr double S5 = -0x1.ae5e68a2b9cebp-26;
    constexpr double S6 = 0x1.5d93a5acfd57cp-33;
    const double z = x * x;
    const double w = z * z;
    const double r = S2 + z * (S3 + z * S4) + z * w * (S5 + z * S6);
    const double v = z * x;
    if (!withTail) {
        return x + v * (S1 + z * r);
    }
    // sin(x + y) = sin(x) + (1 - x^2/2) y, arranged for accuracy.
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x + y) for |x| up to about pi/4, y the tail of x, by an even polynomial of degree 14 whose
// error on [0, pi/4] is below 2^-58: cos(x) = 1 - x^2/2 + C1 x^4 + ... + C6 x^14. The result is
// w + (1 - x^2/2 - w + (r - xy)), where w = 1 - x^2/2 rounded and the first difference is exact.
double cosKernel(double x, double y)
{
    constexpr double C1 = 0x1.555555555554cp-5;
    constexpr double C2 = -0x1.6c16c16c15177p-10;
    constexpr double C3 = 0x1.a01a019cb1590p-16;
    constexpr double C4 = -0x1.27e4f809c52adp-22;
    constexpr double C5 = 0x1.1ee9ebdb4b1c4p-29;
    constexpr double C6 = -0x1.8fae9be8838d4p-37;
    const double z = x * x;
    double w = z * z;
    const double r = z * (C1 + z * (C2 + z * C3)) + w * w * (C4 + z * (C5 + z * C6));
    const double hz = 0.5 * z;
    w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

} // namespace

// Past pi/4 the angle is reduced to x = n pi/2 + y, |y| <= pi/4, and the quarter turn n (mod 4)
// picks sin(y), cos(y), -sin(y) or -cos(y).

double Sin(double x)
{
    const std::uint32_t ix = magnitudeHighWord(x);
    if (ix <= kPiOver4HighWord) {
        if (ix < 0x3e500000) { // |x| < 2^-26: sin(x) is x to the last bit (and -0 stays -0)
            return x;
        }
        return sinKernel(x, 0.0, false);
    }
    if (ix >= kInfinityHighWord) {
        return x - x;
    }
    const ReducedAngle a = reduceAngle(x);
    switch (a.quadrant & 3) {
    case 0:
        return sinKernel(a.head, a.tail, true);
    case 1:
        return cosKernel(a.head, a.tail);
    case 2:
        return -sinKernel(a.head, a.tail, true);
    default:
        return -cosKernel(a.head, a.tail);
    }
}

double Cos(double x)
{
    const std::uint32_t ix = magnitudeHighWord(x);
    if (ix <= kPiOver4HighWord) {
        if (ix < 0x3e46a09e) { // |x| < 2^-27 sqrt(2): cos(x) rounds to 1
            return 1.0;
        }
        return cosKernel(x, 0.0);
    }
    if (ix >= kInfinityHighWord) {
        return x - x;
    }
    const ReducedAngle a = reduceAngle(x);
    switch (a.quadrant & 3) {
    case 0:
        return cosKernel(a.head, a.tail);
    case 1:
        return -sinKernel(a.head, a.tail, true);
    case 2:
        return -cosKernel(a.head, a.tail);
    default:
        return sinKernel(a.head, a.tail, true);
    }
}

} // namespace quorvex
