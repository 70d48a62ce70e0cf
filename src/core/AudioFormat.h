// The one output format: 16-bit stereo PCM at 22050 frames per second, left and right equal.
#pragma once

#include <cstdint>

namespace kelvaro {

inline constexpr int kFrameRateHz = 22050;
inline constexpr int kChannels = 2;
inline constexpr int kBytesPerFrame = 4;
/// One frame is a left and a right sample; buffers hold them interleaved.
using Sample = std::int16_t;

}  // namespace kelvaro
