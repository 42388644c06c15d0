#include "model/zones.h"

#include "common/winutf8.h"

namespace zm {

void TZone::Clear() {
  Zone = Vnum = 0;
  Name = "-";
  ResetTime = 0;
  ResetMode = 0;
  CreatedObjects.Clear();
  RemovedMobs.Clear();
  HeaderLines.clear();
  NumbersTail.clear();
  TopInFile.clear();
  KeptCommands.clear();
  KeptAfterZoneWide.clear();
}

TZoneList::TZoneList() = default;

std::vector<std::string> TZoneList::ZoneNames() const {
  std::vector<std::string> lines;
  lines.push_back("0=" + W("Все зоны"));
  for (const auto& [n, text] : m_names)
    if (n != 0) lines.push_back(IntText(n) + "=" + text);
  return lines;
}

std::string TZoneList::ZoneNameOf(int32_t n) const {
  if (n == 0 && !m_names.count(0)) return W("Все зоны");
  auto it = m_names.find(n);
  return it == m_names.end() ? std::string() : it->second;
}

void TZoneList::OwnerFileSaved(int32_t zone, RecordKind kind) {
  for (const auto& z : *this) z->PendingOwnerFiles.erase({zone, kind});
}

int TZoneMapList::FindByNumber(int32_t n) const {
  for (int i = 0; i < Count(); ++i)
    if (m_items[static_cast<size_t>(i)]->Zone == n) return i;
  return -1;
}

TZoneMap* TZoneMapList::AddForZone(int32_t n) {
  m_items.push_back(std::make_unique<TZoneMap>(n));
  return m_items.back().get();
}

}  // namespace zm
