#pragma once
// The titles of the program's message boxes, written once, in the language installed now.
#include <QString>

namespace varel::MsgTitle {

/// "Tip": a notice.
QString Tip();
/// "Mistake": an error.
QString Mistake();
/// "Be careful": a question before something that cannot be taken back.
QString Careful();
/// "Attention": a question or a notice that needs a look.
QString Attention();

}  // namespace varel::MsgTitle
