// The program's command line: interface language, serial port and speed.
#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kelvaro {

namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

CommandLineParameter Parse(const std::string& argument) {
    CommandLineParameter parameter;
    const std::string upper = UpperCase(argument);
    Language language = Language::English;
    if (upper.size() == 2 && upper[0] == '/' && LanguageFromCode(upper[1], language)) {
        parameter.SelectLanguage = language;
    } else if (upper.size() == 5 && upper.compare(0, 4, "/COM") == 0 && upper[4] >= '1' && upper[4] <= '9') {
        parameter.SerialPortNumber = upper[4] - '0';
    } else if (upper.size() > 2 && upper[1] == '=') {
        int speed = 0;
        const char* begin = upper.data() + 2;
        const char* end = upper.data() + upper.size();
        if (*begin == '+') {
            ++begin;
        }
        const auto [ptr, ec] = std::from_chars(begin, end, speed);
        if (ec == std::errc() && ptr == end) {
            parameter.SpeedWpm = speed;
        }
    }
    return parameter;
}

}  // namespace

std::vector<CommandLineParameter> ParseCommandLine(const std::vector<std::string>& arguments) {
    std::vector<CommandLineParameter> parameters;
    for (std::size_t i = 0; i < 3; ++i) {
        parameters.push_back(i < arguments.size() ? Parse(arguments[i]) : CommandLineParameter{});
    }
    return parameters;
}

}  // namespace kelvaro
