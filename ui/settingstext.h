#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hueforge {

// A stored number: leading blanks, then an optionally signed decimal within the 32-bit
// range, or "$", "x", "X", "0x" or "0X" and one to eight hexadecimal digits (eight digits
// from 80000000 up are negative). Anything else, the empty text included, gives nothing.
std::optional<std::int32_t> ParseSettingsInteger(std::string_view text);

// ParseSettingsInteger, or fallback when the text is not a number.
std::int32_t SettingsIntegerOr(std::string_view text, std::int32_t fallback);

// The executable's file name without folder, cut before its first ".", every character
// after the first in lower case: "/opt/bin/HUEFORGE.EXE" gives "Hueforge".
std::string ApplicationTitleFromPath(std::string_view executablePath);

// A chosen file's path split after its last "/", "\" or ":": the folder keeps that
// separator, the name is what follows it.
struct ChosenPathParts {
    std::string Folder;
    std::string Name;
};
ChosenPathParts SplitChosenPath(std::string_view path);

} // namespace hueforge
