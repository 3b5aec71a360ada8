// The open and save dialogs of the data file.
#pragma once

#include "core/dialogs.h"

#include <QString>

namespace BMContour {

// The file the user chose to open, or an empty text when cancelled. `name` is the initial
// file name; the dialog starts in `folder` unless `name` names one.
QString ShowOpenDialog(Dialogs& dialogs, const QString& name, const QString& folder = QString());
// The path the user chose to save to, with ".QST" appended when missing, or an empty text when
// cancelled. A name that is refused is reported and the dialog is shown again with it. An
// empty `name` proposes "新規1.QST", "新規2.QST", ... whichever is free in the folder the
// dialog starts in (`folder`, else the current folder).
QString ShowSaveDialog(Dialogs& dialogs, const QString& name, const QString& folder = QString());

// The dialog settings, for the platform side and for tests.
FileDialogRequest OpenDialogRequest(const QString& name, const QString& folder = QString());
FileDialogRequest SaveDialogRequest(const QString& name, const QString& folder = QString());

} // namespace BMContour
