// Writes the program's icon, for installing: a PNG of the given size, or
// for Windows' resources an ICO of the usual sizes (each a PNG inside,
// as Windows reads them since Vista).
//   vestrix-icon SIZE FILE.png
//   vestrix-icon ico FILE.ico
#include "options/command_line.h"
#include "ui/app_icon.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <string>

namespace {

QByteArray Png(int size) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  vestrix::ui::AppIconPixmap(size).save(&buffer, "PNG");
  return png;
}

void Put16(QByteArray& out, int value) {
  out.append(static_cast<char>(value & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(QByteArray& out, qsizetype value) {
  Put16(out, static_cast<int>(value & 0xFFFF));
  Put16(out, static_cast<int>((value >> 16) & 0xFFFF));
}

// ICONDIR, an ICONDIRENTRY a size, then the images.
QByteArray Ico() {
  const int sizes[] = {16, 24, 32, 48, 64, 256};
  QByteArray header;
  Put16(header, 0);
  Put16(header, 1);  // an icon
  Put16(header, static_cast<int>(std::size(sizes)));
  QByteArray images;
  qsizetype offset = 6 + 16 * static_cast<qsizetype>(std::size(sizes));
  for (const int size : sizes) {
    const QByteArray png = Png(size);
    header.append(static_cast<char>(size == 256 ? 0 : size)).append(static_cast<char>(size == 256 ? 0 : size));
    header.append('\0').append('\0');  // no palette
    Put16(header, 1);                  // planes
    Put16(header, 32);                 // bits a pixel
    Put32(header, png.size());
    Put32(header, offset);
    offset += png.size();
    images += png;
  }
  return header + images;
}

}  // namespace

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{"vestrix-icon",
                                           "Writes the program's icon, SIZE pixels square, to the PNG file FILE; with\n"
                                           "'ico' for SIZE, an ICO file of the sizes Windows uses.",
                                           "",
                                           {},
                                           "SIZE FILE"};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  const bool ico = parsed.operands.size() == 2 && parsed.operands[0] == "ico";
  if (parsed.operands.size() != 2 || (!ico && std::stoi("0" + parsed.operands[0]) <= 0)) {
    std::fprintf(stderr, "usage: vestrix-icon [--help] [--version] SIZE|ico FILE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  QFile file(QString::fromStdString(parsed.operands[1]));
  const QByteArray content = ico ? Ico() : Png(std::stoi(parsed.operands[0]));
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.flush()) {
    std::fprintf(stderr, "vestrix-icon: cannot write %s\n", parsed.operands[1].c_str());
    return 1;
  }
  return 0;
}
