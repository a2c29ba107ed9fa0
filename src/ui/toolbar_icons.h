#pragma once
// The program's icons, drawn by the program itself so that they look the same on every desktop.
// Each size of an icon is drawn the first time it is shown.
#include <QIcon>
#include <QString>

namespace varel {

/// The icon of a toolbar button key ("TNew", "TOpen", "TSave", "TRead", "TWrite", "TAnMa",
/// "TDebug", "TFMMa") or of the program ("Program"); an empty icon for other names.
QIcon ToolbarIcon(const QString& key);

}  // namespace varel
