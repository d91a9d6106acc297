#include "Scenes.h"

#include "Composer.h"

#include <functional>
#include <map>

namespace morvik::art {

bool drawScene(const QString& name, QImage& canvas, Composer& composer)
{
    using Fn = std::function<void(QImage&, Composer&)>;
    static const std::map<QString, Fn> scenes = {};
    const auto it = scenes.find(name);
    if (it == scenes.end())
        return false;
    it->second(canvas, composer);
    return true;
}

}  // namespace morvik::art
