#include "data/link_table.h"

#include <cstring>

const char* const kLinkKeys[kLinkSlotCount] = {"Page",      "Regist",       "Pay",      "System",
                                               "Gm",        "MainLink",     "ExitLink", "ShopLink",
                                               "FlashHttp", "FlashHttpHand"};

bool CopyLink(char* destination, int size, const char* source) {
  if (destination == nullptr || source == nullptr || size < 1) return false;
  std::strncpy(destination, source, static_cast<size_t>(size - 1));
  destination[size - 1] = '\0';
  return true;
}

bool FillLinkTable(const DefinitionTable& table, LinkTable& links) {
  if (table.Sections().empty()) return false;
  const DefinitionSection& first = *table.Sections().front();
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    CopyLink(links.slots[slot], kLinkSlotSize, first.GetValue(kLinkKeys[slot], ""));
  }
  return true;
}
