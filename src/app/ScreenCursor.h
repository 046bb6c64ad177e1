// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application-wide mouse cursor: the hourglass while the clock is being
// read, the arrow otherwise. Setting it twice does not stack.
namespace ScreenCursor {
void SetHourglass();
void SetArrow();
bool IsHourglass();
} // namespace ScreenCursor
