#pragma once
// An arithmetic fault: a division by zero, an overflow to infinity or an
// undefined (NaN) result. The transfer function throws it to its caller; the
// gain calculation and the scaling-file writer catch their own and report
// them in a message box.

#include <stdexcept>
#include <string>

namespace vernium {

class ArithmeticFault : public std::runtime_error {
 public:
  explicit ArithmeticFault(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace vernium
