// Routines shared by the windows and the controller.
#pragma once

class QWidget;
class Tabula;

namespace BMContour {

// Sets a data grid up afresh: 102 rows (2 fixed), 5 columns, header captions "走向"/"傾斜"
// merged over "角度"/"方位", "No." numbering, widths from the caption texts.
void InitDataGrid(Tabula& grid);
// Widens (or narrows back) the "No." column to the largest row number the grid holds, never
// below the width of " 100 "; the grid's container changes its width by as much.
void FitNumberColumn(Tabula& grid);
// Greys the Close command of a child window and makes its close request do nothing.
void DisableCloseCommand(QWidget* window);

} // namespace BMContour
