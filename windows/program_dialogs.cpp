#include "windows/program_dialogs.h"

#include "windows/frm_import.h"

bool ProgramDialogs::importPreview(const ImportPreviewRequest& request, ImportChoice& choice) {
    frmImport dialog(request, parentWidget());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    choice.read = dialog.TakeOutcome();
    return true;
}
