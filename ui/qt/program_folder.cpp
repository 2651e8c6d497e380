#include "ui/qt/program_folder.h"

#include <QCoreApplication>

namespace zelmora::qt {

std::filesystem::path ProgramFolder() {
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace zelmora::qt
