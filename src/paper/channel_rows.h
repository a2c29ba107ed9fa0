#pragma once
// The words of the programmed channels as the channel grid shows them in a language.
#include <QStringList>
#include <vector>

#include "image/channel_model.h"
#include "image/language.h"

namespace varel {

/// The grid's header texts, columns 0 (channel number) to 10 (name).
QStringList ChannelHeader(Language lang);

/// One row per programmed channel, columns 0 to 10, with the texts the grid shows after a
/// switch to lang: list cells in that language, a tone the list lacks as Off (as a write sends
/// it), control characters written out.
std::vector<QStringList> ChannelRows(const ChannelModel& channels, Language lang);

}  // namespace varel
