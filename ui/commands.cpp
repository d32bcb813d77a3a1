#include "ui/commands.h"

#include <map>

namespace ui {
namespace {

std::map<unsigned, std::function<void()>>& Table() {
  static std::map<unsigned, std::function<void()>> table;
  return table;
}

}  // namespace

unsigned AllocateCommand(std::function<void()> handler) {
  static unsigned next = kFirstDynamic;
  auto& table = Table();
  // Ids wrap round within the range; a long-lived id is skipped.
  for (;;) {
    unsigned id = next++;
    if (next > kLastDynamic) next = kFirstDynamic;
    if (!table.count(id)) {
      table[id] = std::move(handler);
      return id;
    }
  }
}

void ReleaseCommand(unsigned id) { Table().erase(id); }

bool RunCommand(unsigned id) {
  auto& table = Table();
  auto it = table.find(id);
  if (it == table.end() || !it->second) return false;
  auto handler = it->second;  // the handler may release its own id
  handler();
  return true;
}

}  // namespace ui
