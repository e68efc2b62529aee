#pragma once
// Programming-error checks that stay on in every build: a broken invariant
// (an index outside its table, say) stops the program with a message instead
// of corrupting memory silently.

namespace vernium {

[[noreturn]] void InvariantFailed(const char* condition, const char* file, int line);

}  // namespace vernium

#define VERNIUM_EXPECTS(cond) \
  ((cond) ? static_cast<void>(0) : ::vernium::InvariantFailed(#cond, __FILE__, __LINE__))
