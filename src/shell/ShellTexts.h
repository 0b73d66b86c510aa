#pragma once
// Fixed texts of the main window, the splash window and the configuration file.
#include <string_view>
#include "forms/Texts.h"

namespace quarvin::shell {

inline constexpr std::string_view kWebAddress = "www.quarvin.com";
// The caption doubles as the configuration file's version stamp (first 30 characters).
inline constexpr std::string_view kMainCaption =
    QV_TEXT("QUARVINV5  Ver 5.37  for Win95/98/me/2000/xp  www.quarvin.com");
inline constexpr std::size_t kVersionStampLength = 30;
// Appended to the caption while the embedded virtual box is the link.
inline constexpr std::string_view kVirtualBoxCaption = QV_TEXT(" - virtual box");
inline constexpr std::string_view kConfigFileName = "quarvinV5EN.CFG";
inline constexpr std::string_view kWelcomeNewVersion = QV_TEXT("Welcome to use the new version of Quarvin!");

inline constexpr std::string_view kSplashProduct = QV_TEXT("QUARVIN");
inline constexpr std::string_view kSplashLine = QV_TEXT("Universal Programmer");
inline constexpr std::string_view kSplashText = QV_TEXT("First detecting COM,Please wait for 1-30 sec");

inline constexpr std::string_view kOnlyForMemories = QV_TEXT("Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!");
inline constexpr std::string_view kWelcomeTo = QV_TEXT("Welcom to:");
inline constexpr std::string_view kDoubleClickWarning = QV_TEXT("Plesse double click mouse left button");

inline constexpr int kTypeWindowWidth = 145;
inline constexpr int kCategoryCount = 7;

} // namespace quarvin::shell
