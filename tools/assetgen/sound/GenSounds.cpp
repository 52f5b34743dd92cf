// Writes the sounds: three short splash-and-bubble sounds of different
// character and the ambient underwater loop, all synthesised here.
//
// usage: coralux_gen_sounds RESOURCES_DIR
#include <cmath>
#include <vector>

#include "../Bytes.h"
#include "../WavFile.h"

namespace {

// One bubble: a sine whose pitch rises as the bubble leaves the water,
// decaying fast (a "bloop").
void AddBubble(std::vector<double>& out, int rate, double start, double frequency, double length, double gain)
{
    const int first = static_cast<int>(start * rate);
    const int count = static_cast<int>(length * rate);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const int index = (first + i) % static_cast<int>(out.size());
        const double t = static_cast<double>(i) / rate;
        const double f = frequency * (1 + 1.8 * t / length);
        phase += 2 * M_PI * f / rate;
        const double attack = std::fmin(1.0, t * 800);
        out[index] += gain * attack * std::exp(-5 * t / length) * std::sin(phase);
    }
}

// A burst of low-passed noise: the splash of water.
void AddSplash(std::vector<double>& out, int rate, CPrng& prng, double start, double length, double brightness,
               double gain)
{
    const int first = static_cast<int>(start * rate);
    const int count = static_cast<int>(length * rate);
    double low = 0, band = 0;
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double noise = prng.Range(-1, 1);
        // Two one-pole low-passes: their difference keeps a band of hiss.
        low += brightness * (noise - low);
        band += 0.5 * brightness * (low - band);
        const double envelope = std::fmin(1.0, t * 300) * std::exp(-6 * t / length);
        out[first + i] += gain * envelope * (low - 0.6 * band) * 2.5;
    }
}

void Normalise(std::vector<double>& samples, double peak)
{
    double largest = 1e-9;
    for (double s : samples)
        largest = std::fmax(largest, std::fabs(s));
    for (double& s : samples)
        s *= peak / largest;
}

std::vector<double> MakeSplash(int rate, double seconds, unsigned seed, int bubbles, double splashLength,
                               double brightness, double lowest, double highest)
{
    std::vector<double> out(static_cast<size_t>(seconds * rate) & ~size_t{1}, 0.0);
    CPrng prng(seed);
    AddSplash(out, rate, prng, 0.0, splashLength, brightness, 0.8);
    for (int i = 0; i < bubbles; ++i) {
        const double start = 0.02 + prng.Unit() * (seconds * 0.6);
        const double frequency = prng.Range(lowest, highest);
        AddBubble(out, rate, start, frequency, prng.Range(0.04, 0.09), prng.Range(0.3, 0.7) * (1 - start / seconds));
    }
    // The tail fades to silence so the sound ends without a click.
    for (size_t i = 0; i < out.size(); ++i)
        out[i] *= std::fmin(1.0, (out.size() - i) / (0.02 * rate));
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
    // a low-pass near 500 Hz for the wash of moving water.
    double rumble = 0, rumble2 = 0, wash = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < count; ++i) {
            rumble += 0.08 * (noise[i] - rumble);
            rumble2 += 0.08 * (rumble - rumble2);
            wash += 0.35 * (noise[i] - wash);
            const double t = static_cast<double>(i) / count;
            const double swell = 0.75 + 0.25 * std::sin(2 * M_PI * 2 * t) + 0.1 * std::sin(2 * M_PI * 5 * t + 1);
            const double surge = 0.6 + 0.4 * std::sin(2 * M_PI * 3 * t + 2);
            out[i] = swell * 3 * rumble2 + surge * 0.3 * (wash - rumble);
        }
    }
    for (int i = 0; i < 14; ++i)
        AddBubble(out, rate, prng.Unit() * seconds, prng.Range(300, 900), prng.Range(0.05, 0.12),
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
    // A short, bright plop with a few quick bubbles.
    WriteOutputFile(root, "pack/sound/splash0.wav",
                    EncodeWav(MakeSplash(22050, 0.34, 1, 4, 0.12, 0.35, 500, 1100), high, dither));
    // A deeper splash trailing a long string of bubbles.
    WriteOutputFile(root, "pack/sound/splash2.wav",
                    EncodeWav(MakeSplash(22050, 0.7, 2, 11, 0.2, 0.2, 280, 800), high, dither));
    // A small, soft blip.
    WriteOutputFile(
        root, "pack/sound/splash1.wav",
        EncodeWav(MakeSplash(11025, 0.36, 3, 2, 0.06, 0.5, 700, 1400), low, dither, "Coralux sound generator"));
    WriteOutputFile(root, "pack/sound/main.wav", EncodeWav(MakeAmbience(8100, 10.0), SWaveFormat{8100, 8}, dither));
    return 0;
}
