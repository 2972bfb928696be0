#pragma once

#include <QKeySequence>

#include <string>

#include "platform/modifier_flags.h"

namespace wendaro {

// The key sequence a menu entry shows for its key equivalent: the key as a
// stored shortcut names it ("K", "F5") with the modifier keys of the mask.
// Empty when that is no shortcut a recorder could have stored.
QKeySequence keySequenceForKeyEquivalent(const std::string& key, ModifierFlags mask);

}  // namespace wendaro
