#pragma once

#include <string>

// The installer's own texts and names.
namespace zelmora::installer {

inline constexpr const char* kCaption = "Quarvel Add on";
inline constexpr const char* kSearching = "Searching for Quarvel...";
inline constexpr const char* kNotFound = "Quarvel not found.";
inline constexpr const char* kInstalling = "Installing add on...";
inline constexpr const char* kBrowseText = "&Browse...";
inline constexpr const char* kCancelText = "&Cancel";
inline constexpr const char* kVerifyText = "V";
inline constexpr const char* kFound = "Quarvel Found";
inline constexpr const char* kNotFoundHere = "Quarvel Not Found";
inline constexpr const char* kChooserPrompt = "Select the folder where Quarvel is installed:";
inline constexpr const char* kAskInstall = "Do you wish to install the add on to the directory";
inline constexpr const char* kAskWithoutGame =
    "Quarvel was not found in this directory.  Are you sure you want to apply the add on?";
inline constexpr const char* kInvalidFolder =
    "The folder is invalid. Please locate your Quarvel folder and press OK.";
inline constexpr const char* kListMissing =
    "Could not find the distribution files.  Please ensure that all files are together in the same "
    "folder before running this program.";
// A list that is there but is not read (a link, a device, far too large): nothing is installed.
inline std::string ListRefusedMessage(const std::string& why) {
  return "The add on cannot be installed: " + why + ".  Nothing was installed.";
}
inline constexpr const char* kSomeNotInstalled = "These files of the add on could not be installed:";

inline constexpr const char* kGameProgram = "quarvel.exe";
inline constexpr const char* kCdFolder = "C:\\QVCD\\";
inline constexpr const char* kGameFolderName = "Quarvel";
inline constexpr const char* kSetupList = "Setup.lst";

}  // namespace zelmora::installer
