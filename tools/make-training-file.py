#!/usr/bin/env python3
"""Writes a realistic training file: a year of training three times a week.

Several exercises with slowly rising weights, a few body parts, body-weight exercises,
cardio rows, missed sessions and a summer break, so that charts, the records table and
the analyses have something real to show.

    python3 tools/make-training-file.py OUT.dat [--end 2026-12-10] [--weeks 52] [--seed 7]
"""

import argparse
import datetime
import random
import struct

RECORD_SIZE = 2944
EPOCH = datetime.date(1899, 12, 30)

# Each session: body part, then (exercise, start weight, weekly gain, reps, sets);
# a start weight of 0 is body weight (the reps rise instead).
SESSIONS = [
    ("Chest/Triceps", [("Bench press", 70.0, 0.6, 5, 5), ("Incline dumbbell press", 24.0, 0.2, 8, 3),
                       ("Triceps pushdown", 30.0, 0.25, 12, 3), ("Dips", 0, 0, 8, 3)]),
    ("Back/Biceps", [("Deadlift", 100.0, 1.0, 5, 3), ("Pull-ups", 0, 0, 6, 4),
                     ("Barbell row", 60.0, 0.4, 8, 4), ("Biceps curl", 25.0, 0.15, 10, 3)]),
    ("Lower body", [("Squat", 80.0, 0.9, 5, 5), ("Leg press", 140.0, 1.5, 10, 3),
                    ("Calf raise", 60.0, 0.5, 15, 4)]),
]
CARDIO = ["Running", "Cycling", "Walking"]


def day_count(date):
    return float((date - EPOCH).days)


def stored_string(text, capacity):
    data = text.encode("cp1250", "replace")[:capacity]
    return bytes([len(data)]) + data + bytes(capacity - len(data))


def duration(minutes):
    """Hours + minutes/100, as the training file keeps durations."""
    return minutes // 60 + (minutes % 60) / 100.0


def record(date, start_minutes, minutes, bodypart, cardio, exercises, training_type, comment):
    out = bytearray(RECORD_SIZE)
    struct.pack_into("<ddf", out, 0, day_count(date), start_minutes / 1440.0, duration(minutes))
    out[20:20 + 16] = stored_string(bodypart, 15)
    for i, (kind, start, mins, metres, kcal) in enumerate(cardio[:20]):
        at = 40 + i * 48
        out[at:at + 31] = stored_string(kind, 30)
        struct.pack_into("<dfHH", out, at + 32, start / 1440.0, duration(mins), metres, kcal)
    out[1000] = min(len(cardio), 20)
    for i, (name, execution, sets, reps, weight) in enumerate(exercises[:20]):
        at = 1004 + i * 84
        out[at:at + 51] = stored_string(name, 50)
        out[at + 51:at + 77] = stored_string(execution, 25)
        struct.pack_into("<BBxf", out, at + 77, sets, reps, weight)
    out[2684] = min(len(exercises), 20)
    out[2685] = training_type
    out[2686:2686 + 256] = stored_string(comment, 255)
    return bytes(out)


def round_to(value, step):
    return round(value / step) * step


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--end", default=datetime.date.today().isoformat(), help="last day (YYYY-MM-DD)")
    parser.add_argument("--weeks", type=int, default=52)
    parser.add_argument("--seed", type=int, default=7)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    end = datetime.date.fromisoformat(args.end)
    first_monday = end - datetime.timedelta(days=end.weekday() + 7 * (args.weeks - 1))
    # A summer break of three weeks, a third of the way through the year, and a week
    # off with a cold later on.
    breaks = {args.weeks // 3, args.weeks // 3 + 1, args.weeks // 3 + 2, (args.weeks * 3) // 4}

    records = []
    for week in range(args.weeks):
        if week in breaks:
            continue
        # Strength falls back a little after the break.
        progress = week - (4 if week > args.weeks // 3 + 2 else 0)
        for session, offset in zip(SESSIONS, (0, 2, 4)):
            if rng.random() < 0.1:  # a missed session
                continue
            date = first_monday + datetime.timedelta(days=7 * week + offset)
            if date > end:
                continue
            bodypart, plan = session
            rows = []
            for name, start, gain, reps, sets in plan:
                if start == 0:
                    bw_reps = reps + progress // 6 + rng.choice((-1, 0, 0, 1))
                    rows.append((name, "Working set", sets, max(1, bw_reps), 0.0))
                    continue
                weight = round_to(start + gain * progress + rng.uniform(-1.5, 1.5), 2.5)
                rows.append((name, "Warmup", 1, 10, round_to(weight * 0.5, 2.5)))
                reps_done = reps + rng.choice((-1, 0, 0, 0, 1))
                rows.append((name, "Working set", sets, reps_done, weight))
            cardio = []
            if rng.random() < 0.6:
                kind = rng.choice(CARDIO)
                mins = rng.choice((15, 20, 25, 30))
                metres = {"Running": 160, "Cycling": 400, "Walking": 90}[kind] * mins
                cardio.append((kind, 18 * 60 + 5, mins, metres, mins * 10))
            minutes = rng.choice((55, 60, 65, 70, 75, 80, 90)) + (cardio[0][2] if cardio else 0)
            training_type = rng.choice((1, 2, 2, 3))
            records.append(record(date, 17 * 60 + 30, minutes, bodypart, cardio, rows, training_type,
                                  "Felt good" if rng.random() < 0.3 else ""))

    with open(args.out, "wb") as out:
        out.write(b"".join(records))
    print(f"{len(records)} workouts written to {args.out}")


if __name__ == "__main__":
    main()
