// Routines shared by the windows and the controller.
#pragma once

class QWidget;
class Tabula;

namespace BMContour {

// Sets a data grid up afresh: 102 rows (2 fixed), 5 columns, header captions "走向"/"傾斜"
// merged over "角度"/"方位", "No." numbering, widths from the caption texts.
void InitDataGrid(Tabula& grid);
// Greys the Close command of a child window and makes its close request do nothing.
void DisableCloseCommand(QWidget* window);

} // namespace BMContour
