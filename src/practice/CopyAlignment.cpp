// What the student copied, lined up against what was sent: each error marked, and the score.
#include "practice/CopyAlignment.h"

#include <algorithm>
#include <cassert>

#include "core/Cp1252.h"

namespace kelvaro {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

struct Significant {
    std::string Codes;
    std::vector<int> Index;
};

Significant WithoutBlanks(std::string_view text) {
    Significant out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsBlank(text[i])) {
            out.Codes.push_back(static_cast<char>(Cp1252::ToLower(static_cast<std::uint8_t>(text[i]))));
            out.Index.push_back(static_cast<int>(i));
        }
    }
    return out;
}

}  // namespace

CopyCheck AlignCopy(std::string_view sentText, std::string_view copiedText) {
    const Significant sent = WithoutBlanks(sentText);
    const Significant copied = WithoutBlanks(copiedText);
    const std::size_t rows = sent.Codes.size();
    const std::size_t cols = copied.Codes.size();
    const std::size_t width = cols + 1;
    // cost[i][j]: the cheapest alignment of the first i sent and first j copied characters.
    std::vector<int> cost((rows + 1) * width);
    for (std::size_t i = 0; i <= rows; ++i) {
        cost[i * width] = static_cast<int>(i);
    }
    for (std::size_t j = 0; j <= cols; ++j) {
        cost[j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= rows; ++i) {
        for (std::size_t j = 1; j <= cols; ++j) {
            const int diagonal =
                cost[(i - 1) * width + j - 1] + (sent.Codes[i - 1] == copied.Codes[j - 1] ? 0 : 1);
            const int missed = cost[(i - 1) * width + j] + 1;
            const int extra = cost[i * width + j - 1] + 1;
            cost[i * width + j] = std::min({diagonal, missed, extra});
        }
    }

    CopyCheck check;
    std::size_t i = rows;
    std::size_t j = cols;
    while (i > 0 || j > 0) {
        const int here = cost[i * width + j];
        AlignedCharacter step;
        if (i > 0 && j > 0 &&
            here == cost[(i - 1) * width + j - 1] + (sent.Codes[i - 1] == copied.Codes[j - 1] ? 0 : 1)) {
            step.Sent = static_cast<std::uint8_t>(sent.Codes[i - 1]);
            step.Copied = static_cast<std::uint8_t>(copied.Codes[j - 1]);
            step.Mark = step.Sent == step.Copied ? CopyMark::Right : CopyMark::Wrong;
            step.SentIndex = sent.Index[i - 1];
            --i;
            --j;
        } else if (i > 0 && here == cost[(i - 1) * width + j] + 1) {
            step.Sent = static_cast<std::uint8_t>(sent.Codes[i - 1]);
            step.Mark = CopyMark::Missed;
            step.SentIndex = sent.Index[i - 1];
            --i;
        } else {
            assert(j > 0);
            step.Copied = static_cast<std::uint8_t>(copied.Codes[j - 1]);
            step.Mark = CopyMark::Extra;
            step.SentIndex = i > 0 ? sent.Index[i - 1] : -1;
            --j;
        }
        check.Steps.push_back(step);
    }
    std::reverse(check.Steps.begin(), check.Steps.end());

    CopyScore& score = check.Score;
    score.Sent = static_cast<int>(rows);
    for (const AlignedCharacter& step : check.Steps) {
        switch (step.Mark) {
            case CopyMark::Right:
                ++score.Right;
                break;
            case CopyMark::Wrong:
                ++score.Wrong;
                break;
            case CopyMark::Missed:
                ++score.Missed;
                break;
            case CopyMark::Extra:
                ++score.Extra;
                break;
        }
    }
    return check;
}

}  // namespace kelvaro
