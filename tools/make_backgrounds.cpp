// Computes the three background pictures of the three-sided view and writes
// them as 24-bit BMP files into the directory given (the build puts them
// beside the program):
//
//   FTxyChromaticityDiagram.bmp      CIE 1931 x, y from 0..0.74 x 0..0.84
//   FTColorWheel.bmp                 a*, b* from -80..80 at L* 70 (centre) to 50 (rim)
//   FTUniformChromaticityScale.bmp   CIE 1976 u', v' from 0..0.625 x 0..0.585
//
// The picture spans are the graph-unit extents the program places them at,
// so the spectral locus lies where the plotted coordinates say. The locus
// comes from an analytic fit of the CIE 1931 2-degree colour-matching
// functions (sums of piecewise Gaussians); inside it every point is filled
// with its sRGB colour at full brightness, clipped where sRGB cannot show it.
//
//   tavrino-make-backgrounds DIR

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r = 255, g = 255, b = 255;
};

struct Point {
    double x = 0, y = 0;
};

// A piecewise Gaussian: its width differs left and right of the peak.
double lobe(double lambda, double peak, double left, double right) {
    const double t = (lambda - peak) / (lambda < peak ? left : right);
    return std::exp(-0.5 * t * t);
}

struct Xyz {
    double X = 0, Y = 0, Z = 0;
};

// The colour-matching functions at `lambda` nanometres.
Xyz matching(double lambda) {
    return {1.056 * lobe(lambda, 599.8, 37.9, 31.0) + 0.362 * lobe(lambda, 442.0, 16.0, 26.7) -
                0.065 * lobe(lambda, 501.1, 20.4, 26.2),
            0.821 * lobe(lambda, 568.8, 46.9, 40.5) + 0.286 * lobe(lambda, 530.9, 16.3, 31.1),
            1.217 * lobe(lambda, 437.0, 11.8, 36.0) + 0.681 * lobe(lambda, 459.0, 26.0, 13.8)};
}

Point chromaticity(const Xyz& c) {
    const double sum = c.X + c.Y + c.Z;
    return {c.X / sum, c.Y / sum};
}

Point toUv(Point xy) {
    const double d = -2 * xy.x + 12 * xy.y + 3;
    return {4 * xy.x / d, 9 * xy.y / d};
}

Point fromUv(Point uv) {
    const double d = 6 * uv.x - 16 * uv.y + 12;
    return {9 * uv.x / d, 4 * uv.y / d};
}

// The spectral locus, closed by the line of purples. The fit's tails drift
// where the real functions barely change the chromaticity: below 420 nm it
// would curl, and beyond the reddest point it would run back along the
// locus, so the locus ends there (the real one stays put from about 680 nm on).
std::vector<Point> locus(bool uv) {
    std::vector<Point> points;
    for (int lambda = 420; lambda <= 780; ++lambda) {
        const Point xy = chromaticity(matching(lambda));
        if (lambda > 600 && !points.empty() && xy.x <= (uv ? fromUv(points.back()) : points.back()).x)
            break;
        points.push_back(uv ? toUv(xy) : xy);
    }
    return points;
}

bool inside(const std::vector<Point>& polygon, Point p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distanceToOutline(const std::vector<Point>& polygon, Point p) {
    double best = 1e9;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
        best = std::min(best, distanceToSegment(p, polygon[j], polygon[i]));
    return best;
}

std::uint8_t encode(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    const double v = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(v * 255));
}

std::array<double, 3> linearSrgb(const Xyz& c) {
    return {3.2406 * c.X - 1.5372 * c.Y - 0.4986 * c.Z, -0.9689 * c.X + 1.8758 * c.Y + 0.0415 * c.Z,
            0.0557 * c.X - 0.2040 * c.Y + 1.0570 * c.Z};
}

// The colour of a chromaticity at the highest brightness sRGB can show;
// a colour outside sRGB loses its negative components.
Rgb chromaticityColour(Point xy) {
    auto rgb = linearSrgb({xy.x / xy.y, 1.0, (1 - xy.x - xy.y) / xy.y});
    for (double& v : rgb)
        v = std::max(v, 0.0);
    const double top = std::max({rgb[0], rgb[1], rgb[2]});
    if (top <= 0)
        return {};
    return {encode(rgb[0] / top), encode(rgb[1] / top), encode(rgb[2] / top)};
}

// L*a*b* (D65 white) to sRGB, components clipped.
Rgb labColour(double L, double a, double b) {
    constexpr double kXn = 0.95047, kYn = 1.0, kZn = 1.08883;
    auto inverse = [](double t) {
        return t > 6.0 / 29 ? t * t * t : 3 * (6.0 / 29) * (6.0 / 29) * (t - 4.0 / 29);
    };
    const double fy = (L + 16) / 116;
    const Xyz c{kXn * inverse(fy + a / 500), kYn * inverse(fy), kZn * inverse(fy - b / 200)};
    const auto rgb = linearSrgb(c);
    return {encode(rgb[0]), encode(rgb[1]), encode(rgb[2])};
}

class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width * height)) {}
    void set(int column, int row, Rgb c) { pixels_[std::size_t(row * width_ + column)] = c; }
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }

    // Row 0 is the top row of the picture; BMP rows run bottom-up.
    bool write(const std::string& path) const {
        const int rowBytes = (width_ * 3 + 3) / 4 * 4;
        const std::uint32_t dataSize = std::uint32_t(rowBytes * height_);
        std::vector<std::uint8_t> out;
        auto put = [&out](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                out.push_back(std::uint8_t(v >> (8 * i)));
        };
        out.push_back('B');
        out.push_back('M');
        put(54 + dataSize, 4);
        put(0, 4);
        put(54, 4);
        put(40, 4);
        put(std::uint32_t(width_), 4);
        put(std::uint32_t(height_), 4);
        put(1, 2);
        put(24, 2);
        put(0, 4);
        put(dataSize, 4);
        put(2835, 4); // 72 dpi
        put(2835, 4);
        put(0, 4);
        put(0, 4);
        for (int row = height_ - 1; row >= 0; --row) {
            for (int column = 0; column < width_; ++column) {
                const Rgb c = pixels_[std::size_t(row * width_ + column)];
                out.push_back(c.b);
                out.push_back(c.g);
                out.push_back(c.r);
            }
            out.resize(out.size() + std::size_t(rowBytes - width_ * 3), 0);
        }
        // Written beside the target and renamed over it: a reader never
        // sees half a picture.
        const std::string temporary = path + ".tmp";
        {
            std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
            if (!file.flush())
                return false;
        }
        return std::rename(temporary.c_str(), path.c_str()) == 0;
    }

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// A diagram over [0, spanX] x [0, spanY] at `scale` pixels per unit.
Picture diagram(double spanX, double spanY, double scale, bool uv) {
    const std::vector<Point> outline = locus(uv);
    Picture p(int(std::lround(spanX * scale)), int(std::lround(spanY * scale)));
    const Rgb line{60, 60, 60};
    for (int row = 0; row < p.height(); ++row) {
        for (int column = 0; column < p.width(); ++column) {
            const Point at{(column + 0.5) / scale, spanY - (row + 0.5) / scale};
            if (distanceToOutline(outline, at) * scale < 0.8)
                p.set(column, row, line);
            else if (inside(outline, at))
                p.set(column, row, chromaticityColour(uv ? fromUv(at) : at));
        }
    }
    return p;
}

Picture colourWheel(int size) {
    Picture p(size, size);
    const double scale = size / 160.0;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const double a = (column + 0.5) / scale - 80;
            const double b = 80 - (row + 0.5) / scale;
            const double radius = std::hypot(a, b);
            if (radius <= 80)
                p.set(column, row, labColour(70 - 20 * radius / 80, a, b));
        }
    }
    return p;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = diagram(0.74, 0.84, 500, false).write(dir + "/FTxyChromaticityDiagram.bmp") &&
                    colourWheel(320).write(dir + "/FTColorWheel.bmp") &&
                    diagram(0.625, 0.585, 480, true).write(dir + "/FTUniformChromaticityScale.bmp");
    if (!ok) {
        std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], dir.c_str());
        return 1;
    }
    return 0;
}
