#include "ui/common/command_table.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QToolBar>

#include <stdexcept>

#include "ui/common/guarded.h"
#include "ui/resources/icons.h"

namespace qm::ui {
namespace {

// The caption without its shortcut letter, as a toolbar button shows it: "開く(&O)" → "開く".
QString Plain(const QString& caption) {
  QString text = caption;
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
  return text.remove('&');
}

}  // namespace

CommandTable::CommandTable(QWidget* owner) : QObject(owner), owner_(owner) {}

QAction* CommandTable::Add(Command command) {
  if (Has(command.id)) throw std::logic_error(std::string("command added twice: ") + command.id);
  const QString caption = QString::fromUtf8(command.caption);
  auto* action = command.icon ? new QAction(Icon(QString::fromUtf8(command.icon)), caption, owner_)
                              : new QAction(caption, owner_);
  action->setObjectName(QString::fromUtf8(command.id));
  action->setIconText(Plain(caption));
  action->setToolTip(Plain(caption));
  if (command.run)
    connect(action, &QAction::triggered, this, [this, run = command.run] { Guarded(owner_, run); });
  entries_.push_back({std::move(command), action});
  Update(entries_.back());
  return action;
}

const CommandTable::Entry& CommandTable::Find(const std::string& id) const {
  for (const Entry& e : entries_)
    if (id == e.command.id) return e;
  throw std::logic_error("no command " + id);
}

QAction* CommandTable::Action(const std::string& id) const { return Find(id).action; }

bool CommandTable::Has(const std::string& id) const {
  for (const Entry& e : entries_)
    if (id == e.command.id) return true;
  return false;
}

bool CommandTable::Available(const std::string& id) const { return static_cast<bool>(Find(id).command.run); }

std::vector<std::string> CommandTable::Ids() const {
  std::vector<std::string> ids;
  for (const Entry& e : entries_) ids.emplace_back(e.command.id);
  return ids;
}

void CommandTable::Fill(QMenu* menu, const std::vector<const char*>& layout) const {
  for (const char* id : layout) {
    if (std::string_view(id) == kSeparator) menu->addSeparator();
    else menu->addAction(Action(id));
  }
}

void CommandTable::Fill(QToolBar* bar, const std::vector<const char*>& layout) const {
  for (const char* id : layout) {
    if (std::string_view(id) == kSeparator) bar->addSeparator();
    else bar->addAction(Action(id));
  }
}

void CommandTable::SetTotalClaimMode(bool on) {
  totalClaim_ = on;
  for (const Entry& e : entries_) Update(e);
}

void CommandTable::Update(const Entry& e) {
  const bool enabled = e.command.run && (!totalClaim_ || e.command.inTotalClaim);
  if (e.action->isEnabled() != enabled) e.action->setEnabled(enabled);
}

}  // namespace qm::ui
