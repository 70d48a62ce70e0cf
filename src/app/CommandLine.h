// The program's command line: interface language, serial port and speed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/LanguageTable.h"

namespace kelvaro {

/// What one parameter asks for; a parameter that matches nothing asks for nothing.
struct CommandLineParameter {
    std::optional<Language> SelectLanguage;
    /// 1..9: the n-th serial port of the sorted list.
    std::optional<int> SerialPortNumber;
    std::optional<int> SpeedWpm;
};

/// Only the first three parameters count; each is upper-cased and must equal a switch
/// exactly ("/E" .. "/K", "/COM1" .. "/COM9"), or be longer than two characters with "=" as
/// its second character (a speed: a whole number from the third character on).
std::vector<CommandLineParameter> ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace kelvaro
