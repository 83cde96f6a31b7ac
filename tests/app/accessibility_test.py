#!/usr/bin/python3
"""What a screen reader gets from the real program, read through AT-SPI as
one reads it: the checklist's questions, ticks and numbers, the result page's
total after Calculate, and the focus events the Down key brings.

Usage: accessibility_test.py RUN_FOLDER HOME (inside a session bus with the
accessibility bus running; accessibility_test.sh sets that up)."""

import os
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

import pyatspi
from gi.repository import GLib

RUN = os.path.abspath(sys.argv[1])
HOME = sys.argv[2]
RULES = os.path.join(RUN, "rules", "rules_gf_normal-zh_CN.xml")
OTHER_RULES = os.path.join(RUN, "rules", "rules_bf_normal-zh_CN.xml")
failures = []


def fail(message):
    print("FAIL:", message)
    failures.append(message)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, predicate, seconds=60):
    """Polls predicate, delivering events meanwhile; a generous guard only."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)
    return None


def descendants(node, role):
    found = []
    for child in node:
        if child is None:
            continue
        if child.getRole() == role:
            found.append(child)
        found.extend(descendants(child, role))
    return found


def the_program():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "amorquant" and app.childCount:
            return app
    return None


def checked(row):
    return row.getState().contains(pyatspi.STATE_CHECKED)


def rules(path=RULES):
    """(id, question, kind, price when ticked) of each rule, in file order."""
    found = []
    for rule in ElementTree.parse(path).getroot().iter("rule"):
        field = lambda name: (rule.findtext(name) or "").strip()
        found.append((field("id"), field("content"), field("pg_type"), int(field("lower_price") or 0)))
    return found


def checker_total(answers):
    command = [os.path.join(RUN, "amorquant-check"), "--total"]
    for rule_id, value in answers.items():
        command += ["--answer", "%s=%s" % (rule_id, value)]
    output = subprocess.run(command + [RULES], capture_output=True, text=True).stdout
    return output.rsplit("total ", 1)[1].strip()


def page_text(page):
    text = page.queryText()
    return text.getText(0, text.characterCount)


# The texts the program said were inserted, as a screen reader hears of them.
inserted = []


def on_insert(event):
    inserted.append(str(event.any_data))


def calculate_and_read(app, page, total):
    """Presses Calculate through its action and waits for the page to show
    the total and for the page to say so."""
    button = [b for b in descendants(app, pyatspi.ROLE_PUSH_BUTTON) if b.name.startswith("计算")]
    if not button:
        fail("no Calculate button")
        return
    button[0].queryAction().doAction(0)
    if not wait_for("the total " + total + " on the page", lambda: total in page_text(page)):
        print("page reads:", page_text(page))
    wait_for("the page to announce " + total, lambda: any(total in text for text in inserted))
    inserted.clear()


def check_questions(checklist, expected):
    rows = [checklist.getChildAtIndex(i) for i in range(checklist.childCount)]
    if not rows or rows[0].getRole() != pyatspi.ROLE_HEADING:
        fail("the checklist does not start with its heading")
    rows = rows[1:]
    names = [row.name for row in rows]
    wanted = [question for _, question, _, _ in expected]
    if names != wanted:
        fail("questions read %s, the list holds %s" % (names, wanted))
    roles = {"bool": pyatspi.ROLE_CHECK_BOX, "int": pyatspi.ROLE_SPIN_BUTTON}
    for row, (_, question, kind, _) in zip(rows, expected):
        if row.getRole() != roles[kind]:
            fail("%s reads as %s" % (question, row.getRoleName()))
    return rows


def check_tick(app, page, rows, expected, answers):
    index, rule = next((i, r) for i, r in enumerate(expected) if r[2] == "bool" and r[3] != 0)
    row = rows[index]
    if checked(row):
        fail("%s starts ticked" % rule[1])
    row.queryAction().doAction(0)
    wait_for("the tick on " + rule[1], lambda: checked(row))
    answers[rule[0]] = 1
    calculate_and_read(app, page, checker_total(answers))


def check_number(app, page, status, rows, expected, answers):
    index, rule = next((i, r) for i, r in enumerate(expected) if r[2] == "int")
    row = rows[index]
    # Full-width digits and a decimal point, as a Chinese input method types
    # them: the row counts the nearest whole number and the status bar says so.
    row.queryEditableText().setTextContents("２．５")
    if row.queryValue().currentValue != 3:
        fail("%s counts %s for 2.5" % (rule[1], row.queryValue().currentValue))
    if "3" not in status.name:
        fail("the status bar reads %r after 2.5" % status.name)
    # A value set as a number; then text that holds no number, which leaves
    # the answer as typing leaves it.
    row.queryValue().currentValue = 4
    row.queryEditableText().setTextContents("abc")
    text = row.queryText()
    if text.getText(0, text.characterCount) != "4":
        fail("%s reads %r after 4 and a text with no number" % (rule[1], text.getText(0, -1)))
    answers[rule[0]] = 4
    calculate_and_read(app, page, checker_total(answers))


# The roles and names of the objects that got the keyboard, as the events tell them.
# Listened to from the start: the program sends only the events someone
# listened to when it learnt of the listener.
focused = []


def on_focus(event):
    if event.detail1 == 1 and event.source is not None:
        try:
            focused.append((event.source.getRole(), event.source.name))
        except GLib.GError:
            pass  # gone by now (a menu closing, the program quitting)


def check_about_box(app):
    """Opens the About box through the toolbar's tool: each of its controls
    is named, and its link and picture button can be pressed."""
    tool = [t for t in descendants(app, pyatspi.ROLE_TOOL_BAR)[0] if t.name == "关于"][0]
    tool.queryAction().doAction(0)
    # The library's own dialogs read as windows of their own, not as dialogs.
    about = lambda: next((w for w in app if w is not None and w.name == "关于恋人估价器"), None)
    dialog = wait_for("the About box", about)
    if not dialog:
        return
    link = descendants(dialog, pyatspi.ROLE_LINK)
    if [l.name for l in link] != ["www.larkvale.net"] or link[0].queryAction().nActions < 1:
        fail("the About box's link reads %s" % [(l.name, l.getRoleName()) for l in link])
    buttons = descendants(dialog, pyatspi.ROLE_PUSH_BUTTON)
    for button in buttons:
        if not button.name or button.queryAction().nActions < 1:
            fail("an About box button reads %r with no action" % button.name)
    # Besides those a desktop that draws its own title bars adds.
    ok = [b for b in buttons if b.name.startswith("确定")]
    if not ok or not any("larkvale.net" in b.name for b in buttons):
        fail("the About box's buttons read %s" % [b.name for b in buttons])
        return
    ok[0].queryAction().doAction(0)
    wait_for("the About box to close", lambda: not about())


def check_other_list(app, checklist):
    """Picks Boyfriend in the friend type choice: the rows read are the new
    list's, not the old one's."""
    descendants(app, pyatspi.ROLE_COMBO_BOX)[0].querySelection().selectChild(1)
    wanted = [question for _, question, _, _ in rules(OTHER_RULES)]
    read = lambda: [checklist.getChildAtIndex(i).name for i in range(1, checklist.childCount)]
    if not wait_for("the Boyfriend questions", lambda: read() == wanted):
        print("read:", read())


def check_focus_follows_down(frame, rows):
    """Gives the list the keyboard on its first row, presses Down and waits
    for the focus event of the second question; opens a number row. Where
    no key can be pressed, the second row is given the keyboard instead."""
    first, second = rows[0], rows[1]
    keys = not os.environ.get("WAYLAND_DISPLAY")
    if keys:
        # Keys go to the window under the pointer on a display with no
        # window manager: the pointer rests on the list.
        x, y, width, height = first.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(x + width // 2, y + height // 2, pyatspi.MOUSE_ABS)
    wait_for("the window to take the keyboard", lambda: frame.getState().contains(pyatspi.STATE_ACTIVE))
    first.queryComponent().grabFocus()
    wait_for("the first question's focus", lambda: (first.getRole(), first.name) in focused)
    if keys:
        pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # Down
    else:
        print("on Wayland the accessibility bus presses no keys: Down is left out")
        second.queryComponent().grabFocus()
    wait_for("the focus event of " + second.name, lambda: (second.getRole(), second.name) in focused)
    if not second.parent.querySelection().isChildSelected(second.getIndexInParent()):
        fail("the list's selection is not the row the keyboard is on")
    if not keys:
        return
    # Enter opens a number row: its editor is known by the question.
    number = next(row for row in rows if row.getRole() == pyatspi.ROLE_SPIN_BUTTON)
    number.queryComponent().grabFocus()
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Enter
    wait_for("the editor of " + number.name, lambda: (pyatspi.ROLE_TEXT, number.name) in focused)


def main():
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")
    env = dict(os.environ, HOME=HOME, XDG_CONFIG_HOME=os.path.join(HOME, ".config"))
    with open(os.path.join(HOME, "stderr"), "w") as errors:
        program = subprocess.Popen([os.path.join(RUN, "amorquant")], cwd=RUN, env=env, stderr=errors)
    try:
        app = wait_for("the program on the accessibility bus", the_program)
        checklist = app and wait_for(
            "the checklist's rows",
            lambda: next((l for l in descendants(app, pyatspi.ROLE_LIST) if l.childCount > 1), None))
        if not checklist:
            return
        page = descendants(app, pyatspi.ROLE_DOCUMENT_TEXT)[0]
        status = descendants(app, pyatspi.ROLE_STATUS_BAR)[0]
        expected = rules()
        rows = check_questions(checklist, expected)
        answers = {}
        calculate_and_read(app, page, checker_total(answers))
        check_tick(app, page, rows, expected, answers)
        check_number(app, page, status, rows, expected, answers)
        tools = [t.name for t in descendants(app, pyatspi.ROLE_TOOL_BAR)[0]]
        if tools != ["检查更新", "关于"]:
            fail("the toolbar's tools read %s" % tools)
        check_about_box(app)
        check_focus_follows_down(app[0], rows)
        check_other_list(app, checklist)
        # Quit from the File menu, opened first as a user opens it.
        file_menu = [m for m in descendants(app, pyatspi.ROLE_MENU) if m.name.startswith("文件")][0]
        file_menu.queryAction().doAction(0)
        quit_item = file_menu[0]
        wait_for("the File menu", lambda: quit_item.getState().contains(pyatspi.STATE_SHOWING))
        quit_item.queryAction().doAction(0)
        if program.wait(120) != 0:
            fail("exit status %d after Quit" % program.returncode)
    finally:
        if program.poll() is None:
            fail("still running")
            program.kill()
            program.wait()
    with open(os.path.join(HOME, "stderr")) as errors:
        for line in errors:
            if "CRITICAL" in line or "assert" in line.lower() or "Sanitizer" in line:
                fail("the program says: " + line.strip())


main()
sys.exit(1 if failures else 0)
