// Renders SVG icons to square PNG files at build time:
//   scrb_svgrender <output folder> <size in pixels> <file.svg>...
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <outdir> <size> <svg>...\n", argv[0]);
        return 2;
    }
    const QString strOut = QString::fromLocal8Bit(argv[1]);
    const int nSize = std::atoi(argv[2]);
    if (nSize <= 0 || !QDir().mkpath(strOut)) {
        std::fprintf(stderr, "bad size or output folder\n");
        return 2;
    }
    int nFailed = 0;
    for (int i = 3; i < argc; ++i) {
        const QString strSvg = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(strSvg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "invalid SVG: %s\n", argv[i]);
            ++nFailed;
            continue;
        }
        QImage img(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter painter(&img);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString strPng = strOut + '/' + QFileInfo(strSvg).completeBaseName() + ".png";
        if (!img.save(strPng, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(strPng));
            ++nFailed;
        }
    }
    return nFailed == 0 ? 0 : 1;
}
