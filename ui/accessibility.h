// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#pragma once

namespace ui {

// Teaches Qt's accessibility what it cannot know from the widget classes: the question mark
// can be pressed like a button, and the drawn pieces and pictures are graphics. Call before
// the window is created; calling it again does nothing.
void installAccessibility();

} // namespace ui
