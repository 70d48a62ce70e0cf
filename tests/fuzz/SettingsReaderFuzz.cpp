// Feeds arbitrary bytes to the settings reader and checks that what it read writes back stably.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/SettingsModel.h"
#include "app/SettingsReader.h"
#include "app/SettingsWriter.h"

namespace {

using kelvaro::SettingsModel;

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "settings fuzz: %s\n", what);
        std::abort();
    }
}

bool InRange(int value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

/// What every model that came out of the reader holds, whatever the bytes were.
void CheckModel(const SettingsModel& model) {
    Require(model.LocalRows.size() <= static_cast<std::size_t>(SettingsModel::kMaxLocalRows),
            "too many rows");
    for (const std::string& row : model.LocalRows) {
        Require(row.size() > 4 && row.size() <= 40, "row length");
    }
    for (const SettingsModel::Shortcut& shortcut : model.ShortcutTable) {
        Require(shortcut.Text.size() <= SettingsModel::kShortcutTextLength, "shortcut text length");
    }
    Require(InRange(model.SpeedWpm, 5, 50) && InRange(model.CharacterSpacing, 1, 30), "speed or spacing");
    Require(InRange(model.WordSpaceFactor, 1, 4) && InRange(model.LevelDb, -15, 0), "word space or level");
    Require(InRange(model.NotePosition, -1, 140) && InRange(model.NoteFrequencyHz, 100, 1500), "note");
    Require(InRange(model.QuizDelayStep, 1, SettingsModel::kQuizDelayStepCount), "quiz delay step");
    Require(InRange(model.LessonPage, 1, 3) && InRange(model.LastChoice, 1, 7), "page or last choice");
    const int bandwidth = model.NoiseBandwidth;
    Require(bandwidth == 1 || bandwidth == 2 || bandwidth == 4 || bandwidth == 8, "noise bandwidth");
    Require(model.TxDelayMs % 50 == 0 && InRange(model.TxDelayMs, 50, 250), "tx delay");
    Require(InRange(model.LptAddressOverride, 0, 0xFFFF) && InRange(model.LptxAddress, 0, 0xFFFF), "address");
    for (int delimiter : {model.MaskStartChar, model.MaskEndChar}) {
        Require(InRange(delimiter, -1, 254) && delimiter != '\n' && delimiter != '\r', "delimiter");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SettingsModel model;
    kelvaro::ReadSettingsFile(bytes, model);
    CheckModel(model);

    const std::string written = kelvaro::WriteSettingsFile(model);
    SettingsModel again;
    const kelvaro::SettingsReadResult result = kelvaro::ReadSettingsFile(written, again);
    Require(result.MarkerFound && !result.StoppedAtEmptyLine, "a written file is not read in full");
    CheckModel(again);
    Require(kelvaro::WriteSettingsFile(again) == written, "writing what was read back changes the file");
    return 0;
}
