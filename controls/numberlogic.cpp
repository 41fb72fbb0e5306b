#include "numberlogic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <stdlib.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif

namespace hueforge {

namespace {

#if defined(_WIN32)
double StrtodC(const char *text)
{
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    return _strtod_l(text, nullptr, cLocale);
}
#else
double StrtodC(const char *text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtod_l(text, nullptr, cLocale);
}
#endif

} // namespace

double ParseNumber(std::string_view text)
{
    const std::string terminated(text);
    return StrtodC(terminated.c_str());
}

std::string FormatNumber(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";

    // "d.ddddddddddddddde+XX": the magnitude rounded to 15 significant digits.
    char scientific[32];
    const auto end = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    const std::string_view sci(scientific, std::size_t(end - scientific));
    const std::size_t ePos = sci.find('e');

    std::string digits;
    for (const char ch : sci.substr(0, ePos))
        if (ch != '.')
            digits += ch;
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string_view exponentText = sci.substr(ePos + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    // The exponent E of 0.d1d2...dk x 10^E.
    const int e = exponent + 1;
    const int k = int(digits.size());

    std::string out = value < 0 ? "-" : "";
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            out += "0.";
            out.append(std::size_t(-e), '0');
            out += digits;
        } else if (k <= e) {
            out += digits;
            out.append(std::size_t(e - k), '0');
        } else {
            out += digits.substr(0, std::size_t(e));
            out += '.';
            out += digits.substr(std::size_t(e));
        }
    } else {
        out += digits.front();
        if (k > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(e - 1);
    }
    return out;
}

std::string FormatPadded(double value, int width)
{
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    const double whole = std::isnan(value) ? 0.0 : std::clamp(std::trunc(value), lowest, highest);
    // Negative widths would turn the zero flag into left alignment; wider ones only add zeros.
    const int padding = std::clamp(width, 0, 63);
    char text[72];
    std::snprintf(text, sizeof text, "%0*d", padding, int(whole));
    return text;
}

double RoundWhole(double value)
{
    // From 2^52 on every double is whole, and adding 0.5 could round to the next even one.
    if (!(std::fabs(value) < 4503599627370496.0))
        return value;
    return std::floor(value + 0.5);
}

std::string FormattedText(const NumberField &field)
{
    if (field.PadZero != 0 && !field.AllowDecimal)
        return FormatPadded(field.Number, field.PadZero);
    return FormatNumber(field.Number);
}

KeyVerdict FilterKey(NumberField &field, unsigned char code, int selStart, int selLength)
{
    field.KeyPressed = std::int8_t(code);
    const std::string &text = field.Text;

    // Nothing can be typed in front of a leading minus sign.
    if (!text.empty() && selStart == 0 && text.front() == '-' && selLength == 0)
        return KeyVerdict::Swallow;
    if (code >= '0' && code <= '9')
        return KeyVerdict::Accept;

    switch (code) {
    case 8:
        return KeyVerdict::Accept;
    case 9:
    case 10:
    case 13:
        CommitEntry(field);
        return KeyVerdict::CommittedAsTab;
    case '-':
        return field.AllowMinus && (text.empty() || selStart == 0) ? KeyVerdict::Accept
                                                                   : KeyVerdict::Swallow;
    case '.':
        return field.AllowDecimal && text.find('.') == std::string::npos ? KeyVerdict::Accept
                                                                         : KeyVerdict::Swallow;
    default:
        return KeyVerdict::Swallow;
    }
}

double ReadNumber(NumberField &field)
{
    std::string text = field.Text.substr(0, NumberTextLimit);
    if (const std::size_t comma = text.find(','); comma != std::string::npos) {
        text.erase(comma, 1);
        field.Text = text;
    }
    field.Number = ParseNumber(text);
    return field.Number;
}

void CommitEntry(NumberField &field)
{
    field.Number = field.Text.empty() ? 0.0 : ParseNumber(field.Text);
    if (!(field.Number >= field.Min))
        field.Number = field.Min;
    if (field.Number > field.Max)
        field.Number = field.Max;
    RefreshText(field);
}

void RefreshText(NumberField &field)
{
    field.Text = FormattedText(field);
}

void WriteNumber(NumberField &field, double value)
{
    field.Number = value;
    if (field.Number > field.Max)
        field.Number = field.Max;
    if (!(field.Number >= field.Min))
        field.Number = field.Min;
    if (!field.AllowDecimal)
        field.Number = RoundWhole(field.Number);
    RefreshText(field);
}

void WriteAllowDecimal(NumberField &field, bool allow)
{
    field.AllowDecimal = allow;
    if (!allow)
        field.Number = RoundWhole(field.Number);
    RefreshText(field);
}

void WriteAllowMinus(NumberField &field, bool allow)
{
    field.AllowMinus = allow;
    if (!allow && !(field.Number >= 0))
        field.Number = -field.Number;
    RefreshText(field);
}

void WriteMax(NumberField &field, double value)
{
    if (value > field.Min)
        field.Max = value;
    if (field.Number > field.Max)
        field.Number = field.Max;
    RefreshText(field);
}

void WriteMin(NumberField &field, double value)
{
    // Written as "value < Max" so that a NaN limit is refused like an inverted one.
    if (value < field.Max)
        field.Min = value;
    if (!(field.Number >= field.Min))
        field.Number = field.Min;
    RefreshText(field);
}

} // namespace hueforge
