#pragma once
#include <QMainWindow>

namespace qm::ui {

// The program's main window.
class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormMain(QWidget* parent = nullptr);
};

}  // namespace qm::ui
