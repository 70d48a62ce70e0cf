// What the quiz needs from the random-groups feature, which owns the character sets.
#pragma once

#include <QString>
#include <functional>

namespace kelvaro {

class CharacterSetSource {
public:
    virtual ~CharacterSetSource() = default;
    /// " " + the name of the checked set (or " Lesson #n"), as the set labels show it.
    virtual QString ActiveSetCaption() const = 0;
    /// The exam or Vocabulary is checked: the quiz cannot ask from it, a set must be chosen.
    virtual bool NeedsSetConfirmation() const = 0;
    /// Opens the chosen-characters panel; without Cancel the user must confirm a set with OK.
    virtual void OpenChosenCharactersPanel(bool cancelAllowed) = 0;
    /// Another mode was selected: Play no longer resumes the series.
    virtual void ClearPlayArmed() = 0;
    /// The quick series, the exam and Vocabulary only make sense in the random mode.
    virtual void SetRandomOnlyCommandsEnabled(bool enabled) = 0;
    /// Called whenever the active set or its caption changes.
    virtual void SetOnActiveSetChanged(std::function<void()> onChanged) = 0;
};

}  // namespace kelvaro
