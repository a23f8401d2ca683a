"""Reads a written tune back and lists what is wrong with it for the card.

Usage: check_tune.py [tune.mid]   (exit status 1 when a problem is found)
"""

from __future__ import annotations

import sys
from dataclasses import dataclass, field
from pathlib import Path

import smf

DIVISION = 480
SHORTEST_SECONDS, LONGEST_SECONDS = 70.0, 80.0
MIN_PLAYING_TRACKS = 4  # melody, harmony, bass, bells
CHANNEL_SETUP = ("program", "volume", "pan", "reverb")
SETUP_CONTROLLERS = {smf.CC_VOLUME: "volume", smf.CC_PAN: "pan", smf.CC_REVERB: "reverb"}
DEFAULT_TEMPO_US = 500_000  # 120 beats per minute until the first tempo event


@dataclass(frozen=True)
class Sounding:
    channel: int
    pitch: int
    start: int
    end: int
    velocity: int


@dataclass
class TuneFacts:
    format: int
    division: int
    track_names: list[str]
    track_channels: list[set[int]]
    notes: list[Sounding]
    unmatched: list[str]
    end_tick: int
    seconds: float
    setup: dict[int, set[str]] = field(default_factory=dict)  # before each channel's first note


def tempo_map(midi: smf.MidiFile) -> list[tuple[int, int]]:
    """(tick, microseconds per quarter) of every tempo event, in order."""
    changes = [(m.tick, int.from_bytes(m.data, "big")) for track in midi.tracks for m in track
               if m.meta_kind == smf.META_TEMPO]
    return sorted(changes, key=lambda change: change[0])


def seconds_at(tick: int, tempos: list[tuple[int, int]], division: int) -> float:
    seconds, last_tick, tempo = 0.0, 0, DEFAULT_TEMPO_US
    for change_tick, change_tempo in tempos:
        if change_tick >= tick:
            break
        seconds += (change_tick - last_tick) * tempo / division / 1e6
        last_tick, tempo = change_tick, change_tempo
    return seconds + (tick - last_tick) * tempo / division / 1e6


def facts(midi: smf.MidiFile) -> TuneFacts:
    notes, unmatched = [], []
    setup: dict[int, set[str]] = {}
    names, channels = [], []
    for index, track in enumerate(midi.tracks):
        names.append(next((m.data.decode("latin-1") for m in track
                           if m.meta_kind == smf.META_TRACK_NAME), ""))
        channels.append({m.channel for m in track if m.status < 0xF0})
        _pair_notes(index, track, notes, unmatched)
        _record_setup(track, setup)
    end = max((track[-1].tick for track in midi.tracks if track), default=0)
    return TuneFacts(midi.format, midi.division, names, channels, notes, unmatched, end,
                     seconds_at(end, tempo_map(midi), midi.division), setup)


def _pair_notes(index: int, track, notes: list[Sounding], unmatched: list[str]) -> None:
    sounding: dict[tuple[int, int], tuple[int, int]] = {}
    for m in track:
        if m.kind not in (smf.NOTE_ON, smf.NOTE_OFF):
            continue
        key = (m.channel, m.data[0])
        if m.kind == smf.NOTE_ON and m.data[1] > 0:
            if key in sounding:
                unmatched.append(f"track {index}: note {key[1]} struck again at {m.tick}")
            sounding[key] = (m.tick, m.data[1])
        elif key in sounding:
            start, velocity = sounding.pop(key)
            notes.append(Sounding(key[0], key[1], start, m.tick, velocity))
        else:
            unmatched.append(f"track {index}: note-off of {key[1]} at {m.tick} without a note-on")
    unmatched.extend(f"track {index}: note {pitch} on channel {channel + 1} never ends"
                     for channel, pitch in sounding)


def _record_setup(track, setup: dict[int, set[str]]) -> None:
    started: set[int] = set()
    for m in track:
        if m.status >= 0xF0:
            continue
        if m.kind == smf.NOTE_ON:
            started.add(m.channel)
        elif m.channel not in started:
            seen = setup.setdefault(m.channel, set())
            if m.kind == smf.PROGRAM:
                seen.add("program")
            elif m.kind == smf.CONTROL and m.data[0] in SETUP_CONTROLLERS:
                seen.add(SETUP_CONTROLLERS[m.data[0]])


def problems(found: TuneFacts, expected_tracks: int | None = None) -> list[str]:
    issues = []
    if found.format != 1:
        issues.append(f"format {found.format}, expected 1")
    if found.division != DIVISION:
        issues.append(f"division {found.division}, expected {DIVISION}")
    if expected_tracks is not None and len(found.track_names) != expected_tracks:
        issues.append(f"{len(found.track_names)} tracks, expected {expected_tracks}")
    issues.extend(_track_layout_problems(found))
    issues.extend(found.unmatched)
    if not SHORTEST_SECONDS <= found.seconds <= LONGEST_SECONDS:
        issues.append(f"lasts {found.seconds:.1f} s, expected "
                      f"{SHORTEST_SECONDS:.0f} to {LONGEST_SECONDS:.0f} s")
    return issues


def _track_layout_problems(found: TuneFacts) -> list[str]:
    issues = []
    if found.track_channels and found.track_channels[0]:
        issues.append("the first track is not a pure conductor track")
    playing = found.track_channels[1:]
    if len(playing) < MIN_PLAYING_TRACKS:
        issues.append(f"only {len(playing)} playing tracks")
    for index, channels in enumerate(playing, 1):
        if len(channels) != 1:
            issues.append(f"track {index} uses channels {sorted(channels)}, expected one")
    used = [channel for channels in playing for channel in channels]
    if len(used) != len(set(used)):
        issues.append("two tracks share a channel")
    for channel in sorted(set(used)):
        missing = set(CHANNEL_SETUP) - found.setup.get(channel, set())
        if missing:
            issues.append(f"channel {channel + 1} lacks {sorted(missing)} before its first note")
    return issues


def summary(found: TuneFacts, size: int) -> str:
    lines = [f"format {found.format}, division {found.division}, {len(found.track_names)} "
             f"tracks, {len(found.notes)} notes, {found.seconds:.2f} s, {size} bytes"]
    for index, (name, channels) in enumerate(zip(found.track_names, found.track_channels)):
        where = f"channel {min(channels) + 1}" if channels else "conductor"
        lines.append(f"  track {index}: {name} ({where})")
    return "\n".join(lines)


def check_file(path: Path, expected_tracks: int | None = None) -> list[str]:
    data = path.read_bytes()
    found = facts(smf.read_midi(data))
    print(summary(found, len(data)))
    return problems(found, expected_tracks)


def main(argv: list[str]) -> int:
    path = Path(argv[1]) if len(argv) > 1 else Path(__file__).with_name("tune.mid")
    issues = check_file(path)
    for issue in issues:
        print(f"problem: {issue}", file=sys.stderr)
    return 1 if issues else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
