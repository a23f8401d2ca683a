"""Reads the tune's source text into timed notes, tempo marks and sections.

The language is described at the top of tune.txt and in README.md.
"""

from __future__ import annotations

import re
import shlex
from dataclasses import dataclass, field

PITCH_CLASSES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
ACCIDENTALS = {"": 0, "#": 1, "b": -1}
QUARTERS = {"w": 4.0, "h": 2.0, "q": 1.0, "e": 0.5, "s": 0.25}
DYNAMICS = {"pp": 36, "p": 50, "mp": 64, "mf": 78, "f": 92, "ff": 106}
KEY_SHARPS = {"C": 0, "G": 1, "D": 2, "A": 3, "E": 4, "F": -1, "Bb": -2, "Eb": -3}
TEMPO_PART = "tempo"

PITCH_RE = re.compile(r"([A-G])([#b]?)(-?\d)$")
DURATION_RE = re.compile(r"([whqes])(\.?)(~?)$")
REFERENCE_RE = re.compile(r"@([\w-]+)([+-]\d+)?$")
COMMENT_RE = re.compile(r"(^|\s)#.*$")


class ScoreError(ValueError):
    pass


@dataclass(frozen=True)
class Instrument:
    part: str
    name: str
    channel: int  # 0-15 as sent on the wire
    program: int  # 0-127 as sent on the wire
    volume: int
    pan: int
    reverb: int
    chorus: int


@dataclass(frozen=True)
class Step:
    """One timed thing in a bar: a note, a chord, a rest or a tempo mark."""

    ticks: int
    pitches: tuple[int, ...] = ()
    tied: bool = False
    bpm: float | None = None

    def transposed(self, semitones: int) -> Step:
        return Step(self.ticks, tuple(p + semitones for p in self.pitches), self.tied, self.bpm)


@dataclass(frozen=True)
class Dynamic:
    velocity: int


Bar = tuple  # of Step | Dynamic


@dataclass(frozen=True)
class Note:
    part: str
    start: int
    length: int
    pitch: int
    velocity: int


@dataclass(frozen=True)
class Tempo:
    tick: int
    bpm: float


@dataclass(frozen=True)
class Section:
    name: str
    start: int
    bars: int
    key: str


@dataclass
class Score:
    title: str
    text: str
    meter: tuple[int, int]
    division: int
    instruments: list[Instrument]
    sections: list[Section]
    tempos: list[Tempo]
    notes: list[Note]
    end: int


@dataclass
class _Section:
    name: str
    key: str
    transpose: int
    bpm: float | None
    line: int
    parts: dict[str, list[Bar]] = field(default_factory=dict)


class _Reader:
    def __init__(self, division: int):
        self.division = division
        self.title = ""
        self.text = ""
        self.meter = (4, 4)
        self.instruments: dict[str, Instrument] = {}
        self.phrases: dict[str, list[Bar]] = {}
        self.sections: list[_Section] = []
        self.line = 0

    def fail(self, message: str) -> ScoreError:
        return ScoreError(f"line {self.line}: {message}")

    @property
    def bar_ticks(self) -> int:
        beats, unit = self.meter
        return beats * self.division * 4 // unit

    def read(self, line: int, statement: str) -> None:
        self.line = line
        keyword, _, rest = statement.partition(" ")
        rest = rest.strip()
        if keyword == "title":
            self.title = rest
        elif keyword == "text":
            self.text = rest
        elif keyword == "meter":
            self.read_meter(rest)
        elif keyword == "instrument":
            self.read_instrument(rest)
        elif keyword == "phrase":
            name, bars = self.split_head(rest)
            if name in self.phrases:
                raise self.fail(f"phrase {name!r} is defined twice")
            self.phrases[name] = self.read_bars(bars, tempo_line=False)
        elif keyword == "section":
            self.read_section(rest)
        else:
            self.read_part(statement)

    def split_head(self, statement: str) -> tuple[str, str]:
        head, colon, body = statement.partition(":")
        if not colon or not head.strip():
            raise self.fail(f"expected 'name: bars', got {statement!r}")
        return head.strip(), body

    def read_meter(self, text: str) -> None:
        match = re.fullmatch(r"(\d+)/(1|2|4|8|16)", text)
        if not match:
            raise self.fail(f"bad meter {text!r}")
        self.meter = (int(match[1]), int(match[2]))

    def read_instrument(self, text: str) -> None:
        words = shlex.split(text)
        if not words:
            raise self.fail("instrument needs a part name")
        part = words[0]
        settings = dict(word.partition("=")[::2] for word in words[1:])
        try:
            instrument = Instrument(
                part=part,
                name=settings.pop("name", part),
                channel=self.number(settings.pop("ch"), 1, 16) - 1,
                program=self.number(settings.pop("program"), 1, 128) - 1,
                volume=self.number(settings.pop("volume", "100"), 0, 127),
                pan=self.number(settings.pop("pan", "64"), 0, 127),
                reverb=self.number(settings.pop("reverb", "40"), 0, 127),
                chorus=self.number(settings.pop("chorus", "0"), 0, 127),
            )
        except KeyError as missing:
            raise self.fail(f"instrument {part!r} needs {missing}") from None
        if settings:
            raise self.fail(f"unknown instrument settings {sorted(settings)}")
        if part in self.instruments or part == TEMPO_PART:
            raise self.fail(f"part {part!r} is declared twice or reserved")
        if any(i.channel == instrument.channel for i in self.instruments.values()):
            raise self.fail(f"channel {instrument.channel + 1} is already taken")
        self.instruments[part] = instrument

    def number(self, text: str, low: int, high: int) -> int:
        if not re.fullmatch(r"-?\d+", text) or not low <= int(text) <= high:
            raise self.fail(f"{text!r} is not a number from {low} to {high}")
        return int(text)

    def read_section(self, text: str) -> None:
        words = shlex.split(text)
        if not words:
            raise self.fail("section needs a name")
        settings = dict(word.partition("=")[::2] for word in words[1:])
        key = settings.pop("key", "C")
        if key not in KEY_SHARPS:
            raise self.fail(f"unknown key {key!r}")
        transpose = self.number(settings.pop("transpose", "0"), -24, 24)
        tempo = settings.pop("tempo", None)
        if settings:
            raise self.fail(f"unknown section settings {sorted(settings)}")
        bpm = float(self.number(tempo, 20, 300)) if tempo else None
        self.sections.append(_Section(words[0], key, transpose, bpm, self.line))

    def read_part(self, statement: str) -> None:
        part, bars = self.split_head(statement)
        if part != TEMPO_PART and part not in self.instruments:
            raise self.fail(f"unknown part {part!r}")
        if not self.sections:
            raise self.fail(f"part {part!r} comes before any section")
        section = self.sections[-1]
        if part in section.parts:
            raise self.fail(f"part {part!r} appears twice in section {section.name!r}")
        parsed = self.read_bars(bars, tempo_line=part == TEMPO_PART)
        section.parts[part] = [transpose(bar, section.transpose) for bar in parsed]

    def read_bars(self, text: str, tempo_line: bool) -> list[Bar]:
        bars: list[Bar] = []
        for piece in text.split("|"):
            if piece.strip():
                bars.extend(self.read_bar(piece.split(), tempo_line))
        return bars

    def read_bar(self, tokens: list[str], tempo_line: bool) -> list[Bar]:
        repeat = 1
        if tokens[-1].startswith("*"):
            repeat = self.number(tokens.pop()[1:], 1, 999)
        if not tokens:
            raise self.fail("a repeated bar needs contents")
        if tokens[-1].startswith("@"):
            return self.reference(tokens[:-1], tokens[-1]) * repeat
        items: list[Step | Dynamic] = []
        words = iter(tokens)
        for word in words:
            if word in DYNAMICS and not tempo_line:
                items.append(Dynamic(DYNAMICS[word]))
                continue
            duration = next(words, None)
            if duration is None:
                raise self.fail(f"{word!r} has no duration")
            items.append(self.step(word, duration, tempo_line))
        length = sum(item.ticks for item in items if isinstance(item, Step))
        if length != self.bar_ticks:
            raise self.fail(
                f"bar '{' '.join(tokens)}' lasts {length} ticks, a bar has {self.bar_ticks}"
            )
        return [tuple(items)] * repeat

    def reference(self, dynamics: list[str], token: str) -> list[Bar]:
        """A phrase's bars, optionally transposed and preceded by dynamics."""
        match = REFERENCE_RE.match(token)
        if not match or match[1] not in self.phrases:
            raise self.fail(f"unknown phrase {token!r}")
        if any(word not in DYNAMICS for word in dynamics):
            raise self.fail(f"only dynamics may stand before {token!r}")
        bars = [transpose(bar, int(match[2] or 0)) for bar in self.phrases[match[1]]]
        bars[0] = tuple(Dynamic(DYNAMICS[word]) for word in dynamics) + bars[0]
        return bars

    def step(self, word: str, duration: str, tempo_line: bool) -> Step:
        match = DURATION_RE.match(duration)
        if not match:
            raise self.fail(f"bad duration {duration!r} after {word!r}")
        quarters = QUARTERS[match[1]] * (1.5 if match[2] else 1.0)
        ticks = round(quarters * self.division)
        tied = bool(match[3])
        if word == "r":
            if tied:
                raise self.fail("a rest cannot be tied")
            return Step(ticks)
        if tempo_line:
            if not re.fullmatch(r"\d+(\.\d+)?", word) or tied:
                raise self.fail(f"tempo lines hold beats per minute, not {word!r}")
            return Step(ticks, bpm=float(word))
        return Step(ticks, tuple(self.pitch(name) for name in word.split("+")), tied)

    def pitch(self, name: str) -> int:
        match = PITCH_RE.match(name)
        if not match:
            raise self.fail(f"bad note name {name!r}")
        number = 12 * (int(match[3]) + 1) + PITCH_CLASSES[match[1]] + ACCIDENTALS[match[2]]
        if not 0 <= number <= 127:
            raise self.fail(f"note {name!r} is outside MIDI range")
        return number


def transpose(bar: Bar, semitones: int) -> Bar:
    if semitones == 0:
        return bar
    return tuple(i.transposed(semitones) if isinstance(i, Step) else i for i in bar)


def midi_pitch(name: str) -> int:
    """MIDI number of a note name such as 'F#3' (C4 = 60)."""
    return _Reader(480).pitch(name)


def statements(text: str):
    """Yields (line number, statement); indented lines continue the one above."""
    current: list = []
    for number, raw in enumerate(text.splitlines(), 1):
        line = COMMENT_RE.sub("", raw).rstrip()
        if not line.strip():
            continue
        if line[0].isspace() and current:
            current[1] += " " + line.strip()
            continue
        if current:
            yield tuple(current)
        current = [number, line.strip()]
    if current:
        yield tuple(current)


def parse_score(text: str, division: int = 480) -> Score:
    reader = _Reader(division)
    for line, statement in statements(text):
        reader.read(line, statement)
    if not reader.sections:
        raise ScoreError("the tune has no sections")
    return _lay_out(reader)


def _lay_out(reader: _Reader) -> Score:
    sections, tempos = [], []
    streams: dict[str, list[Bar]] = {part: [] for part in reader.instruments}
    tick = 0
    rest_bar = (Step(reader.bar_ticks),)
    for section in reader.sections:
        counts = {part: len(bars) for part, bars in section.parts.items()}
        if len(set(counts.values())) != 1:
            raise ScoreError(f"line {section.line}: section {section.name!r} has parts "
                             f"of different lengths {counts}")
        bars = next(iter(counts.values()))
        sections.append(Section(section.name, tick, bars, section.key))
        if section.bpm:
            tempos.append(Tempo(tick, section.bpm))
        tempos.extend(_tempo_marks(section.parts.get(TEMPO_PART, []), tick))
        for part, stream in streams.items():
            stream.extend(section.parts.get(part, [rest_bar] * bars))
        tick += bars * reader.bar_ticks
    if not tempos or tempos[0].tick != 0:
        raise ScoreError("the first section needs a tempo")
    notes = []
    for part, stream in streams.items():
        notes.extend(_perform(part, stream, reader))
    notes.sort(key=lambda n: (n.start, reader.instruments[n.part].channel, n.pitch))
    return Score(reader.title, reader.text, reader.meter, reader.division,
                 list(reader.instruments.values()), sections, tempos, notes, tick)


def _tempo_marks(bars: list[Bar], tick: int) -> list[Tempo]:
    marks = []
    for step in (item for bar in bars for item in bar):
        if step.bpm is not None:
            marks.append(Tempo(tick, step.bpm))
        tick += step.ticks
    return marks


def _perform(part: str, bars: list[Bar], reader: _Reader) -> list[Note]:
    """Turns a part's bars into notes, joining ties and accenting strong beats."""
    notes: list[Note] = []
    velocity = DYNAMICS["mf"]
    held: dict[int, tuple[int, int]] = {}  # tied pitch -> (start, velocity)
    tick = 0
    for number, bar in enumerate(bars, 1):
        for item in bar:
            if isinstance(item, Dynamic):
                velocity = item.velocity
                continue
            broken = set(held) - set(item.pitches)
            if broken:
                raise ScoreError(f"part {part!r} bar {number}: tie is not continued")
            for pitch in item.pitches:
                start, struck = held.pop(pitch, (tick, _accent(velocity, tick, reader)))
                if item.tied:
                    held[pitch] = (start, struck)
                else:
                    notes.append(Note(part, start, tick + item.ticks - start, pitch, struck))
            tick += item.ticks
    if held:
        raise ScoreError(f"part {part!r}: the tune ends inside a tie")
    return notes


def _accent(velocity: int, tick: int, reader: _Reader) -> int:
    """Downbeats a little louder, off-beat notes a little softer."""
    bar, beat = reader.bar_ticks, reader.division * 4 // reader.meter[1]
    position = tick % bar
    if position == 0:
        velocity += 6
    elif position % (bar // 2) == 0 and reader.meter[0] % 2 == 0:
        velocity += 3
    elif position % beat:
        velocity -= 4
    return max(1, min(127, velocity))
