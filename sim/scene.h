#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::sim {

// A colour as tristimulus values on the scale where a white target has
// Y = 100 (white itself is 95.05, 100, 108.9).
struct Xyz {
    double x = 0, y = 0, z = 0;
};

// One target passing the sensor: held for `holdSeconds`, then blended into
// the next one over the scene's transition time.
struct SceneTarget {
    std::string name;
    Xyz xyz;
    double holdSeconds = 3.0;
};

struct Scene {
    std::vector<SceneTarget> targets;
    double transitionSeconds = 1.0;
};

// Built-in scenes: "cycle" (white, red, green, blue, yellow, grey card; the
// default), "white", "grey", "black".
[[nodiscard]] std::optional<Scene> builtInScene(std::string_view name);
[[nodiscard]] std::vector<std::string_view> builtInSceneNames();

// A scene file: one target per line, "X Y Z [HOLD_SECONDS [NAME]]"; blank
// lines and lines starting with '#' are skipped. On failure `error` names
// the line.
[[nodiscard]] std::optional<Scene> parseScene(std::string_view text, std::string& error);

// The colour in front of the sensor `seconds` after start; the scene repeats.
[[nodiscard]] Xyz sceneColour(const Scene& scene, double seconds);

} // namespace tavrino::sim
