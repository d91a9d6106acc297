#pragma once
// The one palette every picture is drawn with: a key character per colour, and a name
// by which the scene code asks for it.

#include <QColor>
#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <stdexcept>

namespace morvik::art {

// A fault in a text source, with its place ("file:line: what").
class SourceError : public std::runtime_error {
public:
    SourceError(const QString& file, int line, const QString& what);
};

class Palette {
public:
    // Lines "K #rrggbb name" or "K #rrggbbaa name"; '#' starts a comment line.
    // The key '.' is reserved for "transparent" and may not be defined.
    static Palette parse(const QString& text, const QString& file);

    // The colour of a key: '.' is transparent; nullopt for an unknown key.
    std::optional<QRgb> colour(char key) const;
    bool hasKey(char key) const { return colour(key).has_value(); }
    // The colour with this name; throws std::out_of_range for an unknown name.
    QRgb named(const QString& name) const;
    int size() const { return int(byName_.size()); }

private:
    std::array<std::optional<QRgb>, 128> byKey_{};
    QHash<QString, QRgb> byName_;
};

}  // namespace morvik::art
