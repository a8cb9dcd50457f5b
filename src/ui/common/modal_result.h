#pragma once
// How a modal dialog of the program ends: OK or print, cancel, or PDF or e-invoice output
// (the print dialogs only). The numbers are what the dialogs' exec() returns.
#include <QDialog>

namespace qm::ui {

enum class ModalResult { Ok = 1, Cancel = 2, Pdf = 6, EInvoice = 7 };

inline void CloseWith(QDialog& dialog, ModalResult result) { dialog.done(static_cast<int>(result)); }
inline ModalResult ExecModal(QDialog& dialog) { return static_cast<ModalResult>(dialog.exec()); }

}  // namespace qm::ui
