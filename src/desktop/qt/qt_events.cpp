#include "desktop/qt/qt_events.h"

#include <QGuiApplication>

namespace wendaro {

ModifierFlags toModifierFlags(Qt::KeyboardModifiers modifiers) {
  ModifierFlags flags = 0;
  if (modifiers & Qt::ShiftModifier) flags |= kShiftKeyMask;
  if (modifiers & Qt::ControlModifier) flags |= kControlKeyMask;
  if (modifiers & Qt::AltModifier) flags |= kOptionKeyMask;
  if (modifiers & Qt::MetaModifier) flags |= kCommandKeyMask;
  return flags;
}

QtEvents::QtEvents(Source source)
    : source_(source ? std::move(source) : Source(&QGuiApplication::queryKeyboardModifiers)) {}

ModifierFlags QtEvents::modifierFlags() const { return toModifierFlags(source_()); }

}  // namespace wendaro
