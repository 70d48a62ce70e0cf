// Writes the settings model as the bytes of the settings file kelvaro.dat.
#pragma once

#include <string>

#include "app/SettingsModel.h"

namespace kelvaro {

/// The whole file, every line ending with CR LF: the 52 keys in table order, the
/// chosen-characters line (only when the text is neither empty nor begins with a blank), the
/// marker line (0x02, start delimiter, end delimiter; 0xFF for none), the lessons that are
/// neither empty nor begin with a blank, in slot order, and the local-character rows.
///
/// The line format cannot carry every value, so the writer settles these on its own:
/// - text is cut before its first CR or LF, which would end its line;
/// - an instructor password whose scrambled form holds a NUL, LF or CR byte is written as a
///   bare "MDPINT=" followed by "MDPINT_HEX=" + two hexadecimal digits per character, which
///   the reader takes back; every other password is written scrambled after "MDPINT=";
/// - stored messages are written for every slot up to the last filled one, empty slots as a
///   bare "MSG=", and all six empty as one bare "MSG=", so that each message comes back in
///   its own slot and a cleared first message stays cleared;
/// - a delimiter that is LF, CR, 255 or out of range is written as "none";
/// - a lesson beginning with 0x02 is left out (it would be taken for the marker), and a
///   local-character row is written with a blank as its first character (without it the
///   row would be read as a lesson);
/// - ADLPT= is empty when no LPT port is selected or no address is kept.
std::string WriteSettingsFile(const SettingsModel& model);

}  // namespace kelvaro
