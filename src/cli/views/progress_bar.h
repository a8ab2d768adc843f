// The one-line progress display of a terminal: a bar, a percentage and the progress text,
// cut to the terminal's width so that redrawing the line with a carriage return works.
//
//   "[#########           ]  45% 『 data.arc 』を更新中..."
#pragma once

#include <cstdint>
#include <string>

namespace Orvane::Cli {

struct BarState {
    std::int32_t low = 0;
    std::int32_t high = 0;
    std::int32_t position = 0;
};

// How far position is from low to high, 0 to 100; 0 for an empty or inverted range.
int PercentDone(const BarState& state);

// The line for state and a UTF-8 text, at most columns wide (double-width characters count
// twice); the text is cut at a character boundary.
std::string BarLine(const BarState& state, const std::string& utf8Text, int columns);

// The columns a terminal gives a UTF-8 text: 2 for wide East Asian characters, else 1.
int DisplayWidth(const std::string& utf8Text);

}  // namespace Orvane::Cli
