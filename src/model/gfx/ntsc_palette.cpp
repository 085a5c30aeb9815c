#include "model/gfx/ntsc_palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kivo {
namespace {

// The PPU emits a square wave between a low and a high level for each of the
// four luma rows; voltages relative to sync, as measured on the console.
constexpr double kLowLevel[4] = {0.350, 0.518, 0.962, 1.550};
constexpr double kHighLevel[4] = {1.094, 1.506, 1.962, 1.962};
constexpr double kBlack = 0.518;
constexpr double kWhite = 1.962;

// The subcarrier period in the twelve phases the PPU can start a hue on.
constexpr int kPhases = 12;

// The console's signal is made for a CRT; a gentle curve brings its midtones
// to what a present-day screen shows for the same picture.
constexpr double kCrtGamma = 2.2;
constexpr double kDisplayGamma = 1.8;

double Normalise(double volts) {
  return (volts - kBlack) / (kWhite - kBlack);
}

// Whether hue `hue` is at its high level during subcarrier phase `phase`.
bool HighDuring(int hue, int phase) {
  return (hue + phase) % kPhases < kPhases / 2;
}

uint8_t ToByte(double linear) {
  const double clamped = std::clamp(linear, 0.0, 1.0);
  const double corrected = std::pow(clamped, kCrtGamma / kDisplayGamma);
  return static_cast<uint8_t>(std::lround(corrected * 255.0));
}

Rgb Compute(int number) {
  const int hue = number & 0x0F;
  int luma = (number >> 4) & 3;
  if (hue >= 14)
    luma = 1;  // hues 14 and 15 are always the black level
  double low = kLowLevel[luma];
  double high = kHighLevel[luma];
  if (hue == 0)
    low = high;  // greys of hue 0 emit only the high level
  if (hue >= 13)
    high = low;  // hues 13..15 emit only the low level

  // Sample one subcarrier period and demodulate it into luma and the U/V
  // chroma pair. Sample p sits at angle 15 - 30p degrees, which places the
  // middle of hue 8's high half on the -U axis, where the colour burst lies.
  const double pi = std::numbers::pi;
  double y = 0, u = 0, v = 0;
  for (int p = 0; p < kPhases; ++p) {
    const double level = Normalise(HighDuring(hue, p) ? high : low);
    const double angle = (15.0 - 30.0 * p) * pi / 180.0;
    y += level;
    u += level * std::cos(angle);
    v += level * std::sin(angle);
  }
  y /= kPhases;
  u *= 2.0 / kPhases;
  v *= 2.0 / kPhases;

  // The NTSC demodulator's I and Q axes lie 33 degrees from V and U.
  const double tilt = 33.0 * pi / 180.0;
  const double i = v * std::cos(tilt) - u * std::sin(tilt);
  const double q = v * std::sin(tilt) + u * std::cos(tilt);

  const double red = y + 0.956 * i + 0.621 * q;
  const double green = y - 0.272 * i - 0.647 * q;
  const double blue = y - 1.106 * i + 1.703 * q;
  return Rgb{ToByte(red), ToByte(green), ToByte(blue)};
}

}  // namespace

std::array<Rgb, 64> NtscPalette() {
  std::array<Rgb, 64> colours;
  for (int n = 0; n < 64; ++n)
    colours[n] = Compute(n);
  return colours;
}

}  // namespace kivo
