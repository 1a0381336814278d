#pragma once

class QWidget;

namespace ui {

// Draws a ring in the highlight colour just inside the edge of widget while it has the keyboard
// focus; call at the end of its paintEvent. The style's own hint is a faint line that it shows
// only after a Tab, so the focus the window opens with would go unseen.
void paintFocusRing(QWidget* widget);

} // namespace ui
