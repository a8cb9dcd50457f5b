#pragma once
// The commands of the main window, each one action shared by its menu item and its
// toolbar button. Feature folders add their commands with their handlers; menus and the
// toolbar are built from the table by id. A command without a handler is shown
// disabled, and a command not allowed in a total-claim document is disabled there.
#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace qm::ui {

struct Command {
  const char* id;        // the action's object name
  const char* caption;   // with its shortcut letter, "開く(&O)"
  const char* icon;      // icon name, or nullptr
  bool inTotalClaim;     // allowed in a total-claim document
  std::function<void()> run;  // empty: not available
};

// A layout entry: a command id, or kSeparator.
inline constexpr const char* kSeparator = "-";

class CommandTable : public QObject {
  Q_OBJECT
 public:
  // Errors of handlers are shown over `owner`.
  explicit CommandTable(QWidget* owner);

  // Adds a command; its id must be new.
  QAction* Add(Command command);
  // The action of a command; throws std::logic_error for an unknown id.
  QAction* Action(const std::string& id) const;
  bool Has(const std::string& id) const;
  bool Available(const std::string& id) const;
  std::vector<std::string> Ids() const;

  // Appends the commands of `layout` in order.
  void Fill(QMenu* menu, const std::vector<const char*>& layout) const;
  void Fill(QToolBar* bar, const std::vector<const char*>& layout) const;

  // Disables what a total-claim document does not allow, or enables it again.
  void SetTotalClaimMode(bool on);

 private:
  struct Entry {
    Command command;
    QAction* action;
  };
  const Entry& Find(const std::string& id) const;
  void Update(const Entry& e);

  QWidget* owner_;
  std::vector<Entry> entries_;
  bool totalClaim_ = false;
};

}  // namespace qm::ui
