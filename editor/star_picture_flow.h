#pragma once

#include "ui/platform/process_runner.h"
#include "ui/platform/prompter.h"
#include "ui/platform/settings_store.h"

#include <filesystem>
#include <optional>
#include <string>

// The star popup's Picture command: edit the star picture in the paint program, browse to a saved
// picture, or go back to the stock picture. Only 16 x 16 pictures are kept.
namespace zelmora::editor {

namespace fs = std::filesystem;

inline constexpr int kStarPicturePixels = 16;

inline constexpr const char* kPictureFilter =
    "All Pictures|*.BMP;*.GIF;*.JPG|Bitmap (*.bmp)|*.BMP|JPEG Images (*.jpg)|*.JPG|"
    "CompuServe Bitmap (*.gif)|*.GIF|All Files (*.*)|*.*";

// What the flow needs of the window's star picture.
class StarPictureHost {
 public:
  struct Size {
    int width = 0;
    int height = 0;
  };

  virtual ~StarPictureHost() = default;
  virtual bool HasCustomPicture() const = 0;
  virtual void BackupPicture() = 0;
  // Puts the backed-up picture back, custom or not as it was.
  virtual void RestoreBackup(bool custom) = 0;
  // The stock picture of the star's type; no longer custom.
  virtual void ShowStockPicture() = 0;
  virtual bool SavePicture(const fs::path& file) = 0;  // as a bitmap
  // Shows the picture in the file; its size in pixels, or nothing (picture unchanged) when it
  // cannot be read.
  virtual std::optional<Size> LoadPicture(const fs::path& file) = 0;
  // Marks the shown picture as the system's own and redraws.
  virtual void MarkCustom() = 0;
};

struct StarPictureServices {
  platform::Prompter& prompter;
  const platform::SettingsStore& settings;
  platform::ProcessRunner& runner;  // the paint program is waited for
  fs::path scratchFile;   // the picture handed to the paint program
  fs::path browseFolder;  // where the file chooser starts
};

enum class StarPictureResult { Unchanged, Custom, Stock, WrongSize, MissingProgram };

StarPictureResult EditStarPicture(StarPictureHost& host, const StarPictureServices& services);

// A filter of description|patterns pairs ("Bitmap (*.bmp)|*.BMP") in the chooser's own form
// ("Bitmap (*.bmp) (*.BMP *.bmp)"), both letter cases of each pattern, "*.*" as every file.
std::string ChooserFilter(const std::string& pairs);

}  // namespace zelmora::editor
