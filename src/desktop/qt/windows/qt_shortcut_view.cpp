#include "desktop/qt/windows/qt_shortcut_view.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/shortcut_text.h"
#include "desktop/qt/windows/shortcut_recorder_edit.h"

namespace wendaro {

std::optional<Shortcut> storedShortcut(const DefaultsStore& store, const std::string& key) {
  if (key.empty()) return std::nullopt;
  const auto value = store.objectForKey(key);
  if (!value || !value->isString()) return std::nullopt;
  return parseShortcutText(value->string());
}

namespace {

// A reader: the recorder without a widget.
class StoredShortcutReader final : public ShortcutView {
 public:
  explicit StoredShortcutReader(const DefaultsStore& store) : store_(store) {}
  void setAssociatedUserDefaultsKey(const std::string& key) override { key_ = key; }
  std::optional<Shortcut> shortcutValue() const override { return storedShortcut(store_, key_); }
  void setShortcutOwner(ShortcutOwner) override {}

 private:
  const DefaultsStore& store_;
  std::string key_;
};

}  // namespace

std::unique_ptr<ShortcutView> QtShortcutViews::makeShortcutView() {
  return std::make_unique<StoredShortcutReader>(store_);
}

QtShortcutView::QtShortcutView(DefaultsStore& store, QWidget* parent)
    : QWidget(parent),
      store_(store),
      recorder_(new ShortcutRecorderEdit(this)),
      clearButton_(new QPushButton(tr("Clear"), this)),
      conflictLabel_(new QLabel(this)),
      inUseLabel_(new QLabel(this)) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(recorder_, 0, 0);
  layout->addWidget(clearButton_, 0, 1);
  layout->addWidget(conflictLabel_, 1, 0, 1, 2);
  layout->addWidget(inUseLabel_, 2, 0, 1, 2);
  layout->setColumnStretch(0, 1);
  conflictLabel_->setObjectName("shortcutConflict");
  conflictLabel_->setWordWrap(true);
  conflictLabel_->hide();
  inUseLabel_->setObjectName("shortcutInUse");
  inUseLabel_->setWordWrap(true);
  inUseLabel_->hide();
  recorder_->setObjectName("shortcutRecorder");
  recorder_->setAccessibleName(tr("Shortcut"));
  clearButton_->setObjectName("clearShortcutButton");
  clearButton_->setAutoDefault(false);
  setFocusProxy(recorder_);
  recorder_->installEventFilter(this);
  connect(recorder_, &ShortcutRecorderEdit::recorded, this, &QtShortcutView::record);
  connect(recorder_, &ShortcutRecorderEdit::clearRequested, this, &QtShortcutView::clear);
  connect(clearButton_, &QPushButton::clicked, this, &QtShortcutView::clear);
  setEnabled(false);
}

QtShortcutView::~QtShortcutView() {
  recorder_->removeEventFilter(this);
  if (conflicts_) {
    // Unheard first: what ending the recording finds out is for no one now.
    conflicts_->setConflictListener(nullptr);
    if (recording_) conflicts_->setRecording(false);
  }
}

void QtShortcutView::setConflicts(ShortcutConflicts* conflicts) {
  if (conflicts_) {
    if (recording_) conflicts_->setRecording(false);
    conflicts_->setConflictListener(nullptr);
  }
  conflicts_ = conflicts;
  if (conflicts_) {
    conflicts_->setConflictListener([this](const std::string& key) {
      if (key == key_) showStoredShortcut();
    });
    if (recording_) conflicts_->setRecording(true);
  }
  showStoredShortcut();
}

// The recorder records while it has the keyboard focus.
void QtShortcutView::setRecording(bool recording) {
  if (recording == recording_) return;
  recording_ = recording;
  if (conflicts_) conflicts_->setRecording(recording_);
}

bool QtShortcutView::eventFilter(QObject* object, QEvent* event) {
  if (object == recorder_) {
    if (event->type() == QEvent::FocusIn) setRecording(true);
    if (event->type() == QEvent::FocusOut) setRecording(false);
  }
  return QWidget::eventFilter(object, event);
}

void QtShortcutView::setAssociatedUserDefaultsKey(const std::string& key) {
  key_ = key;
  refusedFor_.reset();
  setEnabled(!key_.empty());
  showStoredShortcut();
}

std::optional<Shortcut> QtShortcutView::shortcutValue() const { return storedShortcut(store_, key_); }

void QtShortcutView::setShortcutOwner(ShortcutOwner owner) { owner_ = std::move(owner); }

void QtShortcutView::showEvent(QShowEvent* event) {
  showStoredShortcut();
  QWidget::showEvent(event);
}

void QtShortcutView::record(QKeyCombination combination) {
  if (key_.empty()) return;
  const QString text = QKeySequence(combination).toString(QKeySequence::PortableText);
  const std::optional<Shortcut> shortcut = parseShortcutText(text.toStdString());
  refusedFor_ = shortcut && owner_ ? owner_(key_, *shortcut) : std::nullopt;
  if (!refusedFor_) store_.setObject(key_, Value(text.toStdString()));
  showStoredShortcut();
}

void QtShortcutView::clear() {
  if (key_.empty()) return;
  refusedFor_.reset();
  store_.removeObjectForKey(key_);
  showStoredShortcut();
}

void QtShortcutView::showStoredShortcut() {
  const auto shortcut = shortcutValue();
  recorder_->setKeySequence(shortcut ? keySequenceForKeyEquivalent(shortcut->keyCodeStringForKeyEquivalent,
                                                                   shortcut->modifierFlags)
                                     : QKeySequence());
  clearButton_->setEnabled(shortcut.has_value());
  const QString note = noteFor(shortcut.has_value());
  conflictLabel_->setText(note);
  conflictLabel_->setVisible(!note.isEmpty());
  // A shortcut the settings hold for an entry before this one too works
  // only for that one.
  const std::optional<std::string> owner =
      refusedFor_ ? refusedFor_
      : shortcut && owner_ && conflicts_ && conflicts_->isTakenByAnotherKey(key_) ? owner_(key_, *shortcut)
                                                                                   : std::nullopt;
  inUseLabel_->setText(owner ? tr("Already used by %1.").arg(QString::fromStdString(*owner)) : QString());
  inUseLabel_->setVisible(owner.has_value());
}

QString QtShortcutView::noteFor(bool stored) const {
  if (!conflicts_ || key_.empty()) return {};
  if (!conflicts_->offersGlobalShortcuts()) {
    return tr("This desktop lets no program have global shortcuts. In its keyboard settings, bind a key to "
              "\"wendaro --open-menu\" or \"wendaro --launch PATH\" instead.");
  }
  if (!stored) return {};
  if (conflicts_->isTakenByAnotherProgram(key_)) return tr("Another program already uses this shortcut.");
  const std::optional<DesktopTrigger> trigger = conflicts_->desktopTrigger(key_);
  if (!trigger) return {};
  switch (trigger->state) {
    case DesktopTrigger::State::Pending: return {};
    case DesktopTrigger::State::Assigned:
      return tr("The desktop starts this with %1.").arg(QString::fromStdString(trigger->keys));
    case DesktopTrigger::State::Unassigned:
      return tr("The desktop has given this shortcut no keys yet; choose them in its shortcut settings.");
    case DesktopTrigger::State::Refused: return tr("The desktop refused the global shortcuts.");
  }
  return {};
}

}  // namespace wendaro
