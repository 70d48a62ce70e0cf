// Reads the settings file kelvaro.dat into the settings model.
#pragma once

#include <string_view>

#include "app/SettingsModel.h"

namespace kelvaro {

/// What reading found, for the window's own follow-up (the size of the "All" set, a message).
struct SettingsReadResult {
    /// A marker line was found; without one nothing in the file was used.
    bool MarkerFound = false;
    /// An empty line at or before the marker ended all reading there.
    bool StoppedAtEmptyLine = false;
    /// At least one line follows the marker in the file (whether or not it was read).
    bool LineFollowsMarker = false;
    /// Lesson lines read into slots 1, 2, 3 ...
    int LessonsRead = 0;
};

/// Applies the file's bytes to the model, which holds the defaults (or earlier values):
/// only what the file names is changed, and a value that does not parse leaves its setting
/// as it was. CR LF, LF and CR all end a line.
///
///   lines 1 .. marker     settings, tested against every key in table order; an empty
///                         line ends all reading at once; 0x01 line: chosen characters;
///                         0x02 line: the masked-text delimiters
///   marker                the last line whose first byte is 0x02; none: nothing is used
///   after the marker      up to 60 lessons (until a line that is empty or begins with a
///                         blank), then at most 26 lines examined as local-character rows
///
/// Local-character rows that the local-character editor would refuse (a blank, control
/// code, "@", a standard character in either case, a character already taken in either
/// case) or whose pattern is empty are not kept, so LocalRows is exactly what the editor
/// loads. Repeated keys end with the value of their last line; at most 26 SHORTCUT= and
/// 6 MSG= lines are taken.
SettingsReadResult ReadSettingsFile(std::string_view bytes, SettingsModel& model);

}  // namespace kelvaro
