#pragma once
// Permission checks need a user that root's powers do not cover.
#include <functional>
#include <optional>

namespace varel::test {

/// Runs check as an ordinary user: in a child process switched to the user nobody when the
/// tests run as root, else in this process. The check's result (0-254); empty when the switch
/// is impossible (no user nobody) or the child did not exit normally.
std::optional<int> RunUnprivileged(const std::function<int()>& check);

}  // namespace varel::test
