// Writes the window's artwork for the native Windows window, which draws nothing itself:
//   kitvane_artwork FOLDER   writes FOLDER/banner.bmp and FOLDER/kitvane.ico (16 to 256 pixels).
// app/win32/ holds the files it wrote; run it again when the artwork changes.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <vector>

#include "app/window/artwork.h"

namespace {

void AppendLittleEndian(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon file whose images are PNG, one per size, as the system reads them from Windows Vista on.
QByteArray IconFile(const std::vector<int>& sizes) {
    std::vector<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        kitvane::IconImage(size).save(&buffer, "PNG");
        images.push_back(png);
    }
    QByteArray file;
    AppendLittleEndian(file, 0, 2);  // reserved
    AppendLittleEndian(file, 1, 2);  // an icon
    AppendLittleEndian(file, static_cast<quint32>(sizes.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const quint32 side = sizes[i] >= 256 ? 0 : static_cast<quint32>(sizes[i]);  // 0 stands for 256
        AppendLittleEndian(file, side, 1);
        AppendLittleEndian(file, side, 1);
        AppendLittleEndian(file, 0, 1);   // no palette
        AppendLittleEndian(file, 0, 1);   // reserved
        AppendLittleEndian(file, 1, 2);   // planes
        AppendLittleEndian(file, 32, 2);  // bits per pixel
        AppendLittleEndian(file, static_cast<quint32>(images[i].size()), 4);
        AppendLittleEndian(file, offset, 4);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images)
        file.append(image);
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kitvane_artwork FOLDER\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool banner =
        kitvane::BannerImage().convertToFormat(QImage::Format_RGB888).save(folder + "/banner.bmp", "BMP");
    QFile icon(folder + "/kitvane.ico");
    const bool iconWritten =
        icon.open(QIODevice::WriteOnly) && icon.write(IconFile({16, 24, 32, 48, 64, 256})) > 0;
    return banner && iconWritten ? 0 : 1;
}
