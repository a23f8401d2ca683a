"""Tests of the tune's source language, its MIDI bytes, the checker and the tune itself.

Run: python3 -m unittest discover -s resources/music
"""

import array
import math
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import wave
from pathlib import Path

import check_tune
import make_tune
import smf
from score import PITCH_CLASSES, ScoreError, midi_pitch, parse_score

HERE = Path(__file__).resolve().parent
SOUNDFONT = Path("/usr/share/sounds/sf2/TimGM6mb.sf2")

HEADER = """
meter 4/4
instrument lead ch=1 program=74
instrument low  ch=2 program=44
"""


def tune(body: str):
    return parse_score(HEADER + body)


def notes_of(score, part):
    return sorted((n for n in score.notes if n.part == part), key=lambda n: n.start)


class SourceLanguageTest(unittest.TestCase):
    def test_note_names_follow_midi_numbering(self):
        self.assertEqual([midi_pitch(n) for n in ("C4", "A4", "F#3", "Bb2", "C-1", "G9")],
                         [60, 69, 54, 46, 0, 127])
        for bad in ("H4", "G#9", "C"):
            with self.subTest(bad), self.assertRaises(ScoreError):
                midi_pitch(bad)

    def test_a_short_bar_is_reported_with_its_line(self):
        with self.assertRaisesRegex(ScoreError, r"^line 6: bar 'C4 h\.' lasts 1440 ticks"):
            tune("section A tempo=100\nlead: C4 h. | C4 w\n")

    def test_a_tie_joins_notes_across_bars_and_sections(self):
        score = tune("section A tempo=100\nlead: r h C4 h~\n"
                     "section B tempo=90\nlead: C4 q~ C4 q r h\n")
        self.assertEqual([(n.start, n.length, n.pitch) for n in notes_of(score, "lead")],
                         [(960, 1920, 60)])

    def test_a_tie_must_go_on_to_the_same_pitch(self):
        for body in ("lead: C4 h~ D4 h\n", "lead: C4 h~ r h\n", "lead: C4 w~\n"):
            with self.subTest(body), self.assertRaisesRegex(ScoreError, "tie"):
                tune("section A tempo=100\n" + body)

    def test_phrase_and_section_transpositions_add_up(self):
        score = tune("phrase p: C4 h E4 h\nsection A transpose=2 tempo=100\nlead: mp @p+12\n")
        self.assertEqual([n.pitch for n in notes_of(score, "lead")], [74, 78])

    def test_repeats_and_missing_parts_rest_for_whole_bars(self):
        score = tune("section A tempo=100\nlead: r w *3 | C4 w\n"
                     "section B tempo=100\nlow: C2 w\n")
        self.assertEqual(score.end, 5 * 1920)
        self.assertEqual([n.start for n in notes_of(score, "lead")], [3 * 1920])
        self.assertEqual([n.start for n in notes_of(score, "low")], [4 * 1920])

    def test_parts_of_one_section_must_be_equally_long(self):
        with self.assertRaisesRegex(ScoreError, "different lengths"):
            tune("section A tempo=100\nlead: C4 w | C4 w\nlow: C2 w\n")

    def test_dynamics_and_beats_shape_velocity(self):
        score = tune("section A tempo=100\nlead: p C4 q C4 q C4 e C4 e mf C4 q\n")
        downbeat, beat, offbeat_beat, offbeat, loud = [n.velocity for n in notes_of(score, "lead")]
        self.assertGreater(downbeat, beat)
        self.assertGreater(beat, offbeat)
        self.assertEqual(offbeat_beat, beat + 3)  # the middle of a 4/4 bar is half-strong
        self.assertGreater(loud, beat)

    def test_tempo_lines_place_tempo_marks_inside_bars(self):
        score = tune("section A tempo=100\nlead: C4 w | C4 w\ntempo: r w | 90 h 80 h\n")
        self.assertEqual([(t.tick, t.bpm) for t in score.tempos],
                         [(0, 100.0), (1920, 90.0), (2880, 80.0)])

    def test_mistakes_are_refused(self):
        cases = {
            "unknown part": "section A tempo=100\nviola: C4 w\n",
            "unknown phrase": "section A tempo=100\nlead: @nothing\n",
            "bad duration": "section A tempo=100\nlead: C4 x\n",
            "taken": "instrument third ch=2 program=1\nsection A tempo=100\nlead: C4 w\n",
            "needs a tempo": "section A\nlead: C4 w\n",
            "beats per minute": "section A tempo=100\nlead: C4 w\ntempo: C4 w\n",
        }
        for message, body in cases.items():
            with self.subTest(message), self.assertRaisesRegex(ScoreError, message):
                tune(body)


class MidiBytesTest(unittest.TestCase):
    def test_variable_length_quantities_round_trip(self):
        for value in (0, 0x7F, 0x80, 0x3FFF, 0x4000, 0x0FFFFFFF):
            encoded = smf.varlen(value)
            self.assertEqual(smf.read_varlen(encoded, 0), (value, len(encoded)))
        self.assertEqual(smf.varlen(0x2000), b"\xC0\x00")
        with self.assertRaises(smf.MidiError):
            smf.varlen(0x10000000)

    def test_reader_follows_running_status(self):
        body = bytes([0, 0x91, 60, 90, 0x60, 60, 0, 0, 0xFF, 0x2F, 0])
        data = b"MThd" + bytes([0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0])
        data += b"MTrk" + len(body).to_bytes(4, "big") + body
        midi = smf.read_midi(data)
        self.assertEqual(midi.division, 480)
        notes = [(m.tick, m.status, m.data) for m in midi.tracks[0] if m.status < 0xF0]
        self.assertEqual(notes, [(0, 0x91, bytes([60, 90])), (0x60, 0x91, bytes([60, 0]))])

    def test_reader_refuses_cut_files(self):
        data = (HERE / "tune.mid").read_bytes()
        for cut in (10, len(data) // 2, len(data) - 1):
            with self.subTest(cut), self.assertRaises(smf.MidiError):
                smf.read_midi(data[:cut])


def two_track_file(conductor: list, player: list) -> smf.MidiFile:
    tracks = [smf.track_chunk(events, 960) for events in (conductor, player)]
    return smf.read_midi(smf.midi_file(480, tracks))


class CheckerTest(unittest.TestCase):
    def test_seconds_follow_tempo_changes(self):
        tempos = [(0, 1_000_000), (480, 250_000)]  # one beat at 60, then 240 per minute
        self.assertAlmostEqual(check_tune.seconds_at(960, tempos, 480), 1.25)
        self.assertAlmostEqual(check_tune.seconds_at(240, [], 480), 0.25)  # 120 until told

    def test_notes_without_partner_are_problems(self):
        player = [(0, smf.note_on(0, 60, 80)), (10, smf.note_on(0, 60, 80)),
                  (20, smf.note_off(0, 60)), (30, smf.note_off(0, 64)),
                  (40, smf.note_on(0, 62, 80))]
        found = check_tune.facts(two_track_file([], player))
        self.assertEqual(len(found.unmatched), 3)
        self.assertEqual([(n.pitch, n.start, n.end) for n in found.notes], [(60, 10, 20)])

    def test_missing_channel_setup_and_impure_conductor_are_problems(self):
        conductor = [(0, smf.control(1, smf.CC_VOLUME, 100))]
        player = [(0, smf.program(0, 0)), (0, smf.note_on(0, 60, 80)),
                  (1, smf.control(0, smf.CC_PAN, 64)), (5, smf.note_off(0, 60))]
        issues = check_tune.problems(check_tune.facts(two_track_file(conductor, player)))
        text = "\n".join(issues)
        self.assertIn("not a pure conductor", text)
        self.assertIn("channel 1 lacks ['pan', 'reverb', 'volume']", text)
        self.assertIn("lasts 1.0 s", text)  # 960 ticks at the default 120


class TuneTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.score, cls.data = make_tune.build(HERE / "tune.txt")
        cls.found = check_tune.facts(smf.read_midi(cls.data))

    def seconds(self, tick):
        tempos = [(t.tick, round(60_000_000 / t.bpm)) for t in self.score.tempos]
        return check_tune.seconds_at(tick, tempos, self.score.division)

    def test_committed_file_is_what_the_source_makes(self):
        self.assertEqual((HERE / "tune.mid").read_bytes(), self.data)

    def test_separate_runs_write_identical_bytes(self):
        with tempfile.TemporaryDirectory() as folder:
            outputs = []
            for seed in ("1", "2"):
                out = Path(folder) / f"tune{seed}.mid"
                env = dict(os.environ, PYTHONHASHSEED=seed)
                subprocess.run([sys.executable, str(HERE / "make_tune.py"), "--output", str(out)],
                               check=True, env=env)
                outputs.append(out.read_bytes())
        self.assertEqual(outputs[0], outputs[1])

    def test_passes_every_check(self):
        self.assertEqual(check_tune.problems(self.found, len(self.score.instruments) + 1), [])

    def test_has_melody_harmony_bass_and_bells(self):
        programs = {i.program for i in self.score.instruments if any(
            n.part == i.part for n in self.score.notes)}
        families = {"bells": range(8, 16), "bass": range(42, 44), "strings": range(48, 52),
                    "winds": range(56, 80)}
        for family, numbers in families.items():
            with self.subTest(family):
                self.assertTrue(programs & set(numbers))

    def test_ends_on_a_ringing_tonic_chord(self):
        beats, unit = self.score.meter
        downbeat = self.score.end - self.score.division * 4 * beats // unit
        chord = [n for n in self.score.notes if n.start <= downbeat < n.start + n.length]
        tonic = PITCH_CLASSES[self.score.sections[-1].key]
        self.assertEqual({n.pitch % 12 for n in chord}, {tonic, (tonic + 4) % 12, (tonic + 7) % 12})
        ringing = {n.part for n in chord
                   if self.seconds(n.start + n.length) - self.seconds(downbeat) > 2.0}
        self.assertGreaterEqual(len(ringing), 5)

    def test_sections_meet_the_show(self):
        starts = {s.name: self.seconds(s.start) for s in self.score.sections}
        self.assertAlmostEqual(starts["Verse2"], 42, delta=1.5)  # greetings appear
        final_chord = self.seconds(max(n.start for n in self.score.notes))
        self.assertTrue(54 < final_chord < 75)  # inside the fireworks

    def test_last_chord_is_let_go_before_the_music_is_stopped(self):
        # The show stops the music at 75 s, so the tune's last note-off comes by 74 s.
        released = self.seconds(max(n.start + n.length for n in self.score.notes))
        self.assertLessEqual(released, 74.0)


@unittest.skipUnless(shutil.which("fluidsynth") and SOUNDFONT.exists(),
                     "needs the fluidsynth program and the TimGM6mb sound font")
class RenderTest(unittest.TestCase):
    def test_sounds_unclipped_from_start_to_end(self):
        with tempfile.TemporaryDirectory() as folder:
            wav = Path(folder) / "tune.wav"
            subprocess.run(["fluidsynth", "-ni", "-F", str(wav), "-r", "44100", str(SOUNDFONT),
                            str(HERE / "tune.mid")], check=True, capture_output=True)
            levels = second_levels(wav)
        sounding = [second for second, (_, rms) in enumerate(levels) if rms > 0.002]
        self.assertTrue(70 <= len(sounding) <= 80, len(sounding))
        self.assertEqual(sounding, list(range(len(sounding))))  # no gap of silence
        self.assertLess(max(peak for peak, _ in levels), 0.99)


def second_levels(path: Path) -> list[tuple[float, float]]:
    """Peak and RMS of each second of a 16-bit file, as fractions of full scale."""
    with wave.open(str(path)) as audio:
        step = audio.getframerate()
        samples = array.array("h", audio.readframes(audio.getnframes()))
        step *= audio.getnchannels()
    levels = []
    for begin in range(0, len(samples), step):
        window = samples[begin:begin + step]
        peak = max(map(abs, window)) / 32768
        rms = math.sqrt(sum(x * x for x in window) / len(window)) / 32768
        levels.append((peak, rms))
    return levels


if __name__ == "__main__":
    unittest.main()
