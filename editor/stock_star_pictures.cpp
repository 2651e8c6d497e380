#include "editor/stock_star_pictures.h"

#include <algorithm>
#include <cmath>

namespace zelmora::editor {

namespace {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb Add(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// One element of a star picture, in cell coordinates (0..16, y down).
struct Layer {
  enum class Kind { Glow, Disc, Ring, Ray } kind;
  double x, y;
  double a, b;  // radius (disc, glow), half axes (ring), length and half width (ray)
  Rgb inner, outer;
  double angle = 0;  // rays; also the ring's thickness
};

Rgb Apply(const Layer& l, double px, double py, Rgb c) {
  double dx = px - l.x, dy = py - l.y;
  double d = std::hypot(dx, dy);
  switch (l.kind) {
    case Layer::Kind::Glow: {
      if (d >= l.a) return c;
      double k = 1 - d / l.a;
      return Add(c, Scale(l.inner, k * k * l.b));
    }
    case Layer::Kind::Disc:
      if (d > l.a) return c;
      return Mix(l.inner, l.outer, std::pow(d / l.a, 1.6));
    case Layer::Kind::Ring: {
      double e = std::hypot(dx / l.a, dy / l.b);
      double off = std::abs(e - 1) * l.a;
      if (off > l.angle) return c;
      return Add(c, Scale(l.inner, 1 - off / l.angle));
    }
    case Layer::Kind::Ray: {
      double ux = std::cos(l.angle), uy = std::sin(l.angle);
      double along = dx * ux + dy * uy;
      double across = std::abs(-dx * uy + dy * ux);
      if (along < 0 || along > l.a || across > l.b) return c;
      double k = std::pow(1 - along / l.a, 0.6) * (1 - across / l.b);
      return Add(c, Scale(l.inner, k));
    }
  }
  return c;
}

const Rgb kWhite{255, 255, 255};
const Rgb kYellow{255, 230, 60};
const Rgb kOrange{240, 140, 20};
const Rgb kRed{200, 40, 20};
const Rgb kBlue{90, 140, 255};
const Rgb kPaleBlue{200, 225, 255};
const Rgb kBlack{0, 0, 0};

std::vector<Layer> Scene(int type) {
  using K = Layer::Kind;
  const double c = 8;
  switch (type) {
    case 0:  // yellow sun
      return {{K::Glow, c, c, 8, 0.45, kYellow, kYellow},
              {K::Disc, c, c, 5.2, 0, {255, 255, 200}, kOrange}};
    case 1:  // white dwarf
      return {{K::Glow, c, c, 6, 0.6, kPaleBlue, kPaleBlue}, {K::Disc, c, c, 2.6, 0, kWhite, {210, 220, 255}}};
    case 2:  // red sun
      return {{K::Glow, c, c, 8.5, 0.35, kRed, kRed}, {K::Disc, c, c, 7, 0, {255, 150, 60}, {150, 20, 10}}};
    case 3:  // binary with a black hole
      return {{K::Glow, 7, 9, 7.5, 0.3, {150, 60, 160}, kBlack},
              {K::Ring, 7, 9, 6.2, 2.2, {255, 170, 60}, kBlack, 1.4},
              {K::Disc, 7, 9, 2.6, 0, kBlack, {60, 20, 0}},
              {K::Glow, 12.5, 3.5, 3.5, 0.7, kPaleBlue, kBlack},
              {K::Disc, 12.5, 3.5, 1.5, 0, kWhite, kPaleBlue}};
    case 4:  // binary system
      return {{K::Glow, 5.5, 6, 6, 0.45, kYellow, kBlack},
              {K::Glow, 11.5, 10.5, 4.5, 0.45, kOrange, kBlack},
              {K::Disc, 5.5, 6, 3.6, 0, {255, 255, 200}, kOrange},
              {K::Disc, 11.5, 10.5, 2.6, 0, {255, 200, 120}, kRed}};
    case 5: {  // neutron star
      std::vector<Layer> s{{K::Glow, c, c, 5, 0.8, kPaleBlue, kBlack}};
      for (int i = 0; i < 4; ++i) s.push_back({K::Ray, c, c, 7.5, 0.9, {160, 200, 255}, kBlack, i * 3.14159265 / 2});
      s.push_back({K::Disc, c, c, 1.4, 0, kWhite, kPaleBlue});
      return s;
    }
    case 6: {  // flaring yellow sun
      std::vector<Layer> s{{K::Glow, c, c, 7.5, 0.4, kYellow, kBlack}};
      const double angles[] = {-0.9, 0.5, 2.1, 3.6};
      const double lengths[] = {7.8, 6.6, 7.4, 6.2};
      for (int i = 0; i < 4; ++i) s.push_back({K::Ray, c, c, lengths[i], 1.8, {255, 150, 30}, kBlack, angles[i]});
      s.push_back({K::Disc, c, c, 4.0, 0, {255, 255, 190}, kOrange});
      return s;
    }
    default:  // blue giant
      return {{K::Glow, c, c, 8.5, 0.45, kBlue, kBlack}, {K::Disc, c, c, 7.2, 0, {235, 245, 255}, {40, 80, 220}}};
  }
}

std::uint32_t Pack(Rgb c) {
  auto channel = [](double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

}  // namespace

StarPixels StockStarPicture(int starType) {
  auto scene = Scene(std::clamp(starType, 0, kStarTypes - 1));
  StarPixels pixels{};
  constexpr int kSamples = 4;  // per axis, for smooth edges at this size
  for (int y = 0; y < kStarCell; ++y) {
    for (int x = 0; x < kStarCell; ++x) {
      Rgb sum;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          double px = x + (sx + 0.5) / kSamples, py = y + (sy + 0.5) / kSamples;
          Rgb c;
          for (const Layer& l : scene) c = Apply(l, px, py, c);
          sum = Add(sum, c);
        }
      }
      pixels[static_cast<std::size_t>(y * kStarCell + x)] = Pack(Scale(sum, 1.0 / (kSamples * kSamples)));
    }
  }
  return pixels;
}

std::vector<std::uint32_t> StockStarStrip() {
  std::vector<std::uint32_t> strip(static_cast<std::size_t>(kStarCell * kStarCell * kStarTypes));
  for (int t = 0; t < kStarTypes; ++t) {
    StarPixels cell = StockStarPicture(t);
    for (int y = 0; y < kStarCell; ++y) {
      for (int x = 0; x < kStarCell; ++x) {
        strip[static_cast<std::size_t>(y * kStarCell * kStarTypes + t * kStarCell + x)] =
            cell[static_cast<std::size_t>(y * kStarCell + x)];
      }
    }
  }
  return strip;
}

}  // namespace zelmora::editor
