// morvik-pictures: draws every picture of the game from the text sources in
// assets/pictures and writes them as PNG files.
//
//   morvik-pictures SOURCES --out DIR              every picture as DIR/NAME.png
//   morvik-pictures SOURCES --contact-sheet FILE   all pictures with their names on one sheet
//   morvik-pictures SOURCES --mock-field FILE      sample fields put together from the tiles

#include "Composer.h"
#include "Library.h"
#include "Review.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <exception>

using namespace morvik::art;

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: morvik-pictures SOURCES [--out DIR] [--contact-sheet FILE.png] [--mock-field FILE.png]\n");
    return 2;
}

bool save(const QImage& img, const QString& path)
{
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "morvik-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0)
        return usage();
    const QString sources = QString::fromLocal8Bit(argv[1]);
    QString outDir, sheet, mock;
    for (int i = 2; i + 1 < argc; i += 2) {
        const QString opt = QString::fromLatin1(argv[i]), val = QString::fromLocal8Bit(argv[i + 1]);
        if (opt == QLatin1String("--out"))
            outDir = val;
        else if (opt == QLatin1String("--contact-sheet"))
            sheet = val;
        else if (opt == QLatin1String("--mock-field"))
            mock = val;
        else
            return usage();
    }
    try {
        const Library lib = Library::load(sources);
        Composer composer(lib);
        bool ok = true;
        if (!outDir.isEmpty()) {
            if (!QDir().mkpath(outDir)) {
                std::fprintf(stderr, "morvik-pictures: cannot create %s\n", qPrintable(outDir));
                return 1;
            }
            for (const QString& name : lib.outputs())
                ok = save(composer.image(name), QDir(outDir).filePath(name + QStringLiteral(".png"))) && ok;
        }
        if (!sheet.isEmpty())
            ok = save(contactSheet(composer), sheet) && ok;
        if (!mock.isEmpty())
            ok = save(mockField(composer), mock) && ok;
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvik-pictures: %s\n", e.what());
        return 1;
    }
}
