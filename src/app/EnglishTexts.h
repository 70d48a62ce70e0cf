// The English entries of the language table.
#pragma once

#include <map>
#include <string>

namespace kelvaro {

const std::map<std::string, std::string, std::less<>>& EnglishTexts();

}  // namespace kelvaro
