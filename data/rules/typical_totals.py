#!/usr/bin/env python3
"""Prices typical answer sheets against each rule file, with amorquant-check.

Run it after changing prices. The two files of a mode ask about the same
plain person, so each profile below is written once per mode and applied to
both files (a row that only one file asks about is answered only there).
For every file it prints, computed by the program's own reading and pricing:

  unanswered  nothing answered: exactly the base value 1000, so that no
              question costs anything before it is answered;
  plain       a plain, honest person: near 1500 in the normal files, in the
              middle of the result page's 1300-1800 grade;
  very good   strong, plausible answers throughout: about 3000 in the normal
              files;
  red flags   the plain person with a handful of serious faults: below 1300
              in the normal files.

The crazy files swing further and only their unanswered total is bound.

Then a sheet of believable extremes: how far one answer moves the plain
person's total, for each checkbox ticked or unticked, each number row at 0 or
at the most a real person would answer, and each choice row at each of its
options or none. No single answer may move a total by more than 1000, and in
the normal files the plain person with any one good answer stays inside
1300-1800.

Last, the two files of each mode side by side: a row that both ask has one
price, and the worst believable total (every answer at its believable worst)
and the best, as distances from the base value 1000, of one file are within
1.3 times the other's, so that neither list reaches deeper than the other.

With --check the script exits 1 when any of these bounds breaks, or when a
number row has no believable extreme written down below.

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

# Answers a plain, honest person would give, one sheet per mode; rows left
# out hold 0 (unticked).
PLAIN = {
    "normal": {
        "pleasant_looks": 1, "smiles_often": 1, "clean_and_tidy": 1, "height_cm": 173,
        "reasonable": 1, "keeps_promises": 1, "listens_to_you": 1, "cold_war_days": 2,
        "polite_to_elders": 1, "screen_hours": 5, "late_nights": 3, "exercise_per_week": 1,
        "impulse_buys": 4, "chores_per_week": 2, "cooks": 1, "signature_dishes": 2,
        "parents_easygoing": 1, "parents_approve": 1, "family_harmony": 1, "stable_job": 1,
        "monthly_income": "五千到一万元", "savings_share": "一成左右", "shared_hobbies": 2,
        "travels_with_you": 1, "remembers_dates": 1,
    },
    "crazy": {
        "love_at_first_sight": 1, "height_cm": 174, "abs_count": 0, "makeup_minutes": 40,
        "photo_retakes": 8, "opens_jars": 1, "pushups": 25, "signature_dishes": 3,
        "says_whatever": 3, "hot_water": 3, "coax_hours": 2, "sock_days": 2,
        "apologizes_first": 1, "last_bite_for_you": 1, "peels_shrimp": 1,
        "night_snacks": 2, "skewer_nights": 2, "short_video_hours": 3, "cart_always_full": 1,
        "waits_for_game_end": 1, "sings_in_tune": 1, "sings_love_songs": 1, "shopping_hours": 2,
        "remembers_your_order": 1, "steals_blanket": 1, "snores_over_tv": 1,
        "celebrates_festivals": 1, "red_envelopes": 1, "surprise_gifts": 2,
        "friends_approve": 1, "shared_hobbies": 3, "monthly_income": "五千到一万元",
        "bride_price": "十万到二十万元",
    },
}

# Every good thing ticked, every number strong but believable; rows left out
# hold 0 (the faults unticked).
VERY_GOOD = {
    "normal": {
        "pleasant_looks": 1, "smiles_often": 1, "clean_and_tidy": 1, "dresses_well": 1,
        "height_cm": 180, "gentle_temper": 1, "reasonable": 1, "apologizes_first": 1,
        "keeps_promises": 1, "listens_to_you": 1, "reports_whereabouts": 1,
        "polite_to_elders": 1, "screen_hours": 2, "late_nights": 1, "exercise_per_week": 4,
        "impulse_buys": 1, "chores_per_week": 5, "cooks": 1, "signature_dishes": 8,
        "fixes_things": 1, "drives": 1, "extra_languages": 2, "music_talent": 1,
        "parents_easygoing": 1, "parents_approve": 1, "family_harmony": 1, "stable_job": 1,
        "monthly_income": "一万到两万元", "savings_share": "两三成", "shared_hobbies": 5,
        "travels_with_you": 1, "remembers_dates": 1, "joins_your_hobby": 1, "shops_with_you": 1,
    },
    "crazy": {
        "love_at_first_sight": 1, "height_cm": 182, "abs_count": 4, "makeup_minutes": 20,
        "photo_retakes": 3, "kills_cockroaches": 1, "princess_carry": 1, "opens_jars": 1,
        "pushups": 40, "finds_the_way": 1, "takes_good_photos": 1, "carries_you_in_games": 1,
        "signature_dishes": 8, "sings_in_tune": 1, "sings_love_songs": 1, "says_whatever": 1,
        "hot_water": 1, "coax_hours": 1, "apologizes_first": 1, "stands_up_for_you": 1,
        "holds_her_drink": 1, "last_bite_for_you": 1, "peels_shrimp": 1, "pays_first": 1,
        "night_snacks": 1, "skewer_nights": 1, "short_video_hours": 1, "shopping_hours": 3,
        "remembers_your_order": 1, "knows_lipstick_shades": 1, "sock_days": 1,
        "celebrates_festivals": 1, "red_envelopes": 3, "surprise_gifts": 4,
        "friends_approve": 1, "charms_elders_new_year": 1, "shared_hobbies": 4,
        "monthly_income": "一万到两万元", "hands_over_salary_card": 1,
        "bride_price": "十万元以下",
        "owns_car": 1,
    },
}

# The plain person's answers, changed by these faults.
RED_FLAGS = {
    "normal": {
        "smokes": 1, "checks_your_phone": 1, "cold_war_days": 5, "drunk_per_month": 3,
        "screen_hours": 8, "late_nights": 5, "impulse_buys": 10, "asks_mom_first": 1,
        "family_demands": 1, "overdue_credit_cards": 1,
    },
    "crazy": {
        "keeps_ex_photos": 1, "coax_hours": 5, "says_whatever": 6, "hot_water": 6,
        "short_video_hours": 6, "skewer_nights": 4, "night_snacks": 4,
        "bride_price": "二十万到五十万元", "secret_stash": "一两万元", "overdue_credit_cards": 1,
        "cat_outranks_you": 1,
    },
}

# The most that a real person answers to each number row.
EXTREMES = {
    "normal": {
        "height_cm": 200, "cold_war_days": 30, "drunk_per_month": 30, "screen_hours": 16,
        "late_nights": 7, "exercise_per_week": 14, "impulse_buys": 30, "chores_per_week": 14,
        "signature_dishes": 30, "extra_languages": 5, "shared_hobbies": 10,
    },
    "crazy": {
        "height_cm": 200, "abs_count": 8, "makeup_minutes": 120, "photo_retakes": 50,
        "pushups": 100, "signature_dishes": 30, "says_whatever": 10, "hot_water": 10,
        "coax_hours": 24, "night_snacks": 7, "skewer_nights": 7, "short_video_hours": 12,
        "shopping_hours": 12, "sock_days": 14, "red_envelopes": 30, "surprise_gifts": 30,
        "shared_hobbies": 10,
    },
}

BASE = 1000
# How far one answer may move a total.
MAX_MOVE = 1000
# How much deeper one list of a mode may reach than the other.
MAX_RATIO = 1.3
# The normal files' bands, by profile: lowest and highest total.
NORMAL_BANDS = {
    "unanswered": (BASE, BASE),
    "plain": (1400, 1600),
    "very good": (2900, 3300),
    "red flags": (None, 1299),
}
# The plain person with any one good answer keeps the grade "normal".
NORMAL_GRADE = (1300, 1800)
FILES = {
    "normal": ("rules_gf_normal-zh_CN.xml", "rules_bf_normal-zh_CN.xml"),
    "crazy": ("rules_gf_crazy-zh_CN.xml", "rules_bf_crazy-zh_CN.xml"),
}


class RuleFile:
    """One rule file: its rows, and totals of answer sheets priced by the checker."""

    def __init__(self, checker, path, mode):
        self.checker = checker
        self.path = path
        self.mode = mode
        self.name = os.path.basename(path)
        self.rows = [
            (rule.findtext("id"), rule.findtext("pg_type", "").strip().lower(), rule)
            for rule in ElementTree.parse(path).getroot()
        ]
        self.ids = {row for row, _, _ in self.rows}

    def sheet(self, answers):
        """The answers that belong to this file's rows."""
        return {row: value for row, value in answers.items() if row in self.ids}

    def total(self, answers):
        """The total that Calculate shows for the answers, as amorquant-check prints it."""
        command = [self.checker, "--total", self.path]
        for row, value in self.sheet(answers).items():
            command += ["--answer", f"{row}={value}"]
        run = subprocess.run(command, capture_output=True, text=True)
        match = re.search(r": total (-?\d+)$", run.stdout.strip())
        # Statuses 1 and 3 report problems or warnings; the total still stands.
        if run.returncode not in (0, 1, 3) or not match:
            raise SystemExit(f"{' '.join(command)}\n{run.stdout}{run.stderr}")
        return int(match.group(1))

    def profiles(self):
        plain = PLAIN[self.mode]
        return {
            "unanswered": {},
            "plain": plain,
            "very good": VERY_GOOD[self.mode],
            "red flags": {**plain, **RED_FLAGS[self.mode]},
        }

    def candidates(self, row, kind, rule):
        """The believable answers of one row; None when a number row has no extreme."""
        if kind == "bool":
            return [0, 1]
        if kind == "choice":
            return [None] + list(range(1, len(rule.findall("option")) + 1))
        if row not in EXTREMES[self.mode]:
            return None
        return [0, EXTREMES[self.mode][row]]

    def moves(self):
        """Each row's believable answers with how far each moves the plain total,
        as (row, [(answer, move)]); the list is None for a number row without an
        extreme."""
        plain = self.sheet(PLAIN[self.mode])
        base = self.total(plain)
        result = []
        for row, kind, rule in self.rows:
            answers = self.candidates(row, kind, rule)
            if answers is None:
                result.append((row, None))
                continue
            priced = []
            for answer in answers:
                sheet = {key: value for key, value in plain.items() if key != row}
                if answer is not None:
                    sheet[row] = answer
                priced.append((answer, self.total(sheet) - base))
            result.append((row, priced))
        return base, result


def band(value):
    if value < 1300:
        return "below 1300"
    if value <= 1800:
        return "1300-1800 normal"
    if value < 2000:
        return "1800-2000 between grades"
    return "3000+ settled" if value >= 3000 else "2000+ top quality"


def outside(bounds, value):
    low, high = bounds
    return (low is not None and value < low) or (high is not None and value > high)


def check_profiles(rules):
    """Prints the file's profile totals; returns the ones that miss their band."""
    failed = []
    for profile, answers in rules.profiles().items():
        value = rules.total(answers)
        bounds = NORMAL_BANDS[profile] if rules.mode == "normal" else None
        if profile == "unanswered":
            bounds = NORMAL_BANDS[profile]
        mark = "  <- outside its band" if bounds and outside(bounds, value) else ""
        print(f"  {profile:10} {value:6}  ({band(value)}){mark}")
        if mark:
            failed.append(f"{rules.name} {profile}")
    return failed


def check_moves(rules):
    """Prints the sheet of believable extremes; returns the failures and the
    file's worst and best believable totals."""
    plain, moves = rules.moves()
    print(f"  believable extremes, one answer each (at most {MAX_MOVE} from plain):")
    failed = []
    worst = best = plain
    for row, priced in moves:
        if priced is None:
            print(f"    {row:24}    ?        <- no believable extreme written down")
            failed.append(f"{rules.name} {row}")
            continue
        low = min(move for _, move in priced)
        high = max(move for _, move in priced)
        worst += low
        best += high
        answer, move = max(priced, key=lambda pair: abs(pair[1]))
        marks = []
        if abs(move) > MAX_MOVE:
            marks.append("moves the total too far")
        if rules.mode == "normal" and outside(NORMAL_GRADE, plain + high):
            marks.append("one good answer leaves the grade 'normal'")
        if marks:
            failed.append(f"{rules.name} {row}")
        # Checkboxes that pass are many and alike: only number and choice rows
        # and failures are listed.
        if marks or len(priced) != 2 or priced[1][0] != 1:
            shown = "-" if answer is None else answer
            print(f"    {row:24} {shown:>4} {move:+6}" + "".join(f"  <- {m}" for m in marks))
    print(f"  worst believable {worst}, best believable {best}")
    return failed, worst, best


def pricing(rule):
    """The fields that decide what a row's answers cost."""
    fields = ("pg_type", "upper_limit", "lower_limit", "upper_price", "lower_price")
    options = [(o.findtext("text"), o.findtext("price")) for o in rule.findall("option")]
    return [(rule.findtext(field) or "").strip() for field in fields] + options


def check_shared_prices(mode, first, second):
    """Returns the rows that both files of a mode ask but price differently."""
    theirs = {row: rule for row, _, rule in second.rows}
    failed = []
    for row, _, rule in first.rows:
        if row in theirs and pricing(rule) != pricing(theirs[row]):
            print(f"  {row} is priced differently in {first.name} and {second.name}")
            failed.append(f"{mode} {row}")
    return failed


def check_fairness(mode, reaches):
    """Prints the two files of a mode side by side; returns the failures."""
    (first, (worst1, best1)), (second, (worst2, best2)) = reaches
    print(f"{mode}: worst and best believable totals, and their distance from {BASE}")
    failed = []
    for what, one, two in (("worst", worst1, worst2), ("best", best1, best2)):
        deep1, deep2 = abs(one - BASE), abs(two - BASE)
        ratio = max(deep1, deep2) / max(1, min(deep1, deep2))
        mark = f"  <- more than {MAX_RATIO} times" if ratio > MAX_RATIO else ""
        print(f"  {what:5} {first} {one:6} ({deep1:5})   {second} {two:6} ({deep2:5})"
              f"   ratio {ratio:.2f}{mark}")
        if mark:
            failed.append(f"{mode} {what}")
    return failed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="fail when a file misses its bounds")
    parser.add_argument("--checker", default="amorquant-check")
    parser.add_argument("folder", nargs="?", default=os.path.dirname(os.path.abspath(__file__)))
    args = parser.parse_args()

    failed = []
    for mode, names in FILES.items():
        reaches = []
        files = [RuleFile(args.checker, os.path.join(args.folder, name), mode) for name in names]
        for name, rules in zip(names, files):
            print(f"{name}:")
            failed += check_profiles(rules)
            moved, worst, best = check_moves(rules)
            failed += moved
            reaches.append((name.split("_")[1], (worst, best)))
        failed += check_fairness(mode, reaches)
        failed += check_shared_prices(mode, *files)
    if args.check and failed:
        print("outside their bounds: " + ", ".join(failed), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
