#include "WavFile.h"

#include <algorithm>
#include <cmath>

namespace {

int Quantise(double sample, int levels, double dither)
{
    const double half = levels / 2.0;
    const long value = std::lround(sample * (half - 1) + dither);
    return static_cast<int>(std::clamp<long>(value, static_cast<long>(-half), static_cast<long>(half - 1)));
}

CBytes EncodeInfoList(const std::string& note)
{
    CBytes text;
    text.PutText(note);
    text.PutU8(0);
    if (text.GetSize() % 2)
        text.PutU8(0);
    CBytes list;
    list.PutText("LIST");
    list.PutU32(static_cast<uint32_t>(4 + 8 + text.GetSize()));
    list.PutText("INFO");
    list.PutText("ISFT");
    list.PutU32(static_cast<uint32_t>(text.GetSize()));
    list.Append(text);
    return list;
}

}  // namespace

CBytes EncodeWav(const std::vector<double>& samples, const SWaveFormat& format, CPrng& prng,
                 const std::string& softwareNote)
{
    const int bytesPerSample = format.bits / 8;
    CBytes data;
    for (double sample : samples) {
        // Triangular dither of one step keeps quiet passages from buzzing.
        const double dither = prng.Unit() - prng.Unit();
        if (format.bits == 8)
            data.PutU8(static_cast<uint32_t>(Quantise(sample, 256, dither) + 128));
        else
            data.PutU16(static_cast<uint32_t>(Quantise(sample, 65536, dither)) & 0xFFFF);
    }
    if (data.GetSize() % 2)
        data.PutU8(format.bits == 8 ? 128 : 0);

    const CBytes list = softwareNote.empty() ? CBytes() : EncodeInfoList(softwareNote);
    CBytes out;
    out.PutText("RIFF");
    out.PutU32(static_cast<uint32_t>(4 + 24 + 8 + data.GetSize() + list.GetSize()));
    out.PutText("WAVEfmt ");
    out.PutU32(16);
    out.PutU16(1);  // PCM
    out.PutU16(1);  // mono
    out.PutU32(format.rate);
    out.PutU32(format.rate * bytesPerSample);
    out.PutU16(bytesPerSample);
    out.PutU16(format.bits);
    out.PutText("data");
    out.PutU32(static_cast<uint32_t>(data.GetSize()));
    out.Append(data);
    out.Append(list);
    return out;
}
