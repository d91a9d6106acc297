#include "Palette.h"

#include <QStringList>

namespace morvik::art {

SourceError::SourceError(const QString& file, int line, const QString& what)
    : std::runtime_error(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(what).toStdString())
{
}

namespace {

std::optional<QRgb> parseHex(const QString& s)
{
    if (!s.startsWith('#') || (s.size() != 7 && s.size() != 9))
        return std::nullopt;
    bool ok = false;
    const uint v = s.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    if (s.size() == 7)
        return qRgba(int((v >> 16) & 0xff), int((v >> 8) & 0xff), int(v & 0xff), 255);
    return qRgba(int((v >> 24) & 0xff), int((v >> 16) & 0xff), int((v >> 8) & 0xff), int(v & 0xff));
}

}  // namespace

Palette Palette::parse(const QString& text, const QString& file)
{
    Palette p;
    p.byKey_['.'] = qRgba(0, 0, 0, 0);
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        if (f.size() != 3 || f[0].size() != 1)
            throw SourceError(file, i + 1, QStringLiteral("expected: KEY #rrggbb name"));
        const QChar qk = f[0][0];
        if (qk.unicode() < 33 || qk.unicode() > 126 || qk == '.' || qk == '#')
            throw SourceError(file, i + 1, QStringLiteral("key must be a printable ASCII character other than '.' and '#'"));
        const char key = char(qk.unicode());
        if (p.byKey_[size_t(key)])
            throw SourceError(file, i + 1, QStringLiteral("key '%1' defined twice").arg(qk));
        const auto rgb = parseHex(f[1]);
        if (!rgb)
            throw SourceError(file, i + 1, QStringLiteral("bad colour %1").arg(f[1]));
        if (p.byName_.contains(f[2]))
            throw SourceError(file, i + 1, QStringLiteral("name %1 defined twice").arg(f[2]));
        p.byKey_[size_t(key)] = *rgb;
        p.byName_.insert(f[2], *rgb);
    }
    return p;
}

std::optional<QRgb> Palette::colour(char key) const
{
    if (key < 0)
        return std::nullopt;
    return byKey_[size_t(key)];
}

QRgb Palette::named(const QString& name) const
{
    const auto it = byName_.constFind(name);
    if (it == byName_.constEnd())
        throw std::out_of_range("no palette colour named " + name.toStdString());
    return *it;
}

}  // namespace morvik::art
