#!/usr/bin/env python3
"""The jalv test's check of the readings must fail when the meter reads the tone wrongly."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import jack_tone  # noqa: E402

LEFT = jack_tone.expected_step(*jack_tone.TONES["left"])
RIGHT = jack_tone.expected_step(*jack_tone.TONES["right"])


def readings(recent_left=LEFT, recent_right=RIGHT, largest_left=LEFT, largest_right=RIGHT):
    # As jalv prints them: six decimals, the prompt before the first line.
    return ("> recent_step_left = %f\nrecent_step_right = %f\nlargest_step_left = %f\n"
            "largest_step_right = %f\n" % (recent_left, recent_right, largest_left, largest_right))


class ReadingChecks(unittest.TestCase):
    def test_the_tone_is_a_sine_whose_largest_step_the_formula_gives(self):
        for amplitude, period in jack_tone.TONES.values():
            samples = jack_tone.period_samples(amplitude, period)
            steps = [abs(samples[k] - samples[k - 1]) for k in range(period)]
            self.assertAlmostEqual(max(steps), jack_tone.expected_step(amplitude, period), places=12)
            # The joins with silence (before the first and after the last sample) step less.
            self.assertLess(max(abs(samples[0]), abs(samples[-1])), max(steps))

    def test_the_right_readings_pass_and_every_wrong_one_fails(self):
        self.assertEqual(jack_tone.check(readings()), [])
        wrong = {
            "nothing measured": readings(0, 0, 0, 0),
            "the channels swapped": readings(RIGHT, LEFT, RIGHT, LEFT),
            "the amplitude instead of the step": readings(0.5, 0.8, 0.5, 0.8),
            "a step per second instead of per sample": readings(LEFT * 48000, RIGHT, LEFT, RIGHT),
            "the recent reading 1 % low": readings(recent_left=LEFT * 0.99),
            "the largest reading 1 % high": readings(largest_right=RIGHT * 1.01),
            "a jump at the connection held as largest": readings(largest_left=0.5),
            "not a number": readings(recent_right=float("nan")),
            "a reading missing": readings().replace("largest_step_left", "other"),
            "no readings at all": "",
        }
        for what, text in wrong.items():
            with self.subTest(what):
                self.assertNotEqual(jack_tone.check(text), [])


if __name__ == "__main__":
    unittest.main()
