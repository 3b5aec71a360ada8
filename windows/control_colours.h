// The desktop colours the marker and level labels switch between: the window colours (the
// background of a document or text box, white on most themes) and the selection colours.
#pragma once

class QWidget;

namespace ControlColours {

void SetWindowColours(QWidget* control);
void SetHighlightColours(QWidget* control);

} // namespace ControlColours
