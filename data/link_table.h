// The launcher's ten link slots and how they are filled from the definitions file.
#pragma once

#include "data/definition_table.h"

constexpr int kLinkSlotCount = 10;
constexpr int kLinkSlotSize = 256;

// The keys of the slots, in slot order: "Page" first, "FlashHttpHand" last.
extern const char* const kLinkKeys[kLinkSlotCount];

// Slot numbers, in the order of kLinkKeys; kNoLink for a button without a link.
enum LinkSlot {
  kSlotPage,
  kSlotRegist,
  kSlotPay,
  kSlotSystem,
  kSlotGm,
  kSlotMainLink,
  kSlotExitLink,
  kSlotShopLink,
  kSlotFlashHttp,
  kSlotFlashHttpHand,
  kNoLink = -1
};

// Ten text slots of 256 bytes, all empty at first.
struct LinkTable {
  char slots[kLinkSlotCount][kLinkSlotSize] = {};
};

// Copies at most size - 1 bytes of `source` and always writes a zero byte at size - 1. Returns
// false, copying nothing, when either text is missing (or there is no room).
bool CopyLink(char* destination, int size, const char* source);

// Fills every slot from the table's first section, whatever its name; a key the section lacks
// gives an empty slot. Returns false, filling nothing, when the table holds no section.
bool FillLinkTable(const DefinitionTable& table, LinkTable& links);
