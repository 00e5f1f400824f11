#pragma once

// A screen laid out as one column, for a screen too small for its window, such as a phone's: its
// rows from top to bottom, each naming the screen's own controls, worked out from the description
// alone so that no screen's column is written by hand. The title (the label in the largest type)
// comes first, then the groups a shape draws round (heading and members), the input boxes in tab
// order, the other buttons in tab order, the results in the order heard after "Solve", the
// formula lines (the labels with a border) and, on a screen without results, its other labels in
// reading order; the pictures last. A calculator's other labels are the captions and units beside
// its values, which the column names with the values' own words instead; its shapes are dropped.

#include "screen_description.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace quorvex {

enum class ColumnPart
{
    Title,
    Group,
    Input,
    Buttons,
    Result,
    Formula,
    Note,
    Picture
};

struct ColumnRow
{
    ColumnPart part = ColumnPart::Note;
    // The controls the row holds, by their place in the screen's controls: one, or on a Buttons
    // row each button; on a Group row, the heading first, then the members in tab order.
    std::vector<std::size_t> controls;
    // On a Group row, the group's place in `controlGroups()`.
    std::optional<std::size_t> group;
};

std::vector<ColumnRow> columnLayout(const ScreenDescription& screen);

} // namespace quorvex
