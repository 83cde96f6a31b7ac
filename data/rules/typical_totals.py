#!/usr/bin/env python3
"""Prices a typical honest answer sheet against each rule file.

Run it after changing prices: a plain "normal" profile should land in the
1300-1800 band of the result page, and the crazy files swing further. It also
checks what the program relies on: unique, non-empty ids and known kinds.

Usage: typical_totals.py [folder]   (default: the folder of this script)
"""

import os
import re
import sys
import xml.etree.ElementTree as ET

BASE = 1000
INT32_MIN, INT32_MAX = -(2**31), 2**31 - 1
FIELDS = ("id", "pg_type", "content", "upper_limit", "lower_limit", "upper_price", "lower_price")

# Answers a plain, honest person would give; rules left out are answered 0
# (unticked). Keyed by file, then by rule id.
PROFILES = {
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
        "red_envelopes": 5, "festivals": 5, "cart_items": 30, "short_video_hours": 3,
        "night_snacks": 2, "steals_blanket": 1, "sings_in_tune": 1, "remembers_your_order": 1,
        "grandma_approves": 1, "monthly_income": 7, "bride_price_wan": 10, "shared_hobbies": 3,
    },
    "rules_bf_normal-zh_CN.xml": {
        "height_cm": 173, "pleasant_looks": 1, "clean_and_tidy": 1, "gentle_temper": 1,
        "listens_to_you": 1, "reports_whereabouts": 1, "gaming_hours": 3, "late_nights": 4,
        "exercise_per_week": 2, "chores_per_week": 1, "socks_everywhere": 1, "cooks": 1,
        "signature_dishes": 2, "fixes_things": 1, "drives": 1, "parents_supportive": 1,
        "stable_job": 1, "monthly_income": 8, "savings_wan": 5, "shared_hobbies": 2,
        "remembers_dates": 1,
    },
    "rules_bf_crazy-zh_CN.xml": {
        "height_cm": 174, "abs_count": 0, "hot_water": 3, "takes_fine_literally": 1,
        "apologizes_first": 1, "game_reply_minutes": 10, "sock_days": 2, "snores_over_tv": 1,
        "skewer_nights": 1, "peels_shrimp": 1, "pushups": 25, "dishes": 3,
        "sings_love_songs": 1, "shopping_hours": 2, "friends_approve": 1, "surprise_gifts": 2,
        "annual_income_wan": 12, "owns_car": 1,
    },
}


def saturate(value):
    return max(INT32_MIN, min(INT32_MAX, value))


def read_number(text):
    # Leading-number reading: blanks, an optional sign, then digits.
    match = re.match(r"\s*([+-]?\d+)", text or "")
    return saturate(int(match.group(1))) if match else 0


def read_rules(path):
    root = ET.parse(path).getroot()  # the parser drops comments
    if root.tag != "rules":
        raise SystemExit(f"{path}: root element is {root.tag!r}, not 'rules'")
    rules = []
    for child in root:
        if child.tag.lower() != "rule":
            raise SystemExit(f"{path}: <{child.tag}> under the root ends the list there")
        rule = dict.fromkeys(FIELDS, "")
        for field in child:
            if field.tag.lower() in rule:
                rule[field.tag.lower()] = field.text or ""
        for name in FIELDS[3:]:
            rule[name] = read_number(rule[name])
        rules.append(rule)
    return rules


def price(rule, answer):
    lower, upper = rule["lower_limit"], rule["upper_limit"]
    if rule["pg_type"].lower() == "bool":
        return saturate(answer * rule["lower_price"])
    if lower == upper:
        return saturate((answer - lower) * rule["lower_price"])
    result = 0
    if answer > upper:
        result = (answer - upper) * rule["upper_price"]
    if answer < lower and lower != -1:
        result = (lower - answer) * rule["lower_price"]
    return saturate(result)


def total(rules, answers):
    return saturate(BASE + sum(price(rule, answers.get(rule["id"], 0)) for rule in rules))


def check(path, rules, answers):
    ids = [rule["id"] for rule in rules]
    problems = [f"empty id in rule {n + 1}" for n, i in enumerate(ids) if not i]
    problems += [f"id {i!r} used {ids.count(i)} times" for i in sorted(set(ids)) if ids.count(i) > 1]
    problems += [f"{r['id']}: unknown kind {r['pg_type']!r}" for r in rules
                 if r["pg_type"].lower() not in ("bool", "int")]
    kinds = {r["id"]: r["pg_type"].lower() for r in rules}
    for rid, answer in answers.items():
        if rid not in kinds:
            problems.append(f"profile answers unknown id {rid!r}")
        elif answer < 0 or (kinds[rid] == "bool" and answer > 1):
            problems.append(f"profile answer {answer} does not fit {rid!r}")
    if problems:
        raise SystemExit(f"{path}:\n  " + "\n  ".join(problems))


def band(value):
    if value < 1300:
        return "below 1300"
    if value <= 1800:
        return "1300-1800 normal"
    if value < 2000:
        return "1800-2000 between bands"
    return "3000+ settled" if value >= 3000 else "2000+ top quality"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, answers in PROFILES.items():
        path = os.path.join(folder, name)
        rules = read_rules(path)
        check(path, rules, answers)
        bools = sum(r["pg_type"].lower() == "bool" for r in rules)
        typical = total(rules, answers)
        print(f"{name}: {len(rules)} rules ({bools} bool, {len(rules) - bools} int); "
              f"unanswered {total(rules, {})}, typical {typical} ({band(typical)})")


if __name__ == "__main__":
    main()
