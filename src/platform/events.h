#pragma once

#include "platform/modifier_flags.h"

namespace wendaro {

class Events {
 public:
  virtual ~Events() = default;
  // The modifier keys held at the moment of the query.
  virtual ModifierFlags modifierFlags() const = 0;
};

}  // namespace wendaro
