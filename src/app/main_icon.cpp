// Writes the program's icon as a PNG of the given size, for installing.
//   vestrix-icon SIZE FILE
#include "cli/command_line.h"
#include "ui/app_icon.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  const vestrix::cli::ProgramInfo info{
      "vestrix-icon", "Writes the program's icon, SIZE pixels square, to the PNG file FILE.", "", {}, "SIZE FILE"};
  const vestrix::cli::Parsed parsed = vestrix::cli::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  if (parsed.operands.size() != 2 || std::stoi("0" + parsed.operands[0]) <= 0) {
    std::fprintf(stderr, "usage: vestrix-icon [--help] [--version] SIZE FILE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  const int size = std::stoi(parsed.operands[0]);
  if (!vestrix::ui::AppIconPixmap(size).save(QString::fromStdString(parsed.operands[1]), "PNG")) {
    std::fprintf(stderr, "vestrix-icon: cannot write %s\n", parsed.operands[1].c_str());
    return 1;
  }
  return 0;
}
