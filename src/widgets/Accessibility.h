// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader is told of the display widgets: lamps are read-only
// check boxes that are checked while lit, spin edits are spin boxes with a
// value and a range, their arrow buttons say which edit they step, the
// trend chart is a list of its samples, and a drop-down list is named by its
// label rather than by the item it shows.
namespace WidgetAccessibility {

// Registers the interfaces with Qt's accessibility once; every widget that
// has one calls it when it is made, before anything can ask for it.
void Install();

} // namespace WidgetAccessibility
