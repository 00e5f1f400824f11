#include "column_layout.h"

#include <algorithm>

namespace quorvex {

std::vector<ColumnRow> columnLayout(const ScreenDescription& screen)
{
    const auto& controls = screen.controls;
    const std::vector<std::size_t> order = tabOrder(screen);
    const std::vector<ControlGroup> groups = controlGroups(screen);
    std::vector<bool> placed(controls.size(), false);
    std::vector<ColumnRow> rows;
    const auto add = [&](ColumnPart part, std::vector<std::size_t> row,
                         std::optional<std::size_t> group = std::nullopt) {
        for (const std::size_t control : row) {
            placed[control] = true;
        }
        rows.push_back({.part = part, .controls = std::move(row), .group = group});
    };
    const auto isA = [&](std::size_t control, ControlKind kind) {
        return controls[control].kind == kind;
    };

    // The title: the label in the largest type, the topmost of those.
    std::optional<std::size_t> title;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!isA(i, ControlKind::Label)) {
            continue;
        }
        const double points = controls[i].font.value_or(fonts::screenDefault).points;
        const auto best = [&](std::size_t other) {
            return controls[other].font.value_or(fonts::screenDefault).points;
        };
        if (!title || points > best(*title) ||
            (points == best(*title) && controls[i].geometry.top < controls[*title].geometry.top)) {
            title = i;
        }
    }
    if (title) {
        add(ColumnPart::Title, {*title});
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<std::size_t> row;
        if (groups[g].heading) {
            row.push_back(*groups[g].heading);
        }
        row.insert(row.end(), groups[g].members.begin(), groups[g].members.end());
        add(ColumnPart::Group, std::move(row), g);
    }
    for (const std::size_t control : order) {
        if (isA(control, ControlKind::TextBox) && !placed[control]) {
            add(ColumnPart::Input, {control});
        }
    }
    std::vector<std::size_t> buttons;
    for (const std::size_t control : order) {
        if (isA(control, ControlKind::CommandButton) && !placed[control]) {
            buttons.push_back(control);
        }
    }
    if (!buttons.empty()) {
        add(ColumnPart::Buttons, std::move(buttons));
    }
    for (const ControlName& result : screen.heardAfterSolve) {
        const auto found = std::find_if(controls.begin(), controls.end(), [&](const auto& control) {
            return control.name == result;
        });
        if (found != controls.end()) {
            add(ColumnPart::Result, {static_cast<std::size_t>(found - controls.begin())});
        }
    }
    // The labels left, in reading order: from the top, and from the left along a line.
    std::vector<std::size_t> labels;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (isA(i, ControlKind::Label) && !placed[i]) {
            labels.push_back(i);
        }
    }
    std::stable_sort(labels.begin(), labels.end(), [&](std::size_t a, std::size_t b) {
        const TwipRect& first = controls[a].geometry;
        const TwipRect& second = controls[b].geometry;
        return first.top != second.top ? first.top < second.top : first.left < second.left;
    });
    for (const std::size_t label : labels) {
        if (controls[label].border == LabelBorder::FixedSingle) {
            add(ColumnPart::Formula, {label});
        }
    }
    if (screen.heardAfterSolve.empty()) {
        for (const std::size_t label : labels) {
            if (!placed[label]) {
                add(ColumnPart::Note, {label});
            }
        }
    }
    for (const std::size_t control : order) {
        if (isA(control, ControlKind::PictureBox) && !placed[control]) {
            add(ColumnPart::Picture, {control});
        }
    }
    return rows;
}

} // namespace quorvex
