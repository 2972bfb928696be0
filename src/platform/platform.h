#pragma once

#include "platform/access_grants.h"
#include "platform/app_kinds.h"
#include "platform/application.h"
#include "platform/defaults_store.h"
#include "platform/directory_watcher.h"
#include "platform/events.h"
#include "platform/file_manager.h"
#include "platform/image.h"
#include "platform/open_panel.h"
#include "platform/shortcuts.h"
#include "platform/status_bar.h"
#include "platform/system_services.h"
#include "platform/workspace.h"

namespace wendaro {

// The desktop services the application object reaches. Every service outlives
// the application object.
struct Platform {
  DefaultsStore& defaults;
  Workspace& workspace;
  FileManager& fileManager;
  AppKinds& appKinds;
  DirectoryWatcher& directoryWatcher;
  AccessGrants& accessGrants;
  OpenPanels& openPanels;
  StatusBar& statusBar;
  Events& events;
  Images& images;
  Application& application;
  LoginItems& loginItems;
  StoreReview& storeReview;
  SystemInfo& systemInfo;
  Clock& clock;
  StandardOutput& standardOutput;
  ShortcutBinder& shortcutBinder;
  ShortcutViews& shortcutViews;
};

}  // namespace wendaro
