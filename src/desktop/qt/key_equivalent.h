#pragma once

#include <QKeySequence>

#include <string>

#include "platform/modifier_flags.h"

namespace wendaro {

// The key sequence a menu entry shows for its key equivalent: the key ("K",
// "F5", as a stored shortcut names it) with the modifier keys of the mask.
// Empty when the key is empty or not a key Qt knows.
QKeySequence keySequenceForKeyEquivalent(const std::string& key, ModifierFlags mask);

}  // namespace wendaro
