#!/usr/bin/env python3
"""Tells whether a sound server's recording of the ambient loop goes on
where it stopped across a rest of the show.

usage: loop_across_rest.py RECORDING.raw RATE AMBIENT.wav MIN_REST_SECONDS

The rest is the longest run of silence with sound on both sides; it must
last MIN_REST_SECONDS. The loop's place right after it must follow its place
right before it (found by cross-correlation), having moved on by no more
than the fade and one mixing chunk. Near the rest's two edges no step from
one sample to the next may be larger than the loop's own largest step: a
sound cut off or started mid-wave would click. Prints what it measured;
exits 1 when any of this fails.
"""
import sys

import numpy

from ambient_in_output import expected, read_ambient, read_output

PIECE_SECONDS = 0.1
# The fade-out (10 ms) and the chunk the mixer was in when it reached silence
# (256 frames), with room for rounding.
LARGEST_SKIP_SECONDS = 0.03
EDGE_SECONDS = 0.02


def silent_runs(signal):
    silent = numpy.concatenate(([False], signal == 0, [False]))
    edges = numpy.flatnonzero(silent[1:] != silent[:-1])
    return list(zip(edges[0::2], edges[1::2]))


def locate(piece, loop):
    """The piece's place in the loop, and how well it matches there."""
    padded = numpy.zeros(len(loop))
    padded[: len(piece)] = piece
    correlations = numpy.fft.irfft(numpy.conj(numpy.fft.rfft(padded)) * numpy.fft.rfft(loop), len(loop))
    at = int(numpy.argmax(correlations))
    stretch = numpy.take(loop, range(at, at + len(piece)), mode="wrap")
    norm = numpy.sqrt(numpy.sum(piece ** 2) * numpy.sum(stretch ** 2))
    return at, (correlations[at] / norm if norm > 0 else 0.0)


def main():
    signal = numpy.array(read_output(sys.argv[1]))
    rate = int(sys.argv[2])
    ambient_rate, ambient = read_ambient(sys.argv[3])
    shortest_rest = float(sys.argv[4])
    step = ambient_rate / rate
    loop = numpy.array(expected(ambient, step, round(len(ambient) / step)))

    inner = [(a, b) for a, b in silent_runs(signal) if a > 0 and b < len(signal)]
    if not inner:
        print("no rest with sound on both sides")
        return 1
    start, end = max(inner, key=lambda run: run[1] - run[0])
    rest = (end - start) / rate
    piece = int(PIECE_SECONDS * rate)
    if rest < shortest_rest or start < piece or end + piece > len(signal):
        print("the longest rest lasts %.2f s, with %.2f s before it" % (rest, start / rate))
        return 1
    before, fit_before = locate(signal[start - piece:start], loop)
    after, fit_after = locate(signal[end:end + piece], loop)
    skip = (after - (before + piece)) % len(loop)
    if skip > len(loop) // 2:
        skip -= len(loop)
    edge = int(EDGE_SECONDS * rate)
    largest_step = numpy.max(numpy.abs(numpy.diff(numpy.concatenate((loop, loop[:1])))))
    edge_steps = max(numpy.max(numpy.abs(numpy.diff(signal[start - edge:start + 1]))),
                     numpy.max(numpy.abs(numpy.diff(signal[end - 1:end + edge]))))
    print("rest %.2f s; loop matched %.2f before and %.2f after; moved on %.1f ms across it; "
          "largest step at its edges %.4f, in the loop %.4f" %
          (rest, fit_before, fit_after, 1000 * skip / rate, edge_steps, largest_step))
    matched = fit_before >= 0.8 and fit_after >= 0.8
    resumed_in_place = 0 <= skip <= LARGEST_SKIP_SECONDS * rate
    return 0 if matched and resumed_in_place and edge_steps <= largest_step else 1


if __name__ == "__main__":
    sys.exit(main())
