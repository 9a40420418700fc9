#pragma once

namespace kx9 {

// Double arithmetic carried out in exact decimal: each operand is first
// rounded to 15 significant decimal digits, the product or sum is formed
// exactly, and the exact result is rounded correctly back to a double. A
// frequency text such as "446.00625" thereby becomes 44600625 ten-hertz
// units after truncation, never 44600624 by binary rounding. NaN and
// infinite operands give the plain double result.
double DecimalMultiply(double a, double b);
double DecimalAdd(double a, double b);

} // namespace kx9
