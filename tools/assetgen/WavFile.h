#pragma once
// Canonical 44-byte PCM WAV files: "RIFF", a 16-byte "fmt " chunk, the "data"
// chunk, and optionally an INFO "LIST" chunk after the data. Samples are in
// [-1, 1]; 8-bit files store them unsigned (128 = silence), 16-bit signed.
#include <string>
#include <vector>

#include "Bytes.h"
#include "Prng.h"

struct SWaveFormat
{
    int rate = 22050;
    int bits = 16;
};

// The dither noise comes from prng, so the file is the same on every run.
CBytes EncodeWav(const std::vector<double>& samples, const SWaveFormat& format, CPrng& prng,
                 const std::string& softwareNote = "");
