#pragma once
// The program's title as windows and messages without a title of their own show it.
#include <QString>

namespace varel {

/// The application title in the current language.
QString ApplicationTitle();

}  // namespace varel
