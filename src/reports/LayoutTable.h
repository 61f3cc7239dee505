#pragma once

#include "platform/reporting/ReportLayout.h"

#include <span>

// The report layouts written as tables: one row per control of a section, in the order the
// layout lists them.
namespace LayoutTable {

using Kind = ReportControl::Kind;

enum Flag : unsigned {
    Grows = 1,        // grows downwards with its text
    Centred = 2,      // text centred in its width
    RightAligned = 4, // text against its right edge
    Dates = 8,        // a field whose column holds dates
};

struct Control {
    Kind kind;
    const char* name;
    const char* text; // a label's caption; a field's or total's column
    int left;
    int top;
    int width;
    int height;
    const char* format = "";
    double points = 0; // 0 keeps the layout's font size
    unsigned flags = 0;
};

// The money display of the letters' amounts and totals.
inline constexpr const char* Money = "\"$\"#,##0.00";

// A layout in Arial 8.25 points, one inch from every paper edge.
ReportLayout inchMargins(const QString& caption, int reportWidth);

// Sets the section's height and adds its controls, each in the layout's font name.
void fill(ReportSection& section, int height, std::span<const Control> controls);

} // namespace LayoutTable
