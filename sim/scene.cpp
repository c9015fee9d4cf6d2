#include "scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace tavrino::sim {

namespace {

// The ideal white the factory calibration refers to.
constexpr Xyz kWhite{95.05, 100.0, 108.9};
constexpr Xyz kGreyCard{17.11, 18.00, 19.60};

Scene singleTarget(std::string name, Xyz xyz) {
    return Scene{{{std::move(name), xyz, 60.0}}, 0.0};
}

// A card given by its L*a*b* values (relative to kWhite), as colour cards
// are specified.
Xyz labCard(double lightness, double a, double b) {
    const auto cube = [](double f) {
        return f > 6.0 / 29.0 ? f * f * f : 3.0 * 36.0 / 841.0 * (f - 4.0 / 29.0);
    };
    const double fy = (lightness + 16.0) / 116.0;
    return {kWhite.x * cube(fy + a / 500.0), kWhite.y * cube(fy), kWhite.z * cube(fy - b / 200.0)};
}

// Printed colour cards as they pass a sensor on a belt: a white card below
// the ideal white, and colours well inside what print can show, so that no
// coordinate leaves the range the graphs show.
Scene cardCycle() {
    return Scene{{{"white", labCard(95.0, 0.0, 0.0), 3.0},
                  {"red", labCard(45.0, 60.0, 40.0), 3.0},
                  {"green", labCard(55.0, -50.0, 30.0), 3.0},
                  {"blue", labCard(38.0, 12.0, -52.0), 3.0},
                  {"yellow", labCard(85.0, 2.0, 72.0), 3.0},
                  {"grey card", kGreyCard, 3.0}},
                 1.0};
}

} // namespace

std::vector<std::string_view> builtInSceneNames() {
    return {"cycle", "white", "grey", "black"};
}

std::optional<Scene> builtInScene(std::string_view name) {
    if (name == "cycle")
        return cardCycle();
    if (name == "white")
        return singleTarget("white", kWhite);
    if (name == "grey")
        return singleTarget("grey card", kGreyCard);
    if (name == "black")
        return singleTarget("black", {0.4, 0.42, 0.46});
    return std::nullopt;
}

std::optional<Scene> parseScene(std::string_view text, std::string& error) {
    Scene scene;
    std::istringstream in{std::string(text)};
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::istringstream fields(line);
        SceneTarget target;
        if (!(fields >> target.xyz.x >> target.xyz.y >> target.xyz.z) || target.xyz.x < 0 ||
            target.xyz.y < 0 || target.xyz.z < 0) {
            error = "line " + std::to_string(lineNo) + ": expected X Y Z (not negative)";
            return std::nullopt;
        }
        if (fields >> target.holdSeconds) {
            if (!(target.holdSeconds > 0)) {
                error = "line " + std::to_string(lineNo) + ": hold time must be positive";
                return std::nullopt;
            }
            std::getline(fields >> std::ws, target.name);
        } else {
            target.holdSeconds = 3.0;
        }
        if (target.name.empty())
            target.name = "target " + std::to_string(scene.targets.size() + 1);
        scene.targets.push_back(std::move(target));
    }
    if (scene.targets.empty()) {
        error = "no targets";
        return std::nullopt;
    }
    return scene;
}

Xyz sceneColour(const Scene& scene, double seconds) {
    if (scene.targets.empty())
        return {};
    if (scene.targets.size() == 1)
        return scene.targets.front().xyz;
    double cycle = 0;
    for (const SceneTarget& t : scene.targets)
        cycle += t.holdSeconds + scene.transitionSeconds;
    double at = std::fmod(std::max(seconds, 0.0), cycle);
    for (std::size_t i = 0; i < scene.targets.size(); ++i) {
        const SceneTarget& t = scene.targets[i];
        if (at < t.holdSeconds)
            return t.xyz;
        at -= t.holdSeconds;
        if (at < scene.transitionSeconds) {
            const Xyz& next = scene.targets[(i + 1) % scene.targets.size()].xyz;
            // Cosine blend: no kink where the transition starts or ends.
            const double s = (1.0 - std::cos(std::numbers::pi * at / scene.transitionSeconds)) / 2.0;
            return {t.xyz.x + s * (next.x - t.xyz.x), t.xyz.y + s * (next.y - t.xyz.y),
                    t.xyz.z + s * (next.z - t.xyz.z)};
        }
        at -= scene.transitionSeconds;
    }
    return scene.targets.front().xyz;
}

} // namespace tavrino::sim
