#!/usr/bin/env python3
"""Prices typical answer sheets against each rule file, with amorquant-check.

Run it after changing prices. For every file it prints the total of three
profiles, computed by the program's own reading and pricing:

  plain      a plain, honest person: the normal files put it in the
             1300-1800 band of the result page;
  very good  strong, plausible answers throughout: about 3000 in the
             normal files;
  red flags  the plain person with a handful of serious faults: below
             1300 in the normal files.

The crazy files swing further and are only printed.

Then it prints a sheet of believable extremes for every file: how far one
answer moves the plain person's total, for each checkbox ticked or unticked,
each number row at 0 or at the most a real person would answer, and each
choice row at each of its options or none. No single
answer may move a total by more than 1000.

With --check the script exits 1 when a normal file misses one of these bands,
when one answer moves a total too far, or when a number row has no believable
extreme written down below.

Usage: typical_totals.py [--check] [--checker PROGRAM] [FOLDER]
  FOLDER   the rule files (default: the folder of this script)
  PROGRAM  amorquant-check (default: found on PATH)
"""

import argparse
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

# Answers a plain, honest person would give; rows left out hold 0 (unticked).
PLAIN = {
    "rules_gf_normal-zh_CN.xml": {
        "pleasant_looks": 1, "smiles_often": 1, "dresses_neatly": 1, "reasonable": 1,
        "keeps_promises": 1, "cold_war_days": 2, "polite_to_elders": 1, "phone_hours": 6,
        "late_nights": 3, "exercise_per_week": 1, "impulse_buys": 4, "cooks": 1,
        "signature_dishes": 2, "parents_supportive": 1, "family_harmony": 1,
        "stable_job": 1, "monthly_income": 6, "savings_percent": 15, "shared_hobbies": 2,
        "travels_with_you": 1, "remembers_dates": 1,
    },
    "rules_gf_crazy-zh_CN.xml": {
        "love_at_first_sight": 1, "makeup_minutes": 40, "photo_retakes": 8, "opens_jars": 1,
        "says_whatever": 3, "guess_why_angry": 1, "coax_hours": 2, "last_bite_for_you": 1,
        "red_envelopes": 1, "festivals": 5, "cart_always_full": 1, "short_video_hours": 3,
        "night_snacks": 2, "steals_blanket": 1, "sings_in_tune": 1, "remembers_your_order": 1,
        "grandma_approves": 1, "monthly_income": 7, "bride_price_wan": 10, "shared_hobbies": 3,
    },
    "rules_bf_normal-zh_CN.xml": {
        "height_cm": 173, "pleasant_looks": 1, "clean_and_tidy": 1, "gentle_temper": 1,
        "listens_to_you": 1, "reports_whereabouts": 1, "gaming_hours": 3, "late_nights": 4,
        "exercise_per_week": 2, "chores_per_week": 1, "socks_everywhere": 1, "cooks": 1,
        "signature_dishes": 2, "fixes_things": 1, "drives": 1, "parents_supportive": 1,
        "stable_job": 1, "monthly_income": 8, "savings_percent": 15, "shared_hobbies": 2,
        "remembers_dates": 1,
    },
    "rules_bf_crazy-zh_CN.xml": {
        "height_cm": 174, "abs_count": 0, "hot_water": 3, "takes_fine_literally": 1,
        "apologizes_first": 1, "waits_for_game_end": 1, "sock_days": 2, "snores_over_tv": 1,
        "skewer_nights": 1, "peels_shrimp": 1, "pushups": 25, "signature_dishes": 3,
        "sings_love_songs": 1, "shopping_hours": 2, "friends_approve": 1, "surprise_gifts": 2,
        "monthly_income": 10, "owns_car": 1,
    },
}

# Every good thing ticked, every number strong but believable; rows left out
# hold 0 (the faults unticked).
VERY_GOOD = {
    "rules_gf_normal-zh_CN.xml": {
        "pleasant_looks": 1, "smiles_often": 1, "dresses_neatly": 1, "gentle_temper": 1,
        "reasonable": 1, "keeps_promises": 1, "polite_to_elders": 1, "phone_hours": 3,
        "late_nights": 1, "exercise_per_week": 4, "tidy_room": 1, "impulse_buys": 1,
        "cooks": 1, "signature_dishes": 8, "drives": 1, "extra_languages": 2,
        "music_talent": 1, "parents_supportive": 1, "family_harmony": 1, "stable_job": 1,
        "monthly_income": 20, "savings_percent": 40, "shared_hobbies": 5,
        "travels_with_you": 1, "remembers_dates": 1, "joins_your_hobby": 1,
    },
    "rules_gf_crazy-zh_CN.xml": {
        "love_at_first_sight": 1, "makeup_minutes": 20, "photo_retakes": 3,
        "kills_cockroaches": 1, "opens_jars": 1, "says_whatever": 1, "coax_hours": 1,
        "last_bite_for_you": 1, "pays_first": 1, "red_envelopes": 2, "festivals": 3,
        "no_shopping_three_days": 1, "short_video_hours": 1, "night_snacks": 1,
        "carries_you_in_games": 1, "sings_in_tune": 1, "finds_the_way": 1,
        "holds_her_drink": 1, "remembers_your_order": 1, "grandma_approves": 1,
        "charms_elders_new_year": 1, "mahjong_diplomacy": 1, "monthly_income": 12,
        "bride_price_wan": 5, "shared_hobbies": 4,
    },
    "rules_bf_normal-zh_CN.xml": {
        "height_cm": 180, "pleasant_looks": 1, "clean_and_tidy": 1, "gentle_temper": 1,
        "apologizes_first": 1, "listens_to_you": 1, "reports_whereabouts": 1,
        "gaming_hours": 1, "late_nights": 1, "exercise_per_week": 4, "chores_per_week": 5,
        "cooks": 1, "signature_dishes": 8, "fixes_things": 1, "drives": 1,
        "parents_supportive": 1, "family_harmony": 1, "stable_job": 1, "keeps_learning": 1,
        "monthly_income": 20, "savings_percent": 40, "shared_hobbies": 5, "remembers_dates": 1,
        "shops_with_you": 1,
    },
    "rules_bf_crazy-zh_CN.xml": {
        "height_cm": 182, "abs_count": 4, "princess_carry": 1, "hot_water": 1,
        "apologizes_first": 1, "stands_up_for_you": 1, "sock_days": 1, "skewer_nights": 1,
        "peels_shrimp": 1, "knows_lipstick_shades": 1, "takes_good_photos": 1, "pushups": 40,
        "signature_dishes": 8, "sings_love_songs": 1, "shopping_hours": 3,
        "knows_your_friends": 1, "friends_approve": 1, "charms_elders_new_year": 1,
        "surprise_gifts": 4, "hands_over_salary_card": 1, "monthly_income": 17, "owns_car": 1,
    },
}

# The plain person's answers, changed by these faults.
RED_FLAGS = {
    "rules_gf_normal-zh_CN.xml": {
        "smokes": 1, "checks_your_phone": 1, "cold_war_days": 5, "drunk_per_month": 2,
        "phone_hours": 9, "impulse_buys": 10, "bride_price_too_high": 1,
        "overdue_credit_cards": 1, "borrows_for_luxuries": 1,
    },
    "rules_gf_crazy-zh_CN.xml": {
        "ex_mentions": 4, "coax_hours": 5, "says_whatever": 6, "short_video_hours": 6,
        "bride_price_wan": 30, "overdue_credit_cards": 1, "cat_outranks_you": 1,
    },
    "rules_bf_normal-zh_CN.xml": {
        "asks_mom_first": 1, "smokes": 1, "drunk_per_month": 4, "gaming_hours": 6,
        "late_nights": 6, "chores_per_week": 0, "overdue_credit_cards": 1,
    },
    "rules_bf_crazy-zh_CN.xml": {
        "asks_mom_about_socks": 1, "keeps_ex_photos": 1, "skins_over_gifts": 1,
        "skewer_nights": 4, "hot_water": 6, "secret_stash_k": 10, "overdue_credit_cards": 1,
    },
}

# The most that a real person answers to each number row.
EXTREMES = {
    "rules_gf_normal-zh_CN.xml": {
        "cold_war_days": 30, "drunk_per_month": 15, "phone_hours": 16, "late_nights": 7,
        "exercise_per_week": 14, "impulse_buys": 30, "signature_dishes": 30,
        "extra_languages": 5, "monthly_income": 50, "savings_percent": 90, "shared_hobbies": 10,
    },
    "rules_gf_crazy-zh_CN.xml": {
        "makeup_minutes": 120, "photo_retakes": 50, "says_whatever": 10, "coax_hours": 24,
        "ex_mentions": 30, "red_envelopes": 30, "festivals": 15, "short_video_hours": 12,
        "night_snacks": 7, "monthly_income": 50, "bride_price_wan": 88, "shared_hobbies": 10,
    },
    "rules_bf_normal-zh_CN.xml": {
        "height_cm": 200, "drunk_per_month": 15, "gaming_hours": 16, "late_nights": 7,
        "exercise_per_week": 14, "chores_per_week": 14, "signature_dishes": 30,
        "monthly_income": 50, "savings_percent": 90, "shared_hobbies": 10,
    },
    "rules_bf_crazy-zh_CN.xml": {
        "height_cm": 200, "abs_count": 8, "hot_water": 10, "sock_days": 14, "skewer_nights": 7,
        "pushups": 100, "signature_dishes": 30, "shopping_hours": 12, "surprise_gifts": 24,
        "secret_stash_k": 100, "monthly_income": 50,
    },
}

# How far one answer may move a total.
MAX_MOVE = 1000

# The bands the normal files keep, by profile: lowest and highest total.
NORMAL_BANDS = {"plain": (1300, 1800), "very good": (3000, 3300), "red flags": (None, 1299)}


def profiles(name):
    return {
        "plain": PLAIN[name],
        "very good": VERY_GOOD[name],
        "red flags": {**PLAIN[name], **RED_FLAGS[name]},
    }


def total(checker, path, answers):
    """The total that Calculate shows for the answers, as amorquant-check prints it."""
    command = [checker, "--total", path]
    for row, value in answers.items():
        command += ["--answer", f"{row}={value}"]
    run = subprocess.run(command, capture_output=True, text=True)
    match = re.search(r": total (-?\d+)$", run.stdout.strip())
    # Statuses 1 and 3 report problems or warnings; the total still stands.
    if run.returncode not in (0, 1, 3) or not match:
        raise SystemExit(f"{' '.join(command)}\n{run.stdout}{run.stderr}")
    return int(match.group(1))


def band(value):
    if value < 1300:
        return "below 1300"
    if value <= 1800:
        return "1300-1800 normal"
    if value < 2000:
        return "1800-2000 between grades"
    return "3000+ settled" if value >= 3000 else "2000+ top quality"


def misses(profile, value):
    low, high = NORMAL_BANDS[profile]
    return (low is not None and value < low) or value > high


def rows(path):
    """The ids of the file's rows, each with its kind and the answers that price it at its extremes.

    None stands for a number row's believable extreme, written down in EXTREMES."""
    found = []
    for rule in ElementTree.parse(path).getroot():
        kind = rule.findtext("pg_type", "").lower()
        if kind == "int":
            answers = (0, None)
        elif kind == "choice":
            # Option numbers from 1; 0 is none chosen.
            answers = tuple(range(len(rule.findall("option")) + 1))
        else:
            answers = (0, 1)
        found.append((rule.findtext("id"), kind, answers))
    return found


def extreme_moves(checker, path, name):
    """Each row's largest move of the plain total by one answer, as (row, answer, move).

    An answer of None marks a number row without a believable extreme."""
    plain = PLAIN[name]
    base = total(checker, path, plain)
    moves = []
    for row, _, answers in rows(path):
        if None in answers and row not in EXTREMES[name]:
            moves.append((row, None, 0))
            continue
        answers = [EXTREMES[name][row] if a is None else a for a in answers]
        priced = [(a, total(checker, path, {**plain, row: a}) - base) for a in answers]
        answer, move = max(priced, key=lambda pair: abs(pair[1]))
        moves.append((row, answer, move))
    return moves


def check_extremes(checker, path, name):
    """Prints the file's sheet of believable extremes; returns the rows that fail.

    Every number and choice row is listed; of the checkboxes only the one that moves most."""
    print(f"  believable extremes, one answer each (at most {MAX_MOVE} from plain):")
    moves = extreme_moves(checker, path, name)
    listed_kinds = ("int", "choice")
    listed = {row for row, kind, _ in rows(path) if kind in listed_kinds}
    numbers = [m for m in moves if m[0] in listed]
    checkboxes = [m for m in moves if m not in numbers]
    shown = numbers + [max(checkboxes, key=lambda m: abs(m[2]))] if checkboxes else numbers
    for row, answer, move in shown:
        if answer is None:
            mark = "  <- no believable extreme written down"
        elif abs(move) > MAX_MOVE:
            mark = "  <- moves the total too far"
        else:
            mark = ""
        answer_text = "?" if answer is None else answer
        print(f"    {row:24} {answer_text:>4} {move:+6}{mark}")
    too_far = [row for row, answer, move in moves if answer is None or abs(move) > MAX_MOVE]
    return [f"{name} {row}" for row in too_far]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="fail when a file misses its bounds")
    parser.add_argument("--checker", default="amorquant-check")
    parser.add_argument("folder", nargs="?", default=os.path.dirname(os.path.abspath(__file__)))
    args = parser.parse_args()

    failed = []
    for name in PLAIN:
        path = os.path.join(args.folder, name)
        print(f"{name}: unanswered {total(args.checker, path, {})}")
        for profile, answers in profiles(name).items():
            value = total(args.checker, path, answers)
            normal = "_normal-" in name
            mark = "  <- outside its band" if normal and misses(profile, value) else ""
            print(f"  {profile:10} {value:6}  ({band(value)}){mark}")
            if mark:
                failed.append(f"{name} {profile}")
        failed += check_extremes(args.checker, path, name)
    if args.check and failed:
        print("outside their bounds: " + ", ".join(failed), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
