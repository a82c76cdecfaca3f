// How the original platform's runtime wrote numbers into a text stream. Every number of every
// script is formatted here: the stream's operator<< and the script line builder both call it.
#pragma once

#include <string>

enum class FloatFormat {
    General6,      // the stream default: %g, six significant digits
    Scientific17,  // %.17e
};

// Appends `value` as the runtime wrote it in `format`: exponents carry at least three digits
// (1e-005), infinities and NaNs read 1.#INF, -1.#INF, 1.#QNAN and -1.#IND.
void AppendFloat(std::string& out, double value, FloatFormat format);
// An integer in decimal, with a minus sign when negative.
void AppendInteger(std::string& out, long long value);
void AppendUnsigned(std::string& out, unsigned long long value);

std::string FormatGeneral6(double value);
std::string FormatScientific17(double value);
