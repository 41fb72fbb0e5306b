#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hueforge {

// Longest text that is read as a number.
inline constexpr std::size_t NumberTextLimit = 255;

// The state of one numeric field: its settings, its value and its text as a byte string.
// TNumEdit mirrors its edit's text into Text around each of the operations below.
struct NumberField {
    bool AllowDecimal = false;
    bool AllowMinus = false;
    double Number = 0.0;
    double Max = 1000.0;
    double Min = -1000.0;
    int PadZero = 0;
    int KeyPressed = 0;
    std::string Text;
};

enum class KeyVerdict {
    Accept,         // insert the character
    Swallow,        // nothing is inserted and nothing else happens
    CommittedAsTab, // the entry was committed; the character became a Tab, which inserts nothing
};

// Reads the leading decimal number of text as strtod does in the "C" locale, whatever the
// process locale; 0 when the text does not start with a number.
double ParseNumber(std::string_view text);

// At most 15 significant digits, '.' as separator, fixed notation for decimal exponents -3..15
// and "1E-5" style beyond. Non-finite values give "NAN", "INF" and "-INF", which read back.
std::string FormatNumber(double value);

// The integer part of value (truncated, saturated to 32 bits) zero-padded to width characters.
std::string FormatPadded(double value, int width);

// floor(value + 0.5) in double precision, so values beyond 32 bits keep their magnitude.
double RoundWhole(double value);

// The text RefreshText writes for the field's current settings and Number.
std::string FormattedText(const NumberField &field);

// Offers the typed character code (0..255) with the caret at selStart and selLength characters
// selected. Sets KeyPressed; for Tab, LF and CR runs CommitEntry first.
KeyVerdict FilterKey(NumberField &field, unsigned char code, int selStart, int selLength);

// Removes the first comma of the text (at most NumberTextLimit characters of it), stores the
// parsed text in Number unclamped and returns it.
double ReadNumber(NumberField &field);

void CommitEntry(NumberField &field);
void RefreshText(NumberField &field);
void WriteNumber(NumberField &field, double value);
void WriteAllowDecimal(NumberField &field, bool allow);
void WriteAllowMinus(NumberField &field, bool allow);
void WriteMax(NumberField &field, double value);
void WriteMin(NumberField &field, double value);

} // namespace hueforge
