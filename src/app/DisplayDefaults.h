// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the panel asks of the display connection; must run before the
// QApplication is made. A setting the user made in the environment wins.
void SetDisplayDefaults();
