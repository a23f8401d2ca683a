"""Writes tune.mid from tune.txt: a conductor track plus one track per instrument.

Usage: make_tune.py [--source tune.txt] [--output tune.mid] [--check]
The output depends on the source only, so a rerun gives the same bytes.
"""

from __future__ import annotations

import argparse
import sys
from pathlib import Path

import check_tune
import smf
from score import KEY_SHARPS, Instrument, Score, parse_score

HERE = Path(__file__).resolve().parent

# Within one tick: set-up first, then releases, then new notes, so that a
# repeated pitch is let go before it is struck again.
SETUP, RELEASE, STRIKE = 0, 1, 2


def conductor_track(score: Score) -> bytes:
    events = [(0, smf.text_meta(smf.META_TRACK_NAME, score.title)),
              (0, smf.text_meta(smf.META_TEXT, score.text)),
              (0, smf.time_signature_meta(*score.meter))]
    for section in score.sections:
        events.append((section.start, smf.key_signature_meta(KEY_SHARPS[section.key])))
        events.append((section.start, smf.text_meta(smf.META_MARKER, section.name)))
    marks = [(tempo.tick, smf.tempo_meta(tempo.bpm)) for tempo in score.tempos]
    ordered = sorted(events + marks, key=lambda event: event[0])  # stable: keeps meta order
    return smf.track_chunk(ordered, score.end)


def instrument_track(score: Score, instrument: Instrument) -> bytes:
    ch = instrument.channel
    setup = [smf.text_meta(smf.META_TRACK_NAME, instrument.name),
             smf.control(ch, smf.CC_RESET_ALL, 0),
             smf.program(ch, instrument.program),
             smf.control(ch, smf.CC_VOLUME, instrument.volume),
             smf.control(ch, smf.CC_PAN, instrument.pan),
             smf.control(ch, smf.CC_REVERB, instrument.reverb),
             smf.control(ch, smf.CC_CHORUS, instrument.chorus)]
    events = [(0, SETUP, order, message) for order, message in enumerate(setup)]
    for note in (n for n in score.notes if n.part == instrument.part):
        events.append((note.start, STRIKE, note.pitch, smf.note_on(ch, note.pitch, note.velocity)))
        events.append((note.start + note.length, RELEASE, note.pitch, smf.note_off(ch, note.pitch)))
    events.sort(key=lambda event: event[:3])
    return smf.track_chunk([(tick, message) for tick, _, _, message in events], score.end)


def tune_bytes(score: Score) -> bytes:
    tracks = [conductor_track(score)]
    tracks += [instrument_track(score, instrument) for instrument in score.instruments]
    return smf.midi_file(score.division, tracks)


def build(source: Path) -> tuple[Score, bytes]:
    score = parse_score(source.read_text(encoding="utf-8"), check_tune.DIVISION)
    return score, tune_bytes(score)


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=Path, default=HERE / "tune.txt")
    parser.add_argument("--output", type=Path, default=HERE / "tune.mid")
    parser.add_argument("--check", action="store_true",
                        help="read the written file back and report problems")
    args = parser.parse_args(argv)
    score, data = build(args.source)
    args.output.write_bytes(data)
    if not args.check:
        return 0
    issues = check_tune.check_file(args.output, expected_tracks=len(score.instruments) + 1)
    for issue in issues:
        print(f"problem: {issue}", file=sys.stderr)
    return 1 if issues else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
