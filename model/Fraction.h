#pragma once
// Exact fractions for the parabola model: numerator over a positive
// denominator, reduced only where an operation says so.

#include <QChar>
#include <cstdint>

// A fraction as the formula texts need it. Fields are 32-bit; every
// operation computes with wider intermediates, and a result that does not
// fit 32 bits is returned as an overflowed fraction (Overflow set, value 0/1)
// instead of wrapping around. Overflow propagates through Mul/Add.
struct Fraction {
    std::int32_t Num = 0;
    QChar Sep = QLatin1Char('/');
    std::int32_t Den = 1;
    bool Overflow = false;

    friend bool operator==(const Fraction &, const Fraction &) = default;
};

Fraction MakeFraction(std::int64_t num, std::int64_t den);
Fraction ReducedFraction(std::int64_t num, std::int64_t den);
Fraction ReduceFraction(const Fraction &f);
std::int64_t Gcd(std::int64_t a, std::int64_t b);
std::int64_t Lcm(std::int64_t a, std::int64_t b);
Fraction MulFraction(const Fraction &x, const Fraction &y);
Fraction AddFraction(const Fraction &x, const Fraction &y);
Fraction OverflowFraction();
void SwapInts(int &a, int &b);

// Wide helpers for the record operations, whose intermediates (squares of
// coordinate differences and their products) need more than 64 bits.
__extension__ typedef __int128 WideInt;
__extension__ typedef unsigned __int128 WideUInt;

// Greatest common divisor of two magnitudes; 0 when either is 0.
WideUInt WideGcd(WideUInt a, WideUInt b);
// ReducedFraction for wide arguments; overflowed when the reduced result
// does not fit 32 bits.
Fraction ReducedFractionWide(WideInt num, WideInt den);
