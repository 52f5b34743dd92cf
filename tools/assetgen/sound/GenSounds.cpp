// Writes the sounds: three short splash-and-bubble sounds of different
// character and the ambient underwater loop, all synthesised here.
//
// usage: coralux_gen_sounds RESOURCES_DIR
#include <algorithm>
#include <cmath>
#include <vector>

#include "../Bytes.h"
#include "../WavFile.h"

namespace {

// Every bubble and impact fades in over this long, so none starts with a click.
const double ATTACK_SECONDS = 0.003;
// Decay times an event lasts (about -52 dB); its last part fades to zero.
const double DECAYS_LONG = 6.0;

// 0 -> 1 along a half cosine: a fade without a corner at either end.
double SmoothStep(double x)
{
    return x <= 0 ? 0 : x >= 1 ? 1 : 0.5 - 0.5 * std::cos(M_PI * x);
}

// The envelope of one event t seconds in: a smooth attack, an exponential
// decay of time constant decay, and a smooth fade to exactly zero at the end.
double Envelope(double t, double decay)
{
    const double length = DECAYS_LONG * decay;
    return SmoothStep(t / ATTACK_SECONDS) * std::exp(-t / decay) * SmoothStep((length - t) / (0.3 * length));
}

// One bubble: a ringing sine whose pitch rises as the bubble shrinks and
// nears the surface (a "bloop"). Indices wrap, so a loop's bubble may run
// over its end into its start.
void AddBubble(std::vector<double>& out, int rate, double start, double frequency, double decay, double gain,
               double rise = 0.08)
{
    const int first = static_cast<int>(start * rate);
    const int count = static_cast<int>(DECAYS_LONG * decay * rate);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += 2 * M_PI * frequency * (1 + rise * t / decay) / rate;
        out[(first + i) % out.size()] += gain * Envelope(t, decay) * std::sin(phase);
    }
}

// The impact of the fish's breath on the water: a short burst of noise
// through a resonance near centre, not a broad hiss.
void AddImpact(std::vector<double>& out, int rate, CPrng& prng, double centre, double decay, double gain)
{
    const double r = std::exp(-M_PI * centre / rate);  // bandwidth about the centre frequency
    const double a1 = 2 * r * std::cos(2 * M_PI * centre / rate), a2 = r * r;
    double y1 = 0, y2 = 0;
    const int count = std::min(static_cast<int>(DECAYS_LONG * decay * rate), static_cast<int>(out.size()));
    for (int i = 0; i < count; ++i) {
        const double y = (1 - r) * prng.Range(-1, 1) + a1 * y1 - a2 * y2;
        y2 = y1;
        y1 = y;
        out[i] += gain * 4 * Envelope(static_cast<double>(i) / rate, decay) * y;
    }
}

// How one splash is made: the impact, a dense burst of small bubbles right
// after it, and a few larger, lower bubbles trailing behind.
struct SSplashRecipe
{
    double seconds;
    unsigned seed;
    double impactCentre, impactDecay, impactGain;
    int smallCount;
    double smallLowest, smallHighest, smallSpread;  // Hz, Hz, seconds over which they come
    int largeCount;
    double largeLowest, largeHighest, largeSpread;
};

// Bubbles at times crowded towards the start, at pitches spread evenly in
// octaves; a smaller bubble rings higher and dies faster.
void AddBubbleCloud(std::vector<double>& out, int rate, CPrng& prng, int count, double lowest, double highest,
                    double spread, double gain)
{
    for (int i = 0; i < count; ++i) {
        const double start = 0.004 + spread * (1 - std::sqrt(1 - prng.Unit()));
        const double frequency = lowest * std::pow(highest / lowest, prng.Unit());
        const double decay = prng.Range(0.006, 0.012) * std::pow(1000 / frequency, 0.8);
        if (start + DECAYS_LONG * decay < static_cast<double>(out.size()) / rate)
            AddBubble(out, rate, start, frequency, decay, gain * prng.Range(0.4, 1.0));
    }
}

// A gentle one-pole low-pass: water takes the edge off the top.
void Soften(std::vector<double>& samples, int rate, double corner)
{
    const double k = 1 - std::exp(-2 * M_PI * corner / rate);
    double low = 0;
    for (double& s : samples)
        s = low += k * (s - low);
}

void Normalise(std::vector<double>& samples, double peak)
{
    double largest = 1e-9;
    for (double s : samples)
        largest = std::fmax(largest, std::fabs(s));
    for (double& s : samples)
        s *= peak / largest;
}

std::vector<double> MakeSplash(int rate, const SSplashRecipe& recipe)
{
    std::vector<double> out(static_cast<size_t>(recipe.seconds * rate) & ~size_t{1}, 0.0);
    CPrng prng(recipe.seed);
    AddImpact(out, rate, prng, recipe.impactCentre, recipe.impactDecay, recipe.impactGain);
    AddBubbleCloud(out, rate, prng, recipe.smallCount, recipe.smallLowest, recipe.smallHighest, recipe.smallSpread,
                   0.5);
    AddBubbleCloud(out, rate, prng, recipe.largeCount, recipe.largeLowest, recipe.largeHighest, recipe.largeSpread,
                   0.9);
    Soften(out, rate, 4500);
    Normalise(out, 0.8);
    return out;
}

// The ambient loop: a low rumble, slow swell and distant bubbles. The noise
// is filtered round the loop twice so its end flows into its start, the
// swell has a whole number of periods, and bubbles that run past the end
// continue at the start.
std::vector<double> MakeAmbience(int rate, double seconds)
{
    const size_t count = static_cast<size_t>(seconds * rate) & ~size_t{1};
    std::vector<double> noise(count);
    CPrng prng(8100);
    for (double& n : noise)
        n = prng.Range(-1, 1);
    std::vector<double> out(count, 0.0);
    // Two-pole low-pass near 100 Hz for the rumble; the band between it and
    // a two-pole low-pass near 500 Hz for the wash of moving water, steep
    // enough above that to sound muffled, as under water.
    double rumble = 0, rumble2 = 0, wash = 0, wash2 = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < count; ++i) {
            rumble += 0.08 * (noise[i] - rumble);
            rumble2 += 0.08 * (rumble - rumble2);
            wash += 0.35 * (noise[i] - wash);
            wash2 += 0.35 * (wash - wash2);
            const double t = static_cast<double>(i) / count;
            const double swell = 0.75 + 0.25 * std::sin(2 * M_PI * 2 * t) + 0.1 * std::sin(2 * M_PI * 5 * t + 1);
            const double surge = 0.6 + 0.4 * std::sin(2 * M_PI * 3 * t + 2);
            out[i] = swell * 3 * rumble2 + surge * 0.45 * (wash2 - rumble2);
        }
    }
    for (int i = 0; i < 14; ++i)
        AddBubble(out, rate, prng.Unit() * seconds, prng.Range(300, 900), prng.Range(0.01, 0.025),
                  prng.Range(0.1, 0.25));
    Normalise(out, 0.7);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string root = GetOutputRoot(argc, argv);
    CPrng dither(22050);
    const SWaveFormat high{22050, 16};
    const SWaveFormat low{11025, 8};
    // A short, bright plop: a quick froth of small bubbles and two larger ones.
    const SSplashRecipe plop = {0.34, 1, 1800, 0.004, 0.5, 22, 900, 3200, 0.07, 3, 500, 900, 0.18};
    WriteOutputFile(root, "pack/sound/splash0.wav", EncodeWav(MakeSplash(22050, plop), high, dither));
    // A deeper splash trailing a long string of larger bubbles.
    const SSplashRecipe deep = {0.7, 2, 1100, 0.006, 0.6, 30, 700, 2600, 0.1, 9, 280, 700, 0.45};
    WriteOutputFile(root, "pack/sound/splash2.wav", EncodeWav(MakeSplash(22050, deep), high, dither));
    // A small, soft blip: hardly any froth, one clear bubble.
    const SSplashRecipe blip = {0.36, 3, 1400, 0.003, 0.25, 6, 1000, 2400, 0.04, 1, 650, 750, 0.02};
    WriteOutputFile(root, "pack/sound/splash1.wav",
                    EncodeWav(MakeSplash(11025, blip), low, dither, "Coralux sound generator"));
    WriteOutputFile(root, "pack/sound/main.wav", EncodeWav(MakeAmbience(8100, 10.0), SWaveFormat{8100, 8}, dither));
    return 0;
}
