// The dialog seam as the program shows it: the desktop's dialogs and the program's own.
#pragma once

#include "platform/qt_dialogs.h"

class ProgramDialogs final : public QtDialogs {
  public:
    using QtDialogs::QtDialogs;

    bool importPreview(const ImportPreviewRequest& request, ImportChoice& choice) override;
};
