#include "Library.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace morvik::art {

namespace {

QString readText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw SourceError(path, 0, QStringLiteral("cannot read the file"));
    return QString::fromUtf8(f.readAll());
}

int toInt(const QString& s, const QString& file, int line)
{
    bool ok = false;
    const int v = s.toInt(&ok);
    if (!ok)
        throw SourceError(file, line, QStringLiteral("expected a number, found '%1'").arg(s));
    return v;
}

// Reads the lines of a file one after the other, skipping blank and comment lines.
class LineReader {
public:
    LineReader(QString file, const QString& text) : file_(std::move(file)), lines_(text.split('\n')) {}

    bool next(QString& line)
    {
        while (pos_ < lines_.size()) {
            line = lines_[pos_++].trimmed();
            if (!line.isEmpty() && !line.startsWith('#'))
                return true;
        }
        return false;
    }
    int line() const { return pos_; }
    const QString& file() const { return file_; }

private:
    QString file_;
    QStringList lines_;
    int pos_ = 0;
};

Grid readGrid(LineReader& in, const Palette& palette, int width, int height)
{
    Grid g;
    g.width = width;
    g.height = height;
    QString row;
    for (int y = 0; y < height; ++y) {
        if (!in.next(row))
            throw SourceError(in.file(), in.line(), QStringLiteral("grid ends after %1 of %2 rows").arg(y).arg(height));
        const QByteArray bytes = row.toLatin1();
        if (bytes.size() != width)
            throw SourceError(in.file(), in.line(),
                              QStringLiteral("row has %1 pixels, expected %2").arg(bytes.size()).arg(width));
        for (char c : bytes)
            if (!palette.hasKey(c))
                throw SourceError(in.file(), in.line(), QStringLiteral("unknown palette key '%1'").arg(QChar(c)));
        g.rows.push_back(bytes);
    }
    return g;
}

}  // namespace

Library Library::load(const QString& folder)
{
    const QDir dir(folder);
    std::vector<std::pair<QString, QString>> sources;
    for (const QString& name : dir.entryList({QStringLiteral("*.pix")}, QDir::Files, QDir::Name))
        sources.emplace_back(name, readText(dir.filePath(name)));
    return parse(readText(dir.filePath(QStringLiteral("palette.txt"))), sources);
}

Library Library::parse(const QString& paletteText, const std::vector<std::pair<QString, QString>>& sources)
{
    Library lib;
    lib.palette_ = Palette::parse(paletteText, QStringLiteral("palette.txt"));
    for (const auto& [file, text] : sources)
        lib.parseFile(file, text);
    // Every image a step names must exist.
    for (const auto& [name, recipe] : lib.recipes_)
        for (const Step& s : recipe.steps)
            if (s.kind == Step::Kind::Draw && !lib.recipes_.count(s.ref))
                throw SourceError(s.file, s.line, QStringLiteral("no image named %1").arg(s.ref));
    return lib;
}

const Recipe* Library::find(const QString& name) const
{
    const auto it = recipes_.find(name);
    return it == recipes_.end() ? nullptr : &it->second;
}

void Library::parseFile(const QString& file, const QString& text)
{
    LineReader in(file, text);
    QString line;
    while (in.next(line)) {
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        const QString& word = f[0];
        if (word != QLatin1String("sprite") && word != QLatin1String("image") && word != QLatin1String("pic"))
            throw SourceError(file, in.line(), QStringLiteral("expected sprite, image or pic, found '%1'").arg(word));
        if (f.size() != 4)
            throw SourceError(file, in.line(), QStringLiteral("expected: %1 NAME WIDTH HEIGHT").arg(word));
        Recipe r;
        r.name = f[1];
        r.width = toInt(f[2], file, in.line());
        r.height = toInt(f[3], file, in.line());
        r.output = word == QLatin1String("pic");
        r.file = file;
        r.line = in.line();
        if (r.width <= 0 || r.height <= 0 || r.width > 4096 || r.height > 4096)
            throw SourceError(file, in.line(), QStringLiteral("bad size"));
        if (recipes_.count(r.name))
            throw SourceError(file, in.line(), QStringLiteral("%1 is defined twice").arg(r.name));

        if (word == QLatin1String("sprite")) {
            Step s;
            s.kind = Step::Kind::Grid;
            s.file = file;
            s.line = in.line();
            s.grid = readGrid(in, palette_, r.width, r.height);
            r.steps.push_back(std::move(s));
        } else {
            for (;;) {
                if (!in.next(line))
                    throw SourceError(file, in.line(), QStringLiteral("%1 has no end").arg(r.name));
                const QStringList t = line.split(' ', Qt::SkipEmptyParts);
                if (t[0] == QLatin1String("end"))
                    break;
                Step s;
                s.file = file;
                s.line = in.line();
                const QString& op = t[0];
                if ((op == QLatin1String("fill") || op == QLatin1String("outline")) && t.size() == 2 && t[1].size() == 1) {
                    s.kind = op == QLatin1String("fill") ? Step::Kind::Fill : Step::Kind::Outline;
                    s.key = char(t[1][0].unicode());
                    if (!palette_.hasKey(s.key))
                        throw SourceError(file, in.line(), QStringLiteral("unknown palette key '%1'").arg(t[1]));
                } else if (op == QLatin1String("grid") && t.size() == 1) {
                    s.kind = Step::Kind::Grid;
                    s.grid = readGrid(in, palette_, r.width, r.height);
                } else if (op == QLatin1String("code") && t.size() == 2) {
                    s.kind = Step::Kind::Code;
                    s.ref = t[1];
                } else if (op == QLatin1String("draw") && t.size() >= 2) {
                    s.kind = Step::Kind::Draw;
                    s.ref = t[1];
                    int i = 2;
                    if (i + 1 < t.size() && t[i] != QLatin1String("flip") && t[i] != QLatin1String("scale")
                        && t[i] != QLatin1String("map")) {
                        s.x = toInt(t[i], file, in.line());
                        s.y = toInt(t[i + 1], file, in.line());
                        i += 2;
                    }
                    for (; i < t.size(); ++i) {
                        if (t[i] == QLatin1String("flip")) {
                            s.flip = true;
                        } else if (t[i] == QLatin1String("scale") && i + 1 < t.size()) {
                            s.scale = toInt(t[++i], file, in.line());
                            if (s.scale < 1 || s.scale > 16)
                                throw SourceError(file, in.line(), QStringLiteral("scale must be 1 to 16"));
                        } else if (t[i] == QLatin1String("map")) {
                            for (++i; i < t.size(); ++i) {
                                const QByteArray pair = t[i].toLatin1();
                                if (pair.size() != 2 || !palette_.hasKey(pair[0]) || !palette_.hasKey(pair[1]))
                                    throw SourceError(file, in.line(),
                                                      QStringLiteral("map wants pairs of palette keys, found '%1'").arg(t[i]));
                                s.keyMap[size_t(pair[0])] = pair[1];
                            }
                        } else {
                            throw SourceError(file, in.line(), QStringLiteral("unexpected '%1' in draw").arg(t[i]));
                        }
                    }
                } else {
                    throw SourceError(file, in.line(), QStringLiteral("unknown step: %1").arg(line));
                }
                r.steps.push_back(std::move(s));
            }
        }
        if (r.output)
            outputs_.push_back(r.name);
        recipes_.emplace(r.name, std::move(r));
    }
}

}  // namespace morvik::art
