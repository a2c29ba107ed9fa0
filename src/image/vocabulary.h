#pragma once
// The list vocabulary shared by the channel columns and the settings fields: each list of
// entries has one home here, in both languages. Which Chinese word stands for "Off" or "On"
// depends on what the list switches, so the switch lists come in several wordings.
#include <vector>

#include "image/language.h"

namespace varel {

using Entries = std::vector<Bilingual>;

/// "Low", "High", "Middle" (power positions 0, 1, 2).
const Entries& PowerEntries();
/// "Carry", "Off" (busy channel lock).
const Entries& BusyLockEntries();
/// "Off" / "禁止", "On" / "使能" (scan membership and other enables).
const Entries& DisableEnableEntries();
/// "On" / "使能", "Off" / "禁止".
const Entries& EnableDisableEntries();
/// "Off" / "关", "On" / "开".
const Entries& OffOnEntries();
/// "On" / "开", "Off" / "关" (TX prohibit and other switches listed On first).
const Entries& OnOffEntries();
/// The 265 tone texts of both languages; only position 0 (the Off text) differs.
const Entries& ToneEntries();

}  // namespace varel
