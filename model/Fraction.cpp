#include "model/Fraction.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace {

constexpr WideInt kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr WideInt kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr WideUInt kInt32MinMagnitude = WideUInt(1) << 31;

bool fitsInt32(WideInt v)
{
    return v >= kInt32Min && v <= kInt32Max;
}

// |v| without overflow, also for the most negative value.
WideUInt magnitude(WideInt v)
{
    return v < 0 ? WideUInt(0) - WideUInt(v) : WideUInt(v);
}

Fraction fromWide(WideInt num, WideInt den, QChar sep)
{
    if (!fitsInt32(num) || !fitsInt32(den))
        return OverflowFraction();
    Fraction f;
    f.Num = std::int32_t(num);
    f.Sep = sep;
    f.Den = std::int32_t(den);
    return f;
}

// Gives a magnitude its sign back; anything beyond 2^31 cannot fit anyway,
// so it is handed on as a value that fromWide rejects.
WideInt withSign(bool negative, WideUInt mag)
{
    if (mag > kInt32MinMagnitude)
        return kInt32Max + 1;
    const WideInt v = WideInt(mag);
    return negative ? -v : v;
}

// The two reductions differ only in what a zero numerator does: one keeps
// the denominator (0/4 stays 0/4), the other normalises to 0/1.
enum class ZeroNumerator { KeepDenominator, MakeOne };

Fraction reduceWide(WideInt num, WideInt den, ZeroNumerator zero, QChar sep)
{
    if (den == 0 || den == 1)
        return fromWide(num, den, sep);
    if (num == 0 && zero == ZeroNumerator::MakeOne)
        return fromWide(0, 1, sep);
    const WideUInt g = WideGcd(magnitude(num), magnitude(den));
    if (g == 0)
        return fromWide(num, den, sep);
    // Divide the magnitudes: g itself may not fit the signed type.
    return fromWide(withSign(num < 0, magnitude(num) / g),
                    withSign(den < 0, magnitude(den) / g), sep);
}

} // namespace

Fraction MakeFraction(std::int64_t num, std::int64_t den)
{
    return fromWide(num, den, QLatin1Char('/'));
}

Fraction ReducedFraction(std::int64_t num, std::int64_t den)
{
    return reduceWide(num, den, ZeroNumerator::MakeOne, QLatin1Char('/'));
}

Fraction ReducedFractionWide(WideInt num, WideInt den)
{
    return reduceWide(num, den, ZeroNumerator::MakeOne, QLatin1Char('/'));
}

Fraction ReduceFraction(const Fraction &f)
{
    if (f.Overflow)
        return OverflowFraction();
    return reduceWide(f.Num, f.Den, ZeroNumerator::KeepDenominator, f.Sep);
}

WideUInt WideGcd(WideUInt a, WideUInt b)
{
    // A zero argument means "nothing to reduce", not gcd(0, b) = b.
    if (a == 0 || b == 0)
        return 0;
    while (b != 0) {
        const WideUInt r = a % b;
        a = b;
        b = r;
    }
    return a;
}

std::int64_t Gcd(std::int64_t a, std::int64_t b)
{
    const WideUInt g = WideGcd(magnitude(a), magnitude(b));
    // Only Gcd(INT64_MIN, INT64_MIN) = 2^63 is out of range; 0 tells the
    // caller not to reduce, like a zero argument does.
    if (g > WideUInt(std::numeric_limits<std::int64_t>::max()))
        return 0;
    return std::int64_t(g);
}

std::int64_t Lcm(std::int64_t a, std::int64_t b)
{
    const std::int64_t g = Gcd(a, b);
    if (g == 0)
        return 0;
    const WideInt l = WideInt(a / g) * b;
    // 0 again stands for "no usable multiple" when it exceeds 64 bits.
    if (l < WideInt(std::numeric_limits<std::int64_t>::min())
        || l > WideInt(std::numeric_limits<std::int64_t>::max()))
        return 0;
    return std::int64_t(l);
}

Fraction MulFraction(const Fraction &x, const Fraction &y)
{
    if (x.Overflow || y.Overflow)
        return OverflowFraction();
    const Fraction rx = ReduceFraction(x);
    const Fraction ry = ReduceFraction(y);
    return reduceWide(WideInt(rx.Num) * ry.Num, WideInt(rx.Den) * ry.Den,
                      ZeroNumerator::KeepDenominator, QLatin1Char('/'));
}

Fraction AddFraction(const Fraction &x, const Fraction &y)
{
    if (x.Overflow || y.Overflow)
        return OverflowFraction();
    // Both denominators are 32-bit, so their lcm always fits 64 bits.
    const std::int64_t l = Lcm(x.Den, y.Den);
    if (l == 0)
        return MakeFraction(0, 1);
    const WideInt num = WideInt(l / x.Den) * x.Num + WideInt(l / y.Den) * y.Num;
    return reduceWide(num, l, ZeroNumerator::KeepDenominator, QLatin1Char('/'));
}

Fraction OverflowFraction()
{
    Fraction f;
    f.Overflow = true;
    return f;
}

void SwapInts(int &a, int &b)
{
    std::swap(a, b);
}
