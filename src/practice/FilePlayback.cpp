// Where a played file stands: the characters taken so far, the masked stretches and what a
// Resume plays.
#include "practice/FilePlayback.h"

#include <utility>

namespace kelvaro {

void FilePlayback::SetDelimiters(int startChar, int endChar) {
    StartChar = startChar;
    EndChar = endChar;
    InMask = false;
}

void FilePlayback::Start() {
    Played = 0;
    InMask = false;
    Rest.clear();
}

void FilePlayback::CharacterTaken(int textLength) {
    if (Played < textLength) {
        ++Played;
    }
}

bool FilePlayback::IsMasked(std::uint8_t character) {
    if (!InMask && StartChar != kNoDelimiter && character == StartChar) {
        InMask = true;
    }
    if (!InMask) {
        return false;
    }
    if (EndChar != kNoDelimiter && character == EndChar) {
        InMask = false;
    }
    return true;
}

void FilePlayback::Stop(const std::string& queue, bool characterSounding, bool blankAdded) {
    Rest = queue;
    if (characterSounding && !Rest.empty()) {
        Rest.erase(0, 1);
    }
    if (blankAdded && !Rest.empty() && Rest.back() == ' ') {
        Rest.pop_back();
    }
}

std::string FilePlayback::TakeResumeText() {
    return std::exchange(Rest, std::string());
}

void FilePlayback::Finish() {
    Played = 0;
    InMask = false;
}

void FilePlayback::Reset() {
    Finish();
    Rest.clear();
}

}  // namespace kelvaro
