#pragma once

// The sine and cosine the angle screens use, the same to the last bit on every platform. The C
// libraries disagree for large angles (one reduces the angle with a 64-bit pi, another exactly), so
// the unit carries its own: the argument is reduced exactly by pi/2, with as many bits of 2/pi as
// the angle needs, and the result lies within one unit in the last place of the true value. Every
// step is a single IEEE double operation in a fixed order; the build keeps the compiler from fusing
// or reordering them (-ffp-contract=off, no fast-math).

namespace quorvex {

// The sine and cosine of `x` radians. Infinities and NaN give NaN.
double Sin(double x);
double Cos(double x);

} // namespace quorvex
