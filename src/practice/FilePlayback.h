// Where a played file stands: the characters taken so far, the masked stretches and what a
// Resume plays.
#pragma once

#include <cstdint>
#include <string>

namespace kelvaro {

/// The file's play state, one character at a time as the engine takes them from the queue:
///
///   Loaded --Play--> Playing --queue empty--> Loaded (position 0)
///                      |  ^
///                 Stop |  | Resume (queue := ResumeText)
///                      v  |
///                    Stopped (ResumeText held, position kept)
///
/// Masked text: from a start delimiter up to and including the next end delimiter, characters
/// are dropped without sound. A start delimiter without an end delimiter masks the rest.
class FilePlayback {
public:
    static constexpr int kNoDelimiter = -1;

    /// Delimiters as 8-bit codes, or kNoDelimiter. Masking starts afresh.
    void SetDelimiters(int startChar, int endChar);
    int MaskStartChar() const { return StartChar; }
    int MaskEndChar() const { return EndChar; }
    bool Masking() const { return InMask; }

    /// Play File: from the first character.
    void Start();
    /// A character taken from the queue while the file plays: the highlight grows by one.
    /// textLength caps it (continuous replay adds a blank after the text).
    void CharacterTaken(int textLength);
    /// Called for the same character right after CharacterTaken: true drops it unsounded.
    bool IsMasked(std::uint8_t character);
    int Position() const { return Played; }

    /// Stop: the rest of the queue, less the character still sounding, is kept for Resume.
    void Stop(const std::string& queue, bool characterSounding, bool blankAdded);
    const std::string& ResumeText() const { return Rest; }
    /// Resume File: the kept rest, which is cleared; the position stays.
    std::string TakeResumeText();
    /// The file played to its end (or a new file): back to the start.
    void Finish();
    /// A new file is loaded: nothing to resume, nothing played.
    void Reset();

private:
    int StartChar = kNoDelimiter;
    int EndChar = kNoDelimiter;
    bool InMask = false;
    int Played = 0;
    std::string Rest;
};

}  // namespace kelvaro
