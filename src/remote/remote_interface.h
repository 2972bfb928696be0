#pragma once

// How other programs reach the running program: the name it owns on the
// session bus, its one object and that object's interface:
//
//   OpenMenu(a{sv} options)                 the main menu, at the pointer
//   LaunchApp(s app_path, a{sv} options)    an app the program knows
//   LaunchCategory(s name, a{sv} options)   "Launch All" of a category
//   ShowWindow(s title, a{sv} options)      "Favorites", "Menu Bar",
//                                           "Categories" or "Directories"
//
// The one option is "activation-token" (s): the caller's activation token,
// handed on to the app that the request starts (the first, for a category).
// A target the program does not know, and a launch of which nothing
// started, are answered with an error below, whose message says why.
namespace wendaro::remote {

inline constexpr const char* kBusName = "org.wendaro.Wendaro";
inline constexpr const char* kObjectPath = "/org/wendaro/Wendaro";
inline constexpr const char* kInterface = "org.wendaro.Wendaro";

inline constexpr const char* kOpenMenu = "OpenMenu";
inline constexpr const char* kLaunchApp = "LaunchApp";
inline constexpr const char* kLaunchCategory = "LaunchCategory";

inline constexpr const char* kActivationTokenOption = "activation-token";

inline constexpr const char* kUnknownAppError = "org.wendaro.Wendaro.Error.UnknownApp";
inline constexpr const char* kUnknownCategoryError = "org.wendaro.Wendaro.Error.UnknownCategory";
inline constexpr const char* kUnknownWindowError = "org.wendaro.Wendaro.Error.UnknownWindow";
inline constexpr const char* kLaunchFailedError = "org.wendaro.Wendaro.Error.LaunchFailed";

}  // namespace wendaro::remote
