#pragma once
// What a feature of the program may ask of the window that shows the document, so that
// dialogs and commands never reach into the main window itself.
class QWidget;

namespace qm::ui {

class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // The window dialogs are parented to.
  virtual QWidget* Window() = 0;
  // Takes the focus out of the cell being edited so that its edit reaches the document.
  virtual void CommitCurrentEdit() = 0;
  // The document was filled from elsewhere (opened, built from saved documents): rows,
  // header, calculation settings and totals are shown anew, with no current line.
  virtual void ShowDocument() = 0;
  // Headings, rows and totals from the document and the settings.
  virtual void Refresh() = 0;
  // The item and unit pick menus from the masters as they are now.
  virtual void RebuildPickMenus() = 0;
};

}  // namespace qm::ui
