#pragma once

// Reduction of an angle in radians by multiples of pi/2, for the sine and cosine
// (trigonometry.cpp): the angle less the nearest multiple, as a head and a tail that together
// carry about twice a double's precision, however large the angle.

namespace quorvex {

struct ReducedAngle
{
    int quadrant = 0; // the multiple of pi/2 taken off, modulo 8 at least (so modulo 4 as well)
    double head = 0;  // the remainder, rounded to a double: |head| <= about pi/4
    double tail = 0;  // what the rounding of the head left off
};

// Reduces a finite `x` with |x| above about pi/4.
ReducedAngle reduceAngle(double x);

} // namespace quorvex
