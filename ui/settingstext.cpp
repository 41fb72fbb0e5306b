#include "settingstext.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace hueforge {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::optional<std::int32_t> ParseHexadecimal(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto *end = digits.data() + digits.size();
    const auto [ptr, error] = std::from_chars(digits.data(), end, value, 16);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return std::int32_t(value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text)
{
    // from_chars takes a leading "-" itself but not "+".
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    std::int32_t value = 0;
    const auto *end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int32_t> ParseSettingsInteger(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix))
            return ParseHexadecimal(text.substr(prefix.size()));
    }
    return ParseDecimal(text);
}

std::int32_t SettingsIntegerOr(std::string_view text, std::int32_t fallback)
{
    return ParseSettingsInteger(text).value_or(fallback);
}

std::string ApplicationTitleFromPath(std::string_view executablePath)
{
    const auto slash = executablePath.find_last_of("/\\");
    std::string_view name =
        slash == std::string_view::npos ? executablePath : executablePath.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    std::transform(title.begin() + std::min<std::size_t>(1, title.size()), title.end(),
                   title.begin() + std::min<std::size_t>(1, title.size()),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return title;
}

ChosenPathParts SplitChosenPath(std::string_view path)
{
    const auto cut = path.find_last_of("/\\:");
    if (cut == std::string_view::npos)
        return {{}, std::string(path)};
    return {std::string(path.substr(0, cut + 1)), std::string(path.substr(cut + 1))};
}

} // namespace hueforge
