// One JSON Lines record written piece by piece to the report: keys, numbers and punctuation as
// given, texts of the inside form as JSON strings of the bytes they stand for.
#pragma once

#include <cstdint>

// Punctuation, keys and literals, as they are (ASCII).
void jsonRaw(const char* text);
// An inside-form text as a JSON string: the bytes it stands for outside (a name as the file
// system holds it, a link as the file system would be asked for it), each well-formed UTF-8
// character as itself but controls, quote and backslash escaped, and each byte that is no part
// of one as "\udcXX" (XX its value, 80 to ff), which Python reads back with surrogateescape.
void jsonString(const char* inside);
void jsonInt(std::int64_t value);
// The shortest decimal that reads back as the same float; null when it is not finite.
void jsonFloat(float value);
// A number with two decimals; null when it is not finite.
void jsonFixed2(double value);
// Ends the record: a line end, and the line goes out.
void jsonEndLine();
