#include "paper/channel_rows.h"

#include "checks/config_text.h"
#include "image/channel_columns.h"
#include "image/channel_table.h"
#include "paper/paper_text.h"

namespace varel {

QStringList ChannelHeader(Language lang) {
    QStringList header;
    for (const ChannelColumn& column : ChannelColumns()) header << QtString(column.header.in(lang));
    return header;
}

std::vector<QStringList> ChannelRows(const ChannelModel& channels, Language lang) {
    ChannelTable table;
    table.model() = channels;
    table.SetGrid();
    table.RefreshGrid(lang);
    std::vector<QStringList> rows;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        if (!table.model().channel(n).exists()) continue;
        QStringList row{QString::number(n)};
        for (int column = 1; column < kChannelColumnCount; ++column)
            row << QtString(PrintableText(table.cell(n, column)));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace varel
