"""Standard MIDI File bytes: the messages and chunks the tune needs, and a reader."""

from __future__ import annotations

import struct
from dataclasses import dataclass

META = 0xFF
META_TEXT, META_TRACK_NAME, META_MARKER = 0x01, 0x03, 0x06
META_END_OF_TRACK, META_TEMPO = 0x2F, 0x51
META_TIME_SIGNATURE, META_KEY_SIGNATURE = 0x58, 0x59

NOTE_OFF, NOTE_ON, CONTROL, PROGRAM = 0x80, 0x90, 0xB0, 0xC0
CC_VOLUME, CC_PAN, CC_REVERB, CC_CHORUS, CC_RESET_ALL = 7, 10, 91, 93, 121


class MidiError(ValueError):
    pass


def varlen(value: int) -> bytes:
    """Variable-length quantity: 7 bits a byte, most significant first."""
    if not 0 <= value <= 0x0FFFFFFF:
        raise MidiError(f"{value} does not fit a variable-length quantity")
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def meta(kind: int, payload: bytes) -> bytes:
    return bytes([META, kind]) + varlen(len(payload)) + payload


def text_meta(kind: int, text: str) -> bytes:
    return meta(kind, text.encode("ascii"))


def tempo_meta(bpm: float) -> bytes:
    return meta(META_TEMPO, round(60_000_000 / bpm).to_bytes(3, "big"))


def time_signature_meta(beats: int, unit: int) -> bytes:
    # 24 MIDI clocks per metronome click, 8 thirty-seconds per quarter.
    return meta(META_TIME_SIGNATURE, bytes([beats, unit.bit_length() - 1, 24, 8]))


def key_signature_meta(sharps: int) -> bytes:
    return meta(META_KEY_SIGNATURE, struct.pack("bB", sharps, 0))


def note_on(channel: int, pitch: int, velocity: int) -> bytes:
    return bytes([NOTE_ON | channel, pitch, velocity])


def note_off(channel: int, pitch: int) -> bytes:
    return bytes([NOTE_OFF | channel, pitch, 64])


def control(channel: int, controller: int, value: int) -> bytes:
    return bytes([CONTROL | channel, controller, value])


def program(channel: int, number: int) -> bytes:
    return bytes([PROGRAM | channel, number])


def track_chunk(events: list[tuple[int, bytes]], end: int) -> bytes:
    """An MTrk chunk of (tick, message) pairs in order, closed at tick `end`."""
    body = bytearray()
    last = 0
    for tick, message in events:
        if tick < last or tick > end:
            raise MidiError(f"event at tick {tick} is out of order")
        body += varlen(tick - last) + message
        last = tick
    body += varlen(end - last) + meta(META_END_OF_TRACK, b"")
    return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def midi_file(division: int, tracks: list[bytes]) -> bytes:
    """A format-1 file: the first track is the conductor, the others play."""
    return b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), division) + b"".join(tracks)


@dataclass(frozen=True)
class Message:
    tick: int
    status: int  # channel status byte, 0xFF for meta, 0xF0/0xF7 for SysEx
    data: bytes  # channel data bytes, or the meta/SysEx payload
    meta_kind: int | None = None

    @property
    def kind(self) -> int:
        return self.status & 0xF0

    @property
    def channel(self) -> int:
        return self.status & 0x0F


@dataclass
class MidiFile:
    format: int
    division: int
    tracks: list[list[Message]]


def read_varlen(data: bytes, pos: int) -> tuple[int, int]:
    value = 0
    for _ in range(4):
        if pos >= len(data):
            raise MidiError("file ends inside a variable-length quantity")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos
    raise MidiError("variable-length quantity longer than 4 bytes")


def read_midi(data: bytes) -> MidiFile:
    if data[:4] != b"MThd" or len(data) < 14:
        raise MidiError("not a Standard MIDI File")
    length, fmt, count, division = struct.unpack(">IHHH", data[4:14])
    if length < 6 or division & 0x8000:
        raise MidiError("unsupported header")
    pos = 8 + length
    tracks = []
    while len(tracks) < count:
        if pos + 8 > len(data):
            raise MidiError(f"file ends after {len(tracks)} of {count} tracks")
        tag, size = data[pos:pos + 4], struct.unpack(">I", data[pos + 4:pos + 8])[0]
        chunk = data[pos + 8:pos + 8 + size]
        if len(chunk) != size:
            raise MidiError("truncated chunk")
        if tag == b"MTrk":
            tracks.append(_read_track(chunk))
        pos += 8 + size
    return MidiFile(fmt, division, tracks)


def _read_track(chunk: bytes) -> list[Message]:
    messages: list[Message] = []
    pos = tick = 0
    running = None
    while pos < len(chunk):
        delta, pos = read_varlen(chunk, pos)
        tick += delta
        if pos >= len(chunk):
            raise MidiError("track ends after a delta time")
        status = chunk[pos]
        if status == META:
            kind = _take(chunk, pos + 1, 1)[0]
            size, pos = read_varlen(chunk, pos + 2)
            messages.append(Message(tick, META, _take(chunk, pos, size), kind))
            pos += size
            if kind == META_END_OF_TRACK:
                break
            continue
        if status in (0xF0, 0xF7):
            size, pos = read_varlen(chunk, pos + 1)
            messages.append(Message(tick, status, _take(chunk, pos, size)))
            pos += size
            continue
        if status & 0x80:
            running = status
            pos += 1
        elif running is None:
            raise MidiError("data byte without a status")
        size = 1 if running & 0xF0 in (0xC0, 0xD0) else 2
        messages.append(Message(tick, running, _take(chunk, pos, size)))
        pos += size
    if not messages or messages[-1].meta_kind != META_END_OF_TRACK:
        raise MidiError("track has no end-of-track event")
    return messages


def _take(chunk: bytes, pos: int, size: int) -> bytes:
    if pos + size > len(chunk):
        raise MidiError("track ends inside a message")
    return chunk[pos:pos + size]
