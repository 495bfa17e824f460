// Writes the window's artwork as files, for the windows and desktops that can't draw it themselves:
//   kitvane_artwork FILE...   by each name's ending: .bmp the banner, .ico the icon from 16 to 256 pixels,
//                             .png the icon at 256 pixels
// app/win32/ holds banner.bmp and kitvane.ico, app/window/ kitvane.png; run it again when the artwork
// changes.
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

bool WriteArtwork(const QString& file) {
    if (file.endsWith(QStringLiteral(".bmp")))
        return kitvane::BannerImage().convertToFormat(QImage::Format_RGB888).save(file, "BMP");
    if (file.endsWith(QStringLiteral(".png")))
        return kitvane::IconImage(256).save(file, "PNG");
    if (file.endsWith(QStringLiteral(".ico"))) {
        QFile icon(file);
        return icon.open(QIODevice::WriteOnly) && icon.write(IconFile({16, 24, 32, 48, 64, 256})) > 0;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kitvane_artwork FILE.bmp|FILE.ico|FILE.png...\n");
        return 1;
    }
    bool written = true;
    for (int i = 1; i < argc; ++i)
        written = WriteArtwork(QString::fromLocal8Bit(argv[i])) && written;
    return written ? 0 : 1;
}
