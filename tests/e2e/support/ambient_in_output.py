#!/usr/bin/env python3
"""Tells whether raw 16-bit stereo output holds the ambient loop.

usage: ambient_in_output.py [--recorded] OUTPUT.raw OUTPUT_RATE AMBIENT.wav

The mixer starts the loop at an output frame boundary and reads it with
linear interpolation, so from its first sounding frame on the output must
follow the WAV read that way. Splashes on top only lower the match a little.
Prints the correlation and the seconds compared; exits 1 below 0.9.

--recorded: a recording of a sound server, which starts anywhere in the loop
and has gaps of silence where the stream ran dry (on a loaded machine). Each
tenth of a second between gaps must match the loop read that way somewhere
(found by cross-correlation, with numpy); 80 % of them must reach 0.9.
Prints the median correlation.
"""
import array
import math
import sys
import wave


def read_output(path):
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder == "big":
        samples.byteswap()
    return [(samples[i] + samples[i + 1]) / 65536.0 for i in range(0, len(samples) - 1, 2)]


def read_ambient(path):
    with wave.open(path, "rb") as w:
        assert w.getsampwidth() == 1 and w.getnchannels() == 1
        return w.getframerate(), [(b - 128) / 128.0 for b in w.readframes(w.getnframes())]


def expected(ambient, step, frames):
    count = len(ambient)
    out = []
    for j in range(frames):
        position = (j * step) % count
        at = int(position)
        fraction = position - at
        a, b = ambient[at], ambient[(at + 1) % count]
        out.append(a + (b - a) * fraction)
    return out


def correlation(x, y):
    sxy = sum(a * b for a, b in zip(x, y))
    sxx = sum(a * a for a in x)
    syy = sum(b * b for b in y)
    return sxy / math.sqrt(sxx * syy) if sxx > 0 and syy > 0 else 0.0


# A stream that runs dry leaves at least this many frames of exact silence;
# the loop itself never holds more than a few silent samples in a row.
GAP_FRAMES = 64


def sounding_spans(signal):
    """The stretches of the recording between gaps of silence."""
    import numpy

    silent = numpy.concatenate(([False], signal == 0, [False]))
    edges = numpy.flatnonzero(silent[1:] != silent[:-1])
    gaps = [(a, b) for a, b in zip(edges[0::2], edges[1::2]) if b - a >= GAP_FRAMES]
    start = 0
    for a, b in gaps:
        if a > start:
            yield start, a
        start = b
    if start < len(signal):
        yield start, len(signal)


def recorded_match(output, rate, ambient_rate, ambient):
    import numpy

    step = ambient_rate / rate
    loop = numpy.array(expected(ambient, step, round(len(ambient) / step)))
    spectrum = numpy.fft.rfft(loop)
    # A running sum of squares gives each stretch of the loop its energy.
    energy = numpy.concatenate(([0.0], numpy.cumsum(numpy.concatenate((loop, loop)) ** 2)))
    chunk = rate // 10
    signal = numpy.array(output)
    scores = []
    for first, last in sounding_spans(signal):
        for start in range(first, last - chunk + 1, chunk):
            piece = signal[start:start + chunk]
            padded = numpy.zeros(len(loop))
            padded[:chunk] = piece
            # Circular cross-correlation: the piece against every place in the loop.
            correlations = numpy.fft.irfft(numpy.conj(numpy.fft.rfft(padded)) * spectrum, len(loop))
            at = int(numpy.argmax(correlations))
            norm = numpy.sqrt(numpy.sum(piece ** 2) * (energy[at + chunk] - energy[at]))
            scores.append(correlations[at] / norm if norm > 0 else 0.0)
    if not scores:
        print("the recording is silent")
        return 1
    good = sum(1 for score in scores if score >= 0.9)
    print("median correlation %.3f over %.1f s, %d of %d tenths at 0.9" %
          (float(numpy.median(scores)), len(scores) / 10, good, len(scores)))
    return 0 if good >= 0.8 * len(scores) else 1


def main():
    recorded = sys.argv[1] == "--recorded"
    if recorded:
        del sys.argv[1]
    output = read_output(sys.argv[1])
    rate = int(sys.argv[2])
    ambient_rate, ambient = read_ambient(sys.argv[3])
    if recorded:
        return recorded_match(output, rate, ambient_rate, ambient)
    first = next((i for i, s in enumerate(output) if s != 0.0), None)
    if first is None:
        print("the output is silent")
        return 1
    step = ambient_rate / rate
    length = len(output) - first
    reference = expected(ambient, step, length)
    # The loop may begin with a few samples that round to silence.
    start = max(range(max(0, first - 64), first + 1),
                key=lambda s: correlation(output[s:s + rate // 2], reference[: rate // 2]))
    whole = correlation(output[start:], reference[: len(output) - start])
    print("correlation %.3f over %.1f s" % (whole, (len(output) - start) / rate))
    return 0 if whole >= 0.9 else 1


if __name__ == "__main__":
    sys.exit(main())
