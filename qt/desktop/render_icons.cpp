// Renders the program's icon into the files an installed program leaves for the desktop:
// render_icons FOLDER writes FOLDER/N/kargolo.png for every size, and FOLDER/kargolo.ico.

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "qt/desktop/program_icon.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: render_icons FOLDER\n", stderr);
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const int size : kargolo::kProgramIconSizes) {
        const QString name = QString::number(size);
        if (!folder.mkpath(name) || !kargolo::RenderProgramIcon(size).save(folder.filePath(name + "/kargolo.png"))) {
            std::fprintf(stderr, "cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    // Windows takes its program icon from an .ico file; Qt writes one where its plugin is there.
    if (QImageWriter::supportedImageFormats().contains("ico")) {
        kargolo::RenderProgramIcon(256).save(folder.filePath(QStringLiteral("kargolo.ico")), "ICO");
    }
    return 0;
}
